// What every window shares: caption, icon, fixed client size from twips, close box without minimize or maximize,
// destroyed when closed, and a way to ask for another window without knowing who opens it.
#pragma once

#include "window_kind.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;

namespace kelvaro::ui {

class FormWindow : public QWidget {
  Q_OBJECT

 public:
  FormWindow(QStringView caption, int clientWidthTwips, int clientHeightTwips, QStringView iconResource);

  /// The first time, fits the caption labels (FitCaption) right after the window is mapped: before it is first
  /// drawn, which waits for the event loop, and off the path to the window appearing.
  void setVisible(bool visible) override;
  void fitWhenShown(QLabel* caption);

 signals:
  void showWindowRequested(kelvaro::ui::WindowKind kind);

 protected:
  /// Connects a button to a request for another window.
  void opens(QPushButton* button, WindowKind kind);

 private:
  std::vector<QPointer<QLabel>> unfitted_;
};

}  // namespace kelvaro::ui
