// The toolkit's floor for the main window: a bare Qt Widgets program that shows the main window's controls, of
// the same kinds, with the same captions and rectangles, in the same font and style, and its diagram drawn by
// Qt's SVG renderer. The controls come from the main window's own design table (bench/MainWindowTable.cmake);
// nothing of Kelvaro's runs: no window icon, no frame style, no context menus, no names for screen readers, no
// wiring to the calculations. What Kelvaro takes beyond this program is what Kelvaro adds.
#include "look.h"
#include "main_window_table.h"

#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QSvgRenderer>

namespace {

using kelvaro::bench::FloorControl;
using kelvaro::bench::FloorKind;
using kelvaro::bench::MainWindowControls;
using kelvaro::bench::MainWindowForm;

int Pixels(int twips) { return (twips + 7) / 15; }

// Qt's SVG renderer, drawing the artwork at its own size on white.
class Picture : public QWidget {
 public:
  Picture(const QString& resource, QWidget* parent) : QWidget(parent), renderer_(resource) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    renderer_.render(&painter, QRectF(QPointF(0, 0), QSizeF(renderer_.defaultSize())));
  }

 private:
  QSvgRenderer renderer_;
};

QWidget* Create(const FloorControl& c, QWidget* parent) {
  const QString text = QString::fromUtf16(c.text);
  switch (c.kind) {
    case FloorKind::label:
      return new QLabel(text, parent);
    case FloorKind::resultLabel:
      return new QLabel(QStringLiteral(" "), parent);
    case FloorKind::textBox:
      return new QLineEdit(text, parent);
    case FloorKind::button:
      return new QPushButton(text, parent);
    case FloorKind::frame:
      return new QGroupBox(text, parent);
    case FloorKind::picture:
      return new Picture(text, parent);
  }
  return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setFont(kelvaro::ui::ProgramFont());
  QWidget window;
  window.setWindowTitle(QString::fromUtf16(MainWindowForm.caption));
  window.setFixedSize(Pixels(MainWindowForm.widthTwips), Pixels(MainWindowForm.heightTwips));
  QHash<QString, QWidget*> containers{{QString(), &window}};
  for (const FloorControl& c : MainWindowControls) {
    QWidget* control = Create(c, containers.value(QString::fromLatin1(c.container), &window));
    control->setGeometry(Pixels(c.at.left), Pixels(c.at.top), Pixels(c.at.width), Pixels(c.at.height));
    containers.insert(QString::fromLatin1(c.name), control);
  }
  window.show();
  return app.exec();
}
