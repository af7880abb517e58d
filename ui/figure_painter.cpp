#include "figure_painter.h"

#include <QPainter>

#include <algorithm>

namespace kelvaro::ui {
namespace {

QColor ColorOf(forms::Ink ink) {
  switch (ink) {
    case forms::Ink::Grey:
      return QColor(0xa0, 0xa0, 0xa0);
    case forms::Ink::Accent:
      return QColor(0xc0, 0x20, 0x20);
    case forms::Ink::Thin:
    case forms::Ink::Normal:
      break;
  }
  return Qt::black;
}

}  // namespace

void PaintFigure(QPainter& painter, const forms::Figure& figure, const QFont& font) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  for (const forms::FigureLine& l : figure.lines) {
    painter.setPen(QPen(ColorOf(l.ink), l.ink == forms::Ink::Thin ? 0.6 : 1.2));
    painter.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
  }
  for (const forms::FigureWheel& w : figure.wheels) {
    painter.setPen(QPen(ColorOf(w.ink), 1.2));
    painter.setBrush(w.ink == forms::Ink::Accent ? QBrush(ColorOf(w.ink)) : QBrush(Qt::white));
    painter.drawEllipse(QPointF(w.x, w.y), w.r, w.r);
  }
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  for (const forms::FigureText& t : figure.texts) {
    const QString text = QString::fromStdString(t.text);
    const double width = metrics.horizontalAdvance(text);
    const double x = t.anchor == forms::Anchor::Start ? t.x
                     : t.anchor == forms::Anchor::End ? t.x - width
                                                      : t.x - width / 2;
    painter.setPen(ColorOf(t.ink));
    painter.drawText(QPointF(x, t.y), text);
  }
  painter.restore();
}

FigureView::FigureView(QWidget* parent) : QWidget(parent) {
  setMinimumSize(480, 222);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

void FigureView::setFigure(forms::Figure figure) {
  maker_ = nullptr;
  figure_ = std::move(figure);
  update();
}

void FigureView::setFigureMaker(std::function<forms::Figure(double)> maker) {
  maker_ = std::move(maker);
  figure_ = maker_(std::max(width(), 480));
  update();
}

QSize FigureView::sizeHint() const { return {640, 222}; }

void FigureView::paintEvent(QPaintEvent*) {
  if (maker_ && figure_.width != width()) figure_ = maker_(width());
  if (figure_.width <= 0) return;
  QPainter painter(this);
  const double scale = std::min(width() / figure_.width, height() / figure_.height);
  painter.scale(scale, scale);
  QFont small = font();
  small.setPointSizeF(font().pointSizeF() * 0.9);
  PaintFigure(painter, figure_, small);
}

}  // namespace kelvaro::ui
