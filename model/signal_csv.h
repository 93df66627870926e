// The receiver's signal as CSV, one row a drift step: the same columns in
// qsb-trace --signal and in both editions' "Save signal".
#pragma once

#include "model/signal_history.h"

// frame: the drift step; paths: how many reach the receiver; the levels in
// dB with three decimals, both empty when no path does.
constexpr const char SignalCsvHeader[] = "frame,paths,focus_db,signal_db\n";

// One row with its newline; returns what snprintf returns.
int FormatSignalCsvRow(const SignalSample& sample, char* buffer, int size);
