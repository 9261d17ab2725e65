// Paragraph indents in RTF that Wine's rich edit wrote, put in RTF's sense.
#include <gtest/gtest.h>

#include "toolkit/RtfIndents.h"

namespace {
const std::string kWine = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 System;}}\n{\\*\\generator Wine Riched20 2.0;}\n";
}

TEST(RtfIndents, WinesIndentWordsAreRewrittenParagraphByParagraph) {
    const struct {
        const char* body;
        const char* expect;
    } cases[] = {
        // first line 24 pt, the others 12 pt further in: \li (first + offset), \fi (−offset)
        {"\\pard\\sl-240\\slmult1\\li240\\fi480\\ri360 bbb\\par\n", "\\pard\\sl-240\\slmult1\\li720\\fi-240\\ri360 bbb\\par\n"},
        {"\\pard\\li200 ccc\\par\n", "\\pard\\li200\\fi-200 ccc\\par\n"},                      // bullet text 10 pt in
        {"\\pard\\fi360 d\\par\n", "\\pard\\li360 d\\par\n"},                                  // a plain indent
        {"\\pard\\li-120\\fi600 e\\par\n", "\\pard\\li480\\fi120 e\\par\n"},                   // a hanging first line
        {"\\pard\\li200\\fi-200 f\\par\n", "\\pard\\fi-200 f\\par\n"},
        {"\\pard\\sl-240 no indents\\par\n", "\\pard\\sl-240 no indents\\par\n"},
        // Words in the text are escaped backslashes, not control words.
        {"\\pard a\\\\li5\\\\fi7 \\'95\\\\li\\par\n", "\\pard a\\\\li5\\\\fi7 \\'95\\\\li\\par\n"},
        // \lin and \pnindent are other words.
        {"\\pard{\\*\\pn\\pnindent0}\\lin5\\li100 g\\par\n", "\\pard{\\*\\pn\\pnindent0}\\lin5\\li100\\fi-100 g\\par\n"},
        // Beyond what the control holds: held at the 32-bit limits, never wrapped.
        {"\\pard\\li1\\fi2147483647 h\\par\n", "\\pard\\li2147483647\\fi-1 h\\par\n"},
        {"\\pard\\li-2147483648\\fi-5 i\\par\n", "\\pard\\li-2147483648\\fi2147483647 i\\par\n"},
        {"\\pard\\li99999999999999999999999 j\\par\n", "\\pard\\li2147483647\\fi-2147483647 j\\par\n"},
        // A word that goes leaves the bare word before it apart from the text after it.
        {"\\pard\\li5\\b\\fi3x\\par\n", "\\pard\\li8\\fi-5\\b x\\par\n"},
        {"\\pard\\li9\\li\\fi2-3\\par\n", "\\pard\\li11\\fi-9\\li -3\\par\n"},
        {"\\pard\\li0\\\\b\\fi0x\\par\n", "\\pard\\\\bx\\par\n"},  // an escaped backslash and text
    };
    std::string all, allExpected;
    for (auto& c : cases) {
        EXPECT_EQ(tk::FixWineParagraphIndents(kWine + c.body + "}"), kWine + c.expect + "}") << c.body;
        all += c.body;
        allExpected += c.expect;
    }
    EXPECT_EQ(tk::FixWineParagraphIndents(kWine + all + "}"), kWine + allExpected + "}");
}

TEST(RtfIndents, OtherWritersAreLeftAlone) {
    const std::string windows = "{\\rtf1\\ansi{\\*\\generator Riched20 5.50.99.2050;}\\pard\\li240\\fi480 x\\par}";
    EXPECT_EQ(tk::FixWineParagraphIndents(windows), windows);
    EXPECT_EQ(tk::FixWineParagraphIndents(""), "");
    EXPECT_EQ(tk::FixWineParagraphIndents(kWine + "\\pard\\li"), kWine + "\\pard\\li");  // cut short: no number
}
