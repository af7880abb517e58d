// The influence-line figure (sheet/figure.h) on the desktop: laid out with the toolkit's measure of the sheet's
// font, and painted with QPainter.
#pragma once

#include "figure.h"

#include <QPointF>

class QPainter;

namespace kelvaro::ui {

/// The figure's texts as the sheet's font measures them.
kelvaro::sheet::TextMeasure DesktopMeasure();

/// The figure for `y`, `width` wide, an ordinate of 1 at most `unitHeight` high (sheet units).
kelvaro::sheet::Figure DesktopFigure(const InfluenceOrdinates& y, char32_t decimalSeparator, double width,
                                     double unitHeight);

void PaintFigure(QPainter& painter, const kelvaro::sheet::Figure& figure, QPointF topLeft);

}  // namespace kelvaro::ui
