// Printing a rich edit to the prefix's PostScript printer, read back from the file it writes:
// page count, title and text of each page (glyphs named by their Adobe-Japan1 numbers, where 1
// to 95 are the ASCII characters from the blank on); the print dialog and no printer at all.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <regex>

#include "tests/win/WinTest.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/RichEdit.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

struct PostScript {
    int pages = -1;  // the %%Pages: trailer
    std::string title;
    std::vector<std::string> text;  // each page's characters in drawing order; '#' for a non-ASCII glyph
    std::vector<std::pair<int, std::string>> pieces;  // where each piece of text starts, and its text
};

PostScript ReadPostScript(const std::string& path) {
    PostScript ps;
    std::string data;
    if (!tk::ReadFileBytes(path, data)) return ps;
    static const std::regex token(
        R"(%%Pages: (\d+)|%%Title: ([^\r\n]*)|%%Page: \d+|/([A-Za-z0-9_.]+) glyphshow|\n(\d+) \d+ moveto)");
    static const std::regex ascii(R"(aj(\d+))");
    for (std::sregex_iterator it(data.begin(), data.end(), token), end; it != end; ++it) {
        const std::smatch& m = *it;
        if (m[1].matched) ps.pages = std::stoi(m[1]);
        else if (m[2].matched) ps.title = m[2];
        else if (m[4].matched) ps.pieces.emplace_back(std::stoi(m[4]), "");
        else if (!m[3].matched) ps.text.emplace_back();
        else if (!ps.text.empty()) {
            std::smatch a;
            std::string name = m[3];
            int cid = std::regex_match(name, a, ascii) ? std::stoi(a[1]) : 0;
            char c = cid >= 1 && cid <= 95 ? (char)(cid + 31) : '#';
            ps.text.back() += c;
            if (!ps.pieces.empty()) ps.pieces.back().second += c;
        }
    }
    return ps;
}

using wintest::TempPath;

struct Printing : ::testing::Test {
    tk::Form form{{.caption = "印刷", .width = 420, .height = 300}};
    tk::RichEdit re;
    std::string out = TempPath("orbal-print-" + std::to_string(GetTickCount()) + ".ps");
    std::vector<std::string> boxes;
    void SetUp() override {
        re.Create(form, {.at = {8, 8, 300, 200}});
        tk::Printer().OutputFile = out;
        tk::SetMessageBoxHookForTest([this](const tk::MsgBoxCall& c) {
            boxes.push_back(c.text);
            return IDOK;
        });
    }
    void TearDown() override {
        tk::Printer().OutputFile.clear();
        tk::SetMessageBoxHookForTest(nullptr);
        tk::SetPrinterListHookForTest(nullptr);
        tk::SetDialogHookForTest(nullptr);
        if (!getenv("KEEP_PS")) DeleteFileA(out.c_str());
    }
};

}  // namespace

TEST_F(Printing, TheWineprefixHasAPostScriptPrinter) {
    ASSERT_FALSE(tk::PrinterNames().empty()) << "run tools/wineprefix.sh";
    EXPECT_FALSE(tk::Printer().PrinterName().empty());
}

TEST_F(Printing, ALongTextFillsPagesWithEveryLineOnceAndInOrder) {
    std::string text;
    for (int i = 0; i < 150; ++i) {
        text += "LINE " + rtl::ZeroPad(i, 3) + " Schedule\r\n";
        if (i % 5 == 0) text += "日本語の行です。\r\n";
    }
    re.SetText(text);
    re.Select(5, 3);
    int events = 0;
    re.OnChange = re.OnSelectionChange = [&] { ++events; };

    int pages = tk::PrintRichEdit(re, "Schedule-List");
    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0]);
    PostScript ps = ReadPostScript(out);
    ASSERT_GE(pages, 2);
    EXPECT_EQ(ps.pages, pages);
    ASSERT_EQ((int)ps.text.size(), pages);
    EXPECT_EQ(ps.title, "Schedule-List");

    // Every line is on exactly one page, in order; the Japanese lines are drawn in glyphs.
    std::string all;
    for (const std::string& page : ps.text) {
        if (getenv("KEEP_PS")) printf("%s\n----\n", page.c_str());
        EXPECT_NE(page.find("LINE "), std::string::npos);
        EXPECT_NE(page.find('#'), std::string::npos);
        all += page;
    }
    size_t at = 0;
    for (int i = 0; i < 150; ++i) {
        std::string line = "LINE " + rtl::ZeroPad(i, 3) + " Schedule";
        size_t found = all.find(line, at);
        ASSERT_NE(found, std::string::npos) << line;
        EXPECT_EQ(all.find(line, found + 1), std::string::npos) << line;
        at = found + line.size();
    }
    EXPECT_EQ(ps.text.front().substr(0, 17), "LINE 000 Schedule");
    EXPECT_NE(ps.text.back().find("LINE 149 Schedule"), std::string::npos);

    // Reading the formats leaves the box as the user had it.
    EXPECT_EQ(re.SelStart(), 5);
    EXPECT_EQ(re.SelLength(), 3);
    EXPECT_EQ(events, 0);
}

TEST_F(Printing, RunsKeepTheirColoursAndLongParagraphsWrapWithNothingLost) {
    std::string words;
    for (int i = 0; i < 60; ++i) words += "word" + rtl::IntToStr(i) + " ";
    re.SetText("Red title\r\n" + words + "\r\nあいうえおかきくけこ。さしすせそ");
    re.Select(0, 3);
    re.SelAttributes.SetColor(tk::clRed);
    re.SelAttributes.SetStyleBit(tk::fsBold, true);
    ASSERT_EQ(tk::PrintRichEdit(re, "Colours"), 1);
    std::string data;
    tk::ReadFileBytes(out, data);
    EXPECT_NE(data.find("1.00 0.00 0.00 setrgbcolor"), std::string::npos);  // the red run
    PostScript ps = ReadPostScript(out);
    ASSERT_EQ(ps.text.size(), 1u);
    // The bold run is drawn twice, slightly apart: the face has no bold style of its own.
    EXPECT_EQ(ps.text[0].substr(0, 12), "RedRed title");
    ASSERT_GE(ps.pieces.size(), 3u);
    EXPECT_EQ(ps.pieces[1].second, "Red");
    EXPECT_GT(ps.pieces[1].first, ps.pieces[0].first);
    EXPECT_LT(ps.pieces[1].first, ps.pieces[0].first + 5);
    // The wrapped paragraph is all there: its blanks at the line ends are not drawn again.
    std::string page = ps.text[0];
    page.erase(std::remove(page.begin(), page.end(), ' '), page.end());
    std::string expect = words;
    expect.erase(std::remove(expect.begin(), expect.end(), ' '), expect.end());
    EXPECT_NE(page.find(expect), std::string::npos);
    EXPECT_EQ(std::count(page.begin(), page.end(), '#'), 16);  // 15 kana and the full stop
}

TEST_F(Printing, ParagraphsKeepTheirAlignmentIndentsAndBullets) {
    re.SetText("Left\r\nIndented\r\nCentred\r\nRight\r\nBullet\r\nLeft again");
    auto para = [&](int line, auto format) {
        re.Select(re.FindText(re.Lines[line], 0, -1), 1);
        format(re.Paragraph);
    };
    para(1, [](tk::ParaAttributes& p) { p.SetFirstIndent(36); });
    para(2, [](tk::ParaAttributes& p) { p.SetAlignment(tk::taCenter); });
    para(3, [](tk::ParaAttributes& p) { p.SetAlignment(tk::taRightJustify); });
    para(4, [](tk::ParaAttributes& p) { p.SetNumbering(tk::nsBullet); });
    ASSERT_EQ(tk::PrintRichEdit(re, "Paragraphs"), 1);
    std::map<std::string, int> x;
    for (auto& [at, text] : ReadPostScript(out).pieces) x[text] = at;
    ASSERT_EQ(x.size(), 7u);  // six lines and the bullet
    EXPECT_EQ(x["Left again"], x["Left"]);
    EXPECT_NEAR(x["Indented"] - x["Left"], 36 * 300 / 72, 2);  // at 300 dpi
    EXPECT_GT(x["Centred"], x["Indented"]);
    EXPECT_GT(x["Right"], x["Centred"]);
    EXPECT_EQ(x["#"], x["Left"]);  // the bullet stands at the indent, its text 10 points in
    EXPECT_NEAR(x["Bullet"] - x["Left"], 10 * 300 / 72, 2);
}

TEST_F(Printing, WithoutAPrinterTheUserIsToldAndNothingHappens) {
    tk::SetPrinterListHookForTest([] { return std::vector<std::string>{}; });
    int dialogs = 0;
    tk::SetDialogHookForTest([&](tk::CommonDialog&) { return ++dialogs, true; });
    re.SetText("nothing");
    EXPECT_FALSE(tk::ExecutePrintDialog(form.Handle));
    EXPECT_EQ(tk::PrintRichEdit(re, "none"), 0);
    EXPECT_EQ(dialogs, 0);
    ASSERT_EQ(boxes.size(), 2u);
    for (auto& b : boxes) EXPECT_EQ(b.rfind("プリンタが見つかりません。", 0), 0u) << b;
    EXPECT_FALSE(tk::FileExists(out));
    EXPECT_FALSE(tk::Printer().BeginDoc());
}

TEST_F(Printing, ThePrintDialogGoesThroughTheSeamAndCancelPrintsNothing) {
    std::vector<tk::DialogKind> kinds;
    bool confirm = false;
    tk::SetDialogHookForTest([&](tk::CommonDialog& d) {
        kinds.push_back(d.Kind());
        return confirm;
    });
    EXPECT_FALSE(tk::ExecutePrintDialog(form.Handle));
    confirm = true;
    EXPECT_TRUE(tk::ExecutePrintDialog(form.Handle));
    EXPECT_EQ(kinds, (std::vector<tk::DialogKind>{tk::DialogKind::Print, tk::DialogKind::Print}));
    EXPECT_TRUE(boxes.empty());
}

namespace {
// Presses OK in the print dialog as soon as it is there.
void CALLBACK PressOk(HWND, UINT, UINT_PTR id, DWORD) {
    if (HWND d = FindWindowA("#32770", nullptr)) {
        KillTimer(nullptr, id);
        PostMessageA(d, WM_COMMAND, IDOK, 0);
    }
}
}  // namespace

TEST_F(Printing, TheRealDialogHandsItsChoiceToThePrinter) {
    UINT_PTR timer = SetTimer(nullptr, 0, 200, PressOk);
    EXPECT_TRUE(tk::ExecutePrintDialog(form.Handle));
    KillTimer(nullptr, timer);
    std::string name = tk::Printer().PrinterName();
    std::string mode = tk::Printer().DevModeFor(name);
    ASSERT_GE(mode.size(), sizeof(DEVMODEA));
    EXPECT_EQ(std::string((const char*)((const DEVMODEA*)mode.data())->dmDeviceName), name.substr(0, CCHDEVICENAME - 1));
    re.SetText("chosen printer");
    EXPECT_EQ(tk::PrintRichEdit(re, "Chosen"), 1);
    EXPECT_EQ(ReadPostScript(out).text.at(0), "chosen printer");
}
