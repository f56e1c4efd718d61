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
readonly kMinimisedSeconds=2  # how long the minimised program is watched

# The whole screen black: the desktop with the window gone from it.
desktop_only() { cf_awk_true "$(cf_lit_fraction "$1" "${FRAME_WIDTH}x$FRAME_HEIGHT+0+0") == 0"; }
console_and_moving() { cf_is_console_open "$1" && cf_moving "$1"; }

cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"
cf_click 400 300
cf_wait_for "$cf_effect_seconds" plasma cf_is_plasma
cf_press Tab console-open cf_is_console_open
cf_band_exact "$cf_last_shot" || cf_fail "row $CONSOLE_TOP is not exactly the band colour: $cf_last_shot"
cf_wait_for "$cf_effect_seconds" animating console_and_moving

cf_switch_away "$2"
cf_wait_for "$cf_effect_seconds" minimised desktop_only
sleep "$kMinimisedSeconds"
cf_require_running
cf_log "minimised and still running"

cf_switch_back
cf_wait_for "$cf_effect_seconds" restored console_and_moving
cf_log "restored, drawing again: $cf_last_shot"

cf_key Escape
cf_expect_exit 30 0
cf_log "PASS"
