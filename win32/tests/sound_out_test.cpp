// The wave-out glue under Wine. ctest runs it twice, each time with a HOME
// of its own for Wine's ALSA driver: one whose .asoundrc offers a null
// device (QSB_SOUND_DEVICE=null), and an empty one, no device at all (=no).
#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <climits>

#include "win32/sound_out.h"

namespace {

// A 700 Hz test tone at a tenth of full scale; context counts its samples.
void FillTone(void* context, float* samples, int count)
{
    static double phase = 0;
    for (int i = 0; i < count; ++i, phase += 2 * 3.141592653589793 * 700 / SoundRate) {
        samples[i] = static_cast<float>(0.1 * std::sin(phase));
    }
    *static_cast<long long*>(context) += count;
}

// Runs the thread's messages, the device's MM_WOM_DONE among them, for a
// time or until that many buffers have come back.
void Pump(DWORD milliseconds, long long buffersDone = LLONG_MAX)
{
    for (const DWORD end = GetTickCount() + milliseconds; GetTickCount() < end && SoundOut.BuffersDone < buffersDone;
         Sleep(1)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
}

// With the null device: primed with every buffer, each refilled from the
// tone as it comes back, as fast as the clock allows (the counts start at 0
// in this process). Without: silent, saying so, pulling nothing. Either
// way, opening and closing again and again (after the first few times,
// which load the drivers) leaves no handle and no window behind.
TEST(SoundOut, PlaysOrSaysWhyNot)
{
    const char* device = std::getenv("QSB_SOUND_DEVICE");
    if (device == nullptr) {
        GTEST_SKIP() << "ctest runs this with a HOME of its own and QSB_SOUND_DEVICE";
    }
    const bool null = std::strcmp(device, "null") == 0;
    auto kernelHandles = [] {  // Wine's GetProcessHandleCount answers 0
        int handles = 0;
        for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
            DWORD flags = 0;
            handles += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
        }
        return handles;
    };
    int handles = 0;
    ASSERT_EQ(waveOutGetNumDevs() > 0, null);
    long long pulled = 0;
    const DWORD start = GetTickCount();
    OpenSoundOut(FillTone, &pulled);
    EXPECT_STREQ(SoundStatusText(), null ? "sound on" : "no sound device: silent");
    Pump(null ? 3000 : 50, 5LL * SoundBufferCount);
    EXPECT_EQ(SoundOut.BuffersWritten > SoundOut.BuffersDone, null);
    EXPECT_LE(SoundOut.BuffersWritten, null ? SoundOut.BuffersDone + SoundBufferCount : 0);
    // The null device would take the sound far faster than it plays: it
    // gets it in time with the clock, neither ahead nor stalled.
    Pump(null ? 1000 : 0);
    const double elapsedMs = GetTickCount() - start, writtenMs = SoundOut.BuffersWritten * 20.0;
    if (null) {
        EXPECT_LE(writtenMs, elapsedMs * 1.01 + SoundAheadLimitMs + SoundBufferCount * 20 + 20);
        EXPECT_GE(writtenMs, elapsedMs);
    }
    EXPECT_EQ(pulled, SoundOut.BuffersWritten * SoundBufferSamples);
    CloseSoundOut();
    EXPECT_TRUE(SoundOut.State == SoundState::Off && SoundStatusText()[0] == '\0');

    for (int i = 0; i < 50; ++i) {
        if (i == 10) {
            Pump(20);
            handles = kernelHandles();
        }
        OpenSoundOut(FillTone, &pulled);
        Pump(2);
        CloseSoundOut();
    }
    Pump(20);
    EXPECT_LE(kernelHandles(), handles + 8);  // Wine's own come and go; a device left open holds 2 an opening
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, SoundWindowClassName, nullptr), nullptr);
}

}  // namespace
