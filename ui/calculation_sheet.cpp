#include "calculation_sheet.h"

#include "influence_figure.h"
#include "sheet_units.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>

#include <algorithm>

namespace kelvaro::ui {
namespace {

using sheet::Font;
using sheet::Mm;
using sheet::Pt;

// The page: a wider margin on the left for binding the calculation book.
constexpr double Left = 25 * Mm, Right = 190 * Mm, Top = 15 * Mm, Width = Right - Left;
const int Body = Pt(10.5), Small = Pt(9);

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

const QString Code = QStringLiteral("《建筑结构荷载规范》GB 50009-2012，第 6 章“吊车荷载”。");

// The results are the last lines of the working, in result order.
std::vector<SheetResult> Results(const std::vector<WorkingLine>& working, std::initializer_list<const char*> captions) {
  std::vector<SheetResult> results;
  auto line = working.end() - static_cast<std::ptrdiff_t>(captions.size());
  for (const char* caption : captions) {
    results.push_back({QString::fromUtf8(caption), Text(line->quantity), Text(line->result), Text(line->unit)});
    ++line;
  }
  return results;
}

// Paints top to bottom, keeping the place reached.
class Writer {
 public:
  explicit Writer(QPainter& painter) : p_(painter) {}
  double y = Top;

  void text(double x, double width, const QString& s, int size, Qt::Alignment align = Qt::AlignLeft,
            bool bold = false) {
    p_.setFont(Font(size, bold));
    const double h = QFontMetricsF(p_.font()).height();
    p_.drawText(QRectF(x, y, width, h), align | Qt::AlignVCenter, s);
  }
  void blank(double x, double width) {  // a line to write on by hand
    p_.setPen(QPen(Qt::black, 0.2 * Mm));
    p_.drawLine(QPointF(x, y + 5.5 * Mm), QPointF(x + width, y + 5.5 * Mm));
  }
  void heading(const QString& s) {
    static const QString numbers = QStringLiteral("一二三四五六");
    y += 2.5 * Mm;
    text(Left, Width, numbers.at(sections_++) + QStringLiteral("、") + s, Pt(11.5), Qt::AlignLeft, true);
    y += 6.5 * Mm;
  }
  void paragraph(const QString& s) {
    p_.setFont(Font(Body));
    const QRectF box(Left + 3 * Mm, y, Width - 3 * Mm, 100 * Mm);
    QRectF used;
    p_.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, s, &used);
    y += used.height() + 1 * Mm;
  }
  void inputs(const std::vector<SheetInput>& rows);
  void working(const std::vector<WorkingLine>& lines);
  void results(const std::vector<SheetResult>& rows);
  QPainter& painter() { return p_; }

 private:
  QPainter& p_;
  int sections_ = 0;
};

// Two tables side by side, read down the left one first. A value too long for its cell is drawn smaller, and
// cut in the middle only when even that is not enough.
void Writer::inputs(const std::vector<SheetInput>& rows) {
  const double half = (Width - 4 * Mm) / 2, row = 6 * Mm;
  const std::array<double, 4> widths = {14 * Mm, 29 * Mm, 25 * Mm, half - 68 * Mm};
  const auto cells = [&](double x, double top, const QStringList& texts, bool header) {
    for (std::size_t c = 0; c < widths.size(); ++c) {
      QFont font = Font(c == 2 && !header ? Body : Small, header);
      const QString& s = texts[static_cast<qsizetype>(c)];
      const double room = widths[c] - 2 * Mm, natural = QFontMetricsF(font).horizontalAdvance(s);
      if (natural > room) font.setPixelSize(std::max(Pt(6), static_cast<int>(font.pixelSize() * room / natural)));
      p_.setFont(font);
      p_.drawText(QRectF(x + 1 * Mm, top, room, row), Qt::AlignCenter,
                  QFontMetricsF(font).elidedText(s, Qt::ElideMiddle, room));
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
    cells(x, y, {QStringLiteral("符号"), QStringLiteral("名称"), QStringLiteral("数值"), QStringLiteral("单位")}, true);
    for (std::size_t i = first; i < last; ++i) {
      const SheetInput& in = rows[i];
      cells(x, y + static_cast<double>(i - first + 1) * row, {in.symbol, in.caption, in.text, in.unit}, false);
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
void Writer::working(const std::vector<WorkingLine>& lines) {
  const QFont font = Font(Body);
  const QFontMetricsF fm(font);
  p_.setFont(font);
  double column = 0;
  for (const WorkingLine& line : lines) column = std::max(column, fm.horizontalAdvance(Text(line.quantity)));
  const double x = Left + 3 * Mm + column, step = 5.2 * Mm;
  for (const WorkingLine& line : lines) {
    const QString quantity = Text(line.quantity), whole = Text(LineText(line));
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

void Writer::results(const std::vector<SheetResult>& rows) {
  const double row = 7 * Mm, top = y;
  for (const SheetResult& r : rows) {
    y += 1.5 * Mm;
    text(Left + 5 * Mm, 60 * Mm, r.caption, Body);
    text(Left + 65 * Mm, Width - 70 * Mm, r.quantity + QStringLiteral(" = ") + r.value + QStringLiteral(" ") + r.unit,
         Pt(12), Qt::AlignLeft, true);
    y += row - 1.5 * Mm;
  }
  y += 2 * Mm;
  p_.setPen(QPen(Qt::black, 0.5 * Mm));
  p_.setBrush(Qt::NoBrush);
  p_.drawRect(QRectF(Left, top, Width, y - top));
}

}  // namespace

CalculationSheet SheetOf(const VerticalLoads& d, const QString& name, std::vector<SheetInput> inputs,
                         char32_t separator) {
  CalculationSheet s{name,
                     {},
                     std::move(inputs),
                     d.ordinates,
                     QStringLiteral("车轮荷载 Pmax（求 Dmin 时为 Pmin）"),
                     WorkingOf(d, separator),
                     {},
                     separator};
  s.basis = Code + QStringLiteral(
                       "两台相邻吊车的四个车轮按图示位置作用在吊车梁上，一个车轮位于本柱（中间支座）之上；各轮下"
                       "本柱反力影响线的竖标之和 SumY，乘以折减系数 Z 和最大轮压 Pmax（最小轮压 Pmin），即为 Dmax"
                       "（Dmin）。");
  s.results = Results(s.working, {"吊车最大竖向荷载", "吊车最小竖向荷载"});
  return s;
}

CalculationSheet SheetOf(const MinWheelPressure& p, const QString& name, std::vector<SheetInput> inputs,
                         char32_t separator) {
  CalculationSheet s{name, {}, std::move(inputs), std::nullopt, {}, WorkingOf(p, separator), {}, separator};
  s.basis = Code + QStringLiteral(
                       "吊车两端的轮压之和等于吊车总重量 G 与额定起重量 Q 之和 S 乘以 %1（由 t 换算为 Kn）；一端 N "
                       "个车轮均为最大轮压 Pmax 时，另一端每个车轮的轮压即为最小轮压 Pmin。")
                       .arg(Text(FormatValue(Gravity, separator)));
  s.results = Results(s.working, {"吊车最小轮压"});
  return s;
}

CalculationSheet SheetOf(const HorizontalLoads& h, const QString& name, std::vector<SheetInput> inputs,
                         char32_t separator) {
  CalculationSheet s{
      name, {}, std::move(inputs), h.ordinates, QStringLiteral("车轮荷载 H/N"), WorkingOf(h, separator), {}, separator};
  s.basis = Code + QStringLiteral(
                       "每台吊车的横向水平荷载 H 取小车重量 G1 与额定起重量 Q 之和乘以系数 αH 和 %1，由 N 个车轮"
                       "平均传至轨道；每个车轮的 H/N 乘以本柱反力影响线的竖标之和 SumY 和折减系数 Z，即为本柱的横向"
                       "水平荷载 H1。")
                       .arg(Text(FormatValue(Gravity, separator)));
  s.results = Results(s.working, {"每台吊车的横向水平荷载", "正反两个方向的刹车力"});
  return s;
}

QString ProgramVersion() { return QStringLiteral("Kelvaro ") + QStringLiteral(KELVARO_VERSION); }

namespace {

// Everything but the footer, top to bottom; returns where it ended, in sheet units.
double Lay(QPainter& painter, const CalculationSheet& sheet, double unitHeight) {
  Writer w(painter);
  w.text(Left, Width, QStringLiteral("吊车荷载计算书"), Pt(18), Qt::AlignHCenter, true);
  w.y += 9 * Mm;
  w.text(Left, Width, sheet.name, Pt(12), Qt::AlignHCenter);
  w.y += 8 * Mm;
  const double label = 16 * Mm;
  w.text(Left, label, QStringLiteral("工程名称："), Body);
  w.blank(Left + label, Width - label);
  w.y += 7.5 * Mm;
  const double quarter = Width / 4, signLabel = 11 * Mm;
  const QStringList signatures = {QStringLiteral("设计："), QStringLiteral("校对："), QStringLiteral("审核："),
                                  QStringLiteral("日期：")};
  for (qsizetype i = 0; i < signatures.size(); ++i) {
    const double x = Left + static_cast<double>(i) * quarter;
    w.text(x, signLabel, signatures[i], Body);
    w.blank(x + signLabel, quarter - signLabel - 3 * Mm);
  }
  w.y += 6.5 * Mm;

  w.heading(QStringLiteral("设计依据"));
  w.paragraph(sheet.basis);
  w.heading(QStringLiteral("输入数据"));
  w.inputs(sheet.inputs);
  if (sheet.ordinates) {
    w.heading(QStringLiteral("吊车轮位与本柱反力影响线"));
    w.y += 1 * Mm;
    const InfluenceFigure figure(*sheet.ordinates, sheet.decimalSeparator, Width, unitHeight);
    figure.paint(painter, QPointF(Left, w.y));
    w.y += figure.height() + 1.5 * Mm;
    w.text(Left, Width,
           QStringLiteral("图 1  吊车轮位及本柱（中间支座）反力影响线；%1；尺寸单位：m").arg(sheet.wheelLoad), Small,
           Qt::AlignHCenter);
    w.y += 4.5 * Mm;
  }
  w.heading(QStringLiteral("计算过程"));
  w.working(sheet.working);
  w.heading(QStringLiteral("计算结果"));
  w.results(sheet.results);
  return w.y;
}

}  // namespace

double PaintSheet(QPainter& painter, const QRectF& page, const CalculationSheet& sheet) {
  // A figure with taller ordinates (a negative W), a note or lines broken in two takes more room: the figure
  // is drawn lower until the page holds everything.
  constexpr double Unit = 22 * Mm, Lowest = 11 * Mm, Bottom = (FooterTop - 2) * Mm;
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
  footer.text(Left, Width, ProgramVersion(), Small);
  footer.text(Left, Width, QStringLiteral("第 1 页，共 1 页"), Small, Qt::AlignRight);
  painter.restore();
  return reached;
}

}  // namespace kelvaro::ui
