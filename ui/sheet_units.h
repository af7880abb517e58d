// The calculation sheet's coordinates: tenths of a millimetre on an A4 page, whatever the device. Fonts are sized
// in the same unit (as pixel sizes), so that text measures the same on the preview, the printer and the PDF, and
// a layout decided once holds on every one of them.
#pragma once

#include <QFont>
#include <QStringList>

namespace kelvaro::ui::sheet {

inline constexpr double Mm = 10;  // units per millimetre
inline constexpr double PageWidth = 210 * Mm, PageHeight = 297 * Mm;

/// A font size in points, in sheet units (1 pt = 0.3528 mm).
constexpr int Pt(double points) { return static_cast<int>(points * 25.4 / 72 * Mm + 0.5); }

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
