// The browser edition in Debian's headless Chromium, checked as a person
// would look at it, plus the frames' operations against the native build.
//   node web/tests/browser_test.mjs PATH/TO/qsb-trace [SITE_FOLDER]
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
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
  // canvas pixel, and the chart is 1000 x 200.
  await page.addStyleTag({ content: '.views { flex: none !important; width: 1000px !important; max-width: none !important; }' });
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
const search = () => page.evaluate(() => location.search);
const nextFrame = async (k = 1) => page.waitForFunction((n) => window.qsbPage.frames >= n, k + await page.evaluate(() => window.qsbPage.frames));
const chartShown = () => page.isVisible('#chart');
// The mast's column: the receiver's colour from row 478 down to 488 in one column, right of the transmitter's paths.
const mastColumn = (map) => [...map[478]].findIndex((p, x) => x > 100 && p === 'c' && map[488][x] === 'c');

test('the page starts with the dialog\'s slider ranges, positions and texts', async () => {
  assert.equal(await page.title(), 'QSB effect of the ionosphere');
  assert.equal(await page.locator('#status').textContent(), '');
  const sliders = await page.$$eval('.slider', (all) => all.map((s) => {
    const input = s.querySelector('input');
    return [s.querySelector('label').textContent, +input.min, +input.max, +input.value, s.querySelector('output').textContent,
      input.getAttribute('aria-valuetext')];
  }));
  // The inputs hold negated positions (the highest value at the top) and announce the value shown.
  assert.deepEqual(sliders, [
    ['Altitude', -400, -100, -104, '395.7', '395.7'], ['Amplitude', -22, 0, -10, ' 11.3', '11.3'],
    ['Frequency', -120, 0, -67, ' 0.52', '0.52'], ['Phase', -150, 40, -25, ' 7.5', '7.5'],
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
  // its 2-pixel pen covers a row and the one above, as GDI's does. The
  // normal whiskers stand above it.
  assert.deepEqual(layerRows(map), [row(395.7 + 11.3) - 1, row(395.7 - 11.3)]);
  // The curve spans columns 0..934; the whiskers' feet hide it at some of their 70.
  const columns = [...map[0]].filter((_, x) => map.some((line) => line[x] === 'l')).length;
  assert.ok(columns > 850, 'the layer across the width');
  assert.ok(count(map, 'w', 0, 84) > 1000, 'normal whiskers above the layer');
});

test('the altitude slider at its top sets 400 and lifts the layer', async () => {
  await page.evaluate(() => window.qsbPage.run());
  const box = await page.locator('#altitude').boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + 1);
  assert.deepEqual([await page.locator('#altitude').inputValue(), await page.locator('#altitude').getAttribute('aria-valuetext')], ['-100', '400.0']);
  await nextFrame();
  assert.deepEqual(layerRows(await pixels()), [row(400 + 11.3) - 1, row(400 - 11.3)]);
  assert.match(await search(), /altitude=400\.0&/);
});

test('a link\'s frames are the native qsb-trace\'s for the same values (a scene\'s too), the start state\'s link giving the start exactly', async () => {
  // The float sine and cosine of the browser build (emscripten's C library)
  // may differ from glibc's in the last bit. At steep ripples that can lose
  // or gain a ray in a few frames; at the start values it changes nothing
  // (2,000 frames checked). The receiver's paths come from double tan, sin
  // and cos, which may also differ in the last bit (sqrt is exact on both),
  // but they land on the same pixels: at x = 900, 3,000 frames gave 0
  // differing operations. So the bound is 0 for both.
  // 395.7 is a start value no slider position shows.
  const start = '?altitude=395.7&amplitude=11.3&frequency=0.52&phase=7.5&whiskers=normals';
  for (const [frames, query, options] of [[300, start, []], [300, '?receiver=900', ['--receiver', 900]], [100, '?scene=3', ['--scene', 3]],
    [50, '?altitude=300.0&amplitude=5.0&frequency=0.80&phase=-2.5&whiskers=tangents&receiver=450',
      ['--altitude', 300, '--amplitude', 5, '--frequency', 0.8, '--phase-step', -2.5, '--whiskers', 'tangents', '--receiver', 450]]]) {
    const native = execFileSync(tracePath, ['--frames', frames, ...options].map(String), { maxBuffer: 1 << 28 }).toString().split('\n');
    const web = await page.evaluate(([n, q]) => window.qsbPage.restart(n, false, q), [frames, query]);
    assert.equal(web.length, native.length - 1, `line count for ${query}`);
    assert.equal(web.filter((line, i) => line !== native[i]).length, 0, `differing operations for ${query}`);
  }
});

test('R shows the receiver in the scene and its chart; Space freezes the picture, and Space again lets the layer drift on, the chart filling', async () => {
  await page.evaluate(() => (window.qsbPage.restart(1), window.qsbPage.run()));
  assert.deepEqual([count(await pixels(), 'c', 0, 499), await chartShown()], [0, false]);
  await page.keyboard.press('r');
  await nextFrame();
  assert.ok(count(await pixels(), 'c', 0, 499) > 300, 'the receiver\'s mark and path');
  const signal = async () => count(await pixels('chart'), 's', 0, 199);
  const before = await signal();
  await page.keyboard.press('Space');
  await nextFrame();
  const frozen = await pixels();
  await page.waitForTimeout(300);
  assert.deepEqual(await pixels(), frozen);
  // Paused, the chart takes no sample: it grows only with the drift going on.
  await page.keyboard.press('Space');
  await nextFrame(20);
  assert.ok((await signal()) > before + 20, `the signal curve grows from ${before} to ${await signal()}`);
});

test('a click on the scene puts the receiver on the ground there, showing it again after R hid it', async () => {
  const mast = async () => mastColumn(await pixels());
  const start = await mast();
  await page.keyboard.press('r');
  await nextFrame();
  assert.deepEqual([await mast(), await chartShown()], [-1, false]);
  await page.locator('#scene').click({ position: { x: 300.5, y: 480 } });
  await nextFrame();
  // World x = 900 is drawn at column 602, column 300 shows x = 443, drawn at 299; the
  // 2-pixel pen covers the column and the one left of it.
  assert.deepEqual([start, await mast(), await chartShown()], [601, 298, true]);
  // Dragging along moves it.
  const box = await page.locator('#scene').boundingBox();
  await page.mouse.move(box.x + 300.5, box.y + 480);
  await page.mouse.down();
  await page.mouse.move(box.x + 500.5, box.y + 300, { steps: 4 });
  await page.mouse.up();
  await nextFrame();
  assert.deepEqual([await mast(), (await search()).match(/receiver=\w+/)[0]], [498, 'receiver=745']);
});

// How many pixels of the canvases are in each of the given colours (the
// core's, by index), and in none of them but the background's.
const colourCounts = (ids, colourOf, count) => page.evaluate(([canvases, fn, n]) => {
  const core = window.qsbPage.core, index = new Map(Array.from({ length: n }, (_, i) => [core[fn](i), i]).reverse());
  const counts = new Array(n + 1).fill(0);
  for (const id of canvases) {
    const c = document.getElementById(id);
    const d = c.getContext('2d', { willReadFrequently: true }).getImageData(0, 0, c.width, c.height).data;
    for (let i = 0; i < d.length; i += 4) {
      const rgb = (d[i] << 16) | (d[i + 1] << 8) | d[i + 2];
      counts[index.get(rgb) ?? n] += index.has(rgb) || rgb !== core._qsb_background_colour();
    }
  }
  return counts;
}, [ids, colourOf, count]);
const viewsShown = () => page.evaluate(() => ['map', 'chart', 'waterfall', 'statistics'].filter((id) => !document.getElementById(id).hidden).join(' '));

test('M, W and S, and their buttons, show and hide the views, each drawn; the map\'s receiver mark stands in the mast\'s column', async () => {
  await page.evaluate(() => (window.qsbPage.restart(1), window.qsbPage.run()));
  await page.click('h1');
  // [key or button, views shown after it]: W shows the receiver (and its chart) too.
  for (const [press, shown] of [['m', 'map'], ['w', 'map chart waterfall'], ['#button-statistics', 'map chart waterfall statistics'],
    ['#button-map', 'chart waterfall statistics'], ['#button-waterfall', 'chart statistics'], ['s', 'chart'], ['#button-map', 'map chart']]) {
    await (press.startsWith('#') ? page.click(press) : page.keyboard.press(press));
    assert.equal(await viewsShown(), shown, press);
  }
  await page.keyboard.press('w');
  await page.keyboard.press('s');
  await nextFrame(20);
  // Pixels in the map's and the waterfall's cell colours: 20 rows of the 1000 x 300 strip at least, and of the
  // waterfall's 65 x 300; on the statistics' paper, pixels in none of them: its lines and texts.
  const [map, band, paper] = await Promise.all(['map', 'waterfall', 'statistics'].map((id) => colourCounts([id], '_qsb_cell_colour', 256)));
  const [mapCells, bandCells, statistics] = [map.slice(0, 256).reduce((a, b) => a + b), band.slice(0, 256).reduce((a, b) => a + b), paper[256]];
  assert.ok(mapCells > 20 * 900 && bandCells > 20 * 800 && statistics > 2000, `${mapCells} ${bandCells} ${statistics}`);
  // The mast and the mark in the footer under the map's strip (its 2-pixel
  // pen's V, symmetric about its column): the same column, for two receivers.
  for (const x of [900, 437]) {
    await page.evaluate((at) => window.qsbPage.restart(1, false, `?receiver=${at}&map=1`), x);
    const scene = await pixels(), footer = await pixels('map-footer');
    const mast = mastColumn(scene);
    const mark = footer.slice(0, 8).flatMap((line) => [...line].flatMap((p, col) => (p === 'c' ? [col] : [])));
    assert.deepEqual([mast, (Math.min(...mark) + Math.max(...mark) - 1) / 2], [mast, mast], `receiver at ${x}`);
  }
});

test('a scene by its key or the Scene list moves the sliders to it and says its name', async () => {
  await page.evaluate(() => (window.qsbPage.restart(1), window.qsbPage.run()));
  await page.click('h1');
  const sliders = () => page.$$eval('.slider', (all) => all.map((s) => {
    const input = s.querySelector('input'), shown = s.querySelector('output').textContent.trim(), core = window.qsbPage.core;
    // The input's position is the one nearest the value shown, or the start's for the start's text.
    const i = ['altitude', 'amplitude', 'frequency', 'phase'].indexOf(input.id), at = -input.value;
    const placed = at === core._qsb_slider_position_of(i, Number(shown)) ||
      (shown === core.UTF8ToString(core._qsb_slider_start_text(i)).trim() && at === core._qsb_slider_start_position(i));
    return `${shown} ${input.getAttribute('aria-valuetext') === shown} ${placed}`;
  }).join(', '));
  // [a key, or an option of the list (0 is scene 1), the sliders' texts, the line by the chart, the list's value]
  for (const [choose, texts, said, listed] of [
    ['2', '300.0 true true, 22.0 true true, 1.20 true true, 7.5 true true', 'Scene 2: Deep multipath | Ionosphere: smooth', '1'],
    ['option 2', '400.0 true true, 22.0 true true, 0.52 true true, 7.5 true true', 'Scene 3: Skip zone | Ionosphere: smooth', '2'],
    ['5', '395.7 true true, 11.3 true true, 0.52 true true, 7.5 true true', 'Scene 5: Disturbed | Ionosphere: disturbed', '4'],
    ['i', '395.7 true true, 11.3 true true, 0.52 true true, 7.5 true true', 'Scene 5: Disturbed | Ionosphere: smooth', '4'],
  ]) {
    await (choose.startsWith('option') ? page.selectOption('#scene-select', choose.slice(7)) : page.keyboard.press(choose));
    assert.deepEqual([await sliders(), await page.locator('#scene-state').textContent(), await page.inputValue('#scene-select')],
      [texts, said, listed], choose);
  }
});

test('at one device pixel per unit every pen shows its exact colour, the one-pixel whiskers, grid and labels too', async () => {
  // Tangents, and a receiver where several paths part the focus and signal curves.
  await page.evaluate(() => window.qsbPage.restart(200, false, '?receiver=1200&amplitude=22&frequency=0.8&whiskers=tangents'));
  // Hundreds of pixels a line's pen (an anti-aliased diagonal one-pixel line has a handful);
  // the labels are text, drawn anti-aliased like all text, their stems exact.
  const names = ['ray', 'marker', 'reflection', 'layer', 'whisker', 'black', 'receiver', 'signal', 'focus', 'grid', 'label'];
  const counts = await colourCounts(['scene', 'chart'], '_qsb_pen_colour', names.length);
  // Black is never drawn with.
  assert.deepEqual(names.filter((pen, i) => pen !== 'black' && counts[i] < (pen === 'label' ? 20 : 200)), [], JSON.stringify(counts));
});

// A download that `click` starts: its suggested name and its bytes.
async function download(p, click) {
  const [file] = await Promise.all([p.waitForEvent('download'), click()]);
  return [file.suggestedFilename(), readFileSync(await file.path())];
}
// A PNG's width and height, after its signature and IHDR chunk.
function pngSize(bytes) {
  assert.deepEqual([...bytes.subarray(0, 8)], [137, 80, 78, 71, 13, 10, 26, 10], 'PNG signature');
  assert.equal(bytes.toString('latin1', 12, 16), 'IHDR');
  return [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];
}

test('Save signal gives qsb-trace\'s CSV of the last 300 frames, also through a rough ionosphere; Save picture a PNG of every view shown', async () => {
  // [the link, qsb-trace's options, the picture's height: the scene, then each view shown under it]
  for (const [query, options, height] of [['?receiver=900', [], 500 + 200],
    ['?receiver=900&ionosphere=disturbed&seed=18446744073709551615&map=1&waterfall=1&statistics=1',
      ['--ionosphere', 'disturbed', '--seed', '18446744073709551615'], 500 + 334 + 200 + 358 + 340]]) {
    await page.evaluate((q) => window.qsbPage.restart(350, false, q), query);
    const dir = mkdtempSync(join(tmpdir(), 'qsb-signal-'));
    execFileSync(tracePath, ['--frames', '350', '--receiver', '900', '--signal', join(dir, 's.csv'), ...options], { stdio: 'ignore' });
    const native = readFileSync(join(dir, 's.csv'), 'utf8').split('\n');
    rmSync(dir, { recursive: true });
    const [name, csv] = await download(page, () => page.click('#button-save-signal'));
    // The header, then the chart's 300 samples, oldest first: frames 51 to 350.
    assert.deepEqual([name, csv.toString()], ['qsb-signal.csv', [native[0], ...native.slice(51)].join('\n')]);
    const [pictureName, png] = await download(page, () => page.click('#button-save-picture'));
    assert.deepEqual([pictureName, ...pngSize(png)], ['qsb-picture.png', 1000, height]);
  }
});

test('a link gives back the whole state, as changed by keys and a slider', async () => {
  await page.evaluate(() => (window.qsbPage.restart(1), window.qsbPage.run()));
  await page.click('h1');  // no button has the focus: Space there would press it
  for (const key of ['T', 'r', 'ArrowRight', 'ArrowRight', 'Space']) await page.keyboard.press(key);  // either case
  await page.focus('#amplitude');
  await page.keyboard.press('ArrowUp');  // one position up, from 10 to 9: 13.0
  await nextFrame();
  const link = await page.evaluate(() => location.href);
  assert.match(link, /\?altitude=395\.7&amplitude=13\.0&frequency=0\.52&phase=7\.5&receiver=920&whiskers=tangents&paused=1$/);
  const other = await browser.context.newPage();
  await openPage(other, link);
  const state = (p) => p.evaluate(() => [location.search, ...[...document.querySelectorAll('output, button, #paused-mark')]
    .map((e) => `${e.textContent} ${e.getAttribute('aria-pressed')} ${e.hidden} ${e.disabled}`)]);
  assert.deepEqual(await state(other), await state(page));
  await other.close();
  // The views, a scene, the ionosphere and a seed too, the scene's sliders changed after it.
  const views = '?scene=3&altitude=400.0&amplitude=21.0&frequency=0.52&phase=7.5&receiver=60&whiskers=normals&map=1&waterfall=1&statistics=1' +
    '&ionosphere=moderate&seed=12345678901234567890';
  await page.evaluate((q) => window.qsbPage.restart(1, false, q), views);
  assert.equal(await search(), views);
});

test('a link with garbage in every key still opens, clamped where it can be read, with nothing injected', async () => {
  const garbage = '?altitude=abc&amplitude=1e999&frequency=-7&receiver=-5000&paused=yes&whiskers=%3Cscript%3Ewindow.injected%3D1%3C%2Fscript%3E' +
    '&phase=%22%3E%3Cimg%20src%3Dx%20onerror%3D%22window.injected%3D1%22%3E';
  const other = await browser.context.newPage();
  other.on('pageerror', (e) => consoleErrors.push(e.message));  // checked by the last test
  await openPage(other, new URL(garbage, page.url()).href, 3);
  assert.deepEqual(await other.evaluate(() => [location.search, window.injected, document.querySelectorAll('img, script:not([src])').length]),
    ['?altitude=395.7&amplitude=22.0&frequency=0.00&phase=7.5&receiver=1&whiskers=normals', undefined, 0]);
  await other.close();
  // The views', the scene's, the ionosphere's and the seed's: ignored, the seed beyond 2^64 - 1 at it.
  for (const [query, kept] of [['?map=yes&waterfall=2&statistics=on&scene=0&ionosphere=Moderate&seed=-4', ''],
    ['?scene=6&ionosphere=%3Cb%3E&seed=1e3', ''], ['?scene=1.5&seed=0000184467440737095516160000', '&seed=18446744073709551615']]) {
    const search = await page.evaluate((q) => (window.qsbPage.restart(1, false, q), location.search), query);
    assert.equal(search, '?altitude=395.7&amplitude=11.3&frequency=0.52&phase=7.5&whiskers=normals' + kept, query);
  }
});

test('the keyboard alone: Space presses a focused button, the help takes the focus, keeps it and gives it back', async () => {
  await page.evaluate(() => (window.qsbPage.restart(1), window.qsbPage.run()));
  await page.click('h1');  // Tab goes on from here
  await page.keyboard.press('Tab');
  await page.keyboard.press('Space');  // the first button, Receiver: not the pause
  assert.deepEqual(await page.evaluate(() => [document.activeElement.id, window.qsbPage.core._qsb_receiver_shown(), window.qsbPage.core._qsb_paused()]),
    ['button-receiver', 1, 0]);
  await page.keyboard.press('F1');
  const focused = () => page.evaluate(() => [document.getElementById('help').open, document.activeElement.closest('dialog') !== null, document.activeElement.id]);
  assert.deepEqual(await focused(), [true, true, '']);
  const version = readFileSync(root + 'CMakeLists.txt', 'utf8').match(/project\(qsb VERSION ([0-9.]+)/)[1];
  assert.equal(await page.locator('#version').textContent(), `QSB effect of the ionosphere ${version}`);
  for (const key of ['Tab', 'Shift+Tab', 'Tab', 't']) await page.keyboard.press(key);
  assert.deepEqual([...await focused(), await page.evaluate(() => window.qsbPage.core._qsb_whiskers())], [true, true, '', 2]);
  await page.keyboard.press('Escape');
  assert.deepEqual(await focused(), [false, false, 'button-receiver']);
});

test('axe-core finds no serious or critical violation, with every view shown and with the help open', async () => {
  await page.evaluate(() => (window.qsbPage.restart(1, false, '?scene=2&map=1&waterfall=1&statistics=1&ionosphere=quiet'), window.qsbPage.run()));
  await page.addScriptTag({ path: root + 'web/node_modules/axe-core/axe.min.js' });
  const violations = () => page.evaluate(async () => (await window.axe.run()).violations
    .filter((v) => v.impact === 'serious' || v.impact === 'critical').map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
  assert.deepEqual(await violations(), []);
  await page.keyboard.press('F1');
  assert.deepEqual(await violations(), []);
  await page.keyboard.press('Escape');
});

test('on a phone (390 x 844, touch, 3 device pixels a CSS pixel) every button acts and says its state', async () => {
  const phone = await launchChromium({ width: 390, height: 844, scale: 3, phone: true });
  const p = phone.page;
  try {
    await openPage(p, new URL('/', page.url()).href);
    const frames = () => p.evaluate(() => window.qsbPage.frames);
    const tap = async (id) => (await p.tap('#button-' + id), p.waitForFunction((n) => window.qsbPage.frames > n, await frames()));
    // Each button as "label aria-pressed disabled", the chart and the paused mark shown, the address beyond the sliders.
    const state = () => p.evaluate(() => ({
      ...Object.fromEntries([...document.querySelectorAll('.bar button')].map((b) => [b.id.slice(7), `${b.textContent} ${b.getAttribute('aria-pressed')} ${b.disabled}`])),
      chart: !document.getElementById('chart').hidden, mark: !document.getElementById('paused-mark').hidden,
      url: [...new URLSearchParams(location.search)].slice(4).map((kv) => kv.join('=')).join(' '),
    }));
    const tapAll = async (taps) => {
      for (const [id, expected] of taps) {
        await tap(id);
        const now = await state();
        assert.deepEqual(Object.fromEntries(Object.keys(expected).map((k) => [k, now[k]])), expected, id);
      }
    };
    await tapAll([
      ['receiver', { receiver: 'Receiver true false', 'save-signal': 'Save signal null false', chart: true, url: 'receiver=900 whiskers=normals' }],
      ['pause', { pause: 'Resume null false', step: 'Step null false', mark: true, url: 'receiver=900 whiskers=normals paused=1' }],
      ['tangents', { tangents: 'Tangents true false', normals: 'Normals false false', url: 'receiver=900 whiskers=tangents paused=1' }],
      ['normals', { tangents: 'Tangents false false', normals: 'Normals true false', url: 'receiver=900 whiskers=normals paused=1' }],
      ['map', { map: 'Map true false', url: 'receiver=900 whiskers=normals paused=1 map=1' }],
      ['waterfall', { waterfall: 'Waterfall true false', url: 'receiver=900 whiskers=normals paused=1 map=1 waterfall=1' }],
      ['statistics', { statistics: 'Statistics true false', url: 'receiver=900 whiskers=normals paused=1 map=1 waterfall=1 statistics=1' }],
      ['ionosphere', { ionosphere: 'Ionosphere: quiet null false', url: 'receiver=900 whiskers=normals paused=1 map=1 waterfall=1 statistics=1 ionosphere=quiet' }],
    ]);
    // With every view shown and a scene chosen, the scene's name on the line by the chart, no sideways
    // scrolling, and the scene on 3 device pixels a CSS pixel.
    await p.selectOption('#scene-select', '1');
    assert.deepEqual(await p.evaluate((scene = document.getElementById('scene')) => [document.documentElement.scrollWidth,
      document.getElementById('scene-state').textContent, Math.abs(scene.width - 3 * scene.clientWidth) <= 1]), [390, 'Scene 2: Deep multipath | Ionosphere: smooth', true]);
    // Every view's texts at least 11 CSS pixels high: the replay's font (11 drawing units) at the
    // canvas's device pixels a unit, over its device pixels a CSS pixel; each canvas on 3 device pixels a CSS pixel.
    const texts = await p.evaluate(() => window.qsbPage.drawViews().map(([view, frame]) => {
      const { HEAP32, HEAPU8 } = window.qsbPage.core, ops = HEAP32[frame >> 2], c = view.canvas;
      const drawn = Array.from({ length: HEAP32[(frame >> 2) + 1] }, (_, i) => HEAPU8[ops + 20 * i]).filter((kind) => kind === 4).length;
      return [view.entry.id, drawn > 0, (11 * view.scaleY * c.clientHeight) / c.height, Math.abs(c.width - 3 * c.clientWidth) <= 1];
    }));
    assert.deepEqual(texts.map(([id, drawn, size, sharp]) => `${id} ${drawn && size >= 11 - 1e-9} ${sharp}`).join(', '),
      'map false true, map-footer true true, chart true true, waterfall true true, statistics true true', JSON.stringify(texts));
    // Every button, view and the list within the width, at least 44 CSS pixels high; buttons 44 wide too.
    for (const id of ['map', 'map-footer', 'waterfall', 'statistics', 'scene-select', ...await p.$$eval('.bar button', (all) => all.map((b) => b.id))]) {
      const box = await p.locator('#' + id).boundingBox();
      assert.ok(box.x >= 0 && box.x + box.width <= 390 && box.height >= 44 && (!id.startsWith('button') || box.width >= 44), `${id} ${JSON.stringify(box)}`);
    }
    await p.evaluate(() => (window.qsbPage.restart(3, false, '?receiver=900'), window.qsbPage.press(0x20), window.qsbPage.run()));
    const picture = () => p.evaluate(() => document.getElementById('scene').toDataURL());
    const frozen = await picture();
    await tap('step');
    const stepped = await picture();
    await p.waitForFunction((n) => window.qsbPage.frames > n + 2, await frames());
    assert.ok(stepped !== frozen && (await picture()) === stepped, 'one step, then still');
    await p.tap('#button-help');
    assert.deepEqual(await p.evaluate(() => [document.getElementById('help').open, document.activeElement.className]), [true, 'close']);
    await p.tap('#help .close');
    assert.deepEqual(await p.evaluate(() => [document.getElementById('help').open, document.activeElement.id]), [false, 'button-help']);
    // The clipboard refused, as where the page is not a secure context: the old way still copies.
    await phone.context.grantPermissions(['clipboard-read', 'clipboard-write']);
    await p.evaluate(() => (navigator.clipboard.writeText = () => Promise.reject(new Error('refused'))));
    await p.tap('#button-copy-link');
    await p.waitForFunction(() => document.getElementById('note').textContent !== '');
    assert.deepEqual(await p.evaluate(async () => [document.getElementById('note').textContent, await navigator.clipboard.readText() === location.href]),
      ['Link copied.', true]);
    // The picture at its drawing size, not the canvases' 3 device pixels a unit (the signal's CSV: the desktop's test).
    const [, png] = await download(p, () => p.tap('#button-save-picture'));
    assert.deepEqual(pngSize(png), [1000, 700]);
    await tapAll([
      ['pause', { pause: 'Pause null false', step: 'Step null true', mark: false }],
      ['receiver', { receiver: 'Receiver false false', 'save-signal': 'Save signal null true', chart: false, url: 'whiskers=normals' }],
    ]);
    // A tap on the picture puts the receiver there, showing it; a finger moved sideways drags it
    // along; one moved up scrolls the page and leaves the receiver where it was.
    const box = await p.locator('#scene').boundingBox();
    await p.touchscreen.tap(box.x + box.width / 4, box.y + box.height / 2);
    await p.waitForFunction(() => /receiver=36\d/.test(location.search));
    const cdp = await phone.context.newCDPSession(p);
    for (const [from, dx, dy] of [[0.25, box.width / 2, 0], [0.4, 0, -100]]) {
      const at = (i) => [{ x: box.x + box.width * from + (dx * i) / 8, y: box.y + box.height - 10 + (dy * i) / 8 }];
      for (let i = 0; i <= 8; ++i) await cdp.send('Input.dispatchTouchEvent', { type: i ? 'touchMove' : 'touchStart', touchPoints: at(i) });
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
      await p.waitForFunction((n) => window.qsbPage.frames > n + 1, await frames());
      assert.match(await p.evaluate(() => location.search), /receiver=112\d&/);
    }
  } finally {
    await phone.close();
  }
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
