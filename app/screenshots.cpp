// Renders every window that exists to <dir>/<window>.png; run under an X server (make screenshots).
#include "look.h"
#include "window_slots.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  kelvaro::ui::ApplyLook(app);
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  dir.mkpath(QStringLiteral("."));

  const std::pair<kelvaro::ui::WindowKind, const char*> windows[] = {
      {kelvaro::ui::WindowKind::Form1, "main_window"},
      {kelvaro::ui::WindowKind::Form2, "coefficient_table_window"},
      {kelvaro::ui::WindowKind::Form3, "min_wheel_window"},
      {kelvaro::ui::WindowKind::Form4, "about_window"},
      {kelvaro::ui::WindowKind::Form5, "horizontal_load_window"},
      {kelvaro::ui::WindowKind::Form6, "alpha_coefficient_window"},
  };
  kelvaro::app::WindowSlots windowSlots;
  int saved = 0;
  for (const auto& [kind, name] : windows) {
    QWidget* w = windowSlots.show(kind);
    if (!w) continue;
    w->move(0, 0);
    if (!QTest::qWaitForWindowExposed(w)) return 1;
    QTest::qWait(200);
    const QPixmap shot = w->screen()->grabWindow(w->winId());
    const QString path = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    if (!shot.save(path)) return 1;
    std::printf("%s\n", qPrintable(path));
    ++saved;
    w->close();
  }
  return saved > 0 ? 0 : 1;
}
