#include "calculation.h"

namespace kelvaro {
namespace {

std::string Is(std::string_view symbol, double value, char32_t sep) {
  return std::string(symbol) + " = " + FormatValue(value, sep);
}

// The beam: lengths that cannot be negative, wheels that cannot stand wider apart than the crane is wide, and
// lengths a thousand times too long for the bay, as millimetres typed where metres are asked for would be.
void Beam(std::vector<std::string>& notes, const InfluenceOrdinates& y, char32_t sep) {
  for (const auto& [symbol, value] : {std::pair<std::string_view, double>{"J", y.J}, {"B", y.B}, {"W", y.W}}) {
    if (value < 0) notes.push_back(Is(symbol, value, sep) + " 为负值，实际不可能。");
  }
  if (y.W > y.B) notes.push_back(Is("W", y.W, sep) + " 大于 " + Is("B", y.B, sep) + "：大车轮距不可能大于吊车宽度。");
  std::string far;
  for (const auto& [symbol, value] : {std::pair<std::string_view, double>{"B", y.B}, {"W", y.W}}) {
    if (std::abs(value) > 10 * std::abs(y.J)) far += (far.empty() ? "" : "、") + Is(symbol, value, sep);
  }
  if (!far.empty()) notes.push_back(far + " 远大于 " + Is("J", y.J, sep) + "，单位是否为米？");
}

std::vector<std::string> Notes(const VerticalLoads& d, char32_t sep) {
  std::vector<std::string> notes;
  Beam(notes, d.ordinates, sep);
  if (d.Pmin < 0) notes.push_back(Is("Pmin", d.Pmin, sep) + " 为负值，实际不可能。");
  if (d.Pmin > d.Pmax)
    notes.push_back(Is("Pmin", d.Pmin, sep) + " 大于 " + Is("Pmax", d.Pmax, sep) + "：最小轮压不应大于最大轮压。");
  return notes;
}
std::vector<std::string> Notes(const MinWheelPressure&, char32_t) { return {}; }
std::vector<std::string> Notes(const HorizontalLoads& h, char32_t sep) {
  std::vector<std::string> notes;
  Beam(notes, h.ordinates, sep);
  return notes;
}

}  // namespace

std::vector<std::string> NotesOf(const Record& record, char32_t sep) {
  return std::visit([sep](const auto& r) { return Notes(r, sep); }, record);
}

}  // namespace kelvaro
