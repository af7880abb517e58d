#include "main_window.h"

#include "form_builder.h"
#include "picture_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kelvaro::ui {

MainWindow::MainWindow()
    : CalculatorWindow(QStringLiteral("吊车Dmax和Dmin计算"), 5790, 5430, ":/icons/main_window.svg") {
  FormBuilder ui(this);
  QWidget* const W = this;
  // name                        container  left  top   width height  caption / default text    TabIndex
  Picture1 = ui.picture("Picture1", W, {120, 120, 5535, 2535}, ":/influence_diagram.svg", 0);
  Frame2 = ui.frame("Frame2", W, {120, 2760, 5535, 2535}, "Dmax和Dmin计算", 1);
  QWidget* const F = Frame2;
  Command3 = ui.button("Command3", F, {120, 240, 975, 255}, "折减系数", 2);
  Label15 = ui.label("Label15", F, {1200, 240, 135, 255}, "Z:", 17);
  Text5 = ui.textBox("Text5", F, {1440, 240, 855, 270}, "0.9", 3);
  Label10 = ui.label("Label10", F, {3240, 240, 495, 255}, "Dmax:", 10);
  Label12 = ui.resultLabel("Label12", F, {3840, 240, 855, 255}, 12);
  Label31 = ui.label("Label31", F, {4800, 240, 255, 255}, "Kn", 24);
  Label11 = ui.label("Label11", F, {3240, 600, 495, 255}, "Dmin:", 11);
  Label13 = ui.resultLabel("Label13", F, {3840, 600, 855, 255}, 13);
  Label32 = ui.label("Label32", F, {4800, 600, 255, 255}, "Kn", 25);
  Label25 = ui.label("Label25", F, {240, 720, 855, 255}, "柱    距", 18);
  Label2 = ui.label("Label2", F, {1200, 720, 255, 255}, "J:", 4);
  Text6 = ui.textBox("Text6", F, {1440, 720, 855, 270}, "6", 5);
  Label26 = ui.label("Label26", F, {2280, 720, 255, 255}, "米", 19);
  Label27 = ui.label("Label27", F, {240, 1080, 855, 255}, "吊车宽度", 20);
  Label8 = ui.label("Label8", F, {1200, 1080, 255, 255}, "B:", 6);
  Text7 = ui.textBox("Text7", F, {1440, 1080, 855, 270}, "", 8);
  Label29 = ui.label("Label29", F, {2280, 1080, 255, 255}, "米", 22);
  Command2 = ui.button("Command2", F, {3360, 1320, 1935, 300}, "吊车横向水平刹车力", 34);
  Label28 = ui.label("Label28", F, {240, 1440, 735, 255}, "大车轮距", 21);
  Label9 = ui.label("Label9", F, {1200, 1440, 255, 255}, "W:", 7);
  Text8 = ui.textBox("Text8", F, {1440, 1440, 855, 270}, "", 9);
  Label30 = ui.label("Label30", F, {2280, 1440, 255, 255}, "米", 23);
  Command1 = ui.button("Command1", F, {3600, 1680, 1695, 300}, "关于本程序", 33);
  Label1 = ui.label("Label1", F, {960, 1800, 495, 255}, "Pmax:", 27);
  Text9 = ui.textBox("Text9", F, {1440, 1800, 855, 270}, "", 28);
  Label4 = ui.label("Label4", F, {2400, 1800, 255, 255}, "Kn", 31);
  Label3 = ui.label("Label3", F, {960, 2160, 495, 255}, "Pmin:", 30);
  Text10 = ui.textBox("Text10", F, {1440, 2160, 855, 270}, "", 29);
  Label5 = ui.label("Label5", F, {2400, 2160, 255, 255}, "Kn", 32);
  Command4 = ui.button("Command4", F, {2760, 2160, 855, 300}, "计算", 14);
  Command5 = ui.button("Command5", F, {3600, 2160, 855, 300}, "清空", 15);
  Command6 = ui.button("Command6", F, {4440, 2160, 855, 300}, "退出", 16);
  // Belongs to the window, not the frame, yet lies over the frame: it must be drawn in front of it.
  Command7 = ui.button("Command7", W, {3480, 3720, 1935, 300}, "吊车最小轮压计算", 26);
  Command7->raise();
  ui.applyTabOrder();

  Picture1->setAccessibleName("吊车轮压位置及吊车梁支承反力影响线");
  Label12->setAccessibleDescription("Dmax，单位 Kn");
  Label13->setAccessibleDescription("Dmin，单位 Kn");

  declareInputs({{Text5, nullptr, Label15, nullptr},
                 {Text6, Label25, Label2, Label26},
                 {Text7, Label27, Label8, Label29},
                 {Text8, Label28, Label9, Label30},
                 {Text9, nullptr, Label1, Label4},
                 {Text10, nullptr, Label3, Label5}},
                /*checkOrder*/ {Text5, Text6, Text7, Text8, Text9, Text10},
                /*clearList*/ {Text5, Text6, Text7, Text8, Text9, Text10});
  declareButtons(Command4, Command5, Command6);
  opens(Command3, WindowKind::Form2);
  opens(Command7, WindowKind::Form3);
  opens(Command2, WindowKind::Form5);
  opens(Command1, WindowKind::Form4);
}

Outcome MainWindow::run(FieldReader& in) {
  const float Pmax = in.single(Text9), Pmin = in.single(Text10), Z = in.single(Text5), J = in.single(Text6),
              B = in.single(Text7), W = in.single(Text8);
  if (in.failure()) return std::unexpected(*in.failure());

  const auto loads = ComputeVerticalLoads(Z, J, B, W, Pmax, Pmin);
  // Only J divides: J = 0 is to blame for a division by zero, and for zero divided by zero as well.
  if (!loads)
    return std::unexpected(J == 0 ? CalculationFailure{FailureKind::DivisionByZero, Text6}
                                  : CalculationFailure{loads.error().kind, nullptr});

  const auto y = ComputeOrdinates(J, B, W);
  const QString ordinates =
      QStringLiteral("Y1 = %1，Y2 = %2，Y3 = %3，Y4 = %4\nSumY = %5，Z = %6")
          .arg(format(y->Y1), format(y->Y2), format(y->Y3), format(y->Y4), format(y->SumY), format(Z));
  return std::vector<ResultText>{
      {Label12, loads->Dmax, QStringLiteral("Dmax = (SumY × Z) × Pmax\n%1，Pmax = %2").arg(ordinates, format(Pmax))},
      {Label13, loads->Dmin, QStringLiteral("Dmin = (SumY × Z) × Pmin\n%1，Pmin = %2").arg(ordinates, format(Pmin))},
  };
}

}  // namespace kelvaro::ui
