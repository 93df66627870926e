// The address is the state: the query string follows every change and a
// link gives it back. One entry a key in ADDRESS_KEYS: read(page) gives its
// text, or null to leave it out; apply(page, text) sets it on the start
// state from a link, ignoring what it cannot read. Values are only ever
// parsed and handed to the core as numbers or chosen from lists, never put
// into the page as markup.
import { WHISKERS } from './core.js';

// A decimal number, or null. Infinite ones (1e999) are numbers beyond any
// range and clamped like the rest; the core clamps every value it takes.
function number(text) {
  return /^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(text) ? Number(text) : null;
}

const slider = (key, i) => ({
  key,
  read: (page) => page.sliders.shown(i),
  apply(page, text) {
    const value = number(text);
    if (value !== null) page.sliders.restore(i, value);
  },
});

export const ADDRESS_KEYS = [
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
