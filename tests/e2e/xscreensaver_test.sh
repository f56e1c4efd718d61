#!/usr/bin/env bash
# End-to-end, for the desktop program as a display mode of the real XScreenSaver daemon on a
# 1920 x 1080 screen: with a ~/.xscreensaver of its own whose programs list names only Chromaflux,
# with the options that XScreenSaver's dialog writes there (--period 5 --models 3),
# `xscreensaver-command -activate` runs it with those options and shows the plasma over the whole
# screen at its resolution (no black beside a 4:3 box), going black before each switch of model
# every 5 s rather than every 20 s; `-deactivate` ends the display mode's process, and `-exit`
# ends the daemon with exit code 0.
#
# That --models 3 is kept to has no sign on the screen that a few pictures could read (a model's
# colours and centre are drawn anew at each switch); the native tests check the draw.
#
# The daemon runs no display mode as root ("running as root: not launching hacks"), so as root
# the daemon and its commands run as the user nobody, with a temporary HOME and a copy of the
# program that nobody can run; as another user, as that user.
#
#   scripts/x-session --screen 1920x1080x24 bash xscreensaver_test.sh CHROMAFLUX_PROGRAM SCREENSHOT_DIR \
#     SCREEN_BRIGHTNESS_PROGRAM
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

shots=$2 screen_brightness=$3
[[ "$(xdpyinfo | awk '/dimensions:/ { print $2 }')" == 1920x1080 ]] ||
  cf_fail "run on a 1920x1080 screen: scripts/x-session --screen 1920x1080x24 ..."
readonly kDaemonSeconds=30    # the daemon answers commands about a second after its start
readonly kDisplayModeSeconds=30  # blanking, launching, and the first frame
readonly kEndSeconds=10
readonly kOptions="--period 5 --models 3"
# The ring fades to black in the last 600 ms of each period and is black for its last 430 ms. Two
# black pictures, each after a lit one, with less than 18.5 s from the start of the first picture
# to the end of the second, show fades closer together than the default 20 s period allows
# (19.4 s at least); 5 s periods give 5 s, or 10 or 15 s when a fade was missed. ImageMagick's
# screenshots of this screen take 0.5 s to 1.2 s on a busy machine and caught one fade in six;
# chromaflux_screen_brightness reads the screen many times a second. Every later pair counts as
# well, until the deadline.
readonly kFadesSeconds=240
readonly kShorterThanDefaultMs=18500
# Brightness in 1/10000 of white. Black is all black: a palette rotated dim came down to a mean
# of 0.01, never to 0.
readonly kLitBrightness=500
readonly kBlackBrightness=0

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
programs: $display_mode --root $kOptions \\n
EOF

as_user=(env HOME="$home" DISPLAY="$DISPLAY")
if ((EUID == 0)); then
  chown -R nobody "$home"
  as_user=(runuser -u nobody -- "${as_user[@]}")
fi

command_daemon() { "${as_user[@]}" xscreensaver-command "$@" >>"$shots/commands.log" 2>&1; }

# The pids of the display mode: the copied program with the options, whichever user runs it.
display_mode_pid() {
  local file command
  for file in /proc/[0-9]*/cmdline; do
    command=$(tr '\0' ' ' 2>/dev/null <"$file") || continue
    if [[ "$command" == "$display_mode --root $kOptions " ]]; then
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

# two_fades_close PID: reads the screen's brightness while the display mode PID runs, and succeeds
# at the first two fades close together; its log is brightness.log.
two_fades_close() {
  local began ended mean brightness lit_before=0 fades=0 fade_began=""
  while read -r began ended mean; do
    echo "$began $ended $mean" >>"$shots/brightness.log"
    daemon_and kill -0 "$1" 2>/dev/null || cf_fail "the display mode ended; see $shots/program.log"
    brightness=$((10#${mean/./}))  # 0.2912 -> 2912
    if ((brightness >= kLitBrightness)); then
      lit_before=1
    elif ((lit_before && brightness <= kBlackBrightness)); then
      lit_before=0
      fades=$((fades + 1))
      cf_log "fade $fades: black (mean $mean) in a picture of $began..$ended ms"
      [[ -n "$fade_began" ]] && ((ended - fade_began < kShorterThanDefaultMs)) && return 0
      fade_began=$began
    fi
  done < <("$screen_brightness" "$kFadesSeconds")
  cf_fail "no two fades to black less than $kShorterThanDefaultMs ms apart within $kFadesSeconds s ($fades seen; brightness.log)"
}

# The daemon is the program that drive.sh starts and watches; its --verbose log is program.log.
cf_begin_test "$(command -v "${as_user[0]}")" "$shots" "${as_user[@]:1}" \
  xscreensaver --no-splash --verbose
trap cleanup EXIT
wait_until "$kDaemonSeconds" "answer from the daemon" command_daemon -time

command_daemon -activate
wait_until "$kDisplayModeSeconds" "display mode process with $kOptions" display_mode_runs
cf_wait_for "$kDisplayModeSeconds" plasma plasma_on_screen
cf_log "display mode $(display_mode_pid) shows the plasma: $cf_last_shot"
two_fades_close "$(display_mode_pid)"
cf_log "two fades to black less than $kShorterThanDefaultMs ms apart: a period below 20 s"

asked=$(cf_now_ms)
command_daemon -deactivate
wait_until "$kEndSeconds" "end of the display mode" display_mode_ended
cf_log "-deactivate: the display mode ended $(($(cf_now_ms) - asked)) ms later"

command_daemon -exit
cf_expect_exit "$kEndSeconds" 0
grep -q "forked \"$display_mode --root $kOptions\"" "$shots/program.log" ||
  cf_fail "the daemon's log does not show it ran $display_mode"
cf_log "PASS"
