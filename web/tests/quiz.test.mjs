// The self-test in the page: the same items as lumaro-render for a seed, an exam answered right
// and wrong in headless chromium, keys, and progress that survives a reload or a damaged entry.

import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { after, before, describe, it } from 'node:test';
import { promisify } from 'node:util';

import { openBrowser, renderPath } from './support.mjs';

const run = promisify(execFile);

async function cliItems(seed, items) {
  const { stdout } = await run(renderPath, ['--quiz', '-', '--seed', String(seed), '--items', String(items)],
    { maxBuffer: 1 << 26 });
  return stdout.split('\n').filter((line) => line).map((line) => JSON.parse(line));
}

// Answers the question the window shows, right or wrong, as a learner does: keys 1 to 4, or the
// real buttons and ticks and Enter for a setting question.
async function answer(page, right) {
  const item = await page.evaluate(() => window.lumaro.quizWindow().item);
  if (item.kind === 'set') {
    if (right) {
      await page.evaluate((solution) => {
        for (const action of solution) {
          if (action === 'tick')
            window.lumaro.tick();
          else
            document.getElementById(action).click();
        }
      }, item.solution);
    }
    const still = await page.evaluate((prompt) => window.lumaro.quizWindow().item?.prompt === prompt, item.prompt);
    if (still)
      await page.keyboard.press('Enter');
    return item;
  }
  const index = right ? item.answer : (item.answer + 1) % item.choices.length;
  await page.keyboard.press(String(index + 1));
  return item;
}

describe('the self-test in the page', () => {
  let browser;
  before(async () => { browser = await openBrowser(); });
  after(async () => { await browser?.close(); });

  it('gives the same items as lumaro-render for a seed', async () => {
    const page = await browser.page();
    for (const [seed, items] of [[0, 12], [20261208, 40], ['18446744073709551615', 5]]) {
      const shown = await page.evaluate((s, n) => window.lumaro.quiz(s, n), seed, items);
      assert.deepEqual(shown, await cliItems(seed, items), `seed ${seed}`);
    }
    const refused = await page.evaluate(() => [[-1, 3], [1, 1001], ['x', 2], [1, 2.5]].map(([s, n]) => {
      try {
        window.lumaro.quiz(s, n);
        return false;
      } catch {
        return true;
      }
    }));
    assert.deepEqual(refused, [true, true, true, true]);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  it('runs an exam of 20 from the menu and gives the result with the missed questions', async () => {
    const page = await browser.page();
    await page.evaluate(() => document.getElementById('Pruefung1').click());
    assert.equal(await page.evaluate(() => document.getElementById('QuizWindow').open), true);

    for (const [wrong, score, verdict] of [[4, '16 von 20 richtig (80 %)', 'Bestanden'],
      [5, '15 von 20 richtig (75 %)', 'Nicht bestanden']]) {
      await page.evaluate(() => window.lumaro.startExam('77'));
      const expected = await cliItems(77, 20);
      const missed = [];
      for (let i = 0; i < 20; ++i) {
        const shown = await page.evaluate(() => window.lumaro.quizWindow());
        assert.deepEqual(shown.item, expected[i], `question ${i + 1}`);
        assert.equal(shown.coverVisible, shown.item.kind === 'name');
        if (shown.item.kind === 'name') {
          // The canvas stays the program's own picture under the cover.
          const same = await page.evaluate((panel) => {
            const cover = document.querySelector('.quiz-cover').getBoundingClientRect();
            const element = document.getElementById(panel).getBoundingClientRect();
            return cover.left === element.left && cover.top === element.top && cover.width === element.width;
          }, shown.item.panel);
          assert.equal(same, true);
        }
        const item = await answer(page, i >= wrong);
        if (i < wrong)
          missed.push(item.why);
      }
      const result = await page.evaluate(() => window.lumaro.quizWindow());
      assert.equal(result.finished, true);
      assert.match(result.prompt, new RegExp(score.replace(/[()]/g, '\\$&')));
      assert.match(result.prompt, new RegExp(`^[^–]*${verdict === 'Bestanden' ? '\\. Bestanden' : 'Nicht bestanden'}`));
      for (const why of missed)
        assert.ok(result.feedback.includes(why), why);
    }
    await page.keyboard.press('Enter');
    assert.equal(await page.evaluate(() => document.getElementById('QuizWindow').open), false);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  it('keeps the progress over a reload, and sets a damaged entry aside with a message', async () => {
    const page = await browser.page();
    await page.evaluate(() => localStorage.clear());
    await page.evaluate(() => window.lumaro.startPractice('5'));
    for (let i = 0; i < 3; ++i) {
      await answer(page, i !== 1);
      const item = await page.evaluate(() => window.lumaro.quizWindow().item);
      if (item && (await page.evaluate(() => window.lumaro.quizWindow().feedback)).startsWith('Stelle'))
        continue;
      await page.keyboard.press('Enter');
    }
    await page.reload({ waitUntil: 'load' });
    await page.evaluate(() => window.lumaro.ready);
    await page.evaluate(() => document.getElementById('Fortschritt1').click());
    const shown = await page.evaluate(() => window.lumaro.quizWindow());
    assert.match(shown.heading, /Antworten insgesamt: 3$/);

    // Cut off mid-write by hand, then garbage: each set aside, the self-test starts afresh.
    for (const damaged of ['lumaro-progress 1\nanswered 3\nname\tHV\tHp', '\u0000garbage\u00ff']) {
      await page.evaluate((text) => { localStorage.clear(); localStorage.setItem('lumaro-fortschritt', text); }, damaged);
      await page.reload({ waitUntil: 'load' });
      await page.evaluate(() => window.lumaro.ready);
      await page.evaluate(() => window.lumaro.startPractice('6'));
      const after = await page.evaluate(() => ({
        message: document.querySelector('#QuizWindow .quiz-message').textContent,
        aside: Object.keys(localStorage).filter((key) => key.startsWith('lumaro-fortschritt.defekt-'))
          .map((key) => localStorage.getItem(key)),
        item: window.lumaro.quizWindow().item,
      }));
      assert.match(after.message, /nicht lesbar/);
      assert.deepEqual(after.aside, [damaged]);
      assert.ok(after.item, 'the self-test goes on');
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});
