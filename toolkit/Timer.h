// A non-visual timer: OnTimer runs on the UI thread every Interval milliseconds while Enabled.
#pragma once
#include <windows.h>

#include <functional>

namespace tk {

class Control;

struct TimerParams {
    int interval = 1000;  // milliseconds; 0 stops the timer
    bool enabled = true;
};

class Timer {
public:
    Timer() = default;
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // The owner is only for symmetry with the controls; the timer runs on its own hidden window.
    void Create(Control& owner, const TimerParams& p = {});
    void Create(const TimerParams& p = {});

    int Tag = 0;
    std::function<void()> OnTimer;

    int Interval() const { return interval_; }
    void SetInterval(int ms);  // a new value starts the count again
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    // True while a Win32 timer is set (Enabled, Interval > 0 and created).
    bool Running() const { return id_ != 0; }

private:
    void Restart();
    void Stop();
    static LRESULT CALLBACK TimerWndProc(HWND, UINT, WPARAM, LPARAM);
    int interval_ = 1000;
    bool enabled_ = true;
    bool created_ = false;
    UINT_PTR id_ = 0;
};

}  // namespace tk
