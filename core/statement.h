// The arithmetic of one statement of a calculation: operations run in double, each one checked, and the
// statement's value is rounded to single exactly once, when it is stored.
//
// Checks are made on values, not on the hardware's exception flags: flags are not reliable once the optimiser
// moves or folds operations, and values give the same answer under every compiler and sanitizer.
#pragma once

#include "calculations.h"

#include <optional>

namespace kelvaro::detail {

/// A value inside a statement: double precision, carrying the first failure met on the way to it.
struct Wide {
  double value = 0.0;
  std::optional<FailureKind> failure;

  Wide(double v) : value(v) {}   // NOLINT(google-explicit-constructor): singles and doubles enter freely
  Wide(const Result<double>& r)  // a field taken as text brings its reading failure along
      : value(r ? *r : 0.0), failure(r ? std::nullopt : std::optional(r.error().kind)) {}
  static Wide Failed(FailureKind kind) {
    Wide w(0.0);
    w.failure = kind;
    return w;
  }
};

Wide operator+(const Wide& a, const Wide& b);
Wide operator-(const Wide& a, const Wide& b);
Wide operator*(const Wide& a, const Wide& b);
/// A non-zero value divided by zero is DivisionByZero; zero (or NaN) divided by zero is Overflow.
Wide operator/(const Wide& a, const Wide& b);

/// Runs the statements of one calculation in order. The first failure ends the calculation: later statements
/// store nothing and Finish hands that failure back instead of the results.
class Statements {
 public:
  /// Rounds the statement's value to the nearest single; Overflow when it lies beyond the single range.
  float Store(const Wide& statement);
  /// As Store, then a negative value becomes 0 (an influence ordinate of a wheel beyond the outer support).
  float StoreOrdinate(const Wide& statement);

  template <class T>
  Result<T> Finish(const T& results) const {
    if (failure_) return std::unexpected(NumberFailure{*failure_});
    return results;
  }

 private:
  std::optional<FailureKind> failure_;
};

}  // namespace kelvaro::detail
