// The scenes as a list named "Scene" in the bar, after the ionosphere's
// button: choosing one presses its key (1 to 5), as the keys do. It shows
// the scene chosen last, or "none" until one is.
import { KEY, text } from './core.js';

export function makeSceneSelect(bar, page) {
  const core = page.core;
  const label = document.createElement('label');
  label.className = 'scene-choice';
  label.textContent = 'Scene ';
  const select = document.createElement('select');
  select.id = 'scene-select';
  select.title = 'Choose a scene: the sliders, the receiver and the ionosphere at once (1 to 5)';
  select.setAttribute('aria-keyshortcuts', '1 2 3 4 5');
  const none = new Option('none', '-1');
  none.disabled = true;
  select.append(none);
  for (let scene = 0; scene < core._qsb_scene_count(); ++scene) {
    select.append(new Option(`${scene + 1} ${text(core, core._qsb_scene_name(scene))}`, String(scene)));
  }
  select.addEventListener('change', () => page.press(KEY.SCENE_1 + Number(select.value)));
  label.append(select);
  const before = bar.querySelector('#button-ionosphere');
  bar.insertBefore(label, before ? before.nextSibling : null);
  return {
    refresh() {
      const chosen = String(core._qsb_scene());
      if (select.value !== chosen) select.value = chosen;
    },
  };
}
