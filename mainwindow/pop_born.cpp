#include "mainwindow/pop_born.h"

#include "mainwindow/Main.h"
#include "schedule/DayRules.h"
#include "settings/Settings.h"
#include "toolkit/FolderIndex.h"

TForm23* Form23 = nullptr;

TForm23::TForm23()
    : Form({.caption = "Happy Birthday!!", .width = 340, .height = 230, .border = tk::Border::Dialog,
            .topmost = true, .clientSize = true}) {
    RichEdit1.Create(*this, {.at = {8, 8, 324, 178}});
    RichEdit1.SetScrollBars(tk::ssVertical);
    RichEdit2.Create(*this, {.at = {0, 0, 10, 10}, .visible = false});
    BitBtn1.Create(*this, {.at = {8, 196, 120, 26}, .caption = "誕生日管理", .hint = "誕生日管理を開きます。"});
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.Create(*this, {.at = {252, 196, 80, 26}, .caption = "&Close"});
    BitBtn2.SetKind(tk::bkClose);
    BitBtn2.SetCaption("&Close");
    BitBtn2.OnClick = [this] { Close(); };
    OnClose = [](tk::CloseAction& a) { a = tk::CloseAction::Free; };
    FormCreate();
}

void TForm23::FormCreate() { Fill(rtl::Date()); }

void TForm23::Fill(rtl::TDateTime today) {
    auto ini = settings::Open();
    std::string dir = ini.ReadString(inikey::Calendar::Section, inikey::Calendar::Directory, ".");
    RichEdit1.Clear();
    int y, m, d;
    rtl::DecodeDate(today, y, m, d);
    HolidayTable none;
    DayRules rules(none, tk::FolderIndex::For(dir));
    for (const DayHit& hit : rules.Birthdays(m, d)) {
        RichEdit1.Lines.Add(BirthdayHeading(y, hit));
        RichEdit2.Clear();
        RichEdit2.LoadFromFile(dir + "\\" + hit.name);
        RichEdit1.Lines.Add(RichEdit2.Text());
    }
    RichEdit1.SetReadOnly(true);
}

void TForm23::BitBtn1Click() {
    if (Form1) Form1->BirthDay1Click();
    Close();
}
