// The Windows program's keys, read by the characters they type, so the
// keyboard layout decides. Q is missing on purpose: nothing quits a page.
import { KEY } from './core.js';

const KEY_CODES = {
  t: KEY.T, n: KEY.N, r: KEY.R, ' ': KEY.SPACE, '.': KEY.PERIOD,
  ArrowLeft: KEY.LEFT, ArrowRight: KEY.RIGHT, F1: KEY.F1, '?': KEY.F1, a: KEY.A,
  m: KEY.M, w: KEY.W, s: KEY.S, i: KEY.I,
  1: KEY.SCENE_1, 2: KEY.SCENE_1 + 1, 3: KEY.SCENE_1 + 2, 4: KEY.SCENE_1 + 3, 5: KEY.SCENE_1 + 4,
};

// A focused slider ignores letters, Space and the period, so they act there
// too without doing anything twice; the arrows stay the slider's (and the
// Scene list's), and move the receiver only while it is shown. Letters and
// digits on the focused Scene list are the page's keys, not its search. Space and Enter on a button press
// the button. Keys held with Ctrl, Alt or Meta stay the browser's; the
// browser's own use of a key handled here (help on F1, scrolling on Space
// and the arrows) is prevented. While the help is open only F1 and ? act
// here (closing it); the help box handles the rest.
export function attachKeys({ core, press, helpOpen }) {
  document.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.altKey || event.metaKey || event.defaultPrevented) {
      return;
    }
    const key = event.key.length === 1 ? event.key.toLowerCase() : event.key;
    const code = KEY_CODES[key];
    const target = event.target;
    const onButton = target instanceof HTMLButtonElement || target instanceof HTMLAnchorElement;
    const arrow = code === KEY.LEFT || code === KEY.RIGHT;
    if (!code || (helpOpen() && code !== KEY.F1) || (onButton && code === KEY.SPACE) ||
        (arrow && (target instanceof HTMLInputElement || target instanceof HTMLSelectElement ||
          !core._qsb_receiver_shown()))) {
      return;
    }
    event.preventDefault();
    press(code);
  });
}
