// The four sliders, in the core's order, with the dialog's ranges and value
// texts. An HTML range fills from its minimum, at the bottom; the dialog's
// trackbars have their minimum position at the top, where the value is
// highest. So each input holds the negated position: the fill rises with the
// value shown, and the Up arrow raises it, as on the trackbar. Screen
// readers hear the value shown (aria-valuetext), never the position.
import { text } from './core.js';

export const SLIDER_IDS = ['altitude', 'amplitude', 'frequency', 'phase'];

export function makeSliders(core) {
  const inputs = SLIDER_IDS.map((id) => document.getElementById(id));
  const show = (i, value) => {
    inputs[i].nextElementSibling.textContent = value;
    inputs[i].setAttribute('aria-valuetext', value.trim());
  };
  const sliders = {
    inputs,
    // The start: range first, then position, then the text of the start
    // value itself (395.7 is no position's value).
    showStart() {
      inputs.forEach((input, i) => {
        input.min = -core._qsb_slider_max(i);
        input.max = -core._qsb_slider_min(i);
        input.value = -core._qsb_slider_start_position(i);
        show(i, text(core, core._qsb_slider_start_text(i)));
      });
    },
    // A scene just chosen: its positions and texts (Calm's are the start's).
    showScene(scene) {
      inputs.forEach((input, i) => {
        input.value = -core._qsb_scene_slider_position(scene, i);
        show(i, text(core, core._qsb_scene_slider_text(scene, i)));
      });
    },
    // The value a slider shows, as a link holds it.
    shown: (i) => inputs[i].nextElementSibling.textContent.trim(),
    // A value from a link: kept as it is when the slider shows it already
    // (so the start's 395.7, which no position gives, stays exact), else
    // the nearest position's.
    restore(i, value) {
      if (value === Number(sliders.shown(i))) {
        return;
      }
      const position = core._qsb_slider_position_of(i, value);
      inputs[i].value = -position;
      show(i, text(core, core._qsb_slider_moved(i, position)));
    },
  };
  inputs.forEach((input, i) => {
    input.addEventListener('input', () => {
      show(i, text(core, core._qsb_slider_moved(i, -Number(input.value))));
    });
    input.disabled = false;
  });
  return sliders;
}
