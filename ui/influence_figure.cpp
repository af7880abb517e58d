#include "influence_figure.h"

#include "sheet_units.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

namespace kelvaro::ui {
namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QFont LabelFont() { return sheet::Font(kelvaro::sheet::LabelSize); }

QBrush BrushOf(kelvaro::sheet::Fill fill) {
  using kelvaro::sheet::Fill;
  switch (fill) {
    case Fill::None:
      break;
    case Fill::Black:
      return Qt::black;
    case Fill::White:
      return Qt::white;
    case Fill::Grey:
      return QColor(222, 222, 222);
  }
  return Qt::NoBrush;
}

}  // namespace

kelvaro::sheet::TextMeasure DesktopMeasure() {
  return {[](std::string_view text) { return QFontMetricsF(LabelFont()).horizontalAdvance(Text(text)); },
          QFontMetricsF(LabelFont()).height()};
}

kelvaro::sheet::Figure DesktopFigure(const InfluenceOrdinates& y, char32_t separator, double width, double unitHeight) {
  return kelvaro::sheet::FigureOf(y, separator, width, unitHeight, DesktopMeasure());
}

void PaintFigure(QPainter& p, const kelvaro::sheet::Figure& figure, QPointF topLeft) {
  using Kind = kelvaro::sheet::Shape::Kind;
  p.save();
  p.translate(topLeft);
  p.setRenderHint(QPainter::Antialiasing);
  for (const kelvaro::sheet::Shape& s : figure.shapes) {
    p.setPen(s.stroke > 0 ? QPen(Qt::black, s.stroke, s.dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap)
                          : QPen(Qt::NoPen));
    p.setBrush(BrushOf(s.fill));
    QPolygonF points;
    for (const auto& [x, y] : s.points) points << QPointF(x, y);
    switch (s.kind) {
      case Kind::Line:
        p.drawLine(points[0], points[1]);
        break;
      case Kind::Polygon:
        p.drawPolygon(points);
        break;
      case Kind::Circle:
        p.drawEllipse(points[0], s.radius, s.radius);
        break;
    }
  }
  p.setFont(LabelFont());
  p.setPen(Qt::black);
  for (const kelvaro::sheet::Label& label : figure.labels) {
    const auto& b = label.box;
    p.drawText(QRectF(b.x, b.y, b.width, b.height), Qt::AlignCenter, Text(label.text));
  }
  p.restore();
}

}  // namespace kelvaro::ui
