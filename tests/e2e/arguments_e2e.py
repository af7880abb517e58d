"""The program takes no arguments: started with the toolkit's own options it starts exactly as without them, with
its own caption, its controls where the table puts them (not mirrored), and its own style."""
from gi.repository import Atspi

from e2e_session import Session
from e2e_wait import fail

with Session(arguments=["-qwindowtitle", "XYZ", "-reverse", "-style", "Windows"]) as s:
    main = s.main_window()
    if s.count_windows("XYZ"):
        fail("a window took the caption given on the command line")
    frame = Atspi.Component.get_extents(main.frame, Atspi.CoordType.SCREEN)
    z = Atspi.Component.get_extents(main.control("text", "Z"), Atspi.CoordType.SCREEN)
    # Z sits at the left of the main window's calculation frame; -reverse would mirror it to the right.
    if z.x - frame.x > frame.width // 2:
        fail(f"the field Z lies at {z.x - frame.x} of {frame.width} pixels: the layout was mirrored")
    print("ok: the caption and the layout are the program's own", flush=True)
    main.click(main.control("push button", "退出"))
    s.expect_exit()
