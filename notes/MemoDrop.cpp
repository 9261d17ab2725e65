#include "notes/MemoDrop.h"

#include <algorithm>
#include <memory>

#include "toolkit/MsgBox.h"

TForm31* Form31 = nullptr;

namespace {
const int kButtonHeight = 25, kButtonGap = 6, kMargin = 8;
}  // namespace

TForm31::TForm31() : Form({.caption = "Drop", .width = 300, .height = 142, .border = tk::Border::Dialog}) {
    Panel1.Create(*this, {.align = tk::Align::Client, .style = tk::pnOuterNone});
    int y = kMargin;
    for (tk::BitBtn* b : {&BitBtn1, &BitBtn2, &BitBtn3}) {
        b->Create(Panel1, {.at = {kMargin, y, 280 - 2 * kMargin, kButtonHeight}});
        b->OnClick = [this, b] { BitBtnClick(*b); };
        y += kButtonHeight + kButtonGap;
    }
    BitBtn1.Tag = memo::dropIntoThis;
    BitBtn3.SetCaption("&Cancel");
    BitBtn3.Tag = memo::dropCancel;
    BitBtn3.SetCancel(true);
    SetClientSize(ClientWidth(), y + kMargin - kButtonGap);
    OnShow = [this] { FormShow(); };
}

void TForm31::FormShow() {
    if (Width() < 143) SetWidth(230);
    RestorePosition(Left(), Top());
    Panel1.Realign();
    int width = Panel1.ClientWidth() - 2 * BitBtn1.Left();
    for (tk::BitBtn* b : {&BitBtn1, &BitBtn2, &BitBtn3}) b->SetWidth(width);
}

void TForm31::BitBtnClick(tk::BitBtn& button) {
    Result = button.Tag;
    ModalResult = tk::mrOk;
}

namespace memo {

static std::function<void(TForm31&)>& Hook() {
    static std::function<void(TForm31&)> hook;
    return hook;
}

void SetDropChooserHookForTest(std::function<void(TForm31&)> hook) { Hook() = std::move(hook); }

int ChooseDrop(tk::Form& owner, const std::string& caption, int count, const std::string& refusal) {
    bool several = count > 1;
    if (!refusal.empty()) {
        int answer = tk::MessageDlg(owner.Handle,
                                    refusal + "\rドロップされたファイルはこのメモに読み込めません。\r\r" +
                                        (several ? "全てのファイルを、新しいメモに読み込みますか？"
                                                 : "新しいメモに読み込みますか？"),
                                    "Drop-[" + caption + "]", MB_YESNO | MB_ICONEXCLAMATION);
        return answer != IDYES ? dropCancel : several ? dropAllNew : dropNewMemo;
    }
    auto chooser = std::make_unique<TForm31>();
    Form31 = chooser.get();
    chooser->ClearRef = [f = chooser.get()] {
        if (Form31 == f) Form31 = nullptr;
    };
    chooser->SetCaption(chooser->Caption() + "-[" + caption + "]");
    chooser->SetBounds(owner.Left(), owner.Top(), owner.Width(), chooser->Height());
    chooser->BitBtn1.SetCaption(several ? "最初のファイルのみ、このメモに読込" : "このメモに読込");
    chooser->BitBtn2.SetCaption(several ? "全てのファイルを、新しいメモに読込" : "新しいメモに読込");
    chooser->BitBtn2.Tag = several ? dropAllNew : dropNewMemo;
    if (Hook()) Hook()(*chooser);
    chooser->ShowModal();
    return chooser->Result;
}

}  // namespace memo
