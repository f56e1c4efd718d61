#!/usr/bin/env bash
# End-to-end: closing the window with Alt+F4 ends the program with exit code 0, on the intro page
# and on the plasma.
#
#   bash window_close_test.sh CHROMAFLUX_EXE SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90  # Wine start-up plus the 48 MB of geometry tables

readonly kExitSeconds=30

cf_begin_test "$1" "$2/intro"
cf_wait_for_intro "$kStartSeconds"
cf_key alt+F4
cf_expect_exit "$kExitSeconds" 0

cf_begin_test "$1" "$2/plasma"
cf_wait_for_intro "$kStartSeconds"
cf_click 400 300
cf_wait_for "$cf_effect_seconds" plasma cf_is_plasma
cf_key alt+F4
cf_expect_exit "$kExitSeconds" 0
cf_log "PASS"
