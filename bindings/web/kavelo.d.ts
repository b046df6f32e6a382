// PlgKavelo in the browser: the plug-in's WebAssembly module behind a small API.
export * from './protocol.js';

/** Texts longer than this are refused (-1) without reaching the plug-in. */
export declare const MAX_TEXT_LENGTH: number;

/** Two cells, columns and rows counted from 0 at the top left, the border ring included. */
export interface KaveloMove { x1: number; y1: number; x2: number; y2: number; }

export interface KaveloSolution {
  /** 'solved': the moves, clicked in order, clear the board; 'unsolvable': proved that no
   * order does; 'unknown': the time allowed ran out first, or no board is dealt. */
  result: 'solved' | 'unsolvable' | 'unknown';
  moves: KaveloMove[];
}

export interface KaveloStatus {
  score: number; pairs: number; misses: number; secondsLeft: number; tilesLeft: number;
  cellWidth: number; cellHeight: number;
}

export interface GameCallbacks {
  /** A new frame was drawn into the canvas (ten a second while a game runs). */
  onFrame?: () => void;
  /** The game ended: won when the board was cleared, lost when the time ran out. */
  onGameOver?: (won: boolean) => void;
}

/** Loads the module; by default the one beside kavelo.js. */
export declare function loadKavelo(options?: { moduleUrl?: string | URL }): Promise<Kavelo>;

export declare class Kavelo {
  /** The module's folder that preloadArt fills: name it in the commands' paths. */
  readonly artDir: string;
  /** How many pictures the browser has decoded for the module so far. */
  readonly decodedPictures: number;
  /** Fetches `names` (default: the list in index.json under the URL) into artDir and has
   * the browser decode the pictures the plug-in will take. Resolves to the names that
   * could not be fetched. Throws a TypeError for a bad URL or names that are not plain
   * file names. */
  preloadArt(baseUrl: string | URL, names?: string[]): Promise<string[]>;
  /** A game drawing into the canvas, whose width and height are the frame's (1 to 8192
   * each). Games pause while the tab is hidden and go on when it shows again. Throws a
   * TypeError for anything but a canvas of such a size, or callbacks that are not
   * functions. */
  createGame(canvas: HTMLCanvasElement | OffscreenCanvas, callbacks?: GameCallbacks): Game;
}

/** Every method checks its arguments: a wrong type throws a TypeError; a text too long,
 * holding a NUL, or refused by the plug-in answers -1; a closed game answers -1 (hints
 * null). */
export declare class Game {
  /** "param,N;key,value;...": N on success, 0 for a completed set-up, -1 on refusal. */
  command(text: string): number;
  /** "type,N;...": the event's result, -1 on refusal. */
  event(text: string): number;
  /** The answer to a KAVELO_QUERY_ number. */
  query(query: number): number;
  status(): KaveloStatus;
  /** A pair that can be linked now, or null. */
  hint(): KaveloMove | null;
  /** As hint, but the pair starts a clearing when one is found within a short time. */
  safeHint(): KaveloMove | null;
  /** Looks for a clearing within about budgetMs (0 to 60000, default 1000). */
  solve(budgetMs?: number): KaveloSolution;
  /** Shuffles that always leave the board clearable (true), or the plug-in's own. */
  setSolvableShuffles(on: boolean): number;
  /** 1 when the last removed pair was put back (undo) or removed again (redo), else 0. */
  undo(): number;
  redo(): number;
  /** Pauses (true) or resumes (false): the time stands and the board is hidden. */
  pause(on: boolean): number;
  /** 1 when paused, 0 when not, -1 once closed. */
  readonly paused: number;
  /** The game in play as bytes for load, or null when no game is set up. */
  save(): Uint8Array | null;
  /** 0 when loaded, -1 when refused (the game in play unchanged). */
  load(bytes: Uint8Array | ArrayBuffer): number;
  /** Ends the game; safe inside its own callbacks. */
  close(): void;
  readonly closed: boolean;
}
