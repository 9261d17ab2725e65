#include "settings/DayCalc.h"

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "schedule/EntryControls.h"
#include "settings/Settings.h"
#include "toolkit/MsgBox.h"

TForm11* Form11 = nullptr;
namespace ik = inikey;

namespace {
const char kCaption[] = "日数計算";

void SetMenuCheck(bool on) {
    if (Form1 && Form1->DayCalc1) Form1->DayCalc1->SetChecked(on);
}
}  // namespace

TForm11::TForm11()
    : Form({.caption = kCaption, .width = 460, .height = 318, .border = tk::Border::Dialog, .clientSize = true}) {
    int label = 0;
    auto text = [&](tk::Control& parent, int x, int y, const char* caption) {
        Labels[label++].Create(parent, {.at = {x, y, 24, 14}, .caption = caption});
    };
    // One row of date-time fields: year, month, day, hour, minute, second.
    auto row = [&](tk::Panel& panel, int top, tk::SpinEdit* f[6], tk::BitBtn& now, tk::BitBtn& zero) {
        panel.Create(*this, {.at = {8, top, 444, 36}});
        f[0]->Create(panel, {.at = {6, 7, 62, 22}, .hint = "西暦で入力", .min = 1, .max = 9999, .value = 2000});
        text(panel, 70, 11, "年");
        const int mins[] = {1, 1, 0, 0, 0}, maxs[] = {12, 31, 23, 59, 59};
        const char* units[] = {"月", "日", "時", "分", "秒"};
        for (int i = 0; i < 5; ++i) {
            int x = 88 + i * 58;
            f[i + 1]->Create(panel, {.at = {x, 7, 42, 22}, .min = mins[i], .max = maxs[i], .value = mins[i]});
            text(panel, x + 44, 11, units[i]);
        }
        now.Create(panel, {.at = {378, 6, 30, 24}, .caption = "今", .hint = "今日の日付にｾｯﾄ"});
        zero.Create(panel, {.at = {410, 6, 28, 24}, .caption = "0", .hint = "数値を0にｾｯﾄ"});
    };
    tk::SpinEdit* first[6] = {&SpinEdit1, &SpinEdit2, &SpinEdit3, &SpinEdit4, &SpinEdit5, &SpinEdit14};
    tk::SpinEdit* second[6] = {&SpinEdit6, &SpinEdit7, &SpinEdit8, &SpinEdit9, &SpinEdit10, &SpinEdit15};
    row(Panel12, 8, first, BitBtn17, BitBtn18);
    SpeedButton1.Create(*this, {.at = {8, 50, 36, 24}, .caption = "～", .hint = "期間の日数", .value = 1,
                                .style = tk::sbDown});
    SpeedButton2.Create(*this, {.at = {46, 50, 36, 24}, .caption = "＋", .hint = "日数からその日", .value = 1});
    row(Panel13, 82, second, BitBtn16, BitBtn19);

    Panel14.Create(*this, {.at = {8, 82, 444, 36}, .visible = false});
    SpinEdit11.Create(Panel14, {.at = {6, 7, 84, 22}, .min = 0, .max = 9999999});
    text(Panel14, 92, 11, "日");
    tk::SpinEdit* rest[3] = {&SpinEdit12, &SpinEdit13, &SpinEdit16};
    const char* units[] = {"時間", "分", "秒"};
    for (int i = 0; i < 3; ++i) {
        int x = 110 + i * 84;
        rest[i]->Create(Panel14, {.at = {x, 7, 56, 22}, .min = 0, .max = 99999});
        Labels[label++].Create(Panel14, {.at = {x + 58, 11, 26, 14}, .caption = units[i]});
    }
    SpeedButton3.Create(Panel14, {.at = {362, 6, 26, 24}, .caption = "前", .value = 2});
    SpeedButton4.Create(Panel14, {.at = {388, 6, 26, 24}, .caption = "後", .value = 2, .style = tk::sbDown});
    BitBtn20.Create(Panel14, {.at = {416, 6, 22, 24}, .caption = "0", .hint = "数値を0にｾｯﾄ"});

    BitBtn13.Create(*this, {.at = {356, 50, 96, 26}, .caption = "Calculate", .hint = "計算結果を表示します"});
    RichEdit3.Create(*this, {.at = {8, 126, 444, 184}});
    RichEdit3.SetScrollBars(tk::ssVertical);
    RichEdit3.KeepMargins = true;
    RichEdit3.SetMargins();

    PopupMenu1.Create(*this);
    tk::MenuItem& kind = PopupMenu1.Items.Add("計算の種類");
    Span1 = &kind.Add("期間の日数", [this] { SpeedButton1.Click(); });
    Interval1 = &kind.Add("日数からその日", [this] { SpeedButton2.Click(); });
    Span1->SetRadioItem(true);
    Interval1->SetRadioItem(true);
    PopupMenu1.Items.Add("-");
    Close1 = &PopupMenu1.Items.Add("閉じる(&C)", [this] { Close(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    SetPopupMenu(&PopupMenu1);
    RichEdit3.SetPopupMenu(&PopupMenu1);

    for (int i = 0; i < 3; ++i) {
        first[i]->OnChange = [this] { SpinEdit1Change(); };
        second[i]->OnChange = [this] { SpinEdit6Change(); };
    }
    BitBtn13.OnClick = [this] { BitBtn13Click(); };
    BitBtn16.OnClick = [this] { BitBtn16Click(); };
    BitBtn17.OnClick = [this] { BitBtn17Click(); };
    BitBtn18.OnClick = [this] { BitBtn18Click(); };
    BitBtn19.OnClick = [this] { BitBtn19Click(); };
    BitBtn20.OnClick = [this] { BitBtn20Click(); };
    SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
    SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
    SpeedButton3.OnClick = [] { PlayWaveRes("c1"); };
    SpeedButton4.OnClick = [] { PlayWaveRes("c1"); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };

    SetBorderIcons(false, false);
    auto ini = settings::Open();
    RestorePosition(ini.ReadInteger(ik::DayCalc::Section, ik::DayCalc::left, 0),
                    ini.ReadInteger(ik::DayCalc::Section, ik::DayCalc::top, 0));
}

void TForm11::FormShow() {
    PlayWaveRes("ope");
    SetMenuCheck(true);
    BitBtn17Click();
    BitBtn16Click();
    BitBtn19Click();
    BitBtn18Click();
}

void TForm11::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm11::FormClose(tk::CloseAction& action) {
    entry::WritePosition(*this, ik::DayCalc::Section, ik::DayCalc::top, ik::DayCalc::left);
    SetMenuCheck(false);
    action = tk::CloseAction::Free;
}

daycalc::Moment TForm11::First() const {
    return {SpinEdit1.Value(), SpinEdit2.Value(), SpinEdit3.Value(),
            SpinEdit4.Value(), SpinEdit5.Value(), SpinEdit14.Value()};
}

daycalc::Moment TForm11::Second() const {
    return {SpinEdit6.Value(), SpinEdit7.Value(), SpinEdit8.Value(),
            SpinEdit9.Value(), SpinEdit10.Value(), SpinEdit15.Value()};
}

void TForm11::BitBtn13Click() {
    PlayWaveRes("sav");
    RichEdit3.Clear();
    daycalc::Result r;
    if (Panel14.Visible()) {
        daycalc::Interval by{SpinEdit11.Value(), SpinEdit12.Value(), SpinEdit13.Value(), SpinEdit16.Value()};
        r = daycalc::Shift(First(), by, SpeedButton4.Down());
    } else {
        r = daycalc::Span(First(), Second());
    }
    std::string text;
    for (size_t i = 0; i < r.lines.size(); ++i) text += (i ? "\r\n" : "") + r.lines[i];
    RichEdit3.SetCaption(text);
    if (!r.ok)
        tk::MessageDlg(Handle, "計算できませんでした。\r他の値で計算してください。", kCaption, MB_OK | MB_ICONWARNING);
}

void TForm11::SetNow(tk::SpinEdit* f[6]) {
    int y, m, d, h, n, s, ms;
    const rtl::TDateTime now = rtl::Now();
    rtl::DecodeDate(now, y, m, d);
    rtl::DecodeTime(now, h, n, s, ms);
    filling_ = true;
    const int values[6] = {y, m, d, h, n, s};
    for (int i = 0; i < 6; ++i) f[i]->SetValue(values[i]);
    filling_ = false;
}

void TForm11::BitBtn17Click() {
    tk::SpinEdit* f[6] = {&SpinEdit1, &SpinEdit2, &SpinEdit3, &SpinEdit4, &SpinEdit5, &SpinEdit14};
    SetNow(f);
}

void TForm11::BitBtn16Click() {
    tk::SpinEdit* f[6] = {&SpinEdit6, &SpinEdit7, &SpinEdit8, &SpinEdit9, &SpinEdit10, &SpinEdit15};
    SetNow(f);
}

void TForm11::BitBtn18Click() {
    for (auto* f : {&SpinEdit4, &SpinEdit5, &SpinEdit14}) f->SetValue(0);
}

void TForm11::BitBtn19Click() {
    for (auto* f : {&SpinEdit9, &SpinEdit10, &SpinEdit15}) f->SetValue(0);
}

void TForm11::BitBtn20Click() {
    for (auto* f : {&SpinEdit11, &SpinEdit12, &SpinEdit13, &SpinEdit16}) f->SetValue(0);
}

void TForm11::CheckDate(const tk::SpinEdit& y, const tk::SpinEdit& m, const tk::SpinEdit& d) {
    if (filling_ || rtl::IsValidDate(y.Value(), m.Value(), d.Value())) return;
    tk::MessageDlg(Handle, "日付に変換できない値が渡されました", kCaption, MB_OK | MB_ICONERROR);
}

void TForm11::SpinEdit1Change() { CheckDate(SpinEdit1, SpinEdit2, SpinEdit3); }
void TForm11::SpinEdit6Change() { CheckDate(SpinEdit6, SpinEdit7, SpinEdit8); }

void TForm11::ShowMode(bool interval) {
    PlayWaveRes("c1");
    Panel14.SetVisible(interval);
    if (interval) Panel14.BringToFront();
}

void TForm11::SpeedButton1Click() {
    SpeedButton1.SetDown(true);
    ShowMode(false);
}

void TForm11::SpeedButton2Click() {
    SpeedButton2.SetDown(true);
    ShowMode(true);
}

void TForm11::PopupMenu1Popup() {
    Span1->SetChecked(!Panel14.Visible());
    Interval1->SetChecked(Panel14.Visible());
}
