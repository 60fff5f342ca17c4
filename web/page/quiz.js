// The self-test in the page, as the desktop has it under "Datei": "Üben" (answered at once,
// missed questions come back), "Prüfung" (20 questions, then the result) and "Fortschritt".
// Items, situations and the learner's progress all come from the core; the progress is kept in
// localStorage, a damaged entry set aside under another key with a message.

const kExamItems = 20;
const kPassPercent = 80;
export const kStorageKey = 'lumaro-fortschritt';

const kKindTitles = { name: 'Benennen', set: 'Einstellen', predict: 'Vorhersagen', speed: 'Geschwindigkeit' };
const kSystemTitles = { HV: 'H/V-System', Ks: 'Ks-System', Hl: 'Hl-System' };

// A fresh 64-bit seed as decimal digits, the form the core takes.
function freshSeed() {
  const words = crypto.getRandomValues(new Uint32Array(2));
  return ((BigInt(words[0]) << 32n) | BigInt(words[1])).toString();
}

export class QuizDialog {
  constructor(page) {
    this.page = page;
    this.core = page.core;
    this.dialog = document.querySelector('#QuizWindow');
    const $ = (selector) => this.dialog.querySelector(selector);
    this.title = $('h2');
    this.message = $('.quiz-message');
    this.heading = $('.quiz-heading');
    this.prompt = $('.quiz-prompt');
    this.choices = $('.quiz-choices');
    this.feedback = $('.quiz-feedback');
    this.table = $('.quiz-progress');
    this.resetButton = $('.quiz-reset');
    this.proceedButton = $('.quiz-proceed');
    this.cover = document.createElement('div');
    this.cover.className = 'quiz-cover';
    this.cover.textContent = '?';
    this.cover.hidden = true;
    page.view.client.append(this.cover);
    this.loaded = false;
    this.saveFailureTold = false;
    this.kept = false;
    this.item = null;

    document.querySelector('#Ueben1').addEventListener('click', () => this.start('practice', freshSeed()));
    document.querySelector('#Pruefung1').addEventListener('click', () => this.start('exam', freshSeed()));
    document.querySelector('#Fortschritt1').addEventListener('click', () => this.showProgress());
    $('.close').addEventListener('click', () => this.close());
    this.proceedButton.addEventListener('click', () => this.proceed());
    this.resetButton.addEventListener('click', () => {
      this.core.progressReset();
      this.save();
      this.showProgress();
    });
    // Keys 1 to 4 and Enter answer while the window is open, wherever the focus is outside
    // the menus.
    document.addEventListener('keydown', (event) => {
      if (!this.dialog.open || event.target.closest?.('.menu-items'))
        return;
      if (event.key >= '1' && event.key <= '4')
        this.choose(Number(event.key) - 1);
      else if (event.key === 'Enter')
        this.proceed();
      else
        return;
      event.preventDefault();
    });
  }

  say(text) {
    this.message.textContent = text;
    this.message.hidden = !text;
  }

  // Reads the saved progress once. A damaged or unreadable entry is kept under another key and
  // the self-test starts afresh.
  load() {
    if (this.loaded)
      return;
    this.loaded = true;
    let text = null;
    try {
      text = localStorage.getItem(kStorageKey);
    } catch (error) {
      this.say(`Der gespeicherte Fortschritt ist nicht lesbar (${error.message}). Das Üben beginnt neu.`);
    }
    if (text === null) {
      this.core.progressReset();
      return;
    }
    const reason = this.core.progressLoad(text);
    if (!reason)
      return;
    const aside = `${kStorageKey}.defekt-${new Date().toISOString()}`;
    let moved = false;
    try {
      localStorage.setItem(aside, text);
      localStorage.removeItem(kStorageKey);
      moved = true;
    } catch {
      // Left where it is until the next save replaces it; the message says so.
    }
    this.say(`Der gespeicherte Fortschritt war nicht lesbar: ${reason}. `
      + (moved ? `Er liegt jetzt unter „${aside}“. ` : 'Er konnte nicht beiseitegelegt werden. ')
      + 'Das Üben beginnt neu.');
  }

  save() {
    try {
      localStorage.setItem(kStorageKey, this.core.progressText());
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
    if (!this.dialog.open)
      this.dialog.show();
  }

  start(mode, seed) {
    this.load();
    if (!this.kept) {
      this.core.keepLine();
      this.kept = true;
    }
    this.mode = mode;
    this.exam = mode === 'exam' ? JSON.parse(this.core.quiz(String(seed), kExamItems)) : [];
    this.index = 0;
    this.asked = 0;
    this.right = 0;
    this.missed = [];
    this.finished = false;
    this.table.hidden = true;
    this.resetButton.hidden = true;
    this.open(mode === 'exam' ? 'Prüfung' : 'Üben');
    this.next();
  }

  next() {
    if (this.mode === 'exam') {
      if (this.index >= this.exam.length) {
        this.showResult();
        return;
      }
      this.item = this.exam[this.index++];
    } else {
      this.item = JSON.parse(this.core.practiceItem(freshSeed()));
    }
    this.showItem();
  }

  panelCaption(panel) {
    return JSON.parse(this.core.stateJson()).panels[panel].caption;
  }

  showItem() {
    const item = this.item;
    this.answered = false;
    this.reached = false;
    this.core.situation(item.setup.join(' '));
    this.page.show();
    // The designation the answer is about, for the progress: the core's own word for it.
    this.designation = item.kind === 'set' ? item.target
      : item.kind === 'speed' ? this.panelCaption(item.panel) : item.choices[item.answer];
    this.coverPanel(item.kind === 'name' ? item.panel : null);
    const position = this.mode === 'exam' ? `Frage ${this.index} von ${this.exam.length} · ` : '';
    this.heading.textContent = `${position}${kKindTitles[item.kind]} · ${kSystemTitles[item.system]}`;
    this.prompt.textContent = item.prompt;
    this.choices.replaceChildren(...item.choices.map((choice, i) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = `${i + 1}   ${choice}`;
      button.addEventListener('click', () => this.choose(i));
      return button;
    }));
    this.feedback.textContent = item.kind === 'set' ? 'Stelle es mit den Tasten unter den Signalen ein.' : '';
    this.proceedButton.textContent = item.kind === 'set' && this.mode === 'practice' ? 'Aufgeben' : 'Weiter';
    this.proceedButton.disabled = item.kind !== 'set';
  }

  coverPanel(panel) {
    if (!panel) {
      this.cover.hidden = true;
      return;
    }
    const element = document.getElementById(panel);
    for (const key of ['left', 'top', 'width', 'height'])
      this.cover.style[key] = element.style[key];
    this.cover.hidden = false;
  }

  choose(index) {
    const item = this.item;
    if (!item || this.finished || this.answered || item.kind === 'set' || index >= item.choices.length)
      return;
    this.answer(index === item.answer, item.choices[index]);
  }

  proceed() {
    if (this.finished) {
      this.close();
      return;
    }
    if (!this.item)
      return;
    if (!this.answered) {
      if (this.item.kind === 'set')
        this.answer(this.reached || this.panelCaption(this.item.panel) === this.item.target, '');
      return;
    }
    this.next();
  }

  // After every tick of the page: a setting question is right once its panel shows the target.
  afterTick() {
    const item = this.item;
    if (!this.dialog.open || !item || this.answered || item.kind !== 'set')
      return;
    if (this.panelCaption(item.panel) !== item.target)
      return;
    this.reached = true;
    if (this.mode === 'practice')
      this.answer(true, '');
  }

  answer(right, given) {
    const item = this.item;
    this.answered = true;
    this.asked += 1;
    if (right)
      this.right += 1;
    this.core.progressRecord(item.kind, item.system, this.designation, right ? 1 : 0);
    this.save();
    const rightAnswer = item.kind === 'set' ? item.target : item.choices[item.answer];
    if (!right)
      this.missed.push(`${item.prompt}\n  Richtig: ${rightAnswer}${given ? ` (gewählt: ${given})` : ''}\n  ${item.why}`);
    for (const button of this.choices.querySelectorAll('button'))
      button.disabled = true;
    if (this.mode === 'exam') {
      this.next();
      return;
    }
    this.coverPanel(null);
    if (item.kind === 'predict') {
      this.core.runActions(item.then.join(' '));
      this.page.show();
    }
    this.feedback.textContent = `${right ? 'Richtig.' : `Falsch. Richtig ist: ${rightAnswer}.`}\n${item.why}`;
    this.proceedButton.textContent = 'Weiter';
    this.proceedButton.disabled = false;
  }

  passed() {
    return this.right * 100 >= kPassPercent * this.asked;
  }

  showResult() {
    this.finished = true;
    this.item = null;
    this.coverPanel(null);
    const percent = this.asked ? Math.floor((this.right * 100) / this.asked) : 0;
    this.heading.textContent = 'Ergebnis der Prüfung';
    this.prompt.textContent = `${this.right} von ${this.asked} richtig (${percent} %). `
      + `${this.passed() ? 'Bestanden' : 'Nicht bestanden'} – bestanden ist die Prüfung ab ${kPassPercent} %.`;
    this.choices.replaceChildren();
    this.feedback.textContent = this.missed.length
      ? `Falsch beantwortet:\n\n${this.missed.join('\n\n')}` : 'Keine Frage falsch beantwortet.';
    this.proceedButton.textContent = 'Schließen';
    this.proceedButton.disabled = false;
  }

  showProgress() {
    this.load();
    this.item = null;
    this.finished = true;
    this.coverPanel(null);
    this.open('Fortschritt');
    const progress = JSON.parse(this.core.progressJson());
    this.heading.textContent = `Gewusst: ${progress.known} · Zu üben: ${progress.practice} · Antworten insgesamt: ${progress.answered}`;
    this.prompt.textContent = '';
    this.choices.replaceChildren();
    this.feedback.textContent = '';
    const row = (cells, tag) => {
      const tr = document.createElement('tr');
      tr.append(...cells.map((text) => {
        const cell = document.createElement(tag);
        cell.textContent = text;
        return cell;
      }));
      return tr;
    };
    this.table.replaceChildren(
      row(['System', 'Frage', 'Signalbegriff', 'Gefragt', 'Richtig', 'Stand'], 'th'),
      ...progress.entries.map((e) => row([kSystemTitles[e.system], kKindTitles[e.kind], e.designation,
        String(e.asked), String(e.right), e.known ? 'gewusst' : 'üben'], 'td')));
    this.table.hidden = false;
    this.resetButton.hidden = false;
    this.proceedButton.textContent = 'Schließen';
    this.proceedButton.disabled = false;
  }

  // Closing gives the learner's own line back.
  close() {
    this.item = null;
    this.coverPanel(null);
    if (this.kept) {
      this.core.restoreLine();
      this.kept = false;
      this.page.show();
    }
    if (this.dialog.open)
      this.dialog.close();
  }

  // For scripts: what the window shows.
  snapshot() {
    return {
      open: this.dialog.open,
      heading: this.heading.textContent,
      prompt: this.prompt.textContent,
      feedback: this.feedback.textContent,
      item: this.item,
      finished: this.finished,
      passed: this.finished && this.mode === 'exam' ? this.passed() : null,
      coverVisible: !this.cover.hidden,
    };
  }
}
