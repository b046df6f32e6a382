// The web build's tests in headless Chromium: kavelo-play's page, pictures decoded by the
// browser against the frames the native plug-in composes, and hostile calls to the
// JavaScript package.
//   node run.mjs <site dir> <fixtures dir>
// The site and the fixtures (under /fixtures/) are served on 127.0.0.1; each test gets a
// page of its own and a time limit. One line per test; the exit status is 1 on a failure.
import { readFile, readdir, writeFile } from 'node:fs/promises';
import { extname, join } from 'node:path';
import { chromium } from 'playwright-core';
import { serve } from '../../scripts/serve.mjs';

const [siteDir, fixturesDir] = process.argv.slice(2);
if (!siteDir || !fixturesDir) {
  console.error('usage: node run.mjs <site dir> <fixtures dir>');
  process.exit(2);
}
const TIME_LIMIT_MS = 60000;
// The page the package's tests run in: they import the package and make their canvases.
await writeFile(join(fixturesDir, 'blank.html'),
  '<!doctype html><meta charset="utf-8"><link rel="icon" href="data:,"><title>kavelo tests</title>');
const server = await serve(siteDir, 0, { '/fixtures/': fixturesDir });
const origin = server.url.replace(/\/$/, '');

const check = (ok, message) => { if (!ok) throw new Error(message); };
const pause = (page, ms) => page.evaluate((ms) => new Promise((resolve) => setTimeout(resolve, ms)), ms);

// --- kavelo-play's page ----------------------------------------------------------------------

const KAVELO_QUERY_TILES_LEFT = 256;

// Loads the page (with address options, if any) and waits for its first frame; answers
// when it came, in milliseconds from the start of the navigation by the page's own clock.
async function openPlay(page, query = '') {
  await page.goto(`${origin}/play/${query}`);
  const shown = await page.waitForFunction(() => window.kaveloPlay?.frames > 0 && performance.now(), null,
    { timeout: 5000, polling: 10 });
  return Math.round(await shown.jsonValue());
}

// A page of its own in a fresh context, for the screen and input it asks for.
async function pageIn(page, options) {
  const context = await page.context().browser().newContext(options);
  return { context, page: await context.newPage() };
}

const tapCell = async (page, x, y, touch) => {
  const point = await page.evaluate(([x, y]) => window.kaveloPlay.cellCenter(x, y), [x, y]);
  await (touch ? page.touchscreen.tap(point.x, point.y) : page.mouse.click(point.x, point.y));
};

// How many bytes of the page's canvas differ from a fixture's RGBA frame (-1: the sizes).
const bytesDiffering = (page, fixture) => page.evaluate(async (fixture) => {
  const canvas = document.getElementById('frame');
  const shown = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  const expected = new Uint8Array(await (await fetch(`/fixtures/${fixture}`)).arrayBuffer());
  if (expected.length !== shown.length) return -1;
  let differing = 0;
  for (let i = 0; i < shown.length; i++) differing += shown[i] !== expected[i];
  return differing;
}, fixture);

const SCREENS = [
  { name: 'phone', viewport: { width: 360, height: 640 }, isMobile: true, hasTouch: true, deviceScaleFactor: 3 },
  { name: 'small', viewport: { width: 800, height: 600 } },
  { name: 'large', viewport: { width: 1920, height: 1080 } },
];

const pageTests = {
  async 'page: loads cleanly and shows a frame within 2 s'(page) {
    const ms = await openPlay(page);
    check(ms < 2000, `first frame after ${ms} ms`);
    return `first frame ${ms} ms`;
  },
  async 'page: fits phones and monitors whole, portrait on a portrait screen, with labelled buttons'(page) {
    const seen = [];
    for (const { name, ...options } of SCREENS) {
      const { context, page: p } = await pageIn(page, options);
      await openPlay(p);
      const layout = await p.evaluate(() => {
        const canvas = document.getElementById('frame'), rect = canvas.getBoundingClientRect();
        const status = document.getElementById('status');
        return { scroll: document.documentElement.scrollWidth, width: innerWidth, height: innerHeight,
          rect: [rect.left, rect.top, rect.right, rect.bottom], board: [canvas.width, canvas.height],
          live: status.getAttribute('aria-live'), buttons: [...document.querySelectorAll('button')].map((b) => b.textContent) };
      });
      await context.close();
      const [left, top, right, bottom] = layout.rect;
      check(layout.scroll <= layout.width, `${name}: the page scrolls sideways (${layout.scroll} > ${layout.width})`);
      check(left >= 0 && top >= 0 && right <= layout.width + 0.5 && bottom <= layout.height + 0.5,
        `${name}: the board lies at ${layout.rect} in ${layout.width} x ${layout.height}`);
      check((layout.board[1] > layout.board[0]) === (name === 'phone'), `${name}: a board of ${layout.board}`);
      check(layout.live === 'polite', `${name}: the status is not a live region`);
      check(['Hint', 'Shuffle', 'Undo', 'Redo', 'Pause', 'Sound', 'New game'].every((b) => layout.buttons.includes(b)),
        `${name}: buttons ${layout.buttons}`);
      seen.push(`${name} ${Math.round(right - left)} px`);
    }
    return seen.join(', ');
  },
  async 'page: on a phone, taps on Hint and on the marked cells remove the pair; Pause shows the banner'(page) {
    const { context, page: p } = await pageIn(page, SCREENS[0]);
    await openPlay(p);
    const tiles = () => p.evaluate((q) => window.kaveloPlay.query(q), KAVELO_QUERY_TILES_LEFT);
    const before = await tiles();
    await p.getByRole('button', { name: 'Hint' }).tap();
    const hinted = await p.evaluate(() => window.kaveloPlay.hinted());
    check(hinted, 'Hint marked no pair');
    await tapCell(p, hinted[0], hinted[1], true);
    await tapCell(p, hinted[2], hinted[3], true);
    const after = await tiles();
    await p.getByRole('button', { name: 'Pause' }).tap();
    await p.evaluate(() => window.kaveloPlay.tick());
    const banner = await p.evaluate(() => {
      const canvas = document.getElementById('frame'), row = Math.floor(canvas.height / 2) - 55;
      const { data } = canvas.getContext('2d').getImageData(0, row, canvas.width, 1);
      let dark = 0;
      for (let i = 0; i < data.length; i += 4) dark += data[i] + data[i + 1] + data[i + 2] < 120;
      return { dark: dark / canvas.width, pressed: document.querySelector('[data-action=pause]').getAttribute('aria-pressed'),
        status: document.getElementById('status').textContent };
    });
    await context.close();
    check(after === before - 2, `tiles left ${before} -> ${after}`);
    check(banner.dark > 0.9 && banner.pressed === 'true' && banner.status.includes('paused'), JSON.stringify(banner));
  },
  async 'page: the address options deal the board they say, and refused ones say why'(page) {
    await openPlay(page, '?columns=6&rows=4&kinds=6&copies=4&seconds=90&cell=48');
    const dealt = await page.evaluate((q) => [document.getElementById('frame').width, window.kaveloPlay.query(q),
      document.getElementById('clock').textContent], KAVELO_QUERY_TILES_LEFT);
    check(dealt[0] === 8 * 48 && dealt[1] === 24 && dealt[2] === '1:30 left', `dealt ${dealt}`);
    for (const [query, why] of [['?kinds=43', 'the artwork has 42 tile pictures'], ['?columns=0', '--columns takes a number'],
      ['?art=/etc', 'unknown option']]) {
      await page.goto(`${origin}/play/${query}`);
      await page.waitForFunction(() => /cannot|could not/.test(document.getElementById('status').textContent));
      const said = await page.evaluate(() => document.getElementById('status').textContent);
      check(said.includes(why), `${query}: "${said}"`);
    }
  },
  async 'page: the address names the deal, Replay deals it again, and the day\'s deal won without help is copied'(page) {
    const words = () => page.evaluate(() => [document.getElementById('status').textContent, location.search]);
    await openPlay(page, '?deal=48213');
    const seen = [await words()];
    await page.getByRole('button', { name: 'New game' }).click();
    seen.push(await words());
    await page.getByRole('button', { name: 'Replay' }).click();
    seen.push(await words());
    const fresh = seen[1][1].slice('?deal='.length);
    check(seen[0][0].startsWith('deal 48213  score 0') && seen[0][1] === '?deal=48213', `named: ${seen[0]}`);
    check(/^\d+$/.test(fresh) && fresh !== '48213' && seen[1][0].startsWith(`deal ${fresh}  score 0`), `new: ${seen[1]}`);
    check(seen[2][1] === seen[1][1] && seen[2][0].startsWith(`deal ${fresh}  score 0`), `replayed: ${seen[2]}`);

    await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
    await page.getByRole('button', { name: 'Daily' }).click();
    await page.waitForFunction(() => location.search === '?daily' && window.kaveloPlay?.frames > 0);
    await page.evaluate(() => window.kaveloPlay.hold());
    const today = new Date().toISOString().slice(0, 10);
    const [daily] = await words();
    check(daily.startsWith(`daily ${today}  score 0`), `daily: ${daily}`);
    check(await page.locator('#share').isHidden(), 'a result to share before the win');
    for (let pairs = 0; pairs < 80 && await page.evaluate((q) => window.kaveloPlay.query(q), KAVELO_QUERY_TILES_LEFT) > 0; pairs++) {
      const pair = await page.evaluate(() => window.kaveloPlay.solvedPair());
      check(pair, 'the solver found no clearing');
      await tapCell(page, pair[0], pair[1]);
      await tapCell(page, pair[2], pair[3]);
    }
    await page.getByRole('button', { name: 'Copy result' }).click();
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    check(new RegExp(`^Kavelo daily ${today}: cleared in \\d+:\\d\\d, no help, 0 misses$`).test(copied), `copied "${copied}"`);
    const [won] = await words();
    check(won.includes('daily streak 1 day'), `won: ${won}`);
    return copied;
  },
  async 'page: tiles fall by the address\'s variant, and a pair that does not link says why'(page) {
    await openPlay(page, '?gravity=down&deal=5');
    await page.evaluate(() => window.kaveloPlay.hold());
    const status = () => page.evaluate(() => document.getElementById('status').textContent);
    const first = await status();
    const chosen = await page.locator('#gravity').inputValue();
    check(first.startsWith('deal 5, tiles fall down  score 0') && chosen === 'down', `${first}; the choice ${chosen}`);
    let said = '';
    for (let x = 2; x <= 16 && !said; x++) {  // along the bottom row, which the falls keep full
      await tapCell(page, 1, 10);
      await tapCell(page, x, 10);
      const words = await status();
      if (/not a pair|no path with two turns/.test(words)) said = words;
      await tapCell(page, 0, 0);  // nothing selected for the next try
    }
    check(said, 'no pair failed');
    await page.locator('#gravity').selectOption('left');
    await page.waitForFunction(() => /gravity=left/.test(location.search) && window.kaveloPlay?.frames > 0);
    const left = await status();
    check(/^deal \d+, tiles fall left  score 0/.test(left), `after choosing left: ${left}`);
    return said.slice(said.indexOf('  -  ') + 5);
  },
  async 'page: a game left is resumed paused on the next visit, and waits after the tab is hidden'(page) {
    await openPlay(page);
    await page.evaluate(() => window.kaveloPlay.hold());
    const hinted = await (await page.getByRole('button', { name: 'Hint' }).click(), page.evaluate(() => window.kaveloPlay.hinted()));
    await tapCell(page, hinted[0], hinted[1]);
    await tapCell(page, hinted[2], hinted[3]);
    await page.reload();  // the page keeps its game as it goes
    await page.waitForFunction(() => window.kaveloPlay?.frames > 0);
    const back = await page.evaluate(() => document.getElementById('status').textContent);
    check(back.includes('pairs 1') && back.includes('resumed'), `after the visit: ${back}`);
    await page.keyboard.press('p');
    const hidden = await page.evaluate(() => {
      const show = (hidden) => {
        Object.defineProperty(document, 'hidden', { value: hidden, configurable: true });
        document.dispatchEvent(new Event('visibilitychange'));
      };
      const playing = document.getElementById('status').textContent;
      show(true);
      show(false);
      return [playing, document.getElementById('status').textContent];
    });
    check(!hidden[0].includes('paused') && hidden[1].includes('paused'), `before and after hiding: ${hidden}`);
  },
  async 'page: a second visit plays without the network, from the service worker'(page) {
    const own = await serve(siteDir, 0);
    await page.goto(`${own.url}play/`);
    await page.waitForFunction(async () => (await navigator.serviceWorker.ready).active?.state === 'activated',
      null, { timeout: 10000 });
    await own.close();
    await page.reload();
    const ms = await page.waitForFunction(() => window.kaveloPlay?.frames > 0 && performance.now(), null, { timeout: 5000 });
    const status = await page.evaluate(() => document.getElementById('status').textContent);
    check(/^deal \d+  score/.test(status), `offline: ${status}`);
    return `first frame offline ${Math.round(await ms.jsonValue())} ms`;
  },
  async 'page: the same moves give the desktop core\'s frames, byte for byte'(page) {
    const steps = JSON.parse(await readFile(join(fixturesDir, 'play-steps.json'), 'utf8'));
    const saved = [...await readFile(join(fixturesDir, 'play-saved-game'))];
    await page.context().addInitScript((bytes) => {
      localStorage.setItem('kavelo-play/state/game-16x10-k36-c4-s480', String.fromCharCode(...bytes));
    }, saved);
    await page.setViewportSize({ width: 1280, height: 800 });
    await openPlay(page, '?cell=48');  // the installed art, as the desktop core's frames were made with
    await page.evaluate(() => window.kaveloPlay.hold());
    const moves = [
      async () => {},
      async () => page.keyboard.press('p'),
      async () => { for (const key of ['ArrowRight', 'ArrowRight', 'ArrowDown']) await page.keyboard.press(key); },
      async () => {
        await page.keyboard.press('h');
        const hinted = await page.evaluate(() => window.kaveloPlay.hinted());
        check(String(hinted) === String(steps.hinted), `hinted ${hinted}, the desktop ${steps.hinted}`);
      },
      async () => { await tapCell(page, steps.hinted[0], steps.hinted[1]); await tapCell(page, steps.hinted[2], steps.hinted[3]); },
      async () => { await page.keyboard.press('m'); await page.keyboard.press('p'); },
    ];
    check(moves.length === steps.steps, `${steps.steps} steps in the fixtures`);
    for (let n = 0; n < moves.length; n++) {
      await moves[n]();
      await page.evaluate(() => window.kaveloPlay.tick());
      const differing = await bytesDiffering(page, `play-${n}.rgba`);
      check(differing === 0, `step ${n}: ${differing} bytes differ`);
    }
    return `${moves.length} frames`;
  },
  async 'page: the tiles are drawn for the device pixels at ratios 1, 2 and 3, not scaled, and again for a larger window'(page) {
    const seen = [];
    for (const deviceScaleFactor of [1, 2, 3]) {
      const { context, page: p } = await pageIn(page, { viewport: { width: 1280, height: 800 }, deviceScaleFactor });
      await openPlay(p);
      const shown = await p.evaluate(() => {
        const canvas = document.getElementById('frame'), rect = canvas.getBoundingClientRect();
        return { backing: [canvas.width, canvas.height], css: [rect.width, rect.height], crisp: canvas.classList.contains('crisp'),
          cell: window.kaveloPlay.query(16), ratio: devicePixelRatio };
      });
      await context.close();
      const [width, height] = shown.backing;
      check(shown.ratio === deviceScaleFactor, `ratio ${shown.ratio}`);
      check(Math.abs(width - shown.css[0] * deviceScaleFactor) < 1 && Math.abs(height - shown.css[1] * deviceScaleFactor) < 1,
        `x${deviceScaleFactor}: a backing store of ${shown.backing} for ${shown.css} CSS pixels`);
      check(shown.crisp && width === 18 * shown.cell, `x${deviceScaleFactor}: cells of ${shown.cell} in ${width} pixels`);
      // The largest cell whose board fits the room, up to 128: larger on denser screens.
      check(shown.cell >= Math.min(128, 48 * deviceScaleFactor), `x${deviceScaleFactor}: cells of ${shown.cell}`);
      seen.push(`x${deviceScaleFactor} ${shown.cell} px cells`);
    }
    // A window made larger is drawn for again, with the game kept.
    const { context, page: p } = await pageIn(page, { viewport: { width: 900, height: 700 } });
    await openPlay(p);
    const before = await p.evaluate(() => [window.kaveloPlay.query(16), window.kaveloPlay.query(256)]);
    await p.setViewportSize({ width: 1900, height: 1300 });
    await p.waitForFunction((cell) => window.kaveloPlay?.frames > 0 && window.kaveloPlay.query(16) > cell, before[0],
      { timeout: 10000 });
    const after = await p.evaluate(() => [window.kaveloPlay.query(16), window.kaveloPlay.query(256),
      document.getElementById('status').textContent]);
    await context.close();
    check(after[1] === before[1] && after[2].includes('resumed'), `after the window grew: ${after}, before ${before}`);
    seen.push(`a larger window ${before[0]} -> ${after[0]} px cells`);
    return seen.join(', ');
  },
  async 'page: the contrast switch draws white tiles with black outlines, and is kept'(page) {
    const whiteShare = () => page.evaluate(() => {
      const canvas = document.getElementById('frame');
      const { data } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
      let white = 0;
      for (let i = 0; i < data.length; i += 4) white += data[i] === 255 && data[i + 1] === 255 && data[i + 2] === 255;
      return white / (canvas.width * canvas.height);
    });
    await openPlay(page, '?cell=48');
    const before = await whiteShare();
    await Promise.all([page.waitForNavigation(), page.getByRole('switch', { name: 'High contrast' }).check()]);
    await page.waitForFunction(() => window.kaveloPlay?.frames > 0);
    await page.keyboard.press('p');  // the game kept is resumed paused, its tiles hidden
    await page.evaluate(() => window.kaveloPlay.tick());
    const after = await whiteShare();
    const kept = await page.evaluate(() => [localStorage.getItem('kavelo-play/settings/style'),
      document.getElementById('contrast').checked]);
    check(before < 0.01 && after > 0.2, `pure white: ${before.toFixed(3)} of the board, then ${after.toFixed(3)}`);
    check(String(kept) === 'contrast,true', `kept ${kept}`);
    return `pure white ${before.toFixed(3)} -> ${after.toFixed(3)}`;
  },
  async 'page: ten frames a second'(page) {
    await openPlay(page);
    const frames = await page.evaluate(async () => {
      const start = window.kaveloPlay.frames;
      await new Promise((resolve) => setTimeout(resolve, 3000));
      return window.kaveloPlay.frames - start;
    });
    check(frames >= 24 && frames <= 36, `${frames} frames in 3 s`);
    return `${frames} frames in 3 s`;
  },
};

// --- pictures --------------------------------------------------------------------------------

// The largest difference of a colour channel allowed between the browser's frame and the
// native one. PNG, BMP and GIF carry exact values, so opaque pictures must match exactly;
// partly transparent ones (PngSuite's colour types 4a and 6a) pass through a canvas that
// keeps them premultiplied, and may be 1 off once blended. JPEG decoders may differ by a
// little in their inverse transform and chroma upsampling.
const TOLERANCE = { png: 0, bmp: 0, gif: 0, jpg: 2 };
const tolerance = (stem) => Math.max(TOLERANCE[stem.split('-')[1]], /^.{4}[46]a/.test(stem) ? 1 : 0);
const SET_UP = (art, stem, suffix, extra = 'w,4;h,3;c,1;r,2;') => `param,1;${extra}screenWidth,128;screenHeight,96;` +
  `screenBits,32;zeroX,0;zeroY,0;iconPath,${art}/${stem};iconType,${suffix};animationFrames,0;`;

// Loads the package into a blank page with the fixtures preloaded.
async function openPackage(page, names) {
  await page.goto(`${origin}/fixtures/blank.html`);
  return page.evaluate(async (names) => {
    const { loadKavelo } = await import('/kavelo.js');
    window.kavelo = await loadKavelo();
    return { failed: await window.kavelo.preloadArt('/fixtures/', names), art: window.kavelo.artDir };
  }, names);
}

const pictureTests = {
  async 'pictures: PNG, BMP, JPEG and GIF tiles compose as natively, broken files are refused'(page) {
    const files = await readdir(fixturesDir);
    const pictures = files.filter((f) => /^[a-z0-9]+-[a-z]+1\.[a-z]+$/.test(f));
    check(pictures.length >= 16, `only ${pictures.length} pictures in ${fixturesDir}`);
    const { failed, art } = await openPackage(page, pictures);
    check(failed.length === 0, `not fetched: ${failed}`);
    const cases = pictures.map((f) => {
      const stem = f.replace(/1\.[a-z]+$/, '');
      return { stem, setUp: SET_UP(art, stem, extname(f)), native: files.includes(`${stem}.frame`) };
    });
    const results = await page.evaluate(async (cases) => {
      const canvas = Object.assign(document.createElement('canvas'), { width: 128, height: 96 });
      const out = [];
      for (const { stem, setUp: command, native } of cases) {
        const game = window.kavelo.createGame(canvas);
        const setUp = game.command(command);
        let maxDiff = -1, differing = 0;
        if (setUp === 0 && game.event('type,0;') === 0 && native) {
          const frame = new Uint8Array(await (await fetch(`/fixtures/${stem}.frame`)).arrayBuffer());
          const shown = canvas.getContext('2d').getImageData(0, 0, 128, 96).data;
          maxDiff = frame.length === shown.length ? 0 : 256;
          for (let i = 0; i < shown.length && maxDiff < 256; i += 4) {
            const d = Math.max(...[2, 1, 0].map((c, k) => Math.abs(shown[i + k] - frame[i + c])));
            maxDiff = Math.max(maxDiff, d);
            differing += d > 0;
          }
        }
        game.close();
        out.push({ stem, native, setUp, maxDiff, differing });
      }
      return out;
    }, cases);
    // The browser takes what the native plug-in takes; broken files (PngSuite's x*) neither.
    const wrong = results.filter(({ stem, native, setUp, maxDiff }) => native
      ? stem.startsWith('x') || setUp !== 0 || maxDiff < 0 || maxDiff > tolerance(stem)
      : setUp !== -1);
    check(wrong.length === 0, JSON.stringify(wrong));
    check(results.some((r) => r.stem.startsWith('x')), 'no broken file among the fixtures');
    const worst = (type) => Math.max(...results.filter((r) => r.stem.endsWith(`-${type}`)).map((r) => r.maxDiff));
    const worstByType = Object.keys(TOLERANCE).map((type) => `${type} ${worst(type)}`).join(', ');
    return `${results.length} files; largest difference ${worstByType}`;
  },
  async 'pictures: forty tiles of 8192 x 8192 are refused by the budget before any decode'(page) {
    const { art } = await openPackage(page, []);
    const outcome = await page.evaluate(async (setUp) => {
      const kavelo = window.kavelo, before = kavelo.decodedPictures;
      const failed = await kavelo.preloadArt('/fixtures/', Array.from({ length: 40 }, (_, i) => `big${i + 1}.png`));
      const game = kavelo.createGame(Object.assign(document.createElement('canvas'), { width: 128, height: 96 }));
      const start = performance.now();
      const result = game.command(setUp);
      const ms = performance.now() - start;
      game.close();
      return { failed: failed.length, result, ms, decoded: kavelo.decodedPictures - before };
    }, SET_UP(art, 'big', '.png', 'w,12;h,10;c,40;r,2;'));
    const { failed, result, decoded, ms } = outcome;
    check(failed === 0 && result === -1 && decoded === 0 && ms < 50, JSON.stringify(outcome));
    return `refused in ${outcome.ms.toFixed(1)} ms`;
  },
};

// --- hostile calls to the package --------------------------------------------------------------

// Each call of the table, made in the page: what it threw (the error's name) or answered.
async function hostileCalls() {
  const { loadKavelo, MAX_TEXT_LENGTH } = await import('/kavelo.js');
  const kavelo = await loadKavelo();
  await kavelo.preloadArt('/play/art/');
  const art = kavelo.artDir;
  const canvasOf = (width, height) => Object.assign(document.createElement('canvas'), { width, height });
  const setUp = (game, extra = 'w,6;h,5;c,4;r,3;') => game.command(`param,1;${extra}screenWidth,288;screenHeight,240;` +
    `screenBits,32;zeroX,0;zeroY,0;iconPath,${art}/tile;iconType,.png;animationFrames,0;`);
  const live = kavelo.createGame(canvasOf(288, 240));
  setUp(live);
  const saved = live.save();
  const closed = kavelo.createGame(canvasOf(288, 240));
  setUp(closed);
  closed.close();
  // A game of one pair that closes itself when it is won.
  const selfClosing = kavelo.createGame(canvasOf(288, 240), { onGameOver: () => selfClosing.close() });
  setUp(selfClosing, 'w,4;h,3;c,1;r,2;');
  const table = [
    ['a command that is not a string', () => live.command(42), 'TypeError'],
    ['a missing event', () => live.event(), 'TypeError'],
    ['an event object', () => live.event({ toString: () => 'type,0;' }), 'TypeError'],
    ['a command over the longest text', () => live.command('param,1;' + 'w'.repeat(MAX_TEXT_LENGTH)), -1],
    ['an event over the longest text', () => live.event('x'.repeat(MAX_TEXT_LENGTH + 1)), -1],
    ['a command holding a NUL', () => live.command('param,1;\0w,4;'), -1],
    ['an event holding a NUL', () => live.event('type,0;\0'), -1],
    ['a lone high surrogate', () => live.command(`param,1;iconPath,${art}/\uD800;`), 'TypeError'],
    ['a lone low surrogate', () => live.event('type,1;x,\uDC00;'), 'TypeError'],
    ['a query that is a string', () => live.query('4'), 'TypeError'],
    ['a negative query', () => live.query(-1), 'TypeError'],
    ['a query that is not whole', () => live.query(1.5), 'TypeError'],
    ['a body for a canvas', () => kavelo.createGame(document.body), 'TypeError'],
    ['a canvas-like object', () => kavelo.createGame({ width: 10, height: 10, getContext: () => ({}) }), 'TypeError'],
    ['a canvas of 0 x 0', () => kavelo.createGame(canvasOf(0, 0)), 'TypeError'],
    ['a canvas of 9000 x 10', () => kavelo.createGame(canvasOf(9000, 10)), 'TypeError'],
    ['a frame callback that is not a function', () => kavelo.createGame(canvasOf(8, 8), { onFrame: 5 }), 'TypeError'],
    ['callbacks that are a text', () => kavelo.createGame(canvasOf(8, 8), 'onFrame'), 'TypeError'],
    ['a canvas of 8192 x 4096, over the pixels a frame may have', () => kavelo.createGame(canvasOf(8192, 4096)), 'TypeError'],
    ['a canvas that gives no 2d context', () => {
      const canvas = canvasOf(8, 8);
      canvas.getContext('bitmaprenderer');
      return kavelo.createGame(canvas);
    }, 'TypeError'],
    ['loading options that are a text', () => loadKavelo('PlgKaveloModule.js'), 'TypeError'],
    ['a module URL that is a number', () => loadKavelo({ moduleUrl: 42 }), 'TypeError'],
    ['a pause of "false"', () => live.pause('false'), 'TypeError'],
    ['a pause of NaN', () => live.pause(NaN), 'TypeError'],
    ['a pause of 1', () => live.pause(1), 'TypeError'],
    ['a missing pause flag', () => live.pause(), 'TypeError'],
    ['solvable shuffles of "no"', () => live.setSolvableShuffles('no'), 'TypeError'],
    ['solvable shuffles of 0', () => live.setSolvableShuffles(0), 'TypeError'],
    ['a pause flag of a closed game', () => closed.pause('true'), 'TypeError'],
    ['flags that are booleans: pause, paused, resume, paused, solvable shuffles', () =>
      [live.pause(true), live.paused, live.pause(false), live.paused, live.setSolvableShuffles(true),
        live.setSolvableShuffles(false)].join(), '0,1,0,0,0,0'],
    ['a query over the largest', () => live.query(2 ** 31), 'TypeError'],
    ['a negative solve budget', () => live.solve(-1), 'TypeError'],
    ['a solve budget over a minute', () => live.solve(60001), 'TypeError'],
    ['a solve budget of NaN', () => live.solve(NaN), 'TypeError'],
    ['a solve budget as text', () => live.solve('5'), 'TypeError'],
    ['garbage to load', () => live.load(new Uint8Array([1, 2, 3, 4, 5, 6, 7, 8])), -1],
    ['a saved game cut short', () => live.load(saved.slice(0, saved.length >> 1)), -1],
    ['nothing to load', () => live.load(new Uint8Array(0)), -1],
    ['a huge load', () => live.load(new Uint8Array((1 << 24) + 1)), -1],
    ['text to load', () => live.load('saved'), 'TypeError'],
    ['an array to load', () => live.load([1, 2, 3]), 'TypeError'],
    ['null to load', () => live.load(null), 'TypeError'],
    ['art from a number', () => kavelo.preloadArt(42), 'TypeError'],
    ['art named outside its folder', () => kavelo.preloadArt('/play/art/', ['../index.html']), 'TypeError'],
    ['a command after close', () => closed.command('param,4;markAdd,5;'), -1],
    ['an event after close', () => closed.event('type,0;'), -1],
    ['a hint after close', () => closed.hint(), null],
    ['an undo after close', () => closed.undo(), -1],
    ['a load after close', () => closed.load(saved), -1],
    ['a save after close', () => closed.save(), null],
    ['paused after close', () => closed.paused, -1],
    ['a pause after close', () => closed.pause(true), -1],
    ['solvable shuffles after close', () => closed.setSolvableShuffles(true), -1],
    ['a deal after close', () => closed.setDeal(5n), -1],
    ['a deal number after close', () => closed.dealNumber, null],
    ['a deal of -1', () => live.setDeal(-1), 'TypeError'],
    ['a deal of 2 ** 64', () => live.setDeal(1n << 64n), 'TypeError'],
    ['a deal of -1n', () => live.setDeal(-1n), 'TypeError'],
    ['a deal past a safe Number', () => live.setDeal(2 ** 53), 'TypeError'],
    ['a deal of 1.5', () => live.setDeal(1.5), 'TypeError'],
    ['a deal as text', () => live.setDeal('48213'), 'TypeError'],
    ['a missing deal', () => live.setDeal(), 'TypeError'],
    ['a deal command with trailing junk', () => live.command('param,32;deal,12x;'), -1],
    ['a gravity of "sideways"', () => live.setGravity('sideways'), 'TypeError'],
    ['a gravity of 5', () => live.setGravity(5), 'TypeError'],
    ['a gravity of true', () => live.setGravity(true), 'TypeError'],
    ['a rules command of "diagonal" leaves the variant', () => [live.setGravity('up'),
      live.command('param,64;gravity,diagonal;'), setUp(live), live.gravity, live.setGravity(0), setUp(live),
      live.gravity].join(), '0,-1,0,2,0,0,0'],
    ['gravity after close', () => closed.setGravity('down'), -1],
    ['the variant after close', () => closed.gravity, -1],
    ['the last miss after close', () => closed.lastMiss, -1],
    ['deals by number: 2 ** 64 - 1, 2 ** 53 + 1 (past a double), 48213 as a Number, the clock', () => {
      const seen = [];
      for (const number of [(1n << 64n) - 1n, (1n << 53n) + 1n, 48213, null]) {
        seen.push(live.setDeal(number), setUp(live), String(live.dealNumber));
      }
      return seen.join();
    }, '0,0,18446744073709551615,0,0,9007199254740993,0,0,48213,0,0,null'],
    ['a solve after close', () => JSON.stringify(closed.solve(0)), '{"result":"unknown","moves":[]}'],
    ['a screen larger than the canvas: no frame, no write past it', () => {
      const small = canvasOf(64, 48);
      const game = kavelo.createGame(small);
      setUp(game);  // a screen of 288 x 240
      const answer = game.event('type,0;');
      const drawn = small.getContext('2d').getImageData(0, 0, 64, 48).data.some((byte) => byte !== 0);
      game.close();
      return drawn ? 'drawn' : answer;
    }, 0],
    ['close inside the game-over callback', async () => {
      const { x1, y1, x2, y2 } = selfClosing.hint();
      selfClosing.event(`type,1;x,${x1};y,${y1};`);
      const won = selfClosing.event(`type,1;x,${x2};y,${y2};`);
      await new Promise((resolve) => setTimeout(resolve, 300));
      return selfClosing.closed && won === 99 ? selfClosing.event('type,0;') : 'still open';
    }, -1],
  ];
  const outcomes = [];
  for (const [name, call, expected] of table) {
    let got;
    try {
      got = await call();
    } catch (error) {
      got = error.name;
    }
    outcomes.push({ name, expected, got });
  }
  // The module lives on: a new game sets up and a pair goes.
  const next = kavelo.createGame(canvasOf(288, 240));
  const move = setUp(next) === 0 ? next.hint() : null;
  const before = next.status().tilesLeft;
  if (move) [[move.x1, move.y1], [move.x2, move.y2]].forEach(([x, y]) => next.event(`type,1;x,${x};y,${y};`));
  outcomes.push({ name: 'a new game afterwards removes a pair', expected: before - 2, got: next.status().tilesLeft });
  return outcomes;
}

const hostileTests = {
  async 'package: a hidden tab pauses its games, and they go on when it shows'(page) {
    const { art } = await openPackage(page, []);
    await page.evaluate(() => window.kavelo.preloadArt('/play/art/'));
    const seen = await page.evaluate((art) => {
      const game = window.kavelo.createGame(Object.assign(document.createElement('canvas'), { width: 384, height: 288 }));
      game.command(`param,1;w,8;h,6;c,6;r,4;screenWidth,384;screenHeight,288;screenBits,32;zeroX,0;zeroY,0;` +
        `iconPath,${art}/tile;iconType,.png;animationFrames,0;`);
      const show = (hidden) => {
        Object.defineProperty(document, 'hidden', { value: hidden, configurable: true });
        document.dispatchEvent(new Event('visibilitychange'));
      };
      show(true);
      const hidden = game.paused;
      show(false);
      return [hidden, game.paused];
    }, art);
    check(seen[0] === 1 && seen[1] === 0, `paused while hidden, then: ${seen}`);
  },
  async 'package: hostile calls throw a TypeError or answer -1, and the module plays on'(page) {
    await page.goto(`${origin}/fixtures/blank.html`);
    const outcomes = await page.evaluate(`(${hostileCalls.toString()})()`);
    const wrong = outcomes.filter((o) => o.got !== o.expected);
    check(wrong.length === 0, wrong.map((o) => `${o.name}: ${o.got}, not ${o.expected}`).join('; '));
    return `${outcomes.length} calls`;
  },
};

// --- the run ------------------------------------------------------------------------------------

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--no-first-run'],
});
// A page loaded once before the tests, so that none is charged with the browser's start.
const warmUp = await browser.newContext();
await openPlay(await warmUp.newPage());
await warmUp.close();
let failures = 0;
for (const [name, test] of Object.entries({ ...pageTests, ...pictureTests, ...hostileTests })) {
  const context = await browser.newContext();
  const page = await context.newPage();
  // Any error the page reports fails the test.
  const errors = [];
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', (error) => errors.push(error.message));
  const start = Date.now();
  let timer;
  try {
    const detail = await Promise.race([test(page), new Promise((_, reject) => {
      timer = setTimeout(() => reject(new Error(`over ${TIME_LIMIT_MS} ms`)), TIME_LIMIT_MS);
    })]);
    check(errors.length === 0, `the page reported: ${errors.join(' | ')}`);
    console.log(`ok    ${name} (${Date.now() - start} ms${detail ? `; ${detail}` : ''})`);
  } catch (error) {
    failures++;
    console.log(`FAIL  ${name}: ${error.message.split('\n')[0]}`);
  } finally {
    clearTimeout(timer);
    await context.close();
  }
}
await browser.close();
server.close();
process.exit(failures ? 1 : 0);
