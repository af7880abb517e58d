// The three calculations with fuzzed singles (any bit pattern) and texts: never a crash, never a result that
// is not finite, and failure kinds consistent with the inputs.
#include "calculations.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace kelvaro;

namespace {

float Single(FuzzedDataProvider& in) {
  // Mostly ordinary engineering values, sometimes any bit pattern (zeros, subnormals, infinities, NaN).
  if (in.ConsumeBool()) return std::bit_cast<float>(in.ConsumeIntegral<std::uint32_t>());
  const auto whole = static_cast<float>(in.ConsumeIntegralInRange<int>(-20, 200));
  return whole / static_cast<float>(in.ConsumeIntegralInRange<int>(1, 10));
}

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Finite(float f) { return std::isfinite(f); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const float Z = Single(in), J = Single(in), B = Single(in), W = Single(in), Pmax = Single(in), Pmin = Single(in);
  const float G = Single(in), Q = Single(in), G1 = Single(in), AlphaH = Single(in), N = Single(in);
  const std::string nText = in.ConsumeRandomLengthString(32);
  const std::string jText = in.ConsumeRemainingBytesAsString();

  if (const auto y = ComputeOrdinates(J, B, W)) {
    Check(y->Y2 == 1.0f && y->Y1 >= 0 && y->Y3 >= 0 && y->Y4 >= 0 && Finite(y->SumY));
  } else {
    Check(y.error().kind != FailureKind::NotANumber);
    if (J == 0 && std::isfinite(W)) {
      Check(y.error().kind == (W == 0 ? FailureKind::Overflow : FailureKind::DivisionByZero));
    }
  }

  if (const auto d = ComputeVerticalLoads(Z, J, B, W, Pmax, Pmin)) {
    Check(Finite(d->Dmax) && Finite(d->Dmin));
    if (Z == 0) Check(d->Dmax == 0 && d->Dmin == 0);
  } else {
    Check(d.error().kind != FailureKind::NotANumber);
  }

  const FieldText n{nText};
  const auto nValue = ParseFieldDouble(nText);
  const bool sFits = std::fabs(static_cast<double>(Q) + G) < 0x1.ffffffp127;  // S = Q + G stores as a single
  if (const auto p = ComputeMinWheelPressure(Pmax, G, Q, n)) {
    Check(Finite(p->Pmin) && nValue.has_value());
  } else if (sFits && !nValue) {
    Check(p.error().kind == nValue.error().kind);
  } else if (sFits && *nValue == 0 && Q + G != 0) {
    Check(p.error().kind == FailureKind::DivisionByZero);
  }

  const auto jValue = ParseFieldDouble(jText);
  if (const auto h = ComputeHorizontalLoads(G1, Q, AlphaH, Z, N, FieldText{jText}, B, W)) {
    Check(Finite(h->H) && Finite(h->H1) && jValue.has_value());
  } else if (!jValue) {
    Check(h.error().kind == jValue.error().kind);  // J is read in the first step, before anything can fail
  }
  return 0;
}
