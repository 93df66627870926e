// A surface that remembers the operations drawn on it, in fixed storage,
// for tests and tools to inspect.
#pragma once

#include "render/drawing_surface.h"
#include "render/frame_painter.h"

enum class DrawOpKind : unsigned char { Fill, SelectPen, MoveTo, LineTo, Text, Cells };

// Cells keep their size in the two bytes that would otherwise be padding,
// so an operation stays 20 bytes: cells up to MaxRecordedCellSize wide and
// high are recorded (no painter of ours draws larger ones).
struct DrawOp {
    DrawOpKind Kind;
    PenId Pen;                            // SelectPen; Text: its colour
    unsigned char CellWidth, CellHeight;  // Cells
    int X, Y;                             // MoveTo, LineTo, Text; Fill, Cells: left, top
    int X2, Y2;                           // Fill: right, bottom; Text, Cells: where its characters (colours) start in
                                          // Recording.Texts (Recording.Cells), and how many
};

constexpr int MaxRecordedCellSize = 255;
constexpr int RecordingCapacity = 2 * MaxFrameOperations;
constexpr int RecordingTextCapacity = 4096;
// Enough for a map 1000 cells wide and 300 rows high, with its legend.
constexpr int RecordingCellCapacity = 1000 * 300 + 4096;

struct Recording {
    DrawOp Ops[RecordingCapacity];
    int Count;
    int Dropped;                        // operations that did not fit
    char Texts[RecordingTextCapacity];  // the texts' characters, one after another
    int TextsUsed;
    unsigned char Cells[RecordingCellCapacity];  // the cells' colours, one row after another
    int CellsUsed;
};

void ClearRecording(Recording& recording);

// The same operations in the same order (field by field: DrawOp has padding).
bool SameRecording(const Recording& a, const Recording& b);
DrawingSurface RecordingSurface(Recording& recording);

// One line of text, without newline, in the trace format: "fill L T R B",
// "pen NAME", "move X Y", "line X Y", "text X Y NAME TEXT", "cells L T W H
// COLOURS" (two hex digits a cell). Returns the length it needs, as
// snprintf does; what does not fit the buffer is cut off.
int FormatDrawOp(const Recording& recording, const DrawOp& op, char* buffer, int size);
