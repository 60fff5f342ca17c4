// The built page as a site: `node web/site.mjs service-worker SITE_JSON` writes the service worker
// that keeps the site's files for offline use; `node web/site.mjs dist SITE_JSON [DIR]` writes the
// site to publish, lumaro-web-VERSION/ and lumaro-web-VERSION.tar.gz in DIR (default: the build
// directory). SITE_JSON is what the browser build writes, build-web/web/site.json: the version,
// the build directory and the site's files relative to it.

import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdir, readFile, rename, rm, writeFile } from 'node:fs/promises';
import { basename, dirname, extname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

const kWorkerTemplate = join(dirname(fileURLToPath(import.meta.url)), 'service-worker.js');
export const kWorkerName = 'service-worker.js';

// Addresses that must stay the same from one version to the next: the page's address, the
// manifest an installed app was installed from, and the worker (which is never cached long).
const kStableNames = new Set(['index.html', 'manifest.webmanifest']);
// Files that may name other files of the site.
const kTextTypes = new Set(['.html', '.js', '.mjs', '.css', '.webmanifest', '.json']);
// Worth sending compressed; pictures in PNG and JPEG are compressed already.
const kCompressibleTypes = new Set(['.html', '.js', '.mjs', '.css', '.webmanifest', '.json', '.wasm', '.bmp', '.svg']);
const kCompressFrom = 1024;
// The line of site-files.js that the published site fills with the names the page builds at run
// time (the pictures that the core names).
const kRunTimeNames = 'const kPublishedNames = {};';

const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');

export async function readSite(siteJson) {
  let site;
  try {
    site = JSON.parse(await readFile(siteJson, 'utf8'));
  } catch (error) {
    throw new Error(`cannot read ${siteJson} (${error.code || error.message}): \`make web\` writes it`);
  }
  if (!site.version || !site.root || !Array.isArray(site.files))
    throw new Error(`${siteJson}: not a description of the site (version, root, files)`);
  return site;
}

async function readFiles(root, paths) {
  const files = new Map();
  for (const path of paths) {
    try {
      files.set(path, await readFile(join(root, path)));
    } catch (error) {
      throw new Error(`the site's file ${path} is missing in ${root} (${error.code})`);
    }
  }
  return files;
}

// The worker for the files (path -> contents). Its hash covers the version, the worker's own code
// and every file, so that any change makes a new worker and with it a new cache.
export async function serviceWorkerSource(version, files) {
  const template = await readFile(kWorkerTemplate, 'utf8');
  const entries = [...files].sort(([a], [b]) => (a < b ? -1 : 1)).map(([path, bytes]) => [path, sha256(bytes)]);
  const hash = sha256([version, template, ...entries.map((entry) => entry.join(' '))].join('\n')).slice(0, 16);
  const lines = entries.map((entry) => `    ${JSON.stringify(entry)},`);
  const site = [`const kSite = {`, `  version: ${JSON.stringify(version)},`, `  hash: '${hash}',`,
    '  files: [', ...lines, '  ],', '};'].join('\n');
  return { hash, source: `${site}\n\n${template}` };
}

// Writes the file only when its contents change, so that a build that changed nothing leaves the
// worker as it was.
async function writeIfChanged(path, contents) {
  const old = await readFile(path, 'utf8').catch(() => null);
  if (old === contents)
    return;
  await writeFile(`${path}.part`, contents);
  await rename(`${path}.part`, path);
}

export async function writeServiceWorker(site) {
  const { hash, source } = await serviceWorkerSource(site.version, await readFiles(site.root, site.files));
  await writeIfChanged(join(site.root, kWorkerName), source);
  return hash;
}

// --- The published site ----------------------------------------------------------------------

const escapeRegExp = (text) => text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');

// A reference to a file of the site, as the page's files write them: the path from the site's
// root in quotes or url(), optionally after "./". All files that refer to others live in the root.
function referencePattern(path) {
  return new RegExp(`(?<=["'\`(]|["'\`(]\\./)${escapeRegExp(path)}(?=["'\`)?#])`, 'g');
}

function hashedName(path, contents) {
  const extension = extname(path);
  return `${path.slice(0, path.length - extension.length)}.${sha256(contents).slice(0, 12)}${extension}`;
}

// Every file of the site under its published name, with the references in the text files
// rewritten to the published names. A file's name is the hash of its contents after rewriting, so
// a file is named after the files it refers to as well: a changed picture renames the module
// that names it, and so on up to index.html.
export function publishedFiles(files) {
  const isText = (path) => kTextTypes.has(extname(path));
  const published = new Map();
  const visiting = new Set();

  const visit = (path) => {
    if (published.has(path))
      return published.get(path);
    if (visiting.has(path))
      throw new Error(`the site's files refer to each other in a circle through ${path}`);
    visiting.add(path);
    let contents = files.get(path);
    if (isText(path)) {
      let text = contents.toString('utf8');
      for (const other of files.keys()) {
        if (other === path)
          continue;
        const pattern = referencePattern(other);
        if (pattern.test(text))
          text = text.replace(pattern, visit(other).name);
      }
      if (text.includes(kRunTimeNames)) {
        const table = Object.fromEntries([...files.keys()].filter((other) => !isText(other))
          .map((other) => [other, visit(other).name]));
        text = text.replace(kRunTimeNames, `const kPublishedNames = ${JSON.stringify(table)};`);
      }
      contents = Buffer.from(text, 'utf8');
    }
    const name = kStableNames.has(path) ? path : hashedName(path, contents);
    const file = { name, contents };
    visiting.delete(path);
    published.set(path, file);
    return file;
  };

  for (const path of files.keys())
    visit(path);
  return published;
}

// The compressed copies worth having beside a file: gzip for every client, brotli for those that
// take it. A copy that saves less than a tenth is left out.
function compressedCopies(name, contents) {
  if (contents.length < kCompressFrom || !kCompressibleTypes.has(extname(name)))
    return [];
  const copies = [['.gz', gzipSync(contents, { level: 9 })]];
  try {
    copies.push(['.br', execFileSync('brotli', ['--quality=11', '--stdout', '-'], { input: contents, maxBuffer: 1 << 28 })]);
  } catch (error) {
    throw new Error(error.code === 'ENOENT' ? 'brotli is missing: `make web-deps` installs it' : `brotli: ${error.message}`);
  }
  return copies.filter(([, copy]) => copy.length <= contents.length * 0.9);
}

// Writes the folder and the archive; each appears only once complete (written beside it, then
// renamed). Returns what was written, with every file's sizes.
export async function publish(site, outDir = site.root) {
  const folderName = `lumaro-web-${site.version}`;
  const folder = resolve(outDir, folderName);
  const archive = `${folder}.tar.gz`;
  const partFolder = `${folder}.part`;
  const published = publishedFiles(await readFiles(site.root, site.files));

  await rm(partFolder, { recursive: true, force: true });
  try {
    return await writePublished(site, published, partFolder, folder, archive);
  } finally {
    await rm(partFolder, { recursive: true, force: true });
    await rm(`${archive}.part`, { force: true });
  }
}

async function writePublished(site, published, partFolder, folder, archive) {
  const written = [];
  for (const { name, contents } of published.values()) {
    const target = join(partFolder, name);
    await mkdir(dirname(target), { recursive: true });
    await writeFile(target, contents);
    const entry = { name, size: contents.length };
    for (const [suffix, copy] of compressedCopies(name, contents)) {
      await writeFile(target + suffix, copy);
      entry[suffix.slice(1)] = copy.length;
    }
    written.push(entry);
  }
  const { source } = await serviceWorkerSource(site.version,
    new Map([...published.values()].map(({ name, contents }) => [name, contents])));
  await writeFile(join(partFolder, kWorkerName), source);
  written.push({ name: kWorkerName, size: Buffer.byteLength(source) });

  // The same archive from the same files: sorted, without owners or times. Folder and archive
  // replace the old ones only once both are complete.
  const folderName = basename(folder);
  execFileSync('tar', ['--sort=name', '--mtime=@0', '--owner=0', '--group=0', '--numeric-owner',
    '--mode=a+rX,go-w', `--transform=s|^${escapeRegExp(basename(partFolder))}|${folderName}|`,
    '--use-compress-program=gzip -9n', '-cf', `${archive}.part`, '-C', dirname(folder), basename(partFolder)]);
  await rm(folder, { recursive: true, force: true });
  await rename(partFolder, folder);
  await rename(`${archive}.part`, archive);
  written.sort((a, b) => (a.name < b.name ? -1 : 1));
  return { folder, archive, files: written };
}

// Sizes of a published site: as stored, and as sent to a client that takes brotli (or gzip),
// each file in its smallest form.
export function siteSizes(files) {
  const sum = (pick) => files.reduce((total, file) => total + pick(file), 0);
  return {
    files: files.length,
    total: sum((file) => file.size),
    brotli: sum((file) => Math.min(file.size, file.br ?? Infinity, file.gz ?? Infinity)),
    gzip: sum((file) => Math.min(file.size, file.gz ?? Infinity)),
  };
}

async function main([command, siteJson, outDir]) {
  if (!['service-worker', 'dist'].includes(command) || !siteJson)
    throw new Error('usage: node web/site.mjs service-worker|dist SITE_JSON [DIR]');
  const site = await readSite(siteJson);
  if (command === 'service-worker') {
    await writeServiceWorker(site);
    return;
  }
  const { folder, archive, files } = await publish(site, outDir);
  const sizes = siteSizes(files);
  const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;
  console.log(`${folder}/: ${sizes.files} files, ${kib(sizes.total)}; sent compressed ${kib(sizes.brotli)} (brotli), ${kib(sizes.gzip)} (gzip)`);
  console.log(`${archive}`);
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  main(process.argv.slice(2)).catch((error) => {
    console.error(`site.mjs: ${error.message}`);
    process.exitCode = 1;
  });
}
