#include "toolkit/Sound.h"

#include <windows.h>
#include <mmsystem.h>

namespace tk {

static std::function<void(const SoundCall&)> gHook;

void SetSoundHookForTest(std::function<void(const SoundCall&)> hook) { gHook = std::move(hook); }

// The image stays mapped as long as the module is loaded, so an asynchronous sound may keep
// playing from it after we return.
static const void* FindWave(const std::string& name) {
    if (name.empty()) return nullptr;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, name.c_str(), RT_RCDATA);
    if (!res) return nullptr;
    HGLOBAL loaded = LoadResource(module, res);
    return loaded ? LockResource(loaded) : nullptr;
}

bool ResourceWaveExists(const std::string& name) { return FindWave(name) != nullptr; }

bool PlayResourceWave(const std::string& name, bool sync) {
    const void* wave = FindWave(name);
    if (!wave) return false;
    if (gHook) {
        gHook({name, sync});
        return true;
    }
    UINT flags = SND_MEMORY | SND_NODEFAULT | (sync ? SND_SYNC : SND_ASYNC);
    return sndPlaySoundA(static_cast<LPCSTR>(wave), flags) != FALSE;
}

bool PlayWaveImage(const std::string& name, const std::string& image) {
    if (image.empty()) return false;
    if (gHook) {
        gHook({name, true});
        return true;
    }
    return sndPlaySoundA(image.data(), SND_MEMORY | SND_NODEFAULT | SND_SYNC) != FALSE;
}

void StopResourceWave() {
    if (!gHook) sndPlaySoundA(nullptr, 0);
}

}  // namespace tk
