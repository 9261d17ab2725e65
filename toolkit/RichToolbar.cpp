#include "toolkit/RichToolbar.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "toolkit/ScreenFonts.h"
#include "toolkit/rtl/SysUtils.h"

namespace tk {

// ---- layout ----

namespace {

const int kButton = 23, kRowHeight = 22, kGap = 4, kFirstX = 2, kRowPitch = kRowHeight + 2, kFontList = 200;

// Four text lines as the alignment buttons show them; widths in 1/8 of the glyph.
void DrawLines(TCanvas& c, const RECT& r, TColor ink, TAlignment a) {
    static const int widths[] = {8, 5, 8, 5};
    int x0 = (r.left + r.right) / 2 - 6, y0 = (r.top + r.bottom) / 2 - 5;
    c.Pen.Color = ink;
    for (int i = 0; i < 4; ++i) {
        int w = widths[i] * 12 / 8;
        int x = a == taLeftJustify ? x0 : a == taRightJustify ? x0 + 12 - w : x0 + (12 - w) / 2;
        c.MoveTo(x, y0 + i * 3);
        c.LineTo(x + w, y0 + i * 3);
    }
}

// Three dots, each with a text line after it.
void DrawBullets(TCanvas& c, const RECT& r, TColor ink) {
    int x0 = (r.left + r.right) / 2 - 6, y0 = (r.top + r.bottom) / 2 - 5;
    c.Pen.Color = ink;
    c.Brush.Color = ink;
    c.Brush.Style = BrushStyle::Solid;
    for (int i = 0; i < 3; ++i) {
        int y = y0 + i * 4;
        c.Rectangle(x0, y, x0 + 2, y + 2);
        c.MoveTo(x0 + 4, y + 1);
        c.LineTo(x0 + 13, y + 1);
    }
}

// The colour button's picture: an "A" over a coloured bar; the bottom-left pixel is the
// transparent colour.
void ColorGlyph(TBitmap& g) {
    g.SetSize(16, 16);
    TCanvas& c = g.Canvas();
    c.Brush.Color = clFuchsia;
    c.FillRect({0, 0, 16, 16});
    c.Font.Name = "ＭＳ Ｐゴシック";
    c.Font.Size = 9;
    c.Font.Style = fsBold;
    c.Font.Color = clBlack;
    c.Brush.Style = BrushStyle::Clear;
    c.DrawText("A", {0, -1, 16, 12}, DT_CENTER | DT_SINGLELINE | DT_TOP);
    c.Brush.Style = BrushStyle::Solid;
    c.Brush.Color = clRed;
    c.FillRect({2, 12, 14, 15});
}

// Groups of the bar's controls, laid out in one row, stay together: a group that would pass the
// bar's right edge starts a row of its own below, and the bar takes the rows' height. Nothing
// moves while the rows stay as they are.
void FlowWhenNarrow(Control& bar, const std::vector<std::vector<Control*>>& groups) {
    struct Piece {
        Control* c;
        int x, y, w, h;
    };
    struct Group {
        std::vector<Piece> pieces;
        int left = 0, right = 0;
    };
    std::vector<Group> flow;
    for (const auto& controls : groups) {
        Group g;
        for (Control* c : controls) {
            if (!c) continue;
            // A box is as high as its list was made.
            int h = dynamic_cast<ComboBox*>(c) ? kFontList : c->Height();
            g.pieces.push_back({c, c->Left(), c->Top(), c->Width(), h});
            if (g.pieces.size() == 1) g.left = c->Left();
            if (c->Visible()) g.right = std::max(g.right, c->Left() + c->Width());
        }
        if (!g.pieces.empty()) flow.push_back(std::move(g));
    }
    int base = bar.Height();
    // Each group's row and how far it moved left; all in the first row as made.
    auto placed = std::make_shared<std::vector<std::pair<int, int>>>(flow.size());
    bar.OnResize = [&bar, flow = std::move(flow), base, placed] {
        int width = bar.ClientWidth(), row = 0, shift = 0;
        std::vector<std::pair<int, int>> rows;
        for (const Group& g : flow) {
            if (g.left - shift > kFirstX && g.right - shift > width) {
                ++row;
                shift = g.left - kFirstX;
            }
            rows.push_back({row, shift});
        }
        if (rows != *placed) {
            for (size_t i = 0; i < flow.size(); ++i)
                for (const Piece& p : flow[i].pieces)
                    p.c->SetBounds(p.x - rows[i].second, p.y + rows[i].first * kRowPitch, p.w, p.h);
            *placed = rows;
        }
        if (int height = base + row * kRowPitch; bar.Height() != height) bar.SetHeight(height);
    };
    bar.OnResize();
}

}  // namespace

void CreateRichBar(Control& bar, const RichBar& c) {
    int x = 2;
    auto place = [&](int width) {
        int at = x;
        x += width;
        return at;
    };
    auto gap = [&] { x += kGap; };
    if (c.fontName) {
        c.fontName->Create(bar, {.at = {place(140), 2, 140, kFontList}, .hint = "文字の種類を指定"});
        c.fontName->DropDownCount = 16;
        x += 2;
    }
    if (c.fontSize) {
        c.fontSize->Create(bar, {.at = {place(46), 2, 46, kRowHeight}, .hint = "文字のサイズを指定", .min = 1, .max = 999,
                                 .value = 9});
        gap();
    }
    // Each style button is a group of its own that may stand up: a switch.
    struct StyleButton {
        SpeedButton* b;
        const char* caption;
        const char* hint;
        int style;
    } styles[] = {{c.bold, "B", "太字", fsBold},
                  {c.italic, "I", "斜体", fsItalic},
                  {c.underline, "U", "下線", fsUnderline},
                  {c.strikeOut, "S", "消し線", fsStrikeOut}};
    int group = 1;
    for (auto& s : styles) {
        ++group;
        if (!s.b) continue;
        TFont f;
        f.Size = 10;
        f.Style = s.style | fsBold;
        s.b->Create(bar, {.at = {place(kButton), 2, kButton, kRowHeight}, .caption = s.caption, .hint = s.hint,
                          .font = f, .value = group, .style = sbAllowAllUp | sbFlat});
    }
    gap();
    if (c.bullet) {
        c.bullet->Create(bar, {.at = {place(kButton), 2, kButton, kRowHeight}, .hint = "箇条書き", .value = 10,
                               .style = sbAllowAllUp | sbFlat});
        c.bullet->OnDrawGlyph = [](TCanvas& cv, const RECT& r, TColor ink) { DrawBullets(cv, r, ink); };
        gap();
    }
    // One group: one alignment at a time.
    static const struct {
        TAlignment a;
        const char* hint;
    } aligns[] = {{taLeftJustify, "左揃え"}, {taCenter, "中央揃え"}, {taRightJustify, "右揃え"}};
    for (int i = 0; i < 3; ++i) {
        SpeedButton* b = c.align[i];
        if (!b) continue;
        TAlignment a = aligns[i].a;
        b->Create(bar, {.at = {place(kButton), 2, kButton, kRowHeight}, .hint = aligns[i].hint, .tag = a,
                        .value = 11, .style = sbFlat | (a == taLeftJustify ? sbDown : 0)});
        b->OnDrawGlyph = [a](TCanvas& cv, const RECT& r, TColor ink) { DrawLines(cv, r, ink, a); };
    }
    gap();
    if (c.colorButton) {
        c.colorButton->Create(bar, {.at = {place(25), 2, 25, kRowHeight}, .caption = " ", .hint = "文字の色を指定"});
        // Drawn once per program: every editor's bar shows the same picture.
        static TBitmap glyph;
        if (glyph.Empty()) ColorGlyph(glyph);
        c.colorButton->SetGlyph(glyph);
        c.colorButton->Margin = 4;
        x += 3;
    }
    for (Panel* p : c.history)
        if (p) p->Create(bar, {.at = {place(14), 6, 13, 13}, .hint = "色選択の履歴", .color = clRed, .style = pnOuterLowered});
    if (c.colorLabel) c.colorLabel->Create(bar, {.at = {x, 6, 40, 13}, .visible = false});
    FlowWhenNarrow(bar, {{c.fontName, c.fontSize},
                         {c.bold, c.italic, c.underline, c.strikeOut},
                         {c.bullet},
                         {c.align[0], c.align[1], c.align[2]},
                         {c.colorButton, c.history[0], c.history[1], c.history[2], c.history[3], c.history[4],
                          c.colorLabel}});

    if (!c.ruler) return;
    TFont mark;
    mark.Size = 7;
    mark.Color = clNavy;
    int h = c.ruler->ClientHeight();
    struct Marker {
        Label* l;
        const char* caption;
        const char* hint;
        bool top;
    } markers[] = {{c.firstMarker, "▼", "1行目のインデント", true},
                   {c.leftMarker, "▲", "左インデント", false},
                   {c.rightMarker, "▲", "右インデント", false}};
    for (auto& m : markers) {
        if (!m.l) continue;
        m.l->Create(*c.ruler, {.at = {0, 0, 0, 0}, .caption = m.caption, .hint = m.hint, .font = mark,
                               .style = lsTransparent | lsNoPrefix});
        if (!m.top) m.l->SetTop(std::max(0, h - m.l->Height()));
    }
}

// ---- the bar ----

RichToolbar::RichToolbar(RichEdit& edit, const RichBar& bar, ColorHistory history, bool syncNow)
    : edit_(edit), bar_(bar), history_(std::move(history)) {
    if (bar_.fontName) {
        // One repaint for the whole list, not one per face.
        HWND box = bar_.fontName->Handle;
        if (box) SendMessageA(box, WM_SETREDRAW, FALSE, 0);
        bar_.fontName->Items.Assign(ScreenFontNames());
        if (box) SendMessageA(box, WM_SETREDRAW, TRUE, 0);
        bar_.fontName->OnChange = [this] { SetFontName(bar_.fontName->Text()); };
    }
    if (SpinEdit* s = bar_.fontSize) {
        s->MinValue = 1;
        s->MaxValue = 999;
        s->OnChange = [this, s] {
            // Half-typed text (an empty box) is no size yet.
            int v;
            if (rtl::TryStrToInt(s->Text(), v) && v >= 1 && v <= 999) SetFontSize(v);
        };
    }
    Wire(bar_.bold, [this](bool on) { SetStyle(fsBold, on); });
    Wire(bar_.italic, [this](bool on) { SetStyle(fsItalic, on); });
    Wire(bar_.underline, [this](bool on) { SetStyle(fsUnderline, on); });
    Wire(bar_.strikeOut, [this](bool on) { SetStyle(fsStrikeOut, on); });
    Wire(bar_.bullet, [this](bool on) { SetBullet(on); });
    for (SpeedButton* b : bar_.align)
        if (b) b->OnClick = [this, b] { SetAlignment((TAlignment)b->Tag); };
    if (bar_.colorButton) bar_.colorButton->OnClick = [this] { ChooseColor(); };
    for (Panel* p : bar_.history)
        if (p) p->OnClick = [this, p] { SetColor(p->Color); };
    if (bar_.ruler) {
        std::string ticks;
        for (int i = 0; i < 100; ++i) ticks += "\t|";
        bar_.ruler->SetAlignment(taLeftJustify);
        bar_.ruler->SetCaption(ticks);
        bar_.ruler->OnResize = [this] { RulerResized(); };
    }
    WireMarker(bar_.firstMarker);
    WireMarker(bar_.leftMarker);
    WireMarker(bar_.rightMarker);
    edit_.OnSelectionChange = [this] { Sync(); };
    PaintHistory();
    if (syncNow) Sync();
}

void RichToolbar::Wire(SpeedButton* b, std::function<void(bool)> fn) {
    if (b) b->OnClick = [b, fn = std::move(fn)] { fn(b->Down()); };
}

RichToolbar::SyncHold::SyncHold(RichToolbar& bar) : bar_(bar) { ++bar_.holds_; }

RichToolbar::SyncHold::~SyncHold() {
    if (--bar_.holds_ == 0) bar_.Sync();
}

void RichToolbar::Sync() {
    if (syncing_ || holds_ || !edit_.Handle) return;
    syncing_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{syncing_};
    PlaceMarkers();
    TextAttributes& a = edit_.SelAttributes;
    int style = a.Style();
    const std::pair<SpeedButton*, int> styles[] = {
        {bar_.bold, fsBold}, {bar_.italic, fsItalic}, {bar_.underline, fsUnderline}, {bar_.strikeOut, fsStrikeOut}};
    for (auto& [b, s] : styles)
        if (b) b->SetDown(style & s);
    if (bar_.bullet) bar_.bullet->SetDown(edit_.Paragraph.Numbering() == nsBullet);
    if (bar_.fontName) bar_.fontName->SetCaption(a.Name());
    if (bar_.fontSize) bar_.fontSize->SetValue(a.Size());
    if (bar_.colorLabel) bar_.colorLabel->SetCaption(rtl::IntToStr(a.Color()));
    TAlignment align = edit_.Paragraph.Alignment();
    for (SpeedButton* b : bar_.align)
        if (b && b->Tag == align) b->SetDown(true);
}

void RichToolbar::SetEnabled(bool on) {
    Control* all[] = {bar_.fontName,  bar_.fontSize,   bar_.bold,         bar_.italic,      bar_.underline,
                      bar_.strikeOut, bar_.bullet,     bar_.align[0],     bar_.align[1],    bar_.align[2],
                      bar_.colorButton, bar_.history[0], bar_.history[1], bar_.history[2], bar_.history[3],
                      bar_.history[4], bar_.ruler,     bar_.firstMarker,  bar_.leftMarker,  bar_.rightMarker};
    for (Control* c : all)
        if (c) c->SetEnabled(on);
}

bool RichToolbar::CanFormat() const { return !syncing_ && edit_.Handle && !edit_.ReadOnly(); }

// Runs a formatting change unless the bar is being synchronised; the bar then shows what the
// text now has (a refused change puts a pressed button back up).
template <class F>
void RichToolbar::Format(F&& f) {
    if (syncing_) return;
    if (CanFormat()) f();
    Sync();
}

void RichToolbar::SetStyle(FontStyle s, bool on) {
    Format([&] { edit_.SelAttributes.SetStyleBit(s, on); });
}

void RichToolbar::SetBullet(bool on) {
    Format([&] { edit_.Paragraph.SetNumbering(on ? nsBullet : nsNone); });
}

void RichToolbar::SetAlignment(TAlignment a) {
    Format([&] { edit_.Paragraph.SetAlignment(a); });
}

void RichToolbar::SetFontName(const std::string& face) {
    if (syncing_ || FaceCharset(face) < 0) return;  // a name being typed is no face yet
    Format([&] { edit_.SelAttributes.SetName(face); });
}

void RichToolbar::SetFontSize(int points) {
    Format([&] { edit_.SelAttributes.SetSize(std::clamp(points, 1, 999)); });
}

void RichToolbar::SetColor(TColor c) {
    Format([&] { edit_.SelAttributes.SetColor(c); });
}

void RichToolbar::Undo() {
    Format([&] { edit_.Undo(); });
}

void RichToolbar::Cut() {
    Format([&] { edit_.CutToClipboard(); });
}

void RichToolbar::Copy() { edit_.CopyToClipboard(); }

void RichToolbar::Paste() {
    Format([&] { edit_.PasteFromClipboard(); });
}

void RichToolbar::SelectAll() {
    edit_.SelectAll();
    Sync();
}

bool RichToolbar::ChooseColor() {
    if (!CanFormat()) return false;
    colorDialog_.Color = edit_.SelAttributes.Color();
    if (!colorDialog_.Execute()) return false;
    SetColor(colorDialog_.Color);
    PushColor(colorDialog_.Color);
    if (edit_.Visible()) edit_.SetFocus();
    return true;
}

void RichToolbar::PushColor(TColor c) {
    if (!history_.open) return;
    TIniFile ini = history_.open();
    auto& k = history_.keys;
    for (int i = 4; i > 0; --i) ini.WriteInteger(history_.section, k[i], ini.ReadInteger(history_.section, k[i - 1], history_.fallback));
    ini.WriteInteger(history_.section, k[0], c);
    PaintHistory();
}

void RichToolbar::PaintHistory() {
    if (!history_.open) return;
    TIniFile ini = history_.open();
    for (int i = 0; i < 5; ++i)
        if (Panel* p = bar_.history[i]) p->SetColor(ini.ReadInteger(history_.section, history_.keys[i], history_.fallback));
}

// ---- ruler ----

ruler::Geometry RichToolbar::RulerGeometry() const {
    ruler::Geometry g;
    if (bar_.ruler) g.width = bar_.ruler->ClientWidth();
    for (Label* m : {bar_.firstMarker, bar_.leftMarker, bar_.rightMarker})
        if (m) g.markerWidth = std::max(g.markerWidth, m->Width());
    return g;
}

void RichToolbar::PlaceMarkers() {
    if (!bar_.ruler || dragging_) return;
    ruler::Geometry g = RulerGeometry();
    ruler::Markers m = ruler::Place(g, {edit_.Paragraph.FirstIndent(), edit_.Paragraph.LeftIndent(),
                                        edit_.Paragraph.RightIndent()});
    auto put = [](Label* l, int x) {
        if (l && l->Left() != x) l->SetLeft(x);
    };
    put(bar_.firstMarker, m.first);
    put(bar_.leftMarker, m.left);
    put(bar_.rightMarker, m.right);
}

void RichToolbar::RulerResized() {
    if (bar_.rightMarker) bar_.rightMarker->SetLeft(ruler::RightAfterResize(RulerGeometry()));
    Sync();
}

void RichToolbar::WireMarker(Label* m) {
    if (!m) return;
    m->OnMouseDown = [this, m](MouseButton b, int, int, int) {
        if (b == mbLeft && m->Enabled()) dragging_ = m;
    };
    m->OnMouseMove = [this, m](int shift, int x, int) {
        if (dragging_ != m || !(shift & ssLeft)) return;
        int left = ruler::Follow(RulerGeometry(), m->Left() + x);
        if (left != m->Left()) m->SetLeft(left);
    };
    m->OnMouseUp = [this, m](MouseButton b, int, int, int) {
        if (b != mbLeft || dragging_ != m) return;
        dragging_ = nullptr;
        MarkerReleased(*m);
    };
}

void RichToolbar::MarkerReleased(Label& marker) {
    Format([&] {
        ruler::Geometry g = RulerGeometry();
        ParaAttributes& p = edit_.Paragraph;
        if (&marker == bar_.firstMarker) {
            p.SetFirstIndent(ruler::FirstIndent(g, marker.Left()));
            // The other lines stay where their marker shows them.
            if (bar_.leftMarker) p.SetLeftIndent(ruler::LeftIndent(g, bar_.leftMarker->Left(), p.FirstIndent()));
        } else if (&marker == bar_.leftMarker) {
            p.SetLeftIndent(ruler::LeftIndent(g, marker.Left(), p.FirstIndent()));
        } else if (&marker == bar_.rightMarker) {
            p.SetRightIndent(ruler::RightIndent(g, marker.Left()));
        }
    });
}

}  // namespace tk
