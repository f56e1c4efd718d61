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
readonly kAwaySeconds=2        # how long the skipped frames are watched
readonly kMinBusyTicks=10      # 0.1 s of processor time in those 2 s: the loop still spins
readonly kMaxChangedAway=200   # pixels; notepad's blinking caret changes a few
readonly kMinChangedBack=5000  # pixels of rows 0..519 that move between two drawn frames

# Row 520, the top row of the open console, is the band colour in every column.
band_exact_at_520() {
  local x
  for x in 0 10 400 790 799; do
    [[ "$(cf_rgb "$1" "1x1+$x+520")" == "181 238 81" ]] || return 1
  done
}

# The picture above the console moved since the previous picture this predicate saw (kept as a
# copy: cf_wait_for deletes the pictures that do not match).
drawing_again() {
  local previous="$cf_shot_dir/previous.png" moved=0
  if [[ -f "$previous" ]]; then
    moved=$(cf_changed_pixels "$previous" "$1" 800x520+0+0)
  fi
  cp "$1" "$previous"
  band_exact_at_520 "$1" && ((moved >= kMinChangedBack))
}

cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"
cf_click 400 300
cf_key Tab
cf_wait_for 10 console-open cf_is_console_open
cf_log "the console is open: $cf_last_shot"
process=$(cf_program_process)
[[ -n "$process" ]] || cf_fail "no process runs $cf_program_exe"

cf_open_other_program "$2"
cf_log "notepad has the foreground"
sleep 1
cf_shot away
away=$cf_last_shot
ticks=$(cf_cpu_ticks "$process")
sleep "$kAwaySeconds"
cf_require_running
busy=$(($(cf_cpu_ticks "$process") - ticks))
cf_shot still-away
changed=$(cf_changed_pixels "$away" "$cf_last_shot" 800x600+0+0)
((changed <= kMaxChangedAway)) || cf_fail "the screen changed by $changed pixels while away"
((busy >= kMinBusyTicks)) || cf_fail "only $busy ticks of processor time in ${kAwaySeconds} s away"
cf_log "away: alive, $busy ticks in ${kAwaySeconds} s, $changed pixels changed"

cf_close_other_program
cf_log "notepad closed"
cf_activate_program
cf_wait_for 10 drawing-again drawing_again
cf_log "drawing again, band exact in row 520: $cf_last_shot"

cf_key Escape
cf_expect_exit 10 0
cf_log "PASS"
