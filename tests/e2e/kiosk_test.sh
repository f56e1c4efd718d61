#!/usr/bin/env bash
# End-to-end, for the desktop program as a kiosk runs it: alone on a 1920 x 1080 X screen with no
# window manager (xinit, a signage player). Its window covers the screen at 0,0, the intro page
# fills it, and the open console's band spans the whole width at the screen's resolution with the
# plasma lit to the left, right and top edges; F gives the 800 x 600 window in the middle, drawn
# at its own size (the band exactly 0xB5EE51 across its row 520), and F again the whole screen;
# Esc ends the program with exit code 0. Once with each renderer.
#
#   scripts/x-session --screen 1920x1080x24 --no-window-manager \
#     bash kiosk_test.sh CHROMAFLUX_PROGRAM SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kRenderers=(software gl)
readonly kStartSeconds=30
readonly kWholeScreen=1920x1080+0+0
readonly kWindow=800x600+560+240  # the 800 x 600 window in the middle of the screen
readonly kBandRow=$((CONSOLE_TOP * 18 / 10))  # the band's row at the screen's 1.8 frame pixels
readonly kBandColumns=(2 960 1917)
readonly kPlasmaEdges=(4x900+0+0 4x900+1916+0 1920x4+0+0)  # left, right and top, above the band

# The program's window as WxH+X+Y (xwininfo's client area); empty while it has none.
window_geometry() {
  local id
  id=$(xdotool search --name '^Chromaflux$' 2>/dev/null | head -n 1) || true
  [[ -n "$id" ]] || return 0
  xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF }
    END { if (w != "") print w "x" h "+" x "+" y }'
}

window_is() {
  cf_require_running
  [[ "$(window_geometry)" == "$1" ]]
}

# wait_for_window GEOMETRY NAME: the window has GEOMETRY within the start's deadline.
wait_for_window() {
  cf_wait_until "$kStartSeconds" "$2" window_is "$1" ||
    cf_fail "no $2: the window is '$(window_geometry)', not $1"
  cf_log "$2: $1"
}

# The intro page over the whole screen: the white title where the 4:3 box of 1440 x 1080 at x 240
# has it (frame 340 ... 460, 99 ... 111).
is_intro() { [[ "$(cf_hue "$(cf_channel_max "$1" 216x22+852+178)")" == white ]]; }

is_plasma() { cf_awk_true "$(cf_lit_fraction "$1" 1920x900+0+0) >= 0.2"; }

# Drawn at the screen's resolution: the band's colour in its row from edge to edge, and the plasma
# at the screen's edges above it.
is_console_open_whole_screen() {
  local x strip
  for x in "${kBandColumns[@]}"; do
    cf_near "$(cf_rgb "$1" "1x1+$x+$kBandRow")" "181 238 81" 6 || return 1
  done
  for strip in "${kPlasmaEdges[@]}"; do
    cf_awk_true "$(cf_lit_fraction "$1" "$strip") > 0.05" || return 1
  done
}

# Drawn at the window's size, pixel for pixel: the band exactly in the window's row 520, from its
# first column to its last.
is_console_open_in_window() {
  local w x y colour
  IFS='x+' read -r w _ x y <<<"$kWindow"
  while read -r colour; do
    [[ "$colour" == "$(cf_hex_rgb "$CONSOLE_BAND_COLOUR")" ]] || return 1
  done < <(cf_colours "$1" "1x1+$x+$((y + CONSOLE_TOP))" "1x1+$((x + w / 2))+$((y + CONSOLE_TOP))" \
    "1x1+$((x + w - 1))+$((y + CONSOLE_TOP))")
}

# run_kiosk PROGRAM DIR RENDERER: the whole run with one renderer, its pictures in DIR/RENDERER.
run_kiosk() {
  cf_begin_test "$1" "$2/$3" --renderer "$3"
  wait_for_window "$kWholeScreen" "$3: window over the whole screen"
  cf_wait_for "$kStartSeconds" intro is_intro
  cf_click 960 540
  cf_wait_for "$cf_effect_seconds" plasma is_plasma
  cf_press Tab console-open is_console_open_whole_screen

  cf_key f
  wait_for_window "$kWindow" "F: the 800x600 window"
  cf_wait_for "$cf_effect_seconds" console-in-window is_console_open_in_window

  cf_key f
  wait_for_window "$kWholeScreen" "F again: the whole screen"
  cf_wait_for "$cf_effect_seconds" console-open-again is_console_open_whole_screen

  cf_key Escape
  cf_expect_exit 10 0
  if [[ "$3" == gl ]]; then
    grep -q "^chromaflux: GL renderer" "$2/$3/program.log" ||
      cf_fail "not the GL renderer: $(cat "$2/$3/program.log")"
  fi
}

for renderer in "${kRenderers[@]}"; do
  # In a subshell: the program's own clean-up (cf_start's EXIT trap) stays apart from the screen's.
  (run_kiosk "$1" "$2" "$renderer")
done
cf_log "PASS"
