// Plays a few pairs on kavelo-play's page by clicking hinted tiles, shows a hint (H) and
// writes a screenshot of the page.   node scripts/screenshot-web.mjs <site> <png>
import { chromium } from '../tests/web/node_modules/playwright-core/index.mjs';
import { serve } from './serve.mjs';

const [site, out] = process.argv.slice(2);
const server = await serve(site);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'] });
try {
  const page = await browser.newPage({ viewport: { width: 1000, height: 720 } });
  await page.goto(`${server.url}play/`);
  await page.evaluate(() => window.kaveloPlay.ready);
  for (let pair = 0; pair < 6; pair++) {
    const move = await page.evaluate(() => window.kaveloPlay.game.hint());
    for (const [x, y] of [[move.x1, move.y1], [move.x2, move.y2]]) {
      const at = await page.evaluate(([cx, cy]) => window.kaveloPlay.cellCenter(cx, cy), [x, y]);
      await page.mouse.click(at.x, at.y);
    }
    await page.waitForTimeout(400);  // the link's trail fades
  }
  await page.keyboard.press('h');
  await page.waitForTimeout(300);
  await page.screenshot({ path: out });
  console.log(`Wrote ${out}`);
} finally {
  await browser.close();
  await server.close();
}
