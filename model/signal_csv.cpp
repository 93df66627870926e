#include "model/signal_csv.h"

#include <cstdio>

int FormatSignalCsvRow(const SignalSample& s, char* buffer, int size)
{
    if (s.Paths == 0) {
        return std::snprintf(buffer, size, "%lld,0,,\n", s.Step);
    }
    return std::snprintf(buffer, size, "%lld,%d,%.3f,%.3f\n", s.Step, s.Paths, s.FocusDb, s.SignalDb);
}
