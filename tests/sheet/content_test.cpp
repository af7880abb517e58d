// What a sheet says, for both editions: kN where the windows say Kn, the inputs named from the windows'
// description, the sections numbered in the order they come, the results as the working ends, and the figure's
// shapes inside it.
#include "content.h"
#include "figure.h"
#include "measure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kelvaro::sheet {
namespace {

// A calculator's sheet for its fields' texts, in the order of its description's fields.
Content SheetOf(forms::FormId id, const std::vector<std::string>& typed, char32_t separator = U'.') {
  const forms::Form& f = forms::FormOf(id);
  InputTexts texts{};
  for (std::size_t i = 0; i < typed.size(); ++i)
    texts[static_cast<std::size_t>(f.calculator->fields[i].input)] = typed[i];
  const auto answer = Calculate(f.calculator->calculation, texts, forms::CheckOrderOf(f), separator);
  EXPECT_TRUE(answer.has_value());
  return ContentOf(answer->record, std::string(f.caption), InputRows(f, texts), separator);
}

std::vector<std::string> AllTexts(const Content& s) {
  std::vector<std::string> t = {s.title,          s.name,           s.project,       s.basisHeading,
                                s.basis,          s.inputsHeading,  s.figureHeading, s.figureCaption,
                                s.workingHeading, s.resultsHeading, s.program,       s.page};
  for (const auto& r : s.inputs) t.insert(t.end(), {r.symbol, r.caption, r.text, r.unit});
  for (const auto& w : s.working) t.push_back(w.text);
  for (const auto& r : s.results) t.insert(t.end(), {r.caption, r.text});
  return t;
}

struct Row {
  forms::FormId form;
  std::vector<std::string> typed;
  char32_t separator;
  std::vector<std::string> headings;  // in order; the figure's only where the calculation has one
  std::vector<std::string> inputNames;
  std::vector<std::string> units;
  std::vector<std::string> results;
};

const Row Rows[] = {
    {forms::FormId::VerticalLoads,
     {"0.9", "6", "5.5", "4.4", "100", "30"},
     U'.',
     {"一、设计依据", "二、输入数据", "三、吊车轮位与本柱反力影响线", "四、计算过程", "五、计算结果"},
     {"折减系数", "柱距", "吊车宽度", "大车轮距", "吊车最大轮压", "吊车最小轮压"},
     {"", "米", "米", "米", "kN", "kN"},
     {"Dmax = 195 kN", "Dmin = 58.5 kN"}},
    {forms::FormId::MinWheelPressure,
     {"100", "20", "10", "2"},
     U',',
     {"一、设计依据", "二、输入数据", "", "三、计算过程", "四、计算结果"},
     {"吊车最大轮压", "吊车总重量", "吊车额定起重量", "每端轮数"},
     {"kN", "t", "t", "个"},
     {"Pmin = 47,15 kN"}},
    {forms::FormId::HorizontalLoads,
     {"0,12", "0,9", "3,5", "4", "10", "6", "5,5", "4,4"},
     U',',
     {"一、设计依据", "二、输入数据", "三、吊车轮位与本柱反力影响线", "四、计算过程", "五、计算结果"},
     {"横向水平荷载系数", "折减系数", "小车重", "所有吊车轮总数", "吊车额定起重量", "柱距", "吊车宽度", "大车轮距"},
     {"", "", "t", "个", "t", "米", "米", "米"},
     {"H = 15,8922 kN", "H1 = 7,747447 kN"}},
};

TEST(SheetContent, SaysWhatEachCalculationShows) {
  for (const Row& row : Rows) {
    SCOPED_TRACE(forms::FormOf(row.form).caption);
    const Content s = SheetOf(row.form, row.typed, row.separator);
    EXPECT_EQ((std::vector<std::string>{s.basisHeading, s.inputsHeading, s.figureHeading, s.workingHeading,
                                        s.resultsHeading}),
              row.headings);
    EXPECT_EQ(s.ordinates.has_value(), !row.headings[2].empty());
    EXPECT_EQ(s.figureCaption.empty(), row.headings[2].empty());
    std::vector<std::string> names, units, typed, results;
    for (const InputRow& in : s.inputs) names.push_back(in.caption), units.push_back(in.unit), typed.push_back(in.text);
    for (const ResultRow& r : s.results) results.push_back(r.text);
    EXPECT_EQ(names, row.inputNames);
    EXPECT_EQ(units, row.units);
    EXPECT_EQ(typed, row.typed);  // as typed, never as read
    EXPECT_EQ(results, row.results);
    // The results are the working's last lines, and nothing on the sheet says Kn.
    const std::string& last = row.results.back();
    EXPECT_TRUE(s.working.back().text.starts_with(last.substr(0, last.find(' '))));
    EXPECT_TRUE(s.working.back().text.ends_with(last.substr(last.find(" = "))));
    for (const std::string& text : AllTexts(s)) EXPECT_EQ(text.find("Kn"), std::string::npos) << text;
  }
}

// Impossible inputs keep their numbers, and the sheet says under the results what no crane can be.
TEST(SheetContent, SaysWhatNoCraneCanBe) {
  const struct {
    std::vector<std::string> typed;
    std::vector<std::string> notes;
  } rows[] = {
      {{"0.9", "6", "5.5", "4.4", "100", "30"}, {}},
      {{"0.9", "6", "5.5", "6", "30", "100"},
       {"注意：W = 6 大于 B = 5.5：大车轮距不可能大于吊车宽度。",
        "注意：Pmin = 100 大于 Pmax = 30：最小轮压不应大于最大轮压。"}},
      {{"0.9", "6", "5500", "4400", "100", "30"}, {"注意：B = 5500、W = 4400 远大于 J = 6，单位是否为米？"}},
  };
  for (const auto& row : rows) {
    const Content s = SheetOf(forms::FormId::VerticalLoads, row.typed);
    EXPECT_EQ(s.notes, row.notes);
    const std::vector<std::string> lines = TextLines(s);
    EXPECT_TRUE(std::equal(row.notes.rbegin(), row.notes.rend(), lines.rbegin()));
  }
}

// What a checker reads: powers of ten and minus signs as print writes them, every input whole with nothing hidden,
// and how the working is rounded. The windows keep the core's own texts (E+07, -).
TEST(SheetContent, PrintsNumbersAsAPrintedSheetDoes) {
  const struct {
    const char* tag;
    std::vector<std::string> typed;
    std::vector<std::string> inputs;   // the texts of the input cells
    std::vector<std::string> results;  // the framed results
    std::string inFigure;              // a label the figure must have; empty: no figure to check
  } rows[] = {
      {"a power of ten",
       {"0.9", "6", "5.5", "4.4", "12345678", "30"},
       {"0.9", "6", "5.5", "4.4", "12345678", "30"},
       {"Dmax = 2.407407×10⁷ kN", "Dmin = 58.5 kN"},
       "J = 6"},
      {"a negative Pmin",
       {"0.9", "6", "5.5", "4.4", "100", "-30"},
       {"0.9", "6", "5.5", "4.4", "100", "-30"},
       {"Dmax = 195 kN", "Dmin = −58.5 kN"},
       ""},
      {"a negative bay, drawn schematic",
       {"0.9", "-6", "5.5", "4.4", "100", "30"},
       {"0.9", "-6", "5.5", "4.4", "100", "30"},
       {"Dmax = 524.9999 kN", "Dmin = 157.5 kN"},
       "J = −6"},
      {"leading tabs and a long text",
       {"\t\t0.9", "6", "5.5", "4.4", "1." + std::string(60, '0') + "e2", "30"},
       {"⟨U+0009⟩⟨U+0009⟩0.9", "6", "5.5", "4.4",
        "1." + std::string(19, '0') + "…（略去 32 个字符）…" + std::string(9, '0') + "e2", "30"},
       {"Dmax = 195 kN", "Dmin = 58.5 kN"},
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tag);
    const Content s = SheetOf(forms::FormId::VerticalLoads, row.typed);
    std::vector<std::string> inputs, results;
    for (const InputRow& in : s.inputs) inputs.push_back(in.text);
    for (const ResultRow& r : s.results) results.push_back(r.text);
    EXPECT_EQ(inputs, row.inputs);
    EXPECT_EQ(results, row.results);
    for (const std::string& text : AllTexts(s)) {
      EXPECT_EQ(text.find("E+"), std::string::npos) << text;
      EXPECT_EQ(text.find(" -"), std::string::npos) << text;
    }
    const std::vector<std::string> lines = TextLines(s);
    EXPECT_FALSE(s.workingNote.empty());
    EXPECT_NE(std::ranges::find(lines, s.workingNote), lines.end());
    if (row.inFigure.empty()) continue;
    const Figure f = FigureOf(*s.ordinates, U'.', 1650, 220, test::NinePoint);
    EXPECT_TRUE(std::ranges::any_of(f.labels, [&](const Label& l) { return l.text == row.inFigure; }));
  }
}

// The figure's shapes and texts stay inside it, for sensible inputs and for wild ones.
TEST(SheetFigure, EverythingInsideTheFigure) {
  for (const auto& [J, B, W] : {std::tuple{6.0f, 5.5f, 4.4f},
                                {6.0f, 8.0f, -1.0f},
                                {-6.0f, 5.5f, 4.4f},
                                {6.0f, 1000.0f, -1000.0f},
                                {0.001f, 6.4f, -1234.5f}}) {
    const auto y = ComputeOrdinates(J, B, W);
    ASSERT_TRUE(y);
    const Figure f = FigureOf(*y, U'.', 1650, 220, test::NinePoint);
    for (const Shape& s : f.shapes) {
      for (const Point& p : s.points) {
        EXPECT_TRUE(p.x >= 0 && p.x <= f.width && p.y >= 0 && p.y <= f.height) << J << " " << B << " " << W;
      }
    }
    for (const Label& l : f.labels) EXPECT_TRUE(l.box.x >= 0 && l.box.right() <= f.width && l.box.bottom() <= f.height);
    EXPECT_EQ(f.note.empty(), std::ranges::none_of(y->beyondSupport, std::identity()));
  }
}

}  // namespace
}  // namespace kelvaro::sheet
