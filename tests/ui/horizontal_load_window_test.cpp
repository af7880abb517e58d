#include "window_test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using kelvaro::forms::FormId;
using kelvaro::ui::CalculatorWindow;
namespace t = kelvaro::test;

class HorizontalLoadWindowTest : public QObject {
  Q_OBJECT

  static std::unique_ptr<CalculatorWindow> open() { return t::Open<CalculatorWindow>(FormId::HorizontalLoads); }
  // G1, Q, Z, N, αH, J, B, W: the read order.
  static QList<QLineEdit*> inputs(const CalculatorWindow& w) {
    return {t::Child<QLineEdit>(&w, "Text1"), t::Child<QLineEdit>(&w, "Text2"), t::Child<QLineEdit>(&w, "Text3"),
            t::Child<QLineEdit>(&w, "Text4"), t::Child<QLineEdit>(&w, "Text5"), t::Child<QLineEdit>(&w, "Text6"),
            t::Child<QLineEdit>(&w, "Text7"), t::Child<QLineEdit>(&w, "Text8")};
  }
  static void fill(CalculatorWindow& w, const QStringList& texts) { t::Fill(inputs(w), texts); }
  static QStringList texts(const CalculatorWindow& w) { return t::Texts(inputs(w)); }
  static QStringList workedExample() { return {"3.5", "10", "0.9", "4", "0.12", "6", "5.5", "4.4"}; }

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void opensWithItsDesignTimeContents() {
    auto w = open();
    QCOMPARE(w->windowTitle(), QStringLiteral("吊车横向水平刹车力"));
    QCOMPARE(t::Child<QGroupBox>(w, "Frame2")->title(), QStringLiteral("吊车横向水平刹车力"));
    QCOMPARE(texts(*w), (QStringList{"", "", "0.9", "4", "0.12", "6", "", ""}));
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral(" "));
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), QStringLiteral(" "));
    QCOMPARE(w->focusWidget(), t::Child<QPushButton>(w, "Command6"));
    QCOMPARE(w->minimumSize(), QSize(482, 187));
    QCOMPARE(w->maximumSize(), QSize(482, 187));
    QVERIFY(!w->windowIcon().pixmap(32, 32).isNull());
  }

  void captionsAreExact() {
    auto w = open();
    t::VerifyCaptions({
        {t::Child<QPushButton>(w, "Command3"), "系数"},
        {t::Child<QLabel>(w, "Label15"), "αH:"},
        {t::Child<QPushButton>(w, "Command1"), "折减系数"},
        {t::Child<QLabel>(w, "Label4"), "Z:"},
        {t::Child<QLabel>(w, "Label6"), "小  车  重"},
        {t::Child<QLabel>(w, "Label7"), "G1："},
        {t::Child<QLabel>(w, "Label17"), "t"},
        {t::Child<QLabel>(w, "Label5"), "所有吊车轮总数"},
        {t::Child<QLabel>(w, "Label19"), "N:"},
        {t::Child<QLabel>(w, "Label20"), "个"},
        {t::Child<QLabel>(w, "Label14"), "吊车额定起重量"},
        {t::Child<QLabel>(w, "Label16"), "Q："},
        {t::Child<QLabel>(w, "Label18"), "t"},
        {t::Child<QLabel>(w, "Label3"), "正反两个方向的刹车力"},
        {t::Child<QLabel>(w, "Label11"), "H1:"},
        {t::Child<QLabel>(w, "Label32"), "Kn"},
        {t::Child<QLabel>(w, "Label25"), "柱    距"},
        {t::Child<QLabel>(w, "Label2"), "J:"},
        {t::Child<QLabel>(w, "Label26"), "米"},
        {t::Child<QLabel>(w, "Label1"), "每台吊车的横向水平荷载"},
        {t::Child<QLabel>(w, "Label10"), "H:"},
        {t::Child<QLabel>(w, "Label31"), "Kn"},
        {t::Child<QLabel>(w, "Label27"), "吊车宽度"},
        {t::Child<QLabel>(w, "Label8"), "B:"},
        {t::Child<QLabel>(w, "Label29"), "米"},
        {t::Child<QLabel>(w, "Label28"), "大车轮距"},
        {t::Child<QLabel>(w, "Label9"), "W:"},
        {t::Child<QLabel>(w, "Label30"), "米"},
        {t::Child<QPushButton>(w, "Command4"), "计算"},
        {t::Child<QPushButton>(w, "Command5"), "清空"},
        {t::Child<QPushButton>(w, "Command6"), "退出"},
    });
  }

  void controlsSitWhereTheTablePutsThem() {
    auto w = open();
    t::VerifyGeometry(
        w.get(), {
                     {"Frame2", "", {120, 120, 6975, 2535}},         {"Command3", "Frame2", {240, 240, 975, 255}},
                     {"Label15", "Frame2", {1320, 240, 375, 255}},   {"Text5", "Frame2", {1680, 240, 855, 270}},
                     {"Command1", "Frame2", {3120, 240, 1215, 255}}, {"Label4", "Frame2", {4440, 240, 255, 255}},
                     {"Text3", "Frame2", {4680, 240, 735, 270}},     {"Label6", "Frame2", {240, 600, 975, 255}},
                     {"Label7", "Frame2", {1320, 600, 255, 255}},    {"Text1", "Frame2", {1680, 600, 855, 270}},
                     {"Label17", "Frame2", {2640, 600, 255, 255}},   {"Label5", "Frame2", {3120, 600, 1335, 255}},
                     {"Label19", "Frame2", {4440, 600, 255, 255}},   {"Text4", "Frame2", {4680, 600, 735, 270}},
                     {"Label20", "Frame2", {5520, 600, 255, 255}},   {"Label14", "Frame2", {240, 960, 1335, 255}},
                     {"Label16", "Frame2", {1560, 960, 255, 255}},   {"Text2", "Frame2", {1800, 960, 735, 270}},
                     {"Label18", "Frame2", {2640, 960, 255, 255}},   {"Label3", "Frame2", {3000, 1080, 1815, 255}},
                     {"Label11", "Frame2", {5040, 1080, 255, 255}},  {"Label13", "Frame2", {5400, 1080, 855, 255}},
                     {"Label32", "Frame2", {6360, 1100, 255, 255}},  {"Label25", "Frame2", {240, 1320, 855, 255}},
                     {"Label2", "Frame2", {1320, 1320, 255, 255}},   {"Text6", "Frame2", {1680, 1320, 855, 270}},
                     {"Label26", "Frame2", {2640, 1320, 255, 255}},  {"Label1", "Frame2", {3000, 1440, 2055, 255}},
                     {"Label10", "Frame2", {5160, 1440, 255, 255}},  {"Label12", "Frame2", {5400, 1440, 855, 255}},
                     {"Label31", "Frame2", {6360, 1460, 255, 255}},  {"Label27", "Frame2", {240, 1680, 855, 255}},
                     {"Label8", "Frame2", {1320, 1680, 255, 255}},   {"Text7", "Frame2", {1680, 1680, 855, 270}},
                     {"Label29", "Frame2", {2640, 1680, 255, 255}},  {"Label28", "Frame2", {240, 2040, 735, 255}},
                     {"Label9", "Frame2", {1320, 2040, 255, 255}},   {"Text8", "Frame2", {1680, 2040, 855, 270}},
                     {"Label30", "Frame2", {2640, 2040, 255, 255}},  {"Command4", "Frame2", {3960, 2040, 855, 300}},
                     {"Command5", "Frame2", {4800, 2040, 855, 300}}, {"Command6", "Frame2", {5640, 2040, 855, 300}},
                 });
    QCOMPARE(t::TabOrder(w.get()), (QStringList{"Command6", "Command5", "Command4", "Text8", "Text7", "Text6", "Text5",
                                                "Command3", "Text1", "Text2", "Command1", "Text3", "Text4"}));
  }

  void inputsAreNamedForScreenReaders() {
    auto w = open();
    const std::pair<QLineEdit*, const char*> rows[] = {
        {t::Child<QLineEdit>(w, "Text5"), "αH"},
        {t::Child<QLineEdit>(w, "Text3"), "Z"},
        {t::Child<QLineEdit>(w, "Text1"), "小车重 G1"},
        {t::Child<QLineEdit>(w, "Text4"), "所有吊车轮总数 N"},
        {t::Child<QLineEdit>(w, "Text2"), "吊车额定起重量 Q"},
        {t::Child<QLineEdit>(w, "Text6"), "柱距 J"},
        {t::Child<QLineEdit>(w, "Text7"), "吊车宽度 B"},
        {t::Child<QLineEdit>(w, "Text8"), "大车轮距 W"},
    };
    for (const auto& [field, name] : rows) QCOMPARE(field->accessibleName(), QString::fromUtf8(name));
  }

  void calculate_data() {
    QTest::addColumn<QStringList>("inputs");  // G1, Q, Z, N, αH, J, B, W
    QTest::addColumn<QString>("h");           // expected captions, or " " when nothing may change
    QTest::addColumn<QString>("h1");
    QTest::addColumn<QString>("message");  // a part of the failure message, empty on success
    QTest::addColumn<QString>("focus");    // the field that takes the focus on failure

    QTest::newRow("worked example") << workedExample() << "15.8922" << "7.747447" << "" << "";
    // J read as a double; the single nearest 6.1 would give 9.027289.
    QTest::newRow("J read at double precision")
        << QStringList{"3.5", "10", "0.9", "4", "0.12", "6.1", "4.5", "4.4"} << "15.8922" << "9.02729" << "" << "";
    QTest::newRow("N = 0 after H was formed")
        << QStringList{"3.5", "10", "0.9", "0", "0.12", "6", "5.5", "4.4"} << " " << " " << "N 为 0" << "Text4";
    QTest::newRow("N = 0 and H = 0") << QStringList{"0", "0", "0.9", "0", "0.12", "6", "5.5", "4.4"} << " " << " "
                                     << "N 为 0" << "Text4";
    QTest::newRow("J not a number") << QStringList{"3.5", "10", "0.9", "4", "0.12", "六", "5.5", "4.4"} << " " << " "
                                    << "J 的内容“六”不是一个数" << "Text6";
    QTest::newRow("J = 0") << QStringList{"3.5", "10", "0.9", "4", "0.12", "0", "5.5", "4.4"} << " " << " "
                           << "J 为 0" << "Text6";
    // H underflows to 0 and H1 meets 0 / 0: an Overflow by the rules, caused by N = 0.
    QTest::newRow("H underflows to 0, then N = 0")
        << QStringList{"1e-30", "0", "0.9", "0", "1e-30", "6", "5.5", "4.4"} << " " << " " << "N 为 0" << "Text4";
    QTest::newRow("H beyond the single range") << QStringList{"3e38", "3e38", "0.9", "4", "0.12", "6", "5.5", "4.4"}
                                               << " " << " " << "计算中出现的数值太大" << "";
    QTest::newRow("G1 read before B") << QStringList{"x", "10", "0.9", "4", "0.12", "6", "y", "4.4"} << " " << " "
                                      << "G1 的内容“x”" << "Text1";
  }
  void calculate() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, h);
    QFETCH(QString, h1);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    auto w = open();
    fill(*w, inputs);
    QTest::mouseClick(t::Child<QPushButton>(w, "Command4"), Qt::LeftButton);
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), h);
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), h1);
    QCOMPARE(texts(*w), inputs);
    const QString shown = t::TakeMessage(w);
    QVERIFY2(message.isEmpty() ? shown.isEmpty() : shown.contains(message), qPrintable(shown));
    if (!focus.isEmpty()) QCOMPARE(w->focusWidget()->objectName(), focus);
    if (focus.isEmpty() && !message.isEmpty())
      QCOMPARE(w->focusWidget(), t::Child<QPushButton>(w, "Command4"));  // no field is blamed
  }

  void resultsExplainHowTheyWereReached() {
    auto w = open();
    fill(*w, workedExample());
    w->calculate();
    for (const char* part : {"Q = 10", "G1 = 3.5", "αH = 0.12", "9.81"}) {
      QVERIFY2(t::Child<QLabel>(w, "Label12")->toolTip().contains(QString::fromUtf8(part)), part);
    }
    for (const char* part : {"H = 15.8922", "N = 4", "Z = 0.9", "SumY = 2.166667"}) {
      QVERIFY2(t::Child<QLabel>(w, "Label13")->toolTip().contains(QString::fromUtf8(part)), part);
    }
  }

  void clearEmptiesEveryInputAndKeepsResults() {
    auto w = open();
    fill(*w, workedExample());
    w->calculate();
    QTest::mouseClick(t::Child<QPushButton>(w, "Command5"), Qt::LeftButton);
    QCOMPARE(texts(*w), QStringList(8, QString()));
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral("15.8922"));
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), QStringLiteral("7.747447"));
    w->calculate();  // every field empty: the last in check order keeps the focus
    QCOMPARE(w->focusWidget(), t::Child<QLineEdit>(w, "Text4"));
  }

  void buttonsAskForTheReferenceWindows() {
    auto w = open();
    QSignalSpy requests(w.get(), &CalculatorWindow::showWindowRequested);
    QTest::mouseClick(t::Child<QPushButton>(w, "Command3"), Qt::LeftButton);
    QTest::mouseClick(t::Child<QPushButton>(w, "Command1"), Qt::LeftButton);
    QCOMPARE(requests.count(), 2);
    QCOMPARE(requests.at(0).at(0).value<FormId>(), FormId::AlphaCoefficient);
    QCOMPARE(requests.at(1).at(0).value<FormId>(), FormId::CoefficientTable);
  }

  void exitClosesAndDestroysTheWindow() {
    QPointer<FormWindow> w = MakeWindow(FormId::HorizontalLoads);
    w->show();
    QTest::mouseClick(t::Child<QPushButton>(w, "Command6"), Qt::LeftButton);
    QTRY_VERIFY(w.isNull());
  }
};

QTEST_MAIN(HorizontalLoadWindowTest)
#include "horizontal_load_window_test.moc"
