// Where a view's window goes on the screen: plain arithmetic on boxes in
// screen pixels, so that the rule can be checked for any screen size.
#pragma once

struct ScreenBox {
    int Left, Top, Right, Bottom;  // right and bottom exclusive
};

inline int BoxWidth(const ScreenBox& box) { return box.Right - box.Left; }
inline int BoxHeight(const ScreenBox& box) { return box.Bottom - box.Top; }
bool BoxesOverlap(const ScreenBox& a, const ScreenBox& b);

// Windows taken beyond this many are not looked at.
constexpr int MaxTakenWindows = 16;

// A window already on the screen, and how much covering it costs a pixel.
struct TakenBox {
    ScreenBox Box;
    int Weight;
};

// Whether the box lies inside the work area and covers none of the windows
// taken.
bool IsFreePlace(const ScreenBox& work, const TakenBox* taken, int takenCount, const ScreenBox& box);

// A window of width x height (narrowed down to minWidth where the work area
// ends first) at the first free place, topmost first and then leftmost,
// inside the work area and over none of the windows taken. Where there is none (a small screen), it goes where it
// covers the least weighted area of the others, at one of those corners or pushed against the work area's edges; never
// off the work area while it fits in it.
ScreenBox PlaceWindow(const ScreenBox& work, const TakenBox* taken, int takenCount, int width, int minWidth,
                      int height);

// The ground map's client area right under the main window's frame, from the
// main window's client column 0 on and as wide, clientHeight high; lowered
// down to minHeight where the work area ends first, and moved up over the
// main window where even that does not fit. frameTop and frameBottom are the
// map window's own frame above and below its client area.
ScreenBox PlaceMapClient(const ScreenBox& work, const ScreenBox& mainWindow, int mainClientLeft, int mainClientWidth,
                         int frameTop, int frameBottom, int clientHeight, int minHeight);
