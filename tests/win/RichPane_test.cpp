// The shared rich-text editing behaviour: rich text through files, find and replace with the
// modeless dialogs, the formatting bar with its colour history and ruler, printing a copy.
#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>

#include <memory>
#include <regex>

#include "tests/win/WinTest.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Printer.h"
#include "toolkit/RichFind.h"
#include "toolkit/RichPrint.h"
#include "toolkit/RichToolbar.h"
#include "toolkit/ScreenFonts.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

using wintest::TempPath;

// A window laid out like the diary's editor: bar, ruler and text, with its own control names.
struct Pane {
    tk::Form form{{.caption = "日記", .width = 600, .height = 360}};
    tk::Panel Panel2, Panel3, Panel4, Panel5, Panel6, Panel7, Panel8;
    tk::ComboBox ComboBox1;
    tk::SpinEdit SpinEdit1;
    tk::SpeedButton SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6,
        SpeedButton7, SpeedButton8;
    tk::BitBtn BitBtn12;
    tk::Label Label4, Label5, Label6, Label7;
    tk::RichEdit RichEdit1;
    tk::FindDialog FindDialog1;
    tk::ReplaceDialog ReplaceDialog1;
    std::string ini = TempPath("orbal-richpane-" + std::to_string(GetTickCount()) + ".ini");
    tk::RichBar bar{.fontName = &ComboBox1,
                    .fontSize = &SpinEdit1,
                    .bold = &SpeedButton1,
                    .italic = &SpeedButton2,
                    .underline = &SpeedButton3,
                    .strikeOut = &SpeedButton4,
                    .bullet = &SpeedButton5,
                    .align = {&SpeedButton6, &SpeedButton7, &SpeedButton8},
                    .colorButton = &BitBtn12,
                    .history = {&Panel4, &Panel5, &Panel6, &Panel7, &Panel8},
                    .colorLabel = &Label4,
                    .ruler = &Panel3,
                    .firstMarker = &Label5,
                    .leftMarker = &Label6,
                    .rightMarker = &Label7};
    std::unique_ptr<tk::RichToolbar> toolbar;
    std::unique_ptr<tk::RichFinder> finder;

    explicit Pane(tk::RichFindStyle style = {}) {
        Panel2.Create(form, {.at = {0, 0, 600, 26}, .align = tk::Align::Top});
        Panel3.Create(form, {.at = {0, 26, 600, 20}, .align = tk::Align::Top, .style = tk::pnOuterLowered});
        RichEdit1.Create(form, {.at = {0, 46, 600, 280}, .align = tk::Align::Client, .style = tk::reVScroll});
        tk::CreateRichBar(Panel2, bar);
        FindDialog1.Create(form);
        ReplaceDialog1.Create(form);
        toolbar = std::make_unique<tk::RichToolbar>(
            RichEdit1, bar,
            tk::ColorHistory{[this] { return tk::TIniFile(ini); }, "Nikki", {"Color1", "Color2", "Color3", "Color4", "Color5"}});
        finder = std::make_unique<tk::RichFinder>(RichEdit1, FindDialog1, ReplaceDialog1, style);
    }
    ~Pane() { DeleteFileA(ini.c_str()); }
    int Start() { return RichEdit1.SelStart(); }
    int Length() { return RichEdit1.SelLength(); }
};

}  // namespace

// ---- rich text through a file ----

TEST(TkRichPane, RichTextKeepsShiftJisBulletsIndentsAndStrikeOut) {
    const std::string text = "表示のテスト\\です\r\n箇条書き\r\nソの字下げ\r\n右に寄せた申\r\n普通の行";
    struct Para {
        int line;
        bool bullet;
        int first, left, right;
        tk::TAlignment align;
    } paras[] = {{0, false, 0, 0, 0, tk::taLeftJustify},
                 {1, true, 0, 10, 0, tk::taLeftJustify},
                 {2, false, 24, 12, 18, tk::taLeftJustify},
                 {3, false, 0, 0, 0, tk::taRightJustify},
                 {4, false, 0, 0, 0, tk::taLeftJustify}};
    struct Run {
        int start, length, style;
        const char* face;
    } runs[] = {{0, 2, tk::fsStrikeOut, nullptr}, {7, 2, tk::fsStrikeOut | tk::fsBold, "ＭＳ 明朝"}, {16, 3, tk::fsItalic, nullptr}};
    std::string path = TempPath("表ソ_round.rtf");
    {
        Pane p;
        p.RichEdit1.SetText(text);
        for (auto& q : paras) {
            p.RichEdit1.Select(p.RichEdit1.FindText(p.RichEdit1.Lines[q.line], 0, -1), 0);
            if (q.bullet) p.RichEdit1.Paragraph.SetNumbering(tk::nsBullet);
            else p.RichEdit1.Paragraph.SetLeftIndent(q.left);
            p.RichEdit1.Paragraph.SetFirstIndent(q.first);
            p.RichEdit1.Paragraph.SetRightIndent(q.right);
            p.RichEdit1.Paragraph.SetAlignment(q.align);
        }
        for (auto& r : runs) {
            p.RichEdit1.Select(r.start, r.length);
            p.RichEdit1.SelAttributes.SetStyle(r.style);
            if (r.face) p.RichEdit1.SelAttributes.SetName(r.face);
        }
        p.RichEdit1.SaveToFile(path);
    }
    std::string bytes;
    ASSERT_TRUE(tk::ReadFileBytes(path, bytes));
    EXPECT_EQ(std::count_if(bytes.begin(), bytes.end(), [](char c) { return (unsigned char)c >= 0x80; }), 0);

    Pane p;
    p.RichEdit1.LoadFromFile(path);
    EXPECT_EQ(p.RichEdit1.Text(), text);
    for (auto& q : paras) {
        SCOPED_TRACE(q.line);
        p.RichEdit1.Select(p.RichEdit1.FindText(p.RichEdit1.Lines[q.line], 0, -1), 0);
        tk::ParaAttributes& pa = p.RichEdit1.Paragraph;
        EXPECT_EQ(pa.Numbering() == tk::nsBullet, q.bullet);
        EXPECT_EQ(pa.FirstIndent(), q.first);
        EXPECT_EQ(pa.LeftIndent(), q.left);
        EXPECT_EQ(pa.RightIndent(), q.right);
        EXPECT_EQ(pa.Alignment(), q.align);
    }
    for (auto& r : runs) {
        SCOPED_TRACE(r.start);
        p.RichEdit1.Select(r.start, r.length);
        EXPECT_EQ(p.RichEdit1.SelAttributes.Style(), r.style);
        if (r.face) {
            EXPECT_EQ(p.RichEdit1.SelAttributes.Name(), r.face);
        }
        p.RichEdit1.Select(r.start + r.length, 1);
        EXPECT_EQ(p.RichEdit1.SelAttributes.Style(), 0);
    }
    DeleteFileA(path.c_str());
}

// ---- find and replace ----

TEST(TkRichFind, MatchesFallOnWholeCharactersAndSelectInTheControlsPositions) {
    // Positions count characters, and a paragraph break as one.
    const std::string text = "表示\\表\r\nABC abc abcd 表\r\nソ十 abc";
    Pane p;
    p.RichEdit1.SetText(text);
    const int down = tk::frDown, exact = tk::frDown | tk::frMatchCase;
    const struct {
        const char* what;
        int options;
        int selStart;  // where the selection stands before the search
        int start, length;  // the selection after it (-1: unchanged)
    } cases[] = {
        {"\\", exact, 0, 2, 1},         // the one real backslash, never the second byte of 表
        {"\\表", exact, 0, 2, 2},
        {"abc", exact, 0, 9, 3},        // a new text starts at the top
        {"abc", exact, 9, 13, 3},       // the same text goes on from the selection: the next in the line
        {"abc", exact, 13, 23, 3},      // and on into the next paragraph
        {"abc", exact, 23, -1, -1},     // none left: nothing moves
        {"ABC", down, 0, 5, 3},         // without case
        {"ABC", down | tk::frWholeWord, 12, 23, 3},  // "abcd" is not the word
        {"示", exact, 0, 1, 1},
        {"ソ十", tk::frMatchCase, 26, 20, 2},  // upwards, from the end for a new text
        {"ソ十", tk::frMatchCase, 20, -1, -1},  // and from the selection after that
        {"いない", exact, 3, -1, -1},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " from " + std::to_string(c.selStart));
        p.RichEdit1.Select(c.selStart, 3);
        if (c.start < 0) {
            EXPECT_FALSE(p.finder->FindNext(c.what, c.options));
            EXPECT_EQ(p.Start(), c.selStart);
            continue;
        }
        EXPECT_TRUE(p.finder->FindNext(c.what, c.options));
        EXPECT_EQ(p.Start(), c.start);
        EXPECT_EQ(p.Length(), c.length);
        if (c.options & tk::frMatchCase) {
            EXPECT_EQ(p.RichEdit1.SelText(), c.what);
        }
    }
}

TEST(TkRichFind, ReplaceTakesTheSelectedMatchAndReplaceAllEnds) {
    const struct {
        const char* text;
        const char* what;
        const char* with;
        int options;
        bool all;
        int selStart, selLength;  // before
        const char* expect;
        int count;
    } cases[] = {
        {"表ソ表", "表", "表と表", tk::frMatchCase, true, 0, 0, "表と表ソ表と表", 2},  // holds the text: still ends
        {"aaab", "a", "", tk::frMatchCase, true, 0, 0, "b", 3},
        {"Abc abc ABC", "abc", "[abc]", 0, true, 0, 0, "[abc] [abc] [abc]", 3},
        {"x\\表\\", "\\", "/", tk::frMatchCase, true, 0, 0, "x/表/", 2},
        {"一\r\n二\r\n一", "一", "壱", tk::frMatchCase, true, 0, 0, "壱\r\n二\r\n壱", 2},
        {"表 表 表", "表", "ソ", tk::frMatchCase, false, 2, 1, "表 ソ 表", 1},  // the selected match
        {"表 表 表", "表", "ソ", tk::frMatchCase, false, 1, 1, "ソ 表 表", 1},  // no match selected: the first
        {"abc", "zz", "y", tk::frMatchCase, true, 0, 0, "abc", 0},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.what);
        Pane p;
        p.RichEdit1.SetText(c.text);
        p.RichEdit1.Select(c.selStart, c.selLength);
        int changes = 0;
        p.RichEdit1.OnChange = [&] { ++changes; };
        int n = c.all ? p.finder->ReplaceAll(c.what, c.with, c.options | tk::frDown)
                      : p.finder->Replace(c.what, c.with, c.options | tk::frDown);
        EXPECT_EQ(n, c.count);
        EXPECT_EQ(p.RichEdit1.Text(), c.expect);
        EXPECT_EQ(changes, c.count ? 1 : 0);
    }

    // A read-only text is not replaced into.
    Pane p;
    p.RichEdit1.SetText("表 表");
    p.RichEdit1.SetReadOnly(true);
    EXPECT_EQ(p.finder->ReplaceAll("表", "x", tk::frDown), 0);
    EXPECT_FALSE(p.finder->Replace("表", "x", tk::frDown));
    EXPECT_EQ(p.RichEdit1.Text(), "表 表");

    // Where a window's Replace All replaces once and each search starts at the top.
    Pane once({.goOn = false, .replaceAll = false});
    once.RichEdit1.SetText("表 表 表");
    EXPECT_EQ(once.finder->ReplaceAll("表", "ソ", tk::frDown | tk::frMatchCase), 1);
    EXPECT_EQ(once.RichEdit1.Text(), "ソ 表 表");
    once.RichEdit1.Select(2, 1);
    EXPECT_TRUE(once.finder->FindNext("表", tk::frDown | tk::frMatchCase));
    EXPECT_EQ(once.Start(), 2);
    EXPECT_TRUE(once.finder->FindNext("表", tk::frDown | tk::frMatchCase));
    EXPECT_EQ(once.Start(), 2);
}

namespace {
// Types into a dialog field and presses one of its buttons, as the user would.
void Press(HWND dialog, int field, const std::string& text, int button) {
    SetWindowTextA(GetDlgItem(dialog, field), text.c_str());
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(dialog, button));
}
}  // namespace

TEST(TkRichFind, TheModelessDialogsReportThroughTheMessageLoop) {
    Pane p;
    p.form.Show();
    p.RichEdit1.SetText("一つ目の表、二つ目の表");
    p.finder->ShowFind();
    HWND find = p.FindDialog1.DialogHandle();
    ASSERT_TRUE(find);
    EXPECT_TRUE(IsWindowVisible(find));
    auto& loop = tk::Application.DialogWindows;
    EXPECT_NE(std::find(loop.begin(), loop.end(), find), loop.end());
    // The choices the editor does not offer are not shown.
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(find, chx2)));  // match case

    Press(find, edt1, "表", IDOK);
    EXPECT_EQ(p.FindDialog1.FindText, "表");
    EXPECT_EQ(p.Start(), 4);
    // Enter in the field is Find Next again: the key goes through the application's loop.
    HWND field = GetDlgItem(find, edt1);
    SetFocus(field);
    PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
    wintest::Pump();
    EXPECT_EQ(p.Start(), 10);
    EXPECT_EQ(p.Length(), 1);

    p.finder->ShowReplace();
    HWND replace = p.ReplaceDialog1.DialogHandle();
    ASSERT_TRUE(replace);
    SetWindowTextA(GetDlgItem(replace, edt2), "表表");
    Press(replace, edt1, "表", psh2);  // Replace All
    wintest::Pump();
    EXPECT_EQ(p.RichEdit1.Text(), "一つ目の表表、二つ目の表表");
    EXPECT_EQ(p.ReplaceDialog1.ReplaceText, "表表");
    EXPECT_FALSE(p.ReplaceDialog1.DialogHandle());  // it closed after replacing
    EXPECT_FALSE(IsWindow(replace));

    p.FindDialog1.CloseDialog();
    wintest::Pump();
    EXPECT_FALSE(p.FindDialog1.DialogHandle());
    EXPECT_EQ(std::find(loop.begin(), loop.end(), find), loop.end());
    // A dialog still open goes with its window.
    {
        Pane q;
        q.form.Show();
        q.finder->ShowReplace();
        ASSERT_TRUE(q.ReplaceDialog1.DialogHandle());
        replace = q.ReplaceDialog1.DialogHandle();
    }
    EXPECT_FALSE(IsWindow(replace));
    EXPECT_EQ(std::find(loop.begin(), loop.end(), replace), loop.end());
}

// ---- the formatting bar ----

TEST(TkRichToolbar, FollowsTheSelectionAndItsParagraph) {
    Pane p;
    p.RichEdit1.SetText("太字の赤\r\n普通の行");
    p.RichEdit1.Select(0, 2);
    p.RichEdit1.SelAttributes.SetStyle(tk::fsBold | tk::fsStrikeOut);
    p.RichEdit1.SelAttributes.SetColor(tk::clRed);
    p.RichEdit1.SelAttributes.SetName("ＭＳ 明朝");
    p.RichEdit1.SelAttributes.SetSize(14);
    p.RichEdit1.Paragraph.SetAlignment(tk::taCenter);
    p.RichEdit1.Paragraph.SetNumbering(tk::nsBullet);
    p.RichEdit1.Paragraph.SetFirstIndent(12);

    int spins = 0;
    p.SpinEdit1.OnChange = [&, old = p.SpinEdit1.OnChange] {
        ++spins;
        EXPECT_TRUE(p.toolbar->Syncing());
        old();
    };
    const struct {
        int start;
        bool bold, strike, bullet;
        const char* face;
        int size;
        tk::TColor color;
        tk::SpeedButton* align;
    } cases[] = {{1, true, true, true, "ＭＳ 明朝", 14, tk::clRed, &p.SpeedButton7},
                 {7, false, false, false, "ＭＳ Ｐゴシック", 9, tk::clWindowText, &p.SpeedButton6},
                 {0, true, true, true, "ＭＳ 明朝", 14, tk::clRed, &p.SpeedButton7}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.start);
        p.RichEdit1.Select(c.start, 1);  // the selection change brings the bar along
        EXPECT_EQ(p.SpeedButton1.Down(), c.bold);
        EXPECT_FALSE(p.SpeedButton2.Down());
        EXPECT_EQ(p.SpeedButton4.Down(), c.strike);
        EXPECT_EQ(p.SpeedButton5.Down(), c.bullet);
        EXPECT_EQ(p.ComboBox1.Text(), c.face);
        EXPECT_EQ(p.SpinEdit1.Value(), c.size);
        EXPECT_EQ(p.Label4.Caption(), rtl::IntToStr(c.color));
        for (tk::SpeedButton* b : {&p.SpeedButton6, &p.SpeedButton7, &p.SpeedButton8}) EXPECT_EQ(b->Down(), b == c.align);
        EXPECT_FALSE(p.toolbar->Syncing());
    }
    // The size box changed with each move and formatted nothing.
    EXPECT_EQ(spins, 3);
    p.RichEdit1.Select(7, 1);
    EXPECT_EQ(p.RichEdit1.SelAttributes.Size(), 9);
}

// While a window sets itself up the bar stays as it was; it follows once, when the last hold
// ends, and follows every selection again after.
TEST(TkRichToolbar, AHeldBarFollowsOnceWhenTheLastHoldEnds) {
    Pane p;
    p.RichEdit1.SetText("太字\r\n普通");
    p.RichEdit1.Select(0, 2);
    p.RichEdit1.SelAttributes.SetStyle(tk::fsBold);
    p.RichEdit1.SelAttributes.SetSize(12);
    p.RichEdit1.Select(4, 1);
    ASSERT_FALSE(p.SpeedButton1.Down());
    ASSERT_EQ(p.SpinEdit1.Value(), 9);
    int syncs = 0;  // the size box moves with each sync that reaches it
    p.SpinEdit1.OnChange = [&, old = p.SpinEdit1.OnChange] {
        ++syncs;
        old();
    };
    {
        tk::RichToolbar::SyncHold outer(*p.toolbar);
        {
            tk::RichToolbar::SyncHold inner(*p.toolbar);
            p.RichEdit1.Select(0, 1);
            p.toolbar->Sync();
        }
        EXPECT_FALSE(p.SpeedButton1.Down()) << "an inner hold ending syncs nothing";
        p.RichEdit1.Select(1, 1);
        EXPECT_FALSE(p.SpeedButton1.Down());
        EXPECT_EQ(syncs, 0);
    }
    EXPECT_TRUE(p.SpeedButton1.Down());
    EXPECT_EQ(p.SpinEdit1.Value(), 12);
    EXPECT_EQ(syncs, 1);
    p.RichEdit1.Select(4, 1);
    EXPECT_FALSE(p.SpeedButton1.Down());
    EXPECT_EQ(p.SpinEdit1.Value(), 9);
}

TEST(TkRichToolbar, ControlsFormatTheSelectionOrTheTextTypedNext) {
    Pane p;
    p.form.Show();
    p.RichEdit1.SetText("あいうえお");
    p.RichEdit1.Select(1, 2);
    p.SpeedButton1.Click();  // bold
    p.SpeedButton3.Click();  // underline
    p.SpeedButton8.Click();  // right
    EXPECT_TRUE(p.SpeedButton8.Down());
    EXPECT_FALSE(p.SpeedButton6.Down());
    p.SpinEdit1.SetText("20");
    p.RichEdit1.Select(1, 2);
    EXPECT_EQ(p.RichEdit1.SelAttributes.Style(), tk::fsBold | tk::fsUnderline);
    EXPECT_EQ(p.RichEdit1.SelAttributes.Size(), 20);
    EXPECT_EQ(p.RichEdit1.Paragraph.Alignment(), tk::taRightJustify);
    p.RichEdit1.Select(3, 1);
    EXPECT_EQ(p.RichEdit1.SelAttributes.Style(), 0);
    EXPECT_EQ(p.RichEdit1.SelAttributes.Size(), 9);

    // A face comes with its character set; a name being typed is no face yet.
    p.RichEdit1.Select(0, 1);
    p.toolbar->SetFontName("ＭＳ 明");
    EXPECT_EQ(p.RichEdit1.SelAttributes.Name(), "ＭＳ Ｐゴシック");
    p.toolbar->SetFontName("ＭＳ 明朝");
    EXPECT_EQ(p.RichEdit1.SelAttributes.Name(), "ＭＳ 明朝");
    EXPECT_EQ(p.RichEdit1.SelAttributes.Charset(), SHIFTJIS_CHARSET);
    auto western = std::find_if(tk::ScreenFonts().begin(), tk::ScreenFonts().end(),
                                [](const tk::FontFace& f) { return f.charset != SHIFTJIS_CHARSET; });
    ASSERT_NE(western, tk::ScreenFonts().end());
    p.RichEdit1.Select(4, 1);
    p.toolbar->SetFontName(western->name);
    EXPECT_EQ(p.RichEdit1.SelAttributes.Name(), western->name);
    EXPECT_EQ(p.RichEdit1.SelAttributes.Charset(), western->charset);
    for (size_t i = 1; i < tk::ScreenFonts().size(); ++i)
        EXPECT_LE(rtl::UpperCaseAscii(tk::ScreenFonts()[i - 1].name), rtl::UpperCaseAscii(tk::ScreenFonts()[i].name));
    EXPECT_EQ(p.ComboBox1.Items.Count(), (int)tk::ScreenFonts().size());

    // At the caret: what is typed next takes the style; the text around it keeps its own.
    p.RichEdit1.SetFocus();
    p.RichEdit1.Select(5, 0);
    p.SpeedButton2.Click();  // italic
    SendMessageA(p.RichEdit1.Handle, WM_CHAR, 'x', 0);
    EXPECT_EQ(p.RichEdit1.Text(), "あいうえおx");
    p.RichEdit1.Select(5, 1);
    EXPECT_TRUE(p.RichEdit1.SelAttributes.Style() & tk::fsItalic);
    p.RichEdit1.Select(0, 5);
    EXPECT_FALSE(p.RichEdit1.SelAttributes.Style() & tk::fsItalic);

    // Undo takes a format back and the bar follows; the clipboard goes through the bar too.
    p.RichEdit1.Select(0, 1);
    p.SpeedButton4.Click();
    EXPECT_TRUE(p.SpeedButton4.Down());
    p.toolbar->Undo();
    EXPECT_FALSE(p.SpeedButton4.Down());
    EXPECT_FALSE(p.RichEdit1.SelAttributes.Style() & tk::fsStrikeOut);
    p.RichEdit1.Select(1, 2);
    p.toolbar->Copy();
    p.RichEdit1.Select(0, 0);
    p.toolbar->Paste();
    EXPECT_EQ(p.RichEdit1.Text(), "いうあいうえおx");
    p.RichEdit1.Select(0, 1);
    EXPECT_TRUE(p.SpeedButton1.Down());  // the pasted text is bold as copied

    // A read-only text is not formatted, and the pressed button goes back up.
    p.RichEdit1.SetReadOnly(true);
    p.RichEdit1.Select(5, 1);
    p.SpeedButton4.Click();
    EXPECT_FALSE(p.SpeedButton4.Down());
    EXPECT_EQ(p.RichEdit1.SelAttributes.Style(), 0);
    p.SpeedButton5.Click();
    EXPECT_EQ(p.RichEdit1.Paragraph.Numbering(), tk::nsNone);
    p.toolbar->Paste();
    p.toolbar->Cut();
    p.toolbar->Undo();
    EXPECT_EQ(p.RichEdit1.Text(), "いうあいうえおx");
    p.toolbar->SetEnabled(false);
    EXPECT_FALSE(p.SpeedButton1.Enabled());
    EXPECT_FALSE(p.Label7.Enabled());
}

TEST(TkRichToolbar, ColoursGoIntoTheirOwnSectionNewestFirst) {
    Pane p;
    tk::TIniFile ini(p.ini);
    ini.WriteInteger("Nikki", "Color1", 0x00FF00);
    ini.WriteInteger("Nikki", "Color2", 0x0000FF);
    ini.WriteInteger("Memo", "Color1", 77);
    p.toolbar->PaintHistory();
    EXPECT_EQ(p.Panel4.Color, 0x00FF00);
    EXPECT_EQ(p.Panel6.Color, tk::clRed);  // not yet written

    tk::TColor answer = tk::clTeal;
    tk::TColor offered = -1;
    tk::SetDialogHookForTest([&](tk::CommonDialog& d) {
        auto& c = dynamic_cast<tk::ColorDialog&>(d);
        offered = c.Color;
        c.Color = answer;
        return answer != tk::clBlack;
    });
    p.RichEdit1.SetText("色の履歴");
    p.RichEdit1.Select(0, 1);
    p.RichEdit1.SelAttributes.SetColor(tk::clNavy);
    EXPECT_TRUE(p.toolbar->ChooseColor());
    EXPECT_EQ(offered, tk::clNavy);
    answer = tk::clPurple;
    EXPECT_TRUE(p.toolbar->ChooseColor());
    answer = tk::clBlack;  // cancelled: nothing moves
    EXPECT_FALSE(p.toolbar->ChooseColor());
    tk::SetDialogHookForTest(nullptr);

    const tk::TColor expect[] = {tk::clPurple, tk::clTeal, 0x00FF00, 0x0000FF, tk::clRed};
    tk::Panel* panels[] = {&p.Panel4, &p.Panel5, &p.Panel6, &p.Panel7, &p.Panel8};
    tk::TIniFile after(p.ini);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(after.ReadInteger("Nikki", "Color" + rtl::IntToStr(i + 1), -1), expect[i]) << i;
        EXPECT_EQ(panels[i]->Color, expect[i]) << i;
    }
    EXPECT_EQ(after.ReadInteger("Memo", "Color1", -1), 77);
    EXPECT_FALSE(after.ValueExists("Memo", "Color2"));
    EXPECT_EQ(p.RichEdit1.SelAttributes.Color(), tk::clPurple);
    p.RichEdit1.Select(1, 1);
    EXPECT_EQ(p.RichEdit1.SelAttributes.Color(), tk::clWindowText);

    // A history panel gives its colour to the selection.
    p.RichEdit1.Select(3, 1);
    p.Panel6.OnClick();
    EXPECT_EQ(p.RichEdit1.SelAttributes.Color(), 0x00FF00);
    EXPECT_EQ(p.Label4.Caption(), rtl::IntToStr(0x00FF00));
}

TEST(TkRichToolbar, RulerMarkersShowAndSetTheParagraphsIndents) {
    Pane p;
    p.form.Show();
    p.RichEdit1.SetText("一行目\r\n二行目");
    tk::ruler::Geometry g = p.toolbar->RulerGeometry();
    EXPECT_EQ(g.width, p.Panel3.ClientWidth());
    ASSERT_GT(g.markerWidth, 4);
    EXPECT_EQ(p.Label5.Top(), 0);
    EXPECT_EQ(p.Label6.Top() + p.Label6.Height(), p.Panel3.ClientHeight());

    // Indents set in the text place the markers; markers released set the indents.
    p.RichEdit1.Select(0, 0);
    p.RichEdit1.Paragraph.SetFirstIndent(30);
    p.RichEdit1.Paragraph.SetLeftIndent(-6);
    p.RichEdit1.Paragraph.SetRightIndent(9);
    p.toolbar->Sync();
    tk::ruler::Markers m = tk::ruler::Place(g, {30, -6, 9});
    EXPECT_EQ(p.Label5.Left(), m.first);
    EXPECT_EQ(p.Label6.Left(), m.left);
    EXPECT_EQ(p.Label7.Left(), m.right);

    // Dragging a marker with the mouse: it follows the pointer and sets the indent on release.
    p.RichEdit1.Select(5, 0);
    auto drag = [&](tk::Label& marker, int toX) {
        POINT at{marker.Width() / 2, 3};
        SendMessageA(marker.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        int dx = toX - (marker.Left() + at.x);
        SendMessageA(marker.Handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + dx, at.y));
        SendMessageA(marker.Handle, WM_LBUTTONUP, 0, MAKELPARAM(at.x + dx, at.y));
    };
    drag(p.Label6, 6 + 40);  // the left marker's middle 40 pixels into the text: 30 points
    EXPECT_EQ(p.RichEdit1.Paragraph.FirstIndent(), 0);
    EXPECT_EQ(p.RichEdit1.Paragraph.LeftIndent(), 30);
    drag(p.Label5, 6 + 16);  // 12 points; the other lines stay where they are
    EXPECT_EQ(p.RichEdit1.Paragraph.FirstIndent(), 12);
    EXPECT_EQ(p.RichEdit1.Paragraph.LeftIndent(), 18);
    // The right marker reads from its left edge plus half its width: 32 pixels, 24 points less 12.
    drag(p.Label7, g.width + 2 * g.Half() - 34);
    EXPECT_EQ(p.RichEdit1.Paragraph.RightIndent(), 12);
    // The first paragraph kept its own.
    p.RichEdit1.Select(0, 0);
    EXPECT_EQ(p.RichEdit1.Paragraph.FirstIndent(), 30);
    EXPECT_EQ(p.Label5.Left(), m.first);

    // A wider ruler moves the right marker along.
    p.form.SetWidth(p.form.Width() + 40);
    wintest::Pump();
    EXPECT_EQ(p.toolbar->RulerGeometry().width, g.width + 40);
    EXPECT_EQ(p.Label7.Left(), m.right + 40);
}

// ---- printing a copy ----

TEST(TkRichPrint, PrintingACopyLeavesTheTextAsItWas) {
    Pane p;
    std::string out = TempPath("orbal-richpane-" + std::to_string(GetTickCount()) + ".ps");
    tk::Printer().OutputFile = out;
    std::vector<std::string> boxes;
    tk::SetMessageBoxHookForTest([&](const tk::MsgBoxCall& c) {
        boxes.push_back(c.text);
        return IDOK;
    });
    p.RichEdit1.SetText("BODY TEXT\r\n本文の二行目");
    p.RichEdit1.Select(0, 4);
    p.RichEdit1.SelAttributes.SetStyleBit(tk::fsBold, true);
    p.RichEdit1.Select(2, 3);
    p.RichEdit1.SetModified(false);
    SendMessageA(p.RichEdit1.Handle, EM_EMPTYUNDOBUFFER, 0, 0);
    std::string rtf;
    {
        rtl::TMemoryStream s;
        p.RichEdit1.SaveToStream(s);
        rtf = s.Bytes();
    }
    int changes = 0;
    p.RichEdit1.OnChange = [&] { ++changes; };
    auto unchanged = [&] {
        rtl::TMemoryStream s;
        p.RichEdit1.SaveToStream(s);
        EXPECT_EQ(s.Bytes(), rtf);
        EXPECT_EQ(p.RichEdit1.Text(), "BODY TEXT\r\n本文の二行目");
        EXPECT_FALSE(p.RichEdit1.Modified());
        EXPECT_EQ(p.Start(), 2);
        EXPECT_EQ(p.Length(), 3);
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(SendMessageA(p.RichEdit1.Handle, EM_CANUNDO, 0, 0), 0);
    };

    EXPECT_EQ(tk::PrintRichCopy(p.RichEdit1, {"HEAD ONE", "HEAD TWO", ""}, "Copy"), 1);
    EXPECT_TRUE(boxes.empty());
    unchanged();
    // The page has the header lines above the text: the ASCII glyphs in drawing order.
    std::string data, page;
    ASSERT_TRUE(tk::ReadFileBytes(out, data));
    static const std::regex glyph(R"(/aj(\d+) glyphshow)");
    for (std::sregex_iterator it(data.begin(), data.end(), glyph), end; it != end; ++it) {
        int cid = std::stoi((*it)[1]);
        if (cid >= 1 && cid <= 95) page += (char)(cid + 31);
    }
    EXPECT_EQ(page.find("HEAD ONE"), 0u) << page;
    EXPECT_NE(page.find("HEAD TWO"), std::string::npos);
    EXPECT_GT(page.find("TEXT"), page.find("HEAD TWO"));
    EXPECT_NE(data.find("%%Title: Copy"), std::string::npos);

    // A print that fails leaves nothing behind either.
    tk::SetPrinterListHookForTest([] { return std::vector<std::string>{}; });
    EXPECT_EQ(tk::PrintRichCopy(p.RichEdit1, {"HEAD ONE"}, "None"), 0);
    EXPECT_EQ(boxes.size(), 1u);
    unchanged();
    tk::SetPrinterListHookForTest(nullptr);
    tk::SetMessageBoxHookForTest(nullptr);
    tk::Printer().OutputFile.clear();
    DeleteFileA(out.c_str());
}
