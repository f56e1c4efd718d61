#!/usr/bin/env bash
# End-to-end: the screen saver's settings. "/c" and no argument show a box saying there are none,
# and Enter ends it with exit code 0. "/a", an unknown switch and a preview of a handle that names
# no window end at once with exit code 0.
#
#   bash saver_settings_test.sh CHROMAFLUX_SCR SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=60  # Wine start-up
readonly kBoxTitle='^Chromaflux$'

# Sets `box` to the settings box's window; the program must still run.
find_box() {
  cf_require_running
  box=$(xdotool search --name "$kBoxTitle" 2>/dev/null | head -n 1) && [[ -n "$box" ]]
}

for form in /c none; do
  if [[ $form == none ]]; then
    cf_begin_test "$1" "$2/no-argument"
  else
    cf_begin_test "$1" "$2/c" "$form"
  fi
  cf_wait_until "$kStartSeconds" "settings box" find_box || cf_fail "$form: no box within $kStartSeconds s"
  cf_shot box
  cf_log "$form: the box shows: $cf_last_shot"
  xdotool windowactivate --sync "$box" key Return 2>/dev/null
  cf_expect_exit 10 0
done

for form in /a "/a 1234" /x "/p 0"; do
  # shellcheck disable=SC2086  # the form's words are separate arguments
  cf_begin_test "$1" "$2/at-once" $form
  cf_expect_exit "$kStartSeconds" 0
  cf_log "$form ended with exit code 0"
done
cf_log "PASS"
