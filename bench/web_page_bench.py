#!/usr/bin/python3
"""The page in headless Chromium, beside the engine alone in the same browser:
the engine's WebAssembly benchmark run in a page of its own, then the real
page from navigation to a usable form, and its sweep at 1 mm out to 1000 m from
Alt+G to the result title. Also the page's weight, as served and compressed.

    web_page_bench.py SITE BENCH_JS     (bash scripts/dev bench runs it)

Prints summary lines in the benchmarks' own form ("[chromium] ...")."""

import gzip
import os
import pathlib
import re
import shutil
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web"))
import devtools  # noqa: E402  pylint: disable=wrong-import-position
import serve  # noqa: E402  pylint: disable=wrong-import-position

PASSES = 1_000_000  # 1 mm out to 1000 m
RUNS = 5
DEADLINE = 120


def poll(browser, expression):
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        value = browser.evaluate(expression)
        if value:
            return value
        time.sleep(0.005)
    raise RuntimeError(f"never true: {expression}")


def weight(site):
    for name in ("aurisplot.wasm", "aurisplot.js", "page.js"):
        data = (site / name).read_bytes()
        print(f"[chromium]   {name + ' bytes':<40} {len(data):8d}  ({len(gzip.compress(data, 9))} gzipped)")
    total = sum(path.stat().st_size for path in site.rglob("*") if path.is_file())
    packed = sum(len(gzip.compress(path.read_bytes(), 9)) for path in site.rglob("*") if path.is_file())
    print(f"[chromium]   {'whole site bytes':<40} {total:8d}  ({packed} gzipped)")


def engine_alone(browser, url):
    """ns per pass of the engine's own benchmark at 1 mm out to 1000 m."""
    browser.navigate(url + "engine.html")
    line = browser.wait_for_console(r"engineAlone/mm_D1000", timeout=DEADLINE)
    return float(re.search(r"\(([\d.]+) ns per pass\)", line).group(1))


def live(browser, url):
    """ms from navigation to a usable form, and the fastest of RUNS sweeps in ns per pass."""
    start = time.monotonic()
    browser.navigate(url)
    poll(browser, "document.getElementById('Combo1') && document.getElementById('Combo1').options.length === 3")
    usable = (time.monotonic() - start) * 1000
    browser.evaluate("document.getElementById('Text4').value = '1000';"
                     "document.getElementById('Combo1').selectedIndex = 2")
    best = None
    for _ in range(RUNS):
        browser.evaluate("document.title = 'waiting'; window.sweepStart = performance.now();"
                         "window.sweepEnd = 0; new MutationObserver((_, seen) => {"
                         " if (document.title.includes('MPE')) { window.sweepEnd = performance.now();"
                         " seen.disconnect(); } }).observe(document.querySelector('title'),"
                         " {childList: true})")
        browser.key("g", "KeyG", 71, modifiers=1)
        took = poll(browser, "window.sweepEnd > 0 && window.sweepEnd - window.sweepStart")
        best = took if best is None else min(best, took)
    return usable, best * 1e6 / PASSES


def main(argv):
    site, bench_js = pathlib.Path(argv[1]), pathlib.Path(argv[2])
    weight(site)
    folder = pathlib.Path(tempfile.mkdtemp())
    try:
        shutil.copytree(site, folder, dirs_exist_ok=True)
        for part in (bench_js, bench_js.with_suffix(".wasm")):
            shutil.copy(part, folder / part.name)
        (folder / "engine.js").write_text(
            "var Module = { print: (line) => console.log(line), printErr: (line) => console.error(line) };\n")
        (folder / "engine.html").write_text(
            '<!doctype html><meta charset="utf-8"><title>engine</title>'
            f'<script src="engine.js"></script><script src="{bench_js.name}"></script>\n')
        server = serve.start(str(folder))
        url = f"http://127.0.0.1:{server.server_address[1]}/"
        try:
            with devtools.Browser() as browser:
                engine = engine_alone(browser, url)
                usable, page = live(browser, url)
        finally:
            server.shutdown()
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    print(f"[chromium]   {'navigation to a usable form, ms':<40} {usable:8.0f}")
    print(f"[chromium]   {'engineAlone/mm_D1000, ns per pass':<40} {engine:8.1f}")
    print(f"[chromium]   {'live page / engine alone, 1 mm D1000':<40} {page / engine:8.2f}"
          f"  ({page:.1f} ns / {engine:.1f} ns per pass)")


if __name__ == "__main__":
    main(sys.argv)
