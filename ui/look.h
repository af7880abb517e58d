// The look every window shares: one style on every desktop, a 9-point CJK default font, the program's icons.
#pragma once

#include <QFont>
#include <QStringList>

class QApplication;
class QIcon;
class QString;

namespace kelvaro::ui {

void ApplyLook(QApplication& app);

/// An icon drawn from an SVG resource, pixel for pixel as Qt's SVG icon plugin draws it, without the plugin.
QIcon SvgIcon(const QString& resource);

/// The default font of every window. Inline so that the start-up benchmark's floor, which links no Kelvaro
/// code, draws its captions in exactly this font.
inline QFont ProgramFont() {
  QFont font;
  font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")});
  font.setPointSize(9);
  // Unhinted outlines look the same at this size, and spare FreeType's bytecode interpreter and the pages of the
  // font file it reads: a few milliseconds and most of a megabyte at start-up.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

}  // namespace kelvaro::ui
