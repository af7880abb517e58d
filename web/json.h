// JSON written by hand, for the module's answers and the page's data: both sides read it with a JSON parser, so
// only what JSON itself needs is done here. Header-only, so that the module and the host program share it.
#pragma once

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvaro::json {

/// The shortest decimal that reads back as the same double: a single, widened, arrives in JavaScript with every
/// bit. JSON has no infinity, but 1e999 reads as one (an N of infinity makes H1 = 0, a result like any other).
/// A calculation that meets a NaN fails, so no answer holds one.
inline std::string Number(double v) {
  if (std::isinf(v)) return v < 0 ? "-1e999" : "1e999";
  if (std::isnan(v)) return "null";
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, ec == std::errc{} ? end : buffer);
}
inline std::string Flag(bool v) { return v ? "true" : "false"; }
inline std::string String(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\', out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      constexpr char hex[] = "0123456789abcdef";
      out += "\\u00", out += hex[(c >> 4) & 0xF], out += hex[c & 0xF];
    } else {
      out += c;
    }
  }
  return out + '"';
}
using Members = std::vector<std::pair<std::string_view, std::string>>;
inline std::string Object(const Members& members) {
  std::string out;
  for (const auto& [name, value] : members) out += (out.empty() ? "{" : ",") + String(name) + ":" + value;
  return out.empty() ? "{}" : out + "}";
}
inline std::string Array(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "[" : ",") + item;
  return out.empty() ? "[]" : out + "]";
}
template <class Range>
std::string Strings(const Range& texts) {
  std::vector<std::string> items;
  for (const auto& text : texts) items.push_back(String(text));
  return Array(items);
}

}  // namespace kelvaro::json
