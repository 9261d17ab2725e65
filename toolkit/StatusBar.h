// The status bar: a row of panels, or one simple panel for hints. Aligned to the bottom by default.
// Drawn by ourselves: the clock changes a panel every second, and the common control's own
// repaint round costs close to a millisecond under Wine. It answers the common control's
// SB_GETTEXT, SB_GETPARTS, SB_GETRECT and SB_ISSIMPLE queries.
#pragma once
#include <memory>

#include "toolkit/Control.h"

namespace tk {

class StatusBar;

enum class PanelAlign { Left, Center, Right };

class StatusPanel {
public:
    const std::string& Text() const { return text_; }
    void SetText(const std::string& s);
    int Width() const { return width_; }
    void SetWidth(int w);
    PanelAlign Alignment() const { return align_; }
    void SetAlignment(PanelAlign a);
    int Index() const { return index_; }

private:
    friend class StatusBar;
    friend class StatusPanels;
    StatusBar* bar_ = nullptr;
    int index_ = 0;
    std::string text_;
    int width_ = 50;
    PanelAlign align_ = PanelAlign::Left;
};

class StatusPanels {
public:
    explicit StatusPanels(StatusBar* bar) : bar_(bar) {}
    int Count() const { return (int)panels_.size(); }
    StatusPanel& operator[](int i) const { return *panels_.at(i); }
    StatusPanel& Add(const std::string& text = "", int width = 50);
    void Delete(int i);
    void Clear();

private:
    friend class StatusBar;
    StatusBar* bar_;
    std::vector<std::unique_ptr<StatusPanel>> panels_;
};

class StatusBar : public Control {
public:
    StatusBar() : Panels(this) {}
    // caption becomes SimpleText; items add one panel each of width 100; height 0 gives the usual height.
    void Create(Control& parent, const Ctl& p = {});

    StatusPanels Panels;  // the last panel reaches to the right edge
    bool SimplePanel() const { return simple_; }
    void SetSimplePanel(bool on);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& s);
    // Caption and Text are the simple text.
    std::string Caption() const override { return simpleText_; }
    void SetCaption(const std::string& s) override { SetSimpleText(s); }

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(TCanvas& c) override;

private:
    friend class StatusPanel;
    friend class StatusPanels;
    void UpdateParts();
    void UpdatePanel(int i);
    RECT PartRect(int i) const;  // the sunken frame of panel i (or of the simple panel)
    bool simple_ = false;
    bool sizeGrip_ = false;
    std::string simpleText_;
};

}  // namespace tk
