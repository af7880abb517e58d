#!/usr/bin/env bash
# The real program in a real X server: open both calculators from the main window, compute their worked
# examples, clear and exit them, open both reference windows from the horizontal load window and close them;
# then close the main window and see the program end.
# Usage: calculators_e2e.sh <kelvaro> <wm_delete_window>
source "$(dirname "$0")/x11_session.sh"
wm_delete_window=$2

start_x
start_app "$1"
main=$(window_named "吊车Dmax和Dmin计算")
main_frame=(120 2760)

# Minimum wheel pressure: everything sits in Frame1 at (120, 120) twips.
click_control "$main" 0 0 3480 3720 1935 300   # 吊车最小轮压计算
form3=$(window_named "吊车最小轮压计算")
f=(120 120)
for field in "360 100" "720 20" "1080 10"; do
  set -- $field
  click_control "$form3" "${f[@]}" 1800 "$1" 855 270
  type_text "$2"
done
xdotool key Return                                  # Enter in a field calculates
sleep 0.3
expect_eq "Pmin by Enter" "$(copied_text "$form3" "${f[@]}" 1800 2160 855 270)" 47.15
click_control "$form3" "${f[@]}" 1800 2160 855 270
xdotool key ctrl+a BackSpace                         # empty the result box, then the button fills it again
click_control "$form3" "${f[@]}" 720 2520 855 300   # 计算
expect_eq Pmin "$(copied_text "$form3" "${f[@]}" 1800 2160 855 270)" 47.15
click_control "$form3" "${f[@]}" 1560 2520 735 300  # 清空
expect_eq "N after 清空" "$(copied_text "$form3" "${f[@]}" 1800 1560 855 270)" ""
click_control "$form3" "${f[@]}" 2280 2520 735 300  # 退出
expect_window_gone "吊车最小轮压计算"

# Transverse horizontal loads: Frame2 at (120, 120) twips.
click_control "$main" "${main_frame[@]}" 3360 1320 1935 300   # 吊车横向水平刹车力
form5=$(window_named "吊车横向水平刹车力")
f=(120 120)
for field in "1680 600 3.5" "1800 960 10" "1680 1680 5.5" "1680 2040 4.4"; do
  set -- $field
  click_control "$form5" "${f[@]}" "$1" "$2" 855 270
  type_text "$3"
done
click_control "$form5" "${f[@]}" 3960 2040 855 300  # 计算
expect_eq H "$(copied_result "$form5" "${f[@]}" 5400 1440 855 255)" 15.8922
expect_eq H1 "$(copied_result "$form5" "${f[@]}" 5400 1080 855 255)" 7.747447
click_control "$form5" "${f[@]}" 4800 2040 855 300  # 清空
expect_eq "J after 清空" "$(copied_text "$form5" "${f[@]}" 1680 1320 855 270)" ""
expect_eq "H after 清空" "$(copied_result "$form5" "${f[@]}" 5400 1440 855 255)" 15.8922
click_control "$form5" "${f[@]}" 240 240 975 255    # 系数
note=$(window_named "αH系数")
click_control "$note" 0 0 3240 2040 1095 300          # *明白了*
expect_window_gone "αH系数"
click_control "$form5" "${f[@]}" 3120 240 1215 255   # 折减系数
table=$(window_named "折减系数")
close_box "$wm_delete_window" "$table"
expect_window_gone "折减系数"
click_control "$form5" "${f[@]}" 5640 2040 855 300  # 退出
expect_window_gone "吊车横向水平刹车力"

expect_running
click_control "$main" "${main_frame[@]}" 4440 2160 855 300   # 退出
wait_app_exit
echo "ok: the program ended with its last window"
