// The to-do board: folders and items in a tree on the left, the selected item's rich text on the
// right. Everything lives in the Todo folder of the data folder: the two tree files and one file
// per item.
#pragma once
#include <memory>
#include <string>

#include "controls/SplitControl.h"
#include "schedule/TodoTree.h"
#include "toolkit/Buttons.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/RichFind.h"
#include "toolkit/RichToolbar.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"
#include "toolkit/TreeView.h"

struct TForm15 : tk::Form {
    tk::Panel Panel1;  // the tree side
    tk::Panel Panel4;
    tk::BitBtn BitBtn2, BitBtn1;  // &Add, &Delete (empties the trash)
    tk::ImageList ImageList1;  // before the tree, which draws with it until it goes
    tk::TreeView TreeView1;
    TSplitBar Panel2;  // between the tree and the text
    tk::Panel Panel3;  // the text side
    tk::Panel Panel6;  // the formatting bar
    tk::ComboBox ComboBox1;
    tk::SpinEdit SpinEdit1;
    tk::SpeedButton Bold1, Italic1, Underline1, Strikeout1, num1;
    tk::BitBtn BitBtn12;
    tk::Panel Panel7, Panel8, Panel9, Panel10, Panel11;  // the colour history
    tk::RichEdit RichEdit1;
    tk::StatusBar StatusBar1;

    tk::PopupMenu PopupMenu1;  // the board's menu
    tk::MenuItem *New1 = nullptr, *Gomi1 = nullptr, *K1 = nullptr, *Close2 = nullptr;
    tk::PopupMenu PopupMenu2;  // the text's menu
    tk::MenuItem *Undo1 = nullptr, *Cut1 = nullptr, *Copy1 = nullptr, *Paste1 = nullptr, *SelectAll1 = nullptr,
                 *Find1 = nullptr, *Replace1 = nullptr, *Print1 = nullptr, *Close1 = nullptr;
    tk::FindDialog FindDialog1;
    tk::ReplaceDialog ReplaceDialog1;
    std::unique_ptr<tk::RichToolbar> Toolbar;
    std::unique_ptr<tk::RichFinder> Finder;
    std::unique_ptr<TSplitControl> SplitControl;

    // The tree both tree files are written from.
    todo::TodoTree Tree;

    TForm15();
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void FormActivate();
    void FormResize();
    void BitBtn2Click();  // add an item
    void BitBtn1Click();  // empty the trash
    void TreeView1Change(tk::TreeNode node);
    void TreeView1Editing(tk::TreeNode node, bool& allow);
    void TreeView1Edited(tk::TreeNode node, std::string& text, bool& accept);
    void TreeView1DragDrop(tk::TreeNode dragged, tk::TreeNode target);
    void TreeView1GetImageIndex(tk::TreeNode node, int& image, int& selectedImage);
    void Find1Click();
    void Replace1Click();
    void Print1Click();
    void PopupMenu1Popup();
    void PopupMenu2Popup();
    void K1Click();
    void Help(const char* text);  // the status bar's line for the control under the mouse

    // The Todo folder, with its trailing backslash.
    std::string Folder() const;
    // Writes the text being edited to its item's file (nothing for a folder, the trash, an item
    // without a file or one whose file could not be read). A failure is said and gives false.
    bool Save();
    // Writes both tree files; a failure is said and gives false.
    bool SaveTrees();
    // What the close and the program's end write, without a word: the text, the window's place
    // and both trees. Empty when saved, else what could not be (the form's OnSave).
    std::string SaveAll();
    // The item file the text belongs to, empty while none is shown or it must not be written.
    const std::string& ShownFile() const { return shownFile_; }

private:
    void ShowNode(tk::TreeNode node);
    std::string LoadTrees();  // empty, else what the user is told about the trees read
    void FillTree();
    void DrawImages();
    void UpdateTrashButton();
    void KeepTreeLeft(tk::TreeNode node);
    void EnsureFindDialogs();
    int IndexOf(tk::TreeNode node) const { return node ? TreeView1.AbsoluteIndex(node) : -1; }

    std::string shownFile_;
    bool shown_ = false;      // the trees have been read (the first show)
    bool treesLost_ = false;  // the titles file could not be read: the board closes unsaved
    // The tree files could not be read as a pair: nothing in the folder is written or deleted.
    bool readOnly_ = false;
    std::string TextNotSaved();  // the quiet writes: empty when written, else the message
    std::string TreesNotSaved();
    bool Say(const std::string& failed);
};

extern TForm15* Form15;
