"""The page's GL renderer on WebGL2 in headless Chromium (SwiftShader): the same runs drawn by the GL
and the software renderer with the page's clocks and animation frames held by the test, read back
and compared byte for byte; a lost and restored context; how ?renderer= chooses; no pixel budget.

    /usr/bin/python3 tests/web/webgl_test.py BUILD_DIR
"""

import os
import sys
import unittest

from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                                "lib"))
import page_session  # noqa: E402
from page_session import HIDE_PAGE, SHOW_PAGE, wait_until  # noqa: E402

BUILD_DIR = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build/web")
START_SECONDS = 60  # the module and the geometry tables
SWIFTSHADER = ("--use-angle=swiftshader", "--enable-unsafe-swiftshader")

# The page's clocks held by the test: performance.now() and Date.now() (the seed) answer held.now,
# and the loop's animation frames wait until held.step(now) runs them.
HELD = """
window.held = { now: 0, waiting: [], lost: false, restored: false };
performance.now = () => held.now;
Date.now = () => 1765000000000 + held.now;
window.requestAnimationFrame = (callback) => held.waiting.push(callback);
held.step = (now) => {
  held.now = now;
  const due = held.waiting.splice(0);
  due.forEach((callback) => callback(now));
  return due.length;
};
"""

# The canvas's size and a digest of its picture (FNV-1a over red, green and blue, rows top down),
# read from the context it holds: WebGL2's drawing buffer (read bottom up) or the 2-D one.
DIGEST = """
const canvas = document.getElementById('chromaflux'), w = canvas.width, h = canvas.height;
const gl = canvas.getContext('webgl2');
let rgba = null, rowOf = (y) => y;
if (gl) {
  rgba = new Uint8Array(4 * w * h);
  gl.readPixels(0, 0, w, h, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
  rowOf = (y) => h - 1 - y;
} else {
  rgba = canvas.getContext('2d').getImageData(0, 0, w, h).data;
}
let hash = 2166136261;
for (let y = 0; y < h; y++) {
  for (let i = rowOf(y) * w * 4, end = i + w * 4; i < end; i += 4) {
    hash = Math.imul(hash ^ rgba[i], 16777619);
    hash = Math.imul(hash ^ rgba[i + 1], 16777619);
    hash = Math.imul(hash ^ rgba[i + 2], 16777619);
  }
}
return [w, h, hash >>> 0];
"""

# SwiftShader named as a graphics processor would be, so that auto runs its self-check; and a fault
# of one bit in what the context reads back, which the self-check must see.
AS_GPU = """
const parameter = WebGL2RenderingContext.prototype.getParameter;
WebGL2RenderingContext.prototype.getParameter = function (name) {
  const info = this.getExtension('WEBGL_debug_renderer_info');
  return info && name === info.UNMASKED_RENDERER_WEBGL ? 'Test GPU' : parameter.call(this, name);
};
"""
READS_A_BIT_OFF = """
const readPixels = WebGL2RenderingContext.prototype.readPixels;
WebGL2RenderingContext.prototype.readPixels = function (...args) {
  readPixels.apply(this, args);
  args[6][args[7] || 0] ^= 1;  // Emscripten passes its heap and the offset into it
};
"""

# A lost context offers no extension: the one that lost it restores it.
LOSE = """
const canvas = document.getElementById('chromaflux');
canvas.addEventListener('webglcontextlost', () => held.lost = true);
canvas.addEventListener('webglcontextrestored', () => held.restored = true);
held.loss = canvas.getContext('webgl2').getExtension('WEBGL_lose_context');
held.loss.loseContext();
"""
RESTORE = "held.loss.restoreContext();"

# The non-black pixels of the canvas's 2-D picture in rows `arguments[0]` ... `arguments[1]`.
LIT_ROWS = """
const canvas = document.getElementById('chromaflux'), [top, bottom] = arguments;
const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
let lit = 0;
for (let i = 0; i < data.length; i += 4) {
  const y = Math.floor(i / 4 / canvas.width);
  lit += (data[i] | data[i + 1] | data[i + 2]) && y >= top && y <= bottom ? 1 : 0;
}
return lit;
"""

# A run: a number draws the frame at that tick and reads it back (none while the context is lost);
# "click", a key, or "lose" and "restore" (the GL context; the software renderer's page is hidden
# meanwhile, which skips its frames as a lost context does) go to the page before the next frame. The colours fade in over a
# model's first 600 ms, frame by frame; models 11, 12, 0 and 1 read the four kinds of term.
RIGHT = Keys.ARROW_RIGHT
INTRO = [10, 700]
MODELS = ["click", 300, 590, 1100, 1571, RIGHT, 1900, 2190, 3299, RIGHT, 3600, 3890, 4871, RIGHT,
          5200, 5490, 6000]
CONSOLE = [Keys.TAB, 40, 150, 1000]  # the console opening, then open
LOSS = ["lose", 100, 200, "restore", 300, RIGHT, 600, 890, 1400]


def run(*parts):
    """The parts one after another, each one's ticks counted from the last tick before it."""
    steps, last = [], 0
    for part in parts:
        steps += [last + step if isinstance(step, int) else step for step in part]
        last = max([last] + [step for step in steps if isinstance(step, int)])
    return steps


# Name: the address's settings, the picture's size, the run.
CASES = {
    "333 x 177": ("?models=11", (333, 177), run(INTRO, MODELS, CONSOLE)),
    "the classic 800 x 600": ("?models=11", (800, 600), run(INTRO, MODELS[:9], CONSOLE)),
    "1920 x 1080": ("?models=0", (1920, 1080), run(INTRO, MODELS[:4], CONSOLE)),
    "1080 x 1920": ("?models=12", (1080, 1920), run(MODELS[:5])),
    "a lost context": ("?models=11", (333, 177), run(MODELS[:4], LOSS, CONSOLE)),
}


class Exactness(page_session.PageTest):
    build_dir = BUILD_DIR
    extra_flags = SWIFTSHADER
    page_scripts = (HELD,)

    def setUp(self):
        pass  # each run opens its own page

    def run_case(self, renderer, settings, size, steps):
        self.page = page_session.Page(f"{self.address}{settings}&renderer={renderer}",
                                      self.extra_flags, 1000, 800, self.page_scripts)
        try:
            wait_until(lambda: self.page.script("return held.waiting.length"), "the first frame",
                       START_SECONDS)
            self.assertEqual(self.page.script("return Module.page.renderer"), renderer)
            return self.draw(renderer, size, steps)
        finally:
            self.page.close()

    def draw(self, renderer, size, steps):
        """The digests of the frames the run draws; a frame while the context is lost (the page
        hidden) is taken and skipped, and there is nothing to read."""
        self.page.script(f"Module.page.pictureSize = () => {list(size)};")
        gl = renderer == "gl"
        digests, lost = [], False
        for step in steps:
            if isinstance(step, int):
                self.assertEqual(self.page.script("return held.step(arguments[0])", step), 1)
                digests += [] if lost else [self.page.script(DIGEST)]
            elif step == "click":
                self.page.click()
            elif step in ("lose", "restore"):
                lost = step == "lose"
                if gl:
                    self.page.script(LOSE if lost else RESTORE)
                    flag = "held.lost" if lost else "held.restored"
                    wait_until(lambda: self.page.script("return " + flag), flag)
                else:
                    self.page.script(HIDE_PAGE if lost else SHOW_PAGE)
            else:
                self.page.keys(step)
        self.assertEqual(self.page.script("return Module.page.renderer"), renderer, "throughout")
        return digests

    def test_the_gl_picture_equals_the_software_picture(self):
        for name, (settings, size, steps) in CASES.items():
            with self.subTest(name):
                software = self.run_case("software", settings, size, steps)
                gl = self.run_case("gl", settings, size, steps)
                self.assertEqual(software[0][:2], list(size))
                self.assertGreater(len(set(map(tuple, software))), len(software) // 2,
                                   "frames that differ")
                self.assertEqual(len(gl), len(software))
                for drawn, expected in zip(gl, software):
                    self.assertEqual(drawn, expected, name)


class Choice(page_session.PageTest):
    build_dir = BUILD_DIR

    def setUp(self):
        pass  # each case opens its own page

    def test_the_address_and_the_browser_choose_the_renderer(self):
        for settings, flags, scripts, renderer, why, line in (
                ("", SWIFTSHADER, (), "software", "SwiftShader", "click to start"),
                ("", SWIFTSHADER, (AS_GPU,), "gl", "Test GPU", "click to start"),
                ("", SWIFTSHADER, (AS_GPU, READS_A_BIT_OFF), "software",
                 "Test GPU failed the self-check", "click to start"),
                ("?renderer=gl", SWIFTSHADER + ("--disable-webgl2",), (), "software",
                 "no WebGL2 context", "this browser gives no WebGL2 context; the software "
                                      "renderer draws instead."),
                ("?renderer=gpu", SWIFTSHADER, (), "software", "SwiftShader",
                 "'gpu' is not a renderer: auto, gl or software")):
            with self.subTest(settings=settings, flags=flags, scripts=len(scripts)):
                page = page_session.Page(self.address + settings, flags, extra_scripts=scripts)
                try:
                    chosen = wait_until(lambda: page.script(
                        "return Module.page.renderer && "
                        "[Module.page.renderer, Module.page.rendererWhy, "
                        "document.getElementById('line').textContent]"), "a renderer",
                        START_SECONDS)
                    self.assertEqual(chosen[0], renderer)
                    self.assertIn(why, chosen[1])
                    self.assertIn(line, chosen[2])
                    if renderer == "software":
                        page.wait_for_frames(2)  # the software renderer's pictures show
                finally:
                    page.close()

    def test_the_gl_renderer_draws_every_device_pixel(self):
        page = page_session.Page(self.address + "?renderer=gl", SWIFTSHADER)
        backing = "const c = document.getElementById('chromaflux'); return [c.width, c.height];"

        def view(width, height):
            page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": height, "deviceScaleFactor": 2, "mobile": False})

        try:
            # 8000 x 4000: the terms' texture, the picture and the drift's reach either side, would
            # be wider than SwiftShader's 8192 texels; the picture keeps its shape within.
            view(4000, 2000)
            width, height = wait_until(lambda: page.script(backing)[0] > 4000 and
                                       page.script(backing), "a larger picture", START_SECONDS)
            reach = int(89.5 * min(width / 800, height / 600)) + 1
            self.assertTrue(8100 < width + 2 * reach <= 8192, (width, height))
            self.assertAlmostEqual(width / height, 2, delta=0.001)
            # A 2560 x 1440 screen at ratio 2: 5120 x 2880 needs more than the 128 MB reserved
            # at load.
            view(2560, 1440)
            wait_until(lambda: page.script(backing) == [5120, 2880], "5120 x 2880")
            page.click()
            passes = page.probe()["passes"]
            wait_until(lambda: page.probe()["passes"] > passes + 3, "running frames", 120)
            self.assertEqual(page.script(backing), [5120, 2880], "no classic frame stands in")
            self.assertGreater(page.script("return HEAP8.length") >> 20, 128, "the heap grew")
        finally:
            page.close()

    def test_esc_ends_a_gl_run_on_a_2d_canvas_and_a_click_starts_another(self):
        # A canvas holds one kind of context: the end line needs a fresh canvas, and so does the
        # next run's WebGL2 context; each keeps the listeners.
        page = page_session.Page(self.address + "?renderer=gl&classic", SWIFTSHADER)
        kind = "const c = document.getElementById('chromaflux'); " \
               "return [c.getContext('webgl2') ? 'webgl2' : '2d', c.classList.contains('ended')];"
        try:
            for run in range(2):
                wait_until(lambda: page.probe()["passes"] > 2, "a drawn frame", START_SECONDS)
                self.assertEqual(page.script(kind), ["webgl2", False], f"run {run + 1}")
                page.canvas = page.driver.find_element("id", "chromaflux")
                page.click()
                page.keys(Keys.ESCAPE)
                wait_until(lambda: page.script(kind) == ["2d", True], f"the end of run {run + 1}")
                self.assertEqual(page.script(LIT_ROWS, 0, 289) + page.script(LIT_ROWS, 311, 599), 0)
                self.assertGreater(page.script(LIT_ROWS, 290, 310), 100, "the restart line")
                page.script("probe.passes = 0;")
                page.canvas = page.driver.find_element("id", "chromaflux")
                page.click()
        finally:
            page.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
