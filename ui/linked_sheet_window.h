// The sheet window for programs that link it rather than load it (tests, the screenshot tool):
// UseLinkedSheetWindow(LinkedSheetWindow()).
#pragma once

#include "sheet_loader.h"
#include "sheet_window.h"

namespace kelvaro::ui {

inline SheetWindowInterface& LinkedSheetWindow() {
  struct Linked final : SheetWindowInterface {
    QWidget* show(QWidget* open, const CalculationSheet& sheet, QWidget* calculator) override {
      return ShowSheetWindow(open, sheet, calculator);
    }
  };
  static Linked window;
  return window;
}

}  // namespace kelvaro::ui
