#include "toolkit/Dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <dlgs.h>

#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/rtl/SysUtils.h"

namespace tk {

static std::function<bool(CommonDialog&)>& Hook() {
    static std::function<bool(CommonDialog&)> hook;
    return hook;
}

void SetDialogHookForTest(std::function<bool(CommonDialog&)> hook) { Hook() = std::move(hook); }

bool CommonDialog::Execute() {
    if (Hook()) return Hook()(*this);
    Form* f = Application.ActiveForm();
    return Run(f ? f->Handle : Application.Handle);
}

std::string FilterForApi(const std::string& filter) {
    std::string s = filter;
    for (size_t i = rtl::SjisFind(s, '|'); i != std::string::npos; i = rtl::SjisFind(s, '|', i + 1)) s[i] = '\0';
    s.append(2, '\0');
    return s;
}

bool OpenDialog::Run(HWND owner) {
    static const struct {
        int option;
        DWORD flag;
    } kFlags[] = {{ofReadOnly, OFN_READONLY},         {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
                  {ofHideReadOnly, OFN_HIDEREADONLY}, {ofPathMustExist, OFN_PATHMUSTEXIST},
                  {ofFileMustExist, OFN_FILEMUSTEXIST}, {ofCreatePrompt, OFN_CREATEPROMPT},
                  {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN}};
    std::string filter = FilterForApi(Filter);
    char file[MAX_PATH * 4] = {};
    lstrcpynA(file, FileName.c_str(), sizeof file);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = FilterIndex;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    // The process's current folder stays where it was: relative paths elsewhere depend on it.
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    for (auto& k : kFlags)
        if (Options & k.option) ofn.Flags |= k.flag;
    bool ok = Kind() == DialogKind::Save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok) return false;
    FileName = file;
    FilterIndex = (int)ofn.nFilterIndex;
    if (ofn.Flags & OFN_READONLY) Options |= ofReadOnly;
    else Options &= ~ofReadOnly;
    return true;
}

bool ColorDialog::Run(HWND owner) {
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) custom[i] = ColorToRGB(CustomColors[i]);
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = ColorToRGB(Color);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | (FullOpen ? CC_FULLOPEN : 0);
    bool ok = ChooseColorA(&cc);
    for (int i = 0; i < 16; ++i) CustomColors[i] = (TColor)custom[i];  // edited colours stay, as in the dialog
    if (ok) Color = (TColor)cc.rgbResult;
    return ok;
}

bool FontDialog::Run(HWND owner) {
    LOGFONTA lf{};
    lf.lfHeight = Font.Height();
    lf.lfWeight = (Font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Font.Style & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (Font.Style & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (Font.Style & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, Font.Name.c_str(), LF_FACESIZE);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    cf.rgbColors = ColorToRGB(Font.Color);
    if (!ChooseFontA(&cf)) return false;
    Font.Name = lf.lfFaceName;
    Font.Size = cf.iPointSize / 10;
    Font.Style = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
                 (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0);
    // An unchanged colour keeps its system-colour value.
    if (cf.rgbColors != ColorToRGB(Font.Color)) Font.Color = (TColor)cf.rgbColors;
    return true;
}

// ---- print dialog ----

// A movable global copy of bytes, as the print dialog takes and gives its settings.
static HGLOBAL GlobalCopy(const void* data, size_t size) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!h) return nullptr;
    memcpy(GlobalLock(h), data, size);
    GlobalUnlock(h);
    return h;
}

bool PrintDialog::Run(HWND owner) {
    TPrinter& printer = Printer();
    std::string name = printer.PrinterName();
    // The dialog opens on the printer and settings chosen last time.
    const std::string driver = "winspool";
    DEVNAMES head{};
    head.wDriverOffset = sizeof head;
    head.wDeviceOffset = (WORD)(head.wDriverOffset + driver.size() + 1);
    head.wOutputOffset = (WORD)(head.wDeviceOffset + name.size() + 1);
    std::string names((const char*)&head, sizeof head);
    names += driver + '\0' + name + '\0' + '\0';
    std::string dm = printer.DevModeFor(name);
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevNames = name.empty() ? nullptr : GlobalCopy(names.data(), names.size());
    pd.hDevMode = dm.empty() ? nullptr : GlobalCopy(dm.data(), dm.size());
    pd.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
    pd.nCopies = 1;
    bool ok = PrintDlgA(&pd);
    if (ok && pd.hDevNames) {
        auto* chosen = (const DEVNAMES*)GlobalLock(pd.hDevNames);
        std::string device = (const char*)chosen + chosen->wDeviceOffset;
        GlobalUnlock(pd.hDevNames);
        std::string mode;
        if (pd.hDevMode) {
            auto* m = (const DEVMODEA*)GlobalLock(pd.hDevMode);
            mode.assign((const char*)m, m->dmSize + m->dmDriverExtra);
            GlobalUnlock(pd.hDevMode);
        }
        printer.SetDevice(device, mode);
    }
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    return ok;
}

// ---- end of print dialog ----

// ---- folder dialog ----

namespace {

struct FolderBrowse {
    std::string start, current, shown, typed;  // shown: what the field says for the selection
    HWND field = nullptr;
    WNDPROC dialogProc = nullptr;
};
FolderBrowse* gBrowse = nullptr;  // the dialog is modal: one at a time

// A folder path as the dialog hands it on: no trailing "\" except on a drive root.
std::string FolderPath(const std::string& p) { return rtl::ExtractFileDir(rtl::IncludeTrailingBackslash(p)); }

// A name typed into the field: a full path, or a folder inside the selected one; made when
// missing. False, after a message, when it cannot be made.
bool TakeTypedFolder(HWND dlg, FolderBrowse& b, const std::string& text) {
    bool full = text.size() >= 2 && (text[1] == ':' || (text[0] == '\\' && text[1] == '\\'));
    std::string p = full ? text : rtl::IncludeTrailingBackslash(b.current) + text;
    if ((!full && b.current.empty()) || (!DirectoryExists(p) && !ForceDirectories(p))) {
        MessageDlg(dlg, "フォルダ「" + text + "」を作成できません。", "フォルダの選択", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    b.typed = FolderPath(p);
    return true;
}

// The dialog does not take a typed name everywhere it runs, so OK reads the field itself.
LRESULT CALLBACK FolderDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    FolderBrowse& b = *gBrowse;
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK && b.field) {
        char buf[MAX_PATH * 2] = {};
        GetWindowTextA(b.field, buf, sizeof buf);
        std::string text = rtl::Trim(buf);
        b.typed.clear();
        // The field shows a drive's name without the blank the display name starts with.
        if (!text.empty() && text != rtl::Trim(b.shown) && !TakeTypedFolder(dlg, b, text)) return 0;
    }
    return CallWindowProcA(b.dialogProc, dlg, msg, wp, lp);
}

// The dialog's first window of a class (its field, its tree), however deep it lies.
struct ChildOfClass {
    const char* cls;
    HWND found;
};
BOOL CALLBACK FindChildOfClass(HWND h, LPARAM lp) {
    auto& c = *(ChildOfClass*)lp;
    char cls[32] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (lstrcmpiA(cls, c.cls) != 0) return TRUE;
    c.found = h;
    return FALSE;
}
HWND ChildOf(HWND dlg, const char* cls) {
    ChildOfClass c{cls, nullptr};
    EnumChildWindows(dlg, FindChildOfClass, (LPARAM)&c);
    return c.found;
}

std::string TreeText(HWND tree, HTREEITEM item) {
    char buf[MAX_PATH * 2] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buf;
    tv.cchTextMax = sizeof buf;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&tv);
    return rtl::Trim(buf);
}

// Under Wine the dialog looks for a folder by comparing each step's record, times included, with
// the one its tree took when it listed that step: a folder on the way written to meanwhile (more
// likely the slower the listing) is not found, and no later request finds it in that dialog. So
// the tree is walked by the names it shows, as far as they lead.
void SelectByNames(HWND dlg, const std::string& start) {
    HWND tree = ChildOf(dlg, WC_TREEVIEWA);
    IShellFolder* desktop = nullptr;
    LPITEMIDLIST pidl = nullptr;
    std::wstring wide(start.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, start.c_str(), -1, wide.data(), (int)wide.size()));
    if (tree && SUCCEEDED(SHGetDesktopFolder(&desktop))) {
        desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr);
        desktop->Release();
    }
    if (!pidl) return;
    HTREEITEM item = TreeView_GetRoot(tree), reached = nullptr;
    for (LPITEMIDLIST step = pidl; item && step->mkid.cb; step = ILGetNext(step)) {
        LPITEMIDLIST next = ILGetNext(step);
        USHORT rest = next->mkid.cb;
        next->mkid.cb = 0;  // the path down to this step
        SHFILEINFOA info{};
        SHGetFileInfoA((LPCSTR)pidl, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
        next->mkid.cb = rest;
        TreeView_Expand(tree, item, TVE_EXPAND);
        item = TreeView_GetChild(tree, item);
        while (item && !rtl::SameTextAscii(TreeText(tree, item), rtl::Trim(info.szDisplayName)))
            item = TreeView_GetNextSibling(tree, item);
        if (item) reached = item;
    }
    CoTaskMemFree(pidl);
    if (reached) TreeView_SelectItem(tree, reached);
}

int CALLBACK FolderBrowseProc(HWND dlg, UINT msg, LPARAM lp, LPARAM data) {
    auto* b = (FolderBrowse*)data;
    switch (msg) {
        case BFFM_INITIALIZED:
            b->field = ChildOf(dlg, "Edit");
            b->dialogProc = (WNDPROC)SetWindowLongPtrA(dlg, GWLP_WNDPROC, (LONG_PTR)FolderDialogProc);
            if (b->start.empty()) break;
            SendMessageA(dlg, BFFM_SETSELECTIONA, TRUE, (LPARAM)b->start.c_str());
            if (!rtl::SameTextAscii(FolderPath(b->current), FolderPath(b->start))) SelectByNames(dlg, b->start);
            break;
        case BFFM_SELCHANGED: {
            char path[MAX_PATH] = {};
            b->current = SHGetPathFromIDListA((LPCITEMIDLIST)lp, path) ? path : "";
            SHFILEINFOA info{};
            b->shown = SHGetFileInfoA((LPCSTR)lp, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME)
                           ? info.szDisplayName
                           : "";
            break;
        }
    }
    return 0;
}

}  // namespace

bool FolderDialog::Run(HWND owner) {
    // The dialog's new style (with its field and its new-folder button) needs COM on this thread.
    HRESULT com = OleInitialize(nullptr);
    FolderBrowse b;
    b.start = Directory;
    gBrowse = &b;
    char name[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = owner;
    bi.pszDisplayName = name;
    bi.lpszTitle = Title.empty() ? nullptr : Title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    bi.lpfn = FolderBrowseProc;
    bi.lParam = (LPARAM)&b;
    LPITEMIDLIST item = SHBrowseForFolderA(&bi);
    bool ok = false;
    if (item) {
        char path[MAX_PATH] = {};
        if (!b.typed.empty()) {
            Directory = b.typed;
            ok = true;
        } else if (SHGetPathFromIDListA(item, path) && path[0]) {
            Directory = FolderPath(path);
            ok = true;
        }
        CoTaskMemFree(item);
    }
    gBrowse = nullptr;
    if (SUCCEEDED(com)) OleUninitialize();
    return ok;
}

// ---- end of folder dialog ----

}  // namespace tk

namespace tk {

// ---- find and replace dialogs ----

static UINT FindMessage() {
    static const UINT msg = RegisterWindowMessageA(FINDMSGSTRINGA);
    return msg;
}

FindDialog::~FindDialog() {
    if (dialog_) {
        HWND d = dialog_;
        Forget();
        DestroyWindow(d);
    }
}

void FindDialog::Create(Control& form) { CreateCustom(form, 0, 0, {.visible = false}); }

void FindDialog::Forget() {
    auto& v = Application.DialogWindows;
    v.erase(std::remove(v.begin(), v.end(), dialog_), v.end());
    dialog_ = nullptr;
}

bool FindDialog::Execute() {
    if (dialog_ && !IsWindow(dialog_)) Forget();  // gone with a window it belonged to
    if (dialog_) {
        SetWindowTextA(GetDlgItem(dialog_, edt1), FindText.c_str());
        ShowWindow(dialog_, SW_SHOW);
        SetActiveWindow(dialog_);
        return true;
    }
    lstrcpynA(what_, FindText.c_str(), sizeof what_);
    std::string* with = Replacement();
    lstrcpynA(with_, with ? with->c_str() : "", sizeof with_);
    fr_ = {};
    fr_.lStructSize = sizeof fr_;
    fr_.hwndOwner = Handle;  // the dialog belongs to the form and reports here
    opened_ = Options & (FR_DOWN | FR_WHOLEWORD | FR_MATCHCASE | FR_HIDEUPDOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD);
    fr_.Flags = (DWORD)opened_;
    fr_.lpstrFindWhat = what_;
    fr_.wFindWhatLen = sizeof what_;
    fr_.lpstrReplaceWith = with_;
    fr_.wReplaceWithLen = sizeof with_;
    dialog_ = with ? ::ReplaceTextA(&fr_) : ::FindTextA(&fr_);
    if (!dialog_) return false;
    Application.DialogWindows.push_back(dialog_);
    return true;
}

void FindDialog::CloseDialog() {
    if (dialog_) PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);  // the dialog ends itself and reports it
}

void FindDialog::Received(const FINDREPLACEA& fr) {
    FindText = fr.lpstrFindWhat;
    // A choice the dialog does not show keeps what it was opened with (Wine drops a hidden
    // direction), and the hiding stays for the next opening.
    static const struct {
        int hide, choice;
    } hidden[] = {{FR_HIDEUPDOWN, FR_DOWN}, {FR_HIDEMATCHCASE, FR_MATCHCASE}, {FR_HIDEWHOLEWORD, FR_WHOLEWORD}};
    int flags = (int)fr.Flags & (FR_DOWN | FR_WHOLEWORD | FR_MATCHCASE | FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL);
    for (auto& h : hidden)
        if (opened_ & h.hide) flags = (flags & ~h.choice) | (opened_ & (h.hide | h.choice));
    Options = flags;
    if ((fr.Flags & FR_FINDNEXT) && OnFind) OnFind();
}

void ReplaceDialog::Received(const FINDREPLACEA& fr) {
    ReplaceText = fr.lpstrReplaceWith;
    FindDialog::Received(fr);
    if ((fr.Flags & (FR_REPLACE | FR_REPLACEALL)) && OnReplace) OnReplace();
}

LRESULT FindDialog::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == FindMessage() && msg) {
        const auto& fr = *(const FINDREPLACEA*)lp;
        if (fr.Flags & FR_DIALOGTERM) {
            Forget();
            if (OnClose) OnClose();
        } else {
            Received(fr);
        }
        return 0;
    }
    return Control::WndProc(msg, wp, lp);
}

// ---- end of find and replace dialogs ----

}  // namespace tk
