// Shared by the window tests: the program's look, the window's own failure message read and dismissed, and the
// helpers that find a window's controls by name and read a window the way its design table is written.
#pragma once

#include "calculator_window.h"
#include "form_builder.h"
#include "look.h"
#include "picture_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace kelvaro::test {

using forms::FormId;

// The offscreen platform cannot raise windows or pass on size hints, and says so. Qt's font loader also says
// when no installed font can shape a script that needs OpenType (Devanagari, Tamil, Sinhala ... typed or pasted
// into a field): the text shows as empty boxes, which is all a number field owes it. Nothing else may warn.
inline QtMessageHandler& QtTestHandler() {
  static QtMessageHandler handler = nullptr;
  return handler;
}
inline void IgnoreOffscreenLimits(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  if (message.trimmed().startsWith(QLatin1String("OpenType support missing for"))) return;
  QtTestHandler()(type, context, message);
}

/// Call from initTestCase(): the same font and style as the program.
inline void SetUpWindowTests() {
  if (!QtTestHandler()) QtTestHandler() = qInstallMessageHandler(IgnoreOffscreenLimits);
  ui::ApplyLook(*qobject_cast<QApplication*>(QCoreApplication::instance()));
}

/// A window owned by the test (not destroyed by closing), shown as the slots would show it.
template <class Window = ui::FormWindow>
std::unique_ptr<Window> Open(FormId id) {
  std::unique_ptr<Window> w(qobject_cast<Window*>(ui::MakeWindow(id)));
  if (!w) qFatal("form %d does not make that kind of window", static_cast<int>(id));
  w->setAttribute(Qt::WA_DeleteOnClose, false);
  w->show();
  return w;
}

/// The control of a window named `name` ("Text5"); a name the window lacks ends the test program, loudly.
template <class T, class Window>
T* Child(const Window& window, std::string_view name) {
  T* control = std::to_address(window)->template findChild<T*>(
      QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  if (!control) qFatal("no %s named %.*s", T::staticMetaObject.className(), static_cast<int>(name.size()), name.data());
  return control;
}

/// The message the window shows for a failure, dismissed; empty when it shows none.
inline QString TakeMessage(const QWidget* window) {
  QCoreApplication::processEvents();
  for (QMessageBox* box : window->findChildren<QMessageBox*>()) {
    if (!box->isVisible()) continue;
    const QString text = box->text();
    box->done(QMessageBox::Ok);
    return text;
  }
  return {};
}
template <class Window>
QString TakeMessage(const Window& window) {
  return TakeMessage(static_cast<const QWidget*>(std::to_address(window)));
}

/// Every form, in FormId order.
inline QList<FormId> AllFormIds() {
  QList<FormId> ids;
  for (const forms::Form* form : forms::AllForms()) ids << form->id;
  return ids;
}

/// A fixed-size window with its caption, a close box and neither minimize nor maximize button.
inline void VerifyWindowFrame(const QWidget* window, const char* caption, QSize clientSize) {
  QCOMPARE(window->windowTitle(), QString::fromUtf8(caption));
  QCOMPARE(window->minimumSize(), clientSize);
  QCOMPARE(window->maximumSize(), clientSize);
  QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
  QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
}

inline QStringList Texts(const QList<QLineEdit*>& fields) {
  QStringList out;
  for (const QLineEdit* f : fields) out << f->text();
  return out;
}

inline void Fill(const QList<QLineEdit*>& fields, const QStringList& texts) {
  for (qsizetype i = 0; i < texts.size(); ++i) fields[i]->setText(texts[i]);
}

/// The caption a control shows: a label's text or a button's.
inline QString CaptionOf(const QWidget* control) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  return {};
}

/// Each control shows exactly its caption, and shows it whole in the window's font.
inline void VerifyCaptions(const std::vector<std::pair<QWidget*, const char*>>& rows) {
  for (const auto& [control, caption] : rows) {
    const QString text = CaptionOf(control);
    QCOMPARE(text, QString::fromUtf8(caption));
    QVERIFY2(control->fontMetrics().horizontalAdvance(text) <= control->width(), caption);
  }
}

/// One control of a design table: its container ("" for the window) and its rectangle in twips.
struct ControlRow {
  const char* name;
  const char* container;
  ui::Twips at;
};

/// Every control sits where the table puts it. A caption label may be wider than the table says (it grows
/// to show its whole caption), never narrower.
inline void VerifyGeometry(const QWidget* window, const std::vector<ControlRow>& table) {
  for (const ControlRow& row : table) {
    const auto* control = window->findChild<const QWidget*>(QString::fromLatin1(row.name));
    QVERIFY2(control, row.name);
    const QString container = control->parentWidget() == window ? QString() : control->parentWidget()->objectName();
    QCOMPARE(container, QString::fromLatin1(row.container));
    const QRect want = ui::ToPixels(row.at);
    QVERIFY2(control->pos() == want.topLeft(), row.name);
    QVERIFY2(control->height() == want.height(), row.name);
    if (control->inherits("QLabel")) {
      QVERIFY2(control->width() >= want.width(), row.name);
    } else {
      QVERIFY2(control->width() == want.width(), row.name);
    }
  }
}

/// Runs the event loop as the program does, with a script started from inside it; true when the program
/// ended by itself (the last window closed) before the timeout.
inline bool RunsUntilTheProgramEnds(const std::function<void()>& script, int timeoutMs = 10000) {
  bool timedOut = false;
  QTimer::singleShot(0, qApp, script);
  QTimer::singleShot(timeoutMs, qApp, [&timedOut] {
    timedOut = true;
    QCoreApplication::quit();
  });
  QApplication::exec();
  return !timedOut;
}

/// The object names of the controls that Tab visits, starting at the window's first focus.
inline QStringList TabOrder(QWidget* window) {
  QStringList names;
  QWidget* first = window->focusWidget();
  if (!first) return names;
  QWidget* w = first;
  do {
    if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(window) && w->isEnabled()) names << w->objectName();
    w = w->nextInFocusChain();
  } while (w != first && names.size() < 100);
  return names;
}

/// The whole caption is drawn in the control's font, and inside the window's client area.
inline bool CaptionFits(const QWidget* window, const QWidget* control) {
  const int advance = control->fontMetrics().horizontalAdvance(CaptionOf(control));
  return advance <= control->width() && control->mapTo(window, QPoint(advance, 0)).x() <= window->width();
}

}  // namespace kelvaro::test

// The names every window test uses.
using kelvaro::forms::FormId;
using kelvaro::ui::CalculatorWindow;
using kelvaro::ui::FormWindow;
using kelvaro::ui::MakeWindow;
using kelvaro::ui::PictureBox;
