// Kelvaro: starts with the main window; ends when the last open window is closed, whichever it is.
#include "look.h"
#include "window_slots.h"

#include <QApplication>

int main(int, char* argv[]) {
  // The program takes no arguments: the toolkit is not handed any either, so that its own options (-reverse,
  // -qwindowtitle, -style ...) cannot change how the program starts.
  int toolkitArgc = 1;
  char* toolkitArgv[] = {argv[0], nullptr};
  QApplication app(toolkitArgc, toolkitArgv);
  kelvaro::ui::ApplyLook(app);
  kelvaro::app::WindowSlots windows;
  windows.show(kelvaro::forms::FirstForm);
  return app.exec();
}
