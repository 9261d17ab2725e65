// Rich text box over riched20 ("RichEdit20A"). Positions (SelStart, SelLength, FindText) count
// the control's characters: a double-byte character counts one, and so does a paragraph break.
// Text and Lines are Shift-JIS; Text separates paragraphs with CR LF.
// OnChange fires for every edit the user makes and once for a change made from code, only when
// the text moved.
#pragma once
#include <richedit.h>

#include "toolkit/Control.h"
#include "toolkit/StdTypes.h"
#include "toolkit/rtl/StringList.h"
#include "toolkit/rtl/Streams.h"

namespace tk {

// Flags for Ctl::style. reKeepVScroll: the vertical bar keeps its room, disabled while the text
// fits, so the lines are not wrapped again when a text grows past the box.
enum RichEditFlags : int {
    reReadOnly = 1, rePlainText = 2, reNoWordWrap = 4, reVScroll = 8, reHScroll = 16, reNoBorder = 32,
    reWantTabs = 64, reKeepVScroll = 128,
};
// stBackward searches from the start position towards the beginning of the text.
enum TSearchTypes { stMatchCase = 1, stWholeWord = 2, stBackward = 4 };
enum TNumberingStyle { nsNone, nsBullet };

class RichEdit;

// Character formatting of the selection (SelAttributes) or of text typed into an empty box
// (DefAttributes). Reading a mixed selection gives the format of its first character.
class TextAttributes {
public:
    TColor Color() const;
    void SetColor(TColor c);
    std::string Name() const;
    // Sets the face together with its character set (ScreenFonts): a Western face then shapes
    // only the Western text, and Japanese is written to files as Shift-JIS. A face the screen
    // lacks keeps the current set, or takes Shift-JIS when its name is Japanese.
    void SetName(const std::string& face);
    int Charset() const;
    void SetCharset(int charset);
    int Size() const;  // points
    void SetSize(int points);
    int Style() const;  // FontStyle bits
    void SetStyle(int styles);  // sets all four styles
    // One style alone, leaving the others of a mixed selection as they are.
    void SetStyleBit(FontStyle s, bool on);
    bool Bold() const { return Style() & fsBold; }
    TFont Font() const;
    void Assign(const TFont& f);

private:
    friend class RichEdit;
    TextAttributes(RichEdit& re, bool selection) : re_(re), selection_(selection) {}
    CHARFORMAT2A Get() const;
    void Set(CHARFORMAT2A& cf);
    RichEdit& re_;
    bool selection_;
};

// Paragraph formatting of the paragraphs the selection touches. Indents are in points;
// LeftIndent is measured from FirstIndent.
class ParaAttributes {
public:
    TAlignment Alignment() const;
    void SetAlignment(TAlignment a);
    TNumberingStyle Numbering() const;
    void SetNumbering(TNumberingStyle n);  // bullets push the text 10 points in, none takes it back
    int FirstIndent() const;
    void SetFirstIndent(int points);
    int LeftIndent() const;
    void SetLeftIndent(int points);
    int RightIndent() const;
    void SetRightIndent(int points);

private:
    friend class RichEdit;
    explicit ParaAttributes(RichEdit& re) : re_(re) {}
    PARAFORMAT2 Get() const;
    void Set(PARAFORMAT2& pf);
    RichEdit& re_;
};

// The paragraphs of a rich edit as lines. Reading gives the plain text; a trailing empty
// paragraph is not a line (as a string list reads a text ending in CR LF).
class RichLines {
public:
    int Count() const { return List().Count(); }
    std::string operator[](int i) const { return Strings(i); }
    std::string Strings(int i) const;
    rtl::TStringList List() const;
    // Appends a paragraph at the end, in the format of the text's last character.
    int Add(const std::string& s);
    void Insert(int i, const std::string& s);
    void Delete(int i);
    void Clear();
    std::string Text() const;
    void SetText(const std::string& s);
    // Rich text unless the box is in plain-text mode; see RichEdit::LoadFromStream.
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;
    void LoadFromStream(rtl::TStream& s);
    void SaveToStream(rtl::TStream& s) const;

private:
    friend class RichEdit;
    explicit RichLines(RichEdit& re) : re_(re) {}
    RichEdit& re_;
};

class RichEdit : public Control {
public:
    RichEdit();
    void Create(Control& parent, const Ctl& p);

    RichLines Lines;
    TextAttributes SelAttributes;
    TextAttributes DefAttributes;
    ParaAttributes Paragraph;
    std::function<void()> OnChange, OnSelectionChange;
    bool WantTabs = false;
    // Plain-text mode: files and streams are read and written as Shift-JIS text.
    bool PlainText = false;
    // Renews the 6-pixel margins (SetMargins) after every resize.
    bool KeepMargins = false;

    std::string Caption() const override;
    void SetCaption(const std::string& s) override;  // plain text, in the default format
    void Clear() { SetCaption(""); }
    int GetTextLen() const;  // characters

    // Reads rich text (RTF); data that is not RTF, or any data in plain-text mode, is read as
    // Shift-JIS text. Clears Modified. Raises rtl::EFOpenError when the file cannot be opened.
    void LoadFromFile(const std::string& path);
    // Writes RTF (Japanese as \'xx escapes, paragraph indents in RTF's sense even where Wine writes
    // them otherwise), or the lines as Shift-JIS text in plain-text mode.
    void SaveToFile(const std::string& path) const;
    void LoadFromStream(rtl::TStream& s);  // from the stream's position to its end
    // LoadFromStream without selection-change events while the text streams in: for a caller
    // that brings its bar in line once afterwards.
    void LoadQuietly(rtl::TStream& s);
    // For a box kept off screen to read files: loads the file as LoadFromFile does, without
    // redraw, change notices or undo (the box keeps no undo after), and gives its Text.
    std::string LoadTextOf(const std::string& path);
    // The same for bytes already in memory, as if they were the file.
    std::string LoadTextOfData(const std::string& data);
    // The text LoadTextOf gives, read without the box where the file allows (plain text, and rich
    // text of paragraphs, tabs and formatting): the box then keeps what it held.
    std::string ReadTextOf(const std::string& path);
    void SaveToStream(rtl::TStream& s) const;

    bool ReadOnly() const;
    void SetReadOnly(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v);
    void SetColor(TColor c);  // background
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
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void Undo();

    // Position of the first match in [start, start + length) (length -1: to the end), or -1;
    // matches fall on whole characters only. With stBackward the last match that ends at or
    // before start (length is ignored). matchLength, when given, receives the match's length.
    int FindText(const std::string& text, int start, int length, int options = 0, int* matchLength = nullptr) const;
    // Replaces every match from start on, each search going on after the previous replacement
    // (so a replacement that holds the text is not searched again), as one change. Returns the
    // number replaced; the caret ends after the last replacement.
    int ReplaceAll(const std::string& text, const std::string& with, int options = 0, int start = 0);

    // Formatting rectangle inside the client area: left = margin, top 0, right = client width
    // minus margin, bottom = client height.
    void SetMargins(int margin = 6);
    RECT FormatRect() const;

    // The text as the control counts it: paragraphs end in a single CR.
    std::wstring WideText() const;

    bool HandleCommand(WORD code) override;
    bool HandleNotify(NMHDR* nm, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend class RichLines;
    friend class TextAttributes;
    friend class ParaAttributes;
    void SetWideText(const std::wstring& w);
    void StreamIn(const std::string& data, UINT format);
    std::string StreamOut(UINT format) const;
    template <class F>
    void ChangeFromCode(F&& change);
    void ReplaceRange(int start, int end, const std::string& s);
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    int margin_ = 6;
    bool rectSet_ = false;  // SetMargins has set a formatting rectangle
    RECT rectSkew_{};       // what EM_GETRECT reads minus what EM_SETRECT was given
    bool quiet_ = false;
};

}  // namespace tk
