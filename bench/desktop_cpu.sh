#!/usr/bin/env bash
# The desktop program's own processor use with the visuals running and the console open, in
# percent of one core over 10 s (utime + stime of /proc/PID/stat), on a private X screen of the
# given size. Prints one line with the screen, the figure, the resident memory at the end and the
# machine's load average.
#
#   bash bench/desktop_cpu.sh CHROMAFLUX_PROGRAM WxH [SECONDS [PICTURE [ARG...]]]
#
# With PICTURE (or "" for none), the screen as it was measured (console open) is saved there as a
# PNG. The ARGs go to the program, --classic for one.
# Example: bash bench/desktop_cpu.sh build/linux/chromaflux 1920x1080 10 "" --classic
# With GALLIUM_NOOP=1 and --renderer gl, Mesa throws the drawing away and the screen stays black:
# the steps then wait fixed times instead of for what the screen shows.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program=$(realpath "$1")
readonly repo program screen=$2 seconds=${3:-10} picture=${4:-}

if [[ -z "${CHROMAFLUX_CPU_SCREEN:-}" ]]; then
  CHROMAFLUX_CPU_SCREEN=$screen exec "$repo/scripts/x-session" --screen "${screen}x24" \
    bash "${BASH_SOURCE[0]}" "$@"
fi

# shellcheck source=scripts/lib/drive.sh
source "$repo/scripts/lib/drive.sh"
readonly width=${screen%x*} height=${screen#*x}
kTicksPerSecond=$(getconf CLK_TCK)
readonly kTicksPerSecond

# The middle of the screen is lit: the plasma runs (the intro page is mostly black).
plasma_shows() {
  cf_awk_true "$(cf_lit_fraction "$1" "600x450+$((width / 2 - 300))+$((height / 2 - 225))") >= 0.3"
}

# Anything lit: the intro page is drawn, so the program takes clicks.
drawn() { cf_awk_true "$(cf_lit_fraction "$1" "${screen}+0+0") > 0"; }

shots=$(mktemp -d)
cf_start "$program" "$shots" "${@:5}" >/dev/null
trap 'cf_cleanup; rm -rf "$shots"' EXIT
if [[ -n "${GALLIUM_NOOP:-}" ]]; then
  sleep 5
  cf_click $((width / 2)) $((height / 2))
  sleep 5
else
  cf_wait_for 20 intro drawn
  cf_click $((width / 2)) $((height / 2))
  cf_wait_for 60 plasma plasma_shows
fi
cf_key Tab
sleep 1  # the console has slid open long before
before=$(cf_cpu_ticks "$cf_program_pid")
sleep "$seconds"
after=$(cf_cpu_ticks "$cf_program_pid")
cf_require_running
if [[ -n "$picture" ]]; then
  cf_shot measured
  cp "$cf_last_shot" "$picture"
fi
percent=$(awk -v t=$((after - before)) -v s="$seconds" -v hz="$kTicksPerSecond" \
  'BEGIN { printf "%.1f", 100 * t / hz / s }')
resident=$(awk '/^VmRSS:/ { print $2 / 1024 }' "/proc/$cf_program_pid/status")
echo "screen $screen ${*:5}: $percent % of one core over $seconds s, resident ${resident%.*} MB" \
  "(load average $(cut -d' ' -f1-3 /proc/loadavg))"
cf_key Escape
cf_wait_exit 10 >/dev/null || true
