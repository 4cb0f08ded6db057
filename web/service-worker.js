// Keeps every file of the site in one cache named after the build's contents and answers
// from it first, so that after one visit the game starts at once and plays without a
// network. The build fills in the hash and the list of files (tools/web_site.cmake): a
// new build is a new script, which the browser installs at the next visit.
"use strict";
const FILES = @SITE_FILES@;
// Several copies of the site on one server keep caches of their own.
const PREFIX = "frothwick " + self.registration.scope + " ";
const CACHE = PREFIX + "@SITE_HASH@";

self.addEventListener("install", event => {
    // Every file from the server, not from the browser's own cache of an older build.
    const requests = FILES.map(file => new Request(file, {cache: "no-cache"}));
    event.waitUntil(caches.open(CACHE).then(cache => cache.addAll(requests))
        .then(() => self.skipWaiting()));
});

// The new build takes over the pages open now; the older builds' files go.
self.addEventListener("activate", event => {
    event.waitUntil(caches.keys()
        .then(names => Promise.all(names.filter(name => name.startsWith(PREFIX) && name !== CACHE)
            .map(name => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// The folder's own address is its index.html, which is stored under that name only:
// not every server answers for a folder.
function stored(cache, request) {
    const folder = request.mode === "navigate" && new URL(request.url).pathname.endsWith("/");
    return cache.match(folder ? "index.html" : request, {ignoreSearch: true});
}

self.addEventListener("fetch", event => {
    if (event.request.method !== "GET") return;
    event.respondWith(caches.open(CACHE).then(cache => stored(cache, event.request))
        .then(response => response || fetch(event.request)));
});
