// Form1: vertical crane loads Dmax and Dmin on a column, with the influence-line diagram; opens the other windows.
#pragma once

#include "calculator_window.h"

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro::ui {

class PictureBox;

class MainWindow : public CalculatorWindow {
  Q_OBJECT

 public:
  MainWindow();

  PictureBox* Picture1;
  QGroupBox* Frame2;
  QPushButton* Command7;
  QPushButton* Command3;
  QLabel* Label15;
  QLineEdit* Text5;
  QLabel* Label10;
  QLabel* Label12;
  QLabel* Label31;
  QLabel* Label11;
  QLabel* Label13;
  QLabel* Label32;
  QLabel* Label25;
  QLabel* Label2;
  QLineEdit* Text6;
  QLabel* Label26;
  QLabel* Label27;
  QLabel* Label8;
  QLineEdit* Text7;
  QLabel* Label29;
  QPushButton* Command2;
  QLabel* Label28;
  QLabel* Label9;
  QLineEdit* Text8;
  QLabel* Label30;
  QPushButton* Command1;
  QLabel* Label1;
  QLineEdit* Text9;
  QLabel* Label4;
  QLabel* Label3;
  QLineEdit* Text10;
  QLabel* Label5;
  QPushButton* Command4;
  QPushButton* Command5;
  QPushButton* Command6;

  /// The working of the last calculation that succeeded; empty until one has.
  const std::optional<VerticalLoads>& working() const { return working_; }

 protected:
  Outcome run(FieldTexts& in) override;
  CalculationSheet sheet() const override;

 private:
  std::optional<VerticalLoads> working_;
};

}  // namespace kelvaro::ui
