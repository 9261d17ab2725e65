#include "notes/Entry.h"

#include <cmath>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "schedule/EntryControls.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"

TForm6* Form6 = nullptr;
namespace ik = inikey;

namespace goal {

std::string Folder() { return settings::DataDir() + "\\Entry\\"; }

std::vector<std::string> ReadNames(const tk::TIniFile& ini) {
    std::vector<std::string> names;
    for (int n = 0;; ++n) {
        std::string name = ini.ReadString(ik::Entry::Section, rtl::IntToStr(n), "");
        if (name.empty()) return names;
        names.push_back(name);
    }
}

void WriteNames(tk::TIniFile& ini, const std::vector<std::string>& names) {
    tk::IniKeys keys;
    for (size_t i = 0; i < names.size(); ++i) keys.emplace_back(rtl::IntToStr((int)i), names[i]);
    ini.WriteSection(ik::Entry::Section, keys);
}

std::string NewName(tk::TIniFile& ini, const std::string& folder) {
    int cnt = std::max(0, ini.ReadInteger(ik::Entry_Cnt::Section, ik::Entry_Cnt::Cnt, 0));
    std::string name;
    do name = "Entry" + rtl::IntToStr(cnt++);
    while (tk::FileExists(folder + name));
    ini.WriteInteger(ik::Entry_Cnt::Section, ik::Entry_Cnt::Cnt, cnt);
    return name;
}

std::string DateTimeText(rtl::TDateTime t) { return rtl::FloatToStr(t); }

bool ReadDateTime(const std::string& text, rtl::TDateTime& t) {
    double v;
    if (!rtl::TryStrToFloat(text, v)) return false;
    // The text keeps 15 digits, a hair off the millisecond the value was made of.
    v = std::round(v * 86400000.0) / 86400000.0;
    if (!(v >= rtl::EncodeDate(1, 1, 1) && v < rtl::EncodeDate(9999, 12, 31) + 1)) return false;
    t = v;
    return true;
}

Head LoadGoal(tk::RichEdit& box, const std::string& path) {
    box.LoadFromFile(path);
    Head h;
    rtl::TStringList lines = box.Lines.List();
    if (lines.Count() == 0) return h;
    h.name = lines[0];
    h.hasSpan = lines.Count() >= 3 && ReadDateTime(lines[1], h.start) && ReadDateTime(lines[2], h.end);
    if (!h.hasSpan) h.start = h.end = 0;
    for (int i = h.hasSpan ? 3 : 1; i > 0; --i) box.Lines.Delete(0);
    box.SetModified(false);
    return h;
}

void PutHead(tk::RichEdit& box, const std::string& name, rtl::TDateTime a, rtl::TDateTime b) {
    box.Lines.Insert(0, DateTimeText(std::max(a, b)));
    box.Lines.Insert(0, DateTimeText(std::min(a, b)));
    box.Lines.Insert(0, name);
}

}  // namespace goal

namespace {
const char kCaption[] = "目標グラフの登録・削除";
}

TForm6::TForm6()
    : Form({.caption = kCaption, .width = 372, .height = 430, .border = tk::Border::Dialog, .clientSize = true}) {
    Label1.Create(*this, {.at = {8, 12, 76, 14}, .caption = "選択項目名"});
    Edit1.Create(*this, {.at = {88, 8, 276, 22}, .hint = "目標の名前"});

    start_ = {&SpinEdit1, &SpinEdit2, &SpinEdit3, &SpinEdit4, &SpinEdit5, &SpinEdit6, &BitBtn7};
    end_ = {&SpinEdit7, &SpinEdit8, &SpinEdit9, &SpinEdit10, &SpinEdit11, &SpinEdit12, &BitBtn3};
    GroupBox1.Create(*this, {.at = {8, 38, 356, 76}, .caption = "開始日時"});
    CreateGroup(GroupBox1, start_, {&Label2, &Label3, &Label4, &Label5, &Label6, &Label7}, BitBtn7, BitBtn5, BitBtn8);
    GroupBox2.Create(*this, {.at = {8, 120, 356, 76}, .caption = "終了日時"});
    CreateGroup(GroupBox2, end_, {&Label8, &Label9, &Label10, &Label11, &Label12, &Label13}, BitBtn3, BitBtn6, BitBtn9);
    for (tk::SpinEdit* f : {&SpinEdit1, &SpinEdit2, &SpinEdit3}) f->OnChange = [this] { SpinEdit1Change(); };
    for (tk::SpinEdit* f : {&SpinEdit7, &SpinEdit8, &SpinEdit9}) f->OnChange = [this] { SpinEdit7Change(); };
    BitBtn7.OnClick = [this] { BitBtn7Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn5.OnClick = [this] { BitBtn5Click(); };
    BitBtn6.OnClick = [this] { BitBtn6Click(); };
    BitBtn8.OnClick = [this] { BitBtn8Click(); };
    BitBtn9.OnClick = [this] { BitBtn9Click(); };

    GroupBox3.Create(*this, {.at = {8, 202, 356, 184}, .caption = "詳細説明"});
    RichEdit1.Create(GroupBox3, {.at = {8, 18, 340, 158}, .style = tk::reVScroll});
    RichEdit1.KeepMargins = true;
    RichEdit1.SetMargins();

    BitBtn1.Create(*this, {.at = {8, 396, 90, 26}, .caption = "&Delete", .hint = "削除して終了します｡", .enabled = false});
    BitBtn2.Create(*this, {.at = {274, 396, 90, 26}, .caption = "&Save", .hint = "登録して終了します｡"});
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    FormCreate();
}

// One date-time group: year, month, day and the today button on the first row, hour, minute,
// second with the 0:00:00 and now buttons on the second.
void TForm6::CreateGroup(tk::GroupBox& box, Group& g, tk::Label* const (&units)[6], tk::BitBtn& today,
                         tk::BitBtn& zero, tk::BitBtn& now) {
    static const char* const kUnits[6] = {"年", "月", "日", "時", "分", "秒"};
    const int width[6] = {60, 42, 42, 42, 42, 42}, min[6] = {1, 1, 1, 0, 0, 0}, max[6] = {9999, 12, 31, 23, 59, 59};
    tk::SpinEdit* fields[6] = {g.y, g.m, g.d, g.h, g.n, g.s};
    for (int row = 0, i = 0; row < 2; ++row) {
        int x = 8, y = 18 + row * 28;
        for (int k = 0; k < 3; ++k, ++i) {
            fields[i]->Create(box, {.at = {x, y, width[i], 22}, .min = min[i], .max = max[i], .value = min[i]});
            units[i]->Create(box, {.at = {x + width[i] + 3, y + 4, 16, 14}, .caption = kUnits[i]});
            x += width[i] + 22;
        }
    }
    // The buttons: today's date on the first row, the time of day on the second.
    today.Create(box, {.at = {262, 17, 86, 24}, .caption = "今日", .hint = "今日に戻す｡"});
    zero.Create(box, {.at = {208, 45, 66, 24}, .caption = "0:00", .hint = "時間を０にセット"});
    now.Create(box, {.at = {280, 45, 68, 24}, .caption = "現在", .hint = "現在の時間をセット"});
}

void TForm6::FormCreate() {
    SetBorderIcons(false, false);
    if (Form1) {
        Form1->ComboBox3.Tag = 1;
        Tag = Form1->ComboBox3.ItemIndex();
    }
}

std::string TForm6::FileOf(const std::string& name) const { return goal::Folder() + name; }

void TForm6::FormShow() {
    PlayWaveRes("ope");
    auto ini = settings::Open();
    RestorePosition(ini.ReadInteger(ik::Entry_Cnt::Section, ik::Entry_Cnt::left, 0),
                    ini.ReadInteger(ik::Entry_Cnt::Section, ik::Entry_Cnt::top, 0));
    // A goal list that could not be read names no goal here (nor the data folder): a save would
    // put a new goal in another's place, or over its file.
    std::string unreadable = ini.ReadError();
    if (unreadable.empty()) tk::ForceDirectories(goal::Folder());
    std::string name = ini.ReadString(ik::Entry::Section, rtl::IntToStr(Tag), "");
    rtl::TDateTime now = rtl::Now();
    goal::Head head{.start = now, .end = now};
    if (!name.empty() && tk::FileExists(FileOf(name))) {
        try {
            head = goal::LoadGoal(RichEdit1, FileOf(name));
            BitBtn1.SetEnabled(true);
        } catch (const rtl::Exception&) {
            // Saving would replace the goal with an empty one: only deleting stays.
            tk::MessageDlg(Handle, "ファイルを読み込めませんでした。\r" + FileOf(name), Caption(), MB_OK | MB_ICONERROR);
            BitBtn1.SetEnabled(true);
            BitBtn2.SetEnabled(false);
        }
        if (!head.hasSpan) head.start = head.end = now;
    } else {
        RichEdit1.Clear();
    }
    Edit1.SetCaption(head.name);
    SetDate(start_, head.start);
    SetDate(end_, head.end);
    int h, n, s, ms;
    rtl::DecodeTime(head.start, h, n, s, ms);
    SetTime(start_, h, n, s);
    rtl::DecodeTime(head.end, h, n, s, ms);
    SetTime(end_, h, n, s);
    if (unreadable.empty()) return;
    BitBtn1.SetEnabled(false);
    BitBtn2.SetEnabled(false);
    tk::SayUnsavedUntilReopened(Handle, unreadable, Caption());
}

void TForm6::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm6::FormClose(tk::CloseAction& action) {
    entry::WritePosition(*this, ik::Entry_Cnt::Section, ik::Entry_Cnt::top, ik::Entry_Cnt::left);
    if (Form1) {
        Form1->ComboBox3.Tag = 0;
        Form1->BitBtn25Click();
    }
    action = tk::CloseAction::Free;
}

void TForm6::SetDate(Group& g, rtl::TDateTime t) {
    int y, m, d;
    rtl::DecodeDate(t, y, m, d);
    // Day 1 first, so that no step passes through a date that does not exist.
    g.d->SetValue(1);
    g.y->SetValue(y);
    g.m->SetValue(m);
    g.d->SetValue(d);
}

void TForm6::SetTime(Group& g, int h, int n, int s) {
    g.h->SetValue(h);
    g.n->SetValue(n);
    g.s->SetValue(s);
}

rtl::TDateTime TForm6::Value(const Group& g) {
    rtl::TDateTime date;
    if (!rtl::TryEncodeDate(g.y->Value(), g.m->Value(), g.d->Value(), date)) date = rtl::Date();
    return date + rtl::EncodeTime(g.h->Value(), g.n->Value(), g.s->Value(), 0);
}

rtl::TDateTime TForm6::StartTime() const { return Value(start_); }
rtl::TDateTime TForm6::EndTime() const { return Value(end_); }

void TForm6::DateChange(Group& g) {
    if (!entry::SettleDateFields(*g.y, *g.m, *g.d)) return;
    g.today->SetEnabled(rtl::EncodeDate(g.y->Value(), g.m->Value(), g.d->Value()) != rtl::Date());
}

void TForm6::SpinEdit1Change() { DateChange(start_); }
void TForm6::SpinEdit7Change() { DateChange(end_); }
void TForm6::BitBtn7Click() { SetDate(start_, rtl::Date()); }
void TForm6::BitBtn3Click() { SetDate(end_, rtl::Date()); }
void TForm6::BitBtn8Click() { SetTimeNow(start_); }
void TForm6::BitBtn9Click() { SetTimeNow(end_); }

void TForm6::SetTimeNow(Group& g) {
    int h, n, s, ms;
    rtl::DecodeTime(rtl::Now(), h, n, s, ms);
    SetTime(g, h, n, s);
}
void TForm6::BitBtn5Click() { SetTime(start_, 0, 0, 0); }
void TForm6::BitBtn6Click() { SetTime(end_, 0, 0, 0); }

void TForm6::BitBtn2Click() {
    if (!BitBtn2.Enabled()) return;
    PlayWaveRes("sav");
    auto ini = settings::Open();
    std::vector<std::string> names = goal::ReadNames(ini);
    // A goal box with nothing chosen adds a goal.
    int index = Tag >= 0 ? Tag : (int)names.size();
    std::string name = ini.ReadString(ik::Entry::Section, rtl::IntToStr(index), "");
    tk::ForceDirectories(goal::Folder());
    bool added = name.empty() || !tk::FileExists(FileOf(name));
    if (added) name = goal::NewName(ini, goal::Folder());
    goal::PutHead(RichEdit1, Edit1.Caption(), StartTime(), EndTime());
    if (!entry::SaveBody(*this, RichEdit1, FileOf(name))) {
        for (int i = 0; i < 3; ++i) RichEdit1.Lines.Delete(0);
        return;
    }
    // Registered only once its file is there.
    if (added) ini.WriteString(ik::Entry::Section, rtl::IntToStr(index), name);
    Close();
}

void TForm6::BitBtn1Click() {
    if (!BitBtn1.Enabled() || !entry::ConfirmEntryDelete(*this)) return;
    auto ini = settings::Open();
    std::string name = ini.ReadString(ik::Entry::Section, rtl::IntToStr(Tag), "");
    if (name.empty() || !tk::FileExists(FileOf(name))) {
        Close();
        return;
    }
    if (!entry::DeleteDataFile(*this, FileOf(name))) return;
    std::vector<std::string> names = goal::ReadNames(ini);
    if (Tag >= 0 && Tag < (int)names.size()) names.erase(names.begin() + Tag);
    goal::WriteNames(ini, names);
    PlayWaveRes("del");
    Close();
}
