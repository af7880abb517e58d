// The calculation file reader with any bytes: never a crash, and either a refusal with a message naming the file, or
// texts that the writer writes again into a file that reads back as the same texts.
#include "calculation_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace kelvaro;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool SameTexts(const CalculationTexts& a, const CalculationTexts& b) {
  if (a.index() != b.index()) return false;
  if (const auto* fa = std::get_if<FieldTexts>(&a)) {
    const auto& fb = std::get<FieldTexts>(b);
    return fa->calculation == fb.calculation && fa->texts == fb.texts;
  }
  const auto& ca = std::get<CraneArrangementTexts>(a);
  const auto& cb = std::get<CraneArrangementTexts>(b);
  for (const auto& [key, member] : ArrangementTextNames) {
    if (ca.*member != cb.*member) return false;
  }
  if (ca.cranes.size() != cb.cranes.size()) return false;
  for (std::size_t i = 0; i < ca.cranes.size(); ++i) {
    for (const auto& [key, member] : CraneTextNames) {
      if (ca.cranes[i].*member != cb.cranes[i].*member) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const auto opened = ReadCalculationFile(content, "f.kelvaro");
  if (!opened) {
    Check(opened.error().message.starts_with("无法打开“f.kelvaro”："));
    return 0;
  }
  const auto written = WriteCalculationFile(*opened, "f.kelvaro", {"Kelvaro", "2024-05-01", {}});
  Check(written.has_value());
  const auto again = ReadCalculationFile(*written, "f.kelvaro");
  Check(again.has_value() && SameTexts(*opened, *again));
  return 0;
}
