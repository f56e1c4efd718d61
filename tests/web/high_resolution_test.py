"""The page in high resolution, in headless Chromium on a 1920 x 1080 screen: the canvas fills the
viewport with a backing store of its device pixels, or of the pixel budget's 1600 x 900 in the same
shape above it; ?classic and H give the classic 800 x 600 frame, and a bad setting in the
address is named on the page's line; Esc ends a run at any size.

    /usr/bin/python3 tests/web/high_resolution_test.py BUILD_DIR
"""

import os
import sys
import unittest

from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                                "lib"))
import page_session  # noqa: E402
from page_session import SCREEN  # noqa: E402

CLASSIC = [SCREEN.FRAME_WIDTH, SCREEN.FRAME_HEIGHT]  # the classic canvas's backing store

BUILD_DIR = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build/web")
START_SECONDS = 60  # the module and the geometry tables
WINDOW_BACKING = [1717, 838]  # the window's 1920 x 937 viewport within the budget

# The canvas's backing store and box, the viewport, the line's box and opacity; `lit` counts the
# non-black pixels of the canvas's rectangle given as arguments.
LAYOUT = """
const canvas = document.getElementById('chromaflux'), box = canvas.getBoundingClientRect();
const line = document.getElementById('line'), lineBox = line.getBoundingClientRect();
const [x, y, w, h] = arguments.length ? arguments : [0, 0, 1, 1];
const data = canvas.getContext('2d').getImageData(x, y, w, h).data;
let lit = 0;
for (let i = 0; i < data.length; i += 4) lit += (data[i] | data[i + 1] | data[i + 2]) ? 1 : 0;
return {backing: [canvas.width, canvas.height], box: [box.left, box.top, box.width, box.height],
        viewport: [innerWidth, innerHeight], lineTop: lineBox.top,
        lineOpacity: getComputedStyle(line).opacity, ended: canvas.classList.contains('ended'),
        fullscreen: document.fullscreenElement === canvas, lit,
        digest: Array.from(data.subarray(0, 4096)).join()};
"""


class HighResolution(page_session.PageTest):
    build_dir = BUILD_DIR
    extra_flags = ("--screen-info={0,0 1920x1080}",)
    window = (1920, 1080)

    def layout(self, *region):
        return self.page.script(LAYOUT, *region)

    def wait_for_backing(self, size):
        return self.page.wait_for(lambda: self.layout()["backing"] == size and self.layout(),
                                  what=f"a {size[0]} x {size[1]} backing store")

    def start(self):
        self.page.wait_for_frames(2, START_SECONDS)

    def test_the_canvas_fills_the_viewport_in_device_pixels_up_to_the_budget(self):
        self.start()
        # CSS width, height, device pixel ratio: the backing store the program draws.
        for width, height, ratio, backing in (
                (1000, 600, 1.5, [1500, 900]),
                (1067, 500, 1.5, [1601, 750]),  # 1600.5 device pixels across, rounded
                (1920, 1080, 1, [1600, 900]),  # over the budget: scaled up by 6/5
                (1280, 720, 2, [1600, 900]),
                (1600, 1000, 1.5, [1517, 948])):  # 2400 x 1500: 16:10 still
            with self.subTest(width=width, height=height, ratio=ratio):
                self.page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": width, "height": height, "deviceScaleFactor": ratio,
                    "mobile": False})
                layout = self.wait_for_backing(backing)
                self.assertEqual(layout["box"], [0, 0, width, height], layout)
                self.assertEqual(layout["lineTop"], 0, "the line over the top edge")
        self.page.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        self.page.keys("f")
        layout = self.page.wait_for(lambda: self.layout()["fullscreen"] and self.layout(),
                                    what="full screen")
        self.assertEqual(layout["viewport"], [1920, 1024], "headless Chromium's full screen")
        self.wait_for_backing([1643, 876])

    def test_classic_query_and_h_give_the_classic_frame(self):
        self.page.close()
        # A bad setting beside it: named on the line, its default used, the others kept.
        self.page = page_session.Page(self.address + "?period=4&classic", self.extra_flags,
                                      *self.window)
        self.start()
        self.assertEqual(self.layout()["backing"], CLASSIC)
        self.assertEqual(self.page.script("return document.getElementById('line').textContent"),
                         "Chromaflux: '4' is not a period of 5 to 300 seconds; the default is "
                         "used instead.")
        self.page.keys("h")
        full = self.wait_for_backing(WINDOW_BACKING)
        for repeat in (False, True):  # a held H switches once: a second switch would undo it
            self.page.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": "rawKeyDown", "key": "h", "code": "KeyH", "windowsVirtualKeyCode": 0x48,
                "autoRepeat": repeat})
        layout = self.wait_for_backing(CLASSIC)
        self.assertAlmostEqual(layout["box"][3], full["viewport"][1] - 24, delta=1, msg="4:3 box")
        self.page.wait_for_frames(3)
        self.assertEqual(self.layout()["backing"], CLASSIC)
        self.page.keys("h")
        self.wait_for_backing(WINDOW_BACKING)

    def test_the_plasma_moves_across_the_canvas_and_esc_ends_the_run_at_any_size(self):
        self.start()
        size = self.layout()["backing"]
        self.assertEqual(size, WINDOW_BACKING)
        self.page.click()
        corner = (size[0] - 200, 0, 200, 200)  # outside the classic frame's 800 x 600
        first = self.page.wait_for(
            lambda: self.layout(*corner)["lit"] > 30000 and self.layout(*corner),
            what="plasma in the top right corner")
        self.page.wait_for(lambda: self.layout(*corner)["digest"] != first["digest"],
                           what="moving plasma")
        self.page.wait_for(lambda: self.layout()["lineOpacity"] == "0", what="the line faded")
        self.page.keys(Keys.ESCAPE)
        self.page.wait_for(lambda: self.layout()["ended"], what="the end of the run")
        self.assertEqual(self.layout()["backing"], CLASSIC)
        self.assertEqual([self.layout(0, 0, SCREEN.FRAME_WIDTH, 290)["lit"], self.layout(0, 311, SCREEN.FRAME_WIDTH, 289)["lit"]],
                         [0, 0], "only the restart line, mid-screen")
        self.assertGreater(self.layout(0, 290, SCREEN.FRAME_WIDTH, 21)["lit"], 100, "the restart line")
        self.page.click()
        self.wait_for_backing(size)


if __name__ == "__main__":
    unittest.main(verbosity=2)
