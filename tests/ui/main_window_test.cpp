#include "picture_box.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <memory>

using kelvaro::ui::CalculatorWindow;
namespace t = kelvaro::test;

class MainWindowTest : public QObject {
  Q_OBJECT

  static std::unique_ptr<CalculatorWindow> open() { return t::Open<CalculatorWindow>(FormId::VerticalLoads); }
  // The six inputs, in the order the rows below give them.
  static QList<QLineEdit*> inputs(const CalculatorWindow& w) {
    return {t::Child<QLineEdit>(&w, "Text5"), t::Child<QLineEdit>(&w, "Text6"), t::Child<QLineEdit>(&w, "Text7"),
            t::Child<QLineEdit>(&w, "Text8"), t::Child<QLineEdit>(&w, "Text9"), t::Child<QLineEdit>(&w, "Text10")};
  }
  static void fill(CalculatorWindow& w, const QStringList& texts) { t::Fill(inputs(w), texts); }
  static QStringList texts(const CalculatorWindow& w) { return t::Texts(inputs(w)); }

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void opensWithItsDesignTimeContents() {
    auto w = open();
    t::VerifyWindowFrame(w.get(), "吊车Dmax和Dmin计算", QSize(386, 362));
    QCOMPARE(texts(*w), (QStringList{"0.9", "6", "", "", "", ""}));
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral(" "));
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), QStringLiteral(" "));
    QCOMPARE(w->focusWidget(), t::Child<PictureBox>(w, "Picture1"));
    QCOMPARE(t::Child<QGroupBox>(w, "Frame2")->title(), QStringLiteral("Dmax和Dmin计算"));
    QVERIFY(!w->windowIcon().pixmap(32, 32).isNull());
    QCOMPARE(t::Child<PictureBox>(w, "Picture1")->pictureSize(), QSize(365, 167));
  }

  void captionsAreExact() {
    auto w = open();
    t::VerifyCaptions({
        {t::Child<QPushButton>(w, "Command7"), "吊车最小轮压计算"},
        {t::Child<QPushButton>(w, "Command3"), "折减系数"},
        {t::Child<QLabel>(w, "Label15"), "Z:"},
        {t::Child<QLabel>(w, "Label10"), "Dmax:"},
        {t::Child<QLabel>(w, "Label31"), "Kn"},
        {t::Child<QLabel>(w, "Label11"), "Dmin:"},
        {t::Child<QLabel>(w, "Label32"), "Kn"},
        {t::Child<QLabel>(w, "Label25"), "柱    距"},
        {t::Child<QLabel>(w, "Label2"), "J:"},
        {t::Child<QLabel>(w, "Label26"), "米"},
        {t::Child<QLabel>(w, "Label27"), "吊车宽度"},
        {t::Child<QLabel>(w, "Label8"), "B:"},
        {t::Child<QLabel>(w, "Label29"), "米"},
        {t::Child<QPushButton>(w, "Command2"), "吊车横向水平刹车力"},
        {t::Child<QLabel>(w, "Label28"), "大车轮距"},
        {t::Child<QLabel>(w, "Label9"), "W:"},
        {t::Child<QLabel>(w, "Label30"), "米"},
        {t::Child<QPushButton>(w, "Command1"), "关于本程序"},
        {t::Child<QLabel>(w, "Label1"), "Pmax:"},
        {t::Child<QLabel>(w, "Label4"), "Kn"},
        {t::Child<QLabel>(w, "Label3"), "Pmin:"},
        {t::Child<QLabel>(w, "Label5"), "Kn"},
        {t::Child<QPushButton>(w, "Command4"), "计算"},
        {t::Child<QPushButton>(w, "Command5"), "清空"},
        {t::Child<QPushButton>(w, "Command6"), "退出"},
    });
  }

  void controlsSitWhereTheTablePutsThem() {
    auto w = open();
    t::VerifyGeometry(
        w.get(), {
                     {"Picture1", "", {120, 120, 5535, 2535}},        {"Frame2", "", {120, 2760, 5535, 2535}},
                     {"Command7", "", {3480, 3720, 1935, 300}},       {"Command3", "Frame2", {120, 240, 975, 255}},
                     {"Label15", "Frame2", {1200, 240, 135, 255}},    {"Text5", "Frame2", {1440, 240, 855, 270}},
                     {"Label10", "Frame2", {3240, 240, 495, 255}},    {"Label12", "Frame2", {3840, 240, 855, 255}},
                     {"Label31", "Frame2", {4800, 240, 255, 255}},    {"Label11", "Frame2", {3240, 600, 495, 255}},
                     {"Label13", "Frame2", {3840, 600, 855, 255}},    {"Label32", "Frame2", {4800, 600, 255, 255}},
                     {"Label25", "Frame2", {240, 720, 855, 255}},     {"Label2", "Frame2", {1200, 720, 255, 255}},
                     {"Text6", "Frame2", {1440, 720, 855, 270}},      {"Label26", "Frame2", {2280, 720, 255, 255}},
                     {"Label27", "Frame2", {240, 1080, 855, 255}},    {"Label8", "Frame2", {1200, 1080, 255, 255}},
                     {"Text7", "Frame2", {1440, 1080, 855, 270}},     {"Label29", "Frame2", {2280, 1080, 255, 255}},
                     {"Command2", "Frame2", {3360, 1320, 1935, 300}}, {"Label28", "Frame2", {240, 1440, 735, 255}},
                     {"Label9", "Frame2", {1200, 1440, 255, 255}},    {"Text8", "Frame2", {1440, 1440, 855, 270}},
                     {"Label30", "Frame2", {2280, 1440, 255, 255}},   {"Command1", "Frame2", {3600, 1680, 1695, 300}},
                     {"Label1", "Frame2", {960, 1800, 495, 255}},     {"Text9", "Frame2", {1440, 1800, 855, 270}},
                     {"Label4", "Frame2", {2400, 1800, 255, 255}},    {"Label3", "Frame2", {960, 2160, 495, 255}},
                     {"Text10", "Frame2", {1440, 2160, 855, 270}},    {"Label5", "Frame2", {2400, 2160, 255, 255}},
                     {"Command4", "Frame2", {2760, 2160, 855, 300}},  {"Command5", "Frame2", {3600, 2160, 855, 300}},
                     {"Command6", "Frame2", {4440, 2160, 855, 300}},
                 });
    // Command7 belongs to the window but lies over the frame, in front of it.
    const QPoint centre = t::Child<QPushButton>(w, "Command7")->geometry().center();
    QVERIFY(t::Child<QGroupBox>(w, "Frame2")->geometry().contains(centre));
    QCOMPARE(w->childAt(centre), t::Child<QPushButton>(w, "Command7"));
  }

  void tabVisitsTheControlsInTabIndexOrder() {
    auto w = open();
    QCOMPARE(t::TabOrder(w.get()),
             (QStringList{"Picture1", "Command3", "Text5", "Text6", "Text7", "Text8", "Command4", "Command5",
                          "Command6", "Command7", "Text9", "Text10", "Command1", "Command2"}));
    // Labels and the frame never take the focus.
    for (const QLabel* label : w->findChildren<QLabel*>()) QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QCOMPARE(t::Child<QGroupBox>(w, "Frame2")->focusPolicy(), Qt::NoFocus);
  }

  void resultLabelsAreWhiteAndBordered() {
    auto w = open();
    for (const QLabel* result : {t::Child<QLabel>(w, "Label12"), t::Child<QLabel>(w, "Label13")}) {
      QCOMPARE(result->palette().color(QPalette::Window), QColor(Qt::white));
      QVERIFY(result->autoFillBackground());
      QCOMPARE(result->frameShape(), QFrame::Box);
      QCOMPARE(result->lineWidth(), 1);
    }
  }

  void inputsAreNamedForScreenReaders() {
    auto w = open();
    QCOMPARE(t::Child<QLineEdit>(w, "Text5")->accessibleName(), QStringLiteral("Z"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text6")->accessibleName(), QStringLiteral("柱距 J"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text7")->accessibleName(), QStringLiteral("吊车宽度 B"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text8")->accessibleName(), QStringLiteral("大车轮距 W"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text9")->accessibleName(), QStringLiteral("Pmax"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text10")->accessibleName(), QStringLiteral("Pmin"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text6")->accessibleDescription(), QStringLiteral("单位：米"));
    QVERIFY(!t::Child<PictureBox>(w, "Picture1")->accessibleName().isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(w.get())->role(), QAccessible::Window);
    QCOMPARE(QAccessible::queryAccessibleInterface(t::Child<PictureBox>(w, "Picture1"))->role(), QAccessible::Graphic);
    QCOMPARE(QAccessible::queryAccessibleInterface(t::Child<QLineEdit>(w, "Text6"))->text(QAccessible::Name),
             QStringLiteral("柱距 J"));
    // A name set on a label would hide its caption from screen readers.
    for (const QLabel* label : w->findChildren<QLabel*>()) QVERIFY(label->accessibleName().isEmpty());
  }

  void calculate_data() {
    QTest::addColumn<QStringList>("inputs");  // Z, J, B, W, Pmax, Pmin
    QTest::addColumn<QString>("dmax");        // expected captions, or " " when nothing may change
    QTest::addColumn<QString>("dmin");
    QTest::addColumn<QString>("message");  // a part of the failure message, empty on success
    QTest::addColumn<QString>("focus");    // the field that takes the focus on failure

    QTest::newRow("worked example") << QStringList{"0.9", "6", "5.5", "4.4", "100", "30"} << "195" << "58.5" << ""
                                    << "";
    QTest::newRow("full-width digits") << QStringList{"０．９", "６", "５．５", "４．４", "１００", "３０"} << "195"
                                       << "58.5" << "" << "";
    QTest::newRow("surrounding spaces") << QStringList{" 0.9", "6 ", "5.5", "4.4", "100", "30"} << "195" << "58.5"
                                        << "" << "";
    QTest::newRow("wheel beyond the outer support counts 0")
        << QStringList{"1", "6", "8", "4.4", "100", "30"} << "166.6667" << "50" << "" << "";
    QTest::newRow("J = 0") << QStringList{"0.9", "0", "5.5", "4.4", "100", "30"} << " " << " " << "J 为 0" << "Text6";
    QTest::newRow("J = W = 0") << QStringList{"0.9", "0", "5.5", "0", "100", "30"} << " " << " " << "J 为 0"
                               << "Text6";
    QTest::newRow("Pmax not a number") << QStringList{"0.9", "6", "5.5", "4.4", "abc", "30"} << " " << " "
                                       << "Pmax 的内容“abc”不是一个数" << "Text9";
    QTest::newRow("first failure in read order") << QStringList{"x", "6", "5.5", "4.4", "100", "y"} << " " << " "
                                                 << "Pmin 的内容“y”" << "Text10";
    QTest::newRow("comma under a point locale") << QStringList{"0.9", "6", "5,5", "4.4", "100", "30"} << " " << " "
                                                << "B 的内容“5,5”" << "Text7";
    QTest::newRow("spaces only are not empty") << QStringList{"0.9", "6", "  ", "4.4", "100", "30"} << " " << " "
                                               << "B 的内容“  ”不是一个数" << "Text7";
    QTest::newRow("input beyond the single range") << QStringList{"0.9", "6", "5.5", "4.4", "1e39", "30"} << " "
                                                   << " " << "Pmax 的数值太大" << "Text9";
    QTest::newRow("result beyond the single range") << QStringList{"0.9", "6", "5.5", "4.4", "3e38", "30"} << " "
                                                    << " " << "计算中出现的数值太大" << "";
    QTest::newRow("direction and control characters are not quoted as such")
        << QStringList{"0.9", "6", "5.5", "4.4", QString::fromUtf8("\u202e1\x07"), "30"} << " " << " "
        << QString::fromUtf8("Pmax 的内容“\ufffd1\ufffd”") << "Text9";
    // Cut by whole characters: a character of two UTF-16 units, or of several code points, is never split.
    QTest::newRow("quote cut after a whole emoji")
        << QStringList{"0.9", "6", "5.5", "4.4", QString(23, u'a') + QString::fromUtf8("😀b"), "30"} << " " << " "
        << QString(23, u'a') + QString::fromUtf8("😀…”") << "Text9";
    QTest::newRow("quote cut after a whole family")
        << QStringList{"0.9", "6", "5.5", "4.4", QString(23, u'a') + QString::fromUtf8("👨‍👩‍👧b"), "30"}
        << " "
        << " " << QString(23, u'a') + QString::fromUtf8("👨‍👩‍👧…”") << "Text9";
    // A box that kept only its first 32767 characters read the first as 1 (no exponent) and the second as 0.
    QTest::newRow("a text beyond 32767 characters is read whole")
        << QStringList{"0.9", "6", "5.5", "4.4", "1." + QString(40000, u'0') + "e5", "30"} << "195000" << "58.5" << ""
        << "";
    QTest::newRow("a text beyond 32767 characters is refused whole")
        << QStringList{"0.9", "6", "5.5", "4.4", QString(40000, u'0') + "-5", "30"} << " " << " "
        << "Pmax 的内容“000000000000000000000000…”不是一个数" << "Text9";
    QTest::newRow("long pasted text is quoted short")
        << QStringList{"0.9", "6", "5.5", "4.4", QString(30000, 'x'), "30"} << " " << " "
        << "Pmax 的内容“xxxxxxxxxxxxxxxxxxxxxxxx…”" << "Text9";
  }
  void calculate() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, dmax);
    QFETCH(QString, dmin);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    auto w = open();
    fill(*w, inputs);
    QTest::mouseClick(t::Child<QPushButton>(w, "Command4"), Qt::LeftButton);
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), dmax);
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), dmin);
    QCOMPARE(texts(*w), inputs);  // a calculation never changes what was typed
    const QString shown = t::TakeMessage(w);
    QVERIFY2(message.isEmpty() ? shown.isEmpty() : shown.contains(message), qPrintable(shown));
    if (!focus.isEmpty()) {
      QCOMPARE(w->focusWidget()->objectName(), focus);
      QCOMPARE(qobject_cast<QLineEdit*>(w->focusWidget())->selectedText(), w->findChild<QLineEdit*>(focus)->text());
    }
  }

  void failureLeavesEarlierResultsAlone() {
    auto w = open();
    fill(*w, {"0.9", "6", "5.5", "4.4", "100", "30"});
    w->calculate();
    t::Child<QLineEdit>(w, "Text6")->setText("0");
    w->calculate();
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral("195"));
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), QStringLiteral("58.5"));
  }

  void emptyFieldsTakeTheFocus_data() {
    QTest::addColumn<QStringList>("inputs");  // Z, J, B, W, Pmax, Pmin
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("message");
    // The message names every empty field, in check order, and the caret is in the last of them.
    QTest::newRow("all empty: last in check order") << QStringList{"", "", "", "", "", ""} << "Text10"
                                                    << "Z、J、B、W、Pmax、Pmin 是空的";
    QTest::newRow("one empty") << QStringList{"0.9", "6", "", "4.4", "100", "30"} << "Text7" << "B 是空的";
    QTest::newRow("two empty: the later keeps it") << QStringList{"", "6", "5.5", "", "100", "30"} << "Text8"
                                                   << "Z、W 是空的";
  }
  void emptyFieldsTakeTheFocus() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, focus);
    QFETCH(QString, message);
    auto w = open();
    fill(*w, inputs);
    w->calculate();
    QCOMPARE(w->focusWidget()->objectName(), focus);
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral(" "));
    const QString shown = t::TakeMessage(w);
    QVERIFY2(!shown.isEmpty() && shown.contains(message), qPrintable(shown));
  }

  void clearEmptiesEveryInputAndKeepsResults() {
    auto w = open();
    fill(*w, {"0.9", "6", "5.5", "4.4", "100", "30"});
    w->calculate();
    QTest::mouseClick(t::Child<QPushButton>(w, "Command5"), Qt::LeftButton);
    QCOMPARE(texts(*w), (QStringList{"", "", "", "", "", ""}));
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral("195"));
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), QStringLiteral("58.5"));
    // Clear then Calculate is Calculate with every field empty.
    w->calculate();
    QCOMPARE(w->focusWidget(), t::Child<QLineEdit>(w, "Text10"));
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral("195"));
  }

  void enterInAFieldCalculates() {
    auto w = open();
    fill(*w, {"0.9", "6", "5.5", "4.4", "100", "30"});
    QTest::keyClick(t::Child<QLineEdit>(w, "Text10"), Qt::Key_Return);
    QCOMPARE(t::Child<QLabel>(w, "Label12")->text(), QStringLiteral("195"));
  }

  void resultsExplainHowTheyWereReached() {
    auto w = open();
    fill(*w, {"0.9", "6", "5.5", "4.4", "100", "30"});
    w->calculate();
    const QString dmax = t::Child<QLabel>(w, "Label12")->toolTip();
    for (const char* part : {"Y1 = 0.2666667", "Y2 = 1", "Y3 = 0.8166667", "Y4 = 0.08333334", "SumY = 2.166667",
                             "Z = 0.9", "Pmax = 100"}) {
      QVERIFY2(dmax.contains(QString::fromUtf8(part)), qPrintable(dmax));
    }
    QVERIFY(t::Child<QLabel>(w, "Label13")->toolTip().contains(QStringLiteral("Pmin = 30")));
  }

  void resultCopiesWithoutTakingTheFocus() {
    auto w = open();
    fill(*w, {"0.9", "6", "5.5", "4.4", "100", "30"});
    w->calculate();
    QWidget* focused = w->focusWidget();
    QCOMPARE(t::Child<QLabel>(w, "Label13")->contextMenuPolicy(), Qt::ActionsContextMenu);
    // Copy, then the calculation sheet.
    QCOMPARE(t::Child<QLabel>(w, "Label13")->actions().size(), 2);
    QCOMPARE(t::Child<QLabel>(w, "Label13")->actions().back()->text(), QStringLiteral("计算书…"));
    t::Child<QLabel>(w, "Label13")->actions().front()->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("58.5"));
    QCOMPARE(w->focusWidget(), focused);
  }

  // This test program neither links the sheet window nor has its module beside it: the sheet says why it does
  // not open; the calculation still shows, and every field keeps its text.
  void sheetThatCannotBeLoadedSaysWhy() {
    auto w = open();
    fill(*w, {"0.9", "6", "5.5", "4.4", "100", "30"});
    w->showSheet();
    const QString message = t::TakeMessage(w);
    QVERIFY2(message.startsWith(u"计算书打不开：") && message.contains(u"sheet_window.so"), qPrintable(message));
    QCOMPARE(t::Child<QLabel>(w, "Label13")->text(), QStringLiteral("58.5"));
    QCOMPARE(t::Child<QLineEdit>(w, "Text9")->text(), QStringLiteral("100"));
    QVERIFY(!w->findChild<QMainWindow*>());
  }

  void failureIsShownInAWindowModalMessage() {
    auto w = open();
    fill(*w, {"0.9", "0", "5.5", "4.4", "100", "30"});
    w->calculate();
    auto* box = w->findChild<QMessageBox*>();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QVERIFY(box->text().contains(QStringLiteral("J 为 0")));
    // A second failure reuses the open message.
    w->calculate();
    QCOMPARE(w->findChildren<QMessageBox*>().size(), 1);
    QVERIFY(t::TakeMessage(w).contains(QStringLiteral("J 为 0")));
    // Dismissed, it is shown again for the next failure.
    w->calculate();
    QCOMPARE(w->findChildren<QMessageBox*>().size(), 1);
    QVERIFY(t::TakeMessage(w).contains(QStringLiteral("J 为 0")));
  }

  void exitClosesAndDestroysTheWindow() {
    QPointer<FormWindow> w = MakeWindow(FormId::VerticalLoads);
    w->show();
    QTest::mouseClick(t::Child<QPushButton>(w, "Command6"), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QTRY_VERIFY(w.isNull());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
