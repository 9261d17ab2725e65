#include "mainwindow/Pop_wind.h"

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MsgBox.h"

TForm9* Form9 = nullptr;
namespace ik = inikey;

TForm9::TForm9()
    : Form({.caption = "Popup Window", .width = 380, .height = 286, .border = tk::Border::Dialog, .topmost = true,
            .clientSize = true}) {
    Tag = -1;
    Panel2.Create(*this, {.at = {0, 0, 380, 26}, .hint = "ダブルクリック：延長", .color = 0xFF0000,
                          .font = tk::TFont{.Size = 11, .Color = tk::clWhite, .Style = tk::fsBold}});
    Panel2.OnDblClick = [this] { Panel2DblClick(); };
    Image1.Create(*this, {.at = {8, 34, 128, 128}, .hint = "ダブルクリック：閉じる"});
    Image1.SetStretch(true);
    Image1.SetCenter(true);
    Image1.LoadFromResourceName(GetModuleHandleA(nullptr), kBuiltInPicture);
    Image1.OnDblClick = [this] { Close1Click(); };
    RichEdit1.Create(*this, {.at = {144, 34, 228, 206}});
    RichEdit1.SetScrollBars(tk::ssVertical);
    RichEdit2.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});
    Label2.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});
    ComboBox1.Create(*this, {.at = {8, 252, 52, 22}, .caption = "10", .enabled = false,
                             .items = {"1", "2", "3", "4", "5", "10", "15", "20", "25", "30"}});
    ComboBox1.SetMaxLength(4);
    Label1.Create(*this, {.at = {64, 256, 18, 16}, .caption = "分", .enabled = false});
    BitBtn1.Create(*this, {.at = {84, 250, 76, 26}, .caption = "延長", .hint = "延長します。", .enabled = false});
    BitBtn1.Tag = -1;
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.Create(*this, {.at = {296, 250, 76, 26}, .caption = "削除", .hint = "削除して終了", .enabled = false});
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    PopupMenu1.Create(*this);
    Delete1 = &PopupMenu1.Items.Add("このｽｹｼﾞｭｰﾙを削除", [this] { BitBtn2Click(); });
    Close1 = &PopupMenu1.Items.Add("閉じる(&C)", [this] { Close1Click(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    for (tk::Control* c : {(tk::Control*)this, (tk::Control*)&Panel2, (tk::Control*)&Image1}) c->SetPopupMenu(&PopupMenu1);
    Timer1.Create(*this, {.interval = 1000, .enabled = true});
    Timer1.OnTimer = [this] { Timer1Timer(); };
    OnShow = [this] { FormShow(); };
    OnPaint = [this](tk::TCanvas&) { FormPaint(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [](tk::CloseAction& a) { a = tk::CloseAction::Free; };
    FormCreate();
}

void TForm9::FormCreate() { SetBorderIcons(false, false); }

void TForm9::FormShow() {
    // The stored snooze is only ever a whole number of minutes; anything else is not offered.
    int minutes = rtl::StrToIntDef(settings::Open().ReadString(ik::Form::Section, ik::Form::Snooze, "10"), 10);
    if (minutes < 1 || minutes > kMaxSnoozeMinutes) minutes = 10;
    ComboBox1.SetText(rtl::IntToStr(minutes));
}

void TForm9::FormPaint() { Image1.Repaint(); }

void TForm9::Timer1Timer() {
    if (Tag != -1) {
        if (Tag <= 0) {
            Close();
            return;
        }
        Tag = Tag - 1;
        SetCaption("Popup Window - " + rtl::IntToStr(Tag) + "秒後に自動的に閉じます。");
        return;
    }
    if (BitBtn1.Tag == -1) {
        Timer1.SetEnabled(false);
        ComboBox1.SetEnabled(true);
        Label1.SetEnabled(true);
        BitBtn1.SetEnabled(true);
    } else if (BitBtn1.Tag == 0) {
        Timer1.SetEnabled(false);
        std::string sound = settings::Open().ReadString(ik::Calendar::Section, ik::Calendar::file, "");
        if (!sound.empty() && tk::FileExists(sound) && Form1) PlaySoundFile(Form1->MediaPlayer1, sound);
        Show();
        BitBtn1.Tag = -1;
    } else {
        BitBtn1.Tag = BitBtn1.Tag - 1;
    }
}

void TForm9::BitBtn1Click() {
    int minutes;
    if (!rtl::TryStrToInt(ComboBox1.Text(), minutes) || minutes < 1 || minutes > kMaxSnoozeMinutes) {
        tk::MessageDlg(Handle, "延長する時間は 1～" + rtl::IntToStr(kMaxSnoozeMinutes) + " 分の整数で指定してください。",
                       "Popup Window", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    settings::Open().WriteString(ik::Form::Section, ik::Form::Snooze, rtl::IntToStr(minutes));
    BitBtn1.Tag = minutes * 60;
    if (Form1) Form1->PlayWaveRes("sav");
    Hide();
    Timer1.SetEnabled(true);
}

void TForm9::Panel2DblClick() {
    // While the auto-close count runs there is no snooze.
    if (Tag != -1 || !BitBtn1.Enabled()) return;
    BitBtn1Click();
}

void TForm9::BitBtn2Click() {
    if (!BitBtn2.Enabled() || OneDayPath.empty()) return;
    auto ini = settings::Open();
    if (ini.ReadInteger(ik::Form::Section, ik::Form::Delete, 0) == 0) {
        Hide();
        std::string text = "【" + Panel2.Caption() + "】\r\n" + RichEdit1.Text() + "\r\n削除しますか？";
        if (tk::MessageDlg(Handle, text, "Popup Window", MB_YESNO | MB_ICONQUESTION) != IDYES) {
            Show();
            return;
        }
    }
    DeleteFileA(OneDayPath.c_str());
    tk::FolderIndex::For(rtl::ExtractFileDir(OneDayPath)).Invalidate();
    ini.EraseSection(OneDayPath);
    if (Form1) Form1->PlayWaveRes("del");
    Close();
}

void TForm9::Close1Click() { Close(); }

void TForm9::PopupMenu1Popup() { Delete1->SetEnabled(BitBtn2.Enabled()); }

void TForm9::FormCloseQuery(bool& canClose) {
    canClose = true;
    if (Form1) Form1->PlayWaveRes("clo");
}
