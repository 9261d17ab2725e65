// The common dialogs through the test seam, and the filter text they hand to Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "toolkit/Dialogs.h"
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
std::string gLeaf;  // the start folder's own name; empty for a drive's root
DWORD gSince;
// OK once the field names the start folder (or, at a root, shows anything), ten seconds at most.
void CALLBACK PressOkWhenThere(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = FindWindowA("#32770", nullptr);
    char text[MAX_PATH] = {};
    if (!dlg) return;
    GetWindowTextA(FindWindowExA(dlg, nullptr, "Edit", nullptr), text, sizeof text);
    DWORD waited = GetTickCount() - gSince;
    if (!(gLeaf.empty() ? text[0] && waited > 1000 : gLeaf == text) && waited < 10000) return;
    KillTimer(nullptr, id);
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
}
}  // namespace

// The real dialog opens at the folder given, deep on a drive not browsed before in the process, at
// a drive's root, and at a folder that another program keeps writing while the dialog lists the
// tree; OK there makes no folder.
TEST(TkDialogs, FolderDialogOpensAtTheFolderGiven) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string own = rtl::ExtractFileDir(exe), drive = own.substr(0, 3), busy = own + "\\orbal_folderdlg";
    ASSERT_GE(std::count(own.begin(), own.end(), '\\'), 3) << own;
    CreateDirectoryA(busy.c_str(), nullptr);
    for (const std::string& start : {own, drive, busy}) {
        SCOPED_TRACE(start);
        gLeaf = start.substr(start.rfind('\\') + 1), gSince = GetTickCount();
        std::atomic<bool> done = start != busy;
        std::thread writer([&] {  // a new write time, a minute on, each millisecond
            HANDLE h = CreateFileA(busy.c_str(), FILE_WRITE_ATTRIBUTES, 7, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            for (ULONGLONG t = 127000000000000000; !done; t += 600000000, Sleep(1))
                SetFileTime(h, nullptr, nullptr, (FILETIME*)&t);
            CloseHandle(h);
        });
        tk::FolderDialog d;
        d.Directory = start;
        SetTimer(nullptr, 0, 100, PressOkWhenThere);
        EXPECT_TRUE(d.Execute());
        done = true;
        writer.join();
        EXPECT_EQ(d.Directory, start);
    }
    RemoveDirectoryA(busy.c_str());
    EXPECT_EQ(GetFileAttributesA((drive + "(" + drive.substr(0, 2) + ")").c_str()), INVALID_FILE_ATTRIBUTES);
}
