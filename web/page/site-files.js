// Where the page finds the files whose names it makes up at run time (the pictures the core
// names). The published site names its files after their contents; `make web-dist` fills this
// table with those names. Paths are relative to the site's folder.

const kPublishedNames = {};

export function siteFile(path) {
  return kPublishedNames[path] || path;
}
