// The page's exit notice and information windows against the desktop program's: the same texts,
// links and pictures at the same places, as lumaro-desktop-windows reads them from the desktop
// windows themselves.

import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { desktopWindows, openBrowser, perform } from './support.mjs';

// The menu item or action that shows each window.
const kShow = { Notice: 'Beenden1', About: 'Info1', Licence: 'Lizenz1', Manual: 'Lzenz1' };

// Controls that the desktop sizes to their text: the page's font is not the desktop's, so only
// where they start is compared. The countdown's seconds and "Sekunden" follow the text before
// them on the same line.
const kSizedToText = new Set(['Notice/Label4', 'Notice/Label7', 'Manual/Label1', 'Manual/Label2', 'Manual/Label3']);
const kCountdownLine = ['Label4', 'Label5', 'Label6'];

// What the page shows of its windows, in the shape of lumaro-desktop-windows' report.
function pageWindows(page) {
  return page.evaluate((names) => {
    const windows = {};
    for (const name of names) {
      const dialog = document.getElementById(`${name}Window`);
      const body = dialog.querySelector('.body');
      const origin = body.getBoundingClientRect();
      windows[name] = {
        open: dialog.open,
        title: dialog.querySelector('h2')?.textContent ?? dialog.getAttribute('aria-label'),
        size: [body.clientWidth, body.clientHeight],
        controls: [...body.querySelectorAll('.control')].map((control) => {
          const box = control.getBoundingClientRect();
          const picture = control.querySelector('img');
          const shown = picture?.getBoundingClientRect();
          return {
            name: control.dataset.name,
            tag: control.tagName.toLowerCase(),
            text: picture ? '' : control.textContent,
            href: control.getAttribute('href') ?? '',
            resolved: control.href ?? '',
            target: control.getAttribute('target'),
            rel: control.getAttribute('rel'),
            picture: picture && {
              file: picture.getAttribute('src'),
              loaded: picture.complete,
              natural: [picture.naturalWidth, picture.naturalHeight],
              shown: [shown.width, shown.height],
              at: [shown.left - box.left, shown.top - box.top],
            },
            box: [box.left - origin.left, box.top - origin.top, box.width, box.height],
          };
        }),
      };
    }
    return windows;
  }, Object.keys(kShow));
}

describe('the notice and information windows', () => {
  let browser;
  let desktop;
  let shown;
  let page;
  before(async () => {
    desktop = await desktopWindows();
    browser = await openBrowser();
    page = await browser.page();
    await page.waitForFunction(() => [...document.querySelectorAll('.subwindow img')]
      .every((picture) => picture.complete && picture.naturalWidth > 0), { timeout: 10000 });
    await perform(page, Object.values(kShow));
    shown = await pageWindows(page);
  });
  after(async () => {
    await page?.close();
    await browser?.close();
  });

  it('are all open, with the desktop windows\' titles, sizes and controls in their order', () => {
    for (const [name, window] of Object.entries(desktop)) {
      const onPage = shown[name];
      assert.equal(onPage.open, true, name);
      assert.equal(onPage.title, window.title, name);
      assert.deepEqual(onPage.size, window.size, name);
      assert.deepEqual(onPage.controls.map((c) => c.name), window.controls.map((c) => c.name), name);
    }
  });

  it('say word for word what the desktop windows say', () => {
    let compared = 0;
    for (const [name, window] of Object.entries(desktop)) {
      for (const control of window.controls) {
        const onPage = shown[name].controls.find((c) => c.name === control.name);
        assert.equal(onPage.text, control.text, `${name}/${control.name}`);
        compared += control.text.length;
      }
    }
    // The licence terms and the manual are long; an empty report would compare nothing.
    assert.ok(compared > 5000, `compared ${compared} characters`);
    const version = desktop.About.controls.find((c) => c.name === 'Panel2').text;
    assert.match(version, /^Version \d+\.\d+/);
    assert.match(shown.Notice.controls.map((c) => c.text).join(''), /Programm schliesst in 10Sekunden/);
  });

  it('link where the desktop windows link: web pages beside the program, mail to the mail program', () => {
    const links = [];
    for (const [name, window] of Object.entries(desktop)) {
      for (const control of window.controls) {
        const onPage = shown[name].controls.find((c) => c.name === control.name);
        const where = `${name}/${control.name}`;
        if (!control.url) {
          assert.notEqual(onPage.tag, 'a', `${where} is no link`);
          continue;
        }
        assert.equal(onPage.tag, 'a', where);
        assert.equal(onPage.href, control.url, where);
        assert.equal(onPage.resolved, control.url, `${where} as the browser reads it`);
        if (control.url.startsWith('mailto:')) {
          assert.equal(onPage.target, null, `${where} opens no empty tab`);
        } else {
          assert.equal(onPage.target, '_blank', where);
          assert.match(onPage.rel, /\bnoopener\b/, where);
        }
        links.push(`${where} ${control.url}`);
      }
    }
    // Notice: web site (text and logo) and mail; about: web site and mail; manual: signal book,
    // mail and web site.
    assert.equal(links.length, 8, links.join('\n'));
    assert.ok(links.includes(
      'Notice/Label3 mailto:support@tornvik.example.org?subject=Lumaro%20-%20Supportanfrage'), links.join('\n'));
    assert.ok(links.some((l) => l.startsWith('Manual/Label1 https://') && l.endsWith('/file/3179912/data/rw_301_bekanntgabe_5.pdf')));
  });

  it('show the photograph and the logo as the desktop does, at its size and top left', () => {
    let pictures = 0;
    for (const [name, window] of Object.entries(desktop)) {
      for (const control of window.controls.filter((c) => c.picture)) {
        const { picture } = shown[name].controls.find((c) => c.name === control.name);
        const where = `${name}/${control.name}`;
        assert.ok(picture, where);
        assert.equal(picture.loaded, true, where);
        assert.deepEqual(picture.shown, control.picture, `${where} drawn at the desktop's size`);
        assert.deepEqual(picture.at, [0, 0], `${where} anchored top left`);
        ++pictures;
      }
    }
    assert.equal(pictures, 3);
    const photo = shown.Notice.controls.find((c) => c.name === 'Image1').picture;
    assert.equal(photo.file, 'assets/photo.jpg');
    assert.deepEqual(photo.natural, [3648, 2736]);
    // Fitted into the 601 x 449 box: the height limits it, the width is rounded down.
    assert.deepEqual(photo.shown, [598, 449]);
  });

  it('place every control where the desktop window has it', () => {
    for (const [name, window] of Object.entries(desktop)) {
      for (const control of window.controls) {
        const { box } = shown[name].controls.find((c) => c.name === control.name);
        const where = `${name}/${control.name}`;
        if (name === 'Notice' && kCountdownLine.slice(1).includes(control.name))
          continue;
        if (kSizedToText.has(where))
          assert.deepEqual(box.slice(0, 2), control.box.slice(0, 2), where);
        else
          assert.deepEqual(box, control.box, where);
      }
    }
    // The countdown reads as one line from where the desktop's starts.
    const line = kCountdownLine.map((n) => shown.Notice.controls.find((c) => c.name === n).box);
    for (let i = 1; i < line.length; ++i) {
      assert.equal(line[i][1], line[0][1]);
      assert.ok(line[i][0] >= line[i - 1][0] + line[i - 1][2], `${kCountdownLine[i]} after ${kCountdownLine[i - 1]}`);
    }
  });

  it('open a web link in a new tab while the program goes on', async () => {
    const about = await browser.page();
    await perform(about, ['Info1']);
    const before = about.url();
    // The machine has no network: the tab shows an error page, but it opens.
    const opened = browser.browser.waitForTarget((target) => target.opener() && target.type() === 'page',
      { timeout: 5000 });
    await about.click('#AboutWindow [data-name="Panel5"]');
    const tab = await opened;
    assert.equal(about.url(), before);
    await perform(about, ['tick']);
    assert.equal((await about.evaluate(() => window.lumaro.state())).flags.FirstTick, false, 'the timer\'s tick ran');
    await (await tab.page())?.close();
    assert.deepEqual(about.errors, []);
    await about.close();
  });
});
