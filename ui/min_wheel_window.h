// Form3: a crane's minimum wheel pressure Pmin, shown in an editable box.
#pragma once

#include "calculator_window.h"

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro::ui {

class MinWheelWindow : public CalculatorWindow {
  Q_OBJECT

 public:
  MinWheelWindow();

  QGroupBox* Frame1;
  QLabel* Label19;
  QLabel* Label1;
  QLineEdit* Text1;
  QLabel* Label16;
  QLabel* Label17;
  QLabel* Label3;
  QLineEdit* Text2;
  QLabel* Label18;
  QLabel* Label20;
  QLabel* Label4;
  QLineEdit* Text3;
  QLabel* Label21;
  QLabel* Label5;
  QLabel* Label14;
  QLineEdit* Text4;
  QLabel* Label22;
  QLabel* Label24;
  QLabel* Label6;
  QLineEdit* Text9;
  QLabel* Label23;
  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* Command3;

  /// The working of the last calculation that succeeded; empty until one has.
  const std::optional<MinWheelPressure>& working() const { return working_; }

 protected:
  Outcome run(FieldTexts& in) override;
  CalculationSheet sheet() const override;

 private:
  std::optional<MinWheelPressure> working_;
};

}  // namespace kelvaro::ui
