// Common dialogs: open and save file, colour, font and print; find and replace (modeless). Execute() shows the dialog owned by the
// active form and returns true when the user confirmed; the fields hold the answer then and are
// left as they were otherwise. Tests answer through the hook instead of showing anything.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <array>
#include <functional>
#include <string>

#include "toolkit/Control.h"
#include "toolkit/Graphics.h"

namespace tk {

enum class DialogKind { Open, Save, Color, Font, Print, Folder };

class CommonDialog {
public:
    virtual ~CommonDialog() = default;
    DialogKind Kind() const { return kind_; }
    bool Execute();

protected:
    explicit CommonDialog(DialogKind k) : kind_(k) {}
    virtual bool Run(HWND owner) = 0;

private:
    DialogKind kind_;
};

enum OpenOptions {
    ofReadOnly = 1,            // the read-only box is ticked (in and out)
    ofOverwritePrompt = 2,     // save: ask before replacing an existing file
    ofHideReadOnly = 4,        // no read-only box
    ofPathMustExist = 8,
    ofFileMustExist = 16,
    ofCreatePrompt = 32,
    ofNoReadOnlyReturn = 64,
};

class OpenDialog : public CommonDialog {
public:
    OpenDialog() : CommonDialog(DialogKind::Open) {}
    // "Description|pattern|Description|pattern..."; patterns may hold several masks split by ';'.
    std::string Filter;
    int FilterIndex = 1;  // 1-based, in and out
    std::string FileName;  // in: the proposed file; out: the full path chosen
    std::string InitialDir;
    std::string DefaultExt;  // without the dot; added to a typed name that has none
    std::string Title;
    int Options = 0;  // OpenOptions bits

protected:
    explicit OpenDialog(DialogKind k) : CommonDialog(k) {}
    bool Run(HWND owner) override;
};

class SaveDialog : public OpenDialog {
public:
    SaveDialog() : OpenDialog(DialogKind::Save) {}
};

class ColorDialog : public CommonDialog {
public:
    ColorDialog() : CommonDialog(DialogKind::Color) { CustomColors.fill(clWhite); }
    TColor Color = clBlack;
    std::array<TColor, 16> CustomColors;  // kept between runs of this dialog
    bool FullOpen = false;  // the custom-colour half shows at once

protected:
    bool Run(HWND owner) override;
};

class FontDialog : public CommonDialog {
public:
    FontDialog() : CommonDialog(DialogKind::Font) {}
    TFont Font;  // name, size, style and colour, in and out

protected:
    bool Run(HWND owner) override;
};

// ---- print dialog ----
// Chooses the printer and its settings for the printer object (toolkit/Printer.h); the whole
// text is always printed, so there are no page ranges.
class PrintDialog : public CommonDialog {
public:
    PrintDialog() : CommonDialog(DialogKind::Print) {}

protected:
    bool Run(HWND owner) override;
};
// ---- end of print dialog ----

// ---- find and replace dialogs ----
// Modeless: Execute shows the dialog and returns at once; the events fire as the user presses
// its buttons. The component is a hidden child of its form that owns the dialog and receives
// its messages; while open, the dialog takes its keys through the application's message loop.
enum FindOptions : int {
    frDown = FR_DOWN, frWholeWord = FR_WHOLEWORD, frMatchCase = FR_MATCHCASE,
    frFindNext = FR_FINDNEXT, frReplace = FR_REPLACE, frReplaceAll = FR_REPLACEALL,
    frHideUpDown = FR_HIDEUPDOWN, frHideMatchCase = FR_HIDEMATCHCASE, frHideWholeWord = FR_HIDEWHOLEWORD,
};

class FindDialog : public Control {
public:
    FindDialog() = default;
    ~FindDialog() override;
    void Create(Control& form);

    std::string FindText;  // in: the text shown; out: the text searched for
    int Options = frDown;  // FindOptions; the user's choices and the button pressed come back here
    std::function<void()> OnFind, OnClose;

    // Shows the dialog, or brings it forward when it is open; false when it cannot be shown.
    bool Execute();
    void CloseDialog();
    HWND DialogHandle() const { return dialog_; }

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    // The replace dialog's replacement field; none for the find dialog.
    virtual std::string* Replacement() { return nullptr; }
    virtual void Received(const FINDREPLACEA& fr);

private:
    FINDREPLACEA fr_{};
    int opened_ = 0;  // the Options the dialog was opened with
    char what_[256] = {}, with_[256] = {};
    HWND dialog_ = nullptr;
    void Forget();
};

class ReplaceDialog : public FindDialog {
public:
    std::string ReplaceText;
    // Replace and Replace All (frReplace or frReplaceAll in Options); Find Next fires OnFind.
    std::function<void()> OnReplace;

protected:
    std::string* Replacement() override { return &ReplaceText; }
    void Received(const FINDREPLACEA& fr) override;
};
// ---- end of find and replace dialogs ----
// ---- folder dialog ----
// Chooses a folder, starting at Directory. The user may also type a path into the dialog's
// field or make a new folder there; a typed folder that does not exist is created. Directory
// holds the chosen folder afterwards (a drive root keeps its "\", other folders have none).
class FolderDialog : public CommonDialog {
public:
    FolderDialog() : CommonDialog(DialogKind::Folder) {}
    std::string Directory;
    std::string Title;

protected:
    bool Run(HWND owner) override;
};
// ---- end of folder dialog ----

// The filter as the file dialogs take it: the parts split at '|' (never at a Shift-JIS trail
// byte) and ended by two NULs.
std::string FilterForApi(const std::string& filter);

// Test seam: while set, no dialog is shown; the hook sees the dialog, may fill in the answer and
// returns whether it was confirmed.
void SetDialogHookForTest(std::function<bool(CommonDialog&)> hook);

}  // namespace tk
