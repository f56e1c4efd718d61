#!/usr/bin/env bash
# End-to-end: in RANDOM play mode a model's colours fade to black shortly before its 20 seconds
# run out; Q to MANUAL then holds that black model past the 20 seconds (RANDOM would have faded in
# a new one), and Z brings colours back at once. Esc ends the program with exit code 0.
#
# Q must take effect in the model's black time, after the fade and before the switch. The test
# cannot read the model's clock, only bound it: an arrow restarts it when the program takes the
# key, after the press was sent and before the first picture showing the next model button red;
# Q likewise takes effect between its press and the first picture with MANUAL red. No picture is
# taken in the black time. An attempt that did not hold a black model is judged by those bounds:
# inside the black time it shows a fault of the program; otherwise it missed, and the test plays
# Q back to RANDOM and tries again, up to kAttempts times. (A model whose palette happens to be
# nearly black before its fade cannot show one either: that attempt is made again too.)
#
#   bash play_mode_hold_test.sh CHROMAFLUX_EXE SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90  # Wine start-up plus the 48 MB of geometry tables
readonly kAttempts=5
# The model's clock, in ms: the colours rotate until kFadeFromMs, then lose 3 of 255 levels every
# 2 ms (no pixel above 32 from kDarkFromMs); RANDOM switches after kSwitchMs. A picture at kLitMs
# is lit, Q is aimed at kPressQMs, and by kHeldMs a RANDOM switch would have faded in a new model.
readonly kLitMs=17000
readonly kFadeFromMs=19400
readonly kDarkFromMs=19550
readonly kPressQMs=19750
readonly kSwitchMs=20000
readonly kHeldMs=22000
readonly kFrameMs=100  # the longest frame: the clock starts at the frame before the arrow, and
                       # Q must find the fade done at the frame before it

model_is() { [[ "$(cf_red_model_button "$2")" == "$1" ]]; }
play_mode_is() { [[ "$(cf_red_play_mode "$2")" == "$1" ]]; }

sleep_until() {
  local left=$(($1 - $(cf_now_ms)))
  ((left <= 0)) || sleep "$(awk "BEGIN { print $left / 1000 }")"
}

# attempt N: returns 0 when the program held the black model, 1 when the attempt missed the black
# time; fails the test when the attempt shows a fault.
attempt() {
  local n=$1 model next sent_right seen_right lit sent_q seen_q held outcome
  cf_wait_for "$cf_effect_seconds" "random-$n" play_mode_is RANDOM
  model=$(cf_red_model_button "$cf_last_shot")
  [[ "$model" =~ ^[0-9]+$ ]] || cf_fail "no single red model button: $model"
  next=$(((model + 1) % MODEL_COUNT))

  sent_right=$(cf_now_ms)
  cf_press Right "model-$next-$n" model_is "$next"
  seen_right=$cf_last_shot_ms
  sleep_until $((sent_right + kLitMs))
  cf_shot "lit-$n"
  lit=$cf_last_shot
  sleep_until $((sent_right + kPressQMs))
  sent_q=$(cf_now_ms)
  if ((cf_last_shot_ms - sent_right + kFrameMs > kFadeFromMs || sent_q - sent_right + kFrameMs >= kSwitchMs)); then
    cf_log "attempt $n: the test itself is late: the lit picture was done $((cf_last_shot_ms - sent_right)) ms and Q would be sent $((sent_q - sent_right)) ms after the arrow"
    sleep_until $((seen_right + kHeldMs))
    return 1
  fi
  cf_press q "manual-$n" play_mode_is MANUAL
  seen_q=$cf_last_shot_ms
  sleep_until $((seen_right + kHeldMs))
  cf_shot "held-$n"
  held=$cf_last_shot

  cf_log "attempt $n: the model's clock read $((sent_q - seen_right))..$((seen_q - sent_right + kFrameMs)) ms when Q took effect"
  if cf_is_dark_above_console "$lit"; then
    # A palette rotated for 17 s can leave the plasma nearly black: nothing to see fade.
    cf_log "attempt $n: the model is too dim to see it fade: $lit"
  elif cf_is_dark_above_console "$held" && model_is "$next" "$held" && play_mode_is MANUAL "$held"; then
    return 0
  else
    outcome="$(cf_is_dark_above_console "$held" && echo dark || echo lit), model $(cf_red_model_button "$held") (was $next), play mode $(cf_red_play_mode "$held")"
    if ((sent_q - seen_right >= kDarkFromMs + kFrameMs && seen_q - sent_right + kFrameMs <= kSwitchMs)); then
      cf_fail "Q to MANUAL in the black time did not hold the black model: $outcome in $held"
    fi
    cf_log "attempt $n missed the black time: $outcome in $held"
  fi
  cf_press q "random-again-$n" play_mode_is RANDOM
  return 1
}

cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"
cf_click 400 300
cf_wait_for "$cf_effect_seconds" plasma cf_is_plasma
cf_press Tab console-open cf_is_console_open

for ((n = 1; ; n++)); do
  attempt "$n" && break
  ((n < kAttempts)) ||
    cf_fail "none of $kAttempts attempts could be judged in the black time: the machine is too busy, or Q acts too late (see above)"
done
cf_log "attempt $n: MANUAL held the black model past 20 s: $cf_last_shot"

cf_press_again z new-colours cf_is_plasma_above_console
cf_log "Z: new colours on the held model: $cf_last_shot"

cf_key Escape
cf_expect_exit 30 0
cf_log "PASS"
