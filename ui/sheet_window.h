// A calculation's sheet in a print preview, with the toolkit's print dialog and an export to PDF. One per
// calculator: a new calculation there is shown here at once, so that the sheet and the window never disagree.
#pragma once

#include "calculation_sheet.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <QPrinter>

#include <expected>

class QFileDialog;
class QMessageBox;
class QPrintPreviewWidget;

namespace kelvaro::ui {

/// The sheet as a one-page A4 PDF, fonts embedded.
QByteArray SheetPdf(const CalculationSheet& sheet);
/// Writes SheetPdf to `path`; an existing file is replaced only once the new one is whole. On failure, a message
/// in Chinese that names the file and the reason.
std::expected<void, QString> SaveSheetPdf(const CalculationSheet& sheet, const QString& path);
/// "吊车Dmax和Dmin计算_2024-05-01.pdf": the calculation's name and the date, without characters that file
/// systems refuse.
QString SuggestedFileName(const QString& name, QDate date);

/// The sheet's text, one line each for its name, basis, inputs, working and results: what a screen reader reads.
QStringList SheetText(const CalculationSheet& sheet);

/// What the sheet window plugin does (SheetWindowInterface::show in sheet_loader.h): `sheet` in `open`, or in a new
/// SheetWindow.
QWidget* ShowSheetWindow(QWidget* open, const CalculationSheet& sheet, QWidget* calculator);

class SheetWindow : public QMainWindow {
  Q_OBJECT

 public:
  /// A window of its own that belongs to `calculator`, is closed with it and is destroyed when closed.
  SheetWindow(CalculationSheet sheet, QWidget* calculator);

  const CalculationSheet& sheet() const { return sheet_; }
  void setSheet(CalculationSheet sheet);
  /// Where the next export is suggested; the folder of the last one, else the home folder.
  static void setExportFolder(const QString& folder);

 public slots:
  void print();
  void exportPdf();
  /// Writes the PDF; a failure is told in a message box over this window, which stays open.
  bool save(const QString& path);

 private:
  void paint(QPrinter* printer);
  // The preview is a picture: its text goes to screen readers as its description.
  void describe();

  CalculationSheet sheet_;
  QPrinter printer_;
  QPrintPreviewWidget* preview_;
  QPointer<QFileDialog> fileDialog_;
  QPointer<QMessageBox> messageBox_;
};

}  // namespace kelvaro::ui
