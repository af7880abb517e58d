#!/usr/bin/env bash
# The reference windows in the real program: 折减系数 and 关于本程序 open their windows (one each, however
# often pressed), OK closes the About window, the close box closes the table, and 退出 ends the program.
# Usage: reference_windows_e2e.sh <kelvaro> <wm_delete_window>
source "$(dirname "$0")/x11_session.sh"

wm_delete_window=$2
start_x
start_app "$1"
main=$(window_named "吊车Dmax和Dmin计算")
frame=(120 2760)   # Frame2, which holds both buttons

click_control "$main" "${frame[@]}" 120 240 975 255     # 折减系数
table=$(window_named "折减系数")
click_control "$main" "${frame[@]}" 120 240 975 255     # pressed again: the same window comes forward
expect_eq "windows named 折减系数" "$(count_windows "折减系数")" 1

click_control "$main" "${frame[@]}" 3600 1680 1695 300  # 关于本程序
about=$(window_named "关于Kelvaro")
expect_eq "windows named 关于Kelvaro" "$(count_windows "关于Kelvaro")" 1

click_control "$about" 0 0 3600 2640 975 300            # OK
expect_window_gone "关于Kelvaro"
expect_eq "windows named 折减系数" "$(count_windows "折减系数")" 1
expect_running

close_box "$wm_delete_window" "$table"
expect_window_gone "折减系数"
expect_running

click_control "$main" "${frame[@]}" 4440 2160 855 300   # 退出
wait_app_exit
echo "ok: the program ended with its last window"
