// The bar of buttons by the picture, one entry a button in BUTTONS: every
// action the keys have, and the page's own (the link, saving). A button
// with `pressed` is a toggle and says its state (aria-pressed); `label`
// may follow the state (pause or resume) and `enabled` may depend on it.
// Buttons press the same key codes as the keys, so both act alike.
import { KEY, text } from './core.js';

const shown = (page) => page.core._qsb_receiver_shown() !== 0;
const paused = (page) => page.core._qsb_paused() !== 0;
const ionosphere = (page) => text(page.core, page.core._qsb_ionosphere_name(page.core._qsb_ionosphere()));

export const BUTTONS = [
  {
    id: 'receiver', label: 'Receiver', keys: 'R', title: 'The receiver and its signal chart on or off (R)',
    press: (page) => page.press(KEY.R), pressed: shown,
  },
  {
    id: 'map', label: 'Map', keys: 'M', title: 'The ground map under the picture on or off (M)',
    press: (page) => page.press(KEY.M), pressed: (page) => page.core._qsb_map_shown() !== 0,
  },
  {
    id: 'waterfall', label: 'Waterfall', keys: 'W', title: 'The waterfall at the receiver on or off (W)',
    press: (page) => page.press(KEY.W), pressed: (page) => page.core._qsb_waterfall_shown() !== 0,
  },
  {
    id: 'statistics', label: 'Statistics', keys: 'S', title: 'The fading statistics on or off (S)',
    press: (page) => page.press(KEY.S), pressed: (page) => page.core._qsb_statistics_shown() !== 0,
  },
  {
    id: 'sound', label: 'Sound', keys: 'A', title: 'The receiver\'s signal as a tone on or off (A)',
    press: (page) => page.press(KEY.A), pressed: (page) => page.core._qsb_sound_on() !== 0,
  },
  {
    id: 'ionosphere', label: (page) => `Ionosphere: ${ionosphere(page)}`, keys: 'I',
    title: 'The next ionosphere: smooth, quiet, moderate, disturbed (I)', press: (page) => page.press(KEY.I),
  },
  {
    id: 'pause', label: (page) => (paused(page) ? 'Resume' : 'Pause'), keys: 'Space',
    title: 'Pause or resume the drift (Space)', press: (page) => page.press(KEY.SPACE),
  },
  {
    id: 'step', label: 'Step', keys: '.', title: 'One drift step while paused (.)',
    press: (page) => page.press(KEY.PERIOD), enabled: paused,
  },
  {
    id: 'tangents', label: 'Tangents', keys: 'T', title: 'Tangent whiskers on or off (T)',
    press: (page) => page.press(KEY.T), pressed: (page) => page.core._qsb_whiskers() === 1,
  },
  {
    id: 'normals', label: 'Normals', keys: 'N', title: 'Normal whiskers on or off (N)',
    press: (page) => page.press(KEY.N), pressed: (page) => page.core._qsb_whiskers() === 2,
  },
  {
    id: 'help', label: 'Help', keys: 'F1', title: 'Every key, button and touch (F1 or ?)',
    press: (page) => page.press(KEY.F1), popup: 'dialog',
  },
  {
    id: 'copy-link', label: 'Copy link', title: 'Copy a link to this page with its settings',
    press: (page) => page.copyLink(),
  },
  {
    id: 'save-signal', label: 'Save signal', title: 'Download the receiver\'s last 30 seconds as CSV',
    press: (page) => page.saveSignal(), enabled: shown,
  },
  {
    id: 'save-picture', label: 'Save picture', title: 'Download the picture with every view shown under it as PNG',
    press: (page) => page.savePicture(),
  },
];

const valueOf = (field, page) => (typeof field === 'function' ? field(page) : field);

// Fills the bar with BUTTONS; refresh() makes every button show the state.
export function makeButtonBar(bar, page) {
  const buttons = BUTTONS.map((entry) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.id = 'button-' + entry.id;
    button.title = entry.title;
    if (entry.keys) button.setAttribute('aria-keyshortcuts', entry.keys);
    if (entry.popup) button.setAttribute('aria-haspopup', entry.popup);
    button.addEventListener('click', () => {
      entry.press(page);
      page.refresh();
    });
    bar.append(button);
    return { entry, button };
  });
  return {
    refresh() {
      for (const { entry, button } of buttons) {
        const label = valueOf(entry.label, page);
        if (button.textContent !== label) button.textContent = label;
        if (entry.pressed) button.setAttribute('aria-pressed', String(entry.pressed(page)));
        if (entry.enabled) button.disabled = !entry.enabled(page);
      }
    },
  };
}
