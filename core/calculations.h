// Kelvaro's calculation core: field texts to numbers, the three crane-load calculations, numbers to result texts.
// Every quantity is an IEEE single; each statement of a calculation runs in double and is rounded once, when stored.
// Each calculation hands back its working with its results, and a failure names the input it belongs to, so that
// no front end reads a field twice or works anything out again.
#pragma once

#include <array>
#include <expected>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

/// Turns tonnes into kilonewtons (double, 0x40239EB851EB851F).
inline constexpr double Gravity = 9.81;

/// The inputs of the three calculations, by the symbols the windows show.
enum class Input : unsigned char { Z, J, B, W, Pmax, Pmin, G, Q, N, G1, AlphaH };
inline constexpr int InputCount = 11;
/// The symbol as the windows show it, UTF-8 ("αH" for AlphaH).
std::string_view SymbolOf(Input input);

enum class FailureKind { NotANumber, DivisionByZero, Overflow };
struct NumberFailure {
  FailureKind kind;
  /// The input to blame: the text that is not a number, the input whose reading overflows, or the divisor that
  /// is zero (for zero by zero as well, an Overflow by the rules). None for the overflow of a statement.
  std::optional<Input> input = std::nullopt;
  /// The failure came from a divisor that is zero: DivisionByZero, or Overflow for zero by zero.
  bool zeroDivisor = false;
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
/// As FormatResult, for the doubles of the working (J or N read from text, Gravity).
std::string FormatValue(double value, char32_t decimalSeparator = U'.');
/// A text of FormatValue's numbers as a printed sheet writes it: each exponent form as a power of ten
/// ("1.234568E+07" as "1.234568×10⁷") and each number's minus sign as "−", the sign a reader of print expects;
/// a hyphen between digits or letters ("GB 50009-2012") stays.
std::string PrintedNumbers(std::string_view text);

struct FieldText {
  std::string_view text;
  char32_t decimalSeparator = U'.';
};  // a field taken as text

struct InfluenceOrdinates {
  float Y1, Y2, Y3, Y4, SumY;
  // The working: J as read (a single, or the double read from its text), B and W, and the wheels that stand
  // beyond an outer support, whose ordinates were set to 0 ([0] for Y1 ... [3] for Y4).
  double J = 0;
  float B = 0, W = 0;
  std::array<bool, 4> beyondSupport{};
};
struct VerticalLoads {
  float Dmax, Dmin;
  float Z = 0, Pmax = 0, Pmin = 0;  // as read
  InfluenceOrdinates ordinates{};
};
struct MinWheelPressure {
  float Pmin;
  float Pmax = 0, G = 0, Q = 0;  // as read
  float S = 0;                   // Q + G, rounded to single
  double N = 0;                  // read from its text
};
struct HorizontalLoads {
  float H, H1;
  float G1 = 0, Q = 0, AlphaH = 0, Z = 0, N = 0;  // as read
  InfluenceOrdinates ordinates{};
};

/// Y1..Y4 each rounded to single when stored (a wheel beyond an outer support counts 0), SumY adds the singles.
/// DivisionByZero for J = 0, Overflow for J = W = 0 (both blame J) or a value beyond the single range.
Result<InfluenceOrdinates> ComputeOrdinates(float J, float B, float W);
/// J read as a double; also NotANumber when J's text is not a number.
Result<InfluenceOrdinates> ComputeOrdinates(FieldText J, float B, float W);
/// Dmax = (SumY × Z) × Pmax and Dmin = (SumY × Z) × Pmin, each rounded once. Failures of ComputeOrdinates, Overflow.
Result<VerticalLoads> ComputeVerticalLoads(float Z, float J, float B, float W, float Pmax, float Pmin);
/// S = Q + G rounded; Pmin = ((S / N) × Gravity) − Pmax in double, rounded once.
/// NotANumber for N's text, DivisionByZero for N = 0, Overflow.
Result<MinWheelPressure> ComputeMinWheelPressure(float Pmax, float G, float Q, FieldText N);
/// H = ((Q + G1) × AlphaH) × Gravity, rounded once; H1 = ((H / N) × Z) × SumY, rounded once.
/// Failures of ComputeOrdinates (J as text), DivisionByZero for N = 0, Overflow.
Result<HorizontalLoads> ComputeHorizontalLoads(float G1, float Q, float AlphaH, float Z, float N, FieldText J, float B,
                                               float W);

// The same calculations from the texts of their fields, read in the windows' read order; a text that cannot be
// read fails with that input blamed, before anything is computed.

/// Read order Pmax, Pmin, Z, J, B, W.
struct VerticalLoadTexts {
  std::string_view Z, J, B, W, Pmax, Pmin;
};
Result<VerticalLoads> ComputeVerticalLoads(const VerticalLoadTexts& fields, char32_t decimalSeparator = U'.');
/// Read order Pmax, G, Q; N is taken as text.
struct MinWheelPressureTexts {
  std::string_view Pmax, G, Q, N;
};
Result<MinWheelPressure> ComputeMinWheelPressure(const MinWheelPressureTexts& fields, char32_t decimalSeparator = U'.');
/// Read order G1, Q, Z, N, AlphaH, B, W; J is taken as text.
struct HorizontalLoadTexts {
  std::string_view G1, Q, AlphaH, Z, N, J, B, W;
};
Result<HorizontalLoads> ComputeHorizontalLoads(const HorizontalLoadTexts& fields, char32_t decimalSeparator = U'.');

}  // namespace kelvaro
