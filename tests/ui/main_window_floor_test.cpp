// The start-up benchmark compares Kelvaro with a bare Qt program that builds the main window's controls from the
// rows bench/MainWindowTable.cmake reads out of ui/main_window.cpp. Those rows must be the window's controls,
// all of them, each of its kind, in its container, at its place, with its text: else the floor is another window.
#include "main_window.h"
#include "main_window_table.h"
#include "picture_box.h"
#include "window_test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace t = kelvaro::test;
using namespace kelvaro::ui;
using kelvaro::bench::FloorControl;
using kelvaro::bench::FloorKind;
using kelvaro::bench::MainWindowControls;
using kelvaro::bench::MainWindowForm;

namespace {

// The text a row gives a control, as the control holds it.
QString TextOf(const QWidget* control, FloorKind kind) {
  switch (kind) {
    case FloorKind::label:
    case FloorKind::resultLabel:
      return qobject_cast<const QLabel*>(control)->text().trimmed();
    case FloorKind::textBox:
      return qobject_cast<const QLineEdit*>(control)->text();
    case FloorKind::button:
      return qobject_cast<const QPushButton*>(control)->text();
    case FloorKind::frame:
      return qobject_cast<const QGroupBox*>(control)->title();
    case FloorKind::picture:
      break;
  }
  return {};
}

bool IsKind(const QWidget* control, FloorKind kind) {
  switch (kind) {
    case FloorKind::label:
      return qobject_cast<const QLabel*>(control) && qobject_cast<const QLabel*>(control)->frameWidth() == 0;
    case FloorKind::resultLabel:
      return qobject_cast<const QLabel*>(control) && qobject_cast<const QLabel*>(control)->frameWidth() > 0;
    case FloorKind::textBox:
      return qobject_cast<const QLineEdit*>(control);
    case FloorKind::button:
      return qobject_cast<const QPushButton*>(control);
    case FloorKind::frame:
      return qobject_cast<const QGroupBox*>(control);
    case FloorKind::picture:
      return qobject_cast<const PictureBox*>(control);
  }
  return false;
}

}  // namespace

class MainWindowFloorTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void floorHasTheWindowsCaptionAndSize() {
    MainWindow w;
    QCOMPARE(w.windowTitle(), QString::fromUtf16(MainWindowForm.caption));
    QCOMPARE(w.size(), QSize(TwipsToPixels(MainWindowForm.widthTwips), TwipsToPixels(MainWindowForm.heightTwips)));
  }

  void everyRowIsAControlOfTheWindow_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < MainWindowControls.size(); ++i) {
      QTest::newRow(MainWindowControls[i].name) << static_cast<int>(i);
    }
  }
  void everyRowIsAControlOfTheWindow() {
    QFETCH(int, row);
    const FloorControl& c = MainWindowControls[static_cast<std::size_t>(row)];
    MainWindow w;  // not shown: captions keep the table's widths
    const auto* control = w.findChild<const QWidget*>(QString::fromLatin1(c.name));
    QVERIFY(control);
    QVERIFY(IsKind(control, c.kind));
    const QWidget* container = *c.container ? w.findChild<QWidget*>(QString::fromLatin1(c.container)) : &w;
    QCOMPARE(control->parentWidget(), container);
    QCOMPARE(control->geometry(), ToPixels({c.at.left, c.at.top, c.at.width, c.at.height}));
    if (c.kind != FloorKind::picture) QCOMPARE(TextOf(control, c.kind), QString::fromUtf16(c.text));
  }

  void everyControlOfTheWindowHasARow() {
    MainWindow w;
    QStringList controls;
    for (const QWidget* control : w.findChildren<const QWidget*>()) {
      if (!control->objectName().isEmpty() && !control->objectName().startsWith(QLatin1String("qt_"))) {
        controls << control->objectName();
      }
    }
    QStringList rows;
    for (const FloorControl& c : MainWindowControls) rows << QString::fromLatin1(c.name);
    controls.sort();
    rows.sort();
    QCOMPARE(rows, controls);
  }
};

QTEST_MAIN(MainWindowFloorTest)
#include "main_window_floor_test.moc"
