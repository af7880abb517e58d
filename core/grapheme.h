// Where one character ends as a reader sees it: extended grapheme clusters, so that a text cut short never parts
// a letter from its accent, the parts of a joined emoji, the two halves of a flag or the jamo of a Hangul syllable.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelvaro {

/// The grapheme cluster break property, with Extended_Pictographic as one more value (no code point has both).
enum class GraphemeBreak : unsigned char {
  Other,
  CR,
  LF,
  Control,
  Extend,
  ZWJ,
  RegionalIndicator,
  Prepend,
  SpacingMark,
  L,
  V,
  T,
  LV,
  LVT,
  ExtendedPictographic,
};

GraphemeBreak GraphemeBreakOf(char32_t cp);

/// The Unicode version the property data was taken from ("15.0.0").
std::string_view GraphemeBreakDataVersion();

/// The end of the cluster that begins at `start`, which must be the start of a cluster (0, or an end this returned).
/// text.size() at most; `start` itself when it is at or beyond the end.
std::size_t NextClusterEnd(std::u32string_view text, std::size_t start);

}  // namespace kelvaro
