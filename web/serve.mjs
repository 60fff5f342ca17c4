// A static HTTP server for the built page: `node web/serve.mjs DIR [PORT [BASE]]` serves DIR at
// the path BASE (default "/"), as a host may put the site in a folder of its own. The tests start
// it on a free port (PORT 0) through startServer().

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
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': kTypes[extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-store',
      });
      response.end(body);
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
