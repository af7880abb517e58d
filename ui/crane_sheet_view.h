// The several-cranes sheet on paper: its pages painted from the sheet's data (forms/crane_sheet.h) on A4, shown
// in a window of their own, printed and written to PDF. It lives in the sheet window's module, with the print
// support, so that the program does not load that before its first window. Kept apart from the calculators' sheet while
// that one becomes a Qt-free description too; the two are to share one page painter then.
#pragma once

#include "crane_sheet.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPainter;
class QPrinter;
class QVBoxLayout;

namespace kelvaro::ui {

/// Paints page `page` (0-based) on a device of A4 size, `dotsPerMm` device pixels to the millimetre.
void PaintCraneSheetPage(QPainter& painter, const forms::CraneSheet& sheet, int page, double dotsPerMm);
/// Every page into a PDF at `path`; false when it cannot be written.
bool SaveCraneSheetPdf(const forms::CraneSheet& sheet, const QString& path);

/// The sheet's pages one under another, with 打印… and 导出 PDF….
class CraneSheetWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CraneSheetWindow(QWidget* owner);
  ~CraneSheetWindow() override;
  void setSheet(forms::CraneSheet sheet, const QString& suggestedName);
  const forms::CraneSheet& sheet() const { return sheet_; }

 public slots:
  void print();
  void exportPdf();

 private:
  forms::CraneSheet sheet_;
  QString suggestedName_;
  QVBoxLayout* pages_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
};

/// Shows `sheet` in `open`, a window this function made, or else in a new one owned by `owner`; not yet shown.
QWidget* ShowCraneSheetWindow(QWidget* open, const forms::CraneSheet& sheet, const QString& suggestedName,
                              QWidget* owner);

}  // namespace kelvaro::ui
