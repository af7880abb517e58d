// Form2: the table of reduction coefficients for several cranes, as a picture; the user reads off Z and types it.
#pragma once

#include "form_window.h"

namespace kelvaro::ui {

class PictureBox;

class CoefficientTableWindow : public FormWindow {
  Q_OBJECT

 public:
  CoefficientTableWindow();

  PictureBox* Picture1;
};

}  // namespace kelvaro::ui
