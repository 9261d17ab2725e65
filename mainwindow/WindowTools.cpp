#include "mainwindow/WindowTools.h"

#include "mainwindow/Main.h"

namespace {
std::function<void(HWND)> dragHook;
}

void DragWindow(HWND window) {
    if (dragHook) {
        dragHook(window);
        return;
    }
    ReleaseCapture();
    SendMessageA(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void SetWindowDragHookForTest(std::function<void(HWND)> hook) { dragHook = std::move(hook); }

LRESULT FixedWidthFrame(HWND window, UINT msg, LPARAM lp, LRESULT answer, int width, int maximisedWidth,
                        std::optional<int> maximisedLeft) {
    if (msg == WM_GETMINMAXINFO) {
        auto* mm = (MINMAXINFO*)lp;
        mm->ptMinTrackSize.x = mm->ptMaxTrackSize.x = width;
        mm->ptMaxSize.x = maximisedWidth;
        RECT r;
        if (maximisedLeft) mm->ptMaxPosition.x = *maximisedLeft;
        else if (window && !IsZoomed(window) && GetWindowRect(window, &r)) mm->ptMaxPosition.x = r.left;
    } else if (msg == WM_NCHITTEST) {
        if (answer == HTLEFT || answer == HTRIGHT) return HTCAPTION;
    }
    return answer;
}

namespace maincmd {
const MainCommand Popup{"ポップアップ", "TOOL_POPUP", &TForm1::Popup1},
    Schedule{"スケジュール", "TOOL_SCHEDULE", &TForm1::Todo1}, List{"予定一覧", "TOOL_LIST", &TForm1::List1},
    Data{"データ管理", "TOOL_DATA", &TForm1::Data2}, Telephone{"電話帳", "TOOL_TELEPHONE", &TForm1::Telephone1},
    Todo{"ToDoボード", "TOOL_TODO", &TForm1::todo2}, Diary{"日記一覧", "TOOL_DIARY", &TForm1::List2},
    Birthday{"誕生日", "TOOL_BIRTHDAY", &TForm1::BirthDay1}, Setup{"設定", "TOOL_SETUP", &TForm1::Setup1};
}

void CreateGlyphButton(TPanelButton& b, tk::Control& parent, int x, int y, const char* glyph, const char* hint) {
    b.Create(parent, {.at = {x, y, 24, 24}, .hint = hint});
    tk::TBitmap bmp;
    if (bmp.LoadFromResourceName(GetModuleHandleA(nullptr), glyph)) b.SetGlyph(bmp);
}

void CreateCommandButton(TPanelButton& b, tk::Control& parent, int x, int y, const MainCommand& c) {
    CreateGlyphButton(b, parent, x, y, c.glyph, c.hint);
    b.OnClick = [&c] { RunMainCommand(c); };
    FollowMainCommand(b, c);
}

void RunMainCommand(const MainCommand& c) {
    if (Form1 && Form1->*c.item) (Form1->*c.item)->Click();
}

void FollowMainCommand(TPanelButton& b, const MainCommand& c) {
    b.SetEnabled(Form1 && Form1->*c.item && (Form1->*c.item)->Enabled());
}
