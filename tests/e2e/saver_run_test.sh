#!/usr/bin/env bash
# End-to-end: the screen saver, "chromaflux.scr /s". It shows the plasma at once, never the intro
# page, and ends with exit code 0 when the user comes back: a pointer move (a jiggle of 2 pixels
# does not count), a key, a mouse button, or another program taking the foreground. One run each.
#
#   bash saver_run_test.sh CHROMAFLUX_SCR SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90  # Wine start-up plus the 48 MB of geometry tables
readonly kEndSeconds=10

# The first lit picture is the plasma; the intro page fails the test.
plasma_not_intro() {
  if cf_is_intro "$1"; then
    cf_fail "the screen saver shows the intro page: $1"
  fi
  cf_is_plasma "$1"
}

# The picture moved since the previous one this predicate saw (cf_wait_for deletes the others).
picture_moved() {
  local previous="$cf_shot_dir/previous.png" moved=0
  [[ -f "$previous" ]] && moved=$(cf_changed_pixels "$previous" "$1" 800x600+0+0)
  cp "$1" "$previous"
  ((moved > 0))
}

# A jiggle within the slack first: frames go on being drawn after it and the saver stays.
move_pointer() {
  xdotool mousemove_relative 2 2
  rm -f "$cf_shot_dir/previous.png"
  cf_wait_for 10 after-jiggle picture_moved
  cf_wait_for 10 after-jiggle picture_moved
  cf_require_running
  cf_log "a 2-pixel move left it running: $cf_last_shot"
  xdotool mousemove_relative 40 0
}
press_key() { cf_key x; }
press_button() { xdotool click 3; }
open_other_program() { cf_open_other_program "$cf_shot_dir"; }

for ending in move_pointer press_key press_button open_other_program; do
  xdotool mousemove 400 300
  cf_begin_test "$1" "$2/$ending" /s
  cf_wait_for "$kStartSeconds" plasma plasma_not_intro
  cf_log "$ending: plasma on the screen: $cf_last_shot"
  "$ending"
  cf_expect_exit "$kEndSeconds" 0
  if [[ -n "$cf_other_pid" ]]; then
    cf_close_other_program
  fi
done
cf_log "PASS"
