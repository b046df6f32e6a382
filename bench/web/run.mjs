// Runs the benchmark page in headless Chromium and prints its results, with the time
// from navigation to kavelo-play's first frame on localhost.
//   node bench/web/run.mjs <site folder>
import { chromium } from '../../tests/web/node_modules/playwright-core/index.mjs';
import { serve } from '../../scripts/serve.mjs';

const site = process.argv[2] ?? 'build-web/site';
const server = await serve(site);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu',
  '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'] });
try {
  const page = await browser.newPage();
  await page.goto(`${server.url}bench/`);
  const results = await page.evaluate(() => window.benchResults);
  const firsts = [];
  for (let i = 0; i < 5; i++) {
    const play = await browser.newPage();
    await play.goto(`${server.url}play/`);
    firsts.push(await play.evaluate(() => window.kaveloPlay.firstFrame));
    await play.close();
  }
  firsts.sort((a, b) => a - b);
  console.log(JSON.stringify({ ...results, firstFrameMs: firsts[2] }, null, 2));
} finally {
  await browser.close();
  await server.close();
}
