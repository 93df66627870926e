#include "model/fading_csv.h"

#include <cmath>
#include <cstdio>

namespace {

struct Row {
    const char* Name;
    const char* Format;
    double Measured, Rayleigh;
};

// A number, or nothing for NaN.
void Cell(char (&text)[32], const char* format, double value)
{
    text[0] = '\0';
    if (!std::isnan(value)) {
        std::snprintf(text, sizeof text, format, value);
    }
}

}  // namespace

int FormatFadingCsv(const FadingStatistics& m, char* buffer, int size)
{
    const RayleighFading r = RayleighFadingFor(m.CrossingsPerSecond);
    const bool enough = m.Samples >= MinFadingSamples;
    const Row rows[] = {
        {"p01_db", "%.3f", m.P01Db, r.P01Db},
        {"p10_db", "%.3f", m.P10Db, r.P10Db},
        {"p90_db", "%.3f", m.P90Db, r.P90Db},
        {"p99_db", "%.3f", m.P99Db, r.P99Db},
        {"below_10db", "%.4f", m.Below10, r.Below10},
        {"crossings_per_s", "%.4f", m.CrossingsPerSecond, NAN},
        {"fades_per_s_10db", "%.4f", m.FadesPerSecond, r.FadesPerSecond},
        {"fade_s_10db", "%.4f", m.FadeSeconds, r.FadeSeconds},
        {"ks", "%.4f", m.Ks, NAN},
    };
    // Past the end of the buffer snprintf only counts, as it does for the whole.
    int used = 0;
    const auto append = [&](const char* text) {
        used += std::snprintf(used < size ? buffer + used : nullptr, used < size ? size - used : 0, "%s", text);
    };
    append("statistic,measured,rayleigh\n");
    for (const Row& row : rows) {
        char measured[32], rayleigh[32], line[128];
        Cell(measured, row.Format, row.Measured);
        Cell(rayleigh, row.Format, enough ? row.Rayleigh : NAN);
        std::snprintf(line, sizeof line, "%s,%s,%s\n", row.Name, measured, rayleigh);
        append(line);
    }
    return used;
}
