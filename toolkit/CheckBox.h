// Check boxes, radio buttons, the group box and the radio group. Setting Checked (or a radio
// group's ItemIndex) from code fires OnClick once when the value changes, as a click would.
#pragma once
#include <memory>

#include "toolkit/Control.h"
#include "toolkit/ItemList.h"
#include "toolkit/StdTypes.h"

namespace tk {

// Flags for Ctl::style: the box on the right of the caption; created ticked.
enum CheckFlags : int { cbLeftText = 1, cbChecked = 2 };

class CheckBox : public Control {
public:
    void Create(Control& parent, const Ctl& p);
    bool Checked() const;
    virtual void SetChecked(bool v);
    TAlignment Alignment() const;  // taRightJustify: caption right of the box (the default)
    void SetAlignment(TAlignment a);
    bool HandleCommand(WORD code) override;

protected:
    void CreateButton(Control& parent, const Ctl& p, DWORD style);
};

// Radio buttons with the same parent exclude each other.
class RadioButton : public CheckBox {
public:
    void Create(Control& parent, const Ctl& p);
    // Checking one unchecks the others; only checking fires OnClick.
    void SetChecked(bool v) override;
    bool HandleCommand(WORD code) override;
};

// A captioned, etched frame that holds other controls.
class GroupBox : public Control {
public:
    void Create(Control& parent, const Ctl& p);

protected:
    void Paint(TCanvas& c) override;
};

// A group box of radio buttons made from Items, laid out in Columns.
class RadioGroup : public GroupBox, private ItemSink {
public:
    RadioGroup() : Items(this) {}
    // p.items; p.value is the first ItemIndex (-1 for none); p.style the number of columns.
    void Create(Control& parent, const Ctl& p);

    ItemList Items;
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int i);
    int Columns() const { return columns_; }
    void SetColumns(int n);
    // The button of item i (to enable one item); a change of Items makes new buttons.
    RadioButton& Buttons(int i) { return *buttons_.at(i); }

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool ItemsLive() const override { return Handle != nullptr; }
    void ItemInserted(int) override { Rebuild(); }
    void ItemDeleted(int) override { Rebuild(); }
    void ItemsCleared() override { Rebuild(); }
    void ItemChanged(int i) override;
    void Rebuild();
    void Arrange();
    void ButtonClicked(int i);
    std::vector<std::unique_ptr<RadioButton>> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool rebuilding_ = false;
};

}  // namespace tk
