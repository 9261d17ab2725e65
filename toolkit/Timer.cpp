#include "toolkit/Timer.h"

#include <map>

#include "toolkit/Application.h"
#include "toolkit/Control.h"

namespace tk {

// One hidden window receives every timer's WM_TIMER; the id says which Timer it belongs to.
// Ids are never reused, so a WM_TIMER left in the queue by a stopped timer finds nobody.
static std::map<UINT_PTR, Timer*>& Registry() {
    static std::map<UINT_PTR, Timer*> r;
    return r;
}
static UINT_PTR nextId = 1;

static HWND TimerWindow(WNDPROC proc) {
    static HWND h = CreateMessageWindow("OrbalTimer", proc);
    return h;
}

LRESULT CALLBACK Timer::TimerWndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m != WM_TIMER) return DefWindowProcA(w, m, wp, lp);
    auto& r = Registry();
    auto it = r.find(wp);
    if (it == r.end()) {
        KillTimer(w, wp);
        return 0;
    }
    // A copy: the handler may destroy its own timer, and OnTimer with it.
    std::function<void()> fn = it->second->OnTimer;
    if (fn) Guard(fn);
    return 0;
}

Timer::~Timer() { Stop(); }

void Timer::Create(Control& owner, const TimerParams& p) {
    (void)owner;
    Create(p);
}

void Timer::Create(const TimerParams& p) {
    interval_ = p.interval;
    enabled_ = p.enabled;
    created_ = true;
    Restart();
}

void Timer::SetInterval(int ms) {
    if (ms < 0) ms = 0;
    if (ms == interval_) return;
    interval_ = ms;
    Restart();
}

void Timer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    Restart();
}

void Timer::Stop() {
    if (!id_) return;
    KillTimer(TimerWindow(TimerWndProc), id_);
    Registry().erase(id_);
    id_ = 0;
}

void Timer::Restart() {
    Stop();
    if (!created_ || !enabled_ || interval_ <= 0) return;
    UINT_PTR id = nextId++;
    if (!SetTimer(TimerWindow(TimerWndProc), id, (UINT)interval_, nullptr)) return;
    id_ = id;
    Registry()[id] = this;
}

}  // namespace tk
