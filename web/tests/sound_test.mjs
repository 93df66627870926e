// The page's sound in Debian's headless Chromium (its audio goes to a null
// sink, but the context runs on real time): the tone's level against the
// native receiver's, how soon a new level is heard, no underrun, the key,
// the button and the hidden page (which draws no frame either), and the
// browser's demand for a gesture.
//   node web/tests/sound_test.mjs PATH/TO/qsb-trace [SITE_FOLDER]
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
assert.ok(tracePath, 'usage: node web/tests/sound_test.mjs PATH/TO/qsb-trace [SITE_FOLDER]');

let server, url, browser, page;
before(async () => {
  ({ server, url } = await serve(site));
  browser = await launchChromium();
  page = browser.page;
  await openPage(page, url);
});
after(async () => (await browser?.close(), server?.close()));

// The sound's state as the page shows it.
const shown = (p = page) => p.evaluate(() => {
  const s = window.qsbSound;
  return { pressed: document.getElementById('button-sound').getAttribute('aria-pressed'), line: document.getElementById('sound-state').textContent,
    context: s.context?.state, receiver: window.qsbPage.core._qsb_receiver_shown() };
});
// Until the context runs exactly while the sound is on and the page shown.
const settle = (p = page) => p.waitForFunction(() => !window.qsbSound.context ||
  (window.qsbSound.context.state === 'running') === (window.qsbSound.on && !document.hidden));
const dB = (x) => 20 * Math.log10(x);

// Starts afresh from a link with the first frame (as qsb-trace's frame 1),
// the drift running or paused after it, and turns the sound on with the A key.
async function soundOn(query, paused = false) {
  await page.evaluate(([q, pause]) => {
    window.qsbPage.restart(1, false, q);
    if (pause) window.qsbPage.press(0x20);
    window.qsbPage.run();
  }, [query, paused]);
  await page.click('h1');
  await page.keyboard.press('a');
  await settle();
  await page.waitForFunction(() => window.qsbSound.node && window.qsbSound.quanta > 0);
}

test('A, the Sound button and R switch the sound; a hidden page suspends it, and shown again it resumes only if it is on;' +
  ' hidden, the page draws no frame and keeps no timer', async () => {
  await page.evaluate(() => (window.qsbPage.restart(1), window.qsbPage.run()));
  const hide = (h) => () => page.evaluate((hidden) => {
    Object.defineProperty(document, 'hidden', { configurable: true, get: () => hidden });
    document.dispatchEvent(new Event('visibilitychange'));
  }, h);
  // drawing: frames drawn while the sound settles, and a timer kept for them.
  const on = { pressed: 'true', line: 'Sound on', context: 'running', receiver: 1, drawing: 'true true' },
    off = { ...on, pressed: 'false', line: 'Sound off', context: 'suspended' }, hidden = { drawing: 'false false' };
  const button = () => page.click('#button-sound'), frames = () => page.evaluate(() => window.qsbPage.frames);
  for (const [act, expected] of [[() => page.keyboard.press('a'), on],
    [hide(true), { ...on, ...hidden, line: 'Sound on, silent while the page is hidden', context: 'suspended' }],
    [hide(false), on], [button, off], [hide(true), { ...off, ...hidden }], [hide(false), off], [button, on], [() => page.keyboard.press('r'), { ...off, receiver: 0 }]]) {
    await act();
    const before = await frames();
    await page.waitForTimeout(200);  // time to go wrong: a resume, say
    await settle();
    const drawing = `${(await frames()) > before} ${await page.evaluate(() => window.qsbPage.timer !== 0)}`;
    assert.deepEqual({ ...await shown(), drawing }, expected, String(act));
  }
});

const scratch = mkdtempSync(join(tmpdir(), 'qsb-sound-')), csvPath = join(scratch, 'signal.csv');
after(() => rmSync(scratch, { recursive: true }));

test('the tone\'s level follows the receiver\'s signal dB for dB, and without a path the hiss alone plays', async () => {
  // The level the native receiver works out for frame 1 (paused after it: every frame hears it):
  // one path, seven paths interfering (their focus 22 dB over their signal), none.
  const deep = [['altitude', 300], ['amplitude', 22], ['frequency', 1.2], ['receiver', 1200]];
  for (const options of [[['receiver', 900]], deep, [['receiver', 1]]]) {
    execFileSync(tracePath, ['--frames', '1', '--signal', csvPath, ...options.flatMap(([k, v]) => [`--${k}`, String(v)])], { stdio: 'ignore' });
    const signalDb = readFileSync(csvPath, 'utf8').split('\n')[1].split(',')[3];
    const x = options.at(-1)[1];
    await soundOn('?' + options.map(([k, v]) => `${k}=${k === 'receiver' ? v : v.toFixed(k === 'frequency' ? 2 : 1)}`).join('&'), true);
    await page.waitForTimeout(200);  // past the ramp from the start's silence
    const samples = await page.evaluate(async () => [...(await window.qsbSound.capture(8192)).samples]);
    const rms = Math.sqrt(samples.reduce((sum, s) => sum + s * s, 0) / samples.length);
    // A 0 dB signal peaks at 0.1; the hiss lies 30 dB under that tone.
    const toneRms = signalDb === '' ? 0 : (0.1 * 10 ** (signalDb / 20)) / Math.SQRT2, hissRms = (0.1 / Math.SQRT2) * 10 ** -1.5;
    const expected = Math.hypot(toneRms, hissRms);
    assert.ok(Math.abs(dB(rms / expected)) < 0.3, `x = ${x}: ${dB(rms).toFixed(2)} dBFS RMS, expected ${dB(expected).toFixed(2)}`);
  }
});

test('a frame\'s new level is heard within 150 ms of the frame, and 10 s of sound have no underrun', async () => {
  await soundOn('?receiver=900', true);
  const latencies = [];
  for (let i = 0; i < 5; ++i) {
    await page.evaluate(() => window.qsbPage.stop());
    // The time of the frame that moves the receiver off the paths, then the
    // first 128 samples of the output whose peak is a tenth under the tone's.
    latencies.push(await page.evaluate(async () => {
      const { qsbPage: q, qsbSound: s } = window;
      const captured = s.capture(128 * Math.round((0.4 * s.context.sampleRate) / 128));
      await new Promise((done) => setTimeout(done, 100));
      const frameTime = s.context.currentTime;
      q.core._qsb_show_receiver_at(1);
      q.step();
      const { samples, time } = await captured;
      const peaks = [];
      for (let b = 0; b < samples.length; b += 128) peaks.push(Math.max(...samples.subarray(b, b + 128).map(Math.abs)));
      const tone = Math.min(...peaks.slice(0, 10));
      return time + (peaks.findIndex((p) => p < 0.9 * tone) * 128) / s.context.sampleRate - frameTime;
    }));
    await page.evaluate(() => (window.qsbPage.core._qsb_show_receiver_at(900), window.qsbPage.run()));
    await page.waitForTimeout(300);
  }
  const outputLatency = await page.evaluate(() => window.qsbSound.context.outputLatency);
  console.log(`# frame to the first sample at the new level: ${latencies.map((t) => (1000 * t).toFixed(0)).join(', ')} ms` +
    ` (the output adds ${(1000 * outputLatency).toFixed(0)} ms)`);
  // Heard means out of the speaker: the output's own delay counts too.
  assert.ok(latencies.every((t) => t > 0 && t + outputLatency < 0.15), `${latencies.join(' ')} + ${outputLatency}`);

  await page.evaluate(() => window.qsbPage.press(0x20));  // the drift runs: a new level every frame
  const counts = () => page.evaluate(() => [window.qsbSound.context.currentTime, window.qsbSound.quanta, window.qsbSound.underruns]);
  const start = await counts();
  await page.waitForTimeout(10000);
  const [seconds, quanta, underruns] = (await counts()).map((v, i) => v - start[i]);
  // The worklet reports its calls every 256: the count may lag by one report.
  const rate = await page.evaluate(() => window.qsbSound.context.sampleRate);
  assert.ok(seconds > 9.5 && quanta > ((seconds - 1) * rate) / 128, `${seconds} s, ${quanta} calls`);
  assert.equal(underruns, 0);
});

test('a browser that waits for a gesture: the page says so and starts the sound at the next click; the Sound button starts it at once;' +
  ' a page from elsewhere over http says it has no sound', async () => {
  // Headless Chromium plays without a gesture; desktop Chrome's policy makes it wait.
  const strict = await launchChromium({ args: ['--autoplay-policy=document-user-activation-required', '--host-resolver-rules=MAP qsb.test 127.0.0.1'] });
  // Every script call the tests make counts as a gesture, waiting for a
  // locator too: the page says when it is ready on its console instead.
  const open = async (pressA) => {
    const p = await strict.context.newPage();
    await p.addInitScript((press) => {
      const wait = setInterval(() => window.qsbPage && (clearInterval(wait), press && window.qsbPage.press(0x41), console.log('ready')), 20);
    }, pressA);
    const ready = p.waitForEvent('console', (m) => m.text() === 'ready');
    await p.goto(url);
    await ready;
    return p;
  };
  try {
    const p = await open(true);
    await p.locator('#sound-state.error', { hasText: 'waits for a click or a key' }).waitFor();
    await p.click('h1');
    await p.locator('#sound-state:not(.error)', { hasText: 'Sound on' }).waitFor();
    const q = await open(false);
    await q.click('#button-sound');
    await settle(q);
    assert.deepEqual(await shown(q), { pressed: 'true', line: 'Sound on', context: 'running', receiver: 1 });
    // Not a secure context: no audio worklet.
    await openPage(q, url.replace('127.0.0.1', 'qsb.test'));
    await q.keyboard.press('a');
    await q.locator('#sound-state.error', { hasText: 'No sound: ' }).filter({ hasText: 'https' }).waitFor();
  } finally {
    await strict.close();
  }
});
