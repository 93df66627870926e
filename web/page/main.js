// The page around the WebAssembly core: loads it, then wires the views, the
// sliders, the keys, the pointer, the buttons, the address and the help
// together, and offers window.qsbPage to the tests and the benchmark. The
// core draws each picture into a recording that the page replays onto its
// canvas after one call.
import { KEY, KEY_ACTION_HELP, KEY_ACTION_SCENE_CHOSEN, loadCore, text, textView } from './core.js';
import { makeReplayer, replay } from './replay.js';
import { makeViews, pictureOf, showViews, SCENE_HEIGHT, SCENE_WIDTH } from './views.js';
import { makeSliders } from './sliders.js';
import { attachKeys } from './keys.js';
import { attachPointer } from './pointer.js';
import { makeButtonBar } from './buttons.js';
import { makeSceneSelect } from './scene_select.js';
import { applyAddress, keepAddress } from './address.js';
import { copyLink } from './link.js';
import { savePng, saveText } from './downloads.js';
import { makeHelp } from './help.js';
import { makeFrameLoop } from './frame_loop.js';
import { makeSound } from './sound.js';

const status = document.getElementById('status');
const NOTE_MS = 4000;  // how long a confirmation stays

function showError(message) {
  status.textContent = message;
  status.className = 'error';
}

function start(core) {
  const replayer = makeReplayer(core);
  let lastFrame = 0;
  const views = makeViews(core, replayer, () => lastFrame);
  const note = document.getElementById('note');
  let noteTimer = 0;
  const say = (message) => {
    note.textContent = message;
    clearTimeout(noteTimer);
    noteTimer = setTimeout(() => (note.textContent = ''), NOTE_MS);
  };
  const pausedMark = document.getElementById('paused-mark');
  const driftState = document.getElementById('drift-state');
  const receiverState = document.getElementById('receiver-state');
  const sceneState = document.getElementById('scene-state');
  // What the Windows program's chart says in its status line: the scene
  // chosen last and the ionosphere, once either has something to say.
  const sceneText = () => {
    const scene = core._qsb_scene(), kind = core._qsb_ionosphere();
    if (scene < 0 && kind === 0) return '';
    const name = scene >= 0 ? `Scene ${scene + 1}: ${text(core, core._qsb_scene_name(scene))} | ` : '';
    return `${name}Ionosphere: ${text(core, core._qsb_ionosphere_name(kind))}`;
  };
  const sound = makeSound(core, document.getElementById('sound-state'));

  const page = {
    frames: 0,  // frames shown so far
    core,
    // Presses a key code as the Windows program's main window would.
    press(code) {
      const action = core._qsb_key(code);
      if (action === KEY_ACTION_HELP) {
        help.toggle();
      } else if (action === KEY_ACTION_SCENE_CHOSEN) {
        sliders.showScene(core._qsb_scene());
      }
      page.refresh();
    },
    // A scene from a link, as its key chooses it.
    chooseScene(scene) {
      core._qsb_choose_scene(scene);
      sliders.showScene(scene);
    },
    // Shows the core's state beside the pictures after anything that may
    // change it: the views shown, the buttons, the pause and the receiver.
    refresh() {
      showViews(core, views);
      bar.refresh();
      sceneSelect.refresh();
      const said = sceneText();
      if (sceneState.textContent !== said) sceneState.textContent = said;
      sceneState.hidden = said === '';
      sound.sync();
      const paused = core._qsb_paused() !== 0;
      const shown = core._qsb_receiver_shown() !== 0;
      pausedMark.hidden = !paused;
      driftState.textContent = paused ? 'Drift paused (Step or . steps it)' : 'Drift running';
      receiverState.textContent = shown ? `Receiver at x = ${core._qsb_receiver_x()}` : 'Receiver off';
    },
    async copyLink() {
      keepAddress(page);  // a change since the last frame too
      const copied = await copyLink(location.href, document.getElementById('link-field'));
      say(copied ? 'Link copied.' : 'Copy the link from the field.');
    },
    saveSignal() {
      saveText('qsb-signal.csv', textView(core, core._qsb_signal_csv()), 'text/csv');
      say('Signal saved as qsb-signal.csv.');
    },
    savePicture() {
      savePng('qsb-picture.png', pictureOf(views, replayer)).then(
        () => say('Picture saved as qsb-picture.png.'), () => say('The picture could not be saved.'));
    },
    drawFrame() {
      lastFrame = core._qsb_draw_frame(SCENE_WIDTH, SCENE_HEIGHT);
      return lastFrame;
    },
    // The chart as it is after the last frame, 0 while it is not shown.
    drawChart() {
      const chart = views.byId('chart');
      return chart.canvas.hidden ? 0 : views.frameOf(chart);
    },
    // Every view shown but the scene, as it is after the last frame: pairs
    // of the view and its FrameView, each in a recording of its own.
    drawViews() {
      return views.list.filter((view) => view.entry.draw && !view.canvas.hidden).map((view) => [view, views.frameOf(view)]);
    },
    paint(frame, drawn) {
      replay(replayer, views.scene, frame);
      for (const [view, viewFrame] of drawn) {
        replay(replayer, view, viewFrame);
      }
    },
    step() {
      const frame = page.drawFrame();
      sound.frame();
      page.paint(frame, page.drawViews());
      ++page.frames;
      keepAddress(page);
    },
    run: () => loop.run(),
    stop: () => loop.stop(),
    get timer() {
      return loop.timer;
    },
    // Stops the animation, goes back to the start state (scene, sliders and
    // texts), sets what the query string asks for as a link does, shows the
    // receiver at its start place if asked (as R does) and shows `count`
    // frames; returns their operations in qsb-trace's words, one line each.
    restart(count, receiver = false, query = '') {
      loop.stop();
      core._qsb_reset();
      sliders.showStart();
      applyAddress(page, query);
      if (receiver) {
        core._qsb_key(KEY.R);
      }
      page.refresh();
      const lines = [];
      for (let frame = 1; frame <= count; ++frame) {
        page.step();
        lines.push('frame ' + frame);
        const n = core.HEAP32[(lastFrame >> 2) + 1];
        for (let i = 0; i < n; ++i) {
          lines.push(text(core, core._qsb_format_op(i)));
        }
      }
      return lines;
    },
  };
  const loop = makeFrameLoop(page.step);
  const help = makeHelp(document.getElementById('help'), () => page.refresh());
  // The version the Windows program's help box ends with, from the one in CMake.
  document.getElementById('version').textContent = `QSB effect of the ionosphere ${text(core, core._qsb_version())}`;
  const bar = makeButtonBar(document.getElementById('bar'), page);
  const sceneSelect = makeSceneSelect(document.getElementById('bar'), page);
  const sliders = makeSliders(core);
  page.sliders = sliders;
  attachKeys({ core, press: page.press, helpOpen: () => help.open });
  attachPointer(views.scene.canvas, (column) => {
    core._qsb_click(column);
    page.refresh();
  });

  sliders.showStart();
  applyAddress(page, location.search);
  page.refresh();
  window.qsbPage = page;
  window.qsbSound = sound;
  status.textContent = '';
  page.step();
  page.run();
}

loadCore().then(start, (error) => showError('The simulation could not be started: ' + (error.message || error)));
