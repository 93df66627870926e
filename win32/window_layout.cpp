#include "win32/window_layout.h"

bool BoxesOverlap(const ScreenBox& a, const ScreenBox& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

namespace {

constexpr int MaxTaken = MaxTakenWindows;
constexpr int MaxCorners = (MaxTaken + 1) * (MaxTaken + 1) + 1;

long long OverlapArea(const ScreenBox& a, const ScreenBox& b)
{
    const int left = a.Left > b.Left ? a.Left : b.Left, right = a.Right < b.Right ? a.Right : b.Right;
    const int top = a.Top > b.Top ? a.Top : b.Top, bottom = a.Bottom < b.Bottom ? a.Bottom : b.Bottom;
    return left < right && top < bottom ? static_cast<long long>(right - left) * (bottom - top) : 0;
}

long long CoveredCost(const ScreenBox& box, const TakenBox* taken, int count)
{
    long long cost = 0;
    for (int i = 0; i < count; ++i) {
        cost += taken[i].Weight * OverlapArea(box, taken[i].Box);
    }
    return cost;
}

int Clamp(int value, int low, int high) { return value > high ? high : value < low ? low : value; }

// The box at (left, top), as wide as the work area allows down to minWidth;
// false if it does not fit there.
bool FitsAt(const ScreenBox& work, int left, int top, int width, int minWidth, int height, ScreenBox& box)
{
    const int room = work.Right - left;
    box = ScreenBox{left, top, left + (width < room ? width : room), top + height};
    return left >= work.Left && top >= work.Top && box.Bottom <= work.Bottom && BoxWidth(box) >= minWidth;
}

// The corners a window may start at: every left edge the work area or a
// window taken ends at (their own right edges), with every top edge they end
// at (their bottoms), and the work area's bottom right. A free place, if
// there is one, slides up and left to one of them.
int Corners(const ScreenBox& work, const TakenBox* taken, int count, int width, int height, int* lefts, int* tops)
{
    int corners = 0;
    for (int i = -1; i < count; ++i) {
        for (int j = -1; j < count; ++j) {
            lefts[corners] = i < 0 ? work.Left : taken[i].Box.Right;
            tops[corners++] = j < 0 ? work.Top : taken[j].Box.Bottom;
        }
    }
    lefts[corners] = work.Right - width, tops[corners++] = work.Bottom - height;
    return corners;
}

}  // namespace

bool IsFreePlace(const ScreenBox& work, const TakenBox* taken, int takenCount, const ScreenBox& box)
{
    if (box.Left < work.Left || box.Top < work.Top || box.Right > work.Right || box.Bottom > work.Bottom) {
        return false;
    }
    for (int i = 0; i < takenCount && i < MaxTaken; ++i) {
        if (BoxesOverlap(box, taken[i].Box)) {
            return false;
        }
    }
    return true;
}

ScreenBox PlaceWindow(const ScreenBox& work, const TakenBox* taken, int takenCount, int width, int minWidth, int height)
{
    const int count = takenCount < MaxTaken ? takenCount : MaxTaken;
    int lefts[MaxCorners], tops[MaxCorners];
    const int corners = Corners(work, taken, count, width, height, lefts, tops);
    ScreenBox best{}, box{};
    bool found = false;
    for (int i = 0; i < corners; ++i) {
        const bool better = !found || tops[i] < best.Top || (tops[i] == best.Top && lefts[i] < best.Left);
        if (better && FitsAt(work, lefts[i], tops[i], width, minWidth, height, box) &&
            CoveredCost(box, taken, count) == 0) {
            best = box;
            found = true;
        }
    }
    if (found) {
        return best;
    }
    long long lowest = -1;
    for (int i = 0; i < corners; ++i) {
        // Inside the work area, or at its top left corner if larger.
        const int left = Clamp(lefts[i], work.Left, work.Right - width),
                  top = Clamp(tops[i], work.Top, work.Bottom - height);
        box = ScreenBox{left > work.Left ? left : work.Left, top > work.Top ? top : work.Top, 0, 0};
        box.Right = box.Left + width, box.Bottom = box.Top + height;
        const long long cost = CoveredCost(box, taken, count);
        if (lowest < 0 || cost < lowest) {
            best = box;
            lowest = cost;
        }
    }
    return best;
}

ScreenBox PlaceMapClient(const ScreenBox& work, const ScreenBox& mainWindow, int mainClientLeft, int mainClientWidth,
                         int frameTop, int frameBottom, int clientHeight, int minHeight)
{
    const int top = mainWindow.Bottom + frameTop;
    const int room = work.Bottom - frameBottom - top;
    const int height = clientHeight < room ? clientHeight : room > minHeight ? room : minHeight;
    const int lowest = work.Bottom - frameBottom - height;
    const int placed = top < lowest ? top : lowest;
    return ScreenBox{mainClientLeft, placed, mainClientLeft + mainClientWidth, placed + height};
}
