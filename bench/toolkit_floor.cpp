// The toolkit's floor for the start-up benchmark: a Qt Widgets program that only shows a window of the main
// window's size. With --text it also shows one line of Chinese in the same 9-point CJK font as Kelvaro, the
// least that any window with Chinese captions pays for text (font configuration, font file, shaping).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(386, 362);
  window.setWindowTitle(QStringLiteral("floor"));
  if (app.arguments().contains(QStringLiteral("--text"))) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPointSize(9);
    QApplication::setFont(font);
    auto* label = new QLabel(QStringLiteral("吊车Dmax和Dmin计算"), &window);
    label->move(8, 8);
  }
  window.show();
  return app.exec();
}
