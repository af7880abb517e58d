#!/usr/bin/python3
"""Calculation files in a real browser: a file the desktop's writer wrote, chosen in the page's picker, opens the
window of its kind with its texts and results; Ctrl+S in a window downloads a file the desktop's reader reads with
the same texts; the window's menu lists both items; a bad file leaves every window as it was; the same for the
several-cranes window, with its two buttons.

Usage: files_browser_test.py <kelvaro.html> <page.json> <examples.json> <screenshot dir> <kelvaro_file_tool>
"""
import json
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import browser_test
from browser_test import CALCULATORS, CRANES, Page

TOOL = sys.argv[5]


def wait(read, what):
    """What `read` gives once it gives something, within five seconds."""
    for _ in range(100):
        value = read()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"waited for {what}")


def native(*args):
    return subprocess.run([TOOL, *map(str, args)], check=True, capture_output=True, text=True).stdout


class Files(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = pathlib.Path(tempfile.mkdtemp(prefix="kelvaro-files-"))
        cls.driver = browser_test.browser()
        cls.driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": str(cls.folder)})
        cls.page = Page(cls.driver)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.folder, ignore_errors=True)

    def setUp(self):
        self.page.open()

    def texts(self, kind):
        return {f["symbol"]: self.page.control(kind, f["field"]).get_attribute("value")
                for f in CALCULATORS[kind]["fields"]}

    def menu_items(self):
        """The labels of the open context menu's items, without their shortcuts."""
        return [b.text for b in self.driver.find_elements(By.CSS_SELECTOR, ".context-menu > button")]

    def choose(self, path):
        self.driver.find_element(By.ID, "kelvaro-open-file").send_keys(str(path))

    def test_a_desktop_file_opens_its_window_calculated(self):
        page_file = self.folder / "desktop.kelvaro"
        page_file.write_text('{"format": "kelvaro-calculation", "version": 1, "calculation": "MinWheelPressure",'
                             ' "inputs": {"Pmax": "100", "G": "20", "Q": "10", "N": "2"}}', encoding="utf-8")
        desktop_file = self.folder / "最小轮压.kelvaro"
        native("resave", page_file, desktop_file)
        self.choose(desktop_file)
        kind = "MinWheelPressure"
        wait(lambda: kind in self.page.open_kinds(), "the window of the file")
        self.assertEqual(self.texts(kind), {"Pmax": "100", "G": "20", "Q": "10", "N": "2"})
        pmin = CALCULATORS[kind]["results"][0]["field"]
        self.assertEqual(wait(lambda: self.page.text(kind, pmin).strip(), "Pmin"), "47.15")

    def test_ctrl_s_downloads_what_the_desktop_reads(self):
        kind = "VerticalLoads"
        odd = {"Z": "0,9 “引号”", "J": 'a"b\\c', "B": "吊车", "W": "", "Pmax": "100", "Pmin": "30"}
        for f in CALCULATORS[kind]["fields"]:
            self.page.js("arguments[0].value = arguments[1];", self.page.control(kind, f["field"]), odd[f["symbol"]])
        self.page.control(kind, CALCULATORS[kind]["fields"][0]["field"]).send_keys(Keys.CONTROL, "s")
        downloaded = wait(lambda: sorted(self.folder.glob("VerticalLoads-*.kelvaro")), "the downloaded file")[0]
        read = json.loads(native("read", downloaded))
        self.assertEqual(read["calculation"], kind)
        for f in CALCULATORS[kind]["fields"]:
            self.assertEqual(read["texts"][f["input"]], odd[f["symbol"]], f["symbol"])

    def test_the_menu_has_both_items_and_a_bad_file_changes_nothing(self):
        kind = "VerticalLoads"
        window = self.page.window(kind)
        browser_test.ActionChains(self.driver).context_click(window.find_element(By.CSS_SELECTOR, ".client")).perform()
        items = [b.text.split("\n")[0] for b in self.driver.find_elements(By.CSS_SELECTOR, ".context-menu > button")]
        # Beside the sheet's and the other windows' items, the two, together.
        self.assertIn("保存计算…", items)
        self.assertEqual(items[items.index("保存计算…") + 1], "打开计算…")
        self.driver.find_element(By.TAG_NAME, "body").send_keys(Keys.ESCAPE)
        before = self.texts(kind)
        bad = self.folder / "newer.kelvaro"
        bad.write_text('{"format": "kelvaro-calculation", "version": 2}', encoding="utf-8")
        self.choose(bad)
        message = wait(lambda: self.page.message(kind), "the message")
        self.assertTrue(message["text"].startswith("无法打开“newer.kelvaro”：这是第 2 版的计算文件"), message)
        self.assertEqual(self.texts(kind), before)
        self.assertEqual(self.page.open_kinds(), [kind])

    def test_several_cranes_cross_both_ways(self):
        kind, c = CRANES["kind"], CRANES["cranes"]
        crane = {"name": "", "Pmax": "", "Pmin": "", "B": "", "wheelsPerSide": "2", "spacings": "", "endDistance": "",
                 "duty": "A1-A5", "alphaH": "", "Q": "", "Q1": "", "brakingWheels": ""}
        arrangement = {"J1": "6", "J2": "12", "order": "free", "maxOnRail": "2", "otherSpanCranes": "0", "cranes": [
            {**crane, "name": "K “引号”", "Pmax": "280", "Pmin": "70", "B": "6.4", "spacings": "5.0"},
            {**crane, "name": "L", "Pmax": "150", "Pmin": "40", "B": "5.6", "spacings": "4.4"},
            {**crane, "name": "M", "Pmax": "90", "Pmin": "20", "B": "9", "wheelsPerSide": "4",
             "spacings": "1.6+5.2+1.6", "duty": "A6-A8"}]}
        page_file = self.folder / "cranes.kelvaro"
        page_file.write_text(json.dumps({"format": "kelvaro-calculation", "version": 1,
                                         "calculation": "CraneArrangement", "inputs": arrangement}), encoding="utf-8")
        desktop_file = self.folder / "多台吊车.kelvaro"
        native("resave", page_file, desktop_file)
        # Chosen from a calculator, it opens the several-cranes window with three rows, every text, calculated.
        self.choose(desktop_file)
        wait(lambda: kind in self.page.open_kinds(), "the several-cranes window")
        dmax = wait(lambda: self.page.text(kind, "result-Dmax").strip(), "Dmax")
        self.assertTrue(self.page.control(kind, c["rows"][2]["controls"][0]).is_displayed())
        self.assertFalse(self.page.control(kind, c["rows"][3]["controls"][0]).is_displayed())
        for b in c["bays"]:
            self.assertEqual(self.page.control(kind, b["control"]).get_attribute("value"), arrangement[b["key"]])
        for i, row in enumerate(arrangement["cranes"]):
            for control, column in zip(c["rows"][i]["controls"], c["columns"]):
                self.assertEqual(self.page.control(kind, control).get_attribute("value"), row[column["field"]], control)
        # Its 保存计算… button downloads a file the desktop reads with the same texts and the results as shown.
        self.page.control(kind, "save").click()
        downloaded = wait(lambda: sorted(self.folder.glob("CraneArrangement-*.kelvaro")), "the downloaded file")[0]
        self.assertEqual(json.loads(native("read", downloaded)), {"calculation": "CraneArrangement",
                                                                  "arrangement": arrangement})
        self.assertEqual(json.loads(downloaded.read_text(encoding="utf-8"))["results"]["Dmax"], dmax)
        # Its menu has both items, after those it already had.
        window = self.page.window(kind)
        browser_test.ActionChains(self.driver).context_click(window.find_element(By.CSS_SELECTOR, ".client")).perform()
        items = self.menu_items()
        self.assertIn(["保存计算…", "打开计算…"], [items[i:i + 2] for i in range(len(items))])
        self.driver.find_element(By.TAG_NAME, "body").send_keys(Keys.ESCAPE)

    def test_a_crane_file_takes_choices_as_shown_and_refuses_one_the_window_has_not(self):
        kind, c = CRANES["kind"], CRANES["cranes"]
        crane = {"name": "K", "Pmax": "280", "Pmin": "70", "B": "6.4", "wheelsPerSide": "2", "spacings": "5.0",
                 "endDistance": "", "duty": "A6–A8", "alphaH": "", "Q": "", "Q1": "", "brakingWheels": ""}
        arrangement = {"J1": "6", "J2": "12", "order": "按表中顺序", "maxOnRail": "2", "otherSpanCranes": "0",
                       "cranes": [crane]}

        def write(name, inputs):
            path = self.folder / name
            path.write_text(json.dumps({"format": "kelvaro-calculation", "version": 1,
                                        "calculation": "CraneArrangement", "inputs": inputs}), encoding="utf-8")
            return path

        # Written as the window shows them, the choices open as the values they show.
        self.choose(write("shown.kelvaro", arrangement))
        wait(lambda: kind in self.page.open_kinds(), "the several-cranes window")
        duty = c["rows"][0]["controls"][[col["field"] for col in c["columns"]].index("duty")]
        self.assertEqual(self.page.control(kind, duty).get_attribute("value"), "A6-A8")
        self.assertEqual(self.page.control(kind, "order").get_attribute("value"), "entered")
        # One the window has not: a message, and every control as it was.
        before = [self.page.control(kind, name).get_attribute("value") for name in ["order", "maxOnRail", duty]]
        self.choose(write("five.kelvaro", {**arrangement, "maxOnRail": "5"}))
        message = wait(lambda: self.page.message(kind), "the message")
        self.assertEqual(message["text"],
                         "无法打开“five.kelvaro”：“inputs”中的“maxOnRail”应为 1、2、3 或 4，文件中是“5”。")
        self.assertEqual([self.page.control(kind, name).get_attribute("value")
                          for name in ["order", "maxOnRail", duty]], before)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[6:], verbosity=2)
