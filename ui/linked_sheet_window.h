// The sheet window for programs that link it rather than load it (tests, the screenshot tool):
// UseLinkedSheetWindow(LinkedSheetWindow()).
#pragma once

#include "crane_sheet_view.h"
#include "sheet_loader.h"
#include "sheet_window.h"

namespace kelvaro::ui {

inline SheetWindowInterface& LinkedSheetWindow() {
  struct Linked final : SheetWindowInterface {
    QWidget* show(QWidget* open, const CalculationSheet& sheet, QWidget* calculator) override {
      return ShowSheetWindow(open, sheet, calculator);
    }
    QWidget* showCranes(QWidget* open, const forms::CraneSheet& sheet, const QString& name, QWidget* owner) override {
      return ShowCraneSheetWindow(open, sheet, name, owner);
    }
  };
  static Linked window;
  return window;
}

}  // namespace kelvaro::ui
