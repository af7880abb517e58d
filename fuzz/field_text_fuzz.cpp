// Any byte string as a field text: reading never crashes, and the single and double readings agree on
// what the text is.
#include "calculations.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

using namespace kelvaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const char32_t separator : {U'.', U',', U'\u066b'}) {
    const auto single = ParseFieldValue(text, separator);
    const auto wide = ParseFieldDouble(text, separator);
    if (single && !std::isfinite(*single)) std::abort();
    if (wide && !std::isfinite(*wide)) std::abort();
    // One grammar: a text is a number for both readings or for neither.
    const bool singleNaN = !single && single.error().kind == FailureKind::NotANumber;
    const bool wideNaN = !wide && wide.error().kind == FailureKind::NotANumber;
    if (singleNaN != wideNaN) std::abort();
    // What fits in a single fits in a double; a single overflow is a large double or a double overflow.
    if (single && !wide) std::abort();
    if (!single && single.error().kind == FailureKind::Overflow && wide &&
        std::fabs(*wide) < static_cast<double>(std::numeric_limits<float>::max())) {
      std::abort();
    }
    // Both are the nearest of their kind to the same decimal: within half a single's unit (2^-150 below the
    // normal range, where underflow to zero is allowed).
    if (single && wide &&
        std::fabs(static_cast<double>(*single) - *wide) > std::fmax(std::fabs(*wide) * 0x1p-24, 0x1p-150)) {
      std::abort();
    }
  }
  return 0;
}
