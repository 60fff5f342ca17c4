// The published site without a browser: names after contents, references that follow them, the
// compressed copies and the archive; and the service worker's hash, which decides when browsers
// take a new version.

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdtemp, readFile, readdir, rm, writeFile } from 'node:fs/promises';
import { get } from 'node:http';
import { tmpdir } from 'node:os';
import { join, relative } from 'node:path';
import { describe, it } from 'node:test';
import { brotliDecompressSync, gunzipSync } from 'node:zlib';

import { startServer } from '../serve.mjs';
import { publish, publishedFiles, readSite, serviceWorkerSource } from '../site.mjs';
import { siteDir } from './support.mjs';

const text = (value) => Buffer.from(value, 'utf8');

// A small site shaped like the page: a core whose name ends like another module's, a module that
// names pictures only at run time, a stylesheet with url().
function smallSite(photo = 'photo 1') {
  return new Map([
    ['index.html', text('<link href="style.css"><link rel="manifest" href="manifest.webmanifest"><script src="main.js"></script>')],
    ['manifest.webmanifest', text('{"icons": [{"src": "assets/icon.png"}]}')],
    ['main.js', text("import { Core } from './core.js';\nimport { siteFile } from './site-files.js';")],
    ['core.js', text("import create from './lumaro-core.js';")],
    ['lumaro-core.js', text('var f = new URL("lumaro-core.wasm", import.meta.url);')],
    ['lumaro-core.wasm', text('wasm')],
    ['site-files.js', text('const kPublishedNames = {};\nexport const siteFile = (p) => kPublishedNames[p] || p;')],
    ['style.css', text('.a { background: url(assets/icon.png); }')],
    ['assets/icon.png', text('icon')],
    ['assets/photo.jpg', text(photo)],
  ]);
}

const names = (published) => Object.fromEntries([...published].map(([path, file]) => [path, file.name]));
const contentsOf = (published, path) => published.get(path).contents.toString('utf8');

describe('the published site', () => {
  it('names files after their contents and rewrites every reference, also in modules that refer to others', () => {
    const published = publishedFiles(smallSite());
    const name = names(published);
    assert.equal(name['index.html'], 'index.html');
    assert.equal(name['manifest.webmanifest'], 'manifest.webmanifest');
    for (const [path, file] of published) {
      if (path === 'index.html' || path === 'manifest.webmanifest')
        continue;
      const hash = createHash('sha256').update(file.contents).digest('hex').slice(0, 12);
      assert.equal(file.name, path.replace(/(\.\w+)$/, `.${hash}$1`));
    }
    assert.equal(contentsOf(published, 'index.html'),
      `<link href="${name['style.css']}"><link rel="manifest" href="manifest.webmanifest"><script src="${name['main.js']}"></script>`);
    assert.equal(contentsOf(published, 'main.js'),
      `import { Core } from './${name['core.js']}';\nimport { siteFile } from './${name['site-files.js']}';`);
    // "core.js" is the end of "lumaro-core.js" and must not be rewritten there.
    assert.equal(contentsOf(published, 'core.js'), `import create from './${name['lumaro-core.js']}';`);
    assert.match(contentsOf(published, 'lumaro-core.js'), new RegExp(`"${name['lumaro-core.wasm']}"`));
    assert.match(contentsOf(published, 'style.css'), new RegExp(`url\\(${name['assets/icon.png']}\\)`));
    assert.match(contentsOf(published, 'manifest.webmanifest'), new RegExp(`"${name['assets/icon.png']}"`));
    const table = JSON.parse(contentsOf(published, 'site-files.js').match(/kPublishedNames = (\{.*\});/)[1]);
    assert.equal(table['assets/photo.jpg'], name['assets/photo.jpg']);
    assert.equal(table['lumaro-core.wasm'], name['lumaro-core.wasm']);
  });

  it('renames what a changed file reaches, and nothing else', () => {
    const before = names(publishedFiles(smallSite('photo 1')));
    const after = names(publishedFiles(smallSite('photo 2')));
    const changed = Object.keys(before).filter((path) => before[path] !== after[path]).sort();
    // The photo is named in the run-time table, which main.js imports.
    assert.deepEqual(changed, ['assets/photo.jpg', 'main.js', 'site-files.js']);
  });

  it('refuses files that refer to each other in a circle', () => {
    const files = new Map([['a.js', text("import './b.js';")], ['b.js', text("import './a.js';")]]);
    assert.throws(() => publishedFiles(files), /circle/);
  });

  it('is written with compressed copies equal to their files, and as an archive of the folder', async () => {
    const site = await readSite(join(siteDir, 'web', 'site.json'));
    const out = await mkdtemp(join(tmpdir(), 'lumaro-dist-'));
    try {
      const { folder, archive, files } = await publish(site, out);
      assert.equal(folder, join(out, `lumaro-web-${site.version}`));
      const onDisk = (await readdir(folder, { recursive: true, withFileTypes: true }))
        .filter((entry) => entry.isFile()).map((entry) => relative(folder, join(entry.path, entry.name))).sort();
      const expected = files.flatMap((file) => [file.name, ...['gz', 'br'].filter((s) => file[s]).map((s) => `${file.name}.${s}`)]).sort();
      assert.deepEqual(onDisk, expected);
      const wasm = files.find((file) => file.name.endsWith('.wasm'));
      assert.ok(wasm.gz && wasm.br, 'the core is sent compressed');
      for (const file of files) {
        const original = await readFile(join(folder, file.name));
        if (file.gz)
          assert.ok(gunzipSync(await readFile(join(folder, `${file.name}.gz`))).equals(original), file.name);
        if (file.br)
          assert.ok(brotliDecompressSync(await readFile(join(folder, `${file.name}.br`))).equals(original), file.name);
      }
      const listed = execFileSync('tar', ['-tzf', archive], { encoding: 'utf8' }).split('\n')
        .filter((line) => line && !line.endsWith('/')).sort();
      assert.deepEqual(listed, expected.map((name) => `lumaro-web-${site.version}/${name}`));
    } finally {
      await rm(out, { recursive: true, force: true });
    }
  });
});

describe('the service worker', () => {
  it('gets a new hash from any change of a file, a file name or the version, and lists every file', async () => {
    const files = smallSite();
    const { hash, source } = await serviceWorkerSource('1.0', files);
    for (const path of files.keys())
      assert.ok(source.includes(JSON.stringify(path)), path);
    assert.equal((await serviceWorkerSource('1.0', smallSite())).hash, hash);
    assert.notEqual((await serviceWorkerSource('1.1', files)).hash, hash);
    assert.notEqual((await serviceWorkerSource('1.0', smallSite('photo 2'))).hash, hash);
    const renamed = new Map([...files].map(([path, bytes]) => [path.replace('icon', 'icon2'), bytes]));
    assert.notEqual((await serviceWorkerSource('1.0', renamed)).hash, hash);
  });
});

describe('the server', () => {
  const fetchRaw = (url, acceptEncoding) => new Promise((resolve, reject) => {
    get(url, { headers: acceptEncoding === undefined ? {} : { 'Accept-Encoding': acceptEncoding } }, (response) => {
      const chunks = [];
      response.on('data', (chunk) => chunks.push(chunk));
      response.on('end', () => resolve({ headers: response.headers, body: Buffer.concat(chunks) }));
    }).on('error', reject);
  });

  it('sends a compressed copy to a client that takes its encoding, the file itself otherwise', async () => {
    const dir = await mkdtemp(join(tmpdir(), 'lumaro-serve-'));
    const { server, url } = await startServer(dir);
    try {
      await writeFile(join(dir, 'main.0123456789ab.js'), 'plain');
      await writeFile(join(dir, 'main.0123456789ab.js.br'), 'brotli');
      await writeFile(join(dir, 'main.0123456789ab.js.gz'), 'gzip');
      await writeFile(join(dir, 'index.html'), 'page');
      await writeFile(join(dir, 'index.html.gz'), 'page gzip');
      const cases = [
        ['main.0123456789ab.js', 'gzip, deflate, br', 'br', 'brotli'],
        ['main.0123456789ab.js', 'gzip', 'gzip', 'gzip'],
        ['main.0123456789ab.js', 'br;q=0, gzip;q=0.5', 'gzip', 'gzip'],
        ['main.0123456789ab.js', undefined, undefined, 'plain'],
        ['main.0123456789ab.js', 'identity', undefined, 'plain'],
        ['', 'br, gzip', 'gzip', 'page gzip'],
      ];
      for (const [path, accept, encoding, body] of cases) {
        const response = await fetchRaw(url + path, accept);
        const what = `${path || '/'} with Accept-Encoding ${accept}`;
        assert.equal(response.headers['content-encoding'], encoding, what);
        assert.equal(response.body.toString(), body, what);
        assert.equal(response.headers.vary, 'Accept-Encoding', what);
        assert.match(response.headers['content-type'], path ? /^text\/javascript/ : /^text\/html/, what);
      }
      // Named after its contents a file is kept for a year; the page's own address never.
      assert.match((await fetchRaw(`${url}main.0123456789ab.js`)).headers['cache-control'], /immutable/);
      assert.equal((await fetchRaw(url)).headers['cache-control'], 'no-store');
    } finally {
      server.close();
      await rm(dir, { recursive: true, force: true });
    }
  });
});
