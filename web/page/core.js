// The WebAssembly core (qsb.js and qsb.wasm, beside this folder) and the few
// numbers of its interface that more than one module of the page reads.

// The Windows program's virtual key codes, which the core's key handling
// (qsb_key) takes: keys and buttons alike press them.
export const KEY = {
  T: 0x54, N: 0x4e, R: 0x52, SPACE: 0x20, PERIOD: 0xbe, LEFT: 0x25, RIGHT: 0x27, F1: 0x70, A: 0x41,
  M: 0x4d, W: 0x57, S: 0x53, I: 0x49, SCENE_1: 0x31,  // 1 to 5: 0x31 to 0x35
};
// KeyAction's numbers that the page acts on, pinned in qsb_web.cpp.
export const KEY_ACTION_HELP = 3;
export const KEY_ACTION_SCENE_CHOSEN = 7;
export const WHISKERS = ['none', 'tangents', 'normals'];  // qsb_whiskers' numbers

// Resolves to the started core, or rejects with why it could not start (a
// missing qsb.js, a WebAssembly that does not load or compile).
export async function loadCore() {
  const { default: createQsb } = await import('../qsb.js');
  return new Promise((resolve, reject) => {
    createQsb({ onAbort: (what) => reject(new Error(String(what))) }).then(resolve, reject);
  });
}

// A NUL-terminated string the core returned.
export function text(core, pointer) {
  return core.UTF8ToString(pointer);
}

// A TextView (characters and their count, two 32-bit words) the core returned.
export function textView(core, view) {
  const start = core.HEAP32[view >> 2];
  const length = core.HEAP32[(view >> 2) + 1];
  return new TextDecoder().decode(core.HEAPU8.subarray(start, start + length));
}
