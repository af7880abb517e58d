#include "figure.h"

#include "working.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvaro::sheet {
namespace {

constexpr double Side = 8 * Mm;       // room at each end for the labels of points there
constexpr double Gap = 1.5 * Mm;      // the least space between two texts
constexpr double Arrow = 6 * Mm;      // a wheel load's arrow
constexpr double Beam = 0.7 * Mm;     // the crane beam's thickness
constexpr double Support = 3.2 * Mm;  // a support's triangle
constexpr double Tick = 1 * Mm;       // half the oblique tick at a dimension's end
constexpr double Anywhere = std::numeric_limits<double>::infinity();

double Ordinate(const InfluenceOrdinates& y, std::size_t wheel) {
  const std::array<float, 4> ordinates = {y.Y1, y.Y2, y.Y3, y.Y4};
  return ordinates[wheel];
}

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }

struct Pending {
  std::string text;
  double anchor;       // the x the text belongs to
  double room;         // the width it may take in row 0
  double targetY = 0;  // where a leader to a moved text ends
};

// Lays the figure out top to bottom, then draws it into `f`.
class Layout {
 public:
  Layout(const InfluenceOrdinates& y, const TextMeasure& m, Figure& f) : y_(y), m_(m), f_(f) {}
  void lay(char32_t separator, double unitHeight);
  void draw();

 private:
  double xOf(double bays) const { return Side + (bays - f_.geometry.from) * scale_; }
  int place(const std::vector<Pending>& group, double row0Top, double row1Top, int firstCrossed);
  void line(Point a, Point b, double stroke, bool dashed = false) {
    f_.shapes.push_back({Shape::Kind::Line, {a, b}, stroke, dashed});
  }
  void polygon(std::vector<Point> points, double stroke, Fill fill) {
    f_.shapes.push_back({Shape::Kind::Polygon, std::move(points), stroke, false, fill});
  }
  void breakMark(Point at, bool acrossVertical, double stroke);
  void beam();
  void dimensions();
  void influenceLine();

  const InfluenceOrdinates& y_;
  const TextMeasure& m_;
  Figure& f_;
  std::array<double, 4> wheelX_{};  // the wheels' arrows
  double first_ = 0, last_ = 0;     // the chain's ends
  double scale_ = 1, tallest_ = 0, arrowTop_ = 0, beam_ = 0, chain_ = 0, spans_ = 0, baseline_ = 0;
};

void Layout::lay(char32_t separator, double unitHeight) {
  const double lineHeight = m_.lineHeight, step = lineHeight + 0.6 * Mm;
  const FigureGeometry& g = f_.geometry;
  scale_ = (f_.width - 2 * Side) / (g.to - g.from);
  for (std::size_t i = 0; i < 4; ++i) wheelX_[i] = xOf(g.wheels[i]);
  first_ = xOf(g.from);
  last_ = xOf(g.to);
  f_.wheelX = wheelX_;
  arrowTop_ = 0;
  beam_ = arrowTop_ + Arrow;

  // The chain: each text over its stretch, or under the line when it does not fit between its ticks.
  chain_ = beam_ + Beam + Support + 2.5 * Mm + lineHeight;
  std::vector<Pending> dimensions;
  for (const FigureGeometry::Segment& segment : g.chain) {
    const double a = xOf(segment.from), b = xOf(segment.to);
    dimensions.push_back({segment.label, (a + b) / 2, b - a - Gap, chain_});
  }
  int rows = place(dimensions, chain_ - 0.5 * Mm - lineHeight, chain_ + 1.5 * Mm, 1);
  spans_ = (rows > 1 ? chain_ + 1.5 * Mm + (rows - 1) * step : chain_ + Tick) + 2.5 * Mm + lineHeight;

  const std::string bay = "J = " + PrintedNumbers(FormatValue(y_.J, separator));
  std::vector<Pending> spans;
  for (std::size_t i = 0; i < 2; ++i) {
    const double a = xOf(g.supports[i]), b = xOf(g.supports[i + 1]);
    spans.push_back({bay, (a + b) / 2, std::abs(b - a) - Gap, spans_});
  }
  rows = place(spans, spans_ - 0.5 * Mm - lineHeight, spans_ + 1.5 * Mm, 1);

  // 1 over the middle support. A negative W or B − W gives ordinates above 1: drawn to the same scale, up to a
  // limit, so that what does not lie on the line is seen to stand out of it.
  const double ordinateTop = (rows > 1 ? spans_ + 1.5 * Mm + (rows - 1) * step : spans_ + Tick) + 4 * Mm;
  const double tallest = g.schematic ? 1.0 : std::max({1.0f, y_.Y1, y_.Y2, y_.Y3, y_.Y4});
  tallest_ = 1.25 * unitHeight;
  f_.unit = std::clamp(tallest_ / tallest, unitHeight / 2, unitHeight);
  baseline_ = ordinateTop + std::min(tallest_, f_.unit * tallest);
  for (std::size_t i = 0; i < 4 && !g.schematic; ++i)
    f_.ordinateHeights[i] = std::min(tallest_, f_.unit * Ordinate(y_, i));

  const std::vector<WorkingLine> working = WorkingOf(y_, separator);
  std::vector<Pending> ordinates;
  std::string beyond;
  for (std::size_t i = 0; i < 4; ++i) {
    const WorkingLine& w = working[i];
    ordinates.push_back({w.quantity + " = " + PrintedNumbers(w.result), wheelX_[i], Anywhere, baseline_});
    if (w.beyondSupport) beyond += (beyond.empty() ? "" : "、") + w.quantity;
  }
  rows = place(ordinates, baseline_ + 1 * Mm, baseline_ + 1 * Mm + step, 0);
  f_.height = baseline_ + 1 * Mm + rows * step;
  if (!beyond.empty()) {
    f_.note = "注：" + beyond + " 的" + std::string(BeyondSupportNote) + "，竖标取 0。";
    f_.labels.push_back({f_.note, {0, f_.height + 1 * Mm, m_.width(f_.note), lineHeight}});
    f_.height += 1 * Mm + lineHeight;
  }
  if (g.schematic) {
    f_.labels.push_back({std::string(SchematicMark), {0, 0, m_.width(SchematicMark), lineHeight}});
    f_.schematicNote = "注：" + std::string(SchematicMark) +
                       "图，输入不能构成实际的轮位，未按比例绘制，"
                       "竖标未画出；数值以计算过程为准。";
    f_.labels.push_back({f_.schematicNote, {0, f_.height + 1 * Mm, m_.width(f_.schematicNote), lineHeight}});
    f_.height += 1 * Mm + lineHeight;
  }
}

// Finds rows for a group of texts (at most five): no two may overlap; a text stands centred on what it names or,
// where it has no stretch to keep to, beside it; one away from row 0 gets a leader to what it names. Of all the
// ways, the one taken crosses the fewest leaders through texts, then uses the fewest rows, then the lowest ones.
int Layout::place(const std::vector<Pending>& group, double row0Top, double row1Top, int firstCrossed) {
  const double step = m_.lineHeight + 0.6 * Mm, near = Gap / 3;
  const int count = static_cast<int>(group.size());
  struct Option {
    int row;
    double left, right;
    int cost;
  };
  std::vector<std::vector<Option>> options(group.size());
  for (std::size_t k = 0; k < group.size(); ++k) {
    const Pending& p = group[k];
    const double w = m_.width(p.text);
    for (int row = 0; row <= count; ++row) {  // one row more than texts: every text can have a row
      for (int align = 0; align < (row == 0 && std::isfinite(p.room) ? 1 : 3); ++align) {
        if (row == 0 && w > p.room) continue;
        // Centred, or just beside the anchor (a leader then runs past the text, not through it); inside the
        // figure in any case.
        double left = align == 0 ? p.anchor - w / 2 : align == 1 ? p.anchor - near - w : p.anchor + near;
        left = std::clamp(left, 0.0, std::max(0.0, f_.width - w));
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
    f_.labels.push_back({p.text, {o.left, top, o.right - o.left, m_.lineHeight}});
    if (o.row > 0)
      f_.leaders.push_back({Point{p.anchor, p.targetY}, Point{std::clamp(p.anchor, o.left, o.right), top}});
  }
  return rows;
}

// Two short strokes across a line: the drawing is not to scale across them.
void Layout::breakMark(Point at, bool acrossVertical, double stroke) {
  for (const double d : {-0.6 * Mm, 0.6 * Mm}) {
    const Point c = acrossVertical ? at + Point{0, d} : at + Point{d, 0};
    const Point half = acrossVertical ? Point{1.2 * Mm, 0.6 * Mm} : Point{0.6 * Mm, -1.2 * Mm};
    line(c - half, c + half, stroke);
  }
}

void Layout::draw() {
  influenceLine();
  beam();
  dimensions();
  for (const auto& [a, b] : f_.leaders) line(a, b, 0.15 * Mm);
}

void Layout::influenceLine() {
  const double a = xOf(f_.geometry.supports[0]), b = xOf(f_.geometry.supports[1]), c = xOf(f_.geometry.supports[2]);
  polygon({{a, baseline_}, {b, baseline_ - f_.unit}, {c, baseline_}}, 0.35 * Mm, Fill::Grey);
  if (first_ < a) line({first_, baseline_}, {a, baseline_}, 0.25 * Mm, true);
  if (last_ > c) line({c, baseline_}, {last_, baseline_}, 0.25 * Mm, true);
  // A schematic figure draws no ordinate: where its wheels stand is not where the working puts them.
  if (f_.geometry.schematic) return;
  for (std::size_t i = 0; i < 4; ++i) {
    const double x = wheelX_[i], h = f_.ordinateHeights[i];
    if (h > 0) line({x, baseline_}, {x, baseline_ - h}, 0.3 * Mm);
    if (h < f_.unit * Ordinate(y_, i)) breakMark({x, baseline_ - h + 1.5 * Mm}, true, 0.3 * Mm);
    // An ordinate set to 0: the wheel is marked on the zero line.
    if (h == 0) f_.shapes.push_back({Shape::Kind::Circle, {{x, baseline_}}, 0.3 * Mm, false, Fill::None, 0.8 * Mm});
  }
}

void Layout::beam() {
  const double lo = xOf(f_.geometry.supports[0]), hi = xOf(f_.geometry.supports[2]);
  // Beyond the outer supports lie the neighbouring beams: a wheel there stands on them.
  const double axis = beam_ + Beam / 2;
  if (first_ < lo) line({first_, axis}, {lo, axis}, 0.35 * Mm, true);
  if (last_ > hi) line({hi, axis}, {last_, axis}, 0.35 * Mm, true);
  polygon({{lo, beam_}, {hi, beam_}, {hi, beam_ + Beam}, {lo, beam_ + Beam}}, 0, Fill::Black);

  const double pen = 0.25 * Mm;
  for (std::size_t i = 0; i < 3; ++i) {
    const double x = xOf(f_.geometry.supports[i]), base = beam_ + Beam + Support;
    polygon({{x, beam_ + Beam}, {x - 1.8 * Mm, base}, {x + 1.8 * Mm, base}}, pen, Fill::White);
    line({x - 2.8 * Mm, base + 0.4 * Mm}, {x + 2.8 * Mm, base + 0.4 * Mm}, pen);
    for (double h = -2.4 * Mm; h < 2.8 * Mm; h += 1.2 * Mm) {
      line({x + h, base + 0.4 * Mm}, {x + h - 0.8 * Mm, base + 1.2 * Mm}, pen);
    }
  }
  for (const double x : wheelX_) {
    line({x, arrowTop_}, {x, beam_ - 1.5 * Mm}, pen);
    polygon({{x, beam_}, {x - 0.7 * Mm, beam_ - 2 * Mm}, {x + 0.7 * Mm, beam_ - 2 * Mm}}, pen, Fill::Black);
  }
  for (const FigureGeometry::Segment& s : f_.geometry.chain) {
    if (s.broken) breakMark({(xOf(s.from) + xOf(s.to)) / 2, axis}, false, pen);
  }
}

void Layout::dimensions() {
  const double spanA = xOf(f_.geometry.supports[0]), spanC = xOf(f_.geometry.supports[2]);
  const auto dimensionLine = [&](double y, double from, double to, const std::vector<double>& at) {
    line({from - 1.5 * Mm, y}, {to + 1.5 * Mm, y}, 0.15 * Mm);
    for (const double x : at) line({x, y - 1.5 * Mm}, {x, y + 1.2 * Mm}, 0.15 * Mm);
    for (const double x : at) line({x - Tick, y + Tick}, {x + Tick, y - Tick}, 0.3 * Mm);
    for (const double x : at) f_.ticks.push_back({x - Tick, y - 1.5 * Mm, 2 * Tick, 2.7 * Mm});
  };
  std::vector<double> ticks = {first_};
  for (const FigureGeometry::Segment& s : f_.geometry.chain) ticks.push_back(xOf(s.to));
  dimensionLine(chain_, first_, last_, ticks);
  dimensionLine(spans_, spanA, spanC, {spanA, xOf(f_.geometry.supports[1]), spanC});
  for (const FigureGeometry::Segment& s : f_.geometry.chain) {
    if (s.broken) breakMark({(xOf(s.from) + xOf(s.to)) / 2, chain_}, false, 0.15 * Mm);
  }
}

}  // namespace

FigureGeometry GeometryOf(const InfluenceOrdinates& y, char32_t separator) {
  const double J = y.J, B = y.B, W = y.W;
  FigureGeometry g;
  g.supports = {0, 1, 2};
  const auto label = [separator](std::string_view name, double length) {
    return length < 0 ? std::string(name) : std::string(name) + " = " + PrintedNumbers(FormatValue(length, separator));
  };
  g.schematic = !(J > 0 && B >= 0 && W >= 0 && W <= B && std::isfinite(J));
  if (g.schematic) {
    // The core's chain in its own order, over the places the wheels usually have.
    g.wheels = {0.3, 1, 1.3, 1.75};
    const std::array<double, 6> at = {0, g.wheels[0], 1, g.wheels[2], g.wheels[3], 2};
    const auto chain = DimensionChain(y, separator);
    for (std::size_t i = 0; i < chain.size(); ++i)
      g.chain.push_back({at[i], at[i + 1], label(chain[i].name, chain[i].length)});
    g.to = 2;
    return g;
  }
  // The chain's points: the left support, the four wheels, the right support. The middle support is wheel 2.
  enum : unsigned char { S0, W1, W2, W3, W4, S2 };
  const std::array<double, 6> at = {0, (J - W) / J, 1, 1 + (B - W) / J, 1 + B / J, 2};
  std::array<unsigned char, 6> order = {S0, W1, W2, W3, W4, S2};
  // By position, ties in chain order (a sort with the tie-break: stable_sort stops the clang build, whose GCC 12
  // library calls a deprecated function for it).
  std::ranges::sort(order, [&](unsigned char a, unsigned char b) { return at[a] != at[b] ? at[a] < at[b] : a < b; });
  // What lies between two neighbouring points, as one double operation on J, B and W.
  const auto between = [&](unsigned char a, unsigned char b) -> std::pair<std::string_view, double> {
    switch (a * 8 + b) {
      case S0 * 8 + W1:
        return {"J−W", J - W};
      case W1 * 8 + S0:
        return {"W−J", W - J};
      case W1 * 8 + W2:
        return {"W", W};
      case S0 * 8 + W2:
        return {"J", J};
      case W2 * 8 + W3:
        return {"B−W", B - W};
      case W2 * 8 + S2:
        return {"J", J};
      case W3 * 8 + W4:
        return {"W", W};
      case W3 * 8 + S2:
        return {"J−(B−W)", J - (B - W)};
      case S2 * 8 + W3:
        return {"B−W−J", (B - W) - J};
      case W4 * 8 + S2:
        return {"J−B", J - B};
      case S2 * 8 + W4:
        return {"B−J", B - J};
      default:
        return {"", 0};
    }
  };
  // Between the supports to scale, each gap at least Least (the others shrink to keep the bay); beyond them at
  // most a bay, broken.
  constexpr double Least = 0.06;
  std::array<double, 6> drawn{};
  std::array<bool, 6> broken{};  // the segment ending at order[i]
  std::size_t i0 = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] != S0 && order[i] != W2 && order[i] != S2) continue;
    drawn[i] = at[order[i]];
    if (order[i] != S0) {
      double sum = 0;
      for (std::size_t k = i0; k < i; ++k) sum += std::max(at[order[k + 1]] - at[order[k]], Least);
      for (std::size_t k = i0; k + 1 < i; ++k)
        drawn[k + 1] = drawn[k] + std::max(at[order[k + 1]] - at[order[k]], Least) / sum;
    }
    i0 = i;
  }
  const auto outside = [&](std::size_t inner, std::size_t outer) {
    const double gap = std::abs(at[order[outer]] - at[order[inner]]);
    broken[std::max(inner, outer)] = gap > 1;
    return std::clamp(gap, Least, 1.0);
  };
  const auto first = static_cast<std::size_t>(std::ranges::find(order, S0) - order.begin());
  const auto last = static_cast<std::size_t>(std::ranges::find(order, S2) - order.begin());
  for (std::size_t k = first; k-- > 0;) drawn[k] = drawn[k + 1] - outside(k + 1, k);
  for (std::size_t k = last + 1; k < order.size(); ++k) drawn[k] = drawn[k - 1] + outside(k - 1, k);
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (order[k] >= W1 && order[k] <= W4) g.wheels[order[k] - W1] = drawn[k];
    if (k == 0) continue;
    const auto [name, length] = between(order[k - 1], order[k]);
    g.chain.push_back({drawn[k - 1], drawn[k], label(name, length), broken[k]});
  }
  g.from = drawn.front();
  g.to = drawn.back();
  return g;
}

Figure FigureOf(const InfluenceOrdinates& y, char32_t separator, double width, double unitHeight,
                const TextMeasure& measure) {
  Figure f;
  f.width = width;
  f.geometry = GeometryOf(y, separator);
  Layout layout(y, measure, f);
  layout.lay(separator, unitHeight);
  layout.draw();
  return f;
}

}  // namespace kelvaro::sheet
