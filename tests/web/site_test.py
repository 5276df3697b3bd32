#!/usr/bin/python3
"""The site as the build makes it and as a host serves it, in the browser engine
$AURISPLOT_BROWSER names: the service worker keeps every file of a version,
each checked against the build's digest, in a cache of its scope's; a new
version, deployed where the host lets browsers keep files for ten minutes, is
offered once it is whole, never swapped in mid-sweep, and never mixed with the
old one; two sites on one origin keep their own caches; the build names the
version for every file and packs the site into the ZIP.

Makes sites of its own from $AURISPLOT_SITE_SOURCE and the program
$AURISPLOT_PROGRAM (aurisplot.js, the .wasm beside it) with
$CMAKE -P $AURISPLOT_MAKE_SITE and $ZIP_PROGRAM.
"""

import hashlib
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile

import browsers
import serve

ENGINE = browsers.chosen()
TITLE = "Quarnel Labs - Aurisplot"
DEADLINE = 60
FORM = "document.getElementById('Combo1') !== null && document.getElementById('Combo1').options.length === 3"
READY = "A new version of Aurisplot is ready."


def make_site(source, program, site, zip_file=None):
    """Makes the site folder from a source folder and a program, as the build does."""
    command = [os.environ["CMAKE"], f"-DSOURCE={source}", f"-DSITE={site}",
               f"-DPROGRAM={program}", "-DVERSION=1.0.0"]
    if zip_file:
        command += [f"-DZIP={zip_file}", f"-DZIP_PROGRAM={os.environ['ZIP_PROGRAM']}"]
    subprocess.run(command + ["-P", os.environ["AURISPLOT_MAKE_SITE"]], check=True)


def worker_constant(site, name):
    with open(os.path.join(site, "service-worker.js"), encoding="utf-8") as file:
        text = file.read()
    return re.search(rf"const {name} = (.*?);\n", text, re.S).group(1)


def version_of(site):
    return json.loads(worker_constant(site, "VERSION"))


def kept_files(site):
    """The files the service worker keeps, with their digests, as it names them."""
    return dict(json.loads(re.sub(r",\s*\]$", "]", worker_constant(site, "FILES"))))


def files_of(folder):
    return sorted(os.path.relpath(os.path.join(top, name), folder)
                  for top, _folders, names in os.walk(folder) for name in names)


def digests_of(site):
    """Each file a page of the site fetches, with its SHA-256."""
    digests = {}
    for name in files_of(site):
        if name not in ("service-worker.js", "_headers"):
            with open(os.path.join(site, name), "rb") as file:
                digests[name] = hashlib.sha256(file.read()).hexdigest()
    return digests


def another_version(source, program, folder, mark):
    """A copy of the source and the program, each file of it changed, for a new
    version: comments in the texts, a custom section in the WebAssembly."""
    changed_source = os.path.join(folder, f"source-{mark}")
    shutil.copytree(source, changed_source)
    for name, comment in [("index.html", f"<!-- {mark} -->\n"), ("page.js", f"// {mark}\n"),
                          ("page.css", f"/* {mark} */\n")]:
        with open(os.path.join(changed_source, name), "a", encoding="utf-8") as file:
            file.write(comment)
    changed_program = os.path.join(folder, f"program-{mark}", os.path.basename(program))
    os.makedirs(os.path.dirname(changed_program))
    shutil.copy(program, changed_program)
    with open(changed_program, "a", encoding="utf-8") as file:
        file.write(f"// {mark}\n")
    wasm = re.sub(r"\.js$", ".wasm", program)
    with open(wasm, "rb") as file:
        module = file.read()
    name = mark.encode()
    section = bytes([len(name)]) + name  # a custom section: id 0, its size, its name
    with open(re.sub(r"\.js$", ".wasm", changed_program), "wb") as file:
        file.write(module + bytes([0, len(section)]) + section)
    return changed_source, changed_program


class SiteCase(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name
        self.source = os.environ["AURISPLOT_SITE_SOURCE"]
        self.program = os.environ["AURISPLOT_PROGRAM"]
        self.served = os.path.join(self.folder, "served")
        self.server = None
        self.port = 0

    def start_server(self, **options):
        self.server = serve.start(self.served, self.port, **options)
        self.port = self.server.server_address[1]
        self.addCleanup(self.stop_server)
        self.url = f"http://127.0.0.1:{self.port}/"

    def elsewhere(self):
        """A page of another site."""
        folder = os.path.join(self.folder, "elsewhere")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "index.html"), "w", encoding="utf-8") as file:
            # With an icon of its own: asked for /favicon.ico, its server's 404
            # would reach the tab's log among the page's errors.
            file.write('<!doctype html><title>Elsewhere</title><link rel="icon" href="data:,">'
                       "<p>Another site.\n")
        server = serve.start(folder)
        self.addCleanup(server.server_close)
        self.addCleanup(server.shutdown)
        return f"http://127.0.0.1:{server.server_address[1]}/"

    def stop_server(self):
        if self.server is not None:
            self.server.shutdown()
            self.server.server_close()  # refused, not left waiting
            self.server = None

    def wait_for(self, browser, expression, what):
        """Polls expression until it holds, and returns its value; a page that is
        being left or loaded meanwhile is asked again."""
        deadline = time.monotonic() + DEADLINE
        while time.monotonic() < deadline:
            try:
                value = browser.evaluate(expression)
            except browsers.DrivenError:
                value = None
            if value:
                return value
            time.sleep(0.05)
        self.fail(f"waited {DEADLINE} s for {what}; the title is "
                  f"{browser.evaluate('document.title')!r}")

    def open_page(self, browser, url=None):
        browser.navigate(url or self.url)
        self.wait_for(browser, FORM, "the form to appear")

    def take_the_offer(self, browser):
        """Waits for the page to offer a new version, and takes it: the page reloads."""
        self.wait_for(browser, "document.querySelector('.update button')?.disabled === false",
                      "the new version to be offered")
        browser.evaluate("(window.before = true)")
        browser.click(*browser.evaluate(
            "(() => { const r = document.querySelector('.update button')"
            ".getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()"))
        self.wait_for(browser, f"window.before === undefined && {FORM}", "the page to reload")

    def fetched(self, browser, names):
        """What the page gets when it fetches each file, as its SHA-256."""
        return browser.evaluate(f"""Promise.all({json.dumps(names)}.map((name) =>
            fetch(name).then((r) => r.arrayBuffer()).then((bytes) =>
                crypto.subtle.digest('SHA-256', bytes)).then((digest) =>
                [name, [...new Uint8Array(digest)].map((b) => b.toString(16).padStart(2, '0'))
                    .join('')]))).then(Object.fromEntries)""", await_promise=True)

    def caches(self, browser):
        """Each cache of the origin, and the SHA-256 of each file it keeps."""
        return browser.evaluate("""(async () => {
            const hex = (digest) => [...new Uint8Array(digest)]
                .map((byte) => byte.toString(16).padStart(2, '0')).join('');
            const found = {};
            for (const name of await caches.keys()) {
                const cache = await caches.open(name);
                found[name] = {};
                for (const request of await cache.keys()) {
                    const bytes = await (await cache.match(request)).arrayBuffer();
                    found[name][new URL(request.url).pathname] =
                        hex(await crypto.subtle.digest('SHA-256', bytes));
                }
            }
            return found; })()""", await_promise=True)


class UpdateTest(SiteCase):
    """Version 2 deployed over version 1, on a host that lets browsers keep
    every file for ten minutes, with the back-forward cache on."""

    def test_a_returning_user_gets_the_old_version_offline_then_the_new_one_whole(self):
        make_site(self.source, self.program, self.served)
        first = digests_of(self.served)
        self.assertEqual({name: digest for name, digest in kept_files(self.served).items()
                          if name != "./"}, first)
        self.start_server(max_age=600)
        with browsers.browser(ENGINE) as browser:
            self.open_page(browser)
            browser.evaluate("navigator.serviceWorker.ready.then(() => true)", await_promise=True)
            self.open_page(browser)
            self.assertEqual(self.fetched(browser, list(first)), first)

            # Offline, the page is version 1, whole.
            self.stop_server()
            second_source, second_program = another_version(self.source, self.program,
                                                             self.folder, "version 2")
            make_site(second_source, second_program, self.served)
            second = digests_of(self.served)
            self.assertEqual({name for name in first if first[name] != second[name]},
                             {"index.html", "page.js", "page.css", "aurisplot.js",
                              "aurisplot.wasm"})
            self.open_page(browser)
            self.assertEqual(self.fetched(browser, list(first)), first)

            # Back online: the user goes to another site, and comes back to the
            # page (from the back-forward cache, where the browser keeps it).
            self.start_server(max_age=600)
            self.open_page(browser)
            browser.navigate(self.elsewhere())
            browser.back()
            self.wait_for(browser, FORM, "the page again")
            self.wait_for(browser, f"document.body.innerText.includes({READY!r})",
                          "the new version to be offered")
            # WebKit counts no page in its back-forward cache as a client of the
            # worker: while the user is away, nothing of the old version is open,
            # and the new one takes over. The page it restores was loaded whole
            # and loads nothing more; what it offers and what a reload gives are
            # checked below. Elsewhere the old version serves the page until then.
            if ENGINE != "webkit":
                self.assertEqual(self.fetched(browser, list(first)), first,
                                 "the old page got files of the new version")

            # Not while a sweep runs.
            browser.evaluate("(document.getElementById('Text4').value = '100000',"
                             " document.getElementById('Combo1').selectedIndex = 2, true)")
            browser.press("g", "Alt")
            self.wait_for(browser, "/\\[\\d+%\\]$/.test(document.title)", "the sweep")
            self.assertTrue(browser.evaluate("document.querySelector('.update button').disabled"))
            browser.press("x", "Alt")
            self.wait_for(browser, "document.body.innerText.includes('Aurisplot has ended.')",
                          "the program to end")

            # Starting again takes the new version, all of it.
            browser.click(*browser.evaluate(
                "(() => { const r = document.querySelector('.ended button')"
                ".getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()"))
            self.wait_for(browser, "document.getElementById('Combo1')?.options.length === 3 &&"
                                   " navigator.serviceWorker.controller !== null",
                          "the new version's page")
            self.assertEqual(self.fetched(browser, list(second)), second)
            scope = f"aurisplot {self.url} "
            kept = self.caches(browser)
            self.assertEqual(list(kept), [scope + version_of(self.served)])
            self.assertEqual(kept[scope + version_of(self.served)],
                             {"/" + name: digest for name, digest in second.items()} |
                             {"/": second["index.html"]})
            browser.press("g", "Alt")
            self.wait_for(browser, f"document.title === {TITLE + ' - [MPE range is ~2m]'!r}",
                          "the new version's chart")
            self.assertEqual(browser.page_errors(), [])


class ScopeTest(SiteCase):
    def test_two_sites_on_one_origin_keep_their_own_caches(self):
        for scope in ("one", "two"):
            make_site(self.source, self.program, os.path.join(self.served, scope))
        self.start_server()
        with browsers.browser(ENGINE) as browser:
            for scope in ("one", "two"):
                self.open_page(browser, self.url + scope + "/")
                browser.evaluate("navigator.serviceWorker.ready.then(() => true)",
                                 await_promise=True)
            version = version_of(os.path.join(self.served, "one"))
            names = {f"aurisplot {self.url}{scope}/ {version}" for scope in ("one", "two")}
            self.assertEqual(set(self.caches(browser)), names)

            # A new version of one replaces its own cache, and leaves two's.
            second_source, second_program = another_version(self.source, self.program,
                                                            self.folder, "version 2")
            make_site(second_source, second_program, os.path.join(self.served, "one"))
            self.open_page(browser, self.url + "one/")
            self.take_the_offer(browser)
            renewed = {f"aurisplot {self.url}one/ {version_of(os.path.join(self.served, 'one'))}",
                       f"aurisplot {self.url}two/ {version}"}
            self.assertEqual(set(self.caches(browser)), renewed)


class MakeSiteTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name
        self.source = os.path.join(self.folder, "source")
        shutil.copytree(os.environ["AURISPLOT_SITE_SOURCE"], self.source)
        self.site = os.path.join(self.folder, "site")
        self.zip = os.path.join(self.folder, "aurisplot-1.0.0-web.zip")

    def make(self):
        make_site(self.source, os.environ["AURISPLOT_PROGRAM"], self.site, self.zip)
        return version_of(self.site)

    def test_the_worker_keeps_every_file_and_its_version_follows_each_of_them(self):
        first = self.make()
        self.assertRegex(first, r"^1\.0\.0-[0-9a-f]{16}$")
        self.assertEqual(kept_files(self.site),
                         digests_of(self.site) | {"./": digests_of(self.site)["index.html"]})
        self.assertEqual(self.make(), first)
        names = [first]
        with open(os.path.join(self.source, "icons", "aurisplot-192.png"), "ab") as file:
            file.write(b"\0")
        names.append(self.make())
        os.rename(os.path.join(self.source, "icons", "aurisplot-512.png"),
                  os.path.join(self.source, "icons", "aurisplot-513.png"))
        names.append(self.make())
        self.assertEqual(len(set(names)), 3, names)
        self.assertIn("icons/aurisplot-513.png", kept_files(self.site))

    def test_the_hosts_headers_carry_the_pages_policy(self):
        self.make()
        with open(os.path.join(self.site, "index.html"), encoding="utf-8") as file:
            policy = re.search(r'http-equiv="Content-Security-Policy" content="([^"]*)"',
                               file.read()).group(1)
        rules = dict(serve.read_headers(self.site))
        self.assertIn(("Content-Security-Policy", policy + "; frame-ancestors 'none'"),
                      rules["/*"])
        self.assertIn(("Cache-Control", "no-cache"), rules["/service-worker.js"])

    def test_the_zip_holds_the_site(self):
        self.make()
        with zipfile.ZipFile(self.zip) as packed:
            in_zip = sorted(name for name in packed.namelist() if not name.endswith("/"))
            self.assertEqual(in_zip, ["aurisplot-1.0.0-web/" + name for name in
                                      files_of(self.site)])
            with open(os.path.join(self.site, "service-worker.js"), encoding="utf-8") as file:
                self.assertEqual(packed.read("aurisplot-1.0.0-web/service-worker.js").decode(),
                                 file.read())


if __name__ == "__main__":
    unittest.main()
