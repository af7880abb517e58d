#include "window_slots.h"
#include "horizontal_load_window.h"
#include "main_window.h"
#include "window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

using kelvaro::app::WindowSlots;
using kelvaro::ui::HorizontalLoadWindow;
using kelvaro::ui::MainWindow;
using kelvaro::ui::WindowKind;
namespace t = kelvaro::test;

Q_DECLARE_METATYPE(kelvaro::ui::WindowKind)

class WindowSlotsTest : public QObject {
  Q_OBJECT

  static void closeAndDestroy(QWidget* w) {
    QPointer<QWidget> guard = w;
    QVERIFY(w->close());
    QTRY_VERIFY(guard.isNull());
  }

  // What a window shows: caption, and per control its name, text, place and font.
  static QStringList contents(const QWidget* w) {
    QStringList out{w->windowTitle()};
    for (const QWidget* c : w->findChildren<QWidget*>()) {
      const auto* edit = qobject_cast<const QLineEdit*>(c);
      const QRect g = c->geometry();
      out << QStringLiteral("%1 \"%2\" %3,%4 %5x%6 %7")
                 .arg(c->objectName(), edit ? edit->text() : t::CaptionOf(c))
                 .arg(g.x())
                 .arg(g.y())
                 .arg(g.width())
                 .arg(g.height())
                 .arg(c->font().toString());
    }
    return out;
  }
  static void scribbleOver(QWidget* w) {
    for (QWidget* c : w->findChildren<QWidget*>()) {
      if (auto* label = qobject_cast<QLabel*>(c)) label->setText("改");
      if (auto* button = qobject_cast<QAbstractButton*>(c)) button->setText("改");
      if (auto* edit = qobject_cast<QLineEdit*>(c)) edit->setText("改");
      c->move(c->pos() + QPoint(3, 3));
      c->setFont(QFont("Serif", 20));
    }
  }
  static QList<WindowKind> allKinds() {
    return {kelvaro::ui::AllWindowKinds.begin(), kelvaro::ui::AllWindowKinds.end()};
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

  void everyWindowShownAgainHasItsDefaultContents_data() {
    QTest::addColumn<WindowKind>("kind");
    const char* names[] = {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6"};
    for (WindowKind kind : allKinds()) QTest::newRow(names[static_cast<int>(kind)]) << kind;
  }
  void everyWindowShownAgainHasItsDefaultContents() {
    QFETCH(WindowKind, kind);
    WindowSlots slotsUnderTest;
    QWidget* first = slotsUnderTest.show(kind);
    if (!first) QSKIP("this kind of window is not built on this branch");
    const QStringList fresh = contents(first);
    scribbleOver(first);
    QVERIFY(contents(first) != fresh);
    QVERIFY(first->close());
    QWidget* second = slotsUnderTest.show(kind);
    QVERIFY(second && second != first);
    QCOMPARE(contents(second), fresh);
    closeAndDestroy(second);
  }

  void everyWindowIconRendersAt32By32_data() { everyWindowShownAgainHasItsDefaultContents_data(); }
  void everyWindowIconRendersAt32By32() {
    QFETCH(WindowKind, kind);
    WindowSlots slotsUnderTest;
    QWidget* w = slotsUnderTest.show(kind);
    if (!w) QSKIP("this kind of window is not built on this branch");
    // Without Qt's SVG icon plugin, or with a resource missing, the pixmap would be null or blank.
    const QImage icon = w->windowIcon().pixmap(32, 32).toImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    QVERIFY(icon.hasAlphaChannel());
    int drawn = 0, clear = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) (qAlpha(icon.pixel(x, y)) > 0 ? drawn : clear)++;
    }
    QVERIFY2(drawn > 32, qPrintable(QString::number(drawn)));
    QVERIFY2(clear > 32, qPrintable(QString::number(clear)));  // a transparent background around the picture
    closeAndDestroy(w);
  }

  void theMainWindowsButtonsOpenOneWindowEach_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::newRow("折减系数 opens the coefficient table") << "Command3" << WindowKind::Form2 << "折减系数";
    QTest::newRow("关于本程序 opens the About window") << "Command1" << WindowKind::Form4 << "关于Kelvaro";
    QTest::newRow("吊车最小轮压计算 opens its calculator") << "Command7" << WindowKind::Form3 << "吊车最小轮压计算";
    QTest::newRow("吊车横向水平刹车力 opens its calculator") << "Command2" << WindowKind::Form5 << "吊车横向水平刹车力";
  }
  void theMainWindowsButtonsOpenOneWindowEach() {
    QFETCH(QString, button);
    QFETCH(WindowKind, kind);
    QFETCH(QString, caption);
    WindowSlots slotsUnderTest;
    QWidget* main = slotsUnderTest.show(WindowKind::Form1);
    auto* opener = main->findChild<QPushButton*>(button);
    QTest::mouseClick(opener, Qt::LeftButton);
    QWidget* opened = slotsUnderTest.window(kind);
    QVERIFY(opened);
    QCOMPARE(opened->windowTitle(), caption);
    QVERIFY(opened->isWindow());
    QCOMPARE(opened->parentWidget(), nullptr);  // no owner: either may lie in front of the other
    // Pressing again brings the same window forward instead of making a second one.
    QTest::mouseClick(opener, Qt::LeftButton);
    QCOMPARE(slotsUnderTest.window(kind), opened);
    const auto open = QApplication::topLevelWidgets();
    const auto shown =
        std::ranges::count_if(open, [&](const QWidget* w) { return w->isVisible() && w->windowTitle() == caption; });
    QCOMPARE(shown, qsizetype(1));
    closeAndDestroy(opened);
    closeAndDestroy(main);
  }

  void closingTheMainWindowLeavesTheOtherWindowRunning_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("closer");  // the button that closes it, or none for the close box
    QTest::newRow("coefficient table, closed by its close box") << "Command3" << WindowKind::Form2 << "";
    QTest::newRow("About window, closed by OK") << "Command1" << WindowKind::Form4 << "Command1";
    QTest::newRow("minimum wheel pressure, closed by 退出") << "Command7" << WindowKind::Form3 << "Command3";
    QTest::newRow("horizontal loads, closed by 退出") << "Command2" << WindowKind::Form5 << "Command6";
  }
  void closingTheMainWindowLeavesTheOtherWindowRunning() {
    QFETCH(QString, opener);
    QFETCH(WindowKind, kind);
    QFETCH(QString, closer);
    QApplication::setQuitOnLastWindowClosed(true);
    WindowSlots slotsUnderTest;
    auto* main = qobject_cast<MainWindow*>(slotsUnderTest.show(WindowKind::Form1));
    bool stillOpenAfterExit = false;
    QVERIFY(t::RunsUntilTheProgramEnds([&] {
      main->findChild<QPushButton*>(opener)->click();
      QWidget* reference = slotsUnderTest.window(kind);
      main->Command6->click();
      QTimer::singleShot(50, qApp, [&slotsUnderTest, reference, kind, closer, &stillOpenAfterExit] {
        stillOpenAfterExit = slotsUnderTest.window(kind) == reference && reference->isVisible();
        if (closer.isEmpty()) {
          reference->close();
        } else {
          reference->findChild<QPushButton*>(closer)->click();
        }
      });
    }));
    QVERIFY(stillOpenAfterExit);
  }

  void theCoefficientTableIsSharedByBothWindowsThatOpenIt() {
    WindowSlots slotsUnderTest;
    auto* main = qobject_cast<MainWindow*>(slotsUnderTest.show(WindowKind::Form1));
    main->Command2->click();
    auto* loads = qobject_cast<HorizontalLoadWindow*>(slotsUnderTest.window(WindowKind::Form5));
    QVERIFY(loads);
    main->Command3->click();
    QWidget* table = slotsUnderTest.window(WindowKind::Form2);
    QVERIFY(table);
    loads->Command1->click();
    QCOMPARE(slotsUnderTest.window(WindowKind::Form2), table);
    loads->Command3->click();
    QWidget* note = slotsUnderTest.window(WindowKind::Form6);
    QVERIFY(note);
    QCOMPARE(note->windowTitle(), QStringLiteral("αH系数"));
    const auto visible = QApplication::topLevelWidgets();
    QCOMPARE(std::ranges::count_if(visible, [](const QWidget* w) { return w->isVisible(); }), qsizetype(4));
    for (QWidget* w : {note, table, static_cast<QWidget*>(loads), static_cast<QWidget*>(main)}) closeAndDestroy(w);
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
