// Run at several screen scale factors (see CMakeLists.txt). The windows' icons are drawn without Qt's SVG icon
// plugin; X11 must still be given exactly the icon that plugin draws, at every size it asks for, in every mode.
#include "look.h"
#include "window_test_support.h"

#include <QFileDialog>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include <memory>

namespace t = kelvaro::test;
using namespace Qt::StringLiterals;
using namespace kelvaro::ui;

class LookTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { t::SetUpWindowTests(); }

  void iconIsDrawnAsTheSvgPluginDrawsIt_data() {
    QTest::addColumn<QString>("resource");
    QTest::addColumn<int>("size");
    QTest::addColumn<QIcon::Mode>("mode");
    const char* const resources[] = {":/icons/main_window.svg",
                                     ":/icons/min_wheel_window.svg",
                                     ":/icons/horizontal_load_window.svg",
                                     ":/icons/coefficient_table_window.svg",
                                     ":/icons/alpha_coefficient_window.svg",
                                     ":/icons/about_window.svg"};
    // X11 is given 16, 32, 64 and 128; 22 and 48 are sizes of panels and docks; disabled comes from the style.
    for (const char* resource : resources) {
      for (int size : {16, 22, 32, 48, 64, 128}) {
        QTest::addRow("%s %d", resource, size) << QString::fromLatin1(resource) << size << QIcon::Normal;
      }
      QTest::addRow("%s 32 disabled", resource) << QString::fromLatin1(resource) << 32 << QIcon::Disabled;
    }
    QTest::newRow("not square: scaled into the size") << ":/influence_diagram.svg" << 64 << QIcon::Normal;
  }
  void iconIsDrawnAsTheSvgPluginDrawsIt() {
    QFETCH(QString, resource);
    QFETCH(int, size);
    QFETCH(QIcon::Mode, mode);
    const QIcon plugin(resource);
    const QIcon ours = SvgIcon(resource);
    QCOMPARE(ours.availableSizes(mode), plugin.availableSizes(mode));
    const QPixmap expected = plugin.pixmap(QSize(size, size), mode);
    const QPixmap actual = ours.pixmap(QSize(size, size), mode);
    QVERIFY(!expected.isNull());
    QCOMPARE(actual.devicePixelRatio(), expected.devicePixelRatio());
    QCOMPARE(actual.size(), expected.size());
    QVERIFY(actual.toImage() == expected.toImage());
  }

  // A missing resource is a null icon, as with the plugin; the resource is read once, however often it is drawn
  // (a second reading would warn a second time).
  void missingResourceIsANullIconReadOnce() {
    const QIcon ours = SvgIcon(QStringLiteral(":/icons/no_such_window.svg"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot open file.*no_such_window")));
    QVERIFY(ours.isNull());
    QVERIFY(ours.pixmap(32, 32).isNull());
    QVERIFY(ours.pixmap(64, 64).isNull());
  }

  // Texts that come from the toolkit, not from the program: a field's menu, the file dialog the sheet is exported
  // through, and the question it asks before replacing a file, whatever the language of the system.
  void toolkitTextsAreChinese() {
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList menuTexts;
    for (const QAction* action : menu->actions()) menuTexts << action->text().section(u'\t', 0, 0);
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    QMessageBox question(QMessageBox::Warning, {}, {}, QMessageBox::Yes | QMessageBox::No);
    const struct {
      QString shown, expected;
    } rows[] = {
        {menuTexts.join(u'|'), u"撤消(&U)|重做(&R)||剪切(&T)|复制(&C)|粘贴(&P)|删除||全选"_s},
        {files.findChild<QLabel*>(u"fileNameLabel"_s)->text(), u"文件名称(&N)："_s},
        {question.button(QMessageBox::Yes)->text() + u'|' + question.button(QMessageBox::No)->text(),
         u"是(&Y)|否(&N)"_s},
    };
    for (const auto& row : rows) QCOMPARE(row.shown, row.expected);
  }
};

QTEST_MAIN(LookTest)
#include "look_test.moc"
