// Text boxes: Edit (one line) and Memo (several lines). OnChange fires once for every change of
// the text, typed or set from code, and never when the text is set to what it already is.
// Selection positions count bytes of Text(), as the rest of the program measures strings.
#pragma once
#include "toolkit/Control.h"
#include "toolkit/StdTypes.h"
#include "toolkit/rtl/StringList.h"

namespace tk {

// Flags for Ctl::style.
enum EditFlags : int {
    esReadOnly = 1, esPassword = 2, esNoBorder = 4, esCenter = 8, esRight = 16,
    esNoWordWrap = 32, esVScroll = 64, esHScroll = 128, esWantTabs = 256,  // the last four: Memo only
};

class Edit : public Control {
public:
    Edit() { Color = clWindow; }
    void Create(Control& parent, const Ctl& p);

    std::function<void()> OnChange;

    void SetCaption(const std::string& s) override;
    void Clear() { SetCaption(""); }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);  // 0: no limit
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    char PasswordChar() const;
    void SetPasswordChar(char c);  // 0 shows the text
    bool Modified() const;
    void SetModified(bool v);

    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int v);  // also empties the selection
    void SetSelLength(int v);
    void Select(int start, int length);
    void SelectAll();
    std::string SelText() const;
    void SetSelText(const std::string& s);  // replaces the selection

    bool HandleCommand(WORD code) override;

protected:
    void CreateEdit(Control& parent, const Ctl& p, DWORD style);
    // Runs a change made from code so that OnChange fires exactly once, after it, if the text moved.
    template <class F>
    void ChangeFromCode(F&& change);
    // Fires OnChange when the text differs from the last text reported (the system also
    // notifies for keys that changed nothing, such as one past MaxLength).
    void Notice();
    // Byte offsets of Text() to the units the control counts in, and back.
    int ToControl(int bytes) const;
    int FromControl(int units) const;
    void GetSel(int& start, int& end) const;  // in bytes
    int maxLength_ = 0;
    bool quiet_ = false;
    std::string lastText_;
};

class Memo : public Edit {
public:
    void Create(Control& parent, const Ctl& p);

    // The hard lines of the text (a wrapped line is still one line).
    rtl::TStringList Lines() const;
    void SetLines(const rtl::TStringList& lines);
    void SetLines(const std::vector<std::string>& lines);
    int LineCount() const { return Lines().Count(); }
    std::string Line(int i) const;
    void AddLine(const std::string& s);

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v);
    bool WantTabs = false;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    DWORD MemoStyle() const;
    void Recreate();  // the wrap and scroll-bar styles only take effect in a new window
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    DWORD align_ = 0;
};

}  // namespace tk
