#!/usr/bin/env python3
"""Makes build/web/kelvaro.html: the page template with its style, its scripts and the WebAssembly module inlined,
and a Content-Security-Policy that allows exactly those inline scripts and styles and no network request at all.

Python's standard library only: nothing is fetched, nothing is bundled beyond putting files in their place.
"""
import argparse
import base64
import hashlib
import html
import json
import pathlib
import re
import sys

# The scripts in the order the page runs them: the core's API first, the windows after it.
SCRIPTS = ["core.js", "windows.js", "calculator.js", "page.js"]


def csp_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode("utf-8")).digest()).decode("ascii") + "'"


def data_url(svg_path):
    return "data:image/svg+xml;base64," + base64.b64encode(svg_path.read_bytes()).decode("ascii")


def for_page(dump, assets):
    """What the page needs of the dump: the SVG files it names, as data: URLs; not the examples the desktop worked,
    which are for the browser test."""
    for window in dump["windows"]:
        window.get("calculator", {}).pop("examples", None)
        window["iconUrl"] = data_url(assets / window["icon"])
        for control in window["controls"]:
            if "picture" in control:
                control["pictureUrl"] = data_url(assets / control["picture"])
    return dump


def make_page(module, sources, assets, windows):
    template = (sources / "page.html").read_text(encoding="utf-8")
    style = (sources / "page.css").read_text(encoding="utf-8")
    scripts = [(sources / name).read_text(encoding="utf-8") for name in SCRIPTS]
    # Data the scripts read, in blocks the browser never runs: the module and the windows' tables.
    module_block = base64.b64encode(module.read_bytes()).decode("ascii")
    windows_block = json.dumps(windows, ensure_ascii=False, separators=(",", ":")).replace("</", "<\\/")

    policy = "; ".join([
        "default-src 'none'",
        "script-src " + " ".join(csp_hash(s) for s in scripts) + " 'wasm-unsafe-eval'",
        "style-src " + csp_hash(style),
        "img-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    replacements = {
        "@csp": html.escape(policy, quote=True),
        "@icon": data_url(assets / "icons" / "main_window.svg"),
        "@style": style,
        "@module": module_block,
        "@windows": windows_block,
        "@scripts": "\n".join(f"<script>{s}</script>" for s in scripts),
    }
    for key in replacements:
        if template.count("{{" + key + "}}") != 1:
            sys.exit(f"make_page.py: the template must hold {{{{{key}}}}} exactly once")
    for name, text in zip(SCRIPTS, scripts):
        if "</script" in text.lower():
            sys.exit(f"make_page.py: {name} must not contain </script, which would end its inline block")
    # One pass, so that nothing put in is itself taken for a placeholder.
    return re.sub(r"\{\{(@\w+)\}\}", lambda m: replacements[m.group(1)], template)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--module", type=pathlib.Path, required=True, help="kelvaro.wasm")
    parser.add_argument("--sources", type=pathlib.Path, required=True, help="web/src")
    parser.add_argument("--assets", type=pathlib.Path, required=True, help="the SVG icons and pictures")
    parser.add_argument("--windows", type=pathlib.Path, required=True, help="the desktop windows' dump (JSON)")
    parser.add_argument("--out", type=pathlib.Path, required=True)
    args = parser.parse_args()
    windows = for_page(json.loads(args.windows.read_text(encoding="utf-8")), args.assets)
    page = make_page(args.module, args.sources, args.assets, windows)
    args.out.parent.mkdir(parents=True, exist_ok=True)
    args.out.write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
