// The toolkit's floor for the main window: a bare Qt Widgets program that shows the main window's controls, of
// the same kinds, with the same captions and rectangles, in the same font and style, and its diagram drawn by
// Qt's SVG renderer. The controls come from the main window's description (forms/), as the window's do;
// nothing of Kelvaro's runs: no window icon, no frame style, no context menus, no names for screen readers, no
// wiring to the calculations. What Kelvaro takes beyond this program is what Kelvaro adds.
#include "form.h"
#include "look.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QSvgRenderer>

#include <string_view>
#include <unordered_map>

namespace {

namespace forms = kelvaro::forms;

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

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

QWidget* Create(const forms::Control& c, QWidget* parent) {
  const QString text = FromUtf8(c.text);
  switch (c.kind) {
    case forms::Kind::Label:
    case forms::Kind::ResultLabel:
      return new QLabel(text, parent);
    case forms::Kind::TextBox:
      return new QLineEdit(text, parent);
    case forms::Kind::Button:
      return new QPushButton(text, parent);
    case forms::Kind::Frame:
      return new QGroupBox(text, parent);
    case forms::Kind::Picture:
      return new Picture(QStringLiteral(":/") + text, parent);
  }
  return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setFont(kelvaro::ui::ProgramFont());
  QWidget window;
  const forms::Form& form = forms::FormOf(forms::FirstForm);
  window.setWindowTitle(FromUtf8(form.caption));
  window.setFixedSize(forms::TwipsToPixels(form.width), forms::TwipsToPixels(form.height));
  std::unordered_map<std::string_view, QWidget*> containers{{std::string_view(), &window}};
  for (const forms::Control& c : form.controls) {
    QWidget* control = Create(c, containers.at(c.in));
    control->setGeometry(forms::TwipsToPixels(c.at.left), forms::TwipsToPixels(c.at.top),
                         forms::TwipsToPixels(c.at.width), forms::TwipsToPixels(c.at.height));
    containers.emplace(c.name, control);
  }
  window.show();
  return app.exec();
}
