#include "notes/Period.h"

#include <algorithm>
#include <optional>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/Message.h"
#include "settings/Settings.h"
#include "toolkit/Cursor.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"

TForm25* Form25 = nullptr;
namespace ik = inikey;
namespace pf = inikey::PeriodFile;

namespace {
const char kCaption[] = "Period";
using period::kNoDate;

void SetMenuCheck(bool on) {
    if (Form1 && Form1->Period1) Form1->Period1->SetChecked(on);
}

std::string Key(int i) { return rtl::IntToStr(i); }
}  // namespace

std::string PeriodIniPath() { return settings::PrivateDir() + "\\Period\\" + pf::FileName; }

std::vector<std::string> ReadPeriodDates(const tk::TIniFile& ini) {
    const int count = ini.ReadInteger(pf::Section, pf::Count, 0);
    if (count <= 0) return {};
    rtl::TStringList keys;
    ini.ReadSection(pf::Section, keys);
    return period::SectionDates(count, keys.Count(), [&](int i) { return ini.ReadString(pf::Section, Key(i), kNoDate); });
}

void StorePeriodDates(tk::TIniFile& ini, const std::vector<std::string>& dates) {
    // The new list goes in before anything is removed, so a failed write loses nothing stored.
    // Keys already holding their date are not written again: an added date rewrites little.
    for (size_t i = 0; i < dates.size(); ++i)
        if (ini.ReadString(pf::Section, Key(int(i)), kNoDate) != dates[i]) ini.WriteString(pf::Section, Key(int(i)), dates[i]);
    // An absent Count is an empty list: opening on no data leaves no file behind.
    if (ini.ReadString(pf::Section, pf::Count, "0") != Key(int(dates.size())))
        ini.WriteInteger(pf::Section, pf::Count, int(dates.size()));
    rtl::TStringList keys;
    ini.ReadSection(pf::Section, keys);
    for (int i = 0; i < keys.Count(); ++i) {
        int n;
        if (rtl::TryStrToInt(keys[i], n) && n >= int(dates.size()) && keys[i] == Key(n))
            ini.DeleteKey(pf::Section, keys[i]);
    }
}

bool MoveOlderPeriodDates(tk::TIniFile& settingsFile, tk::TIniFile& own, std::vector<std::string>& merged) {
    merged = period::MergeDates(ReadPeriodDates(settingsFile), ReadPeriodDates(own));
    try {
        StorePeriodDates(own, merged);
    } catch (const tk::EIniFileError&) {
        return false;
    }
    const std::vector<std::string> back = ReadPeriodDates(own);
    for (const std::string& d : merged)
        if (std::find(back.begin(), back.end(), d) == back.end()) return false;
    settingsFile.EraseSection(pf::Section);
    return true;
}

TForm25::TForm25()
    : Form({.caption = kCaption, .width = 598, .height = 472, .border = tk::Border::Dialog, .clientSize = true}) {
    // Registered dates and the date to add.
    Label1.Create(*this, {.at = {8, 8, 176, 14}, .caption = "登録日："});
    ListBox1.Create(*this, {.at = {8, 24, 176, 206}, .hint = "過去のリスト", .style = tk::lbSorted});
    SpinEdit1.Create(*this, {.at = {8, 238, 56, 22}, .min = 1900, .max = 2500, .value = 2000});
    Label2.Create(*this, {.at = {66, 242, 14, 14}, .caption = "年"});
    SpinEdit2.Create(*this, {.at = {82, 238, 38, 22}, .min = 1, .max = 12, .value = 1});
    Label3.Create(*this, {.at = {122, 242, 14, 14}, .caption = "月"});
    SpinEdit3.Create(*this, {.at = {138, 238, 38, 22}, .min = 1, .max = 31, .value = 1});
    Label4.Create(*this, {.at = {178, 242, 13, 14}, .caption = "日"});
    BitBtn7.Create(*this, {.at = {8, 266, 56, 26}, .caption = "今日", .hint = "今日に戻す｡"});
    BitBtn2.Create(*this, {.at = {68, 266, 56, 26}, .caption = "&Add", .hint = "あの日をリストに追加"});
    BitBtn1.Create(*this, {.at = {128, 266, 56, 26}, .caption = "&Delete", .hint = "あの日をリストから削除"});

    // Averages and the forecast button.
    Label5.Create(*this, {.at = {8, 304, 72, 14}, .caption = "平均周期"});
    Edit1.Create(*this, {.at = {80, 300, 48, 22}, .caption = "28", .hint = "周期を指定"});
    Label6.Create(*this, {.at = {8, 332, 72, 14}, .caption = "左右の周期"});
    Edit2.Create(*this, {.at = {80, 328, 48, 22}, .caption = "28", .hint = "次の周期"});
    Edit3.Create(*this, {.at = {134, 328, 50, 22}, .caption = "28", .hint = "その次の周期"});
    BitBtn4.Create(*this, {.at = {134, 298, 50, 26}, .caption = "予定", .hint = "予定日を計算"});
    Label7.Create(*this, {.at = {0, 0, 1, 1}, .visible = false});

    // Note of the selected date.
    Label11.Create(*this, {.at = {8, 362, 176, 14}, .caption = "一行メモ："});
    Edit4.Create(*this, {.at = {8, 378, 176, 22}});

    // Forecasts and the marks of the chosen cycle.
    GroupBox1.Create(*this, {.at = {192, 4, 152, 210}, .caption = "予定 (共通)"});
    ListBox3.Create(GroupBox1, {.at = {6, 18, 140, 186}});
    GroupBox2.Create(*this, {.at = {348, 4, 242, 210}, .caption = "詳細", .hint = "あくまでも参考値です｡"});
    ListBox4.Create(GroupBox2, {.at = {6, 18, 230, 186}, .hint = "あくまでも参考値です｡"});
    GroupBox3.Create(*this, {.at = {192, 218, 152, 210}, .caption = "予定 (左右を意識)"});
    ListBox5.Create(GroupBox3, {.at = {6, 18, 140, 186}});
    GroupBox4.Create(*this, {.at = {348, 218, 242, 210}, .caption = "詳細", .hint = "あくまでも参考値です｡"});
    ListBox6.Create(GroupBox4, {.at = {6, 18, 230, 186}, .hint = "あくまでも参考値です｡"});
    Label8.Create(*this, {.at = {192, 438, 96, 14}, .caption = "生理中の期間を"});
    SpinEdit4.Create(*this, {.at = {288, 434, 40, 22}, .min = 1, .max = 20, .value = 5});
    Label9.Create(*this, {.at = {332, 438, 140, 14}, .caption = "日間として計算する。"});

    StatusBar1.Create(*this, {.align = tk::Align::Bottom});
    StatusBar1.SetSimplePanel(true);
    ListBox2.Create(*this, {.at = {0, 0, 1, 1}, .visible = false});
    ListBox7.Create(*this, {.at = {0, 0, 1, 1}, .visible = false});
    ListBox8.Create(*this, {.at = {0, 0, 1, 1}, .visible = false});

    ListBox1.OnClick = [this] { ListBox1Click(); };
    ListBox3.OnClick = [this] { ListBox3Click(); };
    ListBox5.OnClick = [this] { ListBox5Click(); };
    for (auto* s : {&SpinEdit1, &SpinEdit2, &SpinEdit3}) s->OnChange = [this] { SpinEdit1Change(); };
    SpinEdit4.OnChange = [this] { SpinEdit4Change(); };
    BitBtn7.OnClick = [this] { BitBtn7Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    for (auto* e : {&Edit1, &Edit2, &Edit3})
        e->OnChange = [this] {
            if (!filling_ && ListBox1.Items.Count() > 0) BitBtn4Click();
        };
    Edit4.OnChange = [this] { Edit4Change(); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnSave = [this] { return SaveData(); };
    SetBorderIcons(false, false);
}

std::vector<std::string> TForm25::Dates() const {
    std::vector<std::string> dates;
    for (int i = 0; i < ListBox1.Items.Count(); ++i) dates.push_back(ListBox1.Items[i]);
    return dates;
}

void TForm25::FormShow() {
    PlayWaveRes("ope");
    tk::BusyCursor busy(tk::crHourGlass);
    std::optional<PleaseWait> wait(std::in_place, "登録データを読み込んでいます。");
    SetMenuCheck(true);
    auto ini = settings::Open();
    tk::TIniFile own = Own();
    // A file that could not be read reads as no dates: written back, it would lose them all.
    const std::string unread = own.ReadError();
    readOnly_ = !unread.empty() || tk::FileIsReadOnly(own.FileName);
    filling_ = true;
    SpinEdit4.SetValue(own.ReadInteger(pf::Section, pf::Days, 5));
    RestorePosition(ini.ReadInteger(ik::Peri::Section, ik::Peri::left, 0),
                    ini.ReadInteger(ik::Peri::Section, ik::Peri::top, 0));

    // Older dates go only into a file that was read: merged with a failed read they would replace it.
    std::vector<std::string> dates;
    bool moved = true;
    if (!unread.empty() || ini.ReadString(pf::Section, "0", "").empty()) dates = ReadPeriodDates(own);
    else moved = MoveOlderPeriodDates(ini, own, dates);
    ListBox1.Items.Clear();
    for (const std::string& d : dates) ListBox1.Items.Add(d);

    int y = 2000, m = 1, d = 1;
    if (Form1) y = Form1->CalendarEx1.Year(), m = Form1->CalendarEx1.Month(), d = Form1->CalendarEx1.Day();
    SetDate(y, m, d);
    filling_ = false;
    if (readOnly_) {
        for (tk::Control* c : {(tk::Control*)&BitBtn2, (tk::Control*)&BitBtn1}) c->SetEnabled(false);
        Edit4.SetReadOnly(true);
    }
    ShowSelected(ListBox1.Items.Count() - 1);
    Recompute();
    wait.reset();
    // Said once the window shows what it holds, before anything is entered that could not be kept.
    if (!moved)
        tk::MessageDlg(Handle,
                       "以前の登録データを " + own.FileName + " に移せませんでした。\r次に開くときにもう一度移します。",
                       kCaption, MB_OK | MB_ICONWARNING);
    if (!unread.empty())
        tk::SayUnsavedUntilReopened(Handle, unread, kCaption);
    else if (readOnly_)
        tk::MessageDlg(Handle,
                       "登録データのファイルは読み取り専用です。\r" + own.FileName + "\r日付の登録や削除、メモの編集はできません。",
                       kCaption, MB_OK | MB_ICONINFORMATION);
}

std::string TForm25::SaveData() {
    if (readOnly_) return "";
    try {
        tk::TIniFile own = Own();
        if (datesUnsaved_) StorePeriodDates(own, Dates());
        datesUnsaved_ = false;
        if (daysUnsaved_) own.WriteInteger(pf::Section, pf::Days, SpinEdit4.Value());
        daysUnsaved_ = false;
        for (auto note = notesUnsaved_.begin(); note != notesUnsaved_.end(); note = notesUnsaved_.erase(note))
            own.WriteString(pf::Comment, note->first, note->second);
    } catch (const tk::EIniFileError&) {
        return "登録データを保存できませんでした。\r" + PeriodIniPath();
    }
    return "";
}

void TForm25::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm25::FormClose(tk::CloseAction& action) {
    auto ini = settings::Open();
    ini.WriteInteger(ik::Peri::Section, ik::Peri::top, Top());
    ini.WriteInteger(ik::Peri::Section, ik::Peri::left, Left());
    SetMenuCheck(false);
    action = tk::CloseAction::Free;
}

void TForm25::SetDate(int y, int m, int d) {
    // Day 1 first, so that no step passes through a date that does not exist.
    const bool was = filling_;
    filling_ = true;
    SpinEdit3.SetValue(1);
    SpinEdit1.SetValue(y);
    SpinEdit2.SetValue(m);
    SpinEdit3.SetValue(d);
    filling_ = was;
    SpinEdit1Change();
}

void TForm25::BitBtn7Click() {
    int y, m, d;
    rtl::DecodeDate(rtl::Date(), y, m, d);
    SetDate(y, m, d);
}

void TForm25::BitBtn2Click() {
    tk::BusyCursor busy(tk::crHourGlass);
    const std::string text = rtl::ZeroPad(SpinEdit1.Value(), 4) + "/" + rtl::ZeroPad(SpinEdit2.Value(), 2) + "/" +
                             rtl::ZeroPad(SpinEdit3.Value(), 2);
    if (ListBox1.Items.IndexOf(text) < 0) ListBox1.Items.Add(text);
    datesUnsaved_ = true;  // until written: the close and the program's end try again
    PlayWaveRes("sav");
    Recompute();
}

void TForm25::BitBtn1Click() {
    const int i = ListBox1.ItemIndex();
    if (i < 0) return;
    if (settings::Open().ReadInteger(ik::Form::Section, ik::Form::Delete, 0) == 0 &&
        !tk::ConfirmDelete(Handle, kCaption))
        return;
    tk::BusyCursor busy(tk::crHourGlass);
    ListBox1.Items.Delete(i);
    datesUnsaved_ = true;
    PlayWaveRes("del");
    if (ListBox1.Items.Count() == 0) {
        forecast_ = {};
        for (auto* l : {&ListBox3, &ListBox4, &ListBox5, &ListBox6}) l->Items.Clear();
        GroupBox2.SetCaption("詳細");
        GroupBox4.SetCaption("詳細");
    }
    Recompute();
}

void TForm25::Recompute() {
    tk::BusyCursor busy(tk::crHourGlass);
    const std::vector<std::string> dates = Dates();
    std::string failed = SaveData();
    if (!failed.empty()) tk::MessageDlg(Handle, failed, kCaption, MB_OK | MB_ICONWARNING);
    const period::Cycles c = period::CycleLengths(dates);
    auto fill = [](tk::ListBox& l, const std::vector<long long>& v) {
        l.Items.Clear();
        for (long long x : v) l.Items.Add(rtl::IntToStr(x));
    };
    fill(ListBox2, c.all);
    fill(ListBox7, c.even);
    fill(ListBox8, c.odd);
    const period::Averages a = period::AveragesOf(c, dates.size());
    filling_ = true;
    Edit1.SetText(rtl::IntToStr(a.common));
    Edit2.SetText(rtl::IntToStr(a.next));
    Edit3.SetText(rtl::IntToStr(a.after));
    filling_ = false;
    // The edits' change runs the forecast once their texts are all in.
    if (!dates.empty()) BitBtn4Click();
    ShowSelected(ListBox1.Items.Count() - 1);
}

void TForm25::BitBtn4Click() {
    tk::BusyCursor busy(tk::crHourGlass);
    long long avg[3];
    tk::Edit* edits[3] = {&Edit1, &Edit2, &Edit3};
    filling_ = true;
    for (int i = 0; i < 3; ++i) {
        int v;
        if (!rtl::TryStrToInt(edits[i]->Text(), v)) {
            edits[i]->SetText("28");
            v = 28;
        }
        avg[i] = v;
    }
    filling_ = false;
    ListBox3.Items.Clear();
    ListBox5.Items.Clear();
    const std::vector<std::string> dates = Dates();
    auto base = dates.empty() ? std::nullopt : period::DayOf(dates.back());
    if (!base) return;
    forecast_ = period::ForecastFrom(*base, {avg[0], avg[1], avg[2]});
    for (long long d : forecast_.common) ListBox3.Items.Add(period::DateWeekText(d));
    for (long long d : forecast_.alternating) ListBox5.Items.Add(period::DateWeekText(d));
    ListBox3.SetItemIndex(0);
    ListBox5.SetItemIndex(0);
    ListBox3Click();
    ListBox5Click();
}

void TForm25::Marks(tk::ListBox& forecast, tk::GroupBox& group, tk::ListBox& marks, const std::vector<long long>& days) {
    const int i = forecast.ItemIndex();
    marks.Items.Clear();
    const std::vector<std::string> dates = Dates();
    if (i < 0 || i >= (int)days.size() || dates.empty()) return;
    long long start;
    std::string startText;
    if (i == 0) {
        auto last = period::DayOf(dates.back());
        if (!last) return;
        start = *last;
        startText = dates.back();
    } else {
        start = days[i - 1];
        startText = forecast.Items[i - 1];
    }
    tk::BusyCursor busy(tk::crHourGlass);
    group.SetCaption(startText + "～" + forecast.Items[i]);
    marks.Items.AddStrings(period::DayMarks(start, days[i], SpinEdit4.Value()));
}

void TForm25::ListBox3Click() { Marks(ListBox3, GroupBox2, ListBox4, forecast_.common); }
void TForm25::ListBox5Click() { Marks(ListBox5, GroupBox4, ListBox6, forecast_.alternating); }

void TForm25::ListBox1Click() {
    // The note typed for the date left is written now, not at each key press; one that cannot be
    // written stays for the next save, and the close asks.
    SaveData();
    ShowSelected(ListBox1.ItemIndex());
}

void TForm25::ShowSelected(int i) {
    ListBox1.SetItemIndex(i);
    auto day = i >= 0 ? period::DayOf(ListBox1.Items[i]) : std::nullopt;
    filling_ = true;
    if (!day) {
        Label11.SetCaption("一行メモ：");
        Edit4.SetText("");
        StatusBar1.SetSimpleText("良い子が授かりますように..");
        filling_ = false;
        return;
    }
    const std::string key = period::DateText(*day);
    Label11.SetCaption(key + "のメモ：");
    Edit4.SetText(Own().ReadString(pf::Comment, key, ""));
    filling_ = false;
    int y, m, d;
    rtl::DecodeDate(double(*day), y, m, d);
    SetDate(y, m, d);
    ListBox1.Hint = "過去のリスト";
    if (i == 0) {
        StatusBar1.SetSimpleText("");
        return;
    }
    auto before = period::DayOf(ListBox1.Items[i - 1]);
    if (!before) {
        StatusBar1.SetSimpleText("良い子が授かりますように..");
        return;
    }
    StatusBar1.SetSimpleText(rtl::IntToStr(*day - *before) + "日周期 (" + ListBox1.Items[i - 1] + "～" +
                             ListBox1.Items[i] + ")");
}

void TForm25::Edit4Change() {
    if (filling_) return;
    const int i = ListBox1.ItemIndex();
    auto day = i >= 0 ? period::DayOf(ListBox1.Items[i]) : std::nullopt;
    if (!day) return;
    // Written with the next save the user makes (another date, Add, Delete, the days, the close):
    // a file another program holds would otherwise hold up every key press.
    notesUnsaved_[period::DateText(*day)] = Edit4.Text();
}

void TForm25::SpinEdit1Change() {
    if (filling_) return;
    filling_ = true;
    SpinEdit1.SetValue(std::clamp(SpinEdit1.Value(), 1, 9999));
    SpinEdit2.SetValue(std::clamp(SpinEdit2.Value(), 1, 12));
    while (SpinEdit3.Value() > 1 && !rtl::IsValidDate(SpinEdit1.Value(), SpinEdit2.Value(), SpinEdit3.Value()))
        SpinEdit3.SetValue(SpinEdit3.Value() - 1);
    filling_ = false;
}

void TForm25::SpinEdit4Change() {
    if (filling_) return;
    ListBox3Click();
    ListBox5Click();
    if (readOnly_) return;
    daysUnsaved_ = true;
    if (!SaveData().empty())
        tk::MessageDlg(Handle, "設定を保存できませんでした。\r" + PeriodIniPath(), kCaption, MB_OK | MB_ICONWARNING);
}
