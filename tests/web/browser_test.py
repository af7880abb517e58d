#!/usr/bin/python3
"""The browser edition in a real browser: headless Chromium driven through chromedriver, the page opened from
file:// with the network off. Keys are real key events. Everything the page shows is compared with the desktop
windows' own dump (windows.json), which the desktop program wrote from the same windows.

Usage: browser_test.py <kelvaro.html> <windows.json> <screenshot dir> [test names]
"""
import http.server
import json
import pathlib
import sys
import tempfile
import threading
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

PAGE, DUMP, SHOTS = (pathlib.Path(a).resolve() for a in sys.argv[1:4])
WINDOWS = {w["kind"]: w for w in json.loads(DUMP.read_text(encoding="utf-8"))["windows"]}
CALCULATORS = {kind: w["calculator"] for kind, w in WINDOWS.items() if "calculator" in w}
# The buttons that open each window (besides Form1, which the page opens itself).
OPENED_BY = {target: (w["kind"], button) for w in WINDOWS.values() for button, target in w["opens"].items()}


def browser(language="zh-CN"):
    options = Options()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-sync",
                     "--disable-background-networking", "--disable-component-update", "--window-size=1280,900",
                     "--force-device-scale-factor=1", "--disable-dev-shm-usage", f"--lang={language}",
                     "--user-data-dir=" + tempfile.mkdtemp(prefix="kelvaro-chromium-")]:
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    # Every request the page makes, from the browser's own network log.
    options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


class Page:
    """The page as a user sees it: windows by kind, controls by the desktop's names."""

    def __init__(self, driver):
        self.d = driver

    def open(self, url=None):
        self.requests()  # what the browser itself fetched before
        self.d.get(url or PAGE.as_uri())
        self.d.execute_async_script("const done = arguments[0]; kelvaroReady.then(() => setTimeout(done, 0));")

    def js(self, script, *args):
        return self.d.execute_script(script, *args)

    def window(self, kind):
        return self.d.find_element(By.CSS_SELECTOR, f"section.window[data-kind='{kind}']")

    def open_kinds(self):
        return sorted(e.get_attribute("data-kind") for e in self.d.find_elements(By.CSS_SELECTOR, "section.window"))

    def control(self, kind, name):
        return self.d.find_element(By.ID, f"{kind}-{name}")

    def activate(self, kind):
        """A click on a part of the caption bar that no other window covers, as a user brings a window forward."""
        bar = self.window(kind).find_element(By.CSS_SELECTOR, ".caption-bar")
        x = self.js("""
            const bar = arguments[0], r = bar.getBoundingClientRect(), y = r.top + r.height / 2;
            for (let x = r.left + 2; x < r.right - 30; x += 6) {
              const hit = document.elementFromPoint(x, y);
              if (hit && bar.contains(hit) && !hit.closest('button')) return x - r.left;
            }
            return null;""", bar)
        if x is None:
            raise AssertionError(f"the caption bar of {kind} is covered all along")
        ActionChains(self.d).move_to_element_with_offset(bar, x - bar.size["width"] // 2, 0).click().perform()

    def show(self, kind):
        """Opens a window with the button that opens it, as a user would."""
        if kind == "Form1" or self.js(f"return !!kelvaroWindows.open.get('{kind}')"):
            return
        opener, button = OPENED_BY[kind]
        self.show(opener)
        self.activate(opener)
        self.control(opener, button).click()

    def focused(self):
        return self.js("const e = document.activeElement; return e && e.dataset ? e.dataset.name || '' : '';")

    def type_into(self, kind, name, text):
        field = self.control(kind, name)
        field.click()
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys(Keys.DELETE)
        field.send_keys(text)

    def text(self, kind, name):
        e = self.control(kind, name)
        return e.get_attribute("value") if e.tag_name == "input" else self.js("return arguments[0].textContent", e)

    def message(self, kind):
        boxes = self.window(kind).find_elements(By.CSS_SELECTOR, "[role=alertdialog]")
        if not boxes:
            return None
        box = boxes[0]
        return {"title": box.find_element(By.CSS_SELECTOR, ".caption").text,
                "text": box.find_element(By.CSS_SELECTOR, ".message-text").get_attribute("textContent"),
                "button": box.find_element(By.CSS_SELECTOR, "button").text}

    def requests(self):
        """The URL of every request made since the last call, but for the browser's own pages (its new tab)."""
        urls = []
        for entry in self.d.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] != "Network.requestWillBeSent":
                continue
            params = message["params"]
            if not params.get("documentURL", "").startswith(("chrome:", "about:")):
                urls.append(params["request"]["url"])
        return urls


class BrowserEdition(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = browser()
        # No network at all: the page must not need it.
        cls.driver.set_network_conditions(offline=True, latency=0, download_throughput=0, upload_throughput=0)
        cls.page = Page(cls.driver)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        self.page.open()

    def tearDown(self):
        errors = [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE" and not self.refused(e)]
        self.assertEqual(errors, [], "the page reported errors")

    @staticmethod
    def refused(entry):
        # The request test_no_request_but_the_page_itself makes on purpose, refused by the policy.
        return "data:text/plain,x" in entry["message"]

    def test_no_request_but_the_page_itself(self):
        for kind in WINDOWS:
            self.page.show(kind)
        outside = [u for u in self.page.requests() if not u.startswith(("file:", "data:"))]
        self.assertEqual(outside, [])
        policy = self.page.js("return document.querySelector('meta[http-equiv=Content-Security-Policy]').content")
        self.assertIn("default-src 'none'", policy)
        # The policy is in force: a request made anyway is refused.
        refused = self.driver.execute_async_script("""
            const done = arguments[0];
            fetch('data:text/plain,x').then(() => done('fetched'), () => done('refused'));""")
        self.assertEqual(refused, "refused")

    def test_the_api_gives_the_core_results(self):
        results = self.driver.execute_async_script("""
            const done = arguments[0];
            kelvaroReady.then((k) => done([
              k.parseFieldValue('0.9', '.'), k.formatResult(k.computeVerticalLoads(0.9, 6, 5.5, 4.4, 100, 30).Dmax, '.'),
              k.computeMinWheelPressure(100, 20, 10, '0', '.'),
              k.computeHorizontalLoads(3.5, 10, 0.12, 0.9, 4, '6', '.', 5.5, 4.4).H1]));""")
        self.assertEqual(results, [{"value": 0.8999999761581421}, "195",
                                   {"failure": "DivisionByZero", "input": "N"}, 7.747447490692139])

    def test_every_window_shows_the_desktop_texts_geometry_and_names(self):
        for kind, spec in WINDOWS.items():
            with self.subTest(window=kind):
                self.page.show(kind)
                window = self.page.window(kind)
                self.assertEqual(window.find_element(By.CSS_SELECTOR, ".caption-bar .caption").text, spec["caption"])
                client = window.find_element(By.CSS_SELECTOR, ".client")
                self.assertEqual([client.size["width"], client.size["height"]], spec["client"]["pixels"])
                # Every control as the page shows it, read in one go.
                shown = self.page.js("""
                    return Object.fromEntries([...arguments[0].querySelectorAll('[data-name]')].map((e) => {
                      const caption = e.querySelector(':scope > .frame-caption');
                      return [e.dataset.name, {
                        pixels: [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight],
                        text: e.tagName === 'INPUT' ? e.value : (caption || e).textContent,
                        accessibleName: e.getAttribute('aria-label') || '',
                        accessibleDescription: e.getAttribute('aria-description') || '',
                        buddy: e.tagName === 'LABEL' ? e.htmlFor : null}];
                    }));""", window)
                self.assertEqual(sorted(shown), sorted(c["name"] for c in spec["controls"]))
                for c in spec["controls"]:
                    want = {k: c[k] for k in ("pixels", "text", "accessibleName", "accessibleDescription")}
                    want["buddy"] = f"{kind}-{c['buddy']}" if c.get("buddy") else None
                    self.assertEqual(shown[c["name"]], want, c["name"])

    def test_the_focus_opens_where_the_desktop_puts_it_and_tab_follows_its_order(self):
        for kind, spec in WINDOWS.items():
            with self.subTest(window=kind):
                self.page.open()
                self.page.show(kind)
                self.assertEqual(self.page.focused(), spec["focus"])
                seen = [self.page.focused()]
                for _ in spec["tabOrder"]:
                    ActionChains(self.driver).send_keys(Keys.TAB).perform()
                    seen.append(self.page.focused())
                # Round the window's own controls and back to the first.
                self.assertEqual(seen, spec["tabOrder"] + spec["tabOrder"][:1])
                ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
                self.assertEqual(self.page.focused(), spec["tabOrder"][-1])

    def open_with_example(self, kind, c):
        """Opens a calculator and types its worked example into its fields."""
        self.page.show(kind)
        self.page.activate(kind)
        for field, text in c["examples"]["typed"].items():
            self.page.type_into(kind, field, text)

    def test_worked_examples_typed_give_the_desktop_results_and_working(self):
        for kind, c in CALCULATORS.items():
            with self.subTest(window=kind):
                self.open_with_example(kind, c)
                # Enter in the last field typed runs Calculate.
                self.page.control(kind, list(c["examples"]["typed"])[-1]).send_keys(Keys.ENTER)
                self.assertIsNone(self.page.message(kind))
                for field, text in c["examples"]["results"].items():
                    self.assertEqual(self.page.text(kind, field), text, field)
                    self.assertEqual(self.page.control(kind, field).get_attribute("title"),
                                     c["examples"]["notes"][field], field)

    def test_failures_show_the_desktop_message_and_focus(self):
        for kind, c in CALCULATORS.items():
            with self.subTest(window=kind):
                self.open_with_example(kind, c)
                bad = c["examples"]["notANumber"]
                self.page.type_into(kind, bad["field"], bad["text"])
                self.page.control(kind, c["calculate"]).click()
                want = bad["message"]
                self.assertEqual(self.page.message(kind),
                                 {"title": want["title"], "text": want["text"], "button": want["button"]})
                # The window is inert behind its message; Enter dismisses it and the blamed field has the focus,
                # its text selected.
                self.assertTrue(self.page.js(f"return document.querySelector('#{kind}-{bad['field']}').closest('[inert]') !== null"))
                ActionChains(self.driver).send_keys(Keys.ENTER).perform()
                self.assertIsNone(self.page.message(kind))
                self.assertEqual(self.page.focused(), want["focus"])
                self.assertEqual(self.page.js("const e = document.activeElement;"
                                              " return e.value.slice(e.selectionStart, e.selectionEnd)"),
                                 want["selected"])
                # Clear, then Calculate: every field is empty.
                self.page.control(kind, c["clear"]).click()
                for field in c["clearList"]:
                    self.assertEqual(self.page.text(kind, field), "", field)
                self.page.control(kind, c["calculate"]).click()
                want = c["examples"]["allEmpty"]["message"]
                self.assertEqual(self.page.message(kind)["text"], want["text"])
                self.page.window(kind).find_element(By.CSS_SELECTOR, "[role=alertdialog] button").click()
                self.assertEqual(self.page.focused(), want["focus"])

    def test_long_pasted_text_is_quoted_short_and_safe(self):
        kind = "Form3"
        self.page.show(kind)
        self.page.activate(kind)
        for field, text in WINDOWS[kind]["calculator"]["examples"]["typed"].items():
            self.page.type_into(kind, field, text)
        self.page.js("document.querySelector('#Form3-Text1').value = arguments[0];",
                     "\u202eabc" + "👨‍👩‍👧" * 30)
        self.page.control(kind, "Command1").click()
        text = self.page.message(kind)["text"]
        # The override counts as one character of the 24 it keeps, and each family as one.
        self.assertIn("“\ufffdabc" + "👨‍👩‍👧" * 20 + "…”", text)

    def test_one_window_of_each_kind_and_they_close(self):
        for kind in WINDOWS:
            self.page.show(kind)
        self.assertEqual(self.page.open_kinds(), sorted(WINDOWS))
        # Pressing an opening button again brings the open window forward, with its texts as they are.
        self.page.activate("Form5")
        self.page.type_into("Form5", "Text1", "7")
        self.page.activate("Form1")
        self.page.control("Form1", "Command2").click()
        self.page.control("Form5", "Command1").click()  # Form2 again, from another window
        self.assertEqual(self.page.open_kinds(), sorted(WINDOWS))
        self.assertEqual(self.page.text("Form5", "Text1"), "7")
        self.assertTrue("active" in self.page.window("Form2").get_attribute("class"))
        # Closed and opened again, a window has its default texts.
        self.page.activate("Form5")
        self.page.control("Form5", "Command6").click()
        self.page.activate("Form1")
        self.page.control("Form1", "Command2").click()
        self.assertEqual([self.page.text("Form5", "Text1"), self.page.text("Form5", "Text5")], ["", "0.12"])
        # Exit, OK and the close box each close their own window, the frontmost first.
        while self.page.open_kinds():
            kind = self.page.js("return [...document.querySelectorAll('section.window')]"
                                ".sort((a, b) => b.style.zIndex - a.style.zIndex)[0].dataset.kind")
            spec = WINDOWS[kind]
            if spec["closes"]:
                self.page.activate(kind)
                self.page.control(kind, spec["closes"][0]).click()
            else:
                self.page.window(kind).find_element(By.CSS_SELECTOR, ".close-box").click()
            self.assertNotIn(kind, self.page.open_kinds())
        self.assertTrue(self.page.js("return !document.getElementById('ended').hidden"))

    def test_a_window_moves_by_its_caption_bar(self):
        window = self.page.window("Form1")
        before = window.location
        ActionChains(self.driver).drag_and_drop_by_offset(
            window.find_element(By.CSS_SELECTOR, ".caption-bar .caption"), 120, 60).perform()
        after = window.location
        self.assertEqual((after["x"] - before["x"], after["y"] - before["y"]), (120, 60))

    def test_enter_on_a_focused_button_presses_it(self):
        self.page.control("Form1", "Command5").send_keys(Keys.ENTER)  # Clear
        self.assertEqual(self.page.text("Form1", "Text5"), "")

    def test_screenshot_of_every_window(self):
        SHOTS.mkdir(parents=True, exist_ok=True)
        for kind, spec in WINDOWS.items():
            self.page.open()
            self.page.show(kind)
            if "calculator" in spec:
                for field, text in spec["calculator"]["examples"]["typed"].items():
                    self.page.type_into(kind, field, text)
                self.page.control(kind, spec["calculator"]["calculate"]).click()
            self.page.activate(kind)
            name = spec["icon"].split("/")[-1].replace(".svg", ".png")
            self.assertTrue(self.page.window(kind).screenshot(str(SHOTS / name)))
        # The whole page with the three calculators worked, the last one moved below the one before.
        self.page.open()
        for kind in ("Form1", "Form3", "Form5"):
            self.page.show(kind)
            self.page.activate(kind)
            for field, text in WINDOWS[kind]["calculator"]["examples"]["typed"].items():
                self.page.type_into(kind, field, text)
            self.page.control(kind, WINDOWS[kind]["calculator"]["calculate"]).click()
        form3, form5 = self.page.window("Form3"), self.page.window("Form5")
        ActionChains(self.driver).drag_and_drop_by_offset(
            form5.find_element(By.CSS_SELECTOR, ".caption-bar .caption"),
            form3.location["x"] - form5.location["x"],
            form3.location["y"] + form3.size["height"] + 12 - form5.location["y"]).perform()
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": 940, "height": 500, "deviceScaleFactor": 1, "mobile": False})
        try:
            self.assertTrue(self.driver.save_screenshot(str(SHOTS / "page.png")))
        finally:
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


class Elsewhere(unittest.TestCase):
    """The same page in a language that writes a decimal comma, and from a static web server."""

    def test_decimal_comma_in_german(self):
        driver = browser("de-DE")
        try:
            page = Page(driver)
            page.open()
            self.assertEqual(page.text("Form1", "Text5"), "0,9")
            for field, text in [("Text7", "5,5"), ("Text8", "4,4"), ("Text9", "100"), ("Text10", "30")]:
                page.type_into("Form1", field, text)
            page.control("Form1", "Command4").click()
            self.assertEqual([page.text("Form1", "Label12"), page.text("Form1", "Label13")], ["195", "58,5"])
            page.type_into("Form1", "Text7", "x")
            page.control("Form1", "Command4").click()
            self.assertIn("例如 6 或 0,9", page.message("Form1")["text"])
        finally:
            driver.quit()

    def test_from_a_static_web_server(self):
        class Quiet(http.server.SimpleHTTPRequestHandler):
            def __init__(self, *args, **kwargs):
                super().__init__(*args, directory=str(PAGE.parent), **kwargs)

            def log_message(self, *args):
                pass

        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Quiet)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        driver = browser()
        try:
            page = Page(driver)
            page.open(f"http://127.0.0.1:{server.server_port}/{PAGE.name}")
            self.assertEqual(page.open_kinds(), ["Form1"])
            self.assertEqual([u for u in page.requests() if not u.startswith("data:")],
                             [f"http://127.0.0.1:{server.server_port}/{PAGE.name}"])
        finally:
            driver.quit()
            server.shutdown()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[4:], verbosity=2)
