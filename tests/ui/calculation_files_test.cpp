// Calculation files on the desktop: save → open in each calculator, a file opening the window of its kind, every
// refusal leaving every window as it was, a failed save keeping the old file, and the recent files.
#include "calculation_files.h"
#include "window_slots.h"
#include "window_test_support.h"

#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include <unistd.h>

using kelvaro::app::WindowSlots;
using kelvaro::forms::FormId;
using kelvaro::ui::CalculatorWindow;
namespace t = kelvaro::test;
namespace f = kelvaro::forms;
using namespace Qt::StringLiterals;

class CalculationFilesTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString path(const QString& name) const { return dir_.filePath(name); }
  void write(const QString& name, const QByteArray& content) const {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  static CalculatorWindow* show(WindowSlots& windows, FormId id) {
    return qobject_cast<CalculatorWindow*>(windows.show(id));
  }
  // What the open windows show: every field's and result's text, by window and control.
  static QStringList shown(const WindowSlots& windows) {
    QStringList out;
    for (const FormId id : t::AllFormIds()) {
      const kelvaro::ui::FormWindow* w = windows.window(id);
      if (!w) continue;
      // The window's own controls: a message box has labels too.
      const auto own = [w](const QWidget* c) { return f::ControlNamed(w->form(), c->objectName().toStdString()); };
      for (const QLineEdit* edit : w->findChildren<QLineEdit*>()) {
        if (own(edit)) out << edit->objectName() + u'=' + edit->text();
      }
      for (const QLabel* label : w->findChildren<QLabel*>()) {
        if (own(label)) out << label->objectName() + u'=' + label->text();
      }
    }
    return out;
  }
  static void typeExample(CalculatorWindow* w) {
    for (const f::Typed& typed : w->form().calculator->example) {
      t::Child<QLineEdit>(w, QByteArray(typed.box.data(), qsizetype(typed.box.size())).constData())
          ->setText(QString::fromUtf8(typed.text.data(), qsizetype(typed.text.size())));
    }
  }

 private slots:
  void initTestCase() {
    // The recent files go to a settings file of this test's own.
    QVERIFY(dir_.isValid());
    qputenv("XDG_CONFIG_HOME", dir_.filePath(u"config"_s).toUtf8());
    t::SetUpWindowTests();
    QApplication::setQuitOnLastWindowClosed(false);
  }

  void saveThenOpenGivesTheSameTextsAndResults_data() {
    QTest::addColumn<FormId>("id");
    QTest::newRow("main") << FormId::VerticalLoads;
    QTest::newRow("min wheel") << FormId::MinWheelPressure;
    QTest::newRow("horizontal") << FormId::HorizontalLoads;
  }
  void saveThenOpenGivesTheSameTextsAndResults() {
    QFETCH(FormId, id);
    WindowSlots windows;
    CalculatorWindow* w = show(windows, id);
    typeExample(w);
    QVERIFY(w->calculate());
    const QStringList worked = shown(windows);
    const QString file = path(u"例 %1.kelvaro"_s.arg(int(id)));
    QVERIFY(w->saveTo(file));
    for (QLineEdit* edit : w->findChildren<QLineEdit*>()) edit->setText(u"改 \"\\"_s);
    for (QLabel* label : w->findChildren<QLabel*>()) label->setText(u"改"_s);
    QCOMPARE(windows.openFile(file), std::nullopt);
    QCOMPARE(t::TakeMessage(w), QString());
    // Captions were scribbled over: compare only fields and results.
    QStringList again = shown(windows), expected = worked;
    const auto keep = [w](const QString& row) {
      const QString name = row.section(u'=', 0, 0);
      return f::FieldOf(w->form(), name.toStdString()) || f::ResultFieldOf(w->form(), name.toStdString());
    };
    again.removeIf([&](const QString& row) { return !keep(row); });
    expected.removeIf([&](const QString& row) { return !keep(row); });
    QCOMPARE(again, expected);
    QCOMPARE(kelvaro::ui::RecentFiles().front(), QFileInfo(file).absoluteFilePath());
    w->close();
  }

  void aFileOpensTheWindowOfItsKindFromAnyWindow() {
    WindowSlots windows;
    CalculatorWindow* main = show(windows, FormId::VerticalLoads);
    write(u"pmin.kelvaro"_s, R"({"format": "kelvaro-calculation", "version": 1, "calculation": "MinWheelPressure",
                               "inputs": {"Pmax": "100", "G": "20", "Q": "10", "N": "2"}})");
    QVERIFY(!windows.window(FormId::MinWheelPressure));
    emit main->openFileRequested(path(u"pmin.kelvaro"_s));
    auto* other = windows.window(FormId::MinWheelPressure);
    QVERIFY(other);
    QCOMPARE(t::Child<QLineEdit>(other, "Text1")->text().isEmpty(), false);
    QCOMPARE(t::TakeMessage(main), QString());
    QCOMPARE(t::TakeMessage(other), QString());
    other->close();
    main->close();
  }

  void aBadFileChangesNothingAndSaysWhy_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");  // null: the path is made by the row's name
    QTest::addColumn<QString>("message");
    QTest::newRow("not JSON") << u"a.kelvaro"_s << QByteArray("Z=0.9") << u"文件不是 JSON 格式"_s;
    QTest::newRow("newer") << u"b.kelvaro"_s << QByteArray(R"({"format": "kelvaro-calculation", "version": 7})")
                           << u"这是第 7 版的计算文件，需要能读第 7 版文件的 Kelvaro"_s;
    QTest::newRow("wrong type")
        << u"c.kelvaro"_s
        << QByteArray(R"({"format": "kelvaro-calculation", "version": 1, "calculation": "MinWheelPressure",
                         "inputs": {"Pmax": 100, "G": "20", "Q": "10", "N": "2"}})")
        << u"“inputs”中的“Pmax”应为文本"_s;
    // The window has no such choice: shown as its last one, it would be another calculation than the file's.
    QTest::newRow("a choice the window does not offer")
        << u"d.kelvaro"_s
        << QByteArray(R"({"format": "kelvaro-calculation", "version": 1, "calculation": "CraneArrangement",
                         "inputs": {"J1": "6", "J2": "6", "order": "free", "maxOnRail": "5", "otherSpanCranes": "0",
                         "cranes": [{"name": "K", "Pmax": "100", "Pmin": "30", "B": "5.5", "wheelsPerSide": "2",
                         "spacings": "4.4", "endDistance": "", "duty": "A1-A5", "alphaH": "", "Q": "", "Q1": "",
                         "brakingWheels": ""}]}})")
        << u"“inputs”中的“maxOnRail”应为 1、2、3 或 4，文件中是“5”。"_s;
    QTest::newRow("missing") << u"nowhere.kelvaro"_s << QByteArray() << u"文件不存在"_s;
    QTest::newRow("directory") << u"folder.kelvaro"_s << QByteArray() << u"这是一个文件夹"_s;
    QTest::newRow("100 MB") << u"huge.kelvaro"_s << QByteArray() << u"文件有 104857600 字节，太大了"_s;
    QTest::newRow("no permission") << u"secret.kelvaro"_s << QByteArray() << u"没有读取这个文件的权限"_s;
  }
  void aBadFileChangesNothingAndSaysWhy() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    if (!content.isNull()) write(name, content);
    if (name == u"folder.kelvaro"_s) QVERIFY(QDir(dir_.path()).mkpath(name));
    if (name == u"huge.kelvaro"_s) {
      QFile huge(path(name));
      QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(100 * 1024 * 1024));  // sparse: costs no disk
    }
    if (name == u"secret.kelvaro"_s) {
      if (geteuid() == 0) QSKIP("root reads any file");
      write(name, "{}");
      QVERIFY(QFile::setPermissions(path(name), QFileDevice::WriteOwner));
    }
    WindowSlots windows;
    CalculatorWindow* main = show(windows, FormId::VerticalLoads);
    typeExample(main);
    const QStringList before = shown(windows);
    const auto failure = windows.openFile(path(name));
    QVERIFY(failure);
    QVERIFY2(failure->startsWith(u"无法打开“%1”："_s.arg(name)), qPrintable(*failure));
    QVERIFY2(failure->contains(message), qPrintable(*failure));
    QCOMPARE(shown(windows), before);
    QCOMPARE(windows.window(FormId::MinWheelPressure), nullptr);
    // Asked for from a window, the window says so.
    emit main->openFileRequested(path(name));
    QCOMPARE(t::TakeMessage(main), *failure);
    QCOMPARE(shown(windows), before);
    main->close();
  }

  void aSaveThatFailsKeepsTheOldFileAndSaysWhy() {
    WindowSlots windows;
    CalculatorWindow* w = show(windows, FormId::MinWheelPressure);
    const QString file = path(u"kept.kelvaro"_s);
    write(u"kept.kelvaro"_s, "old");
    // A text no file may keep: refused before anything is written.
    t::Child<QLineEdit>(w, "Text1")->setText(QString(3000, u'9'));
    QVERIFY(!w->saveTo(file));
    QVERIFY(t::TakeMessage(w).startsWith(u"无法保存“kept.kelvaro”：“Pmax”有 3000 个字符"_s));
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old"));
    // A folder that does not exist: the system's reason.
    t::Child<QLineEdit>(w, "Text1")->setText(u"100"_s);
    QVERIFY(!w->saveTo(path(u"none/x.kelvaro"_s)));
    QVERIFY(t::TakeMessage(w).startsWith(u"无法保存“x.kelvaro”：写入失败"_s));
    w->close();
  }

  void theRecentMenuListsTheLastEightNewestFirst() {
    for (int i = 0; i < 10; ++i) kelvaro::ui::NoteRecentFile(path(u"r%1.kelvaro"_s.arg(i)));
    kelvaro::ui::NoteRecentFile(path(u"r5.kelvaro"_s));  // again: to the top, not twice
    const QStringList recent = kelvaro::ui::RecentFiles();
    QCOMPARE(recent.size(), 8);
    QCOMPARE(QFileInfo(recent[0]).fileName(), u"r5.kelvaro"_s);
    QCOMPARE(QFileInfo(recent[1]).fileName(), u"r9.kelvaro"_s);
    QCOMPARE(recent.count(recent[0]), 1);
    QVERIFY(QFile::exists(dir_.filePath(u"config/Kelvaro/kelvaro.ini"_s)));

    WindowSlots windows;
    CalculatorWindow* w = show(windows, FormId::HorizontalLoads);
    QStringList items;
    QAction* recentAction = nullptr;
    for (QAction* a : w->actions()) {
      items << a->text();
      if (a->menu()) recentAction = a;
    }
    for (const QString& item : {u"保存计算…"_s, u"打开计算…"_s, u"最近打开"_s}) QVERIFY(items.contains(item));
    QVERIFY(recentAction);
    emit recentAction->menu()->aboutToShow();
    const QList<QAction*> entries = recentAction->menu()->actions();
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries.front()->text(), u"&1 r5.kelvaro"_s);
    // Choosing one asks for that file.
    QString asked;
    connect(w, &CalculatorWindow::openFileRequested, this, [&](const QString& p) { asked = p; });
    entries[1]->trigger();
    QCOMPARE(asked, recent[1]);
    w->close();
  }
};

QTEST_MAIN(CalculationFilesTest)
#include "calculation_files_test.moc"
