// The memo group editor: reorders the memos of a group and moves memos from one group to
// another by rebuilding the group lists. Made for one modal run and freed after it; its width is
// fixed and its side borders move it, so only its height changes.
#pragma once
#include <functional>
#include <string>

#include "toolkit/Bevel.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"

struct TForm21 : tk::Form {
    tk::Panel Panel1;
    tk::GroupBox GroupBox1;  // 並び替え前: the source group
    tk::ComboBox ComboBox1;
    tk::ListBox ListBox1;  // titles of the memos still in the source
    tk::ListBox ListBox2;  // hidden: their names
    tk::GroupBox GroupBox2;  // 並び替え後: the target group
    tk::ComboBox ComboBox2;
    tk::ListBox ListBox3;  // titles of the target's new list
    tk::ListBox ListBox4;  // hidden: their names
    tk::BitBtn BitBtn6;  // &Save
    tk::BitBtn BitBtn5, BitBtn2, BitBtn1;  // start again, move the selected, move the rest
    tk::Bevel Bevel1;
    tk::BitBtn BitBtn3;  // &Close
    tk::StatusBar StatusBar1;

    TForm21();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void FormResize();
    // The source group read again: all four lists cleared, the source's memos listed. Unless the
    // target box asked, the target becomes the source group.
    void LoadSource(bool fromTarget);
    void ComboBox1Change();
    void ComboBox2Change();
    void ListBox1Click();
    void BitBtn2Click();
    void BitBtn1Click();
    void BitBtn5Click();
    void BitBtn6Click();

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // A save ran in this window.
    bool Saved() const { return saved_; }

private:
    bool saved_ = false;
    // Why the settings file could not be read when the window opened: then nothing is moved or
    // saved for the rest of its run.
    std::string readError_;
    bool Editable() const { return readError_.empty(); }
    bool SameGroup() const { return ComboBox1.ItemIndex() == ComboBox2.ItemIndex(); }
    void TargetChanged();
    void MoveEntry(int index);
};

extern TForm21* Form21;

// Runs the group editor modally for owner and frees it; afterwards the main window's memo menu
// is built again. True when a change was saved.
bool RunMemoGroupEditor(tk::Form& owner);

// Test seam: while set, the hook sees the editor just before its modal run and must end it.
void SetMemoGroupEditorHookForTest(std::function<void(TForm21&)> hook);
