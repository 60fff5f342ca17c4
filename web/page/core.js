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
    this.draw = fn('lumaro_draw');
    this.pixelsAddress = fn('lumaro_pixels', 'number');
    this.pixelsChangedAddress = fn('lumaro_pixels_changed', 'number');
    this.stateJson = text('lumaro_state_json');
    this.trace = text('lumaro_trace');
    this.explainJson = text('lumaro_explain_json');
    this.panelOfColumn = fn('lumaro_panel_of_column', 'number', ['number']);
    const whyOf = fn('lumaro_why_of', 'number', ['number']);
    this.whyOf = (panel) => module.UTF8ToString(whyOf(panel));
    this.windowsJson = text('lumaro_windows_json');
    this.layoutJson = text('lumaro_layout_json');
    this.windowTextsJson = text('lumaro_window_texts');
    this.columnsJson = text('lumaro_columns_json');
    const textOf = (name, args) => {
      const call = fn(name, 'number', args);
      return (...values) => module.UTF8ToString(call(...values));
    };
    // The self-test: items, situations on the line, the learner's progress.
    this.quiz = textOf('lumaro_quiz', ['string', 'number']);
    this.quizStart = textOf('lumaro_quiz_start', ['string', 'string', 'string']);
    this.quizSystems = fn('lumaro_quiz_systems', null, ['string']);
    this.quizChoose = fn('lumaro_quiz_choose', 'number', ['number']);
    this.quizProceed = fn('lumaro_quiz_proceed', 'number');
    this.quizAfterTick = fn('lumaro_quiz_after_tick');
    this.quizClose = fn('lumaro_quiz_close');
    this.quizView = text('lumaro_quiz_view');
    this.progressLoad = textOf('lumaro_progress_load', ['string']);
    this.progressLoadBackup = textOf('lumaro_progress_load_backup', ['string']);
    this.progressUnreadable = textOf('lumaro_progress_unreadable', ['number', 'string', 'string', 'string']);
    this.progressReset = fn('lumaro_progress_reset');
    this.progressRestore = fn('lumaro_progress_restore', 'number');
    this.progressText = text('lumaro_progress_text');
    this.progressBackupText = text('lumaro_progress_backup_text');
    this.progressView = text('lumaro_progress_view');
    this.accessJson = text('lumaro_access_json');
    // The speed along the line (view 0: as lumaro-render --run writes it; 1: as the page draws
    // it), and one step of a train running it.
    this.run = textOf('lumaro_run', ['number', 'number', 'number']);
    this.trainStep = textOf('lumaro_train_step', ['number', 'number', 'number', 'number', 'number', 'number']);
  }

  // The canvas as RGBA bytes, a view into the module's memory: use it before the next call into
  // the core, which may move that memory.
  pixels(width, height) {
    const address = this.pixelsAddress();
    return new Uint8ClampedArray(this.module.HEAPU8.buffer, address, width * height * 4);
  }

  // The part of the canvas that the last pixels() changed: [left, top, width, height].
  pixelsChanged() {
    const address = this.pixelsChangedAddress();
    return Array.from(new Int32Array(this.module.HEAPU8.buffer, address, 4));
  }
}
