// The diary editor: loading and saving the day file, refusals, the old format's conversion,
// failed and interrupted saves, saving at the program's end, export, delete, the read-only
// mark, printing, and the main window's diary command with the tick's opening.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "controls/IJGJpeg.h"
#include "mainwindow/Main.h"
#include "notes/DiaryFile.h"
#include "notes/Nikki.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/Graphics.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/Sound.h"
#include "toolkit/rtl/Streams.h"

namespace {

const char kRtfBody[] = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS UI Gothic;}}\\f0\\fs20 "
                        "\\'96\\'7b\\'95\\'b6\\par }";  // 本文

class Diary : public wintest::WindowTest {
protected:
    std::string folder;
    tk::Form host{{.caption = "host", .width = 300, .height = 200}};
    tk::RichEdit reader;

    void SetUp() override {
        dir = wintest::FreshTestDir("orbal-diary-");
        ASSERT_TRUE(tk::DirectoryExists(dir));
        folder = dir + "\\Diary";
        settings::SetIniPathForTest(dir + "\\orbal98.ini");
        settings::Open().WriteString("Calendar", "Directory", dir);
        FixClock(rtl::EncodeDate(2024, 5, 3) + rtl::EncodeTime(21, 7, 45, 0));
        reader.Create(host, {.at = {0, 0, 280, 180}, .visible = false});
    }
    void TearDown() override {
        tk::WriteFileSafelyStep = nullptr;
        DestroyOpen<TForm8>();
        wintest::Pump();
    }

    static int Day(int y, int m, int d) { return (int)rtl::EncodeDate(y, m, d); }
    std::string DayPath(int day) const { return folder + "\\" + diary::DayFileName(day); }
    void Put(const std::string& path, const std::string& bytes) {
        tk::ForceDirectories(rtl::ExtractFileDir(path));
        ASSERT_TRUE(tk::WriteFileBytes(path, bytes));
    }
    TForm8& Open(int day) {
        TForm8* d = OpenDiary(day);
        wintest::Pump();
        return *d;
    }
    // Closes the window as the title bar would; true when it went.
    bool CloseIt(TForm8& d) {
        int day = d.Day();  // the form is freed by the close
        d.Close();
        wintest::Pump();
        return FindOpenDiary(day) == nullptr;
    }
    // The body of a day file as the rich edit shows it.
    std::string BodyText(const std::string& path) {
        diary::DayFile f = diary::ReadDayFile(Bytes(path));
        rtl::TMemoryStream s;
        s.LoadFromString(f.body.rfind("{\\rtf", 0) == 0 ? f.body : diary::WithoutLastLineBreak(f.body));
        reader.LoadFromStream(s);
        return reader.Text();
    }
    // The width of the status bar's fourth glyph from the right, as drawn: the "." of ".JNL".
    static int FourthGlyphFromTheRight(tk::StatusBar& bar) {
        RECT rc;
        GetClientRect(bar.Handle, &rc);
        tk::TBitmap shot(rc.right, rc.bottom);
        tk::TCanvas& c = shot.Canvas();
        SendMessageA(bar.Handle, WM_PRINTCLIENT, (WPARAM)c.Handle, PRF_CLIENT);
        std::vector<int> widths;  // of the runs of columns with ink, from the right
        for (int x = rc.right - 1, run = 0; x >= 0 && widths.size() < 4; --x) {
            bool ink = false;
            for (int y = 0; y < rc.bottom && !ink; ++y) ink = c.GetPixel(x, y) == 0;
            if (ink) ++run;
            else if (run) widths.push_back(std::exchange(run, 0));
        }
        return widths.size() == 4 ? widths[3] : -1;
    }
    // A day file with the given header lines and the body "本文".
    std::string DayFile(const std::string& header) { return header + ":END\r\n" + kRtfBody + "\r\n"; }
};

std::string Repeat(int n, const std::string& s) { return n ? s + Repeat(n - 1, s) : ""; }

}  // namespace

TEST_F(Diary, ANewDayStartsWithItsCaptionAndTheCloseWritesFolderAndFile) {
    int day = Day(2024, 5, 3);
    TForm8& d = Open(day);
    EXPECT_EQ(d.Caption(), "2024/05/03 (金)の日記");
    EXPECT_EQ(d.Edit1.Text(), d.Caption());
    EXPECT_FALSE(d.PanelButton9.Enabled());
    EXPECT_FALSE(tk::DirectoryExists(folder));
    d.RichEdit1.SetText("今日は表参道へ。");
    d.Edit2.SetText("晴");
    ASSERT_TRUE(CloseIt(d));
    diary::DayFile f = diary::ReadDayFile(Bytes(DayPath(day)));
    ASSERT_EQ(f.result, diary::ReadResult::Ok);
    EXPECT_EQ(f.header.title, "2024/05/03 (金)の日記");
    EXPECT_EQ(f.header.weather, "晴");
    EXPECT_NE(Bytes(DayPath(day)).find("\r\nCODE:RTF\r\n"), std::string::npos);
    EXPECT_EQ(BodyText(DayPath(day)), "今日は表参道へ。");
    EXPECT_EQ(cues, (std::vector<std::string>{"ope", "clo"}));
    EXPECT_NE(settings::Open().ReadInteger("Nikki", "Width", 0), 0);
}

TEST_F(Diary, ADayReadsAndSavesItsHeaderAsFound) {
    int day = Day(1999, 1, 15);
    Put(DayPath(day), DayFile("title:旅行\r\nweather:曇\r\nX-NOTE:abc\r\n\r\nTAV_BACKCOLOR:-2147483643\r\nTAV_TOP:abc\r\n"));
    TForm8& d = Open(day);
    EXPECT_EQ(d.Edit1.Text(), "旅行");
    EXPECT_EQ(d.Edit2.Text(), "曇");
    EXPECT_EQ(d.RichEdit1.Text(), "本文");
    EXPECT_TRUE(d.PanelButton9.Enabled());
    EXPECT_EQ(d.StatusBar1.SimpleText(), DayPath(day));
    d.SetBounds(0, 0, 1000, 460);  // room for the test folder's long path
    EXPECT_LE(FourthGlyphFromTheRight(d.StatusBar1), 2);  // the dot apart, not "19990115JNL"
    EXPECT_EQ(d.RichEdit1.Hint, "編集が可能です。");
    ASSERT_TRUE(CloseIt(d));
    std::string saved = Bytes(DayPath(day));
    EXPECT_EQ(saved.rfind("TITLE:旅行\r\nWEATHER:曇\r\nCODE:RTF\r\n", 0), 0u) << saved;
    EXPECT_NE(saved.find("TAV_BACKCOLOR:-2147483643\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nTAV_READONLY:FALSE\r\nX-NOTE:abc\r\n:END\r\n"), std::string::npos) << saved;
    // The bounds line that was no number took the window's own value, and the body stayed.
    EXPECT_TRUE(diary::ReadDayFile(saved).header.top);
    EXPECT_EQ(BodyText(DayPath(day)), "本文");
}

// The title and weather take whole characters up to the 256 bytes the day file keeps.
TEST_F(Diary, TitleAndWeatherStopAtTheBytesTheDayKeeps) {
    const std::string a127 = Repeat(127, "あ"), a124 = Repeat(124, "あ");  // 254 and 248 bytes
    const struct {
        bool title, pasted;  // else typed
        std::string before;
        int caret;
        std::string entered, after;
    } cases[] = {
        {true, false, a127, 254, "いう", a127 + "い"},
        {false, false, "a" + a127, 255, "いb", "a" + a127 + "b"},
        {true, true, "", 0, Repeat(200, "漢"), Repeat(128, "漢")},
        {false, true, "ab" + a124, 1, "x表ソ能", "ax表ソb" + a124},
    };
    int day = Day(2024, 5, 3);
    for (const auto& c : cases) {
        TForm8& d = Open(++day);
        tk::Edit& box = c.title ? d.Edit1 : d.Edit2;
        box.SetText(c.before);
        box.SetSelStart(c.caret);
        if (c.pasted) SendMessageA(box.Handle, EM_REPLACESEL, TRUE, (LPARAM)c.entered.c_str());
        else wintest::Type(box.Handle, c.entered);
        EXPECT_EQ(box.Text(), c.after) << c.entered;
        ASSERT_TRUE(CloseIt(d));
        diary::DayHeader h = diary::ReadDayFile(Bytes(DayPath(day))).header;
        EXPECT_EQ(c.title ? h.title : h.weather, c.after);
    }
}

// The window takes its saved size, then its saved place kept on the screen with that size; a
// day's own bounds override both the same way, and the body is then laid out at that size.
TEST_F(Diary, TheWindowTakesItsSavedPlaceThenTheDaysOwnKeptOnTheScreen) {
    const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        const char* what;
        int left, top, width, height;  // [Nikki]
        const char* header;            // the day file's bounds lines; null: no day file yet
        int wantLeft, wantTop, wantWidth, wantHeight;
    } cases[] = {
        {"the saved place", 100, 50, 500, 400, nullptr, 100, 50, 500, 400},
        {"past the right and bottom edges", W - 100, H - 50, 500, 400, nullptr, W - 500, H - 400, 500, 400},
        {"negative", -20, -5, 500, 400, nullptr, 0, 0, 500, 400},
        {"the day's bounds win", 100, 50, 500, 400, "TAV_TOP:10\r\nTAV_LEFT:20\r\nTAV_HEIGHT:300\r\nTAV_WIDTH:450\r\n",
         20, 10, 450, 300},
        {"the day's bounds kept on the screen", 100, 50, 500, 400,
         "TAV_TOP:-30\r\nTAV_LEFT:2000\r\nTAV_HEIGHT:300\r\nTAV_WIDTH:450\r\n", W - 450, 0, 450, 300},
        {"a day's width alone moves the saved place back in", 400, 50, 500, 400, "TAV_WIDTH:700\r\n",
         std::min(400, W - 700), 50, 700, 400},
    };
    int day = Day(2024, 6, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto ini = settings::Open();
        ini.WriteInteger("Nikki", "left", c.left);
        ini.WriteInteger("Nikki", "top", c.top);
        ini.WriteInteger("Nikki", "Width", c.width);
        ini.WriteInteger("Nikki", "Height", c.height);
        if (c.header) Put(DayPath(++day), DayFile(std::string("TITLE:t\r\n") + c.header));
        else ++day;
        TForm8& d = Open(day);
        EXPECT_EQ(d.Left(), c.wantLeft);
        EXPECT_EQ(d.Top(), c.wantTop);
        EXPECT_EQ(d.Width(), c.wantWidth);
        EXPECT_EQ(d.Height(), c.wantHeight);
        // The body was laid out for the box it shows in.
        RECT client = d.RichEdit1.ClientRect(), r = d.RichEdit1.FormatRect();
        EXPECT_EQ(r.bottom, client.bottom);
        EXPECT_NEAR(r.right, client.right - 6, 1);
        d.PanelButton9.Tag = 1;
        ASSERT_TRUE(CloseIt(d));
    }
}

TEST_F(Diary, RefusedDaysCloseWithoutWritingAndSay) {
    struct Case {
        std::string header;
        const char* message;
    } cases[] = {
        {"TITLE:t\r\nCIPHER:Blowfish\r\n", "｢Blowfish｣で暗号化されているので中断します。\r暗号を解いてから読み込んでください。"},
        {"TITLE:t\r\nCODE:HTML\r\n", "｢HTML｣は未サポートなので中断します。\r標準テキストに変換してから読み込んでください。"},
        {"", nullptr},  // no ":END" at all
    };
    int day = Day(2024, 5, 3);
    for (const Case& c : cases) {
        std::string bytes = c.message ? DayFile(c.header) : std::string("TITLE:t\r\n") + kRtfBody;
        Put(DayPath(day), bytes);
        boxes.clear();
        TForm8& d = Open(day);
        (void)d;
        wintest::Pump();
        EXPECT_EQ(FindOpenDiary(day), nullptr) << c.header;
        ASSERT_EQ(boxes.size(), 1u);
        if (c.message) EXPECT_EQ(boxes[0], c.message);
        else EXPECT_NE(boxes[0].find(DayPath(day)), std::string::npos);
        EXPECT_EQ(Bytes(DayPath(day)), bytes);
        tk::Application.SaveWork(false);
        EXPECT_EQ(Bytes(DayPath(day)), bytes);
    }
}

TEST_F(Diary, TheOldFormatIsConvertedOnce) {
    int day = Day(1999, 1, 15);
    Put(folder + "\\NI990115.DAY", "初詣\r\n【天気】晴\r\n神社へ行った。\r\n表参道は混んでいた。\r\n");
    TForm8& d = Open(day);
    EXPECT_EQ(d.Edit1.Text(), "初詣");
    EXPECT_EQ(d.Edit2.Text(), "晴");
    EXPECT_EQ(d.RichEdit1.Text(), "神社へ行った。\r\n表参道は混んでいた。");
    EXPECT_TRUE(d.PanelButton9.Enabled());
    EXPECT_EQ(d.StatusBar1.SimpleText(), "NI990115.DAYを" + folder + "\\19990115.JNLに変換し保存しました｡");
    EXPECT_FALSE(tk::FileExists(folder + "\\ni990115.day"));
    EXPECT_EQ(Bytes(DayPath(day)), "TITLE:初詣\r\nWEATHER:晴\r\n:END\r\n神社へ行った。\r\n表参道は混んでいた。\r\n");
    ASSERT_TRUE(CloseIt(d));
    EXPECT_EQ(BodyText(DayPath(day)), "神社へ行った。\r\n表参道は混んでいた。");
}

TEST_F(Diary, TheOldFileStaysWhenItsTitleWasCut) {
    std::string old = std::string(256, 'a') + "b\r\n【天気】晴\r\n本文\r\n";
    Put(folder + "\\ni990115.day", old);
    EXPECT_EQ(Open(Day(1999, 1, 15)).Edit1.Text(), std::string(256, 'a'));
    EXPECT_EQ(Bytes(folder + "\\ni990115.day"), old);
    EXPECT_TRUE(tk::FileExists(DayPath(Day(1999, 1, 15))));
}

TEST_F(Diary, TheOldFileStaysWhenTheNewOneCannotBeWritten) {
    int day = Day(1999, 1, 15);
    std::string old = "初詣\r\n【天気】晴\r\n本文\r\n";
    Put(folder + "\\ni990115.day", old);
    tk::WriteFileSafelyStep = [](const char*) { return false; };
    TForm8& d = Open(day);
    tk::WriteFileSafelyStep = nullptr;
    EXPECT_EQ(Bytes(folder + "\\ni990115.day"), old);
    EXPECT_FALSE(tk::FileExists(DayPath(day)));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "変換した日記を保存できませんでした。\r" + DayPath(day));
    EXPECT_EQ(d.RichEdit1.Text(), "本文");
}

TEST_F(Diary, AFailedSaveKeepsTheOldFileAndTheWindow) {
    int day = Day(2024, 5, 3);
    std::string old = DayFile("TITLE:前の日記\r\n");
    Put(DayPath(day), old);
    TForm8& d = Open(day);
    d.RichEdit1.SetText("書き足した文");
    SetFileAttributesA(DayPath(day).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CloseIt(d));
    EXPECT_TRUE(d.Visible());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "日記を保存できませんでした。\r" + DayPath(day) + "\r\rウィンドウは閉じずに残します。");
    EXPECT_EQ(Bytes(DayPath(day)), old);
    // Once the file can be written the close goes through with the text.
    SetFileAttributesA(DayPath(day).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(CloseIt(d));
    EXPECT_EQ(BodyText(DayPath(day)), "書き足した文");
}

TEST_F(Diary, ASaveStoppedHalfWayLeavesTheOldDayReadable) {
    int day = Day(2024, 5, 3);
    std::string old = DayFile("TITLE:前の日記\r\n");
    Put(DayPath(day), old);
    TForm8& d = Open(day);
    d.RichEdit1.SetText(std::string(5000, 'x'));
    for (const char* stop : {"temp", "flushed"}) {
        static std::string at;
        at = stop;
        tk::WriteFileSafelyStep = [](const char* step) { return at != step; };
        EXPECT_FALSE(d.SaveDay()) << stop;
        tk::WriteFileSafelyStep = nullptr;
        EXPECT_EQ(Bytes(DayPath(day)), old) << stop;
        EXPECT_EQ(BodyText(DayPath(day)), "本文");
    }
    EXPECT_TRUE(d.Visible());
}

TEST_F(Diary, OpenDiariesAreSavedAtTheEndEachOnItsOwn) {
    int a = Day(2024, 5, 3), b = Day(2024, 5, 4), refused = Day(2024, 5, 5);
    std::string oldA = DayFile("TITLE:a\r\n"), oldRefused = DayFile("CODE:HTML\r\n");
    Put(DayPath(a), oldA);
    Put(DayPath(refused), oldRefused);
    TForm8& da = Open(a);
    TForm8& db = Open(b);
    Open(refused);
    EXPECT_NE(&da, &db);
    EXPECT_EQ(OpenDiary(a), &da);  // one window per day
    da.RichEdit1.SetText("A の追記");
    db.RichEdit1.SetText("B の本文");
    // The first cannot be written; the second is saved all the same.
    SetFileAttributesA(DayPath(a).c_str(), FILE_ATTRIBUTE_READONLY);
    boxes.clear();
    tk::Application.SaveWork(false);
    SetFileAttributesA(DayPath(a).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Bytes(DayPath(a)), oldA);
    EXPECT_EQ(BodyText(DayPath(b)), "B の本文");
    EXPECT_EQ(Bytes(DayPath(refused)), oldRefused);
    EXPECT_EQ(boxes.size(), 1u);
    // The end of the program: the windows go without closing; what was saved stays.
    da.Destroy();
    db.Destroy();
    EXPECT_EQ(BodyText(DayPath(b)), "B の本文");
}

TEST_F(Diary, ExportWritesPlainTextAndOnlyOverTheDayFileStopsTheSave) {
    struct Case {
        const char* name;
        std::function<std::string(const std::string&)> target;  // from the day file's path; empty: cancel
        bool dayFileIsExport;
    } cases[] = {
        {"elsewhere", [this](const std::string&) { return dir + "\\export.txt"; }, false},
        {"over the day file", [](const std::string& p) { return rtl::LowerCaseAscii(p); }, true},
        {"cancelled", [](const std::string&) { return std::string(); }, false},
    };
    int day = Day(2024, 5, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA((dir + "\\export.txt").c_str());
        Put(DayPath(day), DayFile("TITLE:t\r\n"));
        TForm8& d = Open(day);
        d.Label2.SetCaption("C:\\pics\\旅.jpg");
        d.RichEdit1.SetText("書き換えた本文");
        std::string preset, target;
        dialog = [&](tk::CommonDialog& dlg) {
            auto& save = dynamic_cast<tk::SaveDialog&>(dlg);
            preset = save.FileName;
            target = c.target(save.FileName);
            if (target.empty()) return false;
            save.FileName = target;
            return true;
        };
        d.PanelButton8Click();
        wintest::Pump();
        EXPECT_EQ(preset, DayPath(day));
        if (target.empty()) {
            ASSERT_NE(FindOpenDiary(day), nullptr);
            EXPECT_FALSE(tk::FileExists(dir + "\\export.txt"));
            ASSERT_TRUE(CloseIt(d));
            EXPECT_EQ(BodyText(DayPath(day)), "書き換えた本文");
            continue;
        }
        EXPECT_EQ(FindOpenDiary(day), nullptr);
        std::string exported = Bytes(target);
        EXPECT_EQ(exported.find("CODE:RTF"), std::string::npos);
        EXPECT_NE(exported.find("\r\nBMP:C:\\pics\\旅.jpg\r\n"), std::string::npos);
        EXPECT_EQ(exported.substr(exported.size() - 22), ":END\r\n書き換えた本文\r\n");
        std::string day_ = Bytes(DayPath(day));
        EXPECT_EQ(day_.find("CODE:RTF") == std::string::npos, c.dayFileIsExport);
        // Either way the edits are in the day file.
        EXPECT_EQ(BodyText(DayPath(day)), "書き換えた本文");
        if (!c.dayFileIsExport) {
            EXPECT_NE(day_.find("\r\nJPG:C:\\pics\\旅.jpg\r\n"), std::string::npos);
        }
    }
}

TEST_F(Diary, DeleteAsksUnlessSetNotToAndRemovesTheDay) {
    struct Case {
        int deleteSetting;
        int answer;
        bool gone;
        size_t questions;
    } cases[] = {{0, IDNO, false, 1}, {0, IDYES, true, 1}, {1, IDNO, true, 0}};
    int day = Day(2024, 5, 3);
    for (const Case& c : cases) {
        Put(DayPath(day), DayFile("TITLE:t\r\n"));
        settings::Open().WriteInteger("Form", "Delete", c.deleteSetting);
        answer = c.answer;
        boxes.clear();
        cues.clear();
        TForm8& d = Open(day);
        d.PanelButton9Click();
        wintest::Pump();
        EXPECT_EQ(boxes.size(), c.questions);
        EXPECT_EQ(FindOpenDiary(day) == nullptr, c.gone);
        EXPECT_EQ(tk::FileExists(DayPath(day)), !c.gone);
        if (c.gone) {
            EXPECT_EQ(cues, (std::vector<std::string>{"ope", "del", "clo"}));
        } else {
            CloseIt(d);
        }
    }
}

TEST_F(Diary, TheReadOnlyMarkShowsAndToggles) {
    int day = Day(2024, 5, 3);
    Put(DayPath(day), DayFile("TITLE:t\r\nTAV_READONLY:true\r\n"));
    TForm8& d = Open(day);
    EXPECT_EQ(d.Caption(), "2024/05/03 (金)の日記 (RO)");
    EXPECT_TRUE(d.RichEdit1.ReadOnly());
    EXPECT_TRUE(d.ReadOnly1->Checked());
    EXPECT_EQ(d.RichEdit1.Hint, "読み取り専用です。");
    d.ReadOnly1Click();
    EXPECT_EQ(d.Caption(), "2024/05/03 (金)の日記");
    EXPECT_FALSE(d.RichEdit1.ReadOnly());
    EXPECT_EQ(d.RichEdit1.Hint, "編集が可能です。");
    d.ReadOnly1Click();
    ASSERT_TRUE(CloseIt(d));
    EXPECT_TRUE(diary::ReadDayFile(Bytes(DayPath(day))).header.readOnly);
    // A file marked read-only says so as it opens, cannot be switched to editing, and is not saved.
    SetFileAttributesA(DayPath(day).c_str(), FILE_ATTRIBUTE_READONLY);
    TForm8& r = Open(day);
    EXPECT_FALSE(r.ReadOnly1->Enabled());
    EXPECT_NE(r.StatusBar1.SimpleText().find("読み取り専用"), std::string::npos);
    EXPECT_TRUE(CloseIt(r));
    SetFileAttributesA(DayPath(day).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(boxes.empty());
}

// The dialogs' windows are made on first use; the menu's commands still bring them up.
TEST_F(Diary, FindAndReplaceOpenFromTheMenuOnFirstUse) {
    int day = Day(2024, 5, 3);
    Put(DayPath(day), DayFile("TITLE:t\r\n"));
    TForm8& d = Open(day);
    EXPECT_FALSE(d.FindDialog1.Handle);
    d.Replace1Click();
    HWND replace = d.ReplaceDialog1.DialogHandle();
    ASSERT_TRUE(replace);
    EXPECT_TRUE(IsWindowVisible(replace));
    d.ReplaceDialog1.CloseDialog();
    d.Find1Click();
    HWND find = d.FindDialog1.DialogHandle();
    ASSERT_TRUE(find);
    EXPECT_TRUE(IsWindowVisible(find));
    d.FindDialog1.CloseDialog();
    wintest::Pump();
    ASSERT_TRUE(CloseIt(d));
}

TEST_F(Diary, PrintingLeavesTheTextAsItWas) {
    int day = Day(2024, 5, 3);
    Put(DayPath(day), DayFile("TITLE:t\r\nWEATHER:雨\r\n"));
    TForm8& d = Open(day);
    std::string out = dir + "\\print.ps";
    tk::Printer().OutputFile = out;
    dialog = [](tk::CommonDialog&) { return true; };
    d.Print1Click();
    tk::Printer().OutputFile.clear();
    EXPECT_TRUE(tk::FileExists(out));
    EXPECT_EQ(d.RichEdit1.Text(), "本文");
    EXPECT_FALSE(d.RichEdit1.Modified());
}

namespace {

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "(closed)";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        text = (const char*)GlobalLock(h);
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

}  // namespace

TEST_F(Diary, ThePictureLoadsOnceWithItsThumbnailAndTakesTheBodysPlace) {
    tk::TBitmap picture(40, 30);
    picture.Canvas().Brush.Color = tk::clGreen;
    picture.Canvas().FillRect({0, 0, 40, 30});
    std::string bmp = dir + "\\表.bmp", jpg = dir + "\\旅.JPG";
    ASSERT_TRUE(picture.SaveToFile(bmp));
    {
        TIJGJpeg codec;
        rtl::TMemoryStream* in = new rtl::TMemoryStream;
        SaveBitmapToStream(picture, *in);
        in->Seek(0, rtl::SeekOrigin::Begin);
        codec.SetInStream(in);
        codec.SetOutStream(new rtl::TFileStream(jpg, rtl::fmCreate));
        ASSERT_TRUE(codec.Compress());
    }
    struct Case {
        std::string path;
        bool codecBusy;
    } cases[] = {{bmp, false}, {jpg, false}, {jpg, true}};
    int day = Day(2024, 5, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + (c.codecBusy ? " busy" : ""));
        Put(DayPath(day), DayFile("TITLE:t\r\nBMP:" + c.path + "\r\n"));
        JpegBusyFlag() = c.codecBusy ? 1 : 0;
        TForm8& d = Open(day);
        // A busy codec: the picture counts as missing for now and is tried again later.
        EXPECT_EQ(d.Image1.Picture().Empty(), c.codecBusy);
        EXPECT_EQ(d.PanelButton10.Glyph().Empty(), c.codecBusy);
        JpegBusyFlag() = 0;
        d.PanelButton10Click();
        EXPECT_TRUE(d.Show1->Checked());
        EXPECT_TRUE(d.Image1.Visible());
        EXPECT_FALSE(d.RichEdit1.Visible());
        EXPECT_EQ(d.Image1.Picture().Width(), 40);
        EXPECT_EQ(d.PanelButton10.Glyph().Width(), 18);
        d.ClipBord1Click();
        EXPECT_EQ(ClipboardText(), c.path);
        d.PanelButton10Click();
        EXPECT_TRUE(d.RichEdit1.Visible());
        d.ClipBord1Click();
        EXPECT_EQ(ClipboardText(), DayPath(day));
        ASSERT_TRUE(CloseIt(d));
        EXPECT_NE(Bytes(DayPath(day)).find((c.path == bmp ? "\r\nBMP:" : "\r\nJPG:") + c.path + "\r\n"),
                  std::string::npos);
    }
}

// ---- the main window's command and the tick ----

namespace {

class DiaryCommand : public Diary {
protected:
    void SetUp() override {
        Diary::SetUp();
        settings::Open().WriteInteger("Form", "Open", 1);
        settings::Open().WriteInteger("Horiday", "Set", 1);
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    void TearDown() override {
        DestroyOpen<TForm8>();
        if (Form1) Form1->Destroy();
        Diary::TearDown();
    }
    void SelectDay(int y, int m, int d) {
        Form1->CalendarEx1.SetYear(y);
        Form1->CalendarEx1.SetDay(1);
        Form1->CalendarEx1.SetMonth(m);
        Form1->CalendarEx1.SetDay(d);
    }
};

}  // namespace

TEST_F(DiaryCommand, OpensTheSelectedDayOnceAndTheCloseClearsTheMark) {
    SelectDay(2023, 12, 24);
    Form1->Diary1Click();
    wintest::Pump();
    TForm8* d = FindOpenDiary(Day(2023, 12, 24));
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(Form1->Diary1->Checked());
    EXPECT_FALSE(Form1->List2->Enabled());
    EXPECT_TRUE(tk::DirectoryExists(folder));
    EXPECT_EQ(settings::Open().ReadString("Password", "Diary", ""), "2024/05/03 21:07:45");
    // A second command while it is open opens nothing more.
    SelectDay(2023, 12, 25);
    Form1->Diary1Click();
    wintest::Pump();
    EXPECT_EQ(FindOpenDiary(Day(2023, 12, 25)), nullptr);
    ASSERT_TRUE(CloseIt(*d));
    EXPECT_FALSE(Form1->Diary1->Checked());
    EXPECT_TRUE(tk::FileExists(DayPath(Day(2023, 12, 24))));
}

TEST_F(DiaryCommand, TheTickOpensTodayOrYesterdayAtTheSetMinuteOfTheClock) {
    struct Case {
        int hour, minute;  // [Nikki] Auto_H, Auto_M
        bool zenjitu;
        int opened;  // day of May 2024, 0: none
    } cases[] = {{21, 7, false, 3}, {21, 7, true, 2}, {21, 8, false, 0}, {9, 7, false, 0}};
    for (const Case& c : cases) {
        auto ini = settings::Open();
        ini.WriteBool("Nikki", "Auto", true);
        ini.WriteInteger("Nikki", "Auto_H", c.hour);
        ini.WriteInteger("Nikki", "Auto_M", c.minute);
        ini.WriteBool("Nikki", "Zenjitu", c.zenjitu);
        // The reminders run ahead of the clock; the diary goes by the clock itself.
        ini.WriteInteger("Calendar", "before", 30);
        SelectDay(2024, 1, 1);
        Form1->DiaryAtItsTime(ini, rtl::Now());
        wintest::Pump();
        for (int day = 1; day <= 4; ++day) {
            TForm8* d = FindOpenDiary(Day(2024, 5, day));
            EXPECT_EQ(d != nullptr, day == c.opened) << c.hour << ":" << c.minute << " day " << day;
            if (d) CloseIt(*d);
        }
        EXPECT_EQ(FindOpenDiary(Day(2024, 1, 1)), nullptr);
    }
}

// A minimised program hides its diaries; the day keeps its one window all the same.
TEST_F(DiaryCommand, ADayOpenWhileMinimisedKeepsItsOneWindow) {
    auto ini = settings::Open();
    ini.WriteBool("Nikki", "Auto", true);
    ini.WriteInteger("Nikki", "Auto_H", 21);
    ini.WriteInteger("Nikki", "Auto_M", 7);
    int today = Day(2024, 5, 3);
    SelectDay(2024, 5, 3);
    // Opened by the main command or the month list; again by the tick or the month list.
    for (auto [fromMainMenu, byTick] : {std::pair{false, true}, {true, true}, {false, false}}) {
        if (fromMainMenu) Form1->Diary1Click();
        else OpenDiary(today, false);
        wintest::Pump();
        TForm8* first = FindOpenDiary(today);
        ASSERT_NE(first, nullptr);
        ShowWindow(first->Handle, SW_HIDE);  // as the system hides a minimised owner's windows
        if (byTick) Form1->DiaryAtItsTime(ini, rtl::Now());
        else OpenDiary(today, false);
        wintest::Pump();
        EXPECT_EQ(OpenDiaries(), std::vector<TForm8*>{first}) << fromMainMenu << byTick;
        EXPECT_TRUE(first->Visible());
        ASSERT_TRUE(CloseIt(*first));
    }
}
