#include "form_builder.h"

#include "form_window.h"
#include "picture_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <limits>

namespace kelvaro::ui {
namespace {

// A frame whose caption sits on its border line, so that its inside starts where its controls are placed.
// Painted here rather than by a style sheet: a style sheet sends the frame and every control inside it
// through Qt's style-sheet style, which cost more before the first frame than anything else the window adds.
// The strokes are those that style draws for a 1-pixel border, so the frame looks the same at every scale.
class Frame : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    constexpr int BorderTop = 8, TitleLeft = 6, TitlePadding = 2;
    QPainter p(this);
    // The caption's box is as wide as the caption and one space, the text centred in it.
    const QFontMetrics metrics = fontMetrics();
    const int captionWidth =
        std::max(metrics.horizontalAdvance(title()), metrics.size(Qt::TextShowMnemonic, title() + u' ').width());
    const QRect caption(TitleLeft + TitlePadding, 0, captionWidth, metrics.height());
    p.save();
    if (!title().isEmpty()) p.setClipRegion(QRegion(rect()) - caption.adjusted(-TitlePadding, 0, TitlePadding, 0));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().brush(QPalette::Mid));
    // Four 1-pixel edges, bottom, right, left, top, each filled whole: at fractional scales the corners are
    // covered twice, as the style sheet draws them.
    const QRectF b(rect().adjusted(0, BorderTop, 0, 0));
    p.drawRect(QRectF(b.x(), b.y() + b.height() - 1, b.width(), 1));
    p.drawRect(QRectF(b.x() + b.width() - 1, b.y(), 1, b.height()));
    p.drawRect(QRectF(b.x(), b.y(), 1, b.height()));
    p.drawRect(QRectF(b.x(), b.y(), b.width(), 1));
    p.restore();
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this)) flags |= Qt::TextHideMnemonic;
    style()->drawItemText(&p, caption, flags, palette(), isEnabled(), title(), QPalette::WindowText);
  }
};

// The description's texts are UTF-8; object names are ASCII.
QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QRect ToPixels(const Twips& r) {
  return QRect(TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width), TwipsToPixels(r.height));
}

template <class W>
W* FormBuilder::place(W* control, std::string_view name, const Twips& at) {
  control->setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  control->setGeometry(ToPixels(at));
  return control;
}

QWidget* FormBuilder::control(const forms::Control& row, QWidget* in) {
  const QString text = FromUtf8(row.text);
  switch (row.kind) {
    case forms::Kind::Label:
      return label(row.name, in, row.at, text);
    case forms::Kind::ResultLabel:
      return resultLabel(row.name, in, row.at);
    case forms::Kind::TextBox:
      return textBox(row.name, in, row.at, text);
    case forms::Kind::Button:
      return button(row.name, in, row.at, text);
    case forms::Kind::Frame:
      return frame(row.name, in, row.at, text);
    case forms::Kind::Picture:
      return picture(row.name, in, row.at, QStringLiteral(":/") + text);
  }
  return nullptr;
}

QLabel* FormBuilder::label(std::string_view name, QWidget* in, const Twips& at, QStringView caption) {
  auto* l = new QLabel(caption.toString(), in);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setTextFormat(Qt::PlainText);
  place(l, name, at);
  // Measuring needs the font's engines for every script in the caption; a window does it once it is mapped.
  if (auto* form = qobject_cast<FormWindow*>(window_)) {
    form->fitWhenShown(l);
  } else {
    FitCaption(l);
  }
  return l;
}

void FitCaption(QLabel* label) {
  // One line's advance is all a caption needs; sizeHint would lay the label out as a text block, slower.
  const int advance = label->fontMetrics().horizontalAdvance(label->text());
  if (advance > label->width()) label->resize(advance, label->height());
}

QLabel* FormBuilder::resultLabel(std::string_view name, QWidget* in, const Twips& at) {
  QLabel* l = label(name, in, at, u" ");
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

QLineEdit* FormBuilder::textBox(std::string_view name, QWidget* in, const Twips& at, QStringView text) {
  auto* box = new QLineEdit(in);
  // The toolkit keeps 32767 characters and drops the rest of a paste without a word, which can read as another
  // number ("1.000…e5" without its exponent): a text is kept whole, and read or refused whole.
  box->setMaxLength(std::numeric_limits<int>::max());
  box->setText(text.toString());
  return place(box, name, at);
}

QPushButton* FormBuilder::button(std::string_view name, QWidget* in, const Twips& at, QStringView caption) {
  auto* b = new QPushButton(caption.toString(), in);
  // Enter on a focused button presses it, as on the desktops the users come from.
  b->setAutoDefault(true);
  return place(b, name, at);
}

QGroupBox* FormBuilder::frame(std::string_view name, QWidget* in, const Twips& at, QStringView caption) {
  QGroupBox* f = new Frame(caption.toString(), in);
  f->setFocusPolicy(Qt::NoFocus);
  return place(f, name, at);
}

PictureBox* FormBuilder::picture(std::string_view name, QWidget* in, const Twips& at, QStringView svgResource) {
  return place(new PictureBox(svgResource.toString(), in), name, at);
}

}  // namespace kelvaro::ui
