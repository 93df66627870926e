// The receiver's sound, the audio thread's side: the core's generator alone,
// built as a WebAssembly module of its own (qsb_sound.wasm, no imports) that
// the page's AudioWorklet runs. Making the samples where they are played
// means no stall of the page's thread can leave the output without them; the
// page only posts a level once a frame.
#include "model/sound_generator.h"

namespace {

// The most asked for at once: a frame's worth at the highest rate (the
// worklet asks for one render quantum, 128 samples, at a time).
constexpr int SoundBlockCapacity = 19200;
static_assert(SoundBlockCapacity >= static_cast<int>(MaxSampleRate * SoundSecondsPerFrame), "a frame at any rate");

SoundGenerator Generator{};  // no dynamic initialiser: the worklet starts it
float Block[SoundBlockCapacity];

}  // namespace

extern "C" {

// A fresh generator at the context's rate, silent until a level comes.
// Returns the rate it runs at: a rate outside 8 ... 192 kHz is held at the
// nearer end, which the worklet must not play at the context's rate.
double qsb_sound_start(double sampleRate)
{
    Generator = StartSoundGenerator(sampleRate);
    return Generator.SampleRate;
}

// A frame's level: the tone ramps there from where it is.
void qsb_sound_level(int paths, double signalDb)
{
    ReceiverSignal signal{};
    signal.Paths = paths;
    signal.SignalDb = signalDb;
    SetSoundLevel(Generator, signal);
}

// The next count samples (at most SoundBlockCapacity), in a block the
// worklet copies before the next call.
const float* qsb_sound_fill(int count)
{
    FillSound(Generator, Block, count < 0 ? 0 : count > SoundBlockCapacity ? SoundBlockCapacity : count);
    return Block;
}

}  // extern "C"
