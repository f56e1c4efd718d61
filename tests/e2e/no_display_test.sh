#!/usr/bin/env bash
# End-to-end, for the desktop program: with no display to open it says so on standard error and
# exits with code 1 at once, instead of running where nobody can see it.
#
#   bash no_display_test.sh CHROMAFLUX_PROGRAM SCREENSHOT_DIR
set -euo pipefail

mkdir -p "$2"
rc=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$1" 2>"$2/stderr" || rc=$?
cat "$2/stderr"
[[ $rc == 1 ]] || { echo "FAIL: exit code $rc, expected 1"; exit 1; }
grep -q '^chromaflux: no display' "$2/stderr" || { echo "FAIL: no message on standard error"; exit 1; }
echo PASS
