// The "Warum" line under the window's client area: why the panel or signal column under the
// pointer or the keyboard focus shows its aspect, or else why the column of the last pressed
// button does. The words come from the core, as lumaro.explain() gives them.

const kColumnWidth = 100;
const kColumns = 10;

// The signal column (50 .. 950) of an x in the client area, or 0 beside the columns.
function columnAt(x) {
  const index = Math.floor(x / kColumnWidth);
  return index >= 0 && index < kColumns ? index * kColumnWidth + kColumnWidth / 2 : 0;
}

export class WhyLine {
  constructor(root, view, core) {
    this.line = root.querySelector('#Warum');
    this.core = core;
    this.hoverPanel = 0;
    this.hoverColumn = 0;
    this.focusColumn = 0;
    this.pressedColumn = 0;
    this.connect(view);
  }

  connect(view) {
    // offsetX is in the canvas's own CSS pixels, whatever zoom the window has.
    view.canvas.addEventListener('pointermove', (event) => this.setHover('hoverColumn', columnAt(event.offsetX)));
    view.canvas.addEventListener('pointerleave', () => this.setHover('hoverColumn', 0));
    for (const [number, panel] of view.panels) {
      if (number > 16)
        continue;
      panel.addEventListener('pointerenter', () => this.setHover('hoverPanel', number));
      panel.addEventListener('pointerleave', () => {
        if (this.hoverPanel === number)
          this.setHover('hoverPanel', 0);
      });
    }
    for (const button of view.buttons.values()) {
      const column = columnAt(parseInt(button.style.left, 10) + parseInt(button.style.width, 10) / 2);
      button.addEventListener('pointerenter', () => this.setHover('hoverColumn', column));
      button.addEventListener('focus', () => this.setHover('focusColumn', column));
      button.addEventListener('blur', () => this.setHover('focusColumn', 0));
      // Pressed before the core acts: the page shows the result, this line included, afterwards.
      button.addEventListener('click', () => { this.pressedColumn = column; }, { capture: true });
    }
  }

  setHover(key, value) {
    if (this[key] === value)
      return;
    this[key] = value;
    this.refresh();
  }

  // The panel under the pointer when it has a caption, else the panel of the column that the
  // pointer, the focus or the last pressed button points at.
  refresh() {
    let text = this.hoverPanel ? this.core.whyOf(this.hoverPanel) : '';
    const column = [this.hoverColumn, this.focusColumn, this.pressedColumn].find((c) => c);
    if (!text && column) {
      const panel = this.core.panelOfColumn(column);
      text = panel ? this.core.whyOf(panel) : '';
    }
    if (this.line.textContent !== text)
      this.line.textContent = text;
  }
}
