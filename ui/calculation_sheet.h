// A calculation's sheet for the calculation book (计算书), on one A4 page, painted from what the sheet says
// (sheet/content.h): title and signature lines, what the calculation follows, the inputs as typed, the influence
// line to scale, the working line by line and the results.
#pragma once

#include "content.h"

class QPainter;
class QRectF;

namespace kelvaro::ui {

using CalculationSheet = kelvaro::sheet::Content;

/// Paints the sheet onto `page` (the paper in the painter's device units), A4 proportions kept. Returns how far
/// down the content reached, in millimetres from the top of the paper; the footer starts at FooterTop.
double PaintSheet(QPainter& painter, const QRectF& page, const CalculationSheet& sheet);
inline constexpr double FooterTop = 284;

}  // namespace kelvaro::ui
