// Labels: sizing to the caption, wrapping, colours, and transparency over what the parent paints.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

namespace {

COLORREF Pixel(HWND h, int x, int y) {
    HDC dc = GetDC(h);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

}  // namespace

TEST(TkLabel, SizeFollowsCaptionAndFontUnlessFixed) {
    tk::Form f({.caption = "ラベル"});
    tk::Label a, fixed, wrap;
    a.Create(f, {.at = {8, 8, 0, 0}, .caption = "日"});
    fixed.Create(f, {.at = {8, 40, 50, 20}, .caption = "長い長い長い長い見出し", .style = tk::lsNoAutoSize});
    wrap.Create(f, {.at = {8, 80, 60, 0}, .caption = "短い", .style = tk::lsWordWrap});
    int w1 = a.Width(), h1 = a.Height();
    EXPECT_GT(w1, 5);
    EXPECT_GT(h1, 8);
    a.SetCaption("日曜日の予定");
    EXPECT_GT(a.Width(), 4 * w1);
    EXPECT_EQ(a.Height(), h1);
    a.SetFont(tk::TFont{.Size = 18});
    EXPECT_GT(a.Height(), h1 + 5);
    EXPECT_EQ(fixed.Width(), 50);
    EXPECT_EQ(fixed.Height(), 20);

    int oneLine = wrap.Height();
    wrap.SetCaption("折り返しのある長い説明文です");
    EXPECT_EQ(wrap.Width(), 60);
    EXPECT_GT(wrap.Height(), 2 * oneLine);
}

TEST(TkLabel, ColoursAndTransparencyOverThePaintedParent) {
    tk::Form f({.caption = "透過", .width = 300, .height = 200});
    f.OnPaint = [&](tk::TCanvas& c) {
        c.Brush.Color = tk::clLime;
        c.FillRect({0, 0, 300, 40});  // a band the form paints itself
    };
    tk::Label clear, plain, own;
    clear.Create(f, {.at = {10, 10, 0, 0}, .caption = "透明", .style = tk::lsTransparent});
    plain.Create(f, {.at = {100, 10, 0, 0}, .caption = "普通"});
    own.Create(f, {.at = {200, 10, 0, 0}, .caption = "赤字", .color = tk::clYellow,
                   .font = tk::TFont{.Size = 14, .Color = tk::clRed}});
    f.Show();
    wintest::Pump();
    RedrawWindow(f.Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(Pixel(clear.Handle, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(Pixel(plain.Handle, 0, 0), GetSysColor(COLOR_BTNFACE));  // the form's colour
    EXPECT_EQ(Pixel(own.Handle, 0, 0), RGB(255, 255, 0));
    int red = 0;
    for (int y = 0; y < own.Height(); ++y)
        for (int x = 0; x < own.Width(); ++x)
            if (Pixel(own.Handle, x, y) == RGB(255, 0, 0)) ++red;
    EXPECT_GT(red, 20);

    // On a panel the label takes the panel's colour.
    tk::Panel p;
    tk::Label onPanel;
    p.Create(f, {.at = {10, 60, 200, 60}, .color = tk::clAqua});
    onPanel.Create(p, {.at = {5, 5, 0, 0}, .caption = "パネル上"});
    RedrawWindow(p.Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(Pixel(onPanel.Handle, 0, 0), RGB(0, 255, 255));
}

// Captions are measured off screen while their window is still hidden; the sizes must be those
// the shown window's own DC gives, in every font a window of ours uses.
TEST(TkLabel, SizesMeasuredWhileHiddenMatchTheScreen) {
    struct Case {
        const char* caption;
        tk::TFont font;
    } cases[] = {{"タイトル", {}},
                 {"▲", {.Size = 7}},
                 {"日曜日の予定 Sunday", {.Name = "ＭＳ Ｐゴシック", .Size = 12, .Style = tk::fsBold}},
                 {"", {.Size = 18}}};
    tk::Form f({.caption = "ラベル"});
    std::vector<std::unique_ptr<tk::Label>> labels;
    int y = 4;
    for (const Case& c : cases) {
        labels.push_back(std::make_unique<tk::Label>());
        labels.back()->Create(f, {.at = {4, y, 0, 0}, .caption = c.caption, .font = c.font});
        y += 40;
    }
    f.Show();
    for (size_t i = 0; i < labels.size(); ++i) {
        tk::Label& l = *labels[i];
        HDC dc = GetDC(l.Handle);
        HGDIOBJ old = SelectObject(dc, l.Font.Handle());
        RECT r{};
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        std::string s = cases[i].caption;
        if (!s.empty()) DrawTextA(dc, s.c_str(), (int)s.size(), &r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
        SelectObject(dc, old);
        ReleaseDC(l.Handle, dc);
        SCOPED_TRACE(s);
        EXPECT_EQ(l.Height(), s.empty() ? tm.tmHeight : r.bottom);
        EXPECT_EQ(tk::FontLineHeight(l.Font), tm.tmHeight);
        if (!s.empty()) {
            EXPECT_EQ(l.Width(), r.right);
        }
    }
}
