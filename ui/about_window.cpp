#include "about_window.h"

#include "form_builder.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

namespace kelvaro::ui {

AboutWindow::AboutWindow() : FormWindow(u"关于Kelvaro", 4680, 3090, u":/icons/about_window.svg") {
  FormBuilder ui(this);
  QWidget* const Form = this;
  // One text broken at fixed places, even inside a word: each label holds exactly its piece.
  // name                      container  left  top   width height  caption                                   TabIndex
  Label7 = ui.label("Label7", Form, {840, 120, 3015, 375}, u"Kelvaro", 6);
  Label1 = ui.label("Label1", Form, {120, 600, 4575, 255}, u"本程序为Kelvaro的程序，同时可以", 0);
  Label2 = ui.label("Label2", Form, {120, 960, 4455, 255}, u"计算最小轮压和吊车横向水平刹车力。各个程序之间彼", 1);
  Label8 = ui.label("Label8", Form, {120, 1320, 4335, 255}, u"此独立存在，在运算时互不影响，因此，允许多个程序", 8);
  Label3 = ui.label("Label3", Form, {120, 1680, 4455, 255}, u"同时运行。", 2);
  Label4 = ui.label("Label4", Form, {2160, 2040, 1695, 255}, u"开发者：Kelvaro 开发组", 3);
  Label5 = ui.label("Label5", Form, {2160, 2280, 1695, 255}, u"版本：2007-06-28", 4);
  Label6 = ui.label("Label6", Form, {2160, 2520, 1575, 255}, u"QQ：—", 5);
  Command1 = ui.button("Command1", Form, {3600, 2640, 975, 300}, u"OK", 7);
  ui.applyTabOrder();

  // The title's Kai face goes by different names on different systems; the first one installed is taken.
  QFont title;
  title.setFamilies({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi_GB2312"), QStringLiteral("楷体"),
                     QStringLiteral("KaiTi"), QStringLiteral("STKaiti"), QStringLiteral("AR PL UKai CN"),
                     QStringLiteral("AR PL KaitiM GB")});
  title.setPointSizeF(14.25);
  title.setWeight(QFont::Bold);
  title.setItalic(false);
  title.setUnderline(false);
  Label7->setFont(title);

  closes(Command1);
}

}  // namespace kelvaro::ui
