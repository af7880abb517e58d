#include "picture_box.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QXmlStreamReader>

#include <memory>

using kelvaro::ui::FormWindow;
namespace t = kelvaro::test;

class CoefficientTableWindowTest : public QObject {
  Q_OBJECT

  static std::unique_ptr<FormWindow> open() { return t::Open(FormId::CoefficientTable); }
  static QString spoken(const FormWindow& w) {
    return t::Child<PictureBox>(&w, "Picture1")->accessibleName() + '\n' +
           t::Child<PictureBox>(&w, "Picture1")->accessibleDescription();
  }

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void opensWithThePictureAtItsTopLeft() {
    auto w = open();
    t::VerifyWindowFrame(w.get(), "折减系数", QSize(379, 161));
    t::VerifyGeometry(w.get(), {{"Picture1", "", {0, 0, 5655, 2415}}});
    QCOMPARE(t::Child<PictureBox>(w, "Picture1")->pictureSize(), QSize(377, 160));
    // The artwork is drawn, black on white, from the box's top-left corner.
    const QImage shown = t::Child<PictureBox>(w, "Picture1")->grab().toImage();
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::white));
    int dark = 0;
    for (int y = 0; y < 160; ++y)
      for (int x = 0; x < 377; ++x) dark += qGray(shown.pixel(x, y)) < 64;
    QVERIFY2(dark > 500, qPrintable(QString::number(dark)));
  }

  void hasNoButtonsAndNothingToTypeInto() {
    auto w = open();
    QVERIFY(w->findChildren<QAbstractButton*>().isEmpty());
    QVERIFY(w->findChildren<QLineEdit*>().isEmpty());
    QVERIFY(w->findChildren<QTextEdit*>().isEmpty());
    QVERIFY(w->findChildren<QPlainTextEdit*>().isEmpty());
    QVERIFY(w->findChildren<QAbstractSpinBox*>().isEmpty());
    QVERIFY(w->findChildren<QComboBox*>().isEmpty());
    // The picture alone takes the focus, so the keyboard still reaches the window.
    QCOMPARE(w->focusWidget(), t::Child<PictureBox>(w, "Picture1"));
    QCOMPARE(t::TabOrder(w.get()), QStringList{"Picture1"});
  }

  void theTableIsReadOutRowByRow_data() {
    QTest::addColumn<QString>("passage");
    QTest::newRow("title with its number") << QStringLiteral("表4-2 多台吊车竖向和水平荷载折减系数");
    QTest::newRow("what the columns are") << QStringLiteral("按参与组合的吊车台数和吊车工作级别取值");
    QTest::newRow("two cranes") << QStringLiteral("2台：A1~A5 为 0.9，A6~A8 为 0.95");
    QTest::newRow("three cranes, 0.90 as printed") << QStringLiteral("3台：A1~A5 为 0.85，A6~A8 为 0.90");
    QTest::newRow("four cranes") << QStringLiteral("4台：A1~A5 为 0.8，A6~A8 为 0.85");
  }
  void theTableIsReadOutRowByRow() {
    QFETCH(QString, passage);
    auto w = open();
    QVERIFY2(spoken(*w).contains(passage), qPrintable(spoken(*w)));
  }

  void everyTextOfThePictureIsReadOut() {
    // Changing the artwork without the spoken table (or the other way round) would tell two stories.
    QFile svg(":/coefficient_table.svg");
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QStringList texts;
    while (!xml.atEnd()) {
      if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text")) {
        texts << xml.readElementText();
      }
    }
    QVERIFY(!xml.hasError());
    QCOMPARE(texts.size(), 15);  // two titles, four headings, nine cells
    auto w = open();
    for (const QString& text : texts) QVERIFY2(spoken(*w).contains(text), qPrintable(text));
  }
};

QTEST_MAIN(CoefficientTableWindowTest)
#include "coefficient_table_window_test.moc"
