// "Fahrt zeigen": the speed a train may run along the line, drawn as SVG over the band of the
// track plan at the columns' x, with the train's length and the stop at the platform set beside
// it, a train that runs the line, and the pieces as a list for screen readers. The line, its
// reasons and the train's motion all come from the core; this file only draws them.

const kSvg = 'http://www.w3.org/2000/svg';
const kWidth = 1016;
const kBandHeight = 96;
const kFrameMs = 30;
const kMetresPerPixel = 10;


function svg(name, attributes = {}, text = '') {
  const element = document.createElementNS(kSvg, name);
  for (const [key, value] of Object.entries(attributes))
    element.setAttribute(key, String(value));
  if (text)
    element.textContent = text;
  return element;
}

function html(name, attributes = {}, text = '') {
  const element = document.createElement(name);
  for (const [key, value] of Object.entries(attributes))
    element.setAttribute(key, String(value));
  if (text)
    element.textContent = text;
  return element;
}

export class FahrtView {
  constructor(root, core, touch, whyLine) {
    this.core = core;
    this.touch = touch;
    this.whyLine = whyLine;
    this.root = root;
    this.item = root.querySelector('#Fahrt1');
    this.warum = root.querySelector('#Warum');
    this.shown = false;
    this.line = null;
    this.hoverX = -1;
    this.train = null;
    this.timer = 0;
    this.createElements(root.querySelector('#client'));
    this.connect();
  }

  createElements(client) {
    this.box = html('section', { id: 'Fahrt', 'aria-label': 'Fahrt: erlaubte Geschwindigkeit entlang der Strecke' });
    Object.assign(this.box.style, {
      position: 'absolute', left: '0', top: '0', width: `${kWidth}px`, height: `${kBandHeight}px`,
      background: 'rgba(255, 255, 255, 0.85)', zIndex: '2', font: '11px sans-serif', color: '#000',
    });
    this.box.hidden = true;

    const controls = html('div');
    Object.assign(controls.style, {
      position: 'absolute', left: '4px', top: '3px', display: 'flex', gap: '8px', alignItems: 'center',
    });
    const title = html('strong', {}, 'Fahrt');
    this.length = html('input', {
      id: 'FahrtZuglaenge', type: 'number', min: 0, max: 1000, step: kMetresPerPixel, value: 300,
      'aria-label': 'Zuglänge in Metern',
    });
    this.length.style.width = '5em';
    const lengthLabel = html('label', {}, 'Zuglänge: ');
    lengthLabel.append(this.length, ' m');
    this.platform = html('input', { id: 'FahrtHaltAmBahnsteig', type: 'checkbox' });
    const platformLabel = html('label');
    platformLabel.append(this.platform, ' Halt am Bahnsteig');
    this.runButton = html('button', { id: 'FahrtZug', type: 'button' }, 'Zug fahren lassen');
    this.note = html('span', {}, 'schematisch: 160 km/h, 10 m je Pixel; blau: Zuglänge');
    controls.append(title, lengthLabel, platformLabel, this.runButton, this.note);

    this.picture = svg('svg', { width: kWidth, height: kBandHeight, viewBox: `0 0 ${kWidth} ${kBandHeight}`, 'aria-hidden': 'true' });
    Object.assign(this.picture.style, { position: 'absolute', left: '0', top: '0' });
    this.drawing = svg('g');
    this.trainShape = svg('g', { visibility: 'hidden' });
    this.trainShape.append(svg('rect', { height: 7, rx: 2, fill: '#14288c' }));
    this.picture.append(this.drawing, this.trainShape);

    this.list = html('ol', { id: 'FahrtStuecke', 'aria-label': 'Fahrt: die Stücke der Strecke' });
    this.list.className = 'visually-hidden';

    this.box.append(this.picture, controls, this.list);
    client.append(this.box);

    this.sheetPiece = html('p', { class: 'fahrt-piece' });
    this.sheetPiece.hidden = true;
  }

  connect() {
    this.item?.addEventListener('click', () => this.setShown(!this.shown));
    this.length.addEventListener('change', () => this.refresh());
    this.platform.addEventListener('change', () => this.refresh());
    this.runButton.addEventListener('click', () => (this.train ? this.stopTrain() : this.startTrain()));
    this.picture.addEventListener('pointermove', (event) => this.hover(event.offsetX, event.offsetY));
    this.picture.addEventListener('pointerleave', () => this.hover(-1, -1));
    // The column sheet opens on a tap, between two actions of the core: it follows at once.
    const sheet = this.root.querySelector('#ColumnSheet');
    if (sheet) {
      const follow = new MutationObserver(() => this.renderSheet());
      follow.observe(sheet, { attributes: true, attributeFilter: ['open'] });
      const title = sheet.querySelector('h2');
      if (title)
        follow.observe(title, { childList: true, characterData: true, subtree: true });
    }
  }

  // The options as the core takes them: the length in whole pixels of 10 m, within 0 .. 100.
  trainLength() {
    const metres = Number(this.length.value);
    const pixels = Number.isFinite(metres) ? Math.round(metres / kMetresPerPixel) : 30;
    return Math.min(100, Math.max(0, pixels));
  }

  // While a self-test question is open the line stays hidden: it would tell the answer of a
  // question about a speed.
  setConcealed(concealed) {
    if (concealed === Boolean(this.concealed))
      return;
    this.concealed = concealed;
    this.box.hidden = !this.shown || concealed;
    this.renderSheet();
  }

  setShown(shown) {
    this.shown = shown;
    this.item?.setAttribute('aria-checked', String(shown));
    this.box.hidden = !shown || Boolean(this.concealed);
    if (!shown) {
      this.stopTrain();
      this.hover(-1, -1);
    }
    this.refresh();
  }

  // After every action and tick: the line the core computes for the panels as they are now.
  refresh() {
    if (!this.shown) {
      this.renderSheet();
      return;
    }
    const text = this.core.run(this.trainLength(), this.platform.checked ? 1 : 0, 1);
    // The core keeps the line until the panels or the options change; so does the drawing.
    if (text !== this.lineText || !this.line) {
      this.lineText = text;
      this.line = JSON.parse(text);
      this.note.title = this.line.assumptions;
      this.draw();
      this.renderList();
    }
    this.renderSheet();
    if (this.hoverX >= 0)
      this.showWhy(this.pieceAt(this.hoverX));
  }

  pieceAt(x) {
    return this.line?.pieces.find((p) => x >= p.from && x < p.to) || null;
  }

  draw() {
    const g = this.drawing;
    g.replaceChildren();
    // Where everything stands and its colours come from the core's chart of the line.
    const chart = this.line.chart;
    for (const mark of chart.axis) {
      g.append(svg('line', { x1: 0, x2: 1000, y1: mark.y, y2: mark.y, stroke: 'rgba(0,0,0,0.16)', 'stroke-dasharray': '1 2' }));
      g.append(svg('text', { x: mark.label_x, y: mark.y + 3, 'font-size': 9 }, String(mark.kmh)));
    }
    for (const [from, to] of this.line.train_length_parts)
      g.append(svg('rect', { x: from, y: chart.bottom + 3, width: to - from, height: 6, fill: 'rgba(40,90,220,0.35)', class: 'train-length' }));
    let previous = null;
    for (const piece of this.line.pieces) {
      const a = [piece.from, piece.from_y];
      const b = [piece.to, piece.to_y];
      if (previous && previous[1] !== a[1])
        g.append(svg('line', { x1: a[0], x2: a[0], y1: previous[1], y2: a[1], stroke: 'rgba(0,0,0,0.45)' }));
      const ramp = piece.kind === 'ramp';
      g.append(svg('line', {
        x1: a[0], y1: a[1], x2: b[0], y2: b[1], stroke: chart.colors[piece.kind], 'stroke-width': ramp ? 2 : 3,
        'stroke-dasharray': ramp ? '5 3' : 'none', class: `piece ${piece.kind}`,
        'data-from': piece.from, 'data-to': piece.to,
      }));
      previous = b;
    }
    // Each label centred in its box; the text's baseline two pixels above the box's foot.
    for (const label of chart.labels)
      g.append(svg('text', {
        x: (label.left + label.right) / 2, y: label.top + chart.label_height - 2, 'font-size': 10, 'text-anchor': 'middle',
        fill: chart.colors[label.kind],
      }, label.text));
    const hovered = this.hoverX >= 0 ? this.pieceAt(this.hoverX) : null;
    if (hovered)
      g.append(svg('rect', { x: hovered.from, y: chart.top - 3, width: hovered.to - hovered.from, height: chart.bottom - chart.top + 12, fill: 'none', stroke: 'rgba(0,0,0,0.35)', 'stroke-dasharray': '4 3' }));
    this.drawTrain();
  }

  renderList() {
    const texts = this.line.pieces.map((p) => p.spoken);
    const key = JSON.stringify(texts);
    if (this.list.dataset.key === key)
      return;
    this.list.dataset.key = key;
    this.list.replaceChildren(...texts.map((t) => html('li', {}, t)));
  }

  // On a phone the open column sheet tells the piece of the line that belongs to its signal.
  renderSheet() {
    const sheet = this.root.querySelector('#ColumnSheet');
    if (!sheet)
      return;
    if (this.sheetPiece.parentElement !== sheet)
      sheet.append(this.sheetPiece);
    const x = this.concealed ? 0 : this.touch?.open?.x;
    const pieces = this.shown && this.line && x
      ? this.line.pieces.filter((p) => p.column === x && p.kind !== 'ramp') : [];
    if (this.shown && this.line && x && !pieces.length) {
      const holding = this.pieceAt(x);
      if (holding)
        pieces.push(holding);
    }
    const text = pieces.map((p) => `Fahrt ${p.spoken}.`).join(' ');
    if (this.sheetPiece.textContent !== text)
      this.sheetPiece.textContent = text;
    this.sheetPiece.hidden = !text;
  }

  hover(x, y) {
    const inside = x >= 0 && y >= 26;
    const before = this.hoverX;
    this.hoverX = inside ? x : -1;
    if (before === this.hoverX || !this.line)
      return;
    this.showWhy(inside ? this.pieceAt(x) : null);
    this.draw();
  }

  // The reason of the piece under the pointer in the Warum line; the line's own words again
  // once the pointer leaves.
  showWhy(piece) {
    if (piece)
      this.warum.textContent = piece.why;
    else
      this.whyLine?.refresh();
  }

  startTrain() {
    this.train = { head: 0, wait_ms: 0, stopped_at_platform: false, running: true };
    this.runButton.textContent = 'Zug anhalten';
    this.timer = setInterval(() => this.step(kFrameMs), kFrameMs);
    this.drawTrain();
  }

  stopTrain() {
    clearInterval(this.timer);
    this.timer = 0;
    this.train = null;
    this.runButton.textContent = 'Zug fahren lassen';
    this.drawTrain();
  }

  step(ms) {
    if (!this.train)
      return;
    const t = this.train;
    this.train = JSON.parse(this.core.trainStep(this.trainLength(), this.platform.checked ? 1 : 0, t.head, t.wait_ms,
      t.stopped_at_platform ? 1 : 0, ms));
    if (!this.train.running)
      this.stopTrain();
    else
      this.drawTrain();
  }

  drawTrain() {
    if (!this.train || !this.line) {
      this.trainShape.setAttribute('visibility', 'hidden');
      return;
    }
    // A train that has not moved yet stands at the line's start.
    const y = this.train.y ?? this.line.pieces[0].from_y;
    const length = Math.max(this.trainLength(), 4);
    const rect = this.trainShape.firstChild;
    rect.setAttribute('x', this.train.head - length);
    rect.setAttribute('y', y - 9);
    rect.setAttribute('width', length);
    this.trainShape.setAttribute('visibility', 'visible');
  }
}
