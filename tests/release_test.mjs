// The release zips as a user gets them: named with the version, each holding
// what it should, and the page, unpacked far from the build tree, loading
// all it needs by relative paths and drawing in headless Chromium.
//   node tests/release_test.mjs [RELEASE_FOLDER]    default build/release
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { serve } from '../web/serve.mjs';
import { launchChromium, openPage } from '../web/chromium.mjs';

const root = fileURLToPath(new URL('../', import.meta.url));
const folder = process.argv[2] || join(root, 'build', 'release');
const version = /^project\(qsb VERSION ([0-9.]+)/m.exec(readFileSync(join(root, 'CMakeLists.txt'), 'utf8'))[1];
const windows = `qsb-windows-${version}`, web = `qsb-web-${version}`;
assert.deepEqual(readdirSync(folder).sort(), [`${web}.zip`, `${windows}.zip`]);
const unpacked = mkdtempSync(join(tmpdir(), 'qsb-release-'));
const unpack = (name) => execFileSync('cmake', ['-E', 'tar', 'xvf', join(folder, `${name}.zip`)], { cwd: unpacked, encoding: 'utf8' })
  .split('\n').map((line) => line.replace(/^x /, '')).filter((entry) => entry && !entry.endsWith('/')).sort();

// qsb.exe, the README and every picture the README shows, where it shows them from.
const pictures = [...readFileSync(join(root, 'README.md'), 'utf8').matchAll(/\]\((docs\/[^)]+)\)/g)].map((m) => `${windows}/${m[1]}`);
assert.deepEqual(unpack(windows), [...new Set([`${windows}/README.md`, `${windows}/qsb.exe`, ...pictures])].sort());
assert.equal(readFileSync(join(unpacked, windows, 'qsb.exe')).subarray(0, 2).toString(), 'MZ');

assert.ok(unpack(web).includes(`${web}/index.html`));
const { server, url } = await serve(join(unpacked, web));
const browser = await launchChromium({ width: 1200, height: 800 });
try {
  const failures = [];
  browser.page.on('response', (r) => r.status() >= 400 && failures.push(`${r.status()} ${r.url()}`));
  browser.page.on('request', (r) => !r.url().startsWith(url) && !r.url().startsWith('data:') && failures.push(`elsewhere: ${r.url()}`));
  await openPage(browser.page, url, 10);
  // Pixels of the layer's blue on the scene.
  const layer = await browser.page.evaluate(() => {
    const data = document.getElementById('scene').getContext('2d').getImageData(0, 0, 1000, 400).data;
    let count = 0;
    for (let i = 0; i < data.length; i += 4) {
      count += Math.abs(data[i] - 38) + Math.abs(data[i + 1] - 139) + Math.abs(data[i + 2] - 210) < 30;
    }
    return count;
  });
  assert.deepEqual(failures, []);
  assert.ok(layer > 500, `${layer} pixels of the layer's colour`);
  console.log(`release: ${windows}.zip and ${web}.zip hold what they should; the page draws from ${url}`);
} finally {
  await browser.close();
  server.close();
  rmSync(unpacked, { recursive: true, force: true });
}
