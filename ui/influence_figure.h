// The influence line of the middle support's reaction, drawn to scale from the J, B and W of a calculation: both
// bays, the three supports, the four wheels where they stand, the dimension chain and the ordinates with their
// values. Every number on it is the core's text; positions are for drawing only.
#pragma once

#include "calculations.h"

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <array>
#include <vector>

class QPainter;

namespace kelvaro::ui {

/// Where the figure puts things along the beam, in bays (multiples of |J|) from the left outer support: a
/// negative J mirrors the figure, and no input can make a position overflow.
struct FigureGeometry {
  std::array<double, 3> supports{};  // left outer, middle (the column), right outer
  std::array<double, 4> wheels{};    // under Y1 .. Y4, as drawn
  /// A wheel further out than one bay beyond the outer supports is drawn at that limit, with a break mark.
  std::array<bool, 4> cut{};
  double from = 0, to = 0;  // the stretch of beam drawn
};
FigureGeometry GeometryOf(const InfluenceOrdinates& y);

/// A text of the figure and the box it is drawn in (figure units, from the figure's top-left corner).
struct FigureLabel {
  QString text;
  QRectF box;
};

class InfluenceFigure {
 public:
  /// `width` and `unitHeight`, the height of an ordinate of 1, in sheet units.
  InfluenceFigure(const InfluenceOrdinates& y, char32_t decimalSeparator, double width, double unitHeight);

  double width() const { return width_; }
  double height() const { return height_; }
  const FigureGeometry& geometry() const { return geometry_; }
  /// The x of a point of the beam, `bays` from the left outer support.
  double xOf(double bays) const { return left_ + (bays - geometry_.from) * scale_; }
  /// The height an ordinate is drawn with; cut at the top of the drawing when it would leave it.
  double ordinateHeight(std::size_t wheel) const;
  /// Every text of the figure: the dimensions, the spans, the ordinates and the note.
  const std::vector<FigureLabel>& labels() const { return labels_; }
  /// Lines from a text that had to move away from what it names, to that.
  const std::vector<QLineF>& leaders() const { return leaders_; }
  /// The line under the figure for wheels beyond an outer support; empty when there are none.
  const QString& note() const { return note_; }

  void paint(QPainter& painter, QPointF topLeft) const;

 private:
  struct Pending;
  int place(std::vector<Pending> group, double row0Top, double rowTop1, int firstCrossed);
  void paintBeam(QPainter& painter) const;
  void paintDimensions(QPainter& painter) const;
  void paintInfluenceLine(QPainter& painter) const;

  InfluenceOrdinates y_;
  FigureGeometry geometry_;
  std::array<double, 6> chainX_{};  // the dimension chain's points: supports and wheels, left to right
  std::vector<FigureLabel> labels_;
  std::vector<QLineF> leaders_;  // from a label moved away from its place to what it names
  QString note_;
  double width_, height_ = 0, left_ = 0, scale_ = 1, unit_ = 0, tallest_ = 0, line_ = 0;
  double arrowTop_ = 0, beam_ = 0, chain_ = 0, spans_ = 0, ordinateTop_ = 0, baseline_ = 0;
};

}  // namespace kelvaro::ui
