"""The real program as a screen reader sees it and drives it through AT-SPI alone: named fields, pictures as images,
text set and buttons pressed by their accessible actions, results read back."""
import warnings

from e2e_accessible import Atspi, has_state, wait_text
from e2e_session import Session
from e2e_wait import expect, fail, wait_until

# Its successor, atspi_action_get_name, is out of reach through introspection: Accessible.get_name shadows it.
warnings.filterwarnings("ignore", "Atspi.Action.get_action_name is deprecated", DeprecationWarning)


def press(window, name):
    button = window.control("push button", name)
    actions = [Atspi.Action.get_action_name(button, i) for i in range(Atspi.Action.get_n_actions(button))]
    if "Press" not in actions:
        fail(f'"{name}" cannot be pressed: {actions}')
    Atspi.Action.do_action(button, actions.index("Press"))


def set_text(window, name, value):
    Atspi.EditableText.set_text_contents(window.control("text", name), value)


with Session() as s:
    main = s.main_window()
    expect("named input fields", sorted(f.get_name() for f in main.controls("text")),
           sorted(["Z", "柱距 J", "吊车宽度 B", "大车轮距 W", "Pmax", "Pmin"]))
    picture = main.control("image", "吊车轮压位置及吊车梁支承反力影响线")
    # The focus is given when the window becomes active, which is after it is mapped.
    wait_until(lambda: has_state(picture, Atspi.StateType.FOCUSED), bool, "the focus on the picture at opening")
    print("ok: the picture has the focus at opening")

    for name, value in [("吊车宽度 B", "5.5"), ("大车轮距 W", "4.4"), ("Pmax", "100"), ("Pmin", "30")]:
        set_text(main, name, value)
    press(main, "计算")
    wait_text(main.control("label", description="Dmax，单位 Kn"), "195", "Dmax read back")
    wait_text(main.control("label", description="Dmin，单位 Kn"), "58.5", "Dmin read back")
    expect("the label named 195", main.control("label", "195").get_description(), "Dmax，单位 Kn")

    press(main, "吊车最小轮压计算")
    form3 = s.window("吊车最小轮压计算")
    for name, value in [("吊车最大轮压 Pmax", "100"), ("吊车总重量 G", "20"), ("吊车额定起重量 Q", "10")]:
        set_text(form3, name, value)
    press(form3, "计算")
    wait_text(form3.control("text", "吊车最小轮压 Pmin"), "47.15", "Pmin")
    press(form3, "退出")
    s.expect_window_gone("吊车最小轮压计算")
    press(main, "退出")
    s.expect_exit()
    print("ok: both windows closed through AT-SPI")
