#include "calculation.h"

#include "messages.h"

#include <algorithm>

namespace kelvaro {
namespace {

std::string_view Text(const InputTexts& texts, Input input) { return texts[static_cast<std::size_t>(input)]; }
// The check order comes from outside (the page): an id that names no input names no field to check.
bool Known(Input input) { return static_cast<std::size_t>(input) < InputCount; }

template <class Record>
Result<Record> Compute(const InputTexts& t, char32_t sep);

template <>
Result<VerticalLoads> Compute(const InputTexts& t, char32_t sep) {
  return ComputeVerticalLoads({.Z = Text(t, Input::Z),
                               .J = Text(t, Input::J),
                               .B = Text(t, Input::B),
                               .W = Text(t, Input::W),
                               .Pmax = Text(t, Input::Pmax),
                               .Pmin = Text(t, Input::Pmin)},
                              sep);
}
template <>
Result<MinWheelPressure> Compute(const InputTexts& t, char32_t sep) {
  return ComputeMinWheelPressure(
      {.Pmax = Text(t, Input::Pmax), .G = Text(t, Input::G), .Q = Text(t, Input::Q), .N = Text(t, Input::N)}, sep);
}
template <>
Result<HorizontalLoads> Compute(const InputTexts& t, char32_t sep) {
  return ComputeHorizontalLoads({.G1 = Text(t, Input::G1),
                                 .Q = Text(t, Input::Q),
                                 .AlphaH = Text(t, Input::AlphaH),
                                 .Z = Text(t, Input::Z),
                                 .N = Text(t, Input::N),
                                 .J = Text(t, Input::J),
                                 .B = Text(t, Input::B),
                                 .W = Text(t, Input::W)},
                                sep);
}

std::vector<float> Values(const VerticalLoads& d) { return {d.Dmax, d.Dmin}; }
std::vector<float> Values(const MinWheelPressure& p) { return {p.Pmin}; }
std::vector<float> Values(const HorizontalLoads& h) { return {h.H, h.H1}; }

std::optional<InfluenceOrdinates> OrdinatesOf(const VerticalLoads& d) { return d.ordinates; }
std::optional<InfluenceOrdinates> OrdinatesOf(const MinWheelPressure&) { return std::nullopt; }
std::optional<InfluenceOrdinates> OrdinatesOf(const HorizontalLoads& h) { return h.ordinates; }

template <class Record>
std::expected<Answer, Refusal> Run(Calculation calculation, const InputTexts& texts, char32_t sep) {
  const Result<Record> record = Compute<Record>(texts, sep);
  if (!record) {
    const NumberFailure& failure = record.error();
    const std::string quoted = failure.input ? QuoteFieldText(Text(texts, *failure.input)) : std::string();
    return std::unexpected(Refusal{{}, failure, FailureMessage(failure, quoted, sep)});
  }
  Answer answer{calculation, {}, WorkingOf(*record, sep), OrdinatesOf(*record), *record, {}};
  const std::vector<float> values = Values(*record);
  const std::vector<std::string> notes = HowReached(*record, sep);
  const std::span<const ResultId> ids = ResultsOf(calculation);
  answer.notes = NotesOf(answer.record, sep);
  std::string warned;
  for (const std::string& note : answer.notes) warned += "\n注意：" + note;
  for (std::size_t i = 0; i < std::min({ids.size(), values.size(), notes.size()}); ++i) {
    answer.results.push_back({ids[i], values[i], FormatResult(values[i], sep), notes[i] + warned});
  }
  return answer;
}

}  // namespace

std::string_view NameOf(Calculation calculation) {
  switch (calculation) {
    case Calculation::VerticalLoads:
      return "VerticalLoads";
    case Calculation::MinWheelPressure:
      return "MinWheelPressure";
    case Calculation::HorizontalLoads:
      return "HorizontalLoads";
  }
  return "";
}

std::string_view NameOf(ResultId result) {
  constexpr std::array<std::string_view, ResultCount> names{"Dmax", "Dmin", "Pmin", "H", "H1"};
  const auto i = static_cast<std::size_t>(result);
  return i < names.size() ? names[i] : std::string_view();
}

std::expected<Answer, Refusal> Calculate(Calculation calculation, const InputTexts& texts,
                                         std::span<const Input> checkOrder, char32_t sep) {
  std::vector<Input> empty;
  for (const Input input : checkOrder) {
    if (Known(input) && Text(texts, input).empty()) empty.push_back(input);
  }
  if (!empty.empty()) {
    std::string message = EmptyFieldsMessage(empty);
    return std::unexpected(Refusal{std::move(empty), std::nullopt, std::move(message)});
  }
  switch (calculation) {
    case Calculation::VerticalLoads:
      return Run<VerticalLoads>(calculation, texts, sep);
    case Calculation::MinWheelPressure:
      return Run<MinWheelPressure>(calculation, texts, sep);
    case Calculation::HorizontalLoads:
      return Run<HorizontalLoads>(calculation, texts, sep);
  }
  return std::unexpected(Refusal{{}, std::nullopt, {}});
}

}  // namespace kelvaro
