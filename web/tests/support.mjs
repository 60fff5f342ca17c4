// Shared by the browser tests: the built site on a local server, Debian's chromium in headless
// mode, and lumaro-render run on the same actions.

import { execFile } from 'node:child_process';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';

import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';

import { startServer } from '../serve.mjs';

const run = promisify(execFile);

export const repoRoot = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const siteDir = process.env.LUMARO_WEB_BUILD || join(repoRoot, 'build-web');
export const nativeDir = process.env.LUMARO_BUILD || join(repoRoot, 'build');
export const renderPath = join(nativeDir, 'lumaro-render');
export const tickTimePath = join(nativeDir, 'web', 'lumaro-web-ticktime');
export const desktopWindowsPath = join(nativeDir, 'web', 'lumaro-desktop-windows');
export const chromiumPath = process.env.CHROMIUM || '/usr/bin/chromium';

// mulberry32: a small seeded generator of numbers in [0, 1), so that a failing random sequence
// can be run again from its seed.
export function generator(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

export const kWidth = 1016;
export const kHeight = 696;

// The machine's network is closed: chromium must not try to reach anything by itself.
export const chromiumFlags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-dev-shm-usage',
];

// One server and one browser for a test file; `page()` opens the site in a fresh tab and
// collects what the console and the page report as errors. The server serves `directory` at the
// path `base`.
export async function openBrowser({ directory = siteDir, base = '/' } = {}) {
  const { server, url } = await startServer(directory, 0, '127.0.0.1', base);
  const profile = await mkdtemp(join(tmpdir(), 'lumaro-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: chromiumPath,
    headless: true,
    args: [...chromiumFlags, `--user-data-dir=${profile}`],
    userDataDir: profile,
    defaultViewport: { width: 1100, height: 800 },
  });
  return {
    url,
    server,
    browser,
    async page(query = '?manual', viewport = null) {
      const page = await browser.newPage();
      if (viewport)
        await page.setViewport(viewport);
      page.errors = [];
      page.on('console', (message) => {
        if (message.type() === 'error')
          page.errors.push(message.text());
      });
      page.on('pageerror', (error) => page.errors.push(String(error)));
      page.on('requestfailed', (request) => page.errors.push(`failed: ${request.url()}`));
      await page.goto(url + query, { waitUntil: 'load' });
      await page.evaluate(() => window.lumaro.ready);
      return page;
    },
    async close() {
      await browser.close();
      server.close();
      await rm(profile, { recursive: true, force: true });
    },
  };
}

// Performs the actions on the page as a user and the timer would: a click on the button or the
// menu item element, or lumaro.tick(). Clicks go to the element even when it is hidden or
// disabled, as a script may do.
export async function perform(page, actions) {
  await page.evaluate((list) => {
    for (const action of list) {
      if (action === 'tick')
        window.lumaro.tick();
      else if (action === 'FormClick')
        document.querySelector('#canvas').click();
      else
        document.getElementById(action).click();
    }
  }, actions);
}

// What the page reports: state object, trace text and the canvas's RGB bytes.
export async function pageResult(page) {
  const { state, trace, pixels } = await page.evaluate(() => {
    const canvas = document.querySelector('#canvas');
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let binary = '';
    for (let i = 0; i < data.length; i += 4)
      binary += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
    return { state: window.lumaro.state(), trace: window.lumaro.trace(), pixels: btoa(binary) };
  });
  return { state, trace, rgb: Buffer.from(pixels, 'base64') };
}

// What lumaro-render reports after the same actions.
export async function renderResult(actions) {
  const dir = await mkdtemp(join(tmpdir(), 'lumaro-render-'));
  try {
    const files = { state: join(dir, 'state.json'), trace: join(dir, 'trace.txt'), png: join(dir, 'canvas.png') };
    await run(renderPath, [...actions, '--state', files.state, '--trace', files.trace, '--png', files.png]);
    const png = PNG.sync.read(await readFile(files.png));
    const rgb = Buffer.alloc(png.width * png.height * 3);
    for (let i = 0, j = 0; i < png.data.length; i += 4, j += 3)
      png.data.copy(rgb, j, i, i + 3);
    return {
      state: JSON.parse(await readFile(files.state, 'utf8')),
      trace: await readFile(files.trace, 'utf8'),
      rgb,
      size: [png.width, png.height],
    };
  } finally {
    await rm(dir, { recursive: true, force: true });
  }
}

// The first differing pixel of two RGB buffers as "x,y: page rgb vs render rgb", or null.
export function firstPixelDifference(a, b) {
  if (a.length !== b.length)
    return `sizes differ: ${a.length} vs ${b.length} bytes`;
  const index = a.compare(b) === 0 ? -1 : a.findIndex((value, i) => value !== b[i]);
  if (index < 0)
    return null;
  const pixel = Math.floor(index / 3);
  const at = pixel * 3;
  return `${pixel % kWidth},${Math.floor(pixel / kWidth)}: page ${[...a.subarray(at, at + 3)]} vs render ${[...b.subarray(at, at + 3)]}`;
}

export async function nativeTickMicroseconds(ticks, rounds, actions) {
  const { stdout } = await run(tickTimePath, [String(ticks), String(rounds), ...actions]);
  return Number(stdout.trim());
}

// What the desktop program's notice and information windows show, read from the windows
// themselves by lumaro-desktop-windows of the native build.
export async function desktopWindows() {
  const { stdout } = await run(desktopWindowsPath, [], { maxBuffer: 1 << 24 });
  return JSON.parse(stdout);
}
