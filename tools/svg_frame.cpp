#include "tools/svg_frame.h"

namespace {

// Consecutive lines with one pen become one path; a move or a pen change
// starts the next path from the current position, as GDI continues there.
struct PathWriter {
    CheckedOutput& Out;
    PenId Pen = PenId::Black;
    int X = 0, Y = 0;
    bool Open = false;

    void Close()
    {
        if (Open) {
            PutText(Out, "\"/>\n");
            Open = false;
        }
    }

    void Line(int x, int y)
    {
        if (!Open) {
            const PenStyle& style = StyleOf(Pen);
            Print(Out,
                  "<path fill=\"none\" stroke=\"rgb(%d,%d,%d)\" stroke-width=\"%d\" "
                  "stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"M%d %d",
                  style.Colour.R, style.Colour.G, style.Colour.B, style.Width, X, Y);
            Open = true;
        }
        Print(Out, " L%d %d", x, y);
        X = x, Y = y;
    }
};

// Top-left anchored like GDI's text, in the pen's colour, with the XML
// specials escaped.
void WriteText(CheckedOutput& out, const Recording& frame, const DrawOp& op)
{
    const Rgb c = StyleOf(op.Pen).Colour;
    Print(out,
          "<text x=\"%d\" y=\"%d\" dominant-baseline=\"hanging\" font-family=\"sans-serif\" "
          "font-size=\"11\" fill=\"rgb(%d,%d,%d)\">",
          op.X, op.Y, c.R, c.G, c.B);
    for (const char* t = frame.Texts + op.X2; t < frame.Texts + op.X2 + op.Y2; ++t) {
        const char* escaped = *t == '&' ? "&amp;" : *t == '<' ? "&lt;" : *t == '>' ? "&gt;" : nullptr;
        escaped != nullptr ? PutText(out, escaped) : Print(out, "%c", *t);
    }
    PutText(out, "</text>\n");
}

void WriteOperations(CheckedOutput& out, const Recording& frame)
{
    PathWriter path{out};
    for (int i = 0; i < frame.Count; ++i) {
        const DrawOp& op = frame.Ops[i];
        switch (op.Kind) {
        case DrawOpKind::Fill:
            path.Close();
            Print(out, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"rgb(%d,%d,%d)\"/>\n", op.X, op.Y,
                  op.X2 - op.X, op.Y2 - op.Y, BackgroundColour.R, BackgroundColour.G, BackgroundColour.B);
            break;
        case DrawOpKind::SelectPen:
            path.Close();
            path.Pen = op.Pen;
            break;
        case DrawOpKind::MoveTo:
            path.Close();
            path.X = op.X, path.Y = op.Y;
            break;
        case DrawOpKind::LineTo: path.Line(op.X, op.Y); break;
        case DrawOpKind::Text:
            path.Close();
            WriteText(out, frame, op);
            break;
        }
    }
    path.Close();
}

// A recording drawn at (0, top).
void WritePanel(CheckedOutput& out, const Recording& panel, int top)
{
    Print(out, "<g transform=\"translate(0,%d)\">\n", top);
    WriteOperations(out, panel);
    PutText(out, "</g>\n");
}

}  // namespace

bool WriteSvgFrame(CheckedOutput& out, const Recording& scene, int width, int height, const Recording* chart,
                   int chartHeight, const Recording* statistics, int statisticsHeight)
{
    const int chartTop = height, statisticsTop = chartTop + (chart != nullptr ? chartHeight : 0);
    const int total = statisticsTop + (statistics != nullptr ? statisticsHeight : 0);
    Print(out, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n", width,
          total, width, total);
    WriteOperations(out, scene);
    if (chart != nullptr) {
        WritePanel(out, *chart, chartTop);
    }
    if (statistics != nullptr) {
        WritePanel(out, *statistics, statisticsTop);
    }
    return PutText(out, "</svg>\n");
}
