#include "main_window.h"

#include "form_builder.h"
#include "picture_box.h"
#include "working.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kelvaro::ui {

MainWindow::MainWindow() : CalculatorWindow(u"吊车Dmax和Dmin计算", 5790, 5430, u":/icons/main_window.svg") {
  FormBuilder ui(this);
  QWidget* const Form = this;
  // name                        container  left  top   width height  caption / default text    TabIndex
  Picture1 = ui.picture("Picture1", Form, {120, 120, 5535, 2535}, u":/influence_diagram.svg", 0);
  Frame2 = ui.frame("Frame2", Form, {120, 2760, 5535, 2535}, u"Dmax和Dmin计算", 1);
  QWidget* const F = Frame2;
  Command3 = ui.button("Command3", F, {120, 240, 975, 255}, u"折减系数", 2);
  Label15 = ui.label("Label15", F, {1200, 240, 135, 255}, u"Z:", 17);
  Text5 = ui.textBox("Text5", F, {1440, 240, 855, 270}, u"0.9", 3);
  Label10 = ui.label("Label10", F, {3240, 240, 495, 255}, u"Dmax:", 10);
  Label12 = ui.resultLabel("Label12", F, {3840, 240, 855, 255}, 12);
  Label31 = ui.label("Label31", F, {4800, 240, 255, 255}, u"Kn", 24);
  Label11 = ui.label("Label11", F, {3240, 600, 495, 255}, u"Dmin:", 11);
  Label13 = ui.resultLabel("Label13", F, {3840, 600, 855, 255}, 13);
  Label32 = ui.label("Label32", F, {4800, 600, 255, 255}, u"Kn", 25);
  Label25 = ui.label("Label25", F, {240, 720, 855, 255}, u"柱    距", 18);
  Label2 = ui.label("Label2", F, {1200, 720, 255, 255}, u"J:", 4);
  Text6 = ui.textBox("Text6", F, {1440, 720, 855, 270}, u"6", 5);
  Label26 = ui.label("Label26", F, {2280, 720, 255, 255}, u"米", 19);
  Label27 = ui.label("Label27", F, {240, 1080, 855, 255}, u"吊车宽度", 20);
  Label8 = ui.label("Label8", F, {1200, 1080, 255, 255}, u"B:", 6);
  Text7 = ui.textBox("Text7", F, {1440, 1080, 855, 270}, u"", 8);
  Label29 = ui.label("Label29", F, {2280, 1080, 255, 255}, u"米", 22);
  Command2 = ui.button("Command2", F, {3360, 1320, 1935, 300}, u"吊车横向水平刹车力", 34);
  Label28 = ui.label("Label28", F, {240, 1440, 735, 255}, u"大车轮距", 21);
  Label9 = ui.label("Label9", F, {1200, 1440, 255, 255}, u"W:", 7);
  Text8 = ui.textBox("Text8", F, {1440, 1440, 855, 270}, u"", 9);
  Label30 = ui.label("Label30", F, {2280, 1440, 255, 255}, u"米", 23);
  Command1 = ui.button("Command1", F, {3600, 1680, 1695, 300}, u"关于本程序", 33);
  Label1 = ui.label("Label1", F, {960, 1800, 495, 255}, u"Pmax:", 27);
  Text9 = ui.textBox("Text9", F, {1440, 1800, 855, 270}, u"", 28);
  Label4 = ui.label("Label4", F, {2400, 1800, 255, 255}, u"Kn", 31);
  Label3 = ui.label("Label3", F, {960, 2160, 495, 255}, u"Pmin:", 30);
  Text10 = ui.textBox("Text10", F, {1440, 2160, 855, 270}, u"", 29);
  Label5 = ui.label("Label5", F, {2400, 2160, 255, 255}, u"Kn", 32);
  Command4 = ui.button("Command4", F, {2760, 2160, 855, 300}, u"计算", 14);
  Command5 = ui.button("Command5", F, {3600, 2160, 855, 300}, u"清空", 15);
  Command6 = ui.button("Command6", F, {4440, 2160, 855, 300}, u"退出", 16);
  // Belongs to the window, not the frame, yet lies over the frame: it must be drawn in front of it.
  Command7 = ui.button("Command7", Form, {3480, 3720, 1935, 300}, u"吊车最小轮压计算", 26);
  Command7->raise();
  ui.applyTabOrder();

  Picture1->setAccessibleName(QStringLiteral("吊车轮压位置及吊车梁支承反力影响线"));
  Label12->setAccessibleDescription(QStringLiteral("Dmax，单位 Kn"));
  Label13->setAccessibleDescription(QStringLiteral("Dmin，单位 Kn"));

  declareInputs({{Text5, nullptr, Label15, nullptr, Input::Z},
                 {Text6, Label25, Label2, Label26, Input::J},
                 {Text7, Label27, Label8, Label29, Input::B},
                 {Text8, Label28, Label9, Label30, Input::W},
                 {Text9, nullptr, Label1, Label4, Input::Pmax},
                 {Text10, nullptr, Label3, Label5, Input::Pmin}},
                /*checkOrder*/ {Text5, Text6, Text7, Text8, Text9, Text10},
                /*clearList*/ {Text5, Text6, Text7, Text8, Text9, Text10});
  declareButtons(Command4, Command5, Command6);
  declareResults("VerticalLoads", {{Label12, "Dmax"}, {Label13, "Dmin"}});
  opens(Command3, WindowKind::Form2);
  opens(Command7, WindowKind::Form3);
  opens(Command2, WindowKind::Form5);
  opens(Command1, WindowKind::Form4);
}

Outcome MainWindow::run(FieldTexts& in) {
  const auto loads = ComputeVerticalLoads(
      {.Z = in(Text5), .J = in(Text6), .B = in(Text7), .W = in(Text8), .Pmax = in(Text9), .Pmin = in(Text10)},
      separator());
  if (!loads) return std::unexpected(loads.error());
  working_ = *loads;
  const auto notes = HowReached(*loads, separator());
  return std::vector<ResultText>{{loads->Dmax, notes[0]}, {loads->Dmin, notes[1]}};
}

CalculationSheet MainWindow::sheet() const { return SheetOf(*working_, windowTitle(), sheetInputs(), separator()); }

}  // namespace kelvaro::ui
