// The application object: title, hidden owner window with the task-bar button, activation events,
// the message loop, deferred freeing of closed forms, and the last-resort error box.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tk {

class Control;
class Form;

class TApplication {
public:
    HWND Handle = nullptr;  // hidden owner window of every form; carries the task-bar button
    HINSTANCE Instance = nullptr;
    Form* MainForm = nullptr;
    bool Terminated = false;
    bool Active = false;
    std::function<void()> OnActivate, OnDeactivate;
    std::function<void(const std::string&)> OnHint;
    std::string Hint;  // the hint of the control under the mouse (its own or its parent's)
    bool ShowHint = true;  // off: no control shows its hint as a tip

    void Initialize();
    std::string Title() const { return title_; }
    void SetTitle(const std::string& t);
    // Creates a form into its global; the global is cleared when the form is freed. Arguments
    // go to the form's constructor. A constructor that throws leaves nothing behind: the global
    // holds what it held before, the forms made meanwhile are destroyed and the application's
    // hooks are as they were; the exception goes on to the caller.
    template <class T, class... Args>
    T* CreateForm(T*& ref, Args&&... args) {
        T* before = ref;
        CreationMark mark = MarkCreation();
        T* f;
        try {
            f = new T(std::forward<Args>(args)...);
        } catch (...) {
            // A form may publish itself in its global early; by now it is freed.
            if (ref != before) ref = nullptr;
            UndoCreation(mark);
            throw;
        }
        ref = f;
        f->Loaded();
        T** slot = &ref;
        // A newer form may hold the global by the time this one is freed.
        f->ClearRef = [slot, f] {
            if (*slot == f) *slot = nullptr;
        };
        if (!MainForm) MainForm = ref;
        return ref;
    }
    // The one way the program ends (the main form's close, every 終了 command, the mini clock's
    // close): the main form's close query, the work saved (SaveWork), its close step, then the
    // loop ends. False when the end did not come (the user chose 中止, or an end is already
    // asking): every window then stays as it was.
    bool Quit();
    // Runs the message loop until Terminate or the main form closes. Shows no form by itself.
    void Run();
    void Terminate();
    void ProcessMessages();
    void Dispatch(MSG& msg);
    // Error box for an exception that reached a window procedure.
    void HandleException(const std::string& message);
    // Frees the form after the current message has been handled.
    void ReleaseForm(Form* f);
    // Destroys every live form (end of the program), running their destroy steps.
    void DestroyForms();
    // Saves the user's work before the program or the Windows session ends: every form's OnSave
    // first, then the other work in EndSavers, each as OnSave (empty when saved, else the message).
    // Everything that can be saved is saved before anything is asked. A form still loading
    // (Form::IsLoading) is not saved. For each save that failed
    // the user then chooses: try again, end without it, or keep the program running (false).
    // forced: the end comes whatever is answered (WM_ENDSESSION), so nothing is asked.
    bool SaveWork(bool forced);
    std::vector<std::function<std::string()>> EndSavers;
    // Set once the program or the session is really ending and the work was saved.
    bool Ending = false;

    // Menu and accelerator commands arrive as WM_COMMAND ids.
    UINT AddCommand(std::function<void()> fn);
    void RemoveCommand(UINT id);
    bool DispatchCommand(UINT id);
    std::function<bool(DRAWITEMSTRUCT*)> MenuDrawHook;
    std::function<bool(MEASUREITEMSTRUCT*)> MenuMeasureHook;
    bool DrawMenuItem(DRAWITEMSTRUCT* di) { return MenuDrawHook && MenuDrawHook(di); }
    bool MeasureMenuItem(MEASUREITEMSTRUCT* mi) { return MenuMeasureHook && MenuMeasureHook(mi); }

    void ShowHintFor(Control* c);
    void NotifyActivateApp(bool active);
    // Modeless dialogs (find/replace) that need IsDialogMessage.
    std::vector<HWND> DialogWindows;
    std::vector<Form*> Forms;  // live forms in creation order

    Form* ActiveForm() const;
    // The task-bar button is the owner window's; hiding it leaves the program without one.
    void SetTaskButton(bool show);

private:
    struct CreationMark {
        unsigned newestForm;
        std::function<void()> onActivate, onDeactivate;
        std::function<void(const std::string&)> onHint;
        std::function<bool(DRAWITEMSTRUCT*)> menuDraw;
        std::function<bool(MEASUREITEMSTRUCT*)> menuMeasure;
    };
    CreationMark MarkCreation() const;
    void UndoCreation(const CreationMark& mark);
    std::string title_ = "Orbal98";
    std::map<UINT, std::function<void()>> commands_;
    UINT nextCommand_ = 0x2000;
    bool inErrorBox_ = false;
    bool workSaved_ = false;  // the end's saves are done (or the user chose to end without them)
    bool quitting_ = false;   // inside Quit
    bool showTaskButton_ = true;
    static LRESULT CALLBACK AppProc(HWND, UINT, WPARAM, LPARAM);
};

extern TApplication Application;

// A new message-only window of a class registered on first use (timers, codec messages).
HWND CreateMessageWindow(const char* className, WNDPROC proc);

// Posted to the application window to free a closed form.
constexpr UINT WM_ORBAL_RELEASE = WM_APP + 0x100;

}  // namespace tk
