// The several-cranes sheet as data: what a checker reads on it for the worked example, where the second page
// begins, and the figure drawn to one scale with the wheel over the column marked.
#include "crane_sheet.h"
#include "crane_window.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kelvaro::forms {
namespace {

const SheetSection* Section(const CraneSheet& sheet, std::string_view heading) {
  for (const SheetSection& s : sheet.sections) {
    if (s.heading == heading) return &s;
  }
  return nullptr;
}

CraneSheet SheetOf(const CraneArrangementTexts& texts) {
  const auto answer = CalculateCraneArrangement(texts);
  EXPECT_TRUE(answer) << (answer ? "" : answer.error().message);
  return answer ? CraneSheetOf(texts, *answer) : CraneSheet{};
}

TEST(CraneSheet, TheWorkedExample) {
  const CraneSheet sheet = SheetOf(CraneArrangementExample());
  EXPECT_EQ(sheet.pages, 1);
  const SheetSection* wheels = Section(sheet, "各车轮的影响线竖标与荷载");
  ASSERT_NE(wheels, nullptr);
  const std::vector<std::vector<std::string>> rows{
      // T = 0.1 × (20 + 7.5) × 9.81 / (2 × 2) = 6.744375 kN for both cranes.
      // The sheet prints a negative x with the minus sign of print.
      {"吊车2 轮1", "−4.4", "0.2666667", "40", "10.66667", "1.7985"},
      {"吊车2 轮2（柱上）", "0", "1", "150", "40", "6.744375"},
      {"吊车1 轮1", "1.3", "0.8916667", "249.6667", "62.41667", "6.013734"},
      {"吊车1 轮2", "6.3", "0.475", "133", "33.25", "3.203578"},
      {"合计", "", "", "572.6667", "146.3333", "17.76019"},
  };
  EXPECT_EQ(wheels->table.rows, rows);
  const SheetSection* cases = Section(sheet, "排架荷载工况");
  ASSERT_NE(cases, nullptr);
  EXPECT_EQ(cases->lines[0], "工况一：左柱 Dmax = 515.4 kN，右柱 Dmin = 131.7 kN，H1 = ±15.98417 kN");
  const SheetSection* trials = Section(sheet, "比较过的排列（每种排列取其最不利车轮）");
  ASSERT_NE(trials, nullptr);
  EXPECT_EQ(trials->lines.front(), "吊车2（L） + 吊车1（K），第 2 个车轮在柱上：Z = 0.9，Z·ΣPmax·y = 515.4  ◀ 最不利");
  const SheetSection* notes = Section(sheet, "说明");
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(std::vector<std::string>(notes->lines.begin(), notes->lines.begin() + 2),
            (std::vector<std::string>{"不乘动力系数。", "T_L 未折减。"}));
}

TEST(CraneSheet, MoreThanEightWheelsTakeTwoPages) {
  struct Row {
    std::string wheelsPerSide, spacings, B;
    int pages;
  };
  for (const Row& row : std::vector<Row>{{"2", "4.4", "5.5", 1}, {"4", "1+2+1", "4.5", 2}}) {
    CraneArrangementTexts texts{.J1 = "12", .J2 = "12"};
    for (int i = 0; i < 3; ++i) {
      texts.cranes.push_back(
          {.Pmax = "300", .Pmin = "80", .B = row.B, .wheelsPerSide = row.wheelsPerSide, .spacings = row.spacings});
    }
    texts.maxOnRail = "3";
    const CraneSheet sheet = SheetOf(texts);
    EXPECT_EQ(sheet.pages, row.pages) << row.spacings;
    EXPECT_EQ(std::ranges::count_if(sheet.sections, [](const SheetSection& s) { return s.newPage; }), row.pages - 1);
  }
}

TEST(CraneSheet, TheFigureIsToOneScaleWithTheColumnWheelMarked) {
  const CraneSheet sheet = SheetOf(CraneArrangementExample());
  const Figure& f = sheet.figure;
  ASSERT_EQ(f.wheels.size(), 4u);
  EXPECT_EQ(std::ranges::count_if(f.wheels, [](const FigureWheel& w) { return w.ink == Ink::Accent; }), 1);
  // Wheels 4.4 m apart on crane L and 5.0 m on crane K: the same metres make the same pixels.
  const double perMetreL = (f.wheels[1].x - f.wheels[0].x) / 4.4, perMetreK = (f.wheels[3].x - f.wheels[2].x) / 5.0;
  EXPECT_NEAR(perMetreL, perMetreK, 1e-9);
  for (const FigureWheel& w : f.wheels) {
    EXPECT_GE(w.x, 0);
    EXPECT_LE(w.x, f.width);
  }
}

}  // namespace
}  // namespace kelvaro::forms
