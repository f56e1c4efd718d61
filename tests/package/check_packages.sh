#!/usr/bin/env bash
# Checks the release packages that scripts/package wrote, without installing anything:
#
#   tests/package/check_packages.sh [DIST_DIR]    (default: dist/ of the repository)
#
# The .deb: lintian reports neither error nor warning (it checks owners and permissions too); its
# files and links are the expected ones; its desktop entry validates; unpacked (dpkg-deb -x) into
# a temporary folder, its program answers --version and runs headless in scripts/x-session up to
# the intro page and Esc.
# The zips: their file lists, the Windows programs built for the zip's processor, CRLF in the
# README. The version comes from project(... VERSION ...). Ends with "N passed, N failed".
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
dist="$(realpath "${1:-$repo/dist}")"
version=$(sed -n 's/^project(Chromaflux VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# check NAME COMMAND...: runs one check, its output shown only when it fails.
check() {
  local name=$1
  shift
  if "$@" >"$work/output" 2>&1; then
    passed=$((passed + 1))
    echo "ok     $name"
  else
    failed=$((failed + 1))
    echo "FAILED $name"
    sed 's/^/       /' "$work/output"
  fi
}

# same_lines EXPECTED ACTUAL: the two lists of lines are equal; prints the difference otherwise.
same_lines() { diff <(echo "$1") <(echo "$2"); }

deb="$dist/chromaflux_${version}_amd64.deb"
deb_files() {
  same_lines "$(cat <<'LIST'
./usr/bin/chromaflux
./usr/libexec/xscreensaver/chromaflux -> ../../bin/chromaflux
./usr/share/applications/chromaflux.desktop
./usr/share/doc/chromaflux/changelog.gz
./usr/share/doc/chromaflux/copyright
./usr/share/icons/hicolor/128x128/apps/chromaflux.png
./usr/share/icons/hicolor/16x16/apps/chromaflux.png
./usr/share/icons/hicolor/256x256/apps/chromaflux.png
./usr/share/icons/hicolor/32x32/apps/chromaflux.png
./usr/share/icons/hicolor/48x48/apps/chromaflux.png
./usr/share/icons/hicolor/64x64/apps/chromaflux.png
./usr/share/man/man6/chromaflux.6.gz
./usr/share/xscreensaver/config/chromaflux.xml
LIST
)" "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')"
}
# lintian's exit code stands for its errors and warnings; what it says goes to lintian.txt.
run_lintian() { lintian --fail-on error,warning --info "$deb" >"$work/lintian.txt" 2>&1; }
unpacked_version() {
  local answer
  answer=$(env -u DISPLAY timeout 10 "$work/deb/usr/bin/chromaflux" --version)
  [[ "$answer" == "chromaflux $version" ]] || {
    echo "answered: $answer"
    return 1
  }
}
# A second attempt only when the X session itself could not start (a busy machine).
unpacked_headless_run() {
  local attempt
  for attempt in 1 2; do
    "$repo/scripts/x-session" bash -c "source '$repo/scripts/lib/drive.sh'
      cf_begin_test '$work/deb/usr/bin/chromaflux' '$work/shots'
      cf_wait_for_intro 60
      cf_key Escape
      cf_expect_exit 10 0" 2>&1 | tee "$work/session.log" && return 0
    grep -q '^x-session:' "$work/session.log" || return 1
  done
  return 1
}

echo "=== $deb"
check "lintian: no error, no warning" run_lintian
grep -v 'root privileges' "$work/lintian.txt" | sed 's/^/       lintian: /' || true
check "file list" deb_files
dpkg-deb -x "$deb" "$work/deb"
check "desktop entry" desktop-file-validate "$work/deb/usr/share/applications/chromaflux.desktop"
check "chromaflux --version" unpacked_version
check "headless run of the unpacked program" unpacked_headless_run

# zip_files ZIP FOLDER FILE...: the zip holds exactly FOLDER/FILE for each FILE.
zip_files() {
  local zip=$1 folder=$2
  shift 2
  same_lines "$(printf "$folder/%s\n" "$@" | sort)" "$(cmake -E tar tf "$zip" | grep -v '/$' | sort)"
}
# machine_is PATH TEXT: the unpacked PATH is a program that `file` describes with TEXT.
machine_is() { file -b "$work/$1" | grep -F "$2"; }
crlf_text() { ! grep -v $'\r$' "$work/$1"; }

for arch in x86_64 i686; do
  name=chromaflux-$version-windows-$arch
  echo "=== $dist/$name.zip"
  check "file list" zip_files "$dist/$name.zip" "$name" chromaflux.exe chromaflux.scr README.txt \
    LICENSE.txt THIRD-PARTY-NOTICES.txt
  (cd "$work" && cmake -E tar xf "$dist/$name.zip")
  expected="PE32 executable (GUI) Intel 80386"
  [[ $arch == i686 ]] || expected="PE32+ executable (GUI) x86-64"
  for program in chromaflux.exe chromaflux.scr; do
    check "$program: $expected" machine_is "$name/$program" "$expected"
  done
  check "README.txt with CRLF line ends" crlf_text "$name/README.txt"
done

name=chromaflux-$version-web
echo "=== $dist/$name.zip"
check "file list" zip_files "$dist/$name.zip" "$name" index.html chromaflux.js chromaflux.wasm \
  chromaflux.webmanifest chromaflux-192.png chromaflux-512.png service-worker.js LICENSE.txt \
  THIRD-PARTY-NOTICES.txt

echo "$passed passed, $failed failed"
((failed == 0))
