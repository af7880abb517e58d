#include "influence_figure.h"

#include "sheet_units.h"
#include "working.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvaro::ui {
namespace {

using sheet::Mm;

constexpr double Side = 8 * Mm;       // room at each end for the labels of points there
constexpr double Gap = 1.5 * Mm;      // the least space between two texts
constexpr double Arrow = 6 * Mm;      // a wheel load's arrow
constexpr double Beam = 0.7 * Mm;     // the crane beam's thickness
constexpr double Support = 3.2 * Mm;  // a support's triangle
constexpr double Tick = 1 * Mm;       // half the oblique tick at a dimension's end
const QColor Influence(222, 222, 222);
constexpr double Anywhere = std::numeric_limits<double>::infinity();

QFont LabelFont() { return sheet::Font(sheet::Pt(9)); }
QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QPen Pen(double width, Qt::PenStyle style = Qt::SolidLine) { return QPen(Qt::black, width, style, Qt::FlatCap); }

double Ordinate(const InfluenceOrdinates& y, std::size_t wheel) {
  const std::array<float, 4> ordinates = {y.Y1, y.Y2, y.Y3, y.Y4};
  return ordinates[wheel];
}

// Two short strokes across a line: the drawing is not to scale across them.
void BreakMark(QPainter& p, QPointF at, bool acrossVertical) {
  for (const double d : {-0.6 * Mm, 0.6 * Mm}) {
    const QPointF c = acrossVertical ? at + QPointF(0, d) : at + QPointF(d, 0);
    const QPointF half = acrossVertical ? QPointF(1.2 * Mm, 0.6 * Mm) : QPointF(0.6 * Mm, -1.2 * Mm);
    p.drawLine(c - half, c + half);
  }
}

}  // namespace

FigureGeometry GeometryOf(const InfluenceOrdinates& y) {
  const double J = y.J, B = y.B, W = y.W, bay = std::abs(J), s = J < 0 ? -1 : 1;
  FigureGeometry g;
  g.supports = {0, s, 2 * s};
  // One difference divided by the bay: no position can overflow, whatever J the core accepted.
  const std::array<double, 4> at = {(J - W) / bay, s, s + (B - W) / bay, s + B / bay};
  // Up to one bay beyond each outer support is drawn to scale, so that the two bays always stay legible.
  const double lo = std::min(0.0, 2 * s) - 1, hi = std::max(0.0, 2 * s) + 1;
  g.from = std::min(0.0, 2 * s);
  g.to = std::max(0.0, 2 * s);
  for (std::size_t i = 0; i < at.size(); ++i) {
    g.wheels[i] = std::clamp(at[i], lo, hi);
    g.cut[i] = g.wheels[i] != at[i];
    g.from = std::min(g.from, g.wheels[i]);
    g.to = std::max(g.to, g.wheels[i]);
  }
  return g;
}

struct InfluenceFigure::Pending {
  QString text;
  double anchor;       // the x the text belongs to
  double room;         // the width it may take in row 0
  double targetY = 0;  // where a leader to a moved text ends
};

InfluenceFigure::InfluenceFigure(const InfluenceOrdinates& y, char32_t separator, double width, double unitHeight)
    : y_(y), geometry_(GeometryOf(y)), width_(width) {
  const QFontMetricsF fm(LabelFont());
  line_ = fm.height();
  const double step = line_ + 0.6 * Mm;
  left_ = Side;
  scale_ = (width_ - 2 * Side) / (geometry_.to - geometry_.from);
  const FigureGeometry& g = geometry_;
  chainX_ = {xOf(g.supports[0]), xOf(g.wheels[0]), xOf(g.wheels[1]),
             xOf(g.wheels[2]),   xOf(g.wheels[3]), xOf(g.supports[2])};

  arrowTop_ = 0;
  beam_ = arrowTop_ + Arrow;

  // J−W, W, B−W, W, J−B: each text over its stretch, or under the line when it does not fit between its ticks.
  chain_ = beam_ + Beam + Support + 2.5 * Mm + line_;
  std::vector<Pending> dimensions;
  const auto chain = DimensionChain(y, separator);
  for (std::size_t i = 0; i < chain.size(); ++i) {
    const double a = chainX_[i], b = chainX_[i + 1];
    dimensions.push_back({Text(chain[i].name) + QStringLiteral(" = ") + Text(chain[i].text), (a + b) / 2,
                          std::abs(b - a) - Gap, chain_});
  }
  int rows = place(dimensions, chain_ - 0.5 * Mm - line_, chain_ + 1.5 * Mm, 1);
  spans_ = (rows > 1 ? chain_ + 1.5 * Mm + (rows - 1) * step : chain_ + Tick) + 2.5 * Mm + line_;

  const QString bay = QStringLiteral("J = ") + Text(FormatValue(y.J, separator));
  std::vector<Pending> spans;
  for (std::size_t i = 0; i < 2; ++i) {
    const double a = xOf(g.supports[i]), b = xOf(g.supports[i + 1]);
    spans.push_back({bay, (a + b) / 2, std::abs(b - a) - Gap, spans_});
  }
  rows = place(spans, spans_ - 0.5 * Mm - line_, spans_ + 1.5 * Mm, 1);

  // 1 over the middle support. A negative W or B − W gives ordinates above 1: drawn to the same scale, up to a
  // limit, so that what does not lie on the line is seen to stand out of it.
  ordinateTop_ = (rows > 1 ? spans_ + 1.5 * Mm + (rows - 1) * step : spans_ + Tick) + 4 * Mm;
  const double tallest = std::max({1.0f, y.Y1, y.Y2, y.Y3, y.Y4});
  tallest_ = 1.25 * unitHeight;
  unit_ = std::clamp(tallest_ / tallest, unitHeight / 2, unitHeight);
  baseline_ = ordinateTop_ + std::min(tallest_, unit_ * tallest);

  const std::vector<WorkingLine> working = WorkingOf(y, separator);
  std::vector<Pending> ordinates;
  QStringList beyond;
  for (std::size_t i = 0; i < 4; ++i) {
    const WorkingLine& w = working[i];
    ordinates.push_back(
        {Text(w.quantity) + QStringLiteral(" = ") + Text(w.result), chainX_[i + 1], Anywhere, baseline_});
    if (w.beyondSupport) beyond << Text(w.quantity);
  }
  rows = place(ordinates, baseline_ + 1 * Mm, baseline_ + 1 * Mm + step, 0);
  height_ = baseline_ + 1 * Mm + rows * step;
  if (!beyond.isEmpty()) {
    note_ = QStringLiteral("注：%1 的%2，竖标取 0。").arg(beyond.join(QStringLiteral("、")), Text(BeyondSupportNote));
    labels_.push_back({note_, QRectF(0, height_ + 1 * Mm, fm.horizontalAdvance(note_), line_)});
    height_ += 1 * Mm + line_;
  }
}

// Finds rows for a group of texts (at most five): no two may overlap; a text stands centred on what it names or,
// where it has no stretch to keep to, beside it; one away from row 0 gets a leader to what it names. Of all the
// ways, the one taken crosses the fewest leaders through texts, then uses the fewest rows, then the lowest ones.
int InfluenceFigure::place(std::vector<Pending> group, double row0Top, double row1Top, int firstCrossed) {
  const QFontMetricsF fm(LabelFont());
  const double step = line_ + 0.6 * Mm, near = Gap / 3;
  const int count = static_cast<int>(group.size());
  struct Option {
    int row;
    double left, right;
    int cost;
  };
  std::vector<std::vector<Option>> options(group.size());
  for (std::size_t k = 0; k < group.size(); ++k) {
    const Pending& p = group[k];
    const double w = fm.horizontalAdvance(p.text);
    for (int row = 0; row <= count; ++row) {  // one row more than texts: every text can have a row
      for (int align = 0; align < (row == 0 && std::isfinite(p.room) ? 1 : 3); ++align) {
        if (row == 0 && w > p.room) continue;
        // Centred, or just beside the anchor (a leader then runs past the text, not through it); inside the
        // figure in any case.
        double left = align == 0 ? p.anchor - w / 2 : align == 1 ? p.anchor - near - w : p.anchor + near;
        left = std::clamp(left, 0.0, std::max(0.0, width_ - w));
        options[k].push_back({row, left, left + w, 10 * row + (align == 0 ? 0 : 1)});
      }
    }
  }
  const auto covers = [&](const Option& o, double x) { return x > o.left - near && x < o.right + near; };
  // The leader of a text in row a runs through the rows from firstCrossed up to a.
  const auto crossing = [&](const Option& box, const Option& other, double otherAnchor) {
    return box.row >= firstCrossed && box.row < other.row && covers(box, otherAnchor);
  };
  std::vector<const Option*> chosen(group.size()), best;
  int bestCost = std::numeric_limits<int>::max();
  const auto search = [&](auto& self, std::size_t k, int cost, int rows) -> void {
    if (cost + 100 * rows >= bestCost) return;
    if (k == group.size()) {
      bestCost = cost + 100 * rows;
      best = chosen;
      return;
    }
    for (const Option& o : options[k]) {
      int added = o.cost;
      bool overlaps = false;
      for (std::size_t j = 0; j < k && !overlaps; ++j) {
        const Option& c = *chosen[j];
        overlaps = c.row == o.row && o.left < c.right + Gap && o.right + Gap > c.left;
        added += 1000 * (crossing(o, c, group[j].anchor) + crossing(c, o, group[k].anchor));
      }
      if (overlaps) continue;
      chosen[k] = &o;
      self(self, k + 1, cost + added, std::max(rows, o.row + 1));
    }
  };
  search(search, 0, 0, 0);

  int rows = 0;
  for (std::size_t k = 0; k < group.size(); ++k) {
    const Pending& p = group[k];
    const Option& o = *best[k];
    rows = std::max(rows, o.row + 1);
    const double top = o.row == 0 ? row0Top : row1Top + (o.row - 1) * step;
    labels_.push_back({p.text, QRectF(o.left, top, o.right - o.left, line_)});
    if (o.row > 0) leaders_.push_back(QLineF(p.anchor, p.targetY, std::clamp(p.anchor, o.left, o.right), top));
  }
  return rows;
}

double InfluenceFigure::ordinateHeight(std::size_t wheel) const {
  return std::min(tallest_, unit_ * Ordinate(y_, wheel));
}

void InfluenceFigure::paint(QPainter& painter, QPointF topLeft) const {
  painter.save();
  painter.translate(topLeft);
  painter.setRenderHint(QPainter::Antialiasing);
  paintInfluenceLine(painter);
  paintBeam(painter);
  paintDimensions(painter);
  painter.setPen(Pen(0.15 * Mm));
  for (const QLineF& leader : leaders_) painter.drawLine(leader);
  painter.setFont(LabelFont());
  for (const FigureLabel& label : labels_) painter.drawText(label.box, Qt::AlignCenter, label.text);
  painter.restore();
}

void InfluenceFigure::paintBeam(QPainter& p) const {
  const auto [lo, hi] = std::minmax({chainX_[0], chainX_[5]});
  const auto [first, last] = std::ranges::minmax(chainX_);
  // Beyond the outer supports lie the neighbouring beams: a wheel there stands on them.
  p.setPen(Pen(0.35 * Mm, Qt::DashLine));
  const double axis = beam_ + Beam / 2;
  if (first < lo) p.drawLine(QPointF(first, axis), QPointF(lo, axis));
  if (last > hi) p.drawLine(QPointF(hi, axis), QPointF(last, axis));
  p.fillRect(QRectF(lo, beam_, hi - lo, Beam), Qt::black);

  p.setPen(Pen(0.25 * Mm));
  for (std::size_t i = 0; i < 3; ++i) {
    const double x = xOf(geometry_.supports[i]), base = beam_ + Beam + Support;
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(x, beam_ + Beam), QPointF(x - 1.8 * Mm, base), QPointF(x + 1.8 * Mm, base)}));
    p.drawLine(QPointF(x - 2.8 * Mm, base + 0.4 * Mm), QPointF(x + 2.8 * Mm, base + 0.4 * Mm));
    for (double h = -2.4 * Mm; h < 2.8 * Mm; h += 1.2 * Mm) {
      p.drawLine(QPointF(x + h, base + 0.4 * Mm), QPointF(x + h - 0.8 * Mm, base + 1.2 * Mm));
    }
  }
  p.setBrush(Qt::black);
  for (std::size_t i = 0; i < 4; ++i) {
    const double x = chainX_[i + 1];
    p.drawLine(QPointF(x, arrowTop_), QPointF(x, beam_ - 1.5 * Mm));
    p.drawPolygon(
        QPolygonF({QPointF(x, beam_), QPointF(x - 0.7 * Mm, beam_ - 2 * Mm), QPointF(x + 0.7 * Mm, beam_ - 2 * Mm)}));
    if (!geometry_.cut[i]) continue;
    const double support = x < lo ? lo : hi;
    BreakMark(p, QPointF((x + support) / 2, axis), false);
  }
  p.setBrush(Qt::NoBrush);
}

void InfluenceFigure::paintDimensions(QPainter& p) const {
  const auto [first, last] = std::ranges::minmax(chainX_);
  const double spanA = xOf(geometry_.supports[0]), spanC = xOf(geometry_.supports[2]);
  const auto dimensionLine = [&](double y, double from, double to, std::initializer_list<double> at) {
    p.setPen(Pen(0.15 * Mm));
    p.drawLine(QPointF(from - 1.5 * Mm, y), QPointF(to + 1.5 * Mm, y));
    for (const double x : at) p.drawLine(QPointF(x, y - 1.5 * Mm), QPointF(x, y + 1.2 * Mm));
    p.setPen(Pen(0.3 * Mm));
    for (const double x : at) p.drawLine(QPointF(x - Tick, y + Tick), QPointF(x + Tick, y - Tick));
  };
  dimensionLine(chain_, first, last, {chainX_[0], chainX_[1], chainX_[2], chainX_[3], chainX_[4], chainX_[5]});
  dimensionLine(spans_, std::min(spanA, spanC), std::max(spanA, spanC), {spanA, xOf(geometry_.supports[1]), spanC});
  p.setPen(Pen(0.15 * Mm));
  for (std::size_t i = 0; i < 4; ++i) {
    if (!geometry_.cut[i]) continue;
    const double x = chainX_[i + 1], support = std::abs(x - spanA) < std::abs(x - spanC) ? spanA : spanC;
    BreakMark(p, QPointF((x + support) / 2, chain_), false);
  }
}

void InfluenceFigure::paintInfluenceLine(QPainter& p) const {
  const double a = xOf(geometry_.supports[0]), b = xOf(geometry_.supports[1]), c = xOf(geometry_.supports[2]);
  p.setPen(Pen(0.35 * Mm));
  p.setBrush(Influence);
  p.drawPolygon(QPolygonF({QPointF(a, baseline_), QPointF(b, baseline_ - unit_), QPointF(c, baseline_)}));
  p.setBrush(Qt::NoBrush);
  const auto [first, last] = std::ranges::minmax(chainX_);
  const auto [lo, hi] = std::minmax(a, c);
  p.setPen(Pen(0.25 * Mm, Qt::DashLine));
  if (first < lo) p.drawLine(QPointF(first, baseline_), QPointF(lo, baseline_));
  if (last > hi) p.drawLine(QPointF(hi, baseline_), QPointF(last, baseline_));
  for (std::size_t i = 0; i < 4; ++i) {
    const double x = chainX_[i + 1], h = ordinateHeight(i);
    p.setPen(Pen(0.3 * Mm));
    if (h > 0) p.drawLine(QPointF(x, baseline_), QPointF(x, baseline_ - h));
    if (h < unit_ * Ordinate(y_, i)) BreakMark(p, QPointF(x, baseline_ - h + 1.5 * Mm), true);
    // An ordinate set to 0: the wheel is marked on the zero line.
    if (h == 0) p.drawEllipse(QPointF(x, baseline_), 0.8 * Mm, 0.8 * Mm);
  }
}

}  // namespace kelvaro::ui
