// A row of tabs without pages: the chosen tab decides what the controls around it show. The tabs
// hang from the top edge, the chosen one joined to what lies above it. Each tab is as wide as its
// caption; when they do not fit, all are narrowed alike.
// Choosing a tab, by the mouse or by SetTabIndex, runs OnChange (which may refuse) and then
// OnClick, and only when the tab changes.
#pragma once
#include "toolkit/Control.h"
#include "toolkit/ItemList.h"

namespace tk {

class TabSet : public Control, private ItemSink {
public:
    TabSet() : Tabs(this) {}
    // p.items are the tab captions; p.value is the first TabIndex (-1 for none).
    void Create(Control& parent, const Ctl& p);

    ItemList Tabs;
    // Before the tab changes: clear allow to keep the current one.
    std::function<void(int newTab, bool& allow)> OnChange;

    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int i);
    // The tab under a client point, or -1.
    int TabAt(int x, int y) const;
    RECT TabRect(int i) const;
    TColor SelectedColor = clBtnFace;
    TColor UnselectedColor = clWindow;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(TCanvas& c) override;

private:
    bool ItemsLive() const override { return Handle != nullptr; }
    void ItemInserted(int) override { Layout(); }
    void ItemDeleted(int) override { Layout(); }
    void ItemsCleared() override { Layout(); }
    void ItemChanged(int) override { Layout(); }
    void Layout();
    std::vector<RECT> rects_;
    int tabIndex_ = -1;
};

}  // namespace tk
