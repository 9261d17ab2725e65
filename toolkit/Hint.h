// Hints on screen: each form has one tooltip window, and every control of the form with a hint
// is a tool of it. A control without a Hint of its own shows its parent's. The tip asks for its
// text each time it shows and again when a Hint on the way is assigned while it is up, so it
// always shows the current hint; a "\r" in a hint starts a new line. Nothing shows while
// Application.ShowHint is off (checked when a tip shows) or the control's ShowHint() is false.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "toolkit/Control.h"

namespace tk {

class HintWindow : public Control {
public:
    HintWindow() = default;
    ~HintWindow() override;
    void Create(HWND owner);

    // Hands a mouse message that reached window (the control's own window or, for a disabled
    // child, its parent's) over to the tooltip.
    void Relay(Control& c, HWND window, UINT msg, WPARAM wp, LPARAM lp);
    // The control whose tip is showing now, if any.
    Control* Shown() const;
    // Shows the current text of the tip that is up (or takes it down when none is left).
    void Refresh();
    // The text last handed to the tooltip, as drawn (line breaks as "\r\n").
    const std::string& LastText() const { return text_; }

    bool HandleNotify(NMHDR* nm, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    struct Tool {
        HWND window, control;
        bool own;  // a tool by the window's handle, else a rectangle of window
    };
    TTTOOLINFOA ToolOf(const Tool& t) const;
    void AddTool(Control& c, HWND window);
    bool CurrentTool(TTTOOLINFOA& ti) const;
    HWND owner_ = nullptr;
    std::vector<Tool> tools_;
    std::string text_;
    std::wstring wtext_;
};

// The hint a control shows: its own, else the nearest parent's.
const std::string& HintOf(const Control* c);
// A hint as the tip draws it: every line break becomes "\r\n".
std::string TipText(const std::string& hint);
// The control that owns a tool window (a combo box's edit field belongs to the combo box).
Control* HintOwner(HWND h);
// Called by every control for its mouse messages.
void RelayHint(Control& c, HWND window, UINT msg, WPARAM wp, LPARAM lp);
// Re-reads the tip that is up anywhere in the program (after a show-hint switch changed).
void RefreshShownHint();

}  // namespace tk
