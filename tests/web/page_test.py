#!/usr/bin/python3
"""The built page, end to end, as a user drives it in a headless Chromium: keys
and typing fill the form and Alt+G graphs; a long sweep leaves the page
answering and Alt+X ends it; every control has its accessible name; and the
page opens again with its server gone, from its service worker's cache.

Serves the built site, $AURISPLOT_SITE, on 127.0.0.1.
"""

import os
import re
import time
import unittest

import devtools
import serve

SITE = os.environ["AURISPLOT_SITE"]
TITLE = "Quarnel Labs - Aurisplot"
PROGRESS = re.compile(r"^Quarnel Labs - Aurisplot - \[\d+%\]$")
DEADLINE = 60  # seconds: generous, for a slow machine

# The keys the tests press: key, code, virtual key code.
TAB = ("Tab", "Tab", 9)
ARROW_DOWN = ("ArrowDown", "ArrowDown", 40)
ALT, CTRL = 1, 2


class PageTest(unittest.TestCase):
    def setUp(self):
        self.server = serve.start(SITE)
        self.addCleanup(self.server.server_close)
        self.addCleanup(self.server.shutdown)  # again after a test's own: returns at once
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        self.browser = self.enterContext(devtools.Browser())

    # What a user does.

    def open_page(self):
        self.browser.navigate(self.url)
        self.wait_for("document.getElementById('Picture1') !== null", "the form to appear")

    def press(self, key, modifiers=0):
        self.browser.key(*key, modifiers=modifiers)

    def press_alt(self, letter):
        self.press((letter, f"Key{letter.upper()}", ord(letter.upper())), ALT)

    def tab_to(self, name):
        """Presses Tab until the control has the focus, at most once round the form."""
        for _ in range(12):
            if self.focused() == name:
                return
            self.press(TAB)
        self.fail(f"Tab never reached {name}; the focus is on {self.focused()!r}")

    def retype(self, text):
        """Selects all of the focused field, with Ctrl+A, and types text over it."""
        self.press(("a", "KeyA", 65), CTRL)
        self.browser.type_text(text)

    def pick(self, entry):
        """Moves down the focused list with the arrow key until entry is chosen."""
        for _ in range(3):
            if self.value_of("Combo1", "selectedOptions[0].text") == entry:
                return
            self.press(ARROW_DOWN)
        self.fail(f"ArrowDown never chose {entry!r} in Combo1; it shows "
                  f"{self.value_of('Combo1', 'selectedOptions[0].text')!r}")

    # What the page shows.

    def focused(self):
        return self.browser.evaluate("document.activeElement && document.activeElement.id")

    def title(self):
        return self.browser.evaluate("document.title")

    def value_of(self, name, prop="value"):
        return self.browser.evaluate(f"document.getElementById({name!r}).{prop}")

    def wait_for(self, expression, what, seen=None):
        """Polls expression once a frame until it holds, and returns its value;
        seen, if given, collects each title shown meanwhile."""
        probe = (f"new Promise((resolve) => requestAnimationFrame(() => "
                 f"resolve([document.title, ({expression})])))")
        deadline = time.monotonic() + DEADLINE
        title = None
        while time.monotonic() < deadline:
            title, value = self.browser.evaluate(probe, await_promise=True)
            if seen is not None:
                seen.add(title)
            if value:
                return value
        self.fail(f"waited {DEADLINE} s for {what}; the title is {title!r}")

    def wait_for_title(self, title):
        self.wait_for(f"document.title === {title!r}", f"the title {title!r}")

    def ax_nodes(self):
        """The accessibility tree's nodes, by the id of their element."""
        nodes = {node.get("backendDOMNodeId"): node for node in self.browser.accessibility_tree()
                 if not node.get("ignored")}
        found = {}
        for name in self.browser.evaluate("[...document.querySelectorAll('[id]')].map((e) => e.id)"):
            element = self.browser.send("Runtime.evaluate",
                                        expression=f"document.getElementById({name!r})")
            described = self.browser.send("DOM.describeNode",
                                          objectId=element["result"]["objectId"])
            node = nodes.get(described["node"]["backendNodeId"])
            if node is not None:
                found[name] = node
        return found

    # The tests.

    def test_typed_fields_and_keys_draw_the_chart_and_describe_it(self):
        self.open_page()
        self.assertEqual(self.title(), TITLE)
        self.assertEqual(self.focused(), "Picture1", "the focus starts on the chart")

        # The defaults, 600 W at 2.2 dBi; Text4's 10 m typed anew; 1 cm steps.
        self.tab_to("Text4")
        self.retype("10")
        self.assertEqual(self.value_of("Text4"), "10")
        self.tab_to("Combo1")
        self.pick("1 cm")
        self.press_alt("g")
        self.wait_for_title(f"{TITLE} - [MPE range is ~1m]")
        description = self.wait_for(
            "document.getElementById('chart-description').textContent", "a description")
        self.assertTrue(description.startswith("Power density of 600 W at 2.2 dBi: below the "),
                        description)
        self.assertEqual(self.ax_nodes()["Picture1"].get("description", {}).get("value"), description,
                         "the chart's accessible description")

        # 2000 W at 3 dBi first falls below the limit at 2.53 m.
        self.tab_to("Text1")
        self.retype("2000")
        self.tab_to("Text2")
        self.retype("3")
        self.assertEqual((self.value_of("Text1"), self.value_of("Text2")), ("2000", "3"))
        self.press_alt("g")
        self.wait_for_title(f"{TITLE} - [MPE range is ~2m]")
        description = self.wait_for(
            "document.getElementById('chart-description').textContent.includes('2000 W') && "
            "document.getElementById('chart-description').textContent", "a new description")
        self.assertRegex(description, r"^Power density of 2000 W at 3 dBi: below the .* "
                                      r"limit from 2\.53 m$")
        self.assertEqual(self.browser.errors, [], "the page reported errors")

    def test_a_long_sweep_leaves_the_page_answering_and_exit_ends_it(self):
        self.open_page()
        self.tab_to("Text4")
        self.retype("100000")
        self.tab_to("Combo1")
        self.pick("1 mm")
        self.press_alt("g")
        titles = set()
        self.wait_for("/ - \\[\\d+%\\]$/.test(document.title)", "the sweep's progress", titles)

        # The page answers (every evaluate here returns), takes typing, and
        # keeps Graph disabled while the sweep goes on.
        self.assertTrue(self.value_of("Command1", "disabled"), "Graph is enabled mid-sweep")
        box = self.browser.evaluate(
            "(() => { const r = document.getElementById('Text1').getBoundingClientRect();"
            " return [r.x + r.width / 2, r.y + r.height / 2]; })()")
        self.browser.click(*box)
        self.assertEqual(self.focused(), "Text1")
        self.retype("1234")
        self.assertEqual(self.value_of("Text1"), "1234")
        self.assertRegex(self.title(), PROGRESS, "the sweep ended before the test typed")
        self.assertTrue(self.value_of("Command1", "disabled"))

        self.press_alt("x")
        ended = self.wait_for(
            "document.getElementById('Picture1') === null && document.body.innerText",
            "the form to go", titles)
        self.assertIn("Aurisplot has ended.", ended)
        self.assertEqual(self.title(), "Aurisplot has ended")
        self.assertEqual([t for t in titles if "MPE" in t], [], "the sweep ran to its end")

    def test_every_control_and_the_chart_are_named(self):
        self.open_page()
        nodes = self.ax_nodes()
        expected = {
            "Picture1": ("image", "Exposure chart"),
            "Command1": ("button", "Graph"),
            "Command2": ("button", "Exit"),
            "Text1": ("textbox", "Source Power:"),
            "Text2": ("textbox", "Antenna Gain:"),
            "Text3": ("textbox", "Vertical full scale in milliwatts per square centimetre"),
            "Text4": ("textbox", "Horizontal full scale in metres"),
            "Combo1": ("combobox", "Graph Resolution:"),
            "Check1": ("checkbox", "Grid"),
        }
        shown = {name: (nodes[name]["role"]["value"], nodes[name].get("name", {}).get("value"))
                 for name in expected if name in nodes}
        self.assertEqual(shown, expected)
        # The units describe their fields; the chart says nothing is drawn yet.
        described = {name: nodes[name].get("description", {}).get("value")
                     for name in ("Text1", "Text2", "Picture1")}
        self.assertEqual(described, {"Text1": "Watts", "Text2": "dBi",
                                     "Picture1": "Nothing drawn yet"})

    def test_the_page_opens_with_its_server_gone(self):
        self.open_page()
        self.browser.evaluate("navigator.serviceWorker.ready.then(() => true)",
                              await_promise=True)
        self.open_page()
        self.assertTrue(self.browser.evaluate("navigator.serviceWorker.controller !== null"),
                        "the reloaded page is not under the service worker")
        self.server.shutdown()
        self.server.server_close()  # refused, not left waiting
        self.open_page()
        self.assertEqual(self.title(), TITLE)


if __name__ == "__main__":
    unittest.main()
