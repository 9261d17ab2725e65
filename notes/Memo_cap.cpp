#include "notes/Memo_cap.h"

#include <memory>

TForm19* Form19 = nullptr;

namespace {
std::function<void(TForm19&)>& Hook() {
    static std::function<void(TForm19&)> hook;
    return hook;
}
}  // namespace

TForm19::TForm19()
    : Form({.caption = "Caption", .width = 300, .height = 74, .border = tk::Border::Dialog, .clientSize = true}) {
    using namespace tk;
    Edit1.Create(*this, {.at = {8, 8, 284, 22}});
    BitBtn1.Create(*this, {.at = {112, 40, 88, 25}, .caption = "&Set", .hint = "題名を変更します｡", .style = btDefault});
    BitBtn2.Create(*this, {.at = {204, 40, 88, 25}, .caption = "元に戻す", .hint = "元に戻す｡"});
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    PopupMenu1.Create(*this);
    Set1 = &PopupMenu1.Items.Add("変更して終了", [this] { BitBtn1Click(); });
    Undo1 = &PopupMenu1.Items.Add("やり直し", [this] { BitBtn2Click(); });
    for (tk::Control* c : std::initializer_list<tk::Control*>{this, &BitBtn1, &BitBtn2}) c->SetPopupMenu(&PopupMenu1);
}

void TForm19::BitBtn1Click() { ModalResult = tk::mrOk; }

void TForm19::BitBtn2Click() {
    Edit1.SetCaption(Caption());
    Edit1.SelectAll();
    Edit1.SetFocus();
}

namespace memo {

void SetTitleDialogHookForTest(std::function<void(TForm19&)> hook) { Hook() = std::move(hook); }

bool EditTitle(tk::Form& owner, std::string& title) {
    auto dialog = std::make_unique<TForm19>();
    Form19 = dialog.get();
    dialog->ClearRef = [f = dialog.get()] {
        if (Form19 == f) Form19 = nullptr;
    };
    dialog->SetCaption(title);
    dialog->Edit1.SetCaption(title);
    dialog->Edit1.SelectAll();
    dialog->RestorePosition(owner.Left(), owner.Top());
    if (Hook()) Hook()(*dialog);
    int result = dialog->ShowModal();
    std::string text = dialog->Edit1.Caption();
    dialog.reset();
    Form19 = nullptr;
    if (result != tk::mrOk || text.empty() || text == title) return false;
    title = text;
    return true;
}

}  // namespace memo
