#include "crane_sheet_view.h"

#include "figure_painter.h"
#include "look.h"

#include <QFileDialog>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kelvaro::ui {
namespace {

using namespace Qt::StringLiterals;

constexpr double PageWidth = 210, PageHeight = 297, Margin = 18, Top = 15;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Writes down the page from the top, in millimetres.
class PageWriter {
 public:
  PageWriter(QPainter& p, double dotsPerMm) : p_(p), mm_(dotsPerMm) {}

  QFont font(double points, bool bold = false) const {
    QFont f = ProgramFont();
    // A point is 25.4/72 mm whatever the device: sized in device pixels so that screen and PDF agree.
    f.setPixelSize(std::max(1, static_cast<int>(points * 25.4 / 72 * mm_ + 0.5)));
    f.setBold(bold);
    return f;
  }
  void text(const QString& text, double points, bool bold = false, Qt::Alignment align = Qt::AlignLeft) {
    p_.setFont(font(points, bold));
    const QRectF area(X(Margin), X(y_), X(PageWidth - 2 * Margin), X(PageHeight));
    const QRectF used = p_.boundingRect(area, static_cast<int>(align | Qt::TextWordWrap), text);
    p_.drawText(area, static_cast<int>(align | Qt::TextWordWrap), text);
    y_ += used.height() / mm_ + 0.3;
  }
  void gap(double mm) { y_ += mm; }
  void table(const forms::SheetTable& t, double points) {
    p_.setFont(font(points));
    const double rowHeight = points * 25.4 / 72 * 1.45;
    // Each column as wide as its widest text, the spare width shared out evenly.
    std::vector<double> widths(t.header.size(), 0);
    const QFontMetricsF metrics(font(points, true));
    for (const auto* cells : {&t.header}) {
      for (std::size_t c = 0; c < cells->size(); ++c) widths[c] = metrics.horizontalAdvance(Q((*cells)[c])) / mm_ + 1.5;
    }
    for (const auto& cells : t.rows) {
      for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
        widths[c] = std::max(widths[c], metrics.horizontalAdvance(Q(cells[c])) / mm_ + 1.5);
      }
    }
    double used = 0;
    for (const double w : widths) used += w;
    const double spare = (PageWidth - 2 * Margin - used) / double(widths.size());
    for (double& w : widths) w += spare;
    const auto row = [&](const std::vector<std::string>& cells, bool bold) {
      p_.setFont(font(points, bold));
      double x = Margin;
      for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
        const QRectF cell(X(x), X(y_), X(widths[c]), X(rowHeight));
        p_.drawText(cell, Qt::AlignVCenter | Qt::AlignHCenter, Q(cells[c]));
        x += widths[c];
      }
      p_.drawLine(QPointF(X(Margin), X(y_ + rowHeight)), QPointF(X(PageWidth - Margin), X(y_ + rowHeight)));
      y_ += rowHeight;
    };
    p_.drawLine(QPointF(X(Margin), X(y_)), QPointF(X(PageWidth - Margin), X(y_)));
    row(t.header, true);
    for (std::size_t r = 0; r < t.rows.size(); ++r) row(t.rows[r], t.lastRowIsSum && r + 1 == t.rows.size());
    y_ += 1.5;
  }
  // The figure 130 mm wide, to keep a sheet of up to eight wheels on one page.
  void figure(const forms::Figure& f) {
    const double width = 130, scale = X(width) / f.width;
    p_.save();
    p_.translate(X(Margin), X(y_));
    p_.scale(scale, scale);
    // The figure's texts are 8 points on paper.
    QFont small = font(7.5);
    small.setPixelSize(std::max(1, static_cast<int>(small.pixelSize() / scale + 0.5)));
    PaintFigure(p_, f, small);
    p_.restore();
    y_ += f.height * width / f.width + 1;
  }

 private:
  double X(double mm) const { return mm * mm_; }
  QPainter& p_;
  double mm_;
  double y_ = Top;
};

}  // namespace

void PaintCraneSheetPage(QPainter& painter, const forms::CraneSheet& sheet, int page, double dotsPerMm) {
  PageWriter w(painter, dotsPerMm);
  painter.setPen(Qt::black);
  if (page == 0) {
    w.text(Q(sheet.title), 15, true, Qt::AlignHCenter);
    w.gap(1);
    w.text(Q(sheet.blanks), 8.5);
    w.gap(2);
  }
  int at = 0;
  for (const forms::SheetSection& s : sheet.sections) {
    at += s.newPage ? 1 : 0;
    if (at != page) continue;
    w.text(Q(s.heading), 10, true);
    for (const std::string& line : s.lines) w.text(Q(line), 7.5);
    if (s.figure) w.figure(sheet.figure);
    if (!s.table.header.empty()) w.table(s.table, 7.5);
    w.gap(1);
  }
  painter.setFont(w.font(7.5));
  painter.drawText(QRectF(0, (PageHeight - 10) * dotsPerMm, PageWidth * dotsPerMm, 5 * dotsPerMm), Qt::AlignHCenter,
                   Q(forms::CraneSheetFooter(sheet, page)));
}

// Every page on `device`, its pages A4 and full, `dotsPerMm` to the millimetre; false when it cannot be painted.
template <class Device>
bool PaintPages(Device& device, const forms::CraneSheet& sheet, double dotsPerMm) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  for (int page = 0; page < sheet.pages; ++page) {
    if (page > 0) device.newPage();
    PaintCraneSheetPage(painter, sheet, page, dotsPerMm);
  }
  return painter.end();
}

bool SaveCraneSheetPdf(const forms::CraneSheet& sheet, const QString& path) {
  QPdfWriter pdf(path);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setResolution(300);
  pdf.setTitle(Q(sheet.title));
  pdf.setCreator(u"Kelvaro"_s);
  return PaintPages(pdf, sheet, 300 / 25.4);
}

CraneSheetWindow::CraneSheetWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(u"计算书"_s);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  auto* print = new QPushButton(u"打印…"_s, this);
  connect(print, &QPushButton::clicked, this, &CraneSheetWindow::print);
  auto* save = new QPushButton(u"导出 PDF…"_s, this);
  connect(save, &QPushButton::clicked, this, &CraneSheetWindow::exportPdf);
  bar->addWidget(print);
  bar->addWidget(save);
  bar->addStretch();
  layout->addLayout(bar);
  auto* scroll = new QScrollArea(this);
  auto* inside = new QWidget(scroll);
  pages_ = new QVBoxLayout(inside);
  scroll->setWidget(inside);
  scroll->setWidgetResizable(true);
  layout->addWidget(scroll);
  resize(860, 900);
}

CraneSheetWindow::~CraneSheetWindow() = default;

void CraneSheetWindow::setSheet(forms::CraneSheet sheet, const QString& suggestedName) {
  sheet_ = std::move(sheet);
  suggestedName_ = suggestedName;
  while (QLayoutItem* item = pages_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  constexpr double dotsPerMm = 96 / 25.4;
  for (int page = 0; page < sheet_.pages; ++page) {
    QImage image(QSize(int(PageWidth * dotsPerMm), int(PageHeight * dotsPerMm)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintCraneSheetPage(painter, sheet_, page, dotsPerMm);
    painter.end();
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(image));
    label->setAccessibleName(u"第 %1 页"_s.arg(page + 1));
    pages_->addWidget(label, 0, Qt::AlignHCenter);
  }
}

void CraneSheetWindow::print() {
  // One printer for the window's life: the choices made in the dialog stay for the next print.
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setFullPage(true);
  }
  printer_->setDocName(suggestedName_);
  QPrintDialog dialog(printer_.get(), this);
  dialog.setWindowTitle(u"打印计算书"_s);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!PaintPages(*printer_, sheet_, printer_->resolution() / 25.4)) {
    QMessageBox::warning(this, u"打印"_s, u"无法打印到 %1。"_s.arg(printer_->printerName()));
  }
}

void CraneSheetWindow::exportPdf() {
  const QString path = QFileDialog::getSaveFileName(this, u"导出 PDF"_s, suggestedName_ + u".pdf"_s, u"PDF (*.pdf)"_s);
  if (path.isEmpty()) return;
  if (!SaveCraneSheetPdf(sheet_, path)) QMessageBox::warning(this, u"导出 PDF"_s, u"无法写入 %1。"_s.arg(path));
}

QWidget* ShowCraneSheetWindow(QWidget* open, const forms::CraneSheet& sheet, const QString& suggestedName,
                              QWidget* owner) {
  auto* window = qobject_cast<CraneSheetWindow*>(open);
  if (!window) window = new CraneSheetWindow(owner);
  window->setSheet(sheet, suggestedName);
  return window;
}

}  // namespace kelvaro::ui
