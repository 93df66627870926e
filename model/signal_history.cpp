#include "model/signal_history.h"

void ClearSignalHistory(SignalHistory& history)
{
    history.Newest = SignalHistoryLength - 1;
    history.Count = 0;
}

void AddSignalSample(SignalHistory& history, const SignalSample& sample)
{
    history.Newest = (history.Newest + 1) % SignalHistoryLength;
    history.Samples[history.Newest] = sample;
    if (history.Count < SignalHistoryLength) {
        ++history.Count;
    }
}

const SignalSample& SampleAgo(const SignalHistory& history, int stepsAgo)
{
    return history.Samples[(history.Newest - stepsAgo + SignalHistoryLength) % SignalHistoryLength];
}
