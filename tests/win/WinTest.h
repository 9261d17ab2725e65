// Helpers for tests that drive windows in-process.
#pragma once
#include <windows.h>

#include "toolkit/Application.h"

namespace wintest {

// Lets queued messages (paints, posted frees, timers due) run.
inline void Pump(int rounds = 3) {
    for (int i = 0; i < rounds; ++i) {
        tk::Application.ProcessMessages();
        Sleep(1);
    }
    tk::Application.Terminated = false;
}

}  // namespace wintest
