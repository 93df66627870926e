// The address is the state: the query string follows every change and a
// link gives it back. One entry a key in ADDRESS_KEYS: read(page) gives its
// text, or null to leave it out; apply(page, text) sets it on the start
// state from a link, ignoring what it cannot read. Values are only ever
// parsed and handed to the core as numbers or chosen from lists, never put
// into the page as markup.
import { text as textAt, WHISKERS } from './core.js';

// A decimal number, or null. Infinite ones (1e999) are numbers beyond any
// range and clamped like the rest; the core clamps every value it takes.
function number(text) {
  return /^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(text) ? Number(text) : null;
}

const MAX_SEED = (1n << 64n) - 1n;  // qsb-trace --seed's range: 0 to 2^64 - 1

// A view shown: `1`, absent while hidden.
const view = (key, name) => ({
  key,
  read: (page) => (page.core[`_qsb_${name}_shown`]() ? '1' : null),
  apply(page, text) {
    if (text === '1') page.core[`_qsb_set_${name}_shown`](1);
  },
});

const ionosphereNames = (core) =>
  Array.from({ length: core._qsb_ionosphere_count() }, (_, kind) => textAt(core, core._qsb_ionosphere_name(kind)));

const slider = (key, i) => ({
  key,
  read: (page) => page.sliders.shown(i),
  apply(page, text) {
    const value = number(text);
    if (value !== null) page.sliders.restore(i, value);
  },
});

// A link's scene is set first, so that the keys after it (the sliders, the
// receiver, the ionosphere) can change what it set, as they did in the page.
export const ADDRESS_KEYS = [
  {
    key: 'scene',
    read: (page) => (page.core._qsb_scene() >= 0 ? String(page.core._qsb_scene() + 1) : null),
    apply(page, text) {
      const scene = /^[1-9]$/.test(text) ? Number(text) - 1 : -1;
      if (scene >= 0 && scene < page.core._qsb_scene_count()) page.chooseScene(scene);
    },
  },
  slider('altitude', 0),
  slider('amplitude', 1),
  slider('frequency', 2),
  slider('phase', 3),
  {
    key: 'receiver',
    read: (page) => (page.core._qsb_receiver_shown() ? String(page.core._qsb_receiver_x()) : null),
    apply(page, text) {
      const x = number(text);
      if (x !== null) page.core._qsb_show_receiver_at(x);
    },
  },
  {
    key: 'whiskers',
    read: (page) => WHISKERS[page.core._qsb_whiskers()],
    apply(page, text) {
      if (WHISKERS.includes(text)) page.core._qsb_set_whiskers(WHISKERS.indexOf(text));
    },
  },
  {
    key: 'paused',
    read: (page) => (page.core._qsb_paused() ? '1' : null),
    apply(page, text) {
      if (text === '1') page.core._qsb_set_paused(1);
    },
  },
  view('map', 'map'),
  view('waterfall', 'waterfall'),
  view('statistics', 'statistics'),
  {
    key: 'ionosphere',
    read: (page) => (page.core._qsb_ionosphere() ? ionosphereNames(page.core)[page.core._qsb_ionosphere()] : null),
    apply(page, text) {
      const kind = ionosphereNames(page.core).indexOf(text);
      if (kind >= 0) page.core._qsb_set_ionosphere(kind);
    },
  },
  {
    // Digits only, as qsb-trace takes them; larger than the largest seed
    // is the largest. Absent while it is the default, 1.
    key: 'seed',
    read: (page) => {
      const seed = textAt(page.core, page.core._qsb_seed_text());
      return seed === '1' ? null : seed;
    },
    apply(page, text) {
      if (!/^\d+$/.test(text)) return;
      const digits = text.replace(/^0+(?=\d)/, '');  // no huge number is ever parsed
      const seed = digits.length > 20 || BigInt(digits) > MAX_SEED ? MAX_SEED : BigInt(digits);
      page.core._qsb_set_seed(Number(seed >> 32n), Number(seed & 0xffffffffn));
    },
  },
];

// Sets the state a query string ("?altitude=300&...") asks for.
export function applyAddress(page, search) {
  let params;
  try {
    params = new URLSearchParams(search);
  } catch {
    return;
  }
  for (const entry of ADDRESS_KEYS) {
    const value = params.get(entry.key);
    if (value !== null) entry.apply(page, value);
  }
}

// The query string of the state as it is now.
export function addressOf(page) {
  const params = new URLSearchParams();
  for (const entry of ADDRESS_KEYS) {
    const value = entry.read(page);
    if (value !== null) params.set(entry.key, value);
  }
  return '?' + params.toString();
}

// Puts the state into the address bar when it has changed: replaced, not
// added, so the history gets no entry per slider step. Called once a frame.
export function keepAddress(page) {
  const search = addressOf(page);
  if (search !== location.search) {
    history.replaceState(history.state, '', search + location.hash);
  }
}
