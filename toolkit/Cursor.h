// The screen-wide busy cursor: while a guard lives, every window of the program shows its shape
// (the window procedure asks BusyCursorShown on WM_SETCURSOR). Guards nest; the newest living
// guard's shape shows, and the last one to end gives each window its own cursor back, however
// the work ends (return or exception).
#pragma once
#include <windows.h>

namespace tk {

enum TCursor { crDefault, crHourGlass, crAppStart };

class BusyCursor {
public:
    explicit BusyCursor(TCursor shape = crHourGlass);
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    unsigned id_;
};

// The busy shape in force, crDefault when no guard lives.
TCursor ScreenCursor();
// For WM_SETCURSOR: shows the busy shape and returns true while one is in force.
bool BusyCursorShown();

}  // namespace tk
