// What a calculation's sheet says, for both editions: every text on it (title, blanks, headings, what the
// calculation follows, the inputs as typed, the working, the results, the footer) in the order it comes. It is
// built from the core's answer and the window's description and computes nothing: every number is the core's text.
// The desktop paints it, the page writes it as HTML; neither words anything of its own.
#pragma once

#include "calculation.h"
#include "form.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro::sheet {

/// An input as the window shows it.
struct InputRow {
  std::string symbol;   // "J"
  std::string caption;  // "柱距"
  std::string text;     // exactly as typed
  std::string unit;     // "米"; may be empty
};

/// A line of the working: the quantity, and the whole line ("Y1 = (J − W) / J = ... = 0.2666667").
struct WorkingRow {
  std::string quantity, text;
};

/// A result for the framed box: "吊车最大竖向荷载", "Dmax = 195 kN".
struct ResultRow {
  std::string caption, text;
};

struct Content {
  std::string title;                      // "吊车荷载计算书"
  std::string name;                       // the calculation's name, as its window is captioned
  std::string project;                    // "工程名称："
  std::array<std::string, 4> signatures;  // "设计：" ...
  // The section headings, numbered in the order they come; `figure` is empty for a sheet without one.
  std::string basisHeading, inputsHeading, figureHeading, workingHeading, resultsHeading;
  std::string basis;                   // what the calculation follows, in plain words
  std::array<std::string, 4> columns;  // of the input tables: "符号", "名称", "数值", "单位"
  std::vector<InputRow> inputs;
  /// The figure, for a calculation that goes through the influence line, and its caption.
  std::optional<InfluenceOrdinates> ordinates;
  std::string figureCaption;
  std::vector<WorkingRow> working;
  std::string workingNote;  // how the working's numbers are rounded, beside its heading
  std::vector<ResultRow> results;
  /// Under the results: what the inputs say that no crane or beam can be (the core's NotesOf), "注意：…".
  std::vector<std::string> notes;
  std::string program;  // "Kelvaro 0.1.0"
  std::string page;     // "第 1 页，共 1 页"
  char32_t decimalSeparator = U'.';
};

/// A unit as a document for the checking engineer writes it: the SI symbol kN for the windows' "Kn".
std::string_view SheetUnit(std::string_view unit);

/// The name the sheet gives an input that has no caption beside it in its window.
std::string_view UncaptionedName(Input input);

/// How many characters of a typed text an input's cell shows of a text over a third longer (ShowFieldText).
inline constexpr std::size_t LongestInput = 32;

/// The inputs of a calculator window, by its description, with the texts of its fields (by Input).
std::vector<InputRow> InputRows(const forms::Form& form, const InputTexts& texts);

/// The sheet of a successful calculation.
Content ContentOf(const Record& record, std::string name, std::vector<InputRow> inputs, char32_t decimalSeparator);

/// The sheet as lines of plain text, as a screen reader reads it: the name, what it follows, each input
/// ("柱距 J = 6 米"), each line of the working, each result.
std::vector<std::string> TextLines(const Content& sheet);

/// The program's name and version, as the footer gives them.
std::string ProgramVersion();

}  // namespace kelvaro::sheet
