#!/usr/bin/env bash
# The display mode's settings file against the program: the file is well-formed XML; every
# argument that xscreensaver-settings can write from it (each end of the period's slider, each
# choice of models, the classic frame, all of them at once) is one that the program takes; the
# slider reaches no further than the program's periods; and the slider's default is the program's
# own, since the dialog writes no --period while the slider sits at its default. The arguments are
# proved by a tiny --render, which reads the same settings as --root. No display needed.
#
#   bash xscreensaver_settings_test.sh CHROMAFLUX_PROGRAM SETTINGS_XML WORK_DIR
set -euo pipefail

program=$1 xml=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

xmllint --noout "$xml" || {
  echo "FAIL: $xml is not well-formed XML"
  exit 1
}
# xpath XPATH: the attribute values it selects, one a line.
xpath() { xmllint --xpath "$1" "$xml" | sed 's/^ *[a-z-]*="\(.*\)"$/\1/'; }
period_arg=$(xpath 'string(//number[@id="period"]/@arg)')
[[ "$period_arg" == "--period %" ]] || fail "the period's slider writes '$period_arg'"
low=$(xpath 'string(//number[@id="period"]/@low)')
high=$(xpath 'string(//number[@id="period"]/@high)')
default=$(xpath 'string(//number[@id="period"]/@default)')
mapfile -t choices < <(xpath '//select[@id="models"]/option/@arg-set')
[[ "$(xpath 'count(//select[@id="models"]/option[not(@arg-set)])')" == 1 ]] ||
  fail "the models' choices need exactly one without arguments: all models, the default"
classic=$(xpath 'string(//boolean[@id="classic"]/@arg-set)')
mapfile -t renderers < <(xpath '//select[@id="renderer"]/option/@arg-set')
((${#renderers[@]} == 2)) || fail "the renderer's choices are not auto, gl and software"

# render EXPECTED_STATUS FILE ARGUMENT...: a run of a few frames of 4x3 pixels (800x600 with
# --classic, which takes no --size) ends with EXPECTED_STATUS.
render() {
  local expected=$1 file=$2 status=0 size=(--size 4x3)
  shift 2
  [[ " $* " != *" --classic "* ]] || size=()
  "$program" --render "$work/$file" "${size[@]}" --seed 7 --fps 10 "$@" >>"$work/runs.log" 2>&1 ||
    status=$?
  ((status == expected)) || fail "'$*' ended with $status, expected $expected (see $work/runs.log)"
}

# What the dialog can write, as a line of arguments each; the last, every kind together.
taken=("--period $low" "--period $high" "${choices[@]}" "$classic" "${renderers[@]}"
  "--period $high ${choices[-1]} $classic ${renderers[-1]}")
for arguments in "${taken[@]}"; do
  read -r -a words <<<"$arguments"
  render 0 taken.png --at 0 "${words[@]}"
done
render 2 refused.png --period $((low - 1))
render 2 refused.png --period $((high + 1))

# Just after a switch at the slider's default, a run of that period is the run without --period,
# and a run of one second more is not (the comparison can see a difference).
at=$((default * 1000 + 300))
render 0 without.png --at "$at"
render 0 default.png --at "$at" --period "$default"
render 0 longer.png --at "$at" --period $((default + 1))
cmp -s "$work/without.png" "$work/default.png" ||
  fail "the slider's default $default s is not the program's own period"
! cmp -s "$work/without.png" "$work/longer.png" ||
  fail "a period of $((default + 1)) s rendered as the default: the check above proves nothing"

((failed == 0)) || exit 1
echo "PASS: ${#taken[@]} argument sets taken, the slider's $low..$high s and default $default s the program's"
