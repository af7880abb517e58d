#!/usr/bin/python3
"""How long the browser edition takes to show something and to become usable, against a page that cannot be faster.

The reference is the page itself as it stands once usable, frozen: its rendered DOM serialised with every script
removed, so it has the same fonts, CSS, text and boxes, and no script and no module. Whatever the page takes
beyond the reference is the cost of its script and its WebAssembly core, which is what we can change.

Measured per run, each in a fresh headless Chromium opened from file:// with the network refused, page and reference
alternating, after one unmeasured run of each (it warms the disk cache and fontconfig's). Each browser is given a
second to finish starting before the page is opened, so that its own start-up is not in the figures:
  - FCP: the first contentful paint (the 'paint' performance entries);
  - usable: for the page, the second animation frame after `kelvaroReady` resolved (the core ready, the first window
    shown); for the reference, the second after its load event. FCP is the time the frame was presented, which
    comes after the next frame's callbacks start, so usable can read a few ms less than FCP.
Both are milliseconds from the navigation's time origin, read from a probe script the browser runs before the page.
The figures are medians; the goals are page / reference: FCP <= 1.1 and usable <= 1.2. A benchmark reports, so the
exit status is 0 whether the goals are met or not; it is not 0 if the page cannot be measured at all.

Usage: page_load.py <kelvaro.html> [runs, default 20]
"""
import csv
import pathlib
import shutil
import statistics
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

GOALS = {"fcp": 1.1, "usable": 1.2}
TIMEOUT_S = 60
# A new browser goes on starting its helper processes after it takes commands; the page is opened once that is over.
SETTLE_S = 1.0

# Runs before any of the page's own scripts. `WAIT_FOR` is 'ready' for the page and 'load' for the reference.
PROBE = """
(() => {
  const figures = { fcp: null, usable: null, error: null };
  let settle;
  figures.done = new Promise((resolve) => { settle = resolve; });
  globalThis.kelvaroLoadFigures = figures;
  const check = () => { if (figures.fcp !== null && figures.usable !== null) settle(); };
  new PerformanceObserver((list) => {
    for (const e of list.getEntries()) {
      if (e.name === 'first-contentful-paint') { figures.fcp = e.startTime; check(); }
    }
  }).observe({ type: 'paint', buffered: true });
  const afterTwoFrames = () => requestAnimationFrame(() => requestAnimationFrame(() => {
    figures.usable = performance.now();
    check();
  }));
  if (WAIT_FOR === 'load') {
    addEventListener('load', afterTwoFrames, { once: true });
    return;
  }
  // The promise is caught as the page assigns it, so that our callback is attached before it can resolve.
  let ready;
  const watch = (p) => {
    if (ready !== undefined || p === undefined) return;
    ready = p;
    Promise.resolve(p).then(afterTwoFrames, (e) => { figures.error = String(e); settle(); });
  };
  Object.defineProperty(globalThis, 'kelvaroReady', {
    configurable: true, enumerable: true, get: () => ready,
    set: (p) => {
      const plain = { value: p, writable: true, configurable: true, enumerable: true };
      Object.defineProperty(globalThis, 'kelvaroReady', plain);
      watch(p);
    },
  });
  // A page that declares it with `let` or `const` shadows the trap; by its load event the name is bound.
  addEventListener('load', () => { try { watch(kelvaroReady); } catch { /* not declared yet */ } }, { once: true });
})();
"""

READ_FIGURES = """
const done = arguments[arguments.length - 1];
const f = globalThis.kelvaroLoadFigures;
f.done.then(() => done({ fcp: f.fcp, usable: f.usable, error: f.error }));
"""

READY_AND_TWO_FRAMES = """
const done = arguments[arguments.length - 1];
kelvaroReady.then(() => requestAnimationFrame(() => requestAnimationFrame(() => done(null))),
                  (e) => done(String(e)));
"""

# What a user sees: the text, the fields' values and every element's box, scripts aside.
SHOWN = """
const fields = [...document.querySelectorAll('input, textarea, select')].map((f) => f.value);
const boxes = [...document.body.querySelectorAll('*')].filter((e) => e.tagName !== 'SCRIPT').map((e) => {
  const r = e.getBoundingClientRect();
  return [e.tagName, e.id, r.left, r.top, r.width, r.height];
});
return { text: document.body.innerText, fields, boxes };
"""

# The rendered DOM without scripts. Field values set by script live in properties, which outerHTML leaves out.
# The policy keeps refusing every request, but allows the style attributes the script set (a hash would not).
FROZEN = """
const live = document.documentElement, copy = live.cloneNode(true);
const fields = (root) => root.querySelectorAll('input, textarea, select');
const to = fields(copy);
fields(live).forEach((f, i) => {
  const t = to[i];
  if (f.tagName === 'TEXTAREA') {
    t.textContent = f.value;
  } else if (f.tagName === 'SELECT') {
    [...t.options].forEach((o, k) => o.toggleAttribute('selected', f.options[k].selected));
  } else if (f.type === 'checkbox' || f.type === 'radio') {
    t.toggleAttribute('checked', f.checked);
  } else {
    t.setAttribute('value', f.value);
  }
});
copy.querySelectorAll('script').forEach((e) => e.remove());
for (const meta of copy.querySelectorAll('meta[http-equiv="Content-Security-Policy" i]')) {
  const kept = meta.content.split(';').map((d) => d.trim()).filter((d) => d && !/^(script|style)-src\\b/.test(d));
  meta.content = ["script-src 'none'", "style-src 'unsafe-inline'", ...kept].join('; ');
}
return '<!DOCTYPE html>\\n' + copy.outerHTML;
"""


class Chromium:
    """A fresh headless Chromium with a fresh profile, the network refused; the flags of the browser test."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="kelvaro-chromium-")
        options = Options()
        options.binary_location = "/usr/bin/chromium"
        for argument in ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-sync",
                         "--disable-background-networking", "--disable-component-update", "--window-size=1280,900",
                         "--force-device-scale-factor=1", "--disable-dev-shm-usage", "--lang=zh-CN",
                         # Anything the offline emulation below does not cover goes to a closed port.
                         "--proxy-server=http://127.0.0.1:9", "--user-data-dir=" + self.profile]:
            options.add_argument(argument)
        options.add_experimental_option("prefs", {"intl.accept_languages": "zh-CN"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(TIMEOUT_S)
        self.driver.set_network_conditions(offline=True, latency=0, download_throughput=0, upload_throughput=0)

    def __enter__(self):
        return self.driver

    def __exit__(self, *exc):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)


def load_average():
    return " ".join(pathlib.Path("/proc/loadavg").read_text().split()[:3])


def make_reference(page, out_dir):
    """Writes the page as it stands once usable, without scripts; says whether it shows the same as the page."""
    with Chromium() as driver:
        driver.get(page.as_uri())
        error = driver.execute_async_script(READY_AND_TWO_FRAMES)
        if error:
            raise RuntimeError(f"the page did not become ready: {error}")
        shown = driver.execute_script(SHOWN)
        reference = out_dir / "reference.html"
        reference.write_text(driver.execute_script(FROZEN), encoding="utf-8")
        driver.get(reference.as_uri())
        same = driver.execute_script(SHOWN) == shown
    return reference, same


def measure(path, wait_for):
    """One run in a fresh browser: the page's FCP and usable times, in ms from its time origin."""
    with Chromium() as driver:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                               {"source": f"const WAIT_FOR = '{wait_for}';" + PROBE})
        time.sleep(SETTLE_S)
        driver.get(path.as_uri())
        figures = driver.execute_async_script(READ_FIGURES)
    if figures["error"]:
        raise RuntimeError(f"{path.name}: {figures['error']}")
    return figures["fcp"], figures["usable"]


def summary(values):
    q1, median, q3 = statistics.quantiles(values, n=4, method="inclusive")
    return median, f"{median:8.1f} ({q1:.1f}–{q3:.1f})"


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__.split("Usage: ")[1])
    page = pathlib.Path(sys.argv[1]).resolve()
    runs = int(sys.argv[2]) if len(sys.argv) == 3 else 20
    out_dir = pathlib.Path(tempfile.mkdtemp(prefix="kelvaro-page-load-"))

    before = load_average()
    reference, same = make_reference(page, out_dir)
    subjects = {"page": (page, "ready"), "reference": (reference, "load")}
    for path, wait_for in subjects.values():
        measure(path, wait_for)  # unmeasured: warms the caches
    results = {name: [] for name in subjects}
    for run in range(runs):
        for name, (path, wait_for) in subjects.items():
            results[name].append(measure(path, wait_for))
    after = load_average()

    with open(out_dir / "runs.csv", "w", newline="", encoding="utf-8") as f:
        rows = csv.writer(f)
        rows.writerow(["subject", "run", "fcp_ms", "usable_ms"])
        for name, figures in results.items():
            rows.writerows([name, run, f"{fcp:.2f}", f"{usable:.2f}"] for run, (fcp, usable) in enumerate(figures))

    print(f"The page: {page}, {page.stat().st_size} bytes")
    print(f"The reference: {reference}, {reference.stat().st_size} bytes; "
          + ("shows the same text, values and boxes" if same else "WARNING: does not show what the page shows"))
    print(f"{runs} runs of each, alternating, each in a fresh headless Chromium; median (quartiles), ms")
    medians = {}
    print(f"{'':10} {'FCP':>22} {'usable':>22}")
    for name, figures in results.items():
        fcp, fcp_text = summary([f for f, _ in figures])
        usable, usable_text = summary([u for _, u in figures])
        medians[name] = {"fcp": fcp, "usable": usable}
        print(f"{name:10} {fcp_text:>22} {usable_text:>22}")
    for measure_name, label in (("fcp", "FCP"), ("usable", "usable")):
        ratio = medians["page"][measure_name] / medians["reference"][measure_name]
        goal = GOALS[measure_name]
        verdict = "goal met" if ratio <= goal else "goal missed"
        print(f"page / reference, {label}: {ratio:.2f} (goal <= {goal} ×): {verdict}")
    print(f"Load average before: {before}; after: {after}")
    print(f"Each run: {out_dir / 'runs.csv'}")


if __name__ == "__main__":
    main()
