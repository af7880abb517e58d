// The only way into the core from JavaScript: plain functions over numbers and UTF-8 bytes in the module's
// memory. The caller writes a call's texts first (kelvaro_text), makes the call, then reads its answer: a JSON
// object with the core's own member names (or the failure). Nothing is computed or worded here. A window's
// Calculate is one call (kelvaro_calculate): its calculation and check order come from the windows' description.
#include "calculation.h"
#include "calculations.h"
#include "form.h"
#include "json.h"
#include "messages.h"
#include "sheet_json.h"
#include "working.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#define KELVARO_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace kelvaro::web {
namespace {

// The texts of the next call, and the answer of the last one. One call at a time: JavaScript is single-threaded.
std::array<std::string, InputCount> texts;
std::string answer;

std::string_view Text(std::uint32_t index) { return index < texts.size() ? texts[index] : std::string_view(); }
std::string_view Field(Input input) { return texts[static_cast<std::size_t>(input)]; }

// The answer is JSON, which the browser parses faster than anything written by hand.
using namespace kelvaro::json;

constexpr const char* KindName(FailureKind kind) {
  switch (kind) {
    case FailureKind::NotANumber:
      return "NotANumber";
    case FailureKind::DivisionByZero:
      return "DivisionByZero";
    case FailureKind::Overflow:
      return "Overflow";
  }
  return "";
}

std::string Failure(const NumberFailure& f) {
  return Object({{"failure", String(KindName(f.kind))},
                 {"input", f.input ? String(SymbolOf(*f.input)) : "null"},
                 {"zeroDivisor", Flag(f.zeroDivisor)}});
}

std::string Working(const std::vector<WorkingLine>& lines) {
  std::vector<std::string> items;
  for (const WorkingLine& line : lines) {
    items.push_back(Object({{"quantity", String(line.quantity)},
                            {"formula", String(line.formula)},
                            {"numbers", String(line.numbers)},
                            {"result", String(line.result)},
                            {"unit", String(line.unit)},
                            {"beyondSupport", Flag(line.beyondSupport)},
                            {"text", String(LineText(line))}}));
  }
  return Array(items);
}

Members OrdinateMembers(const InfluenceOrdinates& y) {
  std::vector<std::string> beyond;
  for (const bool b : y.beyondSupport) beyond.push_back(Flag(b));
  return {{"Y1", Number(y.Y1)}, {"Y2", Number(y.Y2)},     {"Y3", Number(y.Y3)},
          {"Y4", Number(y.Y4)}, {"SumY", Number(y.SumY)}, {"J", Number(y.J)},
          {"B", Number(y.B)},   {"W", Number(y.W)},       {"beyondSupport", Array(beyond)}};
}
std::string Ordinates(const InfluenceOrdinates& y) { return Object(OrdinateMembers(y)); }

void Reply(const Result<InfluenceOrdinates>& y, char32_t separator) {
  if (!y) {
    answer = Failure(y.error());
    return;
  }
  Members members = OrdinateMembers(*y);
  members.emplace_back("working", Working(WorkingOf(*y, separator)));
  answer = Object(members);
}

void Reply(const Result<VerticalLoads>& d, char32_t separator) {
  answer = !d ? Failure(d.error())
              : Object({{"Dmax", Number(d->Dmax)},
                        {"Dmin", Number(d->Dmin)},
                        {"Z", Number(d->Z)},
                        {"Pmax", Number(d->Pmax)},
                        {"Pmin", Number(d->Pmin)},
                        {"ordinates", Ordinates(d->ordinates)},
                        {"working", Working(WorkingOf(*d, separator))},
                        {"howReached", Strings(HowReached(*d, separator))}});
}

void Reply(const Result<MinWheelPressure>& p, char32_t separator) {
  answer = !p ? Failure(p.error())
              : Object({{"Pmin", Number(p->Pmin)},
                        {"Pmax", Number(p->Pmax)},
                        {"G", Number(p->G)},
                        {"Q", Number(p->Q)},
                        {"S", Number(p->S)},
                        {"N", Number(p->N)},
                        {"working", Working(WorkingOf(*p, separator))},
                        {"howReached", Strings(HowReached(*p, separator))}});
}

void Reply(const Result<HorizontalLoads>& h, char32_t separator) {
  answer = !h ? Failure(h.error())
              : Object({{"H", Number(h->H)},
                        {"H1", Number(h->H1)},
                        {"G1", Number(h->G1)},
                        {"Q", Number(h->Q)},
                        {"AlphaH", Number(h->AlphaH)},
                        {"Z", Number(h->Z)},
                        {"N", Number(h->N)},
                        {"ordinates", Ordinates(h->ordinates)},
                        {"working", Working(WorkingOf(*h, separator))},
                        {"howReached", Strings(HowReached(*h, separator))}});
}

std::string Id(auto id) { return Number(static_cast<int>(id)); }

std::string CalculationAnswer(const std::expected<kelvaro::Answer, Refusal>& outcome) {
  if (!outcome) {
    const Refusal& r = outcome.error();
    std::vector<std::string> empty;
    for (const Input input : r.empty) empty.push_back(Id(input));
    return Object({{"message", String(r.message)},
                   {"empty", Array(empty)},
                   {"input", r.failure && r.failure->input ? Id(*r.failure->input) : "null"},
                   {"failure", r.failure ? String(KindName(r.failure->kind)) : "null"}});
  }
  std::vector<std::string> results;
  for (const ResultValue& v : outcome->results) {
    results.push_back(Object(
        {{"id", Id(v.id)}, {"value", Number(v.value)}, {"text", String(v.text)}, {"note", String(v.howReached)}}));
  }
  return Object({{"results", Array(results)},
                 {"working", Working(outcome->working)},
                 {"ordinates", outcome->ordinates ? Ordinates(*outcome->ordinates) : "null"}});
}

template <class T>
void AnswerValue(const Result<T>& v) {
  answer = v ? Object({{"value", Number(*v)}}) : Failure(v.error());
}
void AnswerText(std::string_view text) { answer = Object({{"text", String(text)}}); }

}  // namespace
}  // namespace kelvaro::web

using namespace kelvaro;
using namespace kelvaro::web;

/// Room for text `index` of the next call, `bytes` long; the caller copies the UTF-8 there.
KELVARO_EXPORT(kelvaro_text) char* kelvaro_text(std::uint32_t index, std::uint32_t bytes) {
  if (index >= texts.size()) return nullptr;
  texts[index].assign(bytes, '\0');
  return texts[index].data();
}

/// The last call's answer: where it is and how many bytes long.
KELVARO_EXPORT(kelvaro_answer) const char* kelvaro_answer() { return answer.data(); }
KELVARO_EXPORT(kelvaro_answer_size) std::uint32_t kelvaro_answer_size() {
  return static_cast<std::uint32_t>(answer.size());
}

// Field texts and result texts. The text read is text 0.
KELVARO_EXPORT(kelvaro_parse_field_value) void kelvaro_parse_field_value(char32_t separator) {
  AnswerValue(ParseFieldValue(Text(0), separator));
}
KELVARO_EXPORT(kelvaro_parse_field_double) void kelvaro_parse_field_double(char32_t separator) {
  AnswerValue(ParseFieldDouble(Text(0), separator));
}
KELVARO_EXPORT(kelvaro_format_result) void kelvaro_format_result(float value, char32_t separator) {
  AnswerText(FormatResult(value, separator));
}

// The calculations from numbers; a field taken as text is text 0. The working is written with a point, except
// where the call takes a separator.
KELVARO_EXPORT(kelvaro_compute_ordinates) void kelvaro_compute_ordinates(float J, float B, float W) {
  Reply(ComputeOrdinates(J, B, W), U'.');
}
KELVARO_EXPORT(kelvaro_compute_ordinates_from_text)
void kelvaro_compute_ordinates_from_text(char32_t separator, float B, float W) {
  Reply(ComputeOrdinates(FieldText{Text(0), separator}, B, W), separator);
}
KELVARO_EXPORT(kelvaro_compute_vertical_loads)
void kelvaro_compute_vertical_loads(float Z, float J, float B, float W, float Pmax, float Pmin) {
  Reply(ComputeVerticalLoads(Z, J, B, W, Pmax, Pmin), U'.');
}
KELVARO_EXPORT(kelvaro_compute_min_wheel_pressure)
void kelvaro_compute_min_wheel_pressure(float Pmax, float G, float Q, char32_t separator) {
  Reply(ComputeMinWheelPressure(Pmax, G, Q, FieldText{Text(0), separator}), separator);
}
KELVARO_EXPORT(kelvaro_compute_horizontal_loads)
void kelvaro_compute_horizontal_loads(float G1, float Q, float AlphaH, float Z, float N, char32_t separator, float B,
                                      float W) {
  Reply(ComputeHorizontalLoads(G1, Q, AlphaH, Z, N, FieldText{Text(0), separator}, B, W), separator);
}

// The calculations from the texts of their fields: the text of input i (as numbered by the core's Input) is text i.
KELVARO_EXPORT(kelvaro_symbols) void kelvaro_symbols() {
  std::vector<std::string> symbols;
  for (int i = 0; i < InputCount; ++i) symbols.push_back(String(SymbolOf(static_cast<Input>(i))));
  answer = Array(symbols);
}
KELVARO_EXPORT(kelvaro_vertical_loads_from_texts) void kelvaro_vertical_loads_from_texts(char32_t separator) {
  Reply(ComputeVerticalLoads({.Z = Field(Input::Z),
                              .J = Field(Input::J),
                              .B = Field(Input::B),
                              .W = Field(Input::W),
                              .Pmax = Field(Input::Pmax),
                              .Pmin = Field(Input::Pmin)},
                             separator),
        separator);
}
KELVARO_EXPORT(kelvaro_min_wheel_pressure_from_texts) void kelvaro_min_wheel_pressure_from_texts(char32_t separator) {
  Reply(ComputeMinWheelPressure(
            {.Pmax = Field(Input::Pmax), .G = Field(Input::G), .Q = Field(Input::Q), .N = Field(Input::N)}, separator),
        separator);
}
KELVARO_EXPORT(kelvaro_horizontal_loads_from_texts) void kelvaro_horizontal_loads_from_texts(char32_t separator) {
  Reply(ComputeHorizontalLoads({.G1 = Field(Input::G1),
                                .Q = Field(Input::Q),
                                .AlphaH = Field(Input::AlphaH),
                                .Z = Field(Input::Z),
                                .N = Field(Input::N),
                                .J = Field(Input::J),
                                .B = Field(Input::B),
                                .W = Field(Input::W)},
                               separator),
        separator);
}

// The words the user reads. A failure and its input are named as in an answer ("DivisionByZero", "αH").
KELVARO_EXPORT(kelvaro_failure_title) void kelvaro_failure_title() { AnswerText(FailureTitle); }

/// A window's Calculate: the texts of the inputs are texts 0 to InputCount - 1 (as numbered by the core's Input);
/// the answer is the results by ResultId, or the refusal with its message. False for a window that has no
/// calculator, with no answer.
KELVARO_EXPORT(kelvaro_calculate) bool kelvaro_calculate(std::uint32_t form, char32_t separator) {
  if (form >= static_cast<std::uint32_t>(forms::FormCount)) return false;
  const forms::Form& f = forms::FormOf(static_cast<forms::FormId>(form));
  if (!f.calculator) return false;
  InputTexts inputs;
  for (std::size_t i = 0; i < inputs.size(); ++i) inputs[i] = texts[i];
  answer = CalculationAnswer(Calculate(f.calculator->calculation, inputs, forms::CheckOrderOf(f), separator));
  return true;
}

/// Ctrl+P in a window: its Calculate (the same answer as kelvaro_calculate) and, on success, the sheet of that
/// calculation as a member `sheet`, its figure `figureWidth` wide with an ordinate of 1 at most `unitHeight` high
/// (sheet units). One call, so that the sheet cannot show other numbers than the window.
KELVARO_EXPORT(kelvaro_sheet)
bool kelvaro_sheet(std::uint32_t form, char32_t separator, double figureWidth, double unitHeight) {
  if (form >= static_cast<std::uint32_t>(forms::FormCount)) return false;
  const forms::Form& f = forms::FormOf(static_cast<forms::FormId>(form));
  if (!f.calculator) return false;
  InputTexts inputs;
  for (std::size_t i = 0; i < inputs.size(); ++i) inputs[i] = texts[i];
  const auto outcome = Calculate(f.calculator->calculation, inputs, forms::CheckOrderOf(f), separator);
  answer = CalculationAnswer(outcome);
  if (!outcome) return true;
  const sheet::Content content =
      sheet::ContentOf(outcome->record, std::string(f.caption), sheet::InputRows(f, inputs), separator);
  answer.pop_back();  // the object's closing brace: the sheet is one more member
  answer += ",\"sheet\":" + SheetJson(content, figureWidth, unitHeight) + "}";
  return true;
}
