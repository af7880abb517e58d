#include "window_slots.h"
#include "window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

using kelvaro::app::WindowSlots;
using kelvaro::forms::FormId;
using kelvaro::ui::CalculatorWindow;
namespace t = kelvaro::test;

Q_DECLARE_METATYPE(kelvaro::forms::FormId)

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
  static QList<FormId> allKinds() { return t::AllFormIds(); }

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }
  void init() { QApplication::setQuitOnLastWindowClosed(false); }

  void showingTwiceGivesOneWindowWithItsTextsAsTheyAre() {
    WindowSlots slotsUnderTest;
    auto* first = qobject_cast<CalculatorWindow*>(slotsUnderTest.show(FormId::VerticalLoads));
    QVERIFY(first);
    t::Child<QLineEdit>(first, "Text7")->setText("5.5");
    QCOMPARE(slotsUnderTest.show(FormId::VerticalLoads), first);
    QCOMPARE(t::Child<QLineEdit>(first, "Text7")->text(), QStringLiteral("5.5"));
    QCOMPARE(QApplication::topLevelWidgets().count(first), 1);
    closeAndDestroy(first);
  }

  void aWindowShownAgainAfterClosingHasItsDefaultTexts() {
    WindowSlots slotsUnderTest;
    auto* first = qobject_cast<CalculatorWindow*>(slotsUnderTest.show(FormId::VerticalLoads));
    t::Child<QLineEdit>(first, "Text5")->setText("0.85");
    t::Child<QLabel>(first, "Label12")->setText("195");
    QVERIFY(first->close());
    // Closed but not yet destroyed: the slot is already empty.
    QCOMPARE(slotsUnderTest.window(FormId::VerticalLoads), nullptr);
    auto* second = qobject_cast<CalculatorWindow*>(slotsUnderTest.show(FormId::VerticalLoads));
    QVERIFY(second && second != first);
    QCOMPARE(t::Child<QLineEdit>(second, "Text5")->text(), QStringLiteral("0.9"));
    QCOMPARE(t::Child<QLabel>(second, "Label12")->text(), QStringLiteral(" "));
    closeAndDestroy(second);
  }

  void windowsAreTopLevelWithoutOwner() {
    WindowSlots slotsUnderTest;
    QWidget* w = slotsUnderTest.show(FormId::VerticalLoads);
    QVERIFY(w->isWindow());
    QCOMPARE(w->parentWidget(), nullptr);
    QCOMPARE(w->windowModality(), Qt::NonModal);
    closeAndDestroy(w);
  }

  void everyWindowShownAgainHasItsDefaultContents_data() {
    QTest::addColumn<FormId>("kind");
    const char* names[] = {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6"};
    for (FormId kind : allKinds()) QTest::newRow(names[static_cast<int>(kind)]) << kind;
  }
  void everyWindowShownAgainHasItsDefaultContents() {
    QFETCH(FormId, kind);
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
    QFETCH(FormId, kind);
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
    QTest::addColumn<FormId>("kind");
    QTest::addColumn<QString>("caption");
    QTest::newRow("折减系数 opens the coefficient table") << "Command3" << FormId::CoefficientTable << "折减系数";
    QTest::newRow("关于本程序 opens the About window") << "Command1" << FormId::About << "关于Kelvaro";
    QTest::newRow("吊车最小轮压计算 opens its calculator")
        << "Command7" << FormId::MinWheelPressure << "吊车最小轮压计算";
    QTest::newRow("吊车横向水平刹车力 opens its calculator")
        << "Command2" << FormId::HorizontalLoads << "吊车横向水平刹车力";
  }
  void theMainWindowsButtonsOpenOneWindowEach() {
    QFETCH(QString, button);
    QFETCH(FormId, kind);
    QFETCH(QString, caption);
    WindowSlots slotsUnderTest;
    QWidget* main = slotsUnderTest.show(FormId::VerticalLoads);
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
    QTest::addColumn<FormId>("kind");
    QTest::addColumn<QString>("closer");  // the button that closes it, or none for the close box
    QTest::newRow("coefficient table, closed by its close box") << "Command3" << FormId::CoefficientTable << "";
    QTest::newRow("About window, closed by OK") << "Command1" << FormId::About << "Command1";
    QTest::newRow("minimum wheel pressure, closed by 退出") << "Command7" << FormId::MinWheelPressure << "Command3";
    QTest::newRow("horizontal loads, closed by 退出") << "Command2" << FormId::HorizontalLoads << "Command6";
  }
  void closingTheMainWindowLeavesTheOtherWindowRunning() {
    QFETCH(QString, opener);
    QFETCH(FormId, kind);
    QFETCH(QString, closer);
    QApplication::setQuitOnLastWindowClosed(true);
    WindowSlots slotsUnderTest;
    auto* main = qobject_cast<CalculatorWindow*>(slotsUnderTest.show(FormId::VerticalLoads));
    bool stillOpenAfterExit = false;
    QVERIFY(t::RunsUntilTheProgramEnds([&] {
      main->findChild<QPushButton*>(opener)->click();
      QWidget* reference = slotsUnderTest.window(kind);
      t::Child<QPushButton>(main, "Command6")->click();
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
    auto* main = qobject_cast<CalculatorWindow*>(slotsUnderTest.show(FormId::VerticalLoads));
    t::Child<QPushButton>(main, "Command2")->click();
    auto* loads = qobject_cast<CalculatorWindow*>(slotsUnderTest.window(FormId::HorizontalLoads));
    QVERIFY(loads);
    t::Child<QPushButton>(main, "Command3")->click();
    QWidget* table = slotsUnderTest.window(FormId::CoefficientTable);
    QVERIFY(table);
    t::Child<QPushButton>(loads, "Command1")->click();
    QCOMPARE(slotsUnderTest.window(FormId::CoefficientTable), table);
    t::Child<QPushButton>(loads, "Command3")->click();
    QWidget* note = slotsUnderTest.window(FormId::AlphaCoefficient);
    QVERIFY(note);
    QCOMPARE(note->windowTitle(), QStringLiteral("αH系数"));
    const auto visible = QApplication::topLevelWidgets();
    QCOMPARE(std::ranges::count_if(visible, [](const QWidget* w) { return w->isVisible(); }), qsizetype(4));
    for (QWidget* w : {note, table, static_cast<QWidget*>(loads), static_cast<QWidget*>(main)}) closeAndDestroy(w);
  }

  void theProgramEndsWhenTheLastWindowCloses() {
    QApplication::setQuitOnLastWindowClosed(true);
    WindowSlots slotsUnderTest;
    auto* main = qobject_cast<CalculatorWindow*>(slotsUnderTest.show(FormId::VerticalLoads));
    QVERIFY(t::RunsUntilTheProgramEnds([main] { t::Child<QPushButton>(main, "Command6")->click(); }));
  }
};

QTEST_MAIN(WindowSlotsTest)
#include "window_slots_test.moc"
