#include "coefficient_table_window.h"

#include "form_builder.h"
#include "picture_box.h"

namespace kelvaro::ui {

CoefficientTableWindow::CoefficientTableWindow()
    : FormWindow(u"折减系数", 5685, 2415, u":/icons/coefficient_table_window.svg") {
  FormBuilder ui(this);
  QWidget* const Form = this;
  // name                        container  left top  width height  picture                  TabIndex
  Picture1 = ui.picture("Picture1", Form, {0, 0, 5655, 2415}, u":/coefficient_table.svg", 0);
  ui.applyTabOrder();

  // A screen reader cannot read the picture: it reads the table instead.
  Picture1->setAccessibleName(QStringLiteral("表4-2 多台吊车竖向和水平荷载折减系数"));
  Picture1->setAccessibleDescription(
      QStringLiteral("按参与组合的吊车台数和吊车工作级别取值。"
                     "2台：A1~A5 为 0.9，A6~A8 为 0.95；"
                     "3台：A1~A5 为 0.85，A6~A8 为 0.90；"
                     "4台：A1~A5 为 0.8，A6~A8 为 0.85。"));
}

}  // namespace kelvaro::ui
