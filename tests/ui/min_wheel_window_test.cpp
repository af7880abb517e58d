#include "window_test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <memory>

using kelvaro::ui::CalculatorWindow;
namespace t = kelvaro::test;

class MinWheelWindowTest : public QObject {
  Q_OBJECT

  static std::unique_ptr<CalculatorWindow> open() { return t::Open<CalculatorWindow>(FormId::MinWheelPressure); }
  // Pmax, G, Q, N and the result box, in that order.
  static QList<QLineEdit*> boxes(const CalculatorWindow& w) {
    return {t::Child<QLineEdit>(&w, "Text1"), t::Child<QLineEdit>(&w, "Text2"), t::Child<QLineEdit>(&w, "Text3"),
            t::Child<QLineEdit>(&w, "Text4"), t::Child<QLineEdit>(&w, "Text9")};
  }
  static QStringList texts(const CalculatorWindow& w) { return t::Texts(boxes(w)); }

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void opensWithItsDesignTimeContents() {
    auto w = open();
    QCOMPARE(w->windowTitle(), QStringLiteral("吊车最小轮压计算"));
    QCOMPARE(t::Child<QGroupBox>(w, "Frame1")->title(), QStringLiteral("吊车最小轮压计算"));
    QCOMPARE(texts(*w), (QStringList{"", "", "", "2", ""}));
    QCOMPARE(w->focusWidget(), t::Child<QLineEdit>(w, "Text9"));
    QCOMPARE(w->minimumSize(), QSize(223, 216));
    QCOMPARE(w->maximumSize(), QSize(223, 216));
    QVERIFY(!w->windowIcon().pixmap(32, 32).isNull());
  }

  void captionsAreExact() {
    auto w = open();
    t::VerifyCaptions({
        {t::Child<QLabel>(w, "Label19"), "吊车最大轮压"},
        {t::Child<QLabel>(w, "Label1"), "Pmax:"},
        {t::Child<QLabel>(w, "Label16"), "Kn"},
        {t::Child<QLabel>(w, "Label17"), "吊 车 总 重 量"},
        {t::Child<QLabel>(w, "Label3"), "G:"},
        {t::Child<QLabel>(w, "Label18"), "t"},
        {t::Child<QLabel>(w, "Label20"), "吊车额定起重量"},
        {t::Child<QLabel>(w, "Label4"), "Q:"},
        {t::Child<QLabel>(w, "Label21"), "t"},
        {t::Child<QLabel>(w, "Label5"), "每 端 轮 数"},
        {t::Child<QLabel>(w, "Label14"), "N:"},
        {t::Child<QLabel>(w, "Label22"), "个"},
        {t::Child<QLabel>(w, "Label24"), "吊车最小轮压"},
        {t::Child<QLabel>(w, "Label6"), "Pmin:"},
        {t::Child<QLabel>(w, "Label23"), "Kn"},
        {t::Child<QPushButton>(w, "Command1"), "计算"},
        {t::Child<QPushButton>(w, "Command2"), "清空"},
        {t::Child<QPushButton>(w, "Command3"), "退出"},
    });
  }

  void controlsSitWhereTheTablePutsThem() {
    auto w = open();
    t::VerifyGeometry(
        w.get(), {
                     {"Frame1", "", {120, 120, 3135, 3015}},         {"Label19", "Frame1", {120, 360, 1215, 255}},
                     {"Label1", "Frame1", {1320, 360, 495, 255}},    {"Text1", "Frame1", {1800, 360, 855, 270}},
                     {"Label16", "Frame1", {2760, 360, 255, 255}},   {"Label17", "Frame1", {120, 720, 1335, 255}},
                     {"Label3", "Frame1", {1560, 720, 255, 255}},    {"Text2", "Frame1", {1800, 720, 855, 270}},
                     {"Label18", "Frame1", {2760, 720, 255, 255}},   {"Label20", "Frame1", {120, 1080, 1335, 255}},
                     {"Label4", "Frame1", {1560, 1080, 135, 255}},   {"Text3", "Frame1", {1800, 1080, 855, 270}},
                     {"Label21", "Frame1", {2760, 1080, 255, 255}},  {"Label5", "Frame1", {120, 1560, 1215, 255}},
                     {"Label14", "Frame1", {1560, 1560, 255, 255}},  {"Text4", "Frame1", {1800, 1560, 855, 270}},
                     {"Label22", "Frame1", {2760, 1560, 255, 255}},  {"Label24", "Frame1", {120, 2160, 1095, 255}},
                     {"Label6", "Frame1", {1320, 2160, 495, 255}},   {"Text9", "Frame1", {1800, 2160, 855, 270}},
                     {"Label23", "Frame1", {2760, 2160, 255, 255}},  {"Command1", "Frame1", {720, 2520, 855, 300}},
                     {"Command2", "Frame1", {1560, 2520, 735, 300}}, {"Command3", "Frame1", {2280, 2520, 735, 300}},
                 });
    QCOMPARE(t::TabOrder(w.get()),
             (QStringList{"Text9", "Command2", "Command1", "Text4", "Text3", "Text2", "Text1", "Command3"}));
  }

  void boxesAreNamedForScreenReaders() {
    auto w = open();
    QCOMPARE(t::Child<QLineEdit>(w, "Text1")->accessibleName(), QStringLiteral("吊车最大轮压 Pmax"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text2")->accessibleName(), QStringLiteral("吊车总重量 G"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text3")->accessibleName(), QStringLiteral("吊车额定起重量 Q"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text4")->accessibleName(), QStringLiteral("每端轮数 N"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text9")->accessibleName(), QStringLiteral("吊车最小轮压 Pmin"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text4")->accessibleDescription(), QStringLiteral("单位：个"));
  }

  void calculate_data() {
    QTest::addColumn<QStringList>("inputs");  // Pmax, G, Q, N
    QTest::addColumn<QString>("pmin");        // expected text of the result box
    QTest::addColumn<QString>("message");     // a part of the failure message, empty on success
    QTest::addColumn<QString>("focus");       // the field that takes the focus on failure

    QTest::newRow("worked example") << QStringList{"100", "20", "10", "2"} << "47.15" << "" << "";
    QTest::newRow("N need not be whole") << QStringList{"100", "20", "10", "2.5"} << "17.72" << "" << "";
    // N is read as a double: the single nearest 2.7 would give 8.999998.
    QTest::newRow("N read at double precision") << QStringList{"100", "20", "10", "2.7"} << "9" << "" << "";
    QTest::newRow("negative result delivered") << QStringList{"1000", "20", "10", "2"} << "-852.85" << "" << "";
    QTest::newRow("N = 0") << QStringList{"100", "20", "10", "0"} << "" << "N 为 0" << "Text4";
    QTest::newRow("N = 0 and G + Q = 0") << QStringList{"100", "0", "0", "0"} << "" << "N 为 0" << "Text4";
    QTest::newRow("N not a number") << QStringList{"100", "20", "10", "两"} << "" << "N 的内容“两”不是一个数"
                                    << "Text4";
    QTest::newRow("N empty") << QStringList{"100", "20", "10", ""} << "" << "N 是空的" << "Text4";
    QTest::newRow("N beyond the double range") << QStringList{"100", "20", "10", "1e400"} << ""
                                               << "N 的数值太大" << "Text4";
    QTest::newRow("Pmax read first") << QStringList{"x", "y", "10", "2"} << "" << "Pmax 的内容“x”" << "Text1";
    QTest::newRow("result beyond the single range") << QStringList{"100", "3e38", "0", "0.5"} << ""
                                                    << "计算中出现的数值太大" << "";
    // S = Q + G fails before N is ever read: N is not to blame.
    QTest::newRow("S overflows before N is read") << QStringList{"100", "3e38", "3e38", "abc"} << ""
                                                  << "计算中出现的数值太大" << "";
  }
  void calculate() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, pmin);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    auto w = open();
    t::Fill(boxes(*w), inputs);
    QTest::mouseClick(t::Child<QPushButton>(w, "Command1"), Qt::LeftButton);
    QCOMPARE(texts(*w), inputs + QStringList{pmin});
    const QString shown = t::TakeMessage(w);
    QVERIFY2(message.isEmpty() ? shown.isEmpty() : shown.contains(message), qPrintable(shown));
    if (!focus.isEmpty()) QCOMPARE(w->focusWidget()->objectName(), focus);
    if (focus.isEmpty() && !message.isEmpty())
      QCOMPARE(w->focusWidget(), t::Child<QPushButton>(w, "Command1"));  // no field is blamed
  }

  // Return calculates in every box, the result's own among them.
  void returnInAnyBoxCalculates_data() {
    QTest::addColumn<QString>("box");
    for (const char* box : {"Text1", "Text2", "Text3", "Text4", "Text9"}) QTest::newRow(box) << box;
  }
  void returnInAnyBoxCalculates() {
    QFETCH(QString, box);
    auto w = open();
    t::Fill(boxes(*w), {"100", "20", "10", "2", ""});
    QTest::keyClick(w->findChild<QLineEdit*>(box), Qt::Key_Return);
    QCOMPARE(t::Child<QLineEdit>(w, "Text9")->text(), QStringLiteral("47.15"));
  }

  void resultExplainsHowItWasReached() {
    auto w = open();
    t::Fill(boxes(*w), {"100", "20", "10"});
    w->calculate();
    const QString tip = t::Child<QLineEdit>(w, "Text9")->toolTip();
    for (const char* part : {"9.81", "S = Q + G = 30", "N = 2", "Pmax = 100"}) {
      QVERIFY2(tip.contains(QString::fromUtf8(part)), qPrintable(tip));
    }
  }

  void clearEmptiesAllFiveBoxes() {
    auto w = open();
    t::Fill(boxes(*w), {"100", "20", "10"});
    w->calculate();
    QCOMPARE(t::Child<QLineEdit>(w, "Text9")->text(), QStringLiteral("47.15"));
    QTest::mouseClick(t::Child<QPushButton>(w, "Command2"), Qt::LeftButton);
    QCOMPARE(texts(*w), (QStringList{"", "", "", "", ""}));
  }

  void exitClosesAndDestroysTheWindow() {
    QPointer<FormWindow> w = MakeWindow(FormId::MinWheelPressure);
    w->show();
    QTest::mouseClick(t::Child<QPushButton>(w, "Command3"), Qt::LeftButton);
    QTRY_VERIFY(w.isNull());
  }
};

QTEST_MAIN(MinWheelWindowTest)
#include "min_wheel_window_test.moc"
