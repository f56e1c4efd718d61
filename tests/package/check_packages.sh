#!/usr/bin/env bash
# Checks the release packages that scripts/package wrote, without installing anything on this
# machine (the Windows installers install into a Wine prefix of their own):
#
#   tests/package/check_packages.sh [DIST_DIR]    (default: dist/ of the repository)
#
# The .deb: lintian reports neither error nor warning (it checks owners and permissions too); its
# files and links are the expected ones; its desktop entry validates; unpacked (dpkg-deb -x) into
# a temporary folder, its program answers --version and runs headless in scripts/x-session up to
# the intro page and Esc.
# The zips: their file lists, the Windows programs built for the zip's processor, CRLF in the
# README. The installers: built for their processor, their file lists (7-Zip reads NSIS
# installers), and an install, a run of the installed screen saver and an uninstall under Wine in
# a new prefix (tests/package/installer_test.sh; skipped for a 32-bit installer where 32-bit
# programs cannot run). The version comes from project(... VERSION ...). Ends with "N passed, N
# failed, N skipped".
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
dist="$(realpath "${1:-$repo/dist}")"
version=$(sed -n 's/^project(Chromaflux VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
skipped=0

# check NAME COMMAND...: runs one check, its output shown only when it fails; exit code 77 is a
# skip, its reason the output's last line.
check() {
  local name=$1 status=0 reason
  shift
  "$@" >"$work/output" 2>&1 || status=$?
  if ((status == 0)); then
    passed=$((passed + 1))
    echo "ok     $name"
  elif ((status == 77)); then
    skipped=$((skipped + 1))
    reason=$(tail -n 1 "$work/output")
    reason=${reason#\[*\] }  # the harness's time stamp
    echo "skip   $name: ${reason#skipped: }"
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
# file_is FILE TEXT: `file` describes FILE with TEXT; machine_is PATH TEXT: the unpacked PATH.
file_is() { file -b "$1" | grep -F "$2"; }
machine_is() { file_is "$work/$1" "$2"; }
# installer_files SETUP: the files that the installer holds (its program folder's, and $SYSDIR's
# as NSIS names the system folder), NSIS's own plug-ins left out; the first path that 7-Zip
# lists is the installer's own.
# shellcheck disable=SC2016  # $SYSDIR and $PLUGINSDIR are NSIS's names, not the shell's
installer_files() {
  same_lines "$(printf '%s\n' '$SYSDIR/chromaflux.scr' LICENSE.txt README.txt \
    THIRD-PARTY-NOTICES.txt Uninstall.exe chromaflux.exe chromaflux.scr)" \
    "$(7zz l -slt "$1" | sed -n 's/^Path = //p' | tail -n +2 | grep -v '^\$PLUGINSDIR/' |
      LC_ALL=C sort)"
}
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

  setup=$dist/$name-setup.exe
  echo "=== $setup"
  check "installer: $expected" file_is "$setup" "$expected"
  check "file list" installer_files "$setup"
  check "install, screen saver, uninstall under Wine" bash "$repo/tests/package/installer_test.sh" \
    "$setup" "$repo/build/package-checks/installer-$arch"
done

name=chromaflux-$version-web
echo "=== $dist/$name.zip"
check "file list" zip_files "$dist/$name.zip" "$name" index.html chromaflux.js chromaflux.wasm \
  chromaflux.webmanifest chromaflux-192.png chromaflux-512.png service-worker.js LICENSE.txt \
  THIRD-PARTY-NOTICES.txt

echo "$passed passed, $failed failed, $skipped skipped"
((failed == 0))
