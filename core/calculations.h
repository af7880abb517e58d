// Kelvaro's calculation core: field texts to numbers, the three crane-load calculations, numbers to result texts.
// Every quantity is an IEEE single; each statement of a calculation runs in double and is rounded once, when stored.
#pragma once

#include <expected>
#include <string>
#include <string_view>

namespace kelvaro {

/// Turns tonnes into kilonewtons (double, 0x40239EB851EB851F).
inline constexpr double Gravity = 9.81;

enum class FailureKind { NotANumber, DivisionByZero, Overflow };
struct NumberFailure {
  FailureKind kind;
};
template <class T>
using Result = std::expected<T, NumberFailure>;

// Field texts are UTF-8; the decimal separator is the user's locale setting, handed in by the caller.

/// Decimal notation only, correctly rounded to the nearest single.
/// NotANumber for empty or malformed text; Overflow beyond the single range.
Result<float> ParseFieldValue(std::string_view text, char32_t decimalSeparator = U'.');
/// As ParseFieldValue, rounded to double; Overflow beyond the double range.
Result<double> ParseFieldDouble(std::string_view text, char32_t decimalSeparator = U'.');
/// 7 significant digits, trailing zeros dropped, never "-0"; exponent form (1.234568E+07, 1E-05) when the
/// decimal exponent is below -4 or above 6.
std::string FormatResult(float value, char32_t decimalSeparator = U'.');

struct FieldText {
  std::string_view text;
  char32_t decimalSeparator = U'.';
};  // a field taken as text

struct InfluenceOrdinates {
  float Y1, Y2, Y3, Y4, SumY;
};
struct VerticalLoads {
  float Dmax, Dmin;
};
struct HorizontalLoads {
  float H, H1;
};

/// Y1..Y4 each rounded to single when stored (a wheel beyond an outer support counts 0), SumY adds the singles.
/// DivisionByZero for J = 0, Overflow for J = W = 0 or a value beyond the single range.
Result<InfluenceOrdinates> ComputeOrdinates(float J, float B, float W);
/// J read as a double; also NotANumber when J's text is not a number.
Result<InfluenceOrdinates> ComputeOrdinates(FieldText J, float B, float W);
/// Dmax = (SumY × Z) × Pmax and Dmin = (SumY × Z) × Pmin, each rounded once. Failures of ComputeOrdinates, Overflow.
Result<VerticalLoads> ComputeVerticalLoads(float Z, float J, float B, float W, float Pmax, float Pmin);
/// S = Q + G rounded; Pmin = ((S / N) × Gravity) − Pmax in double, rounded once.
/// NotANumber for N's text, DivisionByZero for N = 0, Overflow.
Result<float> ComputeMinWheelPressure(float Pmax, float G, float Q, FieldText N);
/// H = ((Q + G1) × AlphaH) × Gravity, rounded once; H1 = ((H / N) × Z) × SumY, rounded once.
/// Failures of ComputeOrdinates (J as text), DivisionByZero for N = 0, Overflow.
Result<HorizontalLoads> ComputeHorizontalLoads(float G1, float Q, float AlphaH, float Z, float N, FieldText J, float B,
                                               float W);
}  // namespace kelvaro
