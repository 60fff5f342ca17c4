// The page's service worker: keeps every file of one version of the site in one cache and serves
// the site from there, so that the page starts without a network once it has been opened.
// web/site.mjs writes the worker of a site: `kSite` (the version, a hash over the worker and every
// file it keeps, and each file's path relative to the worker with its SHA-256), then this file.

// Caches belong to the origin, not to the folder: the scope in the name keeps two copies of the
// site on one host (say /lumaro/ and /lumaro-test/) from deleting each other's files.
const kCacheFamily = `lumaro ${self.registration.scope} `;
const kCacheName = `${kCacheFamily}${kSite.version} ${kSite.hash}`;

const kExpected = new Map(kSite.files.map(([path, sha256]) => [new URL(path, self.location).href, sha256]));
const kIndex = new URL('index.html', self.location).href;

async function sha256Hex(bytes) {
  const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
  return Array.from(digest, (byte) => byte.toString(16).padStart(2, '0')).join('');
}

// The file as this version has it. The browser's HTTP cache may still hold an older copy of a
// file whose name stays across versions; a copy with the wrong hash is fetched again from the
// server, and if the server has moved on to yet another version the install fails (and is tried
// again on the next visit) rather than keep a mix.
async function fetchVerified(url, sha256) {
  for (const mode of ['default', 'reload']) {
    const response = await fetch(url, { cache: mode });
    if (!response.ok)
      throw new Error(`${url}: HTTP ${response.status}`);
    const body = await response.arrayBuffer();
    if (await sha256Hex(body) === sha256) {
      // The body is already decoded: only the type goes with it (streaming compilation of
      // WebAssembly needs it), never a Content-Encoding.
      const type = response.headers.get('Content-Type');
      return new Response(body, { headers: type ? { 'Content-Type': type } : {} });
    }
  }
  throw new Error(`${url} is not the file of version ${kSite.version} ${kSite.hash}`);
}

// Every file arrives and is checked before the first is stored: a new version goes into the
// cache whole or not at all.
self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const files = await Promise.all([...kExpected].map(
      async ([url, sha256]) => [url, await fetchVerified(url, sha256)]));
    await caches.delete(kCacheName);   // what an install that broke off may have left
    const cache = await caches.open(kCacheName);
    await Promise.all(files.map(([url, response]) => cache.put(url, response)));
    await self.skipWaiting();
  })());
});

// The new version takes over open pages at once; the page reloads itself when that happens, so
// that no page goes on with files of the old version.
self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(kCacheFamily) && name !== kCacheName)
        await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

// The site's own files come from the cache, whatever the query (the page is opened as "?manual");
// the folder's address is its index.html. Anything else is left to the network.
self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET')
    return;
  const url = new URL(request.url);
  url.search = '';
  url.hash = '';
  const key = url.href === self.registration.scope ? kIndex : url.href;
  if (!kExpected.has(key))
    return;
  event.respondWith((async () => {
    const cached = await (await caches.open(kCacheName)).match(key);
    // The browser may have cleared the cache to free space: then the network serves.
    return cached || fetch(request);
  })());
});
