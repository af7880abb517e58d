#include "crane_sheet.h"

#include "crane_window.h"

#include <algorithm>

namespace kelvaro::forms {
namespace {

// The arrangements listed on a sheet: the largest first; a one-page sheet has room for fewer.
constexpr std::size_t TrialsOnOnePage = 6, TrialsOnTwoPages = 30;
constexpr std::size_t WheelsOnOnePage = 8;

std::string Choice(std::span<const ChoiceItem> items, const std::string& value) {
  for (const ChoiceItem& c : items) {
    if (c.value == value) return std::string(c.text);
  }
  return value;
}

std::string Typed(const std::string& text, std::string_view blank) { return text.empty() ? std::string(blank) : text; }

SheetSection Inputs(const CraneArrangementTexts& t) {
  const CraneWindowDescription& d = CraneArrangementWindow();
  SheetSection s{.heading = "输入"};
  s.lines.push_back("左跨柱距 J1 = " + t.J1 + " m，右跨柱距 J2 = " + t.J2 + " m");
  std::string options;
  for (const OptionRow& o : d.options) {
    options += (options.empty() ? "" : "；") + std::string(o.caption) + "：" + Choice(o.choices, t.*MemberOf(o.field));
  }
  s.lines.push_back(options);
  s.table.header.push_back("");
  for (const CraneColumn& c : d.columns) {
    std::string caption(CaptionOf(c.field));
    if (!c.unit.empty()) caption += "（" + std::string(c.unit) + "）";
    s.table.header.push_back(caption);
  }
  for (std::size_t i = 0; i < t.cranes.size(); ++i) {
    std::vector<std::string> row{"吊车" + std::to_string(i + 1)};
    for (const CraneColumn& c : d.columns) {
      const std::string& text = t.cranes[i].*MemberOf(c.field);
      row.push_back(c.choices.empty() ? Typed(text, c.field == CraneField::EndDistance     ? "对称"
                                                    : c.field == CraneField::BrakingWheels ? "一半"
                                                                                           : "—")
                                      : Choice(c.choices, text));
    }
    s.table.rows.push_back(std::move(row));
  }
  return s;
}

SheetSection Wheels(const ArrangementAnswer& a, char32_t sep) {
  const CraneArrangement& r = a.record;
  const WheelShares shares = SharesOf(r);
  const bool withT = shares.sum.T.has_value();
  SheetSection s{.heading = "各车轮的影响线竖标与荷载"};
  s.table.header = {"车轮", "x（m）", "y", "Pmax·y（kN）", "Pmin·y（kN）"};
  if (withT) s.table.header.push_back("T·y（kN）");
  for (std::size_t i = 0; i < r.vertical.wheels.size(); ++i) {
    const PlacedWheel& w = r.vertical.wheels[i];
    std::vector<std::string> row{WheelLabel(w) + (i == r.vertical.criticalWheel ? "（柱上）" : ""),
                                 FormatValue(w.x, sep), FormatValue(w.y, sep), FormatValue(shares.wheels[i].Pmax, sep),
                                 FormatValue(shares.wheels[i].Pmin, sep)};
    if (withT) row.push_back(FormatValue(*shares.wheels[i].T, sep));
    s.table.rows.push_back(std::move(row));
  }
  std::vector<std::string> sum{"合计", "", "", FormatValue(shares.sum.Pmax, sep), FormatValue(shares.sum.Pmin, sep)};
  if (withT) sum.push_back(FormatValue(*shares.sum.T, sep));
  s.table.rows.push_back(std::move(sum));
  s.table.lastRowIsSum = true;
  if (withT) s.lines.push_back("T·y 为 Dmax 位置上的值；H1 另按至多 2 台吊车找最不利位置，见计算过程。");
  return s;
}

SheetSection Trials(const ArrangementAnswer& a, std::size_t room, char32_t sep) {
  const CraneArrangement& r = a.record;
  std::vector<const Trial*> sorted;
  for (const Trial& t : r.trials) sorted.push_back(&t);
  // The largest first; equal ones in the order they were tried (their order in the one array), as the search
  // breaks ties.
  std::ranges::sort(sorted,
                    [](const Trial* x, const Trial* y) { return x->value != y->value ? x->value > y->value : x < y; });
  SheetSection s{.heading = "比较过的排列（每种排列取其最不利车轮）"};
  for (std::size_t i = 0; i < sorted.size() && i < room; ++i) {
    const Trial& t = *sorted[i];
    const bool governs = t.order == r.vertical.order && t.reversed == r.vertical.reversed;
    s.lines.push_back(TrialText(r.data, t, sep) + (governs ? "  ◀ 最不利" : ""));
  }
  if (sorted.size() > room) {
    s.lines.push_back("另有 " + std::to_string(sorted.size() - room) + " 种排列，均不大于上列。");
  }
  return s;
}

}  // namespace

CraneSheet CraneSheetOf(const CraneArrangementTexts& texts, const ArrangementAnswer& a, char32_t sep) {
  const CraneArrangement& r = a.record;
  const bool twoPages = r.vertical.wheels.size() > WheelsOnOnePage;
  CraneSheet sheet{
      .title = "多台吊车荷载计算书",
      .blanks = "工程名称：____________________  设计：________  校对：________  审核：________  日期：__________",
      .figure = CraneFigure(r.data, r.vertical, 640, sep),
      .pages = twoPages ? 2 : 1};
  sheet.sections.push_back({.heading = "设计依据",
                            .lines = {"《建筑结构荷载规范》GB 50009-2012，第 6 章“吊车荷载”。",
                                      "一根轨道、一根柱，吊车梁按简支梁；中间支座反力影响线：左跨 y = 1 + x/J1，"
                                      "右跨 y = 1 − x/J2（x 自柱起向右为正）。"}});
  const std::size_t asTyped = sheet.sections.size();
  sheet.sections.push_back(Inputs(texts));
  const PlacedWheel& critical = r.vertical.wheels[r.vertical.criticalWheel];
  sheet.sections.push_back(
      {.heading = "最不利位置", .lines = {WheelLabel(critical) + " 在柱上；灰色车轮在相邻支座以外。"}, .figure = true});
  SheetSection wheels = Wheels(a, sep);
  wheels.newPage = twoPages;
  sheet.sections.push_back(std::move(wheels));
  sheet.sections.push_back(Trials(a, twoPages ? TrialsOnTwoPages : TrialsOnOnePage, sep));
  SheetSection working{.heading = "计算过程"};
  for (const WorkingLine& line : a.working) working.lines.push_back(LineText(line));
  sheet.sections.push_back(std::move(working));

  // The results on two lines: the column's, then the rail's braking.
  SheetSection results{.heading = "结果", .lines = {"", ""}};
  std::string Dmax, Dmin, H1;
  for (const ArrangementValue& v : a.results) {
    const std::string unit = v.id == ArrangementResult::Z               ? ""
                             : v.id == ArrangementResult::CranesCounted ? " 台"
                                                                        : " kN";
    std::string& line = results.lines[v.id == ArrangementResult::LongitudinalRail ? 1 : 0];
    line += (line.empty() ? "" : "，") + ResultName(v.id) + " = " + v.text + unit;
    if (v.id == ArrangementResult::Dmax) Dmax = v.text;
    if (v.id == ArrangementResult::Dmin) Dmin = v.text;
    if (v.id == ArrangementResult::H1) H1 = v.text;
  }
  for (const ArrangementValue& v : a.longitudinal)
    results.lines[1] += "，" + ResultName(v.id, v.crane) + " = " + v.text + " kN";
  sheet.sections.push_back(std::move(results));
  const std::string h = H1.empty() ? "" : "，H1 = ±" + H1 + " kN";
  sheet.sections.push_back({.heading = "排架荷载工况",
                            .lines = {"工况一：左柱 Dmax = " + Dmax + " kN，右柱 Dmin = " + Dmin + " kN" + h,
                                      "工况二：左柱 Dmin = " + Dmin + " kN，右柱 Dmax = " + Dmax + " kN" + h}});
  SheetSection notes{.heading = "说明", .lines = {"不乘动力系数。", "T_L 未折减。"}};
  if (r.vertical.heavyDuty) notes.lines.push_back("计入的吊车中有 A6–A8，Z 按 A6–A8 一栏取值。");
  for (const std::string& w : a.warnings) notes.lines.push_back("注意：" + w);
  sheet.sections.push_back(std::move(notes));
  // The core's numbers as print writes them; the inputs stay as they were typed.
  for (std::size_t i = 0; i < sheet.sections.size(); ++i) {
    if (i == asTyped) continue;
    for (std::string& line : sheet.sections[i].lines) line = PrintedNumbers(line);
    for (auto& row : sheet.sections[i].table.rows) {
      for (std::string& cell : row) cell = PrintedNumbers(cell);
    }
  }
  return sheet;
}

std::string CraneSheetFooter(const CraneSheet& sheet, int page) {
  return "Kelvaro · 第 " + std::to_string(page + 1) + " 页，共 " + std::to_string(sheet.pages) + " 页";
}

}  // namespace kelvaro::forms
