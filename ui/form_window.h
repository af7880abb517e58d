// What every window shares: caption, icon, fixed client size from twips, close box without minimize or maximize,
// destroyed when closed, and a way to ask for another window without knowing who opens it.
#pragma once

#include "window_kind.h"

#include <QWidget>

class QPushButton;

namespace kelvaro::ui {

class FormWindow : public QWidget {
  Q_OBJECT

 public:
  FormWindow(QStringView caption, int clientWidthTwips, int clientHeightTwips, QStringView iconResource);

 signals:
  void showWindowRequested(kelvaro::ui::WindowKind kind);

 protected:
  /// Connects a button to a request for another window.
  void opens(QPushButton* button, WindowKind kind);
};

}  // namespace kelvaro::ui
