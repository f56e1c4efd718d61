// The page's service worker: it keeps the page's files, so that the page loads and runs with the
// server gone, and takes a new version of them when the server has one.
//
// The cache is named after the version and the build (a digest of the page's files, filled in by
// the build), so every new build is a new worker, and the page has the browser check this file on
// every load. What a user sees on a new version: the load that finds it still shows the version
// they had, while the new worker fetches the new files in the background (Chromium starts once
// the running worker is idle, 30 s or more after the load); once they are all in, it takes over and
// drops the old cache, and the next load (a reload, or opening the page again) shows the new
// version. Without the server, the page loads as it was last fetched.
"use strict";
const kCache = "chromaflux-@PROJECT_VERSION@-@CHROMAFLUX_BUILD@";
const kFiles = [@CHROMAFLUX_PAGE_FILES@];

self.addEventListener("install", (event) => {
  // All or nothing: a version whose files do not all arrive is not installed. The browser's HTTP
  // cache is passed by, so that the files are this build's.
  event.waitUntil(caches.open(kCache)
    .then((cache) => cache.addAll(kFiles.map((file) => new Request(file, {cache: "reload"}))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith("chromaflux-") &&
                                                        name !== kCache)
                                      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") {
    return;
  }
  // The folder's own address is index.html, and the page's address may carry settings
  // (?classic): one cached index.html answers them all.
  const folder = new URL(event.request.url).pathname.endsWith("/");
  event.respondWith(caches.open(kCache)
    .then((cache) => cache.match(folder ? "index.html" : event.request, {ignoreSearch: true}))
    .then((cached) => cached || fetch(event.request)));
});
