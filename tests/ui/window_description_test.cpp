// What each window says about itself, for the browser edition's dump of the windows, is what it does and shows:
// the twips kept on each control give its place, the buttons it lists as opening or closing do so, and the
// calculators' declared fields, results and buttons are the window's own.
#include "calculator_window.h"
#include "form_builder.h"
#include "window_slots.h"
#include "window_test_support.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

using kelvaro::app::WindowSlots;
using namespace kelvaro::ui;
namespace t = kelvaro::test;

Q_DECLARE_METATYPE(kelvaro::ui::WindowKind)

class WindowDescriptionTest : public QObject {
  Q_OBJECT

  static QList<WindowKind> allKinds() { return {AllWindowKinds.begin(), AllWindowKinds.end()}; }

 private slots:
  void initTestCase() {
    t::SetUpWindowTests();
    QApplication::setQuitOnLastWindowClosed(false);
  }

  void eachControlKeepsTheTwipsItIsPlacedBy_data() {
    QTest::addColumn<WindowKind>("kind");
    for (const WindowKind kind : allKinds()) QTest::newRow(qPrintable(QString::number(int(kind) + 1))) << kind;
  }
  void eachControlKeepsTheTwipsItIsPlacedBy() {
    QFETCH(WindowKind, kind);
    WindowSlots windows;
    FormWindow* w = windows.show(kind);
    QCOMPARE(QSize(TwipsToPixels(w->clientTwips().width()), TwipsToPixels(w->clientTwips().height())), w->size());
    QVERIFY(!QIcon(w->iconResource()).isNull());
    const auto controls = w->findChildren<QWidget*>();
    int described = 0;
    for (const QWidget* c : controls) {
      const std::optional<DesignRow> row = DesignRowOf(c);
      if (!row) continue;
      ++described;
      const QRect want = ToPixels(row->at);
      QVERIFY2(c->pos() == want.topLeft() && c->height() == want.height(), qPrintable(c->objectName()));
      QVERIFY2(c->inherits("QLabel") ? c->width() >= want.width() : c->width() == want.width(),
               qPrintable(c->objectName()));
    }
    // Every control of the design table, and nothing else a window shows, is described.
    int made = 0;
    for (const QWidget* c : controls)
      made += c->objectName().isEmpty() || c->parentWidget()->inherits("QLineEdit") ? 0 : 1;
    QCOMPARE(described, made);
    w->close();
  }

  void listedButtonsOpenAndCloseWhatTheySay_data() { eachControlKeepsTheTwipsItIsPlacedBy_data(); }
  void listedButtonsOpenAndCloseWhatTheySay() {
    QFETCH(WindowKind, kind);
    WindowSlots windows;
    FormWindow* w = windows.show(kind);
    for (const auto& [button, target] : w->openers()) {
      QSignalSpy asked(w, &FormWindow::showWindowRequested);
      button->click();
      QCOMPARE(asked.count(), 1);
      QCOMPARE(asked.front().front().value<WindowKind>(), target);
    }
    for (QPushButton* button : w->closers()) {
      QPointer<FormWindow> open = windows.show(kind);
      button->click();
      QVERIFY(!open || !open->isVisible());
    }
    if (auto* c = qobject_cast<CalculatorWindow*>(windows.show(kind))) {
      QCOMPARE(c->closers(), std::vector<QPushButton*>{c->buttons().exit});
      QVERIFY(!c->calculation().empty());
      for (const auto& r : c->resultFields()) QCOMPARE(r.target->window(), c);
    }
    for (const WindowKind k : allKinds()) {
      if (QWidget* open = windows.window(k)) open->close();
    }
  }
};

QTEST_MAIN(WindowDescriptionTest)
#include "window_description_test.moc"
