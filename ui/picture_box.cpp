#include "picture_box.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace kelvaro::ui {

PictureBox::PictureBox(const QString& svgResource, QWidget* parent)
    : QWidget(parent), resource_(svgResource), renderer_(svgResource) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  // Drawn as vectors so the artwork stays crisp at any screen scale.
  renderer_.render(&painter, QRectF(QPointF(0, 0), QSizeF(renderer_.defaultSize())));
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = Qt::white;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

}  // namespace kelvaro::ui
