// The non-visual timer: ticks on the message loop, stops when disabled or destroyed, and survives
// handlers that end it.
#include <gtest/gtest.h>

#include <memory>

#include "tests/win/WinTest.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Timer.h"

namespace {

// Pumps messages until done() or the time cap; returns done().
template <class F>
bool PumpUntil(F done, DWORD capMs = 3000) {
    DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < capMs) wintest::Pump(1);
    return done();
}

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) wintest::Pump(1);
}

}  // namespace

TEST(TkTimer, TicksWhileEnabledAndStopsWhenDisabled) {
    tk::Timer t;
    int n = 0;
    t.OnTimer = [&] { ++n; };
    t.Create({.interval = 20});
    ASSERT_TRUE(PumpUntil([&] { return n >= 3; }));
    t.SetEnabled(false);
    EXPECT_FALSE(t.Running());
    int stopped = n;
    PumpFor(150);
    EXPECT_EQ(n, stopped);
    t.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return n > stopped; }));
    // Interval 0 stops it as well; a positive one starts it again.
    t.SetInterval(0);
    EXPECT_FALSE(t.Running());
    stopped = n;
    PumpFor(100);
    EXPECT_EQ(n, stopped);
    t.SetInterval(20);
    EXPECT_TRUE(PumpUntil([&] { return n > stopped; }));
}

TEST(TkTimer, NewIntervalRestartsTheCount) {
    tk::Timer t;
    int n = 0;
    t.OnTimer = [&] { ++n; };
    t.Create({.interval = 250});
    // Changing the interval every 50 ms keeps postponing the first tick.
    for (int i = 0; i < 8; ++i) {
        PumpFor(50);
        t.SetInterval(i % 2 ? 250 : 251);
    }
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(PumpUntil([&] { return n > 0; }));
}

TEST(TkTimer, DestroyedTimerNeverFiresAndOwnDeletionIsSafe) {
    int n = 0;
    {
        tk::Timer gone;
        gone.OnTimer = [&] { n += 100; };
        gone.Create({.interval = 1});
        Sleep(30);  // its WM_TIMER is due, possibly already queued
    }
    PumpFor(60);
    EXPECT_EQ(n, 0);

    // A handler that frees its own timer (and the closure it runs in).
    auto* self = new tk::Timer;
    auto owned = std::make_shared<int>(0);
    self->OnTimer = [&n, &self, owned] {
        ++n;
        ++*owned;
        delete self;
        self = nullptr;
    };
    std::weak_ptr<int> probe = owned;
    owned.reset();
    self->Create({.interval = 20});
    ASSERT_TRUE(PumpUntil([&] { return n >= 1; }));
    PumpFor(100);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(self, nullptr);
    EXPECT_TRUE(probe.expired());  // the handler's captures went with the timer
}

TEST(TkTimer, AnExceptionInTheHandlerIsReportedAndTheTimerGoesOn) {
    std::string reported;
    tk::SetMessageBoxHookForTest([&](const tk::MsgBoxCall& c) {
        reported = c.text;
        return IDOK;
    });
    tk::Timer t;
    int n = 0;
    t.OnTimer = [&] {
        if (++n == 1) throw std::runtime_error("tick failed");
    };
    t.Create({.interval = 20});
    EXPECT_TRUE(PumpUntil([&] { return n >= 2; }));
    tk::SetMessageBoxHookForTest(nullptr);
    EXPECT_EQ(reported, "tick failed");
}
