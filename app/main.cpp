// Kelvaro: starts with the main window; ends when the last open window is closed, whichever it is.
#include "calculator_window.h"
#include "look.h"
#include "window_slots.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

#include <cstring>

int main(int argc, char* argv[]) {
  // The program takes one argument, a calculation file to open (as a double click on one passes it). The toolkit is
  // not handed any, so that its own options (-reverse, -qwindowtitle, -style ...) cannot change how the program
  // starts; with any other arguments, or an option, nothing is opened.
  const char* file = argc == 2 && argv[1][0] != '-' && std::strlen(argv[1]) > 0 ? argv[1] : nullptr;
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
  auto* first = windows.show(kelvaro::forms::FirstForm);
  if (file) {
    // A file that cannot be opened leaves the main window as it starts, with the message.
    if (const auto failure = windows.openFile(QString::fromLocal8Bit(file))) {
      qobject_cast<kelvaro::ui::CalculatorWindow*>(first)->reportFile(*failure);
    }
  }
  return app.exec();
}
