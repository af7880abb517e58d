"""The real program in a real X server: open both calculators from the main window, compute their worked
examples (by Enter and by 计算), clear and exit them, open both reference windows from the horizontal load window
and close them (by *明白了* and by the close box); then close the main window and see the program end."""
from e2e_accessible import wait_text
from e2e_session import Session

with Session() as s:
    main = s.main_window()

    # Minimum wheel pressure.
    main.click(main.control("push button", "吊车最小轮压计算"))
    form3 = s.window("吊车最小轮压计算")
    for name, value in [("吊车最大轮压 Pmax", "100"), ("吊车总重量 G", "20"), ("吊车额定起重量 Q", "10")]:
        form3.type_into(form3.control("text", name), value)
    form3.keys(form3.control("text", "吊车额定起重量 Q"), "Return")  # Enter in a field calculates
    pmin = form3.control("text", "吊车最小轮压 Pmin")
    wait_text(pmin, "47.15", "Pmin by Enter")
    form3.keys(pmin, "ctrl+a", "BackSpace")  # empty the result box, then the button fills it again
    wait_text(pmin, "", "Pmin emptied by hand")
    form3.click(form3.control("push button", "计算"))
    wait_text(pmin, "47.15", "Pmin")
    form3.click(form3.control("push button", "清空"))
    wait_text(form3.control("text", "每端轮数 N"), "", "N after 清空")
    form3.click(form3.control("push button", "退出"))
    s.expect_window_gone("吊车最小轮压计算")

    # Transverse horizontal loads.
    main.click(main.control("push button", "吊车横向水平刹车力"))
    form5 = s.window("吊车横向水平刹车力")
    for name, value in [("小车重 G1", "3.5"), ("吊车额定起重量 Q", "10"), ("吊车宽度 B", "5.5"),
                        ("大车轮距 W", "4.4")]:
        form5.type_into(form5.control("text", name), value)
    form5.click(form5.control("push button", "计算"))
    h = form5.control("label", description="H，单位 Kn")
    wait_text(h, "15.8922", "H")
    wait_text(form5.control("label", description="H1，单位 Kn"), "7.747447", "H1")
    form5.click(form5.control("push button", "清空"))
    wait_text(form5.control("text", "柱距 J"), "", "J after 清空")
    wait_text(h, "15.8922", "H after 清空")

    form5.click(form5.control("push button", "系数"))
    note = s.window("αH系数")
    note.click(note.control("push button", "*明白了*"))
    s.expect_window_gone("αH系数")
    form5.click(form5.control("push button", "折减系数"))
    s.window("折减系数").close_box()
    s.expect_window_gone("折减系数")
    form5.click(form5.control("push button", "退出"))
    s.expect_window_gone("吊车横向水平刹车力")

    s.expect_running()
    main.click(main.control("push button", "退出"))
    s.expect_exit()
