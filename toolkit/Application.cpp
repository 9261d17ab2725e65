#include "toolkit/Application.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/Control.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/Hint.h"
#include "toolkit/MsgBox.h"

namespace tk {

TApplication Application;

void TApplication::Initialize() {
    if (Handle) return;
    Instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = AppProc;
    wc.hInstance = Instance;
    wc.hIcon = LoadIconA(Instance, "MAINICON");
    if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.lpszClassName = "OrbalApplication";
    RegisterClassA(&wc);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    Handle = CreateWindowExA(0, wc.lpszClassName, title_.c_str(),
                             WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, sw / 2, sh / 2, 0,
                             0, nullptr, nullptr, Instance, nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLibraryA("riched20.dll");
}

HWND CreateMessageWindow(const char* className, WNDPROC proc) {
    WNDCLASSA wc{};
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (!GetClassInfoA(inst, className, &wc)) {
        wc = {};
        wc.lpfnWndProc = proc;
        wc.hInstance = inst;
        wc.lpszClassName = className;
        RegisterClassA(&wc);
    }
    return CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
}

void TApplication::SetTitle(const std::string& t) {
    title_ = t;
    if (Handle) SetWindowTextA(Handle, t.c_str());
}

namespace {
// Inside the application's own minimise or restore, whose activations are not the task bar's.
bool gSwitching = false;

Form* FormOf(HWND h) {
    for (Form* f : Application.Forms)
        if (h && f->Handle == h) return f;
    return nullptr;
}

// The active form, else the main form, takes the activation when it is in sight.
void ActivateForm() {
    Form* f = Application.ActiveForm();
    if (!f) f = Application.MainForm;
    if (f && f->Handle && IsWindowVisible(f->Handle)) SetActiveWindow(f->Handle);
}
}  // namespace

LRESULT CALLBACK TApplication::AppProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ORBAL_RELEASE: {
            Form* f = (Form*)lp;
            auto& v = Application.Forms;
            // The form may be gone already and its address taken by a newer one: match the serial too.
            if (std::find(v.begin(), v.end(), f) != v.end() && f->serial_ == (unsigned)wp)
                Guard([&] { f->Destroy(); });
            return 0;
        }
        case WM_COMMAND:
            if (!lp && Application.DispatchCommand(LOWORD(wp))) return 0;
            break;
        case WM_ACTIVATE:
            // The task-bar button activates this window: a click while one of the forms is in front
            // minimises the program, as task-bar buttons do; else the focus goes to a form.
            if (LOWORD(wp) != WA_INACTIVE) {
                Form* was = FormOf((HWND)lp);
                if (!gSwitching && was && IsWindowVisible(was->Handle) && !IsIconic(was->Handle))
                    PostMessageA(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
                else
                    ActivateForm();
            }
            return 0;
        case WM_ACTIVATEAPP:
            Application.NotifyActivateApp(wp != 0);
            break;
        case WM_CLOSE:
            if (Application.MainForm) {
                Guard([] { Application.Quit(); });
                return 0;
            }
            break;
        case WM_QUERYENDSESSION: {
            // The user may keep the session (and the windows with what was typed) for a save
            // that failed; saved again at the end itself, since the end may still be forced.
            bool ok = false;
            Guard([&] { ok = Application.SaveWork(false); });
            Application.workSaved_ = false;
            return ok;
        }
        case WM_ENDSESSION:
            if (wp) {
                Guard([] { Application.SaveWork(true); });
                Application.Ending = true;
            }
            return 0;
        case WM_SYSCOMMAND:
            // Down and back with every form; the task bar asks for both (the forms have no buttons).
            if ((wp & 0xFFF0) == SC_MINIMIZE) {
                if (IsIconic(h)) return 0;
                gSwitching = true;
                ShowOwnedPopups(h, FALSE);
                ShowWindow(h, SW_MINIMIZE);
                // No hidden form keeps the keys.
                if (HWND a = GetActiveWindow(); a && !IsWindowVisible(a)) SetActiveWindow(h);
                gSwitching = false;
                return 0;
            }
            if ((wp & 0xFFF0) == SC_RESTORE && IsIconic(h)) {
                gSwitching = true;
                DefWindowProcA(h, msg, wp, lp);
                gSwitching = false;
                ActivateForm();
                return 0;
            }
            break;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

void TApplication::NotifyActivateApp(bool active) {
    if (active == Active) return;
    Active = active;
    Guard([&] {
        if (active && OnActivate) OnActivate();
        if (!active && OnDeactivate) OnDeactivate();
    });
}

Form* TApplication::ActiveForm() const {
    HWND a = GetActiveWindow();
    for (Form* f : Forms)
        if (f->Handle == a) return f;
    return nullptr;
}

void TApplication::Dispatch(MSG& msg) {
    NewUserStep();
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        if (Form* f = ActiveForm(); f && f->IsShortCut((WORD)msg.wParam, Control::KeyShift())) return;
    }
    for (HWND d : DialogWindows)
        if (IsWindow(d) && IsDialogMessageA(d, &msg)) return;
    if (Form* f = ActiveForm(); f && f->DialogKeys && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST &&
                                (msg.wParam == VK_TAB || msg.message == WM_SYSCHAR))
        if (IsDialogMessageA(f->Handle, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void TApplication::Run() {
    Initialize();
    if (IsWindowVisible(Handle) == FALSE && showTaskButton_) ShowWindow(Handle, SW_SHOWNOACTIVATE);
    MSG msg;
    while (!Terminated) {
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0 || r == -1) break;
        Dispatch(msg);
    }
    Terminated = true;
    // An end that did not come through the main window's close still saves what it can.
    if (!workSaved_) Guard([&] { SaveWork(true); });
    Ending = true;
    DestroyForms();
}

bool TApplication::Quit() {
    if (Terminated) return true;
    if (quitting_) return false;
    quitting_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{quitting_};
    Form* main = MainForm;
    if ((main && !main->CloseQuery()) || !SaveWork(false)) return false;
    if (main && main->CloseStep(CloseAction::Free) == CloseAction::None) return false;
    Terminate();
    return true;
}

bool TApplication::SaveWork(bool forced) {
    struct Failed {
        Form* form;  // null for an entry of EndSavers
        unsigned serial;
        size_t saver;
        std::string message;
    };
    std::vector<Failed> failed;
    // A save's own messages may run the loop, which can free a form: only live forms are asked.
    auto live = [this](Form* f, unsigned serial) {
        return std::find(Forms.begin(), Forms.end(), f) != Forms.end() && f->serial_ == serial;
    };
    auto save = [&](const Failed& w) {
        std::string message;
        Guard([&] {
            if (!w.form) message = EndSavers[w.saver]();
            else if (live(w.form, w.serial) && w.form->OnSave && !w.form->IsLoading()) message = w.form->OnSave();
        });
        return message;
    };
    std::vector<Failed> work;
    for (Form* f : Forms)
        if (f->OnSave) work.push_back({f, f->serial_, 0, {}});
    for (size_t i = 0; i < EndSavers.size(); ++i) work.push_back({nullptr, 0, i, {}});
    for (Failed& w : work) {
        w.message = save(w);
        if (!w.message.empty()) failed.push_back(w);
    }
    if (forced) {
        workSaved_ = true;
        return true;
    }
    for (Failed& w : failed) {
        while (!w.message.empty()) {
            if (w.form && !live(w.form, w.serial)) break;
            std::string who = w.form ? "「" + w.form->Caption() + "」の内容を保存できませんでした。\r" : "";
            // Other work is asked about over the main window, where the end was asked for.
            HWND over = w.form ? w.form->Handle
                        : MainForm && IsWindowVisible(MainForm->Handle) ? MainForm->Handle : nullptr;
            int answer = MessageDlg(over,
                                    who + w.message +
                                        "\r\r再試行: もう一度保存します。\r無視: 保存せずに終了します。"
                                        "\r中止: 終了をやめます。",
                                    title_, MB_ABORTRETRYIGNORE | MB_ICONERROR);
            if (answer == IDABORT) return false;
            if (answer != IDRETRY) break;
            w.message = save(w);
        }
    }
    workSaved_ = true;
    return true;
}

void TApplication::SetTaskButton(bool show) {
    showTaskButton_ = show;
    if (Handle) ShowWindow(Handle, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TApplication::Terminate() {
    if (!Terminated) PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            Terminated = true;
            break;
        }
        Dispatch(msg);
    }
}

void TApplication::HandleException(const std::string& message) {
    if (inErrorBox_) return;  // an error while the box is up must not stack boxes
    inErrorBox_ = true;
    Form* f = ActiveForm();
    MessageDlg(f ? f->Handle : nullptr, message, title_, MB_OK | MB_ICONHAND);
    inErrorBox_ = false;
}

void TApplication::ReleaseForm(Form* f) { PostMessageA(Handle, WM_ORBAL_RELEASE, f->serial_, (LPARAM)f); }

void TApplication::DestroyForms() {
    while (!Forms.empty()) {
        Form* f = Forms.back();
        Guard([&] { f->Destroy(); });
        if (!Forms.empty() && Forms.back() == f) Forms.pop_back();
    }
}

TApplication::CreationMark TApplication::MarkCreation() const {
    // Serials only grow, so a form with a higher serial than every live one is newer than the mark.
    unsigned newest = 0;
    for (Form* f : Forms) newest = std::max(newest, f->serial_);
    return {newest, OnActivate, OnDeactivate, OnHint, MenuDrawHook, MenuMeasureHook};
}

void TApplication::UndoCreation(const CreationMark& mark) {
    // The hooks first: the failed form's hooks point into freed memory, and destroying the windows
    // below moves the activation.
    OnActivate = mark.onActivate;
    OnDeactivate = mark.onDeactivate;
    OnHint = mark.onHint;
    MenuDrawHook = mark.menuDraw;
    MenuMeasureHook = mark.menuMeasure;
    std::vector<std::pair<Form*, unsigned>> made;
    for (Form* f : Forms)
        if (f->serial_ > mark.newestForm) made.push_back({f, f->serial_});
    // Newest first, as at the end of the program; one form's destroy step may take others along.
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
        auto [f, serial] = *it;
        if (std::find(Forms.begin(), Forms.end(), f) != Forms.end() && f->serial_ == serial)
            Guard([&] { f->Destroy(); });
    }
}

UINT TApplication::AddCommand(std::function<void()> fn) {
    // Ids wrap around in a long run (menus rebuilt on every resize): never hand out one still in use.
    UINT id;
    do {
        id = nextCommand_++;
        if (nextCommand_ >= 0xEFFF) nextCommand_ = 0x2000;
    } while (commands_.count(id));
    commands_[id] = std::move(fn);
    return id;
}

void TApplication::RemoveCommand(UINT id) { commands_.erase(id); }

bool TApplication::DispatchCommand(UINT id) {
    auto it = commands_.find(id);
    if (it == commands_.end()) return false;
    auto fn = it->second;  // the command may remove itself
    fn();
    return true;
}

void TApplication::ShowHintFor(Control* c) {
    if (!c || HintOf(c) == Hint) return;
    Hint = HintOf(c);
    if (OnHint) OnHint(Hint);
}

}  // namespace tk
