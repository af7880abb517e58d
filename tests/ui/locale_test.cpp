// Run once per locale (see CMakeLists.txt): fields read and results write the system's decimal separator.
#include "linked_sheet_window.h"
#include "sheet_window.h"
#include "window_test_support.h"

#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

namespace t = kelvaro::test;
using namespace kelvaro::ui;

class LocaleTest : public QObject {
  Q_OBJECT

  QString sep = qEnvironmentVariable("KELVARO_EXPECT_SEPARATOR");
  // A number written with a point, as this locale writes it.
  QString local(const char* number) const { return QString::fromLatin1(number).replace('.', sep); }

 private slots:
  void initTestCase() {
    t::SetUpWindowTests();
    UseLinkedSheetWindow(LinkedSheetWindow());
    QVERIFY2(sep.size() == 1, "KELVARO_EXPECT_SEPARATOR not set");
  }

  void theSeparatorIsTheLocales() { QCOMPARE(QString::fromUcs4(std::array{SystemDecimalSeparator()}.data(), 1), sep); }

  void defaultsReadAsNumbers() {
    auto main = t::Open<CalculatorWindow>(FormId::VerticalLoads);
    QCOMPARE(t::Child<QLineEdit>(main, "Text5")->text(), local("0.9"));
    auto loads = t::Open<CalculatorWindow>(FormId::HorizontalLoads);
    QCOMPARE(t::Texts({t::Child<QLineEdit>(loads, "Text5"), t::Child<QLineEdit>(loads, "Text3")}),
             (QStringList{local("0.12"), local("0.9")}));
  }

  void mainWindowReadsAndWritesTheSeparator() {
    auto w = t::Open<CalculatorWindow>(FormId::VerticalLoads);
    t::Fill({t::Child<QLineEdit>(w, "Text7"), t::Child<QLineEdit>(w, "Text8"), t::Child<QLineEdit>(w, "Text9"),
             t::Child<QLineEdit>(w, "Text10")},
            {local("5.5"), local("4.4"), "100", "30"});
    w->calculate();
    QCOMPARE(t::TakeMessage(w), QString());
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral("195"));
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), local("58.5"));
    QVERIFY(t::Child<QLabel>(w, "Label12")->toolTip().contains(QStringLiteral("Y1 = ") + local("0.2666667")));
  }

  void theOtherSeparatorIsNotANumber() {
    auto w = t::Open<CalculatorWindow>(FormId::VerticalLoads);
    const QString other = sep == "," ? "5.5" : "5,5";
    t::Fill({t::Child<QLineEdit>(w, "Text7"), t::Child<QLineEdit>(w, "Text8"), t::Child<QLineEdit>(w, "Text9"),
             t::Child<QLineEdit>(w, "Text10")},
            {other, local("4.4"), "100", "30"});
    w->calculate();
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral(" "));
    QVERIFY(t::TakeMessage(w).contains(QStringLiteral("B 的内容“%1”").arg(other)));
    QCOMPARE(t::Child<QLineEdit>(w, "Text7")->text(), other);
  }

  // The sheet, down to its PDF, writes every number as the window does.
  void sheetWritesTheSeparator() {
    auto w = t::Open<CalculatorWindow>(FormId::VerticalLoads);
    t::Fill({t::Child<QLineEdit>(w, "Text7"), t::Child<QLineEdit>(w, "Text8"), t::Child<QLineEdit>(w, "Text9"),
             t::Child<QLineEdit>(w, "Text10")},
            {local("5.5"), local("4.4"), "100", "30"});
    w->showSheet();
    const auto* sheet = w->findChild<SheetWindow*>();
    QVERIFY(sheet);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    QVERIFY(SaveSheetPdf(sheet->sheet(), path));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished());
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char* number : {"(6 − 4.4) / 6 = 0.2666667", "J−W = 1.6", "Y4 = 0.08333334", "Dmin = 58.5 kN"}) {
      QVERIFY2(text.contains(QString::fromUtf8(number).replace(u'.', sep)), number);
    }
  }

  void calculatorsTakingTextsUseIt() {
    auto pressure = t::Open<CalculatorWindow>(FormId::MinWheelPressure);
    t::Fill({t::Child<QLineEdit>(pressure, "Text1"), t::Child<QLineEdit>(pressure, "Text2"),
             t::Child<QLineEdit>(pressure, "Text3"), t::Child<QLineEdit>(pressure, "Text4")},
            {"100", "20", "10", local("2.5")});
    pressure->calculate();
    QCOMPARE(t::Child<QLineEdit>(pressure, "Text9")->text(), local("17.72"));

    auto loads = t::Open<CalculatorWindow>(FormId::HorizontalLoads);
    t::Fill({t::Child<QLineEdit>(loads, "Text1"), t::Child<QLineEdit>(loads, "Text2"),
             t::Child<QLineEdit>(loads, "Text7"), t::Child<QLineEdit>(loads, "Text8")},
            {local("3.5"), "10", local("5.5"), local("4.4")});
    t::Child<QLineEdit>(loads, "Text6")->setText(local("6.1"));
    t::Child<QLineEdit>(loads, "Text7")->setText(local("4.5"));
    loads->calculate();
    QCOMPARE(t::Child<QLabel>(loads, "Label12")->text(), local("15.8922"));
    QCOMPARE(t::Child<QLabel>(loads, "Label13")->text(), local("9.02729"));
  }
};

QTEST_MAIN(LocaleTest)
#include "locale_test.moc"
