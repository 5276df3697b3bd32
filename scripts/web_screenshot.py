#!/usr/bin/python3
"""Makes docs/aurisplot-web.png: the page in headless Chromium after a Graph
with the default inputs, the window's own title bar included.

    web_screenshot.py SITE OUTPUT    (bash scripts/dev screenshot runs it)"""

import base64
import json
import pathlib
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web"))
import devtools  # noqa: E402  pylint: disable=wrong-import-position
import serve  # noqa: E402  pylint: disable=wrong-import-position

RESULT = "Quarnel Labs - Aurisplot - [MPE range is ~2m]"


def poll(browser, expression, deadline=60):
    end = time.monotonic() + deadline
    while not browser.evaluate(expression):
        if time.monotonic() > end:
            raise RuntimeError(f"never true: {expression}")
        time.sleep(0.02)


def main(site, output):
    server = serve.start(site)
    try:
        with devtools.Browser() as browser:
            browser.send("Emulation.setDeviceMetricsOverride", width=640, height=520,
                         deviceScaleFactor=1, mobile=False)
            browser.navigate(f"http://127.0.0.1:{server.server_address[1]}/")
            poll(browser, "document.getElementById('Combo1')?.options.length === 3")
            browser.key("g", "KeyG", 71, modifiers=1)
            poll(browser, f"document.title === {RESULT!r}")
            # No focus ring over the chart, as in the desktop pictures.
            browser.evaluate("document.activeElement.blur()")
            box = json.loads(browser.evaluate(
                "JSON.stringify(document.querySelector('.window').getBoundingClientRect())"))
            clip = {name: box[name] for name in ("x", "y", "width", "height")}
            shot = browser.send("Page.captureScreenshot", format="png", clip={**clip, "scale": 1})
            pathlib.Path(output).write_bytes(base64.b64decode(shot["data"]))
    finally:
        server.shutdown()
    print(f"wrote {output}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
