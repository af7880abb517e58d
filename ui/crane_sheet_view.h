// The several-cranes sheet on paper: its pages painted from the sheet's data (forms/crane_sheet.h) on A4, shown
// in a window of their own and written to PDF. Kept apart from the calculators' sheet while that one becomes a
// Qt-free description too; the two are to share one page painter then.
#pragma once

#include "crane_sheet.h"

#include <QWidget>

class QLabel;
class QPainter;
class QVBoxLayout;

namespace kelvaro::ui {

/// Paints page `page` (0-based) on a device of A4 size, `dotsPerMm` device pixels to the millimetre.
void PaintCraneSheetPage(QPainter& painter, const forms::CraneSheet& sheet, int page, double dotsPerMm);
/// Every page into a PDF at `path`; false when it cannot be written.
bool SaveCraneSheetPdf(const forms::CraneSheet& sheet, const QString& path);

/// The sheet's pages one under another, with 导出 PDF….
class CraneSheetWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CraneSheetWindow(QWidget* owner);
  void setSheet(forms::CraneSheet sheet, const QString& suggestedName);
  const forms::CraneSheet& sheet() const { return sheet_; }

 public slots:
  void exportPdf();

 private:
  forms::CraneSheet sheet_;
  QString suggestedName_;
  QVBoxLayout* pages_ = nullptr;
};

}  // namespace kelvaro::ui
