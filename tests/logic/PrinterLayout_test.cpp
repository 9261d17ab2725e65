// Printed pages: where lines wrap, where pages break and where each piece of text is drawn.
#include "toolkit/PrinterLayout.h"

#include <gtest/gtest.h>

using tk::print::LayOut;
using tk::print::LayoutPara;
using tk::print::ParaAlign;
using tk::print::RunMetrics;

namespace {

// A paragraph whose characters are all 10 units wide, in run 0.
LayoutPara Para(const std::u16string& text) {
    LayoutPara p;
    p.text = text;
    p.advance.assign(text.size(), 10);
    p.run.assign(text.size(), 0);
    return p;
}

std::vector<std::u16string> LineTexts(const LayoutPara& p, int width) {
    tk::print::Layout l = LayOut({p}, {{8, 2}}, width, 1000, 40);
    std::vector<std::u16string> out;
    for (auto& line : l.lines) {
        int from = line.pieces.empty() ? 0 : line.pieces.front().from;
        int to = line.pieces.empty() ? 0 : line.pieces.back().to;
        out.push_back(p.text.substr(from, to - from));
    }
    return out;
}

}  // namespace

TEST(PrinterLayout, WrapsAtBlanksBetweenJapaneseCharactersAndByPunctuationRules) {
    struct Case {
        std::u16string text;
        int width;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"abc def ghi", 70, {u"abc def ", u"ghi"}},          // the blank stays at the line's end
        {u"ab    cd", 30, {u"ab    ", u"cd"}},                // blanks hang past the edge
        {u"あいうえおかきくけこ", 45, {u"あいうえ", u"おかきく", u"けこ"}},
        {u"あいう。えお", 30, {u"あい", u"う。え", u"お"}},    // no line starts with 。
        {u"あい「う」", 30, {u"あい", u"「う」"}},              // no line ends with 「
        {u"abc日本", 45, {u"abc日", u"本"}},
        {u"abcdefghij", 35, {u"abc", u"def", u"ghi", u"j"}},  // a word longer than the line
        {u"ab", 5, {u"a", u"b"}},                             // at least one character a line
        {u"\xD840\xDC0B\xD840\xDC0B", 15, {u"\xD840\xDC0B", u"\xD840\xDC0B"}},  // pairs stay whole
        {u"a\xD840\xDC0B", 25, {u"a", u"\xD840\xDC0B"}},
    };
    for (auto& c : cases) EXPECT_EQ(LineTexts(Para(c.text), c.width), c.lines) << c.width;
}

TEST(PrinterLayout, PlacesPiecesByIndentAlignmentTabsAndRuns) {
    struct Case {
        const char* what;
        LayoutPara para;
        std::vector<std::vector<int>> pieces;  // from, to, x of the first line's pieces
    };
    auto with = [](LayoutPara p, auto change) {
        change(p);
        return p;
    };
    Case cases[] = {
        {"left", Para(u"ab"), {{0, 2, 0}}},
        {"centre", with(Para(u"ab"), [](auto& p) { p.align = ParaAlign::Center; }), {{0, 2, 40}}},
        {"right, trailing blanks not counted", with(Para(u"ab  "), [](auto& p) { p.align = ParaAlign::Right; }),
         {{0, 4, 80}}},
        {"right within indents", with(Para(u"ab"), [](auto& p) {
             p.align = ParaAlign::Right;
             p.firstIndent = 10;
             p.rightIndent = 20;
         }),
         {{0, 2, 60}}},
        {"tab to the next stop", Para(u"a\tb"), {{0, 1, 0}, {2, 3, 40}}},
        {"tab measured from the edge", with(Para(u"a\tb"), [](auto& p) { p.firstIndent = 30; }),
         {{0, 1, 30}, {2, 3, 80}}},
        {"a new piece for each run", with(Para(u"aaBB"), [](auto& p) { p.run = {0, 0, 1, 1}; }),
         {{0, 2, 0}, {2, 4, 20}}},
        {"bullet lines start at the rest indent", with(Para(u"ab"), [](auto& p) {
             p.bullet = true;
             p.firstIndent = 5;
             p.restIndent = 25;
         }),
         {{0, 2, 25}}},
    };
    for (auto& c : cases) {
        auto l = LayOut({c.para}, {{8, 2}, {16, 4}}, 100, 1000, 40);
        ASSERT_FALSE(l.lines.empty()) << c.what;
        std::vector<std::vector<int>> got;
        for (auto& p : l.lines[0].pieces) got.push_back({p.from, p.to, p.x});
        EXPECT_EQ(got, c.pieces) << c.what;
        EXPECT_EQ(l.lines[0].bullet, c.para.bullet) << c.what;
    }
}

TEST(PrinterLayout, LinesTakeTheirTallestRunAndFillPagesInOrder) {
    // 25 lines of 10 units on pages 100 high: 10 a page; an empty paragraph is as high as its break.
    std::vector<LayoutPara> paras;
    for (int i = 0; i < 24; ++i) paras.push_back(Para(u"x"));
    LayoutPara empty;
    empty.breakRun = 1;
    paras.insert(paras.begin() + 5, empty);
    LayoutPara mixed = Para(u"xX");
    mixed.run = {0, 1};
    paras[0] = mixed;
    auto l = LayOut(paras, {{8, 2}, {16, 4}}, 100, 100, 40);
    ASSERT_EQ(l.lines.size(), 25u);
    EXPECT_EQ(l.lines[0].baseline, 16);  // the taller run sets the line
    EXPECT_EQ(l.lines[1].top, 20);
    EXPECT_EQ(l.lines[5].pieces.size(), 0u);
    EXPECT_EQ(l.lines[6].top - l.lines[5].top, 20);
    int perPage[3] = {};
    int lastTop = -1, lastPage = 0;
    for (auto& line : l.lines) {
        ++perPage[line.page];
        if (line.page == lastPage) EXPECT_GT(line.top, lastTop);
        else EXPECT_EQ(line.top, 0);
        EXPECT_LE(line.top + 10, 100);
        lastTop = line.top;
        lastPage = line.page;
    }
    EXPECT_EQ(l.pages, 3);
    EXPECT_EQ(perPage[0], 8);  // 20 + 20 + 6 x 10 = 100
    EXPECT_EQ(perPage[1], 10);
    EXPECT_EQ(perPage[2], 7);

    // A line taller than the page still gets a page; nothing at all is one empty page.
    auto tall = LayOut({Para(u"x"), Para(u"x")}, {{80, 40}}, 100, 100, 40);
    EXPECT_EQ(tall.pages, 2);
    EXPECT_EQ(LayOut({}, {}, 100, 100, 40).pages, 1);
}
