#include "sheet_writer.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace kelvaro::ui::sheet {
void Writer::text(double x, double width, const QString& s, int size, Qt::Alignment align) {
  p_.setFont(Font(size));
  const double h = QFontMetricsF(p_.font()).height();
  p_.drawText(QRectF(x, y, width, h), align | Qt::AlignVCenter, s);
}

void Writer::blank(double x, double width) {
  p_.setPen(QPen(Qt::black, 0.2 * Mm));
  p_.drawLine(QPointF(x, y + 5.5 * Mm), QPointF(x + width, y + 5.5 * Mm));
}

void Writer::heading(const QString& s) {
  y += 2.5 * Mm;
  text(Left, Width, s, Pt(12));
  y += 6.5 * Mm;
}

void Writer::paragraph(const QString& s) {
  p_.setFont(Font(Body));
  const QRectF box(Left + 3 * Mm, y, Width - 3 * Mm, 100 * Mm);
  QRectF used;
  p_.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, s, &used);
  y += used.height() + 1 * Mm;
}

// Two tables side by side, read down the left one first. A value too long for its cell is drawn smaller, then
// on two lines, and cut in the middle only when even that is not enough.
void Writer::inputs(const std::array<std::string, 4>& columns, const std::vector<kelvaro::sheet::InputRow>& rows) {
  const double half = (Width - 4 * Mm) / 2, row = 6 * Mm;
  const std::array<double, 4> widths = {13 * Mm, 27 * Mm, 28 * Mm, half - 68 * Mm};
  const auto cell = [&](QRectF box, const QString& s, int size) {
    box.adjust(0.8 * Mm, 0, -0.8 * Mm, 0);
    for (const int smaller : {size, Pt(8), Pt(6.5)}) {
      const QFont font = Font(smaller);
      if (QFontMetricsF(font).horizontalAdvance(s) > box.width()) continue;
      p_.setFont(font);
      return p_.drawText(box, Qt::AlignCenter, s);
    }
    const QFont font = Font(Pt(6.5));
    const QFontMetricsF fm(font);
    p_.setFont(font);
    if (fm.boundingRect(box, Qt::TextWrapAnywhere, s).height() <= box.height()) {
      return p_.drawText(box, Qt::AlignCenter | Qt::TextWrapAnywhere, s);
    }
    p_.drawText(box, Qt::AlignCenter, fm.elidedText(s, Qt::ElideMiddle, box.width()));
  };
  const auto cells = [&](double x, double top, const QStringList& texts, bool header) {
    for (std::size_t c = 0; c < widths.size(); ++c) {
      cell(QRectF(x, top, widths[c], row), texts[static_cast<qsizetype>(c)], c == 2 && !header ? Body : Small);
      x += widths[c];
    }
  };
  const std::size_t perColumn = (rows.size() + 1) / 2;
  for (std::size_t column = 0; column < 2; ++column) {
    const double x = Left + static_cast<double>(column) * (half + 4 * Mm);
    const std::size_t first = std::min(column * perColumn, rows.size());
    const std::size_t last = std::min(first + perColumn, rows.size());
    const double bottom = y + static_cast<double>(last - first + 1) * row;
    p_.fillRect(QRectF(x, y, half, row), QColor(235, 235, 235));
    cells(x, y, {Q(columns[0]), Q(columns[1]), Q(columns[2]), Q(columns[3])}, true);
    for (std::size_t i = first; i < last; ++i) {
      const kelvaro::sheet::InputRow& in = rows[i];
      cells(x, y + static_cast<double>(i - first + 1) * row, {Q(in.symbol), Q(in.caption), Q(in.text), Q(in.unit)},
            false);
    }
    p_.setPen(QPen(Qt::black, 0.2 * Mm));
    for (double top = y; top <= bottom + 1; top += row) p_.drawLine(QPointF(x, top), QPointF(x + half, top));
    double cx = x;
    p_.drawLine(QPointF(cx, y), QPointF(cx, bottom));
    for (const double w : widths) {
      cx += w;
      p_.drawLine(QPointF(cx, y), QPointF(cx, bottom));
    }
  }
  y += static_cast<double>(perColumn + 1) * row + 1 * Mm;
}

// One line per statement, the quantities right-aligned; a line too long for the page is broken before an "=",
// and goes on under the first one.
void Writer::working(const std::vector<kelvaro::sheet::WorkingRow>& lines) {
  const QFont font = Font(Body);
  const QFontMetricsF fm(font);
  p_.setFont(font);
  double column = 0;
  for (const auto& line : lines) column = std::max(column, fm.horizontalAdvance(Q(line.quantity)));
  const double x = Left + 3 * Mm + column, step = 5.2 * Mm;
  for (const auto& line : lines) {
    const QString quantity = Q(line.quantity), whole = Q(line.text);
    const double start = x - fm.horizontalAdvance(quantity);
    if (start + fm.horizontalAdvance(whole) <= Right) {
      p_.drawText(QPointF(start, y + fm.ascent()), whole);
      y += step;
      continue;
    }
    const QStringList parts = whole.sliced(quantity.size() + 3).split(QStringLiteral(" = "));
    QString row = quantity + QStringLiteral(" = ") + parts.front();
    double rowStart = start;
    for (qsizetype i = 1; i <= parts.size(); ++i) {
      const QString next = i < parts.size() ? row + QStringLiteral(" = ") + parts[i] : QString();
      if (i < parts.size() && rowStart + fm.horizontalAdvance(next) <= Right) {
        row = next;
        continue;
      }
      p_.drawText(QPointF(rowStart, y + fm.ascent()), row);
      y += step;
      if (i == parts.size()) break;
      rowStart = x + fm.horizontalAdvance(QStringLiteral(" "));
      row = QStringLiteral("= ") + parts[i];
    }
  }
}

// Caption and value on one line: both centred on the same middle, whatever their sizes.
void Writer::results(const std::vector<kelvaro::sheet::ResultRow>& rows) {
  const double row = 7 * Mm, top = y;
  y += 1.5 * Mm;
  for (const auto& r : rows) {
    p_.setFont(Font(Body));
    p_.drawText(QRectF(Left + 5 * Mm, y, 60 * Mm, row), Qt::AlignLeft | Qt::AlignVCenter, Q(r.caption));
    p_.setFont(Font(Pt(12.5)));
    p_.drawText(QRectF(Left + 65 * Mm, y, Width - 70 * Mm, row), Qt::AlignLeft | Qt::AlignVCenter, Q(r.text));
    y += row;
  }
  y += 1.5 * Mm;
  p_.setPen(QPen(Qt::black, 0.5 * Mm));
  p_.setBrush(Qt::NoBrush);
  p_.drawRect(QRectF(Left, top, Width, y - top));
}

}  // namespace kelvaro::ui::sheet
