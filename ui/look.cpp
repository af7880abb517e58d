#include "look.h"

#include "accessibility.h"

#include <QApplication>
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
  QApplication::setFont(ProgramFont());
  InstallAccessibleRoles();
}

}  // namespace kelvaro::ui
