// Form4: what the program does, that its calculators are independent, who made it and when.
#pragma once

#include "form_window.h"

class QLabel;
class QPushButton;

namespace kelvaro::ui {

class AboutWindow : public FormWindow {
  Q_OBJECT

 public:
  AboutWindow();

  QLabel* Label7;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label8;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QPushButton* Command1;
};

}  // namespace kelvaro::ui
