// Shows a small form whose gauge hint is rewritten every second, with the mouse resting on the
// gauge, for a screenshot of the tip:  show_hint.exe [seconds]
#include <windows.h>

#include <cstdlib>
#include <string>

#include "controls/SGaugeEx.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Timer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int seconds = __argc > 1 ? atoi(__argv[1]) : 6;
    tk::Application.Initialize();
    tk::Form form({.caption = "ヒントの表示", .left = 60, .top = 60, .width = 360, .height = 170});
    tk::Panel band;
    tk::Label label;
    TSGauge gauge;
    tk::StatusBar status;
    tk::Timer tick;
    label.Create(form, {.at = {12, 14, 80, 16}, .caption = "時間帯"});
    band.Create(form, {.at = {12, 34, 322, 40}, .hint = "時間帯グラフ", .style = tk::pnOuterLowered});
    gauge.Create(band, {.at = {2, 2, 318, 17}, .max = 100, .value = 36});
    status.Create(form, {.caption = "マウスを置くとヒントが出ます。"});
    status.SetSimplePanel(true);
    int minutes = 200;
    auto rewrite = [&] {
        ++minutes;
        gauge.SetPosition(minutes * 100 / 541);
        gauge.Hint = "仕事の割合\r09:00～18:00 (541分間)\r現在 " + std::to_string(minutes) + "分経過(" +
                     std::to_string(minutes * 100 / 541) + "%)";
    };
    rewrite();
    tick.Create(form, {.interval = 1000});
    tick.OnTimer = rewrite;
    form.Show();
    POINT p = gauge.ClientToScreen({150, 8});
    DWORD start = GetTickCount();
    for (int step = 0; GetTickCount() - start < (DWORD)seconds * 1000 && !tk::Application.Terminated; ++step) {
        // The first window of a fresh Wine may map late: move onto the gauge again a few times.
        if (step % 25 == 0 && step <= 50) SetCursorPos(p.x - (step / 25) % 2 * 4, p.y);
        tk::Application.ProcessMessages();
        Sleep(20);
    }
    return 0;
}
