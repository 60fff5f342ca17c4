// The page for assistive technology and for learners: the buttons' and panels' accessible names,
// the canvas named and described column by column, one polite live region for what the program
// changes by itself, and the overlays drawn above the canvas from the core's list of lit lights.

const kLetterColors = { rt: 'rgb(255, 0, 0)', ge: 'rgb(255, 255, 0)', gn: 'rgb(144, 238, 144)', ws: 'rgb(255, 255, 255)' };

// "Einfahrsignal" of "Einfahrsignal: 40 km/h".
function signalOf(buttonName) {
  return buttonName.slice(0, buttonName.lastIndexOf(':'));
}

// "Einfahrsignal" of "Spalte 2, Einfahrsignal".
function columnSignal(columnName) {
  return columnName.slice(columnName.indexOf(', ') + 2);
}

export class AccessView {
  constructor(root, options) {
    this.root = root;
    this.canvas = root.querySelector('#canvas');
    this.description = root.querySelector('#canvas-description');
    this.live = root.querySelector('#announcements');
    this.overlay = root.querySelector('#overlay');
    this.context = this.overlay.getContext('2d');
    this.overlayDrawn = false;   // whether anything stands on the overlay
    this.options = { ...options };
    this.reset();
  }

  // A new run: nothing said yet, and the first picture is not news.
  reset() {
    this.aspects = null;
    this.pressedSignals = new Set();
    this.quietTick = true;
    this.lightsText = '';
    this.descriptionText = '';
  }

  // A button press shows at the next tick; that change is the user's own and is not announced.
  pressed(buttonName) {
    this.pressedSignals.add(signalOf(buttonName));
  }

  // A new system shows everything anew at the next tick: nothing of it is announced.
  systemChanged() {
    this.quietTick = true;
  }

  setOption(name, on) {
    this.options[name] = on;
    this.drawOverlay(this.lights || [], true);
  }

  // After every action: `access` is the core's access JSON, `ticked` whether the timer ran.
  update(access, ticked) {
    for (const [id, name] of Object.entries(access.buttons)) {
      const button = this.root.querySelector(`#${id}`);
      if (button && button.getAttribute('aria-label') !== name)
        button.setAttribute('aria-label', name);
    }
    for (const [id, panel] of Object.entries(access.panels)) {
      const element = this.root.querySelector(`#${id}`);
      if (!element)
        continue;
      if (element.getAttribute('role') !== 'note')
        element.setAttribute('role', 'note');
      const name = panel.name || element.textContent;
      if (name && element.getAttribute('aria-label') !== name)
        element.setAttribute('aria-label', name);
      else if (!name && element.hasAttribute('aria-label'))
        element.removeAttribute('aria-label');
      // What the designation means; its title keeps the panel's own hint.
      if (element.getAttribute('aria-description') !== panel.description)
        element.setAttribute('aria-description', panel.description);
    }

    const label = `Signale der Strecke, ${access.system}`;
    if (this.canvas.getAttribute('aria-label') !== label)
      this.canvas.setAttribute('aria-label', label);
    const description = access.columns.map((c) => `${c.name}: ${c.description}`).join('\n');
    if (description !== this.descriptionText) {
      this.descriptionText = description;
      this.description.textContent = description;
    }

    if (ticked)
      this.announce(access.columns);
    this.lights = access.lights;
    this.drawOverlay(access.lights, false);
  }

  // Says, once, the columns whose aspect the last tick changed without a press of their own.
  announce(columns) {
    const aspects = new Map(columns.map((c) => [c.name, c.aspect]));
    if (this.aspects && !this.quietTick) {
      // A button of "Gegengleisanzeiger am Ausfahrsignal" belongs to the exit signal's column.
      const pressedHere = (signal) => [...this.pressedSignals].some((s) => s === signal || s.endsWith(` am ${signal}`));
      const news = columns.filter((c) => this.aspects.has(c.name) && this.aspects.get(c.name) !== c.aspect
        && c.aspect !== '' && !pressedHere(columnSignal(c.name)));
      if (news.length)
        this.live.textContent = news.map((c) => `${c.name}: ${c.aspect}`).join('. ');
    }
    this.aspects = aspects;
    this.pressedSignals.clear();
    this.quietTick = false;
  }

  drawOverlay(lights, force) {
    const text = JSON.stringify(lights);
    if (!force && text === this.lightsText)
      return;
    this.lightsText = text;
    // With both options off an empty overlay stays untouched: clearing it would cost a canvas of
    // the window's size, and its transfer to the screen, on every blink.
    const drawing = this.options.steadyLamps || this.options.colorLetters;
    if (!drawing && !this.overlayDrawn)
      return;
    this.overlayDrawn = drawing;
    const g = this.context;
    g.clearRect(0, 0, this.overlay.width, this.overlay.height);
    if (this.options.steadyLamps)
      this.drawSteadyLamps(lights);
    if (this.options.colorLetters)
      this.drawLetters(lights);
  }

  // A blinking lamp in its dark phase burns as in its lit phase; every blinking lamp carries a
  // dotted ring, so a held lamp is never taken for a steady one.
  drawSteadyLamps(lights) {
    const g = this.context;
    for (const l of lights.filter((light) => light.blinking)) {
      const cx = (l.left + l.right) / 2;
      const cy = (l.top + l.bottom) / 2;
      const rx = (l.right - l.left) / 2;
      const ry = (l.bottom - l.top) / 2;
      g.fillStyle = g.strokeStyle = kLetterColors[l.color];
      if (!l.burning && l.kind === 'lamp') {
        g.beginPath();
        g.ellipse(cx, cy, rx, ry, 0, 0, 2 * Math.PI);
        g.fill();
      }
      g.setLineDash([1, 2]);
      g.lineWidth = 1;
      g.beginPath();
      g.ellipse(cx, cy, rx + 3, ry + 3, 0, 0, 2 * Math.PI);
      g.stroke();
      g.setLineDash([]);
    }
  }

  // Letters on a label beside each light, where the core places them.
  drawLetters(lights) {
    const g = this.context;
    g.font = 'bold 9px sans-serif';
    g.textBaseline = 'middle';
    const height = 11;
    for (const l of lights) {
      const width = g.measureText(l.color).width + 4;
      const left = l.label.left ? l.label.x - width : l.label.x;
      const top = l.label.y - Math.floor(height / 2);
      g.fillStyle = '#fff';
      g.strokeStyle = '#000';
      g.fillRect(left, top, width, height);
      g.strokeRect(left + 0.5, top + 0.5, width - 1, height - 1);
      g.fillStyle = '#000';
      g.fillText(l.color, left + 2, top + height / 2);
    }
  }
}
