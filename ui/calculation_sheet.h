// A calculation's sheet for the calculation book (计算书), on one A4 page: title and signature lines, what the
// calculation follows, the inputs as typed, the influence line to scale, the working line by line and the
// results. It is built from the core's record of a successful calculation and the input rows the window shows,
// and computes nothing: every number on it is the core's text.
#pragma once

#include "calculations.h"
#include "working.h"

#include <QString>

#include <optional>
#include <vector>

class QPainter;
class QRectF;

namespace kelvaro::ui {

/// An input as the window shows it.
struct SheetInput {
  QString symbol;   // "J"
  QString caption;  // "柱距"
  QString text;     // exactly as typed
  QString unit;     // "米"; may be empty
};

/// A result for the framed box: "吊车最大竖向荷载  Dmax = 195 Kn".
struct SheetResult {
  QString caption;
  QString quantity, value, unit;
};

struct CalculationSheet {
  QString name;   // the calculation's name, as its window is captioned
  QString basis;  // what the calculation follows, in plain words
  std::vector<SheetInput> inputs;
  /// The figure, for a calculation that goes through the influence line, and what its wheels press with.
  std::optional<InfluenceOrdinates> ordinates;
  QString wheelLoad;
  std::vector<WorkingLine> working;
  std::vector<SheetResult> results;
  char32_t decimalSeparator = U'.';
};

CalculationSheet SheetOf(const VerticalLoads& d, const QString& name, std::vector<SheetInput> inputs,
                         char32_t decimalSeparator);
CalculationSheet SheetOf(const MinWheelPressure& p, const QString& name, std::vector<SheetInput> inputs,
                         char32_t decimalSeparator);
CalculationSheet SheetOf(const HorizontalLoads& h, const QString& name, std::vector<SheetInput> inputs,
                         char32_t decimalSeparator);

/// The program's name and version, as the footer gives them.
QString ProgramVersion();

/// Paints the sheet onto `page` (the paper in the painter's device units), A4 proportions kept. Returns how far
/// down the content reached, in millimetres from the top of the paper; the footer starts at FooterTop.
double PaintSheet(QPainter& painter, const QRectF& page, const CalculationSheet& sheet);
inline constexpr double FooterTop = 284;

}  // namespace kelvaro::ui
