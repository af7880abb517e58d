// Form6: which value to type for the horizontal load coefficient AlphaH; computes nothing.
#pragma once

#include "form_window.h"

class QLabel;
class QPushButton;

namespace kelvaro::ui {

class AlphaCoefficientWindow : public FormWindow {
  Q_OBJECT

 public:
  AlphaCoefficientWindow();

  QLabel* Label1;
  QLabel* Label5;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QPushButton* Command1;
};

}  // namespace kelvaro::ui
