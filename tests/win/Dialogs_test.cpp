// The common dialogs through the test seam, and the filter text they hand to Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/rtl/SysUtils.h"

namespace {
struct Hooked {
    explicit Hooked(std::function<bool(tk::CommonDialog&)> h) { tk::SetDialogHookForTest(std::move(h)); }
    ~Hooked() { tk::SetDialogHookForTest(nullptr); }
};
}  // namespace

TEST(TkDialogs, FilterSplitsAtBarsButNotInsideCharacters) {
    // ポ is 0x83 0x7C: its trail byte is a '|'.
    std::string api = tk::FilterForApi("ポスター(*.bmp)|*.bmp|全て|*.*");
    EXPECT_EQ(api, std::string("ポスター(*.bmp)\0*.bmp\0全て\0*.*\0\0", 32));
}

TEST(TkDialogs, TheHookGivesTheAnswerAndCancelKeepsTheFields) {
    std::vector<tk::DialogKind> kinds;
    bool confirm = true;
    Hooked h([&](tk::CommonDialog& d) {
        kinds.push_back(d.Kind());
        if (!confirm) return false;
        if (auto* o = dynamic_cast<tk::OpenDialog*>(&d)) o->FileName = o->InitialDir + "\\表.txt";
        if (auto* c = dynamic_cast<tk::ColorDialog*>(&d)) c->Color = tk::clTeal;
        if (auto* f = dynamic_cast<tk::FontDialog*>(&d)) f->Font.Style |= tk::fsBold;
        return true;
    });
    tk::SaveDialog save;
    save.InitialDir = "c:\\ソ";
    save.Options = tk::ofOverwritePrompt | tk::ofPathMustExist;
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName, "c:\\ソ\\表.txt");
    tk::ColorDialog color;
    color.Color = tk::clRed;
    EXPECT_TRUE(color.Execute());
    EXPECT_EQ(color.Color, tk::clTeal);
    tk::FontDialog font;
    EXPECT_TRUE(font.Execute());
    EXPECT_EQ(font.Font.Style, tk::fsBold);

    confirm = false;
    tk::OpenDialog open;
    open.FileName = "keep.txt";
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName, "keep.txt");
    EXPECT_EQ(kinds, (std::vector<tk::DialogKind>{tk::DialogKind::Save, tk::DialogKind::Color, tk::DialogKind::Font,
                                                   tk::DialogKind::Open}));
}

namespace {
struct Browse {
    std::string leaf;  // the start folder's own name; empty for a drive's root
    DWORD since = 0;
} gBrowse;
BOOL CALLBACK FindField(HWND h, LPARAM lp) {
    char cls[16] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (lstrcmpiA(cls, "Edit") == 0) *(HWND*)lp = h;
    return TRUE;
}
// OK once the field names the start folder (or, at a root, shows anything), ten seconds at most.
void CALLBACK PressOkWhenThere(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = FindWindowA("#32770", nullptr), field = nullptr;
    if (!dlg) return;
    EnumChildWindows(dlg, FindField, (LPARAM)&field);
    char text[MAX_PATH] = {};
    if (field) GetWindowTextA(field, text, sizeof text);
    DWORD waited = GetTickCount() - gBrowse.since;
    bool there = gBrowse.leaf.empty() ? text[0] && waited > 1000 : gBrowse.leaf == text;
    if (!there && waited < 10000) return;
    KillTimer(nullptr, id);
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
}
}  // namespace

// The real folder dialog, confirmed once it shows its folder: it opens at the folder it was given,
// deep on a drive not browsed before in the process (the tests' own folder) as well as at a
// drive's root, and OK there makes no folder.
TEST(TkDialogs, FolderDialogOpensAtTheFolderGiven) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string own = rtl::ExtractFileDir(exe), drive = own.substr(0, 3);
    ASSERT_GE(std::count(own.begin(), own.end(), '\\'), 3) << own;
    for (const std::string& start : {own, drive}) {
        SCOPED_TRACE(start);
        gBrowse = {start.substr(start.rfind('\\') + 1), GetTickCount()};
        tk::FolderDialog d;
        d.Directory = start;
        SetTimer(nullptr, 0, 100, PressOkWhenThere);
        EXPECT_TRUE(d.Execute());
        EXPECT_EQ(d.Directory, start);
    }
    EXPECT_EQ(GetFileAttributesA((drive + "(" + drive.substr(0, 2) + ")").c_str()), INVALID_FILE_ATTRIBUTES);
}
