// PlgKavelo in the browser: the plug-in's WebAssembly module behind a small API.
//
//   const kavelo = await loadKavelo();
//   await kavelo.preloadArt(new URL('art/', location.href));
//   const game = kavelo.createGame(canvas, { onGameOver: (won) => ... });
//   game.command(`param,${KAVELO_PARAM_SET_UP};w,18;h,12;...;iconPath,${kavelo.artDir}/tile;...`);
//
// Everything the C interface offers is here; every argument is checked before it reaches
// the module, so that nothing a page passes can trap it: a wrong type throws a TypeError,
// a text the plug-in cannot take whole answers -1 as the C interface does.
import createPlgKaveloModule from './PlgKaveloModule.js';
import { preloadFiles, unlockSound } from './browserServices.js';
import { KAVELO_QUERY_CELL_WIDTH, KAVELO_QUERY_CELL_HEIGHT, KAVELO_QUERY_MISSES, KAVELO_QUERY_PAIRS,
  KAVELO_QUERY_LAST_MISS, KAVELO_QUERY_SCORE, KAVELO_QUERY_SECONDS_LEFT, KAVELO_QUERY_TILES_LEFT } from './protocol.js';

export * from './protocol.js';

// Longer texts than any command or event needs are refused (-1) without being copied.
export const MAX_TEXT_LENGTH = 1 << 16;
// A frame's sides, and a saved game's size, beyond anything the plug-in takes.
const MAX_FRAME_SIDE = 8192;
const MAX_FRAME_PIXELS = 1 << 24;
const MAX_SAVE_BYTES = 1 << 24;
const MAX_SOLVE_MS = 60000;
// The rule variants' names, by their KAVELO_GRAVITY_ numbers.
export const GRAVITIES = Object.freeze(['none', 'down', 'up', 'left', 'right']);
// The largest deal number, 2 ** 64 - 1.
export const MAX_DEAL = (1n << 64n) - 1n;
const SOLVE_RESULTS = ['solved', 'unsolvable', 'unknown'];
const UTF8 = new TextEncoder();
const ART_NAME = /^[A-Za-z0-9_][A-Za-z0-9._-]{0,127}$/;
// How the module's callbacks reach a game, out of a page's reach.
const FRAME = Symbol('frame');
const GAME_OVER = Symbol('gameOver');

// Loads the module. `moduleUrl` defaults to the module beside this file.
export async function loadKavelo(options = {}) {
  checkOptions(options, 'options');
  const { moduleUrl } = options;
  if (moduleUrl !== undefined && typeof moduleUrl !== 'string' && !(moduleUrl instanceof URL)) {
    throw new TypeError('moduleUrl must be a string or URL');
  }
  const base = moduleUrl !== undefined ? new URL(String(moduleUrl), import.meta.url) : new URL(import.meta.url);
  const module = await createPlgKaveloModule({
    locateFile: (path) => new URL(path, base).href,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
  });
  return new Kavelo(module);
}

function checkText(text, what) {
  if (typeof text !== 'string') throw new TypeError(`${what} must be a string`);
  if (!isWellFormed(text)) throw new TypeError(`${what} holds a lone surrogate`);
}

function isWellFormed(text) {
  if (typeof text.isWellFormed === 'function') return text.isWellFormed();
  return !/[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/.test(text);
}

function checkOptions(value, what) {
  if (value === null || typeof value !== 'object') throw new TypeError(`${what} must be an object`);
}

// A flag is a boolean: a page that passes "false" or 0 meant something the plug-in cannot guess.
function checkFlag(value, what) {
  if (typeof value !== 'boolean') throw new TypeError(`${what} must be true or false`);
}

function checkInteger(value, what, low, high) {
  if (!Number.isInteger(value) || value < low || value > high) {
    throw new TypeError(`${what} must be an integer from ${low} to ${high}`);
  }
}

// A deal number as a BigInt, or null. A Number beyond 2 ** 53 has already lost digits.
function checkDeal(value) {
  if (value === null) return null;
  if (typeof value === 'number' && Number.isSafeInteger(value) && value >= 0) return BigInt(value);
  if (typeof value === 'bigint' && value >= 0n && value <= MAX_DEAL) return value;
  throw new TypeError(`a deal number must be null, a BigInt from 0n to ${MAX_DEAL}n or a safe whole Number from 0`);
}

export class Kavelo {
  #m;
  #games = new Map();
  #nextId = 1;
  #timer = 0;
  #due = Infinity;
  #hiddenPaused = new Set();
  #decoded = 0;
  #artDir = '/art';

  constructor(module) {
    this.#m = module;
    module.kaveloFrameReady = (id) => this.#games.get(id)?.[FRAME]();
    module.kaveloGameOver = (id, won) => this.#games.get(id)?.[GAME_OVER](won);
    if (typeof document !== 'undefined') {
      document.addEventListener('visibilitychange', () => this.#visibilityChanged());
    }
    unlockSound(module);
  }

  // The folder of the module's file system that preloadArt fills, for the commands' paths.
  get artDir() { return this.#artDir; }
  // How many pictures the browser has decoded for the module so far.
  get decodedPictures() { return this.#decoded; }

  // Fetches the files `names` (default: the list in index.json there) from `baseUrl` into
  // the art folder, and has the browser decode each picture among them that the plug-in
  // will take, so that set-up finds its pixels. A picture that declares more than the
  // plug-in accepts is not decoded at all. Resolves to the names that could not be
  // fetched; a picture the browser cannot decode loads as a decode error later.
  async preloadArt(baseUrl, names) {
    if (typeof baseUrl !== 'string' && !(baseUrl instanceof URL)) throw new TypeError('baseUrl must be a string or URL');
    let base = new URL(String(baseUrl), typeof location !== 'undefined' ? location.href : undefined);
    if (!base.pathname.endsWith('/')) base = new URL(base.pathname + '/' + base.search, base);
    if (names === undefined) {
      const response = await fetch(new URL('index.json', base));
      if (!response.ok) throw new TypeError(`no index.json at ${base}`);
      names = await response.json();
    }
    if (!Array.isArray(names) || !names.every((n) => typeof n === 'string' && ART_NAME.test(n))) {
      throw new TypeError('names must be an array of plain file names');
    }
    const { failed, decoded } = await preloadFiles(this.#m, this.#artDir, base, names);
    this.#decoded += decoded;
    return failed;
  }

  // A game drawing each frame into `canvas`, whose width and height are the frame's.
  createGame(canvas, callbacks = {}) {
    const isCanvas = (typeof HTMLCanvasElement !== 'undefined' && canvas instanceof HTMLCanvasElement) ||
      (typeof OffscreenCanvas !== 'undefined' && canvas instanceof OffscreenCanvas);
    if (!isCanvas) throw new TypeError('canvas must be a canvas element or an OffscreenCanvas');
    checkOptions(callbacks, 'callbacks');
    const { onFrame, onGameOver } = callbacks;
    for (const [f, what] of [[onFrame, 'onFrame'], [onGameOver, 'onGameOver']]) {
      if (f !== undefined && typeof f !== 'function') throw new TypeError(`${what} must be a function`);
    }
    const { width, height } = canvas;
    if (width < 1 || height < 1 || width > MAX_FRAME_SIDE || height > MAX_FRAME_SIDE || width * height > MAX_FRAME_PIXELS) {
      throw new TypeError(`a canvas of ${width} x ${height} is not a frame size the plug-in takes`);
    }
    const id = this.#nextId++;
    const game = new Game(this.#m, id, canvas, { onFrame, onGameOver }, {
      changed: () => this.#schedule(),
      closed: () => { this.#games.delete(id); this.#hiddenPaused.delete(game); },
    });
    this.#games.set(id, game);
    return game;
  }

  // Serves the plug-in's timer queue from the page's event loop: sleeps until the next
  // timer is due, dispatches, and looks again.
  #schedule() {
    const ms = this.#m._KaveloTimeoutMs();
    if (ms < 0) return;
    const due = performance.now() + ms;
    if (this.#timer && this.#due <= due) return;
    clearTimeout(this.#timer);
    this.#due = due;
    this.#timer = setTimeout(() => {
      this.#timer = 0;
      this.#due = Infinity;
      this.#m._KaveloDispatchTimers();
      this.#schedule();
    }, ms);
  }

  // Browsers slow a hidden tab's timers to a crawl, so a game's seconds would stall
  // unevenly: instead the games pause while the tab is hidden and go on when it shows.
  #visibilityChanged() {
    if (document.hidden) {
      for (const game of this.#games.values()) {
        if (game.paused === 0 && game.pause(true) === 0) this.#hiddenPaused.add(game);
      }
    } else {
      for (const game of this.#hiddenPaused) game.pause(false);
      this.#hiddenPaused.clear();
    }
  }
}

export class Game {
  #m;
  #id;
  #handle;
  #ctx;
  #width;
  #height;
  #bgra;
  #rgba;
  #image = null;
  #firstRow;  // where the module tells the first row that changed
  #drawn = false;  // whether the canvas and the RGBA copy hold a whole frame
  #callbacks;
  #kavelo;

  constructor(module, id, canvas, callbacks, kavelo) {
    this.#m = module;
    this.#id = id;
    this.#callbacks = callbacks;
    this.#kavelo = kavelo;
    this.#width = canvas.width;
    this.#height = canvas.height;
    this.#ctx = canvas.getContext('2d');
    if (!this.#ctx) throw new TypeError('the canvas has no 2d context');
    const bytes = this.#width * this.#height * 4;
    this.#bgra = module._malloc(bytes);
    this.#rgba = module._malloc(bytes);
    this.#firstRow = module._malloc(4);
    this.#handle = this.#bgra && this.#rgba && this.#firstRow ? module._KaveloWebCreate(id) : 0;
    if (!this.#handle) {
      for (const at of [this.#bgra, this.#rgba, this.#firstRow]) module._free(at);
      throw new RangeError('out of memory');
    }
    module.HEAPU8.fill(0, this.#bgra, this.#bgra + bytes);
    // The canvas's size declared, so that the plug-in delivers no frame larger than it.
    module._KaveloAllocGdiData(this.#handle, this.#bgra, this.#width, this.#height, 32);
  }

  // Runs a call on the live game; -1 once it is closed. The clock is looked at again
  // afterwards, since a set-up or a load may have started it.
  #call(call) {
    if (!this.#handle) return -1;
    const result = call(this.#handle);
    this.#kavelo.changed();
    return result;
  }

  #withText(text, what, call) {
    checkText(text, what);
    if (text.length > MAX_TEXT_LENGTH || text.includes('\0')) return -1;  // cannot reach the plug-in whole
    return this.#call((handle) => {
      const bytes = UTF8.encode(text + '\0');
      const at = this.#m._malloc(bytes.length);
      if (!at) return -1;
      try {
        this.#m.HEAPU8.set(bytes, at);
        return call(handle, at);
      } finally {
        this.#m._free(at);
      }
    });
  }

  // A configuration command "param,N;key,value;...": N on success, 0 for a completed
  // set-up, -1 on refusal.
  command(text) { return this.#withText(text, 'command', (h, at) => this.#m._KaveloSetGameParamUtf8(h, at)); }
  // An event "type,N;...": the event's result, -1 on refusal.
  event(text) { return this.#withText(text, 'event', (h, at) => this.#m._KaveloInputEventUtf8(h, at)); }
  // The answer to a KAVELO_QUERY_ number.
  query(query) {
    checkInteger(query, 'query', 0, 0x7fffffff);
    return this.event(`type,${query};`);
  }
  // Score, pairs, misses, seconds left and tiles left, as the queries answer them.
  status() {
    return {
      score: this.query(KAVELO_QUERY_SCORE), pairs: this.query(KAVELO_QUERY_PAIRS),
      misses: this.query(KAVELO_QUERY_MISSES), secondsLeft: this.query(KAVELO_QUERY_SECONDS_LEFT),
      tilesLeft: this.query(KAVELO_QUERY_TILES_LEFT),
      cellWidth: this.query(KAVELO_QUERY_CELL_WIDTH), cellHeight: this.query(KAVELO_QUERY_CELL_HEIGHT),
    };
  }

  #move(find) {
    let move = null;
    this.#call((handle) => {
      const at = this.#m._malloc(16);
      if (!at) return -1;
      try {
        if (find(handle, at) === 1) {
          const [x1, y1, x2, y2] = new Int32Array(this.#m.HEAPU8.buffer, at, 4);
          move = { x1, y1, x2, y2 };
        }
      } finally {
        this.#m._free(at);
      }
      return 0;
    });
    return move;
  }

  // A pair that can be linked now, {x1, y1, x2, y2}, or null when there is none.
  hint() { return this.#move((h, at) => this.#m._KaveloFindHint(h, at)); }
  // As hint, but the pair begins a clearing when one is found within a short time.
  safeHint() { return this.#move((h, at) => this.#m._KaveloFindSafeHint(h, at)); }

  // Looks for links that clear the board within about budgetMs: {result, moves}, result
  // 'solved' (moves in the order to click them), 'unsolvable' or 'unknown'.
  solve(budgetMs = 1000) {
    checkInteger(budgetMs, 'budgetMs', 0, MAX_SOLVE_MS);
    const capacity = Math.max(this.query(KAVELO_QUERY_TILES_LEFT), 0) >> 1;
    let answer = { result: 'unknown', moves: [] };
    this.#call((handle) => {
      const m = this.#m;
      const moves = m._malloc(Math.max(capacity, 1) * 16), count = m._malloc(4);
      try {
        if (!moves || !count) return -1;
        const result = m._KaveloSolve(handle, moves, capacity, count, budgetMs);
        const n = Math.min(new Int32Array(m.HEAPU8.buffer, count, 1)[0], capacity);
        const cells = new Int32Array(m.HEAPU8.buffer, moves, n * 4);
        const list = [];
        for (let i = 0; i < n; i++) {
          list.push({ x1: cells[4 * i], y1: cells[4 * i + 1], x2: cells[4 * i + 2], y2: cells[4 * i + 3] });
        }
        answer = { result: SOLVE_RESULTS[result] ?? 'unknown', moves: result === 0 ? list : [] };
      } finally {
        m._free(moves);
        m._free(count);
      }
      return 0;
    });
    return answer;
  }

  // Shuffles that always leave the board clearable (true), or the plug-in's own (false):
  // 0, or -1 once closed.
  setSolvableShuffles(on) {
    checkFlag(on, 'on');
    return this.#call((h) => this.#m._KaveloSetSolvableShuffles(h, on ? 1 : 0));
  }
  // Later set-ups deal by `number` (a BigInt from 0n to 2n ** 64n - 1n, or a Number that
  // is a safe whole number from 0), or by the clock again with null: 0, or -1 once closed.
  setDeal(number) {
    const deal = checkDeal(number);
    return this.#call((h) => this.#m._KaveloWebSetDeal(h, deal === null ? 0 : 1, Number(BigInt.asUintN(32, deal ?? 0n)),
      Number((deal ?? 0n) >> 32n)));
  }
  // The number the board in play was dealt by, a BigInt; null when it was dealt by the
  // clock, no game is set up, or the game is closed.
  get dealNumber() {
    let number = null;
    this.#call((handle) => {
      const m = this.#m;
      const halves = m._malloc(8);
      if (!halves) return -1;
      try {
        if (m._KaveloWebDealNumber(handle, halves) !== 1) return 0;
        const [low, high] = new Uint32Array(m.HEAPU8.buffer, halves, 2);
        number = BigInt(high) << 32n | BigInt(low);
      } finally {
        m._free(halves);
      }
      return 0;
    });
    return number;
  }
  // The rule variant later set-ups deal by: a KAVELO_GRAVITY_ number or its name in
  // GRAVITIES ('none', 'down', 'up', 'left', 'right'): 0, or -1 once closed.
  setGravity(gravity) {
    const number = typeof gravity === 'string' ? GRAVITIES.indexOf(gravity) : gravity;
    checkInteger(number, 'gravity', 0, GRAVITIES.length - 1);
    return this.#call((h) => this.#m._KaveloSetGravity(h, number));
  }
  // The KAVELO_GRAVITY_ variant of the board in play (with no game set up, the next
  // set-up's); -1 once closed.
  get gravity() { return this.#handle ? this.#m._KaveloGravity(this.#handle) : -1; }
  // Why the last pair clicked did not link: a KAVELO_MISS_ number; -1 with no game set up.
  get lastMiss() { return this.query(KAVELO_QUERY_LAST_MISS); }
  // Puts the last removed pair back, or removes it again: 1 when done, 0 when nothing was.
  undo() { return this.#call((h) => this.#m._KaveloUndo(h)); }
  redo() { return this.#call((h) => this.#m._KaveloRedo(h)); }
  // Pauses (true) or resumes (false), the time standing and the board hidden meanwhile:
  // 0, or -1 once closed.
  pause(on) {
    checkFlag(on, 'on');
    return this.#call((h) => this.#m._KaveloPause(h, on ? 1 : 0));
  }
  // 1 when paused, 0 when not, -1 once closed.
  get paused() { return this.#handle ? this.#m._KaveloPaused(this.#handle) : -1; }

  // The game in play as bytes that load restores, or null when no game is set up.
  save() {
    let saved = null;
    this.#call((handle) => {
      const m = this.#m;
      const size = m._malloc(4);
      if (!size) return -1;
      try {
        if (m._KaveloSaveGame(handle, 0, 0, size) !== 0) return -1;
        const n = new Uint32Array(m.HEAPU8.buffer, size, 1)[0];
        const at = m._malloc(Math.max(n, 1));
        if (!at) return -1;
        try {
          if (m._KaveloSaveGame(handle, at, n, size) === 0) saved = m.HEAPU8.slice(at, at + n);
        } finally {
          m._free(at);
        }
      } finally {
        m._free(size);
      }
      return 0;
    });
    return saved;
  }

  // Restores a saved game: 0 when loaded, -1 when refused (the game in play unchanged).
  load(bytes) {
    if (bytes instanceof ArrayBuffer) bytes = new Uint8Array(bytes);
    if (!(bytes instanceof Uint8Array)) throw new TypeError('bytes must be a Uint8Array or ArrayBuffer');
    if (bytes.length === 0 || bytes.length > MAX_SAVE_BYTES) return -1;
    return this.#call((handle) => {
      const m = this.#m;
      const at = m._malloc(bytes.length);
      if (!at) return -1;
      try {
        m.HEAPU8.set(bytes, at);
        return m._KaveloLoadGame(handle, at, bytes.length);
      } finally {
        m._free(at);
      }
    });
  }

  // Ends the game and frees its memory; later calls answer -1 (null for hints). Safe in
  // the game's own callbacks.
  close() {
    if (!this.#handle) return;
    this.#m._KaveloDestroy(this.#handle);
    this.#handle = 0;
    // Freed after the call that reached a callback returns, as the plug-in frees the game.
    const buffers = [this.#bgra, this.#rgba, this.#firstRow];
    queueMicrotask(() => { for (const at of buffers) this.#m._free(at); });
    this.#kavelo.closed();
  }

  get closed() { return !this.#handle; }

  // A new frame lies in the buffer: the rows the plug-in says changed are converted in
  // the module and uploaded with one putImageData (the whole frame the first time).
  [FRAME]() {
    if (!this.#handle) return;
    const m = this.#m;
    if (!this.#image || this.#image.data.buffer !== m.HEAPU8.buffer) {
      // The module's memory was replaced when it grew: the old view is empty now.
      const view = new Uint8ClampedArray(m.HEAPU8.buffer, this.#rgba, this.#width * this.#height * 4);
      this.#image = new ImageData(view, this.#width, this.#height);
      this.#drawn = false;
    }
    // No rows when nothing was delivered: no set-up yet, or a screen larger than the canvas.
    let rows = m._KaveloChangedRows(this.#handle, this.#firstRow);
    let first = new Int32Array(m.HEAPU8.buffer, this.#firstRow, 1)[0];
    if (rows > 0) {
      if (!this.#drawn) [first, rows] = [0, this.#height];
      m._KaveloWebToRgba(this.#bgra, this.#rgba, this.#width, first, rows);
      this.#ctx.putImageData(this.#image, 0, 0, 0, first, this.#width, rows);
      this.#drawn = true;
    }
    this.#report(this.#callbacks.onFrame);
  }

  [GAME_OVER](won) { this.#report(this.#callbacks.onGameOver, won === 1); }

  // A page's callback runs inside a call of the module: what it throws is reported here
  // and goes no further, so the module's state stays whole.
  #report(callback, ...args) {
    if (!callback) return;
    try {
      callback(...args);
    } catch (error) {
      console.error(error);
    }
  }
}
