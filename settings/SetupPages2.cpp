// The settings window's pages for the mini clock and the phone book. Every change on the mini-clock
// page shows at once on the mini clock, which opens for it when it is not open.
#include <algorithm>
#include <functional>

#include "mainwindow/Main.h"
#include "mainwindow/miniclck.h"
#include "settings/Settings.h"
#include "settings/Setup.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"

namespace ik = inikey;
namespace mk = inikey::Mini;
namespace tel = inikey::TelePhone;

// ---- layout ----

void TForm4::BuildMiniPage() {
    auto& p = TabSheet9;
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    RadioGroup8.Create(p, {.at = {6, 2, 250, 84}, .caption = "形状", .items = {"丸角四角－角の丸さ：", "楕円", "四角"},
                           .value = -1});
    // The corner sizes stand beside the choice they belong to.
    tk::RadioButton& round = RadioGroup8.Buttons(0);
    round.SetWidth(132);
    int y = round.Top() + (round.Height() - 20) / 2;
    SpinEdit13.Create(RadioGroup8, {.at = {142, y, 44, 20}, .min = 0, .max = screenW});
    CornerTimesLabel.Create(RadioGroup8, {.at = {190, y + 3, 12, 14}, .caption = "×"});
    SpinEdit14.Create(RadioGroup8, {.at = {204, y, 44, 20}, .min = 0, .max = screenH});
    HeightLabel.Create(p, {.at = {8, 97, 30, 14}, .caption = "高さ"});
    SpinEdit3.Create(p, {.at = {40, 94, 60, 20}, .min = 5, .max = screenH, .value = mk::StripHeight});
    WidthLabel.Create(p, {.at = {116, 97, 20, 14}, .caption = "幅"});
    SpinEdit6.Create(p, {.at = {138, 94, 60, 20}, .min = 5, .max = screenW, .value = mk::StripWidth});
    CreateCheckBoxes(p,
                     {{CheckBox10, "表示位置を固定"}, {CheckBox12, "ミニ時計モード自動切換"},
                      {CheckBox26, "ミニ時計を常に手前に表示"}},
                     {8, 124, 244, 18}, 3);

    RadioGroup9.Create(p, {.at = {262, 2, 244, 44}, .caption = "変更対象", .items = {"日付", "時間", "ﾘｿｰｽ"},
                           .value = -1, .style = 3});
    PartWidthLabel.Create(p, {.at = {270, 59, 20, 14}, .caption = "幅"});
    SpinEdit10.Create(p, {.at = {292, 56, 60, 20}, .min = 0, .max = screenW});
    PartSizeLabel.Create(p, {.at = {366, 59, 60, 14}, .caption = "文字サイズ"});
    SpinEdit7.Create(p, {.at = {428, 56, 50, 20}, .min = ik::SetupRange::FontSize.Min,
                         .max = ik::SetupRange::FontSize.Max, .value = mk::FontPoints});
    PartFontLabel.Create(p, {.at = {270, 87, 48, 14}, .caption = "フォント"});
    ComboBox1.Create(p, {.at = {322, 83, 184, 22}, .style = tk::csDropDown});
    ComboBox1.DropDownCount = 16;
    CheckBox11.Create(p, {.at = {270, 112, 90, 18}, .caption = "太文字"});
    CheckBox14.Create(p, {.at = {366, 112, 100, 18}, .caption = "イタリック"});
    BitBtn31.Create(p, {.at = {270, 138, 114, 24}, .caption = "背景色"});
    BitBtn34.Create(p, {.at = {392, 138, 114, 24}, .caption = "文字色"});

    RadioGroup8.OnClick = [this] { RadioGroup8Click(); };
    for (tk::SpinEdit* s : {&SpinEdit13, &SpinEdit14}) s->OnChange = [this, s] { SpinEdit13Change(*s); };
    SpinEdit3.OnChange = [this] { SpinEdit3Change(); };
    SpinEdit6.OnChange = [this] { SpinEdit6Change(); };
    SpinEdit10.OnChange = [this] { SpinEdit10Change(); };
    SpinEdit7.OnChange = [this] { SpinEdit7Change(); };
    ComboBox1.OnChange = [this] { ComboBox1Change(); };
    CheckBox11.OnClick = [this] { CheckBox11Click(); };
    CheckBox14.OnClick = [this] { CheckBox14Click(); };
    BitBtn31.OnClick = [this] { BitBtn31Click(true); };
    BitBtn34.OnClick = [this] { BitBtn31Click(false); };
    CheckBox10.OnClick = [this] { CheckBox10Click(); };
    CheckBox12.OnClick = [this] { CheckBox12Click(); };
    RadioGroup9.OnClick = [this] { RadioGroup9Click(); };
}

void TForm4::BuildPhonePage() {
    auto& p = TabSheet10;
    GroupBox15.Create(p, {.at = {6, 2, 500, 70}, .caption = "ページタイトル"});
    Edit3.Create(GroupBox15, {.at = {8, 18, 200, 20}});
    BitBtn37.Create(GroupBox15, {.at = {214, 17, 84, 22}, .caption = "デフォルト"});
    // The tabs hang below the title they name.
    std::vector<std::string> pages(std::begin(tel::PageTitles), std::end(tel::PageTitles));
    TabControl1.Create(GroupBox15, {.at = {8, 40, 484, 22}, .items = pages, .value = 0});

    GroupBox17.Create(p, {.at = {6, 76, 500, 98}});
    std::vector<std::string> columns(std::begin(tel::ColumnTitles), std::end(tel::ColumnTitles));
    HeaderControl1.Create(GroupBox17, {.at = {8, 18, 484, 20}, .items = columns});
    for (int c = 0; c < tel::Columns; ++c) {
        int x = 8 + c * 97;
        ColumnLabels[c].Create(GroupBox17, {.at = {x, 48, 14, 14}, .caption = std::to_string(c + 1) + "."});
        ColumnEdit(c)->Create(GroupBox17, {.at = {x + 14, 45, 80, 20}});
        ColumnEdit(c)->OnChange = [this, c] { ColumnEditChange(c); };
    }
    BitBtn38.Create(GroupBox17, {.at = {408, 70, 84, 22}, .caption = "デフォルト"});

    ToneLabel.Create(p, {.at = {8, 183, 84, 14}, .caption = "トール音の間隔"});
    SpinEdit17.Create(p, {.at = {94, 180, 60, 20}, .min = tel::Sleep.Min, .max = tel::Sleep.Max,
                          .value = tel::SleepDefault});
    ToneUnitLabel.Create(p, {.at = {158, 183, 40, 14}, .caption = "ミリ秒"});
    CheckBox19.Create(p, {.at = {214, 181, 128, 18}, .caption = "ダイヤラを閉じる。"});
    Edit7.Create(p, {.at = {346, 180, 160, 20}});
    BrowserLabel.Create(p, {.at = {8, 211, 60, 14}, .caption = "ブラウザー"});
    Edit10.Create(p, {.at = {68, 208, 152, 20}});
    BitBtn40.Create(p, {.at = {222, 207, 26, 22}, .caption = "...", .hint = "ﾌｧｲﾙ選択"});
    MailerLabel.Create(p, {.at = {262, 211, 60, 14}, .caption = "メール送信"});
    Edit11.Create(p, {.at = {324, 208, 152, 20}});
    BitBtn41.Create(p, {.at = {478, 207, 26, 22}, .caption = "...", .hint = "ﾌｧｲﾙ選択"});

    TabControl1.OnClick = [this] { TabControl1Change(); };
    Edit3.OnChange = [this] { Edit3Change(); };
    BitBtn37.OnClick = [this] { BitBtn37Click(); };
    BitBtn38.OnClick = [this] { BitBtn38Click(); };
    SpinEdit17.OnChange = [this] { SpinEdit17Change(); };
    CheckBox19.OnClick = [this] { CheckBox19Click(); };
    Edit7.OnChange = [this] { Edit7Change(); };
    Edit10.OnChange = [this] { BrowserEditChange(Edit10); };
    Edit11.OnChange = [this] { BrowserEditChange(Edit11); };
    BitBtn40.OnClick = [this] { BitBtn40Click(Edit10); };
    BitBtn41.OnClick = [this] { BitBtn40Click(Edit11); };
}

tk::Edit* TForm4::ColumnEdit(int column) {
    tk::Edit* edits[tel::Columns] = {&Edit4, &Edit5, &Edit6, &Edit8, &Edit9};
    return edits[column];
}

// ---- filling ----

void TForm4::FillMiniPage(tk::TIniFile& ini) {
    // Filled before RadioGroup8 arms the page: the handlers that run write nothing.
    SpinEdit13.SetValue(ini.ReadInteger(mk::Section, mk::RgnWidth, mk::Corner));
    SpinEdit14.SetValue(ini.ReadInteger(mk::Section, mk::RgnHeight, mk::Corner));
    SpinEdit3.SetValue(ini.ReadInteger(mk::Section, mk::Height, mk::StripHeight));
    SpinEdit6.SetValue(MiniClockWidths(ini).strip);
    CheckBox10.SetChecked(ini.ReadBool(mk::Section, mk::Move, false));
    CheckBox12.SetChecked(ini.ReadBool(mk::Section, mk::Change, false));
}

void TForm4::FillPhonePage(tk::TIniFile& ini) {
    phoneFilling_ = true;
    for (int i = 0; i < tel::Pages; ++i)
        TabControl1.Tabs.SetStrings(i, ini.ReadString(tel::Section, tel::Title(i), tel::PageTitles[i]));
    SpinEdit17.SetValue(ini.ReadInteger(tel::Section, tel::Sleep, tel::SleepDefault));
    CheckBox19.SetChecked(ini.ReadBool(tel::Section, tel::Close, false));
    CheckBox19Click();
    Edit7.SetText(ini.ReadString(tel::Section, tel::CloseTitle, tel::SetupCloseTitle));
    Edit10.SetText(ini.ReadString(tel::Section, tel::Browser, ""));
    Edit11.SetText(ini.ReadString(tel::Section, tel::Mailer, ""));
    phoneFilling_ = false;
    TabControl1Change();
}

// ---- ミニ時計 ----

void TForm4::OpenMiniClock() {
    // As the main window's own command opens it: exec 1, main window hidden, Visible 0.
    if (Form1 && !Form1->miniClock1->Checked()) Form1->miniClock1Click();
}

bool TForm4::MiniChangeBegins() {
    if (RadioGroup8.Tag != 1 || miniFilling_) return false;
    // A change made by hand ends the automatic switching.
    CheckBox12.SetChecked(false);
    OpenMiniClock();
    return true;
}

void TForm4::ShowMiniWidths() {
    // Widths not stored follow the fonts and the shape.
    MiniWidths w = MiniClockWidths(settings::Open());
    miniFilling_ = true;
    if (RadioGroup9.ItemIndex() >= 0) SpinEdit10.SetValue(std::max(0, w.part[RadioGroup9.ItemIndex()]));
    SpinEdit6.SetValue(w.strip);
    miniFilling_ = false;
}

void TForm4::RadioGroup8Click() {
    int index = RadioGroup8.ItemIndex();
    SpinEdit13.SetEnabled(index == 0);
    SpinEdit14.SetEnabled(index == 0);
    if (!MiniChangeBegins()) return;
    settings::Open().WriteInteger(mk::Section, mk::style.Name, index);
    if (Form27) Form27->SetShape(index);
    ShowMiniWidths();
}

void TForm4::SpinEdit13Change(tk::SpinEdit& sender) {
    if (!Settled(sender) || !MiniChangeBegins()) return;
    bool width = &sender == &SpinEdit13;
    settings::Open().WriteInteger(mk::Section, width ? mk::RgnWidth.Name : mk::RgnHeight.Name, sender.Value());
    if (!Form27) return;
    if (width) Form27->FormRgn1.SetRgnWidth(sender.Value());
    else Form27->FormRgn1.SetRgnHeight(sender.Value());
    Form27->FitParts();
    ShowMiniWidths();
}

void TForm4::SpinEdit3Change() {
    if (!Settled(SpinEdit3) || !MiniChangeBegins()) return;
    settings::Open().WriteInteger(mk::Section, mk::Height.Name, SpinEdit3.Value());
    if (Form27) Form27->SetStripSize(Form27->Width(), SpinEdit3.Value());
    ShowMiniWidths();
}

void TForm4::SpinEdit6Change() {
    if (!Settled(SpinEdit6) || !MiniChangeBegins()) return;
    auto ini = settings::Open();
    int width = SpinEdit6.Value();
    ini.WriteInteger(mk::Section, mk::Width.Name, width);
    if (Form27) Form27->SetStripSize(width, Form27->Height());
    // The resource part takes what the other two leave, below 0 when they take more.
    MiniWidths parts = MiniClockWidths(ini);
    int rest = width - parts.part[0] - parts.part[1];
    ini.WriteInteger(mk::Section, mk::Rsize, rest);
    if (Form27) Form27->SetPartWidth(2, rest);
    ShowMiniWidths();
}

void TForm4::SpinEdit10Change() {
    int part = RadioGroup9.ItemIndex();
    if (part < 0 || !Settled(SpinEdit10) || !MiniChangeBegins()) return;
    auto ini = settings::Open();
    ini.WriteInteger(mk::Section, mk::Parts[part].size, SpinEdit10.Value());
    if (Form27) Form27->SetPartWidth(part, SpinEdit10.Value());
    int total = 0;
    for (int width : MiniClockWidths(ini).part) total += width;
    SpinEdit6.SetValue(total);  // runs SpinEdit6Change when the total moves
}

namespace {

// The chosen part's font on the open mini clock, changed by edit.
void ChangePartFont(int part, const std::function<void(tk::TFont&)>& edit) {
    if (!Form27) return;
    tk::TFont f = Form27->Part(part).EffectiveFont();
    edit(f);
    Form27->Part(part).SetFont(f);
    Form27->FitParts();
}

}  // namespace

void TForm4::SpinEdit7Change() {
    int part = RadioGroup9.ItemIndex();
    if (part < 0 || !Settled(SpinEdit7) || !MiniChangeBegins()) return;
    int size = SpinEdit7.Value();
    settings::Open().WriteInteger(mk::Section, mk::Parts[part].fontSize, size);
    ChangePartFont(part, [size](tk::TFont& f) { f.Size = size; });
    ShowMiniWidths();
}

void TForm4::ComboBox1Change() {
    int part = RadioGroup9.ItemIndex();
    if (part < 0 || !MiniChangeBegins()) return;
    std::string face = ComboBox1.Text();
    settings::Open().WriteString(mk::Section, mk::Parts[part].font, face);
    ChangePartFont(part, [&face](tk::TFont& f) { f.Name = rtl::SjisTruncate(face, 255); });
    ShowMiniWidths();
}

void TForm4::CheckBox11Click() { PartStyleClick(CheckBox11, true); }
void TForm4::CheckBox14Click() { PartStyleClick(CheckBox14, false); }

void TForm4::PartStyleClick(tk::CheckBox& box, bool bold) {
    int part = RadioGroup9.ItemIndex();
    if (part < 0 || !MiniChangeBegins()) return;
    const mk::PartKeys& k = mk::Parts[part];
    bool on = box.Checked();
    settings::Open().WriteBool(mk::Section, bold ? k.bold : k.italic, on);
    int flag = bold ? tk::fsBold : tk::fsItalic;
    ChangePartFont(part, [on, flag](tk::TFont& f) { f.Style = on ? f.Style | flag : f.Style & ~flag; });
    ShowMiniWidths();
}

void TForm4::BitBtn31Click(bool background) {
    int part = RadioGroup9.ItemIndex();
    if (part < 0 || !MiniChangeBegins()) return;
    auto ini = settings::Open();
    const mk::PartKeys& k = mk::Parts[part];
    const char* key = background ? k.back : k.fore;
    ColorDialog1.Color = ini.ReadInteger(mk::Section, key, background ? tk::clBlack : tk::clInfoBk);
    // A cancelled dialog leaves the colour read, which is written back as it was.
    ColorDialog1.Execute();
    tk::TColor colour = ColorDialog1.Color;
    if (!background) ChangePartFont(part, [colour](tk::TFont& f) { f.Color = colour; });
    else if (Form27) Form27->Part(part).SetColor(colour);
    ini.WriteInteger(mk::Section, key, ColorDialog1.Color);
}

void TForm4::CheckBox10Click() {
    if (!MiniChangeBegins()) return;
    auto ini = settings::Open();
    ini.WriteBool(mk::Section, mk::Move, CheckBox10.Checked());
    if (!Form27) return;
    ini.WriteInteger(mk::Section, mk::top, Form27->Top());
    ini.WriteInteger(mk::Section, mk::left, Form27->Left());
}

void TForm4::CheckBox12Click() {
    if (RadioGroup8.Tag != 1 || miniFilling_) return;
    OpenMiniClock();
    settings::Open().WriteBool(mk::Section, mk::Change, CheckBox12.Checked());
}

void TForm4::RadioGroup9Click() {
    int part = RadioGroup9.ItemIndex();
    if (part < 0) return;
    // Choosing the part changes nothing: its values are only shown.
    auto ini = settings::Open();
    const mk::PartKeys& k = mk::Parts[part];
    miniFilling_ = true;
    SpinEdit7.SetValue(ini.ReadInteger(mk::Section, k.fontSize, mk::FontPoints));
    CheckBox11.SetChecked(ini.ReadBool(mk::Section, k.bold, false));
    CheckBox14.SetChecked(ini.ReadBool(mk::Section, k.italic, false));
    ComboBox1.SetText(ini.ReadString(mk::Section, k.font, mk::Face));
    miniFilling_ = false;
    ShowMiniWidths();
}

// ---- 簡易電話帳 ----

void TForm4::TabControl1Change() {
    int page = TabControl1.TabIndex();
    if (page < 0) return;
    auto ini = settings::Open();
    phoneFilling_ = true;
    Edit3.SetText(ini.ReadString(tel::Section, tel::Title(page), tel::PageTitles[page]));
    for (int c = 0; c < tel::Columns; ++c) {
        std::string title = ini.ReadString(tel::Section, tel::ColumnTitle(page, c), tel::ColumnTitles[c]);
        ColumnEdit(c)->SetText(title);
        HeaderControl1.SetSectionText(c, title);
    }
    phoneFilling_ = false;
    GroupBox17.SetCaption(TabControl1.Tabs[page] + " の項目タイトル");
}

void TForm4::Edit3Change() {
    int page = TabControl1.TabIndex();
    if (!armed_ || phoneFilling_ || page < 0) return;
    settings::Open().WriteString(tel::Section, tel::Title(page), Edit3.Text());
    TabControl1.Tabs.SetStrings(page, Edit3.Text());
}

void TForm4::ColumnEditChange(int column) {
    int page = TabControl1.TabIndex();
    if (!armed_ || phoneFilling_ || page < 0) return;
    std::string title = ColumnEdit(column)->Text();
    settings::Open().WriteString(tel::Section, tel::ColumnTitle(page, column), title);
    HeaderControl1.SetSectionText(column, title);
}

void TForm4::BitBtn37Click() {
    if (Ask("全ての項目がデフォルトになります。\rよろしいですか？", MB_YESNO | MB_ICONQUESTION) == IDNO) return;
    auto ini = settings::Open();
    for (int i = 0; i < tel::Pages; ++i) {
        ini.WriteString(tel::Section, tel::Title(i), tel::PageTitles[i]);
        TabControl1.Tabs.SetStrings(i, tel::PageTitles[i]);
    }
    TabControl1Change();
}

void TForm4::BitBtn38Click() {
    // Each edit's change handler writes the chosen page's key.
    for (int c = 0; c < tel::Columns; ++c) ColumnEdit(c)->SetText(tel::ColumnTitles[c]);
}

void TForm4::SpinEdit17Change() {
    if (!armed_ || phoneFilling_ || !Settled(SpinEdit17)) return;
    settings::Open().WriteInteger(tel::Section, tel::Sleep.Name, SpinEdit17.Value());
}

void TForm4::CheckBox19Click() {
    Edit7.SetEnabled(CheckBox19.Checked());
    if (armed_ && !phoneFilling_) settings::Open().WriteBool(tel::Section, tel::Close, CheckBox19.Checked());
}

void TForm4::Edit7Change() {
    if (armed_ && !phoneFilling_) settings::Open().WriteString(tel::Section, tel::CloseTitle, Edit7.Text());
}

void TForm4::BrowserEditChange(tk::Edit& sender) {
    if (!armed_ || phoneFilling_) return;
    settings::Open().WriteString(tel::Section, &sender == &Edit10 ? tel::Browser : tel::Mailer, sender.Text());
}

void TForm4::BitBtn40Click(tk::Edit& target) {
    OpenDialog1.Options = tk::ofHideReadOnly;
    OpenDialog1.FileName = tk::FileExists(target.Text()) ? target.Text() : "";
    if (OpenDialog1.Execute()) target.SetText(OpenDialog1.FileName);
}
