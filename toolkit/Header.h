// Header control (comctl32): a row of captioned sections, as over the columns of a table.
#pragma once
#include "toolkit/Control.h"

namespace tk {

class HeaderControl : public Control {
public:
    // p.items are the section texts; p.value the width of each (0: the control's width shared alike).
    void Create(Control& parent, const Ctl& p);

    int SectionCount() const;
    // Appends a section; returns its index.
    int AddSection(const std::string& text, int width);
    std::string SectionText(int i) const;
    void SetSectionText(int i, const std::string& text);
    int SectionWidth(int i) const;
};

}  // namespace tk
