// Renders every window that exists to <dir>/<window>.png; run under an X server (make screenshots).
#include "look.h"
#include "window_slots.h"

#include <QApplication>
#include <QDir>
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

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  kelvaro::ui::ApplyLook(app);
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
  return saved == static_cast<int>(kelvaro::ui::AllWindowKinds.size()) ? 0 : 1;
}
