#!/usr/bin/env bash
# End-to-end: switching to another program and back. With the console open, Wine's notepad takes
# the foreground: Chromaflux stays alive, spinning through skipped frames without drawing. Once
# notepad is closed and Chromaflux's window activated again, it restores its surfaces and draws
# again: the picture moves and console row 520 is the band colour 0xB5EE51 exactly. Esc then ends
# it with exit code 0. Needs a window manager (scripts/wine-session runs openbox): without one the
# minimised window cannot be activated again.
#
#   bash switch_away_test.sh CHROMAFLUX_EXE SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90      # Wine start-up plus the 48 MB of geometry tables
readonly kAwaySeconds=2        # how long the skipped frames are watched, at least
readonly kMinBusyTicks=10      # 0.1 s of processor time used away: the loop still spins
readonly kBusySeconds=60       # a busy machine may give it no more than that in this time
readonly kMaxChangedAway=200   # pixels; notepad's blinking caret changes a few (as cf_still)

drawing_again() { cf_band_exact "$1" && cf_moving "$1"; }
spun() { (($(cf_cpu_ticks "$process") - ticks >= kMinBusyTicks)); }

cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"
cf_click 400 300
cf_wait_for "$cf_effect_seconds" plasma cf_is_plasma
cf_press Tab console-open cf_is_console_open
cf_log "the console is open: $cf_last_shot"
process=$(cf_program_process)
[[ -n "$process" ]] || cf_fail "no process runs $cf_program_exe"

cf_switch_away "$2"
cf_wait_for "$cf_effect_seconds" away cf_still
away=$cf_last_shot
cf_log "notepad has the foreground: $away"
ticks=$(cf_cpu_ticks "$process")
began=$(cf_now_ms)
sleep "$kAwaySeconds"
cf_wait_until "$kBusySeconds" "processor time used away" spun ||
  cf_fail "the program's loop stopped away: $(($(cf_cpu_ticks "$process") - ticks)) ticks of processor time"
cf_require_running
busy=$(($(cf_cpu_ticks "$process") - ticks))
cf_shot still-away
changed=$(cf_changed_pixels "$away" "$cf_last_shot" "${FRAME_WIDTH}x$FRAME_HEIGHT+0+0")
((changed <= kMaxChangedAway)) || cf_fail "the screen changed by $changed pixels while away"
cf_log "away: alive, $busy ticks in $(($(cf_now_ms) - began)) ms, $changed pixels changed"

cf_switch_back
cf_log "notepad closed, the program's window activated"
cf_wait_for "$cf_effect_seconds" drawing-again drawing_again
cf_log "drawing again, band exact in row $CONSOLE_TOP: $cf_last_shot"

cf_key Escape
cf_expect_exit 30 0
cf_log "PASS"
