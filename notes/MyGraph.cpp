#include "notes/MyGraph.h"

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "notes/Entry.h"
#include "schedule/EntryControls.h"
#include "settings/Settings.h"
#include "toolkit/MsgBox.h"

TForm36* Form36 = nullptr;
namespace ik = inikey;

namespace band {
int ClampHour(int h) { return h > 23 ? 23 : h <= 0 ? 0 : h; }
int ClampMinute(int n) { return n > 59 ? 59 : n < 1 ? 0 : n; }
}  // namespace band

namespace {
const char kPanelHelp[] = "自分で定義した時間帯のグラフを表示できます｡";
const char kTitleHelp[] = "チップヘルプに表示されるグラフの項目名です｡";

// The four time keys of each band, in the order of its spin edits (start, end).
struct BandKeys {
    const char *title, *start, *end;
};
const BandKeys kLeft{ik::MyGraph::LG_Title, ik::MyGraph::LG_Stime, ik::MyGraph::LG_Etime};
const BandKeys kRight{ik::MyGraph::RG_Title, ik::MyGraph::RG_Stime, ik::MyGraph::RG_Etime};
}  // namespace

TForm36::TForm36()
    : Form({.caption = "プライベートグラフの登録", .width = 300, .height = 218, .border = tk::Border::Dialog,
            .clientSize = true}) {
    Panel1.Create(*this, {.at = {0, 0, 300, 196}, .style = tk::pnOuterNone});
    GroupBox1.Create(Panel1, {.at = {8, 6, 284, 74}, .caption = "左側のグラフ"});
    CreateBand(GroupBox1, Edit1, {&SpinEdit1, &SpinEdit2, &SpinEdit3, &SpinEdit4},
               {&Label1, &Label2, &Label3, &Label4, &Label5});
    GroupBox2.Create(Panel1, {.at = {8, 84, 284, 74}, .caption = "右側のグラフ"});
    CreateBand(GroupBox2, Edit2, {&SpinEdit5, &SpinEdit6, &SpinEdit7, &SpinEdit8},
               {&Label6, &Label7, &Label8, &Label9, &Label10});
    BitBtn1.Create(Panel1, {.at = {202, 164, 90, 26}, .caption = "&Close"});
    BitBtn1.SetKind(tk::bkClose);
    BitBtn1.SetCaption("&Close");
    BitBtn1.OnClick = [this] { Close(); };
    StatusBar1.Create(*this, {.caption = kPanelHelp});
    StatusBar1.SetSimplePanel(true);

    for (tk::SpinEdit* f : {&SpinEdit1, &SpinEdit3, &SpinEdit5, &SpinEdit7}) f->OnChange = [this, f] { HourChange(*f); };
    for (tk::SpinEdit* f : {&SpinEdit2, &SpinEdit4, &SpinEdit6, &SpinEdit8})
        f->OnChange = [this, f] { MinuteChange(*f); };
    GroupBox1.OnMouseMove = [this](int, int, int) { ShowHelp("左側のグラフを設定します｡"); };
    GroupBox2.OnMouseMove = [this](int, int, int) { ShowHelp("右側のグラフを設定します｡"); };
    for (tk::Control* c : {(tk::Control*)&Panel1, (tk::Control*)&StatusBar1})
        c->OnMouseMove = [this](int, int, int) { ShowHelp(kPanelHelp); };
    for (tk::Edit* e : {&Edit1, &Edit2}) e->OnMouseMove = [this](int, int, int) { ShowHelp(kTitleHelp); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    // Saved at the close and at the program's end. Only settings are lost when the write fails,
    // which the settings keep for their next write: the close goes on, with a word.
    OnSave = [this] {
        bandsWritten_ = WriteBands();
        return std::string();
    };
    SetBorderIcons(false, false);
}

// One band: the title, then "開始" hour:minute and "終了" hour:minute.
void TForm36::CreateBand(tk::GroupBox& box, tk::Edit& title, tk::SpinEdit* const (&fields)[4],
                         tk::Label* const (&labels)[5]) {
    labels[0]->Create(box, {.at = {8, 20, 40, 14}, .caption = "項目名"});
    title.Create(box, {.at = {52, 16, 224, 22}, .hint = "グラフの項目名"});
    const char* captions[4] = {"開始", "時", "終了", "時"};
    for (int i = 0; i < 4; ++i) {
        int x = 8 + (i / 2) * 138, y = 44;
        if (i % 2 == 0) {
            labels[1 + i]->Create(box, {.at = {x, y + 4, 28, 14}, .caption = captions[i]});
            fields[i]->Create(box, {.at = {x + 30, y, 42, 22}, .min = 0, .max = 23});
        } else {
            labels[1 + i]->Create(box, {.at = {x + 75, y + 4, 14, 14}, .caption = captions[i]});
            fields[i]->Create(box, {.at = {x + 90, y, 42, 22}, .min = 0, .max = 59});
        }
    }
}

void TForm36::ShowHelp(const char* text) { StatusBar1.SetSimpleText(text); }

void TForm36::FormShow() {
    PlayWaveRes("ope");
    auto ini = settings::Open();
    // Bands read from a file that could not be read are not written back over the stored ones.
    std::string unreadable = ini.ReadError();
    bandsRead_ = unreadable.empty();
    RestorePosition(ini.ReadInteger(ik::MyGraph::Section, ik::MyGraph::left, 0),
                    ini.ReadInteger(ik::MyGraph::Section, ik::MyGraph::top, 0));
    Edit1.SetCaption(ini.ReadString(ik::MyGraph::Section, kLeft.title, ""));
    Edit2.SetCaption(ini.ReadString(ik::MyGraph::Section, kRight.title, ""));
    auto time = [&](const char* key, tk::SpinEdit& hour, tk::SpinEdit& minute) {
        rtl::TDateTime t = 0;
        // A value that is no time shows as 0:00.
        if (!goal::ReadDateTime(ini.ReadString(ik::MyGraph::Section, key, "0"), t)) t = 0;
        int h, n, s, ms;
        rtl::DecodeTime(t, h, n, s, ms);
        hour.SetValue(h);
        minute.SetValue(n);
    };
    time(kLeft.start, SpinEdit1, SpinEdit2);
    time(kLeft.end, SpinEdit3, SpinEdit4);
    time(kRight.start, SpinEdit5, SpinEdit6);
    time(kRight.end, SpinEdit7, SpinEdit8);
    if (bandsRead_) return;
    for (tk::Edit* e : std::initializer_list<tk::Edit*>{&Edit1, &Edit2, &SpinEdit1, &SpinEdit2, &SpinEdit3, &SpinEdit4,
                                                        &SpinEdit5, &SpinEdit6, &SpinEdit7, &SpinEdit8})
        e->SetEnabled(false);
    tk::SayUnsavedUntilReopened(Handle, unreadable, Caption());
}

void TForm36::HourChange(tk::SpinEdit& field) {
    int v;
    if (rtl::TryStrToInt(field.Text(), v) && band::ClampHour(v) != v) field.SetValue(band::ClampHour(v));
}

void TForm36::MinuteChange(tk::SpinEdit& field) {
    int v;
    if (rtl::TryStrToInt(field.Text(), v) && band::ClampMinute(v) != v) field.SetValue(band::ClampMinute(v));
}

void TForm36::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm36::FormClose(tk::CloseAction& action) {
    entry::WritePosition(*this, ik::MyGraph::Section, ik::MyGraph::top, ik::MyGraph::left);
    if (!bandsWritten_) tk::MessageDlg(Handle, "設定ファイルに書き込めませんでした。", Caption(), MB_OK | MB_ICONERROR);
    if (Form1) Form1->Panel8.Tag = 0;
    action = tk::CloseAction::Free;
}

bool TForm36::WriteBands() {
    if (!bandsRead_) return true;
    try {
        auto ini = settings::Open();
        ini.WriteString(ik::MyGraph::Section, kLeft.title, Edit1.Caption());
        ini.WriteString(ik::MyGraph::Section, kRight.title, Edit2.Caption());
        auto time = [&](const char* key, const tk::SpinEdit& hour, const tk::SpinEdit& minute) {
            ini.WriteString(ik::MyGraph::Section, key, goal::DateTimeText(rtl::EncodeTime(hour.Value(), minute.Value(), 0, 0)));
        };
        time(kLeft.start, SpinEdit1, SpinEdit2);
        time(kLeft.end, SpinEdit3, SpinEdit4);
        time(kRight.start, SpinEdit5, SpinEdit6);
        time(kRight.end, SpinEdit7, SpinEdit8);
    } catch (const tk::EIniFileError&) {
        return false;
    }
    return true;
}
