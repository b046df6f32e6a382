#ifndef PLGKAVELO_KAVELO_PROTOCOL_H
#define PLGKAVELO_KAVELO_PROTOCOL_H
/* The numbers of PlgKavelo's text protocol. A command is "param,N;key,value;...", an event
 * "type,N;key,value;..."; these names give every N, every answer that means something
 * beyond a count, and the values of the "shuffle" key. They are plain integer literals,
 * so that KAVELO_TEXT can spell them into texts at compile time. Valid C and C++. */

/* Commands, the values of "param". Each answers its own number, the set-up 0; -1 is a refusal. */
#define KAVELO_PARAM_SET_UP 1            /* a new board and renderer: "w", "h", "c", "r", screen, pictures */
#define KAVELO_PARAM_SELECTION_PICTURE 2 /* the mark drawn over the selected tile: "choose" */
#define KAVELO_PARAM_TIME_BAR 4          /* the time bar's picture and place, and the time limit: "time" */
#define KAVELO_PARAM_SOUNDS 8            /* the sound files, by the KAVELO_SOUND_ keys */
#define KAVELO_PARAM_SCORE_STEP 16       /* the score each removed pair adds: "markAdd" */
/* Extension: the number later set-ups deal by, "deal": 0 to 18446744073709551615 in
 * decimal digits; empty goes back to dealing by the clock. Sent before a set-up, it holds
 * for every set-up after it until changed; with a number, the deal and every shuffle of
 * that game follow from it alone, the same on every platform. Needs no game set up. */
#define KAVELO_PARAM_DEAL 32
/* Extension: the rule variant of later set-ups, "gravity": "none" (the default), "down",
 * "up", "left" or "right". Under gravity, when a pair is removed, the interior tiles of each
 * column (down, up) or row (left, right) that held one of the pair move toward that side,
 * keeping their order, until that line of the interior has no gap on that side; the border
 * ring never moves. Sent before a set-up, it holds for every set-up after it until changed;
 * another value, or no "gravity" key, is refused and changes nothing. Needs no game set up. */
#define KAVELO_PARAM_RULES 64

/* Events, values of "type". */
#define KAVELO_EVENT_TICK 0    /* draws a frame and counts the link trail down; answers 0 */
#define KAVELO_EVENT_CLICK 1   /* a click on cell "x", "y"; answers a KAVELO_CLICK_ result */
#define KAVELO_EVENT_SHUFFLE 2 /* rearranges the tiles by the KAVELO_SHUFFLE_ mode in "shuffle"; 0 */
#define KAVELO_EVENT_TIME 64   /* adds "time" seconds of play; answers the seconds used */

/* Queries, the other values of "type": each answers a number and changes nothing. */
#define KAVELO_QUERY_PAIRS 4          /* pairs removed so far */
#define KAVELO_QUERY_MISSES 8         /* wrong clicks so far */
#define KAVELO_QUERY_CELL_WIDTH 16    /* a cell's width in pixels */
#define KAVELO_QUERY_CELL_HEIGHT 32   /* a cell's height in pixels */
#define KAVELO_QUERY_SCORE 128        /* the score */
#define KAVELO_QUERY_TILES_LEFT 256   /* tiles left on the board */
#define KAVELO_QUERY_SECONDS_LEFT 512 /* the time limit less the seconds used */
#define KAVELO_QUERY_LAST_MISS 1024   /* extension: a KAVELO_MISS_ reason for the last pair clicked */

/* Click results: what a click event answers. */
#define KAVELO_CLICK_WRONG 0   /* another kind, or no path: the clicked tile is now selected */
#define KAVELO_CLICK_CONNECT 1 /* the pair was linked and removed, tiles remain */
#define KAVELO_CLICK_CANCEL 2  /* outside the grid or an empty cell: nothing is selected */
#define KAVELO_CLICK_CHOOSE 4  /* a tile is (still) selected */
#define KAVELO_CLICK_WIN 99    /* the pair was removed and the board is clear: the game is won */

/* Why the last pair of clicks was not linked (KAVELO_QUERY_LAST_MISS). A pair is judged when a
 * tile is clicked while another one is selected (the selected tile again is no pair); the
 * reason stays until the next pair is judged,
 * and a new set-up or a loaded game starts at none. Click results stay as above. */
#define KAVELO_MISS_NONE 0  /* the last pair was linked, or no pair was judged yet */
#define KAVELO_MISS_KINDS 1 /* two different pictures */
#define KAVELO_MISS_PATH 2  /* one picture, but no path with at most two turns */

/* The rule variants: the values of the C and C++ gravity calls, and, in this order, of the
 * "gravity" key of KAVELO_PARAM_RULES ("none", "down", "up", "left", "right"). */
#define KAVELO_GRAVITY_NONE 0
#define KAVELO_GRAVITY_DOWN 1
#define KAVELO_GRAVITY_UP 2
#define KAVELO_GRAVITY_LEFT 3
#define KAVELO_GRAVITY_RIGHT 4

/* Shuffle modes, the values of "shuffle" in a shuffle event (its low 8 bits count). */
#define KAVELO_SHUFFLE_SCATTER 1 /* swaps the corner cell with random cells, border ring included */
#define KAVELO_SHUFFLE_MIX 2     /* swaps kinds among the occupied cells */
#define KAVELO_SHUFFLE_COMPACT 3 /* packs the tiles into the interior, then mixes */
#define KAVELO_SHUFFLE_SPREAD 4  /* compacts, then moves the gaps around the interior */

/* Sounds: the file under each key of the sound command plays for the click result of its name. */
#define KAVELO_SOUND_WRONG KAVELO_CLICK_WRONG     /* key "wrong" */
#define KAVELO_SOUND_CONNECT KAVELO_CLICK_CONNECT /* key "connect" */
#define KAVELO_SOUND_CANCEL KAVELO_CLICK_CANCEL   /* key "cancel" */
#define KAVELO_SOUND_CHOOSE KAVELO_CLICK_CHOOSE   /* key "choose" */
#define KAVELO_SOUND_WIN KAVELO_CLICK_WIN         /* key "win" */

/* One of the numbers above as a string literal: "type," KAVELO_TEXT(KAVELO_QUERY_SCORE) ";"
 * is "type,128;", and L"type," KAVELO_TEXT(KAVELO_QUERY_SCORE) L";" its wide form. */
#define KAVELO_TEXT(number) KAVELO_TEXT_SPELLED_(number)
#define KAVELO_TEXT_SPELLED_(number) #number

#endif /* PLGKAVELO_KAVELO_PROTOCOL_H */
