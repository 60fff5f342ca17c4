// The self-test in the page: the same items as lumaro-render for a seed; an exam at 1280 x 800
// answered right and wrong, with every missed question reachable in the result, the asked column
// uncovered and explaining nothing while asked, and the line's buttons held; progress that
// survives a reload, a damaged entry and a reset; and the exam on a phone in both orientations.

import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { after, before, describe, it } from 'node:test';
import { join } from 'node:path';
import { promisify } from 'node:util';

import { openBrowser, renderPath, siteDir } from './support.mjs';

const run = promisify(execFile);
const kDesktop = { width: 1280, height: 800 };
const kPhones = {
  portrait: { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 },
  landscape: { width: 844, height: 390, isMobile: true, hasTouch: true, deviceScaleFactor: 1 },
};
// The README's pictures of the phone: LUMARO_WEB_QUIZ_PICTURES=docs writes them there.
const picturesDir = process.env.LUMARO_WEB_QUIZ_PICTURES || siteDir;
const kConcealed = 'Zu diesem Signal gibt es die Erklärung nach der Antwort.';

async function cliItems(seed, items) {
  const { stdout } = await run(renderPath, ['--quiz', '-', '--seed', String(seed), '--items', String(items)],
    { maxBuffer: 1 << 26 });
  return stdout.split('\n').filter((line) => line).map((line) => JSON.parse(line));
}

const rightAnswer = (item) => (item.kind === 'set' ? item.target : item.choices[item.answer]).replace(/^\+ /, '');

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
    if (!(await page.evaluate(() => window.lumaro.quizWindow().answered)))
      await page.keyboard.press('Enter');
    return item;
  }
  const index = right ? item.answer : (item.answer + 1) % item.choices.length;
  await page.keyboard.press(String(index + 1));
  return item;
}

// Where the asked column, its panel and the self-test's window stand on the screen.
function layout(page) {
  return page.evaluate(() => {
    const box = (element) => {
      const r = element.getBoundingClientRect();
      return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height };
    };
    const dialog = document.getElementById('QuizWindow');
    const panel = dialog.dataset.panel ? document.getElementById(dialog.dataset.panel) : null;
    return {
      window: box(dialog),
      mark: box(document.querySelector('.quiz-mark')),
      markName: box(document.querySelector('.quiz-mark-name')),
      panel: panel ? box(panel) : null,
      viewport: { width: innerWidth, height: innerHeight },
      canvasBox: document.querySelector('.canvas-box') ? box(document.querySelector('.canvas-box')) : null,
    };
  });
}

const overlap = (a, b) => a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5;
const inside = (a, b) => a.left >= b.left - 0.5 && a.right <= b.right + 0.5 && a.top >= b.top - 0.5 && a.bottom <= b.bottom + 0.5;

// Every missed question in #QuizResult, one child each, scrolled into view inside the window in
// turn; returns their texts.
function reachableMissed(page) {
  return page.evaluate(() => {
    const dialog = document.getElementById('QuizWindow').getBoundingClientRect();
    const body = document.querySelector('#QuizWindow .quiz-body');
    const shown = body.getBoundingClientRect();
    return [...document.getElementById('QuizResult').children].map((child) => {
      child.scrollIntoView({ block: 'nearest' });
      const r = child.getBoundingClientRect();
      const visible = r.top >= shown.top - 0.5 && Math.min(r.bottom, r.top + 40) <= shown.bottom + 0.5;
      return { text: child.innerText, visible, fits: dialog.bottom <= innerHeight + 0.5 && dialog.top >= -0.5 };
    });
  });
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

  it('runs exams at 1280 x 800 that give nothing away and list every missed question', async () => {
    const page = await browser.page('?manual', kDesktop);
    await page.evaluate(() => document.getElementById('Pruefung1').click());
    assert.equal(await page.evaluate(() => document.getElementById('QuizWindow').open), true);

    for (const [wrong, score, verdict] of [[20, '0 von 20 richtig (0 %)', 'Nicht bestanden'],
      [4, '16 von 20 richtig (80 %)', 'Bestanden'], [5, '15 von 20 richtig (75 %)', 'Nicht bestanden']]) {
      await page.evaluate(() => window.lumaro.startExam('77'));
      const expected = await cliItems(77, 20);
      const missed = [];
      for (let i = 0; i < 20; ++i) {
        const shown = await page.evaluate(() => window.lumaro.quizWindow());
        const item = expected[i];
        assert.deepEqual(shown.item, item, `question ${i + 1}`);
        const attributes = await page.evaluate(() => {
          const dialog = document.getElementById('QuizWindow');
          return { ...dialog.dataset, choices: [...dialog.querySelectorAll('[data-choice]')].map((b) => b.dataset.choice) };
        });
        assert.equal(attributes.kind, item.kind);
        assert.equal(attributes.panel, item.panel);
        assert.equal(attributes.system, item.system);
        assert.deepEqual(attributes.choices, item.choices.map((_, n) => String(n)));

        // The window stands clear of the asked column, and fits the screen.
        const place = await layout(page);
        assert.ok(!overlap(place.window, place.mark), `question ${i + 1} covers its column`);
        assert.ok(place.window.bottom <= kDesktop.height && place.window.right <= kDesktop.width);

        if (wrong === 20 && item.kind !== 'set') {
          // The pointer over the asked column: the Warum line and the hints say nothing of it.
          const x = place.mark.left + place.mark.width / 2;
          await page.mouse.move(x, place.mark.top + 300);
          const said = await page.evaluate((panel) => ({
            warum: document.getElementById('Warum').textContent,
            title: document.getElementById(panel).title,
            description: document.getElementById('canvas-description')?.textContent ?? '',
            asked: document.querySelector('.quiz-mark-name').textContent,
          }), item.panel);
          // (Empty where the column shows no designation yet.)
          assert.ok([kConcealed, ''].includes(said.warum), said.warum);
          assert.equal(said.title, '');
          // The canvas's description says nothing of the asked column either.
          assert.ok(said.description.split('\n').includes(`${said.asked}: ${kConcealed}`), said.description);
          // The line's buttons wait: a real click on one changes nothing.
          const before = await page.evaluate(() => JSON.stringify(window.lumaro.state()));
          const target = await page.evaluate(() => {
            // One that the self-test's window leaves uncovered, so that the click reaches it.
            const centre = (b) => {
              const r = b.getBoundingClientRect();
              return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
            };
            const button = [...document.querySelectorAll('#client button[id^="Button"]')].find((b) => b.checkVisibility()
              && b.contains(document.elementFromPoint(centre(b).x, centre(b).y)));
            return { ...centre(button), disabled: button.disabled };
          });
          assert.equal(target.disabled, true);
          await page.mouse.click(target.x, target.y);
          assert.equal(await page.evaluate(() => JSON.stringify(window.lumaro.state())), before);
          await page.mouse.move(0, 0);
        }
        await answer(page, i >= wrong);
        if (i < wrong)
          missed.push(item);
      }
      const result = await page.evaluate(() => window.lumaro.quizWindow());
      assert.equal(result.finished, true);
      assert.ok(result.prompt.startsWith(score), result.prompt);
      assert.match(result.prompt, new RegExp(`\\(\\d+ %\\)\\. ${verdict}`));
      const listed = await reachableMissed(page);
      assert.equal(listed.length, missed.length);
      listed.forEach((entry, n) => {
        assert.ok(entry.visible && entry.fits, `missed question ${n + 1} out of reach`);
        assert.ok(entry.text.includes(missed[n].why), `${n}: ${missed[n].why}\n---\n${entry.text}`);
        assert.ok(entry.text.includes(`Richtig: ${rightAnswer(missed[n])}`));
      });
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
      await page.keyboard.press('Enter');
    }
    await page.reload({ waitUntil: 'load' });
    await page.evaluate(() => window.lumaro.ready);
    await page.evaluate(() => document.getElementById('Fortschritt1').click());
    const shown = await page.evaluate(() => window.lumaro.quizWindow());
    assert.match(shown.heading, /Antworten insgesamt: 3$/);

    // Cut off mid-write by hand, then garbage: each set aside, the self-test starts afresh.
    for (const damaged of ['lumaro-progress 2\nanswered 3\nname\tHV\tHp', '\u0000garbage\u00ff']) {
      await page.evaluate((text) => { localStorage.clear(); localStorage.setItem('lumaro-fortschritt', text); }, damaged);
      await page.reload({ waitUntil: 'load' });
      await page.evaluate(() => window.lumaro.ready);
      await page.evaluate(() => window.lumaro.startPractice('6'));
      const afterwards = await page.evaluate(() => ({
        message: document.querySelector('#QuizWindow .quiz-message').textContent,
        aside: Object.keys(localStorage).filter((key) => key.startsWith('lumaro-fortschritt.defekt-'))
          .map((key) => localStorage.getItem(key)),
        item: window.lumaro.quizWindow().item,
      }));
      assert.match(afterwards.message, /nicht lesbar/);
      assert.deepEqual(afterwards.aside, [damaged]);
      assert.ok(afterwards.item, 'the self-test goes on');
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  it('asks before a reset: "no" changes nothing, "yes" erases, one step restores', async () => {
    const page = await browser.page();
    await page.evaluate(() => localStorage.clear());
    await page.evaluate(() => window.lumaro.startPractice('12'));
    let marked = 0;
    for (let i = 0; i < 4; ++i) {
      const item = await answer(page, i % 2 === 0);
      if (item.kind !== 'set' && i % 2 === 1) {
        // The chosen and the right choice differ by sign and word, not by colour alone.
        const marks = await page.evaluate(() => Object.fromEntries([...document.querySelectorAll('#QuizWindow [data-mark]')]
          .map((b) => [b.dataset.mark, b.innerText.replace(/\s+/g, ' ').trim()])));
        assert.match(marks['chosen-wrong'], /^\d? ?✗ .* – deine Wahl$/);
        assert.match(marks.right, new RegExp(`✓ ${rightAnswer(item).replace(/[.*+?^${}()|[\]\\]/g, '\\$&')} – richtig$`));
        ++marked;
      }
      await page.keyboard.press('Enter');
    }
    assert.ok(marked > 0);
    await page.evaluate(() => document.getElementById('Fortschritt1').click());
    const saved = await page.evaluate(() => localStorage.getItem('lumaro-fortschritt'));
    const question = () => page.evaluate(() => {
      const dialog = document.querySelector('#QuizWindow [role="alertdialog"]');
      return dialog && !dialog.hidden ? dialog.textContent : null;
    });
    const heading = () => page.evaluate(() => window.lumaro.quizWindow().heading);
    const picture = () => page.evaluate(() => document.querySelectorAll('#QuizWindow .quiz-chart [data-box]').length);
    assert.match(await heading(), /Antworten insgesamt: 4$/);
    assert.ok(await picture() > 0, 'the Leitner boxes as a picture');

    await page.click('#ProgressReset');
    assert.match(await question(), /löschen/);
    await page.click('[data-confirm="no"]');
    assert.equal(await question(), null);
    assert.match(await heading(), /Antworten insgesamt: 4$/);
    assert.equal(await page.evaluate(() => localStorage.getItem('lumaro-fortschritt')), saved);

    await page.click('#ProgressReset');
    await page.click('[data-confirm="yes"]');
    assert.match(await heading(), /Antworten insgesamt: 0$/);
    assert.equal(await picture(), 0);
    assert.equal(await page.evaluate(() => localStorage.getItem('lumaro-fortschritt.vorher')), saved);

    // The backup outlives a reload; one step brings it back.
    await page.reload({ waitUntil: 'load' });
    await page.evaluate(() => window.lumaro.ready);
    await page.evaluate(() => document.getElementById('Fortschritt1').click());
    await page.click('#ProgressRestore');
    assert.match(await heading(), /Antworten insgesamt: 4$/);
    assert.equal(await page.evaluate(() => localStorage.getItem('lumaro-fortschritt')), saved);
    assert.equal(await page.evaluate(() => localStorage.getItem('lumaro-fortschritt.vorher')), null);
    assert.equal(await page.evaluate(() => document.getElementById('ProgressRestore').disabled), true);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  for (const [name, viewport] of Object.entries(kPhones)) {
    it(`on a phone ${name}, leaves every asked column in view and does "set" through the column sheet`, async () => {
      const page = await browser.page('?manual', viewport);
      await page.evaluate(() => localStorage.clear());
      await page.evaluate(() => window.lumaro.startExam('2024'));
      const expected = await cliItems(2024, 20);
      let sets = 0;
      let pictured = false;
      for (let i = 0; i < 20; ++i) {
        const item = expected[i];
        const place = await layout(page);
        const screen = { left: 0, top: 0, right: place.viewport.width, bottom: place.viewport.height };
        const seen = { ...screen, top: Math.max(0, place.canvasBox.top), bottom: Math.min(screen.bottom, place.canvasBox.bottom) };
        assert.ok(place.mark.left >= -0.5 && place.mark.right <= screen.right + 0.5, `question ${i + 1}: column off screen`);
        assert.ok(!overlap(place.window, place.mark), `question ${i + 1}: the sheet covers the column`);
        assert.ok(inside(place.panel, seen), `question ${i + 1}: the asked panel is out of view`);
        assert.ok(inside(place.markName, seen) && !overlap(place.markName, place.window), `question ${i + 1}: the signal's name is out of view`);
        assert.ok(inside(place.window, screen), `question ${i + 1}: the sheet leaves the screen`);

        if (name === 'portrait' && item.kind === 'name' && !pictured) {
          pictured = true;
          await page.screenshot({ path: join(picturesDir, 'quiz-phone-question.png') });
        }
        if (item.kind === 'set') {
          ++sets;
          for (const action of item.solution) {
            if (action === 'tick') {
              await page.evaluate(() => window.lumaro.tick());
              continue;
            }
            // A tap on the button's column opens its sheet; the sheet's button does the press.
            const done = await page.evaluate((id) => {
              const button = document.getElementById(id);
              const x = Math.floor((parseInt(button.style.left, 10) + parseInt(button.style.width, 10) / 2) / 100) * 100 + 50;
              const sheet = document.getElementById('ColumnSheet');
              let target = sheet.querySelector(`[data-button="${id}"]`);
              if (!sheet.open || !target) {
                const canvas = document.getElementById('canvas');
                const r = canvas.getBoundingClientRect();
                canvas.dispatchEvent(new MouseEvent('click', { bubbles: true, clientX: r.left + x * r.width / 1016, clientY: r.top + 100 * r.height / 696 }));
                target = sheet.querySelector(`[data-button="${id}"]`);
              }
              if (!sheet.open || !target || target.disabled || target.hidden)
                return false;
              target.click();
              return true;
            }, action);
            assert.ok(done, `question ${i + 1}: ${action} is not in the column sheet`);
          }
          await page.evaluate(() => document.querySelector('#ColumnSheet .close').click());
          await page.tap('#QuizWindow .quiz-proceed');
        } else {
          const choices = await page.evaluate(() => [...document.querySelectorAll('#QuizWindow [data-choice]')].map((b) => {
            const r = b.getBoundingClientRect();
            return { text: b.innerText.trim(), key: b.querySelector('.key').checkVisibility(), height: r.height, width: r.width };
          }));
          for (const choice of choices) {
            assert.ok(!choice.key, `a key number on a touch screen: ${choice.text}`);
            assert.ok(choice.height >= 44 && choice.width >= 44);
          }
          await page.tap(`#QuizWindow [data-choice="${item.answer}"]`);
        }
      }
      const result = await page.evaluate(() => window.lumaro.quizWindow());
      assert.ok(sets > 0, 'the exam had a setting question');
      assert.ok(result.prompt.startsWith('20 von 20 richtig'), result.prompt);
      if (name === 'portrait')
        await page.screenshot({ path: join(picturesDir, 'quiz-phone-result.png') });
      assert.equal(await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth), 0);
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});
