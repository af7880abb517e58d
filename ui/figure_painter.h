// Paints a figure described as plain shapes (forms/crane_figure.h), in a window or on a sheet.
#pragma once

#include "crane_figure.h"

#include <QWidget>

#include <functional>

class QPainter;

namespace kelvaro::ui {

/// The shapes in the painter's units, one unit a figure pixel; `font` sizes the texts.
void PaintFigure(QPainter& painter, const forms::Figure& figure, const QFont& font);

/// The critical position's figure, scaled to the widget's width; empty until a calculation succeeds.
class FigureView : public QWidget {
  Q_OBJECT

 public:
  explicit FigureView(QWidget* parent = nullptr);
  void setFigure(forms::Figure figure);
  /// The figure drawn anew for the view's width whenever that changes: to scale across the whole view.
  void setFigureMaker(std::function<forms::Figure(double width)> maker);
  const forms::Figure& figure() const { return figure_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  forms::Figure figure_;
  std::function<forms::Figure(double)> maker_;
};

}  // namespace kelvaro::ui
