// The receiver's sound, the page's side: whether it is on, and the level of
// the frame just drawn, which the page passes to the generator playing in
// the audio thread (qsb_web_sound_wasm.cpp) once a frame.
#include "model/viewer_state.h"

extern "C" {

// Whether the sound is on (A, or off with the receiver): the page's audio follows it.
int qsb_sound_on() { return Viewer.SoundOn; }

// The receiver's signal at the last frame: its paths (0: none, hiss alone)
// and its coherent level in dB. A paused drift gives the same signal, so
// the level holds.
int qsb_sound_paths() { return Viewer.Signal.Paths; }
double qsb_sound_db() { return Viewer.Signal.SignalDb; }

}  // extern "C"
