#!/usr/bin/env bash
# The soak itself, run by scripts/soak inside scripts/wine-session or scripts/x-session:
#
#   bash scripts/lib/soak-run.sh CHROMAFLUX_PROGRAM DIR MINUTES
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
readonly kGrowthWindowS=600    # memory growth is reported over the first and the last 10 minutes

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
back_ms=0
nudged=0
process=""

# memory.tsv: seconds since the click, resident KiB, of which anonymous KiB (heaps and other
# private memory, as opposed to the pages of mapped files such as code).
sample_memory() {
  local rss anon
  read -r rss anon < <(awk '/^VmRSS:/ { r = $2 } /^RssAnon:/ { a = $2 } END { print r, a }' \
    "/proc/$process/status" 2>/dev/null) || return 0
  [[ -n "$anon" ]] || return 0
  [[ -n "$rss_start" ]] || rss_start=$rss
  rss_end=$rss
  ((rss > rss_max)) && rss_max=$rss
  printf '%d\t%d\t%d\n' $((($(cf_now_ms) - began_ms) / 1000)) "$rss" "$anon" >>"$dir/memory.tsv"
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
  awk -v window="$kGrowthWindowS" '
    { t[NR] = $1; kb[NR, 2] = $2; kb[NR, 3] = $3 }
    function at(s, c,   i) { for (i = 1; i < NR && t[i] < s; i++) {} return kb[i, c] }
    function growth(what, c) {
      printf "%-16sfirst %d s %+d KiB, last %d s %+d KiB\n", what, window,
        at(window, c) - kb[1, c], window, kb[NR, c] - at(t[NR] - window, c)
    }
    END { if (NR >= 2) { growth("growth:", 2); growth("  anonymous:", 3) } }' \
    "$dir/memory.tsv" 2>/dev/null || true
  exit "$status"
}

# A wait's predicate after a switch back: the picture moves (cf_moving); Z once after
# kNudgeAfterMs, since a model that MANUAL mode holds black stays still.
drawing_again() {
  cf_moving "$1" && return 0
  if ((!nudged && $(cf_now_ms) - back_ms >= kNudgeAfterMs)); then
    cf_key z
    keys=$((keys + 1))
    nudged=1
  fi
  return 1
}

switch_away_and_back() {
  switches=$((switches + 1))
  cf_log "switch $switches: away"
  cf_switch_away "$dir"
  sleep "$kAwaySeconds"
  cf_require_running
  cf_switch_back
  back_ms=$(cf_now_ms)
  nudged=0
  if cf_try_wait_for "$kRedrawSeconds" back drawing_again; then
    redrawn=$((redrawn + 1))
    cf_log "switch $switches: drawing again ($cf_last_shot)"
  else
    cf_log "switch $switches: NOT drawing again within $kRedrawSeconds s ($cf_shot_dir/unmatched-back.png)"
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
exit_code=$(cf_wait_exit 30) || cf_fail "the program did not end within 30 s of Esc"
cf_log "the program ended with exit code $exit_code"
[[ "$exit_code" == 0 && $redrawn -eq $switches ]]
