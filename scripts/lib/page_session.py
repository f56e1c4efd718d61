"""The Chromaflux page in headless Chromium, served from 127.0.0.1: what the browser tests, the
frame-time measurement and `scripts/run --web` share.

Chromium, ChromeDriver and Selenium are Debian's (chromium, chromium-driver, python3-selenium);
run with the system's python3. Before the page's own scripts, every page gets a small probe
(PROBE below) that counts the canvas puts and times each animation-frame callback, so nothing in
the program itself is there for the tests. SCREEN holds the screen facts that the bash harness
reads too (screen-facts.env); wait_until is the one way to wait for what the page shows.
"""

import contextlib
import functools
import http.server
import os
import re
import statistics
import tempfile
import threading
import time
import types
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains

EFFECT_SECONDS = 20.0  # how long a key, a click or a window change may take to show


def read_screen_facts(path=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                        "screen-facts.env")):
    """The KEY=VALUE screen facts: numbers as int, WxH+X+Y regions as (x, y, width, height),
    quoted lists of X,Y points as [(x, y), ...]."""
    facts = {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            key, value = (part.strip() for part in line.split("=", 1))
            value = value.strip('"')
            region = re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", value)
            if region:
                width, height, x, y = map(int, region.groups())
                facts[key] = (x, y, width, height)
            elif "," in value:
                facts[key] = [tuple(map(int, point.split(","))) for point in value.split()]
            else:
                facts[key] = int(value, 0)
    return types.SimpleNamespace(**facts)


SCREEN = read_screen_facts()


def wait_until(condition, what, timeout=EFFECT_SECONDS, step=0.05):
    """Polls `condition()` until it gives a true value, which it returns; after `timeout` seconds
    fails with "waited T s: no WHAT". A slow machine only makes the wait longer."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {timeout} s: no {what}")
        time.sleep(step)


CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# Headless, without the background services that a closed network refuses.
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-dev-shm-usage",
]

# Counts and times putImageData calls (the frames shown), notes when the first one ended since
# navigation start, times every requestAnimationFrame callback (one pass of the program's loop, from taking
# the input to the canvas put), and records each visibility change with the puts so far.
PROBE = """
window.probe = { puts: 0, firstPutMs: null, putMs: [], passes: 0, passMs: [], visibility: [] };
document.addEventListener('visibilitychange',
  () => probe.visibility.push([document.visibilityState, probe.puts]));
(() => {
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    const start = performance.now();
    put.apply(this, args);
    const end = performance.now();
    probe.putMs.push(end - start);
    if (probe.puts++ === 0) probe.firstPutMs = end;
  };
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((time) => {
    const start = performance.now();
    callback(time);
    probe.passMs.push(performance.now() - start);
    probe.passes++;
  });
})();
"""

# The page as a hidden one (another tab, a minimised window) for its own checks, and shown again.
HIDE_PAGE = """
Object.defineProperty(document, 'hidden', { configurable: true, get: () => true });
Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => 'hidden' });
"""
SHOW_PAGE = "delete document.hidden; delete document.visibilityState;"

# The canvas pixels of a rectangle as 0xRRGGBB numbers, row by row.
READ_PIXELS = """
const [x, y, w, h] = arguments;
const data = document.getElementById('chromaflux').getContext('2d').getImageData(x, y, w, h).data;
const out = new Array(w * h);
for (let i = 0; i < w * h; i++) out[i] = data[4 * i] << 16 | data[4 * i + 1] << 8 | data[4 * i + 2];
return out;
"""

# A digest of the whole canvas (FNV-1a over the pixels' bytes): equal digests, equal pictures.
CANVAS_DIGEST = """
const canvas = document.getElementById('chromaflux');
const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
let hash = 2166136261;
for (let i = 0; i < data.length; i++) hash = Math.imul(hash ^ data[i], 16777619);
return hash >>> 0;
"""


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def serve(directory, port=0):
    """Serves `directory` on 127.0.0.1 (any free port by default); yields the page's address."""
    handler = functools.partial(QuietHandler, directory=directory)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}/index.html"
    finally:
        server.shutdown()
        server.server_close()


class Page:
    """One headless Chromium showing the page; `extra_flags` go to Chromium as they are, and
    `extra_scripts` run before the page's own scripts, after the probe."""

    def __init__(self, address, extra_flags=(), width=1000, height=800, extra_scripts=()):
        self.profile = tempfile.TemporaryDirectory(prefix="chromaflux-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in CHROMIUM_FLAGS + [f"--user-data-dir={self.profile.name}",
                                      f"--window-size={width},{height}", *extra_flags]:
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        for source in (PROBE, *extra_scripts):
            self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": source})
        self.driver.get(address)
        self.canvas = self.driver.find_element("id", "chromaflux")

    def close(self):
        self.driver.quit()
        self.profile.cleanup()

    def script(self, source, *args):
        return self.driver.execute_script(source, *args)

    def probe(self):
        return self.script("return window.probe;")

    def puts(self):
        return self.script("return probe.puts;")

    def pixels(self, x, y, width=1, height=1):
        return self.script(READ_PIXELS, x, y, width, height)

    def pixel(self, x, y):
        return self.pixels(x, y)[0]

    def digest(self):
        return self.script(CANVAS_DIGEST)

    def wait_for(self, condition, timeout=EFFECT_SECONDS, step=0.05, what="condition"):
        """wait_until, as the page's own."""
        return wait_until(condition, what, timeout, step)

    def wait_for_frames(self, count, timeout=EFFECT_SECONDS):
        """Waits until `count` more frames were put on the canvas."""
        target = self.puts() + count
        wait_until(lambda: self.puts() >= target, f"{count} more frames", timeout)

    def click(self):
        ActionChains(self.driver).move_to_element(self.canvas).click().perform()

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.driver.save_screenshot(path)


def percentile(values, fraction):
    """The value below which `fraction` of `values` lie (nearest rank)."""
    ordered = sorted(values)
    rank = max(0, min(len(ordered) - 1, int(round(fraction * len(ordered))) - 1))
    return ordered[rank]


def frame_figures(times_ms):
    return {"frames": len(times_ms), "median_ms": statistics.median(times_ms),
            "p99_ms": percentile(times_ms, 0.99), "max_ms": max(times_ms)}


class PageTest(unittest.TestCase):
    """A test case with a page of its own in every test, served from build_dir for the whole class
    by a server of its own; extra_flags and window are Chromium's flags and window size,
    page_scripts run before the page's own."""
    build_dir = "build/web"
    extra_flags = ()
    window = (1000, 800)
    page_scripts = ()

    @classmethod
    def setUpClass(cls):
        cls.server = serve(cls.build_dir)
        cls.address = cls.server.__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.server.__exit__(None, None, None)

    def setUp(self):
        self.page = Page(self.address, self.extra_flags, *self.window, self.page_scripts)
        self.addCleanup(self.page.close)
