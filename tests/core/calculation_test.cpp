// The one typed entry into the core: what each calculation hands back, and what the user is told when it cannot.
#include "calculation.h"
#include "expect.h"
#include "messages.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kelvaro::test {
namespace {

using enum Input;
using enum FailureKind;
using Pairs = std::vector<std::pair<Input, std::string_view>>;

constexpr auto Vertical = Calculation::VerticalLoads;
constexpr auto MinWheel = Calculation::MinWheelPressure;
constexpr auto Horizontal = Calculation::HorizontalLoads;

// The worked example of each calculation, every input of it filled in.
InputTexts Example(Calculation calculation, char32_t separator = U'.') {
  const bool comma = separator == U',';
  InputTexts texts{};
  texts[std::size_t(Z)] = comma ? "0,9" : "0.9";
  texts[std::size_t(J)] = "6";
  texts[std::size_t(B)] = comma ? "5,5" : "5.5";
  texts[std::size_t(W)] = comma ? "4,4" : "4.4";
  texts[std::size_t(Pmax)] = "100";
  texts[std::size_t(Pmin)] = "30";
  texts[std::size_t(G)] = "20";
  texts[std::size_t(Q)] = "10";
  texts[std::size_t(N)] = calculation == Horizontal ? "4" : "2";
  texts[std::size_t(G1)] = comma ? "3,5" : "3.5";
  texts[std::size_t(AlphaH)] = comma ? "0,12" : "0.12";
  return texts;
}

InputTexts With(InputTexts texts, const Pairs& changes) {
  for (const auto& [input, text] : changes) texts[std::size_t(input)] = text;
  return texts;
}

std::vector<std::string> Lines(const std::vector<WorkingLine>& working) {
  std::vector<std::string> out;
  for (const WorkingLine& line : working) out.push_back(LineText(line));
  return out;
}

// The answer agrees with the core's own record: values, texts, notes and working all come from it.
void ExpectConsistent(const Answer& answer, char32_t separator) {
  std::visit(
      [&](const auto& record) {
        const std::vector<std::string> notes = HowReached(record, separator);
        ASSERT_EQ(answer.results.size(), notes.size());
        for (std::size_t i = 0; i < notes.size(); ++i) {
          EXPECT_EQ(answer.results[i].text, FormatResult(answer.results[i].value, separator));
          EXPECT_EQ(answer.results[i].howReached, notes[i]);
        }
        EXPECT_EQ(Lines(answer.working), Lines(WorkingOf(record, separator)));
      },
      answer.record);
  EXPECT_EQ(answer.record.index(), static_cast<std::size_t>(answer.calculation));
  EXPECT_EQ(answer.ordinates.has_value(), answer.calculation != MinWheel);
}

TEST(Calculate, HandsBackEachResultWithItsTextAndNote) {
  const struct {
    const char* tag;
    Calculation calculation;
    char32_t separator;
    std::vector<std::pair<ResultId, std::string>> want;
  } rows[] = {
      {"vertical loads, worked example", Vertical, U'.', {{ResultId::Dmax, "195"}, {ResultId::Dmin, "58.5"}}},
      {"minimum wheel pressure, worked example", MinWheel, U'.', {{ResultId::Pmin, "47.15"}}},
      {"horizontal loads, worked example", Horizontal, U'.', {{ResultId::H, "15.8922"}, {ResultId::H1, "7.747447"}}},
      {"',' reads 0,9 and writes 58,5", Vertical, U',', {{ResultId::Dmax, "195"}, {ResultId::Dmin, "58,5"}}},
      {"',' reads 0,12 and writes 15,8922", Horizontal, U',', {{ResultId::H, "15,8922"}, {ResultId::H1, "7,747447"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const auto answer =
        Calculate(row.calculation, Example(row.calculation, row.separator), InputsOf(row.calculation), row.separator);
    ASSERT_TRUE(answer.has_value()) << answer.error().message;
    EXPECT_EQ(answer->calculation, row.calculation);
    std::vector<std::pair<ResultId, std::string>> got;
    for (const ResultValue& result : answer->results) got.emplace_back(result.id, result.text);
    EXPECT_EQ(got, row.want);
    ExpectConsistent(*answer, row.separator);
  }
}

TEST(Calculate, NamesEveryEmptyFieldInCheckOrder) {
  const std::vector<Input> reversed(InputsOf(Vertical).rbegin(), InputsOf(Vertical).rend());
  const struct {
    const char* tag;
    Pairs changes;
    std::vector<Input> checkOrder;
    std::vector<Input> want;
    std::string message;
  } rows[] = {
      {"one empty field", {{Pmin, ""}}, {Z, J, B, W, Pmax, Pmin}, {Pmin}, "Pmin 是空的。请输入一个数。"},
      {"two, in the order given",
       {{Pmax, ""}, {Z, ""}},
       {Z, J, B, W, Pmax, Pmin},
       {Z, Pmax},
       "Z、Pmax 是空的。请在每一栏输入一个数。"},
      {"two, the order reversed", {{Pmax, ""}, {Z, ""}}, reversed, {Pmax, Z}, "Pmax、Z 是空的。请在每一栏输入一个数。"},
      {"before a text that is not a number",
       {{J, "abc"}, {W, ""}},
       {Z, J, B, W, Pmax, Pmin},
       {W},
       "W 是空的。请输入一个数。"},
      {"an id that names no input is passed over",
       {{B, ""}},
       {static_cast<Input>(200), B},
       {B},
       "B 是空的。请输入一个数。"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const auto refusal = Calculate(Vertical, With(Example(Vertical), row.changes), row.checkOrder);
    ASSERT_FALSE(refusal.has_value());
    EXPECT_EQ(refusal.error().empty, row.want);
    EXPECT_FALSE(refusal.error().failure.has_value());
    EXPECT_EQ(refusal.error().message, row.message);
  }
}

TEST(Calculate, BlamesTheInputThatFailsAndQuotesItsText) {
  const std::string NotANumberTail = "”不是一个数。请输入数字，例如 6 或 0.9。";
  const struct {
    const char* tag;
    Calculation calculation;
    Pairs changes;
    char32_t separator;
    FailureKind kind;
    std::optional<Input> blame;
    std::string message;
  } rows[] = {
      {"not a number, quoted", Vertical, {{J, "abc"}}, U'.', NotANumber, J, "J 的内容“abc" + NotANumberTail},
      {"first in read order is blamed",
       Vertical,
       {{Z, "a"}, {Pmax, "b"}},
       U'.',
       NotANumber,
       Pmax,
       "Pmax 的内容“b" + NotANumberTail},
      {"a long text quoted cut",
       Vertical,
       {{B, "12345678901234567890123,45"}},
       U'.',
       NotANumber,
       B,
       "B 的内容“12345678901234567890123,…" + NotANumberTail},
      {"a line break in the text shown as U+FFFD",
       MinWheel,
       {{G, "2\n0"}},
       U'.',
       NotANumber,
       G,
       "G 的内容“2\uFFFD0" + NotANumberTail},
      {"with ',' a point is not the separator",
       Horizontal,
       {{AlphaH, "0.12"}},
       U',',
       NotANumber,
       AlphaH,
       "αH 的内容“0.12”不是一个数。请输入数字，例如 6 或 0,9。"},
      {"zero divisor", Vertical, {{J, "0"}}, U'.', DivisionByZero, J, "J 为 0，不能作除数。请输入一个不为 0 的数。"},
      {"N = 0", MinWheel, {{N, "0"}}, U'.', DivisionByZero, N, "N 为 0，不能作除数。请输入一个不为 0 的数。"},
      {"a reading beyond the single range",
       Horizontal,
       {{Q, "1e39"}},
       U'.',
       Overflow,
       Q,
       "Q 的数值太大，超出了可以计算的范围。"},
      {"overflow of a statement",
       Vertical,
       {{Pmax, "3e38"}},
       U'.',
       Overflow,
       std::nullopt,
       "计算中出现的数值太大，超出了单精度数的范围（约 ±3.4E+38）。请检查输入的数值。"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const InputTexts texts = With(Example(row.calculation, row.separator), row.changes);
    const auto refusal = Calculate(row.calculation, texts, InputsOf(row.calculation), row.separator);
    ASSERT_FALSE(refusal.has_value());
    EXPECT_TRUE(refusal.error().empty.empty());
    ASSERT_TRUE(refusal.error().failure.has_value());
    EXPECT_EQ(refusal.error().failure->kind, row.kind);
    EXPECT_EQ(refusal.error().failure->input, row.blame);
    EXPECT_EQ(refusal.error().message, row.message);
  }
}

TEST(Calculate, ReadsOnlyItsOwnInputs) {
  // The fields of the other calculations are empty or hold anything: only this one's are checked and read.
  const struct {
    const char* tag;
    Calculation calculation;
    Pairs changes;
  } rows[] = {
      {"vertical loads", Vertical, {{G, ""}, {Q, "x"}, {N, ""}, {G1, ""}, {AlphaH, "\n"}}},
      {"minimum wheel pressure", MinWheel, {{Z, ""}, {J, ""}, {B, "x"}, {W, ""}, {Pmin, ""}, {G1, ""}}},
      {"horizontal loads", Horizontal, {{Pmax, ""}, {Pmin, "x"}, {G, ""}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const InputTexts texts = With(Example(row.calculation), row.changes);
    const auto answer = Calculate(row.calculation, texts, InputsOf(row.calculation));
    ASSERT_TRUE(answer.has_value()) << answer.error().message;
    EXPECT_EQ(answer->results.size(), ResultsOf(row.calculation).size());
  }
}

TEST(Calculate, LeftOutOfTheCheckAnEmptyTextIsStillNamed) {
  const auto refusal = Calculate(Vertical, With(Example(Vertical), {{Pmin, ""}}), std::vector<Input>{Z, J});
  ASSERT_FALSE(refusal.has_value());
  EXPECT_TRUE(refusal.error().empty.empty());
  ASSERT_TRUE(refusal.error().failure.has_value());
  EXPECT_EQ(refusal.error().failure->input, Pmin);
  EXPECT_EQ(refusal.error().message, "Pmin 是空的。请输入一个数。");
}

TEST(Calculate, SaysWhatNoCraneOrBeamCanBe) {
  // The numbers still follow the rules; the notes say what is impossible or looks mistyped, and every result's
  // note on hovering ends with them.
  const struct {
    const char* tag;
    Calculation calculation;
    Pairs changes;
    std::vector<std::string> notes;
  } rows[] = {
      {"the worked example", Vertical, {}, {}},
      {"a negative W", Vertical, {{W, "-1.5"}}, {"W = -1.5 为负值，实际不可能。"}},
      {"a negative J", Horizontal, {{J, "-6"}}, {"J = -6 为负值，实际不可能。"}},
      {"W > B", Vertical, {{W, "6"}}, {"W = 6 大于 B = 5.5：大车轮距不可能大于吊车宽度。"}},
      {"millimetres", Vertical, {{B, "5500"}, {W, "4400"}}, {"B = 5500、W = 4400 远大于 J = 6，单位是否为米？"}},
      {"a bay of a millimetre", Horizontal, {{J, "0.001"}}, {"B = 5.5、W = 4.4 远大于 J = 0.001，单位是否为米？"}},
      {"Pmin > Pmax",
       Vertical,
       {{Pmax, "30"}, {Pmin, "100"}},
       {"Pmin = 100 大于 Pmax = 30：最小轮压不应大于最大轮压。"}},
      {"a negative Pmin", Vertical, {{Pmin, "-30"}}, {"Pmin = -30 为负值，实际不可能。"}},
      {"a minimum wheel pressure has none", MinWheel, {{Pmax, "-100"}}, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const auto answer =
        Calculate(row.calculation, With(Example(row.calculation), row.changes), InputsOf(row.calculation));
    ASSERT_TRUE(answer.has_value()) << answer.error().message;
    EXPECT_EQ(answer->notes, row.notes);
    for (const ResultValue& r : answer->results) {
      EXPECT_EQ(r.howReached.contains("注意："), !row.notes.empty()) << r.howReached;
      EXPECT_TRUE(row.notes.empty() || r.howReached.ends_with(row.notes.back())) << r.howReached;
    }
  }
}

}  // namespace
}  // namespace kelvaro::test
