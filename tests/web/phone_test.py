#!/usr/bin/python3
"""The page on a phone, 375 x 667 CSS pixels at two device pixels each, with
touch, as Chromium's mobile emulation gives it: the window fits the width,
every control takes a fingertip of 24 x 24 CSS pixels (WCAG 2.5.8) although
it is drawn smaller, and a touch or a click beside a control reaches it.

Serves the built site, $AURISPLOT_SITE, on 127.0.0.1.
"""

import os
import time
import unittest

import devtools
import serve

SITE = os.environ["AURISPLOT_SITE"]
TITLE = "Quarnel Labs - Aurisplot"
FINGERTIP = 24  # CSS pixels
# The chart, far larger than a fingertip, is left out of the count.
CONTROLS = ["Command1", "Command2", "Text1", "Text2", "Text3", "Text4", "Combo1",
            "Check1"]

# For each control, whether some square of FINGERTIP CSS pixels lies wholly
# where a tap reaches it: each pixel in a fingertip around the control is
# asked which control it reaches, and the squares are counted with sums.
FINGERTIP_SQUARES = """((names, side) => Object.fromEntries(names.map((name) => {
    const box = document.getElementById(name).getBoundingClientRect();
    const left = Math.floor(box.left) - side, top = Math.floor(box.top) - side;
    const width = Math.ceil(box.width) + 2 * side, height = Math.ceil(box.height) + 2 * side;
    const sums = new Int32Array((width + 1) * (height + 1));
    const at = (x, y) => sums[y * (width + 1) + x];
    for (let y = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x) {
            const reached = aurisplotPage.reaches(left + x + 0.5, top + y + 0.5) === name;
            sums[(y + 1) * (width + 1) + x + 1] =
                (reached ? 1 : 0) + at(x + 1, y) + at(x, y + 1) - at(x, y);
        }
    }
    for (let y = 0; y + side <= height; ++y) {
        for (let x = 0; x + side <= width; ++x) {
            if (at(x + side, y + side) - at(x, y + side) - at(x + side, y) + at(x, y) ===
                side * side) {
                return [name, true];
            }
        }
    }
    return [name, false];
})))"""


class PhoneTest(unittest.TestCase):
    def setUp(self):
        self.server = serve.start(SITE)
        self.addCleanup(self.server.server_close)
        self.addCleanup(self.server.shutdown)
        self.browser = self.enterContext(devtools.Browser())
        self.browser.send("Emulation.setDeviceMetricsOverride", width=375, height=667,
                          deviceScaleFactor=2, mobile=True)
        self.browser.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=1)
        self.browser.navigate(f"http://127.0.0.1:{self.server.server_address[1]}/")
        self.wait_for("document.getElementById('Combo1')?.options.length === 3", "the form")

    def wait_for(self, expression, what):
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            value = self.browser.evaluate(expression)
            if value:
                return value
            time.sleep(0.02)
        self.fail(f"waited for {what}")

    def box(self, name):
        return self.browser.evaluate(
            f"(() => {{ const r = document.getElementById({name!r}).getBoundingClientRect();"
            " return {left: r.left, top: r.top, right: r.right, bottom: r.bottom}; })()")

    def test_the_window_fits_the_width_and_every_control_takes_a_fingertip(self):
        window = self.browser.evaluate(
            "document.querySelector('.window').getBoundingClientRect().width")
        self.assertLessEqual(window, 375)
        self.assertGreater(window, 370)
        text1 = self.box("Text1")
        self.assertLess(text1["bottom"] - text1["top"], FINGERTIP, "drawn at the design's size")
        squares = self.browser.evaluate(f"{FINGERTIP_SQUARES}({CONTROLS!r}, {FINGERTIP})")
        self.assertEqual(squares, dict.fromkeys(CONTROLS, True))

    def test_a_touch_or_a_click_beside_a_control_reaches_it(self):
        # Chromium moves a touch onto a control near it by itself; a click
        # beside one reaches it as well, through the page.
        text1 = self.box("Text1")
        self.browser.click((text1["left"] + text1["right"]) / 2, text1["top"] - 4)
        self.wait_for("document.activeElement.id === 'Text1'", "the click to focus Text1")
        check = self.browser.evaluate(
            "(() => { const r = document.getElementById('Check1-box').getBoundingClientRect();"
            " return [r.left + r.width / 2, r.bottom + 5]; })()")
        self.browser.click(*check)
        self.wait_for("document.getElementById('Check1').checked", "the click to tick Grid")
        graph = self.box("Command1")
        self.browser.tap((graph["left"] + graph["right"]) / 2, graph["bottom"] + 3)
        self.wait_for(f"document.title === {TITLE + ' - [MPE range is ~2m]'!r}",
                      "the tap to graph")


if __name__ == "__main__":
    unittest.main()
