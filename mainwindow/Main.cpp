// The main window: layout, start-up and the commands that act on the window itself.
#include "mainwindow/Main.h"

#include "calendar/HolidayRules.h"
#include "calendar/Julius.h"
#include "controls/IJGJpeg.h"
#include "mainwindow/Actions.h"
#include "mainwindow/MainCommands.h"
#include "mainwindow/PopView.h"
#include "mainwindow/title.h"
#include "mainwindow/tray_icon.h"
#include "schedule/Popup.h"
#include "schedule/to_do.h"
#include "schedule/Born.h"
#include "schedule/data.h"
#include "schedule/Todo.h"
#include "schedule/Todo_list.h"
#include "schedule/Jump.h"
#include "schedule/Timer.h"
#include "settings/Ext_exec.h"
#include "settings/Settings.h"
#include "settings/Setup.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Power.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"

TForm1* Form1 = nullptr;

namespace ik = inikey;
using rtl::FormatDateTime;

const char kVersion[] = "Version 1.00";

namespace {
const char kAboutLine[] = "Orbal98 ― 時計・カレンダー・スケジュール・日記・メモをひとつに。  ";
const char kPeriodCaption[] = "周期管理";  // the cycle tracker's item until [Form] Period_Cap names it
tk::TFont Bold(int size) { return {.Size = size, .Style = tk::fsBold}; }

// The About panel's "do not push" button: a red push button seen from above.
void DrawRedButtonGlyph(tk::TBitmap& b) {
    b.SetSize(20, 20);
    tk::TCanvas& c = b.Canvas();
    c.Brush.Color = tk::clOlive;  // transparent colour, named by the bottom-left pixel
    c.FillRect({0, 0, 20, 20});
    c.Pen.Color = tk::clMaroon;
    c.Brush.Color = tk::clSilver;
    c.Ellipse(0, 2, 20, 20);
    c.Brush.Color = tk::clRed;
    c.Ellipse(3, 1, 17, 15);
    c.Pen.Color = tk::clWhite;
    c.Brush.Color = tk::clWhite;
    c.Ellipse(6, 4, 10, 7);
}
}  // namespace

TForm1::TForm1()
    : Form({.caption = "Orbal98", .width = 400, .height = 300, .border = tk::Border::Single,
            .maximizeBox = false, .acceptFiles = true, .clientSize = true}) {
    Form1 = this;  // the windows made during the start reach this one through its global
    BuildLayout();
    BuildMenus();
    BindCommands();
    CreateMemoStore();
    OnDropFiles = [this](const std::vector<std::string>& f) { WMDropFiles(f); };
    OnShow = [this] { FormShow(); };
    OnResize = [this] { FormResize(); };
    OnActivate = [this] { FormActivate(); };
    OnClose = [this](tk::CloseAction&) {
        if (tk::Application.MainForm == this) FormClose();
    };
    OnDestroy = [this] {
        BindJpegBusyFlag(nullptr);
        // The settings window belongs to this window's Setup1 mark and goes with it.
        if (Form4) Form4->Destroy();
        DestroyAroundWindows();
    };
    OnPaint = [this](tk::TCanvas&) { FormPaint(); };
    FormCreate();
}

void TForm1::BuildLayout() {
    using tk::Ctl;
    // The About panel lies behind the pages and shows while they are hidden.
    Panel13.Create(*this, {.at = {0, 0, 400, 278}, .style = tk::pnOuterLowered});
    Label10.Create(Panel13, {.at = {16, 14, 368, 24}, .caption = "Orbal98", .font = Bold(16)});
    Label12.Create(Panel13, {.at = {16, 44, 368, 18}, .caption = kVersion});
    Label11.Create(Panel13, {.at = {16, 66, 368, 18}, .caption = "時計・カレンダー・個人情報管理"});
    Bevel1.Create(Panel13, {.at = {16, 94, 368, 110}});
    Label7.Create(Panel13, {.at = {21, 98, 358, 18}, .caption = kAboutLine, .style = tk::lsNoAutoSize | tk::lsTransparent});
    BitBtn5.Create(Panel13, {.at = {216, 226, 80, 26}, .caption = "&Ok"});
    BitBtn6.Create(Panel13, {.at = {304, 226, 80, 26}, .caption = "&Help"});
    BitBtn5.OnClick = [this] { BitBtn5Click(); };
    BitBtn6.OnClick = [this] { BitBtn6Click(); };
    PanelButton1.Create(Panel13, {.at = {16, 224, 31, 31}, .hint = "押しちゃダメなボタンだよ"});
    {
        tk::TBitmap glyph;
        DrawRedButtonGlyph(glyph);
        PanelButton1.SetGlyph(glyph);
    }
    PanelButton1.OnClick = [this] { PanelButton1Click(); };

    PageControl1.Create(*this, {.at = {0, 0, 400, 278}, .visible = false});
    TabSheet1.Create(PageControl1, {.caption = "Lumet"});
    TabSheet2.Create(PageControl1, {.caption = "Calendar"});
    TabSheet3.Create(PageControl1, {.caption = "Biorhythm"});
    TabSheet4.Create(PageControl1, {.caption = "Schedule"});
    PageControl1.OnChange = [this] { PageControl1Change(); };

    // Clock page: gauges, or the digital clock with the moon, or the goal box.
    Panel1.Create(TabSheet1, {.align = tk::Align::Client, .style = tk::pnOuterNone});
    Panel5.Create(Panel1, {.hint = "ダブルクリック：月齢表示", .align = tk::Align::Client, .style = tk::pnOuterNone});
    // Year and month as gradients, the time of day as plain bars, the two time bands as columns
    // growing upwards at the right.
    // The five gauges lie on Panel2, whose double click shows the goal box in their place.
    Panel2.Create(Panel5, {.at = {54, 8, 260, 132}, .hint = "ﾀﾞﾌﾞﾙｸﾘｯｸで目標ｸﾞﾗﾌ表示", .style = tk::pnOuterNone});
    Panel2.OnDblClick = [this] { Panel2DblClick(); };
    auto row = [&](tk::Label& l, auto& g, int y, int max, const char* hint) {
        l.Create(Panel5, {.at = {8, y, 44, 18}, .font = Bold(10), .style = tk::lsNoAutoSize | tk::lsRight});
        g.Create(Panel2, {.at = {4, y - 7, 252, 15}, .hint = hint, .max = max});
        g.OnDblClick = [this] { Panel2DblClick(); };
        l.OnDblClick = [this] { Panel5DblClick(); };
    };
    row(Label3, SGauge2, 12, 365, "1年間の割合");
    row(Label6, SGauge3, 36, 31, "1ヵ月間の割合");
    row(Label1, Gauge1, 72, 24, "1日間の割合");
    row(Label2, Gauge2, 96, 60, "1時間の割合");
    row(Label8, Gauge3, 120, 60, "1分間の割合");
    SGauge2.SetKind(gkColor);
    SGauge3.SetKind(gkColor);
    Label4.Create(Panel5, {.at = {320, 4, 64, 14}, .caption = "時間帯", .style = tk::lsNoAutoSize | tk::lsCenter});
    Panel18.Create(Panel5, {.at = {324, 20, 56, 118}, .hint = "時間帯グラフ", .style = tk::pnOuterLowered});
    SGauge4.Create(Panel18, {.at = {3, 3, 24, 112}, .hint = "時間帯グラフ"});
    SGauge5.Create(Panel18, {.at = {29, 3, 24, 112}, .hint = "時間帯グラフ"});
    for (TSGauge* g : {&SGauge4, &SGauge5}) {
        g->SetStyle(gsVertical);
        g->SetDirection(gdRightToLeft);
        g->SetKind(gkColor);
    }
    Label5.Create(Panel5, {.at = {8, 160, 376, 16}, .caption = "", .style = tk::lsNoAutoSize});
    Panel5.OnDblClick = [this] { Panel5DblClick(); };
    // The date label and the bands open the bands' register.
    for (tk::Control* c : {(tk::Control*)&Panel1, (tk::Control*)&Label6, (tk::Control*)&Panel18,
                           (tk::Control*)&SGauge4, (tk::Control*)&SGauge5})
        c->OnDblClick = [this] { Panel18DblClick(); };

    Panel9.Create(Panel1, {.hint = "ダブルクリック：ゲージ表示", .visible = false, .align = tk::Align::Client,
                           .color = tk::clBlack, .style = tk::pnOuterNone});
    Moon1.Create(Panel9, {.at = {76, 8}});
    DRClock.Create(Panel9, {.at = {150, 4, 104, 104}});
    DRClock.SetVisible(false);
    auto text = [&](tk::Label& l, int y, const char* caption, tk::TColor colour) {
        l.Create(Panel9, {.at = {12, y, 370, 16}, .caption = caption, .font = tk::TFont{.Color = colour},
                          .style = tk::lsNoAutoSize | tk::lsTransparent});
        l.OnDblClick = [this] { Panel9DblClick(); };
    };
    text(Label15, 112, "Julian Date", tk::clSilver);
    text(Label14, 128, "", tk::clWhite);
    text(Label16, 146, "Moon Age", tk::clSilver);
    text(Label17, 162, "", tk::clYellow);
    text(Label18, 180, "Illumination", tk::clSilver);
    text(Label20, 196, "", tk::clWhite);
    Panel9.OnDblClick = [this] { Panel9DblClick(); };
    Moon1.OnDblClick = [this] { Panel9DblClick(); };

    // Goal box: the goals, how far the chosen one has run, its description.
    Panel17.Create(Panel1, {.hint = "ﾀﾞﾌﾞﾙｸﾘｯｸでｸﾞﾗﾌ表示", .visible = false, .align = tk::Align::Client,
                            .style = tk::pnOuterNone});
    ComboBox3.Create(Panel17, {.at = {8, 8, 376, 200}, .hint = "ﾀﾞﾌﾞﾙｸﾘｯｸで登録ｳｨﾝﾄﾞｳ表示", .style = tk::csDropDownList});
    SGauge1.Create(Panel17, {.at = {8, 36, 376, 17}, .hint = "目標のグラフ"});
    SGauge1.SetKind(gkColor);
    RichEdit4.Create(Panel17, {.at = {8, 60, 376, 136}, .hint = "項目の詳細説明", .style = tk::reReadOnly | tk::reVScroll});
    RichEdit4.KeepMargins = true;
    ComboBox3.OnChange = [this] { ComboBox3Change(); };
    ComboBox3.OnDblClick = [this] { ComboBox3DblClick(); };
    Panel17.OnDblClick = [this] { Panel17DblClick(); };
    SGauge1.OnDblClick = [this] { Panel17DblClick(); };

    // Calendar page.
    Panel7.Create(TabSheet2, {.at = {4, 4, 56, 24}, .hint = "ダブルクリック：スケジュール一覧", .font = Bold(10)});
    Panel8.Create(TabSheet2, {.at = {62, 4, 40, 24}, .hint = "ダブルクリック：指定日に移動", .font = Bold(10)});
    BitBtn2.Create(TabSheet2, {.at = {248, 4, 36, 24}, .caption = "<<", .hint = "先月へ"});
    BitBtn7.Create(TabSheet2, {.at = {286, 4, 56, 24}, .caption = "今日", .hint = "今日に戻す｡"});
    BitBtn1.Create(TabSheet2, {.at = {344, 4, 36, 24}, .caption = ">>", .hint = "翌月へ"});
    CalendarEx1.Create(TabSheet2, {.at = {4, 32, 378, 190}});
    CalendarEx1.OnChange = [this] { CalendarEx1Change(); };
    CalendarEx1.OnClick = [this] { CalendarEx1Click(); };

    // Biorhythm page.
    Panel16.Create(TabSheet3, {.at = {4, 4, 56, 24}, .hint = "ダブルクリック：スケジュール一覧", .font = Bold(10)});
    Panel11.Create(TabSheet3, {.at = {62, 4, 40, 24}, .hint = "ダブルクリック：指定日に移動", .font = Bold(10)});
    BitBtn21.Create(TabSheet3, {.at = {248, 4, 36, 24}, .caption = "<<", .hint = "先月へ"});
    BitBtn22.Create(TabSheet3, {.at = {286, 4, 56, 24}, .caption = "今日", .hint = "今日に戻す｡"});
    BitBtn23.Create(TabSheet3, {.at = {344, 4, 36, 24}, .caption = ">>", .hint = "翌月へ"});
    ComboBox2.Create(TabSheet3, {.at = {4, 34, 200, 22}, .hint = "Birthdayデータから選択"});
    ComboBox2.OnChange = [this] { ComboBox2Change(); };
    Image2.Create(TabSheet3, {.at = {84, 76, 216, 79}, .hint = "赤：身体  青：感情  緑：知性"});
    Image2.OnDblClick = [this] { BirthDay1->Click(); };

    // Schedule page.
    Panel6.Create(TabSheet4, {.at = {4, 4, 200, 24}, .hint = "ダブルクリック：スケジュールの登録", .font = Bold(10)});
    BitBtn3.Create(TabSheet4, {.at = {248, 4, 36, 24}, .caption = "<", .hint = "前日へ"});
    BitBtn8.Create(TabSheet4, {.at = {286, 4, 56, 24}, .caption = "今日", .hint = "今日に戻す｡"});
    BitBtn4.Create(TabSheet4, {.at = {344, 4, 36, 24}, .caption = ">", .hint = "翌日へ"});
    Label9.Create(TabSheet4, {.at = {206, 9, 38, 16}, .style = tk::lsNoAutoSize | tk::lsRight});
    Panel12.Create(TabSheet4, {.at = {4, 32, 378, 190}, .style = tk::pnOuterNone});
    RichEdit1.Create(Panel12, {.align = tk::Align::Client, .style = tk::reReadOnly | tk::reVScroll});
    RichEdit1.KeepMargins = true;
    RichEdit2.Create(TabSheet4, {.at = {0, 0, 10, 10}, .visible = false});

    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn23.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn21.OnClick = [this] { BitBtn2Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    for (tk::BitBtn* b : {&BitBtn7, &BitBtn22, &BitBtn8}) b->OnClick = [this] { BitBtn7Click(); };

    // The ten memo groups; their lists come with the memo units.
    ComboBox1.Create(*this, {.at = {0, 0, 10, 20}, .visible = false,
                             .items = {"メモ１", "メモ２", "メモ３", "メモ４", "メモ５", "メモ６", "メモ７", "メモ８",
                                       "メモ９", "メモ１０"}});

    StatusBar1.Create(*this, {.hint = "ダブルクリック：日記リスト\r右クリック：ランチャーメニュー"});
    StatusBar1.Panels.Add("", 196);
    StatusBar1.Panels.Add("", 120);
    StatusBar1.Panels.Add("", 80);

    Timer1.Create(*this, {.interval = 1000, .enabled = false});
    Timer1.OnTimer = [this] { Timer1Timer(true); };
    PageControl1.BringToFront();
}

void TForm1::BuildMenus() {
    PopupMenu1.Create(*this);
    PopupMenu4.Create(*this);
    auto& m = PopupMenu1.Items;
    // Items whose commands are wired with the launcher menu (BuildLauncherMenu) stay disabled until then.
    auto later = [&](tk::MenuItem*& item, const char* caption, const char* shortCut = "") {
        item = &m.Add(caption, {}, shortCut);
        item->SetEnabled(false);
    };
    Popup1 = &m.Add("ﾎﾟｯﾌﾟｱｯﾌﾟの登録", [this] { Popup1Click(); }, "Ctrl+P");
    Todo1 = &m.Add("ｽｹｼﾞｭｰﾙの登録", [this] { Todo1Click(); }, "Ctrl+S");
    List1 = &m.Add("ｽｹｼﾞｭｰﾙ一覧", [this] { List1Click(); }, "Ctrl+L");
    Data2 = &m.Add("ｽｹｼﾞｭｰﾙ管理", [this] { Data2Click(); }, "Ctrl+D");
    Jump1 = &m.Add("指定日に移動", [this] { Jump1Click(); }, "Ctrl+J");
    todo2 = &m.Add("Todoボード", [this] { todo2Click(); }, "Ctrl+T");
    m.Add("-");
    BirthDay1 = &m.Add("誕生日管理", [this] { BirthDay1Click(); }, "Ctrl+B");
    GTimer1 = &m.Add("減算タイマー", [this] { GTimer1Click(); }, "Ctrl+G");
    DayCalc1 = &m.Add("日数計算", [this] { DayCalc1Click(); }, "Ctrl+K");
    Telephone1 = &m.Add("簡易電話帳", [this] { Telephone1Click(); }, "Ctrl+A");
    m.Add("-");
    Diary1 = &m.Add("想いを綴る", [this] { Diary1Click(); }, "Ctrl+W");
    List2 = &m.Add("タイトル一覧", [this] { List2Click(); }, "Ctrl+N");
    MemoTree1 = &m.Add("メモ一覧", [this] { MemoTree1Click(); }, "Ctrl+M");
    Period1 = &m.Add(kPeriodCaption);
    Period1->SetVisible(false);
    m.Add("-");
    Setup1 = &m.Add("セットアップメニュー", [this] { Setup1Click(); }, "F10");
    Association1 = &m.Add("関連付けの設定", [this] { Association1Click(); }, "F12");
    later(ToolWindow, "ツールウィンドウ(&E)");
    later(miniClock1, "ミニ時計モード(&Z)");
    False1 = &m.Add("非表示");
    False1->SetEnabled(false);
    Position1 = &m.Add("表示位置");
    SavePositon1 = &Position1->Add("保存する", [this] { SavePositon1Click(); });
    Load1 = &Position1->Add("保存した位置に戻す", [this] { Load1Click(); });
    m.Add("-");
    Help1 = &m.Add("ヘルプの起動", [this] { BitBtn6Click(); }, "F1");
    TavsHomePage1 = &m.Add("作者のホームページ", [this] { TavsHomePage1Click(); });
    About1 = &m.Add("ﾊﾞｰｼﾞｮﾝ情報", [this] { About1Click(); });
    Close1 = &m.Add("Windowsの終了");
    KWindows1 = &Close1->Add("Windowsの終了", [] { tk::ShutDownWindows(false); });
    KWindows2 = &Close1->Add("Windowsの再起動", [] { tk::ShutDownWindows(true); });
    m.Add("-");
    KLumet2 = &m.Add("終了(&X)", [this] { KLumet2Click(); });
    // The JPEG busy flag lives on this hidden item.
    Setup2 = &m.Add("Setup2");
    Setup2->SetVisible(false);
    BindJpegBusyFlag(&Setup2->Tag);
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    for (tk::Control* c : std::initializer_list<tk::Control*>{this, &Panel1, &Panel5, &Panel9, &Panel17, &Panel13,
                                                              &TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4})
        c->SetPopupMenu(&PopupMenu1);
    BuildLauncherMenu();
}

void TForm1::FormCreate() {
    // 1-2: no maximise button (the border has none); tab width; activation hooks.
    PageControl1.SetMultiLine(true);
    PageControl1.SetTabWidth(PageControl1.Width() * 49 / 100);
    tk::Application.OnDeactivate = [this] { ApplicationDeactivate(); };
    tk::Application.OnActivate = [this] { ApplicationOnactivate(); };

    // 3-4: settings, position kept on screen.
    auto ini = settings::Open();
    std::string D = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".");
    int sw = GetSystemMetrics(SM_CXSCREEN);
    int top = ini.ReadInteger(ik::Form::Section, ik::Form::top, 0);
    int left = ini.ReadInteger(ik::Form::Section, ik::Form::left, sw - Width());
    RestorePosition(left, top);

    // 5: splash and start-up sound.
    int open = ini.ReadInteger(ik::Form::Section, ik::Form::Open, 0);
    if (open == 0) ShowSplashAndSound(D);

    // 6-7: the tray window and the task-bar button.
    int tray = ini.ReadInteger(ik::Form::Section, ik::Form::Tray_icon, 0);
    StartTray(ini, tray);

    // 8: today on the year/month panels and the calendar (Year, Day, Month).
    rtl::TDateTime today = rtl::Date();
    Panel7.SetCaption(FormatDateTime("yyyy", today));
    Panel8.SetCaption(FormatDateTime("m", today));
    int y, mo, d;
    rtl::DecodeDate(today, y, mo, d);
    CalendarEx1.SetYear(y);
    CalendarEx1.SetDay(d);
    CalendarEx1.SetMonth(mo);

    // A settings file that is there without the first run's mark (emptied by a crash, damaged)
    // is kept aside before the start writes anything into it.
    bool firstRun = ini.ReadInteger(ik::Horiday::Section, ik::Horiday::Set, 0) == 0;
    std::string copy;
    bool copied = firstRun && ini.CopyAside(copy);

    // 9: a data folder that has gone falls back to "not chosen".
    if (D != "." && !tk::DirectoryExists(D)) {
        ini.WriteString(ik::Calendar::Section, ik::Calendar::Directory, ".");
        ini.WriteBool(ik::Form::Section, ik::Form::Entry, false);
    }

    // 10: first run: the default holidays once, and the "Schedule" folder as the data folder.
    // The user is told where the copy is; a data folder the file still names stays the data folder.
    if (firstRun) {
        std::string named = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".");
        if (copied)
            tk::MessageDlg(Handle,
                           "設定ファイル " + ini.FileName + " の設定を読めませんでした。初めての起動として設定し直します。\n" +
                               (named != "." ? "データフォルダは " + named + " のままです。\n" : std::string()) +
                               (copy.empty() ? std::string("元のファイルの控えは作れませんでした。")
                                             : "元のファイルは " + copy + " に残しました。"),
                           tk::Application.Title(), MB_OK | MB_ICONWARNING);
        ini.WriteInteger(ik::Horiday::Section, ik::Horiday::Set, 1);
        for (auto& [key, name] : DefaultHolidays()) ini.WriteString(ik::Horiday::Section, key, name);
        if (named == ".") {
            std::string dir = tk::ExeDir() + "\\Schedule";
            CreateDirectoryA(dir.c_str(), nullptr);
            ini.WriteString(ik::Calendar::Section, ik::Calendar::Directory, dir);
        }
        Setup1Click();
    }
    // The grid's lists with the holidays just read (activation rebuilds them again).
    FormActivate();

    // 11: the grid's colours.
    const char* colourKeys[6] = {ik::CalendarEx::WeekdayColor, ik::CalendarEx::SundayColor,
                                 ik::CalendarEx::SaturdayColor, ik::CalendarEx::HolidayColor,
                                 ik::CalendarEx::SpecialDayColor, ik::CalendarEx::NeighborDayColor};
    for (int i : {4, 2, 1, 0, 3, 5})
        CalendarEx1.SetDayColor(i, ini.ReadInteger(ik::CalendarEx::Section, colourKeys[i], CalendarEx1.GetDayColor(i)));

    // 12: the start page.
    int page = ini.ReadInteger(ik::Form::Section, ik::Form::ActiveP, 0);
    PageControl1.SetActivePageIndex(page >= 1 && page <= 3 ? page : 0);

    // 13-14: digital panel, goal panel.
    bool digital = ini.ReadBool(ik::Form::Section, ik::Form::Disital, false);
    Panel9.SetVisible(digital);
    Panel5.SetVisible(!digital);
    if (digital) Panel1.Tag = 1;
    DRClock.SetEnabled(Panel9.Visible());
    bool goal = ini.ReadBool(ik::Form::Section, ik::Form::Entry, false);
    Panel17.SetVisible(goal);
    if (goal) {
        Panel1.Tag = 2;
        Panel5.Hide();
        Panel9.Hide();
        BitBtn25Click();
    }

    // 15: the splash goes.
    if (Form26) Form26->Close();

    // 16: the mini clock.
    StartMiniClock(ini);

    // 17: show the main window.
    if (tray == 1 || tray == 3) {
        ini.WriteBool(ik::Form::Section, ik::Form::Visible, true);
        Show();
    } else if (ini.ReadBool(ik::Form::Section, ik::Form::Visible, true)) {
        Show();
    }
    if (Visible()) {
        SetFocus();
        UpdateWindow(Handle);
    }
    // The settings window of the first start was opened before the main window came to the front.
    if (Form4 && Setup1->Checked()) Form4->BringForward();
    // 18: the tool window.
    StartToolWindow(ini);

    // 18: the schedule list at start. It reaches this window through Form1, as from any command.
    if (ini.ReadBool(ik::Form::Section, ik::Form::Today_pop, false)) {
        Form1 = this;
        List1Click();
    }
    if (ini.ReadBool(ik::Form::Section, ik::Form::Todo_pop, false)) {
        Form1 = this;
        todo2Click();
    }

    // 19-22: memo groups, reopening the memos left open.
    LoadMemoGroups(ini);
    PopupMenu4.Tag = 1;
    FormResize();

    // 23: the version check needs the help file.
    if (tk::FileExists(HelpFile()) &&
        ini.ReadString(ik::Orbal::Section, ik::Orbal::Ver, "") != Label12.Caption()) {
        ini.WriteString(ik::Orbal::Section, ik::Orbal::Ver, Label12.Caption());
        Setup1Click();
    }

    // 24-25: one tick now, then the timer.
    Timer1Timer(false);
    Repaint();
    Timer1.SetInterval(ini.ReadInteger(ik::Form::Section, ik::Form::Interval, 1000));
    Timer1.SetEnabled(true);
}

void TForm1::ShowSplashAndSound(const std::string& dataDir) {
    tk::Application.CreateForm(Form26);
    if (tk::Application.MainForm == Form26) tk::Application.MainForm = this;
    Form26->Show();
    Form26->Repaint();
    PlayStartupSound(MediaPlayer1, dataDir);
}

TForm1::~TForm1() {
    // The application's hooks outlive this window: an activation change while the program ends
    // (or before a later main window sets them) must not reach a freed form.
    tk::Application.OnActivate = nullptr;
    tk::Application.OnDeactivate = nullptr;
}

void TForm1::ApplicationOnactivate() { minitokei.Tag = 1; }

void TForm1::ApplicationDeactivate() {
    minitokei.Tag = 0;
    DeactivateToMini();
    if (TabSheet2.Tag == 2 && Form24) Form24->Close();
}

void TForm1::FormShow() { SetForegroundWindow(Handle); }

void TForm1::SavePositon1Click() {
    auto ini = settings::Open();
    ini.WriteInteger(ik::Form::Section, ik::Form::top, Top());
    ini.WriteInteger(ik::Form::Section, ik::Form::left, Left());
}

// Back to the place SavePositon1 stored, kept on the screen.
void TForm1::Load1Click() {
    auto ini = settings::Open();
    RestorePosition(ini.ReadInteger(ik::Form::Section, ik::Form::left, Left()),
                    ini.ReadInteger(ik::Form::Section, ik::Form::top, Top()));
}

bool SettingsReadableAtStart() {
    const tk::TIniFile ini = settings::Open();
    for (tk::TIniFile::Readable r; (r = ini.ReadState()) == tk::TIniFile::Readable::Held;)
        if (tk::MessageDlg(nullptr,
                           ini.ReadError(r) + "\r読めないまま起動すると設定が失われるため、起動できません。\r\r"
                                             "再試行: もう一度読みます。\rキャンセル: 起動をやめます。",
                           tk::Application.Title(), MB_RETRYCANCEL | MB_ICONERROR) != IDRETRY)
            return false;
    return true;
}

void TForm1::KLumet2Click() { Close(); }

void TForm1::FormClose() {
    // The program ends with this window. The tray icons leave the notification area and the memo
    // icon's animation thread is joined here, while the program is whole: a thread still sending
    // to the notification area while the process exits can hang the exit.
    if (Form32) Form32->Destroy();
}

void TForm1::Setup1Click() {
    if (Setup1->Checked()) {
        if (Form4) Form4->BringForward();
        return;
    }
    // At the first start this runs while the main window is still being made: the settings
    // window already finds it through the global, and it does not become the main form.
    if (!Form1) Form1 = this;
    Setup1->SetChecked(true);
    tk::Application.CreateForm(Form4);
    if (tk::Application.MainForm == Form4) tk::Application.MainForm = this;
    Form4->Show();
}

void TForm1::PlayWaveRes(const std::string& name) { ::PlayWaveRes(name); }

void TForm1::WMDropFiles(const std::vector<std::string>& files) {
    OpenDroppedFiles(Handle, files);
    BitBtn8.SetEnabled(false);
}

std::string TForm1::HelpFile() const { return tk::ExeDir() + "\\help_html\\index.html"; }

// Calendar navigation: the grid refuses a day beyond the shown month, so the order of the
// setters keeps every step valid ("ydm" = Year, Day, Month).
void TForm1::SetCalendarDate(int y, int m, int d, const char* order) {
    for (const char* p = order; *p; ++p) {
        if (*p == 'y') CalendarEx1.SetYear(y);
        if (*p == 'm') CalendarEx1.SetMonth(m);
        if (*p == 'd') CalendarEx1.SetDay(d);
    }
}

void TForm1::BitBtn1Click() {
    int y = CalendarEx1.Year(), m = CalendarEx1.Month();
    if (m == 12 && y >= 9999) return;  // the last month of the date range
    if (m == 12) {
        CalendarEx1.SetYear(y + 1);
        CalendarEx1.SetMonth(1);
    } else {
        CalendarEx1.SetMonth(m + 1);
    }
}

void TForm1::BitBtn2Click() {
    int y = CalendarEx1.Year(), m = CalendarEx1.Month();
    if (m == 1 && y <= 1) return;  // the first month of the date range
    if (m == 1) {
        CalendarEx1.SetYear(y - 1);
        CalendarEx1.SetMonth(12);
    } else {
        CalendarEx1.SetMonth(m - 1);
    }
}

// The day before or after the shown one in the grid's own calendar (Julian before October 1582,
// whose lost days it skips), not the date-time's, which has neither; false past the date range.
static bool NeighbourDay(const TCalendarEx& c, int step, int& y, int& m, int& d) {
    y = c.Year();
    m = c.Month();
    d = c.Day();
    do {
        d += step;
        if (d < 1) {
            if (--m < 1) m = 12, --y;
            d = DaysInMonth(y, m);
        } else if (d > DaysInMonth(y, m)) {
            d = 1;
            if (++m > 12) m = 1, ++y;
        }
        if (y < 1 || y > 9999) return false;
    } while (!c.DateExists(y, m, d));
    return true;
}

void TForm1::BitBtn3Click() {
    int y, m, d;
    if (!NeighbourDay(CalendarEx1, -1, y, m, d)) return;
    if (y == CalendarEx1.Year() && m == CalendarEx1.Month()) CalendarEx1.SetDay(d);
    else if (y != CalendarEx1.Year()) SetCalendarDate(y, m, d, "ymd");
    else SetCalendarDate(y, m, d, d == 31 ? "md" : "dm");
}

void TForm1::BitBtn4Click() {
    int y, m, d;
    if (!NeighbourDay(CalendarEx1, 1, y, m, d)) return;
    if (y == CalendarEx1.Year() && m == CalendarEx1.Month()) CalendarEx1.SetDay(d);
    else if (y != CalendarEx1.Year()) SetCalendarDate(y, m, d, "ydm");
    else SetCalendarDate(y, m, d, "dm");
}

void TForm1::BitBtn7Click() {
    int y, m, d;
    rtl::DecodeDate(rtl::Date(), y, m, d);
    for (int pass = 0; pass < 2; ++pass) {
        if (d == 31) SetCalendarDate(y, m, d, "ymd");
        else if (m == 2 && d == 29) SetCalendarDate(y, m, d, "ydm");
        else SetCalendarDate(y, m, d, "dym");
        if (CalendarEx1.Year() == y && CalendarEx1.Month() == m && CalendarEx1.Day() == d) break;
    }
}

void TForm1::Panel5DblClick() {
    PlayWaveRes("c1");
    settings::Open().WriteBool(ik::Form::Section, ik::Form::Disital, true);
    Panel5.Hide();
    Panel9.Show();
    DRClock.SetEnabled(true);
    Panel1.Tag = 1;
    Timer1Timer(false);
}

void TForm1::Panel9DblClick() {
    PlayWaveRes("c1");
    settings::Open().WriteBool(ik::Form::Section, ik::Form::Disital, false);
    Panel9.Hide();
    Panel5.Show();
    DRClock.SetEnabled(false);
    Panel1.Tag = 0;
    Timer1Timer(false);
}

void TForm1::PageControl1Change() {
    PlayWaveRes("c1");
    if (PageControl1.ActivePageIndex() == 2) FillPersonList();
    if (PageControl1.ActivePageIndex() == 3) CalendarEx1Change();
}

void TForm1::About1Click() {
    BitBtn6.SetEnabled(tk::FileExists(HelpFile()));
    PageControl1.Hide();
    Repaint();
    PlayWaveRes("tav");
}

void TForm1::BitBtn5Click() { PageControl1.Show(); }

void TForm1::BitBtn6Click() {
    PageControl1.Show();
    std::string help = HelpFile();
    if (tk::FileExists(help)) tk::ShellLaunch(Handle, "OPEN", help, "", rtl::ExtractFilePath(help), SW_SHOW);
}

void TForm1::Popup1Click() {
    if (!FolderCommand()) return;
    int before = settings::Open().ReadInteger(ik::Calendar::Section, ik::Calendar::before, 0);
    int h, n, s, ms;
    rtl::DecodeTime(rtl::Now() + before / 1440.0, h, n, s, ms);
    // An editor: a new window every time.
    ShowNewWindow(Form7,
                  [&](TForm7& f) { f.Preset(CalendarEx1.Year(), CalendarEx1.Month(), CalendarEx1.Day(), h, n); });
}

void TForm1::Todo1Click() {
    if (!FolderCommand()) return;
    // An editor: a new window every time.
    ShowNewWindow(Form14, [&](TForm14& f) { f.Preset(CalendarEx1.Year(), CalendarEx1.Month(), CalendarEx1.Day()); });
}

void TForm1::PanelButton1Click() {
    static const char* const kWarnings[3][2] = {{"押すなってばぁ!! もう｡", "↓の言う事は聞こうね｡"},
                                                {"結構しつこいねぇ..｡", "↓の事は無視かい？"},
                                                {"次はもう知らないよ..", "↑警告だぁ｡(^^;)"}};
    int n = Label11.Tag;
    Label11.Tag = n + 1;
    if (n >= 9) {
        Close();
        return;
    }
    Label11.SetCaption(kWarnings[n / 3][0]);
    Label12.SetCaption(kWarnings[n / 3][1]);
}

void TForm1::BirthDay1Click() {
    if (!FolderCommand() || BringOpenForward(BirthDay1->Checked(), Form16)) return;
    ShowNewWindow(Form16, [this](TForm16& f) {
        // Day 1 first, so that no step passes through a date that does not exist.
        f.SpinEdit1.SetValue(CalendarEx1.Year());
        f.SpinEdit3.SetValue(1);
        f.SpinEdit2.SetValue(CalendarEx1.Month());
        f.SpinEdit3.SetValue(CalendarEx1.Day());
    });
}

void TForm1::Data2Click() {
    if (!FolderCommand() || BringOpenForward(Data2->Checked(), Form29)) return;
    ShowNewWindow(Form29, [](TForm29&) {});
}

void TForm1::todo2Click() {
    if (!FolderCommand() || !EnsureToolFolder(Handle, settings::DataDir() + "\\Todo") ||
        BringOpenForward(todo2->Checked(), Form15))
        return;
    tk::Application.CreateForm(Form15);
    if (tk::Application.MainForm == Form15) tk::Application.MainForm = this;  // at start
    Form15->Show();
}

void TForm1::GTimer1Click() {
    // A hidden timer comes back into view for good.
    if (GTimer1->Checked() && Form13) Form13->CheckBox1.SetChecked(false);
    if (BringOpenForward(GTimer1->Checked(), Form13)) return;
    ShowNewWindow(Form13, [](TForm13&) {});
}

void TForm1::Association1Click() {
    if (BringOpenForward(Association1->Checked(), Form33)) return;
    ShowNewWindow(Form33, [](TForm33&) {});
}

void TForm1::Jump1Click() {
    if (BringOpenForward(Jump1->Checked(), Form17)) return;
    ShowNewWindow(Form17, [](TForm17&) {});
}

void TForm1::PopupMenu1Popup() {
    auto ini = settings::Open();
    bool period = ini.ReadInteger(ik::Setup::Section, ik::Setup::Period, 1) == 0;
    Period1->SetVisible(period);
    if (period) Period1->SetCaption(ini.ReadString(ik::Form::Section, ik::Form::Period_Cap, kPeriodCaption));
    Close1->SetVisible(ini.ReadInteger(ik::Setup::Section, ik::Setup::Reboot, 1) == 0);
    Diary1->SetCaption(rtl::IntToStr(CalendarEx1.Year()) + "年" + rtl::IntToStr(CalendarEx1.Month()) + "月" +
                       rtl::IntToStr(CalendarEx1.Day()) + "日を綴る");
    Help1->SetEnabled(tk::FileExists(HelpFile()));
    // Absent means shown, as at start-up and in the tick; a minimised window is not shown.
    False1->SetCaption(ini.ReadBool(ik::Form::Section, ik::Form::Visible, true) && !Minimized() ? "非表示" : "表示");
    About1->SetEnabled(!miniClock1->Checked());
    // Hiding needs the tray window to come back through; Position1 follows the window below.
    False1->SetEnabled(TrayWindowExists());
    PopupMenu1PopupTray();
    Position1->SetVisible(Visible());
}

void TForm1::List1Click() {
    if (!FolderCommand() || BringOpenForward(List1->Checked(), Form2)) return;
    // Closing only hides the list: asked for again, it starts over as a new one would.
    if (Form2) {
        Form2->FormCreate();
    } else {
        tk::Application.CreateForm(Form2);
        if (tk::Application.MainForm == Form2) tk::Application.MainForm = this;  // at start
    }
    Form2->Show();
}
