# shellcheck shell=bash
# The Debian/Ubuntu packages that building, testing and running Chromaflux need, and an installer
# that touches apt only when one of them is missing. Sourced by scripts/test and scripts/run.

CHROMAFLUX_PACKAGES=(
  cmake ninja-build g++                                    # native build
  libgtest-dev libbenchmark-dev clang-format               # native tests, benchmarks, format check
  googletest                                               # /usr/src/googletest for Windows tests
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix      # Windows cross compilers
  wine64 wine                                              # running the Windows builds
  xvfb xdotool imagemagick x11-utils                       # headless display, input, screenshots
  libgl1-mesa-dri fonts-liberation                         # Wine's renderer and its Verdana stand-in
  clang libclang-rt-14-dev                                 # the fuzz target (libFuzzer)
)

# Prints the given packages that dpkg does not report as installed, one a line.
chromaflux_missing_packages() {
  local package
  for package in "$@"; do
    if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]]; then
      echo "$package"
    fi
  done
}

# Installs whatever of CHROMAFLUX_PACKAGES is missing; runs apt-get update only in that case.
chromaflux_install_packages() {
  if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "error: dpkg/apt-get not found; this script expects Debian or Ubuntu" >&2
    echo "       (needed: ${CHROMAFLUX_PACKAGES[*]})" >&2
    return 1
  fi
  local missing
  mapfile -t missing < <(chromaflux_missing_packages "${CHROMAFLUX_PACKAGES[@]}")
  if ((${#missing[@]} == 0)); then
    echo "All ${#CHROMAFLUX_PACKAGES[@]} required packages are installed."
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
