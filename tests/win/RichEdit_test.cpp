// The rich text box: files in rich and plain text, lines, positions, formats, events, margins.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "tests/win/WinTest.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/RichEdit.h"

namespace {

std::string TempFile(const std::string& name) {
    char buf[MAX_PATH];
    GetTempPathA(sizeof buf, buf);
    return std::string(buf) + name;
}

struct Box {
    tk::Form form{{.caption = "rich", .width = 420, .height = 300}};
    tk::RichEdit re;
    explicit Box(int style = 0) { re.Create(form, {.at = {8, 8, 300, 200}, .style = style}); }
};

// The box's own file of this text: the first three characters bold and red, the paragraph of
// the ninth centred.
void SaveFormatted(const std::string& text, const std::string& path) {
    Box b;
    b.re.SetText(text);
    b.re.Select(0, 3);
    b.re.SelAttributes.SetStyleBit(tk::fsBold, true);
    b.re.SelAttributes.SetColor(tk::clRed);
    b.re.Select(8, 1);
    b.re.Paragraph.SetAlignment(tk::taCenter);
    b.re.SaveToFile(path);
}

}  // namespace

TEST(TkRichFile, JapaneseWithBoldAndColourSurvivesAFile) {
    std::string path = TempFile("表ソ_rich.rtf");
    SaveFormatted("日本語の表示\r\n二行目はソ十", path);
    std::string bytes;
    ASSERT_TRUE(tk::ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes.rfind("{\\rtf", 0), 0u);
    // Japanese goes into the file as escapes, never as raw Shift-JIS bytes.
    EXPECT_EQ(std::count_if(bytes.begin(), bytes.end(), [](char c) { return (unsigned char)c >= 0x80; }), 0);
    EXPECT_NE(bytes.find("\\'95\\'5c"), std::string::npos);  // 表, whose trail byte is a backslash

    Box b;
    b.re.SetModified(true);
    b.re.LoadFromFile(path);
    EXPECT_EQ(b.re.Text(), "日本語の表示\r\n二行目はソ十");
    EXPECT_FALSE(b.re.Modified());
    b.re.Select(1, 1);
    EXPECT_TRUE(b.re.SelAttributes.Bold());
    EXPECT_EQ(b.re.SelAttributes.Color(), tk::clRed);
    b.re.Select(4, 1);
    EXPECT_FALSE(b.re.SelAttributes.Bold());
    EXPECT_EQ(b.re.SelAttributes.Color(), tk::clWindowText);
    EXPECT_EQ(b.re.Paragraph.Alignment(), tk::taLeftJustify);
    b.re.Select(9, 0);
    EXPECT_EQ(b.re.Paragraph.Alignment(), tk::taCenter);
    DeleteFileA(path.c_str());
}

TEST(TkRichFile, DataThatIsNotRichTextLoadsAsShiftJisText) {
    std::string path = TempFile("plain_表.txt");
    ASSERT_TRUE(tk::WriteFileBytes(path, "表ソ一行目\r\n{\\rtf1 二行目}\r\n"));
    Box b;
    b.re.LoadFromFile(path);
    EXPECT_EQ(b.re.Lines.Count(), 2);
    EXPECT_EQ(b.re.Lines[0], "表ソ一行目");
    EXPECT_EQ(b.re.Lines[1], "{\\rtf1 二行目}");

    // In plain-text mode even rich text is read as it stands, and the lines are written back as text.
    ASSERT_TRUE(tk::WriteFileBytes(path, "{\\rtf1 表}"));
    b.re.PlainText = true;
    b.re.LoadFromFile(path);
    EXPECT_EQ(b.re.Text(), "{\\rtf1 表}");
    b.re.Lines.Add("ソ");
    b.re.SaveToFile(path);
    std::string bytes;
    ASSERT_TRUE(tk::ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "{\\rtf1 表}\r\nソ\r\n");
    DeleteFileA(path.c_str());

    EXPECT_THROW(b.re.LoadFromFile(TempFile("no_such_表.rtf")), rtl::Exception);
}

// The quiet loader gives the same text as LoadFromFile for rich, plain and empty files.
TEST(TkRichFile, LoadTextOfReadsAsLoadFromFile) {
    std::string path = TempFile("quiet_表.rtf");
    const char* files[] = {"{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS UI Gothic;}}\\f0 \\'95\\'5c a\\par b\\par }",
                           "表ソ一行目\r\n{\\rtf1 二行目}\r\n", ""};
    Box loaded, quiet(tk::reNoWordWrap);
    int changes = 0;
    quiet.re.OnChange = [&] { ++changes; };
    for (const char* data : files) {
        ASSERT_TRUE(tk::WriteFileBytes(path, data));
        loaded.re.LoadFromFile(path);
        quiet.re.SetModified(true);
        EXPECT_EQ(quiet.re.LoadTextOf(path), loaded.re.Text()) << data;
        EXPECT_EQ(quiet.re.Text(), loaded.re.Text());
        EXPECT_FALSE(quiet.re.Modified());
    }
    EXPECT_EQ(changes, 0);
    DeleteFileA(path.c_str());
    EXPECT_THROW(quiet.re.LoadTextOf(TempFile("no_such_表.rtf")), rtl::Exception);
}

// Reading a file's text without the box must give exactly what the box reads, and must leave
// to the box whatever it cannot be sure of.
TEST(TkRichFile, ReadTextOfGivesWhatTheBoxReads) {
    const std::string head = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS UI Gothic;}}\\f0\\fs20 ";
    struct {
        std::string data;
        bool withoutBox;
    } files[] = {
        // What the editors write: paragraphs, Japanese as escapes, formatting in between.
        {head + "10:00 \\'91\\'c5\\'82\\'bf\\'8d\\'87\\'82\\'ed\\'82\\'b9\\par \\'8e\\'91\\'97\\'bf\\par }", true},
        {head + "a\\par\\par b\\par\\par }", true},
        {head + "\\b bold\\b0  \\cf1 red\\tab tab \\'95\\'5c\\\\\\{\\}\\par }", true},
        {head + "{\\*\\generator Wine Riched20 2.0;}\\pard\\li200\\qc centred\\par\r\n}", true},
        {head + "\\uc1\\u8364? euro \\u-4064? \\par }", true},
        {head + "no mark at the end}", true},
        {head + "}", true},
        {"{\\rtf1 ascii only\\par second}", true},
        // Plain text the box keeps as it stands.
        {"表ソ一行目\r\n二行目\tタブ\r\n", true},
        {"", true},
        // Left to the box.
        {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 caf\\'e9\\par }", false},
        {head + "a\\line b\\par }", false},
        {head + "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}\\par }", false},
        {head + "\\'95}", false},
        {"lone\nline feeds\rand returns", false},
        {"{\\urtf1 x}", false},
    };
    // Rich text as the box itself writes it.
    const std::string path = TempFile("read_表.rtf");
    std::string saved;
    SaveFormatted("日本語の表示\r\n\r\n二行目\tはソ十", path);
    ASSERT_TRUE(tk::ReadFileBytes(path, saved));
    Box box(tk::reNoWordWrap), reader(tk::reNoWordWrap);
    auto check = [&](const std::string& data, bool withoutBox) {
        ASSERT_TRUE(tk::WriteFileBytes(path, data));
        reader.re.SetText("前の内容");
        EXPECT_EQ(reader.re.ReadTextOf(path), box.re.LoadTextOf(path)) << data;
        EXPECT_EQ(reader.re.Text() == "前の内容", withoutBox) << data;
    };
    for (const auto& f : files) check(f.data, f.withoutBox);
    check(saved, true);
    DeleteFileA(path.c_str());
    EXPECT_THROW(reader.re.ReadTextOf(TempFile("no_such_表.rtf")), rtl::Exception);
}

TEST(TkRichLines, AddAppendsParagraphsThatReadBack) {
    Box b;
    EXPECT_EQ(b.re.Lines.Count(), 0);
    b.re.SetText("表題");  // a text without a final break: the next line starts a paragraph
    EXPECT_EQ(b.re.Lines.Add("一行目"), 1);
    b.re.Lines.Add("");
    b.re.Lines.Add("ソ十");
    ASSERT_EQ(b.re.Lines.Count(), 4);
    EXPECT_EQ(b.re.Lines[0], "表題");
    EXPECT_EQ(b.re.Lines[2], "");
    EXPECT_EQ(b.re.Lines[3], "ソ十");
    EXPECT_EQ(b.re.Lines.Text(), "表題\r\n一行目\r\n\r\nソ十\r\n");
    b.re.Lines.Delete(0);
    b.re.Lines.Insert(1, "挿入");
    EXPECT_EQ(b.re.Lines.Text(), "一行目\r\n挿入\r\n\r\nソ十\r\n");
    EXPECT_THROW(b.re.Lines[4], rtl::Exception);
    b.re.Lines.Clear();
    EXPECT_EQ(b.re.Lines.Count(), 0);
    // Text that looks like rich text is still text.
    b.re.SetText("{\\rtf1 {\\b x}}");
    EXPECT_EQ(b.re.Text(), "{\\rtf1 {\\b x}}");
}

TEST(TkRichEdit, PositionsCountCharactersAndBreaksAsOne) {
    Box b;
    b.re.SetText("日本語\r\nabc ABC");
    EXPECT_EQ(b.re.GetTextLen(), 11);
    EXPECT_EQ(b.re.FindText("abc", 0, -1), 4);
    EXPECT_EQ(b.re.FindText("ABC", 0, -1, tk::stMatchCase), 8);
    EXPECT_EQ(b.re.FindText("ABC", 5, -1), 8);
    EXPECT_EQ(b.re.FindText("ABC", 0, 7, tk::stMatchCase), -1);
    EXPECT_EQ(b.re.FindText("語\r\na", 0, -1), 2);
    b.re.Select(2, 3);
    EXPECT_EQ(b.re.SelStart(), 2);
    EXPECT_EQ(b.re.SelLength(), 3);
    EXPECT_EQ(b.re.SelText(), "語\r\na");
    b.re.SetSelText("表");
    EXPECT_EQ(b.re.Text(), "日本表bc ABC");
}

TEST(TkRichEdit, SelectionFormatsReadBack) {
    Box b;
    b.re.SetText("明朝体の文字");
    b.re.Select(0, 2);
    b.re.SelAttributes.SetName("ＭＳ 明朝");
    b.re.SelAttributes.SetSize(14);
    b.re.SelAttributes.SetStyle(tk::fsItalic | tk::fsUnderline);
    b.re.Select(0, 6);
    b.re.SelAttributes.SetStyleBit(tk::fsStrikeOut, true);  // leaves the italic part italic
    b.re.Select(1, 0);
    EXPECT_EQ(b.re.SelAttributes.Name(), "ＭＳ 明朝");
    EXPECT_EQ(b.re.SelAttributes.Size(), 14);
    EXPECT_EQ(b.re.SelAttributes.Style(), tk::fsItalic | tk::fsUnderline | tk::fsStrikeOut);
    b.re.Select(4, 1);
    EXPECT_EQ(b.re.SelAttributes.Style(), tk::fsStrikeOut);
    EXPECT_EQ(b.re.SelAttributes.Size(), 9);  // the box's font

    b.re.Paragraph.SetNumbering(tk::nsBullet);
    EXPECT_EQ(b.re.Paragraph.Numbering(), tk::nsBullet);
    EXPECT_EQ(b.re.Paragraph.LeftIndent(), 10);
    b.re.Paragraph.SetNumbering(tk::nsNone);
    EXPECT_EQ(b.re.Paragraph.LeftIndent(), 0);
}

TEST(TkRichEdit, ChangeFromCodeFiresOnceAndOnlyWhenTheTextMoves) {
    Box b;
    int changes = 0, selections = 0;
    b.re.OnChange = [&] { ++changes; };
    b.re.SetText("一");
    EXPECT_EQ(changes, 1);
    b.re.SetText("一");
    EXPECT_EQ(changes, 1);
    b.re.Lines.Add("二");
    EXPECT_EQ(changes, 2);
    b.re.OnSelectionChange = [&] { ++selections; };
    b.re.Select(0, 1);
    EXPECT_GE(selections, 1);
    b.re.SetSelText("三");
    EXPECT_EQ(changes, 3);
    b.re.SelectAll();
    b.re.SelAttributes.SetColor(tk::clBlue);
    EXPECT_EQ(changes, 3);
    b.re.Clear();
    EXPECT_EQ(changes, 4);
    // Typing is the user's edit: each keystroke reports once.
    b.re.SetFocus();
    SendMessageA(b.re.Handle, WM_CHAR, 'x', 0);
    EXPECT_EQ(changes, 5);
    EXPECT_TRUE(b.re.Modified());
}

TEST(TkRichEdit, LoadQuietlyRaisesNoSelectionChangeAndKeepsTheEventsAfter) {
    Box b;
    int changes = 0, selections = 0;
    b.re.OnChange = [&] { ++changes; };
    b.re.OnSelectionChange = [&] { ++selections; };
    rtl::TMemoryStream s;
    s.LoadFromString("{\\rtf1\\ansi{\\b bold} plain\\par second\\par}");
    b.re.LoadQuietly(s);
    EXPECT_EQ(b.re.Text(), "bold plain\r\nsecond");
    EXPECT_EQ(selections, 0);
    EXPECT_EQ(changes, 1);  // the text moved, as with LoadFromStream
    EXPECT_FALSE(b.re.Modified());
    b.re.Select(0, 4);
    EXPECT_GE(selections, 1);
    EXPECT_TRUE(b.re.SelAttributes.Bold());
}

TEST(TkRichEdit, ReadOnlyRefusesTypingAndWrapFollowsTheSwitch) {
    Box b;
    b.re.SetText(std::string(80, 'w') + " " + std::string(80, 'w'));
    EXPECT_GT(SendMessageA(b.re.Handle, EM_GETLINECOUNT, 0, 0), 1);
    b.re.SetWordWrap(false);
    EXPECT_EQ(SendMessageA(b.re.Handle, EM_GETLINECOUNT, 0, 0), 1);
    b.re.SetWordWrap(true);
    EXPECT_GT(SendMessageA(b.re.Handle, EM_GETLINECOUNT, 0, 0), 1);

    b.re.SetText("読み取り専用");
    b.re.SetReadOnly(true);
    EXPECT_TRUE(b.re.ReadOnly());
    b.re.SetFocus();
    SendMessageA(b.re.Handle, WM_CHAR, 'x', 0);
    EXPECT_EQ(b.re.Text(), "読み取り専用");
    b.re.SetReadOnly(false);
    EXPECT_FALSE(b.re.ReadOnly());
}

TEST(TkRichEdit, MarginsKeepSixPixelsAndFollowResizes) {
    Box b(tk::reNoBorder);
    b.re.SetMargins();
    RECT c = b.re.ClientRect(), r = b.re.FormatRect();
    EXPECT_EQ(r.left, 6);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, c.right - 6);
    EXPECT_EQ(r.bottom, c.bottom);

    b.re.KeepMargins = true;
    RECT seen{};
    b.re.OnResize = [&] { seen = b.re.FormatRect(); };
    b.re.SetBounds(8, 8, 377, 150);
    c = b.re.ClientRect();
    r = b.re.FormatRect();
    EXPECT_EQ(r.left, 6);
    EXPECT_EQ(r.right, c.right - 6);
    EXPECT_EQ(r.bottom, c.bottom);
    EXPECT_EQ(seen.right, c.right - 6);  // OnResize already sees the renewed rectangle

    // With a sunken edge the control moves the rectangle out by its 1-pixel border, evenly.
    Box edged;
    edged.re.SetMargins();
    c = edged.re.ClientRect();
    r = edged.re.FormatRect();
    EXPECT_EQ(c.right - r.right, r.left);
    EXPECT_GE(r.left, 5);
}

// The margins are left alone when the control already holds them; whatever brought the resize
// (a scroll bar coming or going with the text, the box's own size), the rectangle must be the
// one a fresh setting would give.
TEST(TkRichEdit, MarginsStayRightWhenTheControlCarriesThemOver) {
    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "\\par \\'93\\'fa\\'8b\\'4c line " + std::to_string(i);
    const std::string longRtf = "{\\rtf1\\ansi\\ansicpg932 start" + longText + "}";
    const std::string shortRtf = "{\\rtf1\\ansi one line\\par}";
    struct Step {
        const char* what;
        std::function<void(tk::RichEdit&)> run;
    } steps[] = {
        {"a long text brings the scroll bar", [&](tk::RichEdit& re) {
             rtl::TMemoryStream s;
             s.LoadFromString(longRtf);
             re.LoadQuietly(s);
         }},
        {"narrower", [](tk::RichEdit& re) { re.SetBounds(8, 8, 251, 180); }},
        {"a short text takes the scroll bar away", [&](tk::RichEdit& re) {
             rtl::TMemoryStream s;
             s.LoadFromString(shortRtf);
             re.LoadFromStream(s);
         }},
        {"wider", [](tk::RichEdit& re) { re.SetBounds(8, 8, 389, 220); }},
        {"lower only", [](tk::RichEdit& re) { re.SetBounds(8, 8, 389, 140); }},
        {"the long text again", [&](tk::RichEdit& re) {
             rtl::TMemoryStream s;
             s.LoadFromString(longRtf);
             re.LoadFromStream(s);
         }},
    };
    for (int style : {(int)tk::reVScroll, tk::reVScroll | tk::reNoBorder}) {
        Box b(style);
        b.re.KeepMargins = true;
        b.re.SetMargins();
        for (const Step& step : steps) {
            step.run(b.re);
            RECT c = b.re.ClientRect(), kept = b.re.FormatRect();
            RECT want{6, 0, c.right - 6, c.bottom};
            SendMessageA(b.re.Handle, EM_SETRECT, 0, (LPARAM)&want);
            RECT fresh = b.re.FormatRect();
            EXPECT_TRUE(EqualRect(&kept, &fresh)) << step.what << " (style " << style << "): " << kept.left << ","
                                                   << kept.right << " against " << fresh.left << "," << fresh.right;
        }
    }
}

// A form with styled Japanese rich text, a progress bar at 40% and the drive / folder / file trio
// in a temp folder with Japanese names. Run with --gtest_also_run_disabled_tests; TKRICH_SHOW_MS
// keeps it on screen for a capture.
TEST(TkRichGallery, DISABLED_Show) {
    std::string base = TempFile("ギャラリー表");
    for (auto d : {"\\写真ソ\\旅行", "\\写真ソ\\表計算", "\\音楽"}) tk::ForceDirectories(base + d);
    for (auto f : {"表紙.bmp", "海と空.jpg", "夕焼け.JPG", "メモ.txt", "能登.bmp"})
        tk::WriteFileBytes(base + "\\写真ソ\\" + f, "x");

    tk::Form form({.caption = "リッチテキストとファイル", .left = 20, .top = 20, .width = 620, .height = 470});
    tk::RichEdit re;
    re.Create(form, {.at = {8, 8, 596, 190}, .style = tk::reVScroll});
    re.KeepMargins = true;
    re.SetMargins();
    re.Lines.Add("日記の見出し");
    re.Lines.Add("今日は晴れ。赤い文字、斜体、下線と取り消し線。");
    re.Lines.Add("明朝体で書いた一行です。");
    re.Lines.Add("箇条書きの一つ目");
    re.Lines.Add("箇条書きの二つ目");
    re.Select(0, 6);
    re.SelAttributes.SetSize(14);
    re.SelAttributes.SetStyleBit(tk::fsBold, true);
    re.Paragraph.SetAlignment(tk::taCenter);
    re.Select(13, 4);
    re.SelAttributes.SetColor(tk::clRed);
    re.Select(18, 2);
    re.SelAttributes.SetStyleBit(tk::fsItalic, true);
    re.Select(21, 2);
    re.SelAttributes.SetStyleBit(tk::fsUnderline, true);
    re.Select(24, 5);
    re.SelAttributes.SetStyleBit(tk::fsStrikeOut, true);
    re.Select(31, 12);
    re.SelAttributes.SetName("ＭＳ 明朝");
    re.SelAttributes.SetSize(12);
    re.SelAttributes.SetColor(tk::clNavy);
    re.Select(44, 17);
    re.Paragraph.SetNumbering(tk::nsBullet);
    re.Select(0, 0);

    tk::ProgressBar bar;
    bar.Create(form, {.at = {8, 206, 596, 16}, .value = 40});
    tk::DriveComboBox drives;
    tk::DirectoryListBox dirs;
    tk::FileListBox files;
    drives.Create(form, {.at = {8, 230, 290, 22}});
    dirs.Create(form, {.at = {8, 258, 290, 170}});
    files.Create(form, {.at = {306, 230, 298, 198}, .style = tk::flShowGlyphs});
    files.SetMask("*.bmp;*.jpg");
    drives.SetDirList(&dirs);
    dirs.SetFileList(&files);
    dirs.SetDirectory(base + "\\写真ソ");
    files.SetFileName(base + "\\写真ソ\\海と空.jpg");
    form.Show();
    const char* ms = getenv("TKRICH_SHOW_MS");
    DWORD until = GetTickCount() + (ms ? atoi(ms) : 1500);
    while (GetTickCount() < until) wintest::Pump(1);
}
