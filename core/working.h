// The working behind each result, as text: one line per statement of the rules with the numbers put in, and the
// short note a result field shows. Tooltips, the calculation sheet and the browser edition all show these, so
// every front end shows the same working and none computes anything again.
#pragma once

#include "calculations.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

/// "Y1 = (J − W) / J = (6 − 4.4) / 6 = 0.2666667": every number is FormatResult's text (FormatValue's for the
/// doubles J, N and Gravity).
struct WorkingLine {
  std::string quantity;        // "Y1"
  std::string formula;         // "(J − W) / J"
  std::string numbers;         // "(6 − 4.4) / 6"
  std::string result;          // "0.2666667"
  std::string_view unit;       // "Kn", "t" or empty
  bool beyondSupport = false;  // an ordinate set to 0: the wheel stands beyond an outer support
};

/// Why an ordinate is 0 although its formula gives less.
inline constexpr std::string_view BeyondSupportNote = "车轮在边支座以外，不对本柱产生荷载";

std::vector<WorkingLine> WorkingOf(const InfluenceOrdinates& y, char32_t decimalSeparator = U'.');
/// The ordinates, then Dmax and Dmin.
std::vector<WorkingLine> WorkingOf(const VerticalLoads& d, char32_t decimalSeparator = U'.');
/// S, then Pmin.
std::vector<WorkingLine> WorkingOf(const MinWheelPressure& p, char32_t decimalSeparator = U'.');
/// The ordinates, then H and H1.
std::vector<WorkingLine> WorkingOf(const HorizontalLoads& h, char32_t decimalSeparator = U'.');

/// One dimension of the chain that places the wheels between the outer supports, as the window's diagram draws it.
struct Dimension {
  std::string_view name;  // "J−W"
  double length;          // metres, formed in double from J, B and W as read; negative where the inputs turn it
  std::string text;       // the length as FormatValue writes it
};
/// J−W, W, B−W, W, J−B: left outer support, wheel 1, middle support (wheel 2), wheel 3, wheel 4, right outer
/// support. Each length is one double operation on the values the ordinates were computed from.
std::array<Dimension, 5> DimensionChain(const InfluenceOrdinates& y, char32_t decimalSeparator = U'.');

/// The whole line; an ordinate set to 0 says so.
std::string LineText(const WorkingLine& line);

/// For each result, in result order, the note its field shows on hovering: its formula, then the values that
/// went into it.
std::vector<std::string> HowReached(const VerticalLoads& d, char32_t decimalSeparator = U'.');
std::vector<std::string> HowReached(const MinWheelPressure& p, char32_t decimalSeparator = U'.');
std::vector<std::string> HowReached(const HorizontalLoads& h, char32_t decimalSeparator = U'.');

}  // namespace kelvaro
