// The receiver's sound in the browser: the core's generator, run here in
// WebAssembly on the page's thread. The page starts it at its audio
// context's rate, hands it the receiver's level once a frame, and fills
// blocks of samples whenever the audio thread asks for more; the samples
// travel to an AudioWorklet, which plays them.
#include "model/sound_generator.h"
#include "model/viewer_state.h"

namespace {

// The most the page asks for at once: a frame's worth at the highest rate.
constexpr int SoundBlockCapacity = 19200;
static_assert(SoundBlockCapacity >= static_cast<int>(MaxSampleRate * SoundSecondsPerFrame), "a frame at any rate");

SoundGenerator Generator = StartSoundGenerator(MinSampleRate);
float Block[SoundBlockCapacity];

}  // namespace

extern "C" {

// Whether the sound is on (A, or off with the receiver): the page's audio follows it.
int qsb_sound_on() { return Viewer.SoundOn; }

// A fresh generator at the context's rate, at the receiver's level now.
// Returns the rate it runs at: a rate outside 8 ... 192 kHz is held at the
// nearer end, which the page must not play at the context's rate.
double qsb_sound_start(double sampleRate)
{
    Generator = StartSoundGenerator(sampleRate);
    SetSoundLevel(Generator, Viewer.Signal);
    return Generator.SampleRate;
}

// Once a frame, after it was drawn: the tone ramps to the frame's level. A
// paused drift gives the same signal, so the level holds.
void qsb_sound_level() { SetSoundLevel(Generator, Viewer.Signal); }

// The next count samples (at most SoundBlockCapacity, fewer if more are
// asked for), in a block the page copies before the next call.
const float* qsb_sound_fill(int count)
{
    const int n = count < 0 ? 0 : count > SoundBlockCapacity ? SoundBlockCapacity : count;
    FillSound(Generator, Block, n);
    return Block;
}

int qsb_sound_block_capacity() { return SoundBlockCapacity; }

}  // extern "C"
