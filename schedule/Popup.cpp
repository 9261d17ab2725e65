#include "schedule/Popup.h"

#include "mainwindow/Actions.h"
#include "mainwindow/CommandText.h"
#include "schedule/Choosers.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"

TForm7* Form7 = nullptr;

namespace ik = inikey;
using rtl::FormatDateTime;
using rtl::IntToStr;

namespace {

constexpr tk::TColor kSundayColor = 0x0000FF, kSaturdayColor = 0xFF00FF, kWeekdayColor = 0xFF0000;

using entry::Busy;

bool TextInt(const tk::Edit& e, int& v) { return rtl::TryStrToInt(e.Text(), v); }

}  // namespace

TForm7::TForm7()
    : Form({.caption = "ポップアップの登録", .left = 0, .top = 0, .width = 560, .height = 408,
            .border = tk::Border::Single, .maximizeBox = false, .clientSize = true}) {
    BuildLayout();
    BuildUptimePage();
    BuildTemplates();
    BuildMenus();
    OnShow = [this] { FormShow(); };
    OnActivate = [this] { FormActivate(); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    FormCreate();
}

void TForm7::BuildLayout() {
    using namespace tk;
    // Date and time.
    entry::CreateDateFields(*this, SpinEdit3, SpinEdit4, SpinEdit5, {&Label4, &Label5, &Label6}, year_, month_, day_);
    SpinEdit1.Create(*this, {.at = {212, 8, 42, 22}, .min = 0, .max = 23, .value = 12});
    SpinEdit1.SetMaxLength(2);
    Label7.Create(*this, {.at = {257, 12, 14, 14}, .caption = "時"});
    SpinEdit2.Create(*this, {.at = {272, 8, 42, 22}, .min = 0, .max = 59, .value = 0});
    SpinEdit2.SetMaxLength(2);
    Label8.Create(*this, {.at = {317, 12, 14, 14}, .caption = "分"});
    BitBtn11.Create(*this, {.at = {338, 8, 26, 22}, .caption = "Ｗ", .hint = "Windows経過時間で指定"});
    Label14.Create(*this, {.at = {8, 37, 320, 14}});
    Label1.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});
    Label2.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});

    TabSet1.Create(*this, {.at = {8, 56, 356, 22}, .items = {"1971/01/15", "01/15", "15", "日曜", "毎日"}, .value = 0});
    RadioGroup3.Create(*this, {.at = {8, 84, 100, 76}, .caption = "休日なら", .items = {"そのまま", "前日へ", "翌日へ"},
                               .value = 0});
    RadioGroup2.Create(*this, {.at = {112, 84, 88, 76}, .caption = "土曜日は", .enabled = false,
                               .items = {"平日", "休日扱い"}, .value = 0});
    GroupBox1.Create(*this, {.at = {204, 84, 160, 76}, .caption = "週指定"});
    WeekBoxes().Create(GroupBox1, 84);

    Edit3.Create(*this, {.at = {8, 166, 292, 22}, .hint = "コピー用の文字列です。(CTRL+C)"});
    BitBtn3.Create(*this, {.at = {304, 166, 60, 22}, .caption = "挿入"});
    RichEdit1.Create(*this, {.at = {8, 194, 356, 170}, .style = reVScroll});
    RichEdit1.KeepMargins = true;
    RichEdit1.SetMargins();
    RichEdit2.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});

    // Options.
    Panel3.Create(*this, {.at = {376, 8, 176, 24}, .color = kWeekdayColor,
                          .font = TFont{.Size = 11, .Color = clWhite, .Style = fsBold}});
    BitBtn7.Create(*this, {.at = {376, 36, 96, 22}, .caption = "今日に戻す｡"});
    Label3.Create(*this, {.at = {478, 40, 74, 14}, .hint = "Offs", .style = lsNoAutoSize});
    CheckBox1.Create(*this, {.at = {376, 64, 176, 17}, .caption = "ｽｹｼﾞｭｰﾙに追加"});
    CheckBox3.Create(*this, {.at = {376, 88, 16, 17}});
    Label9.Create(*this, {.at = {394, 90, 150, 14}, .caption = "Popupｳｨﾝﾄﾞｳを", .enabled = false});
    SpinEdit6.Create(*this, {.at = {394, 108, 56, 22}, .enabled = false, .min = 0, .max = 9999, .value = 60});
    Label10.Create(*this, {.at = {454, 112, 90, 14}, .caption = "秒後に閉じる", .enabled = false});
    BitBtn4.Create(*this, {.at = {376, 138, 86, 24}, .caption = "Sound", .hint = "ﾎﾟｯﾌﾟｱｯﾌﾟ時の音設定"});
    BitBtn29.Create(*this, {.at = {466, 138, 86, 24}, .caption = "Picture", .hint = "ﾎﾟｯﾌﾟｱｯﾌﾟの画像選択"});
    CheckBox2.Create(*this, {.at = {376, 166, 176, 17}, .caption = "壁紙にする", .enabled = false});
    CheckBox4.Create(*this, {.at = {376, 186, 176, 17}, .caption = "ストレッチ解除", .enabled = false});
    Label11.Create(*this, {.at = {376, 210, 176, 14}, .caption = "起動するアプリ"});
    Edit1.Create(*this, {.at = {376, 226, 150, 22}, .hint = "実行するアプリをフルパスで指定"});
    BitBtn5.Create(*this, {.at = {530, 226, 22, 22}, .caption = "...", .hint = "実行するアプリを選択"});
    Label12.Create(*this, {.at = {376, 254, 176, 14}, .caption = "閉じるウィンドウ"});
    Edit2.Create(*this, {.at = {376, 270, 176, 22}, .hint = "閉じたいウィンドウタイトルの部分文字列を入力"});

    BitBtn1.Create(*this, {.at = {276, 374, 110, 26}, .caption = "&Save && Close", .enabled = false});
    BitBtn6.Create(*this, {.at = {390, 374, 78, 26}, .caption = "S&ave", .enabled = false});
    BitBtn2.Create(*this, {.at = {472, 374, 80, 26}, .caption = "&Delete", .enabled = false});

    for (SpinEdit* s : {&SpinEdit3, &SpinEdit4, &SpinEdit5}) s->OnChange = [this] { SpinEdit3Change(); };
    for (SpinEdit* s : {&SpinEdit1, &SpinEdit2}) s->OnChange = [this] { TabSet1Click(); };
    TabSet1.OnChange = [this](int newTab, bool& allow) { TabSet1Change(newTab, allow); };
    TabSet1.OnClick = [this] { TabSet1Click(); };
    RadioGroup3.OnClick = [this] { RadioGroup3Click(); };
    RadioGroup2.OnClick = [this] { TabSet1Click(); };
    for (CheckBox* c : {&CheckBox5, &CheckBox6, &CheckBox8, &CheckBox10, &CheckBox12, &CheckBox7})
        c->OnClick = [this] { TabSet1Click(); };
    RichEdit1.OnChange = [this] { RichEdit1Change(); };
    for (CheckBox* c : {&CheckBox1, &CheckBox2, &CheckBox4}) c->OnClick = [this] { RichEdit1Change(); };
    for (Edit* e : {&Edit1, &Edit2, (Edit*)&SpinEdit6}) e->OnChange = [this] { RichEdit1Change(); };
    CheckBox3.OnClick = [this] { CheckBox3Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    BitBtn29.OnClick = [this] { BitBtn29Click(); };
    BitBtn5.OnClick = [this] { BitBtn5Click(); };
    BitBtn7.OnClick = [this] { BitBtn7Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn11.OnClick = [this] { BitBtn11Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(Command::Save); };
    BitBtn6.OnClick = [this] { BitBtn6Click(Command::Save); };
    BitBtn2.OnClick = [this] { BitBtn6Click(Command::Delete); };
}

void TForm7::BuildUptimePage() {
    using namespace tk;
    Panel4.Create(*this, {.at = {8, 8, 356, 152}, .visible = false, .style = pnOuterLowered});
    BitBtn12.Create(Panel4, {.at = {322, 4, 26, 22}, .caption = "Ｔ", .hint = "時間で指定"});
    SpinEdit7.Create(Panel4, {.at = {8, 24, 84, 22}, .min = PopupFileName::kUptimeMin,
                              .max = PopupFileName::kUptimeMax, .value = 600});
    SpinEdit7.Increment = 10;
    Memo1.Create(Panel4, {.at = {236, 30, 112, 52}, .style = esReadOnly});
    SpinEdit8.Create(Panel4, {.at = {8, 56, 62, 22}, .min = 10, .max = 3600, .value = 600});
    SpinEdit8.Increment = 10;
    SpinEdit9.Create(Panel4, {.at = {88, 56, 50, 22}, .min = 1, .max = 960, .value = 1});
    BitBtn13.Create(Panel4, {.at = {142, 56, 48, 22}, .caption = "Calc"});
    struct Note {
        int left, top;
        const char* text;
    };
    static const Note kNotes[10] = {
        {8, 8, "Windowsが起動されてから"},       {96, 28, "秒経過したらﾎﾟｯﾌﾟｱｯﾌﾟ"},
        {74, 60, "×"},                            {236, 88, "15分は、900秒です。"},
        {236, 102, "45分は、2700秒です。"},       {236, 116, "1時間は、3600秒です。"},
        {8, 88, "Orbal98起動後の時間経過ではなく、"}, {8, 102, "Windows起動後の経過時間です。"},
        {8, 116, "既に経過してしまった時間については"}, {8, 130, "ﾎﾟｯﾌﾟｱｯﾌﾟしませんので注意して下さい。"}};
    for (int i = 0; i < 10; ++i)
        UptimeNotes[i].Create(Panel4, {.at = {kNotes[i].left, kNotes[i].top, 10, 14}, .caption = kNotes[i].text});
    BitBtn12.OnClick = [this] { BitBtn12Click(); };
    SpinEdit7.OnChange = [this] { SpinEdit7Change(); };
    // While typing, the name follows the rounded value; the box shows it once it is left.
    SpinEdit7.OnExit = [this] { SpinEdit7Change(); };
    SpinEdit8.OnChange = [this] { SpinEdit8Change(); };
    SpinEdit9.OnChange = [this] { SpinEdit9Change(); };
    BitBtn13.OnClick = [this] { BitBtn13Click(); };
    Panel4.BringToFront();
}

void TForm7::BuildTemplates() {
    using namespace tk;
    Label13.Create(*this, {.at = {376, 300, 176, 14}, .caption = "定型文"});
    ComboBox1.Create(*this, {.at = {376, 316, 176, 22}, .hint = "定型文のタイトルです。", .style = csDropDownList});
    ComboBox1.DropDownCount = entry::kTemplateCount;
    Edit4.Create(*this, {.at = {376, 316, 176, 22}, .hint = "定型文のタイトル変更", .visible = false});
    // The template editor shows below the rest once a template is chosen.
    RichEdit4.Create(*this, {.at = {8, 408, 356, 120}, .visible = false, .style = reVScroll});
    RichEdit4.KeepMargins = true;
    RichEdit4.SetMargins();
    BitBtn8.Create(*this, {.at = {376, 408, 176, 26}, .caption = "定型文を挿入", .visible = false});
    BitBtn10.Create(*this, {.at = {376, 440, 176, 26}, .caption = "タイトル変更", .hint = "定型文のタイトル変更",
                            .visible = false});
    BitBtn9.Create(*this, {.at = {376, 472, 176, 26}, .caption = "定型文を削除", .visible = false});
    ComboBox1.OnChange = [this] { ComboBox1Change(); };
    RichEdit4.OnChange = [this] { RichEdit4Change(); };
    Edit4.OnChange = [this] { Edit4Change(); };
    Edit4.OnExit = [this] { Edit4Exit(); };
    Edit4.OnKeyDown = [this](WORD& key, int) {
        if (key == VK_RETURN || key == VK_ESCAPE) {
            key = 0;
            ComboBox1.SetFocus();  // leaving the box ends the renaming
        }
    };
    BitBtn8.OnClick = [this] { BitBtn8Click(); };
    BitBtn10.OnClick = [this] { BitBtn10Click(); };
    BitBtn9.OnClick = [this] { BitBtn9Click(); };
}

void TForm7::BuildMenus() {
    PopupMenu1.Create(*this);
    EditClose = entry::BuildEditMenu(
        PopupMenu1, [this] { BitBtn1Click(Command::Save); }, [this] { BitBtn1Click(Command::Delete); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    RichEdit1.SetPopupMenu(&PopupMenu1);
    Edit3.SetPopupMenu(&PopupMenu1);

    PopupMenu2.Create(*this);
    PopupMenu2.Items.Add("ﾎﾟｯﾌﾟｱｯﾌﾟ時の音設定", [this] { BitBtn4Click(); });
    PopupMenu2.Items.Add("ﾎﾟｯﾌﾟｱｯﾌﾟの画像選択", [this] { BitBtn29Click(); });
    PopupMenu2.Items.Add("-");
    WindowClose = entry::AddCloseMenu(
        PopupMenu2.Items, [this] { BitBtn1Click(Command::Save); }, [this] { BitBtn1Click(Command::Delete); });
    PopupMenu2.Items.Add("取り止め", [this] { Cancel1Click(); });
    PopupMenu2.OnPopup = [this] { PopupMenu2Popup(); };
    SetPopupMenu(&PopupMenu2);
}

entry::WeekBoxControls TForm7::WeekBoxes() {
    return {{&CheckBox5, &CheckBox6, &CheckBox8, &CheckBox10, &CheckBox12}, &CheckBox7};
}

void TForm7::FormCreate() {
    auto ini = settings::Open();
    RestorePosition(ini.ReadInteger(ik::Sch_wind::Section, ik::Sch_wind::left, 0),
                    ini.ReadInteger(ik::Sch_wind::Section, ik::Sch_wind::top, 0));
}

void TForm7::Preset(int year, int month, int day, int hour, int minute) {
    TabSet1.SetTabIndex(0);
    SpinEdit1.SetValue(hour);
    SpinEdit2.SetValue(minute);
    SpinEdit3.SetValue(year);
    SpinEdit4.SetValue(month);
    SpinEdit5.SetValue(day);
}

void TForm7::FormShow() {
    PlayWaveRes("ope");
    shown_ = true;
    if (!UptimePage()) TabSet1Click();
    auto ini = settings::Open();
    int chosen = ComboBox1.ItemIndex();
    ComboBox1.Items.Clear();
    for (int i = 0; i < entry::kTemplateCount; ++i)
        ComboBox1.Items.Add(ini.ReadString(ik::Popup_Teikei::Section, IntToStr(i), entry::TemplateDefaultTitle(i)));
    ComboBox1.SetItemIndex(chosen);
    SayUnreadable();
}

void TForm7::FormActivate() { ShowPopupTime(); }

void TForm7::ShowPopupTime() {
    int before = settings::Open().ReadInteger(ik::Calendar::Section, ik::Calendar::before, 0);
    Label14.SetCaption(entry::LeadTimeText(before));
    Panel3.SetCaption(entry::PopupTimeText(SpinEdit1.Value(), SpinEdit2.Value(), before));
}

void TForm7::SpinEdit3Change() {
    if (!entry::SettleDateFields(SpinEdit3, SpinEdit4, SpinEdit5)) return;
    year_ = SpinEdit3.Value();
    month_ = SpinEdit4.Value();
    day_ = SpinEdit5.Value();
    rtl::TDateTime date = rtl::EncodeDate(year_, month_, day_);
    Label1.SetCaption(FormatDateTime("mmdd.yy", date));
    Label3.SetCaption(IntToStr(entry::DaysFromToday(year_, month_, day_)));
    TabSet1Click();
}

void TForm7::SetDateCaptions() {
    rtl::TDateTime date = rtl::EncodeDate(year_, month_, day_);
    TabSet1.Tabs.SetStrings(0, FormatDateTime("yyyy/mm/dd", date));
    TabSet1.Tabs.SetStrings(1, FormatDateTime("mm/dd", date));
    TabSet1.Tabs.SetStrings(2, FormatDateTime("dd", date));
    TabSet1.Tabs.SetStrings(3, FormatDateTime("aaa", date) + "曜");
}

void TForm7::TabSet1Click() {
    if (busy_ || UptimePage()) return;
    int hour, minute;
    // A time field being typed into may hold no number for a moment.
    if (!TextInt(SpinEdit1, hour) || !TextInt(SpinEdit2, minute)) return;
    Busy busy(busy_);
    SetDateCaptions();
    int mask = WeekBoxes().Settle();
    BitBtn1.SetEnabled(false);
    BitBtn6.SetEnabled(false);
    BitBtn2.SetEnabled(false);
    entry::Repeat kind = Kind();
    if (kind != entry::Repeat::OneDate) {
        CheckBox1.SetChecked(false);
        CheckBox1.SetEnabled(false);
    } else {
        CheckBox1.SetEnabled(true);
    }
    // Typed hours and minutes beyond the day are pulled back into it.
    if (hour != SpinEdit1.Clamp(hour)) SpinEdit1.SetValue(hour = SpinEdit1.Clamp(hour));
    if (minute != SpinEdit2.Clamp(minute)) SpinEdit2.SetValue(minute = SpinEdit2.Clamp(minute));
    ShowPopupTime();
    tk::TColor colour = kWeekdayColor;
    if (kind == entry::Repeat::OneDate) {
        int today = rtl::DayOfWeek(rtl::Date());
        colour = today == 1 ? kSundayColor : today == 7 ? kSaturdayColor : kWeekdayColor;
    }
    Panel3.SetColor(colour);

    DayOffShift shift = entry::ShiftOf(RadioGroup3, RadioGroup2);
    int weekday = rtl::DayOfWeek(rtl::EncodeDate(year_, month_, day_));
    std::string name;
    switch (kind) {
        case entry::Repeat::OneDate: name = PopupFileName::OneDay(hour, minute, year_, month_, day_); break;
        case entry::Repeat::Yearly: name = PopupFileName::Yearly(hour, minute, month_, day_, shift); break;
        case entry::Repeat::Monthly: name = PopupFileName::Monthly(hour, minute, day_, shift); break;
        case entry::Repeat::Weekly: name = PopupFileName::Weekly(hour, minute, mask, weekday); break;
        case entry::Repeat::Daily: name = PopupFileName::Daily(hour, minute); break;
    }
    bool shifts = kind == entry::Repeat::Yearly || kind == entry::Repeat::Monthly;
    bool weekly = kind == entry::Repeat::Weekly;
    RadioGroup3.SetEnabled(shifts);
    RadioGroup2.SetEnabled(shifts && RadioGroup3.ItemIndex() > 0);
    GroupBox1.SetEnabled(weekly);
    for (tk::CheckBox* c : {&CheckBox5, &CheckBox6, &CheckBox8, &CheckBox10, &CheckBox12, &CheckBox7})
        c->SetEnabled(weekly);
    RichEdit1.Hint = entry::EntryHint(kind, year_, month_, day_, "のﾎﾟｯﾌﾟｱｯﾌﾟ");

    std::string path = DataFilePath(settings::DataDir(), name);
    LoadReminder(path);
    std::string rule = kind == entry::Repeat::OneDate ? "" : entry::RuleText(kind, year_, month_, day_, shift, mask);
    Edit3.SetText(rule + entry::TimeSuffix(hour, minute));
    Label2.SetCaption(path);
    entry::SettleBody(RichEdit1);
}

void TForm7::LoadReminder(const std::string& path) {
    Loading load(*this);
    bool exists = entry::LoadBody(*this, RichEdit1, path);
    LoadSection(path);
    if (exists && !Locked()) {
        BitBtn1.SetEnabled(true);
        BitBtn6.SetEnabled(true);
        BitBtn2.SetEnabled(true);
    }
    RichEdit1.SetModified(false);
    SayUnreadable();
}

void TForm7::LoadSection(const std::string& path) {
    auto ini = settings::Open();
    // Defaults read in place of a file that could not be read (the data folder's among them)
    // would be saved over the reminder's own options: from then on the editor changes nothing.
    if (!Locked() && !(unreadable_ = ini.ReadError()).empty())
        for (tk::Control* c : std::initializer_list<tk::Control*>{&BitBtn1, &BitBtn6, &BitBtn2, &BitBtn9, &BitBtn10,
                                                                  &ComboBox1, &RichEdit4})
            c->SetEnabled(false);
    sectionSound_ = ini.ReadString(path, ik::Popup::file, "");
    sectionPicture_ = ini.ReadString(path, ik::Popup::bitmap, "");
    // A picture chosen in this window becomes the reminder's own at the next save.
    std::string picture = BitBtn29.Tag == 1 ? pictureFile_ : sectionPicture_;
    if (!picture.empty() && tk::FileExists(picture)) {
        CheckBox4.SetChecked(ini.ReadBool(path, ik::Popup::Stretch, false));
        CheckBox2.SetChecked(ini.ReadBool(path, ik::Popup::Wallpaper, false));
        CheckBox2.SetEnabled(true);
        CheckBox4.SetEnabled(true);
    } else {
        CheckBox2.SetChecked(false);
        CheckBox2.SetEnabled(false);
        CheckBox4.SetChecked(ini.ReadBool(ik::Calendar::Section, ik::Calendar::Stretch, false));
        CheckBox4.SetEnabled(false);
    }
    Edit1.SetText(ini.ReadString(path, ik::Popup::Execute, ""));
    Edit2.SetText(ini.ReadString(path, ik::Popup::Execlose, ""));
    int closetime = ini.ReadInteger(path, ik::Popup::closetime, -1);
    CheckBox3.SetChecked(closetime != -1);
    SpinEdit6.SetValue(closetime == -1 ? 60 : closetime);
    CheckBox3Click();
}

void TForm7::RadioGroup3Click() {
    entry::DayOffGroupClick(RadioGroup3, RadioGroup2);
    TabSet1Click();
}

void TForm7::TabSet1Change(int, bool&) { PlayWaveRes("c1"); }

void TForm7::SayUnreadable() {
    if (!Locked() || said_ || !shown_) return;
    said_ = true;
    tk::SayUnsavedUntilReopened(Handle, unreadable_, Caption());
}

void TForm7::EnableSaving() {
    if (busy_ || Locked()) return;
    BitBtn1.SetEnabled(true);
    BitBtn6.SetEnabled(true);
}

void TForm7::RichEdit1Change() { EnableSaving(); }

void TForm7::CheckBox3Click() {
    bool on = CheckBox3.Checked();
    for (tk::Control* c : {(tk::Control*)&SpinEdit6, (tk::Control*)&Label9, (tk::Control*)&Label10}) c->SetEnabled(on);
    EnableSaving();
}

void TForm7::BitBtn4Click() {
    // Preset: this window's last choice, else the reminder's own sound, else the general one.
    std::string preset = BitBtn4.Tag == 1         ? soundFile_
                         : !sectionSound_.empty() ? sectionSound_
                                                  : settings::Open().ReadString(ik::Calendar::Section, ik::Calendar::file, "");
    soundFile_ = entry::ChooseSound(preset);
    BitBtn4.Tag = 1;
    EnableSaving();
}

void TForm7::BitBtn29Click() {
    std::string preset = BitBtn29.Tag == 1 ? pictureFile_ : sectionPicture_;
    if (preset.empty() || !tk::FileExists(preset))
        preset = settings::Open().ReadString(ik::Calendar::Section, ik::Calendar::bitmap, "");
    pictureFile_ = entry::ChoosePicture(*this, preset);
    BitBtn29.Tag = 1;
    bool own = !pictureFile_.empty() && tk::FileExists(pictureFile_);
    if (!own) CheckBox2.SetChecked(false);
    CheckBox2.SetEnabled(own);
    CheckBox4.SetEnabled(own);
    EnableSaving();
}

void TForm7::BitBtn5Click() {
    tk::OpenDialog dlg;
    dlg.Filter = "プログラム (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|すべてのファイル (*.*)|*.*";
    dlg.Options = tk::ofHideReadOnly | tk::ofFileMustExist;
    std::string current = SplitCommandText(Edit1.Text()).program;
    if (!current.empty() && tk::FileExists(current)) {
        dlg.FileName = current;
        dlg.InitialDir = rtl::ExtractFileDir(current);
    }
    if (dlg.Execute()) Edit1.SetText(dlg.FileName);
}

void TForm7::BitBtn7Click() {
    rtl::TDateTime now = rtl::Now();
    int h, n, s, ms, y, m, d;
    rtl::DecodeTime(now, h, n, s, ms);
    rtl::DecodeDate(now, y, m, d);
    SpinEdit1.SetValue(h);
    SpinEdit2.SetValue(n);
    SpinEdit3.SetValue(y);
    SpinEdit4.SetValue(m);
    SpinEdit5.SetValue(d);
}

void TForm7::BitBtn3Click() { RichEdit1.Lines.Add(Edit3.Text()); }

bool TForm7::BitBtn6Click(Command c) {
    if (Locked()) return false;
    return c == Command::Save ? SaveReminder() : DeleteReminder();
}

void TForm7::BitBtn1Click(Command c) {
    // A delete closes the window itself; a refused or failed command leaves it open.
    if (BitBtn6Click(c) && c == Command::Save) Close();
}

bool TForm7::SaveReminder() {
    BitBtn1.SetEnabled(false);
    BitBtn6.SetEnabled(false);
    std::string path = Label2.Caption();
    if (path.empty()) return false;
    try {
        if (!entry::SaveBody(*this, RichEdit1, path)) {
            EnableSaving();
            return false;
        }
        bool added = !CheckBox1.Checked() || AddToSchedule();
        WriteSection(path);
        if (!added) {
            EnableSaving();  // the reminder is saved; the schedule entry can be tried again
            return false;
        }
    } catch (const std::exception& e) {
        tk::MessageDlg(Handle, e.what(), Caption(), MB_OK | MB_ICONERROR);
        EnableSaving();
        return false;
    }
    BitBtn2.SetEnabled(true);
    PlayWaveRes("sav");
    RichEdit1.SetModified(false);
    entry::RefreshDayAndMarks();
    return true;
}

bool TForm7::AddToSchedule() {
    std::string name = ScheduleFileName::OneDate(year_, month_, day_);
    std::string path = DataFilePath(settings::DataDir(), name);
    std::string text;
    if (tk::FileExists(path)) {
        RichEdit2.LoadFromFile(path);
        text = RichEdit2.Text();
    }
    // Both texts go in as plain text: the entry keeps no formatting of either.
    std::string body = RichEdit1.Text();
    RichEdit2.SetText(text.empty() ? body : text + "\r\n" + body);
    if (!entry::SaveBody(*this, RichEdit2, path)) return false;
    appended_.Add(name);
    return true;
}

void TForm7::WriteSection(const std::string& path) {
    auto ini = settings::Open();
    ini.WriteInteger(path, ik::Popup::closetime, CheckBox3.Checked() ? SpinEdit6.Value() : -1);
    // Sound and picture are written only when chosen in this window since the last save.
    if (BitBtn4.Tag == 1) {
        ini.WriteString(path, ik::Popup::file, soundFile_);
        sectionSound_ = soundFile_;
    }
    if (BitBtn29.Tag == 1) {
        ini.WriteString(path, ik::Popup::bitmap, pictureFile_);
        sectionPicture_ = pictureFile_;
    }
    BitBtn4.Tag = 0;
    BitBtn29.Tag = 0;
    ini.WriteBool(path, ik::Popup::Wallpaper, CheckBox2.Checked());
    ini.WriteBool(path, ik::Popup::Stretch, CheckBox4.Checked());
    ini.WriteString(path, ik::Popup::Execute, Edit1.Text());
    ini.WriteString(path, ik::Popup::Execlose, Edit2.Text());
}

bool TForm7::DeleteReminder() {
    if (!entry::ConfirmEntryDelete(*this)) return false;
    std::string path = Label2.Caption();
    // The file first: a reminder whose file stays keeps its sound, picture and actions.
    if (!entry::DeleteDataFile(*this, path)) return false;
    settings::Open().EraseSection(path);
    PlayWaveRes("del");
    entry::RefreshDayAndMarks();
    Close();
    return true;
}

void TForm7::Cancel1Click() { Close(); }

void TForm7::BitBtn11Click() {
    PlayWaveRes("c1");
    Panel4.Show();
    CheckBox1.SetChecked(false);
    CheckBox1.SetEnabled(false);
    TabSet1.Hide();
    Label14.Hide();
    SpinEdit7Change();
}

void TForm7::BitBtn12Click() {
    PlayWaveRes("c1");
    CheckBox1.SetEnabled(true);
    Panel4.Hide();
    TabSet1.Show();
    Label14.Show();
    TabSet1Click();
}

void TForm7::SpinEdit7Change() {
    if (busy_ || !UptimePage()) return;
    int typed;
    if (!TextInt(SpinEdit7, typed)) return;
    int seconds = entry::UptimeSeconds(typed);
    if (seconds != typed && !SpinEdit7.Focused()) {
        SpinEdit7.SetValue(seconds);  // runs this handler again with the value
        return;
    }
    Busy busy(busy_);
    Memo1.Lines.Assign(entry::UptimeApprox(seconds));
    Edit3.SetText(entry::UptimeRuleText(seconds));
    std::string path = DataFilePath(settings::DataDir(), PopupFileName::Uptime(seconds));
    Label2.SetCaption(path);
    BitBtn1.SetEnabled(false);
    BitBtn6.SetEnabled(false);
    BitBtn2.SetEnabled(false);
    LoadReminder(path);
}

void TForm7::SpinEdit8Change() {
    int v;
    if (TextInt(SpinEdit8, v) && (v > 3600 || v < 1)) SpinEdit8.SetValue(v > 3600 ? 3600 : 1);
}

void TForm7::SpinEdit9Change() {
    int v;
    if (TextInt(SpinEdit9, v) && (v > 960 || v < 1)) SpinEdit9.SetValue(v > 960 ? 960 : 1);
}

void TForm7::BitBtn13Click() { SpinEdit7.SetValue(SpinEdit8.Value() * SpinEdit9.Value()); }

void TForm7::PopupMenu1Popup() { EditClose.Enable(BitBtn1.Enabled(), BitBtn2.Enabled()); }

void TForm7::PopupMenu2Popup() { WindowClose.Enable(BitBtn1.Enabled(), BitBtn2.Enabled()); }

void TForm7::FormClose(tk::CloseAction& action) {
    action = tk::CloseAction::Free;
    if (closed_) return;
    closed_ = true;
    entry::WritePosition(*this, ik::Sch_wind::Section, ik::Sch_wind::top, ik::Sch_wind::left);
    // Only a reminder added to the schedule can change what the schedule list shows.
    entry::RefreshScheduleList(appended_.Names());
    entry::RefreshMarks();
    PlayWaveRes("clo");
}

// ---- templates ----

void TForm7::ShowTemplateEditor() {
    if (RichEdit4.Visible()) return;
    for (tk::Control* c : {(tk::Control*)&RichEdit4, (tk::Control*)&BitBtn8, (tk::Control*)&BitBtn10,
                           (tk::Control*)&BitBtn9})
        c->Show();
    SetClientSize(ClientWidth(), RichEdit4.Top() + RichEdit4.Height() + 8);
    RestorePosition(Left(), Top());
}

void TForm7::LoadTemplate(int index) {
    RichEdit4.Tag = 1;
    RichEdit4.Clear();
    std::string file = entry::TemplateFile(settings::DataDir(), index);
    if (index >= 0 && tk::FileExists(file)) RichEdit4.LoadFromFile(file);
    RichEdit4.Tag = 0;
}

void TForm7::ComboBox1Change() {
    int i = ComboBox1.ItemIndex();
    if (i < 0 || Locked()) return;
    std::string folder = entry::TemplateFolder(settings::DataDir());
    if (!tk::DirectoryExists(folder)) tk::ForceDirectories(folder);
    if (!tk::DirectoryExists(folder)) {
        tk::MessageDlg(Handle, "保存先ディレクトリが無いので\r処理を中断します。", Caption(), MB_OK | MB_ICONERROR);
        LoadTemplate(-1);
        return;
    }
    ShowTemplateEditor();
    LoadTemplate(i);
}

void TForm7::RichEdit4Change() {
    int i = ComboBox1.ItemIndex();
    if (RichEdit4.Tag == 1 || i < 0 || Locked()) return;
    entry::SaveBody(*this, RichEdit4, entry::TemplateFile(settings::DataDir(), i));
}

void TForm7::BitBtn8Click() {
    for (const std::string& line : RichEdit4.Lines.List().Strings) RichEdit1.Lines.Add(line);
}

void TForm7::BitBtn10Click() {
    int i = ComboBox1.ItemIndex();
    if (i < 0 || Locked()) return;
    Edit4.Tag = 1;  // filling the box is no renaming
    Edit4.SetText(ComboBox1.Items[i]);
    Edit4.Tag = 0;
    Edit4.Show();
    Edit4.BringToFront();
    Edit4.SetFocus();
    Edit4.SelectAll();
}

void TForm7::Edit4Change() {
    int i = ComboBox1.ItemIndex();
    if (Edit4.Tag == 1 || i < 0) return;
    settings::Open().WriteString(ik::Popup_Teikei::Section, IntToStr(i), Edit4.Text());
}

void TForm7::Edit4Exit() {
    if (!Edit4.Visible()) return;
    int i = ComboBox1.ItemIndex();
    if (i >= 0) {
        std::string title = Edit4.Text();
        // An emptied title goes back to the default name.
        if (rtl::Trim(title).empty()) {
            title = entry::TemplateDefaultTitle(i);
            settings::Open().DeleteKey(ik::Popup_Teikei::Section, IntToStr(i));
        }
        ComboBox1.Items.SetStrings(i, title);
        ComboBox1.SetItemIndex(i);
    }
    Edit4.Hide();
}

void TForm7::BitBtn9Click() {
    int i = ComboBox1.ItemIndex();
    if (i < 0 || Locked()) return;
    auto ini = settings::Open();
    if (ini.ReadInteger(ik::Form::Section, ik::Form::Delete, 0) == 0 &&
        tk::MessageDlg(Handle, "「" + ComboBox1.Items[i] + "」を削除しますか？", Caption(), MB_YESNO | MB_ICONQUESTION) !=
            IDYES)
        return;
    std::string file = entry::TemplateFile(settings::DataDir(), i);
    if (tk::FileExists(file)) {
        DeleteFileA(file.c_str());
        PlayWaveRes("del");
    }
    std::string title = entry::TemplateDefaultTitle(i);
    ini.WriteString(ik::Popup_Teikei::Section, IntToStr(i), title);
    ComboBox1.Items.SetStrings(i, title);
    ComboBox1.SetItemIndex(i);
    LoadTemplate(-1);
}
