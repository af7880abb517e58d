// Any 32-bit pattern as a result: a finite value's text reads back within half a unit of its 7th
// significant digit, and prints with neither an exponent form nor a hyphen; a non-finite one gives a defined text.
#include "calculations.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace kelvaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::uint32_t bits;
  std::memcpy(&bits, data, 4);
  const float value = std::bit_cast<float>(bits);
  const char32_t separator = size > 4 && (data[4] & 1) ? U',' : U'.';
  const std::string text = FormatResult(value, separator);

  if (!std::isfinite(value)) {
    if (text != "nan" && text != "inf" && text != "-inf") std::abort();
    return 0;
  }
  if (text.empty() || text == "-0" || !ParseFieldValue(text, separator)) std::abort();
  // Printed, no exponent form and no hyphen for a sign is left.
  const std::string printed = PrintedNumbers(text);
  if (printed.find_first_of("E-+") != std::string::npos) std::abort();
  const auto back = ParseFieldDouble(text, separator);
  if (!back) std::abort();
  if (value == 0.0f) return *back == 0.0 ? 0 : (std::abort(), 0);
  const double v = static_cast<double>(value);
  const double halfUnit = 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 6);
  // A tie rounds to even and lands exactly half a unit away; the bound allows for the double reading's own
  // rounding on top of that.
  if (std::fabs(*back - v) > halfUnit + std::fabs(v) * 0x1p-51) std::abort();
  return 0;
}
