# shellcheck shell=bash
# The harness's one way to wait: poll a condition against a deadline. Sourced by display.sh and
# drive.sh; a slow or busy machine only makes a wait longer, never a condition false.

# Milliseconds since the epoch, from bash's own clock (no process; any locale's decimal mark).
cf_now_ms() {
  local microseconds=${EPOCHREALTIME//[!0-9]/}
  echo $((microseconds / 1000))
}

# cf_wait_until SECONDS EXPECTED COMMAND...: runs COMMAND (in this shell, so it may end the run
# itself) every 0.1 s until it succeeds; when it has not within SECONDS, prints "waited SECONDS s:
# no EXPECTED" on standard error and returns 1. A try that began before the deadline is never cut
# short.
#
# Bash's locals are seen by the functions a function calls: those of the waiting functions (here
# and in drive.sh) start with _cf_, so that no condition reads one for a variable of its own.
cf_wait_until() {
  local _cf_seconds=$1 _cf_expected=$2
  shift 2
  local _cf_deadline=$(($(cf_now_ms) + _cf_seconds * 1000))
  until "$@"; do
    if (($(cf_now_ms) >= _cf_deadline)); then
      echo "waited $_cf_seconds s: no $_cf_expected" >&2
      return 1
    fi
    sleep 0.1
  done
}
