#include "crane_window.h"

#include "calculation.h"
#include "calculation_file.h"

#include <array>

namespace kelvaro::forms {
namespace {

using enum CraneField;

constexpr ChoiceItem Wheels[] = {{"2", "2"}, {"4", "4"}};
constexpr ChoiceItem Duties[] = {{"A1-A5", "A1–A5"}, {"A6-A8", "A6–A8"}};
constexpr ChoiceItem Orders[] = {{"free", "任意排列（找出最不利）"}, {"entered", "按表中顺序"}};
constexpr ChoiceItem OnRail[] = {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}};
constexpr ChoiceItem OtherSpans[] = {{"0", "0"}, {"1", "1"}, {"2", "2"}};

constexpr BayRow Bays[] = {
    {ArrangementField::J1, "左跨柱距", "J1", "m"},
    {ArrangementField::J2, "右跨柱距", "J2", "m"},
};

// In CraneTextNames order: the table's columns are the crane's texts.
constexpr CraneColumn Columns[] = {
    {Name, "", "", {}, 6},
    {Pmax, "kN", "", {}, 6},
    {Pmin, "kN", "", {}, 6},
    {B, "m", "", {}, 5},
    {WheelsPerSide, "", "", Wheels, 4},
    {Spacings, "m", "如 1.6+5.2+1.6", {}, 11},
    {EndDistance, "m", "空：对称", {}, 8},
    {Duty, "", "", Duties, 7},
    {AlphaH, "", "", {}, 5},
    {Q, "t", "", {}, 5},
    {Q1, "t", "", {}, 5},
    {BrakingWheels, "", "空：一半", {}, 8},
};
static_assert(std::size(Columns) == CraneFieldCount);
static_assert(
    [] {
      for (std::size_t i = 0; i < CraneFieldCount; ++i) {
        if (static_cast<std::size_t>(Columns[i].field) != i) return false;
      }
      return true;
    }(),
    "the columns follow CraneTextNames");

constexpr OptionRow Options[] = {
    {ArrangementField::Order, "吊车排列", Orders},
    {ArrangementField::MaxOnRail, "本轨道最多吊车台数", OnRail},
    {ArrangementField::OtherSpanCranes, "同一排架其他跨吊车台数（只影响 Z）", OtherSpans},
};

constexpr ResultRow Results[] = {
    {ArrangementResult::Dmax, "最大竖向荷载", "Dmax", "kN"},
    {ArrangementResult::Dmin, "最小竖向荷载", "Dmin", "kN"},
    {ArrangementResult::Z, "折减系数", "Z", ""},
    {ArrangementResult::CranesCounted, "计入吊车台数", "n", "台"},
    {ArrangementResult::H1, "横向水平荷载", "H1", "kN"},
    {ArrangementResult::LongitudinalRail, "纵向水平荷载（本轨道）", "T_L", "kN"},
};

constexpr CraneButtonRow Buttons[] = {
    {CraneButton::Calculate, "计算"}, {CraneButton::AddCrane, "增加吊车"}, {CraneButton::RemoveCrane, "删除吊车"},
    {CraneButton::Clear, "清除结果"}, {CraneButton::Save, "保存计算…"},    {CraneButton::Open, "打开计算…"},
    {CraneButton::Close, "退出"},
};

constexpr CraneWindowDescription Window{
    .caption = "多台吊车荷载计算",
    .icon = "icons/main_window.svg",
    .bays = Bays,
    .columns = Columns,
    .options = Options,
    .results = Results,
    .buttons = Buttons,
    .diagramName = "最不利位置简图",
    .firstCranes = 2,
};

CraneTexts Crane(std::string name, std::string Pmax, std::string Pmin, std::string B, std::string W) {
  return {.name = std::move(name),
          .Pmax = std::move(Pmax),
          .Pmin = std::move(Pmin),
          .B = std::move(B),
          .wheelsPerSide = "2",
          .spacings = std::move(W),
          .duty = "A1-A5"};
}

}  // namespace

const CraneWindowDescription& CraneArrangementWindow() { return Window; }

CraneArrangementTexts CraneArrangementDefaults() {
  return {.J1 = "6", .J2 = "6", .cranes = {Crane("吊车1", "", "", "", ""), Crane("吊车2", "", "", "", "")}};
}

CraneArrangementTexts CraneArrangementExample() {
  CraneArrangementTexts texts{
      .J1 = "6", .J2 = "12", .cranes = {Crane("K", "280", "70", "6.4", "5.0"), Crane("L", "150", "40", "5.6", "4.4")}};
  for (CraneTexts& c : texts.cranes) c.alphaH = "0.1", c.Q = "20", c.Q1 = "7.5";
  return texts;
}

std::string CraneInputName(std::size_t crane, CraneField field) {
  return "吊车" + std::to_string(crane + 1) + " " + std::string(CaptionOf(field));
}

std::string ResultName(ArrangementResult result, std::size_t crane) {
  if (result == ArrangementResult::Longitudinal) return "吊车" + std::to_string(crane + 1) + " T_L";
  for (const ResultRow& r : Results) {
    if (r.result == result) return std::string(r.symbol);
  }
  return std::string(NameOf(result));
}

std::string ResultFileKey(ArrangementResult result, std::size_t crane) {
  // One key per crane: a file's keys are unique.
  if (result == ArrangementResult::Longitudinal) return std::string(NameOf(result)) + std::to_string(crane + 1);
  return std::string(NameOf(result));
}

namespace {

// The value of the choice `text` names, by value or as shown; or the failure, "“duty”应为 A1-A5 或 A6-A8，…".
std::optional<std::string> Take(std::string& text, std::span<const ChoiceItem> choices, std::string_view key,
                                std::string_view place) {
  for (const ChoiceItem& c : choices) {
    if (text == c.value || text == c.text) {
      text = c.value;
      return std::nullopt;
    }
  }
  std::string values;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    values += (i == 0 ? "" : i + 1 == choices.size() ? " 或 " : "、") + std::string(choices[i].value);
  }
  return std::string(place) + "的“" + std::string(key) + "”应为 " + values + "，文件中是" +
         (text.empty() ? std::string("空的") : "“" + QuoteFieldText(text) + "”") + "。";
}

}  // namespace

std::optional<std::string> TakeChoices(CraneArrangementTexts& texts, std::string_view fileName) {
  std::optional<std::string> failure;
  for (const OptionRow& o : Options) {
    if (!failure) failure = Take(texts.*MemberOf(o.field), o.choices, FileKeyOf(o.field), "“inputs”中");
  }
  for (std::size_t i = 0; i < texts.cranes.size(); ++i) {
    for (const CraneColumn& c : Columns) {
      if (c.choices.empty() || failure) continue;
      const std::string place = "第 " + std::to_string(i + 1) + " 台吊车（“cranes”）中";
      failure = Take(texts.cranes[i].*MemberOf(c.field), c.choices, FileKeyOf(c.field), place);
    }
  }
  if (!failure) return std::nullopt;
  return "无法打开“" + QuoteFileName(fileName) + "”：" + *failure;
}

std::string InputName(const ArrangementInput& input) {
  if (input.field == ArrangementField::Crane) return CraneInputName(input.crane, input.craneField);
  for (const BayRow& b : Bays) {
    if (b.field == input.field) return std::string(b.symbol);
  }
  for (const OptionRow& o : Options) {
    if (o.field == input.field) return std::string(o.caption);
  }
  return {};
}

}  // namespace kelvaro::forms
