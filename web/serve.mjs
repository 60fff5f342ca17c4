// A static HTTP server for the built page: `node web/serve.mjs DIR [PORT [BASE]]` serves DIR at
// the path BASE (default "/"), as a host may put the site in a folder of its own. The tests start
// it on a free port (PORT 0) through startServer(). Where the published site has a compressed
// copy beside a file (FILE.br, FILE.gz), a client that takes that encoding gets the copy, as a
// static host configured for precompressed files sends it.

import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { pathToFileURL } from 'node:url';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.jpg': 'image/jpeg',
  '.bmp': 'image/bmp',
};

// Brotli before gzip: smaller, and every browser that asks for it on a secure origin takes it.
const kEncodings = [['br', '.br'], ['gzip', '.gz']];

// The encodings a request's Accept-Encoding allows (a q of 0 refuses one).
export function acceptedEncodings(header = '') {
  const accepted = new Set();
  for (const part of header.split(',')) {
    const [name, ...parameters] = part.trim().toLowerCase().split(';');
    const q = parameters.map((p) => p.trim()).find((p) => p.startsWith('q='));
    if (name && !(q && Number(q.slice(2)) === 0))
      accepted.add(name);
  }
  return accepted;
}

// A name the published site gives after the contents (name.0123456789ab.ext) never changes its
// contents, so a browser may keep it for a year; anything else is asked for again each time.
function cacheControl(file) {
  return /\.[0-9a-f]{12}\.\w+$/.test(file) ? 'public, max-age=31536000, immutable' : 'no-store';
}

async function readBest(file, acceptEncoding) {
  const accepted = acceptedEncodings(acceptEncoding);
  for (const [encoding, suffix] of kEncodings) {
    if (!accepted.has(encoding))
      continue;
    const body = await readFile(file + suffix).catch(() => null);
    if (body)
      return { body, encoding };
  }
  return { body: await readFile(file), encoding: null };
}

export function startServer(directory, port = 0, host = '127.0.0.1', base = '/') {
  const root = resolve(directory);
  const server = createServer(async (request, response) => {
    const url = new URL(request.url, 'http://localhost');
    const fullPath = decodeURIComponent(url.pathname);
    if (`${fullPath}/` === base) {
      response.writeHead(301, { Location: `${base}${url.search}` }).end();
      return;
    }
    if (!fullPath.startsWith(base)) {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
      return;
    }
    const path = `/${fullPath.slice(base.length)}`;
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    if (file !== root && !file.startsWith(root + sep)) {
      response.writeHead(403).end();
      return;
    }
    try {
      // A folder's address without its slash goes to the folder, so that the page's relative
      // addresses resolve inside it.
      if (!path.endsWith('/') && (await stat(file)).isDirectory()) {
        response.writeHead(301, { Location: `${url.pathname}/${url.search}` }).end();
        return;
      }
      const { body, encoding } = await readBest(file, request.headers['accept-encoding']);
      response.writeHead(200, {
        'Content-Type': kTypes[extname(file)] || 'application/octet-stream',
        'Cache-Control': cacheControl(file),
        'Vary': 'Accept-Encoding',
        ...(encoding ? { 'Content-Encoding': encoding } : {}),
      });
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
    }
  });
  return new Promise((resolvePromise, reject) => {
    server.once('error', reject);
    server.listen(port, host, () => {
      const { port: actual } = server.address();
      resolvePromise({ server, url: `http://${host === '0.0.0.0' ? 'localhost' : host}:${actual}${base}` });
    });
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [directory = 'build-web', port = '8080', base = '/'] = process.argv.slice(2);
  const { url } = await startServer(directory, Number(port), 'localhost', base.endsWith('/') ? base : `${base}/`);
  console.log(`Serving ${directory} on ${url} (Ctrl+C stops)`);
}
