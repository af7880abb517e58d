#!/usr/bin/env python3
"""Writes the advance widths and line height of the font the page carries, for the module's layout of the sheet's
figure: the page draws the figure's texts in that font, so the module measures them as the page will show them.

fontTools reads the font; nothing else is needed. Characters beyond the table take the width of a CJK ideograph.
A sign the font lacks (the superscripts of a power of ten) is measured in the signs font the page falls back to.
"""
import argparse
import pathlib

from fontTools.ttLib import TTFont

# The characters the figure's texts are made of, besides the ideographs: ASCII, and the signs the core writes.
CHARACTERS = [chr(c) for c in range(0x20, 0x7F)] + ["−", "×", "、", "：", "，", "（", "）", "。", "…", *"⁰¹²³⁴⁵⁶⁷⁸⁹⁻"]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--font", type=pathlib.Path, required=True)
    parser.add_argument("--signs-font", type=pathlib.Path, required=True)
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()
    font = TTFont(args.font, fontNumber=0)
    cmap, advances = font.getBestCmap(), font["hmtx"].metrics
    hhea = font["hhea"]
    signs = TTFont(args.signs_font, fontNumber=0)
    scale = font["head"].unitsPerEm / signs["head"].unitsPerEm
    signs_cmap, signs_advances = signs.getBestCmap(), signs["hmtx"].metrics

    def advance(c):
        if ord(c) in cmap:
            return advances[cmap[ord(c)]][0]
        return round(signs_advances[signs_cmap[ord(c)]][0] * scale)

    rows = [f"    {{{ord(c):#06x}, {advance(c)}}},  // {c!r}" for c in CHARACTERS
            if ord(c) in cmap or ord(c) in signs_cmap]
    text = "\n".join([
        f"// Made by web/font_metrics.py from {args.font.name}: the advance widths of the page's font, in font units.",
        f"inline constexpr double FontUnitsPerEm = {font['head'].unitsPerEm};",
        f"inline constexpr double FontAscent = {hhea.ascent}, FontDescent = {-hhea.descent};",
        f"inline constexpr double WideAdvance = {advances[cmap[ord('中')]][0]};",
        "inline constexpr struct {",
        "  char32_t c;",
        "  double advance;",
        "} Advances[] = {",
        *sorted(rows),
        "};",
        "",
    ])
    args.out.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
