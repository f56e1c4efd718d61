#!/usr/bin/env bash
# End-to-end, for the desktop program as a display mode of the real XScreenSaver daemon on a
# 1920 x 1080 screen: with a ~/.xscreensaver of its own whose programs list names only Chromaflux,
# `xscreensaver-command -activate` shows the plasma over the whole screen at its resolution (no
# black beside a 4:3 box), `-deactivate` ends the display mode's process, and `-exit` ends the
# daemon with exit code 0.
#
# The daemon runs no display mode as root ("running as root: not launching hacks"), so as root
# the daemon and its commands run as the user nobody, with a temporary HOME and a copy of the
# program that nobody can run; as another user, as that user.
#
#   scripts/x-session --screen 1920x1080x24 bash xscreensaver_test.sh CHROMAFLUX_PROGRAM SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

shots=$2
[[ "$(xdpyinfo | awk '/dimensions:/ { print $2 }')" == 1920x1080 ]] ||
  cf_fail "run on a 1920x1080 screen: scripts/x-session --screen 1920x1080x24 ..."
readonly kDaemonSeconds=30    # the daemon answers commands about a second after its start
readonly kDisplayModeSeconds=30  # blanking, launching, and the first frame
readonly kEndSeconds=10

saver=$(mktemp -d)
chmod 755 "$saver"
display_mode="$saver/chromaflux" home="$saver/home"
cp "$1" "$display_mode"
mkdir "$home"
# One display mode, chosen at once, no fades (they take seconds), no lock, no cycling.
cat >"$home/.xscreensaver" <<EOF
mode: one
selected: 0
lock: False
splash: False
fade: False
unfade: False
cycle: 0:00:00
timeout: 1:00:00
programs: $display_mode --root \\n
EOF

as_user=(env HOME="$home" DISPLAY="$DISPLAY")
if ((EUID == 0)); then
  chown -R nobody "$home"
  as_user=(runuser -u nobody -- "${as_user[@]}")
fi

command_daemon() { "${as_user[@]}" xscreensaver-command "$@" >>"$shots/commands.log" 2>&1; }

# The pids of the display mode: the copied program, whichever user runs it.
display_mode_pid() {
  local file command
  for file in /proc/[0-9]*/cmdline; do
    command=$(tr '\0' ' ' 2>/dev/null <"$file") || continue
    if [[ "$command" == "$display_mode --root " ]]; then
      file=${file#/proc/}
      echo "${file%/cmdline}"
    fi
  done
}

cleanup() {
  if cf_running; then
    command_daemon -exit || true
  fi
  local pid
  for pid in $(display_mode_pid); do
    kill -KILL "$pid" 2>/dev/null || true
  done
  cf_cleanup
  rm -rf "$saver"
}

# daemon_and COMMAND...: COMMAND's answer, the run failing at once when the daemon has ended.
daemon_and() {
  cf_require_running
  "$@"
}

# wait_until SECONDS WHAT COMMAND...: polls COMMAND while the daemon runs; fails after SECONDS.
wait_until() { cf_wait_until "$1" "$2" daemon_and "${@:3}" || cf_fail "no $2 within $1 s"; }

# The plasma over the whole screen: also in the columns beside the middle 4:3 box.
plasma_on_screen() {
  cf_awk_true "$(cf_lit_fraction "$1" 1440x1080+240+0) >= 0.2" &&
    cf_awk_true "$(cf_lit_fraction "$1" 240x1080+0+0) > 0.05" &&
    cf_awk_true "$(cf_lit_fraction "$1" 240x1080+1680+0) > 0.05"
}

display_mode_runs() { [[ -n "$(display_mode_pid)" ]]; }
display_mode_ended() { [[ -z "$(display_mode_pid)" ]]; }

# The daemon is the program that drive.sh starts and watches; its --verbose log is program.log.
cf_begin_test "$(command -v "${as_user[0]}")" "$shots" "${as_user[@]:1}" \
  xscreensaver --no-splash --verbose
trap cleanup EXIT
wait_until "$kDaemonSeconds" "answer from the daemon" command_daemon -time

command_daemon -activate
wait_until "$kDisplayModeSeconds" "display mode process" display_mode_runs
cf_wait_for "$kDisplayModeSeconds" plasma plasma_on_screen
cf_log "display mode $(display_mode_pid) shows the plasma: $cf_last_shot"

asked=$(cf_now_ms)
command_daemon -deactivate
wait_until "$kEndSeconds" "end of the display mode" display_mode_ended
cf_log "-deactivate: the display mode ended $(($(cf_now_ms) - asked)) ms later"

command_daemon -exit
cf_expect_exit "$kEndSeconds" 0
grep -q "forked \"$display_mode --root\"" "$shots/program.log" ||
  cf_fail "the daemon's log does not show it ran $display_mode"
cf_log "PASS"
