#include "statement.h"

#include <cmath>
#include <limits>

namespace kelvaro::detail {
namespace {

// Anything not finite after an operation was an overflow or an invalid operation; both are Overflow, and a
// statement's overflow belongs to no single input.
Wide Checked(double value) {
  if (!std::isfinite(value)) return Wide::Failed(NumberFailure{FailureKind::Overflow});
  return Wide(value);
}

const std::optional<NumberFailure>& FirstFailure(const Wide& a, const Wide& b) {
  return a.failure ? a.failure : b.failure;
}

// The smallest magnitude that rounds to infinity as a single: FLT_MAX plus half its last unit, 2^128 - 2^103.
constexpr double SingleOverflowThreshold = 0x1.ffffffp127;

}  // namespace

Wide operator+(const Wide& a, const Wide& b) {
  if (const auto& f = FirstFailure(a, b)) return Wide::Failed(*f);
  return Checked(a.value + b.value);
}

Wide operator-(const Wide& a, const Wide& b) {
  if (const auto& f = FirstFailure(a, b)) return Wide::Failed(*f);
  return Checked(a.value - b.value);
}

Wide operator*(const Wide& a, const Wide& b) {
  if (const auto& f = FirstFailure(a, b)) return Wide::Failed(*f);
  return Checked(a.value * b.value);
}

Wide operator/(const Wide& a, const Wide& b) {
  if (const auto& f = FirstFailure(a, b)) return Wide::Failed(*f);
  if (b.value == 0.0) {
    const bool zeroByZero = a.value == 0.0 || std::isnan(a.value);
    return Wide::Failed(
        NumberFailure{zeroByZero ? FailureKind::Overflow : FailureKind::DivisionByZero, b.input, b.input.has_value()});
  }
  return Checked(a.value / b.value);
}

float Statements::Store(const Wide& statement) {
  if (failure_) return 0.0f;
  if (statement.failure) {
    failure_ = statement.failure;
    return 0.0f;
  }
  const double v = statement.value;
  if (std::fabs(v) >= SingleOverflowThreshold || std::isnan(v)) {
    failure_ = NumberFailure{FailureKind::Overflow};
    return 0.0f;
  }
  // Between FLT_MAX and the threshold the nearest single is FLT_MAX itself; clamping keeps the conversion
  // inside the single range, where it is defined and rounds to nearest.
  constexpr double max = std::numeric_limits<float>::max();
  return static_cast<float>(std::fmax(-max, std::fmin(v, max)));
}

float Statements::StoreOrdinate(const Wide& statement, bool& beyond) {
  const float y = Store(statement);
  beyond = y < 0.0f;
  return beyond ? 0.0f : y;
}

float Statements::Read(std::string_view text, char32_t decimalSeparator, Input input) {
  if (failure_) return 0.0f;
  const auto value = ParseFieldValue(text, decimalSeparator);
  if (value) return *value;
  failure_ = NumberFailure{value.error().kind, input};
  return 0.0f;
}

}  // namespace kelvaro::detail
