// The page: loads the core, builds the main window from it, runs the one-second timer and offers
// the script object window.lumaro. Loaded with "?manual", the timer stays off and a script drives
// time through lumaro.tick().

import { AccessView } from './access.js';
import { Core } from './core.js';
import { MainWindowView } from './view.js';
import { TouchLayout } from './touch.js';
import { WhyLine } from './why_line.js';
import { keepOptions, keptOptions } from './options.js';
import { TapHint } from './tap_hint.js';

// What the first frame does not need comes as modules of their own, asked for now beside the
// core, so that the browser evaluates each in a task of its own instead of all in one before the
// start.
const laterModules = {
  windows: import('./windows.js'),
  fahrt: import('./fahrt.js'),
  quiz: import('./quiz.js'),
};
// A module that fails to load fails the start where it is awaited, not before as well.
for (const loading of Object.values(laterModules))
  loading.catch(() => {});

const kTickMs = 1000;
const kFirstFrameBands = 4;
const manual = new URLSearchParams(location.search).has('manual');

let resolveReady;
let rejectReady;
const lumaro = {
  ready: new Promise((resolve, reject) => {
    resolveReady = resolve;
    rejectReady = reject;
  }),
};
window.lumaro = lumaro;

function showFailure(error) {
  const failure = document.querySelector('#failure');
  failure.textContent = `Lumaro konnte nicht starten: ${error.message || error}`;
  failure.hidden = false;
  document.querySelector('#window').hidden = true;
}

class Page {
  // The main window's controls and what they need at once; the rest follows in build().
  constructor(core, layout) {
    this.core = core;
    this.root = document.querySelector('#window');
    this.endedPage = document.querySelector('#ended');
    this.layout = layout;
    this.whole = false;
    this.view = new MainWindowView(this.root, this.layout, {
      button: (n) => this.act(() => this.press(n)),
      menu: (component) => this.act(() => this.menu(component)),
      formClick: () => this.act(() => core.formClick()),
      option: (name, item) => this.toggleOption(name, item),
    });
    // Blinking is held from the start for those who asked their system for less motion, unless
    // the learner chose otherwise before.
    this.options = keptOptions({
      steadyLamps: matchMedia('(prefers-reduced-motion: reduce)').matches,
      colorLetters: false,
    });
    this.access = new AccessView(this.root, { ...this.options });
    for (const item of this.root.querySelectorAll('[data-option]'))
      item.setAttribute('aria-checked', String(Boolean(this.options[item.dataset.option])));
    this.timer = 0;
    document.querySelector('#restart').addEventListener('click', () => this.restart());
  }

  // The windows, the touch layout, the "Warum" line, the speed line and the self-test, one step
  // each with the browser free in between.
  async build() {
    const core = this.core;
    const { SecondaryWindows } = await laterModules.windows;
    this.windows = new SecondaryWindows(this.root, JSON.parse(core.windowTextsJson()));
    await nextTask();
    this.touch = new TouchLayout(this.root, this.layout, JSON.parse(core.columnsJson()).columns, {
      button: (n) => this.act(() => core.clickButton(n)),
      why: (panel) => core.whyOf(panel),
    });
    this.whyLine = new WhyLine(this.root, this.view, core);
    this.tapHint = new TapHint(this.touch.sheet);
    await nextTask();
    const { FahrtView } = await laterModules.fahrt;
    this.fahrt = new FahrtView(this.root, core, this.touch, this.whyLine);
    await nextTask();
    const { QuizDialog } = await laterModules.quiz;
    this.quiz = new QuizDialog(this);
    this.whole = true;
  }

  // Runs one action of the core, then shows its result: canvas, controls, windows.
  // Until the page is whole, an action only goes to the core: the start shows its result.
  act(action, ticked = false) {
    const result = action();
    if (this.whole)
      this.show(ticked);
    return result;
  }

  press(n) {
    const accepted = this.core.clickButton(n);
    if (accepted)
      this.access.pressed(document.getElementById(`Button${n}`).getAttribute('aria-label') || '');
    return accepted;
  }

  menu(component) {
    const system = JSON.parse(this.core.stateJson()).menu;
    const known = this.core.menuCommand(component);
    if (JSON.stringify(JSON.parse(this.core.stateJson()).menu) !== JSON.stringify(system))
      this.access.systemChanged();
    return known;
  }

  toggleOption(name, item) {
    const on = item.getAttribute('aria-checked') !== 'true';
    item.setAttribute('aria-checked', String(on));
    this.access.setOption(name, on);
    this.options[name] = on;
    keepOptions(this.options);
  }

  show(ticked = false) {
    this.draw();
    const access = JSON.parse(this.core.accessJson());
    this.access.update(access, ticked);
    // An open self-test question keeps the asked column's hints and held buttons to itself.
    const state = this.quiz ? this.quiz.concealIn(JSON.parse(this.core.stateJson())) : JSON.parse(this.core.stateJson());
    this.view.mirror(state);
    this.touch.mirror(state, access);
    const windows = JSON.parse(this.core.windowsJson());
    this.windows.mirror(windows);
    this.whyLine.refresh();
    this.fahrt.setConcealed(Boolean(this.quiz?.asking()));
    this.fahrt.refresh();
    if (windows.Ended)
      this.end();
  }

  draw() {
    const pixels = this.core.pixels(this.view.width, this.view.height);
    this.view.draw(pixels, this.core.pixelsChanged());
  }

  // The first frame: the core's pixels made RGBA in one step, then put on the canvas in bands of
  // rows, the browser free in between: on a slow phone each is one of the start's longer steps.
  // The pixels are asked for again before each band, since an action in between may have moved
  // or changed them; what it changed is put as well.
  async drawFirstFrame(bands) {
    const { width, height } = this.view;
    // The canvas drawn whole for the first time, then made RGBA: two steps, each a pass over the
    // canvas's memory that the browser gives it only now.
    this.core.draw();
    await nextTask();
    this.core.pixels(width, height);   // the first time: all of them
    const rows = Math.ceil(height / bands);
    for (let top = 0; top < height; top += rows) {
      await nextTask();
      const pixels = this.core.pixels(width, height);
      this.view.draw(pixels, this.core.pixelsChanged());
      this.view.draw(pixels, [0, top, width, Math.min(rows, height - top)]);
    }
  }

  tick() {
    this.act(() => this.core.tick(), true);
    this.quiz?.afterTick();
  }

  startTimer() {
    if (!manual && !this.timer)
      this.timer = setInterval(() => this.tick(), kTickMs);
  }

  // The program has ended: its windows are gone, and the page offers to start it again.
  end() {
    clearInterval(this.timer);
    this.timer = 0;
    this.view.closeMenus();
    this.touch.close();
    this.root.hidden = true;
    this.endedPage.hidden = false;
  }

  restart() {
    // The self-test's kept line belongs to the run that ends here.
    this.quiz?.close();
    this.core.start();
    this.windows.reset();
    this.access.reset();
    this.endedPage.hidden = true;
    this.root.hidden = false;
    this.show();
    this.startTimer();
  }

  // Times `count` ticks in milliseconds per tick: the core alone, then with the transfer to the
  // canvas, then as the timer runs it (with the controls mirrored).
  measureTicks(count) {
    const time = (step) => {
      const start = performance.now();
      for (let i = 0; i < count; ++i)
        step();
      return (performance.now() - start) / count;
    };
    const result = {
      core: time(() => this.core.tick()),
      coreAndTransfer: time(() => { this.core.tick(); this.draw(); }),
      full: time(() => this.tick()),
    };
    this.show();
    return result;
  }
}

// Lets the browser handle input and paint between the steps of the start, so that no step holds
// the page for long on a slow phone.
function nextTask() {
  return globalThis.scheduler?.yield ? scheduler.yield() : new Promise((resolve) => setTimeout(resolve, 0));
}

// The page's layout stands from the style sheets before anything here runs; the start goes in
// short steps, so that none holds a slow phone for long: the core is made; the program starts (its
// first paint runs much of the core's code for the first time, which the browser compiles then);
// the window's layout is read, its controls built and set as the core has them; the first frame
// is drawn; the windows, the touch layout and the self-test are built; the rest of what every
// action shows (names for screen readers, windows, the "Warum" line) follows. The marks
// (lumaro:...) name the steps in a performance trace (web/tools/start_profile.mjs).
async function boot() {
  const core = await Core.load();
  performance.mark('lumaro:core-loaded');
  await nextTask();
  core.start();
  performance.mark('lumaro:started');
  await nextTask();
  const layout = JSON.parse(core.layoutJson());
  await nextTask();
  const page = new Page(core, layout);
  performance.mark('lumaro:controls');
  await nextTask();
  page.view.mirror(JSON.parse(core.stateJson()));
  performance.mark('lumaro:mirrored');
  await nextTask();
  await page.drawFirstFrame(kFirstFrameBands);
  lumaro.firstFrameMs = performance.now();
  performance.mark('lumaro:drawn');
  await nextTask();
  await page.build();
  performance.mark('lumaro:built');
  await nextTask();
  page.show();
  performance.mark('lumaro:shown');
  await nextTask();
  page.windows.loadPictures();
  Object.assign(lumaro, {
    tick: () => { page.tick(); },
    state: () => JSON.parse(page.core.stateJson()),
    trace: () => page.core.trace(),
    explain: () => JSON.parse(page.core.explainJson()),
    restart: () => page.restart(),
    measureTicks: (count) => page.measureTicks(count),
    // The items of lumaro-render --quiz - --seed SEED --items ITEMS, as an array.
    quiz: (seed, items) => {
      const seedText = String(seed);
      if (!/^[0-9]+$/.test(seedText) || !Number.isInteger(items) || items < 0 || items > 1000)
        throw new RangeError('lumaro.quiz(seed, items): seed and items are non-negative whole numbers, items at most 1000');
      const list = JSON.parse(page.core.quiz(seedText, items));
      if (list === null)
        throw new RangeError(`lumaro.quiz: no such seed ${seedText}`);
      return list;
    },
    // What lumaro-render --run writes after the same actions with these options.
    run: (trainLength = 30, stopAtPlatform = false) => {
      if (!Number.isInteger(trainLength) || trainLength < 0 || trainLength > 100 || typeof stopAtPlatform !== 'boolean')
        throw new RangeError('lumaro.run(trainLength, stopAtPlatform): a whole number 0..100 and true or false');
      return JSON.parse(page.core.run(trainLength, stopAtPlatform ? 1 : 0, 0));
    },
    // The self-test for scripts: start with a known seed, and read what its window shows.
    startExam: (seed) => page.quiz.start('exam', String(seed)),
    startPractice: (seed) => page.quiz.start('practice', String(seed)),
    quizWindow: () => page.quiz.snapshot(),
  });
  page.root.removeAttribute('aria-busy');
  page.startTimer();
  resolveReady();
}

boot().catch((error) => {
  showFailure(error);
  rejectReady(error);
});
