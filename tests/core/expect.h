// Exact expectations for the core's tables: singles by bit pattern, failures by kind.
#pragma once

#include "calculations.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <iomanip>
#include <optional>
#include <ostream>
#include <string>

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

inline std::ostream& operator<<(std::ostream& os, Input input) { return os << SymbolOf(input); }

}  // namespace kelvaro

namespace kelvaro::test {

inline std::uint32_t Bits(float f) { return std::bit_cast<std::uint32_t>(f); }
inline std::uint64_t Bits(double d) { return std::bit_cast<std::uint64_t>(d); }

/// One expected outcome in a table row: an exact value, or a failure kind with the input it blames (none when
/// not given).
template <class T>
struct Outcome {
  bool ok;
  T value;
  FailureKind kind;
  std::optional<Input> input;
};
template <class T>
Outcome<T> Is(T value) {
  return {true, value, FailureKind::NotANumber, std::nullopt};
}
template <class T = float>
Outcome<T> Fails(FailureKind kind, std::optional<Input> input = std::nullopt) {
  return {false, T{}, kind, input};
}

inline std::string Blamed(const std::optional<Input>& input) {
  return input ? std::string(SymbolOf(*input)) : "no input";
}

/// A failure of the kind given, blaming the input given (or none).
template <class T>
void ExpectFailure(const Result<T>& actual, FailureKind kind, std::optional<Input> input) {
  ASSERT_FALSE(actual.has_value()) << "did not fail";
  EXPECT_EQ(actual.error().kind, kind);
  EXPECT_EQ(actual.error().input, input) << "blamed " << Blamed(actual.error().input) << ", want " << Blamed(input);
}

template <class T>
void ExpectOutcome(const Result<T>& actual, const Outcome<T>& expected) {
  if (expected.ok) {
    ASSERT_TRUE(actual.has_value()) << "failed with " << actual.error().kind;
    EXPECT_EQ(Bits(*actual), Bits(expected.value))
        << std::setprecision(17) << "got " << *actual << ", want " << expected.value;
  } else {
    ASSERT_FALSE(actual.has_value()) << "gave " << *actual;
    ExpectFailure(actual, expected.kind, expected.input);
  }
}

}  // namespace kelvaro::test
