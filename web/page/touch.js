// The touch layout for screens narrower than the window with a coarse pointer (phones): the canvas
// fills the width in a box of its own that pans and pinch-zooms, and a tap on a signal column opens
// a sheet with the signal's designations and its aspect buttons, large enough to read and to hit.
// Wide screens and mice keep the window as it is. Like the view, the layout decides nothing: the
// sheet's buttons go to the same handler as the window's.

const kMaxZoom = 4;          // pinched in up to four screen pixels per canvas pixel
// From this zoom on the window's texts over the canvas are large enough to read (touch.css shows
// them on screens whose width's fit reaches it: 762 = 0.75 x 1016 pixels).
const kReadableZoom = 0.75;
const kSystems = [['SystemHV', 'HV'], ['SystemKs', 'Ks'], ['SystemHl', 'Hl']];

function clamp(value, low, high) {
  return Math.min(high, Math.max(low, value));
}

function distance(a, b) {
  return Math.hypot(a.clientX - b.clientX, a.clientY - b.clientY);
}

export class TouchLayout {
  // `layout` is the core's window layout, `columns` its signal columns (lumaro_columns_json),
  // `actions.button(n)` performs ButtonN, `actions.why(n)` explains PanelN's designation.
  constructor(root, layout, columns, actions) {
    this.root = root;
    this.client = root.querySelector('#client');
    this.canvas = root.querySelector('#canvas');
    this.menubar = root.querySelector('#menubar');
    this.width = layout.canvas[0];
    this.height = layout.canvas[1];
    this.captions = new Map(layout.buttons.map((b) => [b.number, b.caption]));
    this.columns = columns;
    this.spacing = columns[1].x - columns[0].x;
    this.actions = actions;
    this.state = null;
    this.open = null;        // the column whose sheet is open
    this.shown = '';         // the column and system the sheet's buttons were built for
    this.zoom = 0;           // canvas pixels to CSS pixels once pinched; 0 at the width's fit
    this.pinch = null;
    this.media = matchMedia(`(max-width: ${this.width - 1}px) and (pointer: coarse)`);
    this.createElements();
    this.connectElements();
    this.apply();
  }

  get active() {
    return this.media.matches;
  }

  createElements() {
    // The canvas's box is the page's own, so that its size is settled before the first paint.
    this.box = this.client.parentElement;

    this.mark = document.createElement('div');
    this.mark.className = 'column-mark';
    this.mark.hidden = true;
    Object.assign(this.mark.style, { width: `${this.spacing}px`, height: `${this.height}px` });
    this.client.append(this.mark);

    this.sheet = document.createElement('dialog');
    this.sheet.id = 'ColumnSheet';
    this.sheet.className = 'column-sheet';
    this.sheet.tabIndex = -1;
    this.sheet.setAttribute('aria-labelledby', 'ColumnSheet-title');
    this.sheet.innerHTML = `
      <header><h2 id="ColumnSheet-title"></h2><button type="button" class="close" aria-label="Schließen">×</button></header>
      <ul class="designations"></ul>
      <p class="why" hidden></p>
      <div class="aspects" role="group" aria-labelledby="ColumnSheet-title"></div>`;
    this.title = this.sheet.querySelector('h2');
    this.designations = this.sheet.querySelector('.designations');
    this.why = this.sheet.querySelector('.why');
    this.aspects = this.sheet.querySelector('.aspects');
    this.root.append(this.sheet);
  }

  connectElements() {
    this.media.addEventListener('change', () => this.apply());
    window.addEventListener('resize', () => this.apply());
    this.sheet.querySelector('.close').addEventListener('click', () => this.close());

    // A tap on a signal column opens its sheet; with a sheet open, a tap anywhere outside it
    // closes it, and one on another signal column opens that column's sheet instead. The
    // window's own buttons over the canvas keep acting by themselves. Caught on the way down,
    // as the menu titles keep their clicks to themselves.
    document.addEventListener('click', (event) => {
      if (!this.active || this.sheet.contains(event.target))
        return;
      const onCanvas = this.client.contains(event.target) && !event.target.closest('button');
      const column = onCanvas ? this.columnAt(event.clientX) : null;
      const wasOpen = this.open;
      this.close();
      if (column && column !== wasOpen && this.signal(column))
        this.openColumn(column);
    }, true);
    document.addEventListener('keydown', (event) => {
      if (event.key === 'Escape' && this.open) {
        event.preventDefault();
        this.close();
      }
    });

    // One finger pans the box natively; two fingers zoom the canvas about their middle.
    this.box.addEventListener('touchstart', (event) => {
      if (event.touches.length === 2 && this.active)
        this.pinch = { distance: distance(...event.touches), zoom: this.currentZoom() };
    }, { passive: true });
    this.box.addEventListener('touchmove', (event) => {
      if (!this.pinch || event.touches.length !== 2)
        return;
      // Once the box scrolls under the first finger its moves can no longer be cancelled; the
      // box's touch-action keeps the browser from zooming the page all the same.
      if (event.cancelable)
        event.preventDefault();
      const [a, b] = event.touches;
      this.zoomAbout(this.pinch.zoom * distance(a, b) / this.pinch.distance,
        (a.clientX + b.clientX) / 2, (a.clientY + b.clientY) / 2);
    }, { passive: false });
    const endPinch = (event) => {
      if (event.touches.length < 2)
        this.pinch = null;
    };
    this.box.addEventListener('touchend', endPinch);
    this.box.addEventListener('touchcancel', endPinch);
  }

  // Switches between the layouts. At the width's fit touch.css sizes the canvas, from the first
  // paint on and without measuring anything here; once pinched, setZoom does.
  apply() {
    const active = this.active;
    document.documentElement.classList.toggle('touch-layout', active);
    // The sheet's buttons are the targets here; the window's stay for screen readers.
    for (const button of this.client.querySelectorAll(':scope > button')) {
      if (active)
        button.tabIndex = -1;
      else
        button.removeAttribute('tabindex');
    }
    if (!active)
      this.close();
    if (!active || !this.zoom) {
      this.zoom = 0;
      this.client.style.zoom = '';
      this.box.style.height = '';
      this.client.classList.remove('readable');
      return;
    }
    this.setZoom(this.zoom);
  }

  // The zoom at which the canvas fills the box's width, as touch.css sets it.
  fit() {
    return this.box.clientWidth / this.width;
  }

  currentZoom() {
    return this.zoom || this.fit();
  }

  setZoom(zoom) {
    const fit = this.fit();
    this.zoom = clamp(zoom, fit, kMaxZoom);
    this.client.style.zoom = String(this.zoom);
    this.client.classList.toggle('readable', this.zoom >= kReadableZoom);
    // At the width's fit the box shows all of the canvas and the page scrolls; zoomed in, the
    // box grows up to the screen's height below the menu bar and pans inside.
    const room = Math.max(this.height * fit, innerHeight - this.menubar.offsetHeight);
    this.box.style.height = `${Math.floor(Math.min(this.height * this.zoom, room))}px`;
  }

  // Zooms keeping the canvas point under (clientX, clientY) where it is.
  zoomAbout(zoom, clientX, clientY) {
    const box = this.box.getBoundingClientRect();
    const before = this.currentZoom();
    const x = (this.box.scrollLeft + clientX - box.left) / before;
    const y = (this.box.scrollTop + clientY - box.top) / before;
    this.setZoom(zoom);
    this.box.scrollLeft = x * this.zoom - (clientX - box.left);
    this.box.scrollTop = y * this.zoom - (clientY - box.top);
  }

  // The column under a point of the screen.
  columnAt(clientX) {
    const rect = this.canvas.getBoundingClientRect();
    const x = (clientX - rect.left) * this.width / rect.width;
    let nearest = this.columns[0];
    for (const column of this.columns)
      if (Math.abs(column.x - x) < Math.abs(nearest.x - x))
        nearest = column;
    return nearest;
  }

  system() {
    return this.state ? kSystems.find(([flag]) => this.state.flags[flag])?.[1] : undefined;
  }

  signal(column) {
    return column.signal[this.system()] || null;
  }

  openColumn(column) {
    this.open = column;
    this.mark.style.left = `${column.x - this.spacing / 2}px`;
    this.mark.hidden = false;
    // In landscape the sheet stands beside the canvas, on the side away from the column.
    this.sheet.dataset.side = column.x < this.width / 2 ? 'right' : 'left';
    this.render();
    this.sheet.show();
    this.sheet.focus({ preventScroll: true });
  }

  close() {
    if (!this.open)
      return;
    this.open = null;
    this.shown = '';
    this.mark.hidden = true;
    this.sheet.close();
  }

  // Called after every action and tick with the core's state and its access JSON
  // (lumaro_access_json): the open sheet follows them.
  mirror(state, access) {
    this.state = state;
    this.access = access;
    if (!this.open)
      return;
    if (state.flags.Ended || !this.signal(this.open))
      this.close();
    else
      this.render();
  }

  render() {
    const column = this.open;
    const system = this.system();
    const key = `${column.x} ${system}`;
    if (this.shown !== key) {
      this.shown = key;
      const signal = this.signal(column);
      this.title.textContent = signal;
      this.aspects.replaceChildren(...column.buttons[system].map((n) => this.createButton(n, signal)));
    }
    for (const button of this.aspects.children) {
      const b = this.state.buttons[button.dataset.button];
      if (button.hidden !== !b.visible)
        button.hidden = !b.visible;
      if (button.disabled !== !b.enabled)
        button.disabled = !b.enabled;
    }
    this.renderDesignations(column);
    this.renderWhy(column);
  }

  // Its name says the signal and the caption; it shows the caption.
  createButton(number, signal) {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.button = `Button${number}`;
    button.textContent = this.captions.get(number);
    button.setAttribute('aria-label', `${signal}: ${button.textContent}`);
    button.addEventListener('click', () => this.actions.button(number));
    return button;
  }

  // The designations with their meanings, as the core tells them for the column (the
  // designation's meaning, or what is lit where nothing is named); while the menu hides the
  // designations, only their meanings.
  renderDesignations(column) {
    const shown = this.state.menu.Signalbegriff1;
    const told = this.access?.columns.find((c) => c.x === column.x)?.meanings ?? [];
    const rows = [];
    for (const { panel, meaning } of told) {
      const { caption } = this.state.panels[panel];
      if (caption || meaning)
        rows.push([shown ? caption : '', meaning]);
    }
    const text = JSON.stringify(rows);
    if (this.designations.dataset.rows === text)
      return;
    this.designations.dataset.rows = text;
    this.designations.replaceChildren(...rows.map(([caption, meaning]) => {
      const item = document.createElement('li');
      if (caption) {
        const designation = document.createElement('span');
        designation.className = 'designation';
        designation.textContent = caption;
        item.append(designation);
      }
      const said = document.createElement('span');
      said.className = 'meaning';
      said.textContent = meaning;
      item.append(said);
      return item;
    }));
  }

  // Why the column's designations read as they do, in the core's words.
  renderWhy(column) {
    const reasons = this.actions.why
      ? column.panels.filter((n) => this.state.panels[`Panel${n}`].caption).map((n) => this.actions.why(n)).filter((t) => t)
      : [];
    const text = reasons.join(' ');
    if (this.why.textContent !== text)
      this.why.textContent = text;
    this.why.hidden = !text;
  }
}
