#include "form_window.h"

#include "form_builder.h"
#include "look.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace kelvaro::ui {

FormWindow::FormWindow(QStringView caption, int clientWidthTwips, int clientHeightTwips, QStringView iconResource)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      clientTwips_(clientWidthTwips, clientHeightTwips),
      iconResource_(iconResource.toString()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption.toString());
  setWindowIcon(SvgIcon(iconResource.toString()));
  setFixedSize(TwipsToPixels(clientWidthTwips), TwipsToPixels(clientHeightTwips));
}

void FormWindow::setVisible(bool visible) {
  QWidget::setVisible(visible);
  if (!visible) return;
  for (QLabel* caption : unfitted_) {
    if (caption) FitCaption(caption);
  }
  unfitted_.clear();
}

void FormWindow::fitWhenShown(QLabel* caption) { unfitted_.emplace_back(caption); }

std::optional<DesignRow> FormWindow::rowOf(const QWidget* control) const {
  for (const auto& [placed, row] : rows_) {
    if (placed == control) return row;
  }
  return std::nullopt;
}

void FormWindow::opens(QPushButton* button, WindowKind kind) {
  connect(button, &QPushButton::clicked, this, [this, kind] { emit showWindowRequested(kind); });
  openers_.emplace_back(button, kind);
}

void FormWindow::closes(QPushButton* button) {
  connect(button, &QPushButton::clicked, this, &QWidget::close);
  closers_.push_back(button);
}

}  // namespace kelvaro::ui
