// Kelvaro: starts with the main window; ends when the last open window is closed, whichever it is.
#include "look.h"
#include "window_slots.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

int main(int, char* argv[]) {
  // The program takes no arguments: the toolkit is not handed any either, so that its own options (-reverse,
  // -qwindowtitle, -style ...) cannot change how the program starts.
  int toolkitArgc = 1;
  char* toolkitArgv[] = {argv[0], nullptr};
  QApplication app(toolkitArgc, toolkitArgv);
  // What the program keeps between runs (the folder of the last exported sheet) goes under its own name. The
  // toolkit's file dialog saves its own state under the toolkit's name whatever the program is called; that goes
  // into the program's folder as well, not into a file of the toolkit's in the user's configuration.
  QCoreApplication::setOrganizationName(QStringLiteral("Kelvaro"));
  QCoreApplication::setApplicationName(QStringLiteral("kelvaro"));
  QSettings::setPath(
      QSettings::NativeFormat, QSettings::UserScope,
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Kelvaro"));
  kelvaro::ui::ApplyLook(app);
  kelvaro::app::WindowSlots windows;
  windows.show(kelvaro::forms::FirstForm);
  return app.exec();
}
