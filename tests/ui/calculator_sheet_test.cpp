// The calculation sheet from each calculator: Ctrl+P and the context menus calculate first, a failing calculation
// opens nothing, and the sheet shows the inputs as typed and the numbers the window shows.
#include "linked_sheet_window.h"
#include "sheet_window.h"
#include "window_test_support.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

using namespace kelvaro;
using namespace kelvaro::ui;
namespace t = kelvaro::test;

namespace {

// One calculator as the test drives it: its window, input fields in the window's order, result fields in result
// order, and the controls whose context menu offers the sheet.
struct Calculator {
  std::unique_ptr<CalculatorWindow> window;
  QList<QLineEdit*> inputs;
  QList<QWidget*> results;
  QPushButton* calculate;
  QList<QWidget*> menus;
};

Calculator Open(const QString& kind) {
  if (kind == QStringLiteral("main")) {
    auto w = t::Open<CalculatorWindow>(FormId::VerticalLoads);
    Calculator c{nullptr,
                 {t::Child<QLineEdit>(w, "Text5"), t::Child<QLineEdit>(w, "Text6"), t::Child<QLineEdit>(w, "Text7"),
                  t::Child<QLineEdit>(w, "Text8"), t::Child<QLineEdit>(w, "Text9"), t::Child<QLineEdit>(w, "Text10")},
                 {t::Child<QLabel>(w, "Label12"), t::Child<QLabel>(w, "Label13")},
                 t::Child<QPushButton>(w, "Command4"),
                 {t::Child<QLabel>(w, "Label12"), t::Child<QLabel>(w, "Label13")}};
    c.window = std::move(w);
    return c;
  }
  if (kind == QStringLiteral("minWheel")) {
    auto w = t::Open<CalculatorWindow>(FormId::MinWheelPressure);
    Calculator c{nullptr,
                 {t::Child<QLineEdit>(w, "Text1"), t::Child<QLineEdit>(w, "Text2"), t::Child<QLineEdit>(w, "Text3"),
                  t::Child<QLineEdit>(w, "Text4")},
                 {t::Child<QLineEdit>(w, "Text9")},
                 t::Child<QPushButton>(w, "Command1"),
                 {}};
    c.window = std::move(w);
    return c;
  }
  auto w = t::Open<CalculatorWindow>(FormId::HorizontalLoads);
  Calculator c{nullptr,
               {t::Child<QLineEdit>(w, "Text5"), t::Child<QLineEdit>(w, "Text3"), t::Child<QLineEdit>(w, "Text1"),
                t::Child<QLineEdit>(w, "Text4"), t::Child<QLineEdit>(w, "Text2"), t::Child<QLineEdit>(w, "Text6"),
                t::Child<QLineEdit>(w, "Text7"), t::Child<QLineEdit>(w, "Text8")},
               {t::Child<QLabel>(w, "Label12"), t::Child<QLabel>(w, "Label13")},
               t::Child<QPushButton>(w, "Command4"),
               {t::Child<QLabel>(w, "Label12"), t::Child<QLabel>(w, "Label13")}};
  c.window = std::move(w);
  return c;
}

QString Shown(const QWidget* field) {
  if (const auto* label = qobject_cast<const QLabel*>(field)) return label->text();
  return qobject_cast<const QLineEdit*>(field)->text();
}

SheetWindow* OpenSheet(const QWidget* calculator) { return calculator->findChild<SheetWindow*>(); }

}  // namespace

// The value in a result's line on the sheet: "Dmax = 195 kN" shows 195.
QString SheetValue(const kelvaro::sheet::ResultRow& r) {
  const QString text = QString::fromStdString(r.text);
  return text.section(QStringLiteral(" = "), 1).section(u' ', 0, 0);
}

class CalculatorSheetTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    t::SetUpWindowTests();
    UseLinkedSheetWindow(LinkedSheetWindow());
  }

  void ctrlPOpensTheSheetOfTheWindowsNumbers_data();
  void ctrlPOpensTheSheetOfTheWindowsNumbers();
  void failingCalculationOpensNoSheet_data();
  void failingCalculationOpensNoSheet();
  void offeredWhereTheUserLooks();
  void anOpenSheetFollowsTheNextCalculation();
};

void CalculatorSheetTest::ctrlPOpensTheSheetOfTheWindowsNumbers_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QStringList>("texts");  // in the window's order
  QTest::addColumn<QString>("caption");
  QTest::newRow("main window, worked example, a value typed with full-width digits")
      << QStringLiteral("main") << QStringList{u"0.9"_qs, u"6"_qs, u"５.５"_qs, u"4.4"_qs, u"100"_qs, u"30"_qs}
      << QStringLiteral("计算书 - 吊车Dmax和Dmin计算");
  QTest::newRow("minimum wheel pressure")
      << QStringLiteral("minWheel") << QStringList{u"100"_qs, u"20"_qs, u"10"_qs, u"2"_qs}
      << QStringLiteral("计算书 - 吊车最小轮压计算");
  QTest::newRow("horizontal loads, J read as text")
      << QStringLiteral("horizontal")
      << QStringList{u"0.12"_qs, u"0.9"_qs, u"3.5"_qs, u"4"_qs, u"10"_qs, u"6.1"_qs, u"5.5"_qs, u"4.4"_qs}
      << QStringLiteral("计算书 - 吊车横向水平刹车力");
}

void CalculatorSheetTest::ctrlPOpensTheSheetOfTheWindowsNumbers() {
  QFETCH(QString, kind);
  QFETCH(QStringList, texts);
  QFETCH(QString, caption);
  Calculator c = Open(kind);
  t::Fill(c.inputs, texts);
  QVERIFY(QTest::qWaitForWindowActive(c.window.get()));
  QTest::keyClick(c.inputs.front(), Qt::Key_P, Qt::ControlModifier);

  SheetWindow* sheet = OpenSheet(c.window.get());
  QVERIFY(sheet && sheet->isVisible());
  QCOMPARE(sheet->windowTitle(), caption);
  QCOMPARE(t::TakeMessage(c.window), QString());
  // The results it shows are the window's, which Ctrl+P has just calculated.
  QCOMPARE(sheet->sheet().results.size(), std::size_t(c.results.size()));
  for (qsizetype i = 0; i < c.results.size(); ++i) {
    QVERIFY(!Shown(c.results[i]).trimmed().isEmpty());
    QCOMPARE(SheetValue(sheet->sheet().results[std::size_t(i)]), Shown(c.results[i]));
  }
  // The inputs as typed, each with a name.
  QStringList typed;
  for (const kelvaro::sheet::InputRow& in : sheet->sheet().inputs) {
    typed << QString::fromStdString(in.text);
    QVERIFY2(!in.caption.empty() && !in.symbol.empty(), in.symbol.c_str());
  }
  QCOMPARE(typed, texts);
}

void CalculatorSheetTest::failingCalculationOpensNoSheet_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<QString>("message");
  QTest::newRow("an empty field") << QStringLiteral("main")
                                  << QStringList{u"0.9"_qs, u"6"_qs, QString(), u"4.4"_qs, u"100"_qs, u"30"_qs}
                                  << QStringLiteral("B 是空的");
  QTest::newRow("J = 0") << QStringLiteral("horizontal") << QStringList{u"0.12"_qs, u"0.9"_qs, u"3.5"_qs, u"4"_qs,
                                                                        u"10"_qs,   u"0"_qs,   u"5.5"_qs, u"4.4"_qs}
                         << QStringLiteral("J 为 0");
  QTest::newRow("not a number") << QStringLiteral("minWheel") << QStringList{u"100"_qs, u"2O"_qs, u"10"_qs, u"2"_qs}
                                << QStringLiteral("G 的内容“2O”不是一个数");
}

void CalculatorSheetTest::failingCalculationOpensNoSheet() {
  QFETCH(QString, kind);
  QFETCH(QStringList, texts);
  QFETCH(QString, message);
  Calculator c = Open(kind);
  t::Fill(c.inputs, texts);
  QVERIFY(QTest::qWaitForWindowActive(c.window.get()));
  QTest::keyClick(c.inputs.back(), Qt::Key_P, Qt::ControlModifier);
  QVERIFY(!OpenSheet(c.window.get()));
  const QString shown = t::TakeMessage(c.window);
  QVERIFY2(!shown.isEmpty() && shown.contains(message), qPrintable(shown));
  QCOMPARE(t::Texts(c.inputs), texts);
  for (QWidget* result : c.results) QCOMPARE(Shown(result).trimmed(), QString());
}

void CalculatorSheetTest::offeredWhereTheUserLooks() {
  for (const QString& kind : {QStringLiteral("main"), QStringLiteral("minWheel"), QStringLiteral("horizontal")}) {
    Calculator c = Open(kind);
    QVERIFY2(c.calculate->toolTip().contains(QStringLiteral("Ctrl+P")), qPrintable(c.calculate->toolTip()));
    // The window's background and frames (which pass a right click on to it), and the result labels.
    QCOMPARE(c.window->contextMenuPolicy(), Qt::ActionsContextMenu);
    for (const QGroupBox* frame : c.window->findChildren<QGroupBox*>()) {
      QCOMPARE(frame->contextMenuPolicy(), Qt::DefaultContextMenu);
    }
    for (QWidget* w : QList<QWidget*>{c.window.get()} + c.menus) {
      QStringList items;
      for (const QAction* a : w->actions()) items << a->text();
      QVERIFY2(items.contains(QStringLiteral("计算书…")), qPrintable(kind + u' ' + w->objectName()));
    }
  }
  // A result shown in a box: its own menu, with the sheet at the end.
  Calculator c = Open(QStringLiteral("minWheel"));
  emit c.results.front()->customContextMenuRequested(QPoint(2, 2));
  auto* menu = c.results.front()->findChild<QMenu*>();
  QVERIFY(menu);
  QCOMPARE(menu->actions().back()->text(), QStringLiteral("计算书…"));
  t::Fill(c.inputs, {u"100"_qs, u"20"_qs, u"10"_qs, u"2"_qs});
  menu->actions().back()->trigger();
  QVERIFY(OpenSheet(c.window.get()));
  menu->close();
}

void CalculatorSheetTest::anOpenSheetFollowsTheNextCalculation() {
  Calculator c = Open(QStringLiteral("main"));
  t::Fill(c.inputs, {u"0.9"_qs, u"6"_qs, u"5.5"_qs, u"4.4"_qs, u"100"_qs, u"30"_qs});
  c.window->showSheet();
  SheetWindow* sheet = OpenSheet(c.window.get());
  QCOMPARE(SheetValue(sheet->sheet().results.front()), QStringLiteral("195"));
  c.inputs[4]->setText(u"200"_qs);
  c.calculate->click();
  QCOMPARE(SheetValue(sheet->sheet().results.front()), Shown(c.results.front()));
  QCOMPARE(SheetValue(sheet->sheet().results.front()), QStringLiteral("390"));
  // A failing calculation changes neither the window nor the sheet.
  c.inputs[1]->setText(u"0"_qs);
  c.calculate->click();
  QCOMPARE(SheetValue(sheet->sheet().results.front()), QStringLiteral("390"));
  // Ctrl+P again shows the same window, not a second one.
  c.inputs[1]->setText(u"6"_qs);
  c.window->showSheet();
  QCOMPARE(c.window->findChildren<SheetWindow*>().size(), 1);
}

QTEST_MAIN(CalculatorSheetTest)
#include "calculator_sheet_test.moc"
