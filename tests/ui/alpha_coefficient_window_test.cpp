#include "window_test_support.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <memory>

using kelvaro::ui::FormWindow;
namespace t = kelvaro::test;

class AlphaCoefficientWindowTest : public QObject {
  Q_OBJECT

  static std::unique_ptr<FormWindow> open() { return t::Open(FormId::AlphaCoefficient); }

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void opensAsAFixedWindowWithItsIcon() {
    auto w = open();
    t::VerifyWindowFrame(w.get(), "αH系数", QSize(304, 163));
  }

  void captionsAreExact_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Label1 heading") << "Label1" << QStringLiteral("αH——系数");
    QTest::newRow("Label5 soft hook, up to 10t")
        << "Label5" << QStringLiteral("对软钩吊车：当额定起重量不大于10t时，应取0.12；");
    QTest::newRow("Label2 soft hook, 16-50t") << "Label2" << QStringLiteral("当额定起重量为16-50t，应取0.10；");
    QTest::newRow("Label3 soft hook, from 75t") << "Label3" << QStringLiteral("当额定起重量不小于75t时，应取0.08。");
    QTest::newRow("Label4 hard hook") << "Label4" << QStringLiteral("对硬钩吊车：应取0.20；");
    QTest::newRow("Command1 closes") << "Command1" << QStringLiteral("*明白了*");
  }
  void captionsAreExact() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    auto w = open();
    const auto* control = w->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(t::CaptionOf(control), caption);
    QVERIFY2(t::CaptionFits(w.get(), control), qPrintable(name));
  }

  // Look-alike ASCII punctuation would pass a glance; these code points are what the window must show.
  void punctuationIsFullWidth_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("codePoints");  // each must occur exactly as often as listed
    QTest::newRow("Label1: two EM DASHes") << "Label1" << QStringLiteral("\u2014\u2014");
    QTest::newRow("Label5: colon, comma, semicolon") << "Label5" << QStringLiteral("\uFF1A\uFF0C\uFF1B");
    QTest::newRow("Label2: comma, semicolon") << "Label2" << QStringLiteral("\uFF0C\uFF1B");
    QTest::newRow("Label3: comma, ideographic full stop") << "Label3" << QStringLiteral("\uFF0C\u3002");
    QTest::newRow("Label4: colon, semicolon") << "Label4" << QStringLiteral("\uFF1A\uFF1B");
  }
  void punctuationIsFullWidth() {
    QFETCH(QString, name);
    QFETCH(QString, codePoints);
    auto w = open();
    const QString caption = t::CaptionOf(w->findChild<QLabel*>(name));
    for (QChar c : codePoints) QCOMPARE(caption.count(c), codePoints.count(c));
    for (char ascii : {':', ',', ';', '-'}) {
      if (name == "Label2" && ascii == '-') continue;  // "16-50t" is a range, written with a hyphen
      QVERIFY2(!caption.contains(QLatin1Char(ascii)), qPrintable(caption));
    }
  }

  void controlsSitWhereTheTablePutsThem() {
    auto w = open();
    t::VerifyGeometry(w.get(), {
                                   {"Label1", "", {240, 240, 4095, 255}},
                                   {"Label5", "", {240, 600, 4335, 255}},
                                   {"Label2", "", {1320, 960, 2895, 255}},
                                   {"Label3", "", {1320, 1320, 3255, 255}},
                                   {"Label4", "", {240, 1680, 2535, 255}},
                                   {"Command1", "", {3240, 2040, 1095, 300}},
                               });
  }

  void onlyTheButtonTakesTheFocus() {
    auto w = open();
    QCOMPARE(w->focusWidget(), t::Child<QPushButton>(w, "Command1"));
    QCOMPARE(t::TabOrder(w.get()), QStringList{"Command1"});
    for (const QLabel* label : w->findChildren<QLabel*>()) {
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
      QVERIFY(label->accessibleName().isEmpty());  // would hide the caption from screen readers
    }
  }

  void theButtonClosesAndDestroysTheWindow() {
    QPointer<FormWindow> w = MakeWindow(FormId::AlphaCoefficient);
    w->show();
    QTest::mouseClick(t::Child<QPushButton>(w, "Command1"), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QTRY_VERIFY(w.isNull());
  }
};

QTEST_MAIN(AlphaCoefficientWindowTest)
#include "alpha_coefficient_window_test.moc"
