// Closing a window found by a piece of its title, on real windows of this test whose titles no
// other program carries.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Shell.h"

namespace {

// A plain top-level window that closes the default way (WM_CLOSE destroys it).
struct TestWindow {
    HWND h = nullptr;
    explicit TestWindow(const std::string& title) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "OrbalShellTestWindow";
            RegisterClassA(&wc);
            registered = true;
        }
        h = CreateWindowExA(0, "OrbalShellTestWindow", title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() {
        if (IsWindow(h)) DestroyWindow(h);
    }
    bool Alive() const { return IsWindow(h) != FALSE; }
};

// Unique to this process, so that no other program's window can match.
std::string Tag(const std::string& what) { return "OrbalShellTest" + std::to_string(GetCurrentProcessId()) + what; }

struct Order {
    HWND a, b;
    HWND first = nullptr;
};
BOOL CALLBACK FirstOf(HWND h, LPARAM lp) {
    auto* o = reinterpret_cast<Order*>(lp);
    if (h == o->a || h == o->b) {
        o->first = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

TEST(ShellCloseByTitle, ClosesOnlyTheWindowWhoseTitleMatches) {
    TestWindow keep(Tag("-メモ帳")), target(Tag("-予定表 - 編集"));
    ASSERT_TRUE(keep.Alive() && target.Alive());
    std::string title;
    EXPECT_EQ(tk::FindWindowByTitlePart(Tag("-予定"), &title), target.h);
    EXPECT_EQ(title, Tag("-予定表 - 編集"));
    EXPECT_TRUE(tk::CloseWindowByTitlePart(Tag("-予定")));
    EXPECT_FALSE(target.Alive());
    EXPECT_TRUE(keep.Alive());
    // No window carries the text: nothing is closed.
    EXPECT_FALSE(tk::CloseWindowByTitlePart(Tag("-予定")));
    EXPECT_FALSE(tk::CloseWindowByTitlePart(""));
    EXPECT_TRUE(keep.Alive());
}

TEST(ShellCloseByTitle, OfTwoMatchingWindowsOnlyTheFirstReportedCloses) {
    TestWindow a(Tag("-same")), b(Tag("-same"));
    Order o{a.h, b.h};
    EnumWindows(FirstOf, reinterpret_cast<LPARAM>(&o));
    ASSERT_NE(o.first, nullptr);
    EXPECT_TRUE(tk::CloseWindowByTitlePart(Tag("-sa")));
    EXPECT_EQ(a.Alive(), o.first != a.h);
    EXPECT_EQ(b.Alive(), o.first != b.h);
}

TEST(ShellCloseByTitle, MatchesOnCharacterBoundariesOnly) {
    // The second byte of 表 is a backslash; "\ab" must not be found inside "表ab".
    TestWindow w("表ab" + Tag(""));
    EXPECT_EQ(tk::FindWindowByTitlePart("\\ab" + Tag("")), nullptr);
    EXPECT_EQ(tk::FindWindowByTitlePart("表ab" + Tag("")), w.h);
}

TEST(ShellCloseByTitle, ExactTitleClosesThatWindowAndEmptyClosesNone) {
    TestWindow dialer(Tag("ﾀﾞｲﾔﾗｰ")), untitled("");
    ASSERT_TRUE(dialer.Alive() && untitled.Alive());
    struct Case {
        const char* what;
        std::string title;
        bool found;
    };
    const Case cases[] = {
        {"a piece of the title", Tag("ﾀﾞｲ"), false},
        {"empty title", "", false},
        {"the whole title", Tag("ﾀﾞｲﾔﾗｰ"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(tk::CloseWindowByTitle(c.title), c.found);
        EXPECT_EQ(dialer.Alive(), !c.found);
        EXPECT_TRUE(untitled.Alive());
    }
    // The test seam never hears of an empty title either.
    int calls = 0;
    tk::SetCloseWindowHookForTest([&](const std::string&) { return ++calls, true; });
    EXPECT_FALSE(tk::CloseWindowByTitle(""));
    EXPECT_TRUE(tk::CloseWindowByTitle("x"));
    tk::SetCloseWindowHookForTest(nullptr);
    EXPECT_EQ(calls, 1);
}
