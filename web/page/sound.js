// The receiver's sound through Web Audio. The core's generator plays in the
// audio thread: an AudioWorklet (sound_worklet.js) runs it from its own small
// WebAssembly module (qsb_sound.wasm) and makes every block as it is played,
// so a busy page never leaves the output short; once a frame the page posts
// the frame's level, which the worklet takes before its next block, 3 ms
// later at 44.1 kHz.
//
// The sound follows the core's SoundOn (A, the Sound button, or off with
// the receiver). Browsers start audio only after a click or a key: a
// context that will not run says so in the status line and starts at the
// next click or key. A hidden page suspends the context; shown again it
// resumes if the sound is on.
const BLOCKED_AFTER_MS = 500;  // a context that does not run by then waits for a gesture
const MIN_RATE = 8000, MAX_RATE = 192000;  // the generator's (model/sound_generator.h)

export function makeSound(core, statusLine) {
  const sound = { context: null, node: null, on: false, problem: '', quanta: 0, captures: [] };
  let blockedTimer = 0;
  // The output's underruns as the browser counts them: blocks the audio
  // thread did not have ready when the device asked.
  Object.defineProperty(sound, 'underruns', { get: () => sound.context?.playbackStats?.underrunEvents ?? null });

  const show = () => {
    const state = sound.context?.state;
    statusLine.textContent = sound.problem ? 'No sound: ' + sound.problem
      : !sound.on ? 'Sound off'
      : state === 'running' ? 'Sound on'
      : document.hidden ? 'Sound on, silent while the page is hidden'
      : blockedTimer ? 'Sound starting\u2026'
      : 'Sound waits for a click or a key: the browser plays sound only after one';
    const waiting = sound.on && state !== 'running' && !blockedTimer && !document.hidden;
    statusLine.classList.toggle('error', Boolean(sound.problem) || waiting);
  };
  const fail = (why) => (sound.problem = why, show());

  const level = () => [core._qsb_sound_paths(), core._qsb_sound_db()];
  const heard = ({ data }) => {
    if (data.captured) sound.captures.shift()?.({ samples: data.captured, time: data.time });
    else sound.quanta = data.quanta;
  };

  // The node comes once the worklet's script and the generator's module
  // are loaded; until then the context plays silence.
  const makeContext = () => {
    const context = new AudioContext({ latencyHint: 'playback' });
    const rate = context.sampleRate;
    const why = !context.audioWorklet ? 'the page needs https, or to come from this computer, for its audio worklet'
      : !(rate >= MIN_RATE && rate <= MAX_RATE) ? `the output's ${rate} Hz is outside the 8 to 192 kHz the tone is made for` : '';
    if (why) {
      context.close();
      throw new Error(why);
    }
    context.addEventListener('statechange', show);
    const generator = WebAssembly.compileStreaming(fetch(new URL('../qsb_sound.wasm', import.meta.url)));
    Promise.all([generator, context.audioWorklet.addModule(new URL('./sound_worklet.js', import.meta.url))]).then(([module]) => {
      sound.node = new AudioWorkletNode(context, 'qsb-sound', { numberOfInputs: 0, outputChannelCount: [1], processorOptions: { module } });
      sound.node.port.onmessage = heard;
      sound.node.onprocessorerror = () => fail('the player stopped with an error');
      sound.node.connect(context.destination);
      if (sound.on) sound.node.port.postMessage({ start: level() });
    }).catch((error) => fail('the player could not be loaded (' + (error.message || error) + ')'));
    return context;
  };

  const resume = () => {
    if (!sound.on || document.hidden || !sound.context || sound.context.state === 'running') return;
    clearTimeout(blockedTimer);
    blockedTimer = setTimeout(() => ((blockedTimer = 0), show()), BLOCKED_AFTER_MS);
    sound.context.resume().then(show, show);
  };

  // A fresh generator each time, as the Windows program opens its device afresh.
  const start = () => {
    try {
      sound.context ||= makeContext();
    } catch (error) {
      sound.problem = error.message || String(error);
      return;
    }
    sound.node?.port.postMessage({ start: level() });
    resume();
  };

  const stop = () => {
    if (sound.context?.state === 'running') sound.context.suspend().then(show);
  };

  // After anything that may change the core's SoundOn.
  sound.sync = () => {
    const wanted = core._qsb_sound_on() !== 0;
    if (wanted !== sound.on) {
      sound.on = wanted;
      if (wanted) start();
      else stop();
    }
    show();
  };

  // Once a frame, after it was drawn: the frame's level.
  sound.frame = () => sound.on && sound.node?.port.postMessage({ level: level() });

  // The next `count` samples the worklet plays, and the context time of the first.
  sound.capture = (count) => new Promise((done) => {
    sound.captures.push(done);
    sound.node.port.postMessage({ capture: count });
  });

  document.addEventListener('visibilitychange', () => {
    if (document.hidden && sound.context?.state === 'running') sound.context.suspend();
    else resume();
  });
  // The gesture the browser waited for.
  for (const type of ['pointerdown', 'keydown']) document.addEventListener(type, resume, true);
  show();
  return sound;
}
