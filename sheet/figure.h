// The influence line of the middle support's reaction, drawn to scale from the J, B and W of a calculation: both
// bays, the three supports, the four wheels where they stand, the dimension chain and the ordinates with their
// values. It is laid out here once, as shapes and texts in sheet units (tenths of a millimetre, from the figure's
// top-left corner): the desktop paints them, the page writes them as SVG. Every number on it is the core's text;
// positions are for drawing only.
#pragma once

#include "calculations.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro::sheet {

inline constexpr double Mm = 10;  // sheet units per millimetre
inline constexpr double PageWidth = 210 * Mm, PageHeight = 297 * Mm;
/// A font size in points, in sheet units (1 pt = 0.3528 mm).
constexpr int Pt(double points) { return static_cast<int>(points * 25.4 / 72 * Mm + 0.5); }
/// The size of the figure's texts.
inline constexpr int LabelSize = Pt(9);

/// How wide a text is in the figure's font, and how high a line of it: the desktop asks its toolkit, the page's
/// module a table of the font the page carries. A plain function: the module has no run-time type information to
/// spare for a std::function, whose type lookup would bring the C library's stdio into it.
struct TextMeasure {
  double (*width)(std::string_view text);
  double lineHeight;
};

/// Where the figure puts things along the beam, in bays (multiples of J) from the left outer support. Every wheel
/// keeps its own place and every length its own segment: a segment beyond an outer support longer than a bay is
/// drawn a bay long with a break mark, and one too short to see is drawn a little longer. Inputs no beam can have
/// (J, B or W negative, W > B) are drawn schematic, the wheels where they usually stand.
struct FigureGeometry {
  std::array<double, 3> supports{};  // left outer, middle (the column), right outer
  std::array<double, 4> wheels{};    // under Y1 .. Y4, as drawn
  /// The dimension chain, left to right: its label ("J−W = 1.6"; the name alone for a negative length).
  struct Segment {
    double from, to;
    std::string label;
    bool broken = false;
  };
  std::vector<Segment> chain;
  bool schematic = false;
  double from = 0, to = 0;  // the stretch of beam drawn
};
FigureGeometry GeometryOf(const InfluenceOrdinates& y, char32_t decimalSeparator = U'.');

/// The mark of a figure not drawn to scale.
inline constexpr std::string_view SchematicMark = "示意";

struct Point {
  double x, y;
  bool operator==(const Point&) const = default;
};
struct Box {
  double x, y, width, height;
  double right() const { return x + width; }
  double bottom() const { return y + height; }
};

enum class Fill : unsigned char { None, Black, White, Grey };

/// A line, an open or closed outline, or a circle; drawn in order, each over those before it.
struct Shape {
  enum class Kind : unsigned char { Line, Polygon, Circle } kind;
  std::vector<Point> points;  // a circle: its centre
  double stroke = 0;          // the pen's width; 0 for none
  bool dashed = false;        // dashes of 4 and gaps of 2 pen widths, flat ends
  Fill fill = Fill::None;
  double radius = 0;
};

/// A text of the figure, centred in its box.
struct Label {
  std::string text;
  Box box;
};

struct Figure {
  double width = 0, height = 0;
  FigureGeometry geometry;
  std::vector<Shape> shapes;  // under the labels
  std::vector<Label> labels;  // the dimensions, the spans, the ordinates and the note
  /// Lines from a text that had to move away from what it names, to that; among the shapes too.
  std::vector<std::array<Point, 2>> leaders;
  std::string note;           // the line under the figure for wheels beyond an outer support; empty when there are none
  std::string schematicNote;  // the line under a schematic figure; empty for one to scale
  std::array<double, 4> wheelX{};           // the wheels' arrows
  std::vector<Box> ticks;                   // where the dimension lines' ticks are drawn, which no text may cover
  std::array<double, 4> ordinateHeights{};  // as drawn: cut at the top when they would leave the drawing
  double unit = 0;                          // the height an ordinate of 1 is drawn with
};

/// `width` and `unitHeight`, the height of an ordinate of 1 at most, in sheet units.
Figure FigureOf(const InfluenceOrdinates& y, char32_t decimalSeparator, double width, double unitHeight,
                const TextMeasure& measure);

}  // namespace kelvaro::sheet
