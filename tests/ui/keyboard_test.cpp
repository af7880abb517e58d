// Everything a mouse does can be done with Tab, Space and Enter: fields filled, every button pressed.
#include "about_window.h"
#include "alpha_coefficient_window.h"
#include "horizontal_load_window.h"
#include "main_window.h"
#include "min_wheel_window.h"
#include "window_slots.h"
#include "window_test_support.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

using kelvaro::app::WindowSlots;
using namespace kelvaro::ui;
namespace t = kelvaro::test;

class KeyboardTest : public QObject {
  Q_OBJECT

  WindowSlots* windows = nullptr;

  template <class W>
  W* show(WindowKind kind) {
    auto* w = qobject_cast<W*>(windows->show(kind));
    if (w && !QTest::qWaitForWindowActive(w)) return nullptr;
    return w;
  }
  // Tabs from wherever the focus is until it reaches the target; false when it never does.
  static bool tabTo(QWidget* window, QWidget* target) {
    for (int i = 0; i < 60 && window->focusWidget() != target; ++i) QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    return window->focusWidget() == target;
  }
  static bool typeInto(QWidget* window, QLineEdit* field, const QString& text) {
    if (!tabTo(window, field)) return false;
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    return field->text() == text;
  }
  static bool press(QWidget* window, QPushButton* button) {
    if (!tabTo(window, button)) return false;
    QTest::keyClick(button, Qt::Key_Space);
    return true;
  }
  void closeAll() {
    for (const WindowKind kind : AllWindowKinds) {
      if (QWidget* w = windows->window(kind)) w->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

 private slots:
  void initTestCase() {
    t::SetUpWindowTests();
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void init() { windows = new WindowSlots; }
  void cleanup() {
    closeAll();
    delete windows;
  }

  void mainWindowByKeyboard() {
    auto* w = show<MainWindow>(WindowKind::Form1);
    QVERIFY(w);
    QVERIFY(typeInto(w, w->Text7, "5.5"));
    QVERIFY(typeInto(w, w->Text8, "4.4"));
    QVERIFY(typeInto(w, w->Text9, "100"));
    QVERIFY(typeInto(w, w->Text10, "30"));
    QVERIFY(press(w, w->Command4));
    QCOMPARE(w->Label12->text(), QStringLiteral("195"));
    QCOMPARE(w->Label13->text(), QStringLiteral("58.5"));
    QVERIFY(press(w, w->Command5));
    QCOMPARE(w->Text9->text(), QString());
    // Enter in a field calculates.
    QVERIFY(typeInto(w, w->Text5, "1"));
    QTest::keyClick(w->Text5, Qt::Key_Return);
    QCOMPARE(t::RecordedFailures().size(), 1);  // the cleared fields are empty
    t::RecordedFailures().clear();
  }

  void mainWindowOpensEveryWindowByKeyboard_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("折减系数") << "Command3" << WindowKind::Form2;
    QTest::newRow("吊车最小轮压计算") << "Command7" << WindowKind::Form3;
    QTest::newRow("吊车横向水平刹车力") << "Command2" << WindowKind::Form5;
    QTest::newRow("关于本程序") << "Command1" << WindowKind::Form4;
  }
  void mainWindowOpensEveryWindowByKeyboard() {
    QFETCH(QString, button);
    QFETCH(WindowKind, kind);
    auto* w = show<MainWindow>(WindowKind::Form1);
    QVERIFY(w);
    QVERIFY(press(w, w->findChild<QPushButton*>(button)));
    QVERIFY(windows->window(kind));
  }

  void calculatorsByKeyboard() {
    auto* p = show<MinWheelWindow>(WindowKind::Form3);
    QVERIFY(p);
    QVERIFY(typeInto(p, p->Text1, "100"));
    QVERIFY(typeInto(p, p->Text2, "20"));
    QVERIFY(typeInto(p, p->Text3, "10"));
    QVERIFY(press(p, p->Command1));
    QCOMPARE(p->Text9->text(), QStringLiteral("47.15"));
    QVERIFY(press(p, p->Command2));
    QCOMPARE(p->Text9->text(), QString());
    QVERIFY(press(p, p->Command3));
    QVERIFY(!windows->window(WindowKind::Form3));

    auto* h = show<HorizontalLoadWindow>(WindowKind::Form5);
    QVERIFY(h);
    QVERIFY(typeInto(h, h->Text1, "3.5"));
    QVERIFY(typeInto(h, h->Text2, "10"));
    QVERIFY(typeInto(h, h->Text7, "5.5"));
    QVERIFY(typeInto(h, h->Text8, "4.4"));
    QTest::keyClick(h->Text8, Qt::Key_Enter);  // the keypad's Enter as well
    QCOMPARE(h->Label13->text(), QStringLiteral("7.747447"));
    QVERIFY(press(h, h->Command3));
    QVERIFY(windows->window(WindowKind::Form6));
    QVERIFY(QTest::qWaitForWindowActive(h));
    h->activateWindow();
    QVERIFY(press(h, h->Command1));
    QVERIFY(windows->window(WindowKind::Form2));
    QVERIFY(press(h, h->Command6));
    QVERIFY(!windows->window(WindowKind::Form5));
  }

  void enterOnAFocusedButtonPressesIt_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<WindowKind>("shows");  // the window the press shows; the window itself when it closes
    QTest::newRow("main window: 折减系数, Return")
        << WindowKind::Form1 << "Command3" << int(Qt::Key_Return) << WindowKind::Form2;
    QTest::newRow("main window: 退出, keypad Enter")
        << WindowKind::Form1 << "Command6" << int(Qt::Key_Enter) << WindowKind::Form1;
    QTest::newRow("wheel pressure: 退出")
        << WindowKind::Form3 << "Command3" << int(Qt::Key_Return) << WindowKind::Form3;
    QTest::newRow("about: OK") << WindowKind::Form4 << "Command1" << int(Qt::Key_Return) << WindowKind::Form4;
    QTest::newRow("horizontal load: 系数, keypad Enter")
        << WindowKind::Form5 << "Command3" << int(Qt::Key_Enter) << WindowKind::Form6;
    QTest::newRow("αH note: *明白了*") << WindowKind::Form6 << "Command1" << int(Qt::Key_Return) << WindowKind::Form6;
  }
  void enterOnAFocusedButtonPressesIt() {
    QFETCH(WindowKind, kind);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(WindowKind, shows);
    QWidget* w = show<QWidget>(kind);
    QVERIFY(w);
    auto* b = w->findChild<QPushButton*>(button);
    QVERIFY(tabTo(w, b));
    QTest::keyClick(b, Qt::Key(key));
    if (shows == kind) {
      QVERIFY(!windows->window(kind));
    } else {
      QVERIFY(windows->window(shows));
    }
  }

  void enterOnCalculateCalculates() {
    auto* w = show<MainWindow>(WindowKind::Form1);
    QVERIFY(w);
    t::Fill({w->Text7, w->Text8, w->Text9, w->Text10}, {"5.5", "4.4", "100", "30"});
    QVERIFY(tabTo(w, w->Command4));
    QTest::keyClick(w->Command4, Qt::Key_Return);
    QCOMPARE(w->Label12->text(), QStringLiteral("195"));
  }

  void referenceWindowsCloseByKeyboard() {
    auto* note = show<AlphaCoefficientWindow>(WindowKind::Form6);
    QVERIFY(note);
    QVERIFY(press(note, note->Command1));
    QVERIFY(!windows->window(WindowKind::Form6));
    auto* about = show<AboutWindow>(WindowKind::Form4);
    QVERIFY(about);
    QVERIFY(press(about, about->Command1));
    QVERIFY(!windows->window(WindowKind::Form4));
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
