#include "alpha_coefficient_window.h"

#include "form_builder.h"

#include <QLabel>
#include <QPushButton>

namespace kelvaro::ui {

AlphaCoefficientWindow::AlphaCoefficientWindow()
    : FormWindow(u"αH系数", 4560, 2445, u":/icons/alpha_coefficient_window.svg") {
  FormBuilder ui(this);
  QWidget* const Form = this;
  // name                      container  left  top   width height  caption                                   TabIndex
  Label1 = ui.label("Label1", Form, {240, 240, 4095, 255}, u"αH——系数", 0);
  Label5 = ui.label("Label5", Form, {240, 600, 4335, 255}, u"对软钩吊车：当额定起重量不大于10t时，应取0.12；", 4);
  Label2 = ui.label("Label2", Form, {1320, 960, 2895, 255}, u"当额定起重量为16-50t，应取0.10；", 1);
  Label3 = ui.label("Label3", Form, {1320, 1320, 3255, 255}, u"当额定起重量不小于75t时，应取0.08。", 2);
  Label4 = ui.label("Label4", Form, {240, 1680, 2535, 255}, u"对硬钩吊车：应取0.20；", 3);
  Command1 = ui.button("Command1", Form, {3240, 2040, 1095, 300}, u"*明白了*", 5);
  ui.applyTabOrder();

  closes(Command1);
}

}  // namespace kelvaro::ui
