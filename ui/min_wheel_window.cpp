#include "min_wheel_window.h"

#include "form_builder.h"
#include "working.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kelvaro::ui {

MinWheelWindow::MinWheelWindow() : CalculatorWindow(u"吊车最小轮压计算", 3345, 3240, u":/icons/min_wheel_window.svg") {
  FormBuilder ui(this);
  // name                      container  left  top  width height  caption / default text  TabIndex
  Frame1 = ui.frame("Frame1", this, {120, 120, 3135, 3015}, u"吊车最小轮压计算", 0);
  QWidget* const F = Frame1;
  Label19 = ui.label("Label19", F, {120, 360, 1215, 255}, u"吊车最大轮压", 9);
  Label1 = ui.label("Label1", F, {1320, 360, 495, 255}, u"Pmax:", 22);
  Text1 = ui.textBox("Text1", F, {1800, 360, 855, 270}, u"", 7);
  Label16 = ui.label("Label16", F, {2760, 360, 255, 255}, u"Kn", 16);
  Label17 = ui.label("Label17", F, {120, 720, 1335, 255}, u"吊 车 总 重 量", 15);
  Label3 = ui.label("Label3", F, {1560, 720, 255, 255}, u"G:", 21);
  Text2 = ui.textBox("Text2", F, {1800, 720, 855, 270}, u"", 6);
  Label18 = ui.label("Label18", F, {2760, 720, 255, 255}, u"t", 14);
  Label20 = ui.label("Label20", F, {120, 1080, 1335, 255}, u"吊车额定起重量", 13);
  Label4 = ui.label("Label4", F, {1560, 1080, 135, 255}, u"Q:", 20);
  Text3 = ui.textBox("Text3", F, {1800, 1080, 855, 270}, u"", 5);
  Label21 = ui.label("Label21", F, {2760, 1080, 255, 255}, u"t", 12);
  Label5 = ui.label("Label5", F, {120, 1560, 1215, 255}, u"每 端 轮 数", 19);
  Label14 = ui.label("Label14", F, {1560, 1560, 255, 255}, u"N:", 17);
  Text4 = ui.textBox("Text4", F, {1800, 1560, 855, 270}, u"2", 4);
  Label22 = ui.label("Label22", F, {2760, 1560, 255, 255}, u"个", 11);
  Label24 = ui.label("Label24", F, {120, 2160, 1095, 255}, u"吊车最小轮压", 8);
  Label6 = ui.label("Label6", F, {1320, 2160, 495, 255}, u"Pmin:", 18);
  Text9 = ui.textBox("Text9", F, {1800, 2160, 855, 270}, u"", 1);
  Label23 = ui.label("Label23", F, {2760, 2160, 255, 255}, u"Kn", 10);
  Command1 = ui.button("Command1", F, {720, 2520, 855, 300}, u"计算", 3);
  Command2 = ui.button("Command2", F, {1560, 2520, 735, 300}, u"清空", 2);
  Command3 = ui.button("Command3", F, {2280, 2520, 735, 300}, u"退出", 23);
  ui.applyTabOrder();

  declareInputs({{Text1, Label19, Label1, Label16, Input::Pmax},
                 {Text2, Label17, Label3, Label18, Input::G},
                 {Text3, Label20, Label4, Label21, Input::Q},
                 {Text4, Label5, Label14, Label22, Input::N}},
                /*checkOrder*/ {Text1, Text2, Text3, Text4},
                /*clearList*/ {Text1, Text2, Text3, Text4, Text9});
  declareResultBox(Text9, Label24, Label6, Label23);
  declareButtons(Command1, Command2, Command3);
  declareResults("MinWheelPressure", {{Text9, "Pmin"}});
}

Outcome MinWheelWindow::run(FieldTexts& in) {
  const auto pressure =
      ComputeMinWheelPressure({.Pmax = in(Text1), .G = in(Text2), .Q = in(Text3), .N = in(Text4)}, separator());
  if (!pressure) return std::unexpected(pressure.error());
  working_ = *pressure;
  return std::vector<ResultText>{{pressure->Pmin, HowReached(*pressure, separator())[0]}};
}

CalculationSheet MinWheelWindow::sheet() const { return SheetOf(*working_, windowTitle(), sheetInputs(), separator()); }

}  // namespace kelvaro::ui
