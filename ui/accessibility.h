// Roles for screen readers where a plain QWidget would only say "filler": every window is a frame, and the
// pictures are images.
#pragma once

namespace kelvaro::ui {

void InstallAccessibleRoles();

}  // namespace kelvaro::ui
