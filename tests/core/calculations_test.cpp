// The three calculations, by bit pattern. Expected singles were worked out independently, statement by statement
// (double arithmetic, one rounding to single per statement).
#include "calculations.h"
#include "expect.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace kelvaro::test {
namespace {

using enum FailureKind;

constexpr float Tiny = std::numeric_limits<float>::denorm_min();

void ExpectOrdinates(const Result<InfluenceOrdinates>& y, const InfluenceOrdinates& want) {
  ASSERT_TRUE(y.has_value()) << "failed with " << y.error().kind;
  EXPECT_EQ(Bits(y->Y1), Bits(want.Y1)) << "Y1 " << y->Y1;
  EXPECT_EQ(Bits(y->Y2), Bits(want.Y2)) << "Y2 " << y->Y2;
  EXPECT_EQ(Bits(y->Y3), Bits(want.Y3)) << "Y3 " << y->Y3;
  EXPECT_EQ(Bits(y->Y4), Bits(want.Y4)) << "Y4 " << y->Y4;
  EXPECT_EQ(Bits(y->SumY), Bits(want.SumY)) << "SumY " << y->SumY;
}

TEST(ComputeOrdinates, PlacesTheFourWheelsOnTheInfluenceLine) {
  const struct {
    const char* tag;
    float J, B, W;
    InfluenceOrdinates want;
  } rows[] = {
      {"worked example", 6, 5.5f, 4.4f, {0.26666665f, 1, 0.81666666f, 0.083333336f, 2.1666667f}},
      {"B = J puts the last wheel on the support", 6, 6, 4.4f, {0.266666651f, 1, 0.733333349f, 0, 2}},
      // A wheel beyond an outer support stands on the next bay: its ordinate is 0, never negative.
      {"B beyond J", 6, 8, 4.4f, {0.266666651f, 1, 0.400000006f, 0, 1.66666663f}},
      {"16 t crane on a 6 m bay", 6, 6.39f, 5, {0.166666672f, 1, 0.768333375f, 0, 1.93500006f}},
      {"W beyond J", 6, 5.5f, 7, {0, 1, 1.25f, 0.0833333358f, 2.33333325f}},
      {"negative W lifts Y1 above 1", 6, 5.5f, -1, {1.16666663f, 1, 0, 0.0833333358f, 2.25f}},
      // ((J - B) + W) / J is one statement: rounding J - B first would give 0.75.
      {"statement rounded once", 6, 4.8f, 3.3f, {0.450000018f, 1, 0.74999994f, 0.199999973f, 2.39999986f}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    ExpectOrdinates(ComputeOrdinates(row.J, row.B, row.W), row.want);
  }
}

TEST(ComputeOrdinates, FailsInTheStatementThatMeetsTheFault) {
  const struct {
    const char* tag;
    float J, B, W;
    FailureKind want;
    std::optional<Input> blame;
  } rows[] = {
      {"J = 0", 0, 5.5f, 4.4f, DivisionByZero, Input::J},
      // Overflow by the rules, but the zero divisor is the cause.
      {"J = W = 0 is zero by zero", 0, 5.5f, 0, Overflow, Input::J},
      {"Y1 beyond the single range, negative", Tiny, 0, 3e38f, Overflow, std::nullopt},
      {"Y3 beyond the single range", Tiny, -3e38f, 0, Overflow, std::nullopt},
      {"infinite J", std::numeric_limits<float>::infinity(), 1, 1, Overflow, std::nullopt},
      {"NaN B", 6, std::numeric_limits<float>::quiet_NaN(), 1, Overflow, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    ExpectFailure(ComputeOrdinates(row.J, row.B, row.W), row.want, row.blame);
  }
}

TEST(ComputeOrdinates, TakesJAsTextAtDoublePrecision) {
  const struct {
    const char* tag;
    FieldText J;
    float B, W;
    Outcome<float> sumY;
  } rows[] = {
      {"worked example", {"6"}, 5.5f, 4.4f, Is(2.1666667f)},
      {"comma separator", {"6,0", U','}, 5.5f, 4.4f, Is(2.1666667f)},
      {"not a number", {"六"}, 5.5f, 4.4f, Fails(NotANumber, Input::J)},
      {"empty", {""}, 5.5f, 4.4f, Fails(NotANumber, Input::J)},
      {"J = 0", {"0"}, 5.5f, 4.4f, Fails(DivisionByZero, Input::J)},
      {"J = W = 0", {"0"}, 5.5f, 0, Fails(Overflow, Input::J)},
      {"beyond the double range", {"1e400"}, 5.5f, 4.4f, Fails(Overflow, Input::J)},
      {"quotient beyond the double range", {"1e-320"}, 5.5f, 3e38f, Fails(Overflow)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const auto y = ComputeOrdinates(row.J, row.B, row.W);
    ExpectOutcome(y ? Result<float>(y->SumY) : std::unexpected(y.error()), row.sumY);
    if (y) {
      EXPECT_EQ(y->J, *ParseFieldDouble(row.J.text, row.J.decimalSeparator)) << "J as read";
    }
  }
}

TEST(ComputeVerticalLoads, GivesDmaxAndDmin) {
  const struct {
    const char* tag;
    float Z, J, B, W, Pmax, Pmin;
    VerticalLoads want;
  } rows[] = {
      {"worked example", 0.9f, 6, 5.5f, 4.4f, 100, 30, {195, 58.5f}},
      // SumY × Z stays double: rounding it to single first would give 184.16669.
      {"SumY × Z not rounded", 0.85f, 6, 5.5f, 4.4f, 100, 30, {184.166672f, 55.2500038f}},
      {"Z = 0", 0, 6, 5.5f, 4.4f, 100, 30, {0, 0}},
      {"Pmin above Pmax", 0.9f, 6, 5.5f, 4.4f, 30, 100, {58.5f, 195}},
      {"negative pressures", 0.9f, 6, 5.5f, 4.4f, -100, -30, {-195, -58.5f}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const auto d = ComputeVerticalLoads(row.Z, row.J, row.B, row.W, row.Pmax, row.Pmin);
    ASSERT_TRUE(d.has_value()) << d.error().kind;
    EXPECT_EQ(Bits(d->Dmax), Bits(row.want.Dmax)) << "Dmax " << d->Dmax;
    EXPECT_EQ(Bits(d->Dmin), Bits(row.want.Dmin)) << "Dmin " << d->Dmin;
  }
}

TEST(ComputeVerticalLoads, DeliversNothingOnFailure) {
  const struct {
    const char* tag;
    float Z, J, B, W, Pmax, Pmin;
    FailureKind want;
    std::optional<Input> blame;
  } rows[] = {
      {"J = 0", 0.9f, 0, 5.5f, 4.4f, 100, 30, DivisionByZero, Input::J},
      {"Dmax beyond the single range", 0.9f, 6, 5.5f, 4.4f, 3e38f, 30, Overflow, std::nullopt},
      {"only Dmin beyond the single range", 0.9f, 6, 5.5f, 4.4f, 100, -3e38f, Overflow, std::nullopt},
      {"infinite Pmax", 0.9f, 6, 5.5f, 4.4f, std::numeric_limits<float>::infinity(), 30, Overflow, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    ExpectFailure(ComputeVerticalLoads(row.Z, row.J, row.B, row.W, row.Pmax, row.Pmin), row.want, row.blame);
  }
}

TEST(ComputeMinWheelPressure, SharesTheWeightAmongTheWheels) {
  const struct {
    const char* tag;
    float Pmax, G, Q;
    FieldText N;
    Outcome<float> want;
  } rows[] = {
      {"worked example", 100, 20, 10, {"2"}, Is(47.150001525878906f)},
      {"N need not be whole", 100, 20, 10, {"2.5"}, Is(17.7199993f)},
      // N is read as a double: the single nearest 2.7 would give 8.999998.
      {"N read at double precision", 100, 20, 10, {"2.7"}, Is(9.0f)},
      {"N with comma separator", 100, 20, 10, {"2,5", U','}, Is(17.7199993f)},
      {"full-width N", 100, 20, 10, {"２"}, Is(47.150001525878906f)},
      {"negative result delivered", 1000, 20, 10, {"2"}, Is(-852.849976f)},
      {"N = 0", 100, 20, 10, {"0"}, Fails(DivisionByZero, Input::N)},
      {"N = -0", 100, 20, 10, {"-0"}, Fails(DivisionByZero, Input::N)},
      {"S = 0 and N = 0", 100, 0, 0, {"0"}, Fails(Overflow, Input::N)},
      {"N empty", 100, 20, 10, {""}, Fails(NotANumber, Input::N)},
      {"N not a number", 100, 20, 10, {"两"}, Fails(NotANumber, Input::N)},
      {"N beyond the double range", 100, 20, 10, {"1e999"}, Fails(Overflow, Input::N)},
      {"S overflows before N is read", 100, 3e38f, 3e38f, {"x"}, Fails(Overflow)},
      {"quotient beyond double", 100, 20, 10, {"1e-320"}, Fails(Overflow)},
      {"Pmin beyond the single range", 100, 3e38f, 0, {"0.5"}, Fails(Overflow)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const auto p = ComputeMinWheelPressure(row.Pmax, row.G, row.Q, row.N);
    ExpectOutcome(p ? Result<float>(p->Pmin) : std::unexpected(p.error()), row.want);
  }
}

TEST(ComputeHorizontalLoads, GivesHAndH1) {
  const struct {
    const char* tag;
    float G1, Q, AlphaH, Z, N;
    FieldText J;
    float B, W;
    HorizontalLoads want;
  } rows[] = {
      {"worked example", 3.5f, 10, 0.12f, 0.9f, 4, {"6"}, 5.5f, 4.4f, {15.892199516296387f, 7.747447490692139f}},
      // J read as a double; the single nearest 6.1 would give H1 = 9.0272894.
      {"J read at double precision", 3.5f, 10, 0.12f, 0.9f, 4, {"6.1"}, 4.5f, 4.4f, {15.892199516296387f, 9.02729034f}},
      {"J with comma separator",
       3.5f,
       10,
       0.12f,
       0.9f,
       4,
       {"6", U','},
       5.5f,
       4.4f,
       {15.892199516296387f, 7.747447490692139f}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const auto h = ComputeHorizontalLoads(row.G1, row.Q, row.AlphaH, row.Z, row.N, row.J, row.B, row.W);
    ASSERT_TRUE(h.has_value()) << h.error().kind;
    EXPECT_EQ(Bits(h->H), Bits(row.want.H)) << "H " << h->H;
    EXPECT_EQ(Bits(h->H1), Bits(row.want.H1)) << "H1 " << h->H1;
  }
}

TEST(ComputeHorizontalLoads, DeliversNothingOnFailure) {
  const struct {
    const char* tag;
    float G1, Q, AlphaH, Z, N;
    FieldText J;
    float B, W;
    FailureKind want;
    std::optional<Input> blame;
  } rows[] = {
      {"N = 0 after H was formed", 3.5f, 10, 0.12f, 0.9f, 0, {"6"}, 5.5f, 4.4f, DivisionByZero, Input::N},
      {"N = 0 and H = 0", 0, 0, 0.12f, 0.9f, 0, {"6"}, 5.5f, 4.4f, Overflow, Input::N},
      {"J not a number", 3.5f, 10, 0.12f, 0.9f, 4, {"abc"}, 5.5f, 4.4f, NotANumber, Input::J},
      {"J = 0", 3.5f, 10, 0.12f, 0.9f, 4, {"0"}, 5.5f, 4.4f, DivisionByZero, Input::J},
      // J's failure comes from step 1, before N = 0 is met in step 3.
      {"J empty and N = 0", 3.5f, 10, 0.12f, 0.9f, 0, {""}, 5.5f, 4.4f, NotANumber, Input::J},
      {"H beyond the single range", 3e38f, 3e38f, 0.12f, 0.9f, 4, {"6"}, 5.5f, 4.4f, Overflow, std::nullopt},
      {"H1 beyond the single range", 3.5f, 10, 0.12f, 3e38f, Tiny, {"6"}, 5.5f, 4.4f, Overflow, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    ExpectFailure(ComputeHorizontalLoads(row.G1, row.Q, row.AlphaH, row.Z, row.N, row.J, row.B, row.W), row.want,
                  row.blame);
  }
}

// From field texts: the first input that cannot be read is blamed, in read order, before anything is computed;
// after that, failures are met in statement order.
TEST(ComputeFromTexts, BlamesTheInputWhereTheCalculationFails) {
  const struct {
    const char* tag;
    std::optional<VerticalLoadTexts> vertical;
    std::optional<MinWheelPressureTexts> minWheel;
    std::optional<HorizontalLoadTexts> horizontal;
    FailureKind want;
    std::optional<Input> blame;
  } rows[] = {
      // Z, J, B, W, Pmax, Pmin; read Pmax, Pmin, Z, J, B, W
      {"Pmax is read first", VerticalLoadTexts{"x", "6", "5.5", "4.4", "y", "30"}, {}, {}, NotANumber, Input::Pmax},
      {"then Pmin", VerticalLoadTexts{"x", "6", "5.5", "4.4", "100", "y"}, {}, {}, NotANumber, Input::Pmin},
      {"a reading that overflows",
       VerticalLoadTexts{"0.9", "6", "1e39", "4.4", "100", "30"},
       {},
       {},
       Overflow,
       Input::B},
      {"J = 0", VerticalLoadTexts{"0.9", "0", "5.5", "4.4", "100", "30"}, {}, {}, DivisionByZero, Input::J},
      {"Dmax overflows", VerticalLoadTexts{"0.9", "6", "5.5", "4.4", "3e38", "30"}, {}, {}, Overflow, std::nullopt},
      // Pmax, G, Q, N
      {"S overflows before N is read",
       {},
       MinWheelPressureTexts{"100", "3e38", "3e38", "abc"},
       {},
       Overflow,
       std::nullopt},
      {"N not a number", {}, MinWheelPressureTexts{"100", "20", "10", "abc"}, {}, NotANumber, Input::N},
      {"G before N", {}, MinWheelPressureTexts{"100", "二十", "10", "abc"}, {}, NotANumber, Input::G},
      {"N = 0 with S = 0", {}, MinWheelPressureTexts{"100", "0", "0", "0"}, {}, Overflow, Input::N},
      // G1, Q, AlphaH, Z, N, J, B, W; read G1, Q, Z, N, AlphaH, B, W, then J in the first statement
      {"H underflows to 0, then 0 / N = 0",
       {},
       {},
       HorizontalLoadTexts{"1e-30", "0", "1e-30", "0.9", "0", "6", "5.5", "4.4"},
       Overflow,
       Input::N},
      {"B is read before J",
       {},
       {},
       HorizontalLoadTexts{"3.5", "10", "0.12", "0.9", "4", "abc", "x", "4.4"},
       NotANumber,
       Input::B},
      {"J not a number",
       {},
       {},
       HorizontalLoadTexts{"3.5", "10", "0.12", "0.9", "4", "abc", "5.5", "4.4"},
       NotANumber,
       Input::J},
      {"J = 0 before N = 0",
       {},
       {},
       HorizontalLoadTexts{"3.5", "10", "0.12", "0.9", "0", "0", "5.5", "4.4"},
       DivisionByZero,
       Input::J},
      {"alpha H overflows",
       {},
       {},
       HorizontalLoadTexts{"3.5", "10", "4e38", "0.9", "4", "6", "5.5", "4.4"},
       Overflow,
       Input::AlphaH},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    if (row.vertical) ExpectFailure(ComputeVerticalLoads(*row.vertical), row.want, row.blame);
    if (row.minWheel) ExpectFailure(ComputeMinWheelPressure(*row.minWheel), row.want, row.blame);
    if (row.horizontal) ExpectFailure(ComputeHorizontalLoads(*row.horizontal), row.want, row.blame);
  }
}

// The working handed back with the worked examples' results: what a tooltip or a sheet shows comes from here.
TEST(ComputeFromTexts, HandsBackTheWorking) {
  const auto d = ComputeVerticalLoads(VerticalLoadTexts{"0,9", "6", "8", "4,4", "100", "30"}, U',');
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(Bits(d->Z), Bits(0.9f));
  EXPECT_EQ(Bits(d->Pmax), Bits(100.0f));
  EXPECT_EQ(Bits(d->Pmin), Bits(30.0f));
  EXPECT_EQ(d->ordinates.J, 6.0);
  EXPECT_EQ(Bits(d->ordinates.B), Bits(8.0f));
  EXPECT_EQ(Bits(d->ordinates.W), Bits(4.4f));
  EXPECT_EQ(Bits(d->ordinates.SumY), Bits(1.66666663f));
  EXPECT_EQ(d->ordinates.beyondSupport, (std::array<bool, 4>{false, false, false, true}));

  const auto p = ComputeMinWheelPressure(MinWheelPressureTexts{"100", "20", "10", " 2.7 "});
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(Bits(p->S), Bits(30.0f));
  EXPECT_EQ(Bits(p->N), Bits(2.7));  // N as read, a double
  EXPECT_EQ(Bits(p->Pmin), Bits(9.0f));

  const auto h = ComputeHorizontalLoads(HorizontalLoadTexts{"3.5", "10", "0.12", "0.9", "4", "6.1", "4.5", "7"});
  ASSERT_TRUE(h.has_value());
  EXPECT_EQ(Bits(h->ordinates.J), Bits(6.1));  // J as read, a double
  EXPECT_EQ(h->ordinates.beyondSupport, (std::array<bool, 4>{true, false, false, false}));
  EXPECT_EQ(Bits(h->AlphaH), Bits(0.12f));
  EXPECT_EQ(Bits(h->N), Bits(4.0f));
}

}  // namespace
}  // namespace kelvaro::test
