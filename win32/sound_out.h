// The sound card through the wave-out API: 16-bit mono PCM at SoundRate,
// fed from SoundBufferCount short buffers, each refilled from the fill
// callback as soon as it has played (MM_WOM_DONE to a message-only window,
// so the callback runs on the thread that opened the output), unless the
// device runs ahead of the clock (below).
//
// Latency: a change in what the callback returns is taken up by the next
// refill, at most one buffer's time later, and that buffer plays after the
// others still queued: at most SoundBufferCount buffers, 80 ms, plus the
// device's own latency.
//
// The output keeps to the clock: a device that plays faster than real time
// (Wine's null device does) gets no more than SoundAheadLimitMs of sound
// beyond the time since the output opened, plus a hundredth of that time.
//
// Without a device (waveOutOpen fails, as on a bare Wine) the output stays
// silent and its status says so; nothing is shown in a box.
#pragma once

// Fills count samples, full scale +-1, for the output to play next.
using SoundFill = void (*)(void* context, float* samples, int count);

constexpr const char* SoundWindowClassName = "QsbSoundOutClass";  // its message-only window's

constexpr int SoundRate = 22050;
constexpr int SoundBufferCount = 4;
constexpr int SoundBufferSamples = SoundRate / 50;                                                    // 20 ms
constexpr double SoundAheadLimitMs = 2.0 * SoundBufferCount * SoundBufferSamples * 1000 / SoundRate;  // 160 ms

enum class SoundState : unsigned char { Off, Playing, Silent };

struct SoundOutState {
    SoundState State;
    long long BuffersWritten;  // handed to the device, priming included
    long long BuffersDone;     // come back played
};

extern SoundOutState SoundOut;

// Starts playing what fill returns (Playing), or goes silent if there is no
// device (Silent). Does nothing unless the output is Off.
void OpenSoundOut(SoundFill fill, void* context);

// Stops at once and gives every buffer and handle back: Off.
void CloseSoundOut();

// What to tell the user: "" while off, "sound on", or why it is silent.
const char* SoundStatusText();
