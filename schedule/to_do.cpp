#include "schedule/to_do.h"

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"

TForm14* Form14 = nullptr;

namespace ik = inikey;
using entry::Busy;
using entry::Repeat;
using rtl::FormatDateTime;

namespace {

constexpr char kEdited[] = "Saveしないと有効になりません｡";
constexpr char kWhat[] = "のｽｹｼﾞｭｰﾙ";

// The editor is as wide as the main window.
int MainWidth() { return Form1 ? Form1->Width() : 400; }

}  // namespace

TForm14::TForm14()
    : Form({.caption = "スケジュールの登録", .left = 0, .top = 0, .width = MainWidth(), .height = 430,
            .border = tk::Border::Single, .maximizeBox = false}) {
    BuildLayout();
    PopupMenu1.Create(*this);
    EditClose = entry::BuildEditMenu(PopupMenu1, [this] { BitBtn3Click(); }, [this] { BitBtn4Click(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    RichEdit1.SetPopupMenu(&PopupMenu1);
    Edit1.SetPopupMenu(&PopupMenu1);
    OnShow = [this] {
        ShowDateFacts();
        FormShow();
    };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    FormCreate();
}

void TForm14::BuildLayout() {
    using namespace tk;
    const int cw = ClientWidth();
    entry::CreateDateFields(*this, SpinEdit1, SpinEdit2, SpinEdit3, {&Label3, &Label4, &Label5}, year_, month_, day_);
    BitBtn5.Create(*this, {.at = {210, 8, 96, 22}, .caption = "今日に戻す｡"});
    Label6.Create(*this, {.at = {312, 12, cw - 320, 14}, .hint = "Offs", .style = lsNoAutoSize | lsRight});
    Label2.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});

    TabSet1.Create(*this, {.at = {8, 38, cw - 16, 22}, .items = {"1971/01/15", "01/15", "15", "Sun"}, .value = 0});
    RadioGroup1.Create(*this, {.at = {8, 66, 100, 76}, .caption = "休日なら", .items = {"そのまま", "前日へ", "翌日へ"},
                               .value = 0});
    RadioGroup2.Create(*this, {.at = {112, 66, 88, 76}, .caption = "土曜日は", .enabled = false,
                               .items = {"平日", "休日扱い"}, .value = 0});
    GroupBox1.Create(*this, {.at = {204, 66, cw - 212, 76}, .caption = "週指定"});
    WeekBoxes().Create(GroupBox1, (cw - 212) / 2 + 4);

    Edit1.Create(*this, {.at = {8, 148, cw - 84, 22}, .hint = "コピー用の文字列です。(CTRL+C)"});
    BitBtn2.Create(*this, {.at = {cw - 68, 148, 60, 22}, .caption = "挿入"});
    RichEdit1.Create(*this, {.at = {8, 176, cw - 16, ClientHeight() - 176 - 40}, .style = reVScroll});
    RichEdit1.KeepMargins = true;
    RichEdit1.SetMargins();
    const int by = ClientHeight() - 34;
    BitBtn3.Create(*this, {.at = {cw - 288, by, 110, 26}, .caption = "&Save && Close", .enabled = false});
    BitBtn1.Create(*this, {.at = {cw - 172, by, 78, 26}, .caption = "S&ave", .enabled = false});
    BitBtn4.Create(*this, {.at = {cw - 88, by, 80, 26}, .caption = "&Delete", .enabled = false});

    for (SpinEdit* s : {&SpinEdit1, &SpinEdit2, &SpinEdit3}) s->OnChange = [this] { SpinEdit1Change(); };
    BitBtn5.OnClick = [this] { BitBtn5Click(); };
    TabSet1.OnChange = [this](int newTab, bool& allow) { TabSet1Change(newTab, allow); };
    TabSet1.OnClick = [this] { TabSet1Click(); };
    RadioGroup1.OnClick = [this] { RadioGroup1Click(); };
    RadioGroup2.OnClick = [this] { TabSet1Click(); };
    for (CheckBox* c : {&CheckBox4, &CheckBox6, &CheckBox8, &CheckBox10, &CheckBox12, &CheckBox1})
        c->OnClick = [this] { TabSet1Click(); };
    RichEdit1.OnChange = [this] { RichEdit1Change(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
}

entry::WeekBoxControls TForm14::WeekBoxes() {
    return {{&CheckBox4, &CheckBox6, &CheckBox8, &CheckBox10, &CheckBox12}, &CheckBox1};
}

void TForm14::FormCreate() {
    PlayWaveRes("ope");
    auto ini = settings::Open();
    RestorePosition(ini.ReadInteger(ik::To_do::Section, ik::To_do::left, 0),
                    ini.ReadInteger(ik::To_do::Section, ik::To_do::top, 0));
}

void TForm14::Preset(int year, int month, int day) {
    SpinEdit1.SetValue(year);
    SpinEdit2.SetValue(month);
    SpinEdit3.SetValue(day);
}

void TForm14::FormShow() {
    rtl::TDateTime date = rtl::EncodeDate(year_, month_, day_);
    TabSet1.Tabs.SetStrings(0, FormatDateTime("yyyy/mm/dd", date));
    TabSet1.Tabs.SetStrings(1, FormatDateTime("mm/dd", date));
    TabSet1.Tabs.SetStrings(2, FormatDateTime("dd", date));
    TabSet1.Tabs.SetStrings(3, FormatDateTime("dddd", date));
    TabSet1Click();
}

void TForm14::ShowDateFacts() {
    int days = entry::DaysFromToday(year_, month_, day_);
    Label6.SetCaption(rtl::IntToStr(days));
    BitBtn5.SetEnabled(days != 0);
}

void TForm14::SpinEdit1Change() {
    if (!entry::SettleDateFields(SpinEdit1, SpinEdit2, SpinEdit3)) return;
    year_ = SpinEdit1.Value();
    month_ = SpinEdit2.Value();
    day_ = SpinEdit3.Value();
    ShowDateFacts();
    FormShow();
}

void TForm14::TabSet1Click() {
    if (busy_) return;
    Busy busy(busy_);
    Loading load(*this);  // the entry's text is read for the date and kind now chosen
    int mask = WeekBoxes().Settle();
    BitBtn1.SetEnabled(false);
    BitBtn3.SetEnabled(false);
    BitBtn4.SetEnabled(false);

    Repeat kind = Kind();
    DayOffShift shift = entry::ShiftOf(RadioGroup1, RadioGroup2);
    std::string name = entry::ScheduleEntryName(kind, year_, month_, day_, shift, mask);
    entryHint_ = entry::EntryHint(kind, year_, month_, day_, kWhat);
    RichEdit1.Hint = entryHint_;
    bool shifts = kind == Repeat::Yearly || kind == Repeat::Monthly;
    bool weekly = kind == Repeat::Weekly;
    RadioGroup1.SetEnabled(shifts);
    RadioGroup2.SetEnabled(shifts && RadioGroup1.ItemIndex() > 0);
    GroupBox1.SetEnabled(weekly);
    CheckBox1.SetEnabled(weekly);
    for (tk::CheckBox* c : {&CheckBox4, &CheckBox6, &CheckBox8, &CheckBox10, &CheckBox12})
        c->SetEnabled(weekly && !CheckBox1.Checked());

    std::string path = DataFilePath(settings::DataDir(), name);
    if (entry::LoadBody(*this, RichEdit1, path)) BitBtn4.SetEnabled(true);
    Edit1.SetText(entry::RuleText(kind, year_, month_, day_, shift, mask));
    Label2.SetCaption(path);
    entry::SettleBody(RichEdit1);
}

void TForm14::RadioGroup1Click() {
    entry::DayOffGroupClick(RadioGroup1, RadioGroup2);
    TabSet1Click();
}

void TForm14::TabSet1Change(int, bool&) { PlayWaveRes("c1"); }

void TForm14::RichEdit1Change() {
    if (busy_) return;
    RichEdit1.Hint = kEdited;
    BitBtn1.SetEnabled(true);
    BitBtn3.SetEnabled(true);
}

bool TForm14::BitBtn1Click() {
    std::string path = Label2.Caption();
    if (path.empty() || !entry::SaveBody(*this, RichEdit1, path)) return false;
    touched_.Add(rtl::ExtractFileName(path));
    PlayWaveRes("sav");
    RichEdit1.SetModified(false);
    RichEdit1.Hint = entryHint_;  // what it holds is in effect now
    BitBtn1.SetEnabled(false);
    BitBtn3.SetEnabled(false);
    BitBtn4.SetEnabled(true);
    entry::RefreshDayAndMarks();
    return true;
}

void TForm14::BitBtn3Click() {
    if (BitBtn1Click()) Close();
}

void TForm14::BitBtn4Click() {
    if (!entry::ConfirmEntryDelete(*this)) return;
    std::string path = Label2.Caption();
    if (path.empty() || !entry::DeleteDataFile(*this, path)) return;
    touched_.Add(rtl::ExtractFileName(path));
    PlayWaveRes("del");
    entry::RefreshDayAndMarks();
    Close();
}

void TForm14::BitBtn2Click() { RichEdit1.Lines.Add(Edit1.Text()); }

void TForm14::BitBtn5Click() {
    int y, m, d;
    rtl::DecodeDate(rtl::Date(), y, m, d);
    // Each field re-enters the date rule; the day comes last, so a step through a day the month
    // lacks is lowered and then set right.
    SpinEdit1.SetValue(y);
    SpinEdit2.SetValue(m);
    SpinEdit3.SetValue(d);
}

void TForm14::PopupMenu1Popup() { EditClose.Enable(BitBtn3.Enabled(), BitBtn4.Enabled()); }

void TForm14::FormCloseQuery(bool&) { PlayWaveRes("clo"); }

void TForm14::FormClose(tk::CloseAction& action) {
    action = tk::CloseAction::Free;
    if (closed_) return;
    closed_ = true;
    entry::WritePosition(*this, ik::To_do::Section, ik::To_do::top, ik::To_do::left);
    entry::RefreshScheduleList(touched_.Names());
    entry::RefreshMarks();
}
