# shellcheck shell=bash
# The web page for scripts/run --web:
#
#   bash scripts/lib/run-web.sh HEADLESS SCREENSHOT_DIR
#
# Builds the page of the `web` preset, targets `chromaflux` and `chromaflux_page` (build/web:
# index.html, chromaflux.js, chromaflux.wasm, the manifest, its icons and the service worker). With a usable display and HEADLESS 0, serves build/web on 127.0.0.1 (port
# CHROMAFLUX_WEB_PORT, default 8765) and prints the address until Ctrl+C; otherwise takes
# intro.png, plasma.png and console.png of the page in headless Chromium into SCREENSHOT_DIR.
# Expects the packages to be installed and the repository as the working directory.
set -euo pipefail

headless=$1
screenshot_dir=$2
port=${CHROMAFLUX_WEB_PORT:-8765}

echo "=== build: web preset, targets chromaflux and chromaflux_page"
cmake --preset web >/dev/null
cmake --build --preset web --target chromaflux chromaflux_page

# Debian's python3-selenium is the system python's, whatever else is on the PATH.
if ((!headless)) && [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  echo "=== serving build/web: open the address below in a browser"
  exec /usr/bin/python3 scripts/lib/web-page.py serve build/web "$port"
fi

echo "=== no usable display: the page in headless Chromium"
/usr/bin/python3 scripts/lib/web-page.py tour build/web "$screenshot_dir"
echo "=== screenshots in $screenshot_dir: intro.png plasma.png console.png"
