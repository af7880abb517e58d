#include "horizontal_load_window.h"
#include "main_window.h"
#include "min_wheel_window.h"
#include "window_test_support.h"
#include "window_slots.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

using kelvaro::app::WindowSlots;
using kelvaro::ui::MainWindow;
using kelvaro::ui::WindowKind;
namespace t = kelvaro::test;

class WindowSlotsTest : public QObject {
  Q_OBJECT

  static void closeAndDestroy(QWidget* w) {
    QPointer<QWidget> guard = w;
    QVERIFY(w->close());
    QTRY_VERIFY(guard.isNull());
  }

private slots:
  void initTestCase() { t::SetUpWindowTests(); }
  void init() { QApplication::setQuitOnLastWindowClosed(false); }

  void showingTwiceGivesOneWindowWithItsTextsAsTheyAre() {
    WindowSlots slotsUnderTest;
    auto* first = qobject_cast<MainWindow*>(slotsUnderTest.show(WindowKind::Form1));
    QVERIFY(first);
    first->Text7->setText("5.5");
    QCOMPARE(slotsUnderTest.show(WindowKind::Form1), first);
    QCOMPARE(first->Text7->text(), QStringLiteral("5.5"));
    QCOMPARE(QApplication::topLevelWidgets().count(first), 1);
    closeAndDestroy(first);
  }

  void aWindowShownAgainAfterClosingHasItsDefaultTexts() {
    WindowSlots slotsUnderTest;
    auto* first = qobject_cast<MainWindow*>(slotsUnderTest.show(WindowKind::Form1));
    first->Text5->setText("0.85");
    first->Label12->setText("195");
    QVERIFY(first->close());
    // Closed but not yet destroyed: the slot is already empty.
    QCOMPARE(slotsUnderTest.window(WindowKind::Form1), nullptr);
    auto* second = qobject_cast<MainWindow*>(slotsUnderTest.show(WindowKind::Form1));
    QVERIFY(second && second != first);
    QCOMPARE(second->Text5->text(), QStringLiteral("0.9"));
    QCOMPARE(second->Label12->text(), QStringLiteral(" "));
    closeAndDestroy(second);
  }

  void windowsAreTopLevelWithoutOwner() {
    WindowSlots slotsUnderTest;
    QWidget* w = slotsUnderTest.show(WindowKind::Form1);
    QVERIFY(w->isWindow());
    QCOMPARE(w->parentWidget(), nullptr);
    QCOMPARE(w->windowModality(), Qt::NonModal);
    closeAndDestroy(w);
  }

  void buttonsOpenOneWindowOfEachKind_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("吊车最小轮压计算") << "Command7" << WindowKind::Form3;
    QTest::newRow("吊车横向水平刹车力") << "Command2" << WindowKind::Form5;
  }
  void buttonsOpenOneWindowOfEachKind() {
    QFETCH(QString, button);
    QFETCH(WindowKind, kind);
    WindowSlots slotsUnderTest;
    QWidget* main = slotsUnderTest.show(WindowKind::Form1);
    auto* b = main->findChild<QPushButton*>(button);
    b->click();
    QWidget* opened = slotsUnderTest.window(kind);
    QVERIFY(opened && opened->isVisible());
    QVERIFY(opened->isWindow() && !opened->parentWidget());
    b->click();
    QCOMPARE(slotsUnderTest.window(kind), opened);
    QCOMPARE(QApplication::topLevelWidgets().count(opened), 1);
    closeAndDestroy(opened);
    closeAndDestroy(main);
  }

  void closingTheMainWindowLeavesTheOthersRunning() {
    QApplication::setQuitOnLastWindowClosed(true);
    WindowSlots slotsUnderTest;
    auto* main = qobject_cast<MainWindow*>(slotsUnderTest.show(WindowKind::Form1));
    bool stillRunning = false;
    QVERIFY(t::RunsUntilTheProgramEnds([&] {
      main->Command7->click();
      main->Command6->click();
      QTimer::singleShot(200, qApp, [&] {
        auto* form3 = qobject_cast<kelvaro::ui::MinWheelWindow*>(slotsUnderTest.window(WindowKind::Form3));
        stillRunning = form3 && !slotsUnderTest.window(WindowKind::Form1);
        if (form3) form3->Command3->click();
      });
    }));
    QVERIFY(stillRunning);
  }

  void theProgramEndsWhenTheLastWindowCloses() {
    QApplication::setQuitOnLastWindowClosed(true);
    WindowSlots slotsUnderTest;
    auto* main = qobject_cast<MainWindow*>(slotsUnderTest.show(WindowKind::Form1));
    QVERIFY(t::RunsUntilTheProgramEnds([main] { main->Command6->click(); }));
  }
};

QTEST_MAIN(WindowSlotsTest)
#include "window_slots_test.moc"
