// Renders every window that exists to <dir>/<window>.png; run under an X server (make screenshots). With a
// second folder, also each calculator's sheet for its worked example, as <sheets>/sheet_<window>.pdf, made as
// Ctrl+P makes it.
#include "calculator_window.h"
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

// The unit's name: MainWindow is main_window.png.
QString FileName(const QWidget& window) {
  const QString className = QString::fromLatin1(window.metaObject()->className()).section(u"::"_s, -1);
  QString name;
  for (const QChar c : className) {
    if (c.isUpper() && !name.isEmpty()) name += u'_';
    name += c.toLower();
  }
  return name;
}

// The worked examples: the fields each calculator leaves empty, filled; the others keep their defaults.
int SaveSheets(kelvaro::app::WindowSlots& windowSlots, const QDir& dir) {
  using kelvaro::ui::WindowKind;
  const std::pair<WindowKind, std::vector<std::pair<const char*, const char*>>> examples[] = {
      {WindowKind::Form1, {{"Text7", "5.5"}, {"Text8", "4.4"}, {"Text9", "100"}, {"Text10", "30"}}},
      {WindowKind::Form3, {{"Text1", "100"}, {"Text2", "20"}, {"Text3", "10"}}},
      {WindowKind::Form5, {{"Text1", "3.5"}, {"Text2", "10"}, {"Text7", "5.5"}, {"Text8", "4.4"}}},
  };
  const char32_t separator = kelvaro::ui::SystemDecimalSeparator();
  for (const auto& [kind, fields] : examples) {
    auto* calculator = qobject_cast<kelvaro::ui::CalculatorWindow*>(windowSlots.show(kind));
    for (const auto& [name, text] : fields) {
      calculator->findChild<QLineEdit*>(QString::fromLatin1(name))
          ->setText(QString::fromLatin1(text).replace(u'.', QString::fromUcs4(&separator, 1)));
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
  for (const kelvaro::ui::WindowKind kind : kelvaro::ui::AllWindowKinds) {
    QWidget* w = windowSlots.show(kind);
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
  if (saved != static_cast<int>(kelvaro::ui::AllWindowKinds.size())) return 1;
  return argc > 2 ? SaveSheets(windowSlots, QDir(QString::fromLocal8Bit(argv[2]))) : 0;
}
