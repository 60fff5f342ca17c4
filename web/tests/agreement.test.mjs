// The page and lumaro-render agree in state, trace and canvas pixels after the same random
// sequences of clicks, menu commands and ticks, in all three systems by day and by night.

import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { firstPixelDifference, generator, openBrowser, pageResult, perform, renderResult } from './support.mjs';

// Every aspect button; clicks on the buttons of other systems (hidden) are part of the mix.
const kButtons = [1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
  26, 27, 28, 29, 30, 31, 32, 34, 35, 36, 37].map((n) => `Button${n}`);
const kMenuItems = ['HVSystem1', 'KsSystem1', 'HlSystem1', 'ag1', 'Nacht1', 'Gleisplan1', 'Signalbegriff1',
  'Lzenz1', 'Lizenz1', 'Info1'];
const kStarts = [];
for (const system of ['HVSystem1', 'KsSystem1', 'HlSystem1'])
  for (const daylight of ['ag1', 'Nacht1'])
    kStarts.push([system, daylight]);

const kSeed = Number(process.env.LUMARO_WEB_SEED || 20240917);
const kRounds = 2;           // sequences per system and daylight
const kLength = 36;          // actions per sequence

function randomSequence(random, start) {
  const pick = (list) => list[Math.floor(random() * list.length)];
  const actions = [...start];
  while (actions.length < kLength) {
    const r = random();
    if (r < 0.5)
      actions.push(pick(kButtons));
    else if (r < 0.8)
      actions.push('tick');
    else if (r < 0.93)
      actions.push(pick(kMenuItems));
    else if (r < 0.98)
      actions.push('FormClick');
    else
      actions.push('Beenden1');   // the countdown runs out within the ticks that follow, or not
  }
  return actions;
}

async function assertAgreement(page, actions) {
  const [got, want] = await Promise.all([pageResult(page), renderResult(actions)]);
  const context = `after ${actions.join(' ')}`;
  assert.deepEqual(got.state, want.state, `state ${context}`);
  assert.equal(got.trace, want.trace, `trace ${context}`);
  assert.deepEqual(want.size, [1016, 696]);
  assert.equal(firstPixelDifference(got.rgb, want.rgb), null, `pixels ${context}`);
}

describe('page and lumaro-render agree', () => {
  let browser;
  before(async () => { browser = await openBrowser(); });
  after(async () => { await browser?.close(); });

  it('right after loading', async () => {
    const page = await browser.page();
    await assertAgreement(page, []);
    await page.close();
  });

  const random = generator(kSeed);
  for (let round = 0; round < kRounds; ++round) {
    for (const start of kStarts) {
      const actions = randomSequence(random, start);
      it(`${start.join(' ')}, sequence ${round + 1} (seed ${kSeed})`, async () => {
        const page = await browser.page();
        const middle = actions.length / 2;
        await perform(page, actions.slice(0, middle));
        await assertAgreement(page, actions.slice(0, middle));
        await perform(page, actions.slice(middle));
        await assertAgreement(page, actions);
        await page.close();
      });
    }
  }

  it('through a whole countdown to the end, and nothing after it', async () => {
    const page = await browser.page();
    const actions = ['KsSystem1', 'tick', 'Button30', 'Beenden1', ...Array(12).fill('tick'), 'Nacht1', 'Button31'];
    await perform(page, actions);
    await assertAgreement(page, actions);
    assert.equal((await page.evaluate(() => window.lumaro.state())).flags.Ended, true);
    await page.close();
  });
});
