"""The Chromaflux page in headless Chromium, driven as a user would: clicks and keys on the canvas,
colours read back from the canvas itself (getImageData), screenshots kept for a person to look at.

    /usr/bin/python3 tests/web/browser_test.py BUILD_DIR

BUILD_DIR is the web preset's build directory (index.html, chromaflux.js, chromaflux.wasm); the
screenshots go to BUILD_DIR/browser-screenshots/.
"""

import os
import sys
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                                "lib"))
import page_session  # noqa: E402
from page_session import HIDE_PAGE, SCREEN, SHOW_PAGE, wait_until  # noqa: E402

BUILD_DIR = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build/web")
SHOTS = os.path.join(BUILD_DIR, "browser-screenshots")
START_SECONDS = 60  # the page's start-up: the module and 48 MB of geometry tables

OPEN_BAND = [SCREEN.CONSOLE_BAND_COLOUR] * SCREEN.FRAME_WIDTH
MODEL_BUTTON_CORNERS = [
    (SCREEN.MODEL_BUTTONS_LEFT + SCREEN.MODEL_BUTTON_WIDTH * (j + 1) - 1,
     SCREEN.MODEL_BUTTONS_TOP + SCREEN.MODEL_BUTTON_HEIGHT - 1) for j in range(SCREEN.MODEL_COUNT)]
PLAY_MODE_CORNERS = [(left + SCREEN.PLAY_MODE_WIDTH - 2, SCREEN.PLAY_MODE_TOP + SCREEN.PLAY_MODE_HEIGHT - 1)
                     for left in (SCREEN.MANUAL_LEFT, SCREEN.RANDOM_LEFT)]

# Number of non-black pixels and their bounding box [count, left, top, right, bottom].
INK_BOX = """
const [x0, y0, w, h] = arguments;
const data = document.getElementById('chromaflux').getContext('2d').getImageData(x0, y0, w, h).data;
let count = 0, left = w, top = h, right = -1, bottom = -1;
for (let y = 0; y < h; y++) for (let x = 0; x < w; x++) {
  const i = 4 * (y * w + x);
  if (data[i] | data[i + 1] | data[i + 2]) {
    count++; left = Math.min(left, x); right = Math.max(right, x);
    top = Math.min(top, y); bottom = Math.max(bottom, y);
  }
}
return [count, left + x0, top + y0, right + x0, bottom + y0];
"""


def bright(colour):
    return all((colour >> shift & 0xFF) > 0x80 for shift in (0, 8, 16))


class PageTest(page_session.PageTest):
    build_dir = BUILD_DIR

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.address += "?classic"  # the places read here are the classic frame's

    def ink(self, x, y, width, height):
        return self.page.script(INK_BOX, x, y, width, height)

    def band(self):
        return self.page.pixels(0, SCREEN.CONSOLE_TOP, SCREEN.FRAME_WIDTH, 1)

    def lit_pixels(self):
        return self.ink(0, 0, SCREEN.FRAME_WIDTH, SCREEN.CONSOLE_TOP)[0]

    def start_visuals(self):
        self.page.wait_for_frames(2, START_SECONDS)
        self.page.click()
        wait_until(lambda: self.lit_pixels() > 100000, "plasma after the click")

    def open_console(self):
        self.start_visuals()
        self.page.keys(Keys.TAB)
        wait_until(lambda: self.band() == OPEN_BAND, f"console band in row {SCREEN.CONSOLE_TOP}")

    def red_model_button(self):
        corners = [self.page.pixel(x, y) for x, y in MODEL_BUTTON_CORNERS]
        self.assertEqual(sorted(corners), sorted([SCREEN.MODEL_SELECTED] + [SCREEN.MODEL_PLAIN] * 13),
                         corners)
        return corners.index(SCREEN.MODEL_SELECTED)

    def wait_for_red_button(self, index):
        wait_until(lambda: self.page.pixel(*MODEL_BUTTON_CORNERS[index]) == SCREEN.MODEL_SELECTED,
                   f"model button {index} red")
        self.assertEqual(self.red_model_button(), index)


class IntroPage(PageTest):
    def test_intro_page_with_blinking_prompt(self):
        # Where the canvas shows and at what scale: fullscreen_test.py.
        self.page.wait_for_frames(2, START_SECONDS)
        self.assertGreater(self.ink(*SCREEN.INTRO_TITLE)[0], 50, "the white heading CHROMAFLUX")
        prompt_shown = lambda: any(bright(p) for p in self.page.pixels(*SCREEN.INTRO_PROMPT))
        wait_until(prompt_shown, "prompt shown")  # it toggles every 500 ms
        wait_until(lambda: not prompt_shown(), "prompt hidden")
        self.page.screenshot(os.path.join(SHOTS, "intro.png"))


class Visuals(PageTest):
    def test_a_click_starts_the_plasma_and_it_animates(self):
        self.start_visuals()
        first = self.page.digest()
        wait_until(lambda: self.page.digest() != first, "moving picture")
        self.assertEqual(self.page.script("return document.activeElement.id;"), "chromaflux")
        self.page.screenshot(os.path.join(SHOTS, "plasma.png"))

    def test_tab_opens_the_console_and_the_arrows_move_the_red_button(self):
        self.open_console()
        self.assertEqual(self.page.script("return [document.activeElement.id, scrollX, scrollY];"),
                         ["chromaflux", 0, 0], "TAB moves neither the focus nor the page")
        self.page.screenshot(os.path.join(SHOTS, "console.png"))
        model = self.red_model_button()
        for key, step in ((Keys.ARROW_RIGHT, 1), (Keys.ARROW_DOWN, 1), (Keys.ARROW_LEFT, -1),
                          (Keys.ARROW_UP, -1), (Keys.ARROW_UP, -1)):
            self.page.keys(key)
            model = (model + step) % 14
            self.wait_for_red_button(model)
        self.assertEqual(self.page.script("return [scrollX, scrollY];"), [0, 0])

        # A held arrow: the key-down and each auto-repeat act.
        for repeat in (False, True, True):
            self.page.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": "rawKeyDown", "key": "ArrowRight", "code": "ArrowRight",
                "windowsVirtualKeyCode": 0x27, "autoRepeat": repeat})
        self.page.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
            "type": "keyUp", "key": "ArrowRight", "code": "ArrowRight",
            "windowsVirtualKeyCode": 0x27})
        model = (model + 3) % 14
        self.wait_for_red_button(model)
        # With Alt held a key is no command (and stays the browser's).
        ActionChains(self.page.driver).key_down(Keys.ALT).send_keys("a").key_up(Keys.ALT).perform()
        self.page.wait_for_frames(3)
        self.assertEqual(self.red_model_button(), model)

    def test_q_swaps_the_play_mode_buttons(self):
        self.open_console()
        buttons = lambda: [self.page.pixel(*corner) for corner in PLAY_MODE_CORNERS]
        manual = [SCREEN.PLAY_MODE_SELECTED, SCREEN.PLAY_MODE_PLAIN]
        self.assertEqual(buttons(), manual[::-1], "RANDOM at start")
        self.page.keys("q")
        wait_until(lambda: buttons() == manual, "MANUAL")
        self.page.screenshot(os.path.join(SHOTS, "console-manual.png"))
        self.page.keys("Q")  # Shift does not matter: key codes, as on Windows
        wait_until(lambda: buttons() == manual[::-1], "RANDOM")


class EndAndRestart(PageTest):
    def assert_ended(self):
        wait_until(lambda: self.page.script(
            "return document.getElementById('chromaflux').classList.contains('ended');"),
            "end of the run")
        puts = self.page.puts()
        time.sleep(0.3)
        self.assertEqual(self.page.puts(), puts, "the loop has stopped")
        count, _, top, _, bottom = self.ink(0, 0, SCREEN.FRAME_WIDTH, SCREEN.FRAME_HEIGHT)
        self.assertGreater(count, 100, "the restart line")
        self.assertTrue(290 <= top and bottom <= 310, f"one line mid-screen, rows {top}-{bottom}")

    def test_esc_ends_the_run_and_a_click_starts_a_new_one(self):
        self.start_visuals()
        self.page.keys(Keys.TAB)
        self.page.keys(Keys.ESCAPE)
        self.assert_ended()
        self.page.screenshot(os.path.join(SHOTS, "ended.png"))
        # Two new runs in a row: each one's start-up must find its 50 MB again.
        for run in range(2):
            self.page.click()
            self.page.wait_for_frames(3, START_SECONDS)
            self.assertGreater(self.ink(*SCREEN.INTRO_TITLE)[0], 50, f"run {run + 2} starts on the intro")
            self.page.click()
            wait_until(lambda: self.lit_pixels() > 100000, f"visuals of run {run + 2}")
            self.assertNotEqual(self.band(), OPEN_BAND, "the console starts closed again")
            self.page.keys(Keys.ESCAPE)
            self.assert_ended()


class HiddenPage(PageTest):
    def assert_hidden_then_shown(self, hide, show):
        self.page.script("probe.visibility.length = 0;")
        hide()
        time.sleep(0.5)
        show()
        wait_until(lambda: len(self.page.probe()["visibility"]) >= 2, "visibility changes")
        (hidden, puts_hidden), (shown, puts_shown) = self.page.probe()["visibility"][:2]
        self.assertEqual((hidden, shown), ("hidden", "visible"))
        self.assertEqual(puts_shown, puts_hidden, "no frame while hidden")
        before = self.page.digest()
        wait_until(lambda: self.page.digest() != before, "visuals resumed")

    def test_another_tab_or_a_minimised_window_pauses_the_frames(self):
        self.start_visuals()
        driver = self.page.driver
        ours = driver.current_window_handle

        def open_tab():
            driver.switch_to.new_window("tab")

        def back_to_ours():
            driver.close()
            driver.switch_to.window(ours)

        self.assert_hidden_then_shown(open_tab, back_to_ours)
        self.assert_hidden_then_shown(driver.minimize_window, driver.maximize_window)

    def test_a_hidden_page_skips_the_frames_that_animation_frames_still_run(self):
        # A browser that keeps running animation frames for a hidden page: the loop goes on, but
        # the display check skips every frame until the page shows again.
        self.start_visuals()
        self.page.script(HIDE_PAGE)
        puts, passes = self.page.puts(), self.page.probe()["passes"]
        wait_until(lambda: self.page.probe()["passes"] > passes + 5, "loop passes while hidden")
        self.assertEqual(self.page.puts(), puts, "but no frame is drawn")
        self.page.script(SHOW_PAGE)
        self.page.wait_for_frames(5)


class MemoryRefused(PageTest):
    # V8 gives no WebAssembly memory above 32 MB: as a browser that cannot spare 128 MB.
    extra_flags = ("--js-flags=--wasm-max-mem-pages=512",)

    def test_a_browser_without_the_memory_gets_a_message(self):
        line = wait_until(lambda: self.page.script(
            "return /memory/.test(document.getElementById('line').textContent) && "
            "document.getElementById('line').textContent;"), "memory message", START_SECONDS)
        self.assertIn("128 MB", line)
        self.assertGreater(self.ink(0, 0, SCREEN.FRAME_WIDTH, SCREEN.FRAME_HEIGHT)[0], 200, "the message on the canvas too")
        self.assertEqual(self.page.puts(), 0)
        self.page.screenshot(os.path.join(SHOTS, "memory-refused.png"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
