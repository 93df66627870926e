#include "win32/sound_out.h"

#include "model/sound_generator.h"

#include <windows.h>

#include <mmsystem.h>

SoundOutState SoundOut;

static HWAVEOUT Device;
static HWND CallbackWindow;
static SoundFill Fill;
static void* FillContext;
static const char* SilentReason = "";
static WAVEHDR Headers[SoundBufferCount];
static short Pcm[SoundBufferCount][SoundBufferSamples];
static float Samples[SoundBufferSamples];
static int Queued;  // buffers with the device

// A device that plays faster than real time (Wine's null device takes 2.7 s
// of sound a second) would have the generator, and this thread's messages,
// run as fast. A buffer that comes back while the sound written runs too
// far ahead of the clock waits, and the held buffers go back together once
// the clock allows them all. The hundredth of the time that is also allowed
// keeps a real device whose clock runs a little fast from ever being held.
constexpr UINT_PTR HoldTimerId = 1;
static LARGE_INTEGER ClockStart, ClockFrequency;
static long long SamplesWritten;
static WAVEHDR* Held[SoundBufferCount];
static int HeldCount;

// How many milliseconds the sound written runs ahead of the clock, beyond
// what it may.
static double MsTooFarAhead(long long samplesToWrite)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const double elapsedMs =
        1000.0 * static_cast<double>(now.QuadPart - ClockStart.QuadPart) / static_cast<double>(ClockFrequency.QuadPart);
    const double writtenMs = 1000.0 * static_cast<double>(SamplesWritten + samplesToWrite) / SoundRate;
    return writtenMs - elapsedMs - (SoundAheadLimitMs + elapsedMs / 100);
}

// Refills a buffer from the callback and hands it to the device; a device
// that refuses it leaves the output silent once none is queued.
static void Queue(WAVEHDR& header)
{
    Fill(FillContext, Samples, SoundBufferSamples);
    short* pcm = reinterpret_cast<short*>(header.lpData);
    for (int i = 0; i < SoundBufferSamples; ++i) {
        pcm[i] = PcmSample(Samples[i]);
    }
    if (waveOutWrite(Device, &header, sizeof header) == MMSYSERR_NOERROR) {
        SamplesWritten += SoundBufferSamples;
        ++SoundOut.BuffersWritten;
        ++Queued;
    } else if (Queued == 0) {
        SoundOut.State = SoundState::Silent;
        SilentReason = "sound device failed: silent";
    }
}

static void QueueHeld(HWND window)
{
    KillTimer(window, HoldTimerId);
    while (HeldCount > 0 && SoundOut.State == SoundState::Playing) {
        Queue(*Held[--HeldCount]);
    }
}

// A buffer comes back played, or handed back by waveOutReset when the
// output closes: only a playing output refills it.
static LRESULT CALLBACK SoundWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MM_WOM_DONE:
        if (SoundOut.State == SoundState::Playing && reinterpret_cast<HWAVEOUT>(wParam) == Device) {
            --Queued;
            ++SoundOut.BuffersDone;
            Held[HeldCount++] = reinterpret_cast<WAVEHDR*>(lParam);
            const double wait = MsTooFarAhead(static_cast<long long>(HeldCount) * SoundBufferSamples);
            if (wait <= 0) {
                QueueHeld(window);
            } else if (HeldCount == 1) {
                SetTimer(window, HoldTimerId, static_cast<UINT>(wait < 1000 ? wait : 1000) + 1, nullptr);
            }
        }
        return 0;
    case WM_TIMER: QueueHeld(window); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND CreateCallbackWindow()
{
    static ATOM registered = 0;
    if (registered == 0) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = SoundWndProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = SoundWindowClassName;
        registered = RegisterClassExA(&windowClass);
    }
    return CreateWindowExA(0, SoundWindowClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

static bool OpenDevice()
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = SoundRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = SoundRate * 2;
    CallbackWindow = CreateCallbackWindow();
    if (CallbackWindow == nullptr) {
        return false;
    }
    if (waveOutOpen(&Device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(CallbackWindow), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        Device = nullptr;
        return false;
    }
    for (int i = 0; i < SoundBufferCount; ++i) {
        Headers[i] = WAVEHDR{};
        Headers[i].lpData = reinterpret_cast<LPSTR>(Pcm[i]);
        Headers[i].dwBufferLength = sizeof Pcm[i];
        if (waveOutPrepareHeader(Device, &Headers[i], sizeof Headers[i]) != MMSYSERR_NOERROR) {
            return false;
        }
    }
    return true;
}

// Every buffer back from the device before it is unprepared and closed.
static void CloseDevice()
{
    if (Device != nullptr) {
        waveOutReset(Device);
        for (WAVEHDR& header : Headers) {
            if ((header.dwFlags & WHDR_PREPARED) != 0) {
                waveOutUnprepareHeader(Device, &header, sizeof header);
            }
        }
        waveOutClose(Device);
        Device = nullptr;
    }
    if (CallbackWindow != nullptr) {
        DestroyWindow(CallbackWindow);  // the device's late messages go with it
        CallbackWindow = nullptr;
    }
    Queued = 0;
}

void OpenSoundOut(SoundFill fill, void* context)
{
    if (SoundOut.State != SoundState::Off) {
        return;
    }
    Fill = fill;
    FillContext = context;
    if (!OpenDevice()) {
        CloseDevice();
        SoundOut.State = SoundState::Silent;
        SilentReason = "no sound device: silent";
        return;
    }
    SoundOut.State = SoundState::Playing;
    QueryPerformanceFrequency(&ClockFrequency);
    QueryPerformanceCounter(&ClockStart);
    SamplesWritten = 0;
    HeldCount = 0;
    for (int i = 0; i < SoundBufferCount && SoundOut.State == SoundState::Playing; ++i) {
        Queue(Headers[i]);
    }
}

void CloseSoundOut()
{
    SoundOut.State = SoundState::Off;
    CloseDevice();
}

const char* SoundStatusText()
{
    switch (SoundOut.State) {
    case SoundState::Off: return "";
    case SoundState::Playing: return "sound on";
    case SoundState::Silent: return SilentReason;
    }
    return "";
}
