#!/usr/bin/env bash
# End-to-end: the screen saver on two monitors of different sizes, "chromaflux.scr /s" in
# scripts/wine-session --two-monitors (1920 x 1080, primary, and 1280 x 1024 on its right). The
# plasma fills each monitor at its own size and moves on both, and a pointer move ends it with
# exit code 0. Each monitor has a picture of its own: where the two meet, the picture breaks off,
# where one picture over both would run on as smoothly as anywhere else. With the classic frame stored, each monitor shows it in its own 4:3 box, black
# beside it: bars at the sides of the primary, above and below it on the second, which shows
# that each picture has its monitor's shape (the second is 1280 x 1024, not the virtual screen's
# 1080 rows). With the GL renderer stored (`Renderer` gl), which the saver names to a debugger
# (Wine's debugstr channel), the plasma fills, moves and breaks off at the seam as before.
#
#   scripts/wine-session --two-monitors bash saver_monitors_test.sh CHROMAFLUX_SCR SCREENSHOT_DIR
set -euo pipefail
# shellcheck source=scripts/lib/drive.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/drive.sh"

readonly kStartSeconds=90  # Wine start-up plus the 48 MB of geometry tables
readonly kKey='HKCU\Software\Chromaflux'

# The monitors as X tells of them, "WxH+X+Y" each: Xephyr's Xinerama heads, which Wine lists.
mapfile -t heads < <(xdpyinfo -ext XINERAMA |
  awk '/head #[0-9]+:/ { split($5, at, ","); print $3 "+" at[1] "+" at[2] }')
((${#heads[@]} == 2)) || cf_fail "not two monitors (${heads[*]}): run in scripts/wine-session --two-monitors"
read -r root_width root_height < <(xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2 }')

# geometry REGION: the region WxH+X+Y as "W H X Y".
geometry() { tr 'x+' '  ' <<<"$1"; }

# The seam: the second monitor's first column, right of the first monitor, and the rows they share.
read -r first_width first_height first_x first_y < <(geometry "${heads[0]}")
read -r _ second_height seam_x seam_y < <(geometry "${heads[1]}")
((seam_x == first_x + first_width && seam_y == first_y)) ||
  cf_fail "the second monitor is not to the right of the first (${heads[*]})"
seam_rows=$((first_height < second_height ? first_height : second_height))

# edges REGION: the region's eighths at its left, right, top and bottom edges.
edges() {
  local w h x y
  read -r w h x y < <(geometry "$1")
  echo "$((w / 8))x$h+$x+$y" "$((w / 8))x$h+$((x + w - w / 8))+$y" \
    "${w}x$((h / 8))+$x+$y" "${w}x$((h / 8))+$x+$((y + h - h / 8))"
}

lit_at_least() { cf_awk_true "$(cf_lit_fraction "$1" "$2") >= $3"; }
black() { cf_awk_true "$(cf_lit_fraction "$1" "$2") <= 0.01"; }
# Varied: the plasma's shades, not one flat colour.
varied() {
  cf_awk_true "$(convert "$1" -crop "$2" +repage -colorspace gray -format '%[fx:standard_deviation]' info:) >= 0.05"
}

# Each monitor mostly lit and varied, lit at every edge. The root's rows below the second
# monitor are outside every monitor, and what X gives back for them is not judged.
plasma_on_both() {
  local head edge
  for head in "${heads[@]}"; do
    lit_at_least "$1" "$head" 0.5 && varied "$1" "$head" || return 1
    for edge in $(edges "$head"); do lit_at_least "$1" "$edge" 0.2 || return 1; done
  done
}

# column_step IMAGE X Y ROWS: how far column X differs from column X - 1 over ROWS rows from Y,
# the mean absolute difference of their channels, 0 ... 1.
column_step() {
  convert \( "$1" -crop "1x$4+$(($2 - 1))+$3" +repage \) \( "$1" -crop "1x$4+$2+$3" +repage \) \
    -compose difference -composite -format '%[fx:mean]' info:
}

# The picture breaks off at the seam between the monitors: the step from the first monitor's
# last column to the second's first is clearly there (a 50th of the range at least) and four
# times the steps just beside it, over the rows the monitors share. One smooth picture over the
# virtual screen steps there as it does everywhere, and a frame that happens to match at the
# seam only makes the wait take another picture.
picture_breaks_at_seam() {
  local inside_left across inside_right
  inside_left=$(column_step "$1" $((seam_x - 1)) "$seam_y" "$seam_rows")
  across=$(column_step "$1" "$seam_x" "$seam_y" "$seam_rows")
  inside_right=$(column_step "$1" $((seam_x + 1)) "$seam_y" "$seam_rows")
  cf_log "steps at the seam: $inside_left, $across, $inside_right"
  cf_awk_true "$across >= 0.02 && $across >= 4 * $inside_left && $across >= 4 * $inside_right"
}

# The pictures moved on both monitors since the previous one this predicate saw: a hundredth of
# each monitor's pixels changed at least (ImageMagick may count them as 2.0736e+06).
moved_on_both() {
  local previous="$cf_shot_dir/previous.png" head w h
  [[ -f "$previous" ]] || {
    cp "$1" "$previous"
    return 1
  }
  for head in "${heads[@]}"; do
    read -r w h _ < <(geometry "$head")
    cf_awk_true "$(cf_changed_pixels "$previous" "$1" "$head") >= $((w * h / 100))" || return 1
  done
}

# The classic frame's 4:3 box of a monitor, "WxH+X+Y", and the bars beside it (two regions).
classic_box() {
  local w h x y bw bh
  read -r w h x y < <(geometry "$1")
  if ((w * 3 > h * 4)); then bw=$((h * 4 / 3)) bh=$h; else bw=$w bh=$((w * 3 / 4)); fi
  echo "${bw}x$bh+$((x + (w - bw) / 2))+$((y + (h - bh) / 2))"
}
classic_bars() {
  local w h x y bw bh
  read -r w h x y < <(geometry "$1")
  if ((w * 3 > h * 4)); then
    bw=$(((w - h * 4 / 3) / 2))
    echo "$((bw - 2))x$h+$x+$y" "$((bw - 2))x$h+$((x + w - bw + 2))+$y"
  else
    bh=$(((h - w * 3 / 4) / 2))
    echo "${w}x$((bh - 2))+$x+$y" "${w}x$((bh - 2))+$x+$((y + h - bh + 2))"
  fi
}

# The classic frame in each monitor's box, lit and varied, and black beside it (2 pixels of
# rounding left out).
classic_on_both() {
  local head bar
  for head in "${heads[@]}"; do
    lit_at_least "$1" "$(classic_box "$head")" 0.5 && varied "$1" "$(classic_box "$head")" ||
      return 1
    for bar in $(classic_bars "$head"); do black "$1" "$bar" || return 1; done
  done
}

cf_wine reg delete "$kKey" /f >/dev/null 2>&1 || true
cf_log "monitors: ${heads[*]} on a root of ${root_width}x$root_height"
for frame in hd classic gl; do
  if [[ $frame == classic ]]; then
    cf_wine reg add "$kKey" /v Classic /t REG_DWORD /d 1 /f >/dev/null 2>&1
  elif [[ $frame == gl ]]; then
    cf_wine reg delete "$kKey" /f >/dev/null 2>&1
    cf_wine reg add "$kKey" /v Renderer /t REG_SZ /d gl /f >/dev/null 2>&1
  fi
  xdotool mousemove 960 540
  WINEDEBUG=-all,+debugstr cf_begin_test "$1" "$2/$frame" /s
  if [[ $frame == classic ]]; then
    cf_wait_for "$kStartSeconds" classic classic_on_both
    cf_log "the classic frame in each monitor's box: $cf_last_shot"
  else
    cf_wait_for "$kStartSeconds" plasma plasma_on_both
    cf_log "the plasma on both monitors: $cf_last_shot"
    rm -f "$cf_shot_dir/previous.png"
    cf_wait_for 30 moving moved_on_both
    cf_log "moving on both: $cf_last_shot"
    cf_wait_for 30 per-monitor picture_breaks_at_seam
    cf_log "the picture breaks off at the seam: $cf_last_shot"
  fi
  if [[ $frame == gl ]]; then
    named=$(grep -o 'chromaflux: [^\]*' "$cf_shot_dir/program.log" || true)
    [[ $named == "chromaflux: GL renderer"* ]] || cf_fail "not the GL renderer: '$named'"
    cf_log "$named"
  fi
  xdotool mousemove_relative 40 0
  cf_expect_exit 10 0
done
cf_wine reg delete "$kKey" /f >/dev/null 2>&1 || true
cf_log "PASS"
