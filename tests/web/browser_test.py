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
from page_session import Page, serve  # noqa: E402

BUILD_DIR = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build/web")
SHOTS = os.path.join(BUILD_DIR, "browser-screenshots")

# Console layout on the open console (top row 520): the controls column starts at x = 286.
BAND_ROW = 520
BAND_COLOUR = 0xB5EE51
MODEL_BUTTON_CORNERS = [(286 + 24 * j + 23, 520 + 52 + 13) for j in range(14)]
SELECTED = 0xCB2121  # bottom-right pixel of a selected model button
PLAIN = 0x074C07  # and of an unselected one
# The play-mode buttons have 13 rows, so their bottom row ends in a white edge dot: look at the
# last gradient pixel before it (step 252 of 254). MANUAL's right column is RANDOM's left one.
MANUAL_INNER = (350, 520 + 37 + 12)
RANDOM_INNER = (415, 520 + 37 + 12)
SELECTED_INNER = 0xCA2121
PLAIN_INNER = 0x074D07
# The intro page's blinking prompt, centred, top at y = 438; its heading row at y = 100.
PROMPT_BOX = (300, 436, 200, 14)
HEADING_BOX = (340, 98, 120, 14)

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
HIDE_PAGE = """
Object.defineProperty(document, 'hidden', { configurable: true, get: () => true });
Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => 'hidden' });
"""
SHOW_PAGE = "delete document.hidden; delete document.visibilityState;"


def bright(colour):
    return all((colour >> shift & 0xFF) > 0x80 for shift in (0, 8, 16))


class PageTest(unittest.TestCase):
    extra_flags = ()

    @classmethod
    def setUpClass(cls):
        cls.server = serve(BUILD_DIR)
        cls.address = cls.server.__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.server.__exit__(None, None, None)

    def setUp(self):
        self.page = Page(self.address, self.extra_flags)
        self.addCleanup(self.page.close)

    def ink(self, x, y, width, height):
        return self.page.script(INK_BOX, x, y, width, height)

    def start_visuals(self):
        self.page.wait_for_frames(2)
        self.page.click()
        self.page.wait_for_frames(3)

    def open_console(self):
        self.start_visuals()
        self.page.keys(Keys.TAB)
        self.page.wait_for(lambda: self.page.pixels(0, BAND_ROW, 800, 1) == [BAND_COLOUR] * 800,
                           what="console band at row 520")

    def red_model_button(self):
        corners = [self.page.pixel(x, y) for x, y in MODEL_BUTTON_CORNERS]
        self.assertEqual(sorted(corners), sorted([SELECTED] + [PLAIN] * 13), corners)
        return corners.index(SELECTED)

    def wait_for_red_button(self, index):
        self.page.wait_for(lambda: self.page.pixel(*MODEL_BUTTON_CORNERS[index]) == SELECTED,
                           what=f"model button {index} red")
        self.assertEqual(self.red_model_button(), index)


class IntroPage(PageTest):
    def test_intro_page_with_blinking_prompt(self):
        # Where the canvas shows and at what scale: fullscreen_test.py.
        self.page.wait_for_frames(2)
        self.assertGreater(self.ink(*HEADING_BOX)[0], 50, "the white heading CHROMAFLUX")
        prompt_seen = set()
        for _ in range(40):  # 2 s: the prompt toggles every 500 ms
            prompt = self.page.pixels(*PROMPT_BOX)
            prompt_seen.add(any(bright(p) for p in prompt))
            time.sleep(0.05)
        self.assertEqual(prompt_seen, {True, False}, "the prompt shows and hides")
        self.page.screenshot(os.path.join(SHOTS, "intro.png"))


class Visuals(PageTest):
    def test_a_click_starts_the_plasma_and_it_animates(self):
        self.start_visuals()
        time.sleep(0.5)  # the fade-in from black is under way
        first = self.page.digest()
        time.sleep(0.3)
        second = self.page.digest()
        self.assertNotEqual(first, second, "the picture moves")
        self.assertGreater(self.ink(0, 0, 800, 600)[0], 100000, "the screen is not the intro page")
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
        buttons = lambda: [self.page.pixel(*MANUAL_INNER), self.page.pixel(*RANDOM_INNER)]
        self.assertEqual(buttons(), [PLAIN_INNER, SELECTED_INNER], "RANDOM at start")
        self.page.keys("q")
        self.page.wait_for(lambda: buttons() == [SELECTED_INNER, PLAIN_INNER], what="MANUAL")
        self.page.screenshot(os.path.join(SHOTS, "console-manual.png"))
        self.page.keys("Q")  # Shift does not matter: key codes, as on Windows
        self.page.wait_for(lambda: buttons() == [PLAIN_INNER, SELECTED_INNER], what="RANDOM")


class EndAndRestart(PageTest):
    def assert_ended(self):
        self.page.wait_for(lambda: self.page.script(
            "return document.getElementById('chromaflux').classList.contains('ended');"),
            what="the end of the run")
        puts = self.page.puts()
        time.sleep(0.3)
        self.assertEqual(self.page.puts(), puts, "the loop has stopped")
        count, _, top, _, bottom = self.ink(0, 0, 800, 600)
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
            self.page.wait_for_frames(3)
            self.assertGreater(self.ink(*HEADING_BOX)[0], 50, f"run {run + 2} starts on the intro")
            self.page.click()
            self.page.wait_for_frames(3)
            time.sleep(0.3)
            self.assertGreater(self.ink(0, 0, 800, 520)[0], 100000, "and its visuals run")
            self.assertNotEqual(self.page.pixels(0, BAND_ROW, 800, 1), [BAND_COLOUR] * 800,
                                "the console starts closed again")
            self.page.keys(Keys.ESCAPE)
            self.assert_ended()


class HiddenPage(PageTest):
    def assert_hidden_then_shown(self, hide, show):
        self.page.script("probe.visibility.length = 0;")
        hide()
        time.sleep(0.5)
        show()
        self.page.wait_for(lambda: len(self.page.probe()["visibility"]) >= 2, what="visibility")
        (hidden, puts_hidden), (shown, puts_shown) = self.page.probe()["visibility"][:2]
        self.assertEqual((hidden, shown), ("hidden", "visible"))
        self.assertEqual(puts_shown, puts_hidden, "no frame while hidden")
        before = self.page.digest()
        self.page.wait_for_frames(5)
        self.assertNotEqual(self.page.digest(), before, "the visuals resume")

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
        time.sleep(0.1)
        puts, passes = self.page.puts(), self.page.probe()["passes"]
        time.sleep(0.5)
        probe = self.page.probe()
        self.assertGreater(probe["passes"], passes + 5, "the loop still runs")
        self.assertEqual(probe["puts"], puts, "but no frame is drawn")
        self.page.script(SHOW_PAGE)
        self.page.wait_for_frames(5)


class MemoryRefused(PageTest):
    # V8 gives no WebAssembly memory above 32 MB: as a browser that cannot spare 64 MB.
    extra_flags = ("--js-flags=--wasm-max-mem-pages=512",)

    def test_a_browser_without_the_memory_gets_a_message(self):
        line = self.page.wait_for(lambda: self.page.script(
            "return /memory/.test(document.getElementById('line').textContent) && "
            "document.getElementById('line').textContent;"), what="the memory message")
        self.assertIn("64 MB", line)
        self.assertGreater(self.ink(0, 0, 800, 600)[0], 200, "the message on the canvas too")
        self.assertEqual(self.page.puts(), 0)
        self.page.screenshot(os.path.join(SHOTS, "memory-refused.png"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
