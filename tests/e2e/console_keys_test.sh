#!/usr/bin/env bash
# End-to-end: a click starts the plasma; TAB slides the console open; the arrows move the red model
# button, Q swaps the red play-mode button, Z keeps the model, A draws another; TAB closes the
# console; Esc ends the program with exit code 0.
#
#   bash console_keys_test.sh CHROMAFLUX_EXE SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90  # Wine start-up plus the 48 MB of geometry tables
readonly kModelCount=14
readonly kMaxRandomDraws=6  # A may draw the current model again (1 in 14 each time)

expected=""
model_is_expected() { [[ "$(cf_red_model_button "$1")" == "$expected" ]]; }
play_mode_is_expected() { [[ "$(cf_red_play_mode "$1")" == "$expected" ]]; }
model_differs() {
  local now
  now=$(cf_red_model_button "$1")
  [[ "$now" =~ ^[0-9]+$ && "$now" != "$expected" ]]
}
console_closed() {
  local row
  for row in 520 590 599; do
    ! cf_band_at_row "$1" "$row" || return 1
  done
}

# expect_model KEY MODEL: after KEY the red model button is MODEL.
expect_model() {
  expected=$2
  cf_key "$1"
  cf_wait_for 3 "model-$2" model_is_expected
  cf_log "$1: model button $2 is red"
}

cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"

cf_click 400 300
cf_wait_for 10 plasma cf_is_plasma
cf_log "the click started the plasma: $cf_last_shot"

cf_key Tab
cf_wait_for 5 console-open cf_is_console_open
open=$cf_last_shot
cf_log "TAB opened the console: $open"
for x in 10 400 790; do
  glow=$(cf_rgb "$open" "1x1+$x+519")
  [[ "$(cf_hue "$glow")" == green ]] || cf_fail "no green glow above the console at x $x: $glow"
done
model=$(cf_red_model_button "$open")
[[ "$model" =~ ^[0-9]+$ ]] || cf_fail "no single red model button: $model"
mode=$(cf_red_play_mode "$open")
[[ "$mode" == RANDOM ]] || cf_fail "the play mode at start is $mode, not RANDOM"
cf_log "model $model, play mode $mode"

next=$(((model + 1) % kModelCount))
previous=$(((model + kModelCount - 1) % kModelCount))
expect_model Right "$next"
expect_model Left "$model"
expect_model Up "$previous"
expect_model Down "$model"

expected=MANUAL
cf_key q
cf_wait_for 3 manual play_mode_is_expected
cf_log "Q: MANUAL is red"
expected=RANDOM
cf_key q
cf_wait_for 3 random play_mode_is_expected
cf_log "Q: RANDOM is red again"

# Z draws new colours only: the model stays, the picture stays lit.
cf_shot before-z
before_z=$cf_last_shot
cf_key z
sleep 0.5
cf_shot after-z
[[ "$(cf_red_model_button "$cf_last_shot")" == "$model" ]] || cf_fail "Z changed the model"
cf_is_plasma "$cf_last_shot" || cf_fail "no plasma after Z"
cf_awk_true "$(compare -metric AE -fuzz 2% "$before_z" "$cf_last_shot" null: 2>&1 || true) > 10000" ||
  cf_fail "the picture did not change after Z"
cf_log "Z: model $model kept, new picture $cf_last_shot"

# A draws a random model, which can be the current one again: a few draws must move the button.
expected=$model
draw=1
cf_key a
until cf_try_wait_for 2 random-model model_differs; do
  ((draw < kMaxRandomDraws)) || cf_fail "$kMaxRandomDraws presses of A kept model $model"
  cf_log "A: draw $draw gave model $model again"
  draw=$((draw + 1))
  cf_key a
done
cf_log "A: model button $(cf_red_model_button "$cf_last_shot") is red"

cf_key Tab
cf_wait_for 5 console-closed console_closed
cf_log "TAB closed the console: $cf_last_shot"

cf_key Escape
cf_expect_exit 10 0
cf_log "PASS"
