// The page as assistive technology meets it: axe-core finds nothing in any system, by day and by
// night, with a window open; the accessibility tree names buttons and canvas; changes the program
// makes by itself are said once; reduced motion starts with the blinking held.

import assert from 'node:assert/strict';
import { join } from 'node:path';
import { after, before, describe, it } from 'node:test';

import { openBrowser, perform, repoRoot } from './support.mjs';

const axePath = join(repoRoot, 'web', 'node_modules', 'axe-core', 'axe.min.js');

async function violations(page) {
  if (!(await page.evaluate(() => typeof window.axe !== 'undefined')))
    await page.addScriptTag({ path: axePath });
  return page.evaluate(async () => (await window.axe.run(document)).violations.map((v) => ({
    id: v.id, nodes: v.nodes.map((n) => n.target.join(' ')),
  })));
}

function findAll(node, predicate, found = []) {
  if (predicate(node))
    found.push(node);
  for (const child of node.children || [])
    findAll(child, predicate, found);
  return found;
}

describe('accessibility of the page', () => {
  let browser;
  before(async () => { browser = await openBrowser(); });
  after(async () => { await browser?.close(); });

  it('has no axe-core violations in any system, by day and night, with a window open', async () => {
    const page = await browser.page();
    for (const system of ['HVSystem1', 'KsSystem1', 'HlSystem1']) {
      for (const daylight of ['ag1', 'Nacht1']) {
        await perform(page, [system, daylight, 'tick', 'tick']);
        assert.deepEqual(await violations(page), [], `${system} ${daylight}`);
      }
    }
    await perform(page, ['Info1', 'Lizenz1']);
    assert.deepEqual(await violations(page), [], 'with the about and licence windows open');
    // A menu open, with the learners' options in it.
    await page.click('#Einstellungen1');
    assert.deepEqual(await violations(page), [], 'with a menu open');
    await page.close();
  });

  it('names the buttons by signal and caption and describes the canvas column by column', async () => {
    const page = await browser.page();
    await perform(page, ['tick']);
    const tree = await page.accessibility.snapshot({ interestingOnly: true });
    const buttons = findAll(tree, (n) => n.role === 'button').map((n) => n.name);
    assert.ok(buttons.includes('Einfahrsignal: 40 km/h'), buttons.join(' | '));
    assert.ok(buttons.includes('Blocksignal: Fahrt'));
    assert.ok(!buttons.includes('Halt'), 'no button is called by its caption alone');
    assert.equal(await page.$eval('#Button31', (b) => b.textContent), '40 km/h');

    const [canvas] = findAll(tree, (n) => (n.name || '').startsWith('Signale der Strecke'));
    assert.ok(canvas, 'the canvas is a named image');
    assert.equal(canvas.name, 'Signale der Strecke, H/V-System');
    assert.equal(canvas.role, 'image');
    assert.match(canvas.description, /Spalte 2, Einfahrsignal: Hp 0\. Lampen: rot\./);
    assert.match(canvas.description, /Spalte 10, Blocksignal: Hp 0\./);
    assert.ok(findAll(tree, (n) => n.role === 'main').length === 1, 'one main landmark');
    assert.ok(findAll(tree, (n) => n.role === 'heading' && n.level === 1).length >= 1, 'a level-one heading');

    const full = await page.accessibility.snapshot({ interestingOnly: false });
    const panel = findAll(full, (n) => n.role === 'note' && n.name === 'Einfahrsignal: Hp 0');
    assert.equal(panel.length, 1);
    assert.equal(findAll(full, (n) => (n.name || '').startsWith('Spalte 1,') && n.role === 'StaticText').length, 0,
      'the description is not read a second time as text');
    await page.close();
  });

  it('says what follows by itself once, and nothing for a press of its own or for blinking', async () => {
    const page = await browser.page();
    const said = () => page.$eval('#announcements', (live) => live.textContent);
    // The entry signal at 40 km/h shows at the next tick, the user's own change, which is not
    // said; its distant signal and the shunting signal on its route follow by themselves.
    await perform(page, ['tick', 'Button31']);
    assert.equal(await said(), '');
    await perform(page, ['tick']);
    assert.equal(await said(), 'Spalte 1, Vorsignal des Einfahrsignals: Vr 2. Spalte 3, Sperrsignal: Sh 1');
    await page.$eval('#announcements', (live) => { live.textContent = ''; });
    await perform(page, ['tick', 'tick']);
    assert.equal(await said(), '', 'said once');

    // Ks: the entry signal's green blinks from tick to tick; nothing is said.
    await perform(page, ['KsSystem1', 'tick', 'Button30', 'Button12', 'Button32', 'tick', 'tick', 'tick']);
    await page.$eval('#announcements', (live) => { live.textContent = ''; });
    await perform(page, ['tick', 'tick', 'tick']);
    assert.equal(await said(), '');
    // One region for the line; the self-test's window speaks its own questions and answers.
    assert.equal(await page.$$eval('[aria-live]:not(#QuizWindow *)', (regions) => regions.length), 1);
    await page.close();
  });

  it('starts with the blinking held under reduced motion, above the canvas only', async () => {
    const page = await browser.browser.newPage();
    await page.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: 'reduce' }]);
    await page.goto(`${browser.url}?manual`, { waitUntil: 'load' });
    await page.evaluate(() => window.lumaro.ready);
    const marks = () => page.evaluate(() => ['BlinkenAnhalten1', 'Lampenfarben1']
      .map((id) => document.getElementById(id).getAttribute('aria-checked')));
    assert.deepEqual(await marks(), ['true', 'false']);

    // The Ks entry signal's blinking green, looked at in its dark phase.
    await perform(page, ['KsSystem1', 'tick', 'Button12', 'Button32', 'tick', 'tick', 'tick', 'tick']);
    const look = () => page.evaluate(() => {
      const canvas = document.getElementById('canvas').getContext('2d');
      const overlay = document.getElementById('overlay').getContext('2d');
      // The green lamp of the Ks entry signal (code 55 at 134, 414): box (125, 169)..(132, 176).
      const at = (g) => [...g.getImageData(128, 172, 1, 1).data];
      return { canvas: at(canvas), overlay: at(overlay) };
    });
    let seen = await look();
    if (seen.canvas[1] !== 0) {
      await perform(page, ['tick']);
      seen = await look();
    }
    assert.deepEqual(seen.canvas.slice(0, 3), [0, 0, 0], 'the program\'s own picture keeps the dark phase');
    assert.deepEqual(seen.overlay, [144, 238, 144, 255], 'the held lamp burns above it');

    // Unchecked, the overlay is empty again.
    await page.click('#Einstellungen1');
    await page.click('#BlinkenAnhalten1');
    assert.deepEqual(await marks(), ['false', 'false']);
    assert.deepEqual((await look()).overlay, [0, 0, 0, 0]);
    await page.close();
  });
});
