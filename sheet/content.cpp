#include "content.h"

#include <initializer_list>
#include <variant>

namespace kelvaro::sheet {
namespace {

constexpr std::string_view Code = "《建筑结构荷载规范》GB 50009-2012，第 6 章“吊车荷载”。";
constexpr std::string_view Numbers[] = {"一", "二", "三", "四", "五", "六"};
// The core computes in singles and writes each intermediate with the digits that read back as the very single it
// used; a checker working from those digits in decimals may still land one off in the seventh digit of a result.
constexpr std::string_view WorkingRounding =
    "注：中间值按单精度计算，所列位数可还原所用值；据此手算，结果末位可能相差 1。";

std::string Replace(std::string text, std::string_view mark, std::string_view by) {
  if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), by);
  return text;
}

// What differs between the three calculations: the words of the basis and the figure, the results' captions.
struct Words {
  std::string basis;
  std::string_view wheelLoad;  // empty for a calculation without a figure
  std::vector<std::string_view> resultCaptions;
};

Words WordsOf(const VerticalLoads&, char32_t) {
  return {std::string(Code) +
              "两台相邻吊车的四个车轮按图示位置作用在吊车梁上，一个车轮位于本柱（中间支座）之上；各轮下本柱反力影响线的"
              "竖标之和 SumY，乘以折减系数 Z 和最大轮压 Pmax（最小轮压 Pmin），即为 Dmax（Dmin）。",
          "车轮荷载 Pmax（求 Dmin 时为 Pmin）",
          {"吊车最大竖向荷载", "吊车最小竖向荷载"}};
}

Words WordsOf(const MinWheelPressure&, char32_t separator) {
  return {
      Replace(std::string(Code) +
                  "吊车两端的轮压之和等于吊车总重量 G 与额定起重量 Q 之和 S 乘以 %1（由 t 换算为 kN）；一端 N 个车轮"
                  "均为最大轮压 Pmax 时，另一端每个车轮的轮压即为最小轮压 Pmin。",
              "%1", FormatValue(Gravity, separator)),
      {},
      {"吊车最小轮压"}};
}

Words WordsOf(const HorizontalLoads&, char32_t separator) {
  return {
      Replace(std::string(Code) +
                  "每台吊车的横向水平荷载 H 取小车重量 G1 与额定起重量 Q 之和乘以系数 αH 和 %1，由 N 个车轮平均传至"
                  "轨道；每个车轮的 H/N 乘以本柱反力影响线的竖标之和 SumY 和折减系数 Z，即为本柱的横向水平荷载 H1。",
              "%1", FormatValue(Gravity, separator)),
      "车轮荷载 H/N",
      {"每台吊车的横向水平荷载", "正反两个方向的刹车力"}};
}

std::optional<InfluenceOrdinates> OrdinatesOf(const VerticalLoads& d) { return d.ordinates; }
std::optional<InfluenceOrdinates> OrdinatesOf(const MinWheelPressure&) { return std::nullopt; }
std::optional<InfluenceOrdinates> OrdinatesOf(const HorizontalLoads& h) { return h.ordinates; }

}  // namespace

std::string_view SheetUnit(std::string_view unit) { return unit == "Kn" ? "kN" : unit; }

std::string_view UncaptionedName(Input input) {
  switch (input) {
    case Input::Z:
      return "折减系数";
    case Input::Pmax:
      return "吊车最大轮压";
    case Input::Pmin:
      return "吊车最小轮压";
    case Input::AlphaH:
      return "横向水平荷载系数";
    default:
      return SymbolOf(input);
  }
}

std::vector<InputRow> InputRows(const forms::Form& form, const InputTexts& texts) {
  const auto labelText = [&](std::string_view label) {
    const forms::Control* c = label.empty() ? nullptr : forms::ControlNamed(form, label);
    return c ? c->text : std::string_view();
  };
  std::vector<InputRow> rows;
  if (!form.calculator) return rows;
  for (const forms::Field& f : form.calculator->fields) {
    rows.push_back(
        {forms::SymbolText(labelText(f.symbol)),
         f.caption.empty() ? std::string(UncaptionedName(f.input)) : forms::CaptionText(labelText(f.caption)),
         ShowFieldText(texts[static_cast<std::size_t>(f.input)], LongestInput),
         std::string(SheetUnit(labelText(f.unit)))});
  }
  return rows;
}

Content ContentOf(const Record& record, std::string name, std::vector<InputRow> inputs, char32_t separator) {
  Content s;
  s.title = "吊车荷载计算书";
  s.name = std::move(name);
  s.project = "工程名称：";
  s.signatures = {"设计：", "校对：", "审核：", "日期："};
  s.columns = {"符号", "名称", "数值", "单位"};
  s.inputs = std::move(inputs);
  s.decimalSeparator = separator;
  s.program = ProgramVersion();
  s.page = "第 1 页，共 1 页";

  const Words words = std::visit([&](const auto& r) { return WordsOf(r, separator); }, record);
  s.basis = words.basis;
  s.ordinates = std::visit([](const auto& r) { return OrdinatesOf(r); }, record);
  std::vector<WorkingLine> working = std::visit([&](const auto& r) { return WorkingOf(r, separator); }, record);
  for (WorkingLine& line : working) line.unit = SheetUnit(line.unit);
  for (const WorkingLine& line : working) s.working.push_back({line.quantity, PrintedNumbers(LineText(line))});
  s.workingNote = std::string(WorkingRounding);
  // The results are the last lines of the working, in result order.
  auto line = working.end() - static_cast<std::ptrdiff_t>(words.resultCaptions.size());
  for (const std::string_view caption : words.resultCaptions) {
    std::string text = line->quantity + " = " + line->result;
    if (!line->unit.empty()) text += " " + std::string(line->unit);
    s.results.push_back({std::string(caption), PrintedNumbers(text)});
    ++line;
  }

  for (const std::string& note : NotesOf(record, separator)) s.notes.push_back("注意：" + PrintedNumbers(note));

  int section = 0;
  const auto heading = [&](std::string_view words) {
    return std::string(Numbers[section++]) + "、" + std::string(words);
  };
  s.basisHeading = heading("设计依据");
  s.inputsHeading = heading("输入数据");
  if (s.ordinates) {
    s.figureHeading = heading("吊车轮位与本柱反力影响线");
    s.figureCaption = "图 1  吊车轮位及本柱（中间支座）反力影响线；" + std::string(words.wheelLoad) + "；尺寸单位：m";
  }
  s.workingHeading = heading("计算过程");
  s.resultsHeading = heading("计算结果");
  return s;
}

std::vector<std::string> TextLines(const Content& sheet) {
  // Parts joined by single spaces, the empty ones left out.
  const auto line = [](std::initializer_list<std::string_view> parts) {
    std::string out;
    for (const std::string_view part : parts) {
      if (part.empty()) continue;
      if (!out.empty()) out += ' ';
      out += part;
    }
    return out;
  };
  std::vector<std::string> lines{sheet.name, sheet.basis};
  for (const InputRow& in : sheet.inputs) lines.push_back(line({in.caption, in.symbol, "=", in.text, in.unit}));
  for (const WorkingRow& w : sheet.working) lines.push_back(w.text);
  lines.push_back(sheet.workingNote);
  for (const ResultRow& r : sheet.results) lines.push_back(line({r.caption, r.text}));
  lines.insert(lines.end(), sheet.notes.begin(), sheet.notes.end());
  return lines;
}

std::string ProgramVersion() { return "Kelvaro " KELVARO_VERSION; }

}  // namespace kelvaro::sheet
