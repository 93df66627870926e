#include "win32/drawing_resources.h"

HPEN RayPen;
HPEN MarkerPen;
HPEN ReflectionPen;
HPEN LayerPen;
HPEN WhiskerPen;
HBRUSH BackgroundBrush;

// The receiver's and the chart's pens, indexed from PenId::Receiver.
constexpr int FirstReceiverPen = static_cast<int>(PenId::Receiver);
static HPEN ReceiverPens[PenCount - FirstReceiverPen];

static COLORREF ColourRef(Rgb c) { return RGB(c.R, c.G, c.B); }

static HPEN MakePen(PenId pen) { return CreatePen(PS_SOLID, StyleOf(pen).Width, ColourRef(StyleOf(pen).Colour)); }

// Results are not checked: a failed pen simply draws nothing.
void CreateDrawingResources()
{
    RayPen = MakePen(PenId::Ray);
    MarkerPen = MakePen(PenId::Marker);
    ReflectionPen = MakePen(PenId::Reflection);
    LayerPen = MakePen(PenId::Layer);
    WhiskerPen = MakePen(PenId::Whisker);
    BackgroundBrush = CreateSolidBrush(ColourRef(BackgroundColour));
    for (int i = 0; i < PenCount - FirstReceiverPen; ++i) {
        ReceiverPens[i] = MakePen(static_cast<PenId>(FirstReceiverPen + i));
    }
}

void DeleteDrawingResources()
{
    DeleteObject(RayPen);
    DeleteObject(MarkerPen);
    DeleteObject(ReflectionPen);
    DeleteObject(LayerPen);
    DeleteObject(WhiskerPen);
    DeleteObject(BackgroundBrush);
    for (HPEN& pen : ReceiverPens) {
        DeleteObject(pen);
    }
}

HGDIOBJ PenHandle(PenId pen)
{
    switch (pen) {
    case PenId::Ray: return RayPen;
    case PenId::Marker: return MarkerPen;
    case PenId::Reflection: return ReflectionPen;
    case PenId::Layer: return LayerPen;
    case PenId::Whisker: return WhiskerPen;
    case PenId::Black: break;
    default: return ReceiverPens[static_cast<int>(pen) - FirstReceiverPen];
    }
    return GetStockObject(BLACK_PEN);
}
