// A tap or a click on the scene puts the receiver on the ground there,
// showing it; dragging along moves it. The painter's 1000 columns are
// mapped from the pointer whatever the canvas's size on screen. A mouse or
// a pen acts as soon as it is pressed. A finger on the picture may be
// scrolling the page up or down (touch-action: pan-y), and the browser
// sends a few moves before it takes the finger over (pointercancel), or
// none where the page cannot scroll: so a finger acts once it has moved more
// sideways than up or down, or when it lifts after a tap.
import { SCENE_WIDTH } from './views.js';

const TAP_SLOP = 10;  // CSS pixels a finger may move in a tap

export function attachPointer(canvas, place) {
  let drag = null;  // { id, x, y, sideways } of the pointer pressed on the scene
  const columnAt = (event) => {
    const box = canvas.getBoundingClientRect();
    const column = Math.floor(((event.clientX - box.left) * SCENE_WIDTH) / box.width);
    return Math.min(SCENE_WIDTH - 1, Math.max(0, column));
  };
  canvas.addEventListener('pointerdown', (event) => {
    if (!event.isPrimary || event.button !== 0) {
      return;
    }
    const touch = event.pointerType === 'touch';
    drag = { id: event.pointerId, x: event.clientX, y: event.clientY, sideways: !touch };
    canvas.setPointerCapture(event.pointerId);
    if (!touch) {
      place(columnAt(event));
    }
  });
  canvas.addEventListener('pointermove', (event) => {
    if (drag && event.pointerId === drag.id) {
      drag.sideways ||= Math.abs(event.clientX - drag.x) > Math.abs(event.clientY - drag.y);
      if (drag.sideways) place(columnAt(event));
    }
  });
  canvas.addEventListener('pointerup', (event) => {
    if (drag && event.pointerId === drag.id) {
      if (drag.sideways || Math.hypot(event.clientX - drag.x, event.clientY - drag.y) < TAP_SLOP) {
        place(columnAt(event));
      }
      drag = null;
    }
  });
  canvas.addEventListener('pointercancel', () => {
    drag = null;
  });
}
