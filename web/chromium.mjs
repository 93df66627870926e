// Debian's Chromium, headless, driven by playwright-core (which downloads no
// browser of its own): the one set-up the tests, the benchmark and the
// screenshot share. Every launch gets a fresh profile folder, removed on close.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

const ARGS = [
  '--no-sandbox',  // needed as root
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
];

// Resolves to { context, page, close }: a browser whose window (and so its
// page) is width x height CSS pixels at `scale` device pixels each. The scale
// is the browser's own, not emulated, so that the page sees real device
// pixels (emulation leaves ResizeObserver's device-pixel sizes unscaled).
// With `phone`, a phone's screen instead: touch, a mobile viewport of width
// x height (headless windows are at least 500 wide), and the same scale
// both real and emulated, for real device pixels again. `args`: more switches.
export async function launchChromium({ width = 1400, height = 800, scale = 1, phone = false, args = [] } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'qsb-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: [...ARGS, ...args, `--window-size=${width},${height}`, `--force-device-scale-factor=${scale}`],
    ...(phone ? { viewport: { width, height }, deviceScaleFactor: scale, hasTouch: true, isMobile: true } : { viewport: null }),
  });
  const close = async () => {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { context, page: context.pages()[0] || (await context.newPage()), close };
}

// Loads the address and waits until the page has shown `frames` frames.
export async function openPage(page, url, frames = 1) {
  await page.goto(url);
  await page.waitForFunction((n) => window.qsbPage && window.qsbPage.frames >= n, frames);
}
