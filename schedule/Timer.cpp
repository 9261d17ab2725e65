#include "schedule/Timer.h"

#include <cmath>
#include <vector>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "schedule/Choosers.h"
#include "schedule/EntryControls.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"
#include "toolkit/Graphics.h"

TForm13* Form13 = nullptr;
namespace ik = inikey;

namespace {

const char kCaption[] = "減算タイマー";
const char kStartLabel[] = "開始時間：", kEndLabel[] = "終了時間：";

std::string PresetKey(int index, const char* suffix) { return rtl::IntToStr(index) + suffix; }

std::string DefaultSound() { return settings::Open().ReadString(ik::Calendar::Section, ik::Calendar::file, ""); }

// The status text of a notice: the plain one, or the preset's name before its named form.
std::string Message(const std::string& name, const char* plain, const char* named) {
    return name.empty() ? plain : name + named;
}

// A name too long for room pixels is cut with "…" before the suffix, at a whole character.
std::string Fitted(tk::TCanvas& canvas, const std::string& name, const std::string& suffix, int room) {
    auto width = [&canvas](const std::string& t) { return canvas.TextWidth(t); };
    std::string shown = name + suffix;
    if (width(shown) > room) {
        std::vector<size_t> starts;  // where each character of the name starts
        for (size_t i = 0; i < name.size(); i += rtl::SjisCharLen(name, i)) starts.push_back(i);
        // Drop characters from the end until the rest, "…" and the suffix fit.
        size_t cut = starts.size();
        while (cut > 0 && width(name.substr(0, starts[cut - 1]) + "…" + suffix) > room) --cut;
        shown = name.substr(0, cut > 0 ? starts[cut - 1] : 0) + "…" + suffix;
    }
    return shown;
}

// The group's caption for a preset. The frame draws its caption from 9 pixels in to 8 before its edge.
std::string GroupCaption(const tk::Control& group, const std::string& name, const std::string& suffix) {
    tk::TCanvas canvas(tk::MeasureDC());
    canvas.Font = group.EffectiveFont();
    return Fitted(canvas, name, suffix, group.Width() - 17);
}

}  // namespace

TForm13::TForm13()
    : Form({.caption = kCaption, .width = 360, .height = 370, .border = tk::Border::Single, .maximizeBox = false,
            .clientSize = true}) {
    // Period and name.
    SpinEdit1.Create(*this, {.at = {8, 8, 44, 22}, .min = 0, .max = 23, .value = 0});
    Label1.Create(*this, {.at = {55, 12, 28, 14}, .caption = "時間"});
    SpinEdit2.Create(*this, {.at = {86, 8, 44, 22}, .min = 0, .max = 59, .value = 1});
    Label2.Create(*this, {.at = {133, 12, 28, 14}, .caption = "分後"});
    Label3.Create(*this, {.at = {170, 12, 28, 14}, .caption = "名前"});
    Edit1.Create(*this, {.at = {200, 8, 152, 22}, .hint = "Stackに登録する名前"});

    // The preset stack.
    ListBox1.Create(*this, {.at = {8, 38, 250, 80}, .hint = "Stack", .style = tk::lbOwnerDrawFixed});
    // A name wider than the list ends in "…" instead of at the list's edge.
    ListBox1.OnDrawItem = [this](int i, const RECT& r, int state) {
        tk::TCanvas& c = ListBox1.Canvas;
        if ((state & tk::odDisabled) && !(state & tk::odSelected)) c.Font.Color = tk::clGrayText;  // while running
        c.FillRect(r);
        if (i < ListBox1.Items.Count())
            c.TextOut(r.left + 2, r.top, Fitted(c, ListBox1.Items[i], "", r.right - r.left - 4));
    };
    BitBtn1.Create(*this, {.at = {266, 38, 86, 25}, .caption = "&Add", .hint = "Stackに追加"});
    BitBtn8.Create(*this, {.at = {266, 68, 86, 25}, .caption = "&Delete", .hint = "Stack選択項目を削除"});

    // The selected preset's sounds.
    GroupBox1.Create(*this, {.at = {8, 124, 344, 100}, .caption = "ﾌﾟﾛﾊﾟﾃｨ"});
    auto soundRow = [&](tk::Label& label, tk::Edit& box, tk::BitBtn& button, int y, const char* text) {
        label.Create(GroupBox1, {.at = {10, y + 4, 110, 14}, .caption = text});
        box.Create(GroupBox1, {.at = {122, y, 180, 22}, .hint = text});
        button.Create(GroupBox1, {.at = {306, y, 28, 22}, .caption = "...", .hint = "ﾌｧｲﾙ選択"});
    };
    soundRow(Label4, Edit2, BitBtn2, 18, "50%時のサウンド");
    soundRow(Label5, Edit3, BitBtn3, 44, "80%時のサウンド");
    soundRow(Label8, Edit4, BitBtn4, 70, "100%時のサウンド");

    // Run controls, gauge and times.
    BitBtn5.Create(*this, {.at = {8, 232, 80, 25}, .caption = "Start", .hint = "計測開始"});
    BitBtn6.Create(*this, {.at = {94, 232, 80, 25}, .caption = "Pause", .hint = "一時停止／再開", .enabled = false});
    BitBtn7.Create(*this, {.at = {180, 232, 80, 25}, .caption = "Reset", .hint = "計測中止", .enabled = false});
    CheckBox1.Create(*this, {.at = {8, 262, 300, 18}, .caption = "時間が来るまで窓を隠す。"});
    SGauge1.Create(*this, {.at = {8, 284, 344, 18}, .hint = "残り時間", .max = 60, .value = 0});
    Label6.Create(*this, {.at = {8, 308, 344, 14}, .caption = kStartLabel, .style = tk::lsNoAutoSize});
    Label7.Create(*this, {.at = {8, 326, 344, 14}, .caption = kEndLabel, .style = tk::lsNoAutoSize});
    StatusBar1.Create(*this, {});
    StatusBar1.SetSimplePanel(true);
    Timer1.Create(*this, {.interval = 1000, .enabled = false});

    SpinEdit1.OnChange = [this] { SpinEdit2Change(); };
    SpinEdit2.OnChange = [this] { SpinEdit2Change(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn8.OnClick = [this] { BitBtn8Click(); };
    ListBox1.OnClick = [this] { ListBox1Click(); };
    Edit2.OnChange = [this] { Edit2Change(); };
    Edit3.OnChange = [this] { Edit3Change(); };
    Edit4.OnChange = [this] { Edit4Change(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    BitBtn5.OnClick = [this] { BitBtn5Click(); };
    BitBtn6.OnClick = [this] { BitBtn6Click(); };
    BitBtn7.OnClick = [this] { BitBtn7Click(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    FormCreate();
}

void TForm13::FormCreate() {
    if (Form1 && Form1->GTimer1) Form1->GTimer1->SetChecked(true);
    auto ini = settings::Open();
    RestorePosition(ini.ReadInteger(ik::Gtimer::Section, ik::Gtimer::left, 0),
                    ini.ReadInteger(ik::Gtimer::Section, ik::Gtimer::top, 0));
    const int total = ini.ReadInteger(ik::Gtimer::Section, ik::Gtimer::Total, 0);
    for (int i = 0; i < total; ++i)
        ListBox1.Items.Add(ini.ReadString(ik::Gtimer::Section, PresetKey(i, ik::Gtimer::Title), ""));
    ListBox1Click();
}

void TForm13::FormShow() { PlayWaveRes("ope"); }

void TForm13::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm13::FormClose(tk::CloseAction& action) {
    Timer1.SetEnabled(false);
    if (Form1 && Form1->GTimer1) Form1->GTimer1->SetChecked(false);
    entry::WritePosition(*this, ik::Gtimer::Section, ik::Gtimer::top, ik::Gtimer::left);
    action = tk::CloseAction::Free;
}

void TForm13::SpinEdit2Change() {
    // The spin edits keep their ranges; a zero period is one minute.
    if (SpinEdit1.Value() == 0 && SpinEdit2.Value() == 0) SpinEdit2.SetValue(1);
}

void TForm13::BitBtn1Click() {
    PlayWaveRes("sav");
    const int n = ListBox1.Items.Count();
    auto ini = settings::Open();
    ini.WriteString(ik::Gtimer::Section, PresetKey(n, ik::Gtimer::Title), Edit1.Text());
    ini.WriteInteger(ik::Gtimer::Section, PresetKey(n, ik::Gtimer::H), SpinEdit1.Value());
    ini.WriteInteger(ik::Gtimer::Section, PresetKey(n, ik::Gtimer::M), SpinEdit2.Value());
    ini.WriteInteger(ik::Gtimer::Section, ik::Gtimer::Total.Name, n + 1);
    ListBox1.SetItemIndex(ListBox1.Items.Add(Edit1.Text()));
    ListBox1Click();
}

void TForm13::ListBox1Click() {
    entry::Busy busy(filling_);
    const int i = ListBox1.ItemIndex();
    const bool selected = i >= 0;
    if (selected) {
        auto ini = settings::Open();
        const char* s = ik::Gtimer::Section;
        Edit1.SetCaption(ListBox1.Items[i]);
        SpinEdit1.SetValue(ini.ReadInteger(s, PresetKey(i, ik::Gtimer::H), 0));
        SpinEdit2.SetValue(ini.ReadInteger(s, PresetKey(i, ik::Gtimer::M), 1));
        Edit2.SetCaption(ini.ReadString(s, PresetKey(i, ik::Gtimer::S50), ""));
        Edit3.SetCaption(ini.ReadString(s, PresetKey(i, ik::Gtimer::S80), ""));
        std::string last = ini.ReadString(s, PresetKey(i, ik::Gtimer::S100), "");
        Edit4.SetCaption(last.empty() ? DefaultSound() : last);
        GroupBox1.SetCaption(GroupCaption(GroupBox1, ListBox1.Items[i], "のﾌﾟﾛﾊﾟﾃｨ"));
    } else {
        GroupBox1.SetCaption("ﾌﾟﾛﾊﾟﾃｨ");
        Edit1.Clear();
        Edit2.Clear();
        Edit3.Clear();
        Edit4.SetCaption(DefaultSound());
    }
    EnablePresetControls(selected);
}

// The sound boxes, their buttons and Delete act on the selected preset only.
void TForm13::EnablePresetControls(bool on) {
    for (tk::Control* c : {(tk::Control*)&Edit2, (tk::Control*)&Edit3, (tk::Control*)&Edit4, (tk::Control*)&BitBtn2,
                           (tk::Control*)&BitBtn3, (tk::Control*)&BitBtn4, (tk::Control*)&BitBtn8})
        c->SetEnabled(on);
}

// A sound box belongs to the selected preset; with none selected there is nothing to write.
void TForm13::WriteSound(const char* suffix, const tk::Edit& box) {
    const int i = ListBox1.ItemIndex();
    if (filling_ || i < 0) return;
    settings::Open().WriteString(ik::Gtimer::Section, PresetKey(i, suffix), box.Text());
}

void TForm13::Edit2Change() { WriteSound(ik::Gtimer::S50, Edit2); }
void TForm13::Edit3Change() { WriteSound(ik::Gtimer::S80, Edit3); }
void TForm13::Edit4Change() { WriteSound(ik::Gtimer::S100, Edit4); }

void TForm13::ChooseInto(tk::Edit& box) { box.SetCaption(entry::ChooseSound(box.Text())); }
void TForm13::BitBtn2Click() { ChooseInto(Edit2); }
void TForm13::BitBtn3Click() { ChooseInto(Edit3); }
void TForm13::BitBtn4Click() { ChooseInto(Edit4); }

void TForm13::BitBtn8Click() {
    const int index = ListBox1.ItemIndex();
    if (index < 0 || !entry::ConfirmEntryDelete(*this)) return;
    PlayWaveRes("del");
    auto ini = settings::Open();
    const char* s = ik::Gtimer::Section;
    const int count = ListBox1.Items.Count();
    for (int i = index; i + 1 < count; ++i) {
        for (const char* key : {ik::Gtimer::Title, ik::Gtimer::S50, ik::Gtimer::S80, ik::Gtimer::S100})
            ini.WriteString(s, PresetKey(i, key), ini.ReadString(s, PresetKey(i + 1, key), ""));
        ini.WriteInteger(s, PresetKey(i, ik::Gtimer::H), ini.ReadInteger(s, PresetKey(i + 1, ik::Gtimer::H), 0));
        ini.WriteInteger(s, PresetKey(i, ik::Gtimer::M), ini.ReadInteger(s, PresetKey(i + 1, ik::Gtimer::M), 1));
    }
    const int last = count - 1;
    for (const char* key : {ik::Gtimer::Title, ik::Gtimer::S50, ik::Gtimer::S80, ik::Gtimer::S100})
        ini.WriteString(s, PresetKey(last, key), "");
    ini.WriteInteger(s, PresetKey(last, ik::Gtimer::H), 0);
    ini.WriteInteger(s, PresetKey(last, ik::Gtimer::M), 1);
    ListBox1.Items.Delete(index);
    ini.WriteInteger(s, ik::Gtimer::Total.Name, ListBox1.Items.Count());
    ListBox1Click();
}

void TForm13::EnableInputs(bool on) {
    for (tk::Control* c : {(tk::Control*)&SpinEdit1, (tk::Control*)&SpinEdit2, (tk::Control*)&Edit1,
                           (tk::Control*)&ListBox1, (tk::Control*)&BitBtn1})
        c->SetEnabled(on);
    EnablePresetControls(on && ListBox1.ItemIndex() >= 0);
    BitBtn5.SetEnabled(on);
    BitBtn6.SetEnabled(!on);
    BitBtn7.SetEnabled(!on);
}

void TForm13::BitBtn5Click() {
    StartTime = rtl::Now();
    Period = rtl::EncodeTime(SpinEdit1.Value(), SpinEdit2.Value(), 0, 0);
    EndTime = StartTime + Period;
    const int seconds = SpinEdit1.Value() * 3600 + SpinEdit2.Value() * 60;
    SGauge1.SetMax(seconds);
    SGauge1.SetPosition(seconds);
    Label6.SetCaption(kStartLabel + rtl::FormatDateTime("yyyy/mm/dd hh:nn:ss", StartTime));
    StatusBar1.SetSimpleText(Message(Edit1.Text(), "時間を計っています。", "の時間を計っています。"));
    Edit2.Tag = Edit3.Tag = Edit4.Tag = 0;
    BitBtn6.Tag = 0;
    Timer1.SetEnabled(true);
    EnableInputs(false);
}

void TForm13::BitBtn6Click() { BitBtn6.Tag = BitBtn6.Tag == 0 ? 1 : 0; }

void TForm13::BitBtn7Click() {
    Timer1.SetEnabled(false);
    EnableInputs(true);
    Label6.SetCaption(kStartLabel);
    Label7.SetCaption(kEndLabel);
    SetCaption(kCaption);
}

void TForm13::Notice(tk::Edit& given, const std::string& what, const std::string& sound) {
    given.Tag = 1;
    StatusBar1.SetSimpleText(what);
    if (!sound.empty() && tk::FileExists(sound) && Form1) PlaySoundFile(Form1->MediaPlayer1, sound);
}

void TForm13::Timer1Timer() {
    if (CheckBox1.Checked()) Hide();
    if (BitBtn6.Tag == 0) {
        SGauge1.SetEnabled(true);
        // Whole seconds left, counted in milliseconds first so that an exact second is not lost
        // to the rounding of date-time values.
        const long long ms = std::llround((EndTime - rtl::Now()) * 86400000.0);
        SGauge1.SetPosition(ms > 0 ? (int)std::min<long long>(ms / 1000, SGauge1.Max()) : 0);
        SetCaption(std::string(kCaption) + " （残り " + rtl::IntToStr(SGauge1.Position()) + "秒）");
    } else {
        SGauge1.SetEnabled(false);
        SetCaption(std::string(kCaption) + " （一時停止）");
        EndTime += rtl::EncodeTime(0, 0, 1, 0);
    }
    Label7.SetCaption(kEndLabel + rtl::FormatDateTime("yyyy/mm/dd hh:nn:ss", EndTime));

    // Left / Max × 100 against 50 and 20, in integers so that an exact share is met exactly.
    const long long left = SGauge1.Position(), max = SGauge1.Max();
    const std::string name = Edit1.Text();
    if (Edit2.Tag == 0 && left * 100 <= max * 50)
        Notice(Edit2, Message(name, "５０％を経過しました。", "の時間は５０％を経過しました。"), Edit2.Text());
    if (Edit3.Tag == 0 && left * 100 <= max * 20)
        Notice(Edit3, Message(name, "８０％を経過しました。", "の時間は８０％を経過しました。"), Edit3.Text());
    if (left == 0) {
        CheckBox1.SetChecked(false);
        Show();
        BringForward();
        Notice(Edit4, Message(name, "時間になりました。", "の時間になりました。"), Edit4.Text());
        BitBtn7Click();
    }
}
