// The page control: which sheet shows, which events a user's tab change fires and a change from
// code does not, hidden tabs, and the sheets as containers.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/PageControl.h"

namespace {

struct Pages {
    tk::Form form{{.caption = "pages", .width = 400, .height = 300}};
    tk::PageControl pc;
    tk::TabSheet s1, s2, s3;
    int changes = 0, changing = 0;
    bool allow = true;
    Pages() {
        pc.Create(form, {.at = {8, 8, 360, 240}});
        s1.Create(pc, {.caption = "時計"});
        s2.Create(pc, {.caption = "ｽｹｼﾞｭｰﾙ"});
        s3.Create(pc, {.caption = "ﾊﾞｲｵﾘｽﾞﾑ"});
        pc.OnChange = [this] { ++changes; };
        pc.OnChanging = [this](bool& a) {
            ++changing;
            a = allow;
        };
    }
    int CurSel() const { return (int)SendMessageA(pc.Handle, TCM_GETCURSEL, 0, 0); }
    int TabCount() const { return (int)SendMessageA(pc.Handle, TCM_GETITEMCOUNT, 0, 0); }
    std::string TabText(int i) const {
        char buf[64] = {};
        TCITEMA it{};
        it.mask = TCIF_TEXT;
        it.pszText = buf;
        it.cchTextMax = sizeof buf;
        SendMessageA(pc.Handle, TCM_GETITEMA, i, (LPARAM)&it);
        return buf;
    }
    // A user's click on tab i, as the mouse would give it.
    void ClickTab(int i) {
        RECT r{};
        SendMessageA(pc.Handle, TCM_GETITEMRECT, i, (LPARAM)&r);
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(pc.Handle, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(pc.Handle, WM_LBUTTONUP, 0, at);
    }
    // What comctl32 sends the parent when the keyboard moves the selection.
    void UserSelect(int i) {
        NMHDR nm{pc.Handle, (UINT_PTR)GetDlgCtrlID(pc.Handle), (UINT)TCN_SELCHANGING};
        if (SendMessageA(form.Handle, WM_NOTIFY, nm.idFrom, (LPARAM)&nm)) return;
        SendMessageA(pc.Handle, TCM_SETCURSEL, i, 0);
        nm.code = TCN_SELCHANGE;
        SendMessageA(form.Handle, WM_NOTIFY, nm.idFrom, (LPARAM)&nm);
    }
    bool Shows(const tk::TabSheet& s) const { return s.Visible(); }
};

}  // namespace

TEST(TkPageControl, ChangeFromCodeFiresNothingAUsersChangeFiresBoth) {
    Pages p;
    EXPECT_EQ(p.pc.ActivePage(), &p.s1);  // the first sheet starts active
    EXPECT_TRUE(p.Shows(p.s1));
    EXPECT_FALSE(p.Shows(p.s2));

    p.pc.SetActivePageIndex(1);
    EXPECT_EQ(p.pc.ActivePage(), &p.s2);
    EXPECT_EQ(p.CurSel(), 1);
    EXPECT_TRUE(p.Shows(p.s2));
    EXPECT_FALSE(p.Shows(p.s1));
    EXPECT_EQ(p.changes + p.changing, 0);

    p.ClickTab(2);
    EXPECT_EQ(p.pc.ActivePage(), &p.s3);
    EXPECT_TRUE(p.Shows(p.s3));
    EXPECT_FALSE(p.Shows(p.s2));
    EXPECT_EQ(p.changing, 1);
    EXPECT_EQ(p.changes, 1);

    p.UserSelect(0);
    EXPECT_EQ(p.pc.ActivePageIndex(), 0);
    EXPECT_EQ(p.changes, 2);
}

TEST(TkPageControl, OnChangingCanKeepThePage) {
    Pages p;
    p.allow = false;
    p.ClickTab(1);
    EXPECT_EQ(p.changing, 1);
    EXPECT_EQ(p.changes, 0);
    EXPECT_EQ(p.pc.ActivePage(), &p.s1);
    EXPECT_EQ(p.CurSel(), 0);
    EXPECT_TRUE(p.Shows(p.s1));
    EXPECT_FALSE(p.Shows(p.s2));
}

TEST(TkPageControl, HiddenTabsKeepTheMappingFromTabToSheet) {
    Pages p;
    p.pc.SetActivePage(&p.s2);
    p.s2.SetTabVisible(false);  // the active sheet's tab goes: the next one takes over
    EXPECT_EQ(p.TabCount(), 2);
    EXPECT_EQ(p.pc.ActivePage(), &p.s3);
    EXPECT_EQ(p.CurSel(), 1);
    EXPECT_TRUE(p.Shows(p.s3));
    EXPECT_FALSE(p.Shows(p.s2));
    EXPECT_EQ(p.s3.TabIndex(), 1);
    EXPECT_EQ(p.s3.PageIndex(), 2);
    p.pc.SetActivePage(&p.s2);  // a sheet without a tab cannot be shown
    EXPECT_EQ(p.pc.ActivePage(), &p.s3);
    p.ClickTab(0);
    EXPECT_EQ(p.pc.ActivePage(), &p.s1);
    p.s2.SetTabVisible(true);
    EXPECT_EQ(p.TabText(1), "ｽｹｼﾞｭｰﾙ");
    EXPECT_EQ(p.CurSel(), 0);
    p.ClickTab(2);
    EXPECT_EQ(p.pc.ActivePage(), &p.s3);
    EXPECT_EQ(p.CurSel(), 2);
    p.s1.SetTabVisible(false);  // a tab before the selection: the selection follows its sheet
    EXPECT_EQ(p.CurSel(), 1);
    EXPECT_EQ(p.pc.ActivePage(), &p.s3);
    p.s3.SetCaption("ﾊﾞｲｵ");
    EXPECT_EQ(p.TabText(1), "ﾊﾞｲｵ");
}

TEST(TkPageControl, SheetsFillTheDisplayAreaAndHostControls) {
    Pages p;
    RECT d = p.pc.DisplayRect();
    for (tk::TabSheet* s : {&p.s1, &p.s2, &p.s3}) {
        EXPECT_EQ(s->Left(), d.left);
        EXPECT_EQ(s->Top(), d.top);
        EXPECT_EQ(s->Width(), d.right - d.left);
        EXPECT_EQ(s->Height(), d.bottom - d.top);
    }
    p.pc.SetBounds(0, 0, 300, 200);
    d = p.pc.DisplayRect();
    EXPECT_EQ(p.s2.Width(), d.right - d.left);
    EXPECT_EQ(p.s2.Height(), d.bottom - d.top);

    // A child of a sheet has its notifications reflected by the sheet.
    struct Button : tk::Control {
        void Create(tk::Control& parent) { CreateChild(parent, "BUTTON", BS_PUSHBUTTON, 0, {.at = {4, 4, 80, 24}}); }
        bool HandleCommand(WORD code) override {
            if (code == BN_CLICKED && OnClick) OnClick();
            return true;
        }
    } b;
    b.Create(p.s2);
    int clicked = 0;
    b.OnClick = [&] { ++clicked; };
    SendMessageA(b.Handle, BM_CLICK, 0, 0);
    EXPECT_EQ(clicked, 1);
    p.form.Show();
    EXPECT_FALSE(IsWindowVisible(b.Handle));  // its sheet is not the active one
    p.pc.SetActivePage(&p.s2);
    EXPECT_TRUE(IsWindowVisible(b.Handle));
}

TEST(TkPageControl, TabWidthFixesEveryTab) {
    Pages p;
    p.pc.SetTabWidth(p.pc.Width() * 49 / 100);
    RECT r{};
    SendMessageA(p.pc.Handle, TCM_GETITEMRECT, 2, (LPARAM)&r);
    EXPECT_EQ(r.right - r.left, 360 * 49 / 100);
    EXPECT_EQ(p.pc.TabWidth(), 176);
    p.pc.SetTabWidth(0);
    SendMessageA(p.pc.Handle, TCM_GETITEMRECT, 2, (LPARAM)&r);
    EXPECT_LT(r.right - r.left, 176);
}

TEST(TkPageControl, FreeingTheActiveSheetMovesToTheNext) {
    Pages p;
    auto* extra = new tk::TabSheet;
    extra->Create(p.pc, {.caption = "追加"});
    p.pc.SetActivePage(extra);
    delete extra;
    EXPECT_EQ(p.pc.PageCount(), 3);
    EXPECT_EQ(p.TabCount(), 3);
    EXPECT_EQ(p.pc.ActivePage(), &p.s3);
    EXPECT_TRUE(p.Shows(p.s3));
    p.ClickTab(0);
    EXPECT_EQ(p.pc.ActivePage(), &p.s1);
}

#include "toolkit/Menus.h"

TEST(TkPageControl, RightClickOnTabsOrSheetsShowsTheMenuAbove) {
    Pages p;
    tk::PopupMenu formMenu;
    formMenu.Items.Add("閉じる(&C)");
    int shown = 0;
    formMenu.OnPopup = [&] {
        ++shown;
        PostMessageA(tk::Application.Handle, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    p.form.SetPopupMenu(&formMenu);
    RECT r{};
    SendMessageA(p.pc.Handle, TCM_GETITEMRECT, 1, (LPARAM)&r);
    LPARAM at = MAKELPARAM(r.left + 4, r.top + 4);
    SendMessageA(p.pc.Handle, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageA(p.pc.Handle, WM_RBUTTONUP, 0, at);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(p.pc.ActivePage(), &p.s1);
    SendMessageA(p.s1.Handle, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(formMenu.PopupComponent, &p.form);
}

// ---- gallery ----

#include "toolkit/Image.h"
#include "toolkit/StatusBar.h"

namespace {

// The gallery tells a screenshot script when to look: with ORBAL_GALLERY_MARK set, it creates
// <mark>1 once the form shows and <mark>2 while the pop-up menu is open.
std::string gMark;
void Mark(const char* n) {
    if (gMark.empty()) return;
    HANDLE h = CreateFileA((gMark + n).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}
int gMenuTicks = 0;
void CALLBACK WhileMenuOpen(HWND, UINT, UINT_PTR id, DWORD) {
    if (++gMenuTicks == 2) Mark("2");
    if (gMenuTicks >= 12) {
        KillTimer(nullptr, id);
        EndMenu();
    }
}
void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) wintest::Pump(1);
}

}  // namespace

TEST(TkPageGallery, DISABLED_PagesStatusBarMenusAndImage) {
    char buf[MAX_PATH] = {};
    if (GetEnvironmentVariableA("ORBAL_GALLERY_MARK", buf, sizeof buf)) gMark = buf;

    tk::Form f({.caption = "ギャラリー：ページと状態表示", .left = 40, .top = 30, .width = 520, .height = 360});
    tk::MainMenu mm;
    mm.Create(f);
    tk::MenuItem& file = mm.Items.Add("ファイル(&F)");
    file.Add("ｽｹｼﾞｭｰﾙの登録", {}, "Ctrl+S");
    file.Add("-");
    file.Add("終了(&X)");
    mm.Items.Add("表示(&V)").Add("ミニ時計モード(&Z)").SetChecked(true);
    mm.Items.Add("ヘルプ(&H)").Add("ﾊﾞｰｼﾞｮﾝ情報", {}, "F1");

    tk::StatusBar sb;
    sb.Create(f, {.items = {"2000年1月15日(土)", "大安"}});
    sb.Panels[0].SetWidth(150);
    sb.Panels[1].SetWidth(60);
    sb.Panels[1].SetAlignment(tk::PanelAlign::Center);
    sb.Panels.Add("ｽｹｼﾞｭｰﾙの一覧です。");

    tk::PageControl pc;
    pc.Create(f, {.align = tk::Align::Client});
    tk::TabSheet clock, sched, bio;
    clock.Create(pc, {.caption = "時計"});
    sched.Create(pc, {.caption = "ｽｹｼﾞｭｰﾙ", .color = tk::clWindow});
    bio.Create(pc, {.caption = "ﾊﾞｲｵﾘｽﾞﾑ"});
    clock.SetColor((tk::TColor)0xE8F4FF);

    tk::Image img;
    img.Create(clock, {.at = {12, 12, 140, 140}});
    img.SetStretch(true);
    tk::TCanvas& c = img.Canvas();
    c.Brush.Color = (tk::TColor)0xFFE0C0;
    c.Pen.Color = tk::clNavy;
    c.Pen.Width = 3;
    c.Ellipse(6, 6, 134, 134);
    c.MoveTo(70, 70);
    c.LineTo(70, 24);
    c.MoveTo(70, 70);
    c.LineTo(104, 82);
    c.Brush.Style = tk::BrushStyle::Clear;
    c.Font.Color = tk::clMaroon;
    c.TextOut(48, 100, "正午");

    tk::PaintBox pb;
    pb.Create(clock, {.at = {170, 12, 300, 140}});
    pb.OnPaint = [](tk::TCanvas& cv) {
        cv.Brush.Color = tk::clWhite;
        cv.Rectangle(0, 0, 300, 140);
        cv.Brush.Style = tk::BrushStyle::Clear;
        cv.TextOut(10, 10, "ペイントボックス：日付と六曜");
        cv.TextOut(10, 34, "平成12年1月15日 大安");
        cv.Pen.Color = tk::clRed;
        for (int x = 10; x < 290; x += 4) {
            cv.MoveTo(x, 100);
            cv.LineTo(x, 100 - (x * 7 % 40));
        }
    };

    tk::PopupMenu pm;
    pm.Create(f);
    pm.Items.Add("ﾎﾟｯﾌﾟｱｯﾌﾟの登録", {}, "Ctrl+P");
    pm.Items.Add("ｽｹｼﾞｭｰﾙ一覧", {}, "Ctrl+L").SetChecked(true);
    tk::MenuItem& sub = pm.Items.Add("Windowsの終了");
    sub.Add("Windowsの再起動");
    pm.Items.Add("-");
    tk::MenuItem& all = pm.Items.Add("全ての一覧");
    all.SetRadioItem(true);
    all.SetChecked(true);
    pm.Items.Add("過去の一覧").SetEnabled(false);
    pm.Items.Add("-");
    pm.Items.Add("終了(&X)");
    f.SetPopupMenu(&pm);

    f.Show();
    SetForegroundWindow(f.Handle);
    PumpFor(800);
    Mark("1");
    PumpFor(2500);
    SetTimer(nullptr, 0, 300, WhileMenuOpen);
    pm.Popup(f.Left() + 200, f.Top() + 150);
    PumpFor(300);
    EXPECT_EQ(sb.Panels.Count(), 3);
}
