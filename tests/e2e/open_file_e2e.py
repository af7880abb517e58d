"""kelvaro FILE: the program's one argument opens that calculation file at start, in the window of its kind, with
its texts in the fields and calculated; a file that cannot be opened leaves the main window as it starts, with the
message naming the file."""
import atexit
import os
import shutil
import tempfile

from e2e_accessible import children, descendants, matches, text_of, wait_text
from e2e_session import Session
from e2e_wait import fail, wait_until

folder = tempfile.mkdtemp(prefix="kelvaro-e2e-files-")
atexit.register(shutil.rmtree, folder, True)
good = os.path.join(folder, "最小轮压 例.kelvaro")
with open(good, "w", encoding="utf-8") as f:
    f.write('{"format": "kelvaro-calculation", "version": 1, "calculation": "MinWheelPressure",\n'
            ' "inputs": {"Pmax": "100", "G": "20", "Q": "10", "N": "2"}}\n')
newer = os.path.join(folder, "newer.kelvaro")
with open(newer, "w", encoding="utf-8") as f:
    f.write('{"format": "kelvaro-calculation", "version": 2}')



def opens_the_file():
    with Session(arguments=[good]) as s:
        # The file's window opens over the main window and takes the keyboard.
        form3 = s.window("吊车最小轮压计算")
        wait_text(form3.control("text", "吊车最大轮压 Pmax"), "100", "Pmax from the file")
        wait_text(form3.control("text", "每端轮数 N"), "2", "N from the file")
        wait_text(form3.control("text", "吊车最小轮压 Pmin"), "47.15", "Pmin calculated on opening")
        if s.count_windows("吊车Dmax和Dmin计算") != 1:
            fail("the main window is not shown beside the file's window")


def refuses_a_newer_file():
    with Session(arguments=[newer]) as s:
        # The message is modal to the main window, and has the keyboard.
        box = wait_until(lambda: [n for n in children(s.app) if matches(n, "alert", "计算文件")], bool,
                         "the message about the file")[0]
        texts = [text_of(n) for n in descendants(box) if n.get_role_name() == "label"]
        want = "无法打开“newer.kelvaro”：这是第 2 版的计算文件"
        if not any(t.startswith(want) for t in texts):
            fail(f"the message reads {texts!r}, not {want!r}…")
        print("ok: a newer file is refused with its message in the main window", flush=True)
        if s.count_windows("吊车Dmax和Dmin计算") != 1 or s.count_windows("吊车最小轮压计算"):
            fail("the main window alone should be shown after a file was refused")


# One session per run, since each starts its own X server and buses: E2E_CASE=refused runs the second.
refuses_a_newer_file() if os.environ.get("E2E_CASE") == "refused" else opens_the_file()
