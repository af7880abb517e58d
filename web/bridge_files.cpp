// Calculation files from JavaScript: the core's one reader and one writer, so that the page and the desktop agree
// on every file. The caller writes a call's texts into numbered slots (kelvaro_file_text), makes the call, then
// reads the answer (kelvaro_file_answer): JSON with the window's id and texts, the file's content, or the message.
// Kept apart from bridge.cpp's buffers: a file is up to 1 MiB, a calculation's texts are short.
#include "calculation_file.h"
#include "content.h"
#include "crane_window.h"
#include "form.h"
#include "json.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#define KELVARO_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace kelvaro::web {
namespace {

using namespace kelvaro::json;

// Slot 0: the file's content (to read); 1: its name, as messages name it; 2: today's date (to write); then the
// inputs' texts by Input, then the results' texts by ResultId (to write); then the several-cranes window's own
// texts (ArrangementTextNames order), each crane's texts (CraneTextNames order) and its results as shown (by
// ArrangementResult, then one T_L per crane).
constexpr std::uint32_t ContentSlot = 0, NameSlot = 1, DateSlot = 2, FirstInput = 3,
                        FirstResult = FirstInput + InputCount, FirstArrangement = FirstResult + ResultCount,
                        FirstCrane = FirstArrangement + ArrangementTextNames.size(),
                        FirstArrangementResult = FirstCrane + MaxCranes * CraneTextNames.size(),
                        ArrangementResults = static_cast<std::uint32_t>(ArrangementResult::Longitudinal) + MaxCranes;
std::array<std::string, FirstArrangementResult + ArrangementResults> slots;
std::string answer;

std::string Id(auto id) { return Number(static_cast<int>(id)); }

const forms::Form* FormOf(Calculation calculation) {
  for (const forms::Form* form : forms::AllForms()) {
    if (form->calculator && form->calculator->calculation == calculation) return form;
  }
  return nullptr;
}

std::string Failure(std::string_view message) {
  return Object({{"message", String(message)}, {"title", String(FileFailureTitle)}});
}

std::string Opened(const CalculationTexts& opened) {
  if (const auto* fields = std::get_if<FieldTexts>(&opened)) {
    return Object({{"calculation", String(KindName(opened))},
                   {"form", Id(FormOf(fields->calculation)->id)},
                   {"texts", Strings(fields->texts)}});
  }
  // The several-cranes window takes these texts by their names.
  const auto& arrangement = std::get<CraneArrangementTexts>(opened);
  Members members;
  for (const auto& [key, member] : ArrangementTextNames) members.emplace_back(key, String(arrangement.*member));
  std::vector<std::string> cranes;
  for (const CraneTexts& crane : arrangement.cranes) {
    Members row;
    for (const auto& [key, member] : CraneTextNames) row.emplace_back(key, String(crane.*member));
    cranes.push_back(Object(row));
  }
  members.emplace_back("cranes", Array(cranes));
  return Object({{"calculation", String(KindName(opened))}, {"arrangement", Object(members)}});
}

}  // namespace
}  // namespace kelvaro::web

using namespace kelvaro;
using namespace kelvaro::web;

/// Room for slot `slot`'s text, `bytes` long; the caller copies the UTF-8 there. Null beyond the slots, or for a
/// file bigger than any the reader takes (it is refused by its size instead).
KELVARO_EXPORT(kelvaro_file_text) char* kelvaro_file_text(std::uint32_t slot, std::uint32_t bytes) {
  if (slot >= slots.size() || bytes > MaxFileBytes) return nullptr;
  slots[slot].assign(bytes, '\0');
  return slots[slot].data();
}
KELVARO_EXPORT(kelvaro_file_answer) const char* kelvaro_file_answer() { return answer.data(); }
KELVARO_EXPORT(kelvaro_file_answer_size) std::uint32_t kelvaro_file_answer_size() {
  return static_cast<std::uint32_t>(answer.size());
}

/// Reads the file in slot 0: { calculation, form, texts: [by Input] }, { calculation, arrangement }, or
/// { message, title }.
KELVARO_EXPORT(kelvaro_read_file) void kelvaro_read_file() {
  auto opened = ReadCalculationFile(slots[ContentSlot], slots[NameSlot]);
  auto* cranes = opened ? std::get_if<CraneArrangementTexts>(&*opened) : nullptr;
  const auto unshown = cranes ? forms::TakeChoices(*cranes, slots[NameSlot]) : std::nullopt;
  answer = !opened ? Failure(opened.error().message) : unshown ? Failure(*unshown) : Opened(*opened);
}

/// A file refused by its size before it is read, worded as the desktop words it; its name is in slot 1.
KELVARO_EXPORT(kelvaro_file_too_large) void kelvaro_file_too_large(double size) {
  answer = Failure(FileMessage(FileFault::TooLarge, slots[NameSlot], static_cast<std::uint64_t>(size)));
}
/// A valid file of a calculation this edition has no window for.
KELVARO_EXPORT(kelvaro_file_without_window) void kelvaro_file_without_window() {
  answer = Failure(FileMessage(FileFault::NoWindow, slots[NameSlot]));
}
KELVARO_EXPORT(kelvaro_max_text_length) std::uint32_t kelvaro_max_text_length() { return MaxTextLength; }
KELVARO_EXPORT(kelvaro_file_slots) std::uint32_t kelvaro_file_slots() {
  return static_cast<std::uint32_t>(slots.size());
}
/// Where the several-cranes window's texts start; the calculators' results end there.
KELVARO_EXPORT(kelvaro_file_first_arrangement) std::uint32_t kelvaro_file_first_arrangement() {
  return FirstArrangement;
}

/// Writes the file of window `form`'s texts: { content, name } (the name suggested from the calculation and the
/// date), or { message, title }. False for a window that calculates nothing, with no answer.
KELVARO_EXPORT(kelvaro_write_file) bool kelvaro_write_file(std::uint32_t form) {
  if (form >= static_cast<std::uint32_t>(forms::FormCount)) return false;
  const forms::Form& f = forms::FormOf(static_cast<forms::FormId>(form));
  if (!f.calculator) return false;
  FieldTexts texts{f.calculator->calculation};
  for (std::size_t i = 0; i < texts.texts.size(); ++i) texts.texts[i] = slots[FirstInput + i];
  FileNotes notes{kelvaro::sheet::ProgramVersion() + "（网页版）", slots[DateSlot], {}};
  for (const ResultId result : ResultsOf(f.calculator->calculation)) {
    const std::string& shown = slots[FirstResult + static_cast<std::uint32_t>(result)];
    if (!shown.empty()) notes.results.emplace_back(NameOf(result), shown);
  }
  const std::string name = SuggestedFileName(texts, slots[DateSlot]);
  const auto written = WriteCalculationFile(texts, name, notes);
  answer = written ? Object({{"content", String(*written)}, {"name", String(name)}}) : Failure(written.error().message);
  return true;
}

/// Writes the several-cranes window's file from its texts (the first `cranes` rows) and results as shown, as
/// kelvaro_write_file does. False for more rows than the table has, with no answer.
KELVARO_EXPORT(kelvaro_write_arrangement_file) bool kelvaro_write_arrangement_file(std::uint32_t cranes) {
  if (cranes > MaxCranes) return false;
  CraneArrangementTexts texts;
  for (std::size_t i = 0; i < ArrangementTextNames.size(); ++i) {
    texts.*ArrangementTextNames[i].second = slots[FirstArrangement + i];
  }
  for (std::size_t c = 0; c < cranes; ++c) {
    CraneTexts& crane = texts.cranes.emplace_back();
    for (std::size_t f = 0; f < CraneTextNames.size(); ++f) {
      crane.*CraneTextNames[f].second = slots[FirstCrane + c * CraneTextNames.size() + f];
    }
  }
  FileNotes notes{kelvaro::sheet::ProgramVersion() + "（网页版）", slots[DateSlot], {}};
  for (std::uint32_t r = 0; r < ArrangementResults; ++r) {
    const std::string& shown = slots[FirstArrangementResult + r];
    const auto longitudinal = static_cast<std::uint32_t>(ArrangementResult::Longitudinal);
    const std::string key = r < longitudinal ? forms::ResultFileKey(static_cast<ArrangementResult>(r))
                                             : forms::ResultFileKey(ArrangementResult::Longitudinal, r - longitudinal);
    if (!shown.empty()) notes.results.emplace_back(key, shown);
  }
  const std::string name = SuggestedFileName(texts, slots[DateSlot]);
  const auto written = WriteCalculationFile(texts, name, notes);
  answer = written ? Object({{"content", String(*written)}, {"name", String(name)}}) : Failure(written.error().message);
  return true;
}
