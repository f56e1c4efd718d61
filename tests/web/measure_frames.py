"""Measures the page in headless Chromium: the time of one running frame with the console open
(one pass of the program's loop inside an animation frame: the pixel work, the text, the RGBA
conversion and the canvas put) and the frames per second reached, in the classic frame and then in
high resolution at each SIZE; the time from the page's navigation start to its first frame; the
size of the .wasm. Prints the figures; asserts nothing about them.

    /usr/bin/python3 tests/web/measure_frames.py [--renderer=gl|software] BUILD_DIR [FRAMES]
        [LOADS] [SIZE ...]

A SIZE is the viewport's CSS pixels and the device pixel ratio, WIDTHxHEIGHT@RATIO (by default
1920x1080@1, the pixel budget itself, and 1920x1080@2, four times the budget's device pixels,
which the page draws at the budget and the browser scales up). --renderer=gl draws with the GL
renderer on WebGL2 (SwiftShader here, which does its work in Chromium's GPU process: the pass
times only what the page's thread spends, and the frame rate tells what the frames cost), and no
budget applies.
"""

import os
import statistics
import sys
import time

from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                                "lib"))
from page_session import SCREEN, Page, frame_figures, serve  # noqa: E402

# The passes of the loop so far and the page's clock, read together.
PASSES_NOW = "return [probe.passes, performance.now()];"
BACKING = "const c = document.getElementById('chromaflux'); return [c.width, c.height];"
# One row of the canvas as 0xRRGGBB numbers, from its WebGL2 drawing buffer or its 2-D picture.
READ_ROW = """
const [y, w] = arguments, canvas = document.getElementById('chromaflux');
const gl = canvas.getContext('webgl2');
let data = null;
if (gl) {
  data = new Uint8Array(4 * w);
  gl.readPixels(0, canvas.height - 1 - y, w, 1, gl.RGBA, gl.UNSIGNED_BYTE, data);
} else {
  data = canvas.getContext('2d').getImageData(0, y, w, 1).data;
}
return Array.from({length: w}, (_, i) => data[4 * i] << 16 | data[4 * i + 1] << 8 | data[4 * i + 2]);
"""
SWIFTSHADER = ["--use-angle=swiftshader", "--enable-unsafe-swiftshader"]


def measure(page, frames):
    """Times the next `frames` passes of the loop; prints and returns their figures."""
    page.script("probe.passMs.length = 0; probe.putMs.length = 0;")
    passes, start = page.script(PASSES_NOW)
    page.wait_for(lambda: len(page.probe()["passMs"]) >= frames, timeout=frames, step=0.5,
                  what=f"{frames} frames")
    passes_end, end = page.script(PASSES_NOW)
    probe = page.probe()
    figures = frame_figures(probe["passMs"][:frames])
    width, height = page.script(BACKING)
    puts = probe["putMs"][:frames]
    put = f"the canvas put: median {statistics.median(puts):.2f} ms; " if puts else ""
    print(f"  {width} x {height} drawn, {figures['frames']} frames: median "
          f"{figures['median_ms']:.2f} ms, p99 {figures['p99_ms']:.2f} ms, max "
          f"{figures['max_ms']:.2f} ms; {put}"
          f"{(passes_end - passes) * 1000 / (end - start):.1f} frames per second")
    return figures


def main():
    renderer = [arg.split("=", 1)[1] for arg in sys.argv if arg.startswith("--renderer=")]
    args = [arg for arg in sys.argv if not arg.startswith("--renderer=")]
    query = f"&renderer={renderer[0]}" if renderer else ""
    flags = SWIFTSHADER if renderer == ["gl"] else []
    build_dir = os.path.abspath(args[1] if len(args) > 1 else "build/web")
    frames = int(args[2]) if len(args) > 2 else 400
    loads = int(args[3]) if len(args) > 3 else 5
    sizes = args[4:] or ["1920x1080@1", "1920x1080@2"]
    if renderer == ["gl"]:
        loads = 0  # the probe times the first canvas put, which the GL renderer never makes
    print(f"load average {os.getloadavg()[0]:.2f} at the start")
    with serve(build_dir) as address:
        first_frames = []
        for _ in range(loads):
            page = Page(address + "?" + query, flags)
            page.wait_for(lambda: page.probe()["firstPutMs"] is not None, what="first frame")
            first_frames.append(page.probe()["firstPutMs"])
            page.close()

        # The console opens in the classic frame, where its band's row is known, and stays open.
        page = Page(address + "?classic" + query, flags)
        try:
            page.wait_for(lambda: page.probe()["passes"] > 2, what="first frames")
            page.click()
            page.keys(Keys.TAB)
            page.wait_for(lambda: page.script(READ_ROW, SCREEN.CONSOLE_TOP, SCREEN.FRAME_WIDTH) ==
                          [SCREEN.CONSOLE_BAND_COLOUR] * SCREEN.FRAME_WIDTH, what="console")
            print("running frame with the console open, classic frame:")
            measure(page, frames)
            page.keys("h")
            for size in sizes:
                css, ratio = size.split("@")
                width, height = (int(side) for side in css.split("x"))
                page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": width, "height": height, "deviceScaleFactor": float(ratio),
                    "mobile": False})
                page.wait_for(lambda: page.script("return innerWidth;") == width, what=size)
                passes = page.probe()["passes"]
                page.wait_for(lambda: page.probe()["passes"] > passes + 10, what="10 frames")
                print(f"high resolution, viewport {width} x {height} CSS pixels at device pixel "
                      f"ratio {ratio}:")
                measure(page, frames)
        finally:
            page.close()

    wasm = os.path.getsize(os.path.join(build_dir, "chromaflux.wasm"))
    print(f"load average {os.getloadavg()[0]:.2f} at the end")
    if first_frames:
        print(f"navigation start to first frame, {loads} loads: median "
              f"{statistics.median(first_frames):.0f} ms "
              f"(min {min(first_frames):.0f}, max {max(first_frames):.0f})")
    print(f"chromaflux.wasm: {wasm} bytes; chromaflux.js: "
          f"{os.path.getsize(os.path.join(build_dir, 'chromaflux.js'))} bytes")
    print(f"measured {time.strftime('%Y-%m-%d %H:%M')} on {processor()}")


def processor():
    with open("/proc/cpuinfo", encoding="utf-8") as info:
        for line in info:
            if line.startswith("model name"):
                return f"{line.split(':', 1)[1].strip()}, {os.cpu_count()} cores"
    return "an unknown processor"


if __name__ == "__main__":
    main()
