// Several cranes on one rail: the worked rows, the search against the two-crane calculation and against stepping
// the train, how the result moves with its inputs, and what the user is told for each bad input.
#include "crane_arrangement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace kelvaro::test {
namespace {

CraneTexts Two(std::string name, std::string Pmax, std::string Pmin, std::string B, std::string W) {
  return {.name = std::move(name),
          .Pmax = std::move(Pmax),
          .Pmin = std::move(Pmin),
          .B = std::move(B),
          .wheelsPerSide = "2",
          .spacings = std::move(W)};
}
const CraneTexts A = Two("A", "100", "30", "5.5", "4.4");
const CraneTexts K = Two("K", "280", "70", "6.4", "5.0");
const CraneTexts L = Two("L", "150", "40", "5.6", "4.4");

CraneArrangementTexts On(std::string J1, std::string J2, std::vector<CraneTexts> cranes) {
  return {.J1 = std::move(J1), .J2 = std::move(J2), .cranes = std::move(cranes)};
}

ArrangementAnswer Answer(const CraneArrangementTexts& texts) {
  auto answer = CalculateCraneArrangement(texts);
  if (!answer) ADD_FAILURE() << answer.error().message;
  return answer ? *answer : ArrangementAnswer{};
}

std::string Text(const ArrangementAnswer& a, ArrangementResult id) {
  for (const ArrangementValue& v : a.results) {
    if (v.id == id) return v.text;
  }
  return "(none)";
}

TEST(CraneArrangement, AcceptanceRows) {
  struct Row {
    CraneArrangementTexts texts;
    std::string Dmax, Dmin, Z, critical;
    bool otherInRightBay;
  };
  const std::vector<Row> rows{
      {On("6", "6", {A, A}), "195", "58.5", "0.9", "吊车1 轮2", true},
      {On("6", "12", {A, A}), "244.5", "73.35", "0.9", "吊车1 轮2", true},
      {On("6", "12", {K, L}), "515.4", "131.7", "0.9", "吊车2 轮2", true},
  };
  for (const Row& row : rows) {
    const ArrangementAnswer a = Answer(row.texts);
    const Placement& p = a.record.vertical;
    EXPECT_EQ(Text(a, ArrangementResult::Dmax), row.Dmax);
    EXPECT_EQ(Text(a, ArrangementResult::Dmin), row.Dmin);
    EXPECT_EQ(Text(a, ArrangementResult::Z), row.Z);
    EXPECT_EQ(Text(a, ArrangementResult::CranesCounted), "2");
    ASSERT_FALSE(p.wheels.empty());
    const PlacedWheel& critical = p.wheels[p.criticalWheel];
    EXPECT_EQ(WheelLabel(critical), row.critical);
    for (const PlacedWheel& w : p.wheels) {
      if (w.crane != critical.crane) {
        EXPECT_EQ(w.x > 0, row.otherInRightBay) << WheelLabel(w);
      }
    }
  }
}

TEST(CraneArrangement, WorkingAndNotesOfTheMainWindowsCase) {
  const ArrangementAnswer a = Answer(On("6", "6", {A, A}));
  std::vector<std::string> lines;
  for (const WorkingLine& line : a.working) lines.push_back(LineText(line));
  const std::vector<std::string> expected{
      "y（吊车1 轮1） = 1 + x / J1 = 1 + (-4.4) / 6 = 0.2666667",
      "y（吊车1 轮2） = 1 − x / J2 = 1 − 0 / 6 = 1",
      "y（吊车2 轮1） = 1 − x / J2 = 1 − 1.1 / 6 = 0.8166667",
      "y（吊车2 轮2） = 1 − x / J2 = 1 − 5.5 / 6 = 0.08333333",
      "ΣPmax·y = Σ Pmax × y = 100 × 0.2666667 + 100 × 1 + 100 × 0.8166667 + 100 × 0.08333333 = 216.6667 kN",
      "ΣPmin·y = Σ Pmin × y = 30 × 0.2666667 + 30 × 1 + 30 × 0.8166667 + 30 × 0.08333333 = 65 kN",
      "Z = GB 50009 表 6.2.2 = 2 台（本轨道 2），A1–A5 = 0.9",
      "Dmax = Z × ΣPmax·y = 0.9 × 216.6667 = 195 kN",
      "Dmin = Z × ΣPmin·y = 0.9 × 65 = 58.5 kN",
      "T_L（吊车1） = 0.1 × 制动轮数 × Pmax = 0.1 × 1 × 100 = 10 kN",
      "T_L（吊车2） = 0.1 × 制动轮数 × Pmax = 0.1 × 1 × 100 = 10 kN",
      "T_L = 两个最大的 T_L 之和 = 10 + 10 = 20 kN",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(a.results[0].howReached,
            "Dmax = Z × ΣPmax·y\n吊车1 轮2 在柱上，Z = 0.9（2 台（本轨道 2），A1–A5），ΣPmax·y = 216.6667");
  EXPECT_TRUE(a.warnings.empty());
}

// Hand-worked: four-wheel crane, H1 with T per wheel, longitudinal braking; the other spans' cranes in Z only.
TEST(CraneArrangement, FourWheelsHorizontalAndLongitudinal) {
  CraneTexts big{.Pmax = "300",
                 .Pmin = "80",
                 .B = "10",
                 .wheelsPerSide = "4",
                 .spacings = "1.6+5.2+1.6",
                 .duty = "A6-A8",
                 .alphaH = "0.1",
                 .Q = "50",
                 .Q1 = "15",
                 .brakingWheels = "1"};
  CraneTexts small = A;
  small.alphaH = "0.12", small.Q = "10", small.Q1 = "3.5";
  CraneArrangementTexts texts = On("12", "12", {big, small});
  texts.otherSpanCranes = "1";
  const ArrangementAnswer a = Answer(texts);
  // T = 0.1 × 65 × 9.81 / 8 and 0.12 × 13.5 × 9.81 / 4.
  ASSERT_EQ(a.record.T.size(), 2u);
  EXPECT_NEAR(a.record.T[0], 7.970625, 1e-12);
  EXPECT_NEAR(a.record.T[1], 3.97305, 1e-12);
  EXPECT_EQ(Text(a, ArrangementResult::LongitudinalRail), "40");  // 0.1 × 1 × 300 + 0.1 × 1 × 100
  ASSERT_EQ(a.longitudinal.size(), 2u);
  EXPECT_EQ(a.longitudinal[0].text, "30");
  // Big crane's inner bogie over the column: 1.6 m and 5.2 m, in one 12 m bay each side; Z with 3 counted,
  // A6–A8: 0.90. The small crane adds, against 2 counted alone at 0.95.
  const Placement& p = a.record.vertical;
  EXPECT_EQ(p.cranesCounted, 3);
  EXPECT_TRUE(p.heavyDuty);
  EXPECT_DOUBLE_EQ(p.Z, 0.90);
  EXPECT_NE(Text(a, ArrangementResult::H1), "(none)");
  ASSERT_TRUE(a.record.horizontal);
  EXPECT_LE(a.record.horizontal->order.size(), 2u);
  EXPECT_EQ(a.warnings, std::vector<std::string>{
                            "吊车的工作级别不同（A1–A5 与 A6–A8），计入的吊车中有 A6–A8 时 Z 按 A6–A8 取值。"});
}

TEST(CraneArrangement, TiesGoToFewerCranesThenLowerWheel) {
  // Bays shorter than a crane's spacing: each wheel alone is 1; the second crane never reaches the beams.
  const ArrangementAnswer a = Answer(On("1", "1", {A, A}));
  const Placement& p = a.record.vertical;
  EXPECT_EQ(p.order, std::vector<std::size_t>{0});
  EXPECT_EQ(p.criticalWheel, 0u);
  EXPECT_EQ(Text(a, ArrangementResult::Dmax), "100");
  EXPECT_EQ(Text(a, ArrangementResult::Z), "1");
}

TEST(CraneArrangement, Warnings) {
  CraneTexts odd = A;
  odd.Pmin = "120";
  const ArrangementAnswer a = Answer(On("6", "3", {odd, A}));
  EXPECT_EQ(a.warnings, (std::vector<std::string>{"吊车1（A） 的 Pmin（120）大于 Pmax（100），请核对。",
                                                  "吊车2 轮2 在相邻支座以外，不计入本柱的荷载。"}));
}

TEST(CraneArrangement, BadInputs) {
  using enum ArrangementFailureKind;
  using enum CraneField;
  const auto crane = [](std::size_t i, CraneField f) { return ArrangementInput{ArrangementField::Crane, i, f}; };
  struct Row {
    CraneArrangementTexts texts;
    ArrangementFailureKind kind;
    ArrangementInput input;
    std::string message;
  };
  const auto with = [](CraneTexts c, std::string CraneTexts::* member, std::string text) {
    c.*member = std::move(text);
    return c;
  };
  const std::vector<Row> rows{
      {On("0", "6", {A}), NotPositive, {ArrangementField::J1}, "J1 必须大于 0（现为 0）。"},
      {On("6", "", {A}), Empty, {ArrangementField::J2}, "J2 是空的。请输入一个数。"},
      {On("6", "六", {A}), NotANumber, {ArrangementField::J2}, "J2 的内容“六”不是一个数。请输入数字，例如 6 或 5.5。"},
      {On("6", "6", {}), NoCrane, crane(0, Pmax), "没有吊车。请在表中至少填写一台吊车的 Pmax、Pmin、B 和轮距。"},
      {On("6", "6", {A, with(K, &CraneTexts::B, "0")}), NotPositive, crane(1, B),
       "吊车2（K）的 B 必须大于 0（现为 0）。"},
      {On("6", "6", {with(L, &CraneTexts::spacings, "4.4+0")}), SpacingCount, crane(0, Spacings),
       "吊车1（L）每侧 2 个车轮，轮距应有 1 个（现有 2 个），例如 4.4。"},
      {On("6", "6", {with(with(L, &CraneTexts::wheelsPerSide, ""), &CraneTexts::spacings, "1+1")}), WheelCount,
       crane(0, Spacings), "吊车1（L）的轮距应有 1 个（每侧 2 个车轮）或 3 个（每侧 4 个车轮），现有 2 个。"},
      {On("6", "6", {with(with(L, &CraneTexts::wheelsPerSide, ""), &CraneTexts::spacings, "0")}), NotPositive,
       crane(0, Spacings), "吊车1（L）的轮距必须都大于 0（第 1 个为 0）。"},
      {On("6", "6", {with(A, &CraneTexts::spacings, "6")}), TooLong, crane(0, Spacings),
       "吊车1（A）的轮距之和 6 m 超过了 B（5.5 m）。"},
      {On("6", "6", {with(A, &CraneTexts::endDistance, "1.2")}), TooLong, crane(0, Spacings),
       "吊车1（A）的端距与轮距之和 5.6 m 超过了 B（5.5 m）。"},
      {On("6", "6", {with(A, &CraneTexts::wheelsPerSide, "3")}), WheelCount, crane(0, WheelsPerSide),
       "吊车1（A）的每侧轮数只能是 2 或 4（现为 3）。"},
      {On("6", "6", {with(A, &CraneTexts::wheelsPerSide, "4")}), SpacingCount, crane(0, Spacings),
       "吊车1（A）每侧 4 个车轮，轮距应有 3 个（现有 1 个），例如 1.6+5.2+1.6。"},
      {On("6", "6", {A, with(A, &CraneTexts::spacings, "1.6+x")}), SpacingText, crane(1, Spacings),
       "吊车2（A）的轮距“1.6+x”应是用“+”连接的数，例如 4.4 或 1.6+5.2+1.6。"},
      {On("6", "6", {with(A, &CraneTexts::Pmax, "")}), Empty, crane(0, Pmax),
       "吊车1（A）的 Pmax 是空的。请输入一个数。"},
      {On("6", "6", {with(Two("", "-1", "3", "5", "4"), &CraneTexts::name, "")}), Negative, crane(0, Pmax),
       "吊车1 的 Pmax 不能小于 0（现为 -1）。"},
      {On("6", "6", {with(A, &CraneTexts::duty, "A9")}), Choice, crane(0, Duty),
       "吊车1（A）的工作级别只能是 A1-A5 或 A6-A8（现为“A9”）。"},
      {On("6", "6", {with(A, &CraneTexts::brakingWheels, "3")}), Choice, crane(0, BrakingWheels),
       "吊车1（A）的制动轮数应是 0 到 2 的整数（现为 3）。"},
  };
  for (const Row& row : rows) {
    const auto answer = CalculateCraneArrangement(row.texts);
    ASSERT_FALSE(answer) << row.message;
    EXPECT_EQ(answer.error().kind, row.kind) << row.message;
    EXPECT_EQ(answer.error().input, row.input) << row.message;
    EXPECT_EQ(answer.error().message, row.message);
  }
}

// Numbers from the page's API may be infinite, which no text reads as: refused, never searched with.
TEST(CraneArrangement, InfiniteNumbersAreRefused) {
  const Crane c{.name = "吊车1", .Pmax = 100, .Pmin = 30, .B = 5.5, .spacings = {4.4}};
  const auto infinite = std::numeric_limits<double>::infinity();
  struct Row {
    CraneArrangementData data;
    ArrangementInput input;
  };
  Crane wide = c, heavy = c;
  wide.B = infinite, heavy.Pmax = infinite;
  const std::vector<Row> rows{
      {{.J1 = infinite, .J2 = 6, .cranes = {c}}, {ArrangementField::J1}},
      {{.J1 = 6, .J2 = 6, .cranes = {c, wide}}, {ArrangementField::Crane, 1, CraneField::B}},
      {{.J1 = 6, .J2 = 6, .cranes = {heavy}}, {ArrangementField::Crane, 0, CraneField::Pmax}},
  };
  for (const Row& row : rows) {
    const auto answer = CalculateCraneArrangement(row.data);
    ASSERT_FALSE(answer);
    EXPECT_EQ(answer.error().kind, ArrangementFailureKind::NotANumber);
    EXPECT_EQ(answer.error().input, row.input) << answer.error().message;
  }
}

// Random cranes: two or four wheels, some asymmetric, some A6–A8.
Crane RandomCrane(std::mt19937& random, std::size_t i) {
  std::uniform_real_distribution<double> unit(0, 1);
  Crane c{.name = "吊车" + std::to_string(i + 1), .Pmax = 50 + 300 * unit(random), .Pmin = 20 + 40 * unit(random)};
  c.B = 4 + 7 * unit(random);
  if (unit(random) < 0.5) {
    c.spacings = {c.B * (0.5 + 0.4 * unit(random))};
  } else {
    const double bogie = 0.8 + unit(random);
    c.spacings = {bogie, c.B * (0.2 + 0.3 * unit(random)), bogie * (0.7 + 0.6 * unit(random))};
  }
  const double span = c.spacings.size() == 1 ? c.spacings[0] : c.spacings[0] + c.spacings[1] + c.spacings[2];
  if (span < c.B && unit(random) < 0.4) c.endDistance = (c.B - span) * unit(random);
  c.heavyDuty = unit(random) < 0.2;
  return c;
}

CraneArrangementData RandomArrangement(std::mt19937& random, std::size_t cranes) {
  std::uniform_real_distribution<double> bay(3, 15);
  CraneArrangementData d{.J1 = bay(random), .J2 = bay(random)};
  for (std::size_t i = 0; i < cranes; ++i) d.cranes.push_back(RandomCrane(random, i));
  d.maxOnRail = static_cast<int>(cranes);
  return d;
}

double Dmax(const CraneArrangementData& d) { return ComputeCraneArrangement(d).Dmax; }

TEST(CraneArrangement, SwappedBaysWithTheOrderReversedGiveTheSameDmax) {
  std::mt19937 random(18);
  for (int run = 0; run < 200; ++run) {
    CraneArrangementData d = RandomArrangement(random, 1 + run % 4);
    d.order = run % 2 ? CraneOrder::Entered : CraneOrder::Free;
    CraneArrangementData mirrored = d;
    std::swap(mirrored.J1, mirrored.J2);
    std::ranges::reverse(mirrored.cranes);
    for (Crane& c : mirrored.cranes) {
      std::ranges::reverse(c.spacings);
      if (c.endDistance) {
        double span = 0;
        for (const double s : c.spacings) span += s;
        c.endDistance = c.B - span - *c.endDistance;
      }
    }
    EXPECT_NEAR(Dmax(mirrored), Dmax(d), 1e-9 * Dmax(d)) << "run " << run;
  }
}

TEST(CraneArrangement, MorePmaxOrAnotherCraneNeverLowersDmax) {
  std::mt19937 random(1806);
  for (int run = 0; run < 200; ++run) {
    const CraneArrangementData d = RandomArrangement(random, 1 + run % 3);
    const double before = Dmax(d);
    CraneArrangementData heavier = d;
    heavier.cranes[static_cast<std::size_t>(run) % d.cranes.size()].Pmax *= 1.5;
    EXPECT_GE(Dmax(heavier), before * (1 - 1e-12)) << "run " << run;
    CraneArrangementData more = d;
    more.cranes.push_back(RandomCrane(random, d.cranes.size()));
    EXPECT_GE(Dmax(more), before * (1 - 1e-12)) << "run " << run;
    more.maxOnRail = 4;
    EXPECT_GE(Dmax(more), before * (1 - 1e-12)) << "run " << run;
  }
}

// Two identical symmetric two-wheel cranes on equal bays are the main window's case; one crane alone at Z = 1
// can govern where the second hardly reaches the beams.
TEST(CraneArrangement, AgreesWithTheTwoCraneCalculation) {
  std::mt19937 random(2012);
  std::uniform_real_distribution<float> unit(0, 1);
  for (int run = 0; run < 2000; ++run) {
    const float J = 3 + 12 * unit(random), B = 3 + 8 * unit(random), W = B * (0.3f + 0.7f * unit(random));
    const float Pmax = 10 + 500 * unit(random), Pmin = 5 + 100 * unit(random);
    const auto two = ComputeVerticalLoads(0.9f, J, B, W, Pmax, Pmin);
    ASSERT_TRUE(two);
    const Crane c{.name = "吊车1", .Pmax = Pmax, .Pmin = Pmin, .B = B, .spacings = {W}};
    const CraneArrangement r = ComputeCraneArrangement({.J1 = J, .J2 = J, .cranes = {c, c}});
    const double alone = Pmax * (1 + std::max(0.0, 1 - double(W) / J));
    const double expected = std::max(double(two->Dmax), alone);
    EXPECT_NEAR(r.Dmax, expected, 1e-6 * expected) << "J " << J << " B " << B << " W " << W;
    if (r.vertical.order.size() == 2) {
      EXPECT_NEAR(r.Dmin, two->Dmin, 1e-6 * two->Dmin);
    }
  }
}

// One train, buffer to buffer, each way round of each crane, moved along the rail 1 mm at a time.
double SteppedBest(const CraneArrangementData& d, const std::vector<std::size_t>& order) {
  double best = 0;
  for (unsigned ways = 0; ways < (1u << order.size()); ++ways) {
    std::vector<double> x, load;
    std::vector<std::size_t> crane;
    double start = 0;
    for (std::size_t g = 0; g < order.size(); ++g) {
      const Crane& c = d.cranes[order[g]];
      for (double offset : WheelOffsets(c)) {
        x.push_back(start + ((ways >> g) & 1 ? c.B - offset : offset));
        load.push_back(c.Pmax);
        crane.push_back(order[g]);
      }
      start += c.B;
    }
    const auto steps = static_cast<long>(std::ceil((start + d.J1 + d.J2) * 1000));
    for (long step = 0; step <= steps; ++step) {
      const double shift = -start - d.J1 + static_cast<double>(step) / 1000;
      double sum = 0;
      unsigned on = 0;
      bool heavy = false;
      for (std::size_t i = 0; i < x.size(); ++i) {
        const double y = Ordinate(x[i] + shift, d.J1, d.J2);
        sum += load[i] * y;
        if (y > 0) on |= 1u << crane[i], heavy = heavy || d.cranes[crane[i]].heavyDuty;
      }
      if (on != 0) best = std::max(best, ReductionFactor(std::popcount(on), heavy) * sum);
    }
  }
  return best;
}

// Every group, order and way round moved along the rail 1 mm at a time, Z by the cranes with a wheel on the
// beams: no position beats the search.
TEST(CraneArrangement, SteppingTheTrainNeverBeatsTheSearch) {
  std::mt19937 random(6);
  for (int run = 0; run < 6; ++run) {
    const CraneArrangementData d = RandomArrangement(random, 1 + run % 3);
    const double found = Dmax(d);
    double best = 0;
    for (unsigned subset = 1; subset < (1u << d.cranes.size()); ++subset) {
      std::vector<std::size_t> order;
      for (std::size_t i = 0; i < d.cranes.size(); ++i) {
        if (subset & (1u << i)) order.push_back(i);
      }
      do {
        best = std::max(best, SteppedBest(d, order));
      } while (std::ranges::next_permutation(order).found);
    }
    EXPECT_LE(best, found * (1 + 1e-9)) << "run " << run;
    EXPECT_GE(best, found * (1 - 1e-3)) << "run " << run;  // a millimetre from the peak
  }
}

}  // namespace
}  // namespace kelvaro::test
