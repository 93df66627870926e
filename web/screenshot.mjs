// Serves the built page, lets it animate for a moment in headless Chromium
// and saves a picture of it. With --receiver, R shows the receiver first and
// the page animates for 10 s (100 frames), so that its chart has a history.
//   node web/screenshot.mjs SITE_FOLDER OUT.png [--receiver]
import { serve } from './serve.mjs';
import { launchChromium, openPage } from './chromium.mjs';

const [folder, out, option] = process.argv.slice(2);
if (!folder || !out || (option !== undefined && option !== '--receiver')) {
  console.error('usage: node web/screenshot.mjs SITE_FOLDER OUT.png [--receiver]');
  process.exit(2);
}
const receiver = option === '--receiver';
const { server, url } = await serve(folder);
// Tall enough for the scene and the chart under it.
const browser = await launchChromium({ width: 1400, height: receiver ? 860 : 700 });
try {
  await openPage(browser.page, url, receiver ? 1 : 10);
  if (receiver) {
    await browser.page.keyboard.press('r');
    const shown = await browser.page.evaluate(() => window.qsbPage.frames);
    await browser.page.waitForFunction((n) => window.qsbPage.frames >= n + 100, shown, { timeout: 30000 });
  }
  await browser.page.screenshot({ path: out, fullPage: true });
  console.log(`screenshot: ${out}`);
} finally {
  await browser.close();
  server.close();
}
