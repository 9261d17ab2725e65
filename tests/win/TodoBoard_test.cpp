// The to-do board: the first item and its number, the tree files the board writes, moves,
// renaming, emptying the trash, damaged tree files and item files, the tree's scroll after Add,
// the end of the program, search and replace, printing, and the main window's command.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <regex>

#include "mainwindow/MainMemo.h"
#include "schedule/Todo.h"
#include "settings/Settings.h"
#include "tests/win/MainWindowFixture.h"
#include "tests/win/WinTest.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/Sound.h"
#include "toolkit/rtl/Streams.h"

namespace {

const char kFolder[] = "%$#Z32#$%";
const char kTrash[] = "%$#G32#$%";

class TodoBoard : public wintest::WindowTest {
protected:
    std::string T;
    tk::Form host{{.caption = "host", .width = 300, .height = 200}};
    tk::RichEdit reader;

    void SetUp() override {
        dir = wintest::FreshTestDir("orbal-todo-");
        T = dir + "\\Todo\\";
        ASSERT_TRUE(tk::ForceDirectories(dir + "\\Todo"));
        settings::SetIniPathForTest(dir + "\\orbal98.ini");
        settings::Open().WriteString("Calendar", "Directory", dir);
        FixClock(rtl::EncodeDate(2001, 5, 3) + rtl::EncodeTime(12, 34, 56, 0));
        reader.Create(host, {.at = {0, 0, 280, 180}, .visible = false});
    }
    void TearDown() override {
        if (Form15) Form15->Destroy();
        wintest::Pump();
    }

    TForm15& Open() {
        tk::Form* main = tk::Application.MainForm;
        tk::Application.CreateForm(Form15);
        tk::Application.MainForm = main;
        Form15->Show();
        wintest::Pump();
        return *Form15;
    }
    bool CloseIt() {
        Form15->Close();
        wintest::Pump();
        return Form15 == nullptr;
    }
    void Put(const std::string& name, const std::string& bytes) { ASSERT_TRUE(tk::WriteFileBytes(T + name, bytes)); }
    // Both tree files from "level:title|twin" lines.
    void PutTree(const std::vector<std::string>& nodes) {
        std::string titles, twins;
        for (const std::string& n : nodes) {
            std::string tabs(n[0] - '0', '\t');
            size_t bar = n.find('|');
            titles += tabs + n.substr(2, bar - 2) + "\r\n";
            twins += tabs + n.substr(bar + 1) + "\r\n";
        }
        Put("TreeData.z32", titles);
        Put("TreeFile.z32", twins);
    }
    // An item file as the board writes it, with text as its content.
    std::string ItemFile(const std::string& text) {
        reader.SetText(text);
        rtl::TMemoryStream s;
        reader.SaveToStream(s);
        return s.Bytes();
    }
    // The text an item file holds.
    std::string TextOf(const std::string& path) {
        rtl::TMemoryStream s;
        s.LoadFromString(Bytes(path));
        reader.LoadFromStream(s);
        return reader.Text();
    }
    // The tree the user sees, node for node as the board's tree: ">" per level, then the title.
    static std::vector<std::string> Shown(TForm15& b) {
        std::vector<std::string> out;
        EXPECT_EQ(b.TreeView1.Count(), b.Tree.Count());
        for (int i = 0; i < b.TreeView1.Count(); ++i) {
            tk::TreeNode n = b.TreeView1.NodeAt(i);
            EXPECT_EQ(b.TreeView1.Level(n), b.Tree.Node(i).level) << i;
            EXPECT_EQ(b.TreeView1.NodeText(n), b.Tree.Node(i).title) << i;
            out.push_back(std::string(b.TreeView1.Level(n), '>') + b.TreeView1.NodeText(n));
        }
        return out;
    }
    static void Select(TForm15& b, int index) { b.TreeView1.Select(b.TreeView1.NodeAt(index)); }
    // Boxes are recorded with what locked says of the board as each comes up.
    std::vector<bool> lockedAtBox;
    void WatchBoxes(std::function<bool(TForm15&)> locked) {
        tk::SetMessageBoxHookForTest([this, locked](const tk::MsgBoxCall& c) {
            boxes.push_back(c.text);
            lockedAtBox.push_back(locked(*Form15));
            return answer;
        });
    }
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(TodoBoard, TheFirstItemIsNumberZeroUnderTheFirstFolderWithItsTitleOpenForEditing) {
    TForm15& b = Open();
    EXPECT_EQ(Shown(b), (Lines{"やるべきもの", "保留されているもの", "終了したもの", "ごみ箱"}));
    EXPECT_FALSE(tk::FileExists(T + "TreeData.z32"));
    b.BitBtn2Click();
    EXPECT_EQ(Shown(b)[1], ">2001/05/03(木) 12:34:56登録");
    EXPECT_EQ(b.TreeView1.Selected(), b.TreeView1.NodeAt(1));
    EXPECT_TRUE(b.TreeView1.IsEditing());
    b.TreeView1.EndEdit(true);
    EXPECT_EQ(settings::Open().ReadInteger("Borad", "Count", -1), 1);
    EXPECT_EQ(Bytes(T + "TreeData.z32"),
              "やるべきもの\r\n\t2001/05/03(木) 12:34:56登録\r\n保留されているもの\r\n終了したもの\r\nごみ箱\r\n");
    EXPECT_EQ(Bytes(T + "TreeFile.z32"), "%$#Z32#$%\r\n\t0.z32\r\n%$#Z32#$%\r\n%$#Z32#$%\r\n%$#G32#$%\r\n");
    // The file comes with the first save of the text.
    EXPECT_FALSE(tk::FileExists(T + "0.z32"));
    b.RichEdit1.SetText("牛乳を買う");
    ASSERT_TRUE(CloseIt());
    EXPECT_EQ(TextOf(T + "0.z32"), "牛乳を買う");
    EXPECT_EQ(cues, (Lines{"ope", "sav", "clo"}));
}

TEST_F(TodoBoard, ANewItemPassesOverNumbersStillInUse) {
    struct Case {
        const char* name;
        int count;
        Lines files;     // item files on disk
        Lines twins;     // items in the tree
        const char* expected;
    } cases[] = {
        {"the counter", 4, {}, {}, "4.z32"},
        {"a file left after a reset", 0, {"0.z32", "1.z32"}, {}, "2.z32"},
        {"an item without its file yet", 0, {}, {"0.z32"}, "1.z32"},
        {"numbers below the counter stay unused", 3, {"0.z32"}, {}, "3.z32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* f : {"0.z32", "1.z32", "2.z32", "3.z32", "4.z32"}) DeleteFileA((T + f).c_str());
        Lines tree{"0:やる|" + std::string(kFolder)};
        for (const std::string& t : c.twins) tree.push_back("1:item|" + t);
        tree.push_back(std::string("0:ごみ箱|") + kTrash);
        PutTree(tree);
        for (const std::string& f : c.files) Put(f, ItemFile("old"));
        settings::Open().WriteInteger("Borad", "Count", c.count);
        TForm15& b = Open();
        b.BitBtn2Click();
        b.TreeView1.EndEdit(true);
        EXPECT_EQ(b.Tree.Node(1).twin, c.expected);
        ASSERT_TRUE(CloseIt());
        for (const std::string& f : c.files) EXPECT_EQ(TextOf(T + f), "old");
    }
}

TEST_F(TodoBoard, FoldersListTheirItemsReadOnlyAndItemsGetTheirOwnColourBack) {
    PutTree({"0:やる|" + std::string(kFolder), "1:一つ目|0.z32", "1:二つ目|1.z32", "0:ごみ箱|" + std::string(kTrash)});
    Put("0.z32", ItemFile("本文"));
    TForm15& b = Open();
    struct Step {
        int index;
        const char* text;
        bool readOnly;
        tk::TColor color;
    } steps[] = {{0, "一つ目\r\n二つ目\r\n", true, tk::clBtnFace},
                 {1, "本文", false, tk::clWindow},
                 {3, "", true, tk::clBtnFace},
                 {2, "", false, tk::clWindow}};  // no file yet: an empty text to write in
    for (const Step& s : steps) {
        Select(b, s.index);
        EXPECT_EQ(b.RichEdit1.Text(), s.text) << s.index;
        EXPECT_EQ(b.RichEdit1.ReadOnly(), s.readOnly) << s.index;
        EXPECT_EQ(b.RichEdit1.Color, s.color) << s.index;
    }
}

TEST_F(TodoBoard, DragsMoveItemsInBothTreesAndFoldersStay) {
    PutTree({"0:やる|" + std::string(kFolder), "1:a|0.z32", "1:b|1.z32", "0:終了|" + std::string(kFolder), "1:c|2.z32",
             "0:ごみ箱|" + std::string(kTrash)});
    TForm15& b = Open();
    struct Case {
        const char* name;
        int dragged, target;
        bool draggable;
        Lines shape;
    } cases[] = {
        {"onto a folder", 2, 3, true, {"やる", ">a", "終了", ">b", ">c", "ごみ箱"}},
        {"onto an item", 1, 4, true, {"やる", "終了", ">b", ">a", ">c", "ごみ箱"}},
        {"onto itself", 3, 3, true, {"やる", "終了", ">b", ">a", ">c", "ごみ箱"}},
        {"onto the trash", 2, 5, true, {"やる", "終了", ">a", ">c", "ごみ箱", ">b"}},
        {"a folder", 1, 0, false, {"やる", "終了", ">a", ">c", "ごみ箱", ">b"}},
        {"the trash", 4, 0, false, {"やる", "終了", ">a", ">c", "ごみ箱", ">b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tk::TreeNode dragged = b.TreeView1.NodeAt(c.dragged);
        bool allow = false;
        b.TreeView1.OnStartDrag(dragged, allow);
        EXPECT_EQ(allow, c.draggable);
        if (allow) b.TreeView1DragDrop(dragged, b.TreeView1.NodeAt(c.target));
        EXPECT_EQ(Shown(b), c.shape);
    }
    EXPECT_TRUE(b.BitBtn1.Enabled());  // the trash has something in it
    ASSERT_TRUE(CloseIt());
    EXPECT_EQ(Bytes(T + "TreeData.z32"), "やる\r\n終了\r\n\ta\r\n\tc\r\nごみ箱\r\n\tb\r\n");
    EXPECT_EQ(Bytes(T + "TreeFile.z32"), "%$#Z32#$%\r\n%$#Z32#$%\r\n\t0.z32\r\n\t2.z32\r\n%$#G32#$%\r\n\t1.z32\r\n");
}

TEST_F(TodoBoard, EmptyingTheTrashDeletesOnlyItsChildrensFilesInTheTodoFolder) {
    PutTree({"0:やる|" + std::string(kFolder), "1:keep|3.z32", "0:ごみ箱|" + std::string(kTrash), "1:x|0.z32",
             "1:made up|..\\x.z32", "1:y|1.z32"});
    for (const char* f : {"0.z32", "1.z32", "3.z32"}) Put(f, ItemFile(f));
    ASSERT_TRUE(tk::WriteFileBytes(dir + "\\x.z32", "outside"));
    TForm15& b = Open();
    // The user is writing in an item of the trash when it is emptied.
    Select(b, 5);
    b.RichEdit1.SetText("edited");
    b.RichEdit1.SetFocus();
    answer = IDNO;
    b.BitBtn1Click();
    EXPECT_EQ(boxes, Lines{"削除しますか？"});
    EXPECT_EQ(b.Tree.Count(), 6);
    answer = IDYES;
    cues.clear();
    b.BitBtn1Click();
    EXPECT_EQ(Shown(b), (Lines{"やる", ">keep", "ごみ箱"}));
    EXPECT_EQ(b.TreeView1.Selected(), b.TreeView1.NodeAt(2));
    EXPECT_EQ(b.RichEdit1.Text(), "");
    EXPECT_FALSE(b.BitBtn1.Enabled());
    EXPECT_EQ(cues, (Lines{"del", "del"}));
    Select(b, 1);
    ASSERT_TRUE(CloseIt());
    EXPECT_FALSE(tk::FileExists(T + "0.z32"));
    EXPECT_FALSE(tk::FileExists(T + "1.z32"));  // not written again by the save of its text
    EXPECT_EQ(TextOf(T + "3.z32"), "3.z32");
    EXPECT_EQ(Bytes(dir + "\\x.z32"), "outside");
    EXPECT_EQ(settings::Open().ReadInteger("Borad", "Count", -1), -1);
    // Without the question when the settings say so.
    settings::Open().WriteInteger("Form", "Delete", 1);
    PutTree({"0:ごみ箱|" + std::string(kTrash), "1:z|4.z32"});
    Put("4.z32", ItemFile("z"));
    boxes.clear();
    Open().BitBtn1Click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(tk::FileExists(T + "4.z32"));
}

TEST_F(TodoBoard, AMadeUpTwinIsNeverWrittenNorDeleted) {
    PutTree({"0:やる|" + std::string(kFolder), "1:made up|..\\x.z32", "1:real|0.z32", "0:ごみ箱|" + std::string(kTrash)});
    ASSERT_TRUE(tk::WriteFileBytes(dir + "\\x.z32", "outside"));
    TForm15& b = Open();
    Select(b, 1);
    EXPECT_TRUE(b.RichEdit1.ReadOnly());
    EXPECT_EQ(b.ShownFile(), "");
    Select(b, 2);
    ASSERT_TRUE(CloseIt());
    EXPECT_EQ(Bytes(dir + "\\x.z32"), "outside");
    EXPECT_TRUE(tk::FileExists(T + "0.z32"));
}

TEST_F(TodoBoard, RenamedTitlesLoseLeadingBlanksAndSurviveAReload) {
    PutTree({"0:やる|" + std::string(kFolder), "1:a|0.z32", "1:b|1.z32", "0:ごみ箱|" + std::string(kTrash)});
    Put("0.z32", ItemFile("A"));
    Put("1.z32", ItemFile("B"));
    TForm15& b = Open();
    struct Case {
        int index;
        bool allowed;
        const char* typed;
        const char* kept;
    } cases[] = {{1, true, " x", "x"}, {2, true, "\t \t", "b"}, {0, true, "今日", "今日"}, {3, false, "", "ごみ箱"}};
    for (const Case& c : cases) {
        tk::TreeNode node = b.TreeView1.NodeAt(c.index);
        bool allow = !c.allowed;
        b.TreeView1Editing(node, allow);
        EXPECT_EQ(allow, c.allowed) << c.index;
        if (!allow) continue;
        std::string text = c.typed;
        bool accept = false;
        b.TreeView1Edited(node, text, accept);
        EXPECT_EQ(text, c.kept) << c.index;
    }
    ASSERT_TRUE(CloseIt());
    TForm15& again = Open();
    EXPECT_EQ(Shown(again), (Lines{"今日", ">x", ">b", "ごみ箱"}));
    // Each title still has its own file.
    Select(again, 1);
    EXPECT_EQ(again.RichEdit1.Text(), "A");
    Select(again, 2);
    EXPECT_EQ(again.RichEdit1.Text(), "B");
}

TEST_F(TodoBoard, AnItemFileThatCouldNotBeReadIsNeverWritten) {
    PutTree({"0:やる|" + std::string(kFolder), "1:locked|0.z32", "1:other|1.z32", "0:ごみ箱|" + std::string(kTrash)});
    std::string content = ItemFile("大事な内容");
    Put("0.z32", content);
    settings::Open().WriteInteger("TodoBoard", "Index", 1);
    WatchBoxes([](TForm15& b) { return b.RichEdit1.ReadOnly() && b.IsLoading(); });
    HANDLE lock = CreateFileA((T + "0.z32").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    TForm15& b = Open();
    CloseHandle(lock);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("読み込めませんでした"), std::string::npos);
    EXPECT_TRUE(b.RichEdit1.ReadOnly());
    // Leaving the item, and closing, write nothing over the file now that it could be written.
    Select(b, 2);
    Select(b, 1);
    // The same when it is chosen again while held.
    Select(b, 2);
    lock = CreateFileA((T + "0.z32").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Select(b, 1);
    CloseHandle(lock);
    EXPECT_EQ(lockedAtBox, (std::vector<bool>{true, true}));
    ASSERT_TRUE(CloseIt());
    EXPECT_EQ(Bytes(T + "0.z32"), content);
}

TEST_F(TodoBoard, TreeFilesThatAreNoPairAreShownReadOnlyAndNeverWritten) {
    const char* titles = "やる\r\n\ta\r\nごみ箱\r\n\tb\r\n";
    const char* twins = "%$#Z32#$%\r\n\t0.z32\r\n%$#G32#$%\r\n\t1.z32\r\n";
    struct Case {
        const char* name;
        const char *titles, *twins;  // null: no file
        bool lockTwins, markTitlesReadOnly = false;
    } cases[] = {
        {"no twins file", titles, nullptr, false},
        {"twins file locked", titles, twins, true},
        {"a twin short", titles, "%$#Z32#$%\r\n\t0.z32\r\n%$#G32#$%\r\n", false},
        {"a twin more", titles, "%$#Z32#$%\r\n\t9.z32\r\n\t0.z32\r\n%$#G32#$%\r\n\t1.z32\r\n", false},
        {"no titles file", nullptr, twins, false},
        {"titles file marked read-only", titles, twins, false, true},
    };
    settings::Open().WriteInteger("Form", "Delete", 1);
    WatchBoxes([](TForm15& b) { return !b.BitBtn2.Enabled(); });
    auto file = [&](const char* name) { return tk::FileExists(T + name) ? Bytes(T + name) : "(none)"; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* f : {"TreeData.z32", "TreeFile.z32"}) DeleteFileA((T + f).c_str());
        if (c.titles) Put("TreeData.z32", c.titles);
        if (c.twins) Put("TreeFile.z32", c.twins);
        Put("0.z32", ItemFile("A"));
        Put("1.z32", ItemFile("B"));
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (c.lockTwins) lock = CreateFileA((T + "TreeFile.z32").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (c.markTitlesReadOnly) SetFileAttributesA((T + "TreeData.z32").c_str(), FILE_ATTRIBUTE_READONLY);
        boxes.clear();
        lockedAtBox.clear();
        TForm15& b = Open();
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        SetFileAttributesA((T + "TreeData.z32").c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(lockedAtBox[0]);
        EXPECT_NE(boxes[0].find("読み取り専用"), std::string::npos);
        // Nothing that would write the trees or touch an item's file can be done.
        EXPECT_FALSE(b.BitBtn2.Enabled() || b.BitBtn1.Enabled());
        b.BitBtn2Click();
        b.BitBtn1Click();
        bool edit = true, drag = true;
        b.TreeView1Editing(b.TreeView1.NodeAt(0), edit);
        b.TreeView1.OnStartDrag(b.TreeView1.NodeAt(1), drag);
        EXPECT_FALSE(edit || drag);
        Select(b, 1);
        EXPECT_TRUE(b.RichEdit1.ReadOnly());
        b.RichEdit1.SetText("typed");
        Select(b, 0);
        ASSERT_TRUE(CloseIt());
        EXPECT_EQ(file("TreeData.z32"), c.titles ? c.titles : "(none)");
        EXPECT_EQ(file("TreeFile.z32"), c.twins ? c.twins : "(none)");
        EXPECT_EQ(TextOf(T + "0.z32") + TextOf(T + "1.z32"), "AB");
    }
}

TEST_F(TodoBoard, ASaveStoppedBeforeTheTreeFilesAreReplacedLeavesBothAsTheyWere) {
    PutTree({"0:やる|" + std::string(kFolder), "1:a|0.z32", "0:ごみ箱|" + std::string(kTrash)});
    const std::string titles = Bytes(T + "TreeData.z32"), twins = Bytes(T + "TreeFile.z32");
    TForm15& b = Open();
    static int flushed;  // stopped once the second file is written, as a crash there would
    flushed = 0;
    tk::WriteFileSafelyStep = [](const char* step) { return std::string(step) != "flushed" || ++flushed < 2; };
    b.BitBtn2Click();
    tk::WriteFileSafelyStep = nullptr;
    EXPECT_EQ(Bytes(T + "TreeData.z32") + Bytes(T + "TreeFile.z32"), titles + twins);
    b.TreeView1.EndEdit(true);
    ASSERT_TRUE(CloseIt());
    EXPECT_EQ(Bytes(T + "TreeFile.z32"), "%$#Z32#$%\r\n\t1.z32\r\n\t0.z32\r\n%$#G32#$%\r\n");
}

TEST_F(TodoBoard, AfterAddTheTreeStaysAtTheLeftWhileTheNewTitleStartsInsideIt) {
    struct Case {
        int treeWidth;
        bool atLeft, whole;  // narrow: the title starts past the edge; wide: the title fits
    } cases[] = {{240, true, true}, {180, true, false}, {40, false, false}};
    for (auto [treeWidth, atLeft, whole] : cases) {
        SCOPED_TRACE(treeWidth);
        settings::Open().WriteInteger("TodoBoard", "TreeWidth", treeWidth);
        TForm15& b = Open();
        b.BitBtn2Click();
        EXPECT_TRUE(b.TreeView1.IsEditing());
        EXPECT_EQ(GetScrollPos(b.TreeView1.Handle, SB_HORZ) == 0, atLeft);
        // The title's editor lies inside the tree, showing the title's start (and end, when wide).
        HWND edit = (HWND)SendMessageA(b.TreeView1.Handle, TVM_GETEDITCONTROL, 0, 0);
        RECT box, inside;
        GetWindowRect(edit, &box);
        MapWindowPoints(nullptr, b.TreeView1.Handle, (POINT*)&box, 2);
        GetClientRect(edit, &inside);
        EXPECT_GE(box.left, 0);
        EXPECT_LE(box.right, b.TreeView1.ClientWidth());
        auto x = [edit](int i) { return (short)LOWORD(SendMessageA(edit, EM_POSFROMCHAR, i, 0)); };
        EXPECT_TRUE(!atLeft || x(0) >= 0) << x(0);
        EXPECT_TRUE(!whole || x(GetWindowTextLengthW(edit) - 1) + 12 < inside.right) << inside.right;  // 録
        b.TreeView1.EndEdit(false);
        EXPECT_EQ(GetScrollPos(b.TreeView1.Handle, SB_HORZ) == 0, atLeft);
        ASSERT_TRUE(CloseIt());
    }
}

TEST_F(TodoBoard, TheStoredIndexAndTreeFilesOfAnotherShapeAreKeptInBounds) {
    struct Case {
        const char* name;
        int index;
        std::string titles, twins;
        int selected;
    } cases[] = {
        {"past the end", 99, "a\r\n\tb\r\n", "%$#Z32#$%\r\n\t0.z32\r\n", 1},
        {"negative", -5, "a\r\n\tb\r\n", "%$#Z32#$%\r\n\t0.z32\r\n", 0},
        {"fewer twins", 2, "a\r\n\tb\r\n\tc\r\n", "%$#Z32#$%\r\n", 2},
        {"level jump", 1, "a\r\n\t\t\tb\r\n", "%$#Z32#$%\r\n\t\t\t0.z32\r\n", 1},
        {"empty files", 3, "", "", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put("TreeData.z32", c.titles);
        Put("TreeFile.z32", c.twins);
        settings::Open().WriteInteger("TodoBoard", "Index", c.index);
        TForm15& b = Open();
        EXPECT_EQ(b.TreeView1.Selected(), b.TreeView1.NodeAt(c.selected));
        Shown(b);
        b.RichEdit1.SetText("typed");
        ASSERT_TRUE(CloseIt());
        EXPECT_EQ(settings::Open().ReadInteger("TodoBoard", "Index", -1), c.selected);
    }
}

TEST_F(TodoBoard, AnItemAnotherProgramHoldsKeepsItsTextAndStaysSelected) {
    PutTree({"0:やる|" + std::string(kFolder), "1:a|0.z32", "1:b|1.z32", "0:ごみ箱|" + std::string(kTrash)});
    TForm15& b = Open();
    Select(b, 1);
    b.RichEdit1.SetText("書き足した");
    HANDLE held = CreateFileA((T + "0.z32").c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    Select(b, 2);
    CloseHandle(held);
    EXPECT_EQ(b.TreeView1.Selected(), b.TreeView1.NodeAt(1));
    EXPECT_EQ(b.RichEdit1.Text(), "書き足した");
}

TEST_F(TodoBoard, ABoardOpenAtTheProgramsEndIsSaved) {
    TForm15& b = Open();
    b.BitBtn2Click();
    // The new title typed in place, with a blank before it.
    HWND edit = (HWND)SendMessageA(b.TreeView1.Handle, TVM_GETEDITCONTROL, 0, 0);
    ASSERT_TRUE(edit);
    SetWindowTextA(edit, " 牛乳");
    b.TreeView1.EndEdit(false);
    EXPECT_EQ(Shown(b)[1], ">牛乳");
    b.RichEdit1.SetText("二本");
    tk::Application.SaveWork(false);
    EXPECT_EQ(TextOf(T + "0.z32"), "二本");
    EXPECT_EQ(Bytes(T + "TreeData.z32"), "やるべきもの\r\n\t牛乳\r\n保留されているもの\r\n終了したもの\r\nごみ箱\r\n");
    EXPECT_EQ(settings::Open().ReadInteger("TodoBoard", "Index", -1), 1);
}

TEST_F(TodoBoard, ReplaceChangesOnlyTheMatchJustFound) {
    PutTree({"0:やる|" + std::string(kFolder), "1:a|0.z32"});
    settings::Open().WriteInteger("TodoBoard", "Index", 1);
    TForm15& b = Open();
    b.Replace1Click();
    struct Step {
        const char* find;
        const char* with;  // null: Find Next only
        bool found;
        const char* text;
    } steps[] = {
        {"zzz", nullptr, false, "ABC ABC"},
        {"zzz", "Q", false, "ABC ABC"},  // the user's own selection stays as it was
        {"BC", nullptr, true, "ABC ABC"},
        {"BC", "xy", true, "Axy ABC"},
        {"BC", "xy", true, "Axy Axy"},   // every search starts at the top
    };
    b.RichEdit1.SetText("ABC ABC");
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.find) + (s.with ? " -> " + std::string(s.with) : ""));
        b.RichEdit1.Select(2, 2);  // "C " selected by the user
        bool found = s.with ? b.Finder->Replace(s.find, s.with, tk::frDown | tk::frMatchCase)
                            : b.Finder->FindNext(s.find, tk::frDown | tk::frMatchCase);
        EXPECT_EQ(found, s.found);
        EXPECT_EQ(b.RichEdit1.Text(), s.text);
    }
}

TEST_F(TodoBoard, PrintingPutsTheFolderAndTitleAboveTheTextAndLeavesTheTextAsItWas) {
    PutTree({"0:ROOT|" + std::string(kFolder), "1:ITEM ONE|0.z32"});
    Put("0.z32", ItemFile("BODY"));
    TForm15& b = Open();
    std::string out = dir + "\\print.ps";
    dialog = [](tk::CommonDialog&) { return true; };
    struct Case {
        int index;
        const char* page;  // the page's ASCII glyphs in drawing order
        const char* text;
    } cases[] = {{0, "ROOTITEM ONE", "ITEM ONE\r\n"}, {1, "ROOTITEM ONEBODY", "BODY"}};
    for (const Case& c : cases) {
        Select(b, c.index);
        DeleteFileA(out.c_str());
        tk::Printer().OutputFile = out;
        b.Print1Click();
        tk::Printer().OutputFile.clear();
        std::string data, page;
        ASSERT_TRUE(tk::ReadFileBytes(out, data)) << c.index;
        static const std::regex glyph(R"(/aj(\d+) glyphshow)");
        for (std::sregex_iterator it(data.begin(), data.end(), glyph), end; it != end; ++it) {
            int cid = std::stoi((*it)[1]);
            if (cid >= 1 && cid <= 95) page += (char)(cid + 31);
        }
        EXPECT_EQ(page, c.page) << c.index;
        EXPECT_NE(data.find("%%Title: Todo Board"), std::string::npos);
        EXPECT_EQ(b.RichEdit1.Text(), c.text) << c.index;
    }
    EXPECT_TRUE(boxes.empty());
}

// ---- the main window's command ----

namespace {

class TodoCommand : public MainWindow {
protected:
    void TearDown() override {
        if (Form15) Form15->Destroy();
        wintest::Pump();
        MainWindow::TearDown();
    }
};

}  // namespace

TEST_F(TodoCommand, OpensOneBoardWithItsFolderAndMark) {
    UseDataDir();
    Start();
    EXPECT_TRUE(Form1->todo2->Enabled());
    Form1->todo2Click();
    ASSERT_NE(Form15, nullptr);
    TForm15* board = Form15;
    EXPECT_TRUE(tk::DirectoryExists(dir + "\\Todo"));
    EXPECT_TRUE(Form1->todo2->Checked());
    Form1->todo2Click();
    EXPECT_EQ(Form15, board);
    board->Close();
    wintest::Pump();
    EXPECT_EQ(Form15, nullptr);
    EXPECT_FALSE(Form1->todo2->Checked());
    EXPECT_TRUE(tk::FileExists(dir + "\\Todo\\TreeData.z32"));
}

TEST_F(TodoCommand, OpensAtStartWhenAskedTo) {
    UseDataDir();
    settings::Open().WriteBool("Form", "Todo_pop", true);
    Start();
    ASSERT_NE(Form15, nullptr);
    EXPECT_TRUE(Form15->Visible());
    EXPECT_EQ(tk::Application.MainForm, Form1);
}
