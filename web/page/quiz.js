// The self-test in the page, as the desktop has it: "Üben", "Prüfung" and "Fortschritt". The
// session (questions, answers, result, every word) is the core's; this window shows its view,
// passes the learner's moves in, and keeps the progress in localStorage: a damaged entry is set
// aside under another key with a message, and a reset keeps the previous progress as a backup.

export const kStorageKey = 'lumaro-fortschritt';
export const kBackupKey = 'lumaro-fortschritt.vorher';

const kColumnWidth = 100;
const kGap = 8;
const kMaxWidth = 400;
const kSheetWidth = 360;
// Box 1 (missed last time) red to box 5 green.
const kBoxColours = ['#d32f2f', '#f57c00', '#9ccc65', '#43a047', '#1b5e20'];
const kSigns = { right: '✓', 'chosen-right': '✓', 'chosen-wrong': '✗' };
const svgNS = 'http://www.w3.org/2000/svg';

// A fresh 64-bit seed as decimal digits, the form the core takes.
function freshSeed() {
  const words = crypto.getRandomValues(new Uint32Array(2));
  return ((BigInt(words[0]) << 32n) | BigInt(words[1])).toString();
}

function element(tag, className, text) {
  const node = document.createElement(tag);
  if (className)
    node.className = className;
  if (text !== undefined)
    node.textContent = text;
  return node;
}

function svg(tag, attributes, text) {
  const node = document.createElementNS(svgNS, tag);
  for (const [key, value] of Object.entries(attributes))
    node.setAttribute(key, String(value));
  if (text !== undefined)
    node.textContent = text;
  return node;
}

export class QuizDialog {
  constructor(page) {
    this.page = page;
    this.core = page.core;
    this.dialog = document.querySelector('#QuizWindow');
    const $ = (selector) => this.dialog.querySelector(selector);
    this.title = $('h2');
    this.body = $('.quiz-body');
    this.message = $('.quiz-message');
    this.heading = $('.quiz-heading');
    this.prompt = $('.quiz-prompt');
    this.choices = $('.quiz-choices');
    this.feedback = $('.quiz-feedback');
    this.table = $('.quiz-progress');
    this.resetButton = $('.quiz-reset');
    this.resetButton.id = 'ProgressReset';
    this.proceedButton = $('.quiz-proceed');
    this.createElements();
    this.loaded = false;
    this.saveFailureTold = false;
    this.view = null;         // the session's view while the questions show
    this.showing = null;      // 'quiz' or 'progress' while the window is open
    this.connect($);
  }

  createElements() {
    this.hint = element('p', 'quiz-hint');
    this.prompt.after(this.hint);
    this.systems = element('fieldset', 'quiz-systems');
    this.systems.hidden = true;
    this.heading.after(this.systems);
    this.result = element('div', 'quiz-result');
    this.result.id = 'QuizResult';
    this.feedback.after(this.result);
    this.picture = element('div', 'quiz-picture');
    this.table.before(this.picture);
    this.restoreNote = element('p', 'quiz-restore-note');
    this.table.after(this.restoreNote);
    this.restoreButton = element('button', 'quiz-restore');
    this.restoreButton.type = 'button';
    this.restoreButton.id = 'ProgressRestore';
    this.resetButton.after(this.restoreButton);
    this.confirm = element('div', 'quiz-confirm');
    this.confirm.setAttribute('role', 'alertdialog');
    this.confirm.setAttribute('aria-modal', 'true');
    this.confirm.id = 'ProgressResetQuestion';
    this.confirm.setAttribute('aria-describedby', 'ProgressResetQuestion-text');
    this.confirmText = element('p');
    this.confirmText.id = 'ProgressResetQuestion-text';
    this.confirmYes = element('button');
    this.confirmYes.type = 'button';
    this.confirmYes.dataset.confirm = 'yes';
    this.confirmNo = element('button');
    this.confirmNo.type = 'button';
    this.confirmNo.dataset.confirm = 'no';
    this.confirm.append(this.confirmText, this.confirmNo, this.confirmYes);
    this.confirm.hidden = true;
    this.body.append(this.confirm);

    // Over the canvas, never in it: the cover of a naming question's panel, and the asked
    // signal's column outlined with its name.
    const client = this.page.view.client;
    this.cover = element('div', 'quiz-cover', '?');
    this.cover.hidden = true;
    this.mark = element('div', 'quiz-mark');
    this.mark.setAttribute('aria-hidden', 'true');
    this.markName = element('span', 'quiz-mark-name');
    this.mark.append(this.markName);
    this.mark.hidden = true;
    client.append(this.cover, this.mark);
  }

  connect($) {
    document.querySelector('#Ueben1').addEventListener('click', () => this.start('practice', freshSeed()));
    document.querySelector('#Pruefung1').addEventListener('click', () => this.start('exam', freshSeed()));
    document.querySelector('#Fortschritt1').addEventListener('click', () => this.showProgress());
    $('.close').addEventListener('click', () => this.close());
    this.proceedButton.addEventListener('click', () => this.proceed());
    this.resetButton.addEventListener('click', () => this.askReset());
    this.confirmNo.addEventListener('click', () => this.answerReset(false));
    this.confirmYes.addEventListener('click', () => this.answerReset(true));
    this.restoreButton.addEventListener('click', () => {
      if (this.core.progressRestore())
        this.save();
      this.showProgress();
    });
    this.systems.addEventListener('change', (event) => {
      const boxes = [...this.systems.querySelectorAll('input')];
      // One system at least: the last one cannot be taken away.
      if (!boxes.some((box) => box.checked))
        event.target.checked = true;
      this.core.quizSystems(this.chosenSystems());
    });
    // Keys 1 to 4 and Enter answer while the questions show, wherever the focus is outside
    // the menus; Escape closes the reset's question as "no".
    document.addEventListener('keydown', (event) => {
      if (!this.dialog.open || event.target.closest?.('.menu-items'))
        return;
      if (!this.confirm.hidden) {
        if (event.key === 'Escape') {
          this.answerReset(false);
          event.preventDefault();
        }
        return;
      }
      if (event.key >= '1' && event.key <= '4')
        this.choose(Number(event.key) - 1);
      else if (event.key === 'Enter' && event.target.tagName !== 'BUTTON')
        this.proceed();
      else
        return;
      event.preventDefault();
    });
    window.addEventListener('resize', () => this.place());
    this.connectDrag($('header'));
  }

  // The window moves by its title bar, on screens with room for it.
  connectDrag(header) {
    header.addEventListener('pointerdown', (event) => {
      if (event.target.closest('button') || document.documentElement.classList.contains('touch-layout'))
        return;
      const start = { x: event.clientX, y: event.clientY, left: this.dialog.offsetLeft, top: this.dialog.offsetTop };
      header.setPointerCapture(event.pointerId);
      const move = (e) => {
        this.dialog.style.left = `${start.left + (e.clientX - start.x) / this.zoom()}px`;
        this.dialog.style.top = `${Math.max(0, start.top + (e.clientY - start.y) / this.zoom())}px`;
        this.moved = true;
      };
      const up = () => {
        header.removeEventListener('pointermove', move);
        header.removeEventListener('pointerup', up);
      };
      header.addEventListener('pointermove', move);
      header.addEventListener('pointerup', up);
    });
  }

  // The practice's systems as the core offers them, built once.
  showSystems(view) {
    if (this.systems.childElementCount)
      return;
    this.systems.append(element('legend', '', view.systemsLabel));
    for (const choice of view.systemChoices) {
      const box = element('label');
      const input = element('input');
      input.type = 'checkbox';
      input.checked = choice.chosen;
      input.value = choice.system;
      box.append(input, ` ${choice.label}`);
      this.systems.append(box);
    }
  }

  chosenSystems() {
    return [...this.systems.querySelectorAll('input')].filter((box) => box.checked).map((box) => box.value).join(',');
  }

  say(text) {
    this.message.textContent = text;
    this.message.hidden = !text;
  }

  // Reads the saved progress and its backup once. A damaged or unreadable entry is kept under
  // another key and the self-test starts afresh.
  load() {
    if (this.loaded)
      return;
    this.loaded = true;
    const messages = [];
    for (const [key, load, backup, what] of [[kStorageKey, (t) => this.core.progressLoad(t), 0, 'Der gespeicherte Fortschritt'],
      [kBackupKey, (t) => this.core.progressLoadBackup(t), 1, 'Die Sicherung des Fortschritts']]) {
      let text = null;
      try {
        text = localStorage.getItem(key);
      } catch (error) {
        messages.push(`${what} ist nicht lesbar (${error.message}).`);
      }
      const reason = load(text ?? '');
      if (text === null || !reason)
        continue;
      const aside = `${key}.defekt-${new Date().toISOString()}`;
      let moved = false;
      try {
        localStorage.setItem(aside, text);
        localStorage.removeItem(key);
        moved = true;
      } catch {
        // Left where it is until the next save replaces it; the message says so.
      }
      messages.push(this.core.progressUnreadable(backup, key, reason, moved ? aside : ''));
    }
    if (messages.length)
      this.say(messages.join(' '));
  }

  save() {
    try {
      localStorage.setItem(kStorageKey, this.core.progressText());
      const backup = this.core.progressBackupText();
      if (backup)
        localStorage.setItem(kBackupKey, backup);
      else
        localStorage.removeItem(kBackupKey);
      this.saveFailureTold = false;
    } catch (error) {
      if (!this.saveFailureTold) {
        this.saveFailureTold = true;
        this.say(`Der Fortschritt kann nicht gespeichert werden (${error.message}). Das Üben geht trotzdem weiter.`);
      }
    }
  }

  open(title) {
    this.title.textContent = title;
    if (this.dialog.open)
      return;
    this.dialog.show();
    // The window itself takes the focus, not its first button (×), so that Enter goes on.
    this.dialog.focus({ preventScroll: true });
  }

  start(mode, seed) {
    this.load();
    if (JSON.parse(this.core.quizStart(mode, String(seed), this.chosenSystems())) === null)
      return;
    this.showing = 'quiz';
    this.moved = false;
    this.refresh();
  }

  choose(index) {
    if (this.showing === 'quiz' && this.core.quizChoose(index))
      this.refresh();
  }

  proceed() {
    if (this.showing !== 'quiz' || this.view?.finished) {
      this.close();
      return;
    }
    if (this.core.quizProceed())
      this.refresh();
  }

  // After every tick of the page: a setting question is right once its panel shows the target.
  afterTick() {
    if (this.showing !== 'quiz')
      return;
    this.core.quizAfterTick();
    const view = JSON.parse(this.core.quizView());
    if (view.answered !== this.view?.answered || view.finished !== this.view?.finished)
      this.refresh();
  }

  // The session's answer changed the line or what it conceals: the page shows both, then this
  // window its view.
  refresh() {
    this.view = JSON.parse(this.core.quizView());
    // Every answer is recorded in the core at once; the page keeps it at once too.
    this.save();
    this.page.show();
    this.render(this.view);
  }

  // Called by the page before it mirrors the core's state into the controls: while a question is
  // open, the asked column's hints (and the covered panel's caption) stay unsaid, and held
  // buttons are disabled.
  // A question is open whose answer the line must not tell.
  asking() {
    const view = this.showing === 'quiz' ? this.view : null;
    return Boolean(view?.open && view.concealedPanels.length);
  }

  concealIn(state) {
    const view = this.showing === 'quiz' ? this.view : null;
    if (!view?.open)
      return state;
    for (const panel of view.concealedPanels)
      state.panels[panel].hint = '';
    if (view.coverPanel)
      state.panels[view.panel].caption = '';
    if (view.buttonsHeld)
      for (const button of Object.values(state.buttons))
        button.enabled = false;
    return state;
  }

  render(view) {
    this.open(view.title);
    this.showSystems(view);
    this.systems.hidden = view.mode !== 'practice' || view.finished;
    this.table.hidden = true;
    this.picture.hidden = true;
    this.restoreNote.hidden = true;
    this.resetButton.hidden = true;
    this.restoreButton.hidden = true;
    this.confirm.hidden = true;
    this.heading.textContent = view.heading;
    const asking = Boolean(view.item) && !view.finished;
    for (const [key, value] of [['kind', view.kind], ['panel', view.panel], ['system', view.system]]) {
      if (asking)
        this.dialog.dataset[key] = value;
      else
        delete this.dialog.dataset[key];
    }
    this.dialog.toggleAttribute('data-answered', view.answered);
    this.prompt.textContent = view.finished ? view.result : view.prompt;
    this.hint.textContent = view.hint;
    this.hint.hidden = !view.hint;
    this.choices.replaceChildren(...view.choices.map((choice, i) => this.choiceButton(choice, i, view)));
    this.feedback.textContent = view.finished ? view.missedHeading : view.feedback;
    this.feedback.classList.toggle('quiz-missed-heading', view.finished);
    this.result.replaceChildren(...view.missed.map((missed) => {
      const item = element('div', 'quiz-missed');
      item.append(element('p', 'quiz-missed-title', missed.heading));
      for (const key of ['prompt', 'right', 'given', 'why'])
        item.append(element('p', `quiz-missed-${key}`, missed[key]));
      return item;
    }));
    this.result.hidden = !view.finished;
    this.proceedButton.textContent = view.proceed;
    this.proceedButton.disabled = !view.proceedEnabled;
    this.showMarks(view);
    this.place();
  }

  choiceButton(choice, i, view) {
    const button = element('button');
    button.type = 'button';
    button.dataset.choice = String(i);
    if (choice.mark)
      button.dataset.mark = choice.mark;
    button.disabled = !view.choicesEnabled;
    // The key's number only where there are keys; the touch layout hides it.
    button.append(element('span', 'key', `${i + 1}`));
    if (kSigns[choice.mark])
      button.append(element('span', 'sign', kSigns[choice.mark]));
    button.append(element('span', 'text', choice.text));
    if (choice.note)
      button.append(element('span', 'note', `– ${choice.note}`));
    button.addEventListener('click', () => this.choose(i));
    return button;
  }

  showMarks(view) {
    const panel = view.coverPanel ? document.getElementById(view.panel) : null;
    if (panel)
      for (const key of ['left', 'top', 'width', 'height'])
        this.cover.style[key] = panel.style[key];
    this.cover.hidden = !panel;
    this.cover.title = view.coverHint ?? '';
    const x = view.askedColumn;
    this.mark.hidden = !x;
    if (x) {
      this.mark.style.left = `${x - kColumnWidth / 2}px`;
      this.markName.style.top = '';
      this.markName.textContent = view.askedSignal;
      // The name stays readable however far the touch layout zooms the canvas out.
      const zoom = document.documentElement.classList.contains('touch-layout') ? this.page.touch?.currentZoom() || 1 : 1;
      this.markName.style.fontSize = `${Math.round(12 / Math.min(1, zoom))}px`;
      // It reaches inwards from the column, never beyond the canvas.
      this.markName.dataset.side = x < 508 ? 'left' : 'right';
    }
  }

  zoom() {
    if (document.documentElement.classList.contains('touch-layout'))
      return 1;
    return parseFloat(getComputedStyle(document.documentElement).getPropertyValue('--zoom')) || 1;
  }

  // Beside the line where there is room, else over it on the side away from the asked column;
  // on a phone a sheet at the bottom (upright) or at the side (lying), with the asked column
  // scrolled into view.
  place() {
    if (!this.dialog.open)
      return;
    const style = this.dialog.style;
    const touch = document.documentElement.classList.contains('touch-layout');
    const column = this.mark.hidden ? null : this.mark.getBoundingClientRect();
    if (touch)
      this.placeSheet(style, column);
    else if (!this.moved)
      this.placeWindow(style, column);
    this.dialog.dataset.place = touch ? (innerHeight >= innerWidth ? 'bottom' : 'side') : 'window';
  }

  placeWindow(style, column) {
    const zoom = this.zoom();
    const line = this.page.root.getBoundingClientRect();
    const top = Math.max(kGap, line.top + 30 * zoom);
    let left;
    let width;
    if (innerWidth - line.right - 2 * kGap >= 300) {
      left = line.right + kGap;
      width = Math.min(kMaxWidth * zoom, innerWidth - left - kGap);
    } else if (!column || column.left + column.width / 2 >= innerWidth / 2) {
      width = Math.min(kMaxWidth * zoom, (column ? column.left : innerWidth) - 2 * kGap);
      left = column ? column.left - kGap - width : kGap;
      left = Math.max(kGap, Math.min(left, innerWidth - width - kGap));
    } else {
      left = column.right + kGap;
      width = Math.min(kMaxWidth * zoom, innerWidth - left - kGap);
    }
    Object.assign(style, {
      position: 'fixed', left: `${left / zoom}px`, top: `${top / zoom}px`, right: 'auto', bottom: 'auto',
      width: `${width / zoom}px`, height: 'auto', maxHeight: `${(innerHeight - top - kGap) / zoom}px`,
    });
  }

  placeSheet(style, column) {
    const box = this.page.touch?.box;
    if (innerHeight >= innerWidth) {
      // Upright: the canvas at the top, the sheet below it.
      window.scrollTo(0, 0);
      const below = box ? box.getBoundingClientRect().bottom : innerHeight / 2;
      const top = Math.min(Math.max(below + 4, innerHeight * 0.3), innerHeight * 0.6);
      Object.assign(style, {
        position: 'fixed', left: '0px', right: '0px', top: `${top}px`, bottom: '0px',
        width: 'auto', height: 'auto', maxHeight: 'none',
      });
    } else {
      // Lying: beside the canvas, on the side away from the asked column.
      const onLeft = column && column.left + column.width / 2 > innerWidth / 2;
      const width = Math.min(kSheetWidth, innerWidth / 2);
      Object.assign(style, {
        position: 'fixed', top: '0px', bottom: '0px', height: 'auto', maxHeight: 'none', width: `${width}px`,
        left: onLeft ? '0px' : 'auto', right: onLeft ? 'auto' : '0px',
      });
    }
    this.scrollToColumn(box);
  }

  // Pans the canvas's box so that the asked column and its panels show beside the sheet.
  scrollToColumn(box) {
    if (!box || this.mark.hidden)
      return;
    const sheet = this.dialog.getBoundingClientRect();
    const boxRect = box.getBoundingClientRect();
    const mark = this.mark.getBoundingClientRect();
    const panel = this.view?.panel ? document.getElementById(this.view.panel)?.getBoundingClientRect() : null;
    // Horizontally: clear of a side sheet, else in the box's middle.
    let free = { left: boxRect.left, right: boxRect.right };
    if (sheet.height >= innerHeight - 1)
      free = sheet.left > innerWidth / 2 ? { left: boxRect.left, right: sheet.left } : { left: sheet.right, right: boxRect.right };
    box.scrollLeft += mark.left + mark.width / 2 - (free.left + free.right) / 2;
    // Vertically: the panel at the bottom of what shows, with as much of the signal as fits.
    if (!panel)
      return;
    const visibleBottom = Math.min(boxRect.bottom, innerHeight, sheet.top > boxRect.top ? sheet.top : innerHeight);
    box.scrollTop += panel.bottom + kGap - visibleBottom;
    // A box as tall as the canvas does not pan: the page scrolls instead.
    const now = document.getElementById(this.view.panel).getBoundingClientRect();
    const bottom = sheet.top > now.top ? Math.min(sheet.top, innerHeight) : innerHeight;
    if (now.bottom + kGap > bottom)
      window.scrollBy(0, now.bottom + kGap - bottom);
    // The signal's name at the top of what shows of its column.
    const client = this.page.view.client.getBoundingClientRect();
    const shownTop = Math.max(0, box.getBoundingClientRect().top);
    const zoom = document.documentElement.classList.contains('touch-layout') ? this.page.touch?.currentZoom() || 1 : 1;
    this.markName.style.top = `${Math.max(0, (shownTop - client.top) / zoom) + 4}px`;
    // Reaching inwards from the column where that leaves it clear of the sheet and the screen's
    // edges, else the other way.
    const clear = (r) => r.left >= 0 && r.right <= innerWidth && !(r.left < sheet.right && sheet.left < r.right
      && r.top < sheet.bottom && sheet.top < r.bottom);
    for (const side of [this.markName.dataset.side, this.markName.dataset.side === 'left' ? 'right' : 'left']) {
      this.markName.dataset.side = side;
      if (clear(this.markName.getBoundingClientRect()))
        break;
    }
  }

  askReset() {
    const view = JSON.parse(this.core.progressView());
    this.confirmText.textContent = view.resetQuestion;
    this.confirmYes.textContent = view.confirmYes;
    this.confirmNo.textContent = view.confirmNo;
    this.confirm.hidden = false;
    this.confirmNo.focus();
  }

  answerReset(yes) {
    this.confirm.hidden = true;
    if (yes) {
      this.core.progressReset();
      this.save();
    }
    this.showProgress();
    this.resetButton.focus();
  }

  showProgress() {
    this.load();
    if (this.showing === 'quiz')
      this.endSession();
    this.showing = 'progress';
    this.view = null;
    const view = JSON.parse(this.core.progressView());
    this.open(view.title);
    for (const key of ['kind', 'panel', 'system'])
      delete this.dialog.dataset[key];
    this.systems.hidden = true;
    this.heading.textContent = view.summary;
    this.prompt.textContent = '';
    this.hint.hidden = true;
    this.choices.replaceChildren();
    this.feedback.textContent = '';
    this.result.replaceChildren();
    this.result.hidden = true;
    this.picture.replaceChildren(this.progressPicture(view));
    this.picture.hidden = false;
    this.progressTable(view);
    this.restoreNote.textContent = view.restoreNote;
    this.restoreNote.hidden = !view.canRestore;
    this.resetButton.textContent = view.reset;
    this.resetButton.hidden = false;
    this.restoreButton.textContent = view.restore;
    this.restoreButton.hidden = false;
    this.restoreButton.disabled = !view.canRestore;
    this.proceedButton.textContent = view.close;
    this.proceedButton.disabled = false;
    this.showMarks({ askedColumn: 0, coverPanel: false });
    this.place();
  }

  // The Leitner boxes per system as stacked bars, and the exams as a small bar chart with the
  // pass mark.
  progressPicture(view) {
    const width = 360;
    const row = 22;
    const barLeft = 70;
    const barWidth = 170;
    const chartTop = 30 + view.systems.length * (row + 6) + 50;
    const chartHeight = 70;
    const picture = svg('svg', { viewBox: `0 0 ${width} ${chartTop + chartHeight + 6}`, role: 'img', class: 'quiz-chart' });
    picture.setAttribute('aria-label', `${view.boxesHeading}: ${view.systems.map((s) => `${s.name} ${s.summary}`).join('; ')}`);
    picture.append(svg('text', { x: 0, y: 14 }, view.boxesHeading));
    const most = Math.max(1, ...view.systems.map((s) => s.total));
    view.systems.forEach((system, i) => {
      const y = 24 + i * (row + 6);
      picture.append(svg('text', { x: 0, y: y + 15 }, system.name));
      let x = barLeft;
      system.boxes.forEach((count, box) => {
        if (!count)
          return;
        const w = Math.max(14, (count * barWidth) / most);
        const group = svg('g', { 'data-box': box + 1 });
        group.append(svg('rect', { x, y, width: w, height: row, fill: kBoxColours[box] }),
          svg('text', { x: x + w / 2, y: y + 15, 'text-anchor': 'middle', fill: box >= 2 ? '#fff' : '#000' }, count));
        picture.append(group);
        x += w;
      });
      picture.append(svg('text', { x: x + 6, y: y + 15 }, system.summary));
    });
    let legendX = 0;
    const legendY = 24 + view.systems.length * (row + 6) + 4;
    view.boxNames.forEach((name, box) => {
      picture.append(svg('rect', { x: legendX, y: legendY, width: 10, height: 10, fill: kBoxColours[box] }),
        svg('text', { x: legendX + 13, y: legendY + 9 }, name));
      legendX += 70;
    });
    picture.append(svg('text', { x: 0, y: chartTop - 8 }, view.examsHeading));
    if (!view.exams.length) {
      picture.append(svg('text', { x: 0, y: chartTop + 16 }, view.examsEmpty));
      return picture;
    }
    const yOf = (percent) => chartTop + chartHeight - (percent * chartHeight) / 100;
    picture.append(svg('rect', { x: 24, y: chartTop, width: width - 26, height: chartHeight, fill: 'none', stroke: '#a0a0a0' }),
      svg('line', { x1: 24, x2: width - 2, y1: yOf(view.passPercent), y2: yOf(view.passPercent), stroke: '#1b5e20', 'stroke-dasharray': '4 3' }),
      svg('text', { x: 0, y: yOf(view.passPercent) + 4 }, view.passPercent));
    const step = Math.max(2, Math.min(30, (width - 30) / view.exams.length));
    view.exams.forEach((exam, i) => {
      const bar = svg('rect', {
        x: 26 + i * step, y: yOf(exam.percent), width: Math.max(1, step - 3), height: chartTop + chartHeight - yOf(exam.percent),
        fill: exam.percent >= view.passPercent ? kBoxColours[3] : kBoxColours[0], 'data-exam': i,
      });
      bar.append(svg('title', {}, `${exam.right} von ${exam.asked} (${exam.percent} %)`));
      picture.append(bar);
    });
    return picture;
  }

  progressTable(view) {
    const row = (cells, tag) => {
      const tr = element('tr');
      tr.append(...cells.map((cell) => element(tag, '', cell)));
      return tr;
    };
    this.table.replaceChildren(row(view.columns, 'th'), ...view.rows.map((cells) => row(cells, 'td')));
    this.table.hidden = view.rows.length === 0;
  }

  endSession() {
    this.core.quizClose();
    this.view = null;
    this.showMarks({ askedColumn: 0, coverPanel: false });
    for (const key of ['kind', 'panel', 'system'])
      delete this.dialog.dataset[key];
    this.page.show();
  }

  // Closing gives the learner's own line back.
  close() {
    if (this.showing === 'quiz')
      this.endSession();
    this.showing = null;
    this.confirm.hidden = true;
    if (this.dialog.open)
      this.dialog.close();
  }

  // For scripts: what the window shows.
  snapshot() {
    const view = this.showing === 'quiz' ? this.view : null;
    return {
      open: this.dialog.open,
      heading: this.heading.textContent,
      prompt: this.prompt.textContent,
      feedback: this.feedback.textContent,
      item: view && !view.finished ? view.item : null,
      answered: Boolean(view?.answered),
      finished: Boolean(view?.finished),
      passed: view?.finished && view.mode === 'exam' ? view.passed : null,
      coverVisible: !this.cover.hidden,
      missed: view?.missed ?? [],
    };
  }
}
