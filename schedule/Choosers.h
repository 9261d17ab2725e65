// The sound and picture choosers as the editors use them: each run makes a chooser of its own,
// presets it, shows it modally, copies the choice out and frees it at once, so one window can
// never free or replace a chooser that another window is still showing.
#pragma once
#include <functional>
#include <string>

#include "toolkit/Form.h"

namespace entry {

// The sound chooser, centred, on preset (when that file exists; otherwise where the folder list
// starts). Returns the file selected when it closed, or empty.
std::string ChooseSound(const std::string& preset);
// The picture chooser at the owner's top-left corner, on preset when that file exists, with
// caption when one is given. Returns the path it shows when it closed, or empty.
std::string ChoosePicture(tk::Form& owner, const std::string& preset, const std::string& caption = "");

// Test seam: while set, the hook sees each chooser after it was preset and before its modal run;
// it may choose a file and must make the run end (post a click or WM_CLOSE).
void SetChooserHookForTest(std::function<void(tk::Form& chooser)> hook);

}  // namespace entry
