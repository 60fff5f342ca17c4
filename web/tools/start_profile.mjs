// Where the page's start spends the main thread, on a processor made four times slower:
//
//   node web/tools/start_profile.mjs [RUNS] [SITE_JSON [OTHER_SITE_JSON]]
//
// (with LUMARO_PROFILE_JS=1 in the environment also the JavaScript functions of each long task;
// LUMARO_SLOWDOWN=1 for the tasks as this machine runs them; LUMARO_TRACE_FILE=FILE keeps the
// last trace)
//
// publishes the site as `make web-dist` does (SITE_JSON, default build-web/web/site.json), serves
// it with its compressed copies and loads it RUNS times (default 5) in Debian's chromium with the
// processor slowed 4x (as Lighthouse's phone preset assumes), each time in a fresh profile, while
// a performance trace records the renderer's main thread. Two floors are loaded the same way in
// the same run: a page that only loads and instantiates the same core module, and one that also
// puts one image of the canvas's size. For each page it lists the medians of the total blocking
// time (the part of every task beyond 50 ms from the first contentful paint on, as Lighthouse
// counts it, summed until the page is ready plus two seconds),
// the longest task and the time until lumaro.ready, and every long task of the last run with what
// ran in it: scripts and their functions, compiling, style, layout, paint, and the page's own
// marks ("lumaro:...") that fall in it.

import { execFileSync } from 'node:child_process';
import { mkdtemp, readdir, readFile, rm, writeFile } from 'node:fs/promises';
import { loadavg, tmpdir } from 'node:os';
import { basename, dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

import puppeteer from 'puppeteer-core';

import { startServer } from '../serve.mjs';
import { publish, readSite } from '../site.mjs';

const kRepo = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const kChromium = process.env.CHROMIUM || '/usr/bin/chromium';
// LUMARO_SLOWDOWN=1 shows the tasks as this machine runs them, which Lighthouse's simulation multiplies.
const kSlowdown = Number(process.env.LUMARO_SLOWDOWN || 4);
const kScale = 4 / kSlowdown;
const kLongTask = 50;
const kSettleMs = 2000;
const kCategories = [
  '-*', 'toplevel', 'devtools.timeline', 'disabled-by-default-devtools.timeline', 'v8.execute',
  'blink.user_timing', 'loading', 'v8', 'v8.wasm', 'disabled-by-default-v8.compile',
];
// The JavaScript profile names the functions that ran in each long task, but its sampling slows
// the page down: only on request.
const kProfileJs = process.env.LUMARO_PROFILE_JS === '1';
if (kProfileJs)
  kCategories.push('disabled-by-default-v8.cpu_profiler');
const kFlags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-dev-shm-usage',
];

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

// The floors: the same module made and, for the second, one canvas-sized image put; each sets
// window.lumaro.ready as the page does.
function floorPage(coreName, paint) {
  return `<!doctype html><html lang="de"><head><meta charset="utf-8"><title>floor</title>
<script type="module">
import createLumaroCore from './${coreName}';
window.lumaro = { ready: createLumaroCore().then(() => {
  ${paint ? `const canvas = document.querySelector('canvas');
  canvas.getContext('2d', { alpha: false }).putImageData(new ImageData(new Uint8ClampedArray(1016 * 696 * 4).fill(255), 1016, 696), 0, 0);` : ''}
}) };
</script></head><body><p>Lumaro</p><canvas width="1016" height="696"></canvas></body></html>`;
}

// A name for what an event did, for the list of a long task's contents.
function describe(event) {
  const data = event.args?.data || event.args?.beginData || {};
  const file = data.url ? basename(new URL(data.url, 'http://x/').pathname) : '';
  switch (event.name) {
  case 'FunctionCall':
    return `call ${data.functionName || '(anonymous)'}${file ? ` ${file}:${data.lineNumber ?? ''}` : ''}`;
  case 'EvaluateScript':
  case 'v8.evaluateModule':
    return `evaluate ${file || data.url || 'module'}`;
  case 'v8.compile':
  case 'v8.compileModule':
    return `compile ${file}`;
  case 'EventDispatch':
    return `event ${data.type}`;
  case 'TimerFire':
    return 'timer';
  case 'FireAnimationFrame':
    return 'animation frame';
  default:
    return event.name;
  }
}

const kInteresting = new Set([
  'FunctionCall', 'EvaluateScript', 'v8.evaluateModule', 'v8.compile', 'v8.compileModule',
  'EventDispatch', 'TimerFire', 'FireAnimationFrame', 'ParseHTML', 'UpdateLayoutTree', 'Layout',
  'Paint', 'PrePaint', 'Layerize', 'Commit', 'ParseAuthorStyleSheet', 'Decode Image', 'ImageDecodeTask',
  'v8.wasm.streamFromResponseCallback', 'wasm.SyncInstantiate', 'wasm.CompileLazy',
  'v8.wasm.compileLazy', 'wasm.AsyncCompile', 'v8.wasm.finishedStreaming', 'v8.wasm.compiledModule',
  'ResourceReceivedData', 'ResourceFinish', 'V8.GCScavenger', 'MajorGC', 'MinorGC',
  'V8.GC_MC_BACKGROUND_MARKING', 'BlinkGC.AtomicPhase', 'HitTest', 'RunMicrotasks',
]);

// The samples of the main thread's JavaScript profile: [time in µs, self function, the innermost
// function of the page's own files on its stack], each with the time until the next sample.
function samples(events, pid, tid, symbols) {
  const nodes = new Map();
  const result = [];
  const profile = events.find((e) => e.pid === pid && e.tid === tid && e.name === 'Profile');
  if (!profile)
    return result;
  let time = profile.args.data.startTime;
  const chunks = events.filter((e) => e.pid === pid && e.name === 'ProfileChunk' && e.id === profile.id);
  const label = (frame) => {
    const wasm = frame.functionName?.match(/^(?:\$|wasm-function\[)(\d+)\]?$/);
    if (wasm)
      return `wasm ${symbols.get(Number(wasm[1])) || frame.functionName}`;
    return `${frame.functionName || '(anonymous)'}${frame.url ? ` ${basename(new URL(frame.url).pathname)}:${frame.lineNumber + 1}` : ''}`;
  };
  const pageOf = (node) => {
    for (let n = node; n; n = nodes.get(n.parent)) {
      const url = n.callFrame.url || '';
      if (url && !/lumaro-core\./.test(url))
        return label(n.callFrame);
    }
    return '';
  };
  for (const chunk of chunks) {
    const { cpuProfile = {}, timeDeltas = [] } = chunk.args.data;
    for (const node of cpuProfile.nodes || [])
      nodes.set(node.id, node);
    (cpuProfile.samples || []).forEach((id, i) => {
      time += timeDeltas[i];
      const node = nodes.get(id);
      result.push({ time, node });
    });
  }
  return result.map(({ time, node }, i) => ({
    time,
    dur: i + 1 < result.length ? result[i + 1].time - time : 0,
    self: node ? label(node.callFrame) : '?',
    page: node ? pageOf(node) : '',
  }));
}

// The main thread's tasks from navigation until ready plus the settling time, each with the time
// spent in what ran inside it (self time per description) and the page's marks inside it.
function analyse(trace, pageUrl, symbols) {
  const events = trace.traceEvents;
  const parse = events.find((e) => e.name === 'ParseHTML' && e.args?.beginData?.url?.startsWith(pageUrl));
  if (!parse)
    throw new Error(`no ParseHTML of ${pageUrl} in the trace`);
  const { pid, tid } = parse;
  const own = events.filter((e) => e.pid === pid && e.tid === tid && e.ph === 'X' && e.dur !== undefined);
  const marks = events.filter((e) => e.pid === pid && e.cat?.includes('blink.user_timing') && e.name.startsWith('lumaro:'));
  const readyMark = marks.find((e) => e.name === 'lumaro:ready');
  const navigation = events.find((e) => e.pid === pid && e.name === 'navigationStart')?.ts ?? parse.ts;
  const end = (readyMark?.ts ?? own.at(-1).ts) + kSettleMs * 1000;
  const tasks = own.filter((e) => e.name === 'RunTask' && e.ts >= navigation && e.ts < end)
    .sort((a, b) => a.ts - b.ts);
  const inside = own.filter((e) => kInteresting.has(e.name)).sort((a, b) => a.ts - b.ts || b.dur - a.dur);
  const profile = samples(events, pid, tid, symbols);
  const fcp = events.find((e) => e.pid === pid && e.name === 'firstContentfulPaint')?.ts ?? navigation;
  const result = [];
  for (const task of tasks) {
    const taskEnd = task.ts + task.dur;
    const children = inside.filter((e) => e.ts >= task.ts && e.ts + e.dur <= taskEnd);
    // Self time: an event's duration less that of the interesting events directly inside it.
    const self = new Map();
    const stack = [];
    for (const event of children) {
      while (stack.length && stack.at(-1).ts + stack.at(-1).dur <= event.ts)
        stack.pop();
      const name = describe(event);
      self.set(name, (self.get(name) || 0) + event.dur);
      if (stack.length) {
        const parentName = describe(stack.at(-1));
        self.set(parentName, self.get(parentName) - event.dur);
      }
      stack.push(event);
    }
    // What the JavaScript profile saw in the task: the page's functions (with the core's code
    // they called) and the functions that ran themselves.
    const byPage = new Map();
    const bySelf = new Map();
    for (const sample of profile) {
      if (sample.time < task.ts || sample.time >= taskEnd)
        continue;
      byPage.set(sample.page || '(other)', (byPage.get(sample.page || '(other)') || 0) + sample.dur);
      bySelf.set(sample.self, (bySelf.get(sample.self) || 0) + sample.dur);
    }
    const top = (map) => [...map].filter(([, us]) => us >= 2000).sort((a, b) => b[1] - a[1]).map(([name, us]) => [name, us / 1000]);
    result.push({
      afterFcp: task.ts >= fcp,
      js: top(byPage),
      jsSelf: top(bySelf),
      start: (task.ts - navigation) / 1000,
      ms: task.dur / 1000,
      parts: [...self].filter(([, us]) => us >= 1000).sort((a, b) => b[1] - a[1]).map(([name, us]) => [name, us / 1000]),
      marks: marks.filter((m) => m.ts >= task.ts && m.ts <= taskEnd).map((m) => m.name),
    });
  }
  return {
    tasks: result,
    // As Lighthouse counts it: from the first contentful paint on.
    // An unslowed run is scaled as Lighthouse's simulation does: every task four times as long.
    tbt: result.filter((task) => task.afterFcp).reduce((sum, task) => sum + Math.max(0, task.ms * kScale - kLongTask), 0),
    longest: Math.max(0, ...result.filter((task) => task.afterFcp).map((task) => task.ms)),
    fcp: (fcp - navigation) / 1000,
    ready: readyMark ? (readyMark.ts - navigation) / 1000 : NaN,
  };
}

async function load(browser, url, symbols) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport({ width: 412, height: 823, isMobile: true, hasTouch: true, deviceScaleFactor: 1.75 });
    const session = await page.createCDPSession();
    await session.send('Emulation.setCPUThrottlingRate', { rate: kSlowdown });
    await page.tracing.start({ categories: kCategories });
    await page.goto(url, { waitUntil: 'load' });
    await page.evaluate(() => window.lumaro.ready.then(() => performance.mark('lumaro:ready')));
    await new Promise((done) => setTimeout(done, kSettleMs));
    const bytes = Buffer.from(await page.tracing.stop());
    // LUMARO_TRACE_FILE keeps the last trace, for the browser's performance panel.
    if (process.env.LUMARO_TRACE_FILE)
      await writeFile(process.env.LUMARO_TRACE_FILE, bytes);
    const trace = JSON.parse(bytes.toString('utf8'));
    return analyse(trace, url, symbols);
  } finally {
    await context.close();
  }
}

async function main([runsText = '5', siteJson = join(kRepo, 'build-web', 'web', 'site.json'), otherJson]) {
  const runs = Math.max(1, Number(runsText));
  // The link writes the wasm functions' names beside the module ("index:name" a line).
  const symbols = new Map();
  const site = await readSite(siteJson);
  const symbolText = await readFile(join(site.root, 'lumaro-core.js.symbols'), 'utf8').catch(() => '');
  for (const line of symbolText.split('\n')) {
    const colon = line.indexOf(':');
    if (colon > 0)
      symbols.set(Number(line.slice(0, colon)), line.slice(colon + 1));
  }
  // C++ names readable where c++filt is at hand, without their parameter lists.
  try {
    const names = execFileSync('c++filt', { input: [...symbols.values()].join('\n'), maxBuffer: 1 << 26 }).toString().split('\n');
    [...symbols.keys()].forEach((index, i) => symbols.set(index, names[i].replace(/\(.*$/, '')));
  } catch {
    // Mangled, then.
  }
  const { folder } = await publish(site, await mkdtemp(join(tmpdir(), 'lumaro-start-profile-')));
  const html = await readFile(join(folder, 'index.html'), 'utf8');
  const coreName = html.match(/href="(lumaro-core\.[0-9a-f]{12}\.js)"/)?.[1];
  if (!coreName)
    throw new Error('index.html names no lumaro-core module');
  await writeFile(join(folder, 'floor-core.html'), floorPage(coreName, false));
  await writeFile(join(folder, 'floor-paint.html'), floorPage(coreName, true));
  // Another build of the site (e.g. of an earlier commit), served beside it as "other/".
  if (otherJson)
    await publish(await readSite(otherJson), join(folder, 'other'));
  const { server, url } = await startServer(folder);
  const profile = await mkdtemp(join(tmpdir(), 'lumaro-start-profile-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: kChromium, headless: true, args: [...kFlags, `--user-data-dir=${profile}`], userDataDir: profile,
  });
  const pages = { 'floor: core only': 'floor-core.html', 'floor: core + one image': 'floor-paint.html', page: '' };
  if (otherJson)
    pages['other build'] = `other/${basename((await readdir(join(folder, 'other')))[0])}/`;
  const results = Object.fromEntries(Object.keys(pages).map((name) => [name, []]));
  try {
    const loadBefore = loadavg()[0];
    // Interleaved, so that a change in the machine's load falls on every page alike.
    for (let i = 0; i < runs; ++i) {
      for (const [name, path] of Object.entries(pages))
        results[name].push(await load(browser, url + path, symbols));
    }
    const floor = results['floor: core + one image'];
    const floorTbt = median(floor.map((r) => r.tbt));
    const floorLongest = median(floor.map((r) => r.longest));
    console.log(`CPU ${kSlowdown}x slower, ${runs} runs each, medians; load average ${loadBefore.toFixed(1)} before, ${loadavg()[0].toFixed(1)} after`);
    console.log('| page | blocking time | longest task | first paint | ready at | blocking vs floor | longest vs floor | blocking time of each run |');
    console.log('|---|---|---|---|---|---|---|---|');
    for (const [name, list] of Object.entries(results)) {
      const tbt = median(list.map((r) => r.tbt));
      const longest = median(list.map((r) => r.longest));
      const ready = median(list.map((r) => r.ready));
      const fcp = median(list.map((r) => r.fcp));
      console.log(`| ${name} | ${tbt.toFixed(0)} ms | ${longest.toFixed(0)} ms | ${fcp.toFixed(0)} ms | ${ready.toFixed(0)} ms | `
        + `${floorTbt ? (tbt / floorTbt).toFixed(2) : '-'} | ${(longest / floorLongest).toFixed(2)} | ${list.map((r) => r.tbt.toFixed(0)).join(', ')} |`);
    }
    const tbts = results.page.map((r) => r.tbt);
    const last = results.page[tbts.indexOf([...tbts].sort((a, b) => a - b)[Math.floor(tbts.length / 2)])];
    const least = kLongTask / 2 / kScale;
    console.log(`\nThe page's tasks of ${least} ms or more (the run of the median blocking time):`);
    for (const task of last.tasks.filter((t) => t.ms >= least)) {
      const parts = task.parts.slice(0, 6).map(([name, ms]) => `${name} ${ms.toFixed(0)}`).join(', ');
      console.log(`  at ${task.start.toFixed(0)} ms${task.afterFcp ? '' : ' (before the first paint)'}: ${task.ms.toFixed(0)} ms${task.marks.length ? ` [${task.marks.join(' ')}]` : ''}: ${parts}`);
      const list = (entries) => entries.slice(0, 5).map(([name, ms]) => `${name} ${ms.toFixed(0)}`).join(', ');
      if (task.js.length)
        console.log(`      page functions: ${list(task.js)}`);
      if (task.jsSelf.length)
        console.log(`      self: ${list(task.jsSelf)}`);
    }
  } finally {
    await browser.close();
    server.close();
    await rm(dirname(folder), { recursive: true, force: true });
    await rm(profile, { recursive: true, force: true });
  }
}

main(process.argv.slice(2)).catch((error) => {
  console.error(`start_profile.mjs: ${error.stack || error}`);
  process.exitCode = 1;
});
