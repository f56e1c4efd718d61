#!/usr/bin/env bash
# End-to-end, for the desktop program under a window manager: the console band is exactly
# 0xB5EE51; minimising the window stops the drawing without ending the program, and restoring it
# resumes the animation; Esc ends the program with exit code 0.
#
#   bash desktop_window_test.sh CHROMAFLUX_PROGRAM SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=30

# The whole screen black: the desktop with the window gone from it.
desktop_only() { cf_awk_true "$(cf_lit_fraction "$1" 800x600+0+0) == 0"; }

# Two pictures half a second apart differ in many pixels.
animates() {
  local first=$1 second
  sleep 0.5
  cf_shot later
  second=$cf_last_shot
  cf_awk_true "$(compare -metric AE "$first" "$second" null: 2>&1 || true) > 10000"
}

cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"
cf_click 400 300
cf_wait_for 10 plasma cf_is_plasma
cf_key Tab
cf_wait_for 5 console-open cf_is_console_open
for x in 0 400 799; do
  band=$(cf_rgb "$cf_last_shot" "1x1+$x+520")
  [[ "$band" == "181 238 81" ]] || cf_fail "row 520 at x $x is $band, not exactly 0xB5EE51"
done
animates "$cf_last_shot" || cf_fail "the plasma does not animate"

window=$(xdotool search --name '^Chromaflux$' | head -n 1)
xdotool windowminimize "$window"
cf_wait_for 5 minimised desktop_only
sleep 2
cf_require_running
cf_log "minimised and still running"

xdotool windowactivate "$window" 2>/dev/null || xdotool windowmap "$window"
cf_wait_for 5 restored cf_is_console_open
animates "$cf_last_shot" || cf_fail "the plasma does not animate after the restore"
cf_log "restored, drawing again: $cf_last_shot"

cf_key Escape
cf_expect_exit 10 0
cf_log "PASS"
