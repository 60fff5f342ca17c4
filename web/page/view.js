// The main window's controls over the canvas: built once from the core's layout, then mirrored
// from the core's state after every action. The view decides nothing; clicks go to the handlers
// it is given.

const kDesignationPanels = 16;

// The page's options: item id, option name, text.
const kPageOptions = [
  ['BlinkenAnhalten1', 'steadyLamps', 'Blinken anhalten'],
  ['Lampenfarben1', 'colorLetters', 'Lampenfarben beschriften'],
];

// 0x00BBGGRR as a CSS colour.
export function cssColor(value) {
  return `rgb(${value & 0xff}, ${(value >> 8) & 0xff}, ${(value >> 16) & 0xff})`;
}

// A hint's line break is "\r\n" in the core; the title attribute shows "\n" as a new line.
export function hintText(hint) {
  return hint.replace(/\r\n/g, '\n');
}

export class MainWindowView {
  constructor(root, layout, actions) {
    this.root = root;
    this.client = root.querySelector('#client');
    this.canvas = root.querySelector('#canvas');
    this.context = this.canvas.getContext('2d', { alpha: false });
    this.width = layout.canvas[0];
    this.height = layout.canvas[1];
    this.buttons = new Map();
    this.panels = new Map();
    this.createMenus(layout.menus);
    this.createPageOptions();
    this.menuItems = [...root.querySelectorAll('[role^="menuitem"]')];
    this.createControls(layout);
    this.connectControls(actions);
  }

  // The menu bar from the core's menu table: a title button and a list per menu, a separator
  // line where the table puts one, check marks as aria-checked (set by the first mirror).
  // The page's HTML holds the titles already, so that the bar stands before the core has loaded;
  // the core's table decides all the same.
  createMenus(menus) {
    const bar = this.root.querySelector('#menubar');
    const boxes = [];
    for (const menu of menus) {
      let title = bar.querySelector(`[id="${menu.component}"]`);
      if (!title) {
        title = document.createElement('button');
        document.createElement('div').append(title);
      }
      const box = title.parentElement;
      box.className = menu.right ? 'menu menu-right' : 'menu';
      title.type = 'button';
      title.className = 'menu-title';
      title.id = menu.component;
      title.setAttribute('aria-haspopup', 'menu');
      title.setAttribute('aria-expanded', 'false');
      if (title.textContent !== menu.text)
        title.textContent = menu.text;
      const list = document.createElement('ul');
      list.className = 'menu-items';
      list.setAttribute('role', 'menu');
      list.setAttribute('aria-labelledby', menu.component);
      for (const item of menu.items) {
        if (item.separator) {
          const line = document.createElement('li');
          line.setAttribute('role', 'separator');
          list.append(line);
        }
        const entry = document.createElement('li');
        entry.setAttribute('role', item.checkable ? 'menuitemcheckbox' : 'menuitem');
        entry.id = item.component;
        entry.tabIndex = -1;
        if (item.checkable)
          entry.setAttribute('aria-checked', 'false');
        entry.textContent = item.text;
        list.append(entry);
      }
      box.append(list);
      // In the table's order; a title already in its place stays put (and keeps a focus).
      if (bar.children[boxes.length] !== box)
        bar.insertBefore(box, bar.children[boxes.length] ?? null);
      boxes.push(box);
    }
    for (const stray of [...bar.children].slice(boxes.length))
      stray.remove();
  }

  // The page's own options under "Einstellungen": they change what is drawn above the canvas and
  // are no items of the core's menu (its state and lumaro-render know nothing of them).
  createPageOptions() {
    const list = this.root.querySelector('#Einstellungen1 + .menu-items');
    if (!list)
      return;
    const line = document.createElement('li');
    line.setAttribute('role', 'separator');
    list.append(line);
    for (const [id, option, text] of kPageOptions) {
      const entry = document.createElement('li');
      entry.setAttribute('role', 'menuitemcheckbox');
      entry.id = id;
      entry.tabIndex = -1;
      entry.dataset.option = option;
      entry.setAttribute('aria-checked', 'false');
      entry.textContent = text;
      list.append(entry);
    }
  }

  createControls(layout) {
    const place = (element, left, top, width, height) => {
      Object.assign(element.style, {
        left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px`,
      });
      this.client.append(element);
    };
    for (const b of layout.buttons) {
      const button = document.createElement('button');
      button.type = 'button';
      button.id = `Button${b.number}`;
      // The texts sit in spans, which the touch layout hides while they are too small to read.
      button.append(document.createElement('span'));
      button.firstChild.textContent = b.caption;
      place(button, b.left, b.top, b.width, b.height);
      this.buttons.set(b.number, button);
    }
    for (const p of layout.panels) {
      const panel = document.createElement('div');
      panel.id = `Panel${p.number}`;
      panel.className = p.number > kDesignationPanels ? 'panel label' : 'panel';
      panel.append(document.createElement('span'));
      place(panel, p.left, p.top, p.width, p.height);
      this.panels.set(p.number, panel);
    }
    const logo = document.createElement('img');
    logo.id = 'Image1';
    logo.alt = 'Lumaro-Logo';
    logo.src = 'assets/logo.bmp';
    place(logo, ...layout.image1);
    logo.style.objectFit = 'none';
    logo.style.objectPosition = 'left top';
  }

  connectControls(actions) {
    for (const [number, button] of this.buttons)
      button.addEventListener('click', () => actions.button(number));
    for (const item of this.menuItems) {
      item.addEventListener('click', () => {
        this.closeMenus();
        // The page's own options change what is drawn above the canvas, never the core.
        if (item.dataset.option)
          actions.option(item.dataset.option, item);
        else
          actions.menu(item.id);
      });
    }
    this.canvas.addEventListener('click', () => actions.formClick());

    // Menus open on a click (or a tap) and close on the next click anywhere.
    const titles = [...this.root.querySelectorAll('.menu-title')];
    for (const title of titles) {
      title.addEventListener('click', (event) => {
        event.stopPropagation();
        const open = title.getAttribute('aria-expanded') !== 'true';
        this.closeMenus();
        title.setAttribute('aria-expanded', String(open));
        // Opened from the keyboard (a click without a pointer), the first item takes the focus.
        if (open && event.detail === 0)
          title.nextElementSibling.querySelector('[role^="menuitem"]').focus();
      });
      // With one menu open, pointing at another title opens that one instead.
      title.addEventListener('pointerenter', () => {
        if (titles.some((t) => t !== title && t.getAttribute('aria-expanded') === 'true')) {
          this.closeMenus();
          title.setAttribute('aria-expanded', 'true');
        }
      });
    }
    for (const item of this.menuItems)
      item.addEventListener('keydown', (event) => this.menuKey(event, item));
    document.addEventListener('click', (event) => {
      if (!event.target.closest || !event.target.closest('.menu-items'))
        this.closeMenus();
    });

    this.connectTouchHints();
  }

  // Enter or Space picks an item, the arrow keys move through the open menu, Escape closes it.
  menuKey(event, item) {
    const items = [...item.parentElement.querySelectorAll('[role^="menuitem"]')];
    const at = items.indexOf(item);
    if (event.key === 'Enter' || event.key === ' ')
      item.click();
    else if (event.key === 'ArrowDown')
      items[(at + 1) % items.length].focus();
    else if (event.key === 'ArrowUp')
      items[(at + items.length - 1) % items.length].focus();
    else if (event.key === 'Escape') {
      this.closeMenus();
      item.parentElement.previousElementSibling.focus();
    } else
      return;
    event.preventDefault();
  }

  closeMenus() {
    for (const title of this.root.querySelectorAll('.menu-title[aria-expanded="true"]'))
      title.setAttribute('aria-expanded', 'false');
  }

  // Touch screens show no title tooltips: a tap on a panel shows its hint for a while.
  connectTouchHints() {
    const box = this.root.querySelector('#touch-hint');
    let timer = 0;
    for (const panel of this.panels.values()) {
      panel.addEventListener('pointerdown', (event) => {
        if (event.pointerType !== 'touch' || !panel.title)
          return;
        box.textContent = panel.title;
        box.style.left = panel.style.left;
        box.style.top = `${parseInt(panel.style.top, 10) + 20 + this.client.offsetTop}px`;
        box.hidden = false;
        clearTimeout(timer);
        timer = setTimeout(() => { box.hidden = true; }, 3000);
      });
    }
  }

  // Copies the part of the core's canvas that changed, [left, top, width, height], into the
  // page's canvas, which holds the rest already.
  draw(pixels, [left, top, width, height]) {
    if (width > 0 && height > 0)
      this.context.putImageData(new ImageData(pixels, this.width, this.height), 0, 0, left, top, width, height);
  }

  // Copies the core's controls into the page. Only what changed is written.
  mirror(state) {
    const set = (element, key, value) => {
      if (element[key] !== value)
        element[key] = value;
    };
    for (const [number, panel] of this.panels) {
      const p = state.panels[`Panel${number}`];
      set(panel.firstChild, 'textContent', p.caption);
      set(panel, 'title', hintText(p.hint));
      set(panel.style, 'color', cssColor(p.font));
      set(panel.style, 'backgroundColor', cssColor(p.color));
    }
    for (const [number, button] of this.buttons) {
      const b = state.buttons[`Button${number}`];
      set(button, 'hidden', !b.visible);
      set(button, 'disabled', !b.enabled);
    }
    for (const item of this.menuItems) {
      if (item.id in state.menu) {
        const checked = String(state.menu[item.id]);
        if (item.getAttribute('aria-checked') !== checked)
          item.setAttribute('aria-checked', checked);
      }
    }
    set(this.root.style, 'backgroundColor', cssColor(state.window_color));
  }
}
