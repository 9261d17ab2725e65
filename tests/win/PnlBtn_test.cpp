// The flat glyph button: where glyph and caption go, how each state looks, the press-and-release
// rules, mouse enter and leave, the caption's accelerator and the shared image lists.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "controls/PnlBtn.h"
#include "tests/win/WinTest.h"
#include "toolkit/Form.h"

namespace {

constexpr COLORREF kKey = RGB(128, 128, 0);  // clOlive, the glyphs' transparent colour
constexpr COLORREF kRed = RGB(255, 0, 0);

// 16 x 16 per image: a red 10 x 10 square at (3, 3) on the transparent colour. A second image,
// when asked for, has a white and a grey square instead.
void MakeGlyph(tk::TBitmap& b, int images = 1, int size = 16) {
    b.SetSize(size * images, size);
    tk::TCanvas& c = b.Canvas();
    c.Brush.Color = tk::clOlive;
    c.FillRect({0, 0, size * images, size});
    c.Brush.Color = tk::clRed;
    c.FillRect({3, 3, 13, 13});
    if (images > 1) {
        c.Brush.Color = tk::clWhite;
        c.FillRect({size + 3, 3, size + 8, 13});
        c.Brush.Color = tk::clGray;
        c.FillRect({size + 8, 3, size + 13, 13});
    }
}

// The button's picture as WM_PRINTCLIENT draws it.
struct Shot {
    int w = 0, h = 0;
    std::vector<COLORREF> px;
    COLORREF At(int x, int y) const { return px[y * w + x]; }
    int Count(COLORREF c, RECT in = {0, 0, 9999, 9999}) const {
        int n = 0;
        for (int y = in.top; y < std::min((long)h, in.bottom); ++y)
            for (int x = in.left; x < std::min((long)w, in.right); ++x) n += At(x, y) == c;
        return n;
    }
    // The smallest rectangle holding every pixel that passes the test.
    template <class Test>
    RECT Bounds(Test test) const {
        RECT r{w, h, 0, 0};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (test(At(x, y))) r = {std::min<long>(r.left, x), std::min<long>(r.top, y),
                                         std::max<long>(r.right, x + 1), std::max<long>(r.bottom, y + 1)};
        return r;
    }
};

Shot Snap(tk::Control& c) {
    Shot s{c.ClientWidth(), c.ClientHeight()};
    tk::TBitmap b(s.w, s.h);
    SendMessageA(c.Handle, WM_PRINTCLIENT, (WPARAM)b.Canvas().Handle, PRF_CLIENT);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) s.px.push_back(GetPixel(b.Canvas().Handle, x, y));
    return s;
}

bool IsDark(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }
bool IsRed(COLORREF c) { return c == kRed; }

struct ButtonForm : tk::Form {
    TPanelButton Btn;
    int clicks = 0;
    explicit ButtonForm(const tk::Ctl& p = {.at = {10, 10, 31, 31}}) : Form({.caption = "ボタン", .width = 300, .height = 200}) {
        Btn.Create(*this, p);
        Btn.OnClick = [this] { ++clicks; };
    }
    void Mouse(UINT msg, int x, int y) {
        WPARAM keys = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK ? MK_LBUTTON : 0;
        if (msg == WM_MOUSEMOVE && GetCapture() == Btn.Handle) keys = MK_LBUTTON;
        SendMessageA(Btn.Handle, msg, keys, MAKELPARAM(x, y));
    }
};

}  // namespace

TEST(PnlBtnLayout, PlacesGlyphAndCaptionByTheRules) {
    struct Row {
        const char* what;
        RECT content;
        SIZE text;
        TButtonLayout layout;
        int margin, spacing;
        POINT glyph;
        POINT text_at;
    };
    const Row rows[] = {
        {"left, centred together", {0, 0, 80, 31}, {20, 12}, blGlyphLeft, -1, 4, {20, 8}, {40, 10}},
        {"right, centred together", {0, 0, 80, 31}, {20, 12}, blGlyphRight, -1, 4, {44, 8}, {20, 10}},
        {"left, margin 3", {0, 0, 80, 31}, {20, 12}, blGlyphLeft, 3, 4, {3, 8}, {23, 10}},
        {"left, caption centred in the rest", {0, 0, 80, 31}, {20, 12}, blGlyphLeft, 2, -1, {2, 8}, {39, 10}},
        {"left, both spread evenly", {0, 0, 80, 31}, {20, 12}, blGlyphLeft, -1, -1, {14, 8}, {44, 10}},
        {"top", {0, 0, 40, 60}, {20, 12}, blGlyphTop, -1, 4, {12, 14}, {10, 34}},
        {"bottom", {0, 0, 40, 60}, {20, 12}, blGlyphBottom, -1, 4, {12, 30}, {10, 14}},
        {"no caption: no spacing", {0, 0, 80, 31}, {0, 0}, blGlyphLeft, -1, 4, {32, 8}, {48, 16}},
        {"pressed content moves one pixel", {1, 1, 81, 32}, {20, 12}, blGlyphLeft, -1, 4, {21, 9}, {41, 11}},
        {"too narrow: negative margin", {0, 0, 20, 20}, {20, 12}, blGlyphLeft, -1, 4, {-9, 2}, {11, 4}},
    };
    for (const Row& r : rows) {
        TGlyphPlacement at = PlaceGlyph(r.content, {16, 16}, r.text, r.layout, r.margin, r.spacing);
        EXPECT_EQ(at.glyph.x, r.glyph.x) << r.what;
        EXPECT_EQ(at.glyph.y, r.glyph.y) << r.what;
        EXPECT_EQ(at.text.left, r.text_at.x) << r.what;
        EXPECT_EQ(at.text.top, r.text_at.y) << r.what;
        EXPECT_EQ(at.text.right - at.text.left, r.text.cx) << r.what;
        EXPECT_EQ(at.text.bottom - at.text.top, r.text.cy) << r.what;
    }
}

TEST(PnlBtnLayout, PaintedGlyphAndCaptionLandWhereTheLayoutSays) {
    struct Row {
        TButtonLayout layout;
        int margin;
        bool glyphFirst;  // along the axis, the glyph comes before the caption
        bool across;
    };
    const Row rows[] = {{blGlyphLeft, -1, true, true},
                        {blGlyphRight, -1, false, true},
                        {blGlyphTop, -1, true, false},
                        {blGlyphBottom, 2, false, false}};
    for (const Row& r : rows) {
        ButtonForm f({.at = {10, 10, 90, 60}, .caption = "Ab"});
        tk::TBitmap g;
        MakeGlyph(g);
        f.Btn.SetGlyph(g);
        f.Btn.SetLayout(r.layout);
        f.Btn.SetMargin(r.margin);
        Shot s = Snap(f.Btn);
        RECT glyph = s.Bounds(IsRed), text = s.Bounds(IsDark);
        SCOPED_TRACE(r.layout);
        EXPECT_EQ(glyph.right - glyph.left, 10);  // the whole red square, once
        EXPECT_EQ(s.Count(kKey), 0);              // the transparent colour never shows
        ASSERT_LT(text.left, text.right);
        // Glyph and caption do not overlap and lie in the order of the layout.
        if (r.across) {
            EXPECT_TRUE(r.glyphFirst ? glyph.right <= text.left : text.right <= glyph.left);
            EXPECT_NEAR((glyph.top + glyph.bottom) / 2.0, 30, 1.5);  // centred across the axis
        } else {
            EXPECT_TRUE(r.glyphFirst ? glyph.bottom <= text.top : text.bottom <= glyph.top);
            EXPECT_NEAR((glyph.left + glyph.right) / 2.0, 45, 1.5);
        }
        if (r.margin == 2) {
            EXPECT_EQ(glyph.bottom, 60 - 2 - 3);  // image ends at the margin; square 3 px in
        }
    }
}

TEST(PnlBtnLayout, PropertySettersKeepTheirRanges) {
    ButtonForm f;
    EXPECT_EQ(f.Btn.Width(), 31);
    EXPECT_EQ(f.Btn.Height(), 31);
    EXPECT_EQ(f.Btn.Spacing(), 4);
    EXPECT_EQ(f.Btn.Margin(), -1);
    EXPECT_EQ(f.Btn.Layout(), blGlyphLeft);
    EXPECT_EQ(f.Btn.State(), pbFlat);
    struct Row {
        int set, expect;
    };
    for (Row r : {Row{2, 2}, Row{6, 4}, Row{0, 4}, Row{-1, 4}, Row{1, 1}}) {
        f.Btn.SetNumGlyphs(r.set);
        EXPECT_EQ(f.Btn.NumGlyphs(), r.expect) << r.set;
    }
    for (Row r : {Row{5, 5}, Row{-2, 5}, Row{-1, -1}, Row{0, 0}}) {
        f.Btn.SetMargin(r.set);
        EXPECT_EQ(f.Btn.Margin(), r.expect) << r.set;
    }
}

TEST(PnlBtnPaint, EachStateHasItsEdgeGlyphAndCaption) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), highlight = GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = GetSysColor(COLOR_BTNSHADOW);
    enum Action { Nothing, Hover, Press, Disable };
    struct Row {
        const char* what;
        Action action;
        int images;
        int state;
        COLORREF corner;  // top-left pixel: the edge or none
        int shift;        // the glyph's offset from where it lies when flat
    };
    const Row rows[] = {
        {"flat", Nothing, 1, pbFlat, face, 0},
        {"raised under the mouse", Hover, 1, pbRaised, highlight, 0},
        {"pressed", Press, 1, pbPressed, shadow, 1},
        {"disabled, embossed", Disable, 1, pbDisabled, face, 0},
        {"disabled, second image", Disable, 2, pbDisabled, face, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ButtonForm f({.at = {10, 10, 60, 31}, .caption = "Ab"});
        tk::TBitmap g;
        MakeGlyph(g, r.images);
        f.Btn.SetGlyph(g);
        f.Btn.SetNumGlyphs(r.images);
        RECT flat = Snap(f.Btn).Bounds(IsRed);
        if (r.action == Hover || r.action == Press) f.Mouse(WM_MOUSEMOVE, 20, 15);
        if (r.action == Press) f.Mouse(WM_LBUTTONDOWN, 20, 15);
        if (r.action == Disable) f.Btn.SetEnabled(false);
        Shot s = Snap(f.Btn);
        EXPECT_EQ(f.Btn.State(), r.state);
        EXPECT_EQ(s.At(0, 0), r.corner);
        EXPECT_EQ(s.Count(kKey), 0);
        if (r.state != pbDisabled) {
            RECT red = s.Bounds(IsRed);
            EXPECT_EQ(red.left, flat.left + r.shift);
            EXPECT_EQ(red.top, flat.top + r.shift);
            EXPECT_GT(s.Count(RGB(0, 0, 0)), 0);  // caption in the font's colour
            continue;
        }
        EXPECT_EQ(s.Count(kRed), 0);
        // Where the red square lay: its shape in shadow, lit one pixel right and down.
        const int x = flat.left, y = flat.top;
        if (r.images == 1) {
            EXPECT_EQ(s.At(x, y), shadow);
            EXPECT_EQ(s.At(x + 9, y + 9), shadow);
            EXPECT_EQ(s.At(x + 10, y + 5), highlight);
            EXPECT_EQ(s.At(x + 5, y + 10), highlight);
            EXPECT_EQ(s.At(x - 1, y - 1), face);
        } else {
            // The second image: its white part in the highlight colour, its grey part in shadow.
            EXPECT_EQ(s.At(x + 2, y + 5), highlight);
            EXPECT_EQ(s.At(x + 7, y + 5), shadow);
        }
        // The caption twice: white one pixel right and down, grey at its place; no black.
        EXPECT_GT(s.Count(RGB(128, 128, 128), {30, 0, 60, 31}), 0);
        EXPECT_GT(s.Count(RGB(255, 255, 255), {30, 0, 60, 31}), 0);
        EXPECT_EQ(s.Count(RGB(0, 0, 0)), 0);
    }
}

TEST(PnlBtnMouse, PressAndReleaseRules) {
    enum { Move = WM_MOUSEMOVE, Down = WM_LBUTTONDOWN, Up = WM_LBUTTONUP, Dbl = WM_LBUTTONDBLCLK, RUp = WM_RBUTTONUP };
    struct Step {
        UINT msg;
        int x, y;
        int state;
    };
    struct Row {
        const char* what;
        std::vector<Step> steps;
        int clicks;
    };
    const Row rows[] = {
        {"click", {{Move, 15, 15, pbRaised}, {Down, 15, 15, pbPressed}, {Up, 15, 15, pbRaised}}, 1},
        {"leave while held and come back",
         {{Move, 15, 15, pbRaised}, {Down, 15, 15, pbPressed}, {Move, 40, 15, pbFlat}, {Move, 15, 15, pbPressed},
          {Up, 15, 15, pbRaised}},
         1},
        {"release outside", {{Move, 15, 15, pbRaised}, {Down, 15, 15, pbPressed}, {Move, 15, 45, pbFlat}, {Up, 15, 45, pbFlat}}, 0},
        {"release on the bottom edge", {{Move, 15, 15, pbRaised}, {Down, 15, 15, pbPressed}, {Up, 15, 31, pbRaised}}, 1},
        {"release on the right edge", {{Move, 15, 15, pbRaised}, {Down, 15, 15, pbPressed}, {Move, 31, 15, pbFlat}, {Up, 31, 15, pbFlat}}, 0},
        {"left column counts as away", {{Move, 0, 15, pbFlat}}, 0},
        {"a quick second press clicks again",
         {{Move, 15, 15, pbRaised}, {Down, 15, 15, pbPressed}, {Up, 15, 15, pbRaised}, {Dbl, 15, 15, pbPressed},
          {Up, 15, 15, pbRaised}},
         2},
        {"right button", {{Move, 15, 15, pbRaised}, {RUp, 15, 15, pbRaised}}, 0},
    };
    for (const Row& r : rows) {
        ButtonForm f;
        int i = 0;
        for (const Step& s : r.steps) {
            f.Mouse(s.msg, s.x, s.y);
            EXPECT_EQ(f.Btn.State(), s.state) << r.what << ", step " << i++;
        }
        EXPECT_EQ(f.clicks, r.clicks) << r.what;
        EXPECT_NE(GetCapture(), f.Btn.Handle) << r.what;
    }
}

TEST(PnlBtnMouse, DisabledButtonIgnoresTheMouseAndComesBackFlat) {
    ButtonForm f;
    f.Mouse(WM_MOUSEMOVE, 15, 15);
    f.Mouse(WM_LBUTTONDOWN, 15, 15);
    f.Btn.SetEnabled(false);
    EXPECT_EQ(f.Btn.State(), pbDisabled);
    f.Mouse(WM_LBUTTONUP, 15, 15);
    EXPECT_EQ(f.clicks, 0);
    f.Btn.SetEnabled(true);
    EXPECT_EQ(f.Btn.State(), pbFlat);
    f.Mouse(WM_MOUSEMOVE, 15, 15);  // entering again after the reset
    EXPECT_EQ(f.Btn.State(), pbRaised);
}

TEST(PnlBtnMouse, RealCursorEntersAndLeaves) {
    ButtonForm f;
    f.Show();
    SetForegroundWindow(f.Handle);
    wintest::Pump();
    // Wine looks for the leave on a timer of the hover time.
    auto waitFor = [&](int state) {  // a loaded machine delays Wine's leave timer
        wintest::PumpUntil([&] { return f.Btn.State() == state; }, 20000);
        return f.Btn.State();
    };
    // Each move goes to a place of its own (see RestCursor), starting and ending off the button.
    const POINT away = f.Btn.ClientToScreen({200, 150});
    SetCursorPos(away.x, away.y);
    ASSERT_EQ(waitFor(pbFlat), pbFlat);
    for (int round = 0; round < 3; ++round) {
        POINT in = f.Btn.ClientToScreen({10 + 5 * round, 15}), out = f.Btn.ClientToScreen({150 + 10 * round, 100});
        SetCursorPos(in.x, in.y);
        ASSERT_EQ(waitFor(pbRaised), pbRaised) << round;
        SetCursorPos(out.x, out.y);
        ASSERT_EQ(waitFor(pbFlat), pbFlat) << round;
    }
    SetCursorPos(away.x, away.y);
}

TEST(PnlBtnMouse, AMoveArrivingAfterTheCursorLeftIsFollowedByALeave) {
    ButtonForm f;
    f.Show();
    SetCursorPos(0, 0);
    wintest::Pump();
    f.Mouse(WM_MOUSEMOVE, 15, 15);  // late: the cursor is elsewhere by now
    EXPECT_EQ(f.Btn.State(), pbRaised);
    // The leave is posted, not sent: it comes with the next messages (later on a loaded machine).
    DWORD end = GetTickCount() + 8000;
    while (f.Btn.State() != pbFlat && (int)(end - GetTickCount()) > 0) wintest::Pump(1);
    EXPECT_EQ(f.Btn.State(), pbFlat);
}

TEST(PnlBtnKeys, CaptionAcceleratorClicks) {
    ButtonForm f({.at = {10, 10, 80, 31}, .caption = "&Export"});
    f.Show();
    SetActiveWindow(f.Handle);
    wintest::Pump();
    ASSERT_EQ(tk::Application.ActiveForm(), &f);
    auto altKey = [&](char c) {
        MSG m{f.Handle, WM_SYSCHAR, (WPARAM)c, 0x20000000, 0, {}};
        tk::Application.Dispatch(m);
    };
    struct Row {
        char key;
        bool enabled;
        int clicks;
    };
    for (Row r : {Row{'e', true, 1}, Row{'E', true, 1}, Row{'x', true, 0}, Row{'e', false, 0}}) {
        f.clicks = 0;
        f.Btn.SetEnabled(r.enabled);
        altKey(r.key);
        EXPECT_EQ(f.clicks, r.clicks) << r.key << r.enabled;
    }
}

TEST(PnlBtnGlyphs, SameSizeGlyphsShareOneListThatGoesWithTheLastButton) {
    const int before = TPanelButton::GlyphListCount();
    auto a = std::make_unique<ButtonForm>(), b = std::make_unique<ButtonForm>();
    tk::TBitmap g13;
    MakeGlyph(g13, 1, 13);  // a size no other button uses
    a->Btn.SetGlyph(g13);
    b->Btn.SetGlyph(g13);
    Snap(a->Btn);
    Snap(b->Btn);
    ASSERT_NE(a->Btn.GlyphList(), nullptr);
    EXPECT_EQ(a->Btn.GlyphList(), b->Btn.GlyphList());
    EXPECT_EQ(a->Btn.GlyphList()->Count(), 2);  // one flat image each
    EXPECT_EQ(TPanelButton::GlyphListCount(), before + 1);
    // A freed slot is reused before the list grows.
    a->Btn.SetEnabled(false);
    a->Btn.SetGlyph(g13);
    Snap(a->Btn);
    EXPECT_EQ(ImageList_GetImageCount(b->Btn.GlyphList()->Handle()), 2);
    a.reset();
    EXPECT_EQ(TPanelButton::GlyphListCount(), before + 1);
    EXPECT_EQ(b->Btn.GlyphList()->Count(), 1);
    b.reset();
    EXPECT_EQ(TPanelButton::GlyphListCount(), before);
}
