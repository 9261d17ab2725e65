// Drop-down combo box, with a typing field (csDropDown) or without (csDropDownList).
// OnChange fires when the user types or picks an item; setting Text or ItemIndex from code
// fires nothing. Key and double-click events come from the typing field too. A drop-down list
// reports a double click on the box although its second click lands in the list the first one
// dropped: the list closes again, the item stays what it was, and OnDblClick fires once.
#pragma once
#include "toolkit/Control.h"
#include "toolkit/ItemList.h"

namespace tk {

enum TComboBoxStyle { csDropDown, csDropDownList };
// Flags for Ctl::style besides the TComboBoxStyle.
enum ComboFlags : int { cbSorted = 0x100 };

class ComboBox : public Control, private ItemSink {
public:
    ComboBox() : Items(this) { Color = clWindow; }
    ~ComboBox() override;
    // p.items fill the list; p.caption is the first text; p.at.height is the closed height.
    void Create(Control& parent, const Ctl& p);

    ItemList Items;
    std::function<void()> OnChange;
    int DropDownCount = 8;

    TComboBoxStyle Style() const { return style_; }
    int ItemIndex() const;
    void SetItemIndex(int i);
    // For csDropDownList the text selects the item that equals it (or none).
    void SetCaption(const std::string& s) override;
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    void SelectAll();
    bool Sorted() const { return Items.Sorted(); }
    void SetSorted(bool v) { Items.SetSorted(v); }

    bool HandleCommand(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // The window height of a combo box is that of its open list: room for DropDownCount items.
    void FitDropDown();
    bool ItemsLive() const override { return Handle != nullptr; }
    void ItemInserted(int i) override;
    void ItemDeleted(int i) override;
    void ItemsCleared() override;
    void ItemChanged(int i) override;
    void SetTextQuiet(const std::string& s);
    // The typing field of csDropDown and the drop-down list of csDropDownList run through here.
    static LRESULT CALLBACK PartProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT FieldMessage(UINT msg, WPARAM wp, LPARAM lp);
    // A left click on the box or its list: true when it completes a double click on the box
    // (which then closes the list and fires OnDblClick); otherwise it may be the first one.
    bool PairClick();
    TComboBoxStyle style_ = csDropDown;
    HWND field_ = nullptr;  // the typing field of csDropDown
    WNDPROC fieldProc_ = nullptr;
    HWND list_ = nullptr;  // the drop-down list of csDropDownList
    WNDPROC listProc_ = nullptr;
    // The last click that may begin a double click: on the box, when, where (screen) and the
    // item chosen then.
    bool clickOnBox_ = false;
    DWORD clickTime_ = 0;
    POINT clickAt_{};
    int clickItem_ = -1;
    int maxLength_ = 0;
    bool quiet_ = false;
};

}  // namespace tk
