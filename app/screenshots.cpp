// Renders every window that exists to <dir>/<window>.png; run under an X server (make screenshots). With a
// second folder, also each calculator's sheet for its worked example, as <sheets>/sheet_<window>.pdf, made as
// Ctrl+P makes it.
#include "calculator_window.h"
#include "crane_arrangement_window.h"
#include "crane_sheet_view.h"
#include "linked_sheet_window.h"
#include "look.h"
#include "sheet_window.h"
#include "window_slots.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

QString Latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// A window's file is named as its icon is: icons/main_window.svg makes main_window.png.
QString FileName(const kelvaro::ui::FormWindow& window) {
  return Latin1(window.form().icon).section(u'/', -1).section(u'.', 0, 0);
}

// The worked examples: the fields each calculator leaves empty, filled; the others keep their defaults.
int SaveSheets(kelvaro::app::WindowSlots& windowSlots, const QDir& dir) {
  const char32_t separator = kelvaro::ui::SystemDecimalSeparator();
  for (const kelvaro::forms::Form* form : kelvaro::forms::AllForms()) {
    if (!form->calculator) continue;
    auto* calculator = qobject_cast<kelvaro::ui::CalculatorWindow*>(windowSlots.show(form->id));
    for (const kelvaro::forms::Typed& typed : form->calculator->example) {
      calculator->findChild<QLineEdit*>(Latin1(typed.box))
          ->setText(Latin1(typed.text).replace(u'.', QString::fromUcs4(&separator, 1)));
    }
    calculator->showSheet();
    const auto* sheet = calculator->findChild<kelvaro::ui::SheetWindow*>();
    const QString path = dir.filePath(u"sheet_"_s + FileName(*calculator) + u".pdf"_s);
    if (!sheet || !kelvaro::ui::SaveSheetPdf(sheet->sheet(), path)) return 1;
    std::printf("%s\n", qPrintable(path));
    calculator->close();
  }
  return 0;
}

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  kelvaro::ui::ApplyLook(app);
  kelvaro::ui::UseLinkedSheetWindow(kelvaro::ui::LinkedSheetWindow());
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  dir.mkpath(QStringLiteral("."));

  kelvaro::app::WindowSlots windowSlots;
  int saved = 0;
  for (const kelvaro::forms::Form* form : kelvaro::forms::AllForms()) {
    kelvaro::ui::FormWindow* w = windowSlots.show(form->id);
    w->move(0, 0);
    if (!QTest::qWaitForWindowExposed(w)) return 1;
    QTest::qWait(200);
    const QPixmap shot = w->screen()->grabWindow(w->winId());
    const QString path = dir.filePath(FileName(*w) + u".png"_s);
    if (!shot.save(path)) return 1;
    std::printf("%s\n", qPrintable(path));
    ++saved;
    w->close();
  }
  if (saved != kelvaro::forms::FormCount) return 1;
  // The several-cranes window with its worked example calculated.
  auto* cranes =
      qobject_cast<kelvaro::ui::CraneArrangementWindow*>(windowSlots.open(kelvaro::forms::FormId::CraneArrangement));
  cranes->setTexts(kelvaro::forms::CraneArrangementExample());
  cranes->move(0, 0);
  if (!cranes->calculate() || !QTest::qWaitForWindowExposed(cranes)) return 1;
  QTest::qWait(200);
  const QString cranesPath = dir.filePath(u"crane_arrangement_window.png"_s);
  if (!cranes->screen()->grabWindow(cranes->winId()).save(cranesPath)) return 1;
  std::printf("%s\n", qPrintable(cranesPath));
  if (argc > 2) {
    const QString sheetPath = QDir(QString::fromLocal8Bit(argv[2])).filePath(u"sheet_crane_arrangement_window.pdf"_s);
    if (!kelvaro::ui::SaveCraneSheetPdf(
            kelvaro::forms::CraneSheetOf(cranes->texts(), *cranes->answer(), kelvaro::ui::SystemDecimalSeparator()),
            sheetPath)) {
      return 1;
    }
    std::printf("%s\n", qPrintable(sheetPath));
  }
  cranes->close();
  return argc > 2 ? SaveSheets(windowSlots, QDir(QString::fromLocal8Bit(argv[2]))) : 0;
}
