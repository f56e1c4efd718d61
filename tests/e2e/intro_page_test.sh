#!/usr/bin/env bash
# End-to-end: the program starts on the intro page (text on black, a blinking prompt), stays up,
# and Esc ends it with exit code 0.
#
#   bash intro_page_test.sh CHROMAFLUX_EXE SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90   # Wine start-up plus the 48 MB of geometry tables
readonly kBlinkSeconds=4    # each blink phase lasts a little over 500 ms
readonly kPrompt=200x13+300+438

cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"
intro=$cf_last_shot
cf_log "intro page: $intro"

# Headings white, body text grey (0x888888 at most), the credits orange-brown (153, 102, 0).
title=$(cf_channel_max "$intro" 120x12+340+99)
heading=$(cf_channel_max "$intro" 80x11+100+178)
body=$(cf_channel_max "$intro" 400x11+100+191)
credits=$(cf_channel_max "$intro" 60x10+740+553)
cf_log "brightest pixels: title $title, heading $heading, body $body, credits $credits"
[[ "$(cf_hue "$title")" == white ]] || cf_fail "the title is not white: $title"
[[ "$(cf_hue "$heading")" == white ]] || cf_fail "the heading HOW IT WORKS is not white: $heading"
read -r r g b <<<"$body"
((r == g && g == b && r >= 80 && r <= 136)) || cf_fail "the body text is not grey: $body"
read -r r g b <<<"$credits"
((r >= 100 && r <= 153 && g < r && g >= 50 && b <= 20)) || cf_fail "the credits colour is off: $credits"
cf_awk_true "$(cf_lit_fraction "$intro" 800x600+0+0) < 0.05" || cf_fail "the page is not black"

# The prompt blinks: within a few seconds it is seen both shown and hidden.
seen_on="" seen_off=""
deadline=$(($(cf_now_ms) + kBlinkSeconds * 1000))
while [[ -z "$seen_on" || -z "$seen_off" ]]; do
  (($(cf_now_ms) < deadline)) || cf_fail "the prompt did not blink (shown: ${seen_on:-never}, hidden: ${seen_off:-never})"
  cf_require_running
  cf_shot prompt
  prompt=$(cf_hue "$(cf_channel_max "$cf_last_shot" "$kPrompt")")
  if [[ "$prompt" == white && -z "$seen_on" ]]; then
    seen_on=$cf_last_shot
  elif [[ "$prompt" == black && -z "$seen_off" ]]; then
    seen_off=$cf_last_shot
  else
    cf_drop_shot
  fi
  sleep 0.15
done
cf_log "prompt shown in $seen_on, hidden in $seen_off"

# It stays on the intro page while nobody clicks.
sleep 2
cf_require_running
cf_shot still-intro
cf_is_intro "$cf_last_shot" || cf_fail "the intro page went away without a click"

cf_key Escape
cf_expect_exit 10 0
cf_log "PASS"
