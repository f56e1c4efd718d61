#!/usr/bin/env bash
# End-to-end: a click starts the plasma; TAB slides the console open; the arrows move the red model
# button, Q swaps the red play-mode button, on the desktop program a click on a model button
# selects it, Z keeps the model, A draws another; TAB closes the
# console; Esc ends the program with exit code 0. Each key's effect is awaited before the next.
#
#   bash console_keys_test.sh CHROMAFLUX_EXE SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90   # Wine start-up plus the 48 MB of geometry tables
readonly kMaxRandomDraws=6  # A may draw the current model again (1 in 14 each time)
readonly kDrawSeconds=10    # how long one draw of A may take to show

model_is() { [[ "$(cf_red_model_button "$2")" == "$1" ]]; }
play_mode_is() { [[ "$(cf_red_play_mode "$2")" == "$1" ]]; }
model_is_not() {
  local now
  now=$(cf_red_model_button "$2")
  [[ "$now" =~ ^[0-9]+$ && "$now" != "$1" ]]
}
# The picture differs from PICTURE in more than the few pixels of the console's text. The plasma
# moves anyway: that Z's colours are new shows in e2e.play_mode_hold, where Z lights a black model.
colours_differ() { cf_awk_true "$(compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 || true) > 10000"; }
console_closed() {
  local row
  for row in "$CONSOLE_TOP" 590 599; do
    ! cf_band_at_row "$1" "$row" || return 1
  done
}

cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"

cf_click 400 300
cf_wait_for "$cf_effect_seconds" plasma cf_is_plasma
cf_log "the click started the plasma: $cf_last_shot"

cf_press Tab console-open cf_is_console_open
open=$cf_last_shot
cf_log "TAB opened the console: $open"
while read -r glow; do
  [[ "$(cf_hue "$glow")" == green ]] || cf_fail "no green glow above the console: $glow"
done < <(cf_colours "$open" "1x1+10+$((CONSOLE_TOP - 1))" "1x1+400+$((CONSOLE_TOP - 1))" \
  "1x1+790+$((CONSOLE_TOP - 1))")
model=$(cf_red_model_button "$open")
[[ "$model" =~ ^[0-9]+$ ]] || cf_fail "no single red model button: $model"
mode=$(cf_red_play_mode "$open")
[[ "$mode" == RANDOM ]] || cf_fail "the play mode at start is $mode, not RANDOM"
cf_log "model $model, play mode $mode"

for step in Right:1 Left:0 Up:-1 Down:0; do
  shown=$(((model + ${step#*:} + MODEL_COUNT) % MODEL_COUNT))
  cf_press "${step%:*}" "model-$shown" model_is "$shown"
  cf_log "${step%:*}: model button $shown is red"
done

cf_press q manual play_mode_is MANUAL
cf_log "Q: MANUAL is red"
cf_press q random play_mode_is RANDOM
cf_log "Q: RANDOM is red again"

# The desktop program's mouse works the console's controls too (chromaflux.exe keeps its input).
if [[ "$1" != *.exe ]]; then
  target=$(((model + 5) % MODEL_COUNT))
  cf_click $((MODEL_BUTTONS_LEFT + MODEL_BUTTON_WIDTH * target + MODEL_BUTTON_WIDTH / 2)) \
    $((MODEL_BUTTONS_TOP + 7))
  cf_wait_for "$cf_effect_seconds" "clicked-model-$target" model_is "$target"
  cf_log "a click on model button $target made it red"
  model=$target
fi

# Z draws new colours only: the model stays, the picture stays lit.
cf_shot before-z
cf_press_again z after-z colours_differ "$cf_last_shot"
[[ "$(cf_red_model_button "$cf_last_shot")" == "$model" ]] || cf_fail "Z changed the model"
cf_is_plasma_above_console "$cf_last_shot" || cf_fail "no plasma after Z"
cf_log "Z: model $model kept, new picture $cf_last_shot"

# A draws a random model, which can be the current one again: a few draws must move the button.
for ((draw = 1; ; draw++)); do
  cf_key a
  cf_try_wait_for "$kDrawSeconds" random-model model_is_not "$model" && break
  ((draw < kMaxRandomDraws)) || cf_fail "$kMaxRandomDraws presses of A kept model $model"
  cf_log "A: draw $draw gave model $model again"
done
cf_log "A: model button $(cf_red_model_button "$cf_last_shot") is red"

cf_press Tab console-closed console_closed
cf_log "TAB closed the console: $cf_last_shot"

cf_key Escape
cf_expect_exit 30 0
cf_log "PASS"
