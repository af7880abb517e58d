#include "calculations.h"
#include "expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace kelvaro::test {
namespace {

using enum FailureKind;

struct ParseRow {
  const char* tag;
  std::string text;
  char32_t separator;
  Outcome<float> want;
};

TEST(ParseFieldValue, ReadsPlainDecimalNotationOnly) {
  const std::string halfSmallestSubnormal =  // 2^-150, times 10^46
      "7.00649232162408535461864791644958065640130970938257885878534141944895541342930300743319094181060791015625";
  const ParseRow rows[] = {
      // default texts of the windows
      {"default Z", "0.9", U'.', Is(0.89999997615814208984375f)},
      {"default J", "6", U'.', Is(6.0f)},
      {"default N", "2", U'.', Is(2.0f)},
      {"default alpha", "0.12", U'.', Is(0.12f)},
      // notation
      {"sign and exponent", "-2.5e-1", U'.', Is(-0.25f)},
      {"plus sign", "+3", U'.', Is(3.0f)},
      {"capital exponent", "1E3", U'.', Is(1000.0f)},
      {"exponent with plus", "1e+3", U'.', Is(1000.0f)},
      {"trailing separator", "5.", U'.', Is(5.0f)},
      {"leading separator", ".5", U'.', Is(0.5f)},
      {"negative zero", "-0", U'.', Is(-0.0f)},
      {"long leading zeros", std::string(1000, '0') + "1", U'.', Is(1.0f)},
      // correctly rounded to the nearest single
      {"one tenth", "0.1", U'.', Is(0.1f)},
      {"tie to even down", "16777217", U'.', Is(16777216.0f)},
      {"tie to even up", "16777219", U'.', Is(16777220.0f)},
      {"largest single", "3.4028235e38", U'.', Is(std::numeric_limits<float>::max())},
      {"subnormal", "1e-40", U'.', Is(1e-40f)},
      // at the rounding boundaries: a tie, and a hair either side of one, finer than a double resolves
      {"tie to even, high exponent", "1701414.36990589277377567603056525180928E32", U'.', Is(0x1.000018p+127f)},
      {"a hair above that tie, not rounded twice", "1701414.369905892773775676030565251809280000000000001E32", U'.',
       Is(0x1.00001ap+127f)},
      {"tie between the largest single and 2^128", "340282356779733661637539395458142568448", U'.', Fails(Overflow)},
      {"a hair below that tie", "340282356779733661637539395458142568447.9999", U'.',
       Is(std::numeric_limits<float>::max())},
      {"half the smallest subnormal ties to zero", halfSmallestSubnormal + "E-46", U'.', Is(0.0f)},
      {"a hair above half the smallest subnormal", halfSmallestSubnormal + "1E-46", U'.',
       Is(std::numeric_limits<float>::denorm_min())},
      // range
      {"just beyond the single range", "3.4028236e38", U'.', Fails(Overflow)},
      {"negative beyond range", "-3.5e38", U'.', Fails(Overflow)},
      {"huge exponent", "1e99999999999999999999", U'.', Fails(Overflow)},
      {"many digits", std::string(100000, '9'), U'.', Fails(Overflow)},
      {"underflow reads as zero", "1e-50", U'.', Is(0.0f)},
      {"negative underflow", "-1e-50", U'.', Is(-0.0f)},
      {"tiny exponent", "1e-99999999999999999999", U'.', Is(0.0f)},
      // surrounding spaces and full-width forms
      {"ascii spaces", "  5.5  ", U'.', Is(5.5f)},
      {"ideographic spaces", "\u30005.5\u3000", U'.', Is(5.5f)},
      {"full-width digits and stop", "１００．５", U'.', Is(100.5f)},
      {"full-width minus", "－３", U'.', Is(-3.0f)},
      {"full-width plus and exponent", "＋２Ｅ２", U'.', Is(200.0f)},
      // not numbers
      {"empty", "", U'.', Fails(NotANumber)},
      {"only spaces", "   ", U'.', Fails(NotANumber)},
      {"letters", "abc", U'.', Fails(NotANumber)},
      {"inf", "inf", U'.', Fails(NotANumber)},
      {"nan", "nan", U'.', Fails(NotANumber)},
      {"infinity", "infinity", U'.', Fails(NotANumber)},
      {"hexadecimal", "0x1p3", U'.', Fails(NotANumber)},
      {"lone separator", ".", U'.', Fails(NotANumber)},
      {"lone plus", "+", U'.', Fails(NotANumber)},
      {"lone minus", "-", U'.', Fails(NotANumber)},
      {"exponent without digits", "1e", U'.', Fails(NotANumber)},
      {"exponent sign without digits", "1e+", U'.', Fails(NotANumber)},
      {"exponent without mantissa", "e5", U'.', Fails(NotANumber)},
      {"two separators", "1.2.3", U'.', Fails(NotANumber)},
      {"inner space", "1 000", U'.', Fails(NotANumber)},
      {"thousands separator", "1,000", U'.', Fails(NotANumber)},
      {"double sign", "--1", U'.', Fails(NotANumber)},
      {"trailing text", "5m", U'.', Fails(NotANumber)},
      {"fractional exponent", "1e2.5", U'.', Fails(NotANumber)},
      {"embedded NUL", std::string("1\0", 2), U'.', Fails(NotANumber)},
      {"invalid UTF-8",
       "\xff"
       "1",
       U'.', Fails(NotANumber)},
      {"truncated UTF-8", "1\xc3", U'.', Fails(NotANumber)},
      {"overlong UTF-8 digit", "\xc0\xb1", U'.', Fails(NotANumber)},
      {"encoded surrogate", "\xed\xa0\x80", U'.', Fails(NotANumber)},
      // the locale's separator, and only it
      {"comma separator", "1,5", U',', Is(1.5f)},
      {"point under comma separator", "1.5", U',', Fails(NotANumber)},
      {"full-width comma under comma separator", "１，５", U',', Is(1.5f)},
      {"odd separator", "1?5", U'?', Is(1.5f)},
      {"non-ASCII separator", "1\u066b5", U'\u066b', Is(1.5f)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    ExpectOutcome(ParseFieldValue(row.text, row.separator), row.want);
  }
}

TEST(ParseFieldDouble, ReadsTheSameNotationWithoutRoundingToSingle) {
  const struct {
    const char* tag;
    const char* text;
    char32_t separator;
    Outcome<double> want;
  } rows[] = {
      {"not the single 6.1", "6.1", U'.', Is(6.1)},
      {"beyond single, within double", "3.5e38", U'.', Is(3.5e38)},
      {"comma separator", "2,5", U',', Is(2.5)},
      {"beyond the double range", "1e309", U'.', Fails<double>(Overflow)},
      {"double underflow reads as zero", "1e-400", U'.', Is(0.0)},
      {"subnormal double", "1e-320", U'.', Is(1e-320)},
      {"tie to even", "9007199254740993", U'.', Is(9007199254740992.0)},
      {"a hair above half the smallest double", "2.4703282292062328e-324", U'.', Is(0x1p-1074)},
      {"a hair below half the smallest double", "2.4703282292062327e-324", U'.', Is(0.0)},
      {"not a number", "2个", U'.', Fails<double>(NotANumber)},
      {"empty", "", U'.', Fails<double>(NotANumber)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    ExpectOutcome(ParseFieldDouble(row.text, row.separator), row.want);
  }
}

TEST(FormatResult, WritesSevenSignificantDigits) {
  const struct {
    float value;
    char32_t separator;
    const char* text;
  } rows[] = {
      {195.0f, U'.', "195"},
      {58.5f, U'.', "58.5"},
      {47.15f, U'.', "47.15"},
      {15.8922f, U'.', "15.8922"},
      {7.7474475f, U'.', "7.747447"},
      {2.1666667f, U'.', "2.166667"},
      {0.083333336f, U'.', "0.08333334"},
      {0.26666665f, U'.', "0.2666667"},
      {-58.5f, U'.', "-58.5"},
      {0.0f, U'.', "0"},
      {-0.0f, U'.', "0"},
      {1234567.0f, U'.', "1234567"},
      {9999999.0f, U'.', "9999999"},
      {12345678.0f, U'.', "1.234568E+07"},
      {0.0001f, U'.', "0.0001"},
      {0.00001f, U'.', "1E-05"},
      {std::numeric_limits<float>::max(), U'.', "3.402823E+38"},
      {-std::numeric_limits<float>::denorm_min(), U'.', "-1.401298E-45"},
      {58.5f, U',', "58,5"},
      {12345678.0f, U',', "1,234568E+07"},
      {58.5f, U'?', "58?5"},
      {58.5f, U'\u066b', "58\u066b5"},
      {std::numeric_limits<float>::infinity(), U'.', "inf"},
      {-std::numeric_limits<float>::infinity(), U'.', "-inf"},
      {std::numeric_limits<float>::quiet_NaN(), U'.', "nan"},
      {-std::numeric_limits<float>::quiet_NaN(), U'.', "nan"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FormatResult(row.value, row.separator), row.text) << "value " << row.value;
  }
}

// A sheet prints powers of ten and minus signs as print does; a hyphen that is not a number's sign stays.
TEST(PrintedNumbers, WritesPowersOfTenAndMinusSigns) {
  const struct {
    const char* text;
    const char* printed;
  } rows[] = {
      {"195", "195"},
      {"1.234568E+07", "1.234568×10⁷"},
      {"1,234568E+07", "1,234568×10⁷"},
      {"1E-05", "1×10⁻⁵"},
      {"-3.402823E+38", "−3.402823×10³⁸"},
      {"-1.401298E-45", "−1.401298×10⁻⁴⁵"},
      {"9.9E+100", "9.9×10¹⁰⁰"},
      {"J−B = -2", "J−B = −2"},
      {"Y1 = (J − W) / J = (6 − -1.5) / 6 = 1.25", "Y1 = (J − W) / J = (6 − −1.5) / 6 = 1.25"},
      {"J = -6 为负值", "J = −6 为负值"},
      {"（-0.5）", "（−0.5）"},
      {"-inf", "−inf"},
      {"GB 50009-2012", "GB 50009-2012"},
      {"A6-A8", "A6-A8"},
      {"x-1", "x-1"},
      {"E+07", "E+07"},  // no mantissa: not a number
      {"1E+", "1E+"},
      {"SumE-1", "SumE-1"},
      {"-", "-"},
  };
  for (const auto& row : rows) EXPECT_EQ(PrintedNumbers(row.text), row.printed) << row.text;
}

// What FormatResult writes, ParseFieldValue reads back to within one unit of the 7th significant digit.
TEST(FormatResult, RoundTripsThroughParseFieldValue) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<std::uint32_t> pattern;
  for (int i = 0; i < 200000; ++i) {
    const float value = std::bit_cast<float>(pattern(random));
    if (!std::isfinite(value)) continue;
    const char32_t separator = i % 2 ? U'.' : U',';
    const std::string text = FormatResult(value, separator);
    const auto back = ParseFieldValue(text, separator);
    ASSERT_TRUE(back.has_value()) << text;
    if (value == 0.0f) {
      EXPECT_EQ(*back, 0.0f) << text;
      continue;
    }
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(static_cast<double>(value)))) - 6);
    ASSERT_LE(std::fabs(static_cast<double>(*back) - static_cast<double>(value)), unit)
        << text << " from " << std::hexfloat << value;
  }
}

}  // namespace
}  // namespace kelvaro::test
