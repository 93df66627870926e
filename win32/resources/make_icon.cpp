// Draws the program's icon, a rippled layer over the ground with a small fan
// of rays bouncing off it, and writes it as a Windows .ico with nine sizes.
// Every image is an uncompressed 32-bpp DIB, opaque (alpha 255), with an
// all-zero AND mask: ImageMagick would write the 256-pixel image as PNG.
//
//   make_icon OUTPUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const int Sizes[] = {16, 24, 32, 48, 64, 72, 96, 128, 256};
constexpr int ImageCount = sizeof Sizes / sizeof Sizes[0];

struct Colour {
    double r, g, b;
};

const Colour Background{0, 43, 54};
const Colour LayerBlue{38, 139, 210};
const Colour Ground{88, 110, 117};
const Colour RayOrange{203, 75, 22};
const Colour ReflectionRed{220, 50, 47};
const Colour MarkerGreen{133, 153, 0};

// Picture coordinates: 0 ... 1 across and down.
double LayerY(double x) { return 0.27 + 0.06 * std::sin(2 * M_PI * 2.2 * x + 0.6); }
constexpr double GroundY = 0.86;
constexpr double TransmitterX = 0.1;

struct Stroke {
    double x0, y0, x1, y1, width;
    Colour colour;
};

std::vector<Stroke> Picture()
{
    std::vector<Stroke> strokes;
    strokes.push_back({-0.1, GroundY, 1.1, GroundY, 0.05, Ground});
    const double hits[] = {0.32, 0.48, 0.64};
    for (int i = 0; i < 3; ++i) {
        const double hx = hits[i], hy = LayerY(hx);
        const double gx = hx + (hx - TransmitterX) * 0.9;
        const bool marked = i == 1;
        strokes.push_back({TransmitterX, GroundY, hx, hy, 0.05, marked ? MarkerGreen : RayOrange});
        strokes.push_back({hx, hy, gx, GroundY, 0.045, marked ? MarkerGreen : ReflectionRed});
    }
    for (int i = 0; i < 60; ++i) {  // the layer as a thick polyline
        const double xa = -0.05 + i * 0.0185, xb = xa + 0.0185;
        strokes.push_back({xa, LayerY(xa), xb, LayerY(xb), 0.06, LayerBlue});
    }
    return strokes;
}

double DistanceToSegment(double px, double py, const Stroke& s)
{
    const double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
    double t = ((px - s.x0) * dx + (py - s.y0) * dy) / (dx * dx + dy * dy);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return std::hypot(px - (s.x0 + t * dx), py - (s.y0 + t * dy));
}

// 4 x 4 samples per pixel; the last stroke that covers a sample wins.
// Strokes are at least 1.2 pixels wide, so small sizes keep their lines.
std::vector<uint8_t> Render(int size, const std::vector<Stroke>& strokes)
{
    std::vector<uint8_t> bgra(static_cast<size_t>(size) * size * 4);
    constexpr int N = 4;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < N; ++sy) {
                for (int sx = 0; sx < N; ++sx) {
                    const double px = (x + (sx + 0.5) / N) / size, py = (y + (sy + 0.5) / N) / size;
                    Colour c = Background;
                    for (const Stroke& s : strokes) {
                        const double half = std::fmax(s.width, 1.2 / size) / 2;
                        if (DistanceToSegment(px, py, s) <= half) {
                            c = s.colour;
                        }
                    }
                    r += c.r, g += c.g, b += c.b;
                }
            }
            // Bottom-up rows, blue first, opaque.
            uint8_t* p = &bgra[(static_cast<size_t>(size - 1 - y) * size + x) * 4];
            p[0] = static_cast<uint8_t>(std::lround(b / (N * N)));
            p[1] = static_cast<uint8_t>(std::lround(g / (N * N)));
            p[2] = static_cast<uint8_t>(std::lround(r / (N * N)));
            p[3] = 255;
        }
    }
    return bgra;
}

void Put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, unsigned v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

int MaskRowBytes(int size) { return (size + 31) / 32 * 4; }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    const std::vector<Stroke> strokes = Picture();
    std::vector<uint8_t> out;
    Put16(out, 0);  // ICONDIR: reserved, type 1 (icon), count
    Put16(out, 1);
    Put16(out, ImageCount);

    unsigned offset = 6 + 16 * ImageCount;
    for (int size : Sizes) {
        const unsigned bytes = 40 + size * size * 4 + MaskRowBytes(size) * size;
        out.push_back(size == 256 ? 0 : size);  // 0 stands for 256
        out.push_back(size == 256 ? 0 : size);
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);   // planes
        Put16(out, 32);  // bits per pixel
        Put32(out, bytes);
        Put32(out, offset);
        offset += bytes;
    }
    for (int size : Sizes) {
        const std::vector<uint8_t> pixels = Render(size, strokes);
        Put32(out, 40);  // BITMAPINFOHEADER
        Put32(out, size);
        Put32(out, 2 * size);  // colour rows and mask rows
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, 0);  // BI_RGB
        Put32(out, size * size * 4 + MaskRowBytes(size) * size);
        for (int i = 0; i < 4; ++i) {
            Put32(out, 0);
        }
        out.insert(out.end(), pixels.begin(), pixels.end());
        out.insert(out.end(), static_cast<size_t>(MaskRowBytes(size)) * size, 0);
    }

    FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
