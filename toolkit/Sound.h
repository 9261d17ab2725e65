// Built-in sound cues: WAVE images stored in the program's own resources, played from memory.
#pragma once
#include <functional>
#include <string>

namespace tk {

// Plays the WAVE image stored as RCDATA under name (looked up ignoring case) in the program's
// module, straight from the loaded image. Asynchronous: returns at once and a new sound cuts off
// the one still playing. Synchronous: returns when the sound has played. False when the resource
// is missing or the sound device refuses; never raises.
bool PlayResourceWave(const std::string& name, bool sync = false);
// Cuts off an asynchronous sound still playing.
void StopResourceWave();

// Plays a WAVE image made in memory and returns when it has played; name is what the test seam
// is told. False when the sound device refuses.
bool PlayWaveImage(const std::string& name, const std::string& image);

// True when the program's module holds the resource.
bool ResourceWaveExists(const std::string& name);

struct SoundCall {
    std::string name;
    bool sync;
};
// Test seam: while set, a sound whose resource exists is handed to the hook instead of played.
void SetSoundHookForTest(std::function<void(const SoundCall&)> hook);

}  // namespace tk
