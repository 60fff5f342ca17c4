// The learner's own options of the page, kept in the browser's storage over a reload: the
// items "Blinken anhalten" and "Lampenfarben beschriften" under "Einstellungen". What the program
// shows (system, day or night) is not kept: every start shows H/V by day.

const kStorageKey = 'lumaro.options';

// `defaults` with every option the learner set before put over it; storage that cannot be read
// (switched off, or a value the page did not write) changes nothing.
export function keptOptions(defaults) {
  const options = { ...defaults };
  let kept = null;
  try {
    kept = JSON.parse(localStorage.getItem(kStorageKey));
  } catch {
    return options;
  }
  if (kept === null || typeof kept !== 'object')
    return options;
  for (const name of Object.keys(defaults))
    if (typeof kept[name] === 'boolean')
      options[name] = kept[name];
  return options;
}

// Keeps `options` (name -> boolean); where the browser keeps nothing, they last until the page
// is left.
export function keepOptions(options) {
  try {
    localStorage.setItem(kStorageKey, JSON.stringify(options));
  } catch {
    // Storage switched off or full: the options still work on this page.
  }
}
