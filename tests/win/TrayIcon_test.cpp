// The notification-area icon: the notify record, ids, tips, single and double clicks told apart
// by posting the callback message, and the animation thread's start, frames and end.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "controls/TrayIcon.h"
#include "tests/win/WinTest.h"

namespace {

// Records every notify call in place of the notification area; thread-safe, since the animation
// thread sends too.
struct NotifyRecorder {
    struct Call {
        DWORD op;
        NOTIFYICONDATAA data;
        bool fromMain;
    };
    std::mutex m;
    std::vector<Call> calls;
    std::atomic<bool> refuseThreadModify{false}, refuseAll{false}, forward{false};
    const DWORD mainThread = GetCurrentThreadId();

    NotifyRecorder() {
        TTrayIcon::SetNotifyHookForTest([this](DWORD op, const NOTIFYICONDATAA& d) {
            bool main = GetCurrentThreadId() == mainThread;
            std::lock_guard<std::mutex> hold(m);
            calls.push_back({op, d, main});
            if (NOTIFYICONDATAA sent = d; forward) return Shell_NotifyIconA(op, &sent);  // the real area too
            if (refuseAll) return FALSE;
            return (refuseThreadModify && !main && op == NIM_MODIFY) ? FALSE : TRUE;
        });
    }
    ~NotifyRecorder() { TTrayIcon::SetNotifyHookForTest({}); }
    std::vector<Call> Calls() {
        std::lock_guard<std::mutex> hold(m);
        return calls;
    }
    int Count(DWORD op, bool fromThread = false) {
        int n = 0;
        for (const Call& c : Calls()) n += c.op == op && (!fromThread || !c.fromMain);
        return n;
    }
    void Clear() {
        std::lock_guard<std::mutex> hold(m);
        calls.clear();
    }
};

HICON AppIcon() { return LoadIcon(nullptr, IDI_APPLICATION); }

// Frames of distinct colours.
void FillFrames(tk::ImageList& list, int n) {
    list.SetSize(16, 16);
    for (int i = 0; i < n; ++i) {
        tk::TBitmap b(16, 16);
        b.Canvas().Brush.Color = RGB(40 * i, 255 - 40 * i, 128);
        b.Canvas().FillRect({0, 0, 16, 16});
        list.Add(b);
    }
}

void PostMouse(const TTrayIcon& t, UINT mouse) {
    PostMessageA(TTrayIcon::CallbackWindow(), WM_TRAYICON_CALLBACK, t.Id(), mouse);
}

void PumpFor(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    while ((int)(end - GetTickCount()) > 0) wintest::Pump(1);
}

template <class Done>
bool WaitUntil(Done done, DWORD ms = 2000) {
    return wintest::PumpUntil(done, ms);
}

struct ClickCounter {
    int clicks = 0, dbl = 0, ups = 0, downs = 0;
    DWORD clickTick = 0;
    void Wire(TTrayIcon& t, bool withMouseUp) {
        t.OnClick = [this] {
            ++clicks;
            clickTick = GetTickCount();
        };
        t.OnDblClick = [this] { ++dbl; };
        t.OnMouseDown = [this](tk::MouseButton, int, int, int) { ++downs; };
        if (withMouseUp) t.OnMouseUp = [this](tk::MouseButton, int, int, int) { ++ups; };
    }
};

// The rest of a real double click, made inside the menu loop once the menu is up: the item under
// the pointer and the menu's place are noted first.
HMENU gMenu;
int gUnderPointer;
UINT_PTR gCloseTimer;
RECT gMenuRect;

VOID CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

VOID CALLBACK FinishDoubleClick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND w = FindWindowA("#32768", nullptr);
    if (!w || !IsWindowVisible(w)) return;
    KillTimer(nullptr, id);
    POINT p;
    GetCursorPos(&p);
    gUnderPointer = MenuItemFromPoint(nullptr, gMenu, p);
    GetWindowRect(w, &gMenuRect);
    INPUT in[3] = {};
    const DWORD clicks[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; ++i) in[i].type = INPUT_MOUSE, in[i].mi.dwFlags = clicks[i];
    SendInput(3, in, sizeof(INPUT));
    gCloseTimer = SetTimer(nullptr, 0, 5000, CloseMenu);  // only when the clicks left it open
}

}  // namespace

// The left button going down pops the menu; the second click of a double click must choose
// nothing, wherever the icon sits and however tall the menu is. The real icon's menu lies above the
// task bar, and the shell has no tip to show over it.
TEST(TrayIconClick, ADoubleClickOnTheMenuIconChoosesNoItem) {
    NotifyRecorder rec;
    tk::Form host({.caption = "host", .left = -300, .top = -300, .width = 100, .height = 100});
    MONITORINFO mon{sizeof mon};
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mon);
    const RECT w = mon.rcWork;
    const struct {
        const char* what;
        int x, y, items;
    } rows[] = {
        {"the real button low on the real icon", 0, 0, 6},
        {"by the clock, bottom right", w.right - 8, w.bottom - 6, 6},
        {"bottom left", w.left + 8, w.bottom - 6, 6},
        {"top left", w.left + 8, w.top + 6, 6},
        {"taller than either side", w.right - 200, (w.top + w.bottom) / 2, 40},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        rec.forward = row.x == 0;
        tk::PopupMenu menu;
        menu.Create(host);
        bool ended = false;
        for (int i = 1; i < row.items; ++i) menu.Items.Add("項目");
        menu.Items.Add("終了(&X)", [&] { ended = true; });
        TTrayIcon icon;
        icon.Create(host, {.icon = AppIcon(), .visible = true});
        icon.SetLBPopupMenu(&menu);
        gMenu = menu.Handle();
        gUnderPointer = -2;
        UINT_PTR t = SetTimer(nullptr, 0, 10, FinishDoubleClick);
        RECT bar{}, cut;
        bool on = false;
        icon.OnMouseMove = [&](int, int, int) { on = true; };
        if (!rec.forward) {
            SetCursorPos(row.x, row.y);
            SendMessageA(TTrayIcon::CallbackWindow(), WM_TRAYICON_CALLBACK, icon.Id(), WM_LBUTTONDOWN);
        } else if (wintest::PumpUntil([&] { return GetWindowRect(FindWindowA("Shell_TrayWnd", 0), &bar) && bar.bottom; }) &&
                   wintest::RestCursor({bar.right - 10, 0}, {bar.right - 10, bar.bottom - 3}, [&] { return on; })) {
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);  // on the task bar's right-most icon
            EXPECT_TRUE(wintest::PumpUntil([] { return gUnderPointer != -2; }));
        }
        KillTimer(nullptr, t);
        wintest::Pump();
        KillTimer(nullptr, gCloseTimer);
        EXPECT_EQ(std::tuple(gUnderPointer, ended), std::tuple(-1, false));
        if (!rec.forward) continue;
        EXPECT_FALSE(IntersectRect(&cut, &gMenuRect, &bar));
        EXPECT_TRUE(UnionRect(&cut, &gMenuRect, &w) && EqualRect(&cut, &w));
        auto calls = rec.Calls();  // the tips the shell was given: none while the menu was up
        EXPECT_EQ(std::string(calls.at(1).data.szTip) + "," + calls.back().data.szTip, ",TipHelp");
    }
}

TEST(TrayIconClick, SingleAndDoubleClicksAreToldApart) {
    const DWORD dblTime = GetDoubleClickTime();
    struct Row {
        const char* what;
        std::vector<UINT> mouse;
        bool withMouseUp, enabled;
        int clicks, dbl, ups, downs;
    };
    const Row rows[] = {
        {"one click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, false, true, 1, 0, 0, 1},
        {"double click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, false, true, 0, 1, 0, 1},
        {"mouse-up handler takes the click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, true, true, 0, 0, 1, 1},
        {"mouse-up handler, double click", {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, true, true, 0, 1, 2, 0},
        {"disabled", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}, false, false, 0, 0, 0, 0},
        {"right button", {WM_RBUTTONDOWN, WM_RBUTTONUP}, false, true, 0, 0, 0, 1},
    };
    NotifyRecorder rec;
    // All rows at once, each on its own icon, so the wait is paid once.
    const size_t n = std::size(rows);
    std::vector<std::unique_ptr<TTrayIcon>> icons;
    std::vector<ClickCounter> counters(n);
    for (size_t i = 0; i < n; ++i) {
        icons.push_back(std::make_unique<TTrayIcon>());
        icons[i]->Create();
        counters[i].Wire(*icons[i], rows[i].withMouseUp);
        icons[i]->SetEnabled(rows[i].enabled);
    }
    for (size_t i = 0; i < n; ++i)
        for (UINT m : rows[i].mouse) PostMouse(*icons[i], m);
    DWORD posted = GetTickCount();
    PumpFor(dblTime / 2);
    for (size_t i = 0; i < n; ++i) EXPECT_EQ(counters[i].clicks, 0) << rows[i].what << ": reported too early";
    PumpFor(dblTime + 300);
    for (size_t i = 0; i < n; ++i) {
        const Row& r = rows[i];
        const ClickCounter& c = counters[i];
        EXPECT_EQ(c.clicks, r.clicks) << r.what;
        EXPECT_EQ(c.dbl, r.dbl) << r.what;
        EXPECT_EQ(c.ups, r.ups) << r.what;
        EXPECT_EQ(c.downs, r.downs) << r.what;
        if (c.clicks) {
            EXPECT_GE(c.clickTick - posted + 20, dblTime + 50) << r.what;
        }
    }
}

TEST(TrayIconClick, DestroyWhileAClickIsPendingReportsNothing) {
    NotifyRecorder rec;
    ClickCounter first, second;
    auto a = std::make_unique<TTrayIcon>(), b = std::make_unique<TTrayIcon>();
    a->Create();
    b->Create();
    first.Wire(*b, false);
    PostMouse(*b, WM_LBUTTONUP);
    wintest::Pump();
    b.reset();
    // The next icon takes the same id; the old click must not reach it.
    b = std::make_unique<TTrayIcon>();
    b->Create();
    second.Wire(*b, false);
    PumpFor(GetDoubleClickTime() + 300);
    EXPECT_EQ(first.clicks, 0);
    EXPECT_EQ(second.clicks, 0);
    // A click whose handler frees its own icon.
    b->OnClick = [&] { b.reset(); };
    PostMouse(*b, WM_LBUTTONUP);
    EXPECT_TRUE(WaitUntil([&] { return !b; }));
}

TEST(TrayIconRegistry, IdsGoOnFromTheLastRegisteredIcon) {
    NotifyRecorder rec;
    auto a = std::make_unique<TTrayIcon>(), b = std::make_unique<TTrayIcon>();
    a->Create();
    b->Create();
    EXPECT_EQ(a->Id(), 1);
    EXPECT_EQ(b->Id(), 2);
    EXPECT_EQ(TTrayIcon::Find(1), a.get());
    a.reset();
    EXPECT_EQ(TTrayIcon::Find(1), nullptr);
    TTrayIcon c;
    c.Create();
    EXPECT_EQ(c.Id(), 3);
    // A callback for a gone id is ignored.
    SendMessageA(TTrayIcon::CallbackWindow(), WM_TRAYICON_CALLBACK, 1, WM_LBUTTONDBLCLK);

    // At most a hundred icons in one process.
    std::vector<std::unique_ptr<TTrayIcon>> more;
    while ((int)more.size() < TTrayIcon::MaxIcons - 2) {
        more.push_back(std::make_unique<TTrayIcon>());
        more.back()->Create();
    }
    TTrayIcon extra;
    try {
        extra.Create();
        ADD_FAILURE() << "the 101st icon was registered";
    } catch (const EOutOfMemory& e) {
        EXPECT_STREQ(e.what(), "タスクトレイにアイコンを登録できません。");
    }
}

TEST(TrayIconRecord, AddModifyAndDeleteSendTheFirstVersionRecord) {
    NotifyRecorder rec;
    HWND callback = nullptr;
    {
        TTrayIcon t;
        t.Create();
        callback = TTrayIcon::CallbackWindow();
        t.SetVisible(true);  // no picture yet: stays hidden
        EXPECT_FALSE(t.Visible());
        EXPECT_TRUE(rec.Calls().empty());
        t.SetIcon(AppIcon());
        t.SetVisible(true);
        EXPECT_TRUE(t.Shown());
        t.SetTipHelp("");
        t.SetIcon(nullptr);  // no picture: out of the area
        EXPECT_FALSE(t.Visible());
        EXPECT_FALSE(t.Shown());
    }
    auto calls = rec.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].op, (DWORD)NIM_ADD);
    EXPECT_EQ(calls[1].op, (DWORD)NIM_MODIFY);
    EXPECT_EQ(calls[2].op, (DWORD)NIM_DELETE);
    const NOTIFYICONDATAA& d = calls[0].data;
    EXPECT_EQ(d.cbSize, 88u);
    EXPECT_EQ(d.hWnd, callback);
    EXPECT_FALSE(IsWindow(callback));  // gone with the last icon
    EXPECT_EQ(d.uCallbackMessage, 1224u);
    EXPECT_EQ(d.uFlags, 7u);
    EXPECT_STREQ(d.szTip, "TipHelp");
    EXPECT_NE(d.hIcon, nullptr);
    EXPECT_EQ(calls[1].data.uFlags, 3u);  // no tip

    // The callback window stands alone: no parent, no owner, never shown.
    HWND w = TTrayIcon::CallbackWindow();
    EXPECT_EQ(GetParent(w), nullptr);
    EXPECT_EQ(GetWindow(w, GW_OWNER), nullptr);
    EXPECT_FALSE(IsWindowVisible(w));
}

TEST(TrayIconRecord, TipsKeepAtMost62BytesOnACharacterBoundary) {
    const std::string a61(61, 'a');
    struct Row {
        const char* what;
        std::string tip;
        std::string kept;
    };
    const Row rows[] = {
        {"70 single-byte characters", std::string(70, 'x'), std::string(62, 'x')},
        {"a double-byte character across the cut", a61 + "あ" + std::string(7, 'b'), a61},
        {"a double-byte character ending at the cut", std::string(60, 'c') + "表" + "dd", std::string(60, 'c') + "表"},
        {"short", "メモ", "メモ"},
    };
    NotifyRecorder rec;
    for (const Row& r : rows) {
        TTrayIcon t;
        t.Create({.icon = AppIcon(), .visible = true});
        rec.Clear();
        t.SetTipHelp(r.tip);
        EXPECT_EQ(t.TipHelp(), r.kept) << r.what;
        ASSERT_EQ(rec.Count(NIM_MODIFY), 1) << r.what;
        EXPECT_EQ(std::string(rec.Calls()[0].data.szTip), r.kept) << r.what;
        t.SetTipHelp(r.tip);  // the same text again sends nothing
        t.SetTipHelp(r.kept);
        EXPECT_EQ(rec.Count(NIM_MODIFY), 1) << r.what;
    }
}

TEST(TrayIconRecord, MainThreadFailuresRaiseAndTheRateHasAFloor) {
    NotifyRecorder rec;
    TTrayIcon t;
    t.Create({.icon = AppIcon()});
    rec.refuseAll = true;
    EXPECT_THROW(t.SetVisible(true), EOutOfMemory);
    EXPECT_FALSE(t.Visible());
    rec.refuseAll = false;
    t.SetVisible(true);
    rec.refuseAll = true;
    EXPECT_THROW(t.SetTipHelp("別の説明"), EOutOfMemory);
    rec.refuseAll = false;

    EXPECT_EQ(t.AnimateRate(), 500);
    for (auto [set, want] : {std::pair{50, 100}, {100, 100}, {250, 250}}) {
        t.SetAnimateRate(set);
        EXPECT_EQ(t.AnimateRate(), want) << set;
    }
}

TEST(TrayIconAnimation, StartAnimateAndDestroyFiftyTimes) {
    NotifyRecorder rec;
    tk::ImageList frames;
    FillFrames(frames, 3);
    for (int i = 0; i < 50; ++i) {
        auto t = std::make_unique<TTrayIcon>();
        t->Create({.icon = AppIcon(), .visible = true});
        t->SetAnimateIcons(&frames);
        t->SetAnimateRate(i % 2 ? 100 : 1000);
        rec.Clear();
        t->StartAnimation(i % 5 == 4);
        EXPECT_TRUE(t->Animating() || i % 5 == 4);
        // Half the time the thread is caught before its first frame, half the time while waiting.
        if (i % 2 == 0) {
            EXPECT_TRUE(WaitUntil([&] { return rec.Count(NIM_MODIFY, true) > 0; })) << i;
        }
        DWORD start = GetTickCount();
        t.reset();
        DWORD took = GetTickCount() - start;
        EXPECT_LT(took, 250u) << "destroy " << i << " waited for the frame interval";
        auto calls = rec.Calls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().op, (DWORD)NIM_DELETE) << "nothing is sent after the icon went";
    }
}

TEST(TrayIconAnimation, FramesFollowEachOtherAndSingleStepsAdvance) {
    NotifyRecorder rec;
    tk::ImageList frames;
    FillFrames(frames, 3);
    TTrayIcon t;
    t.Create({.icon = AppIcon(), .visible = true});
    t.SetAnimateIcons(&frames);
    rec.Clear();
    std::vector<HICON> shown;
    for (int step = 0; step < 4; ++step) {
        t.StartAnimation(true);
        ASSERT_TRUE(WaitUntil([&] { return rec.Count(NIM_MODIFY, true) == step + 1 && !t.Animating(); })) << step;
        shown.push_back(rec.Calls().back().data.hIcon);
    }
    // Three frames in turn, then the first again.
    EXPECT_TRUE(shown[0] != shown[1] && shown[1] != shown[2] && shown[0] != shown[2]);
    EXPECT_EQ(shown[3], shown[0]);

    // Refused frames are skipped without harm; the animation goes on.
    rec.refuseThreadModify = true;
    rec.Clear();
    t.SetAnimateRate(100);
    t.StartAnimation();
    EXPECT_TRUE(WaitUntil([&] { return rec.Count(NIM_MODIFY, true) >= 3; }));
    EXPECT_TRUE(t.Animating());
    rec.refuseThreadModify = false;
}

TEST(TrayIconAnimation, FramesMayGoWhileRunningAndTakingThemAwayStops) {
    NotifyRecorder rec;
    TTrayIcon t;
    t.Create({.icon = AppIcon(), .visible = true});
    t.SetAnimateRate(100);
    {
        tk::ImageList frames;
        FillFrames(frames, 2);
        t.SetAnimateIcons(&frames);
        t.StartAnimation();
    }
    EXPECT_EQ(t.AnimateIcons(), nullptr);  // the list is gone, the icon knows
    rec.Clear();
    EXPECT_TRUE(WaitUntil([&] { return rec.Count(NIM_MODIFY, true) >= 2; }));  // on its own copies

    // Taking the frames away stops the thread and shows the still picture again.
    tk::ImageList other;
    FillFrames(other, 2);
    TTrayIcon u;
    u.Create({.icon = AppIcon(), .visible = true});
    u.SetAnimateIcons(&other);
    u.StartAnimation();
    ASSERT_TRUE(u.Animating());
    u.SetAnimateIcons(nullptr);
    EXPECT_FALSE(u.Animating());
    rec.Clear();
    PumpFor(250);
    for (const auto& c : rec.Calls()) EXPECT_NE(c.data.uID, (UINT)u.Id()) << "a frame after the stop";
}

TEST(TrayIconArea, WineTakesTheIcon) {
    // The real notification area, no hook: add, change the tip, animate a little, delete.
    tk::ImageList frames;
    FillFrames(frames, 2);
    TTrayIcon t;
    t.Create({.tip = "Orbal98", .animateRate = 100, .icon = AppIcon(), .visible = true});
    EXPECT_TRUE(t.Shown());
    t.SetTipHelp("時計・カレンダー");
    t.SetAnimateIcons(&frames);
    t.StartAnimation();
    PumpFor(300);
}
