// Every window is built from its description and from nothing else: for each form, the desktop window has
// exactly the described controls, each of its kind, in its container, at its place, with its text, names for
// screen readers and tab order, and its buttons do what their roles say.
#include "window_slots.h"
#include "window_test_support.h"

#include <QPointer>
#include <QSignalSpy>

using kelvaro::app::WindowSlots;
using namespace Qt::StringLiterals;
using namespace kelvaro;
namespace t = kelvaro::test;

Q_DECLARE_METATYPE(kelvaro::forms::FormId)

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString Latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// A worked example's text as the user types it, with the locale's separator.
QString Local(std::string_view text) {
  const char32_t separator = ui::SystemDecimalSeparator();
  return FromUtf8(text).replace(u'.', QString::fromUcs4(&separator, 1));
}

bool IsKind(const QWidget* w, forms::Kind kind) {
  const auto* label = qobject_cast<const QLabel*>(w);
  switch (kind) {
    case forms::Kind::Label:
      return label && label->frameShape() == QFrame::NoFrame;
    case forms::Kind::ResultLabel:
      return label && label->frameShape() == QFrame::Box;
    case forms::Kind::TextBox:
      return qobject_cast<const QLineEdit*>(w);
    case forms::Kind::Button:
      return qobject_cast<const QPushButton*>(w);
    case forms::Kind::Frame:
      return qobject_cast<const QGroupBox*>(w);
    case forms::Kind::Picture:
      return qobject_cast<const ui::PictureBox*>(w);
  }
  return false;
}

// The text a control shows as the description gives it: a default text with the locale's separator.
QString TextOf(const QWidget* w) {
  if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (const auto* box = qobject_cast<const QLineEdit*>(w)) {
    const char32_t separator = ui::SystemDecimalSeparator();
    return QString(box->text()).replace(QString::fromUcs4(&separator, 1), u"."_s);
  }
  if (const auto* button = qobject_cast<const QPushButton*>(w)) return button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(w)) return frame->title();
  if (const auto* picture = qobject_cast<const ui::PictureBox*>(w)) return picture->resource().mid(2);  // ":/"
  return {};
}

// The controls a window made itself: named, and not the insides of a toolkit widget or a message box.
QStringList MadeControls(const QWidget* window) {
  QStringList names;
  for (const QWidget* c : window->findChildren<const QWidget*>()) {
    if (c->objectName().isEmpty() || c->objectName().startsWith(u"qt_"_s)) continue;
    if (c->window() != window || c->parentWidget()->inherits("QLineEdit")) continue;
    names << c->objectName();
  }
  names.sort();
  return names;
}

}  // namespace

class WindowDescriptionTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    t::SetUpWindowTests();
    QApplication::setQuitOnLastWindowClosed(false);
  }

  void everyForm_data() {
    QTest::addColumn<FormId>("id");
    for (const forms::Form* form : forms::AllForms()) QTest::newRow(form->objectName.data()) << form->id;
  }

  void windowHasExactlyTheDescribedControls_data() { everyForm_data(); }
  void windowHasExactlyTheDescribedControls() {
    QFETCH(FormId, id);
    const forms::Form& form = forms::FormOf(id);
    const auto w = t::Open(id);
    QCOMPARE(w->objectName(), Latin1(form.objectName));
    t::VerifyWindowFrame(w.get(), std::string(form.caption).c_str(),
                         QSize(forms::TwipsToPixels(form.width), forms::TwipsToPixels(form.height)));
    QVERIFY(!w->windowIcon().pixmap(32, 32).isNull());
    QStringList described;
    for (const forms::Control& c : form.controls) {
      const QString name = Latin1(c.name);
      described << name;
      const auto* control = t::Child<QWidget>(w, c.name);
      QVERIFY2(IsKind(control, c.kind), qPrintable(name));
      QCOMPARE(control->parentWidget()->objectName(), c.in.empty() ? w->objectName() : Latin1(c.in));
      const QRect want = ui::ToPixels(c.at);
      QVERIFY2(control->pos() == want.topLeft() && control->height() == want.height(), qPrintable(name));
      // A caption label grows to show its whole caption, never shrinks.
      QVERIFY2(c.kind == forms::Kind::Label ? control->width() >= want.width() : control->width() == want.width(),
               qPrintable(name));
      QCOMPARE(TextOf(control), FromUtf8(c.text));
      QCOMPARE(control->accessibleName(), QString::fromStdString(forms::AccessibleName(form, c)));
      QCOMPARE(control->accessibleDescription(), QString::fromStdString(forms::AccessibleDescription(form, c)));
      const forms::ControlNote* note = forms::NoteOf(form, c.name);
      if (note && note->raised) QCOMPARE(w->childAt(control->mapTo(w.get(), control->rect().center())), control);
      if (note && note->font) QCOMPARE(control->font().pointSizeF(), note->font->pointSize);
    }
    described.sort();
    QCOMPARE(MadeControls(w.get()), described);

    QStringList tabOrder;
    for (const std::string_view name : forms::TabOrder(form)) tabOrder << Latin1(name);
    QCOMPARE(t::TabOrder(w.get()), tabOrder);
  }

  // A field's symbol leads to its box (Alt+letter, and screen readers' "label for").
  void symbolsAreBuddiesOfTheirFields_data() { everyForm_data(); }
  void symbolsAreBuddiesOfTheirFields() {
    QFETCH(FormId, id);
    const forms::Form& form = forms::FormOf(id);
    if (!form.calculator) QSKIP("computes nothing");
    const auto w = t::Open(id);
    for (const forms::Field& f : form.calculator->fields) {
      QCOMPARE(t::Child<QLabel>(w, f.symbol)->buddy(), t::Child<QLineEdit>(w, f.box));
    }
  }

  void buttonsDoTheirRoles_data() { everyForm_data(); }
  void buttonsDoTheirRoles() {
    QFETCH(FormId, id);
    const forms::Form& form = forms::FormOf(id);
    WindowSlots windows;
    for (const forms::ButtonRole& role : form.buttons) {
      FormWindow* w = windows.show(id);
      auto* button = t::Child<QPushButton>(w, role.button);
      QSignalSpy asked(w, &FormWindow::showWindowRequested);
      switch (role.does) {
        case forms::Does::Open:
          button->click();
          QCOMPARE(asked.count(), 1);
          QCOMPARE(asked.front().front().value<FormId>(), role.opens);
          QVERIFY(windows.window(role.opens));
          break;
        case forms::Does::Close: {
          const QPointer<FormWindow> open = w;
          button->click();
          QVERIFY(!open || !open->isVisible());
          QVERIFY(!windows.window(id));
          break;
        }
        case forms::Does::Calculate:
          // The worked example gives a result in every result field.
          for (const forms::Typed& typed : form.calculator->example)
            t::Child<QLineEdit>(w, typed.box)->setText(Local(typed.text));
          button->click();
          QCOMPARE(t::TakeMessage(w), QString());
          for (const forms::ResultField& r : form.calculator->results)
            QVERIFY(!TextOf(t::Child<QWidget>(w, r.box)).trimmed().isEmpty());
          break;
        case forms::Does::Clear:
          button->click();
          for (const std::string_view box : form.calculator->clearList)
            QCOMPARE(t::Child<QLineEdit>(w, box)->text(), QString());
          break;
      }
      QCOMPARE(asked.count(), role.does == forms::Does::Open ? 1 : 0);
    }
    for (const forms::Form* other : forms::AllForms()) {
      if (QWidget* open = windows.window(other->id)) open->close();
    }
  }
};

QTEST_MAIN(WindowDescriptionTest)
#include "window_description_test.moc"
