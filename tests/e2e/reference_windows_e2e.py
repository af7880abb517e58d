"""The reference windows in the real program: 折减系数 and 关于本程序 open their windows (one each, however
often pressed), OK closes the About window, the close box closes the table, and 退出 ends the program."""
from e2e_session import Session
from e2e_wait import expect

with Session() as s:
    main = s.main_window()
    table_button = main.control("push button", "折减系数")
    about_button = main.control("push button", "关于本程序")

    main.click(table_button)
    table = s.window("折减系数")
    main.click(table_button)  # pressed again: the same window comes forward
    main.click(about_button)
    about = s.window("关于Kelvaro")
    main.click(about_button)
    # OK is pressed after both second presses were handled: once the About window it closes is gone, a second
    # window of either kind would be on the screen already.
    about.click(about.control("push button", "OK"))
    s.expect_window_gone("关于Kelvaro")
    expect("windows named 折减系数", s.count_windows("折减系数"), 1)
    s.expect_running()

    table.close_box()
    s.expect_window_gone("折减系数")
    s.expect_running()

    main.click(main.control("push button", "退出"))
    s.expect_exit()
