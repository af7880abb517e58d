#include "crane_figure.h"

#include <algorithm>

namespace kelvaro::forms {
namespace {

// Heights of the figure's bands, top to bottom.
constexpr double LabelY = 16, BracketTop = 24, BracketEnd = 36, WheelY = 45, WheelR = 5, BeamY = 51, SupportY = 62,
                 DimensionY = 82, InfluenceTop = 108, InfluenceBase = 182, OrdinateText = 197, Height = 222;
constexpr double Margin = 36;

}  // namespace

Figure CraneFigure(const CraneArrangementData& data, const Placement& p, double width, char32_t sep) {
  Figure f{.width = width, .height = Height};
  if (p.wheels.empty()) return f;
  // Each crane's left buffer: the train stands buffer to buffer from its first crane's.
  std::vector<double> buffers;
  {
    const Crane& first = data.cranes[p.order.front()];
    const std::vector<double> offsets = WheelOffsets(first);
    double at = p.wheels.front().x - (p.reversed.front() ? first.B - offsets.back() : offsets.front());
    for (const std::size_t c : p.order) buffers.push_back(at), at += data.cranes[c].B;
  }
  const double left = std::min(-data.J1, buffers.front());
  const double right = std::max(data.J2, buffers.back() + data.cranes[p.order.back()].B);
  const double scale = (width - 2 * Margin) / (right - left);
  const auto X = [&](double metres) { return Margin + (metres - left) * scale; };
  const auto metres = [sep](double v) { return FormatValue(v, sep); };

  for (std::size_t g = 0; g < p.order.size(); ++g) {
    const double x1 = X(buffers[g]), x2 = X(buffers[g] + data.cranes[p.order[g]].B);
    f.lines.push_back({x1, BracketTop, x2, BracketTop});
    f.lines.push_back({x1, BracketTop, x1, BracketEnd});
    f.lines.push_back({x2, BracketTop, x2, BracketEnd});
    f.texts.push_back({(x1 + x2) / 2, LabelY, CraneLabel(data, p.order[g]) + (p.reversed[g] ? "（反向）" : "")});
  }

  // The beams between the outer supports; the rail beyond them thin.
  f.lines.push_back({X(-data.J1), BeamY, X(data.J2), BeamY});
  if (left < -data.J1) f.lines.push_back({X(left), BeamY, X(-data.J1), BeamY, Ink::Thin});
  if (right > data.J2) f.lines.push_back({X(data.J2), BeamY, X(right), BeamY, Ink::Thin});
  for (const double s : {-data.J1, 0.0, data.J2}) {
    const double x = X(s);
    f.lines.push_back({x, BeamY, x - 6, SupportY});
    f.lines.push_back({x, BeamY, x + 6, SupportY});
    f.lines.push_back({x - 6, SupportY, x + 6, SupportY});
    f.lines.push_back({x, DimensionY - 6, x, DimensionY + 6, Ink::Thin});
  }
  f.lines.push_back({X(-data.J1), DimensionY, X(data.J2), DimensionY, Ink::Thin});
  f.texts.push_back({X(-data.J1 / 2), DimensionY - 4, "J1 = " + metres(data.J1) + " m"});
  f.texts.push_back({X(data.J2 / 2), DimensionY - 4, "J2 = " + metres(data.J2) + " m"});

  // The influence line of the middle support, ordinate 1 over the column.
  const double unit = InfluenceBase - InfluenceTop;
  f.lines.push_back({X(-data.J1), InfluenceBase, X(data.J2), InfluenceBase, Ink::Thin});
  f.lines.push_back({X(-data.J1), InfluenceBase, X(0), InfluenceTop});
  f.lines.push_back({X(0), InfluenceTop, X(data.J2), InfluenceBase});

  double lastText = -1e9;
  bool low = false;
  for (std::size_t i = 0; i < p.wheels.size(); ++i) {
    const PlacedWheel& w = p.wheels[i];
    const bool off = w.beyond || w.y <= 0;
    const Ink ink = i == p.criticalWheel ? Ink::Accent : off ? Ink::Grey : Ink::Normal;
    const double x = X(w.x);
    f.wheels.push_back({x, WheelY, WheelR, ink});
    f.lines.push_back({x, WheelY + WheelR, x, InfluenceBase - unit * w.y, Ink::Thin});
    if (off) continue;
    f.lines.push_back(
        {x, InfluenceBase, x, InfluenceBase - unit * w.y, ink == Ink::Accent ? Ink::Accent : Ink::Normal});
    // Ordinates of wheels close together go on two rows.
    low = x - lastText < 44 ? !low : false;
    lastText = x;
    f.texts.push_back({x, OrdinateText + (low ? 14 : 0), FormatValue(w.y, sep), Anchor::Middle, ink});
  }
  return f;
}

}  // namespace kelvaro::forms
