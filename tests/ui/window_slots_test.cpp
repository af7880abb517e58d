#include "main_window.h"
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

  void theProgramEndsWhenTheLastWindowCloses() {
    QApplication::setQuitOnLastWindowClosed(true);
    WindowSlots slotsUnderTest;
    auto* main = qobject_cast<MainWindow*>(slotsUnderTest.show(WindowKind::Form1));
    QVERIFY(t::RunsUntilTheProgramEnds([main] { main->Command6->click(); }));
  }
};

QTEST_MAIN(WindowSlotsTest)
#include "window_slots_test.moc"
