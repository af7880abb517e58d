// A focusable box that shows SVG artwork unscaled at its top-left corner, clipped to the box, on white.
#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace kelvaro::ui {

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  PictureBox(const QString& svgResource, QWidget* parent);

  /// The artwork's own size in pixels.
  QSize pictureSize() const { return renderer_.defaultSize(); }
  /// Where the artwork comes from (":/influence_diagram.svg").
  const QString& resource() const { return resource_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString resource_;
  QSvgRenderer renderer_;
};

}  // namespace kelvaro::ui
