// The working and the messages as the user reads them, for the worked examples and each kind of failure.
#include "working.h"
#include "calculations.h"
#include "expect.h"
#include "messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvaro::test {
namespace {

using enum FailureKind;

std::vector<std::string> Lines(const std::vector<WorkingLine>& working) {
  std::vector<std::string> out;
  for (const WorkingLine& line : working) out.push_back(LineText(line));
  return out;
}

TEST(WorkingOf, OneLinePerStatementWithTheNumbersPutIn) {
  const auto d = ComputeVerticalLoads(VerticalLoadTexts{"0.9", "6", "5.5", "4.4", "100", "30"});
  const auto beyond = ComputeVerticalLoads(VerticalLoadTexts{"1", "6", "8", "-1", "100", "30"});
  const auto comma = ComputeVerticalLoads(VerticalLoadTexts{"0,9", "6", "5,5", "4,4", "100", "30"}, U',');
  const auto p = ComputeMinWheelPressure(MinWheelPressureTexts{"100", "20", "10", "2"});
  const auto h = ComputeHorizontalLoads(HorizontalLoadTexts{"3.5", "10", "0.12", "0.9", "4", "6", "5.5", "4.4"});
  ASSERT_TRUE(d && beyond && comma && p && h);
  const struct {
    const char* tag;
    std::vector<std::string> lines, want;
  } rows[] = {
      {"vertical loads",
       Lines(WorkingOf(*d)),
       {"Y1 = (J − W) / J = (6 − 4.4) / 6 = 0.2666667", "Y2 = J / J = 6 / 6 = 1",
        "Y3 = ((J − B) + W) / J = ((6 − 5.5) + 4.4) / 6 = 0.8166667", "Y4 = (J − B) / J = (6 − 5.5) / 6 = 0.08333334",
        "SumY = ((Y2 + Y1) + Y3) + Y4 = ((1 + 0.26666665) + 0.81666666) + 0.083333336 = 2.166667",
        "Dmax = (SumY × Z) × Pmax = (2.1666667 × 0.9) × 100 = 195 Kn",
        "Dmin = (SumY × Z) × Pmin = (2.1666667 × 0.9) × 30 = 58.5 Kn"}},
      {"a wheel beyond the support, a negative input bracketed",
       Lines(WorkingOf(beyond->ordinates)),
       {"Y1 = (J − W) / J = (6 − (-1)) / 6 = 1.166667", "Y2 = J / J = 6 / 6 = 1",
        "Y3 = ((J − B) + W) / J = ((6 − 8) + (-1)) / 6 < 0，取 0（车轮在边支座以外，不对本柱产生荷载）",
        "Y4 = (J − B) / J = (6 − 8) / 6 < 0，取 0（车轮在边支座以外，不对本柱产生荷载）",
        "SumY = ((Y2 + Y1) + Y3) + Y4 = ((1 + 1.1666666) + 0) + 0 = 2.166667"}},
      {"decimal comma",
       {LineText(WorkingOf(*comma, U',')[5])},
       {"Dmax = (SumY × Z) × Pmax = (2,1666667 × 0,9) × 100 = 195 Kn"}},
      {"minimum wheel pressure",
       Lines(WorkingOf(*p)),
       {"S = Q + G = 10 + 20 = 30 t", "Pmin = ((S / N) × 9.81) − Pmax = ((30 / 2) × 9.81) − 100 = 47.15 Kn"}},
      {"horizontal loads",
       {LineText(WorkingOf(*h)[5]), LineText(WorkingOf(*h)[6])},
       {"H = ((Q + G1) × αH) × 9.81 = ((10 + 3.5) × 0.12) × 9.81 = 15.8922 Kn",
        "H1 = ((H / N) × Z) × SumY = ((15.8921995 / 4) × 0.9) × 2.1666667 = 7.747447 Kn"}},
      {"notes on the result fields",
       HowReached(*d),
       {"Dmax = (SumY × Z) × Pmax\nY1 = 0.2666667，Y2 = 1，Y3 = 0.8166667，Y4 = 0.08333334\n"
        "SumY = 2.166667，Z = 0.9，Pmax = 100",
        "Dmin = (SumY × Z) × Pmin\nY1 = 0.2666667，Y2 = 1，Y3 = 0.8166667，Y4 = 0.08333334\n"
        "SumY = 2.166667，Z = 0.9，Pmin = 30"}},
      {"note on Pmin", HowReached(*p), {"Pmin = ((S / N) × 9.81) − Pmax\nS = Q + G = 30，N = 2，Pmax = 100"}},
      {"notes on H and H1",
       HowReached(*h),
       {"H = ((Q + G1) × αH) × 9.81\nQ = 10，G1 = 3.5，αH = 0.12",
        "H1 = ((H / N) × Z) × SumY\nH = 15.8922，N = 4，Z = 0.9，SumY = 2.166667"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    EXPECT_EQ(row.lines, row.want);
  }
}

// "name = text" for each dimension, left to right.
std::vector<std::string> Chain(const InfluenceOrdinates& y, char32_t separator = U'.') {
  std::vector<std::string> out;
  for (const Dimension& d : DimensionChain(y, separator)) out.push_back(std::string(d.name) + " = " + d.text);
  return out;
}

// A line's numbers evaluated as a checker would, in double: "((15.8921995 / 4) × 0.9) × 2.1666667".
struct Evaluator {
  std::string_view s;
  std::size_t at = 0;
  void Skip() {
    while (at < s.size() && s[at] == ' ') ++at;
  }
  double Factor() {
    Skip();
    if (s[at] == '(') {
      ++at;
      const double v = Sum();
      Skip();
      ++at;  // ")"
      return v;
    }
    std::size_t used = 0;
    const double v = std::stod(std::string(s.substr(at)), &used);
    at += used;
    return v;
  }
  double Sum() {
    double v = Factor();
    for (Skip(); at < s.size() && s[at] != ')'; Skip()) {
      for (const std::string_view op : {"+", "−", "×", "/"}) {
        if (!s.substr(at).starts_with(op)) continue;
        at += op.size();
        const double r = Factor();
        v = op == "+" ? v + r : op == "−" ? v - r : op == "×" ? v * r : v / r;
        break;
      }
    }
    return v;
  }
};

// Every line of the worked examples recomputed from the numbers it shows, in double and rounded to single, gives
// the result it shows.
TEST(WorkingOf, ReproducibleByHandAtTheDigitsShown) {
  std::vector<std::vector<WorkingLine>> sheets;
  const auto add = [&](const auto& record) {
    ASSERT_TRUE(record);
    sheets.push_back(WorkingOf(*record));
  };
  add(ComputeVerticalLoads(VerticalLoadTexts{"0.9", "6", "5.5", "4.4", "100", "30"}));
  add(ComputeMinWheelPressure(MinWheelPressureTexts{"100", "20", "10", "2"}));
  add(ComputeHorizontalLoads(HorizontalLoadTexts{"3.5", "10", "0.12", "0.9", "4", "6", "5.5", "4.4"}));
  for (const auto& working : sheets) {
    for (const WorkingLine& line : working) {
      if (line.beyondSupport) continue;
      const double value = Evaluator{line.numbers}.Sum();
      EXPECT_EQ(FormatResult(static_cast<float>(value)), line.result) << LineText(line);
    }
  }
}

TEST(DimensionChain, PlacesTheWheelsAsTheDiagramDoes) {
  const auto example = ComputeOrdinates(6.0f, 5.5f, 4.4f);
  const auto wide = ComputeOrdinates(6.0f, 14.0f, 7.0f);
  const auto textJ = ComputeOrdinates(FieldText{"7,5", U','}, 5.5f, 4.4f);
  ASSERT_TRUE(example && wide && textJ);
  const struct {
    const char* tag;
    std::vector<std::string> chain, want;
  } rows[] = {
      // 4.4 as a single is 4.4000001: its difference from 6 is written as the result fields would write it.
      {"worked example", Chain(*example), {"J−W = 1.6", "W = 4.4", "B−W = 1.1", "W = 4.4", "J−B = 0.5"}},
      {"wheels beyond both outer supports: the lengths turn negative",
       Chain(*wide),
       {"J−W = -1", "W = 7", "B−W = 7", "W = 7", "J−B = -8"}},
      {"J read from its text as a double, decimal comma",
       Chain(*textJ, U','),
       {"J−W = 3,1", "W = 4,4", "B−W = 1,1", "W = 4,4", "J−B = 2"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    EXPECT_EQ(row.chain, row.want);
  }
}

TEST(FailureMessage, NamesTheInputAndWhatIsWrongWithIt) {
  const struct {
    const char* tag;
    std::string message, want;
  } rows[] = {
      {"not a number", FailureMessage({NotANumber, Input::Pmax}, "abc"),
       "Pmax 的内容“abc”不是一个数。请输入数字，例如 6 或 0.9。"},
      {"example in the locale's notation", FailureMessage({NotANumber, Input::B}, "5.5", U','),
       "B 的内容“5.5”不是一个数。请输入数字，例如 6 或 0,9。"},
      {"empty", FailureMessage({NotANumber, Input::N}, ""), "N 是空的。请输入一个数。"},
      {"zero divisor", FailureMessage({DivisionByZero, Input::J, true}, "0"),
       "J 为 0，不能作除数。请输入一个不为 0 的数。"},
      // Zero by zero is an Overflow by the rules; its cause is still the divisor.
      {"zero by zero", FailureMessage({Overflow, Input::N, true}, "0"), "N 为 0，不能作除数。请输入一个不为 0 的数。"},
      {"reading overflows", FailureMessage({Overflow, Input::AlphaH}, "4e38"), "αH 的数值太大，超出了可以计算的范围。"},
      {"statement overflows", FailureMessage({Overflow}, ""),
       "计算中出现的数值太大，超出了单精度数的范围（约 ±3.4E+38）。请检查输入的数值。"},
      {"several empty fields", EmptyFieldsMessage(std::vector{Input::Pmax, Input::Pmin}),
       "Pmax、Pmin 是空的。请在每一栏输入一个数。"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    EXPECT_EQ(row.message, row.want);
  }
}

}  // namespace
}  // namespace kelvaro::test
