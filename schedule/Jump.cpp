#include "schedule/Jump.h"

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "schedule/EntryControls.h"
#include "settings/Settings.h"

TForm17* Form17 = nullptr;
namespace ik = inikey;

TForm17::TForm17()
    : Form({.caption = "指定日に移動", .width = 300, .height = 104, .border = tk::Border::Dialog, .clientSize = true}) {
    const auto& cal = Form1->CalendarEx1;
    tk::Label* const units[3] = {&Label1, &Label2, &Label3};
    entry::CreateDateFields(*this, SpinEdit1, SpinEdit2, SpinEdit3, units, cal.Year(), cal.Month(), cal.Day());
    Label4.Create(*this, {.at = {206, 12, 34, 14}, .hint = "曜日"});
    BitBtn7.Create(*this, {.at = {240, 7, 52, 25}, .caption = "今日", .hint = "今日に戻す｡"});

    BitBtn1.Create(*this, {.at = {8, 42, 68, 25}, .caption = "&Popup", .hint = "指定日の Popup記入"});
    BitBtn2.Create(*this, {.at = {80, 42, 68, 25}, .caption = "&Schedule", .hint = "指定日の To_do記入"});
    BitBtn4.Create(*this, {.at = {152, 42, 68, 25}, .caption = "&Diary", .hint = "指定日の日記を記入"});
    BitBtn3.Create(*this, {.at = {224, 42, 68, 25}, .caption = "&Set", .hint = "指定日にセット"});
    CheckBox1.Create(*this, {.at = {8, 78, 284, 18}, .caption = "起動後ウィンドウを閉じない"});

    PopupMenu1.Create(*this);
    auto& m = PopupMenu1.Items;
    Today1 = &m.Add("日付を本日にセット", [this] { BitBtn7Click(); });
    m.Add("-");
    Popup1 = &m.Add("Popupの登録", [this] { BitBtn1Click(); });
    Todo1 = &m.Add("To_doの登録", [this] { BitBtn2Click(); });
    Diary1 = &m.Add("日記を綴る", [this] { BitBtn4Click(); });
    Set1 = &m.Add("日付をセットして終了", [this] { BitBtn3Click(); });
    m.Add("-");
    Cancel1 = &m.Add("取り止め", [this] { Cancel1Click(); });
    SetPopupMenu(&PopupMenu1);

    for (tk::SpinEdit* s : {&SpinEdit1, &SpinEdit2, &SpinEdit3}) s->OnChange = [this] { SpinEdit1Change(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn7.OnClick = [this] { BitBtn7Click(); };
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    OnShow = [this] { FormShow(); };
    OnActivate = [this] { FormActivate(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    FormCreate();
}

void TForm17::FormCreate() {
    SetBorderIcons(false, false);
    auto ini = settings::Open();
    RestorePosition(ini.ReadInteger(ik::Jump::Section, ik::Jump::left, 0),
                    ini.ReadInteger(ik::Jump::Section, ik::Jump::top, 0));
    CheckBox1.SetChecked(ini.ReadBool(ik::Jump::Section, ik::Jump::Not_close, false));
    if (Form1->Jump1) Form1->Jump1->SetChecked(true);
    SpinEdit1Change();
}

void TForm17::FormShow() {
    // Day 1 first: the calendar's day may not exist in the month the fields hold meanwhile.
    SpinEdit3.SetValue(1);
    SpinEdit2.SetValue(Form1->CalendarEx1.Month());
    SpinEdit3.SetValue(Form1->CalendarEx1.Day());
    PlayWaveRes("ope");
}

void TForm17::FormActivate() {
    const bool diaryOpen = Form1->Diary1 && Form1->Diary1->Checked();
    BitBtn4.SetEnabled(!diaryOpen);
    Diary1->SetEnabled(!diaryOpen);
}

void TForm17::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm17::FormClose(tk::CloseAction& action) {
    entry::WritePosition(*this, ik::Jump::Section, ik::Jump::top, ik::Jump::left);
    if (Form1 && Form1->Jump1) Form1->Jump1->SetChecked(false);
    action = tk::CloseAction::Free;
}

void TForm17::SpinEdit1Change() {
    if (!entry::SettleDateFields(SpinEdit1, SpinEdit2, SpinEdit3)) return;
    const rtl::TDateTime day = rtl::EncodeDate(SpinEdit1.Value(), SpinEdit2.Value(), SpinEdit3.Value());
    Label4.SetCaption(rtl::FormatDateTime("(ddd)", day));
    const long long distance = (long long)(day - rtl::Date());
    BitBtn7.SetEnabled(distance != 0);
    Today1->SetEnabled(distance != 0);
    SetCaption(distance == 0  ? std::string("本日")
               : distance > 0 ? rtl::IntToStr(distance) + "日後"
                              : rtl::IntToStr(-distance) + "日前");
}

template <class Then>
void TForm17::GoThen(Then then) {
    auto& cal = Form1->CalendarEx1;
    // Day 1 on the way, so that no step passes through a date the calendar lacks.
    cal.SetDay(1);
    cal.SetYear(SpinEdit1.Value());
    cal.SetMonth(SpinEdit2.Value());
    cal.SetDay(SpinEdit3.Value());
    then();
    if (!CheckBox1.Checked()) Close();
}

void TForm17::BitBtn1Click() { GoThen([] { Form1->Popup1Click(); }); }
void TForm17::BitBtn2Click() { GoThen([] { Form1->Todo1Click(); }); }
void TForm17::BitBtn4Click() { GoThen([] { Form1->Diary1Click(); }); }
void TForm17::BitBtn3Click() { GoThen([] {}); }

void TForm17::BitBtn7Click() {
    int y, m, d;
    rtl::DecodeDate(rtl::Date(), y, m, d);
    SpinEdit3.SetValue(1);
    SpinEdit1.SetValue(y);
    SpinEdit2.SetValue(m);
    SpinEdit3.SetValue(d);
}

void TForm17::CheckBox1Click() { settings::Open().WriteBool(ik::Jump::Section, ik::Jump::Not_close, CheckBox1.Checked()); }

void TForm17::Cancel1Click() { Close(); }
