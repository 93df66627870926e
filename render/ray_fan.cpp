#include "render/ray_fan.h"

#include "model/intersection.h"
#include "model/reflection.h"
#include "model/scene_state.h"
#include "render/frame_painter.h"
#include "render/view_mapping.h"

// The fan's elevations never change, and neither do their slopes.
struct FanSlopeTable {
    float Slope[RaysPerFrame];
};

static FanSlopeTable FanSlopes()
{
    FanSlopeTable table{};
    float elevation = FirstElevation;
    for (float& slope : table.Slope) {
        slope = ElevationSlope(elevation);
        elevation = elevation - ElevationStep;
    }
    return table;
}

// Where one ray's two segments go, in pixels.
struct RayPixels {
    bool MeetsLayer;
    int HitColumn, HitRow;
    int GroundColumn;
};

// All the rays are traced before the first is drawn, each stage across all
// of them at once: the fifteen searches and reflections then overlap.
static void TraceRayFan(RayPixels (&rays)[RaysPerFrame])
{
    static const FanSlopeTable slopes = FanSlopes();
    RayLayerSearch searches[RaysPerFrame];
    SearchRayLayers(slopes.Slope, RaysPerFrame, FirstGuess, searches);
    Vec2 hits[RaysPerFrame];
    for (int ray = 0; ray < RaysPerFrame; ++ray) {
        Scene.RaySlope = slopes.Slope[ray];
        hits[ray] = RecordLayerHit(searches[ray]);
    }
    RayReflection reflections[RaysPerFrame];
    ReflectRays(hits, RaysPerFrame, reflections);
    for (int ray = 0; ray < RaysPerFrame; ++ray) {
        const Vec2 hit = hits[ray];
        rays[ray] = RayPixels{hit.x != NoHit.x, MapToScreenX(hit.x), MapToScreenY(hit.y),
                              MapToScreenX(reflections[ray].Ground.x)};
    }
}

// Each ray that meets the layer goes up from the transmitter and comes back
// down to the ground; every fifth such ray is drawn in the marker pen. A miss
// draws nothing and is not counted, so misses shift the marked rays.
void DrawRayFan(const DrawingSurface& s)
{
    RayPixels rays[RaysPerFrame];
    TraceRayFan(rays);
    int marker = 0;
    for (const RayPixels& ray : rays) {
        if (!ray.MeetsLayer) {
            continue;
        }
        s.SelectPen(s.Context, marker == MarkerPeriod ? PenId::Marker : PenId::Ray);
        s.MoveTo(s.Context, TransmitterColumn, GroundRow);
        s.LineTo(s.Context, ray.HitColumn, ray.HitRow);
        if (marker == MarkerPeriod) {
            s.SelectPen(s.Context, PenId::Marker);
            marker = 0;
        } else {
            s.SelectPen(s.Context, PenId::Reflection);
            ++marker;
        }
        s.MoveTo(s.Context, ray.HitColumn, ray.HitRow);
        s.LineTo(s.Context, ray.GroundColumn, GroundRow);
    }
}
