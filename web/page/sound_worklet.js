// The audio thread's end of the sound: a ring of samples that the page's
// thread fills from the core's generator, played 128 at a time. It asks for
// a chunk whenever what it holds and what it has asked for fall under the
// target, so the page's thread works in small steps and a new level is heard
// after no more than the target's worth of queued samples.
//   options: { chunk, target } in samples.
// Messages in:  Float32Array samples | 'flush' (drop what is queued and
//               forget what was asked for: the sound starts afresh) | { capture: n } (record the next n samples
//               played, with the context time of the first).
// Messages out: { need: n } | { underruns, quanta } a second or so |
//               { captured: Float32Array, time }.
const RING = 1 << 15;  // 0.68 s at 48 kHz: far more than the target

class QsbSound extends AudioWorkletProcessor {
  constructor({ processorOptions: { chunk, target } }) {
    super();
    Object.assign(this, { chunk, target, ring: new Float32Array(RING), read: 0, queued: 0, asked: 0 });
    // Counted only once samples have come, so that the start and the time
    // after a flush, before the first chunk arrives, are no underrun.
    Object.assign(this, { primed: false, underruns: 0, quanta: 0, capture: null });
    this.port.onmessage = ({ data }) => this.receive(data);
  }

  receive(data) {
    if (data === 'flush') {
      Object.assign(this, { read: 0, queued: 0, asked: 0, primed: false });
    } else if (data.capture) {
      this.capture = { samples: new Float32Array(data.capture), filled: 0, time: 0 };
    } else {
      const free = Math.min(data.length, RING - this.queued);
      for (let i = 0, w = (this.read + this.queued) % RING; i < free; ++i, w = (w + 1) % RING) this.ring[w] = data[i];
      this.queued += free;
      this.asked = Math.max(0, this.asked - data.length);
      this.primed = true;
    }
  }

  process(inputs, outputs) {
    const out = outputs[0][0];
    const n = Math.min(out.length, this.queued);
    for (let i = 0; i < n; ++i, this.read = (this.read + 1) % RING) out[i] = this.ring[this.read];
    out.fill(0, n);
    this.queued -= n;
    const starved = n < out.length && this.primed;
    this.underruns += starved;
    if (this.queued + this.asked < this.target) {
      this.asked += this.chunk;
      this.port.postMessage({ need: this.chunk });
    }
    this.record(out);
    if (++this.quanta % 256 === 0 || starved) this.port.postMessage({ underruns: this.underruns, quanta: this.quanta });
    return true;
  }

  record(out) {
    const c = this.capture;
    if (!c) return;
    if (c.filled === 0) c.time = currentTime;  // eslint-disable-line no-undef
    const n = Math.min(out.length, c.samples.length - c.filled);
    c.samples.set(out.subarray(0, n), c.filled);
    c.filled += n;
    if (c.filled === c.samples.length) {
      this.port.postMessage({ captured: c.samples, time: c.time }, [c.samples.buffer]);
      this.capture = null;
    }
  }
}

registerProcessor('qsb-sound', QsbSound);  // eslint-disable-line no-undef
