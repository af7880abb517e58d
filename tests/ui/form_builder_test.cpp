// Run at several screen scale factors (see CMakeLists.txt). A frame is painted by the form builder itself; it
// must look exactly as the style sheet the windows were designed with draws it, pixel for pixel, at every scale.
#include "form_builder.h"
#include "window_test_support.h"

#include <QGroupBox>
#include <QImage>

namespace t = kelvaro::test;
using namespace kelvaro::ui;

namespace {

// What the frames were drawn with before the form builder painted them itself.
const QString DesignStyleSheet = QStringLiteral(
    "QGroupBox { border: 1px solid palette(mid); margin-top: 8px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }");

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
    QGroupBox* painted = ui.frame("Frame", &host, {120, 120, widthTwips, 2535}, caption, 0);
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
};

QTEST_MAIN(FormBuilderTest)
#include "form_builder_test.moc"
