#include "tools/svg_frame.h"

#include "render/level_colours.h"

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

// Runs of one colour along the row become one rectangle each.
void WriteCells(CheckedOutput& out, const Recording& frame, const DrawOp& op)
{
    const unsigned char* colours = frame.Cells + op.X2;
    for (int first = 0, next = 0; first < op.Y2; first = next) {
        while (next < op.Y2 && colours[next] == colours[first]) {
            ++next;
        }
        const Rgb c = CellColour(colours[first]);
        Print(out, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"rgb(%d,%d,%d)\"/>\n",
              op.X + first * op.CellWidth, op.Y, (next - first) * op.CellWidth, op.CellHeight, c.R, c.G, c.B);
    }
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
        case DrawOpKind::Cells:
            path.Close();
            WriteCells(out, frame, op);
            break;
        }
    }
    path.Close();
}

}  // namespace

bool WriteSvgFrame(CheckedOutput& out, const Recording& scene, int width, int height, const Recording* chart,
                   int chartHeight)
{
    const SvgPicture pictures[] = {{&scene, height}, {chart, chartHeight}};
    return WriteSvgPictures(out, width, pictures, chart != nullptr ? 2 : 1);
}

bool WriteSvgPictures(CheckedOutput& out, int width, const SvgPicture* pictures, int count)
{
    int total = 0;
    for (int i = 0; i < count; ++i) {
        total += pictures[i].Height;
    }
    Print(out, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n", width,
          total, width, total);
    WriteOperations(out, *pictures[0].Picture);
    for (int i = 1, top = pictures[0].Height; i < count; top += pictures[i++].Height) {
        Print(out, "<g transform=\"translate(0,%d)\">\n", top);
        WriteOperations(out, *pictures[i].Picture);
        PutText(out, "</g>\n");
    }
    return PutText(out, "</svg>\n");
}
