"""The page as an installable one, in headless Chromium served from 127.0.0.1: the manifest and its
icons as the browser reads them, the service worker that lets the page load and run with the
server gone, and the screen wake lock held in full screen; where none of it is offered (not a
secure context), the page runs as before.

    /usr/bin/python3 tests/web/installable_test.py BUILD_DIR
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                                "lib"))
import page_session  # noqa: E402
from page_session import HIDE_PAGE, SHOW_PAGE, wait_until  # noqa: E402

BUILD_DIR = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build/web")
START_SECONDS = 60  # the module and the geometry tables

# Before the page's scripts: every wake lock the page asks for, as its sentinel or null when
# refused, and every error the page leaves uncaught.
RECORD = """
window.wakeLocks = [];
window.pageErrors = [];
addEventListener('error', (event) => pageErrors.push(String(event.message)));
addEventListener('unhandledrejection', (event) => pageErrors.push(String(event.reason)));
if (navigator.wakeLock) {
  const request = navigator.wakeLock.request.bind(navigator.wakeLock);
  navigator.wakeLock.request = (type) => request(type).then(
    (lock) => { wakeLocks.push(lock); return lock; },
    (error) => { wakeLocks.push(null); throw error; });
}
"""
LOCKS = "return [wakeLocks.length, wakeLocks.filter((lock) => lock && !lock.released).length];"
# An image's width and height as decoded.
IMAGE = """return fetch(arguments[0]).then((answer) => answer.blob()).then(createImageBitmap)
  .then((bitmap) => [bitmap.width, bitmap.height]);"""
# The share of the canvas's pixels that are not black: the plasma lights most, the intro page few.
LIT = """
const canvas = document.getElementById('chromaflux');
const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
let lit = 0;
for (let i = 0; i < data.length; i += 4) lit += (data[i] | data[i + 1] | data[i + 2]) ? 1 : 0;
return lit / (data.length / 4);
"""
INTO_VIEW = "document.dispatchEvent(new Event('visibilitychange'));"


class Installable(page_session.PageTest):
    build_dir = BUILD_DIR
    page_scripts = (RECORD,)

    def start(self):
        self.page.wait_for_frames(2, START_SECONDS)

    def cdp(self, command, **params):
        return self.page.driver.execute_cdp_cmd(command, params)

    def test_the_browser_reads_the_manifest_and_its_icons_and_can_install_the_page(self):
        self.start()
        found = self.cdp("Page.getAppManifest")
        self.assertEqual(found["errors"], [])
        folder = self.address.rsplit("/", 1)[0] + "/"
        parsed = found["manifest"]
        self.assertEqual({key: parsed[key] for key in ("name", "startUrl", "scope", "display",
                                                       "backgroundColor", "themeColor")},
                         {"name": "Chromaflux", "startUrl": folder + "index.html", "scope": folder,
                          "display": "kFullscreen", "backgroundColor": "rgba(0,0,0,1)",
                          "themeColor": "rgba(0,0,0,1)"})
        icons = [(icon["sizes"], icon["type"], self.page.script(IMAGE, icon["url"]))
                 for icon in parsed["icons"]]
        self.assertEqual(icons, [("192x192", "image/png", [192, 192]),
                                 ("512x512", "image/png", [512, 512])])
        # Chromium's own verdict on installing the page.
        wait_until(lambda: self.cdp("Page.getInstallabilityErrors")["installabilityErrors"] == [],
                   "installable page", START_SECONDS)

    def test_full_screen_holds_a_wake_lock_while_shown_and_leaving_it_releases_the_lock(self):
        self.start()
        # Headless Chromium grants wake locks; a browser that refuses leaves no error behind.
        for setting, held in (("granted", 1), ("denied", 0)):
            with self.subTest(setting=setting):
                self.cdp("Browser.setPermission", permission={"name": "screen-wake-lock"},
                         setting=setting)
                asked = self.page.script(LOCKS)[0]
                self.page.keys("f")
                wait_until(lambda: self.page.script(LOCKS) == [asked + 1, held],
                           f"{held} wake lock in full screen")
                if held:  # hidden, the lock goes; shown again in full screen, a new one
                    self.page.script(HIDE_PAGE + INTO_VIEW)
                    wait_until(lambda: self.page.script(LOCKS) == [asked + 1, 0], "lock released")
                    self.page.script(SHOW_PAGE + INTO_VIEW)
                    asked += 1
                    wait_until(lambda: self.page.script(LOCKS) == [asked + 1, 1], "lock again")
                self.page.keys("f")
                wait_until(lambda: self.page.script(LOCKS) == [asked + 1, 0],
                           "no wake lock out of full screen")
                self.page.wait_for_frames(3)
                self.assertEqual(self.page.script("return pageErrors;"), [])


class Offline(unittest.TestCase):
    def test_with_the_server_gone_the_page_loads_and_the_plasma_moves(self):
        server = page_session.serve(BUILD_DIR)
        address = server.__enter__()
        page = page_session.Page(address)
        self.addCleanup(page.close)
        wait_until(lambda: page.script("return navigator.serviceWorker.controller !== null;"),
                   "service worker in control", START_SECONDS)
        server.__exit__(None, None, None)
        self.assertTrue(page.script("return fetch('not-kept').then(() => false, () => true);"),
                        "no answer, not even a 404, for a file that the worker does not keep")
        # The folder's address, and the page's address with settings, load from the cache.
        for path in ("", "index.html?classic"):
            with self.subTest(path=path):
                page.driver.get(address.rsplit("/", 1)[0] + "/" + path)
                page.canvas = page.driver.find_element("id", "chromaflux")
                page.wait_for_frames(2, START_SECONDS)
                page.click()
                wait_until(lambda: page.script(LIT) > 0.5, "plasma")
                first = page.digest()
                wait_until(lambda: page.digest() != first, "moving plasma")


class NotSecure(page_session.PageTest):
    # A name other than localhost over HTTP: no service worker, no wake lock.
    build_dir = BUILD_DIR
    extra_flags = ("--host-resolver-rules=MAP chromaflux.test 127.0.0.1",)
    page_scripts = (RECORD,)

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.address = cls.address.replace("127.0.0.1", "chromaflux.test")

    def test_the_page_runs_without_a_service_worker_or_wake_lock_and_no_error(self):
        self.page.wait_for_frames(2, START_SECONDS)
        self.assertEqual(self.page.script(
            "return [isSecureContext, 'serviceWorker' in navigator, 'wakeLock' in navigator];"),
            [False, False, False])
        self.page.keys("f")
        wait_until(lambda: self.page.script("return document.fullscreenElement !== null;"),
                   "full screen")
        self.page.keys("f")
        self.page.wait_for_frames(3)
        self.assertEqual(self.page.script("return pageErrors;"), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
