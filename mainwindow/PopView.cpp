#include "mainwindow/PopView.h"

#include "mainwindow/Main.h"
#include "mainwindow/WindowTools.h"
#include "schedule/data.h"

TForm24* Form24 = nullptr;

TForm24::TForm24()
    : Form({.caption = "PopView", .width = 300, .height = 208, .border = tk::Border::ToolWindow,
            .clientSize = true}) {
    Panel1.Create(*this, {.at = {0, 0, 300, 28}, .align = tk::Align::Top});
    int x = 2;
    for (auto [button, command] : {std::pair{&BitBtn4, &maincmd::Popup}, {&BitBtn5, &maincmd::Schedule},
                                   {&BitBtn11, &maincmd::Birthday}, {&BitBtn10, &maincmd::Diary},
                                   {&BitBtn7, &maincmd::Data}, {&BitBtn6, &maincmd::List},
                                   {&BitBtn9, &maincmd::Todo}, {&BitBtn8, &maincmd::Telephone}}) {
        CreateCommandButton(*button, Panel1, x, 1, *command);
        x += 24;
    }
    BitBtn7.OnClick = [this] { BitBtn7Click(); };
    RichEdit1.Create(*this, {.align = tk::Align::Client, .color = tk::clMenu,
                             .style = tk::reReadOnly | tk::reVScroll | tk::reHScroll});
    RichEdit1.KeepMargins = true;
    OnShow = [this] { FormShow(); };
    OnDeactivate = [this] { FormDeactivate(); };
    OnClose = [this](tk::CloseAction& a) { FormClose(a); };
    ShortCuts.push_back([this](WORD key, int) { return FormKeyDown(key); });
}

void TForm24::BitBtn7Click() {
    RunMainCommand(maincmd::Data);
    rtl::TDateTime day;
    if (!Form29 || !Form1 || !rtl::TryEncodeDate(Form1->CalendarEx1.Year(), Form1->CalendarEx1.Month(),
                                                 Form1->CalendarEx1.Day(), day))
        return;
    Form29->SetDay(day);
    Form29->BitBtn17Click();
}

void TForm24::FormShow() {
    if (Form1) Form1->PlayWaveRes("pop");
}

// Esc closes, Enter moves into the text; both keys go no further.
bool TForm24::FormKeyDown(WORD key) {
    if (key == VK_ESCAPE) Close();
    else if (key == VK_RETURN) RichEdit1.SetFocus();
    else return false;
    return true;
}

void TForm24::FormDeactivate() {
    if (!closing_) Close();
}

void TForm24::FormClose(tk::CloseAction& action) {
    if (closing_) {
        action = tk::CloseAction::None;  // already on its way out
        return;
    }
    closing_ = true;
    if (Form1) Form1->TabSheet2.Tag = 0;
    action = tk::CloseAction::Free;
}
