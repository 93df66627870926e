// The GDI pens and brush behind PenId, created with the main window and
// deleted with it. Handles are process-wide and shared by all frames.
#pragma once

#include <windows.h>

#include "render/pens.h"

extern HPEN RayPen;
extern HPEN MarkerPen;
extern HPEN ReflectionPen;
extern HPEN LayerPen;
extern HPEN WhiskerPen;
extern HBRUSH BackgroundBrush;

// Creates the five scene pens (widths 5, 4, 3, 2, 1), then the brush, then
// the receiver's and its chart's pens.
void CreateDrawingResources();
// Deletes them; the painter has put the stock pen back by then.
void DeleteDrawingResources();

// The GDI object for a pen identity (the stock black pen for PenId::Black).
HGDIOBJ PenHandle(PenId pen);
