// The sheet window's module as the program loads it: the real one is accepted and shows the sheet; a file that is
// missing, one that is not a plugin and a plugin of another interface version are refused, with a message that
// names the module and the reason.
#include "sheet_loader.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kelvaro::ui;

class SheetLoaderTest : public QObject {
  Q_OBJECT

  QTemporaryDir scratch_;
  QString scratch(const char* name) const { return scratch_.filePath(QString::fromUtf8(name)); }

 private slots:
  void initTestCase() {
    QVERIFY(scratch_.isValid());
    QFile notAPlugin(scratch("not_a_plugin.so"));
    QVERIFY(notAPlugin.open(QIODevice::WriteOnly));
    notAPlugin.write(
        "\x7f"
        "ELF, or so it says");
  }

  void refusesWhatIsNotTheSheetModule_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("said");  // besides "计算书打不开" and the path
    QTest::newRow("missing") << scratch("sheet_window.so") << QStringList{};
    QTest::newRow("not a plugin") << scratch("not_a_plugin.so") << QStringList{};
    QTest::newRow("another interface version") << QString::fromUtf8(KELVARO_OLD_SHEET_PLUGIN)
                                               << QStringList{QStringLiteral("提供 org.kelvaro.SheetWindow/0.9"),
                                                              QStringLiteral("需要 org.kelvaro.SheetWindow/1.2")};
  }
  void refusesWhatIsNotTheSheetModule() {
    QFETCH(QString, path);
    QFETCH(QStringList, said);
    const auto loaded = LoadSheetWindow(path);
    QVERIFY(!loaded);
    const QString& message = loaded.error();
    QVERIFY2(message.startsWith(QStringLiteral("计算书打不开：")), qPrintable(message));
    QVERIFY2(message.contains(path), qPrintable(message));
    // The reason is on a line of its own after the module's name, never left empty.
    QVERIFY2(!message.section(u'\n', 1).trimmed().isEmpty(), qPrintable(message));
    for (const QString& part : said) QVERIFY2(message.contains(part), qPrintable(message));
  }

  void theModuleShowsTheSheet() {
    const QString path = QString::fromUtf8(KELVARO_SHEET_MODULE_PATH);
    const auto loaded = LoadSheetWindow(path);
    QVERIFY2(loaded, loaded ? "" : qPrintable(loaded.error()));
    // Loaded once: a second load is the same instance.
    const auto again = LoadSheetWindow(path);
    QVERIFY(again && *again == *loaded);

    CalculationSheet first;
    first.name = "吊车Dmax和Dmin计算";
    const std::unique_ptr<QWidget> window((*loaded)->show(nullptr, first, nullptr));
    QVERIFY(window);
    QVERIFY(window->inherits("kelvaro::ui::SheetWindow"));
    QCOMPARE(window->windowTitle(), QStringLiteral("计算书 - 吊车Dmax和Dmin计算"));
    // A window it made takes the next sheet rather than another window being opened.
    CalculationSheet next = first;
    next.name = "吊车横向水平荷载计算";
    QCOMPARE((*loaded)->show(window.get(), next, nullptr), window.get());
  }
};

QTEST_MAIN(SheetLoaderTest)
#include "sheet_loader_test.moc"
