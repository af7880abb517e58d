// Calculation files (.kelvaro): one reader and one writer for both editions, so that they cannot disagree about
// what a valid file is. A file keeps each field's text exactly as typed; opening takes only those texts and the
// window calculates again. Every failure comes back as a value with its Chinese message, naming the file.
#pragma once

#include "calculation.h"
#include "crane_texts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace kelvaro {

/// A file bigger than this is refused by its size, before it is read.
inline constexpr std::uint64_t MaxFileBytes = 1024 * 1024;
/// Objects and arrays inside one another; a calculation file needs four.
inline constexpr int MaxNesting = 8;
/// The longest text a file keeps for one field, in UTF-16 units as both editions' fields count them (a character
/// beyond U+FFFF counts two). Far more than any number or crane name, and small enough that the largest
/// calculation (53 texts, each unit at most 6 bytes as JSON escapes it) stays under MaxFileBytes: every file the
/// writer makes is one the reader takes. A field may hold more (a paste is never cut): saving it is refused.
inline constexpr std::size_t MaxTextLength = 2048;
/// The caption of a message about a calculation file.
inline constexpr std::string_view FileFailureTitle = "计算文件";
/// The version this program writes and the newest it reads.
inline constexpr int FileVersion = 1;

/// The texts of a calculator window with one set of fields; only its calculation's inputs (InputsOf) are kept.
struct FieldTexts {
  Calculation calculation;
  std::array<std::string, InputCount> texts{};
  /// Views of the texts, as Calculate takes them.
  InputTexts views() const;
};

/// What a file holds: the texts of one window.
using CalculationTexts = std::variant<FieldTexts, CraneArrangementTexts>;

enum class FileFault : unsigned char {
  // Found before the file is read (desktop)
  TooLarge,
  Directory,
  NoPermission,
  NotFound,
  Unreadable,
  NoWindow,  // a valid file of a calculation the edition has no window for
  // Found by the reader
  Empty,
  NulByte,
  TooDeep,
  Truncated,
  NotJson,
  OtherFormat,
  NewerVersion,
  BadVersion,
  UnknownCalculation,
  MissingKey,
  UnknownKey,
  DuplicateKey,
  WrongType,
  TooLong,
  CraneCount,
  // Found by the writer
  NotUtf8,
  // Found when writing the file (desktop)
  SaveFailed,
};

struct FileError {
  FileFault fault;
  std::string message;  // Chinese, naming the file
};

/// Reads a whole file. Nothing is built from the text before its size, NUL bytes and nesting have been checked.
/// `fileName` is how the messages name the file. Never throws.
std::expected<CalculationTexts, FileError> ReadCalculationFile(std::string_view content, std::string_view fileName);

/// What a file may carry besides the texts, for people reading it; opening ignores it.
struct FileNotes {
  std::string program;                                       // "Kelvaro 1.2.0"
  std::string saved;                                         // "2024-05-01"
  std::vector<std::pair<std::string, std::string>> results;  // {"Dmax", "123.4"} as the window shows them
};

/// The file of a window's texts, UTF-8 JSON. Refuses (naming `fileName`) a text longer than MaxTextLength or one
/// that is not UTF-8: it could not be opened again.
std::expected<std::string, FileError> WriteCalculationFile(const CalculationTexts& texts, std::string_view fileName,
                                                           const FileNotes& notes = {});

/// The message for a fault found outside the reader: before reading (TooLarge with the file's size, Directory,
/// NoPermission, NotFound, Unreadable), after it (NoWindow) or when saving (SaveFailed, with the system's reason).
std::string FileMessage(FileFault fault, std::string_view fileName, std::uint64_t size = 0,
                        std::string_view reason = {});

/// "VerticalLoads", ..., "CraneArrangement": the calculation as a file names it.
std::string_view KindName(const CalculationTexts& texts);

/// The name a new file is offered under: "VerticalLoads-2024-05-01.kelvaro".
std::string SuggestedFileName(const CalculationTexts& texts, std::string_view date);

/// A file name as a message quotes it: controls and direction-changing characters shown as U+FFFD.
std::string QuoteFileName(std::string_view name);

}  // namespace kelvaro
