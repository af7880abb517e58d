#include "horizontal_load_window.h"

#include "form_builder.h"
#include "working.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kelvaro::ui {

HorizontalLoadWindow::HorizontalLoadWindow()
    : CalculatorWindow(u"吊车横向水平刹车力", 7230, 2805, u":/icons/horizontal_load_window.svg") {
  FormBuilder ui(this);
  // name                      container  left  top  width height  caption / default text  TabIndex
  Frame2 = ui.frame("Frame2", this, {120, 120, 6975, 2535}, u"吊车横向水平刹车力", 0);
  QWidget* const F = Frame2;
  Command3 = ui.button("Command3", F, {240, 240, 975, 255}, u"系数", 8);
  Label15 = ui.label("Label15", F, {1320, 240, 375, 255}, u"αH:", 17);
  Text5 = ui.textBox("Text5", F, {1680, 240, 855, 270}, u"0.12", 7);
  Command1 = ui.button("Command1", F, {3120, 240, 1215, 255}, u"折减系数", 35);
  Label4 = ui.label("Label4", F, {4440, 240, 255, 255}, u"Z:", 36);
  Text3 = ui.textBox("Text3", F, {4680, 240, 735, 270}, u"0.9", 37);
  Label6 = ui.label("Label6", F, {240, 600, 975, 255}, u"小  车  重", 25);
  Label7 = ui.label("Label7", F, {1320, 600, 255, 255}, u"G1：", 26);
  Text1 = ui.textBox("Text1", F, {1680, 600, 855, 270}, u"", 27);
  Label17 = ui.label("Label17", F, {2640, 600, 255, 255}, u"t", 31);
  Label5 = ui.label("Label5", F, {3120, 600, 1335, 255}, u"所有吊车轮总数", 38);
  Label19 = ui.label("Label19", F, {4440, 600, 255, 255}, u"N:", 39);
  Text4 = ui.textBox("Text4", F, {4680, 600, 735, 270}, u"4", 40);
  Label20 = ui.label("Label20", F, {5520, 600, 255, 255}, u"个", 41);
  Label14 = ui.label("Label14", F, {240, 960, 1335, 255}, u"吊车额定起重量", 28);
  Label16 = ui.label("Label16", F, {1560, 960, 255, 255}, u"Q：", 29);
  Text2 = ui.textBox("Text2", F, {1800, 960, 735, 270}, u"", 30);
  Label18 = ui.label("Label18", F, {2640, 960, 255, 255}, u"t", 32);
  Label3 = ui.label("Label3", F, {3000, 1080, 1815, 255}, u"正反两个方向的刹车力", 34);
  Label11 = ui.label("Label11", F, {5040, 1080, 255, 255}, u"H1:", 20);
  Label13 = ui.resultLabel("Label13", F, {5400, 1080, 855, 255}, 18);
  Label32 = ui.label("Label32", F, {6360, 1100, 255, 255}, u"Kn", 9);
  Label25 = ui.label("Label25", F, {240, 1320, 855, 255}, u"柱    距", 16);
  Label2 = ui.label("Label2", F, {1320, 1320, 255, 255}, u"J:", 24);
  Text6 = ui.textBox("Text6", F, {1680, 1320, 855, 270}, u"6", 6);
  Label26 = ui.label("Label26", F, {2640, 1320, 255, 255}, u"米", 15);
  Label1 = ui.label("Label1", F, {3000, 1440, 2055, 255}, u"每台吊车的横向水平荷载", 33);
  Label10 = ui.label("Label10", F, {5160, 1440, 255, 255}, u"H:", 21);
  Label12 = ui.resultLabel("Label12", F, {5400, 1440, 855, 255}, 19);
  Label31 = ui.label("Label31", F, {6360, 1460, 255, 255}, u"Kn", 10);
  Label27 = ui.label("Label27", F, {240, 1680, 855, 255}, u"吊车宽度", 14);
  Label8 = ui.label("Label8", F, {1320, 1680, 255, 255}, u"B:", 23);
  Text7 = ui.textBox("Text7", F, {1680, 1680, 855, 270}, u"", 5);
  Label29 = ui.label("Label29", F, {2640, 1680, 255, 255}, u"米", 12);
  Label28 = ui.label("Label28", F, {240, 2040, 735, 255}, u"大车轮距", 13);
  Label9 = ui.label("Label9", F, {1320, 2040, 255, 255}, u"W:", 22);
  Text8 = ui.textBox("Text8", F, {1680, 2040, 855, 270}, u"", 4);
  Label30 = ui.label("Label30", F, {2640, 2040, 255, 255}, u"米", 11);
  Command4 = ui.button("Command4", F, {3960, 2040, 855, 300}, u"计算", 3);
  Command5 = ui.button("Command5", F, {4800, 2040, 855, 300}, u"清空", 2);
  Command6 = ui.button("Command6", F, {5640, 2040, 855, 300}, u"退出", 1);
  ui.applyTabOrder();

  Label12->setAccessibleDescription(QStringLiteral("H，单位 Kn"));
  Label13->setAccessibleDescription(QStringLiteral("H1，单位 Kn"));
  declareInputs({{Text5, nullptr, Label15, nullptr, Input::AlphaH},
                 {Text3, nullptr, Label4, nullptr, Input::Z},
                 {Text1, Label6, Label7, Label17, Input::G1},
                 {Text4, Label5, Label19, Label20, Input::N},
                 {Text2, Label14, Label16, Label18, Input::Q},
                 {Text6, Label25, Label2, Label26, Input::J},
                 {Text7, Label27, Label8, Label29, Input::B},
                 {Text8, Label28, Label9, Label30, Input::W}},
                /*checkOrder*/ {Text5, Text6, Text7, Text8, Text1, Text2, Text3, Text4},
                /*clearList*/ {Text5, Text6, Text7, Text8, Text1, Text2, Text3, Text4});
  declareButtons(Command4, Command5, Command6);
  declareResults("HorizontalLoads", {{Label12, "H"}, {Label13, "H1"}});
  opens(Command3, WindowKind::Form6);
  opens(Command1, WindowKind::Form2);
}

Outcome HorizontalLoadWindow::run(FieldTexts& in) {
  const auto loads = ComputeHorizontalLoads({.G1 = in(Text1),
                                             .Q = in(Text2),
                                             .AlphaH = in(Text5),
                                             .Z = in(Text3),
                                             .N = in(Text4),
                                             .J = in(Text6),
                                             .B = in(Text7),
                                             .W = in(Text8)},
                                            separator());
  if (!loads) return std::unexpected(loads.error());
  working_ = *loads;
  const auto notes = HowReached(*loads, separator());
  return std::vector<ResultText>{{loads->H, notes[0]}, {loads->H1, notes[1]}};
}

CalculationSheet HorizontalLoadWindow::sheet() const {
  return SheetOf(*working_, windowTitle(), sheetInputs(), separator());
}

}  // namespace kelvaro::ui
