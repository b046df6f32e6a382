// kavelo-play in a web page: the same game, artwork, keys and clicks as the desktop
// program, over the PlgKavelo package. The game in progress and the best times are kept
// in the browser's local storage.
import {
  loadKavelo, KAVELO_PARAM_SET_UP, KAVELO_PARAM_SELECTION_PICTURE, KAVELO_PARAM_TIME_BAR, KAVELO_PARAM_SOUNDS,
  KAVELO_PARAM_SCORE_STEP, KAVELO_EVENT_TICK, KAVELO_EVENT_CLICK, KAVELO_EVENT_SHUFFLE, KAVELO_SHUFFLE_MIX,
  KAVELO_SHUFFLE_SPREAD,
} from '../kavelo.js';

// The board of the desktop program's defaults, in the generated artwork's cells.
const board = { columns: 16, rows: 10, kinds: 36, copies: 4, seconds: 480 };
const SCORE_STEP = 10, CELL = 48, TIME_BAR_TOP = 8, BOARD_TOP = 32;
const SOUNDS = ['cancel', 'connect', 'wrong', 'choose', 'win'];
const BOARD_KEY = `${board.columns}x${board.rows}x${board.kinds}x${board.copies}x${board.seconds}`;
const SAVED = `kavelo-play.saved.${BOARD_KEY}`, BEST = `kavelo-play.best.${BOARD_KEY}`;
const BEST_KEPT = 10;

const frameCanvas = document.getElementById('frame');
const overlay = document.getElementById('overlay');
const statusLine = document.getElementById('status');
const columns = board.columns + 2, rows = board.rows + 2;
frameCanvas.width = overlay.width = columns * CELL;
frameCanvas.height = overlay.height = BOARD_TOP + rows * CELL;

const state = {
  kavelo: null, game: null, art: '', soundsOn: true, cursor: { x: 1, y: 1, shown: false }, hint: null,
  noMoveLeft: false, helpUsed: false, resumed: false, outcome: 'playing', winWords: '', outlook: '',
  boardChanged: true, frames: 0, gameOvers: 0, firstFrame: null,
};

// --- the game ---------------------------------------------------------------------------

function newGame() {
  state.game?.close();
  const game = state.kavelo.createGame(frameCanvas, { onFrame: frameShown, onGameOver: gameOver });
  const art = state.art;
  const setUp = `param,${KAVELO_PARAM_SET_UP};w,${columns};h,${rows};c,${board.kinds};r,${board.copies};` +
    `screenWidth,${frameCanvas.width};screenHeight,${frameCanvas.height};screenBits,32;zeroX,0;zeroY,${BOARD_TOP};` +
    `iconPath,${art}/tile;iconType,.png;animationFrames,10;animationPath,${art}/trail;animationType,.png;`;
  if (game.command(setUp) !== 0) {
    game.close();
    throw new Error('the plug-in refused the set-up');
  }
  game.command(`param,${KAVELO_PARAM_SELECTION_PICTURE};choose,${art}/choose.png;`);
  game.command(`param,${KAVELO_PARAM_TIME_BAR};timeBar,${art}/timebar.png;x,${CELL};y,${TIME_BAR_TOP};time,${board.seconds};`);
  game.command(`param,${KAVELO_PARAM_SCORE_STEP};markAdd,${SCORE_STEP};`);
  game.setSolvableShuffles(true);
  state.game = game;
  sendSounds();
  game.event(`type,${KAVELO_EVENT_SHUFFLE};shuffle,${KAVELO_SHUFFLE_SPREAD};`);
  Object.assign(state, { hint: null, noMoveLeft: false, helpUsed: false, resumed: false, outcome: 'playing',
    winWords: '', boardChanged: true });
}

function sendSounds() {
  const files = SOUNDS.map((s) => `${s},${state.soundsOn ? `${state.art}/${s}.wav` : ''};`).join('');
  state.game.command(`param,${KAVELO_PARAM_SOUNDS};${files}`);
}

function clickCell(cell) {
  const game = state.game;
  if (game.paused === 1) return togglePause();
  state.hint = null;
  state.noMoveLeft = false;
  game.event(`type,${KAVELO_EVENT_CLICK};x,${cell.x};y,${cell.y};`);
  state.boardChanged = true;
  drawOverlay();
}

function togglePause() {
  const game = state.game;
  game.pause(game.paused !== 1);
  if (game.paused !== 1) state.resumed = false;
  state.hint = null;
  state.noMoveLeft = false;
  state.boardChanged = true;
  drawOverlay();
}

function gameOver(won) {
  state.gameOvers++;
  state.outcome = won ? 'won' : 'lost';
  localStorage.removeItem(SAVED);
  if (!won) return;
  const seconds = board.seconds - state.game.status().secondsLeft;
  state.winWords = state.helpUsed ? `won with help in ${clock(seconds)}` : recordWin(seconds);
}

// --- keys, clicks and focus --------------------------------------------------------------

function keyOf(e) {
  const ctrl = e.ctrlKey || e.metaKey;
  switch (e.key.length === 1 ? e.key.toLowerCase() : e.key) {
    case 'ArrowLeft': return 'left';
    case 'ArrowRight': return 'right';
    case 'ArrowUp': return 'up';
    case 'ArrowDown': return 'down';
    case ' ': case 'Enter': return 'click';
    case 'p': return 'pause';
    case 'm': return 'mute';
    case 's': return ctrl ? null : 'shuffle';
    case 'n': return 'new';
    case 'h': return 'hint';
    case 'u': return 'undo';
    case 'r': return ctrl ? null : 'redo';
    case 'y': return ctrl ? 'redo' : null;
    case 'z': return !ctrl ? null : e.shiftKey ? 'redo' : 'undo';
    default: return null;
  }
}

const MOVES = { left: [-1, 0], right: [1, 0], up: [0, -1], down: [0, 1] };

function press(key) {
  const game = state.game, cursor = state.cursor;
  if (MOVES[key]) {
    const [dx, dy] = MOVES[key];
    if (cursor.shown) {
      cursor.x = Math.min(Math.max(cursor.x + dx, 0), columns - 1);
      cursor.y = Math.min(Math.max(cursor.y + dy, 0), rows - 1);
    }
    cursor.shown = true;
    return drawOverlay();
  }
  switch (key) {
    case 'click': return clickCell(cursor);
    case 'pause': return togglePause();
    case 'mute': state.soundsOn = !state.soundsOn; return sendSounds();
    case 'new': newGame(); return drawOverlay();
    case 'shuffle':
      if (game.paused === 1) return;
      game.event(`type,${KAVELO_EVENT_SHUFFLE};shuffle,${KAVELO_SHUFFLE_MIX};`);
      break;
    case 'hint': {
      const move = game.safeHint();
      state.noMoveLeft = !move && game.paused !== 1 && state.outcome === 'playing';
      state.hint = move;
      state.helpUsed ||= !!move;
      return drawOverlay();
    }
    case 'undo':
      if (game.undo() !== 1) return;
      state.helpUsed = true;
      state.outcome = 'playing';
      break;
    case 'redo':
      if (game.redo() !== 1) return;
      break;
  }
  state.hint = null;
  state.noMoveLeft = false;
  state.boardChanged = true;
  drawOverlay();
}

// The cell under a point of the page, from the canvas's own pixels: the board may be
// drawn larger or smaller than the frame.
function cellAt(clientX, clientY) {
  const rect = frameCanvas.getBoundingClientRect();
  const px = (clientX - rect.left) * frameCanvas.width / rect.width;
  const py = (clientY - rect.top) * frameCanvas.height / rect.height;
  return { x: Math.floor(px / CELL), y: Math.floor((py - BOARD_TOP) / CELL) };
}

function listen() {
  window.addEventListener('keydown', (e) => {
    const key = keyOf(e);
    if (!key || !state.game) return;
    e.preventDefault();
    press(key);
  });
  // A pointer covers the mouse, pens and touch: a tap is a click.
  frameCanvas.addEventListener('pointerdown', (e) => {
    if (!state.game || e.button !== 0) return;
    e.preventDefault();
    const cell = cellAt(e.clientX, e.clientY);
    if (state.game.paused !== 1 && cell.x >= 0 && cell.y >= 0 && cell.x < columns && cell.y < rows) {
      Object.assign(state.cursor, { x: cell.x, y: cell.y });
    }
    clickCell(cell);
  });
  window.addEventListener('blur', () => {
    if (state.game && state.game.paused === 0 && state.outcome === 'playing') togglePause();
  });
  // The game in progress is kept whenever the page may go away.
  window.addEventListener('pagehide', keepGame);
  document.addEventListener('visibilitychange', () => { if (document.hidden) keepGame(); });
  window.addEventListener('resize', fitToWindow);
  matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener?.('change', fitToWindow);
}

// The board as large as the window allows, scaled by whole device pixels where it can be
// so that tiles stay crisp on high-density screens.
function fitToWindow() {
  const ratio = devicePixelRatio || 1;
  const room = Math.min((innerWidth - 16) / frameCanvas.width, (innerHeight - 96) / frameCanvas.height) * ratio;
  const scale = room >= 1 ? Math.floor(room) : Math.max(room, 0.25);
  for (const canvas of [frameCanvas, overlay]) {
    canvas.style.width = `${frameCanvas.width * scale / ratio}px`;
    canvas.style.height = `${frameCanvas.height * scale / ratio}px`;
  }
}

// --- what is shown ------------------------------------------------------------------------

function frameShown() {
  if (state.frames++ === 0) state.firstFrame = performance.now();
  statusLine.textContent = statusText();
}

function statusText() {
  const game = state.game, s = game.status();
  const text = `score ${s.score}  pairs ${s.pairs}  misses ${s.misses}  ${s.secondsLeft} s left`;
  if (state.outcome === 'won') return `${text}  -  ${state.winWords}`;
  if (state.outcome === 'lost') return `${text}  -  time is up`;
  if (game.paused === 1) return `${text}  -  ${state.resumed ? 'saved game resumed, paused: P or a click goes on' : 'paused'}`;
  if (state.boardChanged) {
    // Looked at only after a move, in a few milliseconds.
    state.outlook = { solved: '  -  clearable', unsolvable: '  -  dead end' }[game.solve(5).result] ?? '';
    state.boardChanged = false;
  }
  const notes = (state.soundsOn ? '' : '  -  sound off') + (state.noMoveLeft ? '  -  no pair can be linked: S shuffles' : '');
  return text + notes + state.outlook;
}

// The keyboard's cell and the hinted pair, drawn over the frame.
function drawOverlay() {
  const ctx = overlay.getContext('2d');
  ctx.clearRect(0, 0, overlay.width, overlay.height);
  const ring = (x, y, colour, inset) => {
    ctx.strokeStyle = colour;
    ctx.lineWidth = 2;
    ctx.strokeRect(x * CELL + inset, BOARD_TOP + y * CELL + inset, CELL - 2 * inset, CELL - 2 * inset);
  };
  if (state.game?.paused === 1) return;
  if (state.cursor.shown) {
    ring(state.cursor.x, state.cursor.y, '#10131a', 1);
    ring(state.cursor.x, state.cursor.y, '#f4f6fb', 3);
  }
  if (state.hint) {
    for (const [x, y] of [[state.hint.x1, state.hint.y1], [state.hint.x2, state.hint.y2]]) ring(x, y, '#ffcc33', 5);
  }
}

// --- kept across visits ----------------------------------------------------------------

function keepGame() {
  if (!state.game || state.outcome !== 'playing') return;
  const bytes = state.game.save();
  if (!bytes) return;
  try {
    localStorage.setItem(SAVED, JSON.stringify({ helpUsed: state.helpUsed, game: btoa(String.fromCharCode(...bytes)) }));
  } catch {
    // Storage full or refused: the game is not kept, as on a read-only disk.
  }
}

function resumeGame() {
  let saved;
  try {
    saved = JSON.parse(localStorage.getItem(SAVED) ?? 'null');
  } catch {
    saved = null;
  }
  if (!saved || typeof saved.game !== 'string') return;
  let bytes;
  try {
    bytes = Uint8Array.from(atob(saved.game), (c) => c.charCodeAt(0));
  } catch {
    return localStorage.removeItem(SAVED);
  }
  const game = state.game;
  if (game.load(bytes) !== 0) return localStorage.removeItem(SAVED);
  const s = game.status();
  if (s.tilesLeft === 0 || s.secondsLeft <= 0) {
    localStorage.removeItem(SAVED);
    return newGame();
  }
  state.helpUsed = saved.helpUsed === true;
  state.resumed = true;
  game.pause(true);
}

function clock(seconds) { return `${Math.floor(seconds / 60)}:${String(seconds % 60).padStart(2, '0')}`; }

function ordinal(n) {
  const tail = n % 100 >= 11 && n % 100 <= 13 ? 'th' : ({ 1: 'st', 2: 'nd', 3: 'rd' }[n % 10] ?? 'th');
  return `${n}${tail}`;
}

function recordWin(seconds) {
  let times;
  try {
    times = JSON.parse(localStorage.getItem(BEST) ?? '[]');
  } catch {
    times = [];
  }
  if (!Array.isArray(times)) times = [];
  times = times.filter((t) => Number.isInteger(t?.seconds));
  const date = new Date().toISOString().slice(0, 10);
  let rank = times.findIndex((t) => seconds < t.seconds) + 1 || times.length + 1;
  if (rank > BEST_KEPT) rank = 0;
  if (rank) {
    times.splice(rank - 1, 0, { seconds, date });
    times.length = Math.min(times.length, BEST_KEPT);
    try { localStorage.setItem(BEST, JSON.stringify(times)); } catch { /* kept for this visit only */ }
  }
  let text = `won in ${clock(seconds)}`;
  if (rank === 1) return `${text}, the best time`;
  if (rank > 1) text += `, ${ordinal(rank)} best`;
  return times.length ? `${text}; best ${clock(times[0].seconds)}` : text;
}

// --- start ----------------------------------------------------------------------------------

async function start() {
  fitToWindow();
  state.kavelo = await loadKavelo();
  const failed = await state.kavelo.preloadArt(new URL('art/', location.href));
  if (failed.length) console.warn(`artwork missing: ${failed.join(', ')}`);
  state.art = state.kavelo.artDir;
  newGame();
  resumeGame();
  listen();
  drawOverlay();
  state.game.event(`type,${KAVELO_EVENT_TICK};`);  // the board at once, not a tenth of a second later
}

// What tests and a curious player may reach from the console.
window.kaveloPlay = {
  get game() { return state.game; },
  get frames() { return state.frames; },
  // When the first frame was shown, in milliseconds from the navigation; resolves once shown.
  get firstFrame() {
    return state.firstFrame ?? new Promise((done) => {
      const look = () => (state.firstFrame !== null ? done(state.firstFrame) : setTimeout(look, 5));
      look();
    });
  },
  get gameOvers() { return state.gameOvers; },
  get outcome() { return state.outcome; },
  board: { ...board, columns, rows, cell: CELL, top: BOARD_TOP },
  // The point of the page at the middle of a cell, for a click.
  cellCenter(x, y) {
    const rect = frameCanvas.getBoundingClientRect();
    const sx = rect.width / frameCanvas.width, sy = rect.height / frameCanvas.height;
    return { x: rect.left + (x + 0.5) * CELL * sx, y: rect.top + (BOARD_TOP + (y + 0.5) * CELL) * sy };
  },
  ready: start().catch((error) => {
    statusLine.textContent = `kavelo-play could not start: ${error.message}`;
    console.error(error);
    throw error;
  }),
};
