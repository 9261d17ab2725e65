#include "mainwindow/miniclck.h"

#include <algorithm>
#include <cmath>

#include "mainwindow/AroundRules.h"
#include "mainwindow/Main.h"
#include "mainwindow/WindowTools.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Graphics.h"

TForm27* Form27 = nullptr;
// The stored shape codes are translated into the region's own order, which this relies on.
static_assert(TFormRgn::rsRect == 0 && TFormRgn::rsRoundRect == 1 && TFormRgn::rsEllipse == 2);
namespace ik = inikey;

TForm27::TForm27()
    : Form({.caption = "mini CLOCK", .width = 229, .height = 15, .border = tk::Border::None, .color = tk::clInfoBk,
            .acceptFiles = true}),
      FormRgn1(*this) {
    using namespace tk;
    const TFont face{.Color = clInfoBk};
    // The texts lean towards the middle: the shape's curve takes the strip's ends.
    Panel3.Create(*this, {.at = {0, 0, 97, 15}, .hint = "右ｸﾘｯｸ：基本メニュー", .align = Align::Left,
                          .color = clBlack, .font = face, .style = pnOuterNone | pnCaptionRight});
    Panel2.Create(*this, {.at = {97, 0, 54, 15}, .hint = "右ｸﾘｯｸ：メモメニュー", .align = Align::Left,
                          .color = clBlack, .font = face, .style = pnOuterNone});
    Panel1.Create(*this, {.at = {151, 0, 78, 15}, .hint = "右ｸﾘｯｸ：ランチャーメニュー", .align = Align::Client,
                          .color = clBlack, .font = face, .style = pnOuterNone | pnCaptionLeft});
    FormRgn1.SetRgnLeft(0);
    FormRgn1.SetRgnTop(0);
    FormRgn1.SetRgnRight(229);
    FormRgn1.SetRgnBottom(15);
    FormRgn1.SetRgnWidth(15);
    FormRgn1.SetRgnHeight(15);
    FormRgn1.SetStyle(TFormRgn::rsRoundRect);
    if (Form1) {
        SetPopupMenu(&Form1->PopupMenu1);
        Panel3.SetPopupMenu(&Form1->PopupMenu1);
        Panel2.SetPopupMenu(&Form1->PopupMenu4);
        Panel1.SetPopupMenu(&Form1->PopupMenu2);
    }
    for (Panel* p : {&Panel3, &Panel2, &Panel1}) {
        p->OnMouseDown = [this, p](MouseButton b, int, int x, int y) { Panel3MouseDown(*p, b, x, y); };
        p->OnMouseMove = [this](int, int, int) { Panel1MouseMove(); };
    }
    OnMouseDown = [this](MouseButton b, int, int, int) {
        if (b == mbLeft) DragWindow(Handle);
    };
    OnDropFiles = [](const std::vector<std::string>& files) {
        if (Form1) Form1->WMDropFiles(files);
    };
    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](CloseAction& a) { FormClose(a); };
    OnDestroy = [this] { FormDestroy(); };
    FormCreate();
}

void TForm27::FormCreate() {
    auto ini = settings::Open();
    if (Form1) Form1->miniClock1->SetChecked(true);
    RestorePosition(ini.ReadInteger(ik::Mini::Section, ik::Mini::left, 0), ini.ReadInteger(ik::Mini::Section, ik::Mini::top, 0));
    if (Form1) Form1->Hide();
}

void TForm27::FormShow() {
    namespace m = ik::Mini;
    auto ini = settings::Open();
    SetStripSize(ini.ReadInteger(m::Section, m::Width, Width()), ini.ReadInteger(m::Section, m::Height, Height()));
    for (int i = 0; i < 3; ++i) {
        Part(i).SetColor(ini.ReadInteger(m::Section, m::Parts[i].back, tk::clBlack));
        Part(i).SetFont(MiniPartFont(ini, i));
    }
    SetShape(ini.ReadInteger(m::Section, m::style, 0));
    FormRgn1.SetRgnWidth(ini.ReadInteger(m::Section, m::RgnWidth, m::Corner));
    FormRgn1.SetRgnHeight(ini.ReadInteger(m::Section, m::RgnHeight, m::Corner));
    FitParts();
    // A strip made wider or taller than the one placed at creation still ends on the screen.
    RestorePosition(Left(), Top());
}

std::array<std::string, 3> TForm27::Texts(rtl::TDateTime now, const std::string& resources) {
    return {rtl::FormatDateTime("yyyy/mm/dd(aaa)", now), rtl::FormatDateTime("hh:mm:ss", now), resources};
}

void TForm27::ShowTexts(rtl::TDateTime now, const std::string& resources) {
    std::array<std::string, 3> texts = Texts(now, resources);
    for (int i = 0; i < 3; ++i) Part(i).SetCaption(texts[i]);
}

tk::TFont MiniPartFont(const tk::TIniFile& ini, int part) {
    namespace m = ik::Mini;
    const m::PartKeys& k = m::Parts[part];
    tk::TFont f;
    f.Color = ini.ReadInteger(m::Section, k.fore, tk::clInfoBk);
    f.Size = ini.ReadInteger(m::Section, k.fontSize, m::FontPoints);
    f.Name = rtl::SjisTruncate(ini.ReadString(m::Section, k.font, m::Face), 255);
    f.Style = (ini.ReadBool(m::Section, k.bold, false) ? tk::fsBold : 0) |
              (ini.ReadBool(m::Section, k.italic, false) ? tk::fsItalic : 0);
    return f;
}

namespace {

// How far a strip's shape cuts into each end of a row of text of the given height, centred in the
// strip: where the curve of the ellipse or of the rounded corners crosses the row's top and bottom.
int ShapeEndCut(TFormRgn::Style style, int width, int height, int cornerWidth, int cornerHeight, int rowHeight) {
    if (style == TFormRgn::rsRect) return 0;
    // The radii of the curve at the ends: the whole strip's for the ellipse, a corner's otherwise.
    const bool ellipse = style == TFormRgn::rsEllipse;
    double rx = (ellipse ? width : std::min(cornerWidth, width)) / 2.0;
    double ry = (ellipse ? height : std::min(cornerHeight, height)) / 2.0;
    // How far the row reaches from the straight part of the ends into the curve.
    double into = rowHeight / 2.0 - (height / 2.0 - ry);
    if (into <= 0 || rx <= 0) return 0;
    if (into >= ry) return (int)std::ceil(rx);
    return (int)std::ceil(rx * (1 - std::sqrt(1 - (into / ry) * (into / ry))) - 1e-9);
}

}  // namespace

MiniWidths MiniClockWidths(const tk::TIniFile& ini) {
    namespace m = ik::Mini;
    std::array<std::string, 3> texts = TForm27::Texts(rtl::Now(), TForm1::ResourceText(ini));
    HDC dc = tk::MeasureDC();
    tk::TCanvas canvas(dc);
    MiniWidths w{};
    bool fitted[3];
    int content = 0, row = 0;
    for (int i = 0; i < 3; ++i) {
        fitted[i] = !ini.ValueExists(m::Section, m::Parts[i].size);
        canvas.Font = MiniPartFont(ini, i);
        // A digit's width apart from the next text; the middle part keeps it on both sides.
        w.part[i] = fitted[i] ? canvas.TextWidth(texts[i]) + (i == 1 ? 2 : 1) * canvas.TextWidth("0")
                              : ini.ReadInteger(m::Section, m::Parts[i].size, 0);
        content += std::max(0, w.part[i]);
        // The characters' body (ascent less internal leading) is what must stay inside the shape.
        HGDIOBJ old = SelectObject(dc, canvas.Font.Handle());
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        row = std::max(row, (int)(tm.tmAscent - tm.tmInternalLeading));
    }
    const auto style = (TFormRgn::Style)MiniRegionStyle(ini.ReadInteger(m::Section, m::style, 0));
    const int height = ini.ReadInteger(m::Section, m::Height, m::StripHeight);
    const int cornerW = ini.ReadInteger(m::Section, m::RgnWidth, m::Corner);
    const int cornerH = ini.ReadInteger(m::Section, m::RgnHeight, m::Corner);
    // An ellipse too low for the text would take any width: an end's share stops at half the parts.
    auto cut = [&](int width) { return std::min(content / 2, ShapeEndCut(style, width, height, cornerW, cornerH, row)); };
    // The ends go to the outer parts that are fitted; stored ones stay as they are.
    const int sides = fitted[0] + fitted[2];
    const bool widthStored = ini.ValueExists(m::Section, m::Width.Name);
    w.strip = widthStored ? ini.ReadInteger(m::Section, m::Width, m::StripWidth) : content;
    int ends = cut(w.strip);
    // The ellipse's cut grows with the strip: a few rounds settle it.
    for (int round = 0; !widthStored && round < 32 && content + sides * ends != w.strip; ++round) {
        w.strip = content + sides * ends;
        ends = cut(w.strip);
    }
    if (fitted[0]) w.part[0] += ends;
    if (fitted[2]) w.part[2] += ends;
    return w;
}

void TForm27::FitParts() {
    MiniWidths w = MiniClockWidths(settings::Open());
    if (w.strip != Width()) {
        SetBounds(Left(), Top(), w.strip, Height());
        FormRgn1.SetRgnRight(w.strip);
    }
    // The resource part takes the rest of the strip.
    Panel3.SetWidth(std::max(0, w.part[0]));
    Panel2.SetWidth(std::max(0, w.part[1]));
    Realign();
}

tk::Panel& TForm27::Part(int part) { return part == 0 ? Panel3 : part == 1 ? Panel2 : Panel1; }

void TForm27::SetStripSize(int width, int height) {
    SetBounds(Left(), Top(), width, height);
    FormRgn1.SetRgnBottom(height);
    FormRgn1.SetRgnRight(width);
    FitParts();
}

void TForm27::SetPartWidth(int part, int width) {
    Part(part).SetWidth(std::max(0, width));
    FitParts();
}

void TForm27::SetShape(int storedStyle) {
    FormRgn1.SetStyle((TFormRgn::Style)MiniRegionStyle(storedStyle));
    FitParts();
}

void TForm27::Panel3MouseDown(tk::Panel& panel, tk::MouseButton button, int x, int y) {
    if (button != tk::mbLeft || settings::Open().ReadBool(ik::Mini::Section, ik::Mini::Move, false)) return;
    DragWindow(Handle);
    SendMessageA(panel.Handle, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void TForm27::Panel1MouseMove() {
    if (Form1 && Form1->miniClock1->Checked() && settings::Open().ReadBool(ik::Mini::Section, ik::Mini::Change, false))
        Form1->miniClock1Click();
}

void TForm27::FormCloseQuery(bool& canClose) {
    if (!Form1) return;
    Form1->PlayWaveRes("ope");
    // Only the main window's own switch sets the Tag: any other close of the strip ends the
    // program, which takes the strip along; after 中止 the strip stays as it was.
    canClose = Tag != 0;
    if (!canClose) tk::Application.Quit();
}

void TForm27::FormClose(tk::CloseAction& action) {
    if (Form1) {
        if (Tag != 0) Form1->Show();  // not when the program is ending
        Form1->miniClock1->SetChecked(false);
    }
    action = tk::CloseAction::Free;
}

void TForm27::FormDestroy() {
    auto ini = settings::Open();
    ini.WriteInteger(ik::Mini::Section, ik::Mini::top, Top());
    ini.WriteInteger(ik::Mini::Section, ik::Mini::left, Left());
}
