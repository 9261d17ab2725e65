// Top-level windows: modeless and modal forms with the close protocol, borders, topmost and tool
// window styles, dropped files and position restore kept on screen.
#pragma once
#include <utility>

#include "toolkit/Control.h"

namespace tk {

class HintWindow;

// The work area of the monitor at `at`, without the task bar that Wine's desktop leaves inside it:
// where the program places a menu or a box.
RECT WorkAreaAt(POINT at);

enum class Border { Sizeable, Single, Dialog, None, ToolWindow, SizeToolWin };
enum class CloseAction { None, Hide, Free, Minimize };
enum ModalResults { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

struct FormParams {
    std::string caption{};
    int left = -1, top = -1;  // -1: centred on the screen
    int width = 400, height = 300;
    Border border = Border::Sizeable;
    bool topmost = false;
    bool maximizeBox = true;
    bool minimizeBox = true;
    TColor color = clBtnFace;
    std::optional<TFont> font{};
    bool acceptFiles = false;
    bool clientSize = false;  // width and height give the client area
};

class Form : public Control {
public:
    explicit Form(const FormParams& p);
    ~Form() override;

    // OnShow and OnHide run for the form's own showing and hiding, not when it follows its owner
    // being minimised or restored.
    std::function<void()> OnShow, OnHide, OnActivate, OnDeactivate, OnDestroy;
    std::function<void(CloseAction&)> OnClose;
    std::function<void(bool&)> OnCloseQuery;
    // Saves what the user typed into the form, saying nothing itself: empty when it is saved or
    // there is nothing to save, else the message that says what could not be saved. A close whose
    // save fails keeps the form, and what was typed, and says so; the program's end asks the user
    // about it (TApplication::SaveWork).
    std::function<std::string()> OnSave;
    std::function<void(const std::vector<std::string>&)> OnDropFiles;
    std::function<void(TCanvas&)> OnPaint;
    // Key presses checked before the focused control sees them (menu shortcuts).
    std::vector<std::function<bool(WORD key, int shift)>> ShortCuts;
    bool DialogKeys = true;  // Tab moves the focus between controls
    int ModalResult = mrNone;
    std::function<void()> ClearRef;  // clears the global that holds this form

    // For the main form, ends the program (TApplication::Quit).
    void Close();
    // True while the form reads what it shows: from its making until its constructor is done
    // (CreateForm) or it is first shown, during its show handler, and while a Loading lives. The
    // program's end never saves a form whose load is not finished: what it holds is not yet what
    // its files hold. A load that shows a box sets the form's state (locked, read-only) first.
    bool IsLoading() const { return loading_ > 0; }
    // Inside its show handler: on its way onto the screen, not there yet.
    bool InShowHandler() const { return inShow_; }
    class Loading {
    public:
        explicit Loading(Form& f) : form_(f) { ++form_.loading_; }
        ~Loading() { form_.EndLoad(); }
        Loading(const Loading&) = delete;
        Loading& operator=(const Loading&) = delete;

    private:
        Form& form_;
    };
    // Ends the first load (the constructor is done).
    void Loaded() {
        if (std::exchange(firstLoad_, false)) EndLoad();
    }
    // The close query and the close step, as every close runs them: what the form writes about
    // itself there is kept when the settings file cannot be written, never a reason to stay.
    bool CloseQuery();
    CloseAction CloseStep(CloseAction action);
    // Runs OnSave; a failure is said over the form and gives false.
    bool SaveOrSay();
    int ShowModal();
    bool IsModal() const { return modal_; }
    // Frees the form once the current message is done (never inside its own handler).
    void Release();
    // Runs the destroy step and deletes the form now.
    void Destroy();
    // Showing also restores a minimised form (and the program's window it went down with).
    void SetVisible(bool v) override;
    void SetTopmost(bool on);
    void SetBorderIcons(bool maximize, bool minimize);
    // Brings the form to the front and activates it.
    void BringForward();
    // Down in the task bar: minimised itself, or hidden with the program's minimised window.
    bool Minimized() const;
    // Moves to a stored position, pulled back onto the screen; a shown, minimised form is restored.
    void RestorePosition(int left, int top);
    void SetClientSize(int w, int h);
    bool IsShortCut(WORD key, int shift);
    // The form's one tooltip, made when a hinted control first sees the mouse.
    HintWindow& Hints();
    bool HasHints() const { return hints_ != nullptr; }

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(TCanvas& c) override {
        if (OnPaint) OnPaint(c);
    }

private:
    std::unique_ptr<HintWindow> hints_;
    bool modal_ = false;
    int loading_ = 1;
    bool inShow_ = false;
    bool firstLoad_ = true;
    bool destroying_ = false;
    bool releasePending_ = false;
    bool withOwner_ = false;        // inside a show or hide that follows the owner
    bool hiddenWithOwner_ = false;  // out of sight because the owner is minimised
    void RestoreOwner();  // the owner minimised with the form restored
    // One load less; a release asked for meanwhile is queued now, so that no form is freed while
    // its load is still on the stack (its box's loop runs the queue).
    void EndLoad();
    // Tells this form from a later one made at the same address, for a release still queued.
    unsigned serial_;
    friend class TApplication;
};

}  // namespace tk
