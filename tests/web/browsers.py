#!/usr/bin/python3
"""The browser engines the page is tested in, by name: Blink (Debian's
chromium, over the DevTools protocol), Gecko (firefox-esr, over its own
WebDriver BiDi) and WebKit (WebKitGTK's MiniBrowser, through WebKitWebDriver).

    with browsers.browser("webkit") as browser: ...

$AURISPLOT_BROWSER names the engine of a test that runs in any of them.
"""

import os

import bidi
import devtools
import webdriver
from driven import DrivenError  # noqa: F401  (what every engine's driver raises)

ENGINES = {"chromium": devtools.Browser, "firefox": bidi.Browser, "webkit": webdriver.Browser}


def browser(engine, **options):
    """A browser of that engine, for a `with` block, which starts and ends it."""
    return ENGINES[engine](**options)


def chosen():
    """The engine $AURISPLOT_BROWSER names, Chromium if none."""
    engine = os.environ.get("AURISPLOT_BROWSER", "chromium")
    if engine not in ENGINES:
        raise SystemExit(f"AURISPLOT_BROWSER={engine}: not one of {', '.join(ENGINES)}")
    return engine
