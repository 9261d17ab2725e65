#include "mainwindow/Message.h"

#include <algorithm>

#include "mainwindow/Main.h"
#include "toolkit/Application.h"

TForm35* Form35 = nullptr;

TForm35::TForm35()
    : Form({.width = 320, .height = 84, .border = tk::Border::None, .topmost = true, .color = tk::clInfoBk}),
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
    FormRgn1.SetRgnRight(320);
    FormRgn1.SetRgnBottom(84);
    FormRgn1.SetRgnWidth(24);
    FormRgn1.SetRgnHeight(24);
    FormRgn1.SetStyle(TFormRgn::rsRoundRect);
    OnClose = [this](CloseAction& a) { FormClose(a); };
    FormCreate();
}

void TForm35::FormCreate() { Label3.SetCaption(Form1 ? Form1->Label12.Caption() : std::string(kVersion)); }

void TForm35::FormClose(tk::CloseAction& action) { action = tk::CloseAction::Free; }

void TForm35::PaintNow() {
    if (Visible()) RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

PleaseWait::PleaseWait(const std::string& message) : form_(new TForm35) {
    Form35 = form_;
    form_->ClearRef = [f = form_] {
        if (Form35 == f) Form35 = nullptr;
    };
    form_->Label1.SetCaption(message);
    form_->Show();
    form_->PaintNow();
}

TForm35* PleaseWait::Window() const {
    auto& live = tk::Application.Forms;
    return std::find(live.begin(), live.end(), form_) != live.end() ? form_ : nullptr;
}

PleaseWait::~PleaseWait() {
    if (TForm35* f = Window()) f->Destroy();
}
