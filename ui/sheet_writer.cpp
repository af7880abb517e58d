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

void Writer::heading(const QString& s, const QString& remark) {
  y += 2.5 * Mm;
  text(Left, Width, s, Pt(12));
  const double room = Width - QFontMetricsF(Font(Pt(12))).horizontalAdvance(s) - 4 * Mm;
  const bool beside = QFontMetricsF(Font(Small)).horizontalAdvance(remark) <= room;
  if (beside) text(Left, Width, remark, Small, Qt::AlignRight);
  y += 6.5 * Mm;
  if (!beside) paragraph(remark, Small);
}

void Writer::paragraph(const QString& s, int size) {
  p_.setFont(Font(size));
  const QRectF box(Left + 3 * Mm, y, Width - 3 * Mm, 100 * Mm);
  QRectF used;
  p_.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, s, &used);
  y += used.height() + 1 * Mm;
}

// Two tables side by side, read down the left one first. A value too long for its cell is drawn smaller, then
// wrapped over as many lines as it needs, its row growing with it: what was typed is printed whole.
void Writer::inputs(const std::array<std::string, 4>& columns, const std::vector<kelvaro::sheet::InputRow>& rows) {
  const double half = (Width - 4 * Mm) / 2, row = 6 * Mm, pad = 0.8 * Mm;
  const std::array<double, 4> widths = {11 * Mm, 27 * Mm, 32.5 * Mm, half - 70.5 * Mm};
  struct Set {
    QFont font;
    int flags;
  };
  // The size the text fits at on one line, or the smaller one wrapped anywhere (a number has no spaces).
  const auto setOf = [&](double width, const QString& s, int size) {
    for (const int smaller : {size, Pt(8)}) {
      if (QFontMetricsF(Font(smaller)).horizontalAdvance(s) <= width - 2 * pad) return Set{Font(smaller), 0};
    }
    return Set{Font(Pt(8)), Qt::TextWrapAnywhere};
  };
  const auto heightOf = [&](double width, const QString& s, int size) {
    const Set set = setOf(width, s, size);
    if (set.flags == 0) return row;
    const QRectF box(0, 0, width - 2 * pad, 1000 * Mm);
    return std::max(row, QFontMetricsF(set.font).boundingRect(box, set.flags, s).height() + 1 * Mm);
  };
  const auto cell = [&](QRectF box, const QString& s, int size) {
    const Set set = setOf(box.width(), s, size);
    p_.setFont(set.font);
    p_.drawText(box.adjusted(pad, 0, -pad, 0), Qt::AlignCenter | set.flags, s);
  };
  const auto texts = [](const kelvaro::sheet::InputRow& in) {
    return QStringList{Q(in.symbol), Q(in.caption), Q(in.text), Q(in.unit)};
  };
  const auto sizeOf = [](std::size_t column, bool header) { return column == 2 && !header ? Body : Small; };

  const std::size_t perColumn = (rows.size() + 1) / 2;
  double lowest = y;
  for (std::size_t column = 0; column < 2; ++column) {
    const double x = Left + static_cast<double>(column) * (half + 4 * Mm);
    const std::size_t first = std::min(column * perColumn, rows.size());
    const std::size_t last = std::min(first + perColumn, rows.size());
    // Each row's top, the header's first, and the table's bottom last.
    std::vector<double> tops{y, y + row};
    for (std::size_t i = first; i < last; ++i) {
      double height = row;
      const QStringList t = texts(rows[i]);
      for (std::size_t c = 0; c < widths.size(); ++c)
        height = std::max(height, heightOf(widths[c], t[static_cast<qsizetype>(c)], sizeOf(c, false)));
      tops.push_back(tops.back() + height);
    }
    p_.fillRect(QRectF(x, y, half, row), QColor(235, 235, 235));
    for (std::size_t r = 0; r + 1 < tops.size(); ++r) {
      const bool header = r == 0;
      const QStringList t =
          header ? QStringList{Q(columns[0]), Q(columns[1]), Q(columns[2]), Q(columns[3])} : texts(rows[first + r - 1]);
      double cx = x;
      for (std::size_t c = 0; c < widths.size(); ++c) {
        cell(QRectF(cx, tops[r], widths[c], tops[r + 1] - tops[r]), t[static_cast<qsizetype>(c)], sizeOf(c, header));
        cx += widths[c];
      }
    }
    const double bottom = tops.back();
    p_.setPen(QPen(Qt::black, 0.2 * Mm));
    for (const double top : tops) p_.drawLine(QPointF(x, top), QPointF(x + half, top));
    double cx = x;
    p_.drawLine(QPointF(cx, y), QPointF(cx, bottom));
    for (const double w : widths) {
      cx += w;
      p_.drawLine(QPointF(cx, y), QPointF(cx, bottom));
    }
    lowest = std::max(lowest, bottom);
  }
  y = lowest + 1 * Mm;
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
