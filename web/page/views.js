// The canvases the core draws on, one entry each in VIEWS, and their sizes.
// A canvas holds as many pixels as it covers on the screen (its device-pixel
// box), so nothing is stretched or blurred. The scene is the painter's fixed
// 1000 x 500 picture, scaled to the canvas, and the ground map's strip under
// it is drawn 1000 wide too, so that its columns are the scene's. Every
// other view (the map's footer among them) is drawn at its CSS size in
// drawing units, scaled by the device pixel ratio only, so its labels stay
// 11 CSS pixels high; each lays its texts out for its width, down to the
// narrowest the core gives for it, below which it is drawn at that width
// and scaled down with the picture.
import { replay } from './replay.js';

export const SCENE_WIDTH = 1000;  // the painter's client rectangle
export const SCENE_HEIGHT = 500;

// id: the canvas's; size(core): a fixed drawing size (else the CSS size);
// minWidth(core): the narrowest it is drawn; height(core, width) or
// minHeight(core, width): the CSS height it takes, or at least takes, at a
// drawing width; shown(core): whether the view is on the page now;
// draw(core, width, height): draws it and returns its FrameView (the
// scene's is the last frame's, drawn by the frame loop); picture(core): its
// height in a saved picture, where it is as wide as the scene (0: not in
// it), drawn by drawPicture where that differs from draw. In the order the
// saved picture stacks them, as the Windows program does.
export const VIEWS = [
  {
    id: 'scene', size: () => [SCENE_WIDTH, SCENE_HEIGHT], shown: () => true, draw: null, picture: () => SCENE_HEIGHT,
  },
  {
    id: 'map', size: (core) => [SCENE_WIDTH, core._qsb_map_rows()], shown: (core) => core._qsb_map_shown() !== 0,
    draw: (core, width, height) => core._qsb_draw_map_strip(width, height),
    picture: (core) => core._qsb_map_height(), drawPicture: (core, width, height) => core._qsb_draw_map(width, height),
  },
  {
    id: 'map-footer', minWidth: (core) => core._qsb_map_footer_min_width(),
    height: (core, width) => core._qsb_map_footer_height(width), shown: (core) => core._qsb_map_shown() !== 0,
    draw: (core, width, height) => core._qsb_draw_map_footer(width, height), picture: () => 0,
  },
  {
    id: 'chart', shown: (core) => core._qsb_receiver_shown() !== 0,
    draw: (core, width, height) => core._qsb_draw_chart(width, height), picture: () => 200,
  },
  {
    id: 'waterfall', minWidth: (core) => core._qsb_waterfall_min_width(),
    minHeight: (core, width) => core._qsb_waterfall_min_height(width), shown: (core) => core._qsb_waterfall_shown() !== 0,
    draw: (core, width, height) => core._qsb_draw_waterfall(width, height), picture: () => 358,
  },
  {
    id: 'statistics', minWidth: (core) => core._qsb_statistics_min_width(),
    minHeight: (core, width) => core._qsb_statistics_min_height(width), shown: (core) => core._qsb_statistics_shown() !== 0,
    draw: (core, width, height) => core._qsb_draw_statistics(width, height), picture: () => 340,
  },
];

// Makes the views of VIEWS; `drawScene()` gives the scene's last FrameView
// (0 before the first frame). Each view is redrawn when its size changes.
export function makeViews(core, replayer, drawScene) {
  const views = VIEWS.map((entry) => {
    const canvas = document.getElementById(entry.id);
    const fixed = entry.size ? entry.size(core) : null;
    const [width, height] = fixed || [canvas.width, canvas.height];
    return { entry, fixed, canvas, ctx: canvas.getContext('2d', { alpha: false }), width, height, scaleX: 1, scaleY: 1 };
  });
  // The FrameView of a view at its present size.
  const frameOf = (view, width = view.width, height = view.height) =>
    (view.entry.draw ? view.entry.draw(core, width, height) : drawScene());
  const paint = (view) => {
    const frame = view.canvas.hidden ? 0 : frameOf(view);
    if (frame) {
      replay(replayer, view, frame);
    }
  };
  const observer = new ResizeObserver((entries) => {
    for (const e of entries) {
      const view = views.find((v) => v.canvas === e.target);
      const css = e.contentBoxSize[0];
      const box = e.devicePixelContentBoxSize && e.devicePixelContentBoxSize[0];
      const ratio = window.devicePixelRatio || 1;
      const deviceWidth = Math.round(box ? box.inlineSize : css.inlineSize * ratio);
      const deviceHeight = Math.round(box ? box.blockSize : css.blockSize * ratio);
      if (deviceWidth < 1 || deviceHeight < 1) {
        continue;  // hidden: it keeps its last size until shown again
      }
      if (!view.fixed) {
        const { minWidth, height, minHeight } = view.entry;
        const zoom = Math.min(1, css.inlineSize / (minWidth ? minWidth(core) : 1));
        view.width = Math.max(1, Math.round(css.inlineSize / zoom));
        view.height = Math.max(1, Math.round(css.blockSize / zoom));
        // A new height comes back here as a new size, to be drawn at.
        if (height) view.canvas.style.height = `${height(core, view.width) * zoom}px`;
        if (minHeight) view.canvas.style.minHeight = `${minHeight(core, view.width) * zoom}px`;
      }
      const height = view.fixed ? Math.max(1, Math.round((deviceWidth * view.height) / view.width)) : deviceHeight;
      if (view.canvas.width !== deviceWidth || view.canvas.height !== height) {
        view.canvas.width = deviceWidth;  // clears the canvas: it is drawn again below
        view.canvas.height = height;
      }
      view.scaleX = deviceWidth / view.width;
      view.scaleY = height / view.height;
      paint(view);
    }
  });
  views.forEach((view) => observer.observe(view.canvas));
  return { list: views, scene: views[0], paint, frameOf, byId: (id) => views.find((v) => v.entry.id === id) };
}

// Shows or hides the views as the core's state has them; a view that comes
// back is drawn at once.
export function showViews(core, views) {
  for (const view of views.list) {
    const shown = view.entry.shown(core);
    if (view.canvas.hidden === shown) {
      view.canvas.hidden = !shown;
      views.paint(view);
    }
  }
}

// Every view shown, stacked, each as wide as the scene at one device pixel a
// drawing unit: the picture a user saves.
export function pictureOf(views, replayer) {
  const shown = views.list.filter((view) => !view.canvas.hidden && view.entry.picture(replayer.core) > 0);
  const heights = shown.map((view) => view.entry.picture(replayer.core));
  const picture = document.createElement('canvas');
  picture.width = SCENE_WIDTH;
  picture.height = heights.reduce((sum, height) => sum + height, 0);
  const ctx = picture.getContext('2d', { alpha: false });
  let top = 0;
  shown.forEach((view, i) => {
    const canvas = document.createElement('canvas');
    canvas.width = SCENE_WIDTH;
    canvas.height = heights[i];
    const one = { canvas, ctx: canvas.getContext('2d', { alpha: false }), scaleX: 1, scaleY: 1 };
    const { drawPicture } = view.entry;
    const frame = drawPicture ? drawPicture(replayer.core, SCENE_WIDTH, heights[i]) : views.frameOf(view, SCENE_WIDTH, heights[i]);
    if (frame) {
      replay(replayer, one, frame);
    }
    ctx.drawImage(canvas, 0, top);
    top += heights[i];
  });
  return picture;
}
