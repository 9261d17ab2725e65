// A tab control whose pages are container controls: the sheet of the selected tab is shown and
// fills the display area. OnChanging / OnChange run only when the user switches pages.
#pragma once
#include "toolkit/Control.h"

namespace tk {

class PageControl;

class TabSheet : public Control {
public:
    // caption is the tab's text and visible its TabVisible; the sheet's bounds follow the page control.
    void Create(PageControl& owner, const Ctl& p = {});
    ~TabSheet() override;

    PageControl* Owner() const { return owner_; }
    int PageIndex() const;
    // The index of its tab among the shown tabs, or -1 while the tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v);
    void SetCaption(const std::string& s) override;

private:
    friend class PageControl;
    PageControl* owner_ = nullptr;
    bool tabVisible_ = true;
};

class PageControl : public Control {
public:
    void Create(Control& parent, const Ctl& p);
    ~PageControl() override;

    // After the user picked another tab.
    std::function<void()> OnChange;
    // Before it: clear allow to keep the current page.
    std::function<void(bool& allow)> OnChanging;

    int PageCount() const { return (int)pages_.size(); }
    TabSheet* Pages(int i) const { return i >= 0 && i < PageCount() ? pages_[i] : nullptr; }
    TabSheet* ActivePage() const { return active_; }
    // From code: shows the page without OnChanging / OnChange. A page whose tab is hidden is not shown.
    void SetActivePage(TabSheet* page);
    int ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }
    void SetActivePageIndex(int i) { SetActivePage(Pages(i)); }
    // 0: each tab as wide as its text.
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int w);
    // Tabs that do not fit wrap into further rows instead of scrolling.
    void SetMultiLine(bool on);
    // The rectangle the sheets fill, in the page control's client co-ordinates.
    RECT DisplayRect() const;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleNotify(NMHDR* nm, LRESULT& result) override;

private:
    friend class TabSheet;
    void AddPage(TabSheet* s);
    void RemovePage(TabSheet* s);
    void InsertTab(TabSheet* s);
    void RemoveTab(TabSheet* s);
    void ShowPage(TabSheet* s);  // makes s the shown page without events
    void LayoutSheets();
    std::vector<TabSheet*> pages_;
    TabSheet* active_ = nullptr;
    int tabWidth_ = 0;
};

}  // namespace tk
