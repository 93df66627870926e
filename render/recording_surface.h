// A surface that remembers the operations drawn on it, in fixed storage,
// for tests and tools to inspect.
#pragma once

#include "render/drawing_surface.h"
#include "render/frame_painter.h"

enum class DrawOpKind : unsigned char { Fill, SelectPen, MoveTo, LineTo, Text };

struct DrawOp {
    DrawOpKind Kind;
    PenId Pen;   // SelectPen; Text: its colour
    int X, Y;    // MoveTo, LineTo, Text; Fill: left, top
    int X2, Y2;  // Fill: right, bottom; Text: where its characters start in Recording.Texts, and how many
};

constexpr int RecordingCapacity = 2 * MaxFrameOperations;
constexpr int RecordingTextCapacity = 4096;

struct Recording {
    DrawOp Ops[RecordingCapacity];
    int Count;
    int Dropped;                        // operations that did not fit
    char Texts[RecordingTextCapacity];  // the texts' characters, one after another
    int TextsUsed;
};

void ClearRecording(Recording& recording);

// The same operations in the same order (field by field: DrawOp has padding).
bool SameRecording(const Recording& a, const Recording& b);
DrawingSurface RecordingSurface(Recording& recording);

// One line of text, without newline, in the trace format: "fill L T R B",
// "pen NAME", "move X Y", "line X Y", "text X Y NAME TEXT". Returns the length.
int FormatDrawOp(const Recording& recording, const DrawOp& op, char* buffer, int size);
