#include "mainwindow/Message.h"

#include <vector>

#include "mainwindow/Main.h"
#include "toolkit/Application.h"

TForm35* Form35 = nullptr;

namespace {
const int kWidth = 320, kHeight = 84;
// The messages of the PleaseWait objects alive, the innermost last.
std::vector<std::string>& Messages() {
    static std::vector<std::string> messages;
    return messages;
}
}  // namespace

TForm35::TForm35()
    : Form({.width = kWidth, .height = kHeight, .border = tk::Border::None, .topmost = true, .color = tk::clInfoBk}),
      FormRgn1(*this) {
    using namespace tk;
    Panel1.Create(*this, {.align = Align::Client, .color = clInfoBk, .style = pnOuterNone});
    Label1.Create(Panel1, {.at = {12, 16, 296, 20}, .caption = "ランチャーメニューを再構築しています。",
                           .font = TFont{.Size = 10, .Color = clInfoText, .Style = fsBold},
                           .style = lsNoAutoSize | lsCenter});
    Label2.Create(Panel1, {.at = {24, 54, 150, 16}, .caption = "ぬぺの Lumet",
                           .font = TFont{.Color = clInfoText}, .style = lsNoAutoSize});
    Label3.Create(Panel1, {.at = {150, 54, 146, 16}, .font = TFont{.Color = clInfoText},
                           .style = lsNoAutoSize | lsRight});

    FormRgn1.SetRgnLeft(0);
    FormRgn1.SetRgnTop(0);
    FormRgn1.SetRgnRight(kWidth);
    FormRgn1.SetRgnBottom(kHeight);
    FormRgn1.SetRgnWidth(24);
    FormRgn1.SetRgnHeight(24);
    FormRgn1.SetStyle(TFormRgn::rsRoundRect);
    OnClose = [this](CloseAction& a) { FormClose(a); };
    FormCreate();
}

void TForm35::FormCreate() { Label3.SetCaption(Form1 ? Form1->Label12.Caption() : std::string(kVersion)); }

void TForm35::FormClose(tk::CloseAction& action) { action = tk::CloseAction::Hide; }

void TForm35::ShowNote() {
    // Under Wine most of a show and a hide goes to switching the active window there and back,
    // and to erasing each control at once: the note never takes the focus, and PaintNow draws
    // every control straight after.
    SetWindowPos(Handle, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_DEFERERASE | SWP_SHOWWINDOW);
}

void TForm35::HideNote() {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void TForm35::PaintNow() {
    if (!Visible()) return;
    // Each control drawn through its own device context: a paint message per window costs
    // several times the drawing under Wine. The panel covers the whole card.
    for (tk::Control* c : {(tk::Control*)&Panel1, (tk::Control*)&Label1, (tk::Control*)&Label2, (tk::Control*)&Label3})
        c->Refresh();
    RedrawWindow(Handle, nullptr, nullptr, RDW_VALIDATE | RDW_NOERASE | RDW_NOFRAME | RDW_ALLCHILDREN);
}

PleaseWait::PleaseWait(const std::string& message) {
    // Made once: creating and destroying the window cost more than a show, a paint and a hide.
    if (!Form35) {
        Form35 = new TForm35;
        Form35->ClearRef = [f = Form35] {
            if (Form35 == f) Form35 = nullptr;
        };
    }
    Form35->FormCreate();  // the About panel's text may have changed since
    Form35->Label1.SetCaption(message);
    Form35->ShowNote();
    Form35->PaintNow();
    Messages().push_back(message);
}

TForm35* PleaseWait::Window() const { return Form35; }

PleaseWait::~PleaseWait() {
    auto& messages = Messages();
    messages.pop_back();
    if (!Form35) return;
    if (!messages.empty()) {
        Form35->Label1.SetCaption(messages.back());
        Form35->PaintNow();
    } else {
        Form35->HideNote();
    }
}
