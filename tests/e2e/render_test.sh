#!/usr/bin/env bash
# End-to-end, for the desktop program's --render, as a user runs it (no display needed): a picture
# of the asked size, the same bytes twice, a clip of numbered files, one line and exit code 2 for a
# bad size, exit code 1 and nothing left for a file that cannot be written; the GL renderer's
# pictures through EGL with no display the same bytes as the software renderer's, auto passing
# over Mesa's processor rasterisers, and --renderer gl where EGL has no driver: one line, exit 1.
#
#   bash render_test.sh CHROMAFLUX_PROGRAM WORK_DIR
set -euo pipefail
readonly program=$1 dir=$2
rm -rf "$dir"
mkdir -p "$dir"
fail() {
  echo "FAIL: $*"
  exit 1
}

# expect CODE COMMAND...: runs the program with the arguments; its exit code must be CODE.
expect() {
  local code=$1 status=0
  shift
  "$program" "$@" >"$dir/out.log" 2>&1 || status=$?
  ((status == code)) || fail "chromaflux $* exited with $status, expected $code: $(cat "$dir/out.log")"
}

expect 0 --render "$dir/a.png" --size 333x177 --seed 5 --at 200
expect 0 --render "$dir/b.png" --size=333x177 --seed=5 --at=200
cmp -s "$dir/a.png" "$dir/b.png" || fail "two runs with the same arguments wrote different bytes"
[[ "$(identify -format '%wx%h' "$dir/a.png")" == 333x177 ]] || fail "a.png is not 333x177"
[[ "$(identify -format '%[fx:maxima]' "$dir/a.png")" != 0 ]] || fail "a.png is black"

expect 0 --render "$dir/clip.png" --size 64x48 --seed 5 --at 0 --frames 3 --model 12
for k in 1 2 3; do [[ -s "$dir/clip-000$k.png" ]] || fail "clip-000$k.png is missing"; done
[[ ! -e "$dir/clip-0004.png" && ! -e "$dir/clip.png" ]] || fail "the clip wrote more than 3 files"

for size in 0x5 16385x1 12x x12; do
  expect 2 --render "$dir/bad.png" --size "$size"
  [[ $(wc -l <"$dir/out.log") -eq 1 ]] || fail "--size $size: not one line: $(cat "$dir/out.log")"
done
expect 1 --render "$dir/no-such-folder/c.png" --size 8x8 --seed 1
[[ ! -e "$dir/no-such-folder" && -z "$(find "$dir" -name '*.tmp')" ]] || fail "a failed write left files"

# The GL renderer where no display is set at all: its bytes, and whom auto takes on llvmpipe.
for renderer in gl software auto; do
  DISPLAY= expect 0 --render "$dir/$renderer.png" --size 1921x1081 --seed 5 --model 0 --renderer "$renderer"
  grep -q "^chromaflux: .* renderer" "$dir/out.log" || [[ $renderer == software ]] ||
    fail "--renderer $renderer named no renderer: $(cat "$dir/out.log")"
  cp "$dir/out.log" "$dir/$renderer.log"
done
cmp -s "$dir/gl.png" "$dir/software.png" || fail "the GL and the software renderer wrote different bytes"
grep -q "^chromaflux: GL renderer (llvmpipe" "$dir/gl.log" || fail "gl: $(cat "$dir/gl.log")"
grep -q "^chromaflux: software renderer (llvmpipe" "$dir/auto.log" ||
  fail "auto did not pass over llvmpipe: $(cat "$dir/auto.log")"
__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent expect 1 --render "$dir/none.png" --size 8x8 --seed 1 --renderer gl
[[ $(wc -l <"$dir/out.log") -eq 1 && ! -e "$dir/none.png" ]] ||
  fail "gl without a driver: $(cat "$dir/out.log")"
echo PASS
