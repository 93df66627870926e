#include "win32/receiver_sound.h"

#include "model/sound_generator.h"
#include "model/viewer_state.h"
#include "win32/sound_out.h"

static SoundGenerator Generator;

// Called on the message loop's thread, as the frames are: no locking.
static void FillFromGenerator(void* context, float* samples, int count)
{
    FillSound(*static_cast<SoundGenerator*>(context), samples, count);
}

void SyncSound()
{
    if (Viewer.SoundOn && SoundOut.State == SoundState::Off) {
        Generator = StartSoundGenerator(SoundRate);
        SetSoundLevel(Generator, Viewer.Signal);
        OpenSoundOut(FillFromGenerator, &Generator);
    } else if (!Viewer.SoundOn && SoundOut.State != SoundState::Off) {
        CloseSoundOut();
    }
}

void FeedSoundLevel()
{
    if (SoundOut.State == SoundState::Playing) {
        SetSoundLevel(Generator, Viewer.Signal);
    }
}
