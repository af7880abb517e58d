// Field texts to numbers and result numbers to texts.
//
// The grammar is checked here and only plain decimal notation reaches std::from_chars: library parsers also take
// "inf", "nan" and hexadecimal floats, and some follow the process's global locale.
#include "calculations.h"
#include "utf8.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <system_error>

// A standard library without floating-point std::from_chars (libc++ 19, the WebAssembly build) reads with
// fast_float, the correctly rounding algorithm libstdc++'s own from_chars is built on.
#ifndef __cpp_lib_to_chars
#include <fast_float/fast_float.h>
#endif

namespace kelvaro {
namespace {

constexpr char32_t IdeographicSpace = U'\u3000';

NumberFailure Failure(FailureKind kind) { return NumberFailure{kind}; }

// Plain decimal ASCII to the nearest T, as std::from_chars reports it: result_out_of_range beyond T's range.
template <class T>
std::from_chars_result FromChars(const char* first, const char* last, T& value) {
#ifdef __cpp_lib_to_chars
  return std::from_chars(first, last, value, std::chars_format::general);
#else
  // fast_float rounds an overflow to infinity instead of reporting it (an underflow to a zero of its sign, as
  // the caller makes of it anyway).
  const auto [ptr, ec] = fast_float::from_chars(first, last, value, fast_float::chars_format::general);
  if (ec == std::errc{} && std::isinf(value)) return {ptr, std::errc::result_out_of_range};
  return {ptr, ec};
#endif
}

// Decodes UTF-8 strictly; nullopt for malformed, overlong or surrogate sequences.
std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const auto decoded = DecodeFront(text);
    if (!decoded) return std::nullopt;
    out.push_back(decoded->codePoint);
    text.remove_prefix(decoded->length);
  }
  return out;
}

// Chinese input methods in full-width mode type U+FF01..U+FF5E for the ASCII characters U+0021..U+007E.
char32_t Narrow(char32_t cp) { return (cp >= 0xFF01 && cp <= 0xFF5E) ? cp - 0xFEE0 : cp; }

bool IsSpace(char32_t cp) { return cp == U' ' || cp == U'\t' || cp == IdeographicSpace; }
bool IsDigit(char32_t cp) { return cp >= U'0' && cp <= U'9'; }

// A checked decimal number, rewritten in the plain ASCII form that std::from_chars reads.
struct DecimalText {
  std::string ascii;
  bool aboveOne;  // magnitude of at least 1: an out-of-range reading is an overflow, not an underflow
};

std::optional<DecimalText> CheckDecimal(std::string_view text, char32_t separator) {
  const auto decoded = DecodeUtf8(text);
  if (!decoded) return std::nullopt;
  std::u32string s = *decoded;
  std::transform(s.begin(), s.end(), s.begin(), Narrow);
  separator = Narrow(separator);

  std::size_t i = 0, end = s.size();
  while (i < end && IsSpace(s[i])) ++i;
  while (end > i && IsSpace(s[end - 1])) --end;

  DecimalText out{{}, false};
  out.ascii.reserve(end - i + 2);
  if (i < end && (s[i] == U'+' || s[i] == U'-')) {
    if (s[i] == U'-') out.ascii.push_back('-');
    ++i;
  }
  // Decimal exponent of the first significant digit, counted from the mantissa's own digits.
  std::int64_t leadingExponent = 0;
  bool significant = false;
  std::size_t mantissaDigits = 0;
  for (; i < end && IsDigit(s[i]); ++i, ++mantissaDigits) {
    if (s[i] != U'0') significant = true;
    if (significant) ++leadingExponent;
    out.ascii.push_back(static_cast<char>(s[i]));
  }
  if (i < end && s[i] == separator) {
    out.ascii.push_back('.');
    for (++i; i < end && IsDigit(s[i]); ++i, ++mantissaDigits) {
      if (s[i] != U'0') significant = true;
      if (!significant) --leadingExponent;
      out.ascii.push_back(static_cast<char>(s[i]));
    }
  }
  if (mantissaDigits == 0) return std::nullopt;

  std::int64_t exponent = 0;
  if (i < end && (s[i] == U'e' || s[i] == U'E')) {
    out.ascii.push_back('e');
    ++i;
    bool negative = false;
    if (i < end && (s[i] == U'+' || s[i] == U'-')) {
      negative = s[i] == U'-';
      out.ascii.push_back(static_cast<char>(s[i]));
      ++i;
    }
    std::size_t exponentDigits = 0;
    for (; i < end && IsDigit(s[i]); ++i, ++exponentDigits) {
      exponent = std::min<std::int64_t>(exponent * 10 + (s[i] - U'0'), 1'000'000'000);  // saturate, no wrap
      out.ascii.push_back(static_cast<char>(s[i]));
    }
    if (exponentDigits == 0) return std::nullopt;
    if (negative) exponent = -exponent;
  }
  if (i != end) return std::nullopt;
  out.aboveOne = significant && leadingExponent + exponent > 0;
  return out;
}

template <class T>
Result<T> ParseDecimal(std::string_view text, char32_t separator) {
  const auto decimal = CheckDecimal(text, separator);
  if (!decimal) return std::unexpected(Failure(FailureKind::NotANumber));
  const std::string& a = decimal->ascii;
  T value{};
  const auto [ptr, ec] = FromChars(a.data(), a.data() + a.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Underflow is ignored: a value too small for the type reads as zero of its sign.
    if (decimal->aboveOne) return std::unexpected(Failure(FailureKind::Overflow));
    return a.front() == '-' ? -T{0} : T{0};
  }
  if (ec != std::errc{} || ptr != a.data() + a.size()) return std::unexpected(Failure(FailureKind::NotANumber));
  return value;
}

}  // namespace

Result<float> ParseFieldValue(std::string_view text, char32_t decimalSeparator) {
  return ParseDecimal<float>(text, decimalSeparator);
}

Result<double> ParseFieldDouble(std::string_view text, char32_t decimalSeparator) {
  return ParseDecimal<double>(text, decimalSeparator);
}

std::string FormatResult(float value, char32_t decimalSeparator) {
  return FormatValue(static_cast<double>(value), decimalSeparator);
}

std::string FormatValue(double value, char32_t decimalSeparator) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (value == 0.0) return "0";  // also for -0

  // Like printf's %.7g: fixed notation for decimal exponents -4 to 6, trailing zeros dropped.
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
  std::string out;
  for (const char* p = buffer; ec == std::errc{} && p != end; ++p) {
    if (*p == '.') {
      AppendUtf8(out, decimalSeparator);
    } else {
      out.push_back(*p == 'e' ? 'E' : *p);
    }
  }
  return out;
}

std::string PrintedNumbers(std::string_view text) {
  static constexpr std::string_view Superscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  const auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  const auto word = [&](std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    return std::isalnum(c) || c == '.' || c == ',' || c == ')';
  };
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '-' && (i == 0 || !word(i - 1)) && (digit(i + 1) || text.substr(i + 1, 3) == "inf")) {
      out += "−";
    } else if (c == 'E' && i > 0 && digit(i - 1) && i + 2 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-') &&
               digit(i + 2)) {
      out += "×10";
      if (text[i + 1] == '-') out += "⁻";
      std::size_t d = i + 2;
      while (digit(d + 1) && text[d] == '0') ++d;  // "E+07" is 10⁷
      for (; digit(d); ++d) out += Superscripts[text[d] - '0'];
      i = d - 1;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace kelvaro
