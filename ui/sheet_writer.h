// Paints a sheet top to bottom in sheet units, keeping the place reached: titles, blanks to fill in by hand,
// paragraphs, the input tables, the working and the framed results.
#pragma once

#include "calculation_sheet.h"
#include "sheet_units.h"

class QPainter;

namespace kelvaro::ui::sheet {

// The page: a wider margin on the left for binding the calculation book.
inline constexpr double Left = 25 * Mm, Right = 190 * Mm, Top = 15 * Mm, Width = Right - Left;
inline constexpr int Body = Pt(10.5), Small = Pt(9);

class Writer {
 public:
  explicit Writer(QPainter& painter) : p_(painter) {}
  double y = Top;

  void text(double x, double width, const QString& s, int size, Qt::Alignment align = Qt::AlignLeft);
  /// A line to write on by hand.
  void blank(double x, double width);
  /// "一、设计依据": numbered in the order the sections come.
  void heading(const QString& s);
  void paragraph(const QString& s);
  void inputs(const std::vector<SheetInput>& rows);
  void working(const std::vector<WorkingLine>& lines);
  void results(const std::vector<SheetResult>& rows);

 private:
  QPainter& p_;
  int sections_ = 0;
};

}  // namespace kelvaro::ui::sheet
