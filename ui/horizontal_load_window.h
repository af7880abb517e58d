// Form5: transverse horizontal load of one crane (H) and the braking force on the column (H1).
#pragma once

#include "calculator_window.h"

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro::ui {

class HorizontalLoadWindow : public CalculatorWindow {
  Q_OBJECT

 public:
  HorizontalLoadWindow();

  QGroupBox* Frame2;
  QPushButton* Command3;
  QLabel* Label15;
  QLineEdit* Text5;
  QPushButton* Command1;
  QLabel* Label4;
  QLineEdit* Text3;
  QLabel* Label6;
  QLabel* Label7;
  QLineEdit* Text1;
  QLabel* Label17;
  QLabel* Label5;
  QLabel* Label19;
  QLineEdit* Text4;
  QLabel* Label20;
  QLabel* Label14;
  QLabel* Label16;
  QLineEdit* Text2;
  QLabel* Label18;
  QLabel* Label3;
  QLabel* Label11;
  QLabel* Label13;
  QLabel* Label32;
  QLabel* Label25;
  QLabel* Label2;
  QLineEdit* Text6;
  QLabel* Label26;
  QLabel* Label1;
  QLabel* Label10;
  QLabel* Label12;
  QLabel* Label31;
  QLabel* Label27;
  QLabel* Label8;
  QLineEdit* Text7;
  QLabel* Label29;
  QLabel* Label28;
  QLabel* Label9;
  QLineEdit* Text8;
  QLabel* Label30;
  QPushButton* Command4;
  QPushButton* Command5;
  QPushButton* Command6;

  /// The working of the last calculation that succeeded; empty until one has.
  const std::optional<HorizontalLoads>& working() const { return working_; }

 protected:
  Outcome run(FieldTexts& in) override;
  CalculationSheet sheet() const override;

 private:
  std::optional<HorizontalLoads> working_;
};

}  // namespace kelvaro::ui
