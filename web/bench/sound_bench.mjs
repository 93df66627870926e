// The page's sound over a long run in headless Chromium: the receiver shown,
// the drift running, the sound on (A), for SECONDS (default 300); reports
// the output's underruns (as Chromium counts them) and the worklet's calls
// every 30 s, and what a frame's samples (0.1 s at the context's rate) cost
// in the generator's WebAssembly (qsb_sound.wasm, instantiated here), the
// level ramping in every other frame: the median of 50 batches of 20 frames,
// after 10 batches.
//   node web/bench/sound_bench.mjs [SECONDS] [SITE_FOLDER]
import { fileURLToPath } from 'node:url';
import { serve } from '../serve.mjs';
import { launchChromium, openPage } from '../chromium.mjs';

const root = fileURLToPath(new URL('../../', import.meta.url));
const [seconds = 300, site = root + 'build/web/site'] = process.argv.slice(2);
const REPORT_S = 30;

const { server, url } = await serve(site);
const browser = await launchChromium();
try {
  const page = browser.page;
  await openPage(page, url);
  const fillMs = await page.evaluate(async () => {
    const { instance } = await WebAssembly.instantiateStreaming(fetch('qsb_sound.wasm'));
    const context = new AudioContext(), rate = context.sampleRate, wasm = instance.exports, times = [];
    context.close();
    wasm._initialize();
    wasm.qsb_sound_start(rate);
    for (let i = 0; i < 60; ++i) {
      const t0 = performance.now();
      for (let j = 0; j < 20; ++j) {
        wasm.qsb_sound_level(1, j % 2 ? -20 : 6);  // as the native BM_SoundFrame
        wasm.qsb_sound_fill(Math.round(rate / 10));
      }
      times.push((performance.now() - t0) / 20);
    }
    return times.slice(10).sort((a, b) => a - b)[25];
  });
  console.log(`a frame's samples in WebAssembly: median ${fillMs.toFixed(3)} ms`);
  await page.click('h1');
  await page.keyboard.press('a');
  await page.waitForFunction(() => window.qsbSound.context?.state === 'running' && window.qsbSound.quanta > 0);
  const read = () => page.evaluate(() => {
    const s = window.qsbSound;
    return { time: s.context.currentTime, quanta: s.quanta, underruns: s.underruns, rate: s.context.sampleRate, frames: window.qsbPage.frames };
  });
  const start = await read();
  console.log(`sound on at ${start.rate} Hz, base latency ${await page.evaluate(() => window.qsbSound.context.baseLatency)} s`);
  for (let waited = 0; waited < seconds; waited += REPORT_S) {
    await page.waitForTimeout(Math.min(REPORT_S, seconds - waited) * 1000);
    const now = await read();
    const played = now.time - start.time;
    console.log(`${played.toFixed(1)} s of sound: ${now.underruns - start.underruns} underruns, ` +
      `${now.quanta - start.quanta} calls of 128 samples (${Math.round((played * now.rate) / 128)} in that time), ` +
      `${now.frames - start.frames} frames`);
  }
} finally {
  await browser.close();
  server.close();
}
