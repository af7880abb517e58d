#include "calculation.h"
#include "calculation_file.h"
#include "grapheme.h"
#include "utf8.h"

#include <string>
#include <vector>

namespace kelvaro {
namespace {

// Controls, line and paragraph separators, and the characters that change the direction of the text after them.
bool Unsafe(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x2028 || cp == 0x2029 || cp == 0x061C || cp == 0x200E ||
         cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069);
}

bool In(char32_t cp, char32_t first, char32_t last) { return cp >= first && cp <= last; }

// What draws nothing, or nothing but a blank, so that a quote would look like a text the user did not type: the
// default-ignorable code points, the invisible format characters (not the number signs, which are drawn), and
// every space but the ASCII one.
bool Invisible(char32_t cp) {
  return cp == 0x00AD || cp == 0x034F || In(cp, 0x115F, 0x1160) || In(cp, 0x17B4, 0x17B5) || In(cp, 0x180B, 0x180F) ||
         In(cp, 0x200B, 0x200F) || In(cp, 0x2060, 0x206F) || cp == 0x3164 || In(cp, 0xFE00, 0xFE0F) || cp == 0xFEFF ||
         cp == 0xFFA0 || In(cp, 0xFFF0, 0xFFFB) || In(cp, 0x13430, 0x1343F) || In(cp, 0x1BCA0, 0x1BCA3) ||
         In(cp, 0x1D173, 0x1D17A) || In(cp, 0xE0000, 0xE0FFF) || cp == 0x00A0 || cp == 0x1680 ||
         In(cp, 0x2000, 0x200A) || cp == 0x202F || cp == 0x205F || cp == 0x3000 || cp == 0x2800;
}

// An emoji's own invisible parts, which belong to it and are kept: the joiner between two pictographs, the
// variation selectors and the tags of a flag. Elsewhere they are shown.
bool PartOfEmoji(std::u32string_view cluster, std::size_t i) {
  bool emoji = false;
  for (const char32_t cp : cluster) {
    emoji = emoji || GraphemeBreakOf(cp) == GraphemeBreak::ExtendedPictographic || cp == 0x20E3;
  }
  if (!emoji || i == 0) return false;
  const char32_t cp = cluster[i];
  if (cp == 0x200D)
    return i + 1 < cluster.size() && GraphemeBreakOf(cluster[i + 1]) == GraphemeBreak::ExtendedPictographic;
  return In(cp, 0xFE00, 0xFE0F) || In(cp, 0xE0100, 0xE01EF) || In(cp, 0xE0020, 0xE007F);
}

// "⟨U+200B⟩": the code point's number, at least four hexadecimal digits, as Unicode writes it.
void AppendShown(std::string& out, char32_t cp) {
  out += "⟨U+";
  int digits = 4;
  while (digits < 6 && (cp >> (4 * digits)) != 0) ++digits;
  for (int d = digits - 1; d >= 0; --d) out += "0123456789ABCDEF"[(cp >> (4 * d)) & 0xF];
  out += "⟩";
}

// The characters of one cluster: the invisible ones by their numbers, controls by theirs or as U+FFFD.
void AppendCluster(std::string& out, std::u32string_view cluster, bool numberUnsafe) {
  for (std::size_t i = 0; i < cluster.size(); ++i) {
    const char32_t cp = cluster[i];
    if (Unsafe(cp) && !numberUnsafe) {
      AppendUtf8(out, U'\uFFFD');
    } else if (Unsafe(cp) || (Invisible(cp) && !PartOfEmoji(cluster, i))) {
      AppendShown(out, cp);
    } else {
      AppendUtf8(out, cp);
    }
  }
}

}  // namespace

std::string QuoteFieldText(std::string_view text) {
  constexpr int Longest = 24;
  const std::u32string codePoints = DecodeReplacing(text);
  const std::u32string_view all = codePoints;
  std::string quoted;
  std::size_t start = 0;
  // Cut at whole characters as they were typed: a character shown by its number counts as the one it stands for.
  for (int n = 0; n < Longest && start < all.size(); ++n) {
    const std::size_t end = NextClusterEnd(all, start);
    AppendCluster(quoted, all.substr(start, end - start), false);
    start = end;
  }
  if (start < all.size()) quoted += "…";
  return quoted;
}

std::string ShowFieldText(std::string_view text, std::size_t longest) {
  const std::u32string codePoints = DecodeReplacing(text);
  const std::u32string_view all = codePoints;
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < all.size(); at = NextClusterEnd(all, at)) starts.push_back(at);
  starts.push_back(all.size());
  const std::size_t count = starts.size() - 1;
  // Leaving out fewer characters than the words that say so would save nothing: up to a third more stay whole.
  const bool whole = count <= longest + longest / 3;
  // Two thirds from the start, where a number's digits are read, and the rest from its end (an exponent).
  const std::size_t head = whole ? count : longest * 2 / 3, tail = whole ? 0 : longest - head;
  std::string shown;
  const auto append = [&](std::size_t from, std::size_t to) {
    AppendCluster(shown, all.substr(starts[from], starts[to] - starts[from]), true);
  };
  append(0, head);
  if (tail == 0) return shown;
  shown += "…（略去 " + std::to_string(count - head - tail) + " 个字符）…";
  append(count - tail, count);
  return shown;
}

std::string QuoteFileName(std::string_view name) {
  std::string quoted;
  for (const char32_t cp : DecodeReplacing(name)) AppendUtf8(quoted, Unsafe(cp) ? U'\uFFFD' : cp);
  return quoted;
}

}  // namespace kelvaro
