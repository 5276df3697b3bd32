#!/usr/bin/python3
"""The built page, end to end, as a user drives it, in the browser engine
$AURISPLOT_BROWSER names (chromium, firefox or webkit): keys and typing fill
the form and Alt+G graphs; a long sweep leaves the page answering and Alt+X
ends it; every control has the design's accessible name, and Tab leaves the
window at its ends; the page opens again with its server gone; the meta tag's
policy holds where a host sends no headers; and what fails is said on the page.

Serves the built site, $AURISPLOT_SITE, on 127.0.0.1.
"""

import os
import re
import shutil
import tempfile
import time
import unittest

import browsers
import serve

SITE = os.environ["AURISPLOT_SITE"]
ENGINE = browsers.chosen()
TITLE = "Quarnel Labs - Aurisplot"
PROGRESS = re.compile(r"^Quarnel Labs - Aurisplot - \[\d+%\]$")
DEADLINE = 60  # seconds: generous, for a slow machine
FORM = "document.getElementById('Combo1') !== null && document.getElementById('Combo1').options.length === 3"

# Each control as assistive tools are given it: its role and the design's name.
NAMES = {
    "Picture1": ("img", "Exposure chart"),
    "Command1": ("button", "Graph"),
    "Command2": ("button", "Exit"),
    "Text1": ("textbox", "Source power in watts"),
    "Text2": ("textbox", "Antenna gain in dBi"),
    "Text3": ("textbox", "Vertical full scale in milliwatts per square centimetre"),
    "Text4": ("textbox", "Horizontal full scale in metres"),
    # WebKitGTK presents a drop-down list as a pop-up button.
    "Combo1": ("button" if ENGINE == "webkit" else "combobox", "Graph Resolution"),
    "Check1": ("checkbox", "Draw grid"),
}
TAB_ORDER = ["Picture1", "Command1", "Command2", "Text1", "Text2", "Text3", "Text4", "Combo1",
             "Check1"]


class PageCase(unittest.TestCase):
    """A browser of the chosen engine, one for all of a class's tests (each on
    an origin of its own), and what a user does with the page."""

    host_headers = True

    @classmethod
    def setUpClass(cls):
        cls.browser = cls.enterClassContext(browsers.browser(ENGINE))

    def setUp(self):
        self.browser.forget()
        self.browser.set_viewport(800, 600)
        self.serve(SITE)

    def serve(self, folder, **options):
        self.server = serve.start(folder, host_headers=self.host_headers, **options)
        self.addCleanup(self.server.server_close)
        self.addCleanup(self.server.shutdown)  # again after a test's own: returns at once
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"

    def open_page(self):
        self.browser.navigate(self.url)
        self.wait_for(FORM, "the form to appear")

    def tab_to(self, name):
        """Presses Tab until the control has the focus, at most once round the form."""
        for _ in range(12):
            if self.focused() == name:
                return
            self.browser.press("Tab")
        self.fail(f"Tab never reached {name}; the focus is on {self.focused()!r}")

    def retype(self, text):
        """Selects all of the focused field, with Ctrl+A, and types text over it."""
        self.browser.press("a", "Control")
        self.browser.type_text(text)

    def pick(self, entry):
        """Moves down the focused list with the arrow key until entry is chosen."""
        for _ in range(3):
            if self.value_of("Combo1", "selectedOptions[0].text") == entry:
                return
            self.browser.press("ArrowDown")
        self.fail(f"ArrowDown never chose {entry!r} in Combo1; it shows "
                  f"{self.value_of('Combo1', 'selectedOptions[0].text')!r}")

    def focused(self):
        return self.browser.evaluate("document.activeElement ? document.activeElement.id : ''")

    def title(self):
        return self.browser.evaluate("document.title")

    def value_of(self, name, prop="value"):
        return self.browser.evaluate(f"document.getElementById({name!r}).{prop}")

    def centre_of(self, selector):
        return self.browser.evaluate(
            f"(() => {{ const r = document.querySelector({selector!r}).getBoundingClientRect();"
            " return [r.x + r.width / 2, r.y + r.height / 2]; })()")

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

    def described(self):
        return self.browser.evaluate("document.getElementById('chart-description').textContent")


class PageTest(PageCase):
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
        self.browser.press("g", "Alt")
        self.wait_for_title(f"{TITLE} - [MPE range is ~1m]")
        description = self.wait_for(
            "document.getElementById('chart-description').textContent.startsWith('Power')",
            "a description") and self.described()
        self.assertTrue(description.startswith("Power density of 600 W at 2.2 dBi: below the "),
                        description)

        # 2000 W at 3 dBi first falls below the limit at 2.53 m.
        self.tab_to("Text1")
        self.retype("2000")
        self.tab_to("Text2")
        self.retype("3")
        self.assertEqual((self.value_of("Text1"), self.value_of("Text2")), ("2000", "3"))
        self.browser.press("g", "Alt")
        self.wait_for_title(f"{TITLE} - [MPE range is ~2m]")
        self.wait_for("document.getElementById('chart-description').textContent"
                      ".includes('2000 W')", "a new description")
        self.assertRegex(self.described(), r"^Power density of 2000 W at 3 dBi: below the .* "
                                           r"limit from 2\.53 m$")
        self.assertEqual(self.browser.page_errors(), [], "the page reported errors")

    def test_a_long_sweep_leaves_the_page_answering_and_exit_ends_it(self):
        self.open_page()
        self.tab_to("Text4")
        self.retype("100000")
        self.tab_to("Combo1")
        self.pick("1 mm")
        self.browser.press("g", "Alt")
        titles = set()
        self.wait_for("/ - \\[\\d+%\\]$/.test(document.title)", "the sweep's progress", titles)

        # The page answers (every evaluate here returns), takes typing, and
        # keeps Graph disabled while the sweep goes on.
        self.assertTrue(self.value_of("Command1", "disabled"), "Graph is enabled mid-sweep")
        self.browser.click(*self.centre_of("#Text1"))
        self.assertEqual(self.focused(), "Text1")
        self.retype("1234")
        self.assertEqual(self.value_of("Text1"), "1234")
        self.assertRegex(self.title(), PROGRESS, "the sweep ended before the test typed")
        self.assertTrue(self.value_of("Command1", "disabled"))

        self.browser.press("x", "Alt")
        ended = self.wait_for(
            "document.getElementById('Picture1') === null && document.body.innerText",
            "the form to go", titles)
        self.assertIn("Aurisplot has ended.", ended)
        self.assertEqual(self.title(), "Aurisplot has ended")
        self.assertEqual([t for t in titles if "MPE" in t], [], "the sweep ran to its end")

    def test_every_control_has_the_design_name_and_the_chart_one_description(self):
        self.open_page()
        shown = {name: self.browser.presents(name, *NAMES[name]) for name in NAMES}
        self.assertEqual(shown, dict.fromkeys(NAMES, True))
        # The units describe their fields; the chart says nothing is drawn yet,
        # in one element of the page, which assistive tools also hear change.
        describing = self.browser.evaluate("""Object.fromEntries(
            ['Text1', 'Text2', 'Picture1'].map((id) => [id,
                document.getElementById(id).getAttribute('aria-describedby').split(' ')
                    .map((of) => document.getElementById(of).textContent).join(' ')]))""")
        self.assertEqual(describing, {"Text1": "Watts", "Text2": "dBi",
                                      "Picture1": "Nothing drawn yet"})
        self.assertEqual(self.browser.evaluate(
            "[...document.querySelectorAll('body *')].filter((e) => e.children.length === 0"
            " && e.textContent === 'Nothing drawn yet').length"), 1)
        if ENGINE == "chromium":  # the one engine here that tells descriptions
            self.assertEqual(self.browser.description("Picture1"), "Nothing drawn yet")
            self.assertEqual(self.browser.description("Text1"), "Watts")

    def test_tab_keeps_the_design_order_and_leaves_the_window_at_its_ends(self):
        self.open_page()
        visited = [self.focused()]
        for _ in TAB_ORDER[1:]:
            self.browser.press("Tab")
            visited.append(self.focused())
        self.assertEqual(visited, TAB_ORDER)
        # The page holds no key of Tab's: past either end the browser takes it.
        held = self.browser.evaluate("""['Check1', 'Picture1'].map((id) => {
            const key = new KeyboardEvent('keydown', {key: 'Tab', code: 'Tab', bubbles: true,
                                                      cancelable: true, shiftKey: id === 'Picture1'});
            document.getElementById(id).dispatchEvent(key);
            return key.defaultPrevented; })""")
        self.assertEqual(held, [False, False])
        self.browser.press("Tab")
        # WebKitGTK's MiniBrowser has no browser controls to take the focus,
        # and brings it round to the page's first control itself.
        self.assertEqual(self.focused(), "Picture1" if ENGINE == "webkit" else "",
                         "Tab past the last control stayed in the window")

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
        self.browser.press("g", "Alt")
        self.wait_for_title(f"{TITLE} - [MPE range is ~2m]")

    def test_a_failing_page_call_stops_the_command_where_it_shows_and_the_window_lives_on(self):
        self.open_page()
        # Text1 refuses its new text, as a broken browser feature would.
        self.browser.evaluate("""(() => {
            Object.defineProperty(document.getElementById('Text1'), 'value', {
                configurable: true, get: () => '600', set: () => { throw new Error('refused'); }});
            return true; })()""")
        self.browser.press("g", "Alt")
        said = self.wait_for("document.querySelector('[role=alert]')?.textContent",
                             "the failure to be said")
        self.assertRegex(said, r"^The command stopped: the page failed in setText: .*refused")
        self.wait_for("!document.getElementById('Command1').disabled", "Graph to be enabled")
        self.browser.evaluate("delete document.getElementById('Text1').value")
        self.browser.press("g", "Alt")
        self.wait_for_title(f"{TITLE} - [MPE range is ~2m]")

    def test_a_picture_scaled_to_nothing_draws_nothing_and_throws_nothing(self):
        self.open_page()
        # A viewport of no width fits the window at a scale of 0.
        self.browser.evaluate("""(() => {
            Object.defineProperty(document.documentElement, 'clientWidth',
                                  {configurable: true, get: () => 0});
            dispatchEvent(new Event('resize'));
            return true; })()""")
        self.wait_for("document.getElementById('Picture1').width === 0", "the picture to go")
        self.browser.press("g", "Alt")
        self.wait_for_title(f"{TITLE} - [MPE range is ~2m]")
        self.browser.evaluate("(delete document.documentElement.clientWidth,"
                              " dispatchEvent(new Event('resize')), true)")
        self.wait_for("document.getElementById('Picture1').width === 439",
                      "the picture at its size again")
        self.assertEqual(self.browser.page_errors(), [])


class HostHeadersTest(PageCase):
    """The same policy, from the meta tag alone and from a host's headers."""

    def policy_in_effect(self):
        """The policy header sent, and the directives that refused an inline script."""
        sent = self.browser.evaluate(
            "fetch(location.href).then((r) => r.headers.get('content-security-policy'))",
            await_promise=True)
        refused = self.browser.evaluate("""new Promise((resolve) => {
            const seen = [];
            addEventListener('securitypolicyviolation', (e) => seen.push(e.violatedDirective));
            const script = document.createElement('script');
            script.textContent = 'window.inlineRan = true';
            document.head.append(script);
            setTimeout(() => resolve([window.inlineRan === true, seen]), 200); })""",
            await_promise=True)
        return sent, refused

    def test_from_the_hosts_headers_and_from_the_meta_tag_alone(self):
        self.open_page()
        sent, (ran, refused) = self.policy_in_effect()
        meta = self.browser.evaluate(
            "document.querySelector('meta[http-equiv=Content-Security-Policy]').content")
        self.assertEqual(sent, meta + "; frame-ancestors 'none'")
        self.assertEqual((ran, refused), (False, ["script-src-elem"] * 2), "tag and header")

        # A host that sends no headers.
        self.server.shutdown()
        self.host_headers = False
        self.serve(SITE)
        self.open_page()
        self.assertEqual(self.policy_in_effect(), (None, [False, ["script-src-elem"]]))
        self.browser.press("g", "Alt")
        self.wait_for_title(f"{TITLE} - [MPE range is ~2m]")


class StartFailureTest(PageCase):
    """Sites that cannot start, each made by the test from the built one."""

    def setUp(self):
        super().setUp()
        self.server.shutdown()
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.site = os.path.join(folder.name, "site")
        shutil.copytree(SITE, self.site)
        self.serve(self.site)

    def break_before_the_page(self, script):
        """A script of the site's own that runs before page.js."""
        with open(os.path.join(self.site, "break.js"), "w", encoding="utf-8") as file:
            file.write(script)
        path = os.path.join(self.site, "index.html")
        with open(path, encoding="utf-8") as file:
            page = file.read()
        with open(path, "w", encoding="utf-8") as file:
            file.write(page.replace('<script src="page.js"',
                                    '<script src="break.js"></script>\n<script src="page.js"'))

    def said(self):
        """What the page says once it no longer says it is starting."""
        self.browser.navigate(self.url)
        said = self.wait_for("!document.getElementById('app').hasAttribute('aria-busy') &&"
                             " document.getElementById('app').innerText", "the page to say")
        self.assertTrue(self.browser.evaluate("document.getElementById('Picture1') === null"))
        return said

    def test_without_webassembly(self):
        self.break_before_the_page("delete globalThis.WebAssembly;\n")
        self.assertIn("Aurisplot cannot run in this browser: it needs WebAssembly", self.said())

    def test_when_the_program_cannot_be_fetched(self):
        os.remove(os.path.join(self.site, "aurisplot.wasm"))
        self.assertIn("Aurisplot could not be loaded. Check the connection and reload the page",
                      self.said())

    def test_when_the_page_fails_the_program_at_its_start(self):
        self.break_before_the_page(
            "HTMLSelectElement.prototype.add = () => { throw new Error('refused'); };\n")
        said = self.said()
        self.assertRegex(said, r"Aurisplot could not start: the page failed in addItem: "
                               r".*refused")
        self.assertIn("Reload the page", said)


if __name__ == "__main__":
    unittest.main()
