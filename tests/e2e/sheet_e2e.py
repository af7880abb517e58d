"""The calculation sheet from the real program: the worked example typed into the main window, Ctrl+P, the sheet's
"导出 PDF…", a file name typed into the toolkit's file dialog, the PDF on disk. The same name again: the dialog asks
first, "否" leaves the file alone, "是" replaces it (the toolkit's own texts are in Chinese too). Closing the main
window closes its sheet and ends the program.
"""
import os
import re
import subprocess

from e2e_accessible import Atspi, children, descendants, has_state, matches, wait_text
from e2e_session import Session
from e2e_wait import expect, fail, wait_until
from e2e_window import Window, x_windows, xdotool

SHEET = "计算书 - 吊车Dmax和Dmin计算"
DIALOG = "导出 PDF"  # the file dialog's caption, and its question's


def dialog(s, role, caption, before=()):
    """A dialog of the program, shown to screen readers, on the screen (an X window not in `before`) and active."""
    nodes = wait_until(lambda: [n for n in children(s.app) if matches(n, role, caption)], bool, f'{role} "{caption}"')
    xids = wait_until(lambda: [x for x in x_windows(caption) if x not in before], bool, f'"{caption}" on the screen')
    wait_until(lambda: has_state(nodes[-1], Atspi.StateType.ACTIVE), bool, f'{role} "{caption}" to become active')
    return Window(s, caption, nodes[-1], xids[-1])


def export(s, sheet, path):
    """导出 PDF…, then the path typed over the suggested name in the dialog's name field, which has the focus."""
    sheet.click(sheet.control("push button", "导出 PDF…"))
    files = dialog(s, "dialog", DIALOG)
    name = wait_until(lambda: [n for n in descendants(files.frame) if matches(n, "text")
                               and has_state(n, Atspi.StateType.FOCUSED)], bool, "the focus in the file name")[0]
    files.keys(name, "ctrl+a")
    xdotool("type", "--delay", 30, path)
    xdotool("key", "Return")
    return files


def run(tool, *args):
    return subprocess.run([tool, *args], capture_output=True, text=True, check=True).stdout


session = Session()
# A home of the test's own, where the file dialog starts and keeps its settings; the sheets go to another folder.
os.environ["HOME"] = os.path.join(session.tmp, "home")
os.mkdir(os.environ["HOME"])
folder = os.path.join(session.tmp, "sheets")
os.mkdir(folder)
path = os.path.join(folder, "dmax.pdf")

with session as s:
    main = s.main_window()
    for name, value in [("吊车宽度 B", "5.5"), ("大车轮距 W", "4.4"), ("Pmax", "100"), ("Pmin", "30")]:
        main.type_into(main.control("text", name), value)
    main.keys(main.control("text", "Pmin"), "ctrl+p")
    sheet = s.window(SHEET)
    wait_text(main.control("label", description="Dmax，单位 Kn"), "195", "Dmax, calculated by Ctrl+P")

    export(s, sheet, path)
    wait_until(lambda: os.path.isfile(path) and run("pdfinfo", path), bool, f"a whole PDF at {path}")
    info = run("pdfinfo", path)
    expect("pages", re.search(r"Pages:\s+(\d+)", info).group(1), "1")
    expect("paper is A4", bool(re.search(r"Page size:.*\(A4\)", info)), True)
    text = run("pdftotext", path, "-")
    for line in ["Dmax = (SumY × Z) × Pmax = (2.1666667 × 0.9) × 100 = 195 kN", "J−W = 1.6", "Y4 = 0.08333334"]:
        if line not in text:
            fail(f"the PDF does not show {line!r}")
    print("ok: the PDF shows the working and the figure's numbers", flush=True)
    s.expect_window_gone(DIALOG)
    written = os.stat(path).st_ino

    # The same name again: the dialog asks first. "否" leaves the file as it was, and the dialog open.
    files = export(s, sheet, path)
    question = dialog(s, "alert", DIALOG, before={files.xid})
    question.click(question.control("push button", "否(N)"))
    wait_until(lambda: len(x_windows(DIALOG)), (1).__eq__, "the question to close")
    expect("the file after 否", os.stat(path).st_ino, written)
    files.focus_keyboard()
    xdotool("key", "Escape")
    s.expect_window_gone(DIALOG)
    expect("files in the folder", sorted(os.listdir(folder)), ["dmax.pdf"])

    # "是" replaces it with a new file, written whole beside it and renamed over it.
    files = export(s, sheet, path)
    question = dialog(s, "alert", DIALOG, before={files.xid})
    question.click(question.control("push button", "是(Y)"))
    wait_until(lambda: os.stat(path).st_ino, written.__ne__, "the file replaced")
    s.expect_window_gone(DIALOG)
    expect("files in the folder", sorted(os.listdir(folder)), ["dmax.pdf"])

    # Escape closes the sheet; Ctrl+P opens it again.
    sheet.keys(sheet.control("push button", "导出 PDF…"), "Escape")
    s.expect_window_gone(SHEET)
    main.keys(main.control("text", "Pmin"), "ctrl+p")
    s.window(SHEET)

    main.click(main.control("push button", "退出"))
    s.expect_window_gone(SHEET)
    s.expect_exit()

    # What the program keeps, the folder of the last export, is under its own name; nothing under the toolkit's.
    config = os.path.join(os.environ["HOME"], ".config")
    expect("the toolkit's settings file", os.path.exists(os.path.join(config, "QtProject.conf")), False)
    with open(os.path.join(config, "Kelvaro", "kelvaro.ini"), encoding="utf-8") as kept:
        expect("the last folder kept", f"exportFolder={folder}" in kept.read(), True)
