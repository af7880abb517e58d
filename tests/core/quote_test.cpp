// How a message quotes a field's text, and the character boundaries the quote is cut at.
#include "calculation.h"
#include "grapheme.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kelvaro::test {
namespace {

std::string Times(std::string_view text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

const std::string Family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";  // man ZWJ woman ZWJ girl
const std::string Flag = "\U0001F1E8\U0001F1F3";                          // two regional indicators
const std::string Cut = "…";

TEST(QuoteFieldText, QuotesTwentyFourWholeCharactersAndNothingThatActsOnTheMessage) {
  const struct {
    const char* tag;
    std::string text;
    std::string want;
  } rows[] = {
      {"empty text", "", ""},
      {"short text as it is", "abc", "abc"},
      {"24 characters are not cut", Times("x", 24), Times("x", 24)},
      {"25 are", Times("x", 25), Times("x", 24) + Cut},
      {"a family is one character, its joiners stay", Times(Family, 25), Times(Family, 24) + Cut},
      {"a skin tone stays with its emoji", Times("\U0001F44D\U0001F3FD", 25), Times("\U0001F44D\U0001F3FD", 24) + Cut},
      // A joiner after a letter joins nothing on: the emoji after it is a character of its own.
      {"a joiner joins only after an emoji, and is shown elsewhere", Times("a\u200D\U0001F600", 13),
       Times("a⟨U+200D⟩\U0001F600", 12) + Cut},
      {"an accent stays with its letter", Times("e\u0301", 25), Times("e\u0301", 24) + Cut},
      {"a character beyond the BMP is not cut in two", Times("\U0001D7D9", 25), Times("\U0001D7D9", 24) + Cut},
      {"a flag is one character", Times(Flag, 25), Times(Flag, 24) + Cut},
      {"regional indicators pair from the start", Times("\U0001F1E8", 49), Times("\U0001F1E8\U0001F1E8", 24) + Cut},
      {"48 regional indicators are 24 flags", Times("\U0001F1E8", 48), Times("\U0001F1E8", 48)},
      {"conjoining jamo L V T make one syllable", Times("\u1100\u1161\u11A8", 25),
       Times("\u1100\u1161\u11A8", 24) + Cut},
      {"an LV syllable takes a final jamo", Times("\uAC00\u11A8", 25), Times("\uAC00\u11A8", 24) + Cut},
      {"an LVT syllable takes a final jamo", Times("\uAC01\u11A8", 25), Times("\uAC01\u11A8", 24) + Cut},
      {"an LVT syllable takes no vowel", Times("\uAC01\u1161", 13), Times("\uAC01\u1161", 12) + Cut},
      {"syllables are characters of their own", Times("\uAC00", 25), Times("\uAC00", 24) + Cut},
      {"a spacing mark stays with its letter", Times("\u0915\u093F", 25), Times("\u0915\u093F", 24) + Cut},
      {"a prepended mark stays with what follows", Times("\u06001", 25), Times("\u06001", 24) + Cut},
      {"Chinese text", Times("吊车", 13), Times("吊车", 12) + Cut},
      {"controls and line breaks", "1\t2\n3\u00854\u20285\u20296", "1\uFFFD2\uFFFD3\uFFFD4\uFFFD5\uFFFD6"},
      {"CR LF is one character, each shown", Times("\r\n", 25), Times("\uFFFD\uFFFD", 24) + Cut},
      {"delete and the C1 controls", "a\x7F\u0080\u009F", "a\uFFFD\uFFFD\uFFFD"},
      {"direction marks, overrides and isolates", "\u202Eab\u2066c\u200Fd\u061C", "\uFFFDab\uFFFDc\uFFFDd\uFFFD"},
      {"every direction changer", "\u200E\u202A\u202B\u202C\u202D\u2067\u2068\u2069", Times("\uFFFD", 8)},
      // Invisible characters were once quoted as they are, so that "100" + U+200B read as the message of a field
      // that looked right; now each is shown by its number.
      {"a zero-width space after a number", "100\u200B", "100⟨U+200B⟩"},
      {"a no-break space inside a number", "1\u00A000", "1⟨U+00A0⟩00"},
      {"soft hyphen, word joiner, byte order mark", "a\u00ADb\u2060c\uFEFFd", "a⟨U+00AD⟩b⟨U+2060⟩c⟨U+FEFF⟩d"},
      {"zero-width non-joiner and a lone joiner", "1\u200C2\u200D", "1⟨U+200C⟩2⟨U+200D⟩"},
      {"narrow, thin, ideographic and other spaces", "1\u202F2\u20093\u30004\u205F5\u2007",
       "1⟨U+202F⟩2⟨U+2009⟩3⟨U+3000⟩4⟨U+205F⟩5⟨U+2007⟩"},
      {"invisible operators and fillers", "1\u20622\u31643\u115F", "1⟨U+2062⟩2⟨U+3164⟩3⟨U+115F⟩"},
      {"a variation selector and a tag outside an emoji", "1\uFE0F2\U000E0041", "1⟨U+FE0F⟩2⟨U+E0041⟩"},
      {"a combining grapheme joiner and an annotation anchor", "1\u034F2\uFFF9", "1⟨U+034F⟩2⟨U+FFF9⟩"},
      {"a shown character counts as the one it stands for", Times("\u200B", 25), Times("⟨U+200B⟩", 24) + Cut},
      {"an emoji keeps its variation selector", "\u2764\uFE0F1", "\u2764\uFE0F1"},
      {"a keycap keeps its selector", "1\uFE0F\u20E3", "1\uFE0F\u20E3"},
      {"a flag of tags keeps them", "\U0001F3F4\U000E0067\U000E0062\U000E0073\U000E0063\U000E0074\U000E007F",
       "\U0001F3F4\U000E0067\U000E0062\U000E0073\U000E0063\U000E0074\U000E007F"},
      {"a joiner after an emoji that joins nothing is shown", "\U0001F44D\u200D1", "\U0001F44D⟨U+200D⟩1"},
      {"Arabic number signs are drawn and stay", "\u06001", "\u06001"},
      {"a replacement character from the page stays", "1\uFFFD2", "1\uFFFD2"},
      {"a byte that begins nothing",
       "1\xFF"
       "2",
       "1\uFFFD2"},
      {"a sequence cut short, each byte", "1\xE5\x90", "1\uFFFD\uFFFD"},
      {"a stray continuation byte", "\x80x", "\uFFFDx"},
      {"an overlong form", "\xC0\xAF", "\uFFFD\uFFFD"},
      {"an encoded surrogate", "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", Times("\uFFFD", 4)},
      {"invalid bytes count as characters", Times("\xFF", 25), Times("\uFFFD", 24) + Cut},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    EXPECT_EQ(QuoteFieldText(row.text), row.want);
  }
}

// A sheet prints a text whole, as typed, with what draws nothing or moves the line shown by its number; only a
// text far longer than any number is shortened, and says by how much.
TEST(ShowFieldText, PrintsTheWholeTextWithNothingHidden) {
  const struct {
    const char* tag;
    std::string text;
    std::string want;
  } rows[] = {
      {"as typed", "4.4", "4.4"},
      {"longer than a message quotes, not cut", Times("1", 40), Times("1", 40)},
      {"leading tabs", "\t\t6", "⟨U+0009⟩⟨U+0009⟩6"},
      {"a line break and a direction override", "1\n2\u202E3", "1⟨U+000A⟩2⟨U+202E⟩3"},
      {"an invisible space", "100\u200B", "100⟨U+200B⟩"},
      {"an emoji stays whole", Family + "1", Family + "1"},
      {"invalid bytes as U+FFFD", "1\xFF", "1\uFFFD"},
      {"48 characters are kept", Times("7", 48), Times("7", 48)},
      {"and a third more: leaving out a few would save nothing", Times("7", 64), Times("7", 64)},
      {"65 are shortened, by count", Times("1", 32) + Times("2", 17) + Times("3", 16),
       Times("1", 32) + "…（略去 17 个字符）…" + Times("3", 16)},
      {"the count is of characters, not bytes", "1." + Times("吊", 100) + "e5",
       "1." + Times("吊", 30) + "…（略去 56 个字符）…" + Times("吊", 14) + "e5"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    EXPECT_EQ(ShowFieldText(row.text, 48), row.want);
  }
}

// The conformance cases Unicode publishes with the property data ("÷ 0020 × 0308 ÷"), where the machine has them.
TEST(NextClusterEnd, BreaksWhereUnicodesOwnTestsDo) {
  std::ifstream file("/usr/share/unicode/auxiliary/GraphemeBreakTest.txt");
  std::string line;
  if (!file || !std::getline(file, line)) GTEST_SKIP() << "no GraphemeBreakTest.txt (package unicode-data)";
  if (line.find("-" + std::string(GraphemeBreakDataVersion()) + ".txt") == std::string::npos) {
    GTEST_SKIP() << "the machine's data is not Unicode " << GraphemeBreakDataVersion() << ": " << line;
  }
  int cases = 0;
  while (std::getline(file, line)) {
    std::istringstream fields(line.substr(0, line.find('#')));
    std::u32string text;
    std::vector<std::size_t> ends;
    for (std::string token; fields >> token;) {
      if (token == "÷" && !text.empty()) ends.push_back(text.size());
      if (token != "÷" && token != "×") text.push_back(static_cast<char32_t>(std::stoul(token, nullptr, 16)));
    }
    if (text.empty()) continue;
    std::vector<std::size_t> got;
    for (std::size_t end = 0; end < text.size();) got.push_back(end = NextClusterEnd(text, end));
    EXPECT_EQ(got, ends) << line;
    ++cases;
  }
  EXPECT_GT(cases, 500);
}

TEST(NextClusterEnd, StaysWithinTheText) {
  const std::u32string text = U"e\u0301";
  EXPECT_EQ(NextClusterEnd(text, 0), 2u);
  EXPECT_EQ(NextClusterEnd(text, 2), 2u);
  EXPECT_EQ(NextClusterEnd(text, 7), 7u);
  EXPECT_EQ(NextClusterEnd(U"", 0), 0u);
}

TEST(GraphemeBreakOf, TakesEveryValueFromTheTable) {
  using enum GraphemeBreak;
  const struct {
    char32_t cp;
    GraphemeBreak want;
  } rows[] = {
      {U'\0', Control},
      {U'\r', CR},
      {U'\n', LF},
      {U'a', Other},
      {0x0300, Extend},
      {0x200D, ZWJ},
      {0x1F1E6, RegionalIndicator},
      {0x0600, Prepend},
      {0x0903, SpacingMark},
      {0x1100, L},
      {0x1160, V},
      {0x11A8, T},
      {0xAC00, LV},
      {0xAC01, LVT},
      {0xD7A3, LVT},
      {0xD7A4, Other},
      {0x00A9, ExtendedPictographic},
      {0x1F600, ExtendedPictographic},
      {0xE0001, Control},
      {0x10FFFF, Other},
      {0x110000, Other},
      {0xFFFFFFFF, Other},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(row.cp));
    EXPECT_EQ(GraphemeBreakOf(row.cp), row.want);
  }
}

}  // namespace
}  // namespace kelvaro::test
