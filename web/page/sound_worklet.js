// The audio thread's end of the sound: the core's generator (qsb_sound.wasm,
// compiled by the page and handed over as processorOptions.module) makes
// every block of 128 samples as it is played, so no stall of the page's
// thread can leave the output short; the page posts the level once a frame.
// Messages in:  { start: [paths, dB] } (a fresh generator at that level: the
//               sound went on) | { level: [paths, dB] } (a frame's level) |
//               { capture: n } (record the next n samples played, with the
//               context time of the first).
// Messages out: { quanta } every 256 calls | { captured: Float32Array, time }.
class QsbSound extends AudioWorkletProcessor {
  constructor({ processorOptions: { module } }) {
    super();
    this.wasm = new WebAssembly.Instance(module, {}).exports;
    this.wasm._initialize();
    this.wasm.qsb_sound_start(sampleRate);
    Object.assign(this, { quanta: 0, capture: null, block: null });
    this.port.onmessage = ({ data }) => this.receive(data);
  }

  receive(data) {
    if (data.start) this.wasm.qsb_sound_start(sampleRate);
    const level = data.start || data.level;
    if (level) this.wasm.qsb_sound_level(level[0], level[1]);
    if (data.capture) this.capture = { samples: new Float32Array(data.capture), filled: 0, time: 0 };
  }

  process(inputs, outputs) {
    const out = outputs[0][0];
    const at = this.wasm.qsb_sound_fill(out.length);
    // One view of the module's block, made again only if its memory moved:
    // no garbage on the audio thread, 344 times a second.
    if (!this.block || this.block.buffer !== this.wasm.memory.buffer || this.block.byteOffset !== at ||
        this.block.length !== out.length) {
      this.block = new Float32Array(this.wasm.memory.buffer, at, out.length);
    }
    out.set(this.block);
    this.record(out);
    if (++this.quanta % 256 === 0) this.port.postMessage({ quanta: this.quanta });
    return true;
  }

  record(out) {
    const c = this.capture;
    if (!c) return;
    if (c.filled === 0) c.time = currentTime;
    const n = Math.min(out.length, c.samples.length - c.filled);
    c.samples.set(out.subarray(0, n), c.filled);
    c.filled += n;
    if (c.filled === c.samples.length) {
      this.port.postMessage({ captured: c.samples, time: c.time }, [c.samples.buffer]);
      this.capture = null;
    }
  }
}

registerProcessor('qsb-sound', QsbSound);
