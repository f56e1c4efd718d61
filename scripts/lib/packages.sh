# shellcheck shell=bash
# The Debian/Ubuntu packages that building, testing and running Chromaflux need, grouped by what
# needs them, and an installer that touches apt only when one of them is missing. Sourced by
# scripts/test, scripts/run and scripts/package.

# The desktop program: compiler, build tools, SDL2, Xlib for drawing on another program's window,
# libpng for the pictures of --render, and the OpenGL and EGL headers and Mesa's EGL for the GL
# renderer (its pictures with no display, and its tests on Mesa's llvmpipe). Its font and logos
# are built in.
CHROMAFLUX_NATIVE_PACKAGES=(
  cmake ninja-build g++ libsdl2-dev libx11-dev libpng-dev libgl-dev libegl-dev libegl-mesa0
  libgl1-mesa-dri
)
# A private X display with a window manager, driven and read back as a user would.
CHROMAFLUX_HEADLESS_PACKAGES=(xvfb openbox xdotool imagemagick x11-utils)
# The Windows program: cross compilers, Wine, Wine's renderer and its Verdana stand-in, and
# Xephyr for the screen saver's test on two monitors.
CHROMAFLUX_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine
  libgl1-mesa-dri fonts-liberation xserver-xephyr
)
# The tests of the windows-i686 build under 32-bit Wine, which loads the X extensions that show it
# every monitor (Xinerama, RandR) from the i386 libraries: without them the two-monitor session is
# one monitor of 3200 x 1080 to a 32-bit program.
# The saver's GL renderer under 32-bit Wine needs the i386 GLX libraries too (without them WGL
# offers no OpenGL pixel format).
CHROMAFLUX_WINDOWS32_PACKAGES=(
  wine32:i386 libgl1-mesa-dri:i386 libxinerama1:i386 libxrandr2:i386 libgl1:i386
  libglx-mesa0:i386
)
# The web page: Debian's Emscripten and the JavaScript parser its optimiser needs; Chromium, its
# driver and Selenium (for the system's python3) to show the page headless and test it.
CHROMAFLUX_WEB_PACKAGES=(emscripten node-acorn chromium chromium-driver python3-selenium)
# The tests: GoogleTest (also as source for the Windows tests), Google Benchmark, the format check,
# the XScreenSaver daemon that runs the desktop program as a display mode, xmllint, which reads
# the display mode's settings file as XScreenSaver's dialog does (well-formed, its options), and
# ffmpeg, which --render's video files go through and ffprobe reads back.
CHROMAFLUX_TEST_PACKAGES=(
  libgtest-dev libbenchmark-dev clang-format googletest xscreensaver libxml2-utils ffmpeg
)
# The release packages (scripts/package): the cross compilers and Emscripten without their test
# runners; dpkg-shlibdeps and file, with which CPack computes the Debian package's dependencies;
# NSIS (makensis, with its 32- and 64-bit installer stubs), CPack's Windows installer generator.
CHROMAFLUX_PACKAGE_PACKAGES=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix emscripten node-acorn dpkg-dev file nsis
)
# Their checks: Debian's package checker, the desktop-entry validator, and 7-Zip, which lists what
# an NSIS installer holds without running it (the only way to look into the 32-bit installer on a
# machine that runs no 32-bit programs).
CHROMAFLUX_PACKAGE_CHECK_PACKAGES=(lintian desktop-file-utils 7zip)
# The fuzz target: clang with libFuzzer and its sanitizer runtimes.
CHROMAFLUX_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Succeeds when dpkg reports the package installed. A package installed for two architectures
# (libgl1-mesa-dri once libgl1-mesa-dri:i386 is in) gives one line per architecture: a name without
# an architecture needs the machine's own (or "all"), a name with one (wine32:i386) only matches it.
chromaflux_package_installed() {
  local package=$1 native status arch
  native=$(dpkg --print-architecture)
  while IFS='|' read -r status arch; do
    [[ "$status" == "install ok installed" ]] || continue
    if [[ "$package" == *:* || "$arch" == "$native" || "$arch" == all ]]; then
      return 0
    fi
  done < <(dpkg-query -W -f='${Status}|${Architecture}\n' "$package" 2>/dev/null)
  return 1
}

# Prints the given packages that dpkg does not report as installed, one a line.
chromaflux_missing_packages() {
  local package
  for package in "$@"; do
    chromaflux_package_installed "$package" || echo "$package"
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
  # Packages of another architecture (wine32:i386) need it enabled before apt-get update.
  local package arch
  for package in "${missing[@]}"; do
    [[ "$package" == *:* ]] || continue
    arch=${package##*:}
    if [[ "$arch" != "$(dpkg --print-architecture)" ]] &&
      ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
      echo "Enabling the $arch architecture (dpkg --add-architecture $arch)"
      "${sudo[@]}" dpkg --add-architecture "$arch"
    fi
  done
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
}
