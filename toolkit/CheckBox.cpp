#include "toolkit/CheckBox.h"

#include <algorithm>

namespace tk {

// ---- CheckBox ----

void CheckBox::CreateButton(Control& parent, const Ctl& p, DWORD style) {
    if (p.style & cbLeftText) style |= BS_LEFTTEXT;
    CreateChild(parent, "BUTTON", style | WS_TABSTOP, 0, p);
    if (p.style & cbChecked) SendMessageA(Handle, BM_SETCHECK, BST_CHECKED, 0);
}

void CheckBox::Create(Control& parent, const Ctl& p) { CreateButton(parent, p, BS_AUTOCHECKBOX); }

bool CheckBox::Checked() const { return SendMessageA(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool v) {
    if (Checked() == v) return;
    SendMessageA(Handle, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

TAlignment CheckBox::Alignment() const {
    return (GetWindowLongA(Handle, GWL_STYLE) & BS_LEFTTEXT) ? taLeftJustify : taRightJustify;
}

void CheckBox::SetAlignment(TAlignment a) {
    LONG s = GetWindowLongA(Handle, GWL_STYLE);
    SetWindowLongA(Handle, GWL_STYLE, a == taLeftJustify ? s | BS_LEFTTEXT : s & ~BS_LEFTTEXT);
    Invalidate();
}

bool CheckBox::HandleCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    if (OnClick) OnClick();  // the box has toggled itself already
    return true;
}

// ---- RadioButton ----

void RadioButton::Create(Control& parent, const Ctl& p) { CreateButton(parent, p, BS_RADIOBUTTON); }

void RadioButton::SetChecked(bool v) {
    if (Checked() == v) return;
    SendMessageA(Handle, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v) return;
    if (Parent)
        for (Control* c : Parent->Children)
            if (auto* r = dynamic_cast<RadioButton*>(c); r && r != this && r->Handle)
                SendMessageA(r->Handle, BM_SETCHECK, BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

bool RadioButton::HandleCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    SetChecked(true);
    return true;
}

// ---- GroupBox ----

void GroupBox::Create(Control& parent, const Ctl& p) { CreateCustom(parent, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, p); }

void GroupBox::Paint(TCanvas& c) {
    RECT cr = ClientRect();
    int h = c.TextHeight("0");
    RECT r{cr.left, cr.top + h / 2 - 1, cr.right, cr.bottom};
    // Etched frame: a light rectangle one pixel below and right of a dark one.
    OffsetRect(&r, 1, 1);
    r.right -= 1;
    r.bottom -= 1;
    c.Brush.Color = clBtnHighlight;
    c.FrameRect(r);
    OffsetRect(&r, -1, -1);
    c.Brush.Color = clBtnShadow;
    c.FrameRect(r);
    std::string s = Caption();
    if (s.empty()) return;
    int w = c.TextWidth(s);
    RECT tr{8, 0, std::min<LONG>(cr.right - 8, 8 + w + 2), h};
    c.Brush.Color = EffectiveColor();
    c.Brush.Style = BrushStyle::Solid;
    if (!Enabled()) c.Font.Color = clGrayText;
    c.FillRect(tr);
    tr.left += 1;
    c.DrawText(s, tr, DT_SINGLELINE | DT_LEFT | DT_NOCLIP);
}

// ---- RadioGroup ----

void RadioGroup::Create(Control& parent, const Ctl& p) {
    columns_ = std::max(1, p.style);
    GroupBox::Create(parent, p);
    for (auto& s : p.items) Items.Add(s);  // each add rebuilds; item counts are small
    itemIndex_ = p.value >= -1 && p.value < Items.Count() ? p.value : -1;
    Rebuild();
}

void RadioGroup::ItemChanged(int i) {
    if (i >= 0 && i < (int)buttons_.size()) buttons_[i]->SetCaption(Items[i]);
}

void RadioGroup::Rebuild() {
    rebuilding_ = true;
    buttons_.clear();
    if (itemIndex_ >= Items.Count()) itemIndex_ = -1;
    for (int i = 0; i < Items.Count(); ++i) {
        std::unique_ptr<RadioButton> b = std::make_unique<RadioButton>();  // shows the group's hint
        b->Create(*this, {.caption = Items[i], .enabled = Enabled()});
        b->OnClick = [this, i] { ButtonClicked(i); };
        if (i == itemIndex_) SendMessageA(b->Handle, BM_SETCHECK, BST_CHECKED, 0);
        buttons_.push_back(std::move(b));
    }
    rebuilding_ = false;
    Arrange();
}

void RadioGroup::Arrange() {
    if (!Handle || buttons_.empty()) return;
    int lineHeight = FontLineHeight(EffectiveFont());
    int n = (int)buttons_.size();
    int perColumn = (n + columns_ - 1) / columns_;
    int buttonWidth = (Width() - 10) / columns_;
    int space = Height() - lineHeight - 5;
    int buttonHeight = std::max(1, space / perColumn);
    int top = lineHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < n; ++i)
        buttons_[i]->SetBounds((i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + top, buttonWidth,
                               buttonHeight);
}

void RadioGroup::SetColumns(int n) {
    n = std::clamp(n, 1, 16);
    if (columns_ == n) return;
    columns_ = n;
    Arrange();
}

void RadioGroup::SetItemIndex(int i) {
    if (i < -1) i = -1;
    if (i >= Items.Count()) i = Items.Count() - 1;
    if (i == itemIndex_) return;
    if (itemIndex_ >= 0 && itemIndex_ < (int)buttons_.size())
        SendMessageA(buttons_[itemIndex_]->Handle, BM_SETCHECK, BST_UNCHECKED, 0);
    itemIndex_ = i;
    if (i >= 0) buttons_[i]->SetChecked(true);  // its click reaches ButtonClicked, which fires OnClick
}

void RadioGroup::ButtonClicked(int i) {
    if (rebuilding_) return;
    itemIndex_ = i;
    if (OnClick) OnClick();
}

LRESULT RadioGroup::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Only the buttons click: a click on the frame itself is not a choice.
    if (msg == WM_LBUTTONUP && GetCapture() == Handle) ReleaseCapture();
    LRESULT r = GroupBox::WndProc(msg, wp, lp);
    switch (msg) {
        case WM_SIZE:
        case WM_SETFONT: Arrange(); break;
        case WM_ENABLE:
            for (auto& b : buttons_) EnableWindow(b->Handle, (BOOL)wp);
            break;
    }
    return r;
}

}  // namespace tk
