"""Fingers and pens on a page in headless Chromium, through the DevTools protocol: what the touch
test (tests/web/touch_test.py) and scripts/make-web-phone-shot share.

A gesture is a list of steps (milliseconds after the step before, [(x, y) of each finger down],
in CSS pixels); an empty list lifts every finger.
"""

import time

GESTURE_GAP_S = 1.0  # between gestures: no tap doubles the one before


class Fingers:
    """Sends gestures to `driver`'s page, each event stamped with its own time, which becomes the
    event's timeStamp: a gesture takes as long as its steps say however slow the machine is, and
    gestures lie GESTURE_GAP_S apart. Touch emulation must be on for fingers."""

    def __init__(self, driver):
        self.driver = driver
        self.clock = 0.0

    def gesture(self, steps, pen=False):
        """Fingers make the gesture, or with `pen` a pen (its first point)."""
        self.clock = max(self.clock + GESTURE_GAP_S, time.time())
        down = []
        for after_ms, points in steps:
            self.clock += after_ms / 1000
            if pen:
                kind = "mouseReleased" if not points else "mouseMoved" if down else "mousePressed"
                x, y = (points or down)[0]
                self.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {
                    "type": kind, "timestamp": self.clock, "x": x, "y": y, "pointerType": "pen",
                    "button": "left", "buttons": 1 if points else 0, "clickCount": 1})
            else:
                kind = ("touchEnd" if not points else
                        "touchStart" if len(points) > len(down) else "touchMove")
                self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
                    "type": kind, "timestamp": self.clock,
                    "touchPoints": [{"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)]})
            down = points


def emulate_phone(driver, width, height, ratio):
    """A phone's screen of `width` x `height` CSS pixels at `ratio` device pixels each, turned
    the way its shape says, with touch."""
    portrait = height > width
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": True,
        "screenWidth": width, "screenHeight": height, "screenOrientation": {
            "type": "portraitPrimary" if portrait else "landscapePrimary",
            "angle": 0 if portrait else 90}})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                           {"enabled": True, "maxTouchPoints": 5})


def tap(x, y):
    return [(0, [(x, y)]), (80, [])]


def double_tap(x, y):
    return tap(x, y) + [(150, [(x, y)]), (80, [])]


def swipe(x, y, dx, dy, steps=5):
    """From (x, y) by (dx, dy) in 40 ms steps."""
    return ([(0, [(x, y)])] + [(40, [(x + dx * k / steps, y + dy * k / steps)])
                               for k in range(1, steps + 1)] + [(20, [])])


def pinch(x, y, spread=120, steps=5):
    """Two fingers 60 CSS pixels apart about (x, y), moving apart by `spread` each."""
    return ([(0, [(x - 30, y)]), (10, [(x - 30, y), (x + 30, y)])] +
            [(40, [(x - 30 - spread * k / steps, y), (x + 30 + spread * k / steps, y)])
             for k in range(1, steps + 1)] + [(20, [])])
