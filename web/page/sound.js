// The receiver's sound through Web Audio. The core's generator runs on this
// thread in WebAssembly and gets the receiver's level once a frame; an
// AudioWorklet (sound_worklet.js) plays its samples from a small ring and
// asks for a chunk whenever the ring runs under its target, so the page
// works in steps of 20 ms and a frame's new level is heard after at most
// the target's 60 ms of queued samples plus one chunk's wait.
//
// The sound follows the core's SoundOn (A, the Sound button, or off with
// the receiver). Browsers start audio only after a click or a key: a
// context that will not run says so in the status line and starts at the
// next click or key. A hidden page suspends the context; shown again it
// resumes if the sound is on.
const CHUNK_SECONDS = 0.02;
const TARGET_SECONDS = 0.06;
const BLOCKED_AFTER_MS = 500;  // a context that does not run by then waits for a gesture
const QUANTUM = 128;           // the samples of one call of the worklet

const quanta = (seconds, rate) => QUANTUM * Math.ceil((seconds * rate) / QUANTUM);

export function makeSound(core, statusLine) {
  const sound = { context: null, node: null, on: false, problem: '', underruns: 0, quanta: 0, captures: [] };
  let blockedTimer = 0;

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

  const fill = (count) => {
    const at = core._qsb_sound_fill(count) >> 2;
    const samples = core.HEAPF32.slice(at, at + Math.min(count, core._qsb_sound_block_capacity()));
    sound.node?.port.postMessage(samples, [samples.buffer]);
  };

  const heard = ({ data }) => {
    if (data.need) {
      if (sound.on) fill(data.need);
    } else if (data.captured) {
      sound.captures.shift()?.({ samples: data.captured, time: data.time });
    } else {
      Object.assign(sound, { underruns: data.underruns, quanta: data.quanta });
    }
  };

  // The worklet's node comes once its module is loaded; until then the
  // context plays silence.
  const makeContext = () => {
    const context = new AudioContext();
    context.addEventListener('statechange', show);
    const options = { chunk: quanta(CHUNK_SECONDS, context.sampleRate), target: quanta(TARGET_SECONDS, context.sampleRate) };
    context.audioWorklet.addModule(new URL('./sound_worklet.js', import.meta.url)).then(() => {
      sound.node = new AudioWorkletNode(context, 'qsb-sound', { numberOfInputs: 0, outputChannelCount: [1], processorOptions: options });
      sound.node.port.onmessage = heard;
      sound.node.connect(context.destination);
    }).catch((error) => (sound.problem = 'the player could not be loaded (' + (error.message || error) + ')', show()));
    return context;
  };

  const resume = () => {
    if (!sound.on || document.hidden || !sound.context || sound.context.state === 'running') return;
    clearTimeout(blockedTimer);
    blockedTimer = setTimeout(() => ((blockedTimer = 0), show()), BLOCKED_AFTER_MS);
    sound.context.resume().then(show, show);
  };

  const start = () => {
    try {
      sound.context ||= makeContext();
    } catch (error) {
      sound.problem = 'this browser cannot play it (' + (error.message || error) + ')';
      return;
    }
    const rate = sound.context.sampleRate;
    if (core._qsb_sound_start(rate) !== rate) {
      sound.problem = `the output's ${rate} Hz is outside the 8 to 192 kHz the tone is made for`;
      return;
    }
    sound.problem = '';
    sound.node?.port.postMessage('flush');  // chunks asked for while it went off were never sent
    resume();
  };

  const stop = () => {
    sound.node?.port.postMessage('flush');  // what plays out until the suspension is no underrun
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
  sound.frame = () => sound.on && core._qsb_sound_level();

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
