#include "calculation_sheet.h"

#include "influence_figure.h"
#include "sheet_writer.h"

#include <QPainter>
#include <QPicture>

#include <algorithm>

namespace kelvaro::ui {
namespace {

using namespace sheet;

// Everything but the footer, top to bottom; returns where it ended, in sheet units.
double Lay(QPainter& painter, const CalculationSheet& sheet, double unitHeight) {
  Writer w(painter);
  w.text(Left, Width, Q(sheet.title), Pt(20), Qt::AlignHCenter);
  w.y += 10 * Mm;
  w.text(Left, Width, Q(sheet.name), Pt(12), Qt::AlignHCenter);
  w.y += 8 * Mm;
  const double label = 16 * Mm;
  w.text(Left, label, Q(sheet.project), Body);
  w.blank(Left + label, Width - label);
  w.y += 7.5 * Mm;
  const double quarter = Width / 4, signLabel = 11 * Mm;
  for (std::size_t i = 0; i < sheet.signatures.size(); ++i) {
    const double x = Left + static_cast<double>(i) * quarter;
    w.text(x, signLabel, Q(sheet.signatures[i]), Body);
    w.blank(x + signLabel, quarter - signLabel - 3 * Mm);
  }
  w.y += 6.5 * Mm;

  w.heading(Q(sheet.basisHeading));
  w.paragraph(Q(sheet.basis));
  w.heading(Q(sheet.inputsHeading));
  w.inputs(sheet.columns, sheet.inputs);
  if (sheet.ordinates) {
    w.heading(Q(sheet.figureHeading));
    w.y += 1 * Mm;
    const kelvaro::sheet::Figure figure = DesktopFigure(*sheet.ordinates, sheet.decimalSeparator, Width, unitHeight);
    PaintFigure(painter, figure, QPointF(Left, w.y));
    w.y += figure.height + 1.5 * Mm;
    w.text(Left, Width, Q(sheet.figureCaption), Small, Qt::AlignHCenter);
    w.y += 4.5 * Mm;
  }
  w.heading(Q(sheet.workingHeading), Q(sheet.workingNote));
  w.working(sheet.working);
  w.heading(Q(sheet.resultsHeading));
  w.results(sheet.results);
  for (const std::string& note : sheet.notes) w.paragraph(Q(note), Small);
  return w.y;
}

}  // namespace

double PaintSheet(QPainter& painter, const QRectF& page, const CalculationSheet& sheet) {
  // A figure with taller ordinates (a negative W), a note or lines broken in two takes more room: the figure
  // is drawn lower until the page holds everything.
  constexpr double Unit = 22 * Mm, Lowest = 7 * Mm, Bottom = (FooterTop - 2) * Mm;
  double unitHeight = Unit;
  if (sheet.ordinates) {
    QPicture measure;
    QPainter dry(&measure);
    unitHeight = std::clamp(Unit - (Lay(dry, sheet, Unit) - Bottom), Lowest, Unit);
  }

  painter.save();
  // Sheet units onto the paper, A4 proportions kept on any paper the printer has.
  const double scale = std::min(page.width() / sheet::PageWidth, page.height() / sheet::PageHeight);
  painter.translate(page.center() - QPointF(sheet::PageWidth, sheet::PageHeight) * scale / 2);
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  const double reached = Lay(painter, sheet, unitHeight) / Mm;

  Writer footer(painter);
  footer.y = FooterTop * Mm;
  painter.setPen(QPen(Qt::black, 0.2 * Mm));
  painter.drawLine(QPointF(Left, footer.y), QPointF(Right, footer.y));
  footer.y += 1 * Mm;
  footer.text(Left, Width, Q(sheet.program), Small);
  footer.text(Left, Width, Q(sheet.page), Small, Qt::AlignRight);
  painter.restore();
  return reached;
}

}  // namespace kelvaro::ui
