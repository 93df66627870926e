#include "render/frame_painter.h"

#include <cmath>

#include "model/layer.h"
#include "model/reflection.h"
#include "model/scene_state.h"
#include "model/viewer_state.h"
#include "render/ray_fan.h"
#include "render/receiver_view.h"
#include "render/view_mapping.h"

// The work is arranged so that no chain of dependent steps stalls the next:
// sines are started a few points ahead of the lines that need them, and
// whatever does not change from frame to frame is worked out once.

// The curve's x values are -15 + 1.5 i, just off the left edge to the right.
// A running float sum of the step gives exactly these values (all are
// multiples of 0.5 far below 2^24), so no point has to wait for the one
// before it.
static double CurvePointX(int point) { return LayerCurveStart + static_cast<double>(LayerCurveStep) * point; }

// The curve's columns depend on nothing that moves.
struct CurveColumnTable {
    int Column[LayerCurvePoints];
};

static CurveColumnTable CurveColumns()
{
    CurveColumnTable table{};
    for (int point = 0; point < LayerCurvePoints; ++point) {
        table.Column[point] = MapToScreenX(CurvePointX(point));
    }
    return table;
}

// How many points (or stations) ahead of its line a sine is started.
constexpr int SineLead = 4;
constexpr int StationLead = 2;

// Starts above the transmitter, steps back to x = -15 and runs to the right.
static void DrawLayerCurve(const DrawingSurface& s)
{
    static const CurveColumnTable columns = CurveColumns();
    const LayerShape layer = CurrentLayerShape();
    float phases[LayerCurvePoints];
    for (int point = 0; point < LayerCurvePoints; ++point) {
        phases[point] = LayerPhase(CurvePointX(point));
    }
    s.SelectPen(s.Context, PenId::Layer);
    s.MoveTo(s.Context, TransmitterColumn, MapToScreenY(LayerHeight(0)));
    float sines[LayerCurvePoints];
    for (int point = 0; point < SineLead; ++point) {
        sines[point] = std::sin(phases[point]);
    }
    for (int point = 0; point < LayerCurvePoints; ++point) {
        if (point + SineLead < LayerCurvePoints) {
            sines[point + SineLead] = std::sin(phases[point + SineLead]);
        }
        s.LineTo(s.Context, columns.Column[point], MapToScreenY(LayerHeightFromSine(layer, sines[point])));
    }
}

// Stations every 20 units from x = 0; as on the curve, the running float sum
// of the spacing is exact.
static float StationX(int station) { return WhiskerSpacing * static_cast<float>(station); }

struct StationSine {
    float Sine, Cosine;
};

static StationSine StationSineAt(int station)
{
    const float u = LayerPhase(StationX(station));
    return StationSine{std::sin(u), std::cos(u)};
}

// The move to each station happens even when no whisker is shown.
static void DrawWhiskers(const DrawingSurface& s)
{
    StationSine sines[WhiskerStations];
    for (int station = 0; station < StationLead; ++station) {
        sines[station] = StationSineAt(station);
    }
    const LayerShape layer = CurrentLayerShape();
    const bool tangents = Scene.ShowTangents != 0;
    const bool normals = Scene.ShowNormals != 0;
    s.SelectPen(s.Context, PenId::Whisker);
    for (int station = 0; station < WhiskerStations; ++station) {
        if (station + StationLead < WhiskerStations) {
            sines[station + StationLead] = StationSineAt(station + StationLead);
        }
        const float x = StationX(station);
        const double height = LayerHeightFromSine(layer, sines[station].Sine);
        s.MoveTo(s.Context, MapToScreenX(x), MapToScreenY(height));
        const Vec2 p{x, static_cast<float>(height)};
        const float slope = LayerSlopeFromCosine(layer, sines[station].Cosine);
        if (tangents) {
            const Vec2Double end = WhiskerEnd(p, Vec2{1.0f, slope}, TangentWhiskerLength);
            s.LineTo(s.Context, MapToScreenX(end.x), MapToScreenY(end.y));
        }
        if (normals) {
            const Vec2Double end = WhiskerEnd(p, Vec2{-slope, 1.0f}, NormalWhiskerLength);
            s.LineTo(s.Context, MapToScreenX(end.x), MapToScreenY(end.y));
        }
    }
}

void DrawFrame(const DrawingSurface& s, int clientWidth, int clientHeight)
{
    s.FillRect(s.Context, 0, 0, clientWidth, clientHeight);
    // The drift moves once per painted frame, whatever caused the paint,
    // unless the viewer paused it.
    const bool drifted = TakeDriftStep();
    if (drifted) {
        Scene.PhaseOffset = Scene.PhaseOffset + Scene.PhaseStep;
    }
    DrawRayFan(s);
    DrawLayerCurve(s);
    DrawWhiskers(s);
    // One fan serves the receiver, the map, the band and the sound.
    if (Listening()) {
        UpdateReceiver(drifted);
    }
    if (Viewer.ReceiverShown) {
        DrawReceiver(s);
    }
    // No pen of ours may stay selected when the pens are deleted.
    s.SelectPen(s.Context, PenId::Black);
}
