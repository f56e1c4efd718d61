#!/usr/bin/env bash
# The Windows screen saver's own processor use on two monitors, "chromaflux.scr /s" in
# scripts/wine-session --two-monitors (1920 x 1080 and 1280 x 1024), in percent of one core over
# 10 s (utime + stime of the Windows process's /proc/PID/stat), taken 5 s after the plasma shows.
# Prints one line with the figure, the renderer the saver named, the resident memory at the end
# and the load average. RENDERER (auto, gl or software) is stored as the saver's `Renderer` for the
# run. With GALLIUM_NOOP=1 Mesa throws the GL renderer's drawing away, which is what a machine with
# a graphics processor leaves to the processor: the pictures stay black, and the run counts as
# started once the saver has named its renderer.
#
#   [GALLIUM_NOOP=1] bash bench/saver_cpu.sh CHROMAFLUX_SCR [SECONDS] [RENDERER]
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
saver=$(realpath "$1")
readonly repo saver seconds=${2:-10} renderer=${3:-}

if [[ -z "${CHROMAFLUX_SAVER_CPU:-}" ]]; then
  CHROMAFLUX_SAVER_CPU=1 exec "$repo/scripts/wine-session" --two-monitors \
    bash "${BASH_SOURCE[0]}" "$@"
fi

# shellcheck source=scripts/lib/drive.sh
source "$repo/scripts/lib/drive.sh"
kTicksPerSecond=$(getconf CLK_TCK)
readonly kTicksPerSecond

# The middle of the first monitor is lit: the plasma runs.
plasma_shows() { cf_awk_true "$(cf_lit_fraction "$1" "600x450+660+315") >= 0.3"; }
windows_process() { process=$(cf_program_process) && [[ -n "$process" ]]; }
renderer_named() { grep -q 'chromaflux: .* renderer' "$shots/program.log"; }

readonly kKey='HKCU\Software\Chromaflux'
if [[ -n "$renderer" ]]; then
  cf_wine reg add "$kKey" /v Renderer /t REG_SZ /d "$renderer" /f >/dev/null 2>&1
fi
shots=$(mktemp -d)
WINEDEBUG=-all,+debugstr cf_start "$saver" "$shots" /s >/dev/null
trap 'cf_cleanup; rm -rf "$shots"; cf_wine reg delete "$kKey" /v Renderer /f >/dev/null 2>&1 || true' EXIT
if [[ -n "${GALLIUM_NOOP:-}" ]]; then
  cf_wait_until 90 "the renderer named" renderer_named || cf_fail "no renderer named"
else
  cf_wait_for 90 plasma plasma_shows
fi
cf_wait_until 10 "the Windows process" windows_process || cf_fail "no Windows process"
sleep 5  # past the start's work: the pictures' fields are long made
before=$(cf_cpu_ticks "$process")
sleep "$seconds"
after=$(cf_cpu_ticks "$process")
cf_require_running
percent=$(awk -v t=$((after - before)) -v s="$seconds" -v hz="$kTicksPerSecond" \
  'BEGIN { printf "%.1f", 100 * t / hz / s }')
resident=$(awk '/^VmRSS:/ { print $2 / 1024 }' "/proc/$process/status")
named=$(grep -o 'chromaflux: [^\]*' "$shots/program.log" | head -n 1)
echo "chromaflux.scr /s on two monitors: $percent % of one core over $seconds s (${named#chromaflux: })," \
  "resident ${resident%.*} MB (load average $(cut -d' ' -f1-3 /proc/loadavg))"
xdotool mousemove_relative 40 0
cf_wait_exit 10 >/dev/null || true
