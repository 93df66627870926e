// A tap or a click on the scene puts the receiver on the ground there,
// showing it; dragging along moves it. The painter's 1000 columns are
// mapped from the pointer whatever the canvas's size on screen. A mouse or
// a pen acts as soon as it is pressed; a finger only once it lifts or moves
// sideways, since the page scrolls vertically under a finger on the picture
// (touch-action: pan-y), and a scroll (pointercancel) places nothing.
import { SCENE_WIDTH } from './views.js';

export function attachPointer(canvas, place) {
  let dragging = null;
  const columnAt = (event) => {
    const box = canvas.getBoundingClientRect();
    const column = Math.floor(((event.clientX - box.left) * SCENE_WIDTH) / box.width);
    return Math.min(SCENE_WIDTH - 1, Math.max(0, column));
  };
  canvas.addEventListener('pointerdown', (event) => {
    if (!event.isPrimary || event.button !== 0) {
      return;
    }
    dragging = event.pointerId;
    canvas.setPointerCapture(event.pointerId);
    if (event.pointerType !== 'touch') {
      place(columnAt(event));
    }
  });
  canvas.addEventListener('pointermove', (event) => {
    if (event.pointerId === dragging) {
      place(columnAt(event));
    }
  });
  canvas.addEventListener('pointerup', (event) => {
    if (event.pointerId === dragging) {
      dragging = null;
      place(columnAt(event));
    }
  });
  canvas.addEventListener('pointercancel', () => {
    dragging = null;
  });
}
