"""Measures the page in headless Chromium: the time of one running frame with the console open
(one pass of the program's loop inside an animation frame: the pixel work, the text, the RGBA
conversion and the canvas put), the time from the page's navigation start to its first frame, and
the size of the .wasm. Prints the figures; asserts nothing about them.

    /usr/bin/python3 tests/web/measure_frames.py BUILD_DIR [FRAMES] [LOADS]
"""

import os
import statistics
import sys
import time

from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                                "lib"))
from page_session import Page, frame_figures, serve  # noqa: E402


def main():
    build_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/web")
    frames = int(sys.argv[2]) if len(sys.argv) > 2 else 400
    loads = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    with serve(build_dir) as address:
        first_frames = []
        for _ in range(loads):
            page = Page(address)
            page.wait_for(lambda: page.probe()["firstPutMs"] is not None, what="first frame")
            first_frames.append(page.probe()["firstPutMs"])
            page.close()

        page = Page(address)
        try:
            page.wait_for_frames(2)
            page.click()
            page.keys(Keys.TAB)
            page.wait_for(lambda: page.pixels(0, 520, 800, 1) == [0xB5EE51] * 800, what="console")
            page.script("probe.passMs.length = 0; probe.putMs.length = 0;")
            page.wait_for(lambda: len(page.probe()["passMs"]) >= frames, timeout=frames / 5,
                          step=0.5, what=f"{frames} frames")
            probe = page.probe()
            times = probe["passMs"][:frames]
            puts = probe["putMs"][:frames]
        finally:
            page.close()

    figures = frame_figures(times)
    wasm = os.path.getsize(os.path.join(build_dir, "chromaflux.wasm"))
    print(f"running frame with the console open, {figures['frames']} frames: "
          f"median {figures['median_ms']:.2f} ms, p99 {figures['p99_ms']:.2f} ms, "
          f"max {figures['max_ms']:.2f} ms; of which the canvas put: median "
          f"{statistics.median(puts):.2f} ms")
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
