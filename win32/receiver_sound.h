// The receiver's signal heard: the core's sound generator behind the
// wave-out output, playing exactly while Viewer.SoundOn.
//
// Latency: a frame's level reaches the generator when the frame is painted;
// the next buffer filled (at most one buffer, 20 ms, later) starts its ramp,
// and plays after the buffers still queued (three, 60 ms): the change is
// heard at most 80 ms after the frame, complete after the ramp's 50 ms more,
// 130 ms, plus the device's own latency.
#pragma once

// Opens the output when the sound is on and closes it when it is off.
void SyncSound();

// Once a frame, after the painter worked out the receiver's signal: the
// tone's level follows it. A paused drift keeps the signal, and so the level.
void FeedSoundLevel();
