// Serves the built page, lets it animate for a moment in headless Chromium
// and saves a picture of it.
//   node web/screenshot.mjs SITE_FOLDER OUT.png
import { serve } from './serve.mjs';
import { launchChromium, openPage } from './chromium.mjs';

const [folder, out] = process.argv.slice(2);
if (!folder || !out) {
  console.error('usage: node web/screenshot.mjs SITE_FOLDER OUT.png');
  process.exit(2);
}
const { server, url } = await serve(folder);
const browser = await launchChromium({ width: 1400, height: 700 });
try {
  await openPage(browser.page, url, 10);
  await browser.page.screenshot({ path: out });
  console.log(`screenshot: ${out}`);
} finally {
  await browser.close();
  server.close();
}
