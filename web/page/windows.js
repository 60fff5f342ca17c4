// The exit notice and the information windows as in-page windows, and the page shown once the
// program has ended. Their texts come from the core's build, the same source as the desktop's.

const kWindows = ['Notice', 'About', 'Licence', 'Manual'];

export class SecondaryWindows {
  constructor(root, texts) {
    this.dialogs = new Map();
    this.raises = new Map();
    this.topZ = 100;
    for (const name of kWindows) {
      const dialog = root.querySelector(`#${name}Window`);
      fillWindow(dialog, texts[name]);
      dialog.querySelector('.close')?.addEventListener('click', () => dialog.close());
      dialog.addEventListener('pointerdown', () => this.raise(dialog));
      this.dialogs.set(name, dialog);
      this.raises.set(name, 0);
    }
    this.seconds = root.querySelector('#NoticeSeconds');
    this.seconds.before(texts.Notice.countdownBefore);
    this.seconds.after(texts.Notice.countdownAfter);
  }

  // Shows every window the core was asked to show since the last call, in front of the others.
  mirror(windows) {
    for (const name of kWindows) {
      const { raises } = windows[name];
      if (raises === this.raises.get(name))
        continue;
      this.raises.set(name, raises);
      const dialog = this.dialogs.get(name);
      if (!dialog.open)
        dialog.show();
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

function fillWindow(dialog, text) {
  const title = dialog.querySelector('h2');
  if (title)
    title.textContent = text.title;
  else
    dialog.setAttribute('aria-label', text.title);
  const body = dialog.querySelector('.body');
  body.replaceChildren();
  if (text.photo) {
    const photo = document.createElement('img');
    photo.src = `assets/${text.photo}`;
    photo.alt = '';
    body.append(photo);
  }
  if (text.text) {
    const p = document.createElement('p');
    p.className = 'text';
    p.textContent = text.text;
    body.append(p);
  }
  for (const link of text.links) {
    const p = document.createElement('p');
    const a = document.createElement('a');
    a.href = link.url;
    a.textContent = link.text;
    a.target = '_blank';
    a.rel = 'noopener noreferrer';
    p.append(a);
    body.append(p);
  }
}
