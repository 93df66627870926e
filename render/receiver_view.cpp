#include "render/receiver_view.h"

#include "model/viewer_state.h"
#include "render/frame_painter.h"
#include "render/view_mapping.h"

// A mast with a Y-shaped antenna on top, standing on the ground.
constexpr int MastHeight = 14, ArmSpread = 6;

void DrawReceiver(const DrawingSurface& s)
{
    const int column = MapToScreenX(Viewer.Receiver.X);
    s.SelectPen(s.Context, PenId::Receiver);
    for (int i = 0; i < Viewer.Signal.DrawnPaths; ++i) {
        const ReceiverPath& path = Viewer.Signal.Path[i];
        s.MoveTo(s.Context, TransmitterColumn, GroundRow);
        s.LineTo(s.Context, MapToScreenX(path.HitX), MapToScreenY(path.HitY));
        s.LineTo(s.Context, column, GroundRow);
    }
    const int top = GroundRow - MastHeight;
    s.MoveTo(s.Context, column, GroundRow);
    s.LineTo(s.Context, column, top);
    s.MoveTo(s.Context, column - ArmSpread, top - ArmSpread);
    s.LineTo(s.Context, column, top);
    s.LineTo(s.Context, column + ArmSpread, top - ArmSpread);
}
