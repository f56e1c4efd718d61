"""The page on a phone, in headless Chromium: 390 x 844 CSS pixels at 3 device pixels each, in
portrait and in landscape, with a notch's safe area, fingers and a pen sent through the DevTools
protocol. Taps, swipes and the touch controls drive the run as its keys do, the mouse works the
console's controls, the line and the controls keep to the safe area, and the page neither
scrolls nor zooms.

    /usr/bin/python3 tests/web/touch_test.py BUILD_DIR

What the run shows is read from Module.page.run (the page keeps it for its play-mode button);
what the program takes from the page's queue is recorded by a wrapper of Module.page.takeInput.
Gestures carry their own timestamps (touch_input.Fingers), so none depends on the machine's pace.
"""

import math
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                                "lib"))
import page_session  # noqa: E402
from page_session import SCREEN  # noqa: E402
from touch_input import Fingers, double_tap, emulate_phone, pinch, swipe, tap  # noqa: E402

BUILD_DIR = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build/web")
START_SECONDS = 60  # the module and the geometry tables
PHONE_RATIO = 3
# The phone's CSS size, the picture the page draws (its device pixels within the software
# renderer's budget of 1600 x 900 pixels; headless Chromium's SwiftShader gets the software one),
# and the safe area's insets, as a phone with a notch and rounded corners has them.
PORTRAIT = ((390, 844), [815, 1765], {"top": 47, "right": 0, "bottom": 34, "left": 0})
LANDSCAPE = ((844, 390), [1765, 815], {"top": 0, "right": 47, "bottom": 21, "left": 47})
CLASSIC = [SCREEN.FRAME_WIDTH, SCREEN.FRAME_HEIGHT]
OPEN_CONSOLE_ROWS = 80
NO_INPUT = -1  # Module.page.takeInput's codes
LEFT_CLICK = -2
POINTER = -3
KEYS = {"left": 0x25, "right": 0x27, "A": 0x41, "Z": 0x5A, "Q": 0x51, "TAB": 0x09, "H": 0x48}

# Records every input the program takes from the page's queue.
RECORD_TAKEN = """
const take = Module.page.takeInput, none = arguments[0];
window.taken = [];
Module.page.takeInput = () => {
  const input = take();
  if (input !== none) taken.push(input);
  return input;
};
"""

# The canvas's backing store and box, the page's scroll and zoom, the run and the controls.
STATE = """
const canvas = document.getElementById('chromaflux'), box = canvas.getBoundingClientRect();
const controls = document.getElementById('controls');
const buttons = {};
for (const button of controls.children) {
  const at = button.getBoundingClientRect();
  buttons[button.id] = {left: at.left, top: at.top, width: at.width, height: at.height,
                        label: button.textContent,
                        hit: document.elementFromPoint(at.left + at.width / 2,
                                                       at.top + at.height / 2) === button};
}
return {backing: [canvas.width, canvas.height], box: [box.left, box.top, box.width, box.height],
        viewport: [innerWidth, innerHeight], scroll: [scrollX, scrollY],
        scale: visualViewport.scale, run: Module.page.run, taken: window.taken || [],
        fullscreen: document.fullscreenElement === canvas, buttons,
        controls: controls.classList.contains('shown'),
        rowBottom: controls.getBoundingClientRect().bottom};
"""

# The help line: its box and its text's, whether the text fits it, and which parts show.
HELP_LINE = """
const line = document.getElementById('line'), box = line.getBoundingClientRect();
const words = document.createRange();
words.selectNodeContents(line);
const text = words.getBoundingClientRect();
const shows = (part) => getComputedStyle(line.querySelector(part)).display !== 'none';
return {box: [box.left, box.top, box.right, box.bottom],
        text: [text.left, text.top, text.right, text.bottom],
        fits: line.scrollWidth <= line.clientWidth, touch: shows('.touch'), keys: shows('.keys')};
"""

# Non-black pixels of the canvas's rows 0 ... rows - 1.
LIT_ROWS = """
const canvas = document.getElementById('chromaflux');
const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, arguments[0]).data;
let lit = 0;
for (let i = 0; i < data.length; i += 4) lit += (data[i] | data[i + 1] | data[i + 2]) ? 1 : 0;
return lit;
"""


def next_model(run, step=1):
    return (run["model"] + step) % SCREEN.MODEL_COUNT


def model_moved(step):
    return lambda before, after: after["run"]["model"] == next_model(before["run"], step)


def console_moved(before, after):
    return after["run"]["consoleRows"] == OPEN_CONSOLE_ROWS - before["run"]["consoleRows"]


def play_mode(random):
    def shown(before, after):
        label = after["buttons"]["play-mode"]["label"]
        return after["run"]["random"] == random and label == ("RANDOM" if random else "MANUAL")
    return shown


def frame(classic):
    """The classic frame in its 4:3 box, or a picture filling the screen; the button says which."""
    def shown(before, after):
        label = after["buttons"]["frame"]["label"]
        return ((after["backing"] == CLASSIC) == classic and
                (after["box"] == [0, 0, *after["viewport"]]) != classic and
                label == ("800 \u00d7 600" if classic else "HD"))
    return shown


# Gestures on the running visuals, from the middle of the screen: (name, the gesture at (x, y),
# what the page shows after it given the state before, or None where the run stays as it was).
# Fingers make them, or a pen where the name says so.
SWIPE = 120  # CSS pixels: 40 points at least make a swipe
GESTURES = (
    ("swipe left", lambda x, y: swipe(x, y, -SWIPE, 0), model_moved(1)),
    ("pen swipe left", lambda x, y: swipe(x, y, -SWIPE, 0), model_moved(1)),
    ("swipe right", lambda x, y: swipe(x, y, SWIPE, 0), model_moved(-1)),
    ("pinch", pinch, None),
    ("swipe up", lambda x, y: swipe(x, y, 0, -SWIPE), console_moved),
    ("swipe down", lambda x, y: swipe(x, y, 0, SWIPE), console_moved),
    ("double tap", double_tap, lambda before, after: after["fullscreen"]),
    ("double tap", double_tap, lambda before, after: not after["fullscreen"]),
)

# The control row's buttons, each tapped in turn: (button, the key it queues or None for the
# page's own command, what the page shows after it given the state before, or None where only the
# key tells).
BUTTONS = (
    ("next-model", KEYS["right"], model_moved(1)),
    ("previous-model", KEYS["left"], model_moved(-1)),
    ("random-model", KEYS["A"], None),
    ("new-colours", KEYS["Z"], None),
    ("play-mode", KEYS["Q"], play_mode(False)),
    ("play-mode", KEYS["Q"], play_mode(True)),
    ("console", KEYS["TAB"], console_moved),
    ("console", KEYS["TAB"], console_moved),
    ("frame", KEYS["H"], frame(True)),
    ("frame", KEYS["H"], frame(False)),
    ("full-screen", None, lambda before, after: after["fullscreen"]),
    ("full-screen", None, lambda before, after: not after["fullscreen"]),
)


class Phone(page_session.PageTest):
    build_dir = BUILD_DIR
    window = (900, 900)

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.address += "?period=300"  # RANDOM play mode changes no model while the test looks

    def state(self):
        return self.page.script(STATE)

    def wait_for_state(self, condition, what):
        def met():
            state = self.state()
            return condition(state) and state
        return self.page.wait_for(met, what=what)

    def turn(self, css_size, backing, insets):
        width, height = css_size
        emulate_phone(self.page.driver, width, height, PHONE_RATIO)
        self.page.driver.execute_cdp_cmd("Emulation.setSafeAreaInsetsOverride", {"insets": insets})
        return self.wait_for_state(
            lambda s: s["backing"] == backing and s["box"] == [0, 0, width, height],
            f"a {backing[0]} x {backing[1]} picture filling {width} x {height}")

    @staticmethod
    def console_layout(state):
        """The console's columns and scale on the page's picture, as app/layer_layout.h chooses
        them for a picture of the canvas's size at its pixels per CSS pixel."""
        width, height = state["backing"]
        frame = (SCREEN.FRAME_WIDTH, SCREEN.FRAME_HEIGHT)
        classic = min(width / frame[0], height / frame[1])
        readable = SCREEN.READABLE_EM_POINTS * width / state["viewport"][0] / SCREEN.TEXT_EM_PIXELS
        if classic >= readable:
            return frame[0], classic
        scale = max(math.ceil(readable) if readable >= 1 else readable,
                    math.sqrt(width * height / (frame[0] * frame[1])))
        columns = int(width / scale)
        if columns >= frame[0]:
            return frame[0], scale
        if columns >= SCREEN.NARROW_CONSOLE_LEAST_WIDTH:
            return columns, scale
        return frame[0], width / frame[0]

    def on_console(self, state, x, y):
        """Where (x, y) of the open console's layer shows, in CSS pixels: the console's band is
        the layer at its scale, centred across the picture's bottom rows."""
        width, height = state["backing"]
        columns, scale = self.console_layout(state)
        left, top, box_width, box_height = state["box"]
        return (left + (width / 2 + (x - columns / 2) * scale) * box_width / width,
                top + (height - (SCREEN.FRAME_HEIGHT - y) * scale) * box_height / height)

    def model_button(self, state, model):
        columns = self.console_layout(state)[0]
        if columns == SCREEN.FRAME_WIDTH:
            return self.on_console(
                state, SCREEN.MODEL_BUTTONS_LEFT + SCREEN.MODEL_BUTTON_WIDTH * (model + 0.5),
                SCREEN.MODEL_BUTTONS_TOP + SCREEN.MODEL_BUTTON_HEIGHT / 2)
        per_row = SCREEN.NARROW_BUTTONS_PER_ROW
        button_width = (columns - SCREEN.NARROW_CONTROLS_LEFT - SCREEN.NARROW_MARGIN) // per_row
        return self.on_console(
            state, SCREEN.NARROW_CONTROLS_LEFT + button_width * (model % per_row + 0.5),
            SCREEN.CONSOLE_TOP + SCREEN.NARROW_MODEL_ROW + SCREEN.MODEL_ROW_STEP * (model // per_row)
            + SCREEN.MODEL_BUTTON_HEIGHT / 2)

    def act(self, gesture, check, what):
        """Runs `gesture` and waits until `check(before, after)` holds, or with no check for two
        frames, after which the run must be as it was; returns the state then. The page has
        neither scrolled nor zoomed."""
        before = self.state()
        self.page.script("taken.length = 0;")
        gesture()
        if check is None:
            self.page.wait_for_frames(2)
            after = self.state()
            self.assertEqual(after["run"], before["run"], what)
        else:
            after = self.wait_for_state(lambda s: check(before, s), what)
        self.assertEqual((after["scroll"], after["scale"]), ([0, 0], 1), what)
        return after

    def assert_within_the_safe_area(self, box, state, insets, what):
        """`box` is [left, top, right, bottom] in CSS pixels."""
        width, height = state["viewport"]
        safe = [insets["left"], insets["top"], width - insets["right"], height - insets["bottom"]]
        self.assertTrue(box[0] >= safe[0] and box[1] >= safe[1] and box[2] <= safe[2] and
                        box[3] <= safe[3], (what, box, safe))

    def assert_help_line_fits_over_a_bare_top(self, state, insets):
        line = self.page.script(HELP_LINE)
        self.assertTrue(line["fits"], line)
        self.assert_within_the_safe_area(line["text"], state, insets, "the line's text")
        self.assertEqual((line["touch"], line["keys"]), (True, False), "taps and swipes, no keys")
        rows = int(line["box"][3] * state["backing"][0] / state["box"][2]) + 1
        self.assertEqual(self.page.script(LIT_ROWS, rows), 0, "the line covers no intro text")

    def assert_controls_clear_of_the_console(self, state, insets):
        buttons = state["buttons"]
        self.assertEqual(len(buttons), len({name for name, *_ in BUTTONS}))
        for name, box in buttons.items():
            self.assertTrue(box["width"] >= 44 and box["height"] >= 44 and box["hit"], (name, box))
            self.assert_within_the_safe_area(
                [box["left"], box["top"], box["left"] + box["width"], box["top"] + box["height"]],
                state, insets, name)
        console_top = self.on_console(state, 0, SCREEN.CONSOLE_TOP)[1]
        self.assertLess(state["rowBottom"], console_top, "the row lies above the console")

    def run_phone(self, css_size, backing, insets, turned_from):
        self.page.wait_for_frames(2, START_SECONDS)
        self.page.script(RECORD_TAKEN, NO_INPUT)
        self.turn(*turned_from)
        state = self.turn(css_size, backing, insets)
        self.page.wait_for_frames(2)
        self.assert_help_line_fits_over_a_bare_top(state, insets)
        fingers = Fingers(self.page.driver)
        x, y = css_size[0] / 2, css_size[1] / 2  # on the visuals, clear of the row and console
        state = self.act(lambda: fingers.gesture(tap(x, y)), lambda b, a: a["run"]["started"],
                         "the visuals started by a tap")
        self.assertFalse(state["controls"], "the tap that starts shows no controls")
        self.assertNotIn(LEFT_CLICK, state["taken"], "a tap is no click")

        for name, gesture, check in GESTURES:
            with self.subTest(gesture=name):
                state = self.act(lambda: fingers.gesture(gesture(x, y), pen="pen" in name),
                                 check, name)
                self.assertNotIn(LEFT_CLICK, state["taken"], name)

        state = self.act(lambda: fingers.gesture(swipe(x, y, 0, -SWIPE)), console_moved,
                         "console in")
        for model, click in ((next_model(state["run"], 5), False),
                             (next_model(state["run"], 9), True)):
            at = self.model_button(state, model)
            send = (lambda: self.click(*at)) if click else (lambda: fingers.gesture(tap(*at)))
            self.act(send, lambda b, a: a["run"]["model"] == model,
                     f"model {model} by a {'click' if click else 'tap'} on its button")
        state = self.show_controls(fingers, x, y)
        self.assert_controls_clear_of_the_console(state, insets)

        for name, key, check in BUTTONS:
            with self.subTest(button=name):
                state = self.show_controls(fingers, x, y)
                button = state["buttons"][name]
                at = (button["left"] + button["width"] / 2, button["top"] + button["height"] / 2)
                taken = [] if key is None else [key]
                self.act(lambda: fingers.gesture(tap(*at)),
                         lambda b, a: (check is None or check(b, a)) and a["taken"] == taken,
                         f"{name}: its command")
                self.page.wait_for_frames(2)
                self.assertEqual(self.state()["taken"], taken, "nothing else reached the program")
        self.wait_for_state(lambda s: not s["controls"], "the controls hidden after a while")

    def show_controls(self, fingers, x, y):
        """A tap on the visuals shows the controls, or keeps them for another while."""
        return self.act(lambda: fingers.gesture(tap(x, y)),
                        lambda b, a: a["controls"] and a["taken"] == [POINTER] * 2,
                        "the controls shown by a tap")

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.page.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {
                "type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})

    def test_portrait(self):
        self.run_phone(*PORTRAIT, turned_from=LANDSCAPE)

    def test_landscape(self):
        self.run_phone(*LANDSCAPE, turned_from=PORTRAIT)


if __name__ == "__main__":
    unittest.main(verbosity=2)
