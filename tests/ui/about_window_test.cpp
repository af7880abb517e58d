#include "window_test_support.h"

#include <QFontInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <memory>

using kelvaro::ui::FormWindow;
namespace t = kelvaro::test;

class AboutWindowTest : public QObject {
  Q_OBJECT

  static std::unique_ptr<FormWindow> open() { return t::Open(FormId::About); }

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void opensAsAFixedWindow() {
    auto w = open();
    t::VerifyWindowFrame(w.get(), "关于Kelvaro", QSize(312, 206));
  }

  void captionsAreExact_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Label7 title") << "Label7" << QStringLiteral("Kelvaro");
    QTest::newRow("Label1 first piece") << "Label1" << QStringLiteral("本程序为Kelvaro的程序，同时可以");
    QTest::newRow("Label2 ends inside a word")
        << "Label2" << QStringLiteral("计算最小轮压和吊车横向水平刹车力。各个程序之间彼");
    QTest::newRow("Label8 begins inside a word")
        << "Label8" << QStringLiteral("此独立存在，在运算时互不影响，因此，允许多个程序");
    QTest::newRow("Label3 last piece") << "Label3" << QStringLiteral("同时运行。");
    QTest::newRow("Label4 developer") << "Label4" << QStringLiteral("开发者：Kelvaro 开发组");
    QTest::newRow("Label5 version") << "Label5" << QStringLiteral("版本：2007-06-28");
    QTest::newRow("Label6 no contact number") << "Label6" << QStringLiteral("QQ：—");
    QTest::newRow("Command1 closes") << "Command1" << QStringLiteral("OK");
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

  void fullWidthColonsAndNoPhoneNumber_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("Label4") << "Label4";
    QTest::newRow("Label5") << "Label5";
    QTest::newRow("Label6") << "Label6";
  }
  void fullWidthColonsAndNoPhoneNumber() {
    QFETCH(QString, name);
    auto w = open();
    const QString caption = w->findChild<QLabel*>(name)->text();
    QCOMPARE(caption.count(QChar(0xFF1A)), 1);
    QVERIFY(!caption.contains(':'));
    // Whatever follows "QQ：" must not be a number that could reach a real person.
    if (name == "Label6") QVERIFY(std::none_of(caption.begin(), caption.end(), [](QChar c) { return c.isDigit(); }));
  }

  void thePiecesReadAsOneTextTopToBottom() {
    auto w = open();
    QList<QLabel*> pieces{t::Child<QLabel>(w, "Label1"), t::Child<QLabel>(w, "Label2"), t::Child<QLabel>(w, "Label8"),
                          t::Child<QLabel>(w, "Label3")};
    std::ranges::sort(pieces, {}, [](const QLabel* l) { return l->y(); });
    QString text;
    for (const QLabel* piece : pieces) text += piece->text();
    QCOMPARE(text, QStringLiteral("本程序为Kelvaro的程序，同时可以计算最小轮压和吊车横向水平刹车力。"
                                  "各个程序之间彼此独立存在，在运算时互不影响，因此，允许多个程序同时运行。"));
  }

  void theTitleIsBoldKaiAt14Point25() {
    auto w = open();
    const QFont font = t::Child<QLabel>(w, "Label7")->font();
    QCOMPARE(font.families().front(), QStringLiteral("楷体_GB2312"));
    QCOMPARE(font.pointSizeF(), 14.25);
    QCOMPARE(font.weight(), QFont::Bold);
    QVERIFY(!font.italic());
    QVERIFY(!font.underline());
    // The Kai face the project installs stands in where the original is missing; a plain sans would not do.
    const QString family = QFontInfo(font).family();
    QVERIFY2(family.contains("Kai", Qt::CaseInsensitive) || family.contains(QStringLiteral("楷")), qPrintable(family));
    // Only the title has a font of its own.
    for (const QLabel* label : w->findChildren<QLabel*>()) {
      if (label != t::Child<QLabel>(w, "Label7")) QCOMPARE(label->font(), w->font());
    }
  }

  void controlsSitWhereTheTablePutsThem() {
    auto w = open();
    t::VerifyGeometry(w.get(), {
                                   {"Label7", "", {840, 120, 3015, 375}},
                                   {"Label1", "", {120, 600, 4575, 255}},
                                   {"Label2", "", {120, 960, 4455, 255}},
                                   {"Label8", "", {120, 1320, 4335, 255}},
                                   {"Label3", "", {120, 1680, 4455, 255}},
                                   {"Label4", "", {2160, 2040, 1695, 255}},
                                   {"Label5", "", {2160, 2280, 1695, 255}},
                                   {"Label6", "", {2160, 2520, 1575, 255}},
                                   {"Command1", "", {3600, 2640, 975, 300}},
                               });
    // Label6 reaches under the button: its caption must end before the button begins.
    QVERIFY(t::Child<QLabel>(w, "Label6")->x() +
                t::Child<QLabel>(w, "Label6")->fontMetrics().horizontalAdvance(t::Child<QLabel>(w, "Label6")->text()) <
            t::Child<QPushButton>(w, "Command1")->x());
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

  void okClosesAndDestroysTheWindow() {
    QPointer<FormWindow> w = MakeWindow(FormId::About);
    w->show();
    QTest::mouseClick(t::Child<QPushButton>(w, "Command1"), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QTRY_VERIFY(w.isNull());
  }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
