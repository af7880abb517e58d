// The one entry both editions call, with any texts, any separator and any check order (ids from outside
// included): never a crash, always an answer or a refusal with a message, and a quote that is valid UTF-8, at
// most 24 characters and "…", with nothing in it that could act on the message; and the same text as a sheet
// prints it.
#include "calculation.h"
#include "grapheme.h"
#include "utf8.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace kelvaro;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool ValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const auto front = DecodeFront(text);
    if (!front) return false;
    text.remove_prefix(front->length);
  }
  return true;
}

// Whole characters, the "…" that marks a cut counted as one, and an invisible character shown by its code point
// ("⟨U+200B⟩") counted as none.
std::size_t Clusters(std::string_view text) {
  std::u32string points = DecodeReplacing(text);
  for (std::size_t open = points.find(U'⟨'); open != std::u32string::npos; open = points.find(U'⟨', open)) {
    const std::size_t close = points.find(U'⟩', open);
    if (close == std::u32string::npos) break;
    points.erase(open, close - open + 1);
  }
  std::size_t count = 0;
  for (std::size_t at = 0; at < points.size(); at = NextClusterEnd(points, at)) ++count;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto calculation = static_cast<Calculation>(in.ConsumeIntegralInRange<int>(0, CalculationCount - 1));
  const char32_t separator = in.ConsumeBool() ? U'.' : in.ConsumeIntegral<char32_t>();
  std::vector<Input> checkOrder;
  for (int n = in.ConsumeIntegralInRange<int>(0, 12); n > 0; --n) {
    checkOrder.push_back(static_cast<Input>(in.ConsumeIntegralInRange<int>(0, InputCount + 2)));
  }
  std::vector<std::string> owned;
  for (int i = 0; i < InputCount; ++i) owned.push_back(in.ConsumeRandomLengthString(64));
  InputTexts texts;
  for (int i = 0; i < InputCount; ++i) texts[static_cast<std::size_t>(i)] = owned[static_cast<std::size_t>(i)];

  const auto answer = Calculate(calculation, texts, checkOrder, separator);
  if (answer) {
    Check(answer->results.size() == ResultsOf(calculation).size());
    for (const ResultValue& r : answer->results) Check(!r.text.empty() && !r.howReached.empty());
  } else {
    Check(!answer.error().message.empty());
  }

  const std::string quoted = QuoteFieldText(owned.front());
  // A cut CR LF is one character but two replacement marks.
  Check(ValidUtf8(quoted) && Clusters(quoted) <= 2 * 24 + 1);
  for (const char c : quoted) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);

  // As a sheet prints it: valid UTF-8 with no control left to move the line, and never longer than the limit,
  // its ends and the words that say how much is left out.
  const std::string shown = ShowFieldText(owned.back(), 32);
  Check(ValidUtf8(shown) && Clusters(shown) <= 42 + 24);
  for (const char c : shown) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  return 0;
}
