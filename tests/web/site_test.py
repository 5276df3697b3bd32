#!/usr/bin/python3
"""The site as the build makes it: its service worker keeps the page working
offline from a cache named for the build, and a new build's cache replaces the
old one; that name follows every file of the site, and the ZIP holds the site.

Reads the built site from $AURISPLOT_SITE, and makes sites of its own from
$AURISPLOT_SITE_SOURCE with $CMAKE -P $AURISPLOT_MAKE_SITE and $ZIP_PROGRAM.
"""

import os
import re
import shutil
import subprocess
import tempfile
import unittest
import zipfile

import devtools
import serve

SITE = os.environ["AURISPLOT_SITE"]


def cache_name(site):
    with open(os.path.join(site, "service-worker.js"), encoding="utf-8") as file:
        return re.search(r'const CACHE = "([^"]*)";', file.read()).group(1)


def kept_files(site):
    """The files the service worker keeps, as it names them."""
    with open(os.path.join(site, "service-worker.js"), encoding="utf-8") as file:
        listing = re.search(r"const FILES = \[(.*?)\];", file.read(), re.S).group(1)
    return re.findall(r'"([^"]*)"', listing)


def activated(params):
    """The workers a ServiceWorker.workerVersionUpdated event reports active."""
    return {version["versionId"] for version in params["versions"]
            if version["status"] == "activated"}


def files_of(folder):
    return sorted(os.path.relpath(os.path.join(top, name), folder)
                  for top, _folders, names in os.walk(folder) for name in names)


class ServiceWorkerTest(unittest.TestCase):
    """The built site in a folder of the test's own, where the page's files
    that are not built yet stand in as small texts."""

    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.site = os.path.join(folder.name, "site")
        shutil.copytree(SITE, self.site)
        for name in kept_files(self.site):
            path = os.path.join(self.site, name)
            if not name.endswith("/") and not os.path.exists(path):
                self.write(name, "<!doctype html><title>Aurisplot</title>" if
                           name.endswith(".html") else f"stands in for {name}")
        self.server = serve.start(self.site)
        self.addCleanup(self.server.server_close)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        self.browser = devtools.Browser()
        self.addCleanup(self.browser.close)
        self.browser.start()

    def write(self, name, text, later=0):
        """Writes a file of the site, dated `later` seconds from now: the server
        dates its answers to the second, and a browser that revalidates keeps
        its copy of a file of the same date."""
        path = os.path.join(self.site, name)
        with open(path, "w", encoding="utf-8") as file:
            file.write(text)
        now = os.stat(path).st_mtime
        os.utime(path, (now + later, now + later))

    def serve_offline(self):
        self.server.shutdown()

    def open_controlled_page(self):
        """Opens the page, installs its worker and opens it again, under the worker."""
        self.browser.navigate(self.url)
        self.browser.evaluate("navigator.serviceWorker.register('service-worker.js')"
                              ".then(() => navigator.serviceWorker.ready)", await_promise=True)
        self.browser.navigate(self.url)
        self.assertTrue(self.browser.evaluate("navigator.serviceWorker.controller !== null"))

    def caches(self):
        """Each cache's name and the paths it keeps."""
        return self.browser.evaluate("""
            caches.keys().then((names) => Promise.all(names.map((name) =>
                caches.open(name).then((cache) => cache.keys()).then((requests) =>
                    [name, requests.map((r) => new URL(r.url).pathname).sort()]))))
            """, await_promise=True)

    def test_the_page_works_offline_from_the_cache_of_its_build(self):
        self.write("extra.txt", "fetched once")
        self.open_controlled_page()
        self.browser.evaluate("fetch('extra.txt').then((r) => r.text())", await_promise=True)
        paths = sorted("/" + name.removeprefix(".").lstrip("/") for name in kept_files(self.site))
        self.assertEqual(self.caches(), [[cache_name(self.site), sorted(paths + ["/extra.txt"])]])

        self.serve_offline()
        self.browser.navigate(self.url + "?from=cache")
        self.assertEqual(self.browser.evaluate("document.title"), "Quarnel Labs - Aurisplot")
        for name in [name for name in kept_files(self.site) if not name.endswith("/")] + [
                "extra.txt"]:
            with open(os.path.join(self.site, name), "rb") as file:
                size = len(file.read())
            fetched = self.browser.evaluate(
                f"fetch({name!r}).then((r) => r.arrayBuffer()).then((b) => b.byteLength)",
                await_promise=True)
            self.assertEqual(fetched, size, name)

    def test_a_new_build_replaces_the_cache_of_the_old_once_its_page_is_left(self):
        self.open_controlled_page()
        self.browser.send("ServiceWorker.enable")
        old_workers = activated(self.browser.wait_for_event(
            "ServiceWorker.workerVersionUpdated", matching=activated))
        old = cache_name(self.site)
        with open(os.path.join(self.site, "service-worker.js"), encoding="utf-8") as file:
            worker = file.read()
        self.write("service-worker.js", worker.replace(old, "aurisplot-new-build"), later=10)
        self.write("index.html", "<!doctype html><title>New build</title>", later=10)
        state = self.browser.evaluate("""
            navigator.serviceWorker.getRegistration().then((r) => r.update().then(() =>
                new Promise((resolve) => {
                    const worker = r.installing || r.waiting;
                    const settled = () => worker.state === "installed" ||
                                          worker.state === "redundant";
                    if (settled()) resolve(worker.state);
                    worker.addEventListener("statechange", () => {
                        if (settled()) resolve(worker.state);
                    });
                })))
            """, await_promise=True)
        self.assertEqual(state, "installed")
        # While the old build's page is open, the old build serves it.
        self.browser.navigate(self.url)
        self.assertEqual(self.browser.evaluate("document.title"), "Quarnel Labs - Aurisplot")

        # Once no page of the old build is open, the new worker takes over.
        self.browser.navigate("about:blank")
        self.browser.wait_for_event("ServiceWorker.workerVersionUpdated",
                                    matching=lambda params: activated(params) - old_workers)
        self.browser.navigate(self.url)
        self.assertEqual(self.browser.evaluate("document.title"), "New build")
        self.assertEqual([name for name, _paths in self.caches()], ["aurisplot-new-build"])


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
        subprocess.run([os.environ["CMAKE"], f"-DSOURCE={self.source}", f"-DSITE={self.site}",
                        "-DVERSION=1.0.0", f"-DZIP={self.zip}",
                        f"-DZIP_PROGRAM={os.environ['ZIP_PROGRAM']}",
                        "-P", os.environ["AURISPLOT_MAKE_SITE"]], check=True)
        return cache_name(self.site)

    def test_the_cache_name_follows_every_file_and_the_zip_holds_the_site(self):
        first = self.make()
        self.assertRegex(first, r"^aurisplot-1\.0\.0-[0-9a-f]{16}$")
        self.assertEqual(self.make(), first)
        names = [first]
        with open(os.path.join(self.source, "icons", "aurisplot-192.png"), "ab") as file:
            file.write(b"\0")
        names.append(self.make())
        os.rename(os.path.join(self.source, "icons", "aurisplot-512.png"),
                  os.path.join(self.source, "icons", "aurisplot-513.png"))
        names.append(self.make())
        self.assertEqual(len(set(names)), 3, names)

        with zipfile.ZipFile(self.zip) as packed:
            in_zip = sorted(name for name in packed.namelist() if not name.endswith("/"))
            self.assertEqual(in_zip, ["aurisplot-1.0.0-web/" + name for name in
                                      files_of(self.site)])
            self.assertEqual(packed.read("aurisplot-1.0.0-web/service-worker.js").decode(),
                             open(os.path.join(self.site, "service-worker.js"),
                                  encoding="utf-8").read())


if __name__ == "__main__":
    unittest.main()
