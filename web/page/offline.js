// Offline use: registers the service worker that keeps the site's files. When a new version of
// the site takes over from the one this page was loaded from, the page loads again, so that it
// never runs on a mix of old and new files.

function keepOffline() {
  const { serviceWorker } = navigator;
  const loadedFrom = serviceWorker.controller;
  let reloading = false;
  serviceWorker.addEventListener('controllerchange', () => {
    // The first visit's worker takes over a page that came from the network: nothing to redo.
    if (loadedFrom && !reloading) {
      reloading = true;
      location.reload();
    }
  });
  const register = () => serviceWorker.register('service-worker.js').catch((error) => {
    console.warn(`Lumaro: ohne Netz nicht verfügbar: ${error.message || error}`);
  });
  // After the start, which the worker's downloads should not slow down.
  const started = window.lumaro ? window.lumaro.ready : Promise.resolve();
  started.then(register, register);
}

// Service workers exist only in secure contexts (https:, or http://localhost).
if ('serviceWorker' in navigator)
  keepOffline();
