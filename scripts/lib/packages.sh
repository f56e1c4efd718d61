# shellcheck shell=bash
# The Debian/Ubuntu packages that building, testing and running Chromaflux need, grouped by what
# needs them, and an installer that touches apt only when one of them is missing. Sourced by
# scripts/test and scripts/run.

# The desktop program: compiler, build tools, SDL2. Its font and logos are built in.
CHROMAFLUX_NATIVE_PACKAGES=(cmake ninja-build g++ libsdl2-dev)
# A private X display with a window manager, driven and read back as a user would.
CHROMAFLUX_HEADLESS_PACKAGES=(xvfb openbox xdotool imagemagick x11-utils)
# The Windows program: cross compilers, Wine, Wine's renderer and its Verdana stand-in.
CHROMAFLUX_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine
  libgl1-mesa-dri fonts-liberation
)
# The tests: GoogleTest (also as source for the Windows tests), Google Benchmark, the format check.
CHROMAFLUX_TEST_PACKAGES=(libgtest-dev libbenchmark-dev clang-format googletest)
# The fuzz target: clang with libFuzzer and its sanitizer runtimes.
CHROMAFLUX_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Prints the given packages that dpkg does not report as installed, one a line.
chromaflux_missing_packages() {
  local package
  for package in "$@"; do
    if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]]; then
      echo "$package"
    fi
  done
}

# chromaflux_install_packages PACKAGE...: installs whichever are missing; runs apt-get update
# only in that case.
chromaflux_install_packages() {
  if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "error: dpkg/apt-get not found; this script expects Debian or Ubuntu" >&2
    echo "       (needed: $*)" >&2
    return 1
  fi
  local missing
  mapfile -t missing < <(chromaflux_missing_packages "$@")
  if ((${#missing[@]} == 0)); then
    echo "All $# required packages are installed."
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if ((EUID != 0)); then
    if ! command -v sudo >/dev/null; then
      echo "error: not root and no sudo; install as root: ${missing[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
}
