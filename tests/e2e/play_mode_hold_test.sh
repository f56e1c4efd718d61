#!/usr/bin/env bash
# End-to-end: in RANDOM play mode a model's colours fade to black shortly before its 20 seconds
# run out; Q to MANUAL then holds that black model past the 20 seconds (RANDOM would have faded in
# a new one), and Z brings colours back at once. Esc ends the program with exit code 0.
#
#   bash play_mode_hold_test.sh CHROMAFLUX_EXE SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90  # Wine start-up plus the 48 MB of geometry tables
# A press of A restarts the model clock. The ring rotates until 19400 ms, fades to black over the
# next 170 ms and stays black until the switch after 20000 ms: Q goes in the middle of that.
readonly kStillLitMs=19000
readonly kPressQMs=19700
readonly kPressQLatestMs=19900
readonly kPastSwitchMs=22000  # a RANDOM switch at 20000 ms would have faded in by then

since_a() { echo $(($(cf_now_ms) - pressed_a)); }

# sleep_until MS: sleeps until MS milliseconds after the press of A.
sleep_until() {
  local left=$(($1 - $(since_a)))
  ((left <= 0)) || sleep "$(awk "BEGIN { print $left / 1000 }")"
}
cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"
cf_click 400 300
cf_wait_for 10 plasma cf_is_plasma

cf_key a
pressed_a=$(cf_now_ms)
cf_log "A: a new model, its clock restarts"

# Pictures first, judged afterwards: on a busy machine judging one takes a good part of a second.
sleep_until "$kStillLitMs"
cf_shot lit-before-fade
lit=$cf_last_shot
sleep_until "$kPressQMs"
late=$(since_a)
((late <= kPressQLatestMs)) || cf_fail "the machine is too slow: Q would come $late ms after A"
cf_key q
cf_shot faded-out
faded=$cf_last_shot
cf_log "Q to MANUAL $late ms after A"
cf_is_plasma "$lit" || cf_fail "the model went dark before its fade-out: $lit"
cf_is_dark "$faded" || cf_fail "the model did not fade to black before its switch: $faded"

sleep_until "$kPastSwitchMs"
cf_shot held-black
cf_is_dark "$cf_last_shot" || cf_fail "MANUAL did not hold the black model: $cf_last_shot"
cf_log "MANUAL held the black model past 20 s: $cf_last_shot"

cf_key z
cf_wait_for 2 new-colours cf_is_plasma
cf_log "Z: new colours on the held model: $cf_last_shot"

cf_key Escape
cf_expect_exit 10 0
cf_log "PASS"
