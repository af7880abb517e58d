// Everything a mouse does can be done with Tab, Space and Enter: fields filled, every button pressed.
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
  W* show(FormId kind) {
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
    for (const FormId kind : t::AllFormIds()) {
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
    auto* w = show<CalculatorWindow>(FormId::VerticalLoads);
    QVERIFY(w);
    QVERIFY(typeInto(w, t::Child<QLineEdit>(w, "Text7"), "5.5"));
    QVERIFY(typeInto(w, t::Child<QLineEdit>(w, "Text8"), "4.4"));
    QVERIFY(typeInto(w, t::Child<QLineEdit>(w, "Text9"), "100"));
    QVERIFY(typeInto(w, t::Child<QLineEdit>(w, "Text10"), "30"));
    QVERIFY(press(w, t::Child<QPushButton>(w, "Command4")));
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral("195"));
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), QStringLiteral("58.5"));
    QVERIFY(press(w, t::Child<QPushButton>(w, "Command5")));
    QCOMPARE(t::Child<QLineEdit>(w, "Text9")->text(), QString());
    // Enter in a field calculates.
    QVERIFY(typeInto(w, t::Child<QLineEdit>(w, "Text5"), "1"));
    QTest::keyClick(t::Child<QLineEdit>(w, "Text5"), Qt::Key_Return);
    QVERIFY(!t::TakeMessage(w).isEmpty());  // the cleared fields are empty
  }

  void mainWindowOpensEveryWindowByKeyboard_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<FormId>("kind");
    QTest::newRow("折减系数") << "Command3" << FormId::CoefficientTable;
    QTest::newRow("吊车最小轮压计算") << "Command7" << FormId::MinWheelPressure;
    QTest::newRow("吊车横向水平刹车力") << "Command2" << FormId::HorizontalLoads;
    QTest::newRow("关于本程序") << "Command1" << FormId::About;
  }
  void mainWindowOpensEveryWindowByKeyboard() {
    QFETCH(QString, button);
    QFETCH(FormId, kind);
    auto* w = show<CalculatorWindow>(FormId::VerticalLoads);
    QVERIFY(w);
    QVERIFY(press(w, w->findChild<QPushButton*>(button)));
    QVERIFY(windows->window(kind));
  }

  void calculatorsByKeyboard() {
    auto* p = show<CalculatorWindow>(FormId::MinWheelPressure);
    QVERIFY(p);
    QVERIFY(typeInto(p, t::Child<QLineEdit>(p, "Text1"), "100"));
    QVERIFY(typeInto(p, t::Child<QLineEdit>(p, "Text2"), "20"));
    QVERIFY(typeInto(p, t::Child<QLineEdit>(p, "Text3"), "10"));
    QVERIFY(press(p, t::Child<QPushButton>(p, "Command1")));
    QCOMPARE(t::Child<QLineEdit>(p, "Text9")->text(), QStringLiteral("47.15"));
    QVERIFY(press(p, t::Child<QPushButton>(p, "Command2")));
    QCOMPARE(t::Child<QLineEdit>(p, "Text9")->text(), QString());
    QVERIFY(press(p, t::Child<QPushButton>(p, "Command3")));
    QVERIFY(!windows->window(FormId::MinWheelPressure));

    auto* h = show<CalculatorWindow>(FormId::HorizontalLoads);
    QVERIFY(h);
    QVERIFY(typeInto(h, t::Child<QLineEdit>(h, "Text1"), "3.5"));
    QVERIFY(typeInto(h, t::Child<QLineEdit>(h, "Text2"), "10"));
    QVERIFY(typeInto(h, t::Child<QLineEdit>(h, "Text7"), "5.5"));
    QVERIFY(typeInto(h, t::Child<QLineEdit>(h, "Text8"), "4.4"));
    QTest::keyClick(t::Child<QLineEdit>(h, "Text8"), Qt::Key_Enter);  // the keypad's Enter as well
    QCOMPARE(t::Child<QLabel>(h, "Label13")->text(), QStringLiteral("7.747447"));
    QVERIFY(press(h, t::Child<QPushButton>(h, "Command3")));
    QVERIFY(windows->window(FormId::AlphaCoefficient));
    QVERIFY(QTest::qWaitForWindowActive(h));
    h->activateWindow();
    QVERIFY(press(h, t::Child<QPushButton>(h, "Command1")));
    QVERIFY(windows->window(FormId::CoefficientTable));
    QVERIFY(press(h, t::Child<QPushButton>(h, "Command6")));
    QVERIFY(!windows->window(FormId::HorizontalLoads));
  }

  void enterOnAFocusedButtonPressesIt_data() {
    QTest::addColumn<FormId>("kind");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<FormId>("shows");  // the window the press shows; the window itself when it closes
    QTest::newRow("main window: 折减系数, Return")
        << FormId::VerticalLoads << "Command3" << int(Qt::Key_Return) << FormId::CoefficientTable;
    QTest::newRow("main window: 退出, keypad Enter")
        << FormId::VerticalLoads << "Command6" << int(Qt::Key_Enter) << FormId::VerticalLoads;
    QTest::newRow("wheel pressure: 退出")
        << FormId::MinWheelPressure << "Command3" << int(Qt::Key_Return) << FormId::MinWheelPressure;
    QTest::newRow("about: OK") << FormId::About << "Command1" << int(Qt::Key_Return) << FormId::About;
    QTest::newRow("horizontal load: 系数, keypad Enter")
        << FormId::HorizontalLoads << "Command3" << int(Qt::Key_Enter) << FormId::AlphaCoefficient;
    QTest::newRow("αH note: *明白了*") << FormId::AlphaCoefficient << "Command1" << int(Qt::Key_Return)
                                       << FormId::AlphaCoefficient;
  }
  void enterOnAFocusedButtonPressesIt() {
    QFETCH(FormId, kind);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(FormId, shows);
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
    auto* w = show<CalculatorWindow>(FormId::VerticalLoads);
    QVERIFY(w);
    t::Fill({t::Child<QLineEdit>(w, "Text7"), t::Child<QLineEdit>(w, "Text8"), t::Child<QLineEdit>(w, "Text9"),
             t::Child<QLineEdit>(w, "Text10")},
            {"5.5", "4.4", "100", "30"});
    QVERIFY(tabTo(w, t::Child<QPushButton>(w, "Command4")));
    QTest::keyClick(t::Child<QPushButton>(w, "Command4"), Qt::Key_Return);
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral("195"));
  }

  void referenceWindowsCloseByKeyboard() {
    auto* note = show<FormWindow>(FormId::AlphaCoefficient);
    QVERIFY(note);
    QVERIFY(press(note, t::Child<QPushButton>(note, "Command1")));
    QVERIFY(!windows->window(FormId::AlphaCoefficient));
    auto* about = show<FormWindow>(FormId::About);
    QVERIFY(about);
    QVERIFY(press(about, t::Child<QPushButton>(about, "Command1")));
    QVERIFY(!windows->window(FormId::About));
  }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
