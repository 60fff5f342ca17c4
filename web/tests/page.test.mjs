// The page's controls as a user meets them: hidden and disabled buttons, hints, menu marks, the
// secondary windows, the countdown to the end and the start again, narrow screens and touch.

import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { openBrowser, perform, renderResult, siteDir } from './support.mjs';

const snapshot = (page) => page.evaluate(() => ({ state: window.lumaro.state(), trace: window.lumaro.trace() }));

describe('the page', () => {
  let browser;
  before(async () => { browser = await openBrowser(); });
  after(async () => { await browser?.close(); });

  it('loads without console errors, and its timer ticks without ?manual', async () => {
    const manual = await browser.page('?manual');
    assert.deepEqual(manual.errors, []);
    await new Promise((resolve) => setTimeout(resolve, 1300));
    assert.equal((await manual.evaluate(() => window.lumaro.state())).flags.FirstTick, true, 'timer runs with ?manual');
    await manual.close();

    const timed = await browser.page('');
    await timed.waitForFunction(() => !window.lumaro.state().flags.FirstTick, { timeout: 3000 });
    assert.deepEqual(timed.errors, []);
    await timed.close();
  });

  it('opened as a file, says how to open it instead of showing an empty window', async () => {
    const page = await browser.browser.newPage();
    await page.goto(`file://${siteDir}/index.html`, { waitUntil: 'load' });
    const shown = await page.evaluate(() => ({
      window: !document.getElementById('window').hidden,
      failure: document.getElementById('failure').hidden ? '' : document.getElementById('failure').textContent,
    }));
    assert.equal(shown.window, false);
    assert.match(shown.failure, /make web-serve/);
    await page.close();
  });

  it('shows each button as the core has it, and hidden or disabled buttons do nothing', async () => {
    const page = await browser.page();
    // By H/V the Hl buttons 13 and 14 are hidden; after a tick with the exit signal at "Halt"
    // the entry signal's "Fahrt" (35) is disabled.
    await perform(page, ['tick', 'Button1', 'tick']);
    const before = await snapshot(page);
    assert.deepEqual(before.state.buttons.Button13, { visible: false, enabled: true });
    assert.deepEqual(before.state.buttons.Button35, { visible: true, enabled: false });
    const shown = await page.evaluate(() => ['Button13', 'Button14', 'Button35', 'Button30'].map((id) => {
      const button = document.getElementById(id);
      return [id, getComputedStyle(button).display !== 'none', button.disabled];
    }));
    assert.deepEqual(shown, [['Button13', false, false], ['Button14', false, false], ['Button35', true, true],
      ['Button30', true, false]]);

    await perform(page, ['Button13', 'Button14', 'Button35']);
    await page.click('#Button35');   // a real mouse click on the disabled button
    assert.deepEqual(await snapshot(page), before);

    // The same clicks on an enabled button do act.
    await page.click('#Button31');
    assert.notDeepEqual((await snapshot(page)).state.records, before.state.records);
    await page.close();
  });

  it('writes panels with caption, colours and the hint as the title, two-line hints on two lines', async () => {
    const page = await browser.page();
    await perform(page, ['tick', 'Button3', 'tick', 'tick']);
    const { panels } = await page.evaluate(() => window.lumaro.state());
    const shown = await page.evaluate(() => [...document.querySelectorAll('[id^="Panel"]')].map((panel) => [
      panel.id, panel.textContent, panel.title, getComputedStyle(panel).color, getComputedStyle(panel).backgroundColor,
    ]));
    const rgb = (c) => `rgb(${c & 255}, ${(c >> 8) & 255}, ${(c >> 16) & 255})`;
    const expected = Object.entries(panels).map(([id, p]) => [id, p.caption, p.hint.replaceAll('\r\n', '\n'),
      rgb(p.font), rgb(p.color)]);
    assert.deepEqual(shown, expected);

    const twoLine = shown.find(([id]) => id === 'Panel4')[2];
    assert.equal(twoLine.split('\n').length, 2, 'the 60 km/h hint of the exit signal has two lines');
    assert.ok(!twoLine.includes('\r'));
    assert.deepEqual(shown.find(([id]) => id === 'Panel17').slice(1, 3), ['ESig', 'Einfahrsignal']);
    await page.close();
  });

  it('marks the checked menu items with aria-checked', async () => {
    const page = await browser.page();
    const marks = () => page.evaluate(() => Object.fromEntries(
      [...document.querySelectorAll('[aria-checked]')].map((item) => [item.id, item.getAttribute('aria-checked')])));
    assert.deepEqual(await marks(), { HVSystem1: 'true', KsSystem1: 'false', HlSystem1: 'false', ag1: 'true',
      Nacht1: 'false', Gleisplan1: 'true', Signalbegriff1: 'true', Fahrt1: 'false', BlinkenAnhalten1: 'false',
      Lampenfarben1: 'false' });
    await perform(page, ['HlSystem1', 'Nacht1', 'Gleisplan1', 'Signalbegriff1', 'Signalbegriff1']);
    assert.deepEqual(await marks(), { HVSystem1: 'false', KsSystem1: 'false', HlSystem1: 'true', ag1: 'false',
      Nacht1: 'true', Gleisplan1: 'false', Signalbegriff1: 'true', Fahrt1: 'false', BlinkenAnhalten1: 'false',
      Lampenfarben1: 'false' });

    // A user opens the menu and picks the item.
    await page.click('#Einstellungen1');
    assert.equal(await page.$eval('#KsSystem1', (item) => item.checkVisibility()), true);
    await page.click('#KsSystem1');
    assert.equal((await marks()).KsSystem1, 'true');
    assert.equal(await page.$eval('#KsSystem1', (item) => item.checkVisibility()), false, 'the menu closes');

    // And by keyboard: open "Einstellungen", down to "Ks-System", "Hl-System", pick it.
    await page.focus('#Einstellungen1');
    await page.keyboard.press('Enter');
    for (const key of ['ArrowDown', 'ArrowDown', 'Enter'])
      await page.keyboard.press(key);
    assert.equal((await marks()).HlSystem1, 'true');
    await page.close();
  });

  it('opens the information windows with their texts', async () => {
    const page = await browser.page();
    const open = () => page.evaluate(() => [...document.querySelectorAll('dialog[open]')].map((d) => d.id));
    assert.deepEqual(await open(), []);
    await perform(page, ['Info1', 'Lizenz1', 'Lzenz1']);
    assert.deepEqual((await open()).sort(), ['AboutWindow', 'LicenceWindow', 'ManualWindow']);
    const titles = await page.evaluate(() => [...document.querySelectorAll('dialog[open] h2')].every((h) => h.textContent));
    assert.ok(titles, 'every window has its title');
    // Asked again, a window comes to the front.
    await perform(page, ['Info1']);
    const front = await page.evaluate(() => [...document.querySelectorAll('dialog[open]')]
      .sort((a, b) => Number(b.style.zIndex) - Number(a.style.zIndex))[0].id);
    assert.equal(front, 'AboutWindow');
    await page.close();
  });

  it('counts down in the notice, ends in the ended page and starts again', async () => {
    const page = await browser.page();
    await perform(page, ['Beenden1']);
    const notice = () => page.evaluate(() => ({
      open: document.getElementById('NoticeWindow').open,
      seconds: document.getElementById('NoticeSeconds').textContent,
      ended: !document.getElementById('ended').hidden,
      main: !document.getElementById('window').hidden,
    }));
    assert.deepEqual(await notice(), { open: true, seconds: '10', ended: false, main: true });
    await perform(page, Array(9).fill('tick'));
    assert.deepEqual(await notice(), { open: true, seconds: '1', ended: false, main: true });
    await perform(page, ['tick']);
    const ended = await notice();
    assert.deepEqual([ended.ended, ended.main], [true, false]);
    assert.equal((await page.evaluate(() => window.lumaro.state())).flags.Ended, true);
    assert.match(await page.$eval('#ended', (e) => e.innerText), /beendet/);

    await page.click('#restart');
    assert.deepEqual((await notice()).main, true);
    assert.deepEqual(await page.evaluate(() => window.lumaro.state()), (await renderResult([])).state);
    assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('dialog[open]')].length), 0);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  it('zooms the whole window into a narrow screen, crisp, and works by touch', async () => {
    const page = await browser.page('?manual', { width: 390, height: 844, hasTouch: true, isMobile: true });
    const fit = await page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      return {
        backing: [canvas.width, canvas.height],
        shown: Math.round(canvas.getBoundingClientRect().width),
        rendering: getComputedStyle(canvas).imageRendering,
        overflow: document.documentElement.scrollWidth - document.documentElement.clientWidth,
      };
    });
    assert.deepEqual(fit.backing, [1016, 696]);
    assert.equal(fit.shown, 390);
    assert.equal(fit.rendering, 'pixelated');
    assert.equal(fit.overflow, 0);

    // The window's buttons are too small for a finger: a tap on one opens its column's sheet,
    // whose button acts.
    const before = (await snapshot(page)).state.records;
    await page.tap('#Button31');
    assert.deepEqual((await snapshot(page)).state.records, before, 'a tap on the small button itself does nothing');
    assert.equal(await page.$eval('#ColumnSheet', (d) => d.open && d.querySelector('h2').textContent), 'Einfahrsignal');
    await page.tap('#ColumnSheet [data-button="Button31"]');
    assert.notDeepEqual((await snapshot(page)).state.records, before, 'a tap on the sheet\'s button clicks it');
    await page.tap('#ColumnSheet .close');
    await page.tap('#Hilfe1');
    await page.tap('#Info1');
    assert.equal(await page.$eval('#AboutWindow', (d) => d.open), true);
    await page.close();
  });
});
