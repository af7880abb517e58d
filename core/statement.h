// The arithmetic of one statement of a calculation: operations run in double, each one checked, and the
// statement's value is rounded to single exactly once, when it is stored.
//
// Checks are made on values, not on the hardware's exception flags: flags are not reliable once the optimiser
// moves or folds operations, and values give the same answer under every compiler and sanitizer.
#pragma once

#include "calculations.h"

#include <optional>

namespace kelvaro::detail {

/// A value inside a statement: double precision, carrying the first failure met on the way to it. A value that
/// is an input itself knows which one, so that a zero divisor can be blamed on it.
struct Wide {
  double value = 0.0;
  std::optional<NumberFailure> failure;
  std::optional<Input> input;

  Wide(double v) : value(v) {}  // NOLINT(google-explicit-constructor): singles and doubles enter freely
  Wide(double v, Input from) : value(v), input(from) {}
  /// A field taken as text brings its reading failure along, blamed on its input.
  Wide(const Result<double>& r, Input from) : value(r ? *r : 0.0), input(from) {
    if (!r) failure = NumberFailure{r.error().kind, from};
  }
  static Wide Failed(const NumberFailure& failure) {
    Wide w(0.0);
    w.failure = failure;
    return w;
  }
};

Wide operator+(const Wide& a, const Wide& b);
Wide operator-(const Wide& a, const Wide& b);
Wide operator*(const Wide& a, const Wide& b);
/// A non-zero value divided by zero is DivisionByZero; zero (or NaN) divided by zero is Overflow. Either is
/// blamed on the divisor when it is an input.
Wide operator/(const Wide& a, const Wide& b);

/// Runs the statements of one calculation in order. The first failure ends the calculation: later statements
/// store nothing and Finish hands that failure back instead of the results.
class Statements {
 public:
  /// Rounds the statement's value to the nearest single; Overflow when it lies beyond the single range.
  float Store(const Wide& statement);
  /// As Store, then a negative value becomes 0 (an influence ordinate of a wheel beyond the outer support);
  /// `beyond` says whether it did.
  float StoreOrdinate(const Wide& statement, bool& beyond);
  /// Reads a field's text as a single, blamed on its input when it cannot.
  float Read(std::string_view text, char32_t decimalSeparator, Input input);

  template <class T>
  Result<T> Finish(const T& results) const {
    if (failure_) return std::unexpected(*failure_);
    return results;
  }

 private:
  std::optional<NumberFailure> failure_;
};

}  // namespace kelvaro::detail
