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

// Resolves to { context, close }: a browser context with the given viewport.
export async function launchChromium({ width = 1400, height = 800, scale = 1 } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'qsb-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ARGS,
    viewport: { width, height },
    deviceScaleFactor: scale,
  });
  const close = async () => {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { context, close };
}

// Opens the page and waits until it has shown `frames` frames.
export async function openPage(context, url, frames = 1) {
  const page = context.pages()[0] || (await context.newPage());
  await page.goto(url);
  await page.waitForFunction((n) => window.qsbPage && window.qsbPage.frames >= n, frames);
  return page;
}
