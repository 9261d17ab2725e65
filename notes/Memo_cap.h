// The title dialog of a memo: its caption shows the title as it was, the edit box the title
// being edited; "元に戻す" puts the old title back into the box.
#pragma once
#include <functional>
#include <string>

#include "toolkit/Buttons.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"

struct TForm19 : tk::Form {
    tk::Edit Edit1;
    tk::BitBtn BitBtn1;  // &Set
    tk::BitBtn BitBtn2;  // back to the old title
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *Set1 = nullptr, *Undo1 = nullptr;

    TForm19();
    void BitBtn1Click();
    void BitBtn2Click();
};

extern TForm19* Form19;

namespace memo {

// The dialog at owner's top-left corner, run modally and freed. True with the new title when the
// user set one; a title left empty keeps the old one.
bool EditTitle(tk::Form& owner, std::string& title);

// Test seam: while set, the hook sees the dialog just before its modal run and must end it.
void SetTitleDialogHookForTest(std::function<void(TForm19&)> hook);

}  // namespace memo
