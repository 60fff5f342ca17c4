// The page on a phone, upright and lying down: a tap on a signal column opens its sheet, whose
// buttons act as the window's and are large enough for a finger; the canvas pans and zooms in its
// own box; nothing scrolls sideways; axe finds nothing to object to; and the desktop layout stays
// as it is on wide screens and with a mouse.

import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { after, before, describe, it } from 'node:test';

import { firstPixelDifference, generator, openBrowser, pageResult, perform, renderResult, siteDir } from './support.mjs';

const kPhones = {
  portrait: { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 },
  landscape: { width: 844, height: 390, isMobile: true, hasTouch: true, deviceScaleFactor: 1 },
};
const kColumns = [50, 150, 250, 350, 450, 550, 650, 750, 850, 950];
const kSeed = Number(process.env.LUMARO_WEB_SEED || 20240917);

// What the sheet shows: null while it is closed.
function sheet(page) {
  return page.evaluate(() => {
    const dialog = document.getElementById('ColumnSheet');
    if (!dialog.open)
      return null;
    const mark = document.querySelector('.column-mark').getBoundingClientRect();
    const canvas = document.getElementById('canvas').getBoundingClientRect();
    return {
      title: dialog.querySelector('h2').textContent,
      rows: [...dialog.querySelectorAll('li')].map((li) => li.innerText.split('\n')),
      buttons: [...dialog.querySelectorAll('[data-button]')].filter((b) => b.checkVisibility())
        .map((b) => `${b.dataset.button} ${b.textContent}${b.disabled ? ' (disabled)' : ''}`),
      markedColumn: Math.round(((mark.left + mark.right) / 2 - canvas.left) * 1016 / canvas.width),
    };
  });
}

// A finger on column x of the canvas, above the window's controls. A sheet lying over that
// point is closed with its own button first.
async function tapColumn(page, x) {
  const point = await page.evaluate((column) => {
    window.scrollTo(0, 0);
    const canvas = document.getElementById('canvas').getBoundingClientRect();
    const at = { x: canvas.left + column * canvas.width / 1016, y: canvas.top + 250 * canvas.height / 696 };
    return { ...at, covered: !!document.elementFromPoint(at.x, at.y)?.closest('#ColumnSheet') };
  }, x);
  if (point.covered)
    await page.tap('#ColumnSheet .close');
  await page.touchscreen.tap(point.x, point.y);
}

// The width the page could scroll sideways.
const sideways = (page) => page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);

// Two fingers moving apart by `spread` pixels each, about (x, y).
async function pinch(page, x, y, spread) {
  const session = await page.createCDPSession();
  const fingers = (d) => [{ x: x - 20 - d, y, id: 1 }, { x: x + 20 + d, y, id: 2 }];
  await session.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: fingers(0) });
  for (let step = 1; step <= 10; ++step)
    await session.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: fingers(spread * step / 10) });
  await session.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await session.detach();
}

describe('the page on a phone', () => {
  let browser;
  before(async () => { browser = await openBrowser(); });
  after(async () => { await browser?.close(); });

  for (const [name, viewport] of Object.entries(kPhones)) {
    it(`${name}: every signal column opens its sheet, with its designations and only the buttons the core shows`, async () => {
      const page = await browser.page('?manual', viewport);
      assert.equal(await page.evaluate(() => document.documentElement.classList.contains('touch-layout')), true);
      const shown = {};
      for (const system of ['HVSystem1', 'KsSystem1', 'HlSystem1']) {
        // With the exit signal at "Halt" the entry signal's "Fahrt" is disabled.
        await perform(page, [system, 'tick', 'Button1', 'tick', 'tick']);
        shown[system] = {};
        for (const x of kColumns) {
          await tapColumn(page, x);
          shown[system][x] = await sheet(page);
          await page.keyboard.press('Escape');
          assert.equal(await sheet(page), null, 'Escape closes the sheet');
        }
        // Every button the window shows is in exactly one sheet.
        const windowButtons = await page.evaluate(() => [...document.querySelectorAll('.client > button')]
          .filter((b) => b.checkVisibility()).map((b) => b.id).sort());
        const sheetButtons = Object.values(shown[system]).flatMap((s) => (s ? s.buttons : []))
          .map((b) => b.split(' ')[0]).sort();
        assert.deepEqual(sheetButtons, windowButtons, system);
        for (const [x, s] of Object.entries(shown[system]))
          assert.equal(s === null || s.markedColumn === Number(x), true, `${system} column ${x} is marked`);
      }
      const hv = shown.HVSystem1;
      assert.equal(hv[150].title, 'Einfahrsignal');
      assert.deepEqual(hv[150].buttons, ['Button30 Halt', 'Button31 40 km/h', 'Button32 60 km/h',
        'Button34 100 km/h', 'Button35 Fahrt (disabled)', 'Button36 Ersatz', 'Button37 Vorsicht']);
      assert.deepEqual(hv[150].rows[0], ['Hp 0', 'Halt']);
      assert.equal(hv[50].title, 'Vorsignal des Einfahrsignals');
      assert.deepEqual(hv[50].buttons, []);
      assert.deepEqual(hv[950].buttons, ['Button21 Halt', 'Button22 Fahrt', 'Button23 Ersatz']);
      assert.equal(hv[850].title, 'Gegengleisanzeiger');
      // The Hl line: nothing in columns 350 and 750, the exit signal's track-change indication
      // switched from its own sheet, and no "Vorsicht".
      const hl = shown.HlSystem1;
      assert.equal(hl[350], null);
      assert.equal(hl[750], null);
      assert.equal(hl[850].title, 'Vorsignal des Blocksignals');
      assert.deepEqual(hl[650].buttons.slice(-2), ['Button13 Dunkel', 'Button14 GWB']);
      assert.equal(hl[650].buttons.some((b) => b.endsWith('Vorsicht')), false);
      assert.deepEqual(page.errors, []);
      await page.close();
    });

    it(`${name}: sheet buttons and texts are large enough, and nothing scrolls sideways`, async () => {
      const page = await browser.page('?manual', viewport);
      for (const x of [150, 650, 950]) {
        await tapColumn(page, x);
        const sizes = await page.evaluate(() => {
          const dialog = document.getElementById('ColumnSheet');
          const small = [];
          for (const b of dialog.querySelectorAll('[data-button], button')) {
            const r = b.getBoundingClientRect();
            if (r.width < 44 || r.height < 44)
              small.push(`${b.dataset.button || b.className} ${r.width}x${r.height}`);
          }
          const walker = document.createTreeWalker(dialog, NodeFilter.SHOW_TEXT);
          while (walker.nextNode()) {
            const node = walker.currentNode;
            if (node.textContent.trim() && parseFloat(getComputedStyle(node.parentElement).fontSize) < 12)
              small.push(`text "${node.textContent.trim()}"`);
          }
          const r = dialog.getBoundingClientRect();
          return { small, inside: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight };
        });
        assert.deepEqual(sizes, { small: [], inside: true }, `column ${x}`);
        assert.equal(await sideways(page), 0);
      }

      // The menus and every window fit the screen.
      await page.tap('#Einstellungen1');
      const menu = await page.$eval('#Einstellungen1 + .menu-items', (m) => {
        const r = m.getBoundingClientRect();
        return r.left >= 0 && r.right <= innerWidth && [...m.children].every((item) => item.role === 'separator'
          || item.getBoundingClientRect().height >= 44);
      });
      assert.equal(menu, true, 'the menu fits and its items are a finger high');
      await page.tap('#Einstellungen1');
      for (const item of ['Info1', 'Lizenz1', 'Lzenz1', 'Ueben1', 'Beenden1']) {
        await perform(page, [item]);
        const fits = await page.evaluate(() => [...document.querySelectorAll('dialog[open]')].map((d) => {
          const r = d.getBoundingClientRect();
          return [d.id, r.left >= 0 && r.top >= 0 && r.right <= innerWidth + 0.5 && r.bottom <= innerHeight + 0.5];
        }));
        assert.deepEqual(fits.filter(([, inside]) => !inside), [], `after ${item}`);
        assert.equal(await sideways(page), 0, `after ${item}`);
      }
      await page.close();
    });

    it(`${name}: random taps through the sheets give what lumaro-render gives for the same words`, async () => {
      const random = generator(kSeed + viewport.width);
      const pick = (list) => list[Math.floor(random() * list.length)];
      for (const system of ['HVSystem1', 'KsSystem1', 'HlSystem1']) {
        const page = await browser.page('?manual', viewport);
        const words = [system, 'tick'];
        await perform(page, words);
        for (let step = 0; step < 30; ++step) {
          const r = random();
          if (r < 0.3) {
            await page.evaluate(() => window.lumaro.tick());
            words.push('tick');
          } else if (r < 0.9) {
            // A column, then one of the buttons its sheet shows, enabled or not.
            await tapColumn(page, pick(kColumns));
            words.push('FormClick');
            const buttons = (await sheet(page))?.buttons ?? [];
            if (buttons.length) {
              const button = pick(buttons).split(' ')[0];
              await page.tap(`#ColumnSheet [data-button="${button}"]`);
              words.push(button);
            }
          } else {
            const item = pick(['HVSystem1', 'KsSystem1', 'HlSystem1', 'ag1', 'Nacht1', 'Signalbegriff1', 'Gleisplan1']);
            await page.tap('#Einstellungen1');
            await page.tap(`#${item}`);
            words.push(item);
          }
        }
        const [got, want] = await Promise.all([pageResult(page), renderResult(words)]);
        const context = `after ${words.join(' ')}`;
        assert.deepEqual(got.state, want.state, `state ${context}`);
        assert.equal(got.trace, want.trace, `trace ${context}`);
        assert.equal(firstPixelDifference(got.rgb, want.rgb), null, `pixels ${context}`);
        assert.deepEqual(page.errors, []);
        await page.close();
      }
    });
  }

  it('the open sheet follows every tick, and a tap outside closes it or opens another column', async () => {
    const page = await browser.page('?manual', kPhones.portrait);
    await perform(page, ['tick']);
    await tapColumn(page, 650);
    await page.tap('#ColumnSheet [data-button="Button6"]');
    assert.deepEqual((await sheet(page)).rows[0], ['Hp 0', 'Halt'], 'a press shows at the next tick');
    await page.evaluate(() => window.lumaro.tick());
    assert.equal((await sheet(page)).rows[0][0], 'Hp 1');

    // Hidden designations keep their meanings.
    await perform(page, ['Signalbegriff1', 'tick']);
    await tapColumn(page, 650);
    assert.deepEqual((await sheet(page)).rows[0], ['Fahrt']);

    // The sheet says why its column's designations read as they do, as lumaro.explain() does.
    const why = (panels) => page.evaluate((wanted) => {
      const all = window.lumaro.explain().panels;
      return wanted.map((name) => all.find((p) => p.panel === name)?.why).filter((w) => w).join(' ');
    }, panels);
    const exitWhy = await why(['Panel4', 'Panel5']);
    assert.match(exitWhy, /\w/);
    assert.equal(await page.$eval('#ColumnSheet .why', (p) => p.checkVisibility() && p.textContent), exitWhy);

    await tapColumn(page, 150);
    assert.equal((await sheet(page)).title, 'Einfahrsignal');
    assert.equal(await page.$eval('#ColumnSheet .why', (p) => p.textContent), await why(['Panel10', 'Panel11', 'Panel14', 'Panel13']));
    await tapColumn(page, 150);
    assert.equal(await sheet(page), null, 'a second tap on the column closes its sheet');
    await tapColumn(page, 950);
    await page.touchscreen.tap(200, 600);   // below the canvas
    assert.equal(await sheet(page), null);
    await page.close();
  });

  it('the sheet and the panels\' descriptions tell each designation\'s meaning as the core\'s table has it', async () => {
    const page = await browser.page('?manual', kPhones.portrait);
    await perform(page, ['KsSystem1', 'tick', 'Button31', 'tick', 'tick', 'tick']);
    await tapColumn(page, 50);
    // The distant signal's Ks 1 announces; the panel's own hint, kept as its title, only says "Fahrt".
    assert.deepEqual((await sheet(page)).rows, [
      ['Ks 1', 'Fahrt erwarten'],
      ['+ Zs 3v "4"', 'Geschwindigkeitsvoranzeiger: am nächsten Signal 40 km/h erwarten'],
    ]);
    const panel12 = await page.$eval('#Panel12', (p) => ({ description: p.getAttribute('aria-description'), title: p.title }));
    assert.deepEqual(panel12, { description: 'Fahrt erwarten', title: 'Fahrt' });
    // A column that names nothing says what is lit.
    await tapColumn(page, 350);
    assert.deepEqual((await sheet(page)).rows, [['Kein Signalbegriff (alle Lampen dunkel)']]);
    assert.equal(await page.$eval('#Panel8', (p) => p.getAttribute('aria-description')), 'Kein Signalbegriff (alle Lampen dunkel)');
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  it('pinching zooms the canvas in its box, crisp, and a tap still finds its column', async () => {
    const page = await browser.page('?manual', kPhones.portrait);
    await pinch(page, 195, 150, 100);
    const zoomed = await page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      const box = document.querySelector('.canvas-box').getBoundingClientRect();
      return {
        shown: canvas.getBoundingClientRect().width,
        box: [box.left, box.width],
        backing: [canvas.width, canvas.height],
        rendering: getComputedStyle(canvas).imageRendering,
      };
    });
    assert.ok(zoomed.shown > 390 * 2, `zoomed to ${zoomed.shown} pixels`);
    assert.deepEqual(zoomed.box, [0, 390]);
    assert.deepEqual(zoomed.backing, [1016, 696]);
    assert.equal(zoomed.rendering, 'pixelated');
    assert.equal(await sideways(page), 0);

    // Panned to the exit signal, a tap there opens its sheet.
    await page.evaluate(() => {
      const box = document.querySelector('.canvas-box');
      const canvas = document.getElementById('canvas');
      box.scrollLeft = 650 * canvas.getBoundingClientRect().width / 1016 - box.clientWidth / 2;
    });
    await page.touchscreen.tap(195, 200);
    assert.equal((await sheet(page)).title, 'Ausfahrsignal');
    await page.close();
  });

  it('axe finds no violation in the touch layout with a sheet open', async () => {
    const axePath = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
    for (const viewport of Object.values(kPhones)) {
      const page = await browser.page('?manual', viewport);
      await perform(page, ['tick', 'Button1', 'tick']);
      await tapColumn(page, 150);
      await page.addScriptTag({ path: axePath });
      const violations = await page.evaluate(async () => {
        const result = await window.axe.run(document);
        return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
      });
      assert.deepEqual(violations, [], `${viewport.width} x ${viewport.height}`);
      await page.close();
    }
  });

  it('keeps the desktop layout on wide screens and with a mouse', async () => {
    for (const viewport of [{ width: 1280, height: 800 }, { width: 800, height: 600 }]) {
      const page = await browser.page('?manual', viewport);
      const layout = await page.evaluate(() => {
        document.getElementById('canvas').click();
        const canvas = document.getElementById('canvas').getBoundingClientRect();
        const button = document.getElementById('Button30').getBoundingClientRect();
        return {
          touch: document.documentElement.classList.contains('touch-layout'),
          sheet: document.getElementById('ColumnSheet').open,
          canvas: [canvas.width, canvas.height],
          button: [button.left - canvas.left, button.top - canvas.top, button.width, button.height],
        };
      });
      const zoom = Math.min(1, viewport.width / 1016);
      assert.equal(layout.touch, false);
      assert.equal(layout.sheet, false);
      assert.deepEqual(layout.canvas.map(Math.round), [1016 * zoom, 696 * zoom].map(Math.round));
      assert.deepEqual(layout.button.map((v) => Math.round(v / zoom)), [128, 448, 57, 17]);
      await page.close();
    }
  });

  it('takes the phone screenshot of the README', async () => {
    const page = await browser.page('?manual', { ...kPhones.portrait, deviceScaleFactor: 2 });
    await perform(page, ['tick', 'Button3', 'Button31', 'Button21', 'tick', 'tick', 'tick']);
    await tapColumn(page, 650);
    const path = process.env.LUMARO_WEB_PHONE_SCREENSHOT || join(siteDir, 'phone.png');
    await page.screenshot({ path });
    await page.close();
  });
});
