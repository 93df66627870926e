#include "render/frame_painter.h"

#include "model/intersection.h"
#include "model/layer.h"
#include "model/reflection.h"
#include "model/scene_state.h"
#include "render/view_mapping.h"

// Each ray that meets the layer goes up from the transmitter and comes back
// down to the ground; every fifth such ray is drawn in the marker pen. A miss
// draws nothing and is not counted, so misses shift the marked rays.
static void DrawRayFan(const DrawingSurface& s)
{
    float elevation = FirstElevation;
    int marker = 0;
    for (int ray = 0; ray < RaysPerFrame; ++ray) {
        Scene.RaySlope = ElevationSlope(elevation);
        const Vec2 hit = FindLayerHit(FirstGuess);
        if (hit.x != NoHit.x) {
            const int hitX = MapToScreenX(hit.x);
            const int hitY = MapToScreenY(hit.y);
            s.SelectPen(s.Context, marker == MarkerPeriod ? PenId::Marker : PenId::Ray);
            s.MoveTo(s.Context, TransmitterColumn, GroundRow);
            s.LineTo(s.Context, hitX, hitY);

            const RayReflection r = ReflectRay(hit);
            if (marker == MarkerPeriod) {
                s.SelectPen(s.Context, PenId::Marker);
                marker = 0;
            } else {
                s.SelectPen(s.Context, PenId::Reflection);
                ++marker;
            }
            s.MoveTo(s.Context, hitX, hitY);
            s.LineTo(s.Context, MapToScreenX(r.Ground.x), GroundRow);
        }
        elevation = elevation - ElevationStep;
    }
}

// Starts above the transmitter, steps back to x = -15 just off the left
// edge, then runs to the right in steps of 1.5.
static void DrawLayerCurve(const DrawingSurface& s)
{
    s.SelectPen(s.Context, PenId::Layer);
    s.MoveTo(s.Context, TransmitterColumn, MapToScreenY(LayerHeight(0)));
    float x = LayerCurveStart;
    for (int point = 0; point < LayerCurvePoints; ++point) {
        s.LineTo(s.Context, MapToScreenX(x), MapToScreenY(LayerHeight(x)));
        x = x + LayerCurveStep;
    }
}

// The move to each station happens even when no whisker is shown.
static void DrawWhiskers(const DrawingSurface& s)
{
    s.SelectPen(s.Context, PenId::Whisker);
    float x = 0;
    for (int station = 0; station < WhiskerStations; ++station) {
        const double height = LayerHeight(x);
        s.MoveTo(s.Context, MapToScreenX(x), MapToScreenY(height));
        const Vec2 p{x, static_cast<float>(height)};
        if (Scene.ShowTangents) {
            const Vec2Double end = WhiskerEnd(p, LayerTangent(x), TangentWhiskerLength);
            s.LineTo(s.Context, MapToScreenX(end.x), MapToScreenY(end.y));
        }
        if (Scene.ShowNormals) {
            const Vec2Double end = WhiskerEnd(p, LayerNormal(x), NormalWhiskerLength);
            s.LineTo(s.Context, MapToScreenX(end.x), MapToScreenY(end.y));
        }
        x = x + WhiskerSpacing;
    }
}

void DrawFrame(const DrawingSurface& s, int clientWidth, int clientHeight)
{
    s.FillRect(s.Context, 0, 0, clientWidth, clientHeight);
    // The drift moves once per painted frame, whatever caused the paint.
    Scene.PhaseOffset = Scene.PhaseOffset + Scene.PhaseStep;
    DrawRayFan(s);
    DrawLayerCurve(s);
    DrawWhiskers(s);
    // No pen of ours may stay selected when the pens are deleted.
    s.SelectPen(s.Context, PenId::Black);
}
