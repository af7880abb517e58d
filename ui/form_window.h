// What every window shares: caption, icon, fixed client size from twips, close box without minimize or maximize,
// destroyed when closed, and a way to ask for another window without knowing who opens it.
#pragma once

#include "form_builder.h"
#include "window_kind.h"

#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include <utility>
#include <vector>

class QLabel;
class QPushButton;

namespace kelvaro::ui {

class FormWindow : public QWidget {
  Q_OBJECT

 public:
  FormWindow(QStringView caption, int clientWidthTwips, int clientHeightTwips, QStringView iconResource);

  // What the window was made from, read by the browser edition's dump of the windows.
  QSize clientTwips() const { return clientTwips_; }
  const QString& iconResource() const { return iconResource_; }
  /// The buttons that ask for another window, and the buttons that close this one.
  const std::vector<std::pair<QPushButton*, WindowKind>>& openers() const { return openers_; }
  const std::vector<QPushButton*>& closers() const { return closers_; }

  /// The first time, fits the caption labels (FitCaption) right after the window is mapped: before it is first
  /// drawn, which waits for the event loop, and off the path to the window appearing.
  void setVisible(bool visible) override;
  void fitWhenShown(QLabel* caption);

  void keepRow(const QWidget* control, DesignRow row) { rows_.emplace_back(control, row); }
  std::optional<DesignRow> rowOf(const QWidget* control) const;

 signals:
  void showWindowRequested(kelvaro::ui::WindowKind kind);

 protected:
  /// Connects a button to a request for another window.
  void opens(QPushButton* button, WindowKind kind);
  /// Connects a button to closing this window.
  void closes(QPushButton* button);

 private:
  QSize clientTwips_;
  QString iconResource_;
  std::vector<std::pair<QPushButton*, WindowKind>> openers_;
  std::vector<QPushButton*> closers_;
  std::vector<QPointer<QLabel>> unfitted_;
  std::vector<std::pair<const QWidget*, DesignRow>> rows_;
};

}  // namespace kelvaro::ui
