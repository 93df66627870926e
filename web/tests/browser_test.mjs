// The browser edition in Debian's headless Chromium, checked as a person
// would look at it, plus the frames' operations against the native build.
//   node web/tests/browser_test.mjs PATH/TO/qsb-trace [SITE_FOLDER]
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { after, before, test } from 'node:test';
import { serve } from '../serve.mjs';
import { launchChromium, openPage } from '../chromium.mjs';

const root = fileURLToPath(new URL('../../', import.meta.url));
const [tracePath, site = root + 'build/web/site'] = process.argv.slice(2);
assert.ok(tracePath, 'usage: node web/tests/browser_test.mjs PATH/TO/qsb-trace [SITE_FOLDER]');

// The pens' and the background's colours, one letter each in the pixel maps.
// c: the receiver and its paths, s: the chart's signal curve.
const COLOURS = { '.': [0, 43, 54], r: [203, 75, 22], m: [133, 153, 0], f: [220, 50, 47], l: [38, 139, 210], w: [181, 137, 0],
  c: [238, 232, 213], s: [42, 161, 152] };
// World height to client row, as the scene maps it: 510 units over 500 rows.
const row = (height) => Math.trunc(500 - ((height + 10) * 500) / 510);

let server, browser, page;
const consoleErrors = [];
before(async () => {
  let url;
  ({ server, url } = await serve(site));
  browser = await launchChromium();
  page = browser.page;
  page.on('console', (m) => m.type() === 'error' && consoleErrors.push(m.text()));
  page.on('pageerror', (e) => consoleErrors.push(e.message));
  await openPage(page, url);
  // Shown 1000 px wide at one device pixel per CSS pixel, a scene pixel is a
  // canvas pixel and the lines' middles keep their pens' exact colours.
  await page.addStyleTag({ content: 'canvas { width: 1000px !important; max-width: none !important; }' });
  await page.waitForFunction(() => document.getElementById('scene').width === 1000);
});
after(async () => (await browser?.close(), server?.close()));

// A canvas as strings of letters, one a pixel (the scene: 500 of 1000): a
// pen's letter where a pixel is mostly that pen's colour over the background
// (lines are anti-aliased), '?' where it is none of them or a mixture of two.
async function pixels(canvas = 'scene') {
  return page.evaluate(([colours, id]) => {
    const scene = document.getElementById(id);
    const copy = Object.assign(document.createElement('canvas'), { width: scene.width, height: scene.height });
    const ctx = copy.getContext('2d', { willReadFrequently: true });
    ctx.drawImage(scene, 0, 0);
    const data = ctx.getImageData(0, 0, copy.width, copy.height).data;
    const b = colours['.'];
    const dot = (u, v) => u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
    const rows = [];
    for (let y = 0, i = 0; y < copy.height; ++y) {
      let line = '';
      for (let x = 0; x < copy.width; ++x, i += 4) {
        const p = [data[i] - b[0], data[i + 1] - b[1], data[i + 2] - b[2]];
        // How much of the pen's colour lies over the background (a), and what else (rest).
        line += Object.keys(colours).find((k) => {
          const d = colours[k].map((v, j) => v - b[j]);
          const a = k === '.' ? 0 : dot(p, d) / dot(d, d);
          return (k === '.' || a > 0.6) && Math.hypot(...p.map((v, j) => v - a * d[j])) < 16;
        }) || '?';
      }
      rows.push(line);
    }
    return rows;
  }, [COLOURS, canvas]);
}

const count = (map, letter, top, bottom) => map.slice(top, bottom + 1).join('').split(letter).length - 1;
const layerRows = (map) => map.flatMap((line, y) => (line.includes('l') ? [y] : [])).filter((_, i, a) => i === 0 || i === a.length - 1);
const nextFrame = async (k = 1) => page.waitForFunction((n) => window.qsbPage.frames >= n, k + await page.evaluate(() => window.qsbPage.frames));
const chartShown = () => page.isVisible('#chart');

test('the page starts with the dialog\'s slider ranges, positions and texts', async () => {
  assert.equal(await page.title(), 'QSB effect of the ionosphere');
  assert.equal(await page.locator('#status').textContent(), '');
  const sliders = await page.$$eval('.slider', (all) => all.map((s) => {
    const input = s.querySelector('input');
    return [s.querySelector('label').textContent, +input.min, +input.max, +input.value, s.querySelector('output').textContent];
  }));
  assert.deepEqual(sliders, [
    ['Altitude', 100, 400, 104, '395.7'], ['Amplitude', 0, 22, 10, ' 11.3'],
    ['Frequency', 0, 120, 67, ' 0.52'], ['Phase', -40, 150, 25, ' 7.5'],
  ]);
  await page.screenshot({ path: root + 'build/web/qsb-web.png' });
});

test('the first frame has each colour where the scene puts it', async () => {
  await page.evaluate(() => window.qsbPage.restart(1));
  const map = await pixels();
  // Every ray leaves the transmitter; the last, a marked one, is on top there.
  // Ray 14 of the fan half way up, the first reflection three quarters down.
  const places = [['.', 998, 498], ['.', 500, 300], ['m', 6, 490], ['r', 247, 292], ['f', 275, 392]];
  assert.deepEqual(places.map(([, x, y]) => map[y][x]), places.map(([letter]) => letter));
  // The layer reaches the rows of H + A and H - A (395.7 +- 11.3, rows 91..113);
  // the normal whiskers stand above it.
  assert.deepEqual(layerRows(map), [row(395.7 + 11.3), row(395.7 - 11.3)]);
  // The curve spans columns 0..934; the whiskers' feet hide it at some of their 70.
  const columns = [...map[0]].filter((_, x) => map.some((line) => line[x] === 'l')).length;
  assert.ok(columns > 850, 'the layer across the width');
  assert.ok(count(map, 'w', 0, 84) > 1000, 'normal whiskers above the layer');
});

test('the scene moves: two frames 300 ms apart differ', async () => {
  await page.evaluate(() => window.qsbPage.run());
  const first = await pixels();
  await page.waitForTimeout(300);
  assert.notDeepEqual(await pixels(), first);
});

test('T and N switch between tangent and normal whiskers', async () => {
  const whiskersAbove = async () => count(await pixels(), 'w', 0, 84);
  assert.ok((await whiskersAbove()) > 1000);
  await page.keyboard.press('t');
  await nextFrame();
  const map = await pixels();
  assert.equal(count(map, 'w', 0, 84), 0, 'no normals with tangents');
  assert.ok(count(map, 'w', 85, 120) > 1000, 'tangents along the layer');
  await page.keyboard.press('N');
  await nextFrame();
  assert.ok((await whiskersAbove()) > 1000);
});

test('the altitude slider at its top sets 400 and lifts the layer', async () => {
  const box = await page.locator('#altitude').boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + 1);
  assert.equal(await page.locator('#altitude').inputValue(), '100');
  assert.equal(await page.locator('.slider output').first().textContent(), '400.0');
  await nextFrame();
  assert.deepEqual(layerRows(await pixels()), [row(400 + 11.3), row(400 - 11.3)]);
});

test('the frames\' operations are the native qsb-trace\'s, without and with the receiver', async () => {
  // The float sine and cosine of the browser build (emscripten's C library)
  // may differ from glibc's in the last bit. At steep ripples that can lose
  // or gain a ray in a few frames; at the start values it changes nothing
  // (2,000 frames checked). The receiver's paths come from double tan, sin
  // and cos, which may also differ in the last bit (sqrt is exact on both),
  // but they land on the same pixels: at x = 900, 3,000 frames gave 0
  // differing operations. So the bound is 0 for both.
  const frames = 300;
  for (const receiver of [false, true]) {
    const native = execFileSync(tracePath, ['--frames', frames, ...(receiver ? ['--receiver', 900] : [])].map(String), { maxBuffer: 1 << 28 }).toString().split('\n');
    const web = await page.evaluate(([n, r]) => window.qsbPage.restart(n, r), [frames, receiver]);
    assert.equal(web.length, native.length - 1, 'line count');
    assert.equal(web.filter((line, i) => line !== native[i]).length, 0, `differing operations, receiver ${receiver}`);
  }
});

test('R shows the receiver in the scene and its chart, which fills as the layer drifts', async () => {
  await page.evaluate(() => (window.qsbPage.restart(1), window.qsbPage.run()));
  assert.deepEqual([count(await pixels(), 'c', 0, 499), await chartShown()], [0, false]);
  await page.keyboard.press('r');
  await nextFrame();
  assert.ok(count(await pixels(), 'c', 0, 499) > 300, 'the receiver\'s mark and path');
  const signal = async () => count(await pixels('chart'), 's', 0, 199);
  const before = await signal();
  await nextFrame(20);
  assert.ok((await signal()) > before + 20, `the signal curve grows from ${before} to ${await signal()}`);
});

test('Space freezes the picture, and Space again lets the layer drift on', async () => {
  await page.keyboard.press('Space');
  await nextFrame();
  const frozen = await pixels();
  await page.waitForTimeout(300);
  assert.deepEqual(await pixels(), frozen);
  await page.keyboard.press('Space');
  await nextFrame(2);
  assert.notDeepEqual(await pixels(), frozen);
});

test('a click on the scene puts the receiver on the ground there, showing it again after R hid it', async () => {
  // The mast: the receiver's colour from row 478 down to 488 in one column, right of the transmitter's paths.
  const mast = async (map) => (map = await pixels(), [...map[478]].findIndex((p, x) => x > 100 && p === 'c' && map[488][x] === 'c'));
  const start = await mast();
  await page.keyboard.press('r');
  await nextFrame();
  assert.deepEqual([await mast(), await chartShown()], [-1, false]);
  await page.locator('#scene').click({ position: { x: 300.5, y: 480 } });
  await nextFrame();
  // World x = 900 is drawn at column 602; column 300 shows x = 443, drawn at 299 or 300.
  assert.ok(Math.abs(start - 602) <= 1 && Math.abs((await mast()) - 300) <= 1 && (await chartShown()), `mast at ${start}, then ${await mast()}`);
});

test('at two device pixels per CSS pixel the canvas has twice as many, at 2:1', async () => {
  const hidpi = await launchChromium({ width: 700, height: 600, scale: 2 });
  await openPage(hidpi.page, page.url());
  const [w, h, shown] = await hidpi.page.$eval('#scene', (c) => [c.width, c.height, c.getBoundingClientRect().width]);
  await hidpi.close();
  assert.ok(Math.abs(w - 2 * shown) <= 1 && h === Math.round(w / 2), `${w} x ${h} for ${shown} CSS pixels`);
});

test('a page whose WebAssembly does not load says so', async () => {
  const broken = await browser.context.newPage();
  await broken.route('**/qsb.wasm', (route) => route.fulfill({ status: 404, body: 'gone' }));
  await broken.goto(page.url());
  await broken.locator('#status.error').waitFor({ state: 'visible' });
  assert.match(await broken.locator('#status').textContent(), /could not be started/);
  await broken.close();
});

test('no console error on the page', () => {
  assert.deepEqual(consoleErrors, []);
});
