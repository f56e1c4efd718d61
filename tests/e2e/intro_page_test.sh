#!/usr/bin/env bash
# End-to-end: the program starts on the intro page (text on black, a blinking prompt), stays up,
# and Esc ends it with exit code 0.
#
#   bash intro_page_test.sh CHROMAFLUX_EXE SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90  # Wine start-up plus the 48 MB of geometry tables
readonly kBlinkSeconds=20  # each blink phase lasts a little over 500 ms; pictures may take longer

cf_begin_test "$1" "$2"
cf_wait_for_intro "$kStartSeconds"
intro=$cf_last_shot
cf_log "intro page: $intro"

# Headings white, body text grey (0x888888 at most), the credits orange-brown (153, 102, 0).
title=$(cf_channel_max "$intro" "$INTRO_TITLE")
heading=$(cf_channel_max "$intro" "$INTRO_HEADING")
body=$(cf_channel_max "$intro" "$INTRO_BODY")
credits=$(cf_channel_max "$intro" "$INTRO_CREDITS")
cf_log "brightest pixels: title $title, heading $heading, body $body, credits $credits"
[[ "$(cf_hue "$title")" == white ]] || cf_fail "the title is not white: $title"
[[ "$(cf_hue "$heading")" == white ]] || cf_fail "the heading HOW IT WORKS is not white: $heading"
read -r r g b <<<"$body"
((r == g && g == b && r >= 80 && r <= 136)) || cf_fail "the body text is not grey: $body"
read -r r g b <<<"$credits"
((r >= 100 && r <= 153 && g < r && g >= 50 && b <= 20)) || cf_fail "the credits colour is off: $credits"
cf_awk_true "$(cf_lit_fraction "$intro" "${FRAME_WIDTH}x$FRAME_HEIGHT+0+0") < 0.05" ||
  cf_fail "the page is not black"

# The prompt blinks: it is seen both shown and hidden.
prompt_is() { [[ "$(cf_hue "$(cf_channel_max "$2" "$INTRO_PROMPT")")" == "$1" ]]; }
cf_wait_for "$kBlinkSeconds" prompt-shown prompt_is white
cf_wait_for "$kBlinkSeconds" prompt-hidden prompt_is black
cf_log "prompt shown, then hidden: $cf_last_shot"

# It stays on the intro page while nobody clicks.
sleep 2
cf_require_running
cf_shot still-intro
cf_is_intro "$cf_last_shot" || cf_fail "the intro page went away without a click"

cf_key Escape
cf_expect_exit 30 0
cf_log "PASS"
