// UTF-8 one code point at a time, for the core's readers and for the messages that quote what was typed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

struct DecodedCodePoint {
  char32_t codePoint;
  std::size_t length;  // bytes, 1 to 4
};
/// The code point at the front of a non-empty `text`; nullopt when it does not begin with a well-formed sequence
/// (a stray continuation byte, an overlong form, a surrogate, beyond U+10FFFF or cut short).
std::optional<DecodedCodePoint> DecodeFront(std::string_view text);

/// Every code point of `text`, each byte that begins no well-formed sequence read as U+FFFD.
std::u32string DecodeReplacing(std::string_view text);

/// Appends the UTF-8 form of a code point (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace kelvaro
