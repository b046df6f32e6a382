// Plays a few pairs on kavelo-play's page by tapping Hint and the marked tiles, shows a
// hint and writes screenshots of the page: on a desktop screen, and on a phone in portrait.
//   node scripts/screenshot-web.mjs <site> <desktop png> <phone png>
import { chromium } from '../tests/web/node_modules/playwright-core/index.mjs';
import { serve } from './serve.mjs';

const [site, desktop, phone] = process.argv.slice(2);
const server = await serve(site);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'] });
const screens = [
  [desktop, { viewport: { width: 1000, height: 800 } }],
  [phone, { viewport: { width: 390, height: 760 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 }],
];
try {
  for (const [out, options] of screens) {
    const context = await browser.newContext(options);
    const page = await context.newPage();
    await page.goto(`${server.url}play/`);
    await page.evaluate(() => window.kaveloPlay.ready);
    const hint = page.getByRole('button', { name: 'Hint' });
    for (let pair = 0; pair < 6; pair++) {
      await hint.click();
      const cells = await page.evaluate(() => window.kaveloPlay.hinted());
      for (const [x, y] of [cells.slice(0, 2), cells.slice(2)]) {
        const at = await page.evaluate(([cx, cy]) => window.kaveloPlay.cellCenter(cx, cy), [x, y]);
        await page.mouse.click(at.x, at.y);
      }
      await page.waitForTimeout(400);  // the link's trail fades
    }
    await hint.click();
    await page.waitForTimeout(300);
    await page.screenshot({ path: out });
    console.log(`Wrote ${out}`);
    await context.close();
  }
} finally {
  await browser.close();
  await server.close();
}
