// The settings window's pages for the calendar, the schedule list, memos, the diary and reminders.
#include <array>

#include "controls/Bmp_sel.h"
#include "mainwindow/Main.h"
#include "mainwindow/Picture.h"
#include "settings/Settings.h"
#include "settings/Setup.h"
#include "settings/SetupLinks.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/ScreenFonts.h"
#include "toolkit/rtl/DateTime.h"

namespace ik = inikey;

namespace {

// The month grid's six colours, by the grid's colour index.
struct DayColour {
    const char* caption;
    const char* key;
};
const DayColour kDayColours[6] = {
    {"平日の色", ik::CalendarEx::WeekDayColor},       {"日曜日の色", ik::CalendarEx::SundayColor},
    {"土曜日の色", ik::CalendarEx::SaturdayColor},    {"休日の色", ik::CalendarEx::HolidayColor},
    {"予定日の色", ik::CalendarEx::SpecialDayColor}, {"前・翌月の色", ik::CalendarEx::NeighborDayColor},
};

// The schedule list's three panes: past, today, future.
struct Pane {
    const char* group;
    const char* preview;
    const char* fontKey;
    const char* backKey;
    tk::TColor fontDefault, backDefault;
};
const Pane kPanes[3] = {
    {"過去", "過去のスケジュール", ik::To_do::PastColor, ik::To_do::PastBackColor, 16777215, tk::clActiveCaption},
    {"当日", "当日のスケジュール", ik::To_do::TodayColor, ik::To_do::TodayBackColor, 16777215, tk::clBtnShadow},
    {"未来", "未来のスケジュール", ik::To_do::FutureColor, ik::To_do::FutureBackColor, 8388608, tk::clMenu},
};

// The defaults of new memos (0) and of the diary (1).
struct Defaults {
    const char* section;
    tk::TColor fontDefault;  // the read default of FontColor
};
const Defaults kDefaults[2] = {{ik::Memo::Section, tk::clBlack}, {ik::Nikki::Section, tk::clWindowText}};
constexpr tk::TColor kDefaultBack = 16777215, kDefaultFont = 0;

std::array<tk::BitBtn*, 6> DayButtons(TForm4& f) {
    return {&f.BitBtn5, &f.BitBtn6, &f.BitBtn9, &f.BitBtn7, &f.BitBtn8, &f.BitBtn15};
}
std::array<tk::Panel*, 6> DayPanels(TForm4& f) {
    return {&f.Panel13, &f.Panel15, &f.Panel14, &f.Panel16, &f.Panel12, &f.Panel17};
}

struct PaneControls {
    tk::GroupBox* group;
    tk::Panel* preview;
    tk::BitBtn *font, *back, *reset;
};
PaneControls PaneOf(TForm4& f, int pane) {
    switch (pane) {
        case 0: return {&f.GroupBox8, &f.Panel6, &f.BitBtn16, &f.BitBtn19, &f.BitBtn23};
        case 1: return {&f.GroupBox9, &f.Panel7, &f.BitBtn17, &f.BitBtn20, &f.BitBtn24};
        default: return {&f.GroupBox10, &f.Panel8, &f.BitBtn18, &f.BitBtn21, &f.BitBtn25};
    }
}

struct DefaultsControls {
    tk::GroupBox* group;
    tk::Label *fontLabel, *sizeLabel;
    tk::ComboBox* face;
    tk::SpinEdit* size;
    tk::BitBtn *back, *font, *reset;
    tk::Panel* preview;
};
DefaultsControls DefaultsOf(TForm4& f, int which) {
    if (which == 0)
        return {&f.GroupBox6, &f.MemoFontLabel, &f.MemoSizeLabel, &f.ComboBox3, &f.SpinEdit9,
                &f.BitBtn12,  &f.BitBtn13,      &f.BitBtn26,      &f.Panel9};
    return {&f.GroupBox7, &f.DiaryFontLabel, &f.DiarySizeLabel, &f.ComboBox2, &f.SpinEdit8,
            &f.BitBtn10,  &f.BitBtn11,       &f.BitBtn27,       &f.Panel10};
}

void SetFontColour(tk::Control& c, tk::TColor colour) {
    tk::TFont font = c.EffectiveFont();
    font.Color = colour;
    c.SetFont(font);
}

}  // namespace

// ---- layout ----

void TForm4::BuildCalendarPage() {
    auto& p = TabSheet4;
    GroupBox4.Create(p, {.at = {6, 2, 206, 98}, .caption = "休日の設定"});
    SpinEdit1.Create(GroupBox4, {.at = {8, 18, 44, 20}, .min = 1, .max = 12, .value = 1});
    MonthLabel.Create(GroupBox4, {.at = {56, 21, 14, 14}, .caption = "月"});
    SpinEdit2.Create(GroupBox4, {.at = {74, 18, 44, 20}, .min = 1, .max = 31, .value = 1});
    DayLabel.Create(GroupBox4, {.at = {122, 21, 14, 14}, .caption = "日"});
    Edit1.Create(GroupBox4, {.at = {8, 44, 190, 20}});
    BitBtn2.Create(GroupBox4, {.at = {8, 70, 64, 22}, .caption = "&Save"});
    BitBtn4.Create(GroupBox4, {.at = {76, 70, 64, 22}, .caption = "&Delete", .enabled = false});
    SpinEdit1.OnChange = [this] { SpinEdit1Change(); };
    SpinEdit2.OnChange = [this] { SpinEdit1Change(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };

    GroupBox12.Create(p, {.at = {218, 2, 288, 98}, .caption = "カレンダーの表示色"});
    auto buttons = DayButtons(*this);
    auto panels = DayPanels(*this);
    for (int i = 0; i < 6; ++i) {
        int x = 10 + (i % 2) * 140, y = 18 + (i / 2) * 26;
        buttons[i]->Create(GroupBox12, {.at = {x, y, 96, 22}, .caption = kDayColours[i].caption,
                                        .hint = kDayColours[i].caption});
        panels[i]->Create(GroupBox12, {.at = {x + 100, y, 26, 22}, .style = tk::pnOuterLowered});
        buttons[i]->OnClick = [this, i] { CalendarColourClick(i); };
    }
    CreateCheckBoxes(p, {{CheckBox28, "ハッピーマンデー対応"}, {CheckBox33, "スケジュールのポップビューワーを使用する。"}},
                     {8, 104, 300, 16}, 2);
    CreateCheckBoxes(p,
                     {{CheckBox15, "毎週、第×週○曜日の予定は色変更しない。"},
                      {CheckBox16, "毎月○日の予定は色変更しない。"},
                      {CheckBox20, "毎年○月○日の予定は色変更しない。"},
                      {CheckBox21, "全ての予定日、誕生日の色変更をしない。"},
                      {CheckBox22, "○年○月○日の予定は色変更しない。"},
                      {CheckBox23, "誕生日は色変更しない。"}},
                     {8, 148, 250, 18}, 3);
}

void TForm4::BuildSchedulePage() {
    for (int pane = 0; pane < 3; ++pane) {
        PaneControls c = PaneOf(*this, pane);
        c.group->Create(TabSheet5, {.at = {6 + pane * 168, 4, 164, 160}, .caption = kPanes[pane].group});
        c.preview->Create(*c.group, {.at = {8, 18, 148, 48}, .caption = kPanes[pane].preview,
                                     .style = tk::pnOuterLowered});
        c.font->Create(*c.group, {.at = {8, 72, 148, 24}, .caption = "フォント色"});
        c.back->Create(*c.group, {.at = {8, 100, 148, 24}, .caption = "背景色"});
        c.reset->Create(*c.group, {.at = {8, 128, 148, 24}, .caption = "デフォルト"});
        c.font->OnClick = [this, pane] { PaneColourClick(pane, false); };
        c.back->OnClick = [this, pane] { PaneColourClick(pane, true); };
        c.reset->OnClick = [this, pane] { PaneDefaultClick(pane); };
    }
}

void TForm4::BuildMemoPage() {
    const char* groups[2] = {"メモのデフォルト値の設定", "日記"};
    const char* previews[2] = {"リッチテキストのメモ", "リッチテキストの日記"};
    for (int which = 0; which < 2; ++which) {
        DefaultsControls c = DefaultsOf(*this, which);
        c.group->Create(which == 0 ? TabSheet6 : TabSheet7, {.at = {6, 4, 500, 124}, .caption = groups[which]});
        c.fontLabel->Create(*c.group, {.at = {8, 23, 48, 14}, .caption = "フォント"});
        c.face->Create(*c.group, {.at = {58, 19, 180, 22}, .style = tk::csDropDown});
        c.face->DropDownCount = 16;
        c.sizeLabel->Create(*c.group, {.at = {250, 23, 60, 14}, .caption = "文字サイズ"});
        c.size->Create(*c.group, {.at = {312, 19, 50, 21}, .min = ik::SetupRange::FontSize.Min,
                                    .max = ik::SetupRange::FontSize.Max, .value = 9});
        c.back->Create(*c.group, {.at = {8, 48, 84, 24}, .caption = "背景色"});
        c.font->Create(*c.group, {.at = {96, 48, 84, 24}, .caption = "フォント色"});
        c.reset->Create(*c.group, {.at = {184, 48, 84, 24}, .caption = "デフォルト"});
        c.preview->Create(*c.group, {.at = {8, 80, 484, 36}, .caption = previews[which], .style = tk::pnOuterLowered});
        c.face->OnChange = [this, which] { DefaultsFontChange(which); };
        c.size->OnChange = [this, which] { DefaultsSizeChange(which); };
        c.back->OnClick = [this, which] { DefaultsColourClick(which, true); };
        c.font->OnClick = [this, which] { DefaultsColourClick(which, false); };
        c.reset->OnClick = [this, which] { DefaultsResetClick(which); };
    }
    auto& p = TabSheet6;
    CheckBox6.Create(p, {.at = {8, 136, 400, 18}, .caption = "新規メモを開いたら題名記入ウィンドウを表示"});
    CheckBox8.Create(p, {.at = {8, 156, 400, 18}, .caption = "ドロップした場合はファイル名を題名にする"});
    RadioGroup6.Create(p, {.at = {6, 180, 196, 44}, .caption = "画像貼り付けの保存形式", .items = {"JPEG", "Bitmap"}, .value = -1, .style = 2});
    BitBtn39.Create(p, {.at = {274, 190, 232, 28}, .caption = "新規メモの位置、サイズの指定"});
    BitBtn39.OnClick = [this] { BitBtn39Click(); };
}

void TForm4::BuildDiaryPage() {
    auto& p = TabSheet7;  // the diary's defaults are laid out with the memo's
    GroupBox14.Create(p, {.at = {6, 134, 500, 94}, .caption = "３日坊主の防止"});
    CheckBox9.Create(GroupBox14, {.at = {8, 18, 200, 18}, .caption = "有効にする。"});
    Label10.Create(GroupBox14, {.at = {26, 45, 28, 14}, .caption = "毎日"});
    SpinEdit4.Create(GroupBox14, {.at = {56, 42, 44, 20}, .min = ik::Nikki::Auto_H.Min, .max = ik::Nikki::Auto_H.Max});
    Label11.Create(GroupBox14, {.at = {104, 45, 14, 14}, .caption = "時"});
    SpinEdit5.Create(GroupBox14, {.at = {122, 42, 44, 20}, .min = ik::Nikki::Auto_M.Min, .max = ik::Nikki::Auto_M.Max});
    Label12.Create(GroupBox14, {.at = {170, 45, 120, 14}, .caption = "分に自動的に開く"});
    CheckBox24.Create(GroupBox14, {.at = {26, 68, 300, 18}, .caption = "自動的に開く日記は前日のもの。"});
}

void TForm4::BuildPopupPage() {
    auto& p = TabSheet8;
    GroupBox2.Create(p, {.at = {6, 2, 500, 48}, .caption = "ｽｹｼﾞｭｰﾙ ﾎﾟｯﾌﾟｱｯﾌﾟのｻｳﾝﾄﾞ", .hint = "必要なら設定してください"});
    CreatePathRow(GroupBox2, Panel3, Label2, BitBtn3, 18, "ﾌｧｲﾙ選択");
    Image1.Create(p, {.at = {6, 56, 137, 137}});
    Image1.SetCenter(true);
    Image2.Create(p, {.at = {0, 0, 137, 137}, .visible = false});
    Image2.LoadFromResourceName(GetModuleHandleA(nullptr), "SETUP_DEFAULT");
    Label8.Create(p, {.at = {0, 0, 10, 10}, .visible = false});
    BitBtn29.Create(p, {.at = {152, 56, 92, 24}, .caption = "&Picture", .hint = "ﾌｧｲﾙ選択"});
    BitBtn28.Create(p, {.at = {248, 56, 92, 24}, .caption = "デフォルト"});
    CheckBox13.Create(p, {.at = {346, 59, 98, 18}, .caption = "ストレッチ解除"});
    BitBtn30.Create(p, {.at = {152, 84, 292, 24}, .caption = "デフォルトの画像をクリップボードにコピー"});
    PictureNote1.Create(p, {.at = {152, 118, 292, 14}, .caption = "Popupに表示される画像ファイルのサイズは"});
    PictureNote2.Create(p, {.at = {152, 134, 292, 14}, .caption = "137×137 です｡"});
    PictureNote3.Create(p, {.at = {152, 156, 292, 14}, .caption = "色数は、それぞれの環境に合わせましょう。"});
    PictureNote4.Create(p, {.at = {152, 174, 292, 14}, .caption = "※特に 256色の環境は色化けに注意!!",
                            .font = tk::TFont{.Color = tk::clRed}});
    BeforeLabel.Create(p, {.at = {6, 207, 104, 14}, .caption = "ﾎﾟｯﾌﾟｱｯﾌﾟを予定の"});
    SpinEdit11.Create(p, {.at = {112, 204, 44, 20}, .min = ik::Calendar::before.Min, .max = ik::Calendar::before.Max});
    BeforeUnitLabel.Create(p, {.at = {160, 207, 120, 14}, .caption = "分前に表示させる。"});
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn29.OnClick = [this] { BitBtn29Click(); };
    BitBtn28.OnClick = [this] { BitBtn28Click(); };
    BitBtn30.OnClick = [this] { BitBtn30Click(); };
}

// ---- filling ----

void TForm4::FillPages(tk::TIniFile& ini) {
    auto panels = DayPanels(*this);
    for (int i = 0; i < 6; ++i)
        panels[i]->SetColor(Form1 ? Form1->CalendarEx1.GetDayColor(i)
                                  : ini.ReadInteger(ik::CalendarEx::Section, kDayColours[i].key, tk::clBlack));
    for (int pane = 0; pane < 3; ++pane) {
        const Pane& k = kPanes[pane];
        tk::Panel& preview = *PaneOf(*this, pane).preview;
        preview.SetColor(ini.ReadInteger(ik::To_do::Section, k.backKey, k.backDefault));
        SetFontColour(preview, ini.ReadInteger(ik::To_do::Section, k.fontKey, k.fontDefault));
    }
    for (int which = 0; which < 2; ++which) {
        const char* s = kDefaults[which].section;
        DefaultsControls c = DefaultsOf(*this, which);
        std::string face = ini.ReadString(s, ik::Memo::FontName, "ＭＳ Ｐゴシック");
        int size = ini.ReadInteger(s, ik::SetupRange::FontSize, 9);
        c.face->SetText(face);
        c.size->SetValue(size);
        c.preview->SetColor(ini.ReadInteger(s, ik::Memo::BackColor, kDefaultBack));
        c.preview->SetFont({.Name = rtl::SjisTruncate(face, 255), .Size = size,
                            .Color = ini.ReadInteger(s, ik::Memo::FontColor, kDefaults[which].fontDefault)});
    }
    Label2.SetCaption(ini.ReadString(ik::Calendar::Section, ik::Calendar::file, ""));
    Image1.SetStretch(!CheckBox13.Checked());
}

void TForm4::FillFontBoxes() {
    std::vector<std::string> names = tk::ScreenFontNames();
    for (tk::ComboBox* box : {&ComboBox1, &ComboBox2, &ComboBox3}) {
        std::string text = box->Text();
        box->Items.Clear();
        for (const std::string& n : names) box->Items.Add(n);
        box->SetText(text);
    }
}

// ---- ｶﾚﾝﾀﾞｰ: holidays ----

bool TForm4::HolidayKey(std::string& key) {
    rtl::TDateTime day;
    if (!rtl::TryEncodeDate(1971, SpinEdit1.Value(), SpinEdit2.Value(), day)) {
        Ask("日付に変換できない値が渡されました", MB_OK | MB_ICONERROR);
        return false;
    }
    key = rtl::FormatDateTime("mm/dd", day);
    return true;
}

bool TForm4::Settled(tk::SpinEdit& spin) {
    int typed;
    if (!rtl::TryStrToInt(spin.Text(), typed)) return false;
    if (typed == spin.Clamp(typed)) return true;
    spin.SetValue(typed);
    return false;
}

void TForm4::SpinEdit1Change() {
    for (tk::SpinEdit* s : {&SpinEdit1, &SpinEdit2})
        if (!Settled(*s)) return;
    std::string key;
    if (!HolidayKey(key)) return;
    std::string name = settings::Open().ReadString(ik::Horiday::Section, key, "");
    BitBtn4.SetEnabled(!name.empty());
    Edit1.SetText(name.empty() ? "【】" : name);
}

void TForm4::BitBtn2Click() {
    std::string key;
    if (!HolidayKey(key)) return;
    settings::Open().WriteString(ik::Horiday::Section, key, Edit1.Text());
    BitBtn4.SetEnabled(true);
}

void TForm4::BitBtn4Click() {
    std::string key;
    if (!HolidayKey(key)) return;
    settings::Open().WriteString(ik::Horiday::Section, key, "");
    BitBtn4.SetEnabled(false);
    Edit1.SetText("【】");
}

// ---- ｶﾚﾝﾀﾞｰ and ｽｹｼﾞｭｰﾙ: colours ----

void TForm4::CalendarColourClick(int index) {
    auto ini = settings::Open();
    const char* key = kDayColours[index].key;
    ColorDialog1.Color = Form1 ? Form1->CalendarEx1.GetDayColor(index)
                               : ini.ReadInteger(ik::CalendarEx::Section, key, tk::clBlack);
    // Confirmed or not, the dialog's colour is what the grid and the file get.
    ColorDialog1.Execute();
    if (Form1) Form1->CalendarEx1.SetDayColor(index, ColorDialog1.Color);
    ini.WriteInteger(ik::CalendarEx::Section, key, ColorDialog1.Color);
    DayPanels(*this)[index]->SetColor(ColorDialog1.Color);
}

void TForm4::PaneColourClick(int pane, bool background) {
    auto ini = settings::Open();
    const Pane& k = kPanes[pane];
    const char* key = background ? k.backKey : k.fontKey;
    ColorDialog1.Color = ini.ReadInteger(ik::To_do::Section, key, background ? k.backDefault : k.fontDefault);
    ColorDialog1.Execute();
    tk::TColor colour = ColorDialog1.Color;
    ini.WriteInteger(ik::To_do::Section, key, colour);
    SetScheduleListPaneColour(pane, background, colour);
    tk::Panel& preview = *PaneOf(*this, pane).preview;
    if (background) preview.SetColor(colour);
    else SetFontColour(preview, colour);
}

void TForm4::PaneDefaultClick(int pane) {
    const Pane& k = kPanes[pane];
    auto ini = settings::Open();
    ini.WriteInteger(ik::To_do::Section, k.fontKey, k.fontDefault);
    ini.WriteInteger(ik::To_do::Section, k.backKey, k.backDefault);
    SetScheduleListPaneColour(pane, false, k.fontDefault);
    SetScheduleListPaneColour(pane, true, k.backDefault);
    tk::Panel& preview = *PaneOf(*this, pane).preview;
    preview.SetColor(k.backDefault);
    SetFontColour(preview, k.fontDefault);
}

// ---- メモ and 日記: defaults of new memos and of the diary ----

void TForm4::DefaultsFontChange(int which) {
    if (!armed_) return;
    DefaultsControls c = DefaultsOf(*this, which);
    std::string face = c.face->Text();
    settings::Open().WriteString(kDefaults[which].section, ik::Memo::FontName, face);
    tk::TFont font = c.preview->EffectiveFont();
    font.Name = rtl::SjisTruncate(face, 255);
    c.preview->SetFont(font);
}

void TForm4::DefaultsSizeChange(int which) {
    if (!armed_) return;
    DefaultsControls c = DefaultsOf(*this, which);
    settings::Open().WriteInteger(kDefaults[which].section, ik::Memo::FontSize, c.size->Value());
    tk::TFont font = c.preview->EffectiveFont();
    font.Size = c.size->Value();
    c.preview->SetFont(font);
}

void TForm4::DefaultsColourClick(int which, bool background) {
    auto ini = settings::Open();
    const char* s = kDefaults[which].section;
    const char* key = background ? ik::Memo::BackColor : ik::Memo::FontColor;
    ColorDialog1.Color = ini.ReadInteger(s, key, background ? kDefaultBack : kDefaults[which].fontDefault);
    ColorDialog1.Execute();
    ini.WriteInteger(s, key, ColorDialog1.Color);
    tk::Panel& preview = *DefaultsOf(*this, which).preview;
    if (background) preview.SetColor(ColorDialog1.Color);
    else SetFontColour(preview, ColorDialog1.Color);
}

void TForm4::DefaultsResetClick(int which) {
    auto ini = settings::Open();
    ini.WriteInteger(kDefaults[which].section, ik::Memo::BackColor, kDefaultBack);
    ini.WriteInteger(kDefaults[which].section, ik::Memo::FontColor, kDefaultFont);
    tk::Panel& preview = *DefaultsOf(*this, which).preview;
    preview.SetColor(kDefaultBack);
    SetFontColour(preview, kDefaultFont);
}

void TForm4::CheckBox9Click() {
    bool on = CheckBox9.Checked();
    for (tk::Control* c : std::initializer_list<tk::Control*>{&Label10, &Label11, &Label12, &SpinEdit4, &SpinEdit5,
                                                              &CheckBox24})
        c->SetEnabled(on);
}

// ---- メモ: where a new memo opens ----

MemoPlacement DefaultMemoPlacement(int mainLeft, int mainTop, int mainWidth, int mainHeight) {
    return {mainWidth, mainHeight / 2, mainTop / 2 + mainHeight, mainLeft / 2 + mainWidth};
}

void TForm4::BitBtn39Click() {
    if (!Form1) return;
    MemoPlacement def = DefaultMemoPlacement(Form1->Left(), Form1->Top(), Form1->Width(), Form1->Height());
    if (Ask("新規メモの位置、サイズの指定を行いますか？", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        auto ini = settings::Open();
        tk::Form place({.caption = "新規メモの位置、サイズの指定", .border = tk::Border::Sizeable, .maximizeBox = false,
                        .minimizeBox = false,
                        .color = ini.ReadInteger(ik::Memo::Section, ik::Memo::BackColor, kDefaultBack)});
        place.Hint = "決定したらウィンドウを閉じてください。";
        int left = ini.ReadInteger(ik::Memo::Section, ik::Memo::left, def.Left);
        int top = ini.ReadInteger(ik::Memo::Section, ik::Memo::top, def.Top);
        place.SetBounds(left, top, ini.ReadInteger(ik::Memo::Section, ik::Memo::Width, def.Width),
                        ini.ReadInteger(ik::Memo::Section, ik::Memo::Height, def.Height));
        place.RestorePosition(left, top);  // wholly on screen, so that it can be moved and sized
        Form1->PlayWaveRes("ope");
        place.ShowModal();
        Form1->PlayWaveRes("sav");
        def = {place.Width(), place.Height(), place.Top(), place.Left()};
    } else if (Ask("新規メモの位置、サイズをデフォルトに戻しますか？", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        Form1->PlayWaveRes("sav");
    } else {
        return;
    }
    auto ini = settings::Open();
    ini.WriteInteger(ik::Memo::Section, ik::Memo::Width, def.Width);
    ini.WriteInteger(ik::Memo::Section, ik::Memo::Height, def.Height);
    ini.WriteInteger(ik::Memo::Section, ik::Memo::top, def.Top);
    ini.WriteInteger(ik::Memo::Section, ik::Memo::left, def.Left);
}

// ---- ﾎﾟｯﾌﾟｱｯﾌﾟ: the default sound and picture of reminders ----

void TForm4::BitBtn3Click() {
    std::string file = ChooseSoundFile(settings::Open().ReadString(ik::Calendar::Section, ik::Calendar::file, ""));
    Label2.SetCaption(file);
    settings::Open().WriteString(ik::Calendar::Section, ik::Calendar::file, file);
}

void TForm4::LoadPicturePreview() {
    std::string path = settings::Open().ReadString(ik::Calendar::Section, ik::Calendar::bitmap, "");
    Label8.SetCaption(path);
    if (!tk::FileExists(path)) {
        Image1.Assign(Image2.Picture());
        return;
    }
    // Other kinds of file, a file that does not decode and a busy codec leave the preview as it is.
    tk::TBitmap picture;
    if (LoadPicture(path, picture)) Image1.Assign(picture);
}

void TForm4::BitBtn29Click() {
    std::string current = Label8.Caption();
    std::string chosen;
    {
        TForm20 chooser;
        chooser.SetBounds(Left(), Top(), chooser.Width(), chooser.Height());
        if (tk::FileExists(current)) chooser.FileListBox1.SetFileName(current);
        chooser.ShowModal();
        chosen = chooser.Label1.Caption();
    }
    settings::Open().WriteString(ik::Calendar::Section, ik::Calendar::bitmap, chosen);
    Label8.SetCaption(chosen);
    LoadPicturePreview();
    if (!tk::FileExists(chosen)) BitBtn28Click();
}

void TForm4::BitBtn28Click() {
    Image1.Assign(Image2.Picture());
    Label8.SetCaption("");
    settings::Open().WriteString(ik::Calendar::Section, ik::Calendar::bitmap, "");
}

void TForm4::BitBtn30Click() {
    if (!tk::CopyPictureToClipboard(Handle, Image2.Picture()))
        Ask("クリップボードに画像をコピーできませんでした。", MB_OK | MB_ICONEXCLAMATION);
}

void TForm4::CheckBox13Click() { Image1.SetStretch(!CheckBox13.Checked()); }
