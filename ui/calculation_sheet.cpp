#include "calculation_sheet.h"

#include "influence_figure.h"
#include "sheet_writer.h"

#include <QPainter>
#include <QPicture>

#include <algorithm>

namespace kelvaro::ui {
namespace {

using namespace sheet;

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

}  // namespace

namespace {

CalculationSheet Sheet(const QString& name, std::vector<SheetInput> inputs, std::vector<WorkingLine> working,
                       char32_t separator) {
  CalculationSheet s;
  s.name = name;
  s.inputs = std::move(inputs);
  s.working = std::move(working);
  s.decimalSeparator = separator;
  return s;
}

}  // namespace

CalculationSheet SheetOf(const VerticalLoads& d, const QString& name, std::vector<SheetInput> inputs,
                         char32_t separator) {
  CalculationSheet s = Sheet(name, std::move(inputs), WorkingOf(d, separator), separator);
  s.basis = Code + QStringLiteral(
                       "两台相邻吊车的四个车轮按图示位置作用在吊车梁上，一个车轮位于本柱（中间支座）之上；各轮下"
                       "本柱反力影响线的竖标之和 SumY，乘以折减系数 Z 和最大轮压 Pmax（最小轮压 Pmin），即为 Dmax"
                       "（Dmin）。");
  s.ordinates = d.ordinates;
  s.wheelLoad = QStringLiteral("车轮荷载 Pmax（求 Dmin 时为 Pmin）");
  s.results = Results(s.working, {"吊车最大竖向荷载", "吊车最小竖向荷载"});
  return s;
}

CalculationSheet SheetOf(const MinWheelPressure& p, const QString& name, std::vector<SheetInput> inputs,
                         char32_t separator) {
  CalculationSheet s = Sheet(name, std::move(inputs), WorkingOf(p, separator), separator);
  s.basis = Code + QStringLiteral(
                       "吊车两端的轮压之和等于吊车总重量 G 与额定起重量 Q 之和 S 乘以 %1（由 t 换算为 Kn）；一端 N "
                       "个车轮均为最大轮压 Pmax 时，另一端每个车轮的轮压即为最小轮压 Pmin。")
                       .arg(Text(FormatValue(Gravity, separator)));
  s.results = Results(s.working, {"吊车最小轮压"});
  return s;
}

CalculationSheet SheetOf(const HorizontalLoads& h, const QString& name, std::vector<SheetInput> inputs,
                         char32_t separator) {
  CalculationSheet s = Sheet(name, std::move(inputs), WorkingOf(h, separator), separator);
  s.basis = Code + QStringLiteral(
                       "每台吊车的横向水平荷载 H 取小车重量 G1 与额定起重量 Q 之和乘以系数 αH 和 %1，由 N 个车轮"
                       "平均传至轨道；每个车轮的 H/N 乘以本柱反力影响线的竖标之和 SumY 和折减系数 Z，即为本柱的横向"
                       "水平荷载 H1。")
                       .arg(Text(FormatValue(Gravity, separator)));
  s.ordinates = h.ordinates;
  s.wheelLoad = QStringLiteral("车轮荷载 H/N");
  s.results = Results(s.working, {"每台吊车的横向水平荷载", "正反两个方向的刹车力"});
  return s;
}

QString ProgramVersion() { return QStringLiteral("Kelvaro ") + QStringLiteral(KELVARO_VERSION); }

namespace {

// Everything but the footer, top to bottom; returns where it ended, in sheet units.
double Lay(QPainter& painter, const CalculationSheet& sheet, double unitHeight) {
  Writer w(painter);
  w.text(Left, Width, QStringLiteral("吊车荷载计算书"), Pt(20), Qt::AlignHCenter);
  w.y += 10 * Mm;
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
