# shellcheck shell=bash
# Drives Chromaflux under X the way a user does (xdotool keys and clicks; scripts/wine-session and
# scripts/x-session run openbox as the window manager) and reads the screen back with ImageMagick.
# Sourced by scripts/run's screenshot tour and by the end-to-end tests. Needs DISPLAY (an
# 800x600x24 X server) and, for the Windows program, wine.
#
# Screen geometry used below, at 800 x 600 with the console fully open (console top row 520):
# the intro prompt sits at y 438, the colour band is console row 0, the play-mode buttons are
# console rows 37..49 and the 14 model buttons console rows 52..65, 24 columns each from x 286.

cf_program_pid=""    # pid of the process that started the program (wine for the Windows one)
cf_program_exe=""    # the program's absolute path
cf_program_args=()   # the arguments it was started with
cf_program_rc_file=""  # the program's exit code lands here when it ends
cf_shot_dir=""       # where cf_shot saves its pictures
cf_shot_count=0      # numbers the pictures in the order they were taken
cf_last_shot=""      # path of the latest picture of cf_shot, cf_wait_for_intro or cf_wait_for

# The program runs on Wine's default renderer (GL, Mesa llvmpipe under Xvfb), as users run it.
# Wine 8 kills about one process in three at exit there (SIGSEGV, exit code 139) when an
# off-screen surface outlives the DirectDraw object, which is why the program releases its logo
# surfaces first; set WINE_D3D_CONFIG=renderer=no3d to try system-memory surfaces instead.

cf_log() { printf '[%s] %s\n' "$(date +%T.%3N)" "$*"; }
cf_fail() {
  cf_log "FAIL: $*"
  exit 1
}

# Milliseconds since the epoch.
cf_now_ms() { echo $(($(date +%s%N) / 1000000)); }

# cf_awk_true EXPR: succeeds when the awk expression EXPR (numbers inlined) is true.
cf_awk_true() { awk "BEGIN { exit !($1) }"; }

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
      wine "$exe" "${cf_program_args[@]}" </dev/null >"$dir/program.log" 2>&1 &
    else
      "$exe" "${cf_program_args[@]}" </dev/null >"$dir/program.log" 2>&1 &
    fi
    echo $! >"$pid_file"
    rc=0
    wait $! || rc=$?
    echo "$rc" >"$cf_program_rc_file"
  ) 2>/dev/null &
  while [[ ! -s "$pid_file" ]]; do sleep 0.05; done
  cf_program_pid=$(<"$pid_file")
  trap cf_cleanup EXIT
  cf_log "started $exe (pid $cf_program_pid)"
}

cf_running() { [[ -n "$cf_program_pid" && ! -e "$cf_program_rc_file" ]]; }

# Kills the program if it is still running (a failed test must not leave it on the display).
cf_cleanup() {
  if cf_running; then
    kill -KILL "$cf_program_pid" 2>/dev/null || true
    local i
    for i in $(seq 50); do
      [[ -e "$cf_program_rc_file" ]] && break
      sleep 0.1
    done
  fi
}

# The pid of the Windows process running the program, found by its command line: the path given
# to wine, or its Windows form (Z: and backslashes), then the arguments; empty when there is none.
# `wine` does not always run the program in its own process: with 32-bit Wine installed, a 64-bit
# program runs in a child of start.exe, whose command line is the Windows form.
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

# cf_rss_kb PID: the process's resident memory in KiB.
cf_rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# cf_wait_exit SECONDS: waits for the program to end and prints its exit code; fails on timeout.
cf_wait_exit() {
  local deadline=$(($(cf_now_ms) + $1 * 1000))
  while cf_running; do
    (($(cf_now_ms) < deadline)) || return 1
    sleep 0.1
  done
  cat "$cf_program_rc_file"
}

# cf_expect_exit SECONDS CODE: the program ends within SECONDS with exit code CODE.
cf_expect_exit() {
  local rc
  rc=$(cf_wait_exit "$1") || cf_fail "the program did not end within $1 s"
  [[ "$rc" == "$2" ]] || cf_fail "exit code $rc, expected $2"
  cf_log "the program ended with exit code $rc"
}

cf_require_running() { cf_running || cf_fail "the program ended early (exit code $(<"$cf_program_rc_file")); see $cf_shot_dir/program.log"; }

# cf_shot NAME: a screenshot of the whole screen as DIR/NN-NAME.png, its path in cf_last_shot.
cf_shot() {
  cf_shot_count=$((cf_shot_count + 1))
  cf_last_shot=$(printf '%s/%02d-%s.png' "$cf_shot_dir" "$cf_shot_count" "$1")
  import -window root "PNG24:$cf_last_shot"
}

# Deletes the latest picture again (a poll that did not match yet).
cf_drop_shot() {
  rm -f "$cf_last_shot"
  cf_shot_count=$((cf_shot_count - 1))
}

# cf_key KEY...: key presses through the X test extension, which Wine takes as typed keys.
cf_key() {
  local key
  for key in "$@"; do xdotool key "$key" 2>/dev/null; done
}

# cf_click X Y: a left click at (X, Y).
cf_click() { xdotool mousemove "$1" "$2" click 1 2>/dev/null; }

# cf_rgb FILE GEOMETRY: the average colour of a region (WxH+X+Y) as "R G B", 0..255 each.
cf_rgb() {
  convert "$1" -crop "$2" +repage -scale '1x1!' -depth 8 txt:- |
    sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# cf_channel_max FILE GEOMETRY: the largest red, green and blue values of a region, "R G B" 0..255.
cf_channel_max() {
  convert "$1" -crop "$2" +repage -separate -format '%[fx:round(255*maxima)] ' info: |
    awk '{ print $1, $2, $3 }'
}

# cf_lit_fraction FILE GEOMETRY: the fraction of pixels of a region whose brightest channel is
# above 32 of 255; about 0 on black, 0.2 and more on the plasma whatever its palette.
cf_lit_fraction() {
  convert "$1" -crop "$2" +repage -separate -evaluate-sequence max -threshold 12.5% \
    -format '%[fx:mean]' info:
}

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

# --- What the screens look like -------------------------------------------------------------

# The intro page: the white title "CHROMAFLUX" centred at y 100 on an otherwise dark screen.
cf_is_intro() {
  local title lit
  title=$(cf_channel_max "$1" 120x12+340+99)
  lit=$(cf_lit_fraction "$1" 800x600+0+0)
  [[ "$(cf_hue "$title")" == white ]] && cf_awk_true "$lit < 0.05"
}

# The plasma: at least a fifth of rows 0..499 lit.
cf_is_plasma() { cf_awk_true "$(cf_lit_fraction "$1" 800x500+0+0) >= 0.2"; }

# Dark: at most 1% of rows 0..579 lit (the TAB hint at the bottom right stays out).
cf_is_dark() { cf_awk_true "$(cf_lit_fraction "$1" 800x580+0+0) <= 0.01"; }

# The console band colour 0xB5EE51 in screen row ROW, left, middle and right.
cf_band_at_row() {
  local x
  for x in 10 400 790; do
    cf_near "$(cf_rgb "$1" "1x1+$x+$2")" "181 238 81" 12 || return 1
  done
}

# The fully open console: band in row 520, white panel where no control or text lies.
cf_is_console_open() {
  cf_band_at_row "$1" 520 || return 1
  local point
  for point in 200+535 550+560 150+580 250+599; do
    [[ "$(cf_hue "$(cf_rgb "$1" "1x1+$point")")" == white ]] || return 1
  done
}

# Which of the 14 model buttons is red: prints its number, or "none"/"several"/what it found.
# Each button's colour is averaged over its columns 2..5 in console rows 54..61, clear of its
# centred number; one convert call reads all 14.
cf_red_model_button() {
  local j=0 red=() hue
  while read -r rgb; do
    hue=$(cf_hue "$rgb")
    case $hue in
      red) red+=("$j") ;;
      green) ;;
      *)
        echo "button$j:$hue"
        return
        ;;
    esac
    j=$((j + 1))
  done < <(convert "$1" -crop 336x8+286+574 +repage -crop 24x8 +repage -crop 4x8+2+0 +repage \
    -scale '1x1!' +append -depth 8 txt:- |
    sed -n 's/^[0-9]*,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p')
  ((j == 14)) || {
    echo "read $j buttons"
    return
  }
  case ${#red[@]} in
    0) echo none ;;
    1) echo "${red[0]}" ;;
    *) echo several ;;
  esac
}

# Which play-mode button is red, MANUAL (x 286..351) or RANDOM (x 351..416), read beside their
# centred labels in console rows 40..46: prints MANUAL, RANDOM or what it found instead.
cf_red_play_mode() {
  local manual random
  manual=$(cf_hue "$(cf_rgb "$1" 6x7+289+560)")
  random=$(cf_hue "$(cf_rgb "$1" 6x7+406+560)")
  case "$manual/$random" in
    red/green) echo MANUAL ;;
    green/red) echo RANDOM ;;
    *) echo "$manual/$random" ;;
  esac
}

# cf_begin_test EXE DIR [ARG...]: the common start of an end-to-end test: a display must be there,
# the screenshot folder starts empty, and the program starts with the arguments.
cf_begin_test() {
  [[ -n "${DISPLAY:-}" ]] || cf_fail "DISPLAY is not set: run the Windows tests through scripts/wine-session"
  rm -rf "$2"
  cf_start "$@"
}

# --- Steps shared by the tests and the screenshot tour ----------------------------------------

# cf_wait_for_intro SECONDS: polls the screen until the intro page shows (picture: cf_last_shot).
cf_wait_for_intro() {
  local deadline=$(($(cf_now_ms) + $1 * 1000))
  while :; do
    cf_require_running
    if xdotool search --name '^error$' >/dev/null 2>&1; then
      cf_fail "the program shows its start-up error box"
    fi
    if xdotool search --name '^Chromaflux$' >/dev/null 2>&1; then
      cf_shot intro
      cf_is_intro "$cf_last_shot" && return 0
      cf_drop_shot
    fi
    (($(cf_now_ms) < deadline)) || cf_fail "no intro page within $1 s"
    sleep 0.25
  done
}

# cf_try_wait_for SECONDS NAME PREDICATE: screenshots until PREDICATE accepts one (cf_last_shot);
# returns 1 after SECONDS, keeping the last picture. Pictures that do not match are deleted, so the
# folder keeps one picture per step.
cf_try_wait_for() {
  local deadline=$(($(cf_now_ms) + $1 * 1000)) name=$2 predicate=$3
  while :; do
    cf_require_running
    cf_shot "$name"
    "$predicate" "$cf_last_shot" && return 0
    (($(cf_now_ms) < deadline)) || return 1
    cf_drop_shot
    sleep 0.1
  done
}

# cf_wait_for SECONDS NAME PREDICATE: the same, failing the run on timeout.
cf_wait_for() {
  cf_try_wait_for "$@" || cf_fail "no $2 screen within $1 s (see $cf_last_shot)"
}

# --- Another program takes the foreground, and Chromaflux gets it back ---------------------------

cf_other_pid=""  # the wine process of the other program

# cf_open_other_program DIR: starts Wine's notepad, which takes the foreground (Wine minimises the
# full-screen program); waits up to 30 s for its window.
cf_open_other_program() {
  wine notepad </dev/null >"$1/notepad.log" 2>&1 &
  cf_other_pid=$!
  local deadline=$(($(cf_now_ms) + 30000))
  until xdotool search --name 'Notepad' >/dev/null 2>&1; do
    (($(cf_now_ms) < deadline)) || cf_fail "notepad shows no window within 30 s"
    sleep 0.2
  done
}

# Closes the other program (Alt+F4 on its window) and waits up to 10 s for it to end.
cf_close_other_program() {
  local window
  window=$(xdotool search --name 'Notepad' | head -n 1)
  [[ -n "$window" ]] || cf_fail "notepad's window is gone"
  xdotool windowactivate --sync "$window" key alt+F4 2>/dev/null
  local deadline=$(($(cf_now_ms) + 10000))
  while kill -0 "$cf_other_pid" 2>/dev/null; do
    (($(cf_now_ms) < deadline)) || cf_fail "notepad did not close within 10 s"
    sleep 0.1
  done
  wait "$cf_other_pid" 2>/dev/null || true
  cf_other_pid=""
}

# Activates Chromaflux's window again, as a user does from the task bar.
cf_activate_program() {
  local window
  window=$(xdotool search --name '^Chromaflux$' | head -n 1)
  [[ -n "$window" ]] || cf_fail "no window named Chromaflux"
  xdotool windowactivate --sync "$window" 2>/dev/null || cf_fail "could not activate window $window"
}

# cf_changed_pixels A B GEOMETRY: how many pixels of the region differ between two pictures.
cf_changed_pixels() {
  compare -metric AE "$1[$3]" "$2[$3]" null: 2>&1 || true
}
