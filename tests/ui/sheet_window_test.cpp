// The sheet window by keyboard and screen reader: Tab reaches every button, Escape and Ctrl+W close it, and its
// text is there for a screen reader to read.
#include "sheet_window.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QTest>
#include <QToolButton>

using namespace kelvaro;
namespace t = kelvaro::test;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

ui::CalculationSheet WorkedExample() {
  const auto d = ComputeVerticalLoads(VerticalLoadTexts{"0.9", "6", "5.5", "4.4", "100", "30"}, U'.');
  if (!d) qFatal("the worked example fails");
  return sheet::ContentOf(*d, "吊车Dmax和Dmin计算",
                          {{"B", "吊车宽度", "5.5", "米"}, {"Pmax", "吊车最大轮压", "100", "kN"}}, U'.');
}

}  // namespace

class SheetWindowTest : public QObject {
  Q_OBJECT

  static QPointer<ui::SheetWindow> open() {
    QPointer<ui::SheetWindow> w = new ui::SheetWindow(WorkedExample(), nullptr);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w)) qFatal("the sheet window never became active");
    return w;
  }

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void tabReachesEveryButton() {
    auto w = open();
    QStringList reached;
    for (int i = 0; i < 12; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      if (auto* button = qobject_cast<QToolButton*>(QApplication::focusWidget())) reached << button->text();
    }
    for (const char* button : {"打印…", "导出 PDF…", "整页", "适合宽度", "放大", "缩小"}) {
      QVERIFY2(reached.contains(U(button)), qPrintable(reached.join(u' ')));
    }
    delete w;
  }

  void keysClose_data() {
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
  }
  void keysClose() {
    QFETCH(QKeySequence, key);
    auto w = open();
    QTest::keySequence(w.data(), key);
    QTRY_VERIFY(w.isNull());  // closed, and so destroyed
  }

  void screenReaderReadsTheSheet() {
    auto w = open();
    auto* preview = w->findChild<QPrintPreviewWidget*>();
    const QString read = QAccessible::queryAccessibleInterface(preview)->text(QAccessible::Description);
    for (const char* line :
         {"吊车Dmax和Dmin计算", "吊车宽度 B = 5.5 米", "Y4 = (J − B) / J = (6 − 5.5) / 6 = 0.08333334",
          "Dmax = (SumY × Z) × Pmax = (2.1666667 × 0.9) × 100 = 195 kN"}) {
      QVERIFY2(read.split(u'\n').contains(U(line)), qPrintable(read));
    }
    // A new calculation is read anew.
    ui::CalculationSheet other = WorkedExample();
    other.name = "另一个";
    w->setSheet(other);
    QVERIFY(QAccessible::queryAccessibleInterface(preview)->text(QAccessible::Description).startsWith(U("另一个\n")));
    delete w;
  }
};

QTEST_MAIN(SheetWindowTest)
#include "sheet_window_test.moc"
