#!/usr/bin/env bash
# End-to-end, for the desktop program on another program's window (--window-id): it draws the
# plasma into that window at once and nowhere else, and follows it when it is widened (the plasma
# out to the new columns at the window's resolution); SIGTERM ends it with exit code 0, and so does the window's end. A window id that names no window, given or in XSCREENSAVER_WINDOW, ends it at
# once with exit code 1 and one line on standard error; a usage error with exit code 2; --help
# and --version exit with 0.
#
#   bash window_id_test.sh CHROMAFLUX_PROGRAM SCREENSHOT_DIR TEST_WINDOW_PROGRAM
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

chromaflux=$1 shots=$2 test_window=$3
readonly kFirstFrameSeconds=20  # at once on a quiet machine (about 0.3 s); a busy one may lag
readonly kEndSeconds=10         # well within a second on a quiet machine

window_pid=""
window_id=""

# Starts a 640 x 480 window at (80, 60), 4:3 like the frame, so that it fills the window at any
# scale; the rest of the screen stays the window manager's black desktop.
open_test_window() {
  "$test_window" 640 480 80 60 >"$shots/window-id" &
  window_pid=$!
  cf_wait_until 30 "test window" test -s "$shots/window-id" || cf_fail "the test window did not show"
  window_id=$(<"$shots/window-id")
}

close_test_window() {
  [[ -n "$window_pid" ]] || return 0
  kill -TERM "$window_pid" 2>/dev/null || true
  wait "$window_pid" 2>/dev/null || true
  window_pid=""
}

# On every exit, a failed one too: neither the program nor the window stays on the display.
cleanup() {
  cf_cleanup
  close_test_window
}

# The plasma inside the window, and black above and below it.
plasma_in_window() {
  cf_awk_true "$(cf_lit_fraction "$1" 640x480+80+60) >= 0.2" &&
    cf_awk_true "$(cf_lit_fraction "$1" "${FRAME_WIDTH}x60+0+0") == 0" &&
    cf_awk_true "$(cf_lit_fraction "$1" "${FRAME_WIDTH}x60+0+$((FRAME_HEIGHT - 60))") == 0"
}

# The window widened to 720 x 480: the plasma in all of it, the 40 columns left and right of its
# middle 4:3 box too.
plasma_in_wide_window() {
  cf_awk_true "$(cf_lit_fraction "$1" 640x480+120+60) >= 0.2" &&
    cf_awk_true "$(cf_lit_fraction "$1" 40x480+80+60) > 0.05" &&
    cf_awk_true "$(cf_lit_fraction "$1" 40x480+760+60) > 0.05"
}

# run_drawing PHASE: starts the program on the window and waits for the plasma in it.
run_drawing() {
  local started
  started=$(cf_now_ms)
  cf_begin_test "$chromaflux" "$shots/$1" --window-id "$window_id"
  trap cleanup EXIT  # cf_begin_test's own trap knows only the program
  cf_wait_for "$kFirstFrameSeconds" plasma plasma_in_window
  cf_log "plasma in window $window_id $(($(cf_now_ms) - started)) ms after the start"
}

# expect_end CODE WHAT: the program ends with CODE within kEndSeconds; logs how long it took.
expect_end() {
  local asked
  asked=$(cf_now_ms)
  cf_expect_exit "$kEndSeconds" "$1"
  cf_log "$2: ended $(($(cf_now_ms) - asked)) ms later"
}

# expect_answer CODE STREAM PATTERN ARG...: the program ends with CODE at once, and the first
# line of its standard output or error (STREAM out or err) matches PATTERN.
expect_answer() {
  local code=$1 stream=$2 pattern=$3 rc=0
  shift 3
  timeout 20 "$chromaflux" "$@" >"$shots/out" 2>"$shots/err" || rc=$?
  local text
  text=$(head -n 1 "$shots/$stream")
  [[ $rc == "$code" ]] || cf_fail "'$*' ended with $rc, expected $code ($text)"
  [[ "$text" =~ $pattern ]] || cf_fail "'$*' said '$text', expected /$pattern/"
  cf_log "'$*': exit code $rc, '$text'"
}

rm -rf "$shots"
mkdir -p "$shots"
trap cleanup EXIT
open_test_window
run_drawing sigterm
kill -TERM "$cf_program_pid"
expect_end 0 SIGTERM

run_drawing window-end
xdotool windowsize "$window_id" 720 480
cf_wait_for "$kFirstFrameSeconds" widened plasma_in_wide_window
close_test_window
expect_end 0 "the window's end"

# The window is gone now: its id names no window.
expect_answer 1 err "^chromaflux: no window $window_id " --window-id "$window_id"
(
  export XSCREENSAVER_WINDOW=0x
  expect_answer 1 err "^chromaflux: XSCREENSAVER_WINDOW '0x' is not a window id" --root
)
expect_answer 2 err "^chromaflux: 'nowindow' is not a window id" --window-id nowindow
expect_answer 2 err "^chromaflux: unknown option '--rot'" --rot
expect_answer 0 out "^usage: chromaflux " --help
expect_answer 0 out "^chromaflux [0-9]+\.[0-9]+\.[0-9]+$" --version
cf_log "PASS"
