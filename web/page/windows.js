// The exit notice and the information windows as in-page windows, built from the controls the
// core describes (the desktop windows' names, texts, pictures and links, from the same source),
// and placed by style.css where the desktop windows have them.

import { siteFile } from './site-files.js';

const kWindows = ['Notice', 'About', 'Licence', 'Manual'];

// The largest size with the picture's aspect that fits the box, sides rounded down: the desktop
// scales its photograph so.
export function fitWithin(width, height, boxWidth, boxHeight) {
  if (width * boxHeight <= height * boxWidth)
    return [Math.floor((width * boxHeight) / height), boxHeight];
  return [boxWidth, Math.floor((height * boxWidth) / width)];
}

export class SecondaryWindows {
  constructor(root, texts) {
    this.dialogs = new Map();
    this.raises = new Map();
    this.pictures = [];
    this.topZ = 100;
    for (const name of kWindows) {
      const dialog = root.querySelector(`#${name}Window`);
      this.fillWindow(dialog, texts[name]);
      dialog.querySelector('.close')?.addEventListener('click', () => dialog.close());
      dialog.addEventListener('pointerdown', () => this.raise(dialog));
      this.dialogs.set(name, dialog);
      this.raises.set(name, 0);
    }
    this.seconds = root.querySelector('#NoticeSeconds');
  }

  fillWindow(dialog, window) {
    const title = dialog.querySelector('h2');
    if (title)
      title.textContent = window.title;
    else
      dialog.setAttribute('aria-label', window.title);
    const body = dialog.querySelector('.body');
    body.replaceChildren(...window.controls.map((control) => this.createControl(dialog, control)));
  }

  createControl(dialog, control) {
    let element;
    if (control.kind === 'picture') {
      element = control.url ? linkTo(control.url) : document.createElement('div');
      element.classList.add('picture');
      const picture = document.createElement('img');
      picture.alt = '';
      picture.dataset.src = siteFile(`assets/${control.picture}`);
      element.append(picture);
      this.pictures.push({ box: element, picture });
    } else if (control.kind === 'link') {
      element = linkTo(control.url);
      element.textContent = control.text;
    } else if (control.kind === 'button') {
      element = document.createElement('button');
      element.type = 'button';
      element.textContent = control.text;
      element.addEventListener('click', () => dialog.close());
    } else if (control.kind === 'textView') {
      // Read-only, but it can be scrolled and selected, also from the keyboard.
      element = document.createElement('div');
      element.classList.add('text-view');
      element.tabIndex = 0;
      element.textContent = control.text;
    } else if (control.kind === 'seconds') {
      element = document.createElement('span');
      element.id = 'NoticeSeconds';
    } else {
      element = document.createElement('div');
      element.textContent = control.text;
    }
    element.classList.add('control');
    element.dataset.name = control.name;
    return element;
  }

  // Loads the pictures, each scaled down to fit its box with its aspect (never up: the logo stays
  // as it is), anchored top left. Called once the first frame is shown, so that the start does
  // not wait for the photograph.
  loadPictures() {
    for (const { box, picture } of this.pictures) {
      if (picture.src)
        continue;
      picture.addEventListener('load', () => {
        const style = getComputedStyle(box);
        const [width, height] = fitWithin(picture.naturalWidth, picture.naturalHeight,
          parseFloat(style.width), parseFloat(style.height));
        picture.width = Math.min(width, picture.naturalWidth);
        picture.height = Math.min(height, picture.naturalHeight);
        // Decoded now, the notice is whole as soon as it shows.
        picture.decode().catch(() => {});
      }, { once: true });
      picture.src = picture.dataset.src;
    }
  }

  // Shows every window the core was asked to show since the last call, in front of the others.
  mirror(windows) {
    for (const name of kWindows) {
      const { raises } = windows[name];
      if (raises === this.raises.get(name))
        continue;
      this.raises.set(name, raises);
      const dialog = this.dialogs.get(name);
      if (!dialog.open) {
        dialog.show();
        // The window takes the focus, its text if it has one, but no link shows a focus frame.
        (dialog.querySelector('.text-view') || dialog).focus({ preventScroll: true });
      }
      this.raise(dialog);
    }
    const seconds = String(windows.NoticeSeconds);
    if (this.seconds.textContent !== seconds)
      this.seconds.textContent = seconds;
  }

  raise(dialog) {
    dialog.style.zIndex = String(++this.topZ);
  }

  // A new run of the program starts with every window hidden.
  reset() {
    for (const name of kWindows) {
      this.dialogs.get(name).close();
      this.raises.set(name, 0);
    }
  }
}

// Web pages open beside the program, which goes on running; a mail link goes to the mail program
// and leaves the page where it is.
function linkTo(url) {
  const link = document.createElement('a');
  link.href = url;
  if (!url.startsWith('mailto:')) {
    link.target = '_blank';
    link.rel = 'noopener';
  }
  return link;
}
