// The several-cranes texts read into numbers, and the checks any numbers must pass, each failure worded for the
// user with the crane and the input it belongs to.
#include "crane_arrangement.h"

#include "calculation.h"
#include "utf8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace kelvaro {
namespace {

using enum ArrangementFailureKind;

constexpr std::array<std::string_view, CraneFieldCount> Captions{
    "名称", "Pmax", "Pmin", "B", "每侧轮数", "轮距", "端距", "工作级别", "αH", "Q", "Q1", "制动轮数"};

std::string Position(std::size_t crane) { return "吊车" + std::to_string(crane + 1); }

std::string LabelOf(const std::string& name, std::size_t crane) {
  const std::string position = Position(crane);
  return name.empty() || name == position ? position : position + "（" + QuoteFieldText(name) + "）";
}

std::string Example(std::size_t wheels, char32_t sep) {
  if (wheels == 2) return FormatValue(4.4, sep);
  return FormatValue(1.6, sep) + "+" + FormatValue(5.2, sep) + "+" + FormatValue(1.6, sep);
}

ArrangementInput Of(std::size_t crane, CraneField field) { return {ArrangementField::Crane, crane, field}; }

std::string_view NameOf(ArrangementField field) {
  constexpr std::array<std::string_view, 5> names{"J1", "J2", "吊车排列", "本轨道吊车台数", "其他跨吊车台数"};
  const auto i = static_cast<std::size_t>(field);
  return i < names.size() ? names[i] : std::string_view("吊车");
}

// "吊车1 的 B" or "J1": how a message names an input.
std::string Subject(const std::string& craneLabel, const ArrangementInput& input) {
  if (input.field != ArrangementField::Crane) return std::string(NameOf(input.field));
  return craneLabel + " 的 " + std::string(CaptionOf(input.craneField));
}

bool Latin(char32_t c) { return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'z') || c == U'α'; }
bool Opens(char32_t c) { return c == U'（' || c == U'“'; }
bool Closes(char32_t c) { return c == U'）' || c == U'”'; }

// Messages are put together from pieces: a space is kept beside Latin letters and digits, none between Chinese
// words or beside full-width punctuation. What stands in brackets or quotes (a name, a text as typed) is left as it is.
std::string Tidy(std::string_view message) {
  const std::u32string in = DecodeReplacing(message);
  std::u32string out;
  int inside = 0;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const char32_t c = in[i];
    inside += Opens(c) ? 1 : Closes(c) ? -1 : 0;
    const char32_t before = out.empty() ? U'\0' : out.back();
    if (inside > 0 && !Opens(c)) {
      out += c;
      continue;
    }
    if (c == U' ') {
      const char32_t after = i + 1 < in.size() ? in[i + 1] : U'\0';
      if (!Latin(before) && !Latin(after)) continue;
      if (Opens(after) || Closes(after) || after >= 0xFF00 || (after >= 0x3000 && after <= 0x303F)) continue;
    }
    out += c;
  }
  std::string text;
  for (const char32_t c : out) AppendUtf8(text, c);
  return text;
}

ArrangementFailure Fail(ArrangementFailureKind kind, const ArrangementInput& input, std::string message) {
  return {kind, input, Tidy(message)};
}

std::string Quoted(std::string_view text) { return "“" + QuoteFieldText(text) + "”"; }

bool Blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// Reads the texts of one crane or of the arrangement, the first failure kept.
class Reader {
 public:
  Reader(char32_t separator, std::string label) : separator_(separator), label_(std::move(label)) {}
  std::optional<ArrangementFailure> failure;

  double Number(std::string_view text, const ArrangementInput& input) {
    if (failure) return 0;
    if (Blank(text)) {
      failure = Fail(Empty, input, Subject(label_, input) + " 是空的。请输入一个数。");
      return 0;
    }
    const Result<double> value = ParseFieldDouble(text, separator_);
    if (!value) failure = NotNumber(text, input);
    return value.value_or(0);
  }
  std::optional<double> Optional(std::string_view text, const ArrangementInput& input) {
    if (Blank(text)) return std::nullopt;
    return Number(text, input);
  }
  ArrangementFailure NotNumber(std::string_view text, const ArrangementInput& input) const {
    return Fail(NotANumber, input,
                Subject(label_, input) + " 的内容" + Quoted(text) + "不是一个数。请输入数字，例如 6 或 " +
                    FormatValue(5.5, separator_) + "。");
  }
  // "1.6+5.2+1.6": numbers joined by "+" (a full-width plus as an input method types it).
  std::vector<double> Spacings(std::string_view text, const ArrangementInput& input) {
    std::vector<double> out;
    if (failure) return out;
    if (Blank(text)) {
      failure = Fail(Empty, input,
                     Subject(label_, input) + " 是空的。请输入轮距，例如 " + Example(2, separator_) + " 或 " +
                         Example(4, separator_) + "。");
      return out;
    }
    std::string rest(text);
    for (std::size_t at = rest.find("＋"); at != std::string::npos; at = rest.find("＋")) rest.replace(at, 3, "+");
    for (std::size_t from = 0;;) {
      const std::size_t plus = rest.find('+', from);
      const Result<double> value = ParseFieldDouble(std::string_view(rest).substr(from, plus - from), separator_);
      if (!value) {
        failure = Fail(SpacingText, input,
                       Subject(label_, input) + Quoted(text) + "应是用“+”连接的数，例如 " + Example(2, separator_) +
                           " 或 " + Example(4, separator_) + "。");
        return {};
      }
      out.push_back(*value);
      if (plus == std::string::npos) return out;
      from = plus + 1;
    }
  }

 private:
  char32_t separator_;
  std::string label_;
};

std::optional<ArrangementFailure> ReadCrane(const CraneTexts& t, std::size_t i, char32_t sep, Crane& c) {
  c.name = Blank(t.name) ? Position(i) : t.name;
  const std::string label = LabelOf(c.name, i);
  Reader in(sep, label);
  using enum CraneField;
  c.Pmax = in.Number(t.Pmax, Of(i, Pmax));
  c.Pmin = in.Number(t.Pmin, Of(i, Pmin));
  c.B = in.Number(t.B, Of(i, B));
  const std::optional<double> wheels = in.Optional(t.wheelsPerSide, Of(i, WheelsPerSide));
  c.spacings = in.Spacings(t.spacings, Of(i, Spacings));
  c.endDistance = in.Optional(t.endDistance, Of(i, EndDistance));
  if (in.failure) return in.failure;
  if (wheels && *wheels != 2 && *wheels != 4) {
    return Fail(WheelCount, Of(i, WheelsPerSide),
                label + " 的每侧轮数只能是 2 或 4（现为 " + FormatValue(*wheels, sep) + "）。");
  }
  if (wheels && c.spacings.size() + 1 != static_cast<std::size_t>(*wheels)) {
    return Fail(SpacingCount, Of(i, Spacings),
                label + " 每侧 " + FormatValue(*wheels, sep) + " 个车轮，轮距应有 " + FormatValue(*wheels - 1, sep) +
                    " 个（现有 " + std::to_string(c.spacings.size()) + " 个），例如 " +
                    Example(static_cast<std::size_t>(*wheels), sep) + "。");
  }
  const std::string duty = t.duty;
  if (duty == "A6-A8" || duty == "A6–A8") {
    c.heavyDuty = true;
  } else if (!Blank(duty) && duty != "A1-A5" && duty != "A1–A5") {
    return Fail(Choice, Of(i, Duty), label + " 的工作级别只能是 A1-A5 或 A6-A8（现为" + Quoted(duty) + "）。");
  }
  c.alphaH = in.Optional(t.alphaH, Of(i, AlphaH));
  c.Q = in.Optional(t.Q, Of(i, Q));
  c.Q1 = in.Optional(t.Q1, Of(i, Q1));
  c.brakingWheels = in.Optional(t.brakingWheels, Of(i, BrakingWheels));
  return in.failure;
}

// A choice typed as a whole number from `low` to `high`.
std::optional<int> Chosen(std::string_view text, int low, int high, char32_t sep) {
  const Result<double> value = ParseFieldDouble(text, sep);
  if (!value || *value != std::floor(*value) || *value < low || *value > high) return std::nullopt;
  return static_cast<int>(*value);
}

}  // namespace

std::string_view CaptionOf(CraneField field) {
  const auto i = static_cast<std::size_t>(field);
  return i < Captions.size() ? Captions[i] : std::string_view();
}

std::string CraneTexts::* MemberOf(CraneField field) { return CraneTextNames[static_cast<std::size_t>(field)].second; }
std::string_view FileKeyOf(CraneField field) { return CraneTextNames[static_cast<std::size_t>(field)].first; }

namespace {
const auto& NamesOf(ArrangementField field) {
  return ArrangementTextNames[std::min<std::size_t>(static_cast<std::size_t>(field), ArrangementTextNames.size() - 1)];
}
}  // namespace

std::string CraneArrangementTexts::* MemberOf(ArrangementField field) { return NamesOf(field).second; }
std::string_view FileKeyOf(ArrangementField field) { return NamesOf(field).first; }

std::string CraneLabel(const CraneArrangementData& data, std::size_t crane) {
  return LabelOf(data.cranes[crane].name, crane);
}

std::expected<CraneArrangementData, ArrangementFailure> ReadCraneArrangement(const CraneArrangementTexts& t,
                                                                             char32_t sep) {
  CraneArrangementData data;
  Reader in(sep, {});
  data.J1 = in.Number(t.J1, {ArrangementField::J1});
  data.J2 = in.Number(t.J2, {ArrangementField::J2});
  if (in.failure) return std::unexpected(*in.failure);
  for (std::size_t i = 0; i < t.cranes.size() && i < MaxCranes; ++i) {
    Crane& c = data.cranes.emplace_back();
    if (auto failure = ReadCrane(t.cranes[i], i, sep, c)) return std::unexpected(*failure);
  }
  if (t.order == "free" || t.order.empty()) {
    data.order = CraneOrder::Free;
  } else if (t.order == "entered") {
    data.order = CraneOrder::Entered;
  } else {
    return std::unexpected(Fail(Choice, {ArrangementField::Order}, "吊车排列只能是“任意”或“按输入顺序”。"));
  }
  const auto onRail = Chosen(t.maxOnRail, 1, static_cast<int>(MaxCranes), sep);
  if (!onRail) {
    return std::unexpected(Fail(Choice, {ArrangementField::MaxOnRail},
                                "本轨道吊车台数只能是 1 到 4 的整数（现为" + Quoted(t.maxOnRail) + "）。"));
  }
  data.maxOnRail = *onRail;
  const auto others = Chosen(t.otherSpanCranes, 0, 2, sep);
  if (!others) {
    return std::unexpected(Fail(Choice, {ArrangementField::OtherSpanCranes},
                                "其他跨吊车台数只能是 0、1 或 2（现为" + Quoted(t.otherSpanCranes) + "）。"));
  }
  data.otherSpanCranes = *others;
  if (t.cranes.size() > MaxCranes) {
    return std::unexpected(
        Fail(TooManyCranes, {ArrangementField::Crane, MaxCranes}, "最多 4 台吊车。请删去多余的吊车。"));
  }
  if (auto failure = Validate(data, sep)) return std::unexpected(std::move(*failure));
  return data;
}

std::optional<ArrangementFailure> Validate(const CraneArrangementData& data, char32_t sep) {
  const auto now = [sep](double value) { return "（现为 " + FormatValue(value, sep) + "）"; };
  for (const auto& [field, J] : {std::pair{ArrangementField::J1, data.J1}, std::pair{ArrangementField::J2, data.J2}}) {
    if (std::isinf(J)) return Fail(NotANumber, {field}, std::string(NameOf(field)) + " 必须是有限的数。");
    if (!(J > 0)) return Fail(NotPositive, {field}, std::string(NameOf(field)) + " 必须大于 0" + now(J) + "。");
  }
  // Numbers from elsewhere may be infinite, which no text reads as: the search would meet ∞ − ∞.
  for (std::size_t i = 0; i < data.cranes.size() && i < MaxCranes; ++i) {
    const Crane& c = data.cranes[i];
    using enum CraneField;
    std::vector<std::pair<CraneField, std::optional<double>>> values{
        {Pmax, c.Pmax},     {Pmin, c.Pmin}, {B, c.B},   {EndDistance, c.endDistance},
        {AlphaH, c.alphaH}, {Q, c.Q},       {Q1, c.Q1}, {BrakingWheels, c.brakingWheels}};
    for (const double s : c.spacings) values.emplace_back(Spacings, s);
    for (const auto& [field, value] : values) {
      if (value && std::isinf(*value)) {
        return Fail(NotANumber, Of(i, field),
                    CraneLabel(data, i) + " 的 " + std::string(CaptionOf(field)) + " 必须是有限的数。");
      }
    }
  }
  if (data.cranes.empty()) {
    return Fail(NoCrane, Of(0, CraneField::Pmax), "没有吊车。请在表中至少填写一台吊车的 Pmax、Pmin、B 和轮距。");
  }
  if (data.cranes.size() > MaxCranes) {
    return Fail(TooManyCranes, {ArrangementField::Crane, MaxCranes}, "最多 4 台吊车。请删去多余的吊车。");
  }
  if (data.maxOnRail < 1 || data.maxOnRail > static_cast<int>(MaxCranes)) {
    return Fail(Choice, {ArrangementField::MaxOnRail}, "本轨道吊车台数只能是 1 到 4 的整数。");
  }
  if (data.otherSpanCranes < 0 || data.otherSpanCranes > 2) {
    return Fail(Choice, {ArrangementField::OtherSpanCranes}, "其他跨吊车台数只能是 0、1 或 2。");
  }
  for (std::size_t i = 0; i < data.cranes.size(); ++i) {
    const Crane& c = data.cranes[i];
    const std::string label = CraneLabel(data, i);
    const auto subject = [&](CraneField f) { return label + " 的 " + std::string(CaptionOf(f)); };
    using enum CraneField;
    for (const auto& [field, value] : {std::pair{Pmax, c.Pmax}, std::pair{Pmin, c.Pmin}}) {
      if (!(value >= 0)) return Fail(Negative, Of(i, field), subject(field) + " 不能小于 0" + now(value) + "。");
    }
    if (!(c.B > 0)) return Fail(NotPositive, Of(i, B), subject(B) + " 必须大于 0" + now(c.B) + "。");
    if (c.spacings.size() != 1 && c.spacings.size() != 3) {
      return Fail(WheelCount, Of(i, Spacings),
                  label + " 的轮距应有 1 个（每侧 2 个车轮）或 3 个（每侧 4 个车轮），现有 " +
                      std::to_string(c.spacings.size()) + " 个。");
    }
    double length = c.endDistance.value_or(0);
    for (std::size_t k = 0; k < c.spacings.size(); ++k) {
      if (!(c.spacings[k] > 0)) {
        return Fail(NotPositive, Of(i, Spacings),
                    subject(Spacings) + "必须都大于 0（第 " + std::to_string(k + 1) + " 个为 " +
                        FormatValue(c.spacings[k], sep) + "）。");
      }
      length += c.spacings[k];
    }
    if (c.endDistance && !(*c.endDistance >= 0)) {
      return Fail(Negative, Of(i, EndDistance), subject(EndDistance) + " 不能小于 0" + now(*c.endDistance) + "。");
    }
    if (!(length <= c.B)) {
      return Fail(TooLong, Of(i, Spacings),
                  label + (c.endDistance ? " 的端距与轮距之和 " : " 的轮距之和 ") + FormatValue(length, sep) +
                      " m 超过了 B（" + FormatValue(c.B, sep) + " m）。");
    }
    for (const auto& [field, value] : {std::pair{AlphaH, c.alphaH}, std::pair{Q, c.Q}, std::pair{Q1, c.Q1}}) {
      if (value && !(*value >= 0)) {
        return Fail(Negative, Of(i, field), subject(field) + " 不能小于 0" + now(*value) + "。");
      }
    }
    const double wheels = static_cast<double>(c.spacings.size() + 1);
    if (const auto b = c.brakingWheels; b && (!(*b >= 0 && *b <= wheels) || *b != std::floor(*b))) {
      return Fail(Choice, Of(i, BrakingWheels),
                  subject(BrakingWheels) + "应是 0 到 " + FormatValue(wheels, sep) + " 的整数" + now(*b) + "。");
    }
  }
  return std::nullopt;
}

}  // namespace kelvaro
