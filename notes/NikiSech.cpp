#include "notes/NikiSech.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "mainwindow/Actions.h"
#include "mainwindow/WindowTools.h"
#include "notes/DiaryFile.h"
#include "notes/NikiList.h"
#include "notes/Nikki.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Cursor.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/Files.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"

TForm22* Form22 = nullptr;
namespace ik = inikey;

namespace nikisech {

namespace {

bool Holds(const std::string& s, const std::string& text) { return rtl::SjisPos(s, text) != std::string::npos; }

std::string ToSjis(const std::wstring& w) {
    char out[16];
    int n = WideCharToMultiByte(932, 0, w.data(), (int)w.size(), out, sizeof out, nullptr, nullptr);
    return std::string(out, std::max(0, n));
}

// What a reader may make of bytes that are not Shift-JIS: a Western run's high bytes, and the
// characters of the rich text's own control words (dashes, quotes, bullets, special spaces).
const std::set<std::string>& OtherCharacters() {
    static const std::set<std::string> chars = [] {
        std::set<std::string> set;
        for (int b = 0x80; b <= 0xff; ++b) {
            char c = (char)b;
            wchar_t w[4];
            int n = MultiByteToWideChar(1252, 0, &c, 1, w, 4);
            if (n > 0) set.insert(ToSjis(std::wstring(w, n)));
        }
        for (wchar_t w : {0x2014, 0x2013, 0x2022, 0x2018, 0x2019, 0x201c, 0x201d, 0x00a0, 0x2011, 0x00ad, 0x2002,
                          0x2003, 0x2005, 0x200c, 0x200d, 0x200e, 0x200f})
            set.insert(ToSjis(std::wstring(1, w)));
        return set;
    }();
    return chars;
}

}  // namespace

RawBodyTest::RawBodyTest(const std::string& text) {
    const std::set<std::string>& other = OtherCharacters();
    std::set<std::string> seen;
    for (size_t i = 0; i < text.size();) {
        size_t n = std::max<size_t>(1, rtl::SjisCharLen(text, i));
        std::string c = text.substr(i, n);
        i += n;
        if (!seen.insert(c).second) continue;
        unsigned char first = c[0];
        // Blanks, control characters and the stand-in for what Shift-JIS lacks come from too many
        // places; so do characters another code page or a control word can give.
        if (first <= ' ' || c == "?" || other.count(c)) {
            always_ = true;
            return;
        }
        // Each byte literally (escaped where the rich text escapes it) or as a hex escape.
        std::vector<std::string> forms{""};
        for (unsigned char b : c) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", b);
            std::string literal = b == '\\' || b == '{' || b == '}' ? std::string("\\") + (char)b : std::string(1, (char)b);
            std::vector<std::string> longer;
            for (const std::string& f : forms) {
                longer.push_back(f + literal);
                longer.push_back(f + hex);
            }
            forms = std::move(longer);
        }
        forms_.push_back(std::move(forms));
    }
}

bool RawBodyTest::MayHold(const std::string& body) const {
    if (always_ || body.rfind("{\\rtf", 0) != 0) return true;
    // Line breaks mean nothing in rich text; hex escapes are read in either case.
    std::string raw;
    raw.reserve(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (c == '\r' || c == '\n') continue;
        raw += c;
        if (c != '\\' || i + 1 >= body.size()) continue;
        char next = body[++i];
        raw += next;
        for (int k = 0; next == '\'' && k < 2 && i + 1 < body.size();) {
            char h = body[++i];
            if (h == '\r' || h == '\n') continue;
            raw += (char)std::tolower((unsigned char)h);
            ++k;
        }
    }
    // Unicode escapes, and code pages other than Shift-JIS and Western, are left to the rich edit.
    auto numbers = [&](const char* word, std::initializer_list<int> plain) {
        std::string key = word;
        for (size_t at = raw.find(key); at != std::string::npos; at = raw.find(key, at + 1)) {
            size_t d = at + key.size();
            if (d < raw.size() && raw[d] == '-') return true;
            if (d >= raw.size() || !std::isdigit((unsigned char)raw[d])) continue;
            int v = std::atoi(raw.c_str() + d);
            if (std::find(plain.begin(), plain.end(), v) == plain.end()) return true;
        }
        return false;
    };
    if (numbers("\\u", {}) || numbers("\\fcharset", {0, 1, 2, 128}) || numbers("\\ansicpg", {932}) ||
        numbers("\\cpg", {932, 1252}))
        return true;
    for (const std::vector<std::string>& forms : forms_) {
        bool found = false;
        for (const std::string& f : forms)
            if (raw.find(f) != std::string::npos) {
                found = true;
                break;
            }
        if (!found) return false;
    }
    return true;
}

Days SearchDays(int year1, int month1, int year2, int month2) {
    year1 = std::clamp(year1, 1, 9999), year2 = std::clamp(year2, 1, 9999);
    month1 = std::clamp(month1, 1, 12), month2 = std::clamp(month2, 1, 12);
    if (year2 * 12 + month2 < year1 * 12 + month1) {
        std::swap(year1, year2);
        std::swap(month1, month2);
    }
    // The month's own length: the 1st after December 9999 does not exist.
    return {(int)rtl::EncodeDate(year1, month1, 1),
            (int)rtl::EncodeDate(year2, month2, rtl::DaysInMonthGregorian(year2, month2))};
}

std::string HitLine(int day, Marker marker, const std::string& text) {
    const char* mark = marker == Marker::Title ? "【題名】" : marker == Marker::Weather ? "【天気】" : "【本文】";
    return rtl::FormatDateTime("yyyy/mm/dd (ddd)", day) + " : " + mark + text;
}

Marker MatchDay(const std::string& fileBytes, const std::string& text, const BodyText& bodyText,
                std::string& shown, const RawBodyTest* raw) {
    if (text.empty()) return Marker::None;
    diary::DayFile f = diary::ReadDayFile(fileBytes);
    const diary::DayHeader& h = f.header;
    Marker marker = Marker::None;
    shown = h.title;
    if (Holds(h.title, text)) marker = Marker::Title;
    // The weather line comes after the title: its hit is the one shown, with the weather.
    if (Holds(h.weather, text)) {
        marker = Marker::Weather;
        shown = h.weather;
    }
    // An enciphered or HTML body is not text the diary shows; a header that never ends has none.
    if (marker == Marker::None && f.result == diary::ReadResult::Ok && bodyText && (!raw || raw->MayHold(f.body)) &&
        Holds(bodyText(f.body), text))
        marker = Marker::Body;
    return marker;
}

std::vector<Hit> Search(const std::string& folder, Days days, const std::string& text, const BodyText& bodyText,
                        const std::function<void(int day)>& progress) {
    std::vector<Hit> hits;
    const RawBodyTest raw(text);
    tk::FolderIndex& index = tk::FolderIndex::For(folder);
    std::string bytes, shown;
    for (int day = days.first; day <= days.last; ++day) {
        if (progress) progress(day);
        std::string name = diary::DayFileName(day);
        if (!index.Exists(name) || !tk::ReadFileBytes(folder + "\\" + name, bytes)) continue;
        Marker m = MatchDay(bytes, text, bodyText, shown, &raw);
        if (m != Marker::None) hits.push_back({day, m, HitLine(day, m, shown)});
    }
    return hits;
}

}  // namespace nikisech

namespace {

std::string lastText;  // for the program's run

std::string DiaryDir() {
    auto ini = settings::Open();
    return diary::DiaryFolder(ini.ReadString(ik::Privacy::Section, ik::Privacy::Directory, ""),
                              ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, "."));
}

}  // namespace

const std::string& TForm22::LastText() { return lastText; }

TForm22::TForm22() : Form({.caption = "日記の検索", .width = kWidth, .height = 400}) {
    const char* rangeHint = "検索する期間を指定します。";
    Panel1.Create(*this, {.at = {0, 0, 364, 62}, .align = tk::Align::Top});
    SpinEdit1.Create(Panel1, {.at = {8, 6, 62, 22}, .hint = rangeHint, .min = 1, .max = 9999});
    Label1.Create(Panel1, {.at = {72, 10, 16, 16}, .caption = "年"});
    SpinEdit2.Create(Panel1, {.at = {88, 6, 44, 22}, .hint = rangeHint, .min = 1, .max = 12});
    Label2.Create(Panel1, {.at = {134, 10, 36, 16}, .caption = "月 ～"});
    SpinEdit3.Create(Panel1, {.at = {172, 6, 62, 22}, .hint = rangeHint, .min = 1, .max = 9999});
    Label3.Create(Panel1, {.at = {236, 10, 16, 16}, .caption = "年"});
    SpinEdit4.Create(Panel1, {.at = {252, 6, 44, 22}, .hint = rangeHint, .min = 1, .max = 12});
    Label4.Create(Panel1, {.at = {298, 10, 16, 16}, .caption = "月"});
    Label5.Create(Panel1, {.at = {8, 38, 40, 16}, .caption = "文字列"});
    Edit1.Create(Panel1, {.at = {52, 34, 224, 22}, .hint = "検索したい文字列を入力します。"});
    BitBtn1.Create(Panel1, {.at = {282, 33, 74, 24}, .caption = "&Search", .hint = "検索を開始します。"});
    StatusBar1.Create(*this, {.align = tk::Align::Bottom});
    StatusBar1.SetSimplePanel(true);
    ListBox1.Create(*this, {.at = {0, 62, 364, 280}, .hint = "ﾀﾞﾌﾞﾙｸﾘｯｸで日記に移動します。",
                            .align = tk::Align::Client});
    RichEdit1.Create(*this, {.at = {0, 0, 100, 40}, .visible = false});

    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    Edit1.OnKeyPress = [this](char& key) {
        if (key != '\r') return;
        key = 0;
        BitBtn1Click();
    };
    ListBox1.OnDblClick = [this] { ListBox1DblClick(); };
    OnShow = [this] { FormShow(); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
}

LRESULT TForm22::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = Form::WndProc(msg, wp, lp);
    return FixedWidthFrame(Handle, msg, lp, r, kWidth, kWidth);
}

void TForm22::FormShow() {
    PlayWaveRes("ope");
    auto ini = settings::Open();
    const auto& s = ik::Nikki::Section;
    SetBounds(Left(), Top(), kWidth, ini.ReadInteger(s, ik::Nikki::Serch_Height, Height()));
    RestorePosition(std::max(0, ini.ReadInteger(s, ik::Nikki::Serch_left, 0)),
                    std::max(0, ini.ReadInteger(s, ik::Nikki::Serch_top, 0)));
    int y, m, d;
    rtl::DecodeDate(rtl::Date(), y, m, d);
    SpinEdit1.SetValue(ini.ReadInteger(s, ik::Nikki::Serch_Syear, y));
    SpinEdit2.SetValue(ini.ReadInteger(s, ik::Nikki::Serch_Smonth, m));
    SpinEdit3.SetValue(ini.ReadInteger(s, ik::Nikki::Serch_Eyear, y));
    SpinEdit4.SetValue(ini.ReadInteger(s, ik::Nikki::Serch_Emonth, m));
    Edit1.SetText(ini.ReadString(s, ik::Nikki::Serch_String, ""));
}

void TForm22::FormClose(tk::CloseAction& action) {
    auto ini = settings::Open();
    const auto& s = ik::Nikki::Section;
    RECT r;
    if (!IsIconic(Handle) && !IsZoomed(Handle) && GetWindowRect(Handle, &r)) {
        ini.WriteInteger(s, ik::Nikki::Serch_top, r.top);
        ini.WriteInteger(s, ik::Nikki::Serch_left, r.left);
        ini.WriteInteger(s, ik::Nikki::Serch_Width, r.right - r.left);
        ini.WriteInteger(s, ik::Nikki::Serch_Height, r.bottom - r.top);
    }
    ini.WriteInteger(s, ik::Nikki::Serch_Syear, SpinEdit1.Value());
    ini.WriteInteger(s, ik::Nikki::Serch_Smonth, SpinEdit2.Value());
    ini.WriteInteger(s, ik::Nikki::Serch_Eyear, SpinEdit3.Value());
    ini.WriteInteger(s, ik::Nikki::Serch_Emonth, SpinEdit4.Value());
    ini.WriteString(s, ik::Nikki::Serch_String, Edit1.Text());
    ini.WriteInteger(s, ik::Nikki::Serch_open, 0);
    if (Form12) Form12->BitBtn1.Tag = 0;
    action = tk::CloseAction::Free;
}

void TForm22::BitBtn1Click() {
    lastText = Edit1.Text();
    tk::BusyCursor busy(tk::crHourGlass);
    nikisech::Days days =
        nikisech::SearchDays(SpinEdit1.Value(), SpinEdit2.Value(), SpinEdit3.Value(), SpinEdit4.Value());
    ListBox1.Items.Clear();
    hits_.clear();
    // The day being read shows in the status bar; painting every one of thousands of days would
    // cost more than the reading, so it is painted a few times a second.
    DWORD painted = GetTickCount() - 1000;
    auto progress = [&](int day) {
        DWORD now = GetTickCount();
        if (now - painted < 100 && day != days.first) return;
        painted = now;
        StatusBar1.SetSimpleText(rtl::FormatDateTime("yyyy/mm/dd (ddd)", day));
        UpdateWindow(StatusBar1.Handle);
    };
    hits_ = nikisech::Search(
        DiaryDir(), days, lastText, [this](const std::string& body) { return RichEdit1.LoadTextOfData(body); },
        progress);
    std::vector<std::string> lines;
    for (const nikisech::Hit& h : hits_) lines.push_back(h.line);
    ListBox1.Items.Assign(lines);
    StatusBar1.SetSimpleText("日記を検索します。");
}

void TForm22::ListBox1DblClick() { OpenHit(ListBox1.ItemIndex()); }

void TForm22::OpenHit(int index) {
    if (index < 0 || index >= (int)hits_.size()) return;
    const nikisech::Hit hit = hits_[index];
    if (!Form12) {
        tk::Form* main = tk::Application.MainForm;
        tk::Application.CreateForm(Form12);
        tk::Application.MainForm = main;
        Form12->Show();
    }
    // Brought forward first: its activation rebuilds the list, and the day asked for must come last.
    Form12->BringForward();
    Form12->SetMonth(hit.day);
    Form12->BitBtn1.Tag = hit.day - Form12->FirstDay() + 2;
    Form12->BuildList();
    TForm8* diary = OpenDiary(hit.day, false);
    if (!diary || hit.marker != nikisech::Marker::Body) return;
    int length = 0;
    int at = diary->RichEdit1.FindText(lastText, 0, -1, tk::stMatchCase, &length);
    if (at < 0) return;
    diary->RichEdit1.SetFocus();
    diary->RichEdit1.Select(at, length);
}
