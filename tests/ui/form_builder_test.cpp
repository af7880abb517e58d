// Run at several screen scale factors (see CMakeLists.txt). A frame is painted by the form builder itself; it
// must look exactly as the style sheet the windows were designed with draws it, pixel for pixel, at every scale.
#include "form_builder.h"
#include "form_window.h"
#include "window_test_support.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>

#include <algorithm>
#include <memory>

namespace t = kelvaro::test;
using namespace kelvaro::ui;

namespace {

// What the frames were drawn with before the form builder painted them itself.
const QString DesignStyleSheet = QStringLiteral(
    "QGroupBox { border: 1px solid palette(mid); margin-top: 8px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }");

// The width a widget has when it is first painted.
class FirstPaint : public QObject {
 public:
  int width = -1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && width < 0) width = static_cast<QWidget*>(watched)->width();
    return false;
  }
};

}  // namespace

class FormBuilderTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void frameLooksAsItsDesignStyleSheetDrawsIt_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("Chinese and ASCII, as on the main window") << "Dmax和Dmin计算" << 5535 << true;
    QTest::newRow("Chinese only") << "吊车最小轮压计算" << 3135 << true;
    QTest::newRow("one narrow letter: the box is a space wider") << "i" << 3135 << true;
    QTest::newRow("a caption with a mnemonic marker") << "A&B" << 3135 << true;
    QTest::newRow("no caption: the top line is whole") << "" << 3135 << true;
    QTest::newRow("caption wider than the frame") << "吊车横向水平刹车力吊车横向水平刹车力" << 1200 << true;
    QTest::newRow("disabled: greyed caption") << "吊车横向水平刹车力" << 6975 << false;
  }
  void frameLooksAsItsDesignStyleSheetDrawsIt() {
    QFETCH(QString, caption);
    QFETCH(int, widthTwips);
    QFETCH(bool, enabled);
    QWidget host;
    host.resize(TwipsToPixels(widthTwips) + 20, 200);
    FormBuilder ui(&host);
    QGroupBox* painted = ui.frame("Frame", &host, {120, 120, widthTwips, 2535}, caption);
    auto* designed = new QGroupBox(caption, &host);
    designed->setStyleSheet(DesignStyleSheet);
    designed->setGeometry(painted->geometry());
    painted->setEnabled(enabled);
    designed->setEnabled(enabled);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));

    const QImage expected = designed->grab().toImage();
    const QImage actual = painted->grab().toImage();
    QCOMPARE(actual.size(), expected.size());
    QVERIFY2(actual == expected,
             qPrintable(
                 QStringLiteral("the frame differs from its style sheet at scale %1").arg(actual.devicePixelRatio())));
  }

  void captionIsWholeFromTheFirstFrame_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<bool>("inFormWindow");
    QTest::newRow("narrower than its caption, in a window: grows before it is drawn") << "Z:" << 135 << true;
    QTest::newRow("narrower, Chinese, in a window") << "吊车宽度" << 255 << true;
    QTest::newRow("wide enough: keeps the table's width") << "米" << 255 << true;
    QTest::newRow("narrower, in a plain widget: grows at once") << "Dmax:" << 135 << false;
  }
  void captionIsWholeFromTheFirstFrame() {
    QFETCH(QString, caption);
    QFETCH(int, widthTwips);
    QFETCH(bool, inFormWindow);
    std::unique_ptr<QWidget> window;
    if (inFormWindow) {
      // A window without controls of its own, for the one the builder adds.
      static constexpr kelvaro::forms::Form Empty{kelvaro::forms::FormId::About, "Form0", "caption", 3000, 1500,
                                                  "icons/main_window.svg",       {},      {},        {},   nullptr};
      window = std::make_unique<FormWindow>(Empty);
      window->setAttribute(Qt::WA_DeleteOnClose, false);
    } else {
      window = std::make_unique<QWidget>();
      window->resize(200, 100);
    }
    FormBuilder ui(window.get());
    QLabel* label = ui.label("Label1", window.get(), {120, 120, widthTwips, 255}, caption);
    const int want = std::max(TwipsToPixels(widthTwips), label->fontMetrics().horizontalAdvance(caption));
    if (!inFormWindow) QCOMPARE(label->width(), want);
    FirstPaint firstPaint;
    label->installEventFilter(&firstPaint);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY(firstPaint.width >= 0);
    QCOMPARE(firstPaint.width, want);
    QCOMPARE(label->width(), want);
  }
};

QTEST_MAIN(FormBuilderTest)
#include "form_builder_test.moc"
