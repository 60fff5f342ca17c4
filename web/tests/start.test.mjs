// The start goes in short steps with the browser free in between, so a learner (or a script) can
// act before the page is whole: such an action reaches the core at once, and once the page is
// ready it shows the same as lumaro-render after the same actions, canvas included.

import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { firstPixelDifference, openBrowser, pageResult, renderResult } from './support.mjs';

describe('the start in steps', () => {
  let browser;
  before(async () => { browser = await openBrowser(); });
  after(async () => { await browser?.close(); });

  // Clicks `actions` in the middle of the start: right after the first of them appears in the
  // page (`when` 'controls'), or right after the first part of the first frame is put on the canvas
  // ('first band').
  async function clickDuringStart(actions, when) {
    const page = await browser.browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(String(error)));
    await page.evaluateOnNewDocument((list, moment) => {
      window.clickedDuringStart = new Promise((resolve) => {
        const click = () => {
          const early = !window.lumaro?.tick;   // the script object is complete only when ready
          for (const id of list)
            document.getElementById(id).click();
          resolve(early);
        };
        if (moment === 'first band') {
          const put = CanvasRenderingContext2D.prototype.putImageData;
          CanvasRenderingContext2D.prototype.putImageData = function putOnce(...args) {
            CanvasRenderingContext2D.prototype.putImageData = put;
            put.apply(this, args);
            click();
          };
          return;
        }
        const observer = new MutationObserver(() => {
          if (document.getElementById(list[0])) {
            observer.disconnect();
            click();
          }
        });
        observer.observe(document, { childList: true, subtree: true });
      });
    }, actions, when);
    await page.goto(`${browser.url}?manual`, { waitUntil: 'load' });
    const early = await page.evaluate(async () => { await window.lumaro.ready; return window.clickedDuringStart; });
    return { page, early, errors };
  }

  const cases = [
    [['Button1', 'Button3'], 'controls'],
    [['KsSystem1'], 'controls'],
    [['KsSystem1', 'Button2'], 'first band'],
    [['Nacht1'], 'first band'],
  ];
  for (const [actions, when] of cases) {
    it(`${actions.join(', ')} clicked as the ${when} stand: state, trace and pixels as lumaro-render's`, async () => {
      const { page, early, errors } = await clickDuringStart(actions, when);
      assert.equal(early, true, 'the click came before the page was ready');
      assert.deepEqual(errors, []);
      const [shown, expected] = await Promise.all([pageResult(page), renderResult(actions)]);
      assert.deepEqual(shown.state, expected.state);
      assert.equal(shown.trace, expected.trace);
      assert.equal(firstPixelDifference(shown.rgb, expected.rgb), null);
      // The controls show the result too, not only the core.
      const checked = await page.evaluate((menu) => Object.fromEntries(Object.keys(menu)
        .map((id) => [id, JSON.parse(document.getElementById(id).getAttribute('aria-checked'))])), shown.state.menu);
      assert.deepEqual(checked, shown.state.menu);
      await page.close();
    });
  }
});
