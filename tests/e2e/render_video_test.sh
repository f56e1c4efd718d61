#!/usr/bin/env bash
# End-to-end, for --render of video files, as a user runs it (no display needed): each kind is
# written with its codec, size, frame count and rate as ffprobe reads them; the lossless file's
# decoded frames are the PNG pictures' bytes, with either renderer; no ffmpeg on the PATH, a folder that does not exist
# and an ffmpeg that dies midway each give their line and exit code 1 and leave nothing behind.
#
#   bash render_video_test.sh CHROMAFLUX_PROGRAM WORK_DIR
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

# What ffprobe reads of a clip's video: codec,width,height,frames,rate.
probe() {
  ffprobe -v error -select_streams v:0 -count_frames \
    -show_entries stream=codec_name,width,height,nb_read_frames,r_frame_rate -of csv=p=0 "$1"
}

readonly clip=(--size 321x181 --seed 5 --model 12 --at 0 --frames 12 --fps 24)
# kind  what ffprobe reads (odd sides padded to even ones for yuv420p; a GIF's delays are
# hundredths of a second, so ffprobe guesses its rate)
while read -r kind expected; do
  expect 0 --render "$dir/clip.$kind" "${clip[@]}"
  [[ "$(probe "$dir/clip.$kind")" == $expected ]] || fail "$kind: $(probe "$dir/clip.$kind"), expected $expected"
done <<'TABLE'
mp4  h264,322,182,24/1,12
webm vp9,322,182,24/1,12
mkv  ffv1,321,181,24/1,12
gif  gif,321,181,*,12
TABLE

expect 0 --render "$dir/frame.png" "${clip[@]}"
decoded() { ffmpeg -v error "$@" -f rawvideo -pix_fmt rgb24 - | md5sum; }
[[ "$(decoded -i "$dir/clip.mkv")" == "$(decoded -framerate 24 -i "$dir/frame-%04d.png")" ]] ||
  fail "the lossless clip's frames are not the PNG pictures"
DISPLAY= expect 0 --render "$dir/gl.mkv" "${clip[@]}" --renderer gl
[[ "$(decoded -i "$dir/gl.mkv")" == "$(decoded -i "$dir/clip.mkv")" ]] ||
  fail "the GL renderer's lossless clip is not the software renderer's"

# only_line PATTERN: besides the seed and the renderer it took, the run printed one line, matching
# PATTERN, and left no file behind.
only_line() {
  grep -v -e "^chromaflux: seed" -e "^chromaflux: .* renderer (" "$dir/out.log" >"$dir/lines.log" || true
  [[ $(wc -l <"$dir/lines.log") -eq 1 ]] && grep -q "$1" "$dir/lines.log" ||
    fail "expected one line like '$1': $(cat "$dir/out.log")"
  [[ -z "$(find "$dir" -name 'bad*' -o -name '*.tmp')" ]] || fail "files left: $(ls "$dir")"
}
PATH=/nonexistent expect 1 --render "$dir/bad.mp4" --size 8x8 --seed 1
only_line "no ffmpeg on the PATH.*install the package ffmpeg"
expect 1 --render "$dir/no-such-folder/bad.mp4" --size 8x8 --seed 1
only_line "cannot write '.*no-such-folder/bad.mp4'"
expect 2 --render "$dir/bad.avi" --size 8x8
only_line "'.*bad.avi' is not the name of a PNG file or a video"

# An ffmpeg that takes some frames, says why it gives up and is killed.
mkdir -p "$dir/dying"
cat >"$dir/dying/ffmpeg" <<'SCRIPT'
#!/bin/sh
head -c 100000 >/dev/null
echo "ffmpeg: out of patience" >&2
kill -KILL $$
SCRIPT
chmod +x "$dir/dying/ffmpeg"
PATH="$dir/dying:$PATH" expect 1 --render "$dir/bad.webm" --size 64x48 --seed 1 --frames 50
grep -q "ffmpeg was killed by signal 9 writing" "$dir/out.log" &&
  grep -q "  ffmpeg: out of patience" "$dir/out.log" || fail "the killed ffmpeg: $(cat "$dir/out.log")"
[[ -z "$(find "$dir" -name 'bad*' -o -name '*.tmp')" ]] || fail "files left: $(ls "$dir")"
echo PASS
