// Keeps the page working offline, one version of the site at a time.
//
// - The build names every file of the site with its digest, and names the
//   version for all of them. A new version is fetched past the browser's HTTP
//   cache, each file checked against its digest, into a cache of its own; a
//   file that does not match fails the install, which the browser tries again
//   later. So a version in use is always whole, never a mix of two.
// - The cache is named for this worker's scope as well, so that two sites
//   on one origin keep their own; a new version deletes only this scope's
//   older ones.
// - A new version waits until every page of the old one has gone, or until a
//   page asks it to take over ("take over", when the user chooses to reload).
//   WebKit takes a page kept in its back-forward cache for gone: the page it
//   restores runs the old version, loaded whole, and is offered the new one.
// - Requests to any other origin are never answered or kept here.
"use strict";

const VERSION = "@AURISPLOT_SITE_VERSION@";
const FILES = @AURISPLOT_SITE_FILES@;
const PREFIX = `aurisplot ${self.registration.scope} `;
const CACHE = PREFIX + VERSION;

async function digestOf(response) {
  const bytes = await response.clone().arrayBuffer();
  const digest = new Uint8Array(await crypto.subtle.digest("SHA-256", bytes));
  return [...digest].map((byte) => byte.toString(16).padStart(2, "0")).join("");
}

async function keep(cache, [file, digest]) {
  const response = await fetch(new Request(file, { cache: "reload" }));
  if (!response.ok) {
    throw new Error(`${file}: ${response.status}`);
  }
  if ((await digestOf(response)) !== digest) {
    throw new Error(`${file} is not the one of version ${VERSION}`);
  }
  await cache.put(file, response);
}

self.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    await caches.delete(CACHE); // what an install cut short left
    const cache = await caches.open(CACHE);
    try {
      await Promise.all(FILES.map((file) => keep(cache, file)));
    } catch (error) {
      await caches.delete(CACHE);
      throw error;
    }
  })());
});

self.addEventListener("activate", (event) => {
  event.waitUntil((async () => {
    const names = await caches.keys();
    await Promise.all(names.filter((name) => name.startsWith(PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name)));
    await self.clients.claim();
  })());
});

self.addEventListener("message", (event) => {
  if (event.data === "take over") {
    self.skipWaiting();
  }
});

async function answer(request) {
  const cache = await caches.open(CACHE);
  // A page opened with a query is the same page.
  const kept = await cache.match(request, { ignoreSearch: request.mode === "navigate" });
  return kept || fetch(request);
}

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) {
    return; // the browser's own handling, never this cache
  }
  event.respondWith(answer(request));
});
