// Keeps the page working offline: the page's files are kept in a cache named
// for this build of the site, answered from there first, and fetched from the
// network only when missing. The build writes its version into the name, so
// that a new site installs a new cache beside the old one, which goes when
// the new worker takes over (after the last tab of the old site has closed).
// Requests to any other origin are never answered or kept here.
"use strict";

const CACHE = "aurisplot-@AURISPLOT_SITE_VERSION@";
const PREFIX = "aurisplot-";
const FILES = [
  "./",
  "index.html",
  "aurisplot.js",
  "aurisplot.wasm",
  "page.js",
  "page.css",
  "manifest.webmanifest",
  "icons/aurisplot-192.png",
  "icons/aurisplot-512.png",
];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches.keys().then((names) =>
      Promise.all(
        names
          .filter((name) => name.startsWith(PREFIX) && name !== CACHE)
          .map((name) => caches.delete(name)),
      ),
    ),
  );
});

async function cachedFirst(request) {
  const cache = await caches.open(CACHE);
  // A page opened with a query is the same page.
  const cached = await cache.match(request, { ignoreSearch: request.mode === "navigate" });
  if (cached) {
    return cached;
  }
  const response = await fetch(request);
  if (response.status === 200 && response.type === "basic") {
    await cache.put(request, response.clone());
  }
  return response;
}

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) {
    return; // the browser's own handling, never this cache
  }
  event.respondWith(cachedFirst(request));
});
