// The several-cranes calculation from JavaScript, in one call either way: the window's texts by index
// (kelvaro_crane_text, then kelvaro_crane_arrangement), or the API's numbers in a block of doubles
// (kelvaro_crane_numbers, then kelvaro_crane_arrangement_numbers). The answer is JSON with its own buffer.
// kelvaro_crane_sheet is the window's Calculate with its sheet (forms/crane_sheet.h) as the answer's `sheet`.
#include "crane_arrangement.h"
#include "crane_figure.h"
#include "crane_sheet.h"
#include "crane_window.h"
#include "json.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#define KELVARO_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace kelvaro::web {
namespace {

using namespace kelvaro::json;

// Text i: the arrangement's own texts in ArrangementTextNames order, then each crane's in CraneTextNames order.
constexpr std::size_t OwnTexts = ArrangementTextNames.size();
constexpr std::size_t TextCount = OwnTexts + MaxCranes * CraneFieldCount;
std::vector<std::string> craneTexts(TextCount);
std::vector<double> numbers;
std::string craneAnswer;

// The numbers' block: J1, J2, order (0 free, 1 as entered), maxOnRail, otherSpanCranes, the number of cranes,
// then for each crane Pmax, Pmin, B, the number of spacings, three spacings, endDistance, heavyDuty (0 or 1),
// alphaH, Q, Q1, brakingWheels. NaN stands for a value not given.
constexpr std::size_t Head = 6, PerCrane = 13;

std::optional<double> Given(double v) { return std::isnan(v) ? std::nullopt : std::optional<double>(v); }

std::string KindName(ArrangementFailureKind kind) {
  constexpr const char* names[] = {"Empty",   "NotANumber",    "NotPositive",  "Negative",
                                   "TooLong", "WheelCount",    "SpacingCount", "SpacingText",
                                   "NoCrane", "TooManyCranes", "Choice"};
  const auto i = static_cast<std::size_t>(kind);
  return i < std::size(names) ? names[i] : "";
}

std::string Failure(const ArrangementFailure& f) {
  const ArrangementInput& in = f.input;
  const bool crane = in.field == ArrangementField::Crane;
  const std::size_t field =
      static_cast<std::size_t>(crane ? static_cast<std::size_t>(in.craneField) : static_cast<std::size_t>(in.field));
  Members input{{"crane", crane ? Number(static_cast<double>(in.crane)) : "null"},
                {"field", String(crane              ? CraneTextNames[field].first
                                 : field < OwnTexts ? ArrangementTextNames[field].first
                                                    : "")},
                {"index", Number(static_cast<double>(field))},
                {"name", String(forms::InputName(in))}};
  return Object({{"failure", String(KindName(f.kind))}, {"input", Object(input)}, {"message", String(f.message)}});
}

std::string FigureData(const forms::Figure& figure) {
  std::vector<std::string> lines, wheels, texts;
  const auto ink = [](forms::Ink i) { return Number(static_cast<int>(i)); };
  for (const auto& l : figure.lines)
    lines.push_back(Array({Number(l.x1), Number(l.y1), Number(l.x2), Number(l.y2), ink(l.ink)}));
  for (const auto& w : figure.wheels) wheels.push_back(Array({Number(w.x), Number(w.y), Number(w.r), ink(w.ink)}));
  for (const auto& t : figure.texts) {
    texts.push_back(Array({Number(t.x), Number(t.y), String(t.text), Number(static_cast<int>(t.anchor)), ink(t.ink)}));
  }
  return Object({{"width", Number(figure.width)},
                 {"height", Number(figure.height)},
                 {"lines", Array(lines)},
                 {"wheels", Array(wheels)},
                 {"texts", Array(texts)}});
}

std::string Value(const ArrangementValue& v) {
  return Object({{"name", String(NameOf(v.id))},
                 {"value", Number(v.value)},
                 {"text", String(v.text)},
                 {"note", String(v.howReached)}});
}

std::string SheetData(const forms::CraneSheet& sheet) {
  std::vector<std::string> sections;
  for (const forms::SheetSection& s : sheet.sections) {
    std::vector<std::string> rows;
    for (const auto& row : s.table.rows) rows.push_back(Strings(row));
    sections.push_back(Object({{"heading", String(s.heading)},
                               {"lines", Strings(s.lines)},
                               {"table", Object({{"header", Strings(s.table.header)},
                                                 {"rows", Array(rows)},
                                                 {"lastRowIsSum", Flag(s.table.lastRowIsSum)}})},
                               {"figure", Flag(s.figure)},
                               {"newPage", Flag(s.newPage)}}));
  }
  std::vector<std::string> footers;
  for (int page = 0; page < sheet.pages; ++page) footers.push_back(String(forms::CraneSheetFooter(sheet, page)));
  return Object({{"title", String(sheet.title)},
                 {"blanks", String(sheet.blanks)},
                 {"sections", Array(sections)},
                 {"footers", Array(footers)},
                 {"figure", FigureData(sheet.figure)},
                 {"pages", Number(sheet.pages)}});
}

using Outcome = std::expected<ArrangementAnswer, ArrangementFailure>;

std::string AnswerOf(const Outcome& outcome, char32_t separator, const std::string& sheet = {}) {
  if (!outcome) return Failure(outcome.error());
  const CraneArrangement& r = outcome->record;
  const Placement& p = r.vertical;
  std::vector<std::string> order, wheels, results, perCrane, perCraneTexts, working;
  for (const std::size_t c : p.order) order.push_back(Number(static_cast<double>(c)));
  for (const PlacedWheel& w : p.wheels) {
    wheels.push_back(Object({{"crane", Number(static_cast<double>(w.crane))},
                             {"wheel", Number(static_cast<double>(w.wheel))},
                             {"x", Number(w.x)},
                             {"y", Number(w.y)},
                             {"beyond", Flag(w.beyond)}}));
  }
  for (const ArrangementValue& v : outcome->results) results.push_back(Value(v));
  for (const double t : r.longitudinal) perCrane.push_back(Number(t));
  for (const ArrangementValue& v : outcome->longitudinal) perCraneTexts.push_back(Value(v));
  for (const WorkingLine& line : outcome->working) working.push_back(String(LineText(line)));
  return Object({{"Dmax", Number(r.Dmax)},
                 {"Dmin", Number(r.Dmin)},
                 {"Z", Number(p.Z)},
                 {"cranesCounted", Number(p.cranesCounted)},
                 {"order", Array(order)},
                 {"criticalWheel", Number(static_cast<double>(p.criticalWheel))},
                 {"wheels", Array(wheels)},
                 {"H1", r.horizontal ? Number(r.H1) : "null"},
                 {"longitudinal", Object({{"perCrane", Array(perCrane)}, {"rail", Number(r.longitudinalRail)}})},
                 {"results", Array(results)},
                 {"longitudinalResults", Array(perCraneTexts)},
                 {"working", Array(working)},
                 {"warnings", Strings(outcome->warnings)},
                 {"figure", FigureData(forms::CraneFigure(r.data, p, 640, separator))},
                 {"sheet", sheet.empty() ? "null" : sheet}});
}

// The window's texts as the page put them, with `cranes` rows in the table.
CraneArrangementTexts WindowTexts(std::uint32_t cranes) {
  CraneArrangementTexts texts;
  for (std::size_t i = 0; i < OwnTexts; ++i) texts.*ArrangementTextNames[i].second = craneTexts[i];
  for (std::size_t c = 0; c < cranes && c < MaxCranes; ++c) {
    CraneTexts& crane = texts.cranes.emplace_back();
    for (std::size_t f = 0; f < CraneFieldCount; ++f) {
      crane.*CraneTextNames[f].second = craneTexts[OwnTexts + c * CraneFieldCount + f];
    }
  }
  return texts;
}

}  // namespace
}  // namespace kelvaro::web

using namespace kelvaro;
using namespace kelvaro::web;

/// Where each text and number goes, so that the page never counts them itself.
KELVARO_EXPORT(kelvaro_crane_layout) void kelvaro_crane_layout() {
  craneAnswer = Object({{"ownTexts", Number(static_cast<double>(OwnTexts))},
                        {"craneTexts", Number(static_cast<double>(CraneFieldCount))},
                        {"head", Number(static_cast<double>(Head))},
                        {"perCrane", Number(static_cast<double>(PerCrane))},
                        {"maxCranes", Number(static_cast<double>(MaxCranes))}});
}

/// Room for text `index` of the next call, `bytes` long.
KELVARO_EXPORT(kelvaro_crane_text) char* kelvaro_crane_text(std::uint32_t index, std::uint32_t bytes) {
  if (index >= craneTexts.size()) return nullptr;
  craneTexts[index].assign(bytes, '\0');
  return craneTexts[index].data();
}

/// Room for the API's block of `count` doubles.
KELVARO_EXPORT(kelvaro_crane_numbers) double* kelvaro_crane_numbers(std::uint32_t count) {
  if (count > Head + MaxCranes * PerCrane) return nullptr;
  numbers.assign(count, NAN);
  return numbers.data();
}

KELVARO_EXPORT(kelvaro_crane_answer) const char* kelvaro_crane_answer() { return craneAnswer.data(); }
KELVARO_EXPORT(kelvaro_crane_answer_size) std::uint32_t kelvaro_crane_answer_size() {
  return static_cast<std::uint32_t>(craneAnswer.size());
}

/// The window's Calculate: its texts, with `cranes` rows in the table.
KELVARO_EXPORT(kelvaro_crane_arrangement) void kelvaro_crane_arrangement(std::uint32_t cranes, char32_t separator) {
  craneAnswer = AnswerOf(CalculateCraneArrangement(WindowTexts(cranes), separator), separator);
}

/// Ctrl+P: the same Calculate, and on success its sheet as the answer's `sheet`.
KELVARO_EXPORT(kelvaro_crane_sheet) void kelvaro_crane_sheet(std::uint32_t cranes, char32_t separator) {
  const CraneArrangementTexts texts = WindowTexts(cranes);
  const Outcome outcome = CalculateCraneArrangement(texts, separator);
  craneAnswer = AnswerOf(outcome, separator, outcome ? SheetData(forms::CraneSheetOf(texts, *outcome, separator)) : "");
}

/// The API's computeCraneArrangement: the block of numbers described above.
KELVARO_EXPORT(kelvaro_crane_arrangement_numbers) void kelvaro_crane_arrangement_numbers(char32_t separator) {
  const auto at = [](std::size_t i) { return i < numbers.size() ? numbers[i] : NAN; };
  CraneArrangementData d{.J1 = at(0), .J2 = at(1)};
  d.order = at(2) == 1 ? CraneOrder::Entered : CraneOrder::Free;
  d.maxOnRail = std::isnan(at(3)) ? 2 : static_cast<int>(at(3));
  d.otherSpanCranes = std::isnan(at(4)) ? 0 : static_cast<int>(at(4));
  const auto count = static_cast<std::size_t>(std::isnan(at(5)) ? 0 : std::min(at(5), double(MaxCranes)));
  for (std::size_t c = 0; c < count; ++c) {
    const std::size_t b = Head + c * PerCrane;
    Crane& k = d.cranes.emplace_back();
    k.name = "吊车" + std::to_string(c + 1);
    k.Pmax = at(b), k.Pmin = at(b + 1), k.B = at(b + 2);
    // Three spacings fit the block; a longer list keeps its length so that the check names it.
    const auto spacings = static_cast<std::size_t>(std::clamp(std::isnan(at(b + 3)) ? 0.0 : at(b + 3), 0.0, 99.0));
    for (std::size_t s = 0; s < spacings; ++s) k.spacings.push_back(s < 3 ? at(b + 4 + s) : 1.0);
    k.endDistance = Given(at(b + 7));
    k.heavyDuty = at(b + 8) == 1;
    k.alphaH = Given(at(b + 9)), k.Q = Given(at(b + 10)), k.Q1 = Given(at(b + 11));
    k.brakingWheels = Given(at(b + 12));
  }
  craneAnswer = AnswerOf(CalculateCraneArrangement(d, separator), separator);
}
