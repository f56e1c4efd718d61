"""The page's size and full screen in headless Chromium on a 1920 x 1080 screen, with the classic
frame: the canvas shown at the largest 4:3 size above the line, in device pixels, over its
800 x 600 backing store; F and a double-click switch full screen on and off (Esc leaves it too),
the run going on throughout.

    /usr/bin/python3 tests/web/fullscreen_test.py BUILD_DIR
"""

import os
import sys
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                                "lib"))
import page_session  # noqa: E402
from page_session import SCREEN  # noqa: E402

CLASSIC = [SCREEN.FRAME_WIDTH, SCREEN.FRAME_HEIGHT]  # the classic canvas's backing store

BUILD_DIR = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build/web")
SHOTS = os.path.join(BUILD_DIR, "browser-screenshots")
SCREEN_FLAG = "--screen-info={0,0 1920x1080}"  # headless screens are 800 x 600 otherwise
OPEN_BAND = [SCREEN.CONSOLE_BAND_COLOUR] * SCREEN.FRAME_WIDTH

# Where the canvas shows and how; `bottom` is what shows at the viewport's bottom middle.
LAYOUT = """
const canvas = document.getElementById('chromaflux'), style = getComputedStyle(canvas);
const box = canvas.getBoundingClientRect();
const bottom = document.elementFromPoint(innerWidth / 2, innerHeight - 2);
return {left: box.left, top: box.top, width: box.width, height: box.height, innerWidth, innerHeight,
        lineRoom: document.getElementById('line').offsetHeight + 6, cursor: style.cursor,
        rendering: style.imageRendering, objectFit: style.objectFit, bottom: bottom && bottom.id,
        backing: [canvas.width, canvas.height], ended: canvas.classList.contains('ended'),
        fullscreen: document.fullscreenElement && document.fullscreenElement.id};
"""


class FillTheScreen(page_session.PageTest):
    build_dir = BUILD_DIR
    extra_flags = (SCREEN_FLAG,)
    window = (1920, 1080)

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.address += "?classic"  # high resolution: high_resolution_test.py

    def layout(self):
        return self.page.script(LAYOUT)

    def assert_beside_the_line_at_four_by_three(self):
        layout = self.layout()
        self.assertIsNone(layout["fullscreen"])
        self.assertAlmostEqual(layout["height"], layout["innerHeight"] - layout["lineRoom"],
                               delta=1, msg=layout)
        self.assertAlmostEqual(layout["width"], layout["height"] * 4 / 3, delta=1, msg=layout)
        self.assertAlmostEqual(layout["left"], (layout["innerWidth"] - layout["width"]) / 2,
                               delta=1, msg=layout)
        self.assertEqual(layout["backing"], CLASSIC)
        return layout

    def assert_band_exact_and_frames_going_on(self):
        self.page.wait_for_frames(5)
        self.assertEqual(self.page.pixels(0, SCREEN.CONSOLE_TOP, SCREEN.FRAME_WIDTH, 1), OPEN_BAND)
        self.assertFalse(self.layout()["ended"], "the run goes on")

    def wait_for_fullscreen(self, element):
        self.page.wait_for(lambda: self.layout()["fullscreen"] == element,
                           what=f"full-screen element {element}")

    def test_the_canvas_fills_the_height_above_the_line_smooth_or_whole_in_device_pixels(self):
        self.page.wait_for_frames(2)
        layout = self.assert_beside_the_line_at_four_by_three()
        self.assertGreater(layout["width"], 1200, "a 1920 x 1080 window")
        self.assertEqual(layout["rendering"], "auto", "smooth at a fractional scale")
        self.page.screenshot(os.path.join(SHOTS, "page-1920x1080.png"))
        # 1067 x (800 + the line) CSS pixels at 1.5 device pixels each: 1600 x 1200, scale 2.
        self.page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 1067, "height": 800 + layout["lineRoom"], "deviceScaleFactor": 1.5,
            "mobile": False})
        self.page.wait_for(lambda: self.layout()["rendering"] == "pixelated",
                           what="pixel for pixel at device scale 2")
        self.assertAlmostEqual(self.layout()["width"], 1600 / 1.5, delta=1 / 32)  # layout units

    def test_f_and_a_double_click_switch_full_screen_and_the_run_goes_on(self):
        self.page.wait_for_frames(2)
        self.page.click()
        self.page.wait_for_frames(3)
        self.page.keys(Keys.TAB)
        band = lambda: self.page.pixels(0, SCREEN.CONSOLE_TOP, SCREEN.FRAME_WIDTH, 1)
        self.page.wait_for(lambda: band() == OPEN_BAND, what="the console band")

        self.page.keys("f")
        self.wait_for_fullscreen("chromaflux")
        layout = self.layout()
        self.assertEqual([layout[k] for k in ("left", "top", "width", "height")],
                         [0, 0, layout["innerWidth"], layout["innerHeight"]], layout)
        self.assertEqual(layout["innerWidth"], 1920, "the canvas covers the screen")
        self.assertEqual((layout["objectFit"], layout["cursor"], layout["bottom"]),
                         ("contain", "none", "chromaflux"), "4:3 inside, no pointer, no line")
        self.assert_band_exact_and_frames_going_on()
        self.page.screenshot(os.path.join(SHOTS, "fullscreen.png"))

        self.page.keys("f")
        self.wait_for_fullscreen(None)
        self.assert_beside_the_line_at_four_by_three()
        self.assert_band_exact_and_frames_going_on()

        ActionChains(self.page.driver).double_click(self.page.canvas).perform()
        self.wait_for_fullscreen("chromaflux")
        self.page.keys(Keys.ESCAPE)  # the first Esc only leaves full screen
        self.wait_for_fullscreen(None)
        self.assert_band_exact_and_frames_going_on()
        self.page.keys(Keys.ESCAPE)
        self.page.wait_for(lambda: self.layout()["ended"], what="the second Esc ending the run")


if __name__ == "__main__":
    unittest.main(verbosity=2)
