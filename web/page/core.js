// The core compiled to WebAssembly, behind plain methods. Every method runs the C++ binding
// synchronously; texts come back as JavaScript strings.

import createLumaroCore from './lumaro-core.js';

export class Core {
  static async load() {
    return new Core(await createLumaroCore());
  }

  constructor(module) {
    this.module = module;
    const fn = (name, result = null, args = []) => module.cwrap(name, result, args);
    const text = (name) => {
      const call = fn(name, 'number');
      return () => module.UTF8ToString(call());
    };
    this.start = fn('lumaro_start');
    this.tick = fn('lumaro_tick');
    this.clickButton = fn('lumaro_click_button', 'number', ['number']);
    this.menuCommand = fn('lumaro_menu', 'number', ['string']);
    this.formClick = fn('lumaro_form_click');
    this.pixelsAddress = fn('lumaro_pixels', 'number');
    this.stateJson = text('lumaro_state_json');
    this.trace = text('lumaro_trace');
    this.windowsJson = text('lumaro_windows_json');
    this.layoutJson = text('lumaro_layout_json');
    this.windowTextsJson = text('lumaro_window_texts');
    this.accessJson = text('lumaro_access_json');
  }

  // The canvas as RGBA bytes, a view into the module's memory: use it before the next call into
  // the core, which may move that memory.
  pixels(width, height) {
    const address = this.pixelsAddress();
    return new Uint8ClampedArray(this.module.HEAPU8.buffer, address, width * height * 4);
  }
}
