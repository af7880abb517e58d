// A window built from its description (forms/): caption, icon, fixed client size from twips, close box without
// minimize or maximize, destroyed when closed; its controls with their names for screen readers, fonts, stacking
// and tab order; its buttons that close it or ask for another window without knowing who opens it.
#pragma once

#include "form.h"

#include <QPointer>
#include <QWidget>

#include <string_view>
#include <utility>
#include <vector>

class QLabel;

namespace kelvaro::ui {

class FormWindow : public QWidget {
  Q_OBJECT

 public:
  explicit FormWindow(const forms::Form& form);

  const forms::Form& form() const { return form_; }

  /// The first time, fits the caption labels (FitCaption) right after the window is mapped: before it is first
  /// drawn, which waits for the event loop, and off the path to the window appearing.
  void setVisible(bool visible) override;
  void fitWhenShown(QLabel* caption);

 signals:
  void showWindowRequested(kelvaro::forms::FormId form);

 protected:
  /// The control the description names `name`; never null for a name of this window's description.
  QWidget* control(std::string_view name) const;
  template <class W>
  W* control(std::string_view name) const {
    return qobject_cast<W*>(control(name));
  }

 private:
  const forms::Form& form_;
  std::vector<std::pair<std::string_view, QWidget*>> controls_;
  std::vector<QPointer<QLabel>> unfitted_;
};

/// The window of a description: a CalculatorWindow for a form with a calculator, else a FormWindow.
FormWindow* MakeWindow(forms::FormId id);

}  // namespace kelvaro::ui
