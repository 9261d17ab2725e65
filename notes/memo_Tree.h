// The memo list: every memo of the ten groups as a tree, the selected memo's text and picture
// previewed and edited in place, memos and groups renamed in the tree, and the memo commands
// (new, delete, open, sort) run through the main window's memo store.
#pragma once
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "controls/SplitControl.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/ImageList.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/RichToolbar.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"
#include "toolkit/TreeView.h"

enum class MemoPicture;

struct TForm28 : tk::Form {
    tk::TreeView TreeView1;
    tk::ImageList ImageList1;
    // Hidden, one line per tree node in depth-first order: ListBox1 "メモ" + (group + 1) for a
    // group node, else the memo name; ListBox3 "z" + group for a group node, else the group.
    // ListBox2 is the work list of a group's names. Their items only: no windows are made for
    // them (every item a window holds costs round trips to the server under Wine).
    tk::ListBox ListBox1, ListBox2, ListBox3;
    TSplitBar Panel3;  // between the tree and the preview
    tk::GroupBox GroupBox1;
    tk::Panel Panel6;   // formatting toolbar
    tk::Panel Panel12;  // ruler
    tk::ComboBox ComboBox1;
    tk::SpinEdit SpinEdit1;
    tk::SpeedButton SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6,
        SpeedButton7, SpeedButton8;
    tk::BitBtn BitBtn12;
    tk::Panel Panel7, Panel8, Panel9, Panel10, Panel11;  // colour history
    tk::Label Label4, Label5, Label6, Label7;
    tk::RichEdit RichEdit1;
    TSplitBar Panel5;  // between the text and the picture
    tk::Image Image1;  // Tag 1: a picture is loaded
    tk::Panel Panel1;  // the buttons
    tk::BitBtn BitBtn3, BitBtn4, BitBtn5, BitBtn1, BitBtn2;  // Sort, Delete (Tag 1 while deleting), Add, Reload
                                                             // (Tag 1 while rebuilding), Close
    tk::StatusBar StatusBar1;
    tk::PopupMenu PopupMenu1;  // the preview's
    tk::PopupMenu PopupMenu2;  // the tree's
    tk::MenuItem *Undo1 = nullptr, *Font1 = nullptr, *BackColor1 = nullptr, *ReadOnly1 = nullptr, *SaveAs1 = nullptr,
                 *Open1 = nullptr, *JPG1 = nullptr, *BMP2 = nullptr, *WallPaper1 = nullptr, *BMPFile1 = nullptr,
                 *Clipbord1 = nullptr, *Cut1 = nullptr, *Copy1 = nullptr, *Paste1 = nullptr, *SelectAll1 = nullptr,
                 *Sort1 = nullptr, *Close1 = nullptr;
    tk::MenuItem *New1 = nullptr, *Delete1 = nullptr, *Sort2 = nullptr, *Rename1 = nullptr, *Close2 = nullptr;
    tk::OpenDialog OpenDialog1;
    tk::SaveDialog SaveDialog1, SaveDialog2;
    tk::ColorDialog ColorDialog1;
    std::unique_ptr<tk::RichToolbar> Toolbar;
    std::unique_ptr<TSplitControl> SplitControl;

    TForm28();
    void FormCreate();
    void FormClose(tk::CloseAction& action);
    void FormActivate();
    void FormResize();

    void BitBtn1Click();  // rebuilds the tree
    void BitBtn2Click() { Close(); }
    void BitBtn3Click();  // sort
    void BitBtn4Click();  // delete the selected memo
    void BitBtn5Click();  // new memo in the selected group
    void TreeView1Change(tk::TreeNode node);
    void TreeView1DblClick();
    void TreeView1Editing(tk::TreeNode node, bool& allow);
    void TreeView1Edited(tk::TreeNode node, std::string& text, bool& accept);
    void Rename1Click();

    // The previewed memo's text into its file, when it is a closed memo and the text changed,
    // quietly: empty when saved or nothing to save, else the message (the window's OnSave).
    std::string SavePreviewQuietly();
    // The same, the user told when it failed (the edits stay with the memo); false then.
    bool SavePreview();

    // The context-menu commands on the previewed memo.
    void Font1Click();
    void BackColor1Click();
    void ReadOnly1Click();
    void SaveAs1Click();
    void Open1Click();
    void JPG1Click();
    void BMP2Click();
    void WallPaper1Click();
    void BMPFile1Click();
    void Clipbord1Click();
    void PopupMenu1Popup();

    // What a tree node stands for.
    bool IsGroupNode(tk::TreeNode node) const;
    int GroupOfNode(tk::TreeNode node) const;
    std::string MemoOfNode(tk::TreeNode node) const;  // "" for a group node
    // The node of a memo (its name), or nullptr.
    tk::TreeNode NodeOfMemo(const std::string& name) const;
    const std::string& PreviewName() const { return previewName_; }

private:
    void BuildMenus();
    void BuildImages();
    void ShowMemo(const std::string& name, int group);
    void ShowGroup(tk::TreeNode node, int group);
    void ClearPreview();
    void SetEditable(bool on);
    void SelectInMain(int group, const std::string& name);
    void SavePicture(MemoPicture as);
    std::string PreviewSection() const;
    void Layout();
    std::string previewName_;  // the memo shown in the preview, "" for none or a group
    int previewGroup_ = 0;
    bool previewOpen_ = false;  // its window was open when it was shown
    // The memo whose edits in the preview could not be saved, and those edits (rich text): shown
    // again with the memo, after a rebuild too, until they are saved.
    std::string unsavedName_, unsavedText_;
    int richHeight_ = 160;      // the preview text's height beside a picture
    std::set<std::string> viewed_;
};

extern TForm28* Form28;

// True while the memo's window is open (or marked open in its section).
bool MemoWindowOpen(const std::string& name);
