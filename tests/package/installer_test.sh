#!/usr/bin/env bash
# The Windows installer under Wine, in a new Wine prefix:
#
#   bash tests/package/installer_test.sh SETUP_EXE DIR
#
# "SETUP_EXE /S" installs the program's files under Program Files, the screen saver also into the
# system folder of its processor, a Start-menu folder and the uninstall key with the version and
# the publisher; the installed "chromaflux.scr /s" shows the plasma and ends on a key; and
# "Uninstall.exe /S" leaves none of those files and keys behind, nor the screen saver's settings
# (HKCU\Software\Chromaflux). A 32-bit installer where 32-bit programs cannot run is a skip (exit
# 77). DIR gets the prefix (made anew each run, in scripts/wine-session), the logs and pictures.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=scripts/lib/drive.sh
source "$repo/scripts/lib/drive.sh"

if [[ "${1:-}" != --in-session ]]; then
  if ! cf_can_run_windows_program "$1"; then
    cf_log "skipped: $cf_no_32bit_reason, and $(basename "$1") is a 32-bit program"
    exit 77
  fi
  rm -rf "$2"
  mkdir -p "$2"
  WINEPREFIX="$(realpath "$2")/wineprefix" exec "$repo/scripts/wine-session" \
    bash "${BASH_SOURCE[0]}" --in-session "$(realpath "$1")" "$(realpath "$2")"
fi

readonly kInstallSeconds=120
readonly kSaverStartSeconds=90  # Wine start-up plus the 48 MB of geometry tables
readonly kUninstallKey='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Chromaflux'
readonly kSettingsKey='HKCU\Software\Chromaflux'

setup=$2
shots=$3
version=$(sed -n 's/^project(Chromaflux VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
# Start-menu links would make Wine write desktop entries into this machine's own menus.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"

# In a 64-bit prefix a 32-bit installer is redirected to the 32-bit folders and registry view.
drive_c=$WINEPREFIX/drive_c
if cf_windows_program_is_32bit "$setup"; then
  program_dir="$drive_c/Program Files (x86)/Chromaflux" system_dir=$drive_c/windows/syswow64 view=32
else
  program_dir="$drive_c/Program Files/Chromaflux" system_dir=$drive_c/windows/system32 view=64
fi
start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Chromaflux"
installed=(
  "$program_dir/chromaflux.exe" "$program_dir/chromaflux.scr" "$program_dir/README.txt"
  "$program_dir/LICENSE.txt" "$program_dir/THIRD-PARTY-NOTICES.txt" "$program_dir/Uninstall.exe"
  "$system_dir/chromaflux.scr" "$start_menu/Chromaflux.lnk" "$start_menu/Uninstall.lnk"
)

# windows_path PATH: the prefix's PATH as Windows names it (C:\...).
windows_path() {
  local path=${1/#$drive_c/C:}
  echo "${path//\//\\}"
}
wine_reg() { cf_wine reg "$@" "/reg:$view" 2>/dev/null | tr -d '\r'; }
# reg_value KEY NAME: the value's data, empty when there is none.
reg_value() {
  wine_reg query "$1" /v "$2" | awk -v name="$2" '$1 == name { $1 = $2 = ""; sub(/^ +/, ""); print }'
}
reg_key_exists() { cf_wine reg query "$1" "/reg:$view" >/dev/null 2>&1; }

# What the uninstaller must remove and has not yet, one a line.
leftovers() {
  local path key
  for path in "${installed[@]}" "$program_dir" "$start_menu"; do
    [[ ! -e "$path" ]] || echo "$path"
  done
  for key in "$kUninstallKey" 'HKLM\Software\The Chromaflux developers' "$kSettingsKey"; do
    reg_key_exists "$key" && echo "$key"
  done
  return 0
}
nothing_left() { [[ -z "$(leftovers)" ]]; }

cf_log "installing: $(basename "$setup") /S"
timeout "$kInstallSeconds" "$repo/scripts/lib/wine-run" "$setup" /S >"$shots/setup.log" 2>&1 ||
  cf_fail "the installer failed (status $?); see $shots/setup.log"
missing=$(for path in "${installed[@]}"; do [[ -f "$path" ]] || echo "$path"; done)
[[ -z "$missing" ]] || cf_fail "not installed: $missing"
cmp -s "$program_dir/chromaflux.scr" "$system_dir/chromaflux.scr" ||
  cf_fail "the system folder's chromaflux.scr differs from the program folder's"

# The uninstall key as Apps and Features reads it (one table row a value).
while read -r name expected; do
  actual=$(reg_value "$kUninstallKey" "$name")
  [[ "$actual" == "$expected" ]] || cf_fail "$kUninstallKey $name: '$actual', expected '$expected'"
done <<TABLE
DisplayName Chromaflux
DisplayVersion $version
Publisher The Chromaflux developers
UninstallString "$(windows_path "$program_dir/Uninstall.exe")"
DisplayIcon $(windows_path "$program_dir/chromaflux.exe")
TABLE
cf_log "installed; the uninstall key names version $version"

cf_begin_test "$system_dir/chromaflux.scr" "$shots/saver" /s
cf_wait_for "$kSaverStartSeconds" plasma cf_is_plasma
cf_log "the installed screen saver shows the plasma: $cf_last_shot"
cf_key x
cf_expect_exit 10 0

# The settings that the screen saver keeps for the user go with the program.
wine_reg add "$kSettingsKey" /v Installed /d test /f >/dev/null
reg_key_exists "$kSettingsKey" || cf_fail "could not write $kSettingsKey"
# The uninstaller copies itself to a temporary folder, starts that copy and returns at once:
# wait for its effect.
cf_wine "$(windows_path "$program_dir/Uninstall.exe")" /S >"$shots/uninstall.log" 2>&1 ||
  cf_fail "the uninstaller failed (status $?); see $shots/uninstall.log"
cf_wait_until "$kInstallSeconds" "uninstalled files and keys" nothing_left ||
  cf_fail "left behind after uninstalling: $(leftovers)"
cf_log "PASS"
