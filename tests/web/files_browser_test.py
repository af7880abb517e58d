#!/usr/bin/python3
"""Calculation files in a real browser: a file the desktop's writer wrote, chosen in the page's picker, opens the
window of its kind with its texts and results; Ctrl+S in a window downloads a file the desktop's reader reads with
the same texts; the window's menu lists both items; a bad file leaves every window as it was.

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
from browser_test import CALCULATORS, Page

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
        # Each item's label, without its shortcut's keys; the files' two together, after the window's own.
        items = [b.find_element(By.CSS_SELECTOR, "span").text
                 for b in self.driver.find_elements(By.CSS_SELECTOR, ".context-menu > button")]
        self.assertIn("保存计算…", items)
        at = items.index("保存计算…")
        self.assertEqual(items[at:at + 2], ["保存计算…", "打开计算…"])
        self.driver.find_element(By.TAG_NAME, "body").send_keys(Keys.ESCAPE)
        before = self.texts(kind)
        bad = self.folder / "newer.kelvaro"
        bad.write_text('{"format": "kelvaro-calculation", "version": 2}', encoding="utf-8")
        self.choose(bad)
        message = wait(lambda: self.page.message(kind), "the message")
        self.assertTrue(message["text"].startswith("无法打开“newer.kelvaro”：这是第 2 版的计算文件"), message)
        self.assertEqual(self.texts(kind), before)
        self.assertEqual(self.page.open_kinds(), [kind])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[6:], verbosity=2)
