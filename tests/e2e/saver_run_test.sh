#!/usr/bin/env bash
# End-to-end: the screen saver, "chromaflux.scr /s". It shows the plasma at once, never the intro
# page, over the whole screen at any size (no black bars beside a 4:3 box), and ends with exit
# code 0 when the user comes back: a pointer move (a jiggle of 2 pixels does not count), a key, a
# mouse button, or another program taking the foreground. One run each.
#
#   bash saver_run_test.sh CHROMAFLUX_SCR SCREENSHOT_DIR
#
# On the 800 x 600 screen of scripts/wine-session, or on a larger one: Wine's desktop takes the
# size of the display its prefix was booted on, so there in a Wine session of its own, as
#   scripts/x-session --screen 1920x1080x24 env WINEPREFIX=PREFIX \
#     scripts/wine-session --keep-display bash saver_run_test.sh CHROMAFLUX_SCR SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90  # Wine start-up plus the 48 MB of geometry tables
readonly kEndSeconds=10

read -r width height < <(xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2 }')
# The eighths of the screen at its edges: the left and right ones are where a 4:3 box on a
# 1920 x 1080 screen leaves black.
readonly kLeft="$((width / 8))x$height+0+0" kRight="$((width / 8))x$height+$((width - width / 8))+0"
readonly kTop="${width}x$((height / 8))+0+0" kBottom="${width}x$((height / 8))+0+$((height - height / 8))"

# The first lit picture is the plasma, lit in a fifth of each edge at least, as the plasma is and
# a black bar is not; the intro page fails the test.
plasma_fills_screen() {
  local edge
  if cf_is_intro "$1"; then
    cf_fail "the screen saver shows the intro page: $1"
  fi
  for edge in "$kLeft" "$kRight" "$kTop" "$kBottom"; do
    cf_awk_true "$(cf_lit_fraction "$1" "$edge") >= 0.2" || return 1
  done
}

# The picture moved at both sides since the previous one this predicate saw (cf_wait_for deletes
# the others).
picture_moved() {
  local previous="$cf_shot_dir/previous.png" left=0 right=0
  if [[ -f "$previous" ]]; then
    left=$(cf_changed_pixels "$previous" "$1" "$kLeft")
    right=$(cf_changed_pixels "$previous" "$1" "$kRight")
  fi
  cp "$1" "$previous"
  ((left > 0 && right > 0))
}

# A jiggle within the slack first: frames go on being drawn after it and the saver stays.
move_pointer() {
  xdotool mousemove_relative 2 2
  rm -f "$cf_shot_dir/previous.png"
  cf_wait_for 30 after-jiggle picture_moved
  cf_wait_for 30 after-jiggle picture_moved
  cf_require_running
  cf_log "a 2-pixel move left it running: $cf_last_shot"
  xdotool mousemove_relative 40 0
}
press_key() { cf_key x; }
press_button() { xdotool click 3; }
open_other_program() { cf_open_other_program "$cf_shot_dir"; }

for ending in move_pointer press_key press_button open_other_program; do
  xdotool mousemove $((width / 2)) $((height / 2))
  cf_begin_test "$1" "$2/$ending" /s
  cf_wait_for "$kStartSeconds" plasma plasma_fills_screen
  cf_log "$ending: plasma on the screen: $cf_last_shot"
  "$ending"
  cf_expect_exit "$kEndSeconds" 0
  if [[ -n "$cf_other_pid" ]]; then
    cf_close_other_program
  fi
done
cf_log "PASS"
