// The several-cranes window on the desktop: its controls by the names a screen reader reads, its tab order, a
// calculation shown with its notes and figure, a refusal with the focus on the input and no text changed, the
// table's rows, the way in from every calculator, and its calculation files.
#include "crane_arrangement_window.h"
#include "calculation_files.h"
#include "crane_sheet_view.h"
#include "figure_painter.h"
#include "linked_sheet_window.h"
#include "window_slots.h"
#include "window_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

using kelvaro::ui::CraneArrangementWindow;
namespace t = kelvaro::test;
using namespace kelvaro;
using namespace Qt::StringLiterals;

namespace {

// The control a screen reader finds by `name`, of type T.
template <class T = QWidget>
T* Named(const QWidget& w, const QString& name) {
  for (QWidget* child : w.findChildren<QWidget*>()) {
    if (child->accessibleName() == name && child->isVisibleTo(&w)) return qobject_cast<T*>(child);
  }
  return nullptr;
}

std::unique_ptr<CraneArrangementWindow> Open() {
  auto w = std::make_unique<CraneArrangementWindow>();
  w->setAttribute(Qt::WA_DeleteOnClose, false);
  w->show();
  return w;
}

QString Shown(const QWidget& w, const char* name) {
  auto* label = Named<QLabel>(w, QString::fromUtf8(name));
  return label ? label->text().trimmed() : QStringLiteral("(none)");
}

}  // namespace

class CraneArrangementWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

 private slots:
  void initTestCase() {
    // The recent files go to a settings file of this test's own.
    QVERIFY(dir_.isValid());
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toUtf8());
    t::SetUpWindowTests();
    ui::UseLinkedSheetWindow(ui::LinkedSheetWindow());
  }

  void everyInputHasItsName() {
    auto w = Open();
    QCOMPARE(w->windowTitle(), QStringLiteral("多台吊车荷载计算"));
    QStringList missing;
    for (const char* name : {"J1",
                             "J2",
                             "吊车1 名称",
                             "吊车1 Pmax",
                             "吊车1 Pmin",
                             "吊车1 B",
                             "吊车1 每侧轮数",
                             "吊车1 轮距",
                             "吊车1 端距",
                             "吊车1 工作级别",
                             "吊车1 αH",
                             "吊车1 Q",
                             "吊车1 Q1",
                             "吊车1 制动轮数",
                             "吊车2 Pmax",
                             "吊车2 轮距",
                             "Dmax",
                             "Dmin",
                             "Z",
                             "H1",
                             "T_L",
                             "最不利位置简图"}) {
      if (!Named(*w, QString::fromUtf8(name))) missing << QString::fromUtf8(name);
    }
    QCOMPARE(missing, QStringList());
    QVERIFY(!Named(*w, QStringLiteral("吊车3 Pmax")));
    w->addCrane();
    QVERIFY(Named(*w, QStringLiteral("吊车3 Pmax")));
    QCOMPARE(w->focusWidget(), Named(*w, QStringLiteral("吊车3 Pmax")));
    w->removeCrane(), w->removeCrane(), w->removeCrane();
    QVERIFY(Named(*w, QStringLiteral("吊车1 Pmax")));  // one row always stays
    QVERIFY(!Named(*w, QStringLiteral("吊车2 Pmax")));
  }

  void tabGoesThroughTheTableRowByRow() {
    auto w = Open();
    QWidget* at = Named(*w, QStringLiteral("J1"));
    at->setFocus();
    QStringList seen;
    for (int i = 0; i < 6; ++i, at = at->nextInFocusChain()) {
      while (at->focusPolicy() == Qt::NoFocus || !at->isVisible()) at = at->nextInFocusChain();
      seen << at->accessibleName();
    }
    QCOMPARE(seen, (QStringList{"J1", "J2", "吊车1 名称", "吊车1 Pmax", "吊车1 Pmin", "吊车1 B"}));
  }

  void theWorkedExampleIsCalculated() {
    auto w = Open();
    w->setTexts(forms::CraneArrangementExample());
    QVERIFY(w->calculate());
    QCOMPARE(t::TakeMessage(w), QString());
    QCOMPARE(Shown(*w, "Dmax"), QStringLiteral("515.4"));
    QCOMPARE(Shown(*w, "Dmin"), QStringLiteral("131.7"));
    QCOMPARE(Shown(*w, "Z"), QStringLiteral("0.9"));
    QCOMPARE(Shown(*w, "n"), QStringLiteral("2"));
    QCOMPARE(Shown(*w, "T_L"), QStringLiteral("43"));
    QCOMPARE(Shown(*w, "吊车1 T_L"), QStringLiteral("28"));
    QVERIFY(Named<QLabel>(*w, QStringLiteral("Dmax"))->toolTip().contains(QStringLiteral("吊车2 轮2 在柱上")));
    QVERIFY(!Shown(*w, "H1").isEmpty());
    QVERIFY(!w->figure()->figure().wheels.empty());
    // Clear empties the results and the figure, not the inputs.
    w->clear();
    QCOMPARE(Shown(*w, "Dmax"), QString());
    QVERIFY(w->figure()->figure().wheels.empty());
    QCOMPARE(w->texts().cranes[0].Pmax, "280");
  }

  void aBadInputIsNamedAndFocusedAndNothingChanges() {
    struct Row {
      const char* input;
      const char* text;
      const char* message;
    };
    const Row rows[] = {
        {"J2", "0", "J2 必须大于 0（现为 0）。"},
        {"吊车2 B", "0", "吊车2（L）的 B 必须大于 0（现为 0）。"},
        {"吊车1 轮距", "5+", "吊车1（K）的轮距“5+”应是用“+”连接的数，例如 4.4 或 1.6+5.2+1.6。"},
        {"吊车1 Pmax", "", "吊车1（K）的 Pmax 是空的。请输入一个数。"},
    };
    for (const Row& row : rows) {
      auto w = Open();
      w->setTexts(forms::CraneArrangementExample());
      QVERIFY(w->calculate());
      auto* box = Named<QLineEdit>(*w, QString::fromUtf8(row.input));
      QVERIFY2(box, row.input);
      box->setText(QString::fromUtf8(row.text));
      const CraneArrangementTexts before = w->texts();
      QVERIFY(!w->calculate());
      QCOMPARE(t::TakeMessage(w), QString::fromUtf8(row.message));
      QCOMPARE(w->focusWidget(), box);
      QCOMPARE(w->texts().cranes[1].B, before.cranes[1].B);
      QCOMPARE(box->text(), QString::fromUtf8(row.text));
      QCOMPARE(Shown(*w, "Dmax"), QStringLiteral("515.4"));  // the last results stay
    }
  }

  void ctrlPShowsTheSheetOnlyAfterACalculation() {
    auto w = Open();
    w->setTexts(forms::CraneArrangementExample());
    Named<QLineEdit>(*w, QStringLiteral("J1"))->setText(QStringLiteral("x"));
    w->showSheet();
    QVERIFY(!t::TakeMessage(w).isEmpty());
    QVERIFY(!w->findChild<ui::CraneSheetWindow*>());
    Named<QLineEdit>(*w, QStringLiteral("J1"))->setText(QStringLiteral("6"));
    QAction* print = nullptr;
    for (QAction* a : w->actions()) {
      if (a->shortcut() == QKeySequence(QKeySequence::Print)) print = a;
    }
    QVERIFY(print);
    print->trigger();
    auto* sheet = w->findChild<ui::CraneSheetWindow*>();
    QVERIFY(sheet && sheet->isVisible());
    QCOMPARE(sheet->sheet().title, "多台吊车荷载计算书");
    QStringList buttons;
    for (const QPushButton* b : sheet->findChildren<QPushButton*>()) buttons << b->text();
    QCOMPARE(buttons, QStringList({QStringLiteral("打印…"), QStringLiteral("导出 PDF…")}));
    // An open sheet follows the next calculation.
    Named<QLineEdit>(*w, QStringLiteral("J2"))->setText(QStringLiteral("6"));
    QVERIFY(w->calculate());
    QCOMPARE(sheet->sheet().figure.texts.size(), w->figure()->figure().texts.size());
    QVERIFY(ui::SaveCraneSheetPdf(sheet->sheet(), QDir::temp().filePath(QStringLiteral("kelvaro_crane_sheet.pdf"))));
  }

  void saveThenOpenGivesTheSameTextsAndResults() {
    app::WindowSlots windows;
    auto* w = qobject_cast<CraneArrangementWindow*>(windows.open(FormId::CraneArrangement));
    QVERIFY(w);
    // Three cranes, the third with four wheels a side and a name a file must escape; the order as entered.
    CraneArrangementTexts typed = forms::CraneArrangementExample();
    CraneTexts& third = typed.cranes.emplace_back(typed.cranes[1]);
    third.name = "引号\"\\ 3", third.wheelsPerSide = "4", third.spacings = "1.6+5.2+1.6", third.B = "9",
    third.Pmax = "90";
    typed.order = "entered";
    w->setTexts(typed);
    QVERIFY(w->calculate());
    const CraneArrangementTexts before = w->texts();
    QCOMPARE(before.cranes.size(), 3u);
    QCOMPARE(before.cranes[2].name, third.name);
    QStringList results;
    for (const char* name : {"Dmax", "Dmin", "Z", "n", "H1", "T_L", "吊车1 T_L", "吊车2 T_L", "吊车3 T_L"}) {
      results << Shown(*w, name);
    }
    const QString file = dir_.filePath(QStringLiteral("多台 吊车.kelvaro"));
    QVERIFY(w->saveTo(file));

    // Another arrangement and no results, then the file: the same texts, rows and results again.
    w->setTexts(forms::CraneArrangementDefaults());
    w->clear();
    QCOMPARE(windows.openFile(file), std::nullopt);
    QCOMPARE(t::TakeMessage(w), QString());
    QCOMPARE(windows.openWindow(FormId::CraneArrangement), w);
    const CraneArrangementTexts after = w->texts();
    QCOMPARE(after.cranes.size(), before.cranes.size());
    for (std::size_t c = 0; c < after.cranes.size(); ++c) {
      for (const auto& [key, member] : CraneTextNames) QCOMPARE(after.cranes[c].*member, before.cranes[c].*member);
    }
    for (const auto& [key, member] : ArrangementTextNames) QCOMPARE(after.*member, before.*member);
    QStringList again;
    for (const char* name : {"Dmax", "Dmin", "Z", "n", "H1", "T_L", "吊车1 T_L", "吊车2 T_L", "吊车3 T_L"}) {
      again << Shown(*w, name);
    }
    QCOMPARE(again, results);
    QCOMPARE(ui::RecentFiles().front(), QFileInfo(file).absoluteFilePath());

    // The file notes the results as shown, each crane's T_L by its own key.
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(saved.readAll());
    QVERIFY2(content.contains(u"\"Dmax\": \"%1\""_s.arg(results[0])), qPrintable(content));
    QVERIFY(content.contains(u"\"longitudinal3\": \"%1\""_s.arg(results[8])));
    w->close();
  }

  void itsMenuAndButtonsSaveAndOpen() {
    app::WindowSlots windows;
    auto* w = qobject_cast<CraneArrangementWindow*>(windows.open(FormId::CraneArrangement));
    QStringList items;
    for (QAction* a : w->actions()) {
      if (!a->isSeparator()) items << a->text() + u' ' + a->shortcut().toString();
    }
    QVERIFY2(items.contains(u"保存计算… Ctrl+S"_s) && items.contains(u"打开计算… Ctrl+O"_s),
             qPrintable(items.join(u", ")));
    QVERIFY(items.contains(u"最近打开 "_s));
    QVERIFY(w->findChild<QPushButton*>() != nullptr);
    QStringList buttons;
    for (const QPushButton* b : w->findChildren<QPushButton*>()) buttons << b->text();
    QVERIFY(buttons.contains(u"保存计算…"_s) && buttons.contains(u"打开计算…"_s));

    // A file chosen here that cannot be opened is reported here, and nothing changes.
    const CraneArrangementTexts before = w->texts();
    const QString bad = dir_.filePath(QStringLiteral("newer.kelvaro"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "kelvaro-calculation", "version": 2})");
    file.close();
    emit w->openFileRequested(bad);
    QVERIFY(t::TakeMessage(w).startsWith(u"无法打开“newer.kelvaro”：这是第 2 版的计算文件"_s));
    QCOMPARE(w->texts().cranes.size(), before.cranes.size());
    QCOMPARE(w->texts().J2, before.J2);

    // A save that fails says why, naming the file.
    QVERIFY(!w->saveTo(dir_.filePath(QStringLiteral("none/x.kelvaro"))));
    QVERIFY(t::TakeMessage(w).startsWith(u"无法保存“x.kelvaro”"_s));
    w->close();
  }

  void everyCalculatorOpensItByItsMenuAndShortcut() {
    app::WindowSlots windows;
    for (const FormId id : {FormId::VerticalLoads, FormId::MinWheelPressure, FormId::HorizontalLoads}) {
      QWidget* calculator = windows.show(id);
      QAction* item = nullptr;
      for (QAction* a : calculator->actions()) {
        if (a->text() == QStringLiteral("多台吊车荷载计算…")) item = a;
      }
      QVERIFY(item);
      QCOMPARE(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
      item->trigger();
      auto* cranes = qobject_cast<CraneArrangementWindow*>(windows.openWindow(FormId::CraneArrangement));
      QVERIFY(cranes);
      cranes->close();
      QCoreApplication::processEvents();
    }
    auto* main = windows.show(FormId::VerticalLoads);
    QVERIFY(main->findChild<QPushButton*>(QStringLiteral("Command4"))->toolTip().contains(QStringLiteral("Ctrl+M")));
    // The slots' windows delete themselves when closed: closed here, and deleted before the test ends.
    for (const FormId id : {FormId::VerticalLoads, FormId::MinWheelPressure, FormId::HorizontalLoads}) {
      if (QWidget* open = windows.openWindow(id)) open->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

QTEST_MAIN(CraneArrangementWindowTest)
#include "crane_arrangement_window_test.moc"
