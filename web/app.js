// The page around the WebAssembly core (qsb.js and qsb.wasm). The core
// draws every frame, and the receiver's chart, into recordings; this script
// replays them on two canvases ten times a second, hands slider moves, keys
// and clicks to the core, and offers window.qsbPage to the tests and the
// benchmark.
'use strict';

(() => {
  const SCENE_WIDTH = 1000;  // the painter's client rectangle, in canvas units
  const SCENE_HEIGHT = 500;
  const CHART_WIDTH = 1000;  // the chart's, as wide as the scene
  const CHART_HEIGHT = 200;
  const FRAME_PERIOD_MS = 100;  // ten frames a second, as the Windows program's timer
  const OP_BYTES = 20;  // sizeof(DrawOp), pinned in qsb_web.cpp
  const SLIDER_IDS = ['altitude', 'amplitude', 'frequency', 'phase'];  // the core's slider order
  const TEXT_FONT = '11px sans-serif';
  const KEY_ACTION_HELP = 3;  // KeyAction::Help, pinned in qsb_web.cpp
  // The Windows program's virtual key codes, which the core's key handling
  // takes, by the browser's key names (letters in lower case). Q is missing
  // on purpose: nothing quits a page.
  const KEY_CODES = {
    t: 0x54, n: 0x4e, r: 0x52, ' ': 0x20, '.': 0xbe, ArrowLeft: 0x25, ArrowRight: 0x27, F1: 0x70, '?': 0x70,
  };
  const KEY_R = KEY_CODES.r;

  const status = document.getElementById('status');

  function showError(text) {
    status.textContent = text;
    status.className = 'error';
  }

  function cssColour(rgb) {
    return '#' + rgb.toString(16).padStart(6, '0');
  }

  // A canvas that shows pictures drawn in whole pixels of a fixed width x
  // height at the screen's own resolution: its backing store follows its
  // displayed size in device pixels, so nothing is stretched or blurred.
  function makeView(canvas, width, height, onResize) {
    const view = { canvas, width, height, ctx: canvas.getContext('2d', { alpha: false }), scale: 1 };
    function fit(deviceWidth) {
      const w = Math.max(1, Math.round(deviceWidth));
      const h = Math.max(1, Math.round((w * height) / width));
      if (canvas.width !== w || canvas.height !== h) {
        canvas.width = w;  // clears the canvas: the owner redraws
        canvas.height = h;
      }
      view.scale = w / width;
      onResize(view);
    }
    new ResizeObserver((entries) => {
      const box = entries[0].devicePixelContentBoxSize;
      fit(box ? box[0].inlineSize : canvas.clientWidth * (window.devicePixelRatio || 1));
    }).observe(canvas);
    return view;
  }

  // What a replay keeps between operations: the view, the pens, and the
  // current position, which a pen change keeps, as in GDI.
  function makeReplayer(core) {
    const pens = [];
    for (let pen = 0; pen < core._qsb_pen_count(); ++pen) {
      pens.push({ colour: cssColour(core._qsb_pen_colour(pen)), width: core._qsb_pen_width(pen) });
    }
    return {
      core, pens, background: cssColour(core._qsb_background_colour()), texts: new TextDecoder(),
      ctx: null, x: 0, y: 0, lines: 0, textsAt: 0,
    };
  }

  // Lines of one pen are gathered into one path and stroked when the pen
  // changes; with round ends and joins that looks the same as stroking each.
  function strokePending(r) {
    if (r.lines > 0) {
      r.ctx.stroke();
      r.lines = 0;
    }
    r.ctx.beginPath();
    r.ctx.moveTo(r.x, r.y);
  }

  // Indexed by DrawOpKind (order pinned in qsb_web.cpp): a new kind of
  // operation is one more entry here.
  const OPERATIONS = [
    function fill(r, pen, left, top, right, bottom) {
      strokePending(r);
      r.ctx.fillStyle = r.background;
      r.ctx.fillRect(left - 0.5, top - 0.5, right - left, bottom - top);
    },
    function selectPen(r, pen) {
      strokePending(r);
      const style = r.pens[pen] || r.pens[r.pens.length - 1];
      r.ctx.strokeStyle = style.colour;
      r.ctx.lineWidth = style.width;
    },
    function moveTo(r, pen, x, y) {
      r.ctx.moveTo(x, y);
      r.x = x;
      r.y = y;
    },
    function lineTo(r, pen, x, y) {
      r.ctx.lineTo(x, y);
      r.x = x;
      r.y = y;
      ++r.lines;
    },
    // Characters `count` from `offset` in the view's texts, their cell's
    // top-left corner at the pixel's corner (undoing the half-pixel shift).
    function text(r, pen, x, y, offset, count) {
      strokePending(r);
      const start = r.textsAt + offset;
      r.ctx.fillStyle = (r.pens[pen] || r.pens[r.pens.length - 1]).colour;
      r.ctx.fillText(r.texts.decode(r.core.HEAPU8.subarray(start, start + count)), x - 0.5, y - 0.5);
    },
  ];

  // Replays a FrameView (its address in the core's memory: operations,
  // count, texts) onto a view. Coordinates are GDI's pixel numbers: shifted
  // by half a pixel, a line through (x, y) runs through the middle of that
  // pixel.
  function replay(r, view, frame) {
    const heap32 = r.core.HEAP32;
    const heapU8 = r.core.HEAPU8;
    const ops = heap32[frame >> 2];
    const count = heap32[(frame >> 2) + 1];
    r.textsAt = heap32[(frame >> 2) + 2];
    const ctx = view.ctx;
    const s = view.scale;
    ctx.setTransform(s, 0, 0, s, s / 2, s / 2);
    ctx.lineCap = 'round';
    ctx.lineJoin = 'round';
    ctx.font = TEXT_FONT;
    ctx.textBaseline = 'top';
    r.ctx = ctx;
    r.lines = 0;
    ctx.beginPath();
    for (let i = 0, p = ops; i < count; ++i, p += OP_BYTES) {
      const w = p >> 2;
      const operation = OPERATIONS[heapU8[p]];
      if (operation) {
        operation(r, heapU8[p + 1], heap32[w + 1], heap32[w + 2], heap32[w + 3], heap32[w + 4]);
      }
    }
    strokePending(r);
  }

  function start(core) {
    const text = (pointer) => core.UTF8ToString(pointer);
    const replayer = makeReplayer(core);
    let lastFrame = 0;
    const scene = makeView(document.getElementById('scene'), SCENE_WIDTH, SCENE_HEIGHT, (view) => {
      if (lastFrame) {
        replay(replayer, view, lastFrame);
      }
    });
    // The chart reads the core's state without changing it: drawn anew
    // whenever its canvas needs it.
    const chart = makeView(document.getElementById('chart'), CHART_WIDTH, CHART_HEIGHT, (view) => {
      if (!view.canvas.hidden) {
        replay(replayer, view, core._qsb_draw_chart(CHART_WIDTH, CHART_HEIGHT));
      }
    });
    const sliders = SLIDER_IDS.map((id) => document.getElementById(id));
    const help = document.getElementById('help');
    const pausedMark = document.getElementById('paused-mark');
    const driftState = document.getElementById('drift-state');
    const receiverState = document.getElementById('receiver-state');

    // The pause and the receiver as the core has them: the chart is shown
    // exactly while the receiver is. Called after anything that may change them.
    function showViewerState() {
      const paused = core._qsb_paused() !== 0;
      const shown = core._qsb_receiver_shown() !== 0;
      pausedMark.hidden = !paused;
      driftState.textContent = paused ? 'Drift paused (. steps it)' : 'Drift running';
      receiverState.textContent = shown ? `Receiver at x = ${core._qsb_receiver_x()}` : 'Receiver off';
      if (chart.canvas.hidden === shown) {
        chart.canvas.hidden = !shown;
        if (shown) {
          replay(replayer, chart, core._qsb_draw_chart(CHART_WIDTH, CHART_HEIGHT));
        }
      }
    }
    showViewerState();

    // Range first, then position, then the text shown from the start value.
    function showStartValues() {
      sliders.forEach((input, i) => {
        input.min = core._qsb_slider_min(i);
        input.max = core._qsb_slider_max(i);
        input.value = core._qsb_slider_start_position(i);
        input.nextElementSibling.textContent = text(core._qsb_slider_start_text(i));
      });
    }
    showStartValues();
    sliders.forEach((input, i) => {
      input.addEventListener('input', () => {
        input.nextElementSibling.textContent = text(core._qsb_slider_moved(i, Number(input.value)));
      });
      input.disabled = false;
    });

    function showHelp(shown) {
      help.hidden = !shown;
    }
    help.addEventListener('click', () => showHelp(false));

    // The Windows program's keys, read by the characters they type, so the
    // keyboard layout decides. A focused slider ignores letters, Space and
    // the period, so they act there too without doing anything twice; the
    // arrows stay the slider's, and move the receiver only while it is
    // shown. Keys held with Ctrl, Alt or Meta stay the browser's; the
    // browser's own use of a key handled here (help on F1, scrolling on
    // Space and the arrows) is prevented. Like a key in the main window, a
    // change shows in the scene from the next frame; the chart, the state
    // and the help follow at once.
    document.addEventListener('keydown', (event) => {
      if (event.ctrlKey || event.altKey || event.metaKey) {
        return;
      }
      if (event.key === 'Escape' && !help.hidden) {
        showHelp(false);
        event.preventDefault();
        return;
      }
      const key = event.key.length === 1 ? event.key.toLowerCase() : event.key;
      const code = KEY_CODES[key];
      const arrow = key === 'ArrowLeft' || key === 'ArrowRight';
      if (!code || (arrow && (event.target instanceof HTMLInputElement || !core._qsb_receiver_shown()))) {
        return;
      }
      event.preventDefault();
      if (core._qsb_key(code) === KEY_ACTION_HELP) {
        showHelp(help.hidden);
      }
      showViewerState();
    });

    // A click on the scene puts the receiver on the ground at that column,
    // in the painter's 1000 columns whatever the canvas's size on screen.
    scene.canvas.addEventListener('click', (event) => {
      const box = scene.canvas.getBoundingClientRect();
      const column = Math.floor(((event.clientX - box.left) * SCENE_WIDTH) / box.width);
      core._qsb_click(Math.min(SCENE_WIDTH - 1, Math.max(0, column)));
      showViewerState();
    });

    const page = {
      frames: 0,  // frames shown so far
      core,
      drawFrame() {
        lastFrame = core._qsb_draw_frame(SCENE_WIDTH, SCENE_HEIGHT);
        return lastFrame;
      },
      // The chart as it is after the last frame, 0 while it is not shown.
      drawChart() {
        return chart.canvas.hidden ? 0 : core._qsb_draw_chart(CHART_WIDTH, CHART_HEIGHT);
      },
      paint(frame, chartFrame) {
        replay(replayer, scene, frame);
        if (chartFrame) {
          replay(replayer, chart, chartFrame);
        }
      },
      step() {
        const frame = page.drawFrame();
        page.paint(frame, page.drawChart());
        ++page.frames;
      },
      timer: 0,
      run() {
        if (!page.timer) {
          page.timer = setInterval(page.step, FRAME_PERIOD_MS);
        }
      },
      stop() {
        clearInterval(page.timer);
        page.timer = 0;
      },
      // Stops the animation, goes back to the start state (scene, sliders and
      // texts), shows the receiver at its start place if asked (as R does)
      // and shows `count` frames; returns their operations in qsb-trace's
      // words, one line each.
      restart(count, receiver = false) {
        page.stop();
        core._qsb_reset();
        if (receiver) {
          core._qsb_key(KEY_R);
        }
        showViewerState();
        showStartValues();
        const lines = [];
        for (let frame = 1; frame <= count; ++frame) {
          page.step();
          lines.push('frame ' + frame);
          const n = core.HEAP32[(lastFrame >> 2) + 1];
          for (let i = 0; i < n; ++i) {
            lines.push(text(core._qsb_format_op(i)));
          }
        }
        return lines;
      },
    };
    window.qsbPage = page;
    status.textContent = '';
    page.step();
    page.run();
  }

  if (typeof createQsb !== 'function') {
    showError('The simulation could not be loaded: qsb.js is missing.');
    return;
  }
  let failed = false;
  const fail = (why) => {
    if (!failed) {
      failed = true;
      showError('The simulation could not be started: ' + why);
    }
  };
  createQsb({ onAbort: (what) => fail(String(what)) }).then(start, (error) => fail(String(error)));
})();
