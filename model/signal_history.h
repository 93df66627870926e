// The receiver's recent past for its strip chart: one sample a drift step,
// the last 30 seconds at ten frames a second.
#pragma once

constexpr int SignalHistoryLength = 300;

struct SignalSample {
    long long Step;  // the drift step it was taken at (Viewer.DriftSteps)
    int Paths;       // 0: no signal, and the levels mean nothing
    double FocusDb, SignalDb;
    double ReceiverX = 0;  // where the receiver stood: a change from one sample to the next is a move
};

struct SignalHistory {
    SignalSample Samples[SignalHistoryLength];  // a ring, Newest the last written
    int Newest;
    int Count;  // 0 ... SignalHistoryLength
};

void ClearSignalHistory(SignalHistory& history);
void AddSignalSample(SignalHistory& history, const SignalSample& sample);

// The sample the given number of steps before the newest (0: the newest);
// stepsAgo < Count.
const SignalSample& SampleAgo(const SignalHistory& history, int stepsAgo);
