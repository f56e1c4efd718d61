#!/usr/bin/env bash
# The soak itself, run by scripts/soak inside scripts/wine-session:
#
#   bash scripts/lib/soak-run.sh CHROMAFLUX_EXE DIR MINUTES
#
# Exits 0 when the program lived through the whole time, drew again after every switch and
# ended with exit code 0 after Esc.
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/drive.sh"

readonly kStartSeconds=90
readonly kKeys=(Tab Left Right Up Down a q z)  # the program's keys, Esc left out
readonly kKeyMinMs=500
readonly kKeyMaxMs=3000
readonly kSwitchEveryMs=180000
readonly kAwaySeconds=5
readonly kSampleEveryMs=10000
readonly kRedrawSeconds=30     # after a switch back, the picture must move within this
readonly kNudgeAfterMs=5000    # then Z lights a model that MANUAL mode holds black
readonly kMinChangedPixels=5000

exe=$1
dir=$2
minutes=$3

keys=0
switches=0
redrawn=0
crashes=0
exit_code="none"
rss_start=""
rss_end=""
rss_max=0
began_ms=0
process=""

sample_memory() {
  local rss
  rss=$(cf_rss_kb "$process" 2>/dev/null) || return 0
  [[ -n "$rss" ]] || return 0
  [[ -n "$rss_start" ]] || rss_start=$rss
  rss_end=$rss
  ((rss > rss_max)) && rss_max=$rss
  printf '%d\t%d\n' $((($(cf_now_ms) - began_ms) / 1000)) "$rss" >>"$dir/memory.tsv"
}

report() {
  local status=$?
  trap - EXIT
  cf_cleanup
  local ran_s=0
  ((began_ms == 0)) || ran_s=$((($(cf_now_ms) - began_ms) / 1000))
  echo "=== soak report"
  echo "minutes:        $((ran_s / 60)).$((ran_s % 60 * 10 / 60)) of $minutes"
  echo "keys:           $keys"
  echo "switches:       $switches ($redrawn drew again)"
  echo "crashes:        $crashes"
  echo "exit code:      $exit_code"
  echo "resident start: ${rss_start:-?} KiB"
  echo "resident end:   ${rss_end:-?} KiB (largest sample $rss_max KiB)"
  exit "$status"
}

# After a switch back: waits until the whole picture moves between two screenshots, pressing Z
# once if it has not after kNudgeAfterMs (a model that MANUAL mode holds black stays still).
wait_for_drawing() {
  local start deadline previous="$dir/previous.png" nudged=0
  start=$(cf_now_ms)
  deadline=$((start + kRedrawSeconds * 1000))
  rm -f "$previous"
  while (($(cf_now_ms) < deadline)); do
    cf_require_running
    cf_shot back
    if [[ -f "$previous" ]] &&
      (($(cf_changed_pixels "$previous" "$cf_last_shot" 800x600+0+0) >= kMinChangedPixels)); then
      return 0
    fi
    mv "$cf_last_shot" "$previous"
    cf_shot_count=$((cf_shot_count - 1))
    if ((!nudged && $(cf_now_ms) - start >= kNudgeAfterMs)); then
      cf_key z
      keys=$((keys + 1))
      nudged=1
    fi
    sleep 0.2
  done
  return 1
}

switch_away_and_back() {
  switches=$((switches + 1))
  cf_log "switch $switches: notepad takes the foreground"
  cf_open_other_program "$dir"
  sleep "$kAwaySeconds"
  cf_require_running
  cf_close_other_program
  cf_activate_program
  if wait_for_drawing; then
    redrawn=$((redrawn + 1))
    cf_log "switch $switches: drawing again ($cf_last_shot)"
  else
    cf_log "switch $switches: NOT drawing again within $kRedrawSeconds s ($cf_last_shot)"
  fi
}

cf_begin_test "$exe" "$dir"
trap report EXIT
: >"$dir/memory.tsv"
cf_wait_for_intro "$kStartSeconds"
cf_click 400 300
process=$(cf_program_process)
[[ -n "$process" ]] || cf_fail "no process runs $exe"

began_ms=$(cf_now_ms)
end_ms=$((began_ms + minutes * 60000))
next_key_ms=$began_ms
next_switch_ms=$((began_ms + kSwitchEveryMs))
next_sample_ms=$began_ms
while :; do
  now=$(cf_now_ms)
  ((now < end_ms)) || break
  if ! cf_running; then
    crashes=$((crashes + 1))
    exit_code=$(<"$cf_program_rc_file")
    cf_fail "the program ended without Esc (exit code $exit_code); see $dir/program.log"
  fi
  if ((now >= next_sample_ms)); then
    sample_memory
    next_sample_ms=$((next_sample_ms + kSampleEveryMs))
  fi
  if ((now >= next_switch_ms)); then
    switch_away_and_back
    next_switch_ms=$(($(cf_now_ms) + kSwitchEveryMs))
    next_key_ms=$(cf_now_ms)
  fi
  if ((now >= next_key_ms)); then
    cf_key "${kKeys[RANDOM % ${#kKeys[@]}]}"
    keys=$((keys + 1))
    next_key_ms=$((now + kKeyMinMs + RANDOM % (kKeyMaxMs - kKeyMinMs + 1)))
  fi
  sleep 0.1
done

sample_memory
cf_key Escape
exit_code=$(cf_wait_exit 20) || cf_fail "the program did not end within 20 s of Esc"
cf_log "the program ended with exit code $exit_code"
[[ "$exit_code" == 0 && $redrawn -eq $switches ]]
