// The phone's first screen says in one line that a tap on a signal opens it. Once the learner has
// opened a signal that way, the line goes, and stays gone over a reload.

const kStorageKey = 'lumaro.tapHintDone';
export const kTapHintText = 'Tippen Sie auf ein Signal, um es zu öffnen.';

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
  // `box` is the canvas's box, which the line stands above; `sheet` the column sheet whose
  // opening means the learner has found it. Only the touch layout shows the line (style.css).
  constructor(box, sheet) {
    this.line = document.createElement('p');
    this.line.id = 'TapHint';
    this.line.className = 'tap-hint';
    this.line.textContent = kTapHintText;
    this.line.hidden = remembered();
    box.before(this.line);
    if (this.line.hidden)
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
