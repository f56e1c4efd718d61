"""The web page of scripts/run --web, with the system's python3:

    web-page.py serve BUILD_DIR PORT           serves BUILD_DIR on 127.0.0.1:PORT until Ctrl+C
    web-page.py tour BUILD_DIR SCREENSHOT_DIR  headless Chromium: intro.png, plasma.png and
                                               console.png of the canvas, as a user sees them
"""

import os
import sys
import time

from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_session import SCREEN, Page, serve, wait_until  # noqa: E402

OPEN_CONSOLE_BAND = [SCREEN.CONSOLE_BAND_COLOUR] * SCREEN.FRAME_WIDTH


def serve_forever(build_dir, port):
    with serve(build_dir, port) as address:
        print(f"Chromaflux is served at {address} (Ctrl+C stops the server)", flush=True)
        try:
            while True:
                time.sleep(3600)
        except KeyboardInterrupt:
            print()


def tour(build_dir, screenshot_dir):
    os.makedirs(screenshot_dir, exist_ok=True)
    with serve(build_dir) as address:
        page = Page(address + "?classic")  # the three pictures of the classic frame

        def shot(name):
            page.canvas.screenshot(os.path.join(screenshot_dir, name))

        try:
            page.wait_for_frames(2, timeout=30)
            shot("intro.png")
            page.click()
            page.wait_for_frames(3)
            time.sleep(1.5)  # the colour ring fades in from black
            shot("plasma.png")
            page.keys(Keys.TAB)
            wait_until(lambda: page.pixels(0, SCREEN.CONSOLE_TOP, SCREEN.FRAME_WIDTH, 1) ==
                       OPEN_CONSOLE_BAND, "open console")
            shot("console.png")
        finally:
            page.close()


def main():
    command, build_dir, where = sys.argv[1:4]
    if command == "serve":
        serve_forever(os.path.abspath(build_dir), int(where))
    elif command == "tour":
        tour(os.path.abspath(build_dir), os.path.abspath(where))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
