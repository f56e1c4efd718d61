# shellcheck shell=bash
# The harness's one way to start a display: a private Xvfb with openbox as its window manager
# (full-screen windows, minimising and restoring, Alt+F4 and Wine's switching away all need one).
# Sourced by scripts/x-session and scripts/wine-session; for Wine, also a display of two monitors.
# shellcheck source=scripts/lib/wait.sh
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

readonly kDisplayStartSeconds=30  # each of Xvfb and openbox; a second or less on a quiet machine

cf_xvfb_pid=""
cf_window_manager_pid=""
cf_xephyr_pid=""
cf_display_file=""

cf_display_log=""  # what Xvfb and openbox said, shown when either fails to start

cf_display_fail() {
  echo "$(basename "$0"): $*" >&2
  sed 's/^/  /' "$cf_display_log" >&2
  exit 1
}

# Xvfb has written its display number, or fails the run when Xvfb has ended.
cf_xvfb_ready() {
  [[ -s "$cf_display_file" ]] && return 0
  kill -0 "$cf_xvfb_pid" 2>/dev/null || cf_display_fail "Xvfb ended without giving a display number"
  return 1
}

# openbox has claimed the root window (_NET_SUPPORTING_WM_CHECK), so the first window is managed;
# or fails the run when openbox has ended.
cf_window_manager_ready() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
  kill -0 "$cf_window_manager_pid" 2>/dev/null || cf_display_fail "openbox ended at start-up"
  return 1
}

# cf_start_display WxHxD [no-window-manager]: starts Xvfb at that size on a free display number,
# exports DISPLAY, starts openbox on it (unless told not to, as a kiosk runs) and returns once
# both are ready. -displayfd lets Xvfb pick the number
# itself, so parallel and nested sessions cannot collide. Call cf_stop_display on every exit.
cf_start_display() {
  cf_display_file=$(mktemp)
  cf_display_log=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$cf_display_file" </dev/null \
    >>"$cf_display_log" 2>&1 &
  cf_xvfb_pid=$!
  cf_wait_until "$kDisplayStartSeconds" "display number from Xvfb" cf_xvfb_ready ||
    cf_display_fail "Xvfb did not start"
  DISPLAY=":$(head -n 1 "$cf_display_file")"
  export DISPLAY
  [[ "${2:-}" != no-window-manager ]] || return 0
  openbox --sm-disable </dev/null >>"$cf_display_log" 2>&1 &
  cf_window_manager_pid=$!
  cf_wait_until "$kDisplayStartSeconds" "window manager on $DISPLAY" cf_window_manager_ready ||
    cf_display_fail "openbox did not start"
}

# The two monitors of cf_start_two_monitors, in the joined root's pixels: the primary at 0,0 and
# a second of another size on its right, its top aligned, so that the root has rows below the
# second that no monitor shows.
readonly cf_primary_monitor=1920x1080+0+0 cf_second_monitor=1280x1024+1920+0
# The Xvfb that holds Xephyr's window: larger than the joined root (3200 x 1080).
readonly kTwoMonitorsHostScreen=3300x1200x24

# Xephyr has written its display number, or fails the run when it has ended.
cf_xephyr_ready() {
  [[ -s "$cf_display_file" ]] && return 0
  kill -0 "$cf_xephyr_pid" 2>/dev/null || cf_display_fail "Xephyr ended without giving a display number"
  return 1
}

# cf_start_two_monitors: a display that Wine sees as two monitors (cf_primary_monitor and
# cf_second_monitor), exported as DISPLAY, without a window manager. Xvfb's own +xinerama stacks
# its screens at 0,0, where Wine sees one monitor; Xephyr's Xinerama screens keep their offsets.
# A window manager there moved a pop-up over the whole virtual screen by the primary's width.
cf_start_two_monitors() {
  cf_display_file=$(mktemp)
  cf_display_log=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$kTwoMonitorsHostScreen" -nolisten tcp -noreset \
    3>"$cf_display_file" </dev/null >>"$cf_display_log" 2>&1 &
  cf_xvfb_pid=$!
  cf_wait_until "$kDisplayStartSeconds" "display number from Xvfb" cf_xvfb_ready ||
    cf_display_fail "Xvfb did not start"
  local host
  host=":$(head -n 1 "$cf_display_file")"
  : >"$cf_display_file"
  DISPLAY=$host Xephyr -displayfd 3 +xinerama -extension RANDR -nolisten tcp -noreset \
    -screen "$cf_primary_monitor" -screen "$cf_second_monitor" \
    3>"$cf_display_file" </dev/null >>"$cf_display_log" 2>&1 &
  cf_xephyr_pid=$!
  cf_wait_until "$kDisplayStartSeconds" "display number from Xephyr" cf_xephyr_ready ||
    cf_display_fail "Xephyr did not start"
  DISPLAY=":$(head -n 1 "$cf_display_file")"
  export DISPLAY
}

# Stops openbox, Xephyr and Xvfb, whichever runs.
cf_stop_display() {
  local pid
  for pid in "$cf_window_manager_pid" "$cf_xephyr_pid" "$cf_xvfb_pid"; do
    [[ -n "$pid" ]] || continue
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  cf_window_manager_pid=""
  cf_xephyr_pid=""
  cf_xvfb_pid=""
  rm -f "$cf_display_file" "$cf_display_log"
}
