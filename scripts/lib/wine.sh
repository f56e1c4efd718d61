# shellcheck shell=bash
# Which programs this machine runs, and Wine started so that it runs them. Sourced by
# scripts/test, scripts/run, scripts/wine-session, scripts/lib/wine-run and the harness.
#
# Some kernels run no 32-bit programs at all: exec of an i386 binary fails with "Exec format error"
# (status 126), and only a boot option could change that. On every machine cf_wine starts a
# program with the loader of its own kind.

readonly cf_no_32bit_reason="this machine runs no 32-bit programs"
readonly cf_wine64_loader=/usr/lib/wine/wine64

# Succeeds when this machine runs 32-bit x86 programs. It tries one, the smallest i386 Linux
# program (an ELF header, one program header and exit(0)), once: the answer is kept in the
# environment for the scripts this one starts.
cf_runs_32bit() {
  if [[ -z "${CHROMAFLUX_RUNS_32BIT:-}" ]]; then
    local probe
    probe=$(mktemp)
    # ELF identification: 32-bit, little-endian, version 1; an executable for i386 (3), entry at
    # 0x08048054 (right after both headers), program headers at 52, no sections.
    printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08' >"$probe"
    printf '\x34\0\0\0\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0' >>"$probe"
    # One loadable segment: the whole 93-byte file at 0x08048000, readable and executable.
    printf '\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08\x5d\0\0\0\x5d\0\0\0\x05\0\0\0\0\x10\0\0' >>"$probe"
    # mov eax, 1 (exit); xor ebx, ebx (status 0); int 0x80
    printf '\xb8\x01\0\0\0\x31\xdb\xcd\x80' >>"$probe"
    chmod +x "$probe"
    CHROMAFLUX_RUNS_32BIT=no
    if "$probe" >/dev/null 2>&1; then CHROMAFLUX_RUNS_32BIT=yes; fi
    rm -f "$probe"
    export CHROMAFLUX_RUNS_32BIT
  fi
  [[ $CHROMAFLUX_RUNS_32BIT == yes ]]
}

# cf_windows_program_is_32bit FILE: succeeds when FILE is a 32-bit x86 Windows program (the PE
# header's machine field, found through the offset at 0x3c, is 0x014c).
cf_windows_program_is_32bit() {
  local header_offset machine
  header_offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ') || return 1
  machine=$(od -An -tx2 -j$((header_offset + 4)) -N2 "$1" | tr -d ' ')
  [[ $machine == 014c ]]
}

# cf_can_run_windows_program FILE: succeeds unless FILE is 32-bit and this machine runs no 32-bit
# programs.
cf_can_run_windows_program() { cf_runs_32bit || ! cf_windows_program_is_32bit "$1"; }

# The two loaders of Debian's Wine. Its starter, `wine`, is not used: where wine32 is installed it
# begins on the 32-bit side, and a 32-bit process cannot find a 64-bit program in a 64-bit
# prefix's system32 (that folder is then the 32-bit one), nor start one at all where the machine
# runs no 32-bit programs.
readonly cf_wine32_loader=/usr/lib/wine/wine

# cf_wine_loader_for PROGRAM: the loader that runs PROGRAM, decided from the program's own machine
# type: a Windows program file (a Unix path, or a C:\ path inside $WINEPREFIX) runs on the loader
# of its kind; one of Wine's own programs (reg, wineboot, notepad) on the prefix's (32-bit in a
# WINEARCH=win32 prefix, 64-bit otherwise).
cf_wine_loader_for() {
  local file=$1
  if [[ $file == [Cc]:\\* && -n "${WINEPREFIX:-}" ]]; then
    file="$WINEPREFIX/drive_c/${file:3}"
    file=${file//\\//}
  fi
  if [[ -f $file ]]; then
    if cf_windows_program_is_32bit "$file"; then echo "$cf_wine32_loader"; else echo "$cf_wine64_loader"; fi
  elif [[ "${WINEARCH:-}" == win32 ]]; then
    echo "$cf_wine32_loader"
  else
    echo "$cf_wine64_loader"
  fi
}

# cf_wine PROGRAM [ARG...]: runs PROGRAM under Wine with its loader (cf_wine_loader_for). The
# loader is WINELOADER too, so that what Wine starts in turn (start.exe, wineboot's helpers, an
# uninstaller's copy of itself) finds its way back to the same installation: Wine adds or drops
# the "64" of the name for a program of the other kind.
cf_wine() {
  local loader
  loader=$(cf_wine_loader_for "$1")
  WINELOADER=$loader "$loader" "$@"
}
