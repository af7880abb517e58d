// Kelvaro: starts with the main window; ends when the last open window is closed, whichever it is.
#include "look.h"
#include "window_slots.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  kelvaro::ui::ApplyLook(app);
  kelvaro::app::WindowSlots windows;
  windows.show(kelvaro::ui::WindowKind::Form1);
  return app.exec();
}
