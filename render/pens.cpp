#include "render/pens.h"

const char* PenName(PenId pen)
{
    switch (pen) {
    case PenId::Ray: return "ray";
    case PenId::Marker: return "marker";
    case PenId::Reflection: return "reflection";
    case PenId::Layer: return "layer";
    case PenId::Whisker: return "whisker";
    case PenId::Black: return "black";
    case PenId::Receiver: return "receiver";
    case PenId::Signal: return "signal";
    case PenId::Focus: return "focus";
    case PenId::Grid: return "grid";
    case PenId::Label: return "label";
    case PenId::Rayleigh: return "rayleigh";
    }
    return "?";
}
