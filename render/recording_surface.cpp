#include "render/recording_surface.h"

#include <cstdio>
#include <cstring>

static void Record(void* context, DrawOp op)
{
    Recording& r = *static_cast<Recording*>(context);
    if (r.Count < RecordingCapacity) {
        r.Ops[r.Count++] = op;
    } else {
        ++r.Dropped;
    }
}

static void RecordFill(void* c, int left, int top, int right, int bottom)
{
    Record(c, DrawOp{DrawOpKind::Fill, PenId::Black, 0, 0, left, top, right, bottom});
}

static void RecordPen(void* c, PenId pen) { Record(c, DrawOp{DrawOpKind::SelectPen, pen, 0, 0, 0, 0, 0, 0}); }

static void RecordMove(void* c, int x, int y) { Record(c, DrawOp{DrawOpKind::MoveTo, PenId::Black, 0, 0, x, y, 0, 0}); }

static void RecordLine(void* c, int x, int y) { Record(c, DrawOp{DrawOpKind::LineTo, PenId::Black, 0, 0, x, y, 0, 0}); }

// A text that does not fit the remaining characters is dropped whole.
static void RecordText(void* c, PenId colour, int x, int y, const char* text)
{
    Recording& r = *static_cast<Recording*>(c);
    const int length = static_cast<int>(std::strlen(text));
    if (length > RecordingTextCapacity - r.TextsUsed || r.Count == RecordingCapacity) {
        ++r.Dropped;
        return;
    }
    std::memcpy(r.Texts + r.TextsUsed, text, length);
    Record(c, DrawOp{DrawOpKind::Text, colour, 0, 0, x, y, r.TextsUsed, length});
    r.TextsUsed += length;
}

// Likewise a row of cells that does not fit, or whose size the operation
// cannot hold.
static void RecordCells(void* c, int left, int top, int cellWidth, int cellHeight, const unsigned char* colours,
                        int count)
{
    Recording& r = *static_cast<Recording*>(c);
    const bool sized = cellWidth >= 0 && cellWidth <= MaxRecordedCellSize && cellHeight >= 0 &&
                       cellHeight <= MaxRecordedCellSize && count >= 0;
    if (!sized || count > RecordingCellCapacity - r.CellsUsed || r.Count == RecordingCapacity) {
        ++r.Dropped;
        return;
    }
    std::memcpy(r.Cells + r.CellsUsed, colours, count);
    Record(c, DrawOp{DrawOpKind::Cells, PenId::Black, static_cast<unsigned char>(cellWidth),
                     static_cast<unsigned char>(cellHeight), left, top, r.CellsUsed, count});
    r.CellsUsed += count;
}

void ClearRecording(Recording& recording)
{
    recording.Count = 0;
    recording.Dropped = 0;
    recording.TextsUsed = 0;
    recording.CellsUsed = 0;
}

bool SameRecording(const Recording& a, const Recording& b)
{
    if (a.Count != b.Count || a.Dropped != b.Dropped || a.TextsUsed != b.TextsUsed ||
        std::memcmp(a.Texts, b.Texts, a.TextsUsed) != 0 || a.CellsUsed != b.CellsUsed ||
        std::memcmp(a.Cells, b.Cells, a.CellsUsed) != 0) {
        return false;
    }
    for (int i = 0; i < a.Count; ++i) {
        const DrawOp& x = a.Ops[i];
        const DrawOp& y = b.Ops[i];
        if (x.Kind != y.Kind || x.Pen != y.Pen || x.CellWidth != y.CellWidth || x.CellHeight != y.CellHeight ||
            x.X != y.X || x.Y != y.Y || x.X2 != y.X2 || x.Y2 != y.Y2) {
            return false;
        }
    }
    return true;
}

DrawingSurface RecordingSurface(Recording& recording)
{
    return DrawingSurface{&recording, RecordFill, RecordPen, RecordMove, RecordLine, RecordText, RecordCells};
}

// "cells L T W H " and the colours in hex, as far as the buffer holds them.
static int FormatCells(const Recording& recording, const DrawOp& op, char* buffer, int size)
{
    int length = std::snprintf(buffer, size, "cells %d %d %d %d%s", op.X, op.Y, op.CellWidth, op.CellHeight,
                               op.Y2 > 0 ? " " : "");
    const unsigned char* colours = recording.Cells + op.X2;
    for (int i = 0; i < op.Y2; ++i, length += 2) {
        if (length + 2 < size) {
            std::snprintf(buffer + length, 3, "%02x", colours[i]);
        }
    }
    return length;
}

int FormatDrawOp(const Recording& recording, const DrawOp& op, char* buffer, int size)
{
    switch (op.Kind) {
    case DrawOpKind::Fill: return std::snprintf(buffer, size, "fill %d %d %d %d", op.X, op.Y, op.X2, op.Y2);
    case DrawOpKind::SelectPen: return std::snprintf(buffer, size, "pen %s", PenName(op.Pen));
    case DrawOpKind::MoveTo: return std::snprintf(buffer, size, "move %d %d", op.X, op.Y);
    case DrawOpKind::LineTo: return std::snprintf(buffer, size, "line %d %d", op.X, op.Y);
    case DrawOpKind::Text:
        return std::snprintf(buffer, size, "text %d %d %s %.*s", op.X, op.Y, PenName(op.Pen), op.Y2,
                             recording.Texts + op.X2);
    case DrawOpKind::Cells: return FormatCells(recording, op, buffer, size);
    }
    return std::snprintf(buffer, size, "?");
}
