#include "calculation.h"
#include "calculation_file.h"
#include "grapheme.h"
#include "utf8.h"

namespace kelvaro {
namespace {

// Controls, line and paragraph separators, and the characters that change the direction of the text after them.
bool Unsafe(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x2028 || cp == 0x2029 || cp == 0x061C || cp == 0x200E ||
         cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069);
}

}  // namespace

std::string QuoteFieldText(std::string_view text) {
  constexpr int Longest = 24;
  const std::u32string codePoints = DecodeReplacing(text);
  std::size_t end = 0;
  for (int i = 0; i < Longest && end < codePoints.size(); ++i) end = NextClusterEnd(codePoints, end);
  std::string quoted;
  for (std::size_t i = 0; i < end; ++i) AppendUtf8(quoted, Unsafe(codePoints[i]) ? U'\uFFFD' : codePoints[i]);
  if (end < codePoints.size()) quoted += "…";
  return quoted;
}

std::string QuoteFileName(std::string_view name) {
  std::string quoted;
  for (const char32_t cp : DecodeReplacing(name)) AppendUtf8(quoted, Unsafe(cp) ? U'\uFFFD' : cp);
  return quoted;
}

}  // namespace kelvaro
