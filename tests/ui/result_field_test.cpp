// Run at several screen scale factors (see CMakeLists.txt): every result field shows its whole text, even the
// longest that a result can be written as, in 7 pt at the least, and keeps its place. A cut number reads as another
// number.
#include "window_test_support.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>

#include <cmath>
#include <memory>

namespace t = kelvaro::test;
using namespace kelvaro::ui;

namespace {

// A label cuts its text at the right: the last column of pixels inside its border then holds part of a glyph.
bool InkInsideRightBorder(QLabel* label) {
  const QImage image = label->grab().toImage();
  const qreal dpr = image.devicePixelRatio();
  const int x = static_cast<int>(std::floor((label->width() - label->frameWidth()) * dpr)) - 1;
  const int top = static_cast<int>(std::ceil(label->frameWidth() * dpr));
  const int bottom = image.height() - top;
  for (int y = top; y < bottom; ++y) {
    if (qGray(image.pixel(x, y)) < 128) return true;
  }
  return false;
}

// A line edit too narrow for its text scrolls it: the first character is no longer at its left edge, or the last
// not at its right.
bool Scrolled(QLineEdit* box) {
  const int middle = box->height() / 2;
  return box->cursorPositionAt(QPoint(4, middle)) != 0 ||
         box->cursorPositionAt(QPoint(box->width() - 4, middle)) != box->text().size();
}

}  // namespace

class ResultFieldTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void longestResultsShowWhole_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("inputs");   // in the order of the window's fields below
    QTest::addColumn<QStringList>("results");  // expected texts, in result order
    // SumY = 2 and Z = 0.5: Dmax and Dmin are Pmax and Pmin themselves.
    QTest::newRow("Dmax, Dmin") << "main" << QStringList{"0.5", "6", "12", "0", "-3.402823e38", "-0.0001234568"}
                                << QStringList{"-3.402823E+38", "-0.0001234568"};
    QTest::newRow("Dmin exponent") << "main" << QStringList{"0.5", "6", "12", "0", "1", "12345678"}
                                   << QStringList{"1", "1.234568E+07"};
    QTest::newRow("Dmin small") << "main" << QStringList{"0.5", "6", "12", "0", "1", "0.08333334"}
                                << QStringList{"1", "0.08333334"};
    QTest::newRow("Pmin large") << "wheel" << QStringList{"3.402823e38", "0", "0", "1"} << QStringList{"-3.402823E+38"};
    QTest::newRow("Pmin small") << "wheel" << QStringList{"0.0001234568", "0", "0", "1"}
                                << QStringList{"-0.0001234568"};
    QTest::newRow("H, H1 large") << "horizontal"
                                 << QStringList{"-3.402823e38", "0", "0.5", "1", "0.1019366", "6", "12", "0"}
                                 << QStringList{"-3.402816E+38", "-3.402816E+38"};
    QTest::newRow("H, H1 small") << "horizontal"
                                 << QStringList{"-0.0001234568", "0", "0.5", "1", "0.1019368", "6", "12", "0"}
                                 << QStringList{"-0.0001234568", "-0.0001234568"};
  }
  void longestResultsShowWhole() {
    QFETCH(QString, window);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, results);
    std::unique_ptr<CalculatorWindow> w;
    QList<QLineEdit*> fields;
    QList<QWidget*> targets;
    if (window == u"main") {
      auto m = t::Open<CalculatorWindow>(FormId::VerticalLoads);
      fields = {t::Child<QLineEdit>(m, "Text5"), t::Child<QLineEdit>(m, "Text6"), t::Child<QLineEdit>(m, "Text7"),
                t::Child<QLineEdit>(m, "Text8"), t::Child<QLineEdit>(m, "Text9"), t::Child<QLineEdit>(m, "Text10")};
      targets = {t::Child<QLabel>(m, "Label12"), t::Child<QLabel>(m, "Label13")};
      w = std::move(m);
    } else if (window == u"wheel") {
      auto m = t::Open<CalculatorWindow>(FormId::MinWheelPressure);
      fields = {t::Child<QLineEdit>(m, "Text1"), t::Child<QLineEdit>(m, "Text2"), t::Child<QLineEdit>(m, "Text3"),
                t::Child<QLineEdit>(m, "Text4")};
      targets = {t::Child<QLineEdit>(m, "Text9")};
      w = std::move(m);
    } else {
      auto m = t::Open<CalculatorWindow>(FormId::HorizontalLoads);
      fields = {t::Child<QLineEdit>(m, "Text1"), t::Child<QLineEdit>(m, "Text2"), t::Child<QLineEdit>(m, "Text3"),
                t::Child<QLineEdit>(m, "Text4"), t::Child<QLineEdit>(m, "Text5"), t::Child<QLineEdit>(m, "Text6"),
                t::Child<QLineEdit>(m, "Text7"), t::Child<QLineEdit>(m, "Text8")};
      targets = {t::Child<QLabel>(m, "Label12"), t::Child<QLabel>(m, "Label13")};
      w = std::move(m);
    }
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QList<QRect> before = [&] {
      QList<QRect> rects;
      for (const QWidget* target : targets) rects << target->geometry();
      return rects;
    }();
    t::Fill(fields, inputs);
    QVERIFY(w->calculate());
    for (qsizetype i = 0; i < targets.size(); ++i) {
      QWidget* target = targets[i];
      // Never below 7 pt: a text still too wide there widens its field to the right, which keeps its place.
      QVERIFY2(target->font().pointSizeF() >= 7.0, qPrintable(results[i]));
      QCOMPARE(target->geometry().topLeft(), before[i].topLeft());
      QCOMPARE(target->height(), before[i].height());
      QVERIFY(target->width() >= before[i].width());
      QCOMPARE(target->palette().color(QPalette::WindowText), QColor(Qt::black));
      if (auto* label = qobject_cast<QLabel*>(target)) {
        QCOMPARE(label->text(), results[i]);
        QVERIFY2(!InkInsideRightBorder(label), qPrintable(results[i]));
      } else {
        auto* box = qobject_cast<QLineEdit*>(target);
        QCOMPARE(box->text(), results[i]);
        QVERIFY2(!Scrolled(box), qPrintable(results[i]));
      }
    }
  }

  // After the longest result, an ordinary one is shown in the window's font in the table's field again.
  void ordinaryResultsKeepTheWindowsFont() {
    auto w = t::Open<CalculatorWindow>(FormId::VerticalLoads);
    const QList<QLineEdit*> fields{t::Child<QLineEdit>(w, "Text5"), t::Child<QLineEdit>(w, "Text6"),
                                   t::Child<QLineEdit>(w, "Text7"), t::Child<QLineEdit>(w, "Text8"),
                                   t::Child<QLineEdit>(w, "Text9"), t::Child<QLineEdit>(w, "Text10")};
    auto* dmax = t::Child<QLabel>(w, "Label12");
    const QRect table = dmax->geometry();
    t::Fill(fields, {"0.5", "6", "12", "0", "-3.402823e38", "1"});
    QVERIFY(w->calculate());
    t::Fill(fields, {"0.9", "6", "5.5", "4.4", "100", "30"});
    QVERIFY(w->calculate());
    QCOMPARE(dmax->font(), t::Child<QGroupBox>(w, "Frame2")->font());
    QCOMPARE(dmax->geometry(), table);
  }
};

QTEST_MAIN(ResultFieldTest)
#include "result_field_test.moc"
