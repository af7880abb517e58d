// The figure of the critical position, drawn to scale, as plain shapes: the desktop paints them, the page writes
// them as SVG, the sheet prints them, so that all three show one drawing. Units are pixels at scale 1.
#pragma once

#include "crane_arrangement.h"

#include <string>
#include <vector>

namespace kelvaro::forms {

enum class Ink : unsigned char { Normal, Grey, Accent, Thin };

struct FigureLine {
  double x1, y1, x2, y2;
  Ink ink = Ink::Normal;
};
struct FigureWheel {
  double x, y, r;
  Ink ink = Ink::Normal;  // Accent: the wheel over the column; Grey: beyond a support
};
enum class Anchor : unsigned char { Start, Middle, End };
struct FigureText {
  double x, y;  // the baseline
  std::string text;
  Anchor anchor = Anchor::Middle;
  Ink ink = Ink::Normal;
};
struct Figure {
  double width = 0, height = 0;
  std::vector<FigureLine> lines{};
  std::vector<FigureWheel> wheels{};
  std::vector<FigureText> texts{};
};

/// The cranes of `placement` (brackets of their width, wheels, the one over the column marked, wheels off the
/// beams grey), the three supports with both bays dimensioned, and the influence line with the ordinate under
/// each wheel, to one scale across `width`.
Figure CraneFigure(const CraneArrangementData& data, const Placement& placement, double width = 640,
                   char32_t decimalSeparator = U'.');

}  // namespace kelvaro::forms
