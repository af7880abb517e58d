// The look every window shares: one style on every desktop, a 9-point CJK default font, the program's icon.
#pragma once

class QApplication;

namespace kelvaro::ui {

void ApplyLook(QApplication& app);

}  // namespace kelvaro::ui
