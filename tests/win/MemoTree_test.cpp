// The memo list: the tree read from the group sections, renaming in place, the preview's saves
// and the memo commands refused for a memo whose window is open.
#include <gtest/gtest.h>
#include <windows.h>

#include "mainwindow/Main.h"
#include "notes/Memo.h"
#include "notes/memo_Tree.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

namespace ms = inikey::MemoStore;

namespace {

class MemoList : public ::testing::Test {
public:
    std::string dir, M;
    std::vector<std::string> boxes;

    void SetUp() override {
        dir = wintest::FreshTestDir("orbal-memolist-");
        wintest::UseAsDataFolder(dir, false);
        M = dir + "\\Memo\\";
        tk::ForceDirectories(dir + "\\Memo");
        auto f = settings::Open();
        f.WriteInteger("Form", "Delete", 1);
        f.WriteString("Memo_bun", "0", "仕事");
        f.WriteString(ms::GroupSection(0, M), "Memo1", "first");
        f.WriteString(ms::GroupSection(0, M), "Memo2", "second");
        f.WriteString(ms::GroupSection(2, M), "Memo3", "買い物");
        f.WriteInteger(ms::CountSection(M), ms::Count, 3);
        for (const char* name : {"Memo1", "Memo2", "Memo3"}) Write(name, std::string("{\\rtf1 text of ") + name + "}");
        tk::SetSoundHookForTest([](const tk::SoundCall&) {});
        tk::SetMessageBoxHookForTest([this](const tk::MsgBoxCall& c) {
            boxes.push_back(c.text);
            return IDYES;
        });
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
        Form1->MemoTree1Click();
        ASSERT_NE(Form28, nullptr);
        wintest::Pump();
    }
    void TearDown() override {
        if (Form28) Form28->Destroy();
        for (TForm18* m : OpenMemoWindows()) m->Destroy();
        if (Form1) Form1->Destroy();
        wintest::Pump();
        tk::SetSoundHookForTest(nullptr);
        tk::SetMessageBoxHookForTest(nullptr);
        settings::SetIniPathForTest("");
    }
    void Write(const std::string& name, const std::string& rtf) { tk::WriteFileBytes(M + name, rtf); }
    std::string Read(const std::string& name) {
        std::string s;
        tk::ReadFileBytes(M + name, s);
        return s;
    }
    tk::TreeView& Tree() { return Form28->TreeView1; }
    tk::TreeNode Node(const std::string& memoOrGroup) {
        if (tk::TreeNode n = Form28->NodeOfMemo(memoOrGroup)) return n;
        for (tk::TreeNode n = Tree().FirstRoot(); n; n = Tree().NextSibling(n))
            if (Tree().NodeText(n) == memoOrGroup) return n;
        return nullptr;
    }
    std::string Preview() { return rtl::Trim(Form28->RichEdit1.Lines.Text()); }
    void OpenWindow(const std::string& name) {
        Tree().Select(Node(name));
        Form28->TreeView1DblClick();
        wintest::Pump();
        ASSERT_NE(FindMemoWindow(name), nullptr);
    }
    // Types into the preview as the user would.
    void Type(const std::string& text) {
        Form28->RichEdit1.SelectAll();
        SendMessageA(Form28->RichEdit1.Handle, EM_REPLACESEL, TRUE, (LPARAM)text.c_str());
    }
};

}  // namespace

TEST_F(MemoList, TreeHoldsTheGroupsAndTheirMemosInListOrder) {
    std::string outline;
    for (int i = 0; i < Tree().Count(); ++i) {
        tk::TreeNode n = Tree().NodeAt(i);
        outline += std::string(Tree().Level(n), '\t') + Tree().NodeText(n) + "|" + Form28->ListBox1.Items[i] + "|" +
                   Form28->ListBox3.Items[i] + "\n";
    }
    EXPECT_EQ(outline,
              "仕事|メモ1|z0\n\tfirst|Memo1|0\n\tsecond|Memo2|0\nメモ2|メモ2|z1\nメモ3|メモ3|z2\n\t買い物|Memo3|2\n"
              "メモ4|メモ4|z3\nメモ5|メモ5|z4\nメモ6|メモ6|z5\nメモ7|メモ7|z6\nメモ8|メモ8|z7\nメモ9|メモ9|z8\n"
              "メモ10|メモ10|z9\n");
    EXPECT_EQ(Tree().Selected(), Tree().FirstRoot());
    EXPECT_TRUE(Form1->MemoTree1->Checked());
    EXPECT_EQ(Form1->MemoTree1->Tag, 1);

    // A memo made from the main window shows up at once; closing lets go of the marks.
    Form1->ComboBox1.SetItemIndex(1);
    Form1->BitBtn9Click();
    EXPECT_NE(Form28->NodeOfMemo("Memo4"), nullptr);
    EXPECT_EQ(Tree().Level(Form28->NodeOfMemo("Memo4")), 1);
    // The new-memo shortcut on a memo takes that memo's group.
    Tree().Select(Node("Memo3"));
    EXPECT_FALSE(Form28->BitBtn5.Enabled());
    EXPECT_TRUE(Form28->IsShortCut('A', tk::ssCtrl));
    ASSERT_NE(Form28->NodeOfMemo("Memo5"), nullptr);
    EXPECT_EQ(Form28->GroupOfNode(Form28->NodeOfMemo("Memo5")), 2);
    Form28->Close();
    wintest::Pump();
    EXPECT_EQ(Form28, nullptr);
    EXPECT_FALSE(Form1->MemoTree1->Checked());
    EXPECT_EQ(Form1->MemoTree1->Tag, 0);
    EXPECT_GT(settings::Open().ReadInteger("Memo_Tree", "TreeWidth", 0), 0);
}

TEST_F(MemoList, RenamingWritesTheTitleOrTheGroupNameButNotForAnOpenMemo) {
    OpenWindow("Memo2");
    struct Case {
        const char* node;
        const char* typed;
        const char* section;
        const char* key;
        const char* stored;  // afterwards
        const char* label;
    };
    const std::string g0 = ms::GroupSection(0, M), g2 = ms::GroupSection(2, M);
    const Case cases[] = {
        {"Memo1", "予定の覚え", g0.c_str(), "Memo1", "予定の覚え", "予定の覚え"},
        {"Memo3", "  ", g2.c_str(), "Memo3", "買い物", "買い物"},  // an empty title is refused
        {"メモ5", "趣味", "Memo_bun", "4", "趣味", "趣味"},
        {"Memo2", "x", g0.c_str(), "Memo2", "second", "second"},  // its window is open
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        tk::TreeNode n = Node(c.node);
        ASSERT_NE(n, nullptr);
        Tree().Select(n);
        if (Tree().StartEdit(n)) {
            SetWindowTextA((HWND)SendMessageA(Tree().Handle, TVM_GETEDITCONTROL, 0, 0), c.typed);
            Tree().EndEdit(false);
        }
        EXPECT_EQ(settings::Open().ReadString(c.section, c.key, ""), c.stored);
        EXPECT_EQ(Tree().NodeText(n), c.label);
    }
    EXPECT_EQ(Form1->PopupMenu4.Items[0][0].Caption(), "予定の覚え");  // the memo menu follows at once
    // The main window's list follows the new title.
    Tree().Select(Node("Memo1"));
    EXPECT_EQ(Form1->ListBox1.Items[Form1->ListBox1.ItemIndex()], "予定の覚え");
}

TEST_F(MemoList, TheDefaultSizeShowsTheWholeFormattingBar) {
    for (tk::Control* c : std::initializer_list<tk::Control*>{&Form28->SpeedButton8, &Form28->BitBtn12, &Form28->Panel11})
        EXPECT_LE(c->Left() + c->Width(), Form28->Panel6.ClientWidth()) << c->Hint;
    EXPECT_LE(Form28->Width(), GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(MemoList, PreviewIsSavedOnlyForAClosedMemoWhoseTextChanged) {
    struct Case {
        const char* what;
        bool openWindow, edit;
        bool saved;
        int blocked = 0;  // held by another program while shown (1) or left (2); marked read-only (3)
    };
    const Case cases[] = {
        {"closed and edited", false, true, true},
        {"closed, only looked at", false, false, false},
        {"window open, preview stale", true, true, false},
        {"closed, file held while shown", false, true, false, 1},
        {"closed, file held as the preview is left", false, true, true, 2},
        {"closed, file marked read-only", false, false, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string before = "{\\rtf1 kept as it was}";
        Write("Memo1", before);
        Tree().Select(Node("Memo2"));
        HANDLE held = c.blocked == 1 ? CreateFileA((M + "Memo1").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE;
        if (c.blocked == 3) SetFileAttributesA((M + "Memo1").c_str(), FILE_ATTRIBUTE_READONLY);
        boxes.clear();
        Tree().Select(Node("Memo1"));
        if (c.blocked == 3) {
            EXPECT_TRUE(Form28->RichEdit1.ReadOnly());
        } else if (c.blocked == 1) {
            CloseHandle(held);
            EXPECT_EQ(Preview(), "");
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_NE(boxes[0].find(M + "Memo1"), std::string::npos);
            wintest::Type(Form28->RichEdit1.Handle, "typed");  // refused
        } else {
            EXPECT_EQ(Preview(), "kept as it was");
        }
        if (c.openWindow) {
            // The preview was shown while the memo was closed; its window opened from elsewhere.
            Form1->ComboBox1.SetItemIndex(0);
            Form1->BitBtn10Click();
            Form1->OpenMemo(0, false);
            wintest::Pump();
        }
        if (c.edit) Type("changed in the list");
        if (c.blocked == 2) {  // the memo stays with its edits until the file is free
            auto other = wintest::HeldByAnotherProgram(M + "Memo1");
            Tree().Select(Node("Memo3"));
            EXPECT_EQ(Tree().Selected(), Node("Memo1"));
            EXPECT_EQ(Preview(), "changed in the list");
        }
        Tree().Select(Node("Memo3"));
        SetFileAttributesA((M + "Memo1").c_str(), FILE_ATTRIBUTE_NORMAL);
        if (c.saved) EXPECT_NE(Read("Memo1").find("changed in the list"), std::string::npos);
        else EXPECT_EQ(Read("Memo1"), before);
        for (TForm18* m : OpenMemoWindows()) m->Destroy();
        wintest::Pump();
        settings::Open().WriteInteger(ms::MemoSection("Memo1", M), ms::Show, 0);
    }

    // An open memo is shown read-only, and the end of the program leaves its file to its window.
    OpenWindow("Memo3");
    EXPECT_TRUE(Form28->RichEdit1.ReadOnly());
    EXPECT_EQ(Form28->GroupBox1.Caption(), "メモ表示中（編集不可）");
    FindMemoWindow("Memo3")->RichEdit1.Lines.SetText("newer in the window");
    tk::Application.SaveWork(false);
    std::string saved = Read("Memo3");
    Form28->RichEdit1.SetModified(true);
    Form28->Destroy();
    wintest::Pump();
    EXPECT_EQ(Read("Memo3"), saved);
}

TEST_F(MemoList, AMemoWithoutItsFileShowsEmptyAndGetsNothingOfTheOneBefore) {
    DeleteFileA((M + "Memo2").c_str());
    settings::Open().WriteString(ms::MemoSection("Memo1", M), ms::BmpFile, "C:\\windows\\no such.BMP");
    Tree().Select(Node("Memo1"));
    EXPECT_EQ(Preview(), "text of Memo1");
    Tree().Select(Node("Memo2"));
    EXPECT_EQ(Preview(), "");
    EXPECT_EQ(Form28->Image1.Tag, 0);
    EXPECT_FALSE(Form28->RichEdit1.ReadOnly());
    Tree().Select(Node("Memo3"));
    EXPECT_FALSE(tk::FileExists(M + "Memo2"));
}

TEST_F(MemoList, DeleteIsRefusedForAnOpenMemoAndForAGroupWhateverStartsIt) {
    OpenWindow("Memo1");
    const std::string g0 = ms::GroupSection(0, M);
    struct Case {
        const char* node;
        bool gone;
    };
    const Case cases[] = {{"Memo1", false}, {"仕事", false}, {"Memo2", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        Tree().Select(Node(c.node));
        EXPECT_EQ(Form28->BitBtn4.Enabled(), c.gone);
        EXPECT_TRUE(Form28->IsShortCut('D', tk::ssCtrl));
        wintest::Pump();
        std::string name = std::string(c.node).rfind("Memo", 0) == 0 ? c.node : "Memo2";
        if (std::string(c.node).rfind("Memo", 0) != 0) {
            EXPECT_TRUE(settings::Open().ValueExists(g0, "Memo2"));
            continue;
        }
        EXPECT_EQ(tk::FileExists(M + name), !c.gone);
        EXPECT_EQ(settings::Open().ValueExists(g0, name), !c.gone);
        EXPECT_EQ(Form28->NodeOfMemo(name) == nullptr, c.gone);
    }
    // The button itself refuses too.
    Tree().Select(Node("Memo1"));
    Form28->BitBtn4Click();
    EXPECT_TRUE(tk::FileExists(M + "Memo1"));
}
