// Differential: what the field readers make of a text against GNU MPFR, an exactly rounding reader. A text the
// grammar accepts reads as the single (and the double) MPFR rounds it to, with the sign of a zero, and as
// Overflow where that is infinite; any other text is NotANumber.
//
// The grammar's normalisation (surrounding spaces, full-width forms, the separator) is written again here, on
// the UTF-8 bytes and without the core's code, so that a fault on either side shows as a disagreement.
//
// Input: the first byte picks the separator (low 3 bits) and the mode (bit 3); the rest is the text itself, or
// in the boundary mode the recipe for a text near a rounding boundary.
#include "calculations.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

using namespace kelvaro;

namespace {

// A separator as handed to the readers, and how it appears in a text once full-width forms are read as ASCII:
// one ASCII character, or the UTF-8 of a separator outside ASCII.
struct Separator {
  char32_t codePoint;
  std::string_view inText;
};
constexpr Separator separators[8] = {
    {U'.', "."},
    {U',', ","},
    {U'?', "?"},
    {U'\'', "'"},
    {U'\uFF0E', "."},
    {U'\uFF0C', ","},
    {U'\u066B', "\xD9\xAB"},
    {U'\u00B7', "\xC2\xB7"},
};

// The text as the plain ASCII decimal that mpfr_strtofr reads ('.' for the separator), or nullopt where it is
// not a number. Every byte must belong to a character the grammar knows, so malformed UTF-8 fails here too.
std::optional<std::string> Normalise(std::string_view text, const Separator& sep) {
  std::string units;
  for (std::size_t i = 0; i < text.size();) {
    const std::string_view rest = text.substr(i);
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(rest[k]); };
    char c;
    if (sep.inText.size() > 1 && rest.starts_with(sep.inText)) {
      units.push_back('.');
      i += sep.inText.size();
      continue;
    } else if (byte(0) < 0x80) {
      c = rest[0], i += 1;
    } else if (rest.starts_with("\u3000")) {
      c = ' ', i += 3;
    } else if (rest.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBC && byte(2) >= 0x81 && byte(2) <= 0xBF) {
      c = static_cast<char>(byte(2) - 0x60), i += 3;  // U+FF01..U+FF3F are '!'..'_'
    } else if (rest.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBD && byte(2) >= 0x80 && byte(2) <= 0x9E) {
      c = static_cast<char>(byte(2) - 0x20), i += 3;  // U+FF40..U+FF5E are '`'..'~'
    } else {
      return std::nullopt;
    }
    if (sep.inText.size() == 1 && c == sep.inText[0]) {
      c = '.';
    } else if (c == '.') {
      c = '#';  // a point that is not the separator
    } else if (c == '\t') {
      c = ' ';
    }
    units.push_back(c);
  }
  const auto first = units.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const std::string s = units.substr(first, units.find_last_not_of(' ') - first + 1);

  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i - start;
  };
  if (s[i] == '+' || s[i] == '-') ++i;
  std::size_t mantissa = digits();
  if (i < s.size() && s[i] == '.') ++i, mantissa += digits();
  if (mantissa == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (digits() == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  return s;
}

// The decimal rounded to nearest-even into `bits` bits with MPFR's exponent range set to the type's (MPFR's
// significands lie in [1/2, 1): binary32 is emin -148, emax 128); subnormalize rounds again to the bits a
// subnormal has, taking the first rounding's direction into account. Infinite where the type overflows.
template <class T>
T ExactlyRounded(const std::string& ascii) {
  constexpr bool single = sizeof(T) == 4;
  const mpfr_exp_t oldMin = mpfr_get_emin(), oldMax = mpfr_get_emax();
  mpfr_set_emin(single ? -148 : -1073);
  mpfr_set_emax(single ? 128 : 1024);
  mpfr_t x;
  mpfr_init2(x, single ? 24 : 53);
  char* end = nullptr;
  int ternary = mpfr_strtofr(x, ascii.c_str(), &end, 10, MPFR_RNDN);
  if (end != ascii.c_str() + ascii.size()) {
    std::fprintf(stderr, "MPFR stops early in \"%s\"\n", ascii.c_str());
    std::abort();
  }
  ternary = mpfr_subnormalize(x, ternary, MPFR_RNDN);
  T value;
  if constexpr (single) {
    value = mpfr_get_flt(x, MPFR_RNDN);
  } else {
    value = mpfr_get_d(x, MPFR_RNDN);
  }
  mpfr_clear(x);
  mpfr_set_emin(oldMin);
  mpfr_set_emax(oldMax);
  return value;
}

template <class T>
void Compare(const char* reader, std::string_view text, const std::optional<std::string>& ascii, Result<T> got) {
  const T want = ascii ? ExactlyRounded<T>(*ascii) : T{};
  const bool agree = !ascii             ? !got && got.error().kind == FailureKind::NotANumber
                     : std::isinf(want) ? !got && got.error().kind == FailureKind::Overflow
                                        : got.has_value() && *got == want && std::signbit(*got) == std::signbit(want);
  if (agree) return;
  std::fprintf(stderr, "%s(\"%.*s\"): ", reader, static_cast<int>(text.size()), text.data());
  if (got) {
    std::fprintf(stderr, "%a", static_cast<double>(*got));
  } else {
    std::fprintf(stderr, "failure %d", static_cast<int>(got.error().kind));
  }
  std::fprintf(stderr, ", exactly rounded: %s %a\n", ascii ? ascii->c_str() : "not a number",
               static_cast<double>(want));
  std::abort();
}

// The exact decimal of a midpoint between neighbouring singles or doubles (where only the tie rule decides),
// or of one of them, or of either a hair above or below, in varied notation with the separator.
std::string BoundaryText(FuzzedDataProvider& in, const Separator& sep) {
  const bool single = in.ConsumeBool();
  mpfr_t low, high;
  mpfr_inits2(64, low, high, static_cast<mpfr_ptr>(nullptr));  // a midpoint needs one bit more than the type
  if (single) {
    const float f = std::fabs(std::bit_cast<float>(in.ConsumeIntegral<std::uint32_t>()));
    const float a = std::isfinite(f) ? f : std::numeric_limits<float>::max();
    mpfr_set_flt(low, a, MPFR_RNDN);
    if (a == std::numeric_limits<float>::max()) {
      mpfr_set_ui_2exp(high, 1, 128, MPFR_RNDN);  // where the next single would be
    } else {
      mpfr_set_flt(high, std::nextafter(a, std::numeric_limits<float>::infinity()), MPFR_RNDN);
    }
  } else {
    const double f = std::fabs(std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>()));
    const double a = std::isfinite(f) ? f : std::numeric_limits<double>::max();
    mpfr_set_d(low, a, MPFR_RNDN);
    if (a == std::numeric_limits<double>::max()) {
      mpfr_set_ui_2exp(high, 1, 1024, MPFR_RNDN);
    } else {
      mpfr_set_d(high, std::nextafter(a, std::numeric_limits<double>::infinity()), MPFR_RNDN);
    }
  }
  if (in.ConsumeIntegralInRange(0, 3) != 0) mpfr_add(low, low, high, MPFR_RNDN), mpfr_div_2ui(low, low, 1, MPFR_RNDN);
  mpfr_exp_t exponent;  // value = 0.digits * 10^exponent
  char* exact = mpfr_get_str(nullptr, &exponent, 10, single ? 120 : 800, low, MPFR_RNDN);  // enough to be exact
  std::string digits = exact;
  mpfr_free_str(exact);
  mpfr_clears(low, high, static_cast<mpfr_ptr>(nullptr));
  digits.erase(digits.find_last_not_of('0') + 1);
  if (digits.empty()) digits = "0", exponent = 1;
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 1:  // a hair above
      digits += std::string(in.ConsumeIntegralInRange<std::size_t>(0, 40), '0') + "1";
      break;
    case 2:  // cut short, so a hair below
      digits.resize(in.ConsumeIntegralInRange<std::size_t>(1, digits.size()));
      break;
  }

  // The separator after `point` digits (before the first digit when negative), the rest in the exponent.
  const long point = in.ConsumeIntegralInRange<long>(-4, static_cast<long>(digits.size()) + 4);
  const long e = static_cast<long>(exponent) - point;
  std::string text = in.ConsumeBool() ? "" : in.ConsumeBool() ? "-" : "+";
  if (point <= 0) {
    text += "0" + std::string(sep.inText) + std::string(static_cast<std::size_t>(-point), '0') + digits;
  } else if (static_cast<std::size_t>(point) >= digits.size()) {
    text += digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
  } else {
    text += digits.substr(0, static_cast<std::size_t>(point)) + std::string(sep.inText) +
            digits.substr(static_cast<std::size_t>(point));
  }
  if (e != 0 || in.ConsumeBool()) text += (in.ConsumeBool() ? "E" : "e") + std::to_string(e);
  if (in.ConsumeBool()) {  // as a Chinese input method in full-width mode types it
    std::string wide;
    for (const char c : text) {
      const auto u = static_cast<unsigned char>(c);
      wide += u >= 0x21 && u <= 0x7E ? std::string{'\xEF', static_cast<char>(u < 0x60 ? 0xBC : 0xBD),
                                                   static_cast<char>(u < 0x60 ? u + 0x60 : u + 0x20)}
                                     : std::string{c};
    }
    text = wide;
  }
  if (in.ConsumeBool()) text = " \t\u3000" + text + "\u3000 ";
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Separator& sep = separators[data[0] & 7];
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 8) {
    FuzzedDataProvider in(data + 1, size - 1);
    text = BoundaryText(in, sep);
  }
  const auto ascii = Normalise(text, sep);
  Compare("ParseFieldValue", text, ascii, ParseFieldValue(text, sep.codePoint));
  Compare("ParseFieldDouble", text, ascii, ParseFieldDouble(text, sep.codePoint));
  return 0;
}
