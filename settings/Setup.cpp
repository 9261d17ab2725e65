// The settings window: layout of the folders and the first three pages, creation and closing,
// the folder choice, the password switch and the status-bar hints. The other pages are in
// SetupPages.cpp.
#include "settings/Setup.h"

#include <functional>

#include "mainwindow/Main.h"
#include "notes/password.h"
#include "settings/Settings.h"
#include "settings/SetupLinks.h"
#include "toolkit/MsgBox.h"

TForm4* Form4 = nullptr;
namespace ik = inikey;
using tk::RangedKey;

namespace {

const char kNextStart[] = "この設定は次回起動時に\r有効になります。";

tk::TFont RedFont() { return {.Color = tk::clRed}; }

// A check box whose key takes its state as it is.
struct Switch {
    tk::CheckBox* box;
    const char* section;
    const char* key;
    bool def;  // the window's own read default
};

// A radio group whose key takes its index.
struct Choice {
    tk::RadioGroup* group;
    const char* section;
    RangedKey key;
    int def;
};

// A spin edit whose key takes its value; its range is the key's.
struct Number {
    tk::SpinEdit* spin;
    const char* section;
    RangedKey key;
    int def;
    void (TForm4::*push)() = nullptr;  // the live effect, if any
};

}  // namespace

TForm4::TForm4()
    : Form({.caption = "ぬぺの Lumet セットアップ", .width = 521, .height = 400, .border = tk::Border::Dialog,
            .clientSize = true}) {
    Image4.Create(*this, {.at = {0, 0, 521, 400}});
    DrawBackdrop();
    BuildFolders();
    PageControl1.Create(*this, {.at = {0, 84, 521, 296}});
    PageControl1.SetMultiLine(true);
    const char* captions[] = {"基本設定", "拡張設定", "右ｸﾘｯｸ", "ｶﾚﾝﾀﾞｰ", "ｽｹｼﾞｭｰﾙ",
                              "メモ",     "日記",     "ﾎﾟｯﾌﾟｱｯﾌﾟ", "ミニ時計", "簡易電話帳"};
    tk::TabSheet* sheets[] = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4, &TabSheet5,
                              &TabSheet6, &TabSheet7, &TabSheet8, &TabSheet9, &TabSheet10};
    for (int i = 0; i < 10; ++i) sheets[i]->Create(PageControl1, {.caption = captions[i]});
    PageControl1.OnChange = [this] { PageControl1Change(); };
    StatusBar1.Create(*this);
    StatusBar1.SetSimplePanel(true);

    BuildBasicPage();
    BuildExtendedPage();
    BuildMenuPage();
    BuildCalendarPage();
    BuildSchedulePage();
    BuildMemoPage();
    BuildDiaryPage();
    BuildPopupPage();
    BuildMiniPage();
    BuildPhonePage();
    BuildHints();
    Image4.SendToBack();

    OnShow = [this] { FormShow(); };
    OnSave = [this] { return SavePeriodCaption(); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    FormCreate();
}

void TForm4::DrawBackdrop() {
    // A night sky with the full moon: what remains when the pages are gone.
    tk::TCanvas& c = Image4.Canvas();
    int w = Image4.Width(), h = Image4.Height();
    for (int y = 0; y < h; ++y) {
        c.Pen.Color = RGB(8 + 40 * y / h, 12 + 30 * y / h, 48 + 70 * y / h);
        c.MoveTo(0, y);
        c.LineTo(w, y);
    }
    unsigned seed = 12345;
    for (int i = 0; i < 140; ++i) {
        seed = seed * 1103515245 + 12345;
        int x = (seed >> 8) % w;
        seed = seed * 1103515245 + 12345;
        int y = (seed >> 8) % h;
        c.SetPixel(x, y, i % 5 ? RGB(200, 200, 220) : tk::clWhite);
    }
    tk::TBitmap moon;
    if (moon.LoadFromResourceName(GetModuleHandleA(nullptr), "MOON_LARGE"))
        tk::DrawBitmap(c.Handle, {w - 120, 40, w - 120 + moon.Width(), 40 + moon.Height()}, moon, true);
}

void TForm4::BuildFolders() {
    Panel11.Create(*this, {.at = {0, 0, 64, 84}, .color = tk::clBlack, .style = tk::pnOuterNone});
    Image3.Create(Panel11, {.at = {0, 10, 64, 64}});
    Image3.LoadFromResourceName(GetModuleHandleA(nullptr), "MOON_LARGE");
    Image3.OnClick = [this] { Image3Click(); };

    Panel5.Create(*this, {.at = {64, 0, 457, 84}, .style = tk::pnOuterNone});
    struct Folder {
        tk::GroupBox& group;
        const char *caption, *hint, *note;
        tk::Label& noteLabel;
        tk::Panel& panel;
        tk::Label& path;
        tk::BitBtn& button;
    } folders[] = {
        {GroupBox1, "ｽｹｼﾞｭｰﾙﾃﾞｰﾀ格納ﾌｫﾙﾀﾞ", "必ず設定してください", "※専用のﾌｫﾙﾀﾞを用意し、必ず設定して下さい｡",
         DataFolderNote, Panel2, Label1, BitBtn1},
        {GroupBox11, "ﾌﾟﾗｲﾊﾞｼﾃﾞｰﾀ格納ﾌｫﾙﾀﾞ", "", "※日記等、他人に見られたくないならﾌﾛｯﾋﾟｰ等を設定｡",
         PrivateFolderNote, Panel4, Label24, BitBtn22},
    };
    int x = 2;
    for (Folder& f : folders) {
        f.group.Create(Panel5, {.at = {x, 2, 225, 80}, .caption = f.caption, .hint = f.hint});
        f.noteLabel.Create(f.group, {.at = {8, 16, 210, 28}, .caption = f.note, .font = RedFont(),
                                     .style = tk::lsNoAutoSize | tk::lsWordWrap});
        CreatePathRow(f.group, f.panel, f.path, f.button, 50, "ﾃﾞｨﾚｸﾄﾘ選択");
        f.button.OnClick = [this, b = &f.button] { BitBtn1Click(*b); };
        x += 229;
    }
    BitBtn22.SetEnabled(false);
}

void TForm4::BuildBasicPage() {
    auto& p = TabSheet1;
    RadioGroup1.Create(p, {.at = {6, 2, 116, 96}, .caption = "初期画面",
                           .items = {"Lumet", "Calendar", "Biorhythm", "Schedule"}, .value = -1});
    RadioGroup5.Create(p, {.at = {128, 2, 136, 96}, .caption = "アイコンの表示",
                           .items = {"トレイ", "タスクバー", "タスクバー＆トレイ", "なし"}, .value = -1});
    RadioGroup2.Create(p, {.at = {270, 2, 184, 112}, .caption = "カレンダーのダブルクリック",
                           .items = {"Popupを記入", "スケジュールを記入", "スケジュール管理を表示", "指定日に移動を表示",
                                     "日記を綴る"},
                           .value = -1});
    RadioGroup10.Create(p, {.at = {6, 102, 258, 54}, .caption = "空メモリの取得方法",
                            .items = {"Win98(GlobalMemoryStatus)", "Win3.1(GDI/USER)"}, .value = -1});
    CheckBox31.Create(p, {.at = {272, 120, 234, 18}, .caption = "操作に伴う効果音を鳴らす。"});
    CheckBox32.Create(p, {.at = {272, 140, 234, 18}, .caption = "メモアイコンを停止させる。"});
    RadioGroup7.Create(p, {.at = {6, 162, 500, 76}, .caption = "トレイのメモアイコンのダブルクリック",
                           .items = {"日記タイトル一覧を表示", "スケジュール一覧を表示", "Popupの登録",
                                     "スケジュールの登録", "指定日に移動ウィンドウを表示", "簡易電話帳を表示"},
                           .value = -1, .style = 2});
    RadioGroup5.OnClick = [this] { RadioGroup5Click(); };
    CheckBox32.OnClick = [this] { CheckBox32Click(); };
}

void TForm4::BuildExtendedPage() {
    auto& p = TabSheet2;
    CreateCheckBoxes(p,
                     {{CheckBox1, "起動時にｽｹｼﾞｭｰﾙ一覧を表示"},
                      {CheckBox25, "起動時にTodoボードを表示"},
                      {CheckBox29, "起動時にツールウィンドウを表示"},
                      {CheckBox5, "誕生日お知らせウィンドウを表示"},
                      {CheckBox3, "ｽｹｼﾞｭｰﾙに六曜を表示"},
                      {CheckBox2, "データの削除時に確認をしない｡"},
                      {CheckBox4, "オープニングタイトルを表示しない。"},
                      {CheckBox17, "キャプションにも時間を表示する。"},
                      {CheckBox18, "ｽﾃｰﾀｽﾊﾞｰの時間に時差をつける。"}},
                     {6, 2, 240, 16}, 9);
    SpeedButton1.Create(p, {.at = {24, 166, 24, 20}, .caption = "前", .tag = 0});
    SpeedButton2.Create(p, {.at = {50, 166, 24, 20}, .caption = "後", .tag = 1});
    for (tk::RadioButton* b : {&SpeedButton1, &SpeedButton2}) {
        SetWindowLongA(b->Handle, GWL_STYLE, GetWindowLongA(b->Handle, GWL_STYLE) | BS_PUSHLIKE);
        b->OnClick = [this, b] { SpeedButton1Click(*b); };
    }
    SpinEdit15.Create(p, {.at = {82, 166, 44, 20}, .min = ik::Form::Jisa_H.Min, .max = ik::Form::Jisa_H.Max});
    Label28.Create(p, {.at = {130, 169, 28, 14}, .caption = "時間"});
    SpinEdit16.Create(p, {.at = {160, 166, 44, 20}, .min = ik::Form::Jisa_M.Min, .max = ik::Form::Jisa_M.Max});
    Label29.Create(p, {.at = {208, 169, 14, 14}, .caption = "分"});
    CheckBox27.Create(p, {.at = {6, 192, 240, 18}, .caption = "パスワード機能を使う。"});
    IntervalLabel.Create(p, {.at = {6, 221, 108, 14}, .caption = "タイマー割込み間隔"});
    SpinEdit12.Create(p, {.at = {116, 218, 64, 20}, .min = ik::Form::Interval.Min, .max = ik::Form::Interval.Max,
                          .value = 1000});
    SpinEdit12.Increment = 100;
    IntervalNote.Create(p, {.at = {184, 221, 236, 14}, .caption = "ミリ秒（通常は1000で設定してください。）"});
    IntervalWarning.Create(p, {.at = {424, 221, 70, 14}, .caption = "（要注意）", .font = RedFont()});

    GroupBox5.Create(p, {.at = {256, 0, 250, 48}, .caption = "誕生日ﾎﾟｯﾌﾟｱｯﾌﾟのｻｳﾝﾄﾞ"});
    CreatePathRow(GroupBox5, Panel1, Label14, BitBtn14, 18, "ﾌｧｲﾙ選択");
    GroupBox18.Create(p, {.at = {256, 52, 250, 134}, .caption = "Lumetの詳細設定"});
    ClockPageLabel.Create(GroupBox18, {.at = {8, 18, 190, 14}, .caption = "表示内容の切り換え"});
    BitBtn32.Create(GroupBox18, {.at = {8, 36, 234, 24}, .caption = "プライベートグラフの登録"});
    BitBtn33.Create(GroupBox18, {.at = {8, 66, 74, 24}, .caption = "Lumet"});
    BitBtn35.Create(GroupBox18, {.at = {88, 66, 74, 24}, .caption = "目標ｸﾞﾗﾌ"});
    BitBtn36.Create(GroupBox18, {.at = {168, 66, 74, 24}, .caption = "月齢"});
    CheckBox30.Create(GroupBox18, {.at = {8, 100, 234, 18}, .caption = "月齢にアナログ時計を表示"});

    CheckBox27.OnClick = [this] { CheckBox27Click(); };
    BitBtn14.OnClick = [this] { BitBtn14Click(); };
    BitBtn32.OnClick = [this] { BitBtn32Click(); };
    BitBtn33.OnClick = [this] { BitBtn33Click(); };
    BitBtn35.OnClick = [this] { BitBtn35Click(); };
    BitBtn36.OnClick = [this] { BitBtn36Click(); };
}

void TForm4::CreatePathRow(tk::GroupBox& group, tk::Panel& panel, tk::Label& path, tk::BitBtn& button, int top,
                           const char* hint) {
    int width = group.Width() - 50;
    panel.Create(group, {.at = {8, top, width, 22}, .color = tk::clWindow, .style = tk::pnOuterLowered});
    path.Create(panel, {.at = {3, 3, width - 8, 14}, .style = tk::lsNoAutoSize | tk::lsNoPrefix});
    button.Create(group, {.at = {width + 12, top, 26, 22}, .caption = "...", .hint = hint});
}

void TForm4::CreateCheckBoxes(tk::Control& parent, std::initializer_list<CheckRow> rows, tk::Bounds first,
                              int perColumn) {
    int i = 0;
    for (const CheckRow& r : rows) {
        r.box.Create(parent, {.at = {first.left + (i / perColumn) * (first.width + 6),
                                     first.top + (i % perColumn) * (first.height + 2), first.width, first.height},
                              .caption = r.caption});
        ++i;
    }
}

void TForm4::BuildMenuPage() {
    GroupBox3.Create(TabSheet3, {.at = {6, 4, 500, 150}, .caption = "右ｸﾘｯｸﾒﾆｭｰの設定"});
    RadioGroup4.Create(GroupBox3, {.at = {10, 20, 130, 60}, .caption = "Period", .items = {"有効", "無効"}, .value = -1});
    RadioGroup3.Create(GroupBox3, {.at = {150, 20, 160, 60}, .caption = "Windowsの終了ﾒﾆｭｰ",
                                   .hint = "ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰに Windows終了､再起動の項目を付加します｡",
                                   .items = {"表示", "非表示"}, .value = -1});
    CheckBox7.Create(GroupBox3, {.at = {320, 40, 170, 18}, .caption = "ﾗﾝﾁｬｰﾒﾆｭｰにも表示"});
    GroupBox13.Create(GroupBox3, {.at = {10, 88, 300, 50}, .caption = "右ｸﾘｯｸﾒﾆｭｰの表示項目名"});
    Edit2.Create(GroupBox13, {.at = {10, 20, 280, 20}});
}

void TForm4::BindSwitches() {
    Switch switches[] = {
        {&CheckBox31, ik::Form::Section, ik::Form::Waveplay, true},
        {&CheckBox1, ik::Form::Section, ik::Form::Today_pop, false},
        {&CheckBox25, ik::Form::Section, ik::Form::Todo_pop, false},
        {&CheckBox29, ik::Form::Section, ik::Form::ToolWindow_pop, true},
        {&CheckBox5, ik::Form::Section, ik::Form::BirthPop, true},
        {&CheckBox3, ik::Form::Section, ik::Form::Qreki, false},
        {&CheckBox2, ik::Form::Section, ik::Form::Delete, false},
        {&CheckBox4, ik::Form::Section, ik::Form::Open, false},
        {&CheckBox17, ik::Form::Section, ik::Form::CaptionTime, false},
        {&CheckBox18, ik::Form::Section, ik::Form::CaptionJisa, false},
        {&CheckBox30, ik::Form::Section, ik::Form::AnalogClock, false},
        {&CheckBox7, ik::Setup::Section, ik::Setup::Reboot_exec, false},
        {&CheckBox28, ik::CalendarEx::Section, ik::CalendarEx::Happy_Monday, true},
        {&CheckBox33, ik::CalendarEx::Section, ik::CalendarEx::PopView, true},
        {&CheckBox15, ik::CalendarEx::Section, ik::CalendarEx::CanCol_Week, false},
        {&CheckBox16, ik::CalendarEx::Section, ik::CalendarEx::CanCol_Mon, false},
        {&CheckBox20, ik::CalendarEx::Section, ik::CalendarEx::CanCol_Day, false},
        {&CheckBox21, ik::CalendarEx::Section, ik::CalendarEx::CanCol_All, false},
        {&CheckBox22, ik::CalendarEx::Section, ik::CalendarEx::CanCol_todo, false},
        {&CheckBox23, ik::CalendarEx::Section, ik::CalendarEx::CanCol_Born, false},
        {&CheckBox6, ik::Memo::Section, ik::Memo::Caption, false},
        {&CheckBox8, ik::Memo::Section, ik::Memo::DropCaption, false},
        {&CheckBox9, ik::Nikki::Section, ik::Nikki::Auto, false},
        {&CheckBox24, ik::Nikki::Section, ik::Nikki::Zenjitu, false},
        {&CheckBox13, ik::Calendar::Section, ik::Calendar::Stretch, false},
        {&CheckBox26, ik::Mini::Section, ik::Mini::StayOnTop, false},
    };
    // What a switch changes besides its key.
    auto after = [this](tk::CheckBox* box) -> std::function<void()> {
        if (box == &CheckBox17) return [this] { CheckBox17Click(); };
        if (box == &CheckBox18) return [this] { CheckBox18Click(); };
        if (box == &CheckBox7) return [this] { CheckBox7Click(); };
        if (box == &CheckBox9) return [this] { CheckBox9Click(); };
        if (box == &CheckBox13) return [this] { CheckBox13Click(); };
        return {};
    };
    auto ini = settings::Open();
    for (const Switch& s : switches) {
        s.box->SetChecked(ini.ReadBool(s.section, s.key, s.def));
        s.box->OnClick = [this, s, then = after(s.box)] {
            if (armed_) settings::Open().WriteBool(s.section, s.key, s.box->Checked());
            if (then) then();
        };
        if (auto then = after(s.box)) then();  // the state as filled
    }

    Choice choices[] = {
        {&RadioGroup1, ik::Form::Section, ik::Form::ActiveP, 0},
        {&RadioGroup2, ik::Setup::Section, ik::Setup::Cal_DBLC, 0},
        {&RadioGroup7, ik::Setup::Section, ik::Setup::MIcon_DBLC, 0},
        {&RadioGroup10, ik::Form::Section, ik::SetupRange::Resource, 0},
        {&RadioGroup4, ik::Setup::Section, ik::Setup::Period, 1},
        {&RadioGroup3, ik::Setup::Section, ik::Setup::Reboot, 1},
        {&RadioGroup6, ik::Form::Section, ik::Form::PastePic, 0},
    };
    for (const Choice& c : choices) {
        c.group->SetItemIndex(ini.ReadInteger(c.section, c.key, c.def));
        c.group->OnClick = [this, c] {
            if (armed_) settings::Open().WriteInteger(c.section, c.key.Name, c.group->ItemIndex());
            if (c.group == &RadioGroup3) RadioGroup3Click();
        };
    }
    RadioGroup3Click();

    Number numbers[] = {
        {&SpinEdit15, ik::Form::Section, ik::Form::Jisa_H, 0},
        {&SpinEdit16, ik::Form::Section, ik::Form::Jisa_M, 0},
        {&SpinEdit12, ik::Form::Section, ik::Form::Interval, 1000, &TForm4::SpinEdit12Change},
        {&SpinEdit11, ik::Calendar::Section, ik::Calendar::before, 0},
        {&SpinEdit4, ik::Nikki::Section, ik::Nikki::Auto_H, 0},
        {&SpinEdit5, ik::Nikki::Section, ik::Nikki::Auto_M, 0},
    };
    for (const Number& n : numbers) {
        n.spin->SetValue(ini.ReadInteger(n.section, n.key, n.def));
        n.spin->OnChange = [this, n] {
            if (!armed_) return;
            settings::Open().WriteInteger(n.section, n.key.Name, n.spin->Value());
            if (n.push) (this->*n.push)();
        };
    }
}

void TForm4::FormCreate() {
    auto ini = settings::Open();
    // 1: every key into its control, while nothing is armed.
    BindSwitches();
    (ini.ReadInteger(ik::Form::Section, ik::Form::Jisa, 0) == 1 ? SpeedButton2 : SpeedButton1).SetChecked(true);
    CheckBox32.SetChecked(ini.ReadBool(ik::Form::Section, ik::Form::IconAnimate, false));
    Label14.SetCaption(ini.ReadString(ik::Pop_Born::Section, ik::Pop_Born::file, ""));
    std::string periodCaption = Form1 ? Form1->Period1->Caption() : "";
    Edit2.SetText(ini.ReadString(ik::Form::Section, ik::Form::Period_Cap, periodCaption));
    FillPages(ini);
    FillMiniPage(ini);
    FillPhonePage(ini);
    // 2: the password switch and the mini clock's shape arm themselves once filled; the chosen
    // part's controls are filled from the file, which writes nothing either.
    CheckBox27.SetChecked(ini.ReadBool(ik::Password::Section, ik::Password::Use, false));
    RadioGroup8.SetItemIndex(ini.ReadInteger(ik::Mini::Section, ik::Mini::style, 0));
    RadioGroup8.Tag = 1;
    RadioGroup9.SetItemIndex(0);
    // 3: the folders.
    std::string dir = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, "");
    Label1.SetCaption(dir);
    std::string privateDir = ini.ReadString(ik::Privacy::Section, ik::Privacy::Directory, "");
    Label24.SetCaption(privateDir.empty() ? dir : privateDir);
    // 4: without a data folder nothing may open at start that needs one.
    bool chosen = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".") != ".";
    if (!chosen) {
        ini.WriteBool(ik::Form::Section, ik::Form::Todo_pop, false);
        ini.WriteBool(ik::Form::Section, ik::Form::Today_pop, false);
        CheckBox25.SetChecked(false);
        CheckBox1.SetChecked(false);
    }
    CheckBox25.SetEnabled(chosen);
    CheckBox1.SetEnabled(chosen);
    BitBtn22.SetEnabled(chosen);
    // 5: the tray choice, whose handler keeps its own flag; then every control is armed, since
    // each of the fillings above ran its change handler.
    RadioGroup5.SetItemIndex(ini.ReadInteger(ik::Form::Section, ik::Form::Tray_icon, 0));
    RadioGroup5.Tag = 1;
    CheckBox27.Tag = 1;
    armed_ = true;
    // 6: the tray menu stays out of the way while this window exists.
    SetTrayAutoPopup(false);
}

void TForm4::FormShow() {
    if (Form1) Form1->PlayWaveRes("ope");
    FillFontBoxes();
    SpinEdit1Change();
    PageControl1.SetActivePage(&TabSheet1);
    LoadPicturePreview();
}

void TForm4::PageControl1Change() {
    if (Form1) Form1->PlayWaveRes("c1");
}

void TForm4::FormCloseQuery(bool& canClose) {
    canClose = true;
    if (Form1) Form1->PlayWaveRes("clo");
}

// The menu item's caption typed in Edit2, saved when the window closes and at the program's end.
std::string TForm4::SavePeriodCaption() {
    try {
        settings::Open().WriteString(ik::Form::Section, ik::Form::Period_Cap, Edit2.Text());
    } catch (const tk::EIniFileError& e) {
        return e.Message;
    }
    return "";
}

void TForm4::FormClose(tk::CloseAction& action) {
    SetTrayAutoPopup(true);
    if (Form1) {
        // Holidays and colours changed here reach the calendar now.
        Form1->FormActivate();
        Form1->CalendarEx1Change();
        Form1->Setup1->SetChecked(false);
    }
    action = tk::CloseAction::Free;
}

int TForm4::Ask(const std::string& text, UINT type) { return tk::MessageDlg(Handle, text, Caption(), type); }

// ---- folders ----

// A file can be made and removed in dir: otherwise every later save there fails, one by one.
static bool FolderTakesFiles(const std::string& dir) {
    char probe[MAX_PATH + 16] = {};
    return GetTempFileNameA(dir.c_str(), "o98", 0, probe) && DeleteFileA(probe);
}

void TForm4::BitBtn1Click(tk::BitBtn& sender) {
    tk::FolderDialog dialog;
    if (&sender == &BitBtn1) {
        Ask("専用のフォルダは用意しましたか？\rスケジュールデータを格納するフォルダに他のファイルが存在するとエラーになります。"
            "\r\rまた、既に設定しているのであれば特に変更する必要がありますか？",
            MB_OK | MB_ICONQUESTION);
        dialog.Directory = Label1.Caption();
        dialog.Title = "スケジュールデータを格納するフォルダを選択してください。";
        if (dialog.Execute()) {
            settings::Open().WriteString(ik::Calendar::Section, ik::Calendar::Directory, dialog.Directory);
            Label1.SetCaption(dialog.Directory);
            CheckBox1.SetEnabled(true);
            CheckBox25.SetEnabled(true);
            if (!FolderTakesFiles(dialog.Directory))
                Ask("このフォルダにはファイルを書き込めません。\r" + dialog.Directory +
                        "\r\rデータを保存できないため、書き込めるフォルダを選択してください。",
                    MB_OK | MB_ICONEXCLAMATION);
            if (rtl::EndsWithBackslash(dialog.Directory))
                Ask("ルートが設定されています。\rサブディレクトリに再設定してください。", MB_OK | MB_ICONINFORMATION);
        }
        // The private folder follows the data folder unless it has its own; it can be chosen
        // once there is a data folder.
        if (settings::Open().ReadString(ik::Privacy::Section, ik::Privacy::Directory, "").empty())
            Label24.SetCaption(Label1.Caption());
        BitBtn22.SetEnabled(Label1.Caption() != "." && !Label1.Caption().empty());
        return;
    }
    Ask("日記や、Periodのデータが他人に見られたくない等の理由から\rフロッピー,MO,ZIP等の取り外し可能なメディアに記録したい場合のみ"
        "\r設定するものです。本当に必要ですか？",
        MB_OK | MB_ICONQUESTION);
    dialog.Directory = Label24.Caption();
    dialog.Title = "プライバシデータを格納するフォルダを選択してください。";
    if (!dialog.Execute()) return;
    std::string folder = rtl::ExcludeTrailingBackslash(dialog.Directory);
    bool same = rtl::SameTextAscii(folder, rtl::ExcludeTrailingBackslash(Label1.Caption()));
    settings::Open().WriteString(ik::Privacy::Section, ik::Privacy::Directory, same ? "" : folder);
    Label24.SetCaption(folder);
}

// ---- 基本設定 ----

void TForm4::RadioGroup5Click() {
    int index = RadioGroup5.ItemIndex();
    if (RadioGroup5.Tag == 1) {
        auto ini = settings::Open();
        ini.WriteInteger(ik::Form::Section, ik::Form::Tray_icon.Name, index);
        if (index == 1 || index == 3) {
            ini.WriteBool(ik::Form::Section, ik::Form::Visible, true);
            if (Form1) Form1->Show();
        }
        Ask(kNextStart, MB_OK | MB_ICONINFORMATION);
    }
    CheckBox32.SetEnabled(index == 0 || index == 2);
}

void TForm4::CheckBox32Click() {
    if (!armed_) return;
    settings::Open().WriteBool(ik::Form::Section, ik::Form::IconAnimate, CheckBox32.Checked());
    Ask(kNextStart, MB_OK | MB_ICONINFORMATION);
}

// ---- 拡張設定 ----

void TForm4::CheckBox17Click() { CheckBox18.SetEnabled(CheckBox17.Checked()); }

void TForm4::CheckBox18Click() {
    bool on = CheckBox18.Checked();
    for (tk::Control* c : std::initializer_list<tk::Control*>{&SpinEdit15, &SpinEdit16, &SpeedButton1, &SpeedButton2,
                                                              &Label28, &Label29})
        c->SetEnabled(on);
}

void TForm4::SpeedButton1Click(tk::RadioButton& sender) {
    if (armed_) settings::Open().WriteInteger(ik::Form::Section, ik::Form::Jisa, sender.Tag);
}

void TForm4::SpinEdit12Change() {
    if (Form1) Form1->Timer1.SetInterval(SpinEdit12.Value());
}

void TForm4::BitBtn14Click() {
    std::string file = ChooseSoundFile(settings::Open().ReadString(ik::Pop_Born::Section, ik::Pop_Born::file, ""));
    Label14.SetCaption(file);
    settings::Open().WriteString(ik::Pop_Born::Section, ik::Pop_Born::file, file);
}

void TForm4::CheckBox27Click() {
    if (CheckBox27.Tag != 1) return;
    CheckBox27.Tag = 0;
    bool turningOn = CheckBox27.Checked();
    std::string entry = AskPassword();
    auto ini = settings::Open();
    if (entry != PasswordForCheck(ini)) {
        ShowWrongPassword(Handle);
        ini.WriteBool(ik::Password::Section, ik::Password::Use, !turningOn);
        CheckBox27.SetChecked(!turningOn);
    } else if (turningOn) {
        ini.WriteBool(ik::Password::Section, ik::Password::Use, true);
    } else if (Ask("パスワードを完全削除しますか？\rパスワードを残して一時的に解除するなら「いいえ」を選択してください。",
                   MB_YESNO | MB_ICONQUESTION) == IDYES) {
        Ask("パスワードを完全削除しました。\r再び設定する場合は、新たにパスワードを設定してください。",
            MB_OK | MB_ICONINFORMATION);
        ini.EraseSection(ik::Password::Section);
    } else {
        Ask("パスワードを一時的に解除しました。\r再び設定する場合は、同じパスワードを入力してください。",
            MB_OK | MB_ICONINFORMATION);
        ini.WriteBool(ik::Password::Section, ik::Password::Use, false);
    }
    CheckBox27.Tag = 1;
}

// The clock page's buttons switch the main window's clock page as its own double clicks do.
void TForm4::BitBtn32Click() {
    if (!Form1) return;
    Form1->PageControl1.SetActivePage(&Form1->TabSheet1);
    OpenPrivateGraphs();
}

void TForm4::BitBtn33Click() {
    if (!Form1) return;
    Form1->PageControl1.SetActivePage(&Form1->TabSheet1);
    if (Form1->Panel1.Tag == 2) LeaveGoalPanel();
    else if (Form1->Panel1.Tag == 1) Form1->Panel9DblClick();
}

void TForm4::BitBtn35Click() {
    if (!Form1) return;
    Form1->PageControl1.SetActivePage(&Form1->TabSheet1);
    if (Form1->Panel1.Tag == 1) Form1->Panel9DblClick();
    if (Form1->Panel1.Tag != 2) ShowGoalPanel();
}

void TForm4::BitBtn36Click() {
    if (!Form1) return;
    Form1->PageControl1.SetActivePage(&Form1->TabSheet1);
    if (Form1->Panel1.Tag == 2) LeaveGoalPanel();
    if (Form1->Panel1.Tag == 0) Form1->Panel5DblClick();
}

// ---- 右ｸﾘｯｸ ----

void TForm4::RadioGroup3Click() {
    if (RadioGroup3.ItemIndex() == 1) CheckBox7.SetChecked(false);
    CheckBox7.SetEnabled(RadioGroup3.ItemIndex() != 1);
}

void TForm4::CheckBox7Click() {
    if (armed_ && Form1) Form1->Close1->SetVisible(RadioGroup3.ItemIndex() == 0);
}

// ---- the picture at the left ----

void TForm4::Image3Click() {
    ++Image3.Tag;
    if (Image3.Tag == 50) {
        Panel5.Hide();
        PageControl1.Hide();
    } else if (Image3.Tag > 50) {
        Close();
    }
}

// ---- status-bar hints ----

void TForm4::BuildHints() {
    struct Hint {
        tk::Control* control;
        const char* text;
    } hints[] = {
        {&PageControl1, "自分好みにカスタマイズしましょう。"},
        {&StatusBar1, "自分好みにカスタマイズしましょう。"},
        {&TabSheet1, "基本の設定です。"},
        {&TabSheet2, "基本以外の動作設定です。"},
        {&TabSheet3, "右クリックメニュー項目の設定です。"},
        {&GroupBox3, "右クリックメニュー項目の設定です。"},
        {&TabSheet4, "カレンダーの設定です。"},
        {&TabSheet5, "カレンダーの設定です。"},
        {&TabSheet6, "メモの配色、動作の設定です。"},
        {&TabSheet7, "日記のカスタマイズ"},
        {&TabSheet8, "ポップアップスケジュールの設定です。"},
        {&TabSheet9, "ミニ時計のカスタマイズ"},
        {&GroupBox1, "設定しないとスケジュール等が使用出来ません。"},
        {&GroupBox11, "通常は設定しない方が良いでしょう。"},
        {&GroupBox6, "メモの動作を設定できます。"},
        {&GroupBox7, "日記の動作を設定できます。"},
        {&GroupBox14, "日記を強制的に表示し記入を促します。"},
        {&Edit1, "To_doの配色を設定します。"},
        {&BitBtn2, "保存された休日はスケジュールシフトの対象です。"},
        {&BitBtn32, "左右のグラフを設定できます。"},
        {&BitBtn33, "表示切換はﾒｲﾝｳｨﾝﾄﾞｳで、それぞれの場所をﾀﾞﾌﾞﾙｸﾘｯｸすれば変更できます。"},
        {&BitBtn35, "表示切換はﾒｲﾝｳｨﾝﾄﾞｳで、それぞれの場所をﾀﾞﾌﾞﾙｸﾘｯｸすれば変更できます。"},
        {&BitBtn36, "表示切換はﾒｲﾝｳｨﾝﾄﾞｳで、それぞれの場所をﾀﾞﾌﾞﾙｸﾘｯｸすれば変更できます。"},
        {&CheckBox2, "削除されたデータは復旧できませんので注意!!"},
        {&CheckBox3, "六曜とは、大安や仏滅などの事です。"},
        {&CheckBox4, "オープニングタイトルを表示しなくなります。"},
        {&CheckBox5, "誕生日になるとポップアップでお知らせします。"},
        {&CheckBox10, "クリックしてもミニ時計の表示位置が移動できなくなります。"},
        {&CheckBox12, "ミニ時計とメイン画面を自動的に切り換えます。"},
        {&CheckBox17, "メイン画面のキャプションにも日時を表示します。"},
        {&CheckBox19, "簡易電話帳を閉じる時ダイヤラも閉じるならチェック。"},
        {&CheckBox26, "ミニ時計を常に手前に表示するようにします。。"},
        {&CheckBox27, "使用前に必ずヘルプを読んでください。。"},
        {&CheckBox28, "成人の日、体育の日を第２月曜とします。"},
        {&CheckBox30, "月齢表示の際にアナログ時計も表示します。"},
        {&CheckBox33, "使用しなければカレンダーの日付変更が高速に動作します。"},
        {&Panel1, "誕生日がポップアップする時のサウンド。"},
        {&Panel3, "Popupスケジュールが表示される時のサウンド。"},
        {&SpinEdit3, "ミニ時計の高さを指定します。"},
        {&SpinEdit6, "ミニ時計の幅を指定します。"},
        {&SpinEdit11, "指定した時間だけ早くポップアップします。。"},
        {&SpinEdit12, "大きな数値にすると時計表示が秒飛びになります。"},
        {&SpinEdit17, "スピーカからのトール音（プッシュ）間隔を設定します。"},
        {&Edit7, "閉じたい窓のタイトルを入力。"},
        {&Edit10, "入力が無ければ関連付けされたブラウザを起動します。"},
        {&Edit11, "入力が無ければ関連付けされたメーラーを起動します。"},
        {&CheckBox1, ""},
        {&CheckBox29, ""},
        {&CheckBox31, ""},
        {&TabSheet10, ""},
    };
    for (const Hint& h : hints)
        h.control->OnMouseMove = [this, text = std::string(h.text)](int, int, int) {
            if (StatusBar1.SimpleText() != text) StatusBar1.SetSimpleText(text);
        };
}
