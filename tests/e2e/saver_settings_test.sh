#!/usr/bin/env bash
# End-to-end: the screen saver's settings. "/c" and no argument show the settings dialog; OK
# stores what it shows under HKCU\Software\Chromaflux (read back with Wine's reg), who draws
# among them, a new "/c"
# shows what was stored, Cancel stores nothing, a period out of range is refused with a message,
# and a damaged stored value reads as its default. "/s" follows the stored period: with 5 s, the
# first fade to black before the next model comes long before the default 20 s. "/a", an unknown
# switch and a preview of a handle that names no window end at once with exit code 0.
#
#   bash saver_settings_test.sh CHROMAFLUX_SCR SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=60  # Wine start-up
readonly kDialogTitle='^Chromaflux settings$'
readonly kMessageTitle='^Chromaflux$'
readonly kKey='HKCU\Software\Chromaflux'
# Model 0's check box, then the other 13, then the classic frame's, then the list of who draws:
# Tab steps through them.
readonly kTabsFromModel0ToClassic=14

# The four values as "Period Models Classic Renderer", "-" for a missing one: Period 0x14 is 20 s.
stored() {
  local value
  value=$(cf_wine reg query "$kKey" 2>/dev/null | tr -d '\r') || true
  for name in Period Models Classic Renderer; do
    awk -v name="$name" '$1 == name { print $3; found = 1 } END { if (!found) print "-" }' \
      <<<"$value"
  done | paste -sd ' '
}
set_value() { cf_wine reg add "$kKey" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }

# Sets `window` to the first window whose name matches $1; the program must still run.
find_window() {
  cf_require_running
  window=$(xdotool search --name "$1" 2>/dev/null | head -n 1) && [[ -n "$window" ]]
}

# open_dialog NAME [ARG...]: starts the program and waits for its dialog, which takes the keys.
open_dialog() {
  local name=$1
  shift
  cf_begin_test "$cf_exe" "$cf_dir/$name" "$@"
  cf_wait_until "$kStartSeconds" "settings dialog" find_window "$kDialogTitle" ||
    cf_fail "$name: no dialog within $kStartSeconds s"
  xdotool windowactivate --sync "$window" 2>/dev/null
  cf_shot dialog
}

# Accepts the dialog with Return and expects the program's end. A Return that came before the
# dialog took keys (Wine shows it a moment before, on a busy machine) is pressed again.
accept_dialog() {
  local attempt
  for attempt in 1 2; do
    cf_key Return
    cf_wait_until 10 "end of the program" cf_ended && break
    cf_log "no end $attempt time(s) after Return: pressing it again"
  done
  cf_expect_exit 10 0
}

# expect_stored WHAT VALUES
expect_stored() {
  local now
  now=$(stored)
  [[ "$now" == "$2" ]] || cf_fail "$1: stored '$now', expected '$2'"
  cf_log "$1: stored '$now'"
}

# Replaces the period in the dialog's edit box (which has the focus) with $1.
type_period() { cf_key End BackSpace BackSpace BackSpace "${@}"; }

cf_exe=$1 cf_dir=$2
cf_wine reg delete "$kKey" /f >/dev/null 2>&1 || true
expect_stored "nothing yet" "- - - -"

# The dialog shows the defaults, and OK (Enter) stores them.
for form in /c none; do
  if [[ $form == none ]]; then open_dialog no-argument; else open_dialog c "$form"; fi
  cf_log "$form: the dialog shows: $cf_last_shot"
  accept_dialog
  expect_stored "$form, OK" "0x14 0-13 0x0 auto"
done

# A period of 5 s (6 typed, then the up-down's Down), model 0 left out, the classic frame and the
# GL renderer (the list's next entry after Automatic): stored by OK, shown by the next /c.
open_dialog changed /c
type_period 6 Down Tab space
for ((i = 0; i < kTabsFromModel0ToClassic; i++)); do cf_key Tab; done
cf_key space Tab Down Return
cf_expect_exit 10 0
expect_stored "changed, OK" "0x5 1-13 0x1 gl"
open_dialog reopened /c
accept_dialog
expect_stored "reopened, OK" "0x5 1-13 0x1 gl"

# Cancel (Escape) stores nothing.
open_dialog cancelled /c
type_period 7 Tab space Escape
cf_expect_exit 10 0
expect_stored "cancelled" "0x5 1-13 0x1 gl"

# A period out of range: OK shows a message over the dialog and stores nothing.
open_dialog refused /c
type_period 3 Return
cf_wait_until 20 "message" find_window "$kMessageTitle" || cf_fail "no message for a period of 3"
cf_shot message
xdotool windowactivate --sync "$window" key Return 2>/dev/null
cf_wait_until 20 "dialog" find_window "$kDialogTitle" || cf_fail "the dialog went with the message"
xdotool windowactivate --sync "$window" key Escape 2>/dev/null
cf_expect_exit 10 0
expect_stored "refused" "0x5 1-13 0x1 gl"

# A damaged value (the only one stored) reads as its default, which the dialog shows and OK
# stores.
for damage in "Period REG_SZ 5" "Period REG_DWORD 9999" "Renderer REG_SZ fast"; do
  read -r name type data <<<"$damage"
  cf_wine reg delete "$kKey" /f >/dev/null 2>&1
  set_value "$name" "$type" "$data"
  open_dialog "damaged-$name-$data" /c
  accept_dialog
  expect_stored "$damage, OK" "0x14 0-13 0x0 auto"
done

# /s with a period of 5 s: from its start to a nearly black picture after the plasma (the fade
# before the next model) takes less than 15 s, where the default period would take 19.4 s at
# least. An attempt that shows no black picture in time (a machine too busy for Wine to start
# at once, or pictures too slow to catch the fade) is tried again.
read -r width height < <(xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2 }')
readonly kScreen="${width}x$height+0+0" kAttempts=3 kBeforeDefaultMs=15000
is_lit() { cf_awk_true "$(cf_lit_fraction "$1" "$kScreen") >= 0.2"; }
is_black() { cf_awk_true "$(cf_lit_fraction "$1" "$kScreen") <= 0.02"; }
set_value Period REG_DWORD 5
for ((attempt = 1; ; attempt++)); do
  ((attempt <= kAttempts)) || cf_fail "no black picture within $kBeforeDefaultMs ms of the start in $kAttempts attempts"
  start_ms=$(cf_now_ms)
  cf_begin_test "$cf_exe" "$cf_dir/period-$attempt" /s
  cf_wait_for 90 plasma is_lit
  left_s=$(((start_ms + kBeforeDefaultMs - cf_last_shot_ms + 999) / 1000))
  if ((left_s > 0)) && cf_try_wait_for "$left_s" black is_black &&
    ((cf_last_shot_ms - start_ms < kBeforeDefaultMs)); then
    break
  fi
  cf_log "attempt $attempt: no black picture within $kBeforeDefaultMs ms of the start"
  cf_key x
  cf_expect_exit 10 0
done
cf_log "a model's fade to black $((cf_last_shot_ms - start_ms)) ms after the start: $cf_last_shot"
cf_key x
cf_expect_exit 10 0
cf_wine reg delete "$kKey" /f >/dev/null 2>&1 || true

for form in /a "/a 1234" /x "/p 0"; do
  # shellcheck disable=SC2086  # the form's words are separate arguments
  cf_begin_test "$cf_exe" "$cf_dir/at-once" $form
  cf_expect_exit "$kStartSeconds" 0
  cf_log "$form ended with exit code 0"
done
cf_log "PASS"
