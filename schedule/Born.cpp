#include "schedule/Born.h"

#include "calendar/Rokuyo.h"
#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "schedule/BornFacts.h"
#include "schedule/EntryControls.h"
#include "schedule/Flower.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "toolkit/Cursor.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MsgBox.h"

TForm16* Form16 = nullptr;
namespace ik = inikey;

namespace {
const char kCaption[] = "Happy Birthday Dear..";
tk::TFont BoldFont() { return {.Style = tk::fsBold}; }
}  // namespace

TForm16::TForm16()
    : Form({.caption = kCaption, .width = 466, .height = 392, .border = tk::Border::Dialog, .clientSize = true}) {
    using tk::lsNoAutoSize;
    // Birth date, with the old month name and the rokuyo beside it.
    SpinEdit1.Create(*this, {.at = {8, 8, 60, 22}, .min = 1930, .max = 2029, .value = 2000});
    Label1.Create(*this, {.at = {71, 12, 14, 14}, .caption = "年"});
    SpinEdit2.Create(*this, {.at = {90, 8, 42, 22}, .min = 1, .max = 12, .value = 12});
    Label2.Create(*this, {.at = {135, 12, 14, 14}, .caption = "月"});
    SpinEdit3.Create(*this, {.at = {154, 8, 42, 22}, .min = 1, .max = 31, .value = 31});
    Label3.Create(*this, {.at = {199, 12, 14, 14}, .caption = "日"});
    Label19.Create(*this, {.at = {222, 12, 76, 14}, .hint = "陰暦", .style = lsNoAutoSize});
    Label14.Create(*this, {.at = {300, 12, 60, 14}, .hint = "六曜", .style = lsNoAutoSize});

    // Age now, the year from an age, and the age's traditional names.
    Label4.Create(*this, {.at = {8, 42, 28, 14}, .caption = "現在"});
    SpinEdit4.Create(*this, {.at = {38, 38, 48, 22}, .min = 0, .max = 150});
    Label5.Create(*this, {.at = {89, 42, 14, 14}, .caption = "歳"});
    BitBtn3.Create(*this, {.at = {108, 37, 56, 24}, .caption = "S&et", .hint = "現在の年齢から西暦を計算します｡"});
    Label15.Create(*this, {.at = {176, 42, 64, 14}, .hint = "年齢の異称", .style = lsNoAutoSize});
    Label20.Create(*this, {.at = {242, 42, 64, 14}, .hint = "賀寿", .style = lsNoAutoSize});

    // Three pictures: western sign, animal, birth stone with the month.
    auto column = [&](tk::Image& image, int x) {
        image.Create(*this, {.at = {x + 43, 70, 64, 64}});
    };
    column(Image2, 8);
    column(Image1, 158);
    column(Image3, 308);
    Label9.Create(*this, {.at = {8, 140, 150, 16}, .font = BoldFont(), .style = lsNoAutoSize | tk::lsCenter});
    Label10.Create(*this, {.at = {158, 140, 150, 16}, .hint = "十二支", .style = lsNoAutoSize | tk::lsCenter});
    Label16.Create(*this, {.at = {314, 140, 40, 16}, .caption = "誕生石"});
    Label12.Create(*this, {.at = {354, 140, 104, 16}, .hint = "誕生石", .style = lsNoAutoSize});

    // Flower of the day and its words; the month's birth flowers are the row's hint.
    Bevel4.Create(*this, {.at = {8, 164, 450, 28}});
    Label13.Create(*this, {.at = {16, 171, 40, 14}, .caption = "誕生花"});
    Label11.Create(*this, {.at = {60, 171, 150, 14}, .style = lsNoAutoSize});
    Label17.Create(*this, {.at = {226, 171, 40, 14}, .caption = "花言葉"});
    Label18.Create(*this, {.at = {270, 171, 184, 14}, .style = lsNoAutoSize});

    // The person's text and the register list.
    Label6.Create(*this, {.at = {8, 202, 120, 14}, .caption = "名前＆その他："});
    RichEdit1.Create(*this, {.at = {8, 218, 216, 132}});
    RichEdit1.SetScrollBars(tk::ssVertical);
    RichEdit1.KeepMargins = true;
    RichEdit1.SetMargins();
    RichEdit1.OnChange = [this] { RichEdit1Change(); };
    Label8.Create(*this, {.at = {232, 202, 120, 14}, .caption = "登録リスト："});
    ListBox1.Create(*this, {.at = {232, 218, 226, 132}, .style = tk::lbSorted});
    ListBox1.OnClick = [this] { ListBox1Click(); };

    BitBtn1.Create(*this, {.at = {8, 358, 84, 26}, .caption = "&Save", .hint = "誕生日を保存", .enabled = false});
    BitBtn2.Create(*this, {.at = {100, 358, 84, 26}, .caption = "&Delete", .hint = "ﾃﾞｰﾀを削除します｡", .enabled = false});
    BitBtn4.Create(*this, {.at = {192, 358, 84, 26}, .hint = "ﾃﾞｰﾀを再検索します｡", .visible = false});
    BitBtn6.Create(*this, {.at = {374, 358, 84, 26}, .caption = "&Close"});
    BitBtn6.SetKind(tk::bkClose);
    BitBtn6.SetCaption("&Close");
    Label7.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});

    PopupMenu1.Create(*this);
    tk::MenuItem& seiza = PopupMenu1.Items.Add("星座");
    K121 = &seiza.Add("12星座", [this] { K121Click(); });
    K131 = &seiza.Add("13星座", [this] { K131Click(); });
    PopupMenu1.Items.Add("-");
    Close1 = &PopupMenu1.Items.Add("閉じる(&C)", [this] { Close1Click(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    SetPopupMenu(&PopupMenu1);

    SpinEdit1.OnChange = [this] { SpinEdit1Change(); };
    SpinEdit2.OnChange = [this] { SpinEdit2Change(); };
    SpinEdit3.OnChange = [this] { SpinEdit3Change(); };
    SpinEdit4.OnChange = [this] { SpinEdit4Change(); };
    BitBtn3.OnClick = [this] { BitBtn3Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn4.OnClick = [this] { BitBtn4Click(); };
    BitBtn6.OnClick = [this] { Close(); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    FormCreate();
}

void TForm16::FormCreate() { SetBorderIcons(false, false); }

void TForm16::FormShow() {
    PlayWaveRes("ope");
    tk::BusyCursor busy(tk::crHourGlass);
    if (Form1 && Form1->BirthDay1) Form1->BirthDay1->SetChecked(true);
    auto ini = settings::Open();
    RestorePosition(ini.ReadInteger(ik::Birthday::Section, ik::Birthday::left, 0),
                    ini.ReadInteger(ik::Birthday::Section, ik::Birthday::top, 0));
    BitBtn4Click();
    SpinEdit2Change();
    SpinEdit4Change();
}

void TForm16::FormCloseQuery(bool& canClose) {
    canClose = true;
    PlayWaveRes("clo");
}

void TForm16::FormClose(tk::CloseAction& action) {
    entry::WritePosition(*this, ik::Birthday::Section, ik::Birthday::top, ik::Birthday::left);
    if (Form1 && Form1->BirthDay1) Form1->BirthDay1->SetChecked(false);
    action = tk::CloseAction::Free;
}

int TForm16::Key() const { return born::Key(SpinEdit2.Value(), SpinEdit3.Value()); }

bool TForm16::DateValid() const { return rtl::IsValidDate(SpinEdit1.Value(), SpinEdit2.Value(), SpinEdit3.Value()); }

// A day beyond the month steps down; each step runs the day's handler again until the date exists.
void TForm16::StepDayDown() { SpinEdit3.SetValue(SpinEdit3.Value() - 1); }

void TForm16::SpinEdit1Change() { DateUpdate(false); }

void TForm16::DateUpdate(bool fromDay) {
    if (!DateValid()) {
        StepDayDown();
        return;
    }
    const int y = SpinEdit1.Value(), m = SpinEdit2.Value(), d = SpinEdit3.Value();
    SpinEdit4.SetValue(born::AgeOn(y, m, d, rtl::Date()));
    Label7.SetCaption(DataFilePath(settings::DataDir(), BirthdayFileName(y, m, d)));
    LoadText();

    const born::Sign& sign = born::WesternSign(Key(), settings::Open().ReadInteger(ik::Birthday::Section,
                                                                                  ik::Birthday::Seiza, 0) != 0);
    Label9.SetCaption(sign.name);
    Label9.Hint = sign.hint;
    Image2.LoadFromResourceName(GetModuleHandleA(nullptr), sign.bitmap);
    const born::Animal& animal = born::ChineseZodiac(y);
    Label10.SetCaption(animal.name);
    Image1.LoadFromResourceName(GetModuleHandleA(nullptr), animal.bitmap);
    std::string text = Label11.Caption();
    flower::OfDay(Key(), text);
    Label11.SetCaption(text);
    if (!fromDay) DayFacts();
}

void TForm16::LoadText() {
    Loading load(*this);
    const std::string path = Label7.Caption();
    RichEdit1.Clear();
    bool found = tk::FileExists(path), read = true;
    if (found) {
        try {
            RichEdit1.LoadFromFile(path);
        } catch (const std::exception&) {
            RichEdit1.Clear();
            read = false;  // saved, the text would replace the one that could not be read
        }
    }
    // Said as the day shows, not when what was typed could not be saved.
    bool readOnly = !read || tk::FileIsReadOnly(path);
    RichEdit1.SetReadOnly(readOnly);
    BitBtn1.SetEnabled(found && !readOnly);
    BitBtn2.SetEnabled(found && !readOnly);
    if (readOnly)
        tk::MessageDlg(Handle,
                       std::string(read ? "誕生日のファイルは読み取り専用です。" : "誕生日のファイルを読み込めませんでした。") +
                           "\r\n" + path + "\r\n編集も削除もできません。",
                       kCaption, MB_OK | (read ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
}

void TForm16::SpinEdit2Change() {
    const born::Month& month = born::MonthFacts(SpinEdit2.Value());
    Label19.SetCaption(month.oldName);
    Label12.SetCaption(month.stone);
    Image3.LoadFromResourceName(GetModuleHandleA(nullptr), month.bitmap);
    DateUpdate(false);
}

void TForm16::SpinEdit3Change() {
    if (!DateValid()) {
        StepDayDown();
        return;
    }
    DateUpdate(true);
    DayFacts();
}

void TForm16::DayFacts() {
    const int y = SpinEdit1.Value(), m = SpinEdit2.Value(), d = SpinEdit3.Value();
    std::string rokuyo;
    if (settings::Open().ReadBool(ik::Form::Section, ik::Form::Qreki, false))
        rokuyo.append("(").append(Rokuyo(RokuyoDayCount(y, m, d))).append(")");
    Label14.SetCaption(rokuyo);
    std::string words = Label18.Caption();
    flower::Words(Key(), words);
    Label18.SetCaption(words);
    const char* flowers = born::MonthFacts(m).flowers;
    Bevel4.Hint = Label11.Hint = Label13.Hint = flowers;
}

void TForm16::SpinEdit4Change() {
    Label15.SetCaption(born::AgeName(SpinEdit4.Value()));
    Label20.SetCaption(born::AgeCelebration(SpinEdit4.Value()));
}

void TForm16::BitBtn3Click() {
    int year = born::YearFromAge(SpinEdit4.Value(), SpinEdit2.Value(), SpinEdit3.Value(), rtl::Date());
    int before = SpinEdit1.Value();
    SpinEdit1.SetValue(year);
    // A year held at the field's limit changes nothing: the age still has to follow the year kept.
    if (SpinEdit1.Value() == before) DateUpdate(false);
}

void TForm16::RichEdit1Change() { BitBtn1.SetEnabled(true); }

void TForm16::RefreshMainWindow() {
    if (!Form1) return;
    Form1->CalendarEx1Change();
    Form1->FormActivate();
}

void TForm16::BitBtn1Click() {
    const std::string path = Label7.Caption();
    rtl::TMemoryStream rtf;
    RichEdit1.SaveToStream(rtf);
    if (!tk::WriteFileSafely(path, rtf.Bytes())) {
        tk::MessageDlg(Handle, "誕生日を保存できませんでした。\r\n" + path, kCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    tk::FolderIndex::For(rtl::ExtractFileDir(path)).Invalidate();
    PlayWaveRes("sav");
    BitBtn1.SetEnabled(false);
    BitBtn2.SetEnabled(true);
    RefreshMainWindow();
    BitBtn4Click();
}

void TForm16::BitBtn2Click() {
    auto ini = settings::Open();
    if (ini.ReadInteger(ik::Form::Section, ik::Form::Delete, 0) == 0 && !tk::ConfirmDelete(Handle, kCaption)) return;
    const std::string path = Label7.Caption();
    if (tk::FileExists(path)) {
        // A file that stays (read-only, in use) keeps its text and buttons.
        if (!DeleteFileA(path.c_str())) {
            tk::MessageDlg(Handle, "削除できませんでした。ファイルが読み取り専用か、使用中です。\r\n" + path, kCaption,
                           MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        tk::FolderIndex::For(rtl::ExtractFileDir(path)).Invalidate();
        RichEdit1.Clear();
        PlayWaveRes("del");
    }
    BitBtn1.SetEnabled(false);
    BitBtn2.SetEnabled(false);
    RefreshMainWindow();
    BitBtn4Click();
}

void TForm16::BitBtn4Click() {
    ListBox1.Items.Clear();
    const rtl::TDateTime today = rtl::Date();
    tk::TSearchRec r;
    for (int rc = tk::FindFirst(settings::DataDir() + "\\BORN*.*", tk::faAnyFile & ~tk::faDirectory, r); rc == 0;
         rc = tk::FindNext(r)) {
        // Only names that spell a birth date are people; stray files are passed over.
        NameFields f = DecodeName(r.Name);
        if (f.kind != NameKind::Birthday) continue;
        ListBox1.Items.Add(born::ListLine(f.year, f.month, f.day, today), f.year * 10000 + f.month * 100 + f.day);
    }
    tk::FindClose(r);
}

void TForm16::ListBox1Click() {
    int i = ListBox1.ItemIndex();
    if (i < 0) return;
    int date = ListBox1.Items.Objects(i);
    SpinEdit1.SetValue(date / 10000);
    SpinEdit2.SetValue(date / 100 % 100);
    SpinEdit3.SetValue(date % 100);
    BitBtn1.SetEnabled(false);
}

void TForm16::SetSeiza(int value) {
    settings::Open().WriteInteger(ik::Birthday::Section, ik::Birthday::Seiza, value);
    DateUpdate(false);
}

void TForm16::K121Click() { SetSeiza(0); }
void TForm16::K131Click() { SetSeiza(1); }

void TForm16::PopupMenu1Popup() {
    bool twelve = settings::Open().ReadInteger(ik::Birthday::Section, ik::Birthday::Seiza, 0) == 0;
    K121->SetChecked(twelve);
    K131->SetChecked(!twelve);
}

void TForm16::Close1Click() { Close(); }
