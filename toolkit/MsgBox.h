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
};

// Beeps by the icon kind, shows the box at owner's top-left corner (centred without an owner)
// and returns IDOK, IDYES, IDNO...
int MessageDlg(HWND owner, const std::string& text, const std::string& caption, UINT type);
// "削除しますか？" unless deleting without asking is set (the caller reads that setting).
bool ConfirmDelete(HWND owner, const std::string& caption);

// Test seam: while set, boxes are not shown; the hook records the call and gives the answer.
void SetMessageBoxHookForTest(std::function<int(const MsgBoxCall&)> hook);

}  // namespace tk
