// The speed along the line on the page: lumaro.run() agrees with lumaro-render --run after the
// same actions, the line is drawn at the columns' x from the same core, a screen reader reads it
// as a list of pieces, and the pointer explains a piece in the #Warum line.

import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { after, before, describe, it } from 'node:test';
import { promisify } from 'node:util';

import { openBrowser, perform, renderPath } from './support.mjs';

const run = promisify(execFile);

// Distant signal Vr 2, entry signal Hp 2, intermediate signal Hp 1 (the exit signal dark), block
// signal Hp 1.
const kExample = ['Button22', 'Button16', 'Button31', 'tick', 'tick'];

const kCases = [
  { actions: kExample, options: [] },
  { actions: kExample, options: [0, true] },
  { actions: ['KsSystem1', 'Button25', 'Button16', 'tick', 'Button7', 'tick', 'Button36', 'tick'], options: [60] },
  { actions: ['HlSystem1', 'tick', 'Button14', 'Button16', 'tick', 'tick', 'Button26', 'tick'], options: [100, false] },
];

async function renderRun(actions, [length, stop] = []) {
  const args = [...actions, '--run', '-'];
  if (length !== undefined)
    args.push('--train-length', String(length));
  if (stop)
    args.push('--stop-at-platform');
  const { stdout } = await run(renderPath, args);
  return JSON.parse(stdout);
}

describe('the speed along the line on the page', () => {
  let browser;
  before(async () => { browser = await openBrowser(); });
  after(async () => { await browser?.close(); });

  it('lumaro.run() equals --run after the same actions and options, and refuses bad options', async () => {
    const page = await browser.page();
    for (const { actions, options } of kCases) {
      await page.evaluate(() => window.lumaro.restart());
      await perform(page, actions);
      const got = await page.evaluate((o) => window.lumaro.run(...o), options);
      assert.deepEqual(got, await renderRun(actions, options), actions.join(' '));
    }
    for (const bad of [[-1], [101], [2.5], ['30'], [30, 'ja']]) {
      const error = await page.evaluate((o) => {
        try { window.lumaro.run(...o); return ''; } catch (e) { return e.name; }
      }, bad);
      assert.equal(error, 'RangeError', JSON.stringify(bad));
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  it('"Fahrt zeigen" draws the line at the columns\' x and lists its pieces for a screen reader', async () => {
    const page = await browser.page();
    await perform(page, kExample);
    assert.equal(await page.$eval('#Fahrt', (box) => box.hidden), true);
    await perform(page, ['Fahrt1']);
    assert.equal(await page.$eval('#Fahrt1', (item) => item.getAttribute('aria-checked')), 'true');
    const drawn = await page.$$eval('#Fahrt line.piece', (lines) => lines.map((l) => [
      Number(l.getAttribute('x1')), Number(l.getAttribute('x2')), l.getAttribute('class')]));
    assert.deepEqual(drawn, [[0, 50, 'piece line'], [50, 150, 'piece ramp'], [150, 580, 'piece speed'], [580, 1000, 'piece line']]);
    // The canvas and the line share their x: the box lies exactly over the canvas.
    const [box, canvas] = await page.evaluate(() => ['#Fahrt', '#canvas'].map((s) => {
      const r = document.querySelector(s).getBoundingClientRect();
      return [r.left, r.width];
    }));
    assert.deepEqual(box, canvas);
    const items = await page.$$eval('#FahrtStuecke li', (list) => list.map((li) => li.textContent));
    assert.equal(items.length, 4);
    assert.equal(items[2], 'von Einfahrsignal bis Zwischensignal plus Zuglänge: 40 km/h, weil Hp 2');

    // The pointer over the 40 km/h piece: its reason in the Warum line.
    const at = await page.evaluate(() => {
      const r = document.querySelector('#Fahrt svg').getBoundingClientRect();
      return { x: r.left + 300 * r.width / 1016, y: r.top + 60 * r.width / 1016 };
    });
    await page.mouse.move(at.x, at.y);
    const why = await page.$eval('#Warum', (line) => line.textContent);
    assert.match(why, /^Einfahrsignal zeigt Hp 2: 40 km\/h/);

    // The options change the line at once; the next tick keeps it.
    await page.$eval('#FahrtZuglaenge', (input) => { input.value = '600'; input.dispatchEvent(new Event('change')); });
    await perform(page, ['tick']);
    assert.deepEqual(await page.$$eval('#Fahrt line.piece.speed', (lines) => lines.map((l) => Number(l.getAttribute('x2')))), [610]);

    await perform(page, ['Fahrt1']);
    assert.equal(await page.$eval('#Fahrt', (b) => b.hidden), true);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  it('on a phone the column sheet tells the piece of its signal', async () => {
    const page = await browser.page('?manual', { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 });
    await perform(page, [...kExample, 'Fahrt1']);
    const point = await page.evaluate(() => {
      window.scrollTo(0, 0);
      const canvas = document.getElementById('canvas').getBoundingClientRect();
      return { x: canvas.left + 150 * canvas.width / 1016, y: canvas.top + 250 * canvas.height / 696 };
    });
    await page.touchscreen.tap(point.x, point.y);
    const text = await page.$eval('#ColumnSheet .fahrt-piece', (p) => (p.hidden ? '' : p.textContent));
    assert.equal(text, 'Fahrt von Einfahrsignal bis Zwischensignal plus Zuglänge: 40 km/h, weil Hp 2.');
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});
