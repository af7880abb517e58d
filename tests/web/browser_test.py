#!/usr/bin/python3
"""The browser edition in a real browser: headless Chromium driven through chromedriver, the page opened from
file:// with the network off. Keys are real key events. Everything the page shows is compared with the windows'
description (page.json, the data the page was made from) and with what the native core gives for each calculator's
worked example and two refusals (examples.json).

Usage: browser_test.py <kelvaro.html> <page.json> <examples.json> <screenshot dir> [test names]
"""
import base64
import http.server
import json
import pathlib
import subprocess
import sys
import tempfile
import threading
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

PAGE, DATA, EXAMPLES, SHOTS = (pathlib.Path(a).resolve() for a in sys.argv[1:5])
DESCRIPTION = json.loads(DATA.read_text(encoding="utf-8"))
FIRST, MESSAGE_BOX = DESCRIPTION["first"], DESCRIPTION["messageBox"]
# The windows laid out in twips; the several-cranes window is laid out in rows and has tests of its own.
WINDOWS = {w["kind"]: w for w in DESCRIPTION["windows"] if "cranes" not in w}
CRANES = next(w for w in DESCRIPTION["windows"] if "cranes" in w)
CALCULATORS = {kind: w["calculator"] for kind, w in WINDOWS.items() if "calculator" in w}
# What the native core gives for each calculator's worked example, and for two refusals.
EXAMPLES = json.loads(EXAMPLES.read_text(encoding="utf-8"))
# The buttons that open each window (besides the first, which the page opens itself).
OPENED_BY = {b["opens"]: (w["kind"], b["button"]) for w in WINDOWS.values() for b in w["buttons"]
             if b["does"] == "open"}


def buttons(kind, does):
    return [b["button"] for b in WINDOWS[kind]["buttons"] if b["does"] == does]


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
        if kind == FIRST or self.js(f"return !!kelvaroWindows.open.get('{kind}')"):
            return
        opener, button = OPENED_BY[kind]
        self.show(opener)
        self.activate(opener)
        self.control(opener, button).click()

    def js_free_rects(self, kind):
        """Each control's pixel rectangle, read without the page's script (which may be off)."""
        window = self.window(kind)
        rects = {}
        for e in window.find_elements(By.CSS_SELECTOR, "[data-name]"):
            rects[e.get_attribute("data-name")] = [int(e.get_property(p))
                                                   for p in ("offsetLeft", "offsetTop", "offsetWidth", "offsetHeight")]
        return rects

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
            const done = arguments[arguments.length - 1];
            kelvaroReady.then((k) => done([
              k.parseFieldValue('0.9', '.'), k.formatResult(k.computeVerticalLoads(0.9, 6, 5.5, 4.4, 100, 30).Dmax, '.'),
              k.computeMinWheelPressure(100, 20, 10, '0', '.'),
              k.computeHorizontalLoads(3.5, 10, 0.12, 0.9, 4, '6', '.', 5.5, 4.4).H1,
              k.calculate(arguments[0], ['0.9', '6', '5.5', '4.4', '100', '30'], '.').results.map((r) => r.text)]));""",
            WINDOWS[FIRST]["id"])
        self.assertEqual(results, [{"value": 0.8999999761581421}, "195",
                                   {"failure": "DivisionByZero", "input": "N"}, 7.747447490692139, ["195", "58.5"]])

    def test_the_first_window_is_drawn_without_script(self):
        self.driver.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": True})
        try:
            self.driver.get(PAGE.as_uri())
            shown = self.page.js_free_rects(FIRST)
        finally:
            self.driver.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": False})
        self.assertEqual(shown, {c["name"]: c["pixels"] for c in WINDOWS[FIRST]["controls"]})
        self.page.open()  # for tearDown's log

    def test_every_window_shows_its_description(self):
        for kind, spec in WINDOWS.items():
            with self.subTest(window=kind):
                self.page.show(kind)
                window = self.page.window(kind)
                self.assertEqual(window.find_element(By.CSS_SELECTOR, ".caption-bar .caption").text, spec["caption"])
                client = window.find_element(By.CSS_SELECTOR, ".client")
                self.assertEqual([client.size["width"], client.size["height"]], spec["client"]["pixels"])
                # Every control as the page shows it, read in one go.
                # In document order: a frame's controls after it, as they are painted.
                shown = self.page.js("""
                    return [...arguments[0].querySelectorAll('[data-name]')].map((e) => {
                      const caption = e.querySelector(':scope > .frame-caption');
                      return [e.dataset.name, {
                        pixels: [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight],
                        text: e.tagName === 'INPUT' ? e.value : (caption || e).textContent,
                        accessibleName: e.getAttribute('aria-label') || '',
                        accessibleDescription: e.getAttribute('aria-description') || '',
                        focusable: e.tabIndex >= 0,
                        buddy: e.tagName === 'LABEL' ? e.htmlFor : null}];
                    });""", window)
                self.assertEqual([name for name, _ in shown], [c["name"] for c in spec["controls"]], "in paint order")
                shown = dict(shown)
                for c in spec["controls"]:
                    want = {k: c[k] for k in ("pixels", "text", "accessibleName", "accessibleDescription", "focusable")}
                    want["buddy"] = f"{kind}-{c['buddy']}" if c.get("buddy") else None
                    self.assertEqual(shown[c["name"]], want, c["name"])
                if "font" in (title := next((c for c in spec["controls"] if "font" in c), {})):
                    # The face the page carries first, then the description's own.
                    font = self.page.js("const s = getComputedStyle(arguments[0]);"
                                        " return [s.fontSize, s.fontWeight,"
                                        " ...s.fontFamily.split(',').slice(0, 2).map((f) => f.trim().replaceAll('\"', ''))]",
                                        self.page.control(kind, title["name"]))
                    self.assertEqual(font, [f"{title['font']['pointSize'] * 4 / 3:g}px", "700", "Kelvaro UKai",
                                            title["font"]["families"][0]])

    def test_the_focus_opens_on_the_first_of_the_tab_order_and_tab_follows_it(self):
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

    def test_every_button_that_opens_or_closes_does_so(self):
        for kind, spec in WINDOWS.items():
            for role in spec["buttons"]:
                if role["does"] not in ("open", "close"):
                    continue
                with self.subTest(window=kind, button=role["button"]):
                    self.page.open()
                    self.page.show(kind)
                    self.page.activate(kind)
                    self.page.control(kind, role["button"]).click()
                    if role["does"] == "open":
                        self.assertIn(role["opens"], self.page.open_kinds())
                        self.assertIn("active", self.page.window(role["opens"]).get_attribute("class"))
                    else:
                        self.assertNotIn(kind, self.page.open_kinds())

    def open_with_example(self, kind):
        """Opens a calculator and types its worked example into its fields."""
        self.page.show(kind)
        self.page.activate(kind)
        for field, text in EXAMPLES[kind]["typed"].items():
            self.page.type_into(kind, field, text)

    def test_worked_examples_typed_give_the_native_core_texts_and_notes(self):
        for kind in CALCULATORS:
            with self.subTest(window=kind):
                self.open_with_example(kind)
                # Enter in the last field typed runs Calculate.
                self.page.control(kind, list(EXAMPLES[kind]["typed"])[-1]).send_keys(Keys.ENTER)
                self.assertIsNone(self.page.message(kind))
                for field, text in EXAMPLES[kind]["results"].items():
                    self.assertEqual(self.page.text(kind, field), text, field)
                    self.assertEqual(self.page.control(kind, field).get_attribute("title"),
                                     EXAMPLES[kind]["notes"][field], field)

    def test_refusals_show_the_core_message_and_focus(self):
        for kind, c in CALCULATORS.items():
            with self.subTest(window=kind):
                self.open_with_example(kind)
                bad = EXAMPLES[kind]["notANumber"]
                self.page.type_into(kind, bad["field"], bad["text"])
                self.page.control(kind, c["calculate"]).click()
                self.assertEqual(self.page.message(kind), {**MESSAGE_BOX, "text": bad["message"]})
                # The window is inert behind its message; Enter dismisses it and the blamed field has the focus,
                # its text selected.
                self.assertTrue(self.page.js(f"return document.querySelector('#{kind}-{bad['field']}').closest('[inert]') !== null"))
                ActionChains(self.driver).send_keys(Keys.ENTER).perform()
                self.assertIsNone(self.page.message(kind))
                self.assertEqual(self.page.focused(), bad["focus"])
                self.assertEqual(self.page.js("const e = document.activeElement;"
                                              " return e.value.slice(e.selectionStart, e.selectionEnd)"),
                                 bad["selected"])
                # Clear, then Calculate: every field is empty.
                self.page.control(kind, c["clear"]).click()
                for field in c["clearList"]:
                    self.assertEqual(self.page.text(kind, field), "", field)
                self.page.control(kind, c["calculate"]).click()
                empty = EXAMPLES[kind]["allEmpty"]
                self.assertEqual(self.page.message(kind)["text"], empty["message"])
                self.page.window(kind).find_element(By.CSS_SELECTOR, "[role=alertdialog] button").click()
                self.assertEqual(self.page.focused(), empty["focus"])

    def test_long_pasted_text_is_quoted_short_and_safe(self):
        kind = "MinWheelPressure"
        self.open_with_example(kind)
        first = CALCULATORS[kind]["fields"][0]["field"]
        self.page.js(f"document.querySelector('#{kind}-{first}').value = arguments[0];",
                     "\u202eabc" + "👨‍👩‍👧" * 30)
        self.page.control(kind, CALCULATORS[kind]["calculate"]).click()
        text = self.page.message(kind)["text"]
        # The override counts as one character of the 24 it keeps, and each family as one.
        self.assertIn("“\ufffdabc" + "👨‍👩‍👧" * 20 + "…”", text)

    def test_one_window_of_each_kind_and_they_close(self):
        for kind in WINDOWS:
            self.page.show(kind)
        self.assertEqual(self.page.open_kinds(), sorted(WINDOWS))
        # Pressing an opening button again brings the open window forward, with its texts as they are.
        h, table = "HorizontalLoads", "CoefficientTable"
        self.page.activate(h)
        self.page.type_into(h, "Text1", "7")
        self.page.activate(FIRST)
        self.page.control(FIRST, OPENED_BY[h][1]).click()
        # The table again, from another window than the one that opened it.
        self.page.control(h, next(b["button"] for b in WINDOWS[h]["buttons"] if b.get("opens") == table)).click()
        self.assertEqual(self.page.open_kinds(), sorted(WINDOWS))
        self.assertEqual(self.page.text(h, "Text1"), "7")
        self.assertTrue("active" in self.page.window(table).get_attribute("class"))
        # Closed and opened again, a window has its default texts.
        self.page.activate(h)
        self.page.control(h, buttons(h, "close")[0]).click()
        self.page.activate(FIRST)
        self.page.control(FIRST, OPENED_BY[h][1]).click()
        self.assertEqual([self.page.text(h, "Text1"), self.page.text(h, "Text5")], ["", "0.12"])
        # Exit, OK and the close box each close their own window, the frontmost first.
        while self.page.open_kinds():
            kind = self.page.js("return [...document.querySelectorAll('section.window')]"
                                ".sort((a, b) => b.style.zIndex - a.style.zIndex)[0].dataset.kind")
            if buttons(kind, "close"):
                self.page.activate(kind)
                self.page.control(kind, buttons(kind, "close")[0]).click()
            else:
                self.page.window(kind).find_element(By.CSS_SELECTOR, ".close-box").click()
            self.assertNotIn(kind, self.page.open_kinds())
        self.assertTrue(self.page.js("return !document.getElementById('ended').hidden"))

    def test_a_window_moves_by_its_caption_bar(self):
        window = self.page.window(FIRST)
        before = window.location
        ActionChains(self.driver).drag_and_drop_by_offset(
            window.find_element(By.CSS_SELECTOR, ".caption-bar .caption"), 120, 60).perform()
        after = window.location
        self.assertEqual((after["x"] - before["x"], after["y"] - before["y"]), (120, 60))

    def test_enter_on_a_focused_button_presses_it(self):
        self.page.control(FIRST, CALCULATORS[FIRST]["clear"]).send_keys(Keys.ENTER)
        self.assertEqual(self.page.text(FIRST, CALCULATORS[FIRST]["fields"][0]["field"]), "")

    def active(self):
        return self.page.js("return document.querySelector('section.window.active').dataset.kind")

    def test_f6_and_ctrl_f6_go_round_the_open_windows(self):
        kinds = [FIRST, "MinWheelPressure", "HorizontalLoads"]
        for kind in kinds:
            self.page.show(kind)
        for kind in kinds:
            self.page.activate(kind)
            self.page.control(kind, CALCULATORS[kind]["fields"][1]["field"]).click()  # the focus to come back to
        # In the order they were opened, from the active one; Shift goes back.
        rows = [((Keys.F6,), FIRST), ((Keys.F6,), "MinWheelPressure"), ((Keys.CONTROL, Keys.F6), "HorizontalLoads"),
                ((Keys.SHIFT, Keys.F6), "MinWheelPressure"), ((Keys.CONTROL, Keys.SHIFT, Keys.F6), FIRST)]
        for keys, kind in rows:
            with self.subTest(keys=keys, kind=kind):
                chain = ActionChains(self.driver)
                for key in keys[:-1]:
                    chain.key_down(key)
                chain.send_keys(keys[-1])
                for key in keys[:-1]:
                    chain.key_up(key)
                chain.perform()
                self.assertEqual(self.active(), kind)
                self.assertEqual(self.page.focused(), CALCULATORS[kind]["fields"][1]["field"])

    def test_a_click_under_a_message_leaves_the_focus_in_it(self):
        c = CALCULATORS[FIRST]
        self.page.control(FIRST, c["clear"]).click()
        self.page.control(FIRST, c["calculate"]).click()
        self.assertIsNotNone(self.page.message(FIRST))
        for target in [self.page.control(FIRST, c["fields"][0]["field"]),
                       self.page.window(FIRST).find_element(By.CSS_SELECTOR, ".caption")]:
            ActionChains(self.driver).move_to_element(target).click().perform()
            self.assertTrue(self.page.js("return document.activeElement.matches('[role=alertdialog] button')"))

    def accessible(self, element):
        """The name and description the browser gives a screen reader."""
        node = self.driver.execute_cdp_cmd("DOM.describeNode", {"objectId": self.driver.execute_cdp_cmd(
            "Runtime.evaluate", {"expression": f"document.getElementById('{element.get_attribute('id')}')"})
            ["result"]["objectId"]})["node"]
        ax = self.driver.execute_cdp_cmd("Accessibility.getPartialAXTree",
                                         {"backendNodeId": node["backendNodeId"], "fetchRelatives": False})["nodes"][0]
        return ax.get("name", {}).get("value", ""), ax.get("description", {}).get("value", "")

    def test_a_result_is_named_by_its_number_and_described_by_its_working(self):
        for kind in CALCULATORS:
            with self.subTest(window=kind):
                self.open_with_example(kind)
                self.page.control(kind, CALCULATORS[kind]["calculate"]).click()
                for field, text in EXAMPLES[kind]["results"].items():
                    name, description = self.accessible(self.page.control(kind, field))
                    if self.page.control(kind, field).tag_name != "input":  # a box is named by its label
                        self.assertEqual(name, text, field)
                    self.assertIn(" ".join(EXAMPLES[kind]["notes"][field].split()), description, field)

    def test_return_in_the_result_box_calculates(self):
        kind = "MinWheelPressure"
        self.open_with_example(kind)
        [(field, text)] = EXAMPLES[kind]["results"].items()
        self.page.control(kind, field).send_keys(Keys.ENTER)
        self.assertEqual(self.page.text(kind, field), text)

    def test_the_longest_result_is_whole_and_no_smaller_than_7_points(self):
        c = CALCULATORS[FIRST]
        for field, text in zip([f["field"] for f in c["fields"]], ["0.5", "6", "12", "0", "-3.402823e38", "1"]):
            self.page.type_into(FIRST, field, text)
        self.page.control(FIRST, c["calculate"]).click()
        target = self.page.control(FIRST, c["results"][0]["field"])
        self.assertEqual(self.page.text(FIRST, c["results"][0]["field"]), "-3.402823E+38")
        size, whole, colour = self.page.js("const e = arguments[0], s = getComputedStyle(e);"
                                           " return [parseFloat(s.fontSize), e.scrollWidth <= e.clientWidth, s.color]",
                                           target)
        self.assertGreaterEqual(size, 7 / 0.75 - 0.01)
        self.assertTrue(whole)
        self.assertEqual(colour, "rgb(0, 0, 0)")

    def test_a_narrow_view_keeps_every_window_reachable(self):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": 390, "height": 844, "deviceScaleFactor": 1, "mobile": False})
        try:
            self.page.open()
            for kind in WINDOWS:
                self.page.js("kelvaroWindows.show(arguments[0])", kind)
                # Focusing the last control of a window wider than the view once scrolled the whole desktop.
                self.page.js("arguments[0].focus()", self.page.control(kind, WINDOWS[kind]["tabOrder"][-1]))
            for kind in self.page.open_kinds():
                with self.subTest(window=kind):
                    left = self.page.js("return arguments[0].getBoundingClientRect().left", self.page.window(kind))
                    self.assertGreaterEqual(left, 0)
            self.assertEqual(self.page.js("return document.getElementById('desktop').scrollLeft"), 0)
            # Dragged by its caption bar to the left edge again and again, 40 pixels of the bar stay on the view.
            window = self.page.window(FIRST)
            self.page.js("kelvaroWindows.show(arguments[0])", FIRST)
            y = window.location["y"] + 12
            for x in [300, 30, 30, 30]:
                actions = ActionBuilder(self.driver)
                actions.pointer_action.move_to_location(x, y).pointer_down().move_to_location(1, y).pointer_up()
                actions.perform()
            self.assertAlmostEqual(self.page.js("return arguments[0].getBoundingClientRect().right", window), 40, delta=1)
        finally:
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def test_several_cranes_window(self):
        kind, c = CRANES["kind"], CRANES["cranes"]
        # Ctrl+M from a calculator opens it, the focus on its first input; the tooltip of 计算 names the key.
        self.assertIn(c["shortcut"], self.page.control(FIRST, CALCULATORS[FIRST]["calculate"]).get_attribute("title"))
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys("m").key_up(Keys.CONTROL).perform()
        self.assertIn(kind, self.page.open_kinds())
        self.assertEqual(self.page.focused(), CRANES["focus"])
        # Every input a screen reader finds by its name, the table's rows by crane and column.
        names = self.page.js("return [...arguments[0].querySelectorAll('input, select')]"
                             ".filter((e) => !e.closest('[hidden]')).map((e) => e.getAttribute('aria-label'))",
                             self.page.window(kind))
        shown_rows = c["rows"][:c["firstCranes"]]
        self.assertEqual(names, [b["symbol"] for b in c["bays"]] + [n for r in shown_rows for n in r["accessibleNames"]]
                         + [o["caption"] for o in c["options"]])
        # Tab goes round the shown controls in the description's order.
        order = [n for n in CRANES["tabOrder"]
                 if not any(n in r["controls"] for r in c["rows"][c["firstCranes"]:])]
        seen = [self.page.focused()]
        for _ in order:
            ActionChains(self.driver).send_keys(Keys.TAB).perform()
            seen.append(self.page.focused())
        self.assertEqual(seen, order + order[:1])
        # The worked example gives the native core's texts and notes, and a figure.
        example = EXAMPLES[kind]
        for field, text in example["typed"].items():
            self.page.type_into(kind, field, text)
        self.page.control(kind, "calculate").click()
        self.assertIsNone(self.page.message(kind))
        for r in c["results"]:
            self.assertEqual(self.page.text(kind, r["control"]).strip(), example["results"].get(r["name"], ""), r["name"])
            self.assertEqual(self.page.control(kind, r["control"]).get_attribute("title"),
                             example["notes"].get(r["name"], ""), r["name"])
        self.assertTrue(self.page.window(kind).find_elements(By.CSS_SELECTOR, ".figure svg circle"))
        SHOTS.mkdir(parents=True, exist_ok=True)
        self.assertTrue(self.page.window(kind).screenshot(str(SHOTS / "crane_arrangement_window.png")))
        # A bad input: the core's message, the focus on that input with its text selected, nothing changed.
        bad = example["badB"]
        self.page.type_into(kind, bad["field"], bad["text"])
        self.page.control(kind, "calculate").click()
        self.assertEqual(self.page.message(kind), {**MESSAGE_BOX, "text": bad["message"]})
        ActionChains(self.driver).send_keys(Keys.ENTER).perform()
        self.assertEqual(self.page.focused(), bad["field"])
        self.assertEqual(self.page.text(kind, bad["field"]), bad["text"])
        self.assertEqual(self.page.text(kind, "result-Dmax").strip(), example["results"]["Dmax"])
        # A third crane's row, and the window closes by its 退出.
        self.page.control(kind, "addCrane").click()
        self.assertTrue(self.page.control(kind, c["rows"][2]["controls"][1]).is_displayed())
        self.page.control(kind, "close").click()
        self.assertNotIn(kind, self.page.open_kinds())

    def work_example(self, kind):
        for field, text in EXAMPLES[kind]["typed"].items():
            self.page.type_into(kind, field, text)
        self.page.control(kind, CALCULATORS[kind]["calculate"]).click()

    def ctrl_p(self):
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys("p").key_up(Keys.CONTROL).perform()

    def print_sheet(self, name):
        """The open sheet as the browser prints it, into the screenshot folder: one A4 page."""
        pdf = SHOTS / name
        SHOTS.mkdir(parents=True, exist_ok=True)
        pdf.write_bytes(base64.b64decode(self.driver.execute_cdp_cmd(
            "Page.printToPDF", {"preferCSSPageSize": True, "printBackground": True})["data"]))
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
        self.assertRegex(info, r"Pages:\s+1\n")
        self.assertRegex(info, r"Page size:.*\(A4\)")
        return pdf

    def close_sheet(self, kind):
        """Escape closes the sheet, and the focus is back in the window."""
        ActionChains(self.driver).send_keys(Keys.ESCAPE).perform()
        self.assertEqual(self.driver.find_elements(By.ID, "sheet-layer"), [])
        self.assertTrue(self.page.js("return arguments[0].contains(document.activeElement)", self.page.window(kind)))

    def test_ctrl_p_prints_the_sheet_on_one_a4_page_with_its_fonts(self):
        for kind in CALCULATORS:
            with self.subTest(window=kind):
                self.page.open()
                self.open_with_example(kind)
                self.ctrl_p()
                sheet = self.driver.find_element(By.CSS_SELECTOR, "#sheet-layer .sheet-page")
                # The window shows the results Ctrl+P calculated; the sheet writes them with kN.
                for field, text in EXAMPLES[kind]["results"].items():
                    self.assertEqual(self.page.text(kind, field), text, field)
                self.assertIn("kN", sheet.text)
                self.assertNotIn("Kn", sheet.text)
                pdf = self.print_sheet(f"sheet_{kind}.pdf")
                fonts = subprocess.run(["pdffonts", pdf], capture_output=True, text=True, check=True).stdout
                fonts = fonts.strip().split("\n")[2:]
                self.assertTrue(fonts and all(" yes " in f for f in fonts), fonts)
                text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True, check=True).stdout
                for field, result in EXAMPLES[kind]["results"].items():
                    self.assertIn(result, text, field)
                self.close_sheet(kind)

    def test_the_sheet_prints_powers_of_ten_minus_signs_and_every_typed_character(self):
        typed = {"Text5": "\t\t0.9", "Text9": "1." + "0" * 80 + "e7", "Text10": "-30"}
        self.page.open()
        self.open_with_example(FIRST)
        for field, text in typed.items():
            self.page.js("arguments[0].value = arguments[1]", self.page.control(FIRST, field), text)
        self.ctrl_p()
        sheet = self.driver.find_element(By.CSS_SELECTOR, "#sheet-layer .sheet-page")
        text = sheet.get_attribute("textContent")
        # The window keeps the core's texts; the sheet writes them as print does.
        self.assertEqual(self.page.text(FIRST, "Label12"), "1.95E+07")
        for printed in ["Dmax = 1.95×10⁷ kN", "Dmin = −58.5 kN", "⟨U+0009⟩⟨U+0009⟩0.9", "略去 52 个字符",
                        "末位可能相差 1"]:
            self.assertIn(printed, text)
        self.assertNotIn("E+07", text)
        pdf = self.print_sheet("sheet_printed_numbers.pdf")
        # The superscripts come from the page's own signs face, not from whatever the machine has.
        fonts = subprocess.run(["pdffonts", pdf], capture_output=True, text=True, check=True).stdout
        self.assertIn("DejaVu", fonts)
        self.assertTrue(all(" yes " in f for f in fonts.strip().split("\n")[2:]), fonts)

    def test_ctrl_p_in_the_several_cranes_window_prints_its_sheet(self):
        kind, c = CRANES["kind"], CRANES["cranes"]
        example = EXAMPLES[kind]
        # The worked example with the first crane's name as typed; a name with markup in it stays text.
        for case, name in [("example", "K"), ("markup", "<b>K</b><img src=x>")]:
            with self.subTest(case=case):
                self.page.open()
                ActionChains(self.driver).key_down(Keys.CONTROL).send_keys("m").key_up(Keys.CONTROL).perform()
                for field, text in {**example["typed"], "crane1-name": name}.items():
                    self.page.type_into(kind, field, text)
                self.ctrl_p()
                pages = self.driver.find_elements(By.CSS_SELECTOR, "#sheet-layer .sheet-page")
                self.assertEqual(len(pages), 1)
                sheet = pages[0]
                # Ctrl+P calculated: the window shows the results, and the sheet writes them.
                for r in c["results"]:
                    self.assertEqual(self.page.text(kind, r["control"]).strip(), example["results"].get(r["name"], ""))
                for name_, text in example["results"].items():
                    self.assertIn(text, sheet.text, name_)
                self.assertIn(name, sheet.text)
                self.assertEqual(sheet.find_elements(By.CSS_SELECTOR, "b, img"), [])
                self.assertTrue(sheet.find_elements(By.CSS_SELECTOR, "svg circle"))
                # Its content ends above the footer, on the page.
                self.assertLess(self.page.js("return arguments[0].querySelector('.crane-content')"
                                             ".getBoundingClientRect().bottom", sheet),
                                self.page.js("return arguments[0].querySelector('.sheet-footer')"
                                             ".getBoundingClientRect().top", sheet))
                pdf = self.print_sheet(f"sheet_{kind}_{case}.pdf")
                text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True, check=True).stdout
                for name_, result in example["results"].items():
                    self.assertIn(result, text, name_)
                self.close_sheet(kind)

    def test_a_refused_several_cranes_calculation_opens_no_sheet(self):
        kind, bad = CRANES["kind"], EXAMPLES[CRANES["kind"]]["badB"]
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys("m").key_up(Keys.CONTROL).perform()
        for field, text in {**EXAMPLES[kind]["typed"], bad["field"]: bad["text"]}.items():
            self.page.type_into(kind, field, text)
        self.ctrl_p()
        self.assertEqual(self.page.message(kind), {**MESSAGE_BOX, "text": bad["message"]})
        self.assertEqual(self.driver.find_elements(By.ID, "sheet-layer"), [])

    def test_a_refused_calculation_opens_no_sheet(self):
        self.open_with_example(FIRST)
        bad = EXAMPLES[FIRST]["notANumber"]
        self.page.type_into(FIRST, bad["field"], bad["text"])
        self.ctrl_p()
        self.assertEqual(self.page.message(FIRST), {**MESSAGE_BOX, "text": bad["message"]})
        self.assertEqual(self.driver.find_elements(By.ID, "sheet-layer"), [])

    def test_copy_puts_a_result_on_the_clipboard(self):
        self.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.open_with_example(FIRST)
        self.page.control(FIRST, CALCULATORS[FIRST]["calculate"]).click()
        field, want = next(iter(EXAMPLES[FIRST]["results"].items()))
        ActionChains(self.driver).context_click(self.page.control(FIRST, field)).perform()
        items = self.driver.find_elements(By.CSS_SELECTOR, "#context-menu .menu-item")
        # Each item is its label, then its shortcut in a span of its own.
        self.assertEqual([i.text for i in items], ["复制", "计算书…"])
        items[0].click()
        got = self.driver.execute_async_script(
            "const done = arguments[0]; navigator.clipboard.readText().then(done, (e) => done(String(e)));")
        self.assertEqual(got, want)
        # From the keyboard: Shift+F10 in the window opens its menu, with the sheet and each result to copy.
        self.page.control(FIRST, list(EXAMPLES[FIRST]["typed"])[0]).click()
        ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.F10).key_up(Keys.SHIFT).perform()
        items = [i.text for i in self.driver.find_elements(By.CSS_SELECTOR, "#context-menu .menu-item")]
        results = [f"复制 {r['name']}" for r in CALCULATORS[FIRST]["results"]]
        self.assertEqual(items[:1 + len(results)], ["计算书…", *results])
        ActionChains(self.driver).send_keys(Keys.ESCAPE).perform()

    def test_every_caption_fits_and_every_window_opens_inside_small_screens(self):
        for width, height, scale in [(1366, 768, 1), (1024, 600, 1), (683, 384, 2)]:
            with self.subTest(screen=f"{width}x{height}@{scale}"):
                self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": width, "height": height, "deviceScaleFactor": scale, "mobile": False})
                self.page.open()
                for kind in WINDOWS:
                    self.page.js("kelvaroWindows.show(arguments[0])", kind)
                overflowing = self.page.js("""return [...document.querySelectorAll(
                    '#desktop .caption, #desktop .result-label, #desktop .button, #desktop .frame-caption')]
                    .filter((e) => e.scrollWidth > e.clientWidth).map((e) => e.id || e.textContent);""")
                self.assertEqual(overflowing, [])
                outside = self.page.js("""const desktop = document.getElementById('desktop');
                    return [...desktop.querySelectorAll(':scope > section.window')].filter((w) =>
                      w.offsetLeft < 0 || w.offsetTop < 0 ||
                      (w.offsetWidth <= desktop.clientWidth && w.offsetLeft + w.offsetWidth > desktop.clientWidth))
                      .map((w) => w.dataset.kind);""")
                self.assertEqual(outside, [])
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def test_screenshot_of_every_window(self):
        SHOTS.mkdir(parents=True, exist_ok=True)
        for kind, spec in WINDOWS.items():
            self.page.open()
            self.page.show(kind)
            if kind in CALCULATORS:
                self.work_example(kind)
            self.page.activate(kind)
            name = spec["icon"].split("/")[-1].replace(".svg", ".png")
            self.assertTrue(self.page.window(kind).screenshot(str(SHOTS / name)))
        # The whole page with the three calculators worked, the last one moved below the one before.
        self.page.open()
        for kind in CALCULATORS:
            self.page.show(kind)
            self.page.activate(kind)
            self.work_example(kind)
        middle, last = (self.page.window(kind) for kind in list(CALCULATORS)[1:])
        ActionChains(self.driver).drag_and_drop_by_offset(
            last.find_element(By.CSS_SELECTOR, ".caption-bar .caption"),
            middle.location["x"] - last.location["x"],
            middle.location["y"] + middle.size["height"] + 12 - last.location["y"]).perform()
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
            self.assertEqual(page.text(FIRST, "Text5"), "0,9")
            for field, text in [("Text7", "5,5"), ("Text8", "4,4"), ("Text9", "100"), ("Text10", "30")]:
                page.type_into(FIRST, field, text)
            page.control(FIRST, "Command4").click()
            self.assertEqual([page.text(FIRST, "Label12"), page.text(FIRST, "Label13")], ["195", "58,5"])
            page.type_into(FIRST, "Text7", "x")
            page.control(FIRST, "Command4").click()
            self.assertIn("例如 6 或 0,9", page.message(FIRST)["text"])
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
            self.assertEqual(page.open_kinds(), [FIRST])
            self.assertEqual([u for u in page.requests() if not u.startswith("data:")],
                             [f"http://127.0.0.1:{server.server_port}/{PAGE.name}"])
        finally:
            driver.quit()
            server.shutdown()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
