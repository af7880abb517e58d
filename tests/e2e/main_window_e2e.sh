#!/usr/bin/env bash
# The real program in a real X server: type the worked example, press 计算, read both results, press 退出.
# E2E_LOCALE and E2E_SEPARATOR run it in a locale with its own decimal separator.
source "$(dirname "$0")/x11_session.sh"
sep=${E2E_SEPARATOR:-.}

start_x
start_app "$1"
main=$(window_named "吊车Dmax和Dmin计算")

# Frame2 lies at (120, 2760) twips; the fields inside it are placed relative to it.
frame=(120 2760)
for field in "1080 5.5" "1440 4.4" "1800 100" "2160 30"; do
  set -- $field
  click_control "$main" "${frame[@]}" 1440 "$1" 855 270
  type_text "${2/./$sep}"
done
click_control "$main" "${frame[@]}" 2760 2160 855 300   # 计算

expect_eq Dmax "$(copied_result "$main" "${frame[@]}" 3840 240 855 255)" 195
expect_eq Dmin "$(copied_result "$main" "${frame[@]}" 3840 600 855 255)" "58${sep}5"
expect_eq "Z default" "$(copied_text "$main" "${frame[@]}" 1440 240 855 270)" "0${sep}9"
click_control "$main" "${frame[@]}" 3600 2160 855 300   # 清空
expect_eq "Pmax after 清空" "$(copied_text "$main" "${frame[@]}" 1440 1800 855 270)" ""
expect_eq "Dmax after 清空" "$(copied_result "$main" "${frame[@]}" 3840 240 855 255)" 195
expect_running

click_control "$main" "${frame[@]}" 4440 2160 855 300   # 退出
wait_app_exit
echo "ok: the program ended with its last window"
