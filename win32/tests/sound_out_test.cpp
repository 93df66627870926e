// The wave-out glue under Wine. Wine's ALSA driver reads its devices from
// $HOME/.asoundrc: ctest runs these twice, once with a HOME whose
// .asoundrc offers a null device (QSB_SOUND_DEVICE=null) and once with an
// empty HOME, no device at all (QSB_SOUND_DEVICE=no).
#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>
#include <psapi.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "win32/sound_out.h"

namespace {

bool DeviceIs(const char* expected)
{
    const char* device = std::getenv("QSB_SOUND_DEVICE");
    return device != nullptr && std::strcmp(device, expected) == 0;
}

// A 700 Hz test tone at a tenth of full scale.
struct Tone {
    double Phase;
    long long Pulled;
};

void FillTone(void* context, float* samples, int count)
{
    Tone& tone = *static_cast<Tone*>(context);
    for (int i = 0; i < count; ++i) {
        samples[i] = static_cast<float>(0.1 * std::sin(tone.Phase));
        tone.Phase += 2 * 3.141592653589793 * 700 / SoundRate;
    }
    tone.Pulled += count;
}

// Runs the thread's messages (the device's MM_WOM_DONE among them) until
// done() or the time is up.
template <typename Done> void PumpMessages(DWORD milliseconds, Done done)
{
    for (const DWORD end = GetTickCount() + milliseconds; GetTickCount() < end && !done();) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        Sleep(1);
    }
}

// What an output opened and closed again must give back: kernel handles,
// its message-only window, memory.
struct Footprint {
    int Handles;
    bool Window;
    long long PrivateBytes;
};

Footprint Measure()
{
    Footprint f{};
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {  // Wine's GetProcessHandleCount answers 0
        DWORD flags = 0;
        f.Handles += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
    }
    f.Window = FindWindowExA(HWND_MESSAGE, nullptr, SoundWindowClassName, nullptr) != nullptr;
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    f.PrivateBytes = static_cast<long long>(memory.PagefileUsage);
    return f;
}

// Opening and closing again and again leaves the process as it was, once
// the first few times have loaded the drivers and grown the heaps.
void ExpectReopeningLeavesNothing(Tone& tone)
{
    auto cycles = [&](int count) {
        for (int i = 0; i < count; ++i) {
            OpenSoundOut(FillTone, &tone);
            PumpMessages(2, [] { return false; });
            CloseSoundOut();
        }
        PumpMessages(20, [] { return false; });
    };
    cycles(10);
    const Footprint before = Measure();
    cycles(40);
    const Footprint after = Measure();
    EXPECT_TRUE(after.Handles == before.Handles && !after.Window);
    // An open device left behind costs about a megabyte; the heaps grow by
    // a megabyte now and then of their own.
    EXPECT_LT(after.PrivateBytes - before.PrivateBytes, 4 << 20);
}

TEST(SoundOut, PcmSamplesHeldAtFullScale)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const struct {
        float Sample;
        short Pcm;
    } wants[] = {{0.0f, 0},       {0.5f, 16384},   {-0.5f, -16384}, {0.99999f, 32767}, {1.0f, 32767}, {1.5f, 32767},
                 {-1.0f, -32767}, {-7.0f, -32767}, {inf, 32767},    {-inf, -32767},    {nan, 0},      {1e-6f, 0}};
    for (const auto& w : wants) {
        EXPECT_EQ(PcmSample(w.Sample), w.Pcm) << w.Sample;
    }
}

// Primed with every buffer, each refilled from the tone as it comes back.
TEST(SoundOut, PlaysThroughANullDevice)
{
    if (!DeviceIs("null")) {
        GTEST_SKIP() << "needs HOME with a null ALSA device and QSB_SOUND_DEVICE=null (ctest sets both)";
    }
    ASSERT_GT(waveOutGetNumDevs(), 0u);
    Tone tone{};
    const SoundOutState start = SoundOut;
    OpenSoundOut(FillTone, &tone);
    EXPECT_TRUE(SoundOut.State == SoundState::Playing && std::strcmp(SoundStatusText(), "sound on") == 0);
    EXPECT_EQ(SoundOut.BuffersWritten - start.BuffersWritten, SoundBufferCount);
    PumpMessages(3000, [&] { return SoundOut.BuffersDone - start.BuffersDone >= 5LL * SoundBufferCount; });
    EXPECT_GE(SoundOut.BuffersDone - start.BuffersDone, 5 * SoundBufferCount);
    EXPECT_EQ(SoundOut.BuffersWritten - SoundOut.BuffersDone, SoundBufferCount);  // every one back is refilled
    EXPECT_EQ(tone.Pulled, (SoundOut.BuffersWritten - start.BuffersWritten) * SoundBufferSamples);
    EXPECT_EQ(tone.Pulled, SoundOut.SamplesPulled - start.SamplesPulled);

    CloseSoundOut();
    EXPECT_TRUE(SoundOut.State == SoundState::Off && SoundStatusText()[0] == '\0');
    ExpectReopeningLeavesNothing(tone);
}

// Silent, saying so, pulling nothing; and the next try is silent again.
TEST(SoundOut, SilentWithoutADevice)
{
    if (!DeviceIs("no")) {
        GTEST_SKIP() << "needs an empty HOME and QSB_SOUND_DEVICE=no (ctest sets both)";
    }
    ASSERT_EQ(waveOutGetNumDevs(), 0u);
    Tone tone{};
    for (int attempt = 0; attempt < 2; ++attempt) {
        OpenSoundOut(FillTone, &tone);
        EXPECT_TRUE(SoundOut.State == SoundState::Silent &&
                    std::strcmp(SoundStatusText(), "no sound device: silent") == 0);
        PumpMessages(50, [] { return false; });
        CloseSoundOut();
        EXPECT_TRUE(SoundOut.State == SoundState::Off && SoundStatusText()[0] == '\0');
    }
    EXPECT_EQ(tone.Pulled, 0);
    ExpectReopeningLeavesNothing(tone);
}

}  // namespace
