// The figure's geometry for wheels far from where they usually stand: every wheel keeps its own arrow and every
// length its own segment and label, no label sits on a tick, and inputs no beam can have are drawn schematic.
#include "figure.h"
#include "measure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kelvaro::sheet {
namespace {

const TextMeasure& Measure = test::NinePoint;

bool Overlap(const Box& a, const Box& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

struct Row {
  float J, B, W;
  bool schematic;
  std::vector<std::string> chain;  // the dimension chain's labels, left to right
};

const Row Rows[] = {
    {6, 5.5f, 4.4f, false, {"J−W = 1.6", "W = 4.4", "B−W = 1.1", "W = 4.4", "J−B = 0.5"}},
    {6, 20, 3, false, {"J−W = 3", "W = 3", "J = 6", "B−W−J = 11", "W = 3"}},
    {6, 12.5f, 0.5f, false, {"J−W = 5.5", "W = 0.5", "J = 6", "B−W−J = 6", "W = 0.5"}},
    {6, 13, 1, false, {"J−W = 5", "W = 1", "J = 6", "B−W−J = 6", "W = 1"}},
    {6, 8, 4.4f, false, {"J−W = 1.6", "W = 4.4", "B−W = 3.6", "J−(B−W) = 2.4", "B−J = 2"}},
    {6, 5500, 4400, false, {"W−J = 4394", "J = 6", "J = 6", "B−W−J = 1094", "W = 4400"}},
    {0.001f, 5.5f, 4.4f, false, {"W−J = 4.399", "J = 0.001", "J = 0.001", "B−W−J = 1.099", "W = 4.4"}},
    // What no beam can have: the core's chain over a schematic drawing, a negative length by its name alone.
    {6, 8, -1, true, {"J−W = 7", "W", "B−W = 9", "W", "J−B"}},
    {-6, 5.5f, 4.4f, true, {"J−W", "W = 4.4", "B−W = 1.1", "W = 4.4", "J−B"}},
    {6, 4.4f, 5.5f, true, {"J−W = 0.5", "W = 5.5", "B−W", "W = 5.5", "J−B = 1.6"}},
};

TEST(SheetFigure, EveryWheelAndLengthKeepsItsOwn) {
  for (const Row& row : Rows) {
    SCOPED_TRACE(std::to_string(row.J) + " " + std::to_string(row.B) + " " + std::to_string(row.W));
    const auto y = ComputeOrdinates(row.J, row.B, row.W);
    ASSERT_TRUE(y);
    const Figure f = FigureOf(*y, U'.', 1650, 220, Measure);
    EXPECT_EQ(f.geometry.schematic, row.schematic);
    for (std::size_t i = 1; i < 4; ++i) EXPECT_LT(f.wheelX[i - 1] + 2 * Mm, f.wheelX[i]);
    std::vector<std::string> chain;
    for (const auto& s : f.geometry.chain) {
      EXPECT_GT(s.to - s.from, 0) << s.label;
      chain.push_back(s.label);
      // Its own label: as many as segments with that text, and the two spans' "J = 6".
      const bool span = s.label == "J = " + FormatValue(y->J);
      EXPECT_EQ(std::ranges::count(f.labels, s.label, &Label::text),
                std::ranges::count(f.geometry.chain, s.label, &FigureGeometry::Segment::label) + (span ? 2 : 0));
    }
    EXPECT_EQ(chain, row.chain);
    for (const Label& l : f.labels) {
      for (const Box& tick : f.ticks) EXPECT_FALSE(Overlap(l.box, tick)) << l.text;
    }
    // A schematic figure says so, and draws no ordinate that the working would contradict.
    EXPECT_EQ(std::ranges::count(f.labels, std::string(SchematicMark), &Label::text), row.schematic ? 1 : 0);
    EXPECT_EQ(f.schematicNote.empty(), !row.schematic);
    if (row.schematic) {
      EXPECT_EQ(f.ordinateHeights, (std::array<double, 4>{}));
    }
  }
}

}  // namespace
}  // namespace kelvaro::sheet
