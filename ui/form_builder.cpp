#include "form_builder.h"

#include "picture_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace kelvaro::ui {

QRect ToPixels(const Twips& r) {
  return QRect(TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width), TwipsToPixels(r.height));
}

template <class W>
W* FormBuilder::place(W* control, const char* name, const Twips& at, int tabIndex) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(ToPixels(at));
  control->setProperty(TwipsProperty, QRect(at.left, at.top, at.width, at.height));
  control->setProperty(TabIndexProperty, tabIndex);
  controls_.emplace_back(tabIndex, control);
  return control;
}

QLabel* FormBuilder::label(const char* name, QWidget* in, const Twips& at, QStringView caption, int tabIndex) {
  auto* l = new QLabel(caption.toString(), in);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setTextFormat(Qt::PlainText);
  place(l, name, at, tabIndex);
  // A few short captions ("Z:", "Dmax:") are narrower in the table than in any legible font; they grow to the
  // right, into the free space before the next control, rather than lose their last character. (One line's
  // advance is all a caption needs; sizeHint would lay every label out as a text block, a slower start.)
  const int advance = l->fontMetrics().horizontalAdvance(l->text());
  if (advance > l->width()) l->resize(advance, l->height());
  return l;
}

QLabel* FormBuilder::resultLabel(const char* name, QWidget* in, const Twips& at, int tabIndex) {
  QLabel* l = label(name, in, at, u" ", tabIndex);
  l->setFrameStyle(QFrame::Box | QFrame::Plain);
  l->setLineWidth(1);
  l->setAutoFillBackground(true);
  QPalette palette = l->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  l->setPalette(palette);
  // Copying through a context menu keeps the keyboard focus where it is.
  auto* copy = new QAction(QStringLiteral("复制"), l);
  QObject::connect(copy, &QAction::triggered, l, [l] { QApplication::clipboard()->setText(l->text().trimmed()); });
  l->addAction(copy);
  l->setContextMenuPolicy(Qt::ActionsContextMenu);
  return l;
}

QLineEdit* FormBuilder::textBox(const char* name, QWidget* in, const Twips& at, QStringView text, int tabIndex) {
  auto* e = new QLineEdit(text.toString(), in);
  return place(e, name, at, tabIndex);
}

QPushButton* FormBuilder::button(const char* name, QWidget* in, const Twips& at, QStringView caption, int tabIndex) {
  auto* b = new QPushButton(caption.toString(), in);
  // Enter on a focused button presses it, as on the desktops the users come from.
  b->setAutoDefault(true);
  return place(b, name, at, tabIndex);
}

QGroupBox* FormBuilder::frame(const char* name, QWidget* in, const Twips& at, QStringView caption, int tabIndex) {
  auto* f = new QGroupBox(caption.toString(), in);
  f->setFocusPolicy(Qt::NoFocus);
  // The caption sits on the border line, so the frame's inside starts where its controls are placed.
  f->setStyleSheet(
      QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 8px; }"
                     "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
  return place(f, name, at, tabIndex);
}

PictureBox* FormBuilder::picture(const char* name, QWidget* in, const Twips& at, QStringView svgResource,
                                 int tabIndex) {
  return place(new PictureBox(svgResource.toString(), in), name, at, tabIndex);
}

void FormBuilder::applyTabOrder() {
  std::stable_sort(controls_.begin(), controls_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  QWidget* previous = nullptr;
  for (const auto& [index, control] : controls_) {
    if (control->focusPolicy() == Qt::NoFocus) continue;
    if (previous) {
      QWidget::setTabOrder(previous, control);
    } else {
      control->setFocus();
    }
    previous = control;
  }
}

}  // namespace kelvaro::ui
