"""The real program as a screen reader sees it through AT-SPI: named fields, working actions, results read back.

Run by accessibility_e2e.sh inside a private D-Bus session with the accessibility bus and an X server.
"""
import sys
import time

import pyatspi


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def wait_for(find, what, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    fail(f"no {what}")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "kelvaro":
            return app
    return None


def frame(name):
    app = application()
    if app is None:
        return None
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and child.getRoleName() == "frame" and child.name == name:
            return child
    return None


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        yield child
        yield from descendants(child)


def find(node, role, name):
    for child in descendants(node):
        if child.getRoleName() == role and child.name == name:
            return child
    fail(f'no {role} named "{name}"')


def press(node, role, name):
    action = find(node, role, name).queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail(f'"{name}" cannot be pressed: {names}')
    action.doAction(names.index("Press"))


def expect(what, got, want):
    if got != want:
        fail(f"{what}: got {got!r}, want {want!r}")
    print(f"ok: {what} = {want!r}")


main = wait_for(lambda: frame("吊车Dmax和Dmin计算"), "main window frame")
texts = [n for n in descendants(main) if n.getRoleName() == "text"]
expect("named input fields", sorted(n.name for n in texts),
       sorted(["Z", "柱距 J", "吊车宽度 B", "大车轮距 W", "Pmax", "Pmin"]))
picture = find(main, "image", "吊车轮压位置及吊车梁支承反力影响线")
expect("focus at opening", picture.getState().contains(pyatspi.STATE_FOCUSED), True)

for name, value in [("吊车宽度 B", "5.5"), ("大车轮距 W", "4.4"), ("Pmax", "100"), ("Pmin", "30")]:
    find(main, "text", name).queryEditableText().setTextContents(value)
press(main, "push button", "计算")
results = wait_for(lambda: [n for n in descendants(main) if n.getRoleName() == "label" and n.name in ("195", "58.5")],
                   "results")
expect("results read back", sorted(n.name for n in results), ["195", "58.5"])
expect("Dmax described", find(main, "label", "195").description, "Dmax，单位 Kn")

press(main, "push button", "吊车最小轮压计算")
form3 = wait_for(lambda: frame("吊车最小轮压计算"), "minimum wheel pressure frame")
for name, value in [("吊车最大轮压 Pmax", "100"), ("吊车总重量 G", "20"), ("吊车额定起重量 Q", "10")]:
    find(form3, "text", name).queryEditableText().setTextContents(value)
press(form3, "push button", "计算")
result = find(form3, "text", "吊车最小轮压 Pmin")
wait_for(lambda: result.queryText().getText(0, -1) == "47.15", "Pmin of 47.15")
print("ok: Pmin = '47.15'")
press(form3, "push button", "退出")
wait_for(lambda: frame("吊车最小轮压计算") is None, "closing of the minimum wheel pressure window")
press(main, "push button", "退出")
print("ok: both windows closed through AT-SPI")
