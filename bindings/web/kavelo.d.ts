// PlgKavelo in the browser: the plug-in's WebAssembly module behind a small API.
export * from './protocol.js';

/** Texts longer than this are refused (-1) without reaching the plug-in. */
export declare const MAX_TEXT_LENGTH: number;
/** The rule variants' names, by their KAVELO_GRAVITY_ numbers. */
export declare const GRAVITIES: readonly ['none', 'down', 'up', 'left', 'right'];
/** The largest deal number, 2 ** 64 - 1. */
export declare const MAX_DEAL: bigint;

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

/** Loads the module; by default the one beside kavelo.js. Rejects with a TypeError for
 * options that are not an object or a moduleUrl that is not a string or URL. */
export declare function loadKavelo(options?: { moduleUrl?: string | URL }): Promise<Kavelo>;

/** Made by loadKavelo. */
export declare class Kavelo {
  private constructor();
  /** The module's folder that preloadArt fills: name it in the commands' paths. */
  readonly artDir: string;
  /** How many pictures the browser has decoded for the module so far. */
  readonly decodedPictures: number;
  /** Fetches `names` (default: the list in index.json under the URL) into artDir and has
   * the browser decode the pictures the plug-in will take. Resolves to the names that
   * could not be fetched. Rejects with a TypeError for a bad URL, a folder without
   * index.json when names are left out, or names that are not plain file names. */
  preloadArt(baseUrl: string | URL, names?: string[]): Promise<string[]>;
  /** A game drawing into the canvas, whose width and height are the frame's (1 to 8192
   * each, at most 16777216 pixels in all). Games pause while the tab is hidden and go on
   * when it shows again. Throws a TypeError for anything but a canvas of such a size with
   * a 2d context to give, callbacks that are not an object, or callbacks in it that are
   * not functions; a RangeError when the module has no memory for the frame. */
  createGame(canvas: HTMLCanvasElement | OffscreenCanvas, callbacks?: GameCallbacks): Game;
}

/** Made by Kavelo.createGame. Every method checks its arguments: a wrong type or a number
 * out of range throws a TypeError; a text too long, holding a NUL, or refused by the
 * plug-in answers -1; a closed game answers -1 (hints and save null, solve 'unknown' and
 * no moves). */
export declare class Game {
  private constructor();
  /** "param,N;key,value;...": N on success, 0 for a completed set-up, -1 on refusal. */
  command(text: string): number;
  /** "type,N;...": the event's result, -1 on refusal. */
  event(text: string): number;
  /** The answer to a KAVELO_QUERY_ number (a whole number from 0 to 2147483647). */
  query(query: number): number;
  status(): KaveloStatus;
  /** A pair that can be linked now, or null. */
  hint(): KaveloMove | null;
  /** As hint, but the pair starts a clearing when one is found within a short time. */
  safeHint(): KaveloMove | null;
  /** Looks for a clearing within about budgetMs (a whole number from 0 to 60000, default
   * 1000). */
  solve(budgetMs?: number): KaveloSolution;
  /** Shuffles that always leave the board clearable (true), or the plug-in's own (false):
   * 0, or -1 once closed. Anything but a boolean throws a TypeError. */
  setSolvableShuffles(on: boolean): number;
  /** Later set-ups deal by `number` (a BigInt from 0n to MAX_DEAL, or a safe whole Number
   * from 0), or by the clock again with null: 0, or -1 once closed. Anything else throws
   * a TypeError. */
  setDeal(number: bigint | number | null): number;
  /** The number the board in play was dealt by; null when by the clock, when no game is
   * set up, or once closed. */
  readonly dealNumber: bigint | null;
  /** The rule variant later set-ups deal by, a KAVELO_GRAVITY_ number or its name: 0, or -1
   * once closed. Anything else throws a TypeError. */
  setGravity(gravity: number | 'none' | 'down' | 'up' | 'left' | 'right'): number;
  /** The KAVELO_GRAVITY_ variant of the board in play (the next set-up's before one); -1
   * once closed. */
  readonly gravity: number;
  /** Why the last pair clicked did not link, a KAVELO_MISS_ number; -1 with no game. */
  readonly lastMiss: number;
  /** 1 when the last removed pair was put back (undo) or removed again (redo), else 0. */
  undo(): number;
  redo(): number;
  /** Pauses (true) or resumes (false): the time stands and the board is hidden. 0, or -1
   * once closed. Anything but a boolean throws a TypeError. */
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
