#include "schedule/Choosers.h"

#include <memory>

#include "controls/Bmp_sel.h"
#include "schedule/Pop_sel.h"
#include "toolkit/Files.h"

namespace entry {

static std::function<void(tk::Form&)>& Hook() {
    static std::function<void(tk::Form&)> hook;
    return hook;
}

void SetChooserHookForTest(std::function<void(tk::Form&)> hook) { Hook() = std::move(hook); }

// One modal run; the chooser is freed by the caller's unique_ptr as soon as the choice is copied.
static void Run(tk::Form& chooser) {
    if (Hook()) Hook()(chooser);
    chooser.ShowModal();
}

std::string ChooseSound(const std::string& preset) {
    auto chooser = std::make_unique<TForm10>();
    if (!preset.empty() && tk::FileExists(preset)) chooser->FileListBox1.SetFileName(preset);
    Run(*chooser);
    return chooser->FileListBox1.FileName();
}

std::string ChoosePicture(tk::Form& owner, const std::string& preset, const std::string& caption) {
    auto chooser = std::make_unique<TForm20>();
    if (!caption.empty()) chooser->SetCaption(caption);
    chooser->SetBounds(owner.Left(), owner.Top(), chooser->Width(), chooser->Height());
    if (!preset.empty() && tk::FileExists(preset)) chooser->FileListBox1.SetFileName(preset);
    Run(*chooser);
    return chooser->Label1.Caption();
}

}  // namespace entry
