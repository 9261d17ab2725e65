#include "notes/NikiList.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "notes/DiaryFile.h"
#include "notes/NikiSech.h"
#include "notes/Nikki.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/Files.h"
#include "toolkit/rtl/SysUtils.h"

TForm12* Form12 = nullptr;
namespace ik = inikey;

namespace nikilist {

std::string DayLine(const std::string& folder, int day, bool& entry) {
    entry = false;
    std::string date = rtl::FormatDateTime("yyyy/mm/dd (ddd)", day);
    tk::FolderIndex& index = tk::FolderIndex::For(folder);
    std::string bytes;
    if (index.Exists(diary::DayFileName(day))) {
        if (!tk::ReadFileBytes(folder + "\\" + diary::DayFileName(day), bytes)) return date;
        // The header line by line up to ":END", as the editor reads it.
        size_t at = 0;
        std::string title;
        bool titled = false;
        while (at < bytes.size()) {
            size_t end = bytes.find('\n', at);
            std::string line = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
            at = end == std::string::npos ? bytes.size() : end + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::string key = rtl::UpperCaseAscii(line.substr(0, 6));
            if (rtl::UpperCaseAscii(line) == ":END") {
                entry = titled;
                return titled ? date + " : " + title : date;
            }
            if (key == "TITLE:" && !titled) {
                titled = true;
                title = rtl::SjisTruncate(line.substr(6), diary::kMaxValue);
            }
        }
        return date + " : ファイル内容不正!!";
    }
    if (index.Exists(diary::LegacyFileName(day)) &&
        tk::ReadFileBytes(folder + "\\" + diary::LegacyFileName(day), bytes)) {
        entry = true;
        return date + " : 【" + diary::ReadLegacyDay(bytes).title + "】";
    }
    return date;
}

std::string GaugeHint(int entries, int days) {
    // Whole per cent in integers: the fraction's float would put 7 of 28 at 24.
    int percent = days > 0 ? entries * 100 / days : 0;
    return "月あたり\r日記の記入状況 " + std::to_string(entries) + "件(" + std::to_string(percent) + "%)";
}

}  // namespace nikilist

namespace {

std::string DiaryDir(const tk::TIniFile& ini) {
    return diary::DiaryFolder(ini.ReadString(ik::Privacy::Section, ik::Privacy::Directory, ""),
                              ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, "."));
}

}  // namespace

TForm12::TForm12() : Form({.caption = "日記リスト", .width = 330, .height = 420}) {
    Panel1.Create(*this, {.at = {0, 0, 322, 56}, .align = tk::Align::Top});
    SpinEdit1.Create(Panel1, {.at = {4, 4, 64, 22}, .min = 1, .max = 9999});
    SpinEdit2.Create(Panel1, {.at = {72, 4, 44, 22}, .min = 1, .max = 12});
    BitBtn7.Create(Panel1, {.at = {122, 3, 60, 24}, .caption = "今日", .hint = "今日に戻す｡"});
    BitBtn1.Create(Panel1, {.at = {186, 3, 60, 24}, .caption = "検索", .hint = "日記を検索"});
    SGauge1.Create(Panel1, {.at = {4, 32, 300, 18}, .hint = ""});
    SGauge1.SetKind(gkColor);
    ListBox1.Create(*this, {.at = {0, 56, 322, 330}, .align = tk::Align::Client, .style = tk::lbOwnerDrawFixed});
    ListBox1.SetItemHeight(18);

    Write1 = &PopupMenu1.Items.Add("綴る", [this] { OpenSelectedDay(); });
    PopupMenu1.Items.Add("-");
    Close1 = &PopupMenu1.Items.Add("閉じる(&C)", [this] { Close(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    ListBox1.SetPopupMenu(&PopupMenu1);

    SetMonth(rtl::Date());
    SpinEdit1.OnChange = [this] { BuildList(); };
    SpinEdit2.OnChange = [this] { BuildList(); };
    BitBtn7.OnClick = [this] { BitBtn7Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    ListBox1.OnDrawItem = [this](int i, const RECT& r, int state) { ListBox1DrawItem(i, r, state); };
    ListBox1.OnClick = [this] { ListBox1Click(); };
    ListBox1.OnDblClick = [this] { OpenSelectedDay(); };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool&) { FormCloseQuery(); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    OnActivate = [this] { BuildList(); };
    OnResize = [this] { FormResize(); };

    // Beside a diary the main menu opened, the list lives and dies with that diary.
    if (Form1 && Form1->Diary1 && Form1->Diary1->Checked()) {
        ownButtons_ = false;
        SetWindowLongA(Handle, GWL_STYLE, GetWindowLongA(Handle, GWL_STYLE) & ~WS_SYSMENU);
        Close1->SetEnabled(false);
    }
    if (Form1 && Form1->Diary1) Form1->Diary1->SetChecked(true);
    if (Form1 && Form1->List2) Form1->List2->SetEnabled(false);
    auto ini = settings::Open();
    SetBounds(Left(), Top(), ini.ReadInteger(ik::Nikki::Section, ik::Nikki::list_Width, Width()),
              ini.ReadInteger(ik::Nikki::Section, ik::Nikki::list_Height, Height()));
    RestorePosition(std::max(0, ini.ReadInteger(ik::Nikki::Section, ik::Nikki::list_left, 0)),
                    std::max(0, ini.ReadInteger(ik::Nikki::Section, ik::Nikki::list_top, 0)));
    if (ini.ReadInteger(ik::Nikki::Section, ik::Nikki::Serch_open, 0) == 1) BitBtn1Click();
    BuildList();
}

bool TForm12::SearchOpen() const { return Form22 && Form22->Visible(); }

void TForm12::BitBtn1Click() {
    if (SearchOpen()) {
        Form22->BringForward();
    } else {
        tk::Form* main = tk::Application.MainForm;
        tk::Application.CreateForm(Form22);
        tk::Application.MainForm = main;
        Form22->Show();
    }
    BitBtn1.Tag = 1;
}

int TForm12::FirstDay() const {
    int y = std::clamp(SpinEdit1.Value(), 1, 9999), m = std::clamp(SpinEdit2.Value(), 1, 12);
    return (int)rtl::EncodeDate(y, m, 1);
}

void TForm12::BuildList() {
    if (building_) return;
    building_ = true;
    ListBox1.Tag = std::max(0, ListBox1.ItemIndex());
    int y = std::clamp(SpinEdit1.Value(), 1, 9999), m = std::clamp(SpinEdit2.Value(), 1, 12);
    // The month's own length: the 1st of the next month does not exist after December 9999.
    int first = FirstDay(), days = rtl::DaysInMonthGregorian(y, m);
    auto ini = settings::Open();
    std::string folder = DiaryDir(ini);
    std::vector<std::string> lines;
    int entries = 0;
    for (int d = 0; d < days; ++d) {
        bool entry = false;
        lines.push_back(nikilist::DayLine(folder, first + d, entry));
        entries += entry;
    }
    // One paint for the month, not one per line added; the colours are read once for it.
    colours_ = {ReadDayColours(ini, -1), ReadDayColours(ini, 0), ReadDayColours(ini, 1)};
    SendMessageA(ListBox1.Handle, WM_SETREDRAW, FALSE, 0);
    ListBox1.Items.Assign(lines);
    SGauge1.SetMin(0);
    SGauge1.SetMax(days);
    SGauge1.SetPosition(entries);
    SGauge1.Hint = nikilist::GaugeHint(entries, days);

    int today = (int)rtl::Date(), select;
    if (BitBtn1.Tag > 1)
        select = BitBtn1.Tag - 2;
    else if (today >= first && today < first + days)
        select = today - first;
    else
        select = ListBox1.Tag;
    if (select >= days || select < 0) select = 0;
    ListBox1.SetItemIndex(select);
    SendMessageA(ListBox1.Handle, WM_SETREDRAW, TRUE, 0);
    ListBox1.Invalidate();
    ListBox1Click();
    if (BitBtn1.Tag > 1) BitBtn1.Tag = 1;
    building_ = false;
}

const DayColours& TForm12::ColoursOf(int index) const {
    int from = FirstDay() + index - (int)rtl::Date();
    return colours_[from < 0 ? 0 : from == 0 ? 1 : 2];
}

void TForm12::ListBox1DrawItem(int index, const RECT& rect, int state) {
    tk::TCanvas& c = ListBox1.Canvas;
    const DayColours& colours = ColoursOf(index);
    bool selected = state & tk::odSelected;
    c.Brush.Color = selected ? colours.text : colours.back;
    c.Font.Color = selected ? colours.back : colours.text;
    c.FillRect(rect);
    if (index < ListBox1.Items.Count()) c.TextOut(rect.left + 2, rect.top + 2, ListBox1.Items[index]);
}

void TForm12::ListBox1Click() {
    int i = ListBox1.ItemIndex();
    if (i < 0) return;
    ListBox1.SetColor(ColoursOf(i).back);
}

void TForm12::OpenSelectedDay() {
    int i = ListBox1.ItemIndex();
    if (i < 0) return;
    // By its day: a read-only day's caption carries a mark, so a caption would not find it.
    OpenDiary(FirstDay() + i, false);
}

void TForm12::PopupMenu1Popup() {
    int i = std::max(0, ListBox1.ItemIndex());
    int y, m, d;
    rtl::DecodeDate(FirstDay() + i, y, m, d);
    Write1->SetCaption(std::to_string(y) + "年" + std::to_string(m) + "月" + std::to_string(d) + "日を綴る");
}

void TForm12::BitBtn7Click() {
    SetMonth(rtl::Date());
    BuildList();
}

void TForm12::SetMonth(rtl::TDateTime day) {
    int y, m, d;
    rtl::DecodeDate(day, y, m, d);
    bool was = building_;
    building_ = true;  // one rebuild for both boxes, by the caller
    SpinEdit1.SetValue(y);
    SpinEdit2.SetValue(m);
    building_ = was;
}

void TForm12::FormShow() { PlayWaveRes("ope"); }

void TForm12::FormResize() {
    if (!SGauge1.Handle) return;
    SGauge1.SetBounds(4, 32, std::max(40, Panel1.Width() - 8), 18);
    RECT r;
    if (!IsIconic(Handle) && GetWindowRect(Handle, &r)) {
        auto ini = settings::Open();
        ini.WriteInteger(ik::Nikki::Section, ik::Nikki::list_Width, r.right - r.left);
        ini.WriteInteger(ik::Nikki::Section, ik::Nikki::list_Height, r.bottom - r.top);
    }
}

void TForm12::FormCloseQuery() {
    PlayWaveRes("clo");
    if (SearchOpen()) settings::Open().WriteInteger(ik::Nikki::Section, ik::Nikki::Serch_open, 1);
}

void TForm12::FormClose(tk::CloseAction& action) {
    // The search goes with the list, and comes back with it.
    if (SearchOpen()) {
        Form22->Close();
        settings::Open().WriteInteger(ik::Nikki::Section, ik::Nikki::Serch_open, 1);
    }
    if (ownButtons_) {
        // The diaries it opened go with it.
        std::vector<TForm8*> open;
        for (tk::Form* f : tk::Application.Forms)
            if (auto* d = dynamic_cast<TForm8*>(f)) open.push_back(d);
        for (TForm8* d : open) d->Close();
        if (Form1 && Form1->Diary1) Form1->Diary1->SetChecked(false);
    }
    RECT r;
    if (!IsIconic(Handle) && GetWindowRect(Handle, &r)) {
        auto ini = settings::Open();
        ini.WriteInteger(ik::Nikki::Section, ik::Nikki::list_top, r.top);
        ini.WriteInteger(ik::Nikki::Section, ik::Nikki::list_left, r.left);
        ini.WriteInteger(ik::Nikki::Section, ik::Nikki::list_Width, r.right - r.left);
        ini.WriteInteger(ik::Nikki::Section, ik::Nikki::list_Height, r.bottom - r.top);
    }
    for (tk::Form* f : tk::Application.Forms)
        if (auto* d = dynamic_cast<TForm8*>(f)) d->List1->SetChecked(false);
    if (Form1 && Form1->List2) Form1->List2->SetEnabled(true);
    action = tk::CloseAction::Free;
}
