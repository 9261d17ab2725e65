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
    bool WantTabs = false;  // Tab goes to the control instead of moving the focus on

    void SetCaption(const std::string& s) override;
    void Clear() { SetCaption(""); }
    int MaxLength() const { return maxLength_; }
    // In bytes of Text(): what is typed or pasted stops there, never in half a character. Text
    // set from code is not cut. 0: no limit.
    void SetMaxLength(int n);
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
    // The edit commands, as the keys would run them.
    void Undo();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();

    bool HandleCommand(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

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
    // Cuts an insertion that took the text past MaxLength back to what fits.
    void KeepWithinMaxLength();
    int maxLength_ = 0;
    bool quiet_ = false;
    std::string lastText_;
};

class Memo;

// The memo's hard lines (a wrapped line is still one line), shaped like ItemList. Every call
// reads the text afresh; every change writes it back as one change of the memo.
class MemoLines {
public:
    explicit MemoLines(Memo& m) : memo_(m) {}
    MemoLines(const MemoLines&) = delete;
    MemoLines& operator=(const MemoLines&) = delete;

    int Count() const { return List().Count(); }
    std::string operator[](int i) const;
    std::string Strings(int i) const { return (*this)[i]; }
    void SetStrings(int i, const std::string& s);
    int Add(const std::string& s);  // appended at the end, where the caret goes too
    void AddStrings(const std::vector<std::string>& lines);
    void Insert(int i, const std::string& s);
    void Delete(int i);
    void Clear();
    int IndexOf(const std::string& s) const { return List().IndexOf(s); }
    std::string Text() const { return List().Text(); }
    void SetText(const std::string& text);
    std::string CommaText() const { return List().CommaText(); }
    void SetCommaText(const std::string& text);
    rtl::TStringList List() const;
    void Assign(const rtl::TStringList& l);
    void Assign(const std::vector<std::string>& lines);
    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path) const { return List().SaveToFile(path); }

private:
    void CheckIndex(int i, int limit) const;
    Memo& memo_;
};

class Memo : public Edit {
public:
    void Create(Control& parent, const Ctl& p);

    MemoLines Lines{*this};

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend class MemoLines;
    void Append(const std::string& line);
    DWORD MemoStyle() const;
    void Recreate();  // the wrap and scroll-bar styles only take effect in a new window
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    DWORD align_ = 0;
};

}  // namespace tk
