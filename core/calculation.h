// One typed way into the core for every calculation: the texts of the fields in, and back either the results with
// their values, texts and notes, the working and the ordinates, or the failure with its message already written.
// Both editions make exactly this one call per Calculate, so that neither reads a number, words a message or
// formats a result itself.
#pragma once

#include "calculations.h"
#include "working.h"

#include <array>
#include <expected>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kelvaro {

enum class Calculation : unsigned char { VerticalLoads, MinWheelPressure, HorizontalLoads };
inline constexpr int CalculationCount = 3;
/// "VerticalLoads": the name a file or a test may use for it.
std::string_view NameOf(Calculation calculation);

enum class ResultId : unsigned char { Dmax, Dmin, Pmin, H, H1 };
inline constexpr int ResultCount = 5;
/// "Dmax".
std::string_view NameOf(ResultId result);

namespace detail {
inline constexpr std::array<ResultId, 2> VerticalResults{ResultId::Dmax, ResultId::Dmin};
inline constexpr std::array<ResultId, 1> MinWheelResults{ResultId::Pmin};
inline constexpr std::array<ResultId, 2> HorizontalResults{ResultId::H, ResultId::H1};
inline constexpr std::array<Input, 6> VerticalInputs{Input::Z, Input::J, Input::B, Input::W, Input::Pmax, Input::Pmin};
inline constexpr std::array<Input, 4> MinWheelInputs{Input::Pmax, Input::G, Input::Q, Input::N};
inline constexpr std::array<Input, 8> HorizontalInputs{Input::G1, Input::Q, Input::AlphaH, Input::Z,
                                                       Input::N,  Input::J, Input::B,      Input::W};
}  // namespace detail

/// The results a calculation hands back, in that order.
constexpr std::span<const ResultId> ResultsOf(Calculation calculation) {
  switch (calculation) {
    case Calculation::VerticalLoads:
      return detail::VerticalResults;
    case Calculation::MinWheelPressure:
      return detail::MinWheelResults;
    case Calculation::HorizontalLoads:
      return detail::HorizontalResults;
  }
  return {};
}
/// The inputs a calculation reads.
constexpr std::span<const Input> InputsOf(Calculation calculation) {
  switch (calculation) {
    case Calculation::VerticalLoads:
      return detail::VerticalInputs;
    case Calculation::MinWheelPressure:
      return detail::MinWheelInputs;
    case Calculation::HorizontalLoads:
      return detail::HorizontalInputs;
  }
  return {};
}

/// The text of every input, by Input; a calculation reads only its own.
using InputTexts = std::array<std::string_view, InputCount>;

struct ResultValue {
  ResultId id;
  float value;
  std::string text;        // as the result field shows it (FormatResult)
  std::string howReached;  // the note the field shows on hovering
};

/// The core's record of a successful calculation: what it read and what it computed.
using Record = std::variant<VerticalLoads, MinWheelPressure, HorizontalLoads>;

/// What the inputs say that no crane or beam can be, or what looks mistyped, in plain words: a negative J, B or
/// W, W > B, B or W far longer than J, Pmin > Pmax, a negative Pmin. The numbers still follow the rules.
std::vector<std::string> NotesOf(const Record& record, char32_t decimalSeparator = U'.');

/// A calculation that succeeded: its results in ResultsOf order, its working line by line, the influence line's
/// ordinates for a calculation that goes through them, and the core's own record of it (for the sheet).
struct Answer {
  Calculation calculation;
  std::vector<ResultValue> results;
  std::vector<WorkingLine> working;
  std::optional<InfluenceOrdinates> ordinates;
  Record record;
  /// NotesOf(record); each result's howReached ends with them too.
  std::vector<std::string> notes;
};

/// A calculation that could not be made, and what the user is told.
struct Refusal {
  /// The empty fields' inputs in check order (each takes the focus in turn); empty when none was empty.
  std::vector<Input> empty;
  /// Otherwise the reading or arithmetic failure, with the input to blame where there is one.
  std::optional<NumberFailure> failure;
  std::string message;
};

/// Empty fields first, in `checkOrder`; then the calculation, reading its texts in its read order. Never throws.
std::expected<Answer, Refusal> Calculate(Calculation calculation, const InputTexts& texts,
                                         std::span<const Input> checkOrder, char32_t decimalSeparator = U'.');

/// A field's text as a message quotes it: at most 24 whole characters (extended grapheme clusters, so that no
/// character is cut in two) and "…" when cut, with controls, line breaks and direction-changing characters shown
/// as U+FFFD so that they cannot garble the message. Invalid UTF-8 also shows as U+FFFD. What draws nothing or only
/// a blank (zero-width and other default-ignorable characters, spaces but the ASCII one) shows as its number,
/// "⟨U+200B⟩", so that the text quoted looks as different as it is; an emoji keeps its own joiners, variation
/// selectors and tags.
std::string QuoteFieldText(std::string_view text);

/// A field's text as a sheet prints it "as typed": every character kept, in order, but each one that draws nothing,
/// only a blank, or would move or break the line (a tab, a line break, a direction mark) shown as its number
/// ("⟨U+0009⟩"), so that the text printed looks as different as it is. A text over a third longer than `longest`
/// characters is shown by its first and last `longest` in all, saying how many it leaves out between them, so that
/// no text can push the sheet off its page.
std::string ShowFieldText(std::string_view text, std::size_t longest);

}  // namespace kelvaro
