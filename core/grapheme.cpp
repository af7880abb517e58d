// The rules of the default extended grapheme clusters, GB3 to GB13, on a table generated from the Unicode data.
#include "grapheme.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace kelvaro {
namespace {

#include "grapheme_break_table.inc"

using enum GraphemeBreak;

constexpr char32_t HangulFirst = 0xAC00, HangulLast = 0xD7A3, HangulTCount = 28;

bool IsControl(GraphemeBreak b) { return b == Control || b == CR || b == LF; }

// What the rules need to know of the text before the pair they judge.
struct Context {
  bool pictographicRun = false;   // the text so far ends in Extended_Pictographic Extend*
  bool joinedPictograph = false;  // ... and then ZWJ: an emoji may join on
  bool oddRegional = false;       // it ends in an odd number of regional indicators: the next one pairs up
};

bool Breaks(GraphemeBreak before, GraphemeBreak after, const Context& c) {
  if (before == CR && after == LF) return false;                                   // GB3
  if (IsControl(before) || IsControl(after)) return true;                          // GB4, GB5
  if (before == L && (after == L || after == V || after == LV || after == LVT)) {  // GB6
    return false;
  }
  if ((before == LV || before == V) && (after == V || after == T)) return false;  // GB7
  if ((before == LVT || before == T) && after == T) return false;                 // GB8
  if (after == Extend || after == ZWJ || after == SpacingMark) return false;      // GB9, GB9a
  if (before == Prepend) return false;                                            // GB9b
  if (after == ExtendedPictographic && c.joinedPictograph) return false;          // GB11
  if (after == RegionalIndicator && c.oddRegional) return false;                  // GB12, GB13
  return true;
}

Context Next(const Context& c, GraphemeBreak b) {
  return {.pictographicRun = b == ExtendedPictographic || (c.pictographicRun && b == Extend),
          .joinedPictograph = b == ZWJ && c.pictographicRun,
          .oddRegional = b == RegionalIndicator && !c.oddRegional};
}

}  // namespace

GraphemeBreak GraphemeBreakOf(char32_t cp) {
  // The syllables are left out of the table: LV where the syllable has no final consonant, else LVT.
  if (cp >= HangulFirst && cp <= HangulLast) return (cp - HangulFirst) % HangulTCount == 0 ? LV : LVT;
  if (cp > 0x10FFFF) return Other;
  const std::uint32_t key = (static_cast<std::uint32_t>(cp) << 8) | 0xFFu;
  // The first run starts at U+0000, so every code point has a run at or before it.
  const auto* run = std::upper_bound(std::begin(GraphemeBreakRuns), std::end(GraphemeBreakRuns), key);
  return static_cast<GraphemeBreak>(*std::prev(run) & 0xFFu);
}

std::string_view GraphemeBreakDataVersion() { return GraphemeBreakVersion; }

std::size_t NextClusterEnd(std::u32string_view text, std::size_t start) {
  if (start >= text.size()) return start;
  GraphemeBreak before = GraphemeBreakOf(text[start]);
  Context context = Next({}, before);
  std::size_t end = start + 1;
  for (; end < text.size(); ++end) {
    const GraphemeBreak after = GraphemeBreakOf(text[end]);
    if (Breaks(before, after, context)) break;
    context = Next(context, after);
    before = after;
  }
  return end;
}

}  // namespace kelvaro
