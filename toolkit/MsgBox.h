// Message boxes with Japanese texts, placed at a window's top-left corner after a message beep
// of the matching kind. Tests answer them through the hook instead of showing them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace tk {

struct MsgBoxCall {
    HWND owner;
    std::string text, caption;
    UINT type;  // MB_ flags
    UINT beep;  // the beep before the box (MB_OK or an MB_ICON kind)
};

// Beeps by the icon kind, shows the box at owner's top-left corner (centred without an owner)
// and returns IDOK, IDYES, IDNO...
int MessageDlg(HWND owner, const std::string& text, const std::string& caption, UINT type);
// The same with the beep of another kind than the box's icon (for a box without one).
int MessageDlg(HWND owner, const std::string& text, const std::string& caption, UINT type, UINT beep);
// "削除しますか？" unless deleting without asking is set (the caller reads that setting).
bool ConfirmDelete(HWND owner, const std::string& caption);

// A window that could not read its settings says why (TIniFile::ReadError), what it keeps
// unsaved, and that it can save once it is opened again.
void SayUnsavedUntilReopened(HWND owner, const std::string& readError, const std::string& caption,
                             const std::string& unsaved = "このウィンドウでは今は変更を保存できません。");

// Test seam: while set, boxes are not shown; the hook records the call and gives the answer.
void SetMessageBoxHookForTest(std::function<int(const MsgBoxCall&)> hook);

}  // namespace tk
