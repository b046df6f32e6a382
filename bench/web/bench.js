// The browser's benchmarks: one tick of a 1920 x 1080 game (compose, deliver, convert,
// putImageData) against a plain copy of one frame's bytes, and the size of what a page
// downloads. Results are shown and left in window.benchResults.
import { loadKavelo, KAVELO_PARAM_SET_UP, KAVELO_PARAM_TIME_BAR, KAVELO_EVENT_TICK, KAVELO_EVENT_SHUFFLE,
  KAVELO_SHUFFLE_SPREAD } from '../kavelo.js';

const WIDTH = 1920, HEIGHT = 1080, CELL = 48, TOP = 32, SAMPLES = 60, BATCH = 20;

// The median time of one step of each of `steps`, in milliseconds, and the median of
// their ratios to the first. Browsers coarsen the clock to a tenth of a millisecond, so
// each sample times a batch of steps; the steps' samples alternate, so that a machine
// that speeds up or slows down weighs on all of them alike.
function medians(...steps) {
  for (const step of steps) for (let i = 0; i < BATCH * 3; i++) step(i);
  const times = steps.map(() => []), ratios = steps.map(() => []);
  for (let s = 0; s < SAMPLES; s++) {
    steps.forEach((step, k) => {
      const start = performance.now();
      for (let i = 0; i < BATCH; i++) step(s * BATCH + i);
      times[k].push((performance.now() - start) / BATCH);
      ratios[k].push(times[k][s] / times[0][s]);
    });
  }
  const middle = (list) => list.sort((a, b) => a - b)[list.length >> 1];
  return { ms: times.map(middle), ratio: ratios.map(middle) };
}

async function bytesOf(name) {
  return (await (await fetch(new URL(`../${name}`, import.meta.url))).arrayBuffer()).byteLength;
}

async function run() {
  const from = new Uint8ClampedArray(WIDTH * HEIGHT * 4).fill(7), to = new Uint8ClampedArray(from.length);
  const copy = (i) => { from[0] = i; to.set(from); };

  const kavelo = await loadKavelo();
  await kavelo.preloadArt(new URL('../play/art/', import.meta.url));
  const art = kavelo.artDir;
  const game = kavelo.createGame(document.getElementById('frame'));
  const columns = Math.floor(WIDTH / CELL), rows = Math.floor((HEIGHT - TOP) / CELL);
  if (game.command(`param,${KAVELO_PARAM_SET_UP};w,${columns};h,${rows};c,36;r,16;screenWidth,${WIDTH};` +
      `screenHeight,${HEIGHT};screenBits,32;zeroX,0;zeroY,${TOP};iconPath,${art}/tile;iconType,.png;` +
      `animationFrames,10;animationPath,${art}/trail;animationType,.png;`) !== 0) throw new Error('set-up refused');
  game.command(`param,${KAVELO_PARAM_TIME_BAR};timeBar,${art}/timebar.png;x,${CELL};y,8;time,100000;`);
  game.event(`type,${KAVELO_EVENT_SHUFFLE};shuffle,${KAVELO_SHUFFLE_SPREAD};`);
  const tick = `type,${KAVELO_EVENT_TICK};`;
  const { ms: [copyMs, tickMs], ratio: [, tickToCopy] } = medians(copy, () => game.event(tick));
  game.close();

  const moduleBytes = (await bytesOf('PlgKaveloModule.wasm')) + (await bytesOf('PlgKaveloModule.js')) +
    (await bytesOf('kavelo.js')) + (await bytesOf('protocol.js'));
  return { copyMs, tickMs, tickToCopy, moduleBytes };
}

window.benchResults = run().then((results) => {
  document.getElementById('results').textContent = JSON.stringify(results, null, 2);
  return results;
});
