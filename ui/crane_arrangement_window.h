// The several-cranes window, built from its description (forms/crane_window.h) with the toolkit's layouts: the
// bays, a table of one to four cranes, the options, the results with their notes, the warnings and the figure of
// the critical position. Calculate is one call into the core, which reads every text and words every message.
#pragma once

#include "crane_arrangement.h"
#include "crane_window.h"
#include "form.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;

namespace kelvaro::ui {

class CalculationFileActions;
class FigureView;
class SheetWindowInterface;

class CraneArrangementWindow : public QWidget {
  Q_OBJECT

 public:
  CraneArrangementWindow();

  /// The texts exactly as the window holds them.
  CraneArrangementTexts texts() const;
  /// Rows for each crane of `texts` (at least one, at most four), every text as given.
  void setTexts(const CraneArrangementTexts& texts);
  /// The control of an input; null for a crane the table does not have.
  QWidget* input(const ArrangementInput& input) const;
  /// The last calculation that succeeded, while the window shows it.
  const std::optional<ArrangementAnswer>& answer() const { return answer_; }
  const FigureView* figure() const { return figure_; }
  /// Saves the texts (and the results as shown) to `path`; false after a failure, which has been reported.
  bool saveTo(const QString& path);
  /// A message about a calculation file, in the window's own box.
  void reportFile(const QString& message);

 public slots:
  /// True when the results were written; false after a refusal, which has been reported.
  bool calculate();
  void clear();
  void addCrane();
  void removeCrane();
  /// Calculates as 计算 does and, only when that succeeds, shows the sheet (Ctrl+P).
  void showSheet();
  /// Asks where, then saveTo (Ctrl+S, 保存计算…).
  void save();
  /// Asks for a file; openFileRequested with it (Ctrl+O, 打开计算…).
  void chooseFileToOpen();

 signals:
  void showWindowRequested(kelvaro::forms::FormId form);
  /// The user chose a file to open; it may belong to another window, so whoever keeps the windows opens it.
  void openFileRequested(const QString& path);

 private:
  void addRow(const CraneTexts& texts);
  void dropRow();
  void updateTabOrder();
  void report(const QString& message, const QString& title = {});
  void addFileActions();

  char32_t separator_;
  std::array<QLineEdit*, 2> bays_{};
  QGridLayout* table_ = nullptr;
  std::vector<std::array<QWidget*, CraneFieldCount>> rows_;
  std::vector<QLabel*> rowLabels_;
  std::vector<std::pair<ArrangementField, QComboBox*>> options_;
  std::vector<std::pair<ArrangementResult, QLabel*>> results_;
  std::array<std::pair<QLabel*, QLabel*>, MaxCranes> longitudinal_{};  // caption and value of each crane's T_L
  std::vector<QPushButton*> buttons_;
  QLabel* warnings_ = nullptr;
  FigureView* figure_ = nullptr;
  std::optional<ArrangementAnswer> answer_;
  QPointer<QMessageBox> messageBox_;
  QPointer<QWidget> sheet_;  // made by the sheet window's module, which prints
  SheetWindowInterface* sheetEntry_ = nullptr;
  CalculationFileActions* files_ = nullptr;
};

}  // namespace kelvaro::ui
