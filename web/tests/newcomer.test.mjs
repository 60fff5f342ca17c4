// What a newcomer meets on the page: the learner's options kept over a reload while the program
// itself starts as always, the phone's one-line hint that goes once a signal was tapped, and
// links in the information windows readable on their own (axe-core with one window open).

import assert from 'node:assert/strict';
import { join } from 'node:path';
import { after, before, describe, it } from 'node:test';

import { openBrowser, perform, repoRoot } from './support.mjs';

const axePath = join(repoRoot, 'web', 'node_modules', 'axe-core', 'axe.min.js');
const kPhone = { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 };

async function violations(page) {
  if (!(await page.evaluate(() => typeof window.axe !== 'undefined')))
    await page.addScriptTag({ path: axePath });
  return page.evaluate(async () => (await window.axe.run(document)).violations.map((v) => ({
    id: v.id, nodes: v.nodes.map((n) => n.target.join(' ')),
  })));
}

function marks(page) {
  return page.evaluate(() => Object.fromEntries(['BlinkenAnhalten1', 'Lampenfarben1', 'HVSystem1', 'KsSystem1', 'ag1', 'Nacht1']
    .map((id) => [id, document.getElementById(id).getAttribute('aria-checked')])));
}

async function reload(page) {
  await page.reload({ waitUntil: 'load' });
  await page.evaluate(() => window.lumaro.ready);
  await perform(page, ['tick']);
}

describe('a newcomer on the page', () => {
  let browser;
  before(async () => { browser = await openBrowser(); });
  after(async () => { await browser?.close(); });

  it('keeps the learner\'s options over a reload, but starts with H/V by day', async () => {
    const page = await browser.page();
    await page.evaluate(() => localStorage.clear());
    await reload(page);
    assert.deepEqual(await marks(page), {
      BlinkenAnhalten1: 'false', Lampenfarben1: 'false', HVSystem1: 'true', KsSystem1: 'false', ag1: 'true', Nacht1: 'false',
    });
    await perform(page, ['Lampenfarben1', 'BlinkenAnhalten1', 'KsSystem1', 'Nacht1', 'tick']);
    await reload(page);
    assert.deepEqual(await marks(page), {
      BlinkenAnhalten1: 'true', Lampenfarben1: 'true', HVSystem1: 'true', KsSystem1: 'false', ag1: 'true', Nacht1: 'false',
    });
    // The kept options draw as chosen: colour letters stand beside the lit lamps.
    const drawn = await page.evaluate(() => {
      const overlay = document.getElementById('overlay');
      const data = overlay.getContext('2d').getImageData(0, 0, overlay.width, overlay.height).data;
      return data.some((value, i) => i % 4 === 3 && value !== 0);
    });
    assert.ok(drawn, 'the overlay shows the kept options');

    // Unchecked again, and kept so; storage that the page did not write changes nothing.
    await perform(page, ['Lampenfarben1']);
    await page.evaluate(() => {
      const kept = JSON.parse(localStorage.getItem('lumaro.options'));
      localStorage.setItem('lumaro.options', JSON.stringify({ ...kept, steadyLamps: 'ja', extra: 1 }));
    });
    await reload(page);
    assert.deepEqual(await marks(page), {
      BlinkenAnhalten1: 'false', Lampenfarben1: 'false', HVSystem1: 'true', KsSystem1: 'false', ag1: 'true', Nacht1: 'false',
    });
    await page.evaluate(() => localStorage.setItem('lumaro.options', '{kaputt'));
    await reload(page);
    assert.equal((await marks(page)).Lampenfarben1, 'false');
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  it('finds nothing with axe-core with an information window open on its own', async () => {
    for (const [item, name] of [['Info1', 'About'], ['Lzenz1', 'Manual']]) {
      const page = await browser.page();
      await perform(page, [item, 'tick']);
      assert.deepEqual(await violations(page), [], `${name} window`);
      // Every link of the window at least 4.5:1 against the window's background.
      const ratios = await page.evaluate((id) => {
        const rgb = (text) => text.match(/\d+(\.\d+)?/g).slice(0, 3).map(Number);
        const luminance = (c) => {
          const [r, g, b] = c.map((v) => { v /= 255; return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4; });
          return 0.2126 * r + 0.7152 * g + 0.0722 * b;
        };
        const dialog = document.getElementById(id);
        const background = luminance(rgb(getComputedStyle(dialog).backgroundColor));
        return [...dialog.querySelectorAll('a.control')].filter((a) => a.textContent).map((a) => {
          const text = luminance(rgb(getComputedStyle(a).color));
          return (Math.max(text, background) + 0.05) / (Math.min(text, background) + 0.05);
        });
      }, `${name}Window`);
      assert.ok(ratios.length >= 2, `${name}: ${ratios}`);
      for (const ratio of ratios)
        assert.ok(ratio >= 4.5, `${name}: a link at ${ratio.toFixed(2)}:1`);
      await page.close();
    }
  });

  it('tells a phone in one line that a tap opens a signal, until the learner has done it', async () => {
    const page = await browser.page('?manual', kPhone);
    await page.evaluate(() => localStorage.clear());
    await reload(page);
    const hint = () => page.evaluate(() => {
      const line = document.getElementById('TapHint');
      const box = line.getBoundingClientRect();
      const lineHeight = parseFloat(getComputedStyle(line).lineHeight);
      return {
        shown: line.checkVisibility(),
        text: line.textContent,
        lines: Math.round((box.height - 13) / lineHeight),
        above: box.bottom <= document.getElementById('canvas').getBoundingClientRect().top,
        sideways: document.documentElement.scrollWidth > innerWidth,
      };
    });
    assert.deepEqual(await hint(), {
      shown: true, text: 'Tippen Sie auf ein Signal, um es zu öffnen.', lines: 1, above: true, sideways: false,
    });

    // A tap on the entry signal opens its sheet, and the line goes for good.
    const point = await page.evaluate(() => {
      const canvas = document.getElementById('canvas').getBoundingClientRect();
      return { x: canvas.left + 150 * canvas.width / 1016, y: canvas.top + 250 * canvas.height / 696 };
    });
    await page.touchscreen.tap(point.x, point.y);
    assert.ok(await page.evaluate(() => document.getElementById('ColumnSheet').open));
    assert.equal((await hint()).shown, false);
    await reload(page);
    assert.equal((await hint()).shown, false);
    await page.close();

    // A wide screen with a mouse never shows it.
    const desk = await browser.page();
    await desk.evaluate(() => localStorage.clear());
    await reload(desk);
    assert.equal(await desk.evaluate(() => document.getElementById('TapHint').checkVisibility()), false);
    await desk.close();
  });
});
