// Replays a recording of the core's drawing operations (a FrameView: where
// the operations are, how many, where their texts' characters are) onto a
// view's canvas, in device pixels, with one call into the core per picture.
//
// A view draws a picture of width x height drawing units onto a canvas
// `scaleX` x `scaleY` device pixels per unit (the same but for rounding). A unit's pixel is the device pixel under
// the middle of the block of device pixels it covers, so lines keep to the
// device grid at any scale. A pen one device pixel wide is rasterised here,
// pixel by pixel as GDI draws it (the last pixel left out), into whole-pixel
// rectangles: every pixel in the pen's exact colour, which an anti-aliased
// one-pixel line never shows. Wider pens are stroked, centred on a pixel
// for odd widths and between two for even ones, so their cores keep their
// colour and their edges stay sharp at any device pixel ratio. Rows of
// cells (the map's, the waterfall's) are written into the view's pixels,
// each device pixel in the colour of the cell under its middle, never
// smoothed, and put onto the canvas in one go before anything else draws.
const OP_BYTES = 20;  // sizeof(DrawOp), pinned in qsb_web.cpp
const TEXT_SIZE = 11;  // the labels' height in drawing units

function cssColour(rgb) {
  return '#' + rgb.toString(16).padStart(6, '0');
}

// What a replay keeps between operations: the pens, the selected one, and
// the current position in device pixels, which a pen change keeps, as in GDI.
export function makeReplayer(core) {
  const pens = [];
  for (let pen = 0; pen < core._qsb_pen_count(); ++pen) {
    pens.push({ colour: cssColour(core._qsb_pen_colour(pen)), width: core._qsb_pen_width(pen) });
  }
  // Every cell index's colour as an ImageData pixel (bytes R, G, B, A in
  // memory: little-endian words), from the core's table.
  const cellColours = new Uint32Array(256);
  const probe = new Uint8ClampedArray(cellColours.buffer);
  for (let i = 0; i < 256; ++i) {
    const rgb = core._qsb_cell_colour(i);
    probe.set([rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff, 255], 4 * i);
  }
  return {
    core, pens, background: cssColour(core._qsb_background_colour()), decoder: new TextDecoder(),
    ctx: null, scaleX: 1, scaleY: 1, width: 0, height: 0, textsAt: 0, cellsAt: 0,
    pen: pens[0], deviceWidth: 1, offset: 0.5, x: 0, y: 0, drawn: 0,
    cellColours, image: null, pixels: null, dirty: [0, 0, 0, 0], cellsPending: false,
    cellOf: new Int32Array(0), cellKey: [],
  };
}

const deviceX = (r, x) => Math.floor((x + 0.5) * r.scaleX);
const deviceY = (r, y) => Math.floor((y + 0.5) * r.scaleY);

// Puts the cells written since the last time onto the canvas: only the
// rectangle they cover.
function flushCells(r) {
  const [left, top, right, bottom] = r.dirty;
  r.ctx.putImageData(r.image, 0, 0, left, top, right - left, bottom - top);
  r.cellsPending = false;
}

// Fills or strokes what the selected pen has gathered since it was chosen,
// and puts down the cells written since.
function flush(r) {
  if (r.cellsPending) {
    flushCells(r);
  }
  if (r.drawn > 0) {
    if (r.deviceWidth === 1) {
      r.ctx.fill();
    } else {
      r.ctx.stroke();
    }
    r.drawn = 0;
  }
  r.ctx.beginPath();
}

// Keeps a segment to the canvas and a pixel around it, so that a line
// towards a far point (the painter draws unmappable points at -2^31) costs
// no more than the canvas is wide. Returns false when nothing is left.
const clipped = [0, 0, 0, 0];
function clip(r, x0, y0, x1, y1) {
  let t0 = 0, t1 = 1;
  const dx = x1 - x0, dy = y1 - y0;
  const edges = [[-dx, x0 + 1], [dx, r.width - x0], [-dy, y0 + 1], [dy, r.height - y0]];
  for (const [p, q] of edges) {
    if (p === 0) {
      if (q < 0) return false;
    } else if (p < 0) {
      t0 = Math.max(t0, q / p);
    } else {
      t1 = Math.min(t1, q / p);
    }
  }
  if (t0 > t1) return false;
  clipped[0] = t0 > 0 ? Math.round(x0 + t0 * dx) : x0;
  clipped[1] = t0 > 0 ? Math.round(y0 + t0 * dy) : y0;
  clipped[2] = t1 < 1 ? Math.round(x0 + t1 * dx) : x1;
  clipped[3] = t1 < 1 ? Math.round(y0 + t1 * dy) : y1;
  return true;
}

// Bresenham's line from (x0, y0) towards (x1, y1), without the last pixel,
// as runs of pixels along the major axis, each one rectangle of the path.
function thinLine(r, x0, y0, x1, y1) {
  if (!clip(r, x0, y0, x1, y1)) return;
  [x0, y0, x1, y1] = clipped;
  const ctx = r.ctx;
  const steep = Math.abs(y1 - y0) > Math.abs(x1 - x0);
  const [a0, b0, a1, b1] = steep ? [y0, x0, y1, x1] : [x0, y0, x1, y1];
  const da = Math.abs(a1 - a0), db = Math.abs(b1 - b0);
  const sa = a1 >= a0 ? 1 : -1, sb = b1 >= b0 ? 1 : -1;
  const run = (from, to, b) => {
    const low = Math.min(from, to), length = Math.abs(to - from) + 1;
    if (steep) ctx.rect(b, low, 1, length);
    else ctx.rect(low, b, length, 1);
  };
  let err = 2 * db - da, b = b0, start = a0;
  for (let i = 0, a = a0; i < da; ++i, a += sa) {
    if (err > 0) {
      run(start, a, b);
      start = a + sa;
      b += sb;
      err -= 2 * da;
    }
    err += 2 * db;
  }
  if ((start - a0) * sa < da) run(start, a1 - sa, b);
  ++r.drawn;
}

// Indexed by DrawOpKind (order pinned in qsb_web.cpp): a new kind of
// operation is one more entry here.
const OPERATIONS = [
  function fill(r, pen, left, top, right, bottom) {
    flush(r);
    const x = Math.round(left * r.scaleX), y = Math.round(top * r.scaleY);
    r.ctx.fillStyle = r.background;
    r.ctx.fillRect(x, y, Math.round(right * r.scaleX) - x, Math.round(bottom * r.scaleY) - y);
  },
  function selectPen(r, pen) {
    flush(r);
    r.pen = r.pens[pen] || r.pens[r.pens.length - 1];
    r.deviceWidth = Math.max(1, Math.round(r.pen.width * r.scaleX));
    r.offset = r.deviceWidth % 2 === 1 ? 0.5 : 0;
    r.ctx.fillStyle = r.pen.colour;
    r.ctx.strokeStyle = r.pen.colour;
    r.ctx.lineWidth = r.deviceWidth;
    r.ctx.moveTo(r.x + r.offset, r.y + r.offset);
  },
  function moveTo(r, pen, x, y) {
    r.x = deviceX(r, x);
    r.y = deviceY(r, y);
    if (r.deviceWidth > 1) r.ctx.moveTo(r.x + r.offset, r.y + r.offset);
  },
  function lineTo(r, pen, x, y) {
    if (r.cellsPending) flushCells(r);
    const dx = deviceX(r, x), dy = deviceY(r, y);
    if (r.deviceWidth === 1) {
      thinLine(r, r.x, r.y, dx, dy);
    } else {
      r.ctx.lineTo(dx + r.offset, dy + r.offset);
      ++r.drawn;
    }
    r.x = dx;
    r.y = dy;
  },
  // Characters `count` from `offset` in the picture's texts, their cell's
  // top-left corner at the unit's top-left corner.
  function text(r, pen, x, y, offset, count) {
    flush(r);
    const start = r.textsAt + offset;
    r.ctx.fillStyle = (r.pens[pen] || r.pens[r.pens.length - 1]).colour;
    r.ctx.fillText(r.decoder.decode(r.core.HEAPU8.subarray(start, start + count)), x * r.scaleX, y * r.scaleY);
    r.ctx.fillStyle = r.pen.colour;
    r.ctx.moveTo(r.x + r.offset, r.y + r.offset);
  },
  // `count` cells of the op's size side by side from (left, top), their
  // colour indices `offset` on in the picture's cells.
  function cells(r, pen, left, top, offset, count, op) {
    const heapU8 = r.core.HEAPU8;
    const width = heapU8[op + 2], height = heapU8[op + 3];
    // The device pixels whose middles lie in the row: (d + 0.5) / scale in [from, to).
    const edge = (unit, scale, size) => Math.min(size, Math.max(0, Math.ceil(unit * scale - 0.5)));
    const x0 = edge(left, r.scaleX, r.width), x1 = edge(left + count * width, r.scaleX, r.width);
    const y0 = edge(top, r.scaleY, r.height), y1 = edge(top + height, r.scaleY, r.height);
    if (x0 >= x1 || y0 >= y1) return;
    if (r.drawn > 0) {
      flush(r);
      r.ctx.moveTo(r.x + r.offset, r.y + r.offset);
    }
    const d = r.dirty;
    // Cells join those pending only where both make one rectangle (a row
    // right under the last, as wide): the rest of the rectangle put would
    // be old pixels.
    if (r.cellsPending && !(x0 === d[0] && x1 === d[2] && y0 <= d[3] && y1 >= d[1])) {
      flushCells(r);
    }
    startCells(r);
    const cellOf = cellColumns(r, left, width, count, x0, x1);
    const pixels = r.pixels, colours = r.cellColours, at = r.cellsAt + offset, rowStart = y0 * r.width;
    for (let x = x0; x < x1; ++x) {
      pixels[rowStart + x] = colours[heapU8[at + cellOf[x]]];
    }
    for (let y = y0 + 1; y < y1; ++y) {
      pixels.copyWithin(y * r.width + x0, rowStart + x0, rowStart + x1);
    }
    if (r.cellsPending) {
      d[0] = Math.min(d[0], x0), d[1] = Math.min(d[1], y0), d[2] = Math.max(d[2], x1), d[3] = Math.max(d[3], y1);
    } else {
      d[0] = x0, d[1] = y0, d[2] = x1, d[3] = y1;
      r.cellsPending = true;
    }
  },
];

// The cell under each device column x0 ... x1 - 1 of a row: the same for
// every row of a picture (the map's 300, the waterfall's), so worked out
// once while they follow one another.
function cellColumns(r, left, width, count, x0, x1) {
  const key = r.cellKey;
  if (key[0] !== left || key[1] !== width || key[2] !== count || key[3] !== x0 || key[4] !== x1 || key[5] !== r.scaleX) {
    if (r.cellOf.length < x1) r.cellOf = new Int32Array(x1);
    for (let x = x0; x < x1; ++x) {
      r.cellOf[x] = Math.min(count - 1, Math.floor(((x + 0.5) / r.scaleX - left) / width));
    }
    r.cellKey = [left, width, count, x0, x1, r.scaleX];
  }
  return r.cellOf;
}

// The view's pixels for cells, as large as its canvas: kept with the view,
// made again only when the canvas's size changes.
function startCells(r) {
  const view = r.view;
  if (!view.image || view.image.width !== r.width || view.image.height !== r.height) {
    view.image = new ImageData(r.width, r.height);
    view.pixels = new Uint32Array(view.image.data.buffer);
  }
  r.image = view.image;
  r.pixels = view.pixels;
}

// Replays the FrameView at `frame` (its address in the core's memory) onto
// a view: { ctx, scaleX, scaleY, canvas }.
export function replay(r, view, frame) {
  const heap32 = r.core.HEAP32;
  const heapU8 = r.core.HEAPU8;
  const ops = heap32[frame >> 2];
  const count = heap32[(frame >> 2) + 1];
  r.textsAt = heap32[(frame >> 2) + 2];
  r.cellsAt = heap32[(frame >> 2) + 3];
  r.view = view;
  r.cellsPending = false;
  const ctx = view.ctx;
  r.ctx = ctx;
  r.scaleX = view.scaleX;
  r.scaleY = view.scaleY;
  r.width = view.canvas.width;
  r.height = view.canvas.height;
  r.drawn = 0;
  r.x = r.y = 0;
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.lineCap = 'round';
  ctx.lineJoin = 'round';
  ctx.font = `${TEXT_SIZE * view.scaleY}px sans-serif`;
  ctx.textBaseline = 'top';
  OPERATIONS[1](r, 0);  // the first pen, as a device context starts with a pen
  for (let i = 0, p = ops; i < count; ++i, p += OP_BYTES) {
    const w = p >> 2;
    const operation = OPERATIONS[heapU8[p]];
    if (operation) {
      operation(r, heapU8[p + 1], heap32[w + 1], heap32[w + 2], heap32[w + 3], heap32[w + 4], p);
    }
  }
  flush(r);
}
