# shellcheck shell=bash
# Which programs this machine runs, and Wine started so that it runs them. Sourced by
# scripts/test, scripts/run, scripts/wine-session, scripts/lib/wine-run and the harness.
#
# Some kernels run no 32-bit programs at all: exec of an i386 binary fails with "Exec format error"
# (status 126), and only a boot option could change that. Debian's wine starter (wine-stable)
# takes the 32-bit loader whenever wine32 is installed, so there even a 64-bit program would not
# start: cf_wine calls the 64-bit loader itself instead.

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

# The Wine loader for this machine, set as this file is sourced: where 32-bit programs run,
# Debian's starter, which chooses as usual; elsewhere the 64-bit loader, exported as WINELOADER so
# that the programs Wine starts in turn (start.exe, wineboot's helpers) use it too.
cf_wine_loader=wine
if ! cf_runs_32bit; then
  cf_wine_loader=$cf_wine64_loader
  export WINELOADER=$cf_wine64_loader
fi
