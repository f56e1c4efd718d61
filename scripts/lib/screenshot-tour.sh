# shellcheck shell=bash
# The headless tour of scripts/run, inside scripts/x-session or scripts/wine-session:
#
#   bash scripts/lib/screenshot-tour.sh EXE WORK_DIR SCREENSHOT_DIR
#
# Starts the program, waits for the intro page, clicks, waits for the plasma, opens the console
# with TAB, and ends the program with Esc, keeping one screenshot of each screen: intro.png,
# plasma.png and console.png in SCREENSHOT_DIR. WORK_DIR takes the program's log and every
# picture taken on the way.
set -euo pipefail

exe=$1
work_dir=$2
screenshot_dir=$3
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/drive.sh"

readonly kStartSeconds=90  # Wine start-up (for the Windows program) plus the 48 MB of tables
readonly kFadeInSeconds=1  # a new colour ring fades in from black within 510 ms

rm -rf "$work_dir"
cf_start "$exe" "$work_dir"

cf_wait_for_intro "$kStartSeconds"
cp "$cf_last_shot" "$screenshot_dir/intro.png"
cf_log "intro page: $screenshot_dir/intro.png"

cf_click 400 300
cf_wait_for "$cf_effect_seconds" plasma-lit cf_is_plasma
sleep "$kFadeInSeconds"
cf_shot plasma
cp "$cf_last_shot" "$screenshot_dir/plasma.png"
cf_log "plasma: $screenshot_dir/plasma.png"

cf_press Tab console cf_is_console_open
cp "$cf_last_shot" "$screenshot_dir/console.png"
cf_log "console: $screenshot_dir/console.png"

cf_key Escape
cf_expect_exit 30 0
