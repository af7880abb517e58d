"""The real program in a real X server: type the worked example, press 计算, read both results (one of them
copied through its context menu), press 清空, press 退出. E2E_LOCALE and E2E_SEPARATOR run it in a locale with its
own decimal separator."""
import os

from e2e_accessible import wait_text
from e2e_session import Session
from e2e_wait import wait_until
from e2e_window import clear_clipboard, clipboard

sep = os.environ.get("E2E_SEPARATOR", ".")

with Session(locale=os.environ.get("E2E_LOCALE", "C.UTF-8")) as s:
    main = s.main_window()
    for name, value in [("吊车宽度 B", "5.5"), ("大车轮距 W", "4.4"), ("Pmax", "100"), ("Pmin", "30")]:
        main.type_into(main.control("text", name), value.replace(".", sep))
    main.click(main.control("push button", "计算"))

    dmax = main.control("label", description="Dmax，单位 Kn")
    wait_text(dmax, "195", "Dmax")
    wait_text(main.control("label", description="Dmin，单位 Kn"), f"58{sep}5", "Dmin")
    wait_text(main.control("text", "Z"), f"0{sep}9", "Z default")

    clear_clipboard()
    main.context_menu(dmax, "Down", "Return")  # its first item, 复制
    wait_until(clipboard, "195".__eq__, "Dmax copied through its context menu")
    print("ok: Dmax copied = '195'")

    main.click(main.control("push button", "清空"))
    wait_text(main.control("text", "Pmax"), "", "Pmax after 清空")
    wait_text(dmax, "195", "Dmax after 清空")
    s.expect_running()

    main.click(main.control("push button", "退出"))
    s.expect_exit()
