// The drop chooser: asked when files are dropped on a memo, whether the first file goes into
// this memo or the files into new memos. Each button's Tag is its answer.
#pragma once
#include <functional>
#include <string>

#include "toolkit/Buttons.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

struct TForm31 : tk::Form {
    tk::Panel Panel1;
    tk::BitBtn BitBtn1;  // into this memo (1)
    tk::BitBtn BitBtn2;  // into a new memo (2) or every file into new memos (3)
    tk::BitBtn BitBtn3;  // &Cancel (0)

    TForm31();
    void FormShow();
    void BitBtnClick(tk::BitBtn& button);
    // The answer of the last modal run: a button's Tag, 0 when closed otherwise.
    int Result = 0;
};

extern TForm31* Form31;

namespace memo {

enum DropChoice { dropCancel = 0, dropIntoThis = 1, dropNewMemo = 2, dropAllNew = 3 };

// The chooser at owner's top-left corner and as wide as owner, for count files dropped on the
// memo captioned caption. Runs it modally and frees it; returns the answer. A memo that takes no
// file (refusal says why) is not offered: a box says why and asks whether the files go into new
// memos instead.
int ChooseDrop(tk::Form& owner, const std::string& caption, int count, const std::string& refusal);

// Test seam: while set, the hook sees the chooser just before its modal run and must end the
// run (a posted click or WM_CLOSE).
void SetDropChooserHookForTest(std::function<void(TForm31&)> hook);

}  // namespace memo
