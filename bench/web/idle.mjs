// What kavelo-play's page costs while nobody plays, and how soon it shows its first frame,
// for one or more builds of the site measured in the same browser.
//   node bench/web/idle.mjs [--seconds N] [--repeat K] [--ready <js expression>] <site dir> [<another site dir>...]
// Each site is served on 127.0.0.1 and /play/ opened in a fresh browser context. The page is
// ready when the --ready expression holds (by default `window.kaveloPlay && window.kaveloPlay.frames > 0`)
// or when one of its canvases shows a pixel, whichever comes first. After 2 s to settle, the
// DevTools protocol's TaskDuration and ScriptDuration give the page's main-thread work over
// N idle seconds (10); the CPU time of all Chromium's processes over the same span is given
// too, as work moved to a worker, the compositor or the GPU process escapes the main thread's
// figures. The first frame is timed from the navigation's start: cold, and, when the page
// registers a service worker, again after a reload in the same context. --repeat takes the
// sites in turns K times and prints medians.
import { chromium } from '../../tests/web/node_modules/playwright-core/index.mjs';
import { serve } from '../../scripts/serve.mjs';

const options = { seconds: 10, repeat: 1, ready: 'window.kaveloPlay && window.kaveloPlay.frames > 0' };
const sites = [];
const usage = () => {
  console.error('usage: node bench/web/idle.mjs [--seconds N] [--repeat K] [--ready <js expression>] <site dir>...');
  process.exit(2);
};
for (const args = process.argv.slice(2); args.length > 0;) {
  const arg = args.shift();
  if (!arg.startsWith('--')) sites.push(arg);
  else if (arg.slice(2) in options && args.length > 0) options[arg.slice(2)] = args.shift();
  else usage();
}
const seconds = Number(options.seconds), repeat = Number(options.repeat);
if (sites.length === 0 || !(seconds > 0) || !(Number.isInteger(repeat) && repeat > 0)) usage();

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const median = (values) => {
  const v = values.filter((x) => x !== null).sort((a, b) => a - b);
  return v.length === 0 ? null : v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
};

// Evaluated in the page every 10 ms until it answers; a string, so that the --ready
// expression is the page's own code. A canvas counts as drawn when a small copy of it
// holds a pixel that is not transparent: drawImage reads any canvas without giving it a
// context, which could take the page's own choice of context away.
const readyCheck = `(() => {
  let how = '';
  try { if (${options.ready}) how = 'the ready expression'; } catch {}
  for (const canvas of how ? [] : document.querySelectorAll('canvas')) {
    if (canvas.width === 0 || canvas.height === 0) continue;
    const copy = document.createElement('canvas');
    copy.width = copy.height = 32;
    const context = copy.getContext('2d', { willReadFrequently: true });
    context.drawImage(canvas, 0, 0, 32, 32);
    if (context.getImageData(0, 0, 32, 32).data.some((value, i) => i % 4 === 3 && value > 0)) how = 'a drawn canvas';
  }
  return how && { how, ms: performance.now() };
})()`;
// Milliseconds from the navigation's start to the first frame, by the page's own clock.
async function firstFrame(page) {
  const shown = await page.waitForFunction(readyCheck, null, { timeout: 20000, polling: 10 });
  return shown.jsonValue();
}

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'] });
const browserSession = await browser.newBrowserCDPSession();
// The CPU seconds of every Chromium process so far; only one page is open at a time.
async function chromiumCpu() {
  const { processInfo } = await browserSession.send('SystemInfo.getProcessInfo');
  return processInfo.reduce((sum, p) => sum + p.cpuTime, 0);
}

async function measure(url) {
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    await page.goto(`${url}play/`);
    const cold = await firstFrame(page);
    await sleep(2000);
    const hasWorker = await page.evaluate(async () =>
      'serviceWorker' in navigator && (await navigator.serviceWorker.getRegistration()) !== undefined);
    let second = null, controlled = false;
    if (hasWorker) {
      // The worker has to be active, its cache filled, before the second visit can use it.
      await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
      await page.reload();
      second = await firstFrame(page);
      controlled = await page.evaluate(() => navigator.serviceWorker.controller !== null);
      await sleep(2000);
    }
    const session = await context.newCDPSession(page);
    await session.send('Performance.enable');
    const metrics = async () => Object.fromEntries((await session.send('Performance.getMetrics')).metrics
      .map(({ name, value }) => [name, value]));
    const before = await metrics(), cpuBefore = await chromiumCpu();
    await sleep(seconds * 1000);
    const after = await metrics(), cpuAfter = await chromiumCpu();
    const perSecond = (s) => (s * 1000) / seconds;
    return {
      task: perSecond(after.TaskDuration - before.TaskDuration),
      script: perSecond(after.ScriptDuration - before.ScriptDuration),
      cpu: perSecond(cpuAfter - cpuBefore),
      cold: cold.ms, how: cold.how, second: second?.ms ?? null, hasWorker, controlled,
    };
  } finally {
    await context.close();
  }
}

const servers = [];
try {
  for (const site of sites) servers.push(await serve(site));
  // One visit first, so that no site is charged with the browser's start.
  const warmUp = await browser.newContext();
  const warmPage = await warmUp.newPage();
  await warmPage.goto(`${servers[0].url}play/`);
  await firstFrame(warmPage);
  await warmUp.close();
  const runs = sites.map(() => []);
  for (let r = 0; r < repeat; r++) {
    for (let i = 0; i < sites.length; i++) runs[i].push(await measure(servers[i].url));
  }
  const f = (x) => (x === null ? 'n/a' : x.toFixed(1));
  console.log(`idle ${seconds} s, first frame from navigation start; median of ${repeat}`);
  sites.forEach((site, i) => {
    const m = (key) => median(runs[i].map((run) => run[key]));
    const worker = !runs[i].some((run) => run.hasWorker) ? 'no service worker'
      : `${f(m('second'))} ms on the second visit (${runs[i].every((run) => run.controlled) ? '' : 'not always '}served by the service worker)`;
    const hows = [...new Set(runs[i].map((run) => run.how))].join(', ');
    console.log(`${site}\n  main thread busy ${f(m('task'))} ms/s (script ${f(m('script'))} ms/s), ` +
      `all Chromium processes ${f(m('cpu'))} ms CPU/s\n  first frame ${f(m('cold'))} ms cold (seen by ${hows}); ${worker}`);
  });
} finally {
  await browser.close();
  for (const server of servers) await server.close();
}
