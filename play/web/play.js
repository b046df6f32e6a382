// kavelo-play's page: a thin shell over the play core in KaveloPlayModule. Events go in,
// the frame's changed rows come out to the canvas, the timer serves the plug-in's clock;
// every rule, word and mark is the core's, as on the desktop.
import createKaveloPlayModule from './KaveloPlayModule.js';
import { decodeFolder, preloadFiles, unlockSound } from '../browserServices.js';

const ART = '/art';
// The player's choice of style, kept in the browser's local storage beside the records.
const STYLE_KEY = 'kavelo-play/settings/style';
const contrastSwitch = document.getElementById('contrast');
const openedCell = Number(new URLSearchParams(location.search).get('cell')) || 0;
const canvas = document.getElementById('frame'), ctx = canvas.getContext('2d');
const statusLine = document.getElementById('status'), clockLine = document.getElementById('clock');
const buttons = [...document.querySelectorAll('#buttons button[data-action]')];
const share = document.getElementById('share'), gravity = document.getElementById('gravity');
let m, play = 0, image = null, firstRow = 0, timer = 0, held = false, frames = 0;

// Runs `use(address)` with `text` as UTF-8 in the module's memory.
function withText(text, use) {
  const size = m.lengthBytesUTF8(text) + 1, at = m._malloc(size);
  try {
    m.stringToUTF8(text, at, size);
    return use(at);
  } finally {
    m._free(at);
  }
}

// Takes the rows the core composed since the last look onto the canvas.
function show(force = false) {
  const whole = force || !image;
  const rows = m._KaveloPlayCompose(play, whole ? 1 : 0, firstRow);
  if (!image || image.data.buffer !== m.HEAPU8.buffer) {  // the module's memory grew, composing perhaps
    image = new ImageData(new Uint8ClampedArray(m.HEAPU8.buffer, m._KaveloPlayPixels(play), canvas.width * canvas.height * 4),
      canvas.width, canvas.height);
  }
  if (rows > 0) {
    const first = whole ? 0 : m.HEAP32[firstRow >> 2];
    ctx.putImageData(image, 0, 0, 0, first, canvas.width, whole ? canvas.height : rows);
  }
  frames++;
  const words = m.UTF8ToString(m._KaveloPlayStatus(play)), clock = m.UTF8ToString(m._KaveloPlayClock(play));
  if (statusLine.textContent !== words) statusLine.textContent = words;
  if (clockLine.textContent !== clock) clockLine.textContent = clock;
  // The address names the deal in play, so that a link shares the board; a cell size it
  // was opened with stays.
  const address = m.UTF8ToString(m._KaveloPlayAddress(play)) + (openedCell ? `&cell=${openedCell}` : '');
  if (address && location.search !== `?${address}`) history.replaceState(null, '', `?${address}`);
  share.hidden = !m.UTF8ToString(m._KaveloPlayShareLine(play));
  if (share.hidden) share.textContent = 'Copy result';
  const pressed = { pause: m._KaveloPlayPaused(play), sound: m._KaveloPlaySoundOn(play) };
  for (const b of buttons) {
    const on = String(pressed[b.dataset.action] === 1);
    if (b.dataset.action in pressed && b.getAttribute('aria-pressed') !== on) b.setAttribute('aria-pressed', on);
  }
}

// Sleeps until the plug-in's next timer is due, serves it and shows what it drew.
function serveClock() {
  clearTimeout(timer);
  const ms = m._KaveloTimeoutMs();
  if (held || ms < 0) return;
  timer = setTimeout(() => (m._KaveloDispatchTimers(), show(), serveClock()), ms);
}

// After any input: shown at once, and the clock looked at again.
const acted = () => (show(), serveClock());

// The board as large as the screen allows: by whole device pixels where that costs less
// than a quarter of the room, so that tiles stay crisp, else smoothly scaled to fill it.
function fit() {
  const ratio = devicePixelRatio || 1;
  const room = Math.min(innerWidth / canvas.width,
    (innerHeight - document.querySelector('main').offsetHeight + canvas.offsetHeight) / canvas.height);
  const whole = Math.floor(room * ratio), crisp = whole >= 0.75 * room * ratio;
  const scale = crisp ? whole / ratio : room;
  canvas.classList.toggle('crisp', crisp);
  canvas.style.width = `${Math.floor(canvas.width * scale)}px`;
}

// The address's options, with the player's style unless the address names one.
function address() {
  const contrast = localStorage.getItem(STYLE_KEY) === 'contrast' && !/[?&]style=/.test(location.search);
  return location.search + (contrast ? `${location.search ? '&' : '?'}style=contrast` : '');
}

// The room the board may take on the screen, in device pixels: the window's width, and
// its height less what the page shows besides the board.
function room() {
  const ratio = devicePixelRatio || 1;
  const besides = document.querySelector('main').offsetHeight - canvas.offsetHeight;
  return [Math.floor(innerWidth * ratio), Math.floor((innerHeight - besides) * ratio)];
}

// A room that now holds cells an eighth larger or smaller than those drawn (a window made
// larger, a phone turned) is drawn for again: the game is kept and the page starts anew.
// A cell the address names stays.
let redraw = 0;
function refit() {
  fit();
  clearTimeout(redraw);
  if (openedCell) return;
  redraw = setTimeout(() => {
    const drawnCell = m._KaveloPlayCell(play), fitting = m._KaveloPlayCellToFit(play, ...room());
    if (fitting > 0 && Math.abs(fitting - drawnCell) * 8 >= drawnCell) (m._KaveloPlayKeep(play), location.reload());
  }, 500);
}

function listen() {
  addEventListener('keydown', (e) => {
    if (e.target instanceof HTMLButtonElement && (e.key === ' ' || e.key === 'Enter')) return;  // the button's own
    if (m._KaveloPlayKey(play, e.keyCode, e.ctrlKey || e.metaKey ? 1 : 0, e.shiftKey ? 1 : 0)) {
      e.preventDefault();
      acted();
    }
  });
  for (const b of buttons) {
    b.addEventListener('click', () => {
      // The day's deal is on the default board, which a phone's portrait board is not.
      if (b.dataset.action === 'daily') return location.assign('?daily');
      withText(b.dataset.action, (at) => m._KaveloPlayButton(play, at));
      acted();
    });
  }
  // Another rule is another game: a fresh deal by it, named in the address.
  gravity.addEventListener('change', () => location.assign(`?gravity=${gravity.value}`));
  share.addEventListener('click', () => {
    const line = m.UTF8ToString(m._KaveloPlayShareLine(play));
    navigator.clipboard.writeText(line).then(() => (share.textContent = 'Copied'),
      () => (statusLine.textContent = line));  // no clipboard: the line to copy by hand
  });
  // A pointer covers the mouse, pens and touch: a tap is a click.
  canvas.addEventListener('pointerdown', (e) => {
    if (e.button !== 0) return;
    e.preventDefault();
    const rect = canvas.getBoundingClientRect();
    m._KaveloPlayClick(play, Math.floor((e.clientX - rect.left) * canvas.width / rect.width),
      Math.floor((e.clientY - rect.top) * canvas.height / rect.height));
    acted();
  });
  // Away from the page the game waits for the player, and is kept in case the page goes.
  const away = () => (m._KaveloPlayLoseFocus(play), m._KaveloPlayKeep(play), acted());
  addEventListener('blur', away);
  document.addEventListener('visibilitychange', () => document.hidden && away());
  addEventListener('pagehide', () => m._KaveloPlayKeep(play));
  addEventListener('resize', refit);
  // A new style is drawn at the next start: the game is kept and the page starts again.
  contrastSwitch.addEventListener('change', () => {
    localStorage.setItem(STYLE_KEY, contrastSwitch.checked ? 'contrast' : 'standard');
    m._KaveloPlayKeep(play);
    location.reload();
  });
}

async function start() {
  m = await createKaveloPlayModule({ locateFile: (path) => new URL(path, import.meta.url).href });
  unlockSound(m);
  const names = await (await fetch('art/index.json')).json();
  const { failed } = await preloadFiles(m, ART, new URL('art/', location.href), names);
  if (failed.length) console.warn(`artwork missing: ${failed.join(', ')}`);
  // The tiles drawn for the screen's device pixels, decoded by the browser before the set-up.
  const query = address(), portrait = innerHeight > innerWidth ? 1 : 0;
  const drawn = withText(query, (q) => m._KaveloPlayDraw(q, portrait, ...room()));
  const folder = drawn ? m.UTF8ToString(m._KaveloPlayDrawnFolder(drawn)) : '';
  if (folder) await decodeFolder(m, folder);
  contrastSwitch.checked = /[?&]style=contrast/.test(query);
  play = withText(query, (q) => withText(ART, (art) => m._KaveloPlayStart(q, portrait, art, drawn)));
  const refusal = m.UTF8ToString(m._KaveloPlayRefusal(play));
  if (refusal) {
    statusLine.textContent = `These options cannot be played: ${refusal}`;
    statusLine.classList.add('refused');
    return;
  }
  firstRow = m._malloc(4);  // where the core tells the first changed row
  [canvas.width, canvas.height] = [m._KaveloPlayFrameWidth(play), m._KaveloPlayFrameHeight(play)];
  gravity.selectedIndex = m._KaveloPlayGravity(play);
  fit();
  listen();
  m._KaveloPlayTick(play);  // the board at once, not a tenth of a second later
  show(true);
  serveClock();
  navigator.serviceWorker?.register('sw.js').catch(() => {});  // offline play from the second visit
}

// For the page's tests: the clock held and stepped by hand, the hinted pair, a cell's
// middle on the page, and the plug-in's answers.
window.kaveloPlay = {
  get frames() { return frames; },
  hold: () => (held = true, clearTimeout(timer)),
  tick() { m._KaveloPlayTick(play); show(); },
  hinted() { return withOut(4, (at) => m._KaveloPlayHinted(play, at)); },
  query: (q) => m._KaveloPlayQuery(play, q),
  solvedPair() { return withOut(4, (at) => m._KaveloPlaySolvedPair(play, at)); },
  cellCenter(x, y) {
    const [left, top, w, h] = withOut(4, (at) => m._KaveloPlayGeometry(play, at)), rect = canvas.getBoundingClientRect();
    return { x: rect.left + (left + (x + 0.5) * w) * rect.width / canvas.width, y: rect.top + (top + (y + 0.5) * h) * rect.height / canvas.height };
  },
  ready: start().catch((error) => {
    statusLine.textContent = `kavelo-play could not start: ${error.message}`;
    throw error;
  }),
};

// The `count` numbers `fill(address)` writes, or null when it answers 0.
function withOut(count, fill) {
  const at = m._malloc(4 * count);
  try {
    return fill(at) ? [...m.HEAP32.subarray(at >> 2, (at >> 2) + count)] : null;
  } finally {
    m._free(at);
  }
}
