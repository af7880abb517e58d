// Exact expectations for the core's tables: singles by bit pattern, failures by kind.
#pragma once

#include "calculations.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <iomanip>
#include <ostream>

namespace kelvaro {

inline std::ostream& operator<<(std::ostream& os, FailureKind kind) {
  switch (kind) {
    case FailureKind::NotANumber:
      return os << "NotANumber";
    case FailureKind::DivisionByZero:
      return os << "DivisionByZero";
    case FailureKind::Overflow:
      return os << "Overflow";
  }
  return os << "FailureKind(" << static_cast<int>(kind) << ")";
}

}  // namespace kelvaro

namespace kelvaro::test {

inline std::uint32_t Bits(float f) { return std::bit_cast<std::uint32_t>(f); }
inline std::uint64_t Bits(double d) { return std::bit_cast<std::uint64_t>(d); }

/// One expected outcome in a table row: an exact value or a failure kind.
template <class T>
struct Outcome {
  bool ok;
  T value;
  FailureKind kind;
};
template <class T>
Outcome<T> Is(T value) {
  return {true, value, FailureKind::NotANumber};
}
template <class T = float>
Outcome<T> Fails(FailureKind kind) {
  return {false, T{}, kind};
}

template <class T>
void ExpectOutcome(const Result<T>& actual, const Outcome<T>& expected) {
  if (expected.ok) {
    ASSERT_TRUE(actual.has_value()) << "failed with " << actual.error().kind;
    EXPECT_EQ(Bits(*actual), Bits(expected.value))
        << std::setprecision(17) << "got " << *actual << ", want " << expected.value;
  } else {
    ASSERT_FALSE(actual.has_value()) << "gave " << *actual;
    EXPECT_EQ(actual.error().kind, expected.kind);
  }
}

}  // namespace kelvaro::test
