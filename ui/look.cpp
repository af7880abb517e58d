#include "look.h"

#include "accessibility.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>

namespace kelvaro::ui {

void ApplyLook(QApplication& app) {
  // No display name: X11 would append it to every window caption.
  QApplication::setApplicationName(QStringLiteral("kelvaro"));
  QGuiApplication::setDesktopFileName(QStringLiteral("kelvaro"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/main_window.svg")));
  // Captions are sized for a 9-point CJK font; the same style everywhere keeps control metrics predictable.
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QFont font;
  font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")});
  font.setPointSize(9);
  // Unhinted outlines look the same at this size, and spare FreeType's bytecode interpreter and the pages of the
  // font file it reads: a few milliseconds and most of a megabyte at start-up.
  font.setHintingPreference(QFont::PreferNoHinting);
  QApplication::setFont(font);
  InstallAccessibleRoles();
}

}  // namespace kelvaro::ui
