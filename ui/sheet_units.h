// The calculation sheet's coordinates: tenths of a millimetre on an A4 page, whatever the device (sheet/figure.h).
// Fonts are sized in the same unit (as pixel sizes), so that text measures the same on the preview, the printer
// and the PDF, and a layout decided once holds on every one of them.
#pragma once

#include "figure.h"

#include <QFont>
#include <QStringList>

namespace kelvaro::ui::sheet {

using kelvaro::sheet::Mm;
using kelvaro::sheet::PageHeight;
using kelvaro::sheet::PageWidth;
using kelvaro::sheet::Pt;

/// The program's CJK face, unhinted: hinting would fit the outlines to a pixel grid the PDF does not have. Never
/// bold: the face has no bold, and the toolkit's made-up one smears in the preview; size sets texts apart.
inline QFont Font(int size) {
  QFont font;
  font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")});
  font.setPixelSize(size);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

}  // namespace kelvaro::ui::sheet
