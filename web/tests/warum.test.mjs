// The explanations on the page: lumaro.explain() agrees with lumaro-render --explain after the
// same actions, and the #Warum line shows the explanation of what the pointer, the keyboard focus
// or the last pressed button points at.

import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { after, before, describe, it } from 'node:test';
import { promisify } from 'node:util';

import { openBrowser, perform, renderPath } from './support.mjs';

const run = promisify(execFile);

const kSequences = [
  ['tick', 'Button31', 'tick', 'Button26', 'tick', 'tick'],
  ['Button20', 'Button3', 'tick', 'Button35', 'tick', 'tick', 'Button6', 'tick'],
  ['KsSystem1', 'Button20', 'Button3', 'tick', 'Button35', 'tick', 'tick', 'tick'],
  ['KsSystem1', 'Button25', 'Button16', 'tick', 'Button7', 'tick', 'tick'],
  ['HlSystem1', 'tick', 'Button14', 'Button16', 'tick', 'tick', 'tick', 'Button26', 'tick'],
];

async function renderExplanation(actions) {
  const { stdout } = await run(renderPath, [...actions, '--explain', '-']);
  return JSON.parse(stdout);
}

const warum = (page) => page.evaluate(() => document.querySelector('#Warum').textContent);
const whyOf = (explanation, panel) => explanation.panels.find((p) => p.panel === `Panel${panel}`)?.why ?? '';

describe('explanations on the page', () => {
  let browser;
  before(async () => { browser = await openBrowser(); });
  after(async () => { await browser?.close(); });

  for (const actions of kSequences) {
    it(`lumaro.explain() equals --explain after ${actions.join(' ')}`, async () => {
      const page = await browser.page();
      await perform(page, actions);
      const [got, want] = await Promise.all([page.evaluate(() => window.lumaro.explain()), renderExplanation(actions)]);
      assert.deepEqual(got, want);
      assert.ok(got.panels.length > 0);
      await page.close();
    });
  }

  it('the #Warum line follows the pointer, the focus and the pressed button', async () => {
    const page = await browser.page();
    await perform(page, ['tick', 'Button31', 'tick', 'Button28', 'tick']);
    const explanation = await page.evaluate(() => window.lumaro.explain());
    // The last pressed button was the shunting signal's.
    assert.equal(await warum(page), whyOf(explanation, 9));
    assert.notEqual(await warum(page), '');

    await page.hover('#Panel12');
    assert.equal(await warum(page), whyOf(explanation, 12));

    // Over the canvas, the column under the pointer: column 150 is the entry signal's.
    const box = await page.evaluate(() => {
      const r = document.querySelector('#canvas').getBoundingClientRect();
      return { left: r.left, top: r.top, scale: r.width / 1016 };
    });
    await page.mouse.move(box.left + 160 * box.scale, box.top + 300 * box.scale);
    assert.equal(await warum(page), whyOf(explanation, 10));

    // The keyboard focus on a button explains its column.
    await page.mouse.move(0, 0);
    await page.focus('#Button26');
    assert.equal(await warum(page), whyOf(explanation, 7));
    await page.close();
  });
});
