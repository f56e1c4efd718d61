# shellcheck shell=bash
# Drives Chromaflux under X the way a user does (xdotool keys and clicks; scripts/x-session and
# scripts/wine-session run openbox as the window manager) and reads the screen back with
# ImageMagick at the places that scripts/lib/screen-facts.env names. Sourced by the end-to-end
# tests, scripts/run's screenshot tour and the soak. Needs DISPLAY, with the program's frame at the
# screen's top left (an 800x600 screen), and wine for the Windows program.
#
# Every wait polls the screen against a deadline (cf_wait_until): deadlines are long, since they
# cost nothing when the program is quick and a busy machine only makes a step take longer. Each key
# waits for its visible effect before the next (cf_press).
# shellcheck source=scripts/lib/wait.sh
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"
# shellcheck source=scripts/lib/screen-facts.env
source "$(dirname "${BASH_SOURCE[0]}")/screen-facts.env"
# shellcheck source=scripts/lib/wine.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

cf_effect_seconds=20   # how long cf_press waits for a key's effect
cf_program_pid=""      # pid of the process that started the program (wine for the Windows one)
cf_program_exe=""      # the program's absolute path
cf_program_args=()     # the arguments it was started with
cf_program_rc_file=""  # the program's exit code lands here when it ends
cf_shot_dir=""         # where cf_shot saves its pictures
cf_shot_count=0        # numbers the pictures in the order they were taken
cf_last_shot=""        # path of the latest picture of cf_shot, cf_wait_for or cf_wait_for_intro
cf_last_shot_ms=0      # when that picture was complete (cf_now_ms): what it shows came before

# The program runs on Wine's default renderer (GL, Mesa llvmpipe under Xvfb), as users run it.
# Wine 8 kills about one process in three at exit there (SIGSEGV, exit code 139) when an
# off-screen surface outlives the DirectDraw object, which is why the program releases its logo
# surfaces first; set WINE_D3D_CONFIG=renderer=no3d to try system-memory surfaces instead.

cf_log() { printf '[%s] %s\n' "$(date +%T.%3N)" "$*"; }
cf_fail() {
  cf_log "FAIL: $*"
  exit 1
}

# cf_awk_true EXPR: succeeds when the awk expression EXPR (numbers inlined) is true.
cf_awk_true() { awk "BEGIN { exit !($1) }"; }

# --- The program -------------------------------------------------------------------------------

# cf_start EXE DIR [ARG...]: starts the program with the arguments in the background, under Wine
# when EXE is a Windows program (.exe or .scr); its output goes to DIR/program.log.
cf_start() {
  local exe dir=$2
  exe=$(realpath "$1")
  cf_program_exe=$exe
  cf_program_args=("${@:3}")
  mkdir -p "$dir"
  cf_shot_dir=$dir
  cf_shot_count=0
  cf_program_rc_file="$dir/exit-code"
  rm -f "$cf_program_rc_file" "$dir"/*.png
  local pid_file="$dir/pid"
  rm -f "$pid_file"
  (
    if [[ "$exe" == *.exe || "$exe" == *.scr ]]; then
      cf_wine "$exe" "${cf_program_args[@]}" </dev/null >"$dir/program.log" 2>&1 &
    else
      "$exe" "${cf_program_args[@]}" </dev/null >"$dir/program.log" 2>&1 &
    fi
    echo $! >"$pid_file"
    rc=0
    wait $! || rc=$?
    echo "$rc" >"$cf_program_rc_file"
  ) 2>/dev/null &
  cf_wait_until 30 "pid of the started program" test -s "$pid_file" || cf_fail "$exe did not start"
  cf_program_pid=$(<"$pid_file")
  trap cf_cleanup EXIT
  cf_log "started $exe (pid $cf_program_pid)"
}

cf_running() { [[ -n "$cf_program_pid" && ! -e "$cf_program_rc_file" ]]; }
cf_ended() { ! cf_running; }

# Kills the program if it is still running (a failed test must not leave it on the display).
cf_cleanup() {
  if cf_running; then
    kill -KILL "$cf_program_pid" 2>/dev/null || true
    cf_wait_until 10 "end of the killed program" cf_ended || true
  fi
}

# The pid of the Windows process running the program, found by its command line: the path given
# to wine, or its Windows form (Z: and backslashes), then the arguments; empty when there is none.
# Wine does not always run the program in its own process: one started through start.exe has the
# Windows form as its command line. For the desktop program: its pid.
cf_program_process() {
  local windows_path="Z:${cf_program_exe//\//\\}" file cmd
  local args="${cf_program_args[*]}"
  for file in /proc/[0-9]*/cmdline; do
    cmd=$(tr -s '\0' ' ' 2>/dev/null <"$file") || continue  # Wine pads it with NULs
    cmd=${cmd% }
    if [[ "$cmd" == "$windows_path${args:+ $args}" || "$cmd" == "$cf_program_exe${args:+ $args}" ]]; then
      file=${file#/proc/}
      echo "${file%/cmdline}"
      return
    fi
  done
}

# cf_cpu_ticks PID: the processor time the process has used, in clock ticks (1/100 s).
cf_cpu_ticks() {
  local stat fields
  stat=$(<"/proc/$1/stat")
  read -r -a fields <<<"${stat##*) }"  # after the command name, which may hold spaces
  echo $((fields[11] + fields[12]))     # utime and stime, fields 14 and 15 of the whole line
}

# cf_wait_exit SECONDS: waits for the program to end and prints its exit code; fails on timeout.
cf_wait_exit() {
  cf_wait_until "$1" "end of the program" cf_ended || return 1
  cat "$cf_program_rc_file"
}

# cf_expect_exit SECONDS CODE: the program ends within SECONDS with exit code CODE. Otherwise
# what the program (or Wine) printed last is in the failure's log.
cf_expect_exit() {
  local rc
  rc=$(cf_wait_exit "$1") || cf_fail "the program did not end within $1 s"
  if [[ "$rc" != "$2" ]]; then
    cf_log "the last lines of $cf_shot_dir/program.log:"
    tail -n 20 "$cf_shot_dir/program.log"
    cf_fail "exit code $rc, expected $2"
  fi
  cf_log "the program ended with exit code $rc"
}

cf_require_running() { cf_running || cf_fail "the program ended early (exit code $(<"$cf_program_rc_file")); see $cf_shot_dir/program.log"; }

# cf_begin_test EXE DIR [ARG...]: the common start of an end-to-end test: a program this machine
# cannot run is a skip (exit 77, the tests' SKIP_RETURN_CODE), a display must be there, the
# screenshot folder starts empty, and the program starts with the arguments.
cf_begin_test() {
  if [[ "$1" == *.exe || "$1" == *.scr ]] && ! cf_can_run_windows_program "$1"; then
    cf_log "skipped: $cf_no_32bit_reason, and $(basename "$1") is a 32-bit program"
    exit 77
  fi
  [[ -n "${DISPLAY:-}" ]] || cf_fail "DISPLAY is not set: run the tests through scripts/x-session or scripts/wine-session"
  rm -rf "$2"
  cf_start "$@"
}

# --- Input ----------------------------------------------------------------------------------------

# cf_key KEY...: key presses through the X test extension, which Wine takes as typed keys.
cf_key() {
  local key
  for key in "$@"; do xdotool key "$key" 2>/dev/null; done
}

# cf_click X Y: a left click at (X, Y).
cf_click() { xdotool mousemove "$1" "$2" click 1 2>/dev/null; }

# --- Pictures -------------------------------------------------------------------------------------

# cf_shot NAME: a screenshot of the whole screen as DIR/NN-NAME.png, its path in cf_last_shot.
# Zlib level 1 without adaptive filtering: a tenth of the default's time (which takes one to two
# seconds for a plasma picture on a busy machine), still lossless.
cf_shot() {
  cf_shot_count=$((cf_shot_count + 1))
  cf_last_shot=$(printf '%s/%02d-%s.png' "$cf_shot_dir" "$cf_shot_count" "$1")
  import -window root -quality 11 "PNG24:$cf_last_shot"
  # shellcheck disable=SC2034  # read by the tests that time their steps
  cf_last_shot_ms=$(cf_now_ms)
}

# Sets the latest picture aside as DIR/unmatched-NAME.png (a poll that did not match yet), where
# the message of a wait that ran out points.
cf_drop_shot() {
  local base=${cf_last_shot##*/}
  mv -f "$cf_last_shot" "$cf_shot_dir/unmatched-${base#*-}" 2>/dev/null || true
  cf_shot_count=$((cf_shot_count - 1))
}

# cf_colours FILE REGION...: the average colour of each region (WxH+X+Y) as "R G B" (0..255), one
# line each, from one ImageMagick call.
cf_colours() {
  local file=$1 region crops=()
  shift
  for region in "$@"; do crops+=('(' mpr:shot -crop "$region" +repage -scale '1x1!' ')'); done
  convert "$file" -write mpr:shot +delete "${crops[@]}" +append -depth 8 txt:- |
    sed -n 's/^[0-9]*,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# cf_rgb FILE REGION: the average colour of one region as "R G B".
cf_rgb() { cf_colours "$1" "$2"; }

# cf_hex_rgb 0xRRGGBB: the colour as "R G B".
cf_hex_rgb() { echo "$(($1 >> 16 & 255)) $(($1 >> 8 & 255)) $(($1 & 255))"; }

# cf_channel_max FILE REGION: the largest red, green and blue values of a region, "R G B" 0..255.
cf_channel_max() {
  convert "$1" -crop "$2" +repage -separate -format '%[fx:round(255*maxima)] ' info: |
    awk '{ print $1, $2, $3 }'
}

# cf_lit_fraction FILE REGION: the fraction of pixels of a region whose brightest channel is above
# 32 of 255; about 0 on black, 0.2 and more on the plasma whatever its palette.
cf_lit_fraction() {
  convert "$1" -crop "$2" +repage -separate -evaluate-sequence max -threshold 12.5% \
    -format '%[fx:mean]' info:
}

# cf_changed_pixels A B REGION: how many pixels of the region differ between two pictures.
cf_changed_pixels() { compare -metric AE "$1[$3]" "$2[$3]" null: 2>&1 || true; }

# cf_near "R G B" "R G B" TOLERANCE: the two colours differ by at most TOLERANCE per channel.
cf_near() {
  local a b i
  read -r -a a <<<"$1"
  read -r -a b <<<"$2"
  for i in 0 1 2; do
    local d=$((a[i] - b[i]))
    ((d < 0)) && d=$((-d))
    ((d <= $3)) || return 1
  done
}

# cf_hue "R G B": red, green, white, black or other, by the dominant channel.
cf_hue() {
  local r g b
  read -r r g b <<<"$1"
  if ((r >= 240 && g >= 240 && b >= 240)); then
    echo white
  elif ((r < 24 && g < 24 && b < 24)); then
    echo black
  elif ((r >= 80 && r > 2 * g && r > 2 * b)); then
    echo red
  elif ((g >= 80 && g > 2 * r && g > 2 * b)); then
    echo green
  else
    echo other
  fi
}

# --- What the screens look like -------------------------------------------------------------------

# The intro page: the white title on an otherwise dark screen.
cf_is_intro() {
  [[ "$(cf_hue "$(cf_channel_max "$1" "$INTRO_TITLE")")" == white ]] &&
    cf_awk_true "$(cf_lit_fraction "$1" "${FRAME_WIDTH}x$FRAME_HEIGHT+0+0") < 0.05"
}

# The plasma: at least a fifth of the picture lit (the console closed).
cf_is_plasma() { cf_awk_true "$(cf_lit_fraction "$1" "$PLASMA_AREA") >= 0.2"; }

# The plasma above the open console: the same.
cf_is_plasma_above_console() { cf_awk_true "$(cf_lit_fraction "$1" "$ABOVE_CONSOLE") >= 0.2"; }

# Dark: at most 1% of the picture lit (the console closed, the TAB hint left out).
cf_is_dark() { cf_awk_true "$(cf_lit_fraction "$1" "$DARK_AREA") <= 0.01"; }

# Dark above the open console.
cf_is_dark_above_console() { cf_awk_true "$(cf_lit_fraction "$1" "$ABOVE_CONSOLE") <= 0.01"; }

# cf_band_at_row FILE ROW: the console band colour in screen row ROW, left, middle and right.
cf_band_at_row() {
  local band colour
  band=$(cf_hex_rgb "$CONSOLE_BAND_COLOUR")
  while read -r colour; do
    cf_near "$colour" "$band" 12 || return 1
  done < <(cf_colours "$1" "1x1+10+$2" "1x1+400+$2" "1x1+790+$2")
}

# The open console's top row is exactly the band colour, edges included.
cf_band_exact() {
  local band colour
  band=$(cf_hex_rgb "$CONSOLE_BAND_COLOUR")
  while read -r colour; do
    [[ "$colour" == "$band" ]] || return 1
  done < <(cf_colours "$1" "1x1+0+$CONSOLE_TOP" "1x1+10+$CONSOLE_TOP" "1x1+400+$CONSOLE_TOP" \
    "1x1+790+$CONSOLE_TOP" "1x1+$((FRAME_WIDTH - 1))+$CONSOLE_TOP")
}

# The fully open console: the band in its top row, the panel white where no control or text lies.
cf_is_console_open() {
  cf_band_at_row "$1" "$CONSOLE_TOP" || return 1
  local point regions=() colour
  for point in $CONSOLE_WHITE_POINTS; do regions+=("1x1+${point/,/+}"); done
  while read -r colour; do
    [[ "$(cf_hue "$colour")" == white ]] || return 1
  done < <(cf_colours "$1" "${regions[@]}")
}

# Which model button is red: prints its number, or "none", "several" or what it found. Each
# button's colour is averaged over its columns 2..5 and rows 2..9, clear of its centred number.
cf_red_model_button() {
  local j regions=() hues=() red=() colour
  for ((j = 0; j < MODEL_COUNT; j++)); do
    regions+=("4x8+$((MODEL_BUTTONS_LEFT + MODEL_BUTTON_WIDTH * j + 2))+$((MODEL_BUTTONS_TOP + 2))")
  done
  while read -r colour; do hues+=("$(cf_hue "$colour")"); done < <(cf_colours "$1" "${regions[@]}")
  ((${#hues[@]} == MODEL_COUNT)) || {
    echo "read ${#hues[@]} buttons"
    return
  }
  for ((j = 0; j < MODEL_COUNT; j++)); do
    case ${hues[j]} in
      red) red+=("$j") ;;
      green) ;;
      *)
        echo "button$j:${hues[j]}"
        return
        ;;
    esac
  done
  case ${#red[@]} in
    0) echo none ;;
    1) echo "${red[0]}" ;;
    *) echo several ;;
  esac
}

# Which play-mode button is red, read beside the centred labels in rows 3..9 of the buttons:
# prints MANUAL, RANDOM or what it found instead.
cf_red_play_mode() {
  local top=$((PLAY_MODE_TOP + 3)) hues=() colour
  while read -r colour; do hues+=("$(cf_hue "$colour")"); done < <(cf_colours "$1" \
    "6x7+$((MANUAL_LEFT + 3))+$top" "6x7+$((RANDOM_LEFT + PLAY_MODE_WIDTH - 11))+$top")
  case "${hues[0]}/${hues[1]}" in
    red/green) echo MANUAL ;;
    green/red) echo RANDOM ;;
    *) echo "${hues[0]}/${hues[1]}" ;;
  esac
}

# --- Waiting for what the screen shows --------------------------------------------------------------

# cf_shot_matches NAME PREDICATE...: one screenshot (cf_last_shot), kept when `PREDICATE... FILE`
# accepts it and set aside otherwise; the program must still run.
cf_shot_matches() {
  local _cf_name=$1
  shift
  cf_require_running
  cf_shot "$_cf_name"
  "$@" "$cf_last_shot" && return 0
  cf_drop_shot
  return 1
}

cf_waiting_for=""  # the NAME of the running wait

# cf_try_wait_for SECONDS NAME PREDICATE...: screenshots until `PREDICATE... FILE` accepts one
# (cf_last_shot); returns 1 after SECONDS. The folder keeps one picture per step, and the last
# one that did not match as unmatched-NAME.png.
cf_try_wait_for() {
  local _cf_seconds=$1
  cf_waiting_for=$2
  shift
  rm -f "$cf_shot_dir/unmatched-$cf_waiting_for.png"
  cf_wait_until "$_cf_seconds" "$cf_waiting_for screen" cf_shot_matches "$@"
}

# cf_wait_for SECONDS NAME PREDICATE...: the same, failing the run on timeout.
cf_wait_for() {
  cf_try_wait_for "$@" ||
    cf_fail "no $2 screen within $1 s (the last picture: $cf_shot_dir/unmatched-$2.png)"
}

# cf_changed_in_wait FILE REGION: how many pixels of the region differ from the wait's previous
# picture; fails in the wait's first poll.
cf_changed_in_wait() {
  local previous="$cf_shot_dir/unmatched-$cf_waiting_for.png"
  [[ -f "$previous" ]] && cf_changed_pixels "$previous" "$1" "$2"
}

# cf_moving FILE: in a wait, the plasma above the console and its glow (rows 0..509, drawn whether
# the console is open or not) moved since the previous picture: 5000 pixels changed or more.
cf_moving() {
  local changed
  changed=$(cf_changed_in_wait "$1" "$ABOVE_CONSOLE") && ((changed >= 5000))
}

# cf_still FILE: in a wait, the whole screen is still since the previous picture: 200 pixels
# changed at most (a blinking caret).
cf_still() {
  local changed
  changed=$(cf_changed_in_wait "$1" "${FRAME_WIDTH}x$FRAME_HEIGHT+0+0") && ((changed <= 200))
}

# cf_press KEY NAME PREDICATE...: presses KEY, then waits up to cf_effect_seconds for the NAME
# screen; fails otherwise. For the keys that a second press could hide a fault of (TAB and Q
# toggle, an arrow counts): they are never pressed again.
cf_press() {
  local _cf_key=$1
  shift
  cf_key "$_cf_key"
  cf_try_wait_for "$cf_effect_seconds" "$@" ||
    cf_fail "$_cf_key: no $1 screen within $cf_effect_seconds s (the last picture: $cf_shot_dir/unmatched-$1.png)"
}

# cf_press_again KEY NAME PREDICATE...: the same for a key whose second press cannot hide a fault
# (A draws a model, Z colours: a second draw is as good as the first): pressed once more when the
# first press showed nothing by the deadline.
cf_press_again() {
  local _cf_key=$1
  shift
  cf_key "$_cf_key"
  cf_try_wait_for "$cf_effect_seconds" "$@" && return 0
  cf_log "$_cf_key: no $1 screen within $cf_effect_seconds s; pressing it once more"
  cf_press "$_cf_key" "$@"
}

# cf_wait_for_intro SECONDS: waits until the intro page shows (picture: cf_last_shot).
cf_wait_for_intro() {
  cf_wait_until "$1" "intro page" cf_intro_shows || cf_fail "no intro page within $1 s"
}

cf_intro_shows() {
  cf_require_running
  if xdotool search --name '^error$' >/dev/null 2>&1; then
    cf_fail "the program shows its start-up error box"
  fi
  xdotool search --name '^Chromaflux$' >/dev/null 2>&1 && cf_shot_matches intro cf_is_intro
}

# --- Another program takes the screen, and Chromaflux gets it back ---------------------------------

cf_other_pid=""  # the wine process of the other program

cf_window_named() { xdotool search --name "$1" >/dev/null 2>&1; }
cf_other_program_ended() { ! kill -0 "$cf_other_pid" 2>/dev/null; }

# cf_open_other_program DIR: starts Wine's notepad, which takes the foreground (Wine minimises the
# full-screen program), and waits for its window.
cf_open_other_program() {
  cf_wine notepad </dev/null >"$1/notepad.log" 2>&1 &
  cf_other_pid=$!
  cf_wait_until 60 "notepad window" cf_window_named Notepad || cf_fail "notepad shows no window"
}

# Closes the other program (Alt+F4 on its window) and waits for it to end.
cf_close_other_program() {
  local window
  window=$(xdotool search --name 'Notepad' | head -n 1)
  [[ -n "$window" ]] || cf_fail "notepad's window is gone"
  xdotool windowactivate --sync "$window" key alt+F4 2>/dev/null
  cf_wait_until 30 "end of notepad" cf_other_program_ended || cf_fail "notepad did not close"
  wait "$cf_other_pid" 2>/dev/null || true
  cf_other_pid=""
}

# The window of the program, or a failure.
cf_program_window() {
  local window
  window=$(xdotool search --name '^Chromaflux$' | head -n 1)
  [[ -n "$window" ]] || cf_fail "no window named Chromaflux"
  echo "$window"
}

# Activates Chromaflux's window again, as a user does from the task bar.
cf_activate_program() {
  local window
  window=$(cf_program_window)
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowmap "$window" 2>/dev/null ||
    cf_fail "could not activate window $window"
}

# cf_switch_away DIR: the program leaves the screen as when the user turns to another program:
# Wine's notepad takes the foreground from the Windows program; the desktop program's window is
# minimised (a full-screen window stays in front of another program's under a window manager).
cf_switch_away() {
  if [[ "$cf_program_exe" == *.exe ]]; then
    cf_open_other_program "$1"
  else
    xdotool windowminimize "$(cf_program_window)" 2>/dev/null || cf_fail "could not minimise the window"
  fi
}

# cf_switch_back: the other program closed (Windows program) and Chromaflux's window activated.
cf_switch_back() {
  [[ -z "$cf_other_pid" ]] || cf_close_other_program
  cf_activate_program
}
