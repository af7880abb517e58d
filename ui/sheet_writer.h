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

inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

class Writer {
 public:
  explicit Writer(QPainter& painter) : p_(painter) {}
  double y = Top;

  void text(double x, double width, const QString& s, int size, Qt::Alignment align = Qt::AlignLeft);
  /// A line to write on by hand.
  void blank(double x, double width);
  /// "一、设计依据", numbered already; a remark on the section, if any, at the right of the same line, or under it
  /// when the line has no room for both.
  void heading(const QString& s, const QString& remark = {});
  void paragraph(const QString& s, int size = Body);
  void inputs(const std::array<std::string, 4>& columns, const std::vector<kelvaro::sheet::InputRow>& rows);
  void working(const std::vector<kelvaro::sheet::WorkingRow>& lines);
  void results(const std::vector<kelvaro::sheet::ResultRow>& rows);

 private:
  QPainter& p_;
};

}  // namespace kelvaro::ui::sheet
