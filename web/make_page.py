#!/usr/bin/env python3
"""Makes build/web/kelvaro.html: the page template with its style, its script and the WebAssembly module inlined,
the windows written as HTML from their description (page.json, from web/page_data.cpp), and a
Content-Security-Policy that allows exactly that inline script and style and no network request at all.

The first window is written into the desktop, so that the first paint needs no script; every window is also a
<template> that the script clones when the window opens. The geometry goes into the style sheet: the policy allows
no style attributes.

The fonts the windows are laid out with are carried in the page, cut to the characters the page and its sheets
show (the windows' texts, the sheets' words, ASCII and common punctuation), as WOFF2 in the style sheet; a text a
user types in a character outside them falls back to the system's fonts.

Python's standard library and fontTools (with brotli): nothing is fetched; the page's modules are put in one
inline module script.
"""
import argparse
import base64
import hashlib
import html
import io
import json
import pathlib
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# The page's modules, each after those it imports; page.mjs runs the page.
MODULES = ["core.mjs", "windows.mjs", "sheet.mjs", "menu.mjs", "calculator.mjs", "files.mjs", "crane_sheet.mjs", "cranes.mjs", "page.mjs"]

# The embedded faces, and the families of the description they stand in for.
BODY_FACE, TITLE_FACE, SIGNS_FACE = "Kelvaro Micro Hei", "Kelvaro UKai", "Kelvaro Signs"
TITLE_FAMILIES = {"AR PL UKai CN", "楷体", "KaiTi", "楷体_GB2312", "KaiTi_GB2312", "STKaiti"}
# Besides the texts found: what numbers and typed names are made of, and common punctuation.
ALWAYS = "".join(chr(c) for c in range(0x20, 0x7F)) + "０１２３４５６７８９．，。、：；！？（）“”‘’《》…—－−×·±÷≤≥αβγΔ"
# A sheet's powers of ten and a message's "⟨U+200B⟩": signs the body face lacks, taken from the signs face.
SIGNS = "⁰¹²³⁴⁵⁶⁷⁸⁹⁻⟨⟩"


def csp_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode("utf-8")).digest()).decode("ascii") + "'"


def data_url(svg_path):
    return "data:image/svg+xml;base64," + base64.b64encode(svg_path.read_bytes()).decode("ascii")


IMPORT = re.compile(r"^import \{([^}]*)\} from '\./([\w.]+)';\n", re.M)
EXPORT = re.compile(r"^export (?:async function|function|class|const|let) (\w+)", re.M)


def bundle(sources):
    """The modules as one: each runs in a function of its own, and what it exports is all the others see of it."""
    parts, done = [], set()
    for name in MODULES:
        text = (sources / name).read_text(encoding="utf-8")
        exports = EXPORT.findall(text)

        def imported(match):
            if match.group(2) not in done:
                sys.exit(f"make_page.py: {name} imports {match.group(2)}, which is not a module before it")
            return f"const {{{match.group(1)}}} = {variable(match.group(2))};\n"

        body = EXPORT.sub(lambda m: m.group(0)[len("export "):], IMPORT.sub(imported, text))
        if re.search(r"^import\b", body, re.M):
            sys.exit(f"make_page.py: {name} has an import make_page.py cannot resolve")
        parts.append(f"const {variable(name)} = (() => {{\n{body}\nreturn {{ {', '.join(exports)} }};\n}})();\n")
        done.add(name)
    return "".join(parts)


def variable(module):
    return "module_" + re.sub(r"\W", "_", module)


def attributes(**attrs):
    return "".join(f' {k.rstrip("_").replace("_", "-")}="{html.escape(str(v), quote=True)}"'
                   for k, v in attrs.items() if v is not None)


def control_html(kind, c, children):
    """One control, as its kind is shown; `children` is the HTML of what lies in a frame."""
    common = {"id": f"{kind}-{c['name']}", "data_name": c["name"],
              "aria_label": c["accessibleName"] or None, "aria_description": c["accessibleDescription"] or None}
    if c["focusable"]:
        common["tabindex"] = 0
    elif c["kind"] in ("button", "textBox"):
        common["tabindex"] = -1
    text = html.escape(c["text"], quote=False)
    match c["kind"]:
        case "label" if c.get("buddy"):
            return f"<label{attributes(class_='label', for_=kind + '-' + c['buddy'], **common)}>{text}</label>"
        case "label":
            return f"<span{attributes(class_='label', **common)}>{text}</span>"
        case "resultLabel":
            return f"<output{attributes(class_='result-label', **common)}>{text}</output>"
        case "textBox":
            return (f"<input{attributes(class_='text-box', type='text', autocomplete='off', spellcheck='false', **common)}"
                    f"{attributes(value=c['text'])}>")
        case "button":
            return f"<button{attributes(class_='button', type='button', **common)}>{text}</button>"
        case "frame":
            return (f"<div{attributes(class_='frame', role='group', **common)}>"
                    f"<span class=\"frame-caption\">{text}</span>{children}</div>")
        case "picture":
            return (f"<div{attributes(class_='picture', role='img', **common)}>"
                    f"<img{attributes(src=c['pictureUrl'], alt='', draggable='false')}></div>")
    sys.exit(f"make_page.py: a control of an unknown kind: {c['kind']}")


def crane_client_html(w):
    """The several-cranes window: laid out by the browser in rows, as the desktop lays it out with its layouts."""
    kind, c = w["kind"], w["cranes"]

    def cid(name):
        return f"{kind}-{name}"

    def select(name, label, choices, value):
        options = "".join(f"<option{attributes(value=o['value'], selected='' if o['value'] == value else None)}>"
                          f"{html.escape(o['text'], quote=False)}</option>" for o in choices)
        return f"<select{attributes(id=cid(name), data_name=name, aria_label=label, class_='choice')}>{options}</select>"

    def text_box(name, label, value, hint="", width=None):
        return (f"<input{attributes(id=cid(name), data_name=name, aria_label=label, class_='text-box', type='text', autocomplete='off', spellcheck='false', value=value, placeholder=hint or None, size=width)}>")

    bays = "".join(f"<label{attributes(for_=cid(b['control']))}>{html.escape(b['caption'] + ' ' + b['symbol'] + '：', quote=False)}</label>"
                   f"{text_box(b['control'], b['symbol'], b['text'], width=8)}<span class=\"unit\">{html.escape(b['unit'])}</span>"
                   for b in c["bays"])
    head = "<tr><th></th>" + "".join(
        f"<th>{html.escape(col['caption'])}" + (f"<br>({html.escape(col['unit'])})" if col["unit"] else "") + "</th>"
        for col in c["columns"]) + "</tr>"
    rows = []
    for i, r in enumerate(c["rows"]):
        cells = []
        for col, name, label, text in zip(c["columns"], r["controls"], r["accessibleNames"], r["texts"]):
            cells.append("<td>" + (select(name, label, col["choices"], text) if col["choices"]
                                   else text_box(name, label, text, col["hint"], col["widthChars"])) + "</td>")
        rows.append(f"<tr{attributes(hidden='' if i >= c['firstCranes'] else None)}>"
                    f"<th scope=\"row\">{html.escape(r['label'])}</th>{''.join(cells)}</tr>")
    options = "".join(f"<label{attributes(for_=cid(o['field']))}>{html.escape(o['caption'] + '：', quote=False)}</label>"
                      f"{select(o['field'], o['caption'], o['choices'], o['value'])}" for o in c["options"])
    buttons = "".join(f"<button{attributes(id=cid(b['does']), data_name=b['does'], class_='button', type='button')}>"
                      f"{html.escape(b['text'], quote=False)}</button>" for b in c["buttons"])
    results = "".join(f"<span>{html.escape(r['caption'])}</span><span>{html.escape(r['symbol'])} =</span>"
                      f"<output{attributes(id=cid(r['control']), data_name=r['control'], class_='result-label', aria_label=r['accessibleName'])}> </output>"
                      f"<span>{html.escape(r['unit'])}</span>" for r in c["results"])
    longitudinal = "".join(f"<span hidden>{html.escape(t['accessibleName'])} =</span>"
                           f"<output{attributes(id=cid(t['control']), data_name=t['control'], class_='result-label', aria_label=t['accessibleName'], hidden='')}> </output>"
                           for t in c["longitudinal"])
    return (f"<div class=\"bays\">{bays}</div>"
            f"<fieldset class=\"cranes\"><legend>吊车（每台一行，轮压 kN/轮）</legend><table>{head}{''.join(rows)}</table></fieldset>"
            f"<div class=\"options\">{options}</div><div class=\"buttons\">{buttons}</div>"
            f"<fieldset class=\"results\"><legend>结果</legend><div class=\"result-grid\">{results}</div>"
            f"<div class=\"longitudinal\">{longitudinal}</div><p{attributes(id=cid('warnings'), data_name='warnings', class_='warnings')}></p></fieldset>"
            f"<div{attributes(id=cid('figure'), data_name='figure', class_='figure', role='img', aria_label=c['diagramName'])}></div>")


def window_html(w, active=False):
    kind = w["kind"]
    if "cranes" in w:
        return (f"<section{attributes(class_='window', data_kind=kind, role='dialog', aria_labelledby=kind + '-caption')}>"
                f"<header class=\"caption-bar\"><img{attributes(class_='icon', src=w['iconUrl'], alt='')}>"
                f"<span{attributes(class_='caption', id=kind + '-caption')}>{html.escape(w['caption'], quote=False)}</span>"
                "<button class=\"close-box\" type=\"button\" tabindex=\"-1\" aria-label=\"关闭\">×</button></header>"
                f"<div class=\"client flow\">{crane_client_html(w)}</div></section>")
    inside = {}  # container name ("" for the client area) → its controls' HTML, in paint order
    for c in reversed(w["controls"]):  # what lies in a frame is written before the frame is
        inside.setdefault(c["in"] or "", []).insert(0, control_html(kind, c, "".join(inside.get(c["name"], []))))
    return (f"<section{attributes(class_='window active' if active else 'window', data_kind=kind, role='dialog', aria_labelledby=kind + '-caption')}>"
            f"<header class=\"caption-bar\"><img{attributes(class_='icon', src=w['iconUrl'], alt='')}>"
            f"<span{attributes(class_='caption', id=kind + '-caption')}>{html.escape(w['caption'], quote=False)}</span>"
            "<button class=\"close-box\" type=\"button\" tabindex=\"-1\" aria-label=\"关闭\">×</button></header>"
            f"<div class=\"client\">{''.join(inside.get('', []))}</div></section>")


def css_number(n):
    return f"{n:g}"


def strings(value):
    """Every string in a JSON value."""
    if isinstance(value, str):
        yield value
    elif isinstance(value, dict):
        for v in value.values():
            yield from strings(v)
    elif isinstance(value, list):
        for v in value:
            yield from strings(v)


# Each font's licence, named beside it in the style sheet (and in packaging/copyright).
LICENCES = {
    "wqy-microhei.ttc": "WenQuanYi Micro Hei, (c) 2008-2009 The WenQuanYi Project Board of Trustees; "
                        "Apache-2.0 or GPL-3+ with the font exception",
    "ukai.ttc": "AR PL UKai, (c) 1999 Arphic Technology Co., Ltd.; Arphic Public License",
    "DejaVuSans.ttf": "DejaVu Sans, (c) 2003 Bitstream, Inc., DejaVu changes in the public domain; "
                      "Bitstream Vera Fonts licence",
}
NOTICE = "Subset by Kelvaro's web/make_page.py to the characters its page shows; the glyphs are unchanged."


def font_face(family, path, text):
    """A @font-face rule with the font at `path` cut to the characters of `text`, as WOFF2 in a data: URL; the
    font says how it was changed (as the Arphic Public License asks of a modified font)."""
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False  # as the desktop draws its sheet: the outlines, not fitted to a pixel grid
    options.font_number = 0
    options.drop_tables += ["FFTM"]  # a font editor's timestamps, which the subsetter would drop with a warning
    options.name_IDs = ["*"]  # the copyright and licence notices stay in the font
    font = subset.load_font(str(path), options)
    font.recalcTimestamp = False  # the same page from the same sources, byte for byte
    subsetter = subset.Subsetter(options)
    subsetter.populate(text="".join(sorted(set(text))))
    subsetter.subset(font)
    for platform, encoding, language in ((3, 1, 0x409), (1, 0, 0)):
        font["name"].setName(NOTICE, 10, platform, encoding, language)
    out = io.BytesIO()
    subset.save_font(font, out, options)
    data = base64.b64encode(out.getvalue()).decode("ascii")
    licence = LICENCES.get(path.name, "see packaging/copyright")
    return f'/* {licence}. {NOTICE} */\n@font-face {{ font-family: "{family}"; src: url(data:font/woff2;base64,{data}) format("woff2"); }}\n'


def window_css(w):
    kind = w["kind"]
    if "client" not in w:
        return ""
    width, height = w["client"]["pixels"]
    rules = [f'.window[data-kind="{kind}"] > .client {{ width: {width}px; height: {height}px; }}']
    for c in w["controls"]:
        x, y, cw, ch = c["pixels"]
        rules.append(f"#{kind}-{c['name']} {{ left: {x}px; top: {y}px; width: {cw}px; height: {ch}px; }}")
        if "font" in c:
            f = c["font"]
            face = TITLE_FACE if TITLE_FAMILIES & set(f["families"]) else BODY_FACE
            families = ", ".join(json.dumps(family, ensure_ascii=False) for family in [face, *f["families"]])
            style = ("italic " if f["italic"] else "") + ("bold " if f["bold"] else "")
            rules.append(f"#{kind}-{c['name']} {{ font: {style}{css_number(f['pointSize'])}pt {families}, serif; }}")
    return "\n".join(rules)


def behaviour(data):
    """What the script needs of the description: not the controls, which are in the HTML."""
    keep = ("kind", "id", "tabOrder", "focus", "buttons", "calculator", "cranes")
    return {"first": data["first"], "messageBox": data["messageBox"],
            "windows": [{k: w[k] for k in keep if k in w} for w in data["windows"]]}


def make_page(module, sources, assets, data, fonts):
    for w in data["windows"]:
        w["iconUrl"] = data_url(assets / w["icon"])
        for c in w["controls"]:
            if "picture" in c:
                c["pictureUrl"] = data_url(assets / c["picture"])
    first = next(w for w in data["windows"] if w["kind"] == data["first"])
    template = (sources / "page.html").read_text(encoding="utf-8")
    body_font, title_font, signs_font, sheet_texts = fonts
    # The characters of the windows, of the page's own words and of the sheets; the title face only for its texts.
    shown = "".join(strings(data)) + sheet_texts + ALWAYS
    shown += "".join((sources / name).read_text(encoding="utf-8") for name in [*MODULES, "page.html"])
    titles = "".join(c["text"] for w in data["windows"] for c in w["controls"]
                     if "font" in c and TITLE_FAMILIES & set(c["font"]["families"]))
    style = font_face(BODY_FACE, body_font, shown) + font_face(TITLE_FACE, title_font, titles + ALWAYS)
    lacking = set(shown + SIGNS) - set(chr(c) for c in TTFont(body_font, fontNumber=0).getBestCmap())
    style += font_face(SIGNS_FACE, signs_font, "".join(sorted(lacking)))
    style += (sources / "page.css").read_text(encoding="utf-8") + (sources / "cranes.css").read_text(encoding="utf-8")
    style += "\n/* Where each window's controls lie, from the windows' description. */\n"
    style += "\n".join(window_css(w) for w in data["windows"]) + "\n"
    script = bundle(sources)
    if "</script" in script.lower():
        sys.exit("make_page.py: the script must not contain </script, which would end its inline block")
    # Data the script reads, in blocks the browser never runs: the module and the windows' behaviour.
    module_block = base64.b64encode(module.read_bytes()).decode("ascii")
    windows_block = json.dumps(behaviour(data), ensure_ascii=False, separators=(",", ":")).replace("</", "<\\/")

    policy = "; ".join([
        "default-src 'none'",
        "script-src " + csp_hash(script) + " 'wasm-unsafe-eval'",
        "style-src " + csp_hash(style),
        "img-src data:",
        "font-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    replacements = {
        "@csp": html.escape(policy, quote=True),
        "@icon": data_url(assets / "icons" / "main_window.svg"),
        "@style": style,
        "@desktop": window_html(first, active=True),
        "@templates": "\n".join(f"<template{attributes(data_kind=w['kind'])}>{window_html(w)}</template>"
                                for w in data["windows"]),
        "@module": module_block,
        "@windows": windows_block,
        "@script": f'<script type="module">{script}</script>',
    }
    for key in replacements:
        if template.count("{{" + key + "}}") != 1:
            sys.exit(f"make_page.py: the template must hold {{{{{key}}}}} exactly once")
    # One pass, so that nothing put in is itself taken for a placeholder.
    return re.sub(r"\{\{(@\w+)\}\}", lambda m: replacements[m.group(1)], template)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--module", type=pathlib.Path, required=True, help="kelvaro.wasm")
    parser.add_argument("--sources", type=pathlib.Path, required=True, help="web/src")
    parser.add_argument("--assets", type=pathlib.Path, required=True, help="the SVG icons and pictures")
    parser.add_argument("--windows", type=pathlib.Path, required=True, help="the windows' description (page.json)")
    parser.add_argument("--font", type=pathlib.Path, required=True, help="the windows' face (WenQuanYi Micro Hei)")
    parser.add_argument("--title-font", type=pathlib.Path, required=True, help="the About title's (AR PL UKai)")
    parser.add_argument("--signs-font", type=pathlib.Path, required=True, help="for what that face lacks (DejaVu Sans)")
    parser.add_argument("--sheet-texts", type=pathlib.Path, required=True, help="the sheets' words (sheet_texts)")
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()
    data = json.loads(args.windows.read_text(encoding="utf-8"))
    fonts = (args.font, args.title_font, args.signs_font, args.sheet_texts.read_text(encoding="utf-8"))
    page = make_page(args.module, args.sources, args.assets, data, fonts)
    args.out.parent.mkdir(parents=True, exist_ok=True)
    args.out.write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
