// The association table of dropped files: the stored table, the editing window with its drops,
// and the main window's drops routed through it to the shell seam.
#include <gtest/gtest.h>
#include <windows.h>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "settings/Ext_exec.h"
#include "tests/win/DropFiles.h"
#include "tests/win/WinTest.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"

namespace {

class Associations : public wintest::WindowTest {
protected:
    std::vector<std::string> launches;

    void SetUp() override {
        FreshDataFolder("orbal-assoc-", false);
        tk::SetShellLaunchHookForTest([this](const tk::ShellCall& c) {
            launches.push_back(c.file + "|" + c.parameters);
            return true;
        });
    }
    void TearDown() override {
        if (Form33) Form33->Destroy();
        if (Form1) Form1->Destroy();
        tk::SetShellLaunchHookForTest(nullptr);
    }
    void Open() {
        tk::Application.CreateForm(Form33);
        if (tk::Application.MainForm == Form33) tk::Application.MainForm = nullptr;
        Form33->Show();
    }
    void Type(const std::string& ext, const std::string& program) {
        Form33->Edit3.SetText(ext);
        Form33->Edit1.SetText(program);
    }
    static std::vector<std::string> Extensions() {
        std::vector<std::string> v;
        for (const Association& a : LoadAssociations(settings::Open()).entries) v.push_back(a.ext);
        return v;
    }
};

}  // namespace

TEST_F(Associations, TableEditsCompareWithoutCase) {
    struct Step {
        const char* ext;
        const char* command;  // nullptr: remove
        std::vector<Association> after;
    } steps[] = {
        {".TXT", "ed.exe", {{".txt", "ed.exe"}}},
        {".jpg", "view.exe?-f", {{".txt", "ed.exe"}, {".jpg", "view.exe?-f"}}},
        {".Txt", "ed2.exe", {{".Txt", "ed2.exe"}, {".jpg", "view.exe?-f"}}},
        {".JPG", nullptr, {{".Txt", "ed2.exe"}}},
        {".png", nullptr, {{".Txt", "ed2.exe"}}},
    };
    AssociationTable t;
    for (const Step& s : steps) {
        if (s.command)
            t.Put(s.ext, s.command);
        else
            t.Remove(t.Find(s.ext));
        EXPECT_EQ(t.entries, s.after) << s.ext;
    }
}

TEST_F(Associations, ValidExtensions) {
    for (const char* ok : {".t", ".txt", ".表"}) EXPECT_TRUE(ValidExtension(ok)) << ok;
    for (const char* bad : {"", ".", "txt", ".a=b", ".txt "}) EXPECT_FALSE(ValidExtension(bad)) << bad;
}

TEST_F(Associations, RoundTripAndDropRouting) {
    AssociationTable t;
    t.Put(".txt", "C:\\ed\\ed.exe?-r");
    t.Put(".JPG", "C:\\v\\v.exe");
    t.fallback = "C:\\any\\any.exe";
    {
        auto ini = settings::Open();
        ini.WriteString("Ext_Exec", ".old", "gone.exe");
        SaveAssociations(ini, t);
    }
    AssociationTable back = LoadAssociations(settings::Open());
    EXPECT_EQ(back.entries, t.entries);
    EXPECT_EQ(back.fallback, t.fallback);
    EXPECT_EQ(settings::Open().ReadInteger("Ext_Form", "Count", -1), 2);

    struct Drop {
        const char* file;
        const char* launch;
    } drops[] = {
        {"D:\\a\\memo.TXT", "C:\\ed\\ed.exe|-r \"D:\\a\\memo.TXT\""},
        {"D:\\a\\pic.jpg", "C:\\v\\v.exe| \"D:\\a\\pic.jpg\""},
        {"D:\\a\\song.mid", "C:\\any\\any.exe| \"D:\\a\\song.mid\""},  // unknown: the fallback
        {"D:\\a.b\\noext", "C:\\any\\any.exe| \"D:\\a.b\\noext\""},
    };
    for (const Drop& d : drops) {
        launches.clear();
        EXPECT_TRUE(OpenDroppedFiles(nullptr, {d.file}));
        EXPECT_EQ(launches, std::vector<std::string>{d.launch}) << d.file;
    }
    // No fallback: an unknown extension opens nothing.
    t.fallback.clear();
    auto ini = settings::Open();
    SaveAssociations(ini, t);
    launches.clear();
    EXPECT_TRUE(OpenDroppedFiles(nullptr, {"D:\\a\\song.mid"}));
    EXPECT_TRUE(launches.empty());
}

TEST_F(Associations, WindowWritesOnlyThroughClose) {
    settings::Open().WriteString("Ext_Exec", ".txt", "ed.exe");
    Open();
    ASSERT_EQ(Form33->ListBox1.Items.Count(), 1);
    Type(".TXT", "");
    EXPECT_EQ(Form33->ListBox1.ItemIndex(), 0);  // found whatever the case
    EXPECT_TRUE(Form33->Edit1.Enabled());
    Form33->Edit1.SetText("new.exe");
    Form33->BitBtn6.Click();
    Type(".txt", "newer.exe");
    Form33->BitBtn6.Click();
    Type(".doc", "word.exe");
    Form33->BitBtn6.Click();
    EXPECT_EQ(Form33->ListBox1.Items.Count(), 2);
    // Nothing reaches the file while editing; the title bar's close discards.
    EXPECT_EQ(Extensions(), std::vector<std::string>{".txt"});
    EXPECT_EQ(settings::Open().ReadString("Ext_Exec", ".txt", ""), "ed.exe");
    Form33->Close();
    wintest::Pump();
    EXPECT_EQ(Form33, nullptr);
    EXPECT_EQ(Extensions(), std::vector<std::string>{".txt"});

    Open();
    Type(".txt", "newer.exe");
    Form33->BitBtn6.Click();
    Form33->Edit2.SetText("any.exe");
    Form33->BitBtn1.Click();
    wintest::Pump();
    EXPECT_EQ(Form33, nullptr);
    auto back = LoadAssociations(settings::Open());
    EXPECT_EQ(back.entries, (std::vector<Association>{{".txt", "newer.exe"}}));
    EXPECT_EQ(back.fallback, "any.exe");
}

TEST_F(Associations, WindowFieldsAndDrops) {
    settings::Open().WriteString("Ext_Exec", ".txt", "ed.exe");
    Open();
    struct Case {
        const char* ext;
        bool programEnabled;
    } cases[] = {{"txt", false}, {".", false}, {".t", true}, {".a=b", false}};
    for (const Case& c : cases) {
        Form33->Edit3.SetText(c.ext);
        EXPECT_EQ(Form33->Edit1.Enabled(), c.programEnabled) << c.ext;
    }
    // A program and a document of a known kind in one drop: the program wins the field.
    PostMessageA(Form33->Handle, WM_DROPFILES,
                 (WPARAM)wintest::BuildDrop({"C:\\tools\\Edit.EXE", "D:\\notes\\a.TXT"}), 0);
    wintest::Pump();
    EXPECT_EQ(Form33->Edit3.Text(), ".TXT");
    EXPECT_EQ(Form33->Edit1.Text(), "C:\\tools\\Edit.EXE");
    EXPECT_EQ(Form33->ListBox1.ItemIndex(), 0);
    // Delete needs a selection and removes only from the window's table.
    Form33->BitBtn3.Click();
    EXPECT_EQ(Form33->ListBox1.Items.Count(), 0);
    Form33->BitBtn3.Click();
    EXPECT_EQ(LoadAssociations(settings::Open()).entries.size(), 1u);
}

TEST_F(Associations, MainMenuOpensOneWindowAndMarksIt) {
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->Association1->Click();
    ASSERT_NE(Form33, nullptr);
    EXPECT_TRUE(Form1->Association1->Checked());
    TForm33* first = Form33;
    Form1->Association1->Click();
    EXPECT_EQ(Form33, first);
    Form33->Close();
    wintest::Pump();
    EXPECT_FALSE(Form1->Association1->Checked());
}
