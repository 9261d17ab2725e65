// List box: Items kept in step with the control, single or multiple selection, and owner-drawn
// items of fixed or varying height. OnClick fires when the user changes the selection and
// OnDblClick on a double click; setting ItemIndex from code fires nothing.
#pragma once
#include "toolkit/Control.h"
#include "toolkit/ItemList.h"
#include "toolkit/StdTypes.h"

namespace tk {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
// Flags for Ctl::style besides the TListBoxStyle.
enum ListBoxFlags : int { lbMultiSelect = 0x100, lbSorted = 0x200, lbNoBorder = 0x400 };

class ListBox : public Control, private ItemSink {
public:
    ListBox() : Items(this) { Color = clWindow; }
    void Create(Control& parent, const Ctl& p);

    ItemList Items;
    // Owner drawing: paint item index into rect on Canvas (its brush and font are set up for
    // the item's state, selected or not); state holds TOwnerDrawState bits.
    std::function<void(int index, const RECT& rect, int state)> OnDrawItem;
    // Variable height: asked once for every item as it is added.
    std::function<void(int index, int& height)> OnMeasureItem;
    TCanvas Canvas;  // valid while OnDrawItem runs

    TListBoxStyle Style() const { return style_; }
    bool MultiSelect() const { return multi_; }
    int ItemIndex() const;  // the focused item when MultiSelect
    void SetItemIndex(int i);
    bool Selected(int i) const;
    void SetSelected(int i, bool v);
    int SelCount() const;
    void ClearSelection();
    int TopIndex() const;
    void SetTopIndex(int i);
    int ItemHeight() const;
    void SetItemHeight(int h);  // fixed heights (standard and owner-drawn fixed)
    bool Sorted() const { return Items.Sorted(); }
    void SetSorted(bool v) { Items.SetSorted(v); }
    // The item at a client point, or -1.
    int ItemAtPos(int x, int y) const;
    RECT ItemRect(int i) const;

    bool HandleCommand(WORD code) override;
    bool HandleDrawItem(DRAWITEMSTRUCT* di) override;
    bool HandleMeasureItem(MEASUREITEMSTRUCT* mi) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool ItemsLive() const override { return Handle != nullptr; }
    void ItemInserted(int i) override;
    void ItemDeleted(int i) override;
    void ItemsCleared() override;
    void ItemChanged(int i) override;
    int DefaultItemHeight() const;
    TListBoxStyle style_ = lbStandard;
    bool multi_ = false;
    int itemHeight_ = 0;  // 0: from the font
};

}  // namespace tk
