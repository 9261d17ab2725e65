#include "mainwindow/miniclck.h"

#include <algorithm>

#include "mainwindow/AroundRules.h"
#include "mainwindow/Main.h"
#include "mainwindow/WindowTools.h"
#include "settings/Settings.h"

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
    Panel3.Create(*this, {.at = {0, 0, 97, 15}, .hint = "右ｸﾘｯｸ：基本メニュー", .align = Align::Left,
                          .color = clBlack, .font = face, .style = pnOuterNone});
    Panel2.Create(*this, {.at = {97, 0, 54, 15}, .hint = "右ｸﾘｯｸ：メモメニュー", .align = Align::Left,
                          .color = clBlack, .font = face, .style = pnOuterNone});
    Panel1.Create(*this, {.at = {151, 0, 78, 15}, .hint = "右ｸﾘｯｸ：ランチャーメニュー", .align = Align::Client,
                          .color = clBlack, .font = face, .style = pnOuterNone});
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
        const m::PartKeys& k = m::Parts[i];
        tk::Panel& panel = Part(i);
        // The settings page stores the resource part as the total less the other two: shown as 0
        // when the others take more than the whole strip.
        SetPartWidth(i, ini.ReadInteger(m::Section, k.size, panel.Width()));
        panel.SetColor(ini.ReadInteger(m::Section, k.back, tk::clBlack));
        tk::TFont f = panel.Font;
        f.Color = ini.ReadInteger(m::Section, k.fore, tk::clInfoBk);
        f.Size = ini.ReadInteger(m::Section, k.fontSize, f.Size);
        f.Name = rtl::SjisTruncate(ini.ReadString(m::Section, k.font, m::Face), 255);
        f.Style = (ini.ReadBool(m::Section, k.bold, false) ? tk::fsBold : 0) |
                  (ini.ReadBool(m::Section, k.italic, false) ? tk::fsItalic : 0);
        panel.SetFont(f);
    }
    SetShape(ini.ReadInteger(m::Section, m::style, 0));
    FormRgn1.SetRgnWidth(ini.ReadInteger(m::Section, m::RgnWidth, m::Corner));
    FormRgn1.SetRgnHeight(ini.ReadInteger(m::Section, m::RgnHeight, m::Corner));
    // A strip made wider or taller than the one placed at creation still ends on the screen.
    RestorePosition(Left(), Top());
}

tk::Panel& TForm27::Part(int part) { return part == 0 ? Panel3 : part == 1 ? Panel2 : Panel1; }

void TForm27::SetStripSize(int width, int height) {
    SetBounds(Left(), Top(), width, height);
    FormRgn1.SetRgnBottom(height);
    FormRgn1.SetRgnRight(width);
}

void TForm27::SetPartWidth(int part, int width) {
    Part(part).SetWidth(std::max(0, width));
    Realign();
}

void TForm27::SetShape(int storedStyle) { FormRgn1.SetStyle((TFormRgn::Style)MiniRegionStyle(storedStyle)); }

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
    // Only the main window's own switch sets the Tag: any other close of the strip ends the program.
    if (Tag == 0) Form1->Close();
    canClose = true;
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
