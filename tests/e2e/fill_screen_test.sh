#!/usr/bin/env bash
# End-to-end, for the desktop program on a 1920 x 1080 screen: the intro page fills the largest
# 4:3 box, 1440 x 1080 at x 240; the plasma then fills the whole screen at its resolution, with no
# black beside it, and the open console's band spans the whole width; H gives the classic frame
# magnified in its box, black beside it, and H again the whole screen; the picture moves; F gives
# the 800 x 600 window (pixel for pixel) and F again full screen; Esc ends the program with exit
# code 0. With --renderer gl, all of that drawn by the GL renderer, which the program names.
#
#   scripts/x-session --screen 1920x1080x24 bash fill_screen_test.sh CHROMAFLUX_PROGRAM SCREENSHOT_DIR [ARGS...]
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=30
# The box: frame pixel (x, y) covers screen columns 240 + 1.8 x ... and rows 1.8 y ...
readonly kBox=1440x1080+240+0
readonly kPlasmaRows=1440x900+240+0  # frame rows 0 ... 499
readonly kBandRow=$((CONSOLE_TOP * 18 / 10))  # the band's top row, 936, fills that screen row alone
readonly kBandColumns=(258 960 1662)  # frame columns 10, 400 and 790
readonly kWideBandColumns=(2 120 960 1800 1917)  # the band beyond the box too, at full resolution
readonly kScreenRows=1920x900+0+0  # the plasma above the open console's glow, edge to edge

[[ "$(xdpyinfo | awk '/dimensions:/ { print $2 }')" == 1920x1080 ]] ||
  cf_fail "run on a 1920x1080 screen: scripts/x-session --screen 1920x1080x24 ..."

# The bounding box of the lit pixels, as WxH+X+Y.
lit_box() {
  convert "$1" -separate -evaluate-sequence max -threshold 12.5% -format '%@' info:
}

# The lit picture is the box, give or take 2 pixels: black beside it, its columns reaching both
# sides (the open console's panel does, whatever the plasma shows) and its rows the bottom. The
# band's row and the intro's title pin the rows' scale.
fills_box() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$(lit_box "$1")"
  ((w >= 1436 && w <= 1444 && x >= 238 && x <= 242 && y + h >= 1078))
}

# The intro page, scaled: the white title at frame (340 ... 460, 99 ... 111), the rest mostly dark.
is_intro() {
  [[ "$(cf_hue "$(cf_channel_max "$1" 216x22+852+178)")" == white ]] &&
    cf_awk_true "$(cf_lit_fraction "$1" "$kBox") < 0.05"
}

is_plasma() { cf_awk_true "$(cf_lit_fraction "$1" "$kPlasmaRows") >= 0.2"; }

# The classic frame magnified: the band's colour across the box, black beside it.
is_console_open_in_box() {
  local x
  for x in "${kBandColumns[@]}"; do
    cf_near "$(cf_rgb "$1" "1x1+$x+$kBandRow")" "181 238 81" 6 || return 1
  done
  fills_box "$1"
}

# At the screen's resolution: the band's colour in its row from edge to edge, and plasma in the
# screen's outermost columns above it, where the classic box leaves black.
is_console_open_whole_screen() {
  local x strip
  for x in "${kWideBandColumns[@]}"; do
    cf_near "$(cf_rgb "$1" "1x1+$x+$kBandRow")" "181 238 81" 6 || return 1
  done
  for strip in 4x900+0+0 4x900+1916+0; do
    cf_awk_true "$(cf_lit_fraction "$1" "$strip") > 0.05" || return 1
  done
}

# The 800 x 600 window: its client area (xwininfo) that size, and the band exactly 0xB5EE51 in
# its row 520, so the frame shows there pixel for pixel.
is_window() {
  local x y size
  read -r x y size < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF }
    END { print x, y, w "x" h }')
  [[ $size == "${FRAME_WIDTH}x$FRAME_HEIGHT" ]] || return 1
  for x in $x $((x + 400)) $((x + 799)); do
    [[ "$(cf_rgb "$1" "1x1+$x+$((y + CONSOLE_TOP))")" == "$(cf_hex_rgb "$CONSOLE_BAND_COLOUR")" ]] || return 1
  done
}

# A later picture differs from FIRST in many pixels of the box (within 10 s: a model's fade to
# black may hold it still for a moment).
first_picture=""
differs_from_first() {
  cf_awk_true "$(cf_changed_pixels "$first_picture" "$1" "$kScreenRows") > 20000"
}
animates() {
  first_picture=$1
  cf_try_wait_for 10 later differs_from_first
}

cf_begin_test "$@"
cf_wait_for "$kStartSeconds" intro is_intro
cf_click 960 540
cf_wait_for 20 plasma is_plasma
cf_key Tab
cf_wait_for 20 console-open is_console_open_whole_screen
cf_log "full screen: lit box $(lit_box "$cf_last_shot"), band $(cf_rgb "$cf_last_shot" "1x1+100+$kBandRow")"
animates "$cf_last_shot" || cf_fail "the plasma does not animate"

cf_key h
cf_wait_for 20 classic-box is_console_open_in_box
cf_log "H: the classic frame in its box, lit box $(lit_box "$cf_last_shot")"
cf_key h
cf_wait_for 20 whole-screen-again is_console_open_whole_screen
cf_log "H again: the whole screen"

window=$(xdotool search --name '^Chromaflux$' | head -n 1)
cf_key f
cf_wait_for 20 window is_window
cf_log "F: an 800x600 window, the frame pixel for pixel"

cf_key f
cf_wait_for 20 full-screen-again is_console_open_whole_screen
animates "$cf_last_shot" || cf_fail "the plasma does not animate after F, F"
cf_log "F again: full screen"

cf_key Escape
cf_expect_exit 10 0
if [[ " ${*:3} " == *" --renderer gl "* ]]; then
  grep -q "^chromaflux: GL renderer" "$2/program.log" || cf_fail "not the GL renderer: $(cat "$2/program.log")"
fi
cf_log "PASS"
