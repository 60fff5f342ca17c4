// The phone's first screen says in one line that a tap on a signal opens it. Once the learner has
// opened a signal that way, the line goes, and stays gone over a reload.

// The page's head reads the same key before the first paint, so that the line takes its place
// from the start or never.
const kStorageKey = 'lumaro.tapHintDone';

function remembered() {
  try {
    return localStorage.getItem(kStorageKey) === '1';
  } catch {
    return false;
  }
}

function remember() {
  try {
    localStorage.setItem(kStorageKey, '1');
  } catch {
    // Without storage the line comes back with the next visit.
  }
}

export class TapHint {
  // The line stands in the page from the start; `sheet` is the column sheet whose opening means
  // the learner has found it. Only the touch layout shows the line (style.css).
  constructor(sheet) {
    this.line = document.getElementById('TapHint');
    if (remembered())
      return;
    this.observer = new MutationObserver(() => {
      if (sheet.open)
        this.done();
    });
    this.observer.observe(sheet, { attributes: true, attributeFilter: ['open'] });
  }

  done() {
    this.line.hidden = true;
    this.observer?.disconnect();
    remember();
  }
}
