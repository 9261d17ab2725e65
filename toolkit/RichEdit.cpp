#include "toolkit/RichEdit.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <vector>

#include "toolkit/Files.h"
#include "toolkit/RtfIndents.h"
#include "toolkit/ScreenFonts.h"
#include "toolkit/rtl/SysUtils.h"

namespace tk {

static std::wstring SjisToWide(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(932, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(932, 0, s.data(), (int)s.size(), w.data(), n);
    return w;
}

static std::string WideToSjis(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(932, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(932, 0, w.data(), (int)w.size(), s.data(), n, nullptr, nullptr);
    return s;
}

// The control ends paragraphs with a lone CR; callers speak CR LF.
static std::string CrToCrLf(const std::wstring& w) {
    std::wstring out;
    out.reserve(w.size() + w.size() / 16);
    for (wchar_t c : w) {
        out += c;
        if (c == L'\r') out += L'\n';
    }
    return WideToSjis(out);
}

static std::string CrLfToCr(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = (unsigned char)s[i];
        if (rtl::IsSjisLead(c) && i + 1 < s.size()) {
            out += s[i];
            out += s[++i];
        } else if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
            out += '\r';
            ++i;
        } else {
            out += (char)c;
        }
    }
    return out;
}

// Paragraphs of the control's text: [start, start + length) each; a final empty one is left out.
struct Para {
    int start, length;
};
static std::vector<Para> Paragraphs(const std::wstring& w) {
    std::vector<Para> v;
    int start = 0;
    for (int i = 0; i < (int)w.size(); ++i)
        if (w[i] == L'\r') {
            v.push_back({start, i - start});
            start = i + 1;
        }
    if (start < (int)w.size()) v.push_back({start, (int)w.size() - start});
    return v;
}

// ---- TextAttributes ----

CHARFORMAT2A TextAttributes::Get() const {
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    SendMessageA(re_.Handle, EM_GETCHARFORMAT, selection_ ? SCF_SELECTION : SCF_DEFAULT, (LPARAM)&cf);
    return cf;
}

void TextAttributes::Set(CHARFORMAT2A& cf) {
    cf.cbSize = sizeof cf;
    SendMessageA(re_.Handle, EM_SETCHARFORMAT, selection_ ? SCF_SELECTION : SCF_DEFAULT, (LPARAM)&cf);
}

TColor TextAttributes::Color() const {
    CHARFORMAT2A cf = Get();
    return (cf.dwEffects & CFE_AUTOCOLOR) ? clWindowText : (TColor)cf.crTextColor;
}

void TextAttributes::SetColor(TColor c) {
    CHARFORMAT2A cf{};
    cf.dwMask = CFM_COLOR;
    // The window-text colour stays "automatic", so it follows the system and reads back as set.
    if (c == clWindowText) cf.dwEffects = CFE_AUTOCOLOR;
    else cf.crTextColor = ColorToRGB(c);
    Set(cf);
}

std::string TextAttributes::Name() const { return Get().szFaceName; }

void TextAttributes::SetName(const std::string& face) {
    CHARFORMAT2A cf{};
    cf.dwMask = CFM_FACE;
    lstrcpynA(cf.szFaceName, rtl::SjisTruncate(face, LF_FACESIZE - 1).c_str(), LF_FACESIZE);
    int charset = FaceCharset(face);
    // A Japanese face name is a Japanese font; the writer then keeps its text in Shift-JIS.
    if (charset < 0 && std::any_of(face.begin(), face.end(), [](char ch) { return (unsigned char)ch >= 0x80; }))
        charset = SHIFTJIS_CHARSET;
    if (charset >= 0) {
        cf.dwMask |= CFM_CHARSET;
        cf.bCharSet = (BYTE)charset;
    }
    Set(cf);
}

int TextAttributes::Charset() const { return Get().bCharSet; }

void TextAttributes::SetCharset(int charset) {
    CHARFORMAT2A cf{};
    cf.dwMask = CFM_CHARSET;
    cf.bCharSet = (BYTE)charset;
    Set(cf);
}

int TextAttributes::Size() const { return Get().yHeight / 20; }

void TextAttributes::SetSize(int points) {
    CHARFORMAT2A cf{};
    cf.dwMask = CFM_SIZE;
    cf.yHeight = points * 20;
    Set(cf);
}

static const struct {
    FontStyle style;
    DWORD mask, effect;
} kStyles[] = {{fsBold, CFM_BOLD, CFE_BOLD},
               {fsItalic, CFM_ITALIC, CFE_ITALIC},
               {fsUnderline, CFM_UNDERLINE, CFE_UNDERLINE},
               {fsStrikeOut, CFM_STRIKEOUT, CFE_STRIKEOUT}};

int TextAttributes::Style() const {
    CHARFORMAT2A cf = Get();
    int s = 0;
    for (auto& k : kStyles)
        if (cf.dwEffects & k.effect) s |= k.style;
    return s;
}

void TextAttributes::SetStyle(int styles) {
    CHARFORMAT2A cf{};
    for (auto& k : kStyles) {
        cf.dwMask |= k.mask;
        if (styles & k.style) cf.dwEffects |= k.effect;
    }
    Set(cf);
}

void TextAttributes::SetStyleBit(FontStyle s, bool on) {
    CHARFORMAT2A cf{};
    for (auto& k : kStyles)
        if (k.style == s) {
            cf.dwMask = k.mask;
            cf.dwEffects = on ? k.effect : 0;
        }
    Set(cf);
}

TFont TextAttributes::Font() const {
    TFont f;
    f.Name = Name();
    f.Size = Size();
    f.Color = Color();
    f.Style = Style();
    return f;
}

void TextAttributes::Assign(const TFont& f) {
    SetName(f.Name);
    SetSize(f.Size);
    SetColor(f.Color);
    SetStyle(f.Style);
}

// ---- ParaAttributes ----

PARAFORMAT2 ParaAttributes::Get() const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    SendMessageA(re_.Handle, EM_GETPARAFORMAT, 0, (LPARAM)&pf);
    return pf;
}

void ParaAttributes::Set(PARAFORMAT2& pf) {
    pf.cbSize = sizeof pf;
    SendMessageA(re_.Handle, EM_SETPARAFORMAT, 0, (LPARAM)&pf);
}

TAlignment ParaAttributes::Alignment() const {
    switch (Get().wAlignment) {
        case PFA_RIGHT: return taRightJustify;
        case PFA_CENTER: return taCenter;
        default: return taLeftJustify;
    }
}

void ParaAttributes::SetAlignment(TAlignment a) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_ALIGNMENT;
    pf.wAlignment = a == taRightJustify ? PFA_RIGHT : a == taCenter ? PFA_CENTER : PFA_LEFT;
    Set(pf);
}

TNumberingStyle ParaAttributes::Numbering() const { return Get().wNumbering == PFN_BULLET ? nsBullet : nsNone; }

void ParaAttributes::SetNumbering(TNumberingStyle n) {
    if (n == nsBullet) {
        if (LeftIndent() < 10) SetLeftIndent(10);
    } else {
        SetLeftIndent(0);
    }
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_NUMBERING;
    pf.wNumbering = n == nsBullet ? PFN_BULLET : 0;
    Set(pf);
}

int ParaAttributes::FirstIndent() const { return Get().dxStartIndent / 20; }
void ParaAttributes::SetFirstIndent(int points) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_STARTINDENT;
    pf.dxStartIndent = points * 20;
    Set(pf);
}

int ParaAttributes::LeftIndent() const { return Get().dxOffset / 20; }
void ParaAttributes::SetLeftIndent(int points) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_OFFSET;
    pf.dxOffset = points * 20;
    Set(pf);
}

int ParaAttributes::RightIndent() const { return Get().dxRightIndent / 20; }
void ParaAttributes::SetRightIndent(int points) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_RIGHTINDENT;
    pf.dxRightIndent = points * 20;
    Set(pf);
}

// ---- RichLines ----

rtl::TStringList RichLines::List() const {
    std::wstring w = re_.WideText();
    rtl::TStringList l;
    for (const Para& p : Paragraphs(w)) l.Add(WideToSjis(w.substr(p.start, p.length)));
    return l;
}

std::string RichLines::Strings(int i) const {
    rtl::TStringList l = List();
    if (i < 0 || i >= l.Count()) throw rtl::Exception("行の番号が範囲を超えています (" + rtl::IntToStr(i) + ")");
    return l[i];
}

int RichLines::Add(const std::string& s) {
    std::wstring w = re_.WideText();
    int end = (int)w.size();
    bool open = !w.empty() && w.back() != L'\r';
    re_.ReplaceRange(end, end, (open ? "\r" : "") + s + "\r");
    return (int)Paragraphs(w).size();
}

void RichLines::Insert(int i, const std::string& s) {
    std::wstring w = re_.WideText();
    std::vector<Para> v = Paragraphs(w);
    if (i < 0 || i > (int)v.size()) throw rtl::Exception("行の番号が範囲を超えています (" + rtl::IntToStr(i) + ")");
    if (i == (int)v.size()) {
        Add(s);
        return;
    }
    re_.ReplaceRange(v[i].start, v[i].start, s + "\r");
}

void RichLines::Delete(int i) {
    std::wstring w = re_.WideText();
    std::vector<Para> v = Paragraphs(w);
    if (i < 0 || i >= (int)v.size()) throw rtl::Exception("行の番号が範囲を超えています (" + rtl::IntToStr(i) + ")");
    int start = v[i].start, end = start + v[i].length;
    if (end < (int)w.size()) ++end;  // with its paragraph break
    else if (start > 0) --start;     // the last one, without a break: take the one before it
    re_.ReplaceRange(start, end, "");
}

void RichLines::Clear() { re_.Clear(); }
std::string RichLines::Text() const { return List().Text(); }
void RichLines::SetText(const std::string& s) { re_.SetCaption(s); }
void RichLines::LoadFromFile(const std::string& path) { re_.LoadFromFile(path); }
void RichLines::SaveToFile(const std::string& path) const { re_.SaveToFile(path); }
void RichLines::LoadFromStream(rtl::TStream& s) { re_.LoadFromStream(s); }
void RichLines::SaveToStream(rtl::TStream& s) const { re_.SaveToStream(s); }

// ---- RichEdit ----

RichEdit::RichEdit() : Lines(*this), SelAttributes(*this, true), DefAttributes(*this, false), Paragraph(*this) {
    Color = clWindow;
}

void RichEdit::Create(Control& parent, const Ctl& p) {
    wordWrap_ = !(p.style & reNoWordWrap);
    PlainText = p.style & rePlainText;
    WantTabs = p.style & reWantTabs;
    bool v = p.style & (reVScroll | reKeepVScroll), h = p.style & reHScroll;
    scrollBars_ = v && h ? ssBoth : v ? ssVertical : h ? ssHorizontal : ssNone;
    DWORD style = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_TABSTOP;
    if (v) style |= WS_VSCROLL;
    if (p.style & reKeepVScroll) style |= ES_DISABLENOSCROLL;
    if (h) style |= WS_HSCROLL;
    if (!wordWrap_) style |= ES_AUTOHSCROLL;
    if (p.style & reReadOnly) style |= ES_READONLY;
    Ctl q = p;
    q.caption.clear();  // a caption starting "{\rtf" would be read as rich text
    CreateChild(parent, "RichEdit20A", style, (p.style & reNoBorder) ? 0 : WS_EX_CLIENTEDGE, q);
    SendMessageA(Handle, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);  // the default stops at 32K characters
    SendMessageA(Handle, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    SendMessageA(Handle, EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);
    SendMessageA(Handle, EM_SETBKGNDCOLOR, 0, ColorToRGB(Color));
    DefAttributes.Assign(EffectiveFont());
    CHARFORMAT2A cf{};
    cf.dwMask = CFM_CHARSET;
    cf.bCharSet = SHIFTJIS_CHARSET;  // typed Japanese is written to files as Shift-JIS escapes
    DefAttributes.Set(cf);
    if (!p.caption.empty()) {
        quiet_ = true;
        SetWideText(SjisToWide(p.caption));
        quiet_ = false;
    }
    SetModified(false);
}

std::wstring RichEdit::WideText() const {
    int n = GetTextLen();
    if (n <= 0) return {};
    std::wstring w(n + 1, L'\0');
    GETTEXTEX gt{};
    gt.cb = (DWORD)((n + 1) * sizeof(wchar_t));
    gt.flags = GT_DEFAULT;
    gt.codepage = 1200;
    LRESULT got = SendMessageA(Handle, EM_GETTEXTEX, (WPARAM)&gt, (LPARAM)w.data());
    w.resize(std::clamp<LRESULT>(got, 0, n));
    return w;
}

namespace {
struct InBuffer {
    const std::string* data;
    size_t pos;
};
DWORD CALLBACK ReadIn(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done) {
    auto* in = (InBuffer*)cookie;
    size_t n = std::min<size_t>(cb, in->data->size() - in->pos);
    memcpy(buf, in->data->data() + in->pos, n);
    in->pos += n;
    *done = (LONG)n;
    return 0;
}
DWORD CALLBACK WriteOut(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done) {
    ((std::string*)cookie)->append((const char*)buf, cb);
    *done = cb;
    return 0;
}
}  // namespace

void RichEdit::StreamIn(const std::string& data, UINT format) {
    InBuffer in{&data, 0};
    EDITSTREAM es{(DWORD_PTR)&in, 0, ReadIn};
    SendMessageA(Handle, EM_STREAMIN, format, (LPARAM)&es);
}

std::string RichEdit::StreamOut(UINT format) const {
    std::string out;
    EDITSTREAM es{(DWORD_PTR)&out, 0, WriteOut};
    SendMessageA(Handle, EM_STREAMOUT, format, (LPARAM)&es);
    return out;
}

// Plain text through the stream: WM_SETTEXT would read a text that starts "{\rtf" as rich text.
void RichEdit::SetWideText(const std::wstring& w) {
    std::string bytes((const char*)w.data(), w.size() * sizeof(wchar_t));
    StreamIn(bytes, SF_TEXT | SF_UNICODE);
}

template <class F>
void RichEdit::ChangeFromCode(F&& change) {
    // Nobody listens: no need to read the whole text twice.
    bool watch = OnChange && !quiet_;
    std::wstring before = watch ? WideText() : std::wstring();
    struct Quiet {
        bool& q;
        bool old;
        ~Quiet() { q = old; }
    } quiet{quiet_, quiet_};
    quiet_ = true;
    change();
    quiet_ = quiet.old;
    if (watch && OnChange && !quiet_ && WideText() != before) OnChange();
}

void RichEdit::ReplaceRange(int start, int end, const std::string& s) {
    ChangeFromCode([&] {
        CHARRANGE cr{start, end};
        SendMessageA(Handle, EM_EXSETSEL, 0, (LPARAM)&cr);
        SendMessageA(Handle, EM_REPLACESEL, TRUE, (LPARAM)CrLfToCr(s).c_str());
    });
}

std::string RichEdit::Caption() const { return CrToCrLf(WideText()); }

void RichEdit::SetCaption(const std::string& s) {
    if (Caption() == s) return;
    ChangeFromCode([&] { SetWideText(SjisToWide(s)); });
}

int RichEdit::GetTextLen() const {
    // Counted by the control: reading the text out for its size would copy all of it.
    if (!Handle) return 0;
    GETTEXTLENGTHEX gl{GTL_DEFAULT | GTL_NUMCHARS | GTL_PRECISE, 1200};
    return std::max(0, (int)SendMessageA(Handle, EM_GETTEXTLENGTHEX, (WPARAM)&gl, 0));
}

static bool IsRtf(const std::string& data) { return data.rfind("{\\rtf", 0) == 0 || data.rfind("{\\urtf", 0) == 0; }

void RichEdit::LoadFromStream(rtl::TStream& s) {
    std::string data;
    char buf[16384];
    long n;
    while ((n = s.Read(buf, sizeof buf)) > 0) data.append(buf, n);
    ChangeFromCode([&] {
        if (!PlainText && IsRtf(data)) StreamIn(data, SF_RTF);
        else SetWideText(SjisToWide(data));
    });
    SetModified(false);
}

void RichEdit::LoadQuietly(rtl::TStream& s) {
    LRESULT mask = SendMessageA(Handle, EM_SETEVENTMASK, 0, 0);
    struct Restore {
        HWND h;
        LRESULT mask;
        ~Restore() { SendMessageA(h, EM_SETEVENTMASK, 0, mask); }
    } restore{Handle, mask};
    LoadFromStream(s);
}

namespace {
std::string ReadWholeFile(const std::string& path) {
    rtl::TFileStream f(path, rtl::fmOpenRead);
    std::string data((size_t)f.Size(), '\0');
    data.resize(data.empty() ? 0 : (size_t)std::max(0L, f.Read(data.data(), (long)data.size())));
    return data;
}

// Plain text the control keeps as it is: no control characters but tabs and CR LF pairs.
bool KeptAsItIs(const std::wstring& w) {
    for (size_t i = 0; i < w.size(); ++i) {
        const wchar_t c = w[i];
        if (c >= 0x20 && c != 0x7F) continue;
        if (c == L'\t') continue;
        if (c == L'\r' && i + 1 < w.size() && w[i + 1] == L'\n') {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

// Formatting words that leave the text as it is.
bool IsFormatWord(const std::string& w) {
    static const char* const kWords[] = {
        "rtf", "ansi", "ansicpg", "deff", "deflang", "deflangfe", "deftab", "uc", "pard", "plain", "fs", "cf",
        "cb", "highlight", "b", "i", "ul", "ulnone", "ulw", "uld", "uldb", "ulwave", "strike", "super", "sub",
        "nosupersub", "up", "dn", "li", "ri", "fi", "ql", "qr", "qc", "qj", "sb", "sa", "sl", "slmult", "tx", "tqr",
        "tqc", "tqdec", "lang", "langfe", "langnp", "langfenp", "viewkind", "nowidctlpar", "widctlpar", "keep",
        "keepn", "outl", "shad", "caps", "scaps", "expnd", "expndtw", "kerning", "charscalex", "ltrpar", "rtlpar",
        "ltrch", "rtlch", "loch", "hich", "dbch", "af", "afs", "ab", "ai", "htmautsp", "fnil", "froman", "fswiss",
        "fmodern", "fscript", "fdecor", "ftech", "fbidi", "fprq", "cpg", "red", "green", "blue"};
    for (const char* k : kWords)
        if (w == k) return true;
    return false;
}

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The text the control shows for rich text of the kinds the editors write: paragraphs, tabs,
// Japanese as \'hh in code page 932 and \u, formatting left out. False for anything else
// (pictures, tables, fields, lists, other code pages, symbols), which only the control reads right.
bool RtfText(const std::string& rtf, std::wstring& out) {
    if (rtf.rfind("{\\rtf", 0) != 0) return false;
    struct Group {
        bool skip = false;     // a destination whose text is not shown
        bool fontTable = false;
        int font = -1;         // the font set by \f in this group, -1 for none yet
        int uc = 1;            // characters that stand in for a \u
    };
    std::vector<Group> groups;
    std::map<int, int> charsets;  // font number -> \fcharset
    int tableFont = -1;
    int ansiCodePage = 0;
    std::string bytes;  // text bytes not yet decoded
    int pendingSkip = 0;  // stand-ins of the last \u still to drop
    auto flush = [&]() {
        if (bytes.empty()) return true;
        // A double-byte character split by a control word: the control's own decoding decides.
        for (size_t i = 0; i < bytes.size(); ++i)
            if (rtl::IsSjisLead((unsigned char)bytes[i]) && ++i == bytes.size()) return false;
        out += SjisToWide(bytes);
        bytes.clear();
        return true;
    };
    // Bytes of 0x80 up decode by the font's code page: only 932 is known to read as here.
    auto textByte = [&](unsigned char c) {
        if (pendingSkip > 0) {
            --pendingSkip;
            return true;
        }
        if (c >= 0x80) {
            const Group& g = groups.back();
            const bool cp932 = g.font >= 0 ? charsets.count(g.font) && charsets[g.font] == 128 : ansiCodePage == 932;
            if (!cp932) return false;
        }
        bytes += (char)c;
        return true;
    };
    size_t i = 0;
    const size_t n = rtf.size();
    while (i < n) {
        const char c = rtf[i];
        if (c == '{') {
            if (pendingSkip) return false;
            groups.push_back(groups.empty() ? Group{} : groups.back());
            ++i;
            continue;
        }
        if (c == '}') {
            if (groups.empty() || pendingSkip || !flush()) return false;
            groups.pop_back();
            ++i;
            if (groups.empty()) break;
            continue;
        }
        if (groups.empty()) return false;
        Group& g = groups.back();
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            if ((unsigned char)c < 0x20 || (unsigned char)c >= 0x80) return false;
            if (g.fontTable) {
                if (c == ';') tableFont = -1;
            } else if (!g.skip && !textByte((unsigned char)c)) {
                return false;
            }
            ++i;
            continue;
        }
        if (i + 1 >= n) return false;
        const char e = rtf[i + 1];
        if (e == '\'') {
            const int hi = i + 3 < n ? Hex(rtf[i + 2]) : -1, lo = i + 3 < n ? Hex(rtf[i + 3]) : -1;
            if (hi < 0 || lo < 0) return false;
            if (!g.skip && !g.fontTable && !textByte((unsigned char)(hi * 16 + lo))) return false;
            i += 4;
            continue;
        }
        if (e == '\\' || e == '{' || e == '}') {
            if (!g.skip && !g.fontTable && !textByte((unsigned char)e)) return false;
            i += 2;
            continue;
        }
        if (e == '*') {
            g.skip = true;
            i += 2;
            continue;
        }
        if (!std::isalpha((unsigned char)e)) return false;  // \~ \- \_ and the rest
        size_t j = i + 1;
        std::string word;
        while (j < n && std::isalpha((unsigned char)rtf[j])) word += rtf[j++];
        bool numbered = false;
        long value = 0;
        size_t digits = j;
        if (digits < n && rtf[digits] == '-') ++digits;
        const size_t firstDigit = digits;
        while (digits < n && std::isdigit((unsigned char)rtf[digits]) && digits - firstDigit < 9) ++digits;
        if (digits > firstDigit) {
            value = std::strtol(rtf.c_str() + j, nullptr, 10);
            numbered = true;
            j = digits;
        }
        if (j < n && rtf[j] == ' ') ++j;
        i = j;
        if (g.skip) continue;
        if (pendingSkip) return false;  // a stand-in cut short by a control word
        if (word == "fonttbl") {
            g.fontTable = true;
        } else if (word == "colortbl" || word == "stylesheet" || word == "info") {
            g.skip = true;
        } else if (word == "f") {
            if (!numbered) return false;
            if (g.fontTable) tableFont = (int)value;
            else if (!flush()) return false;
            else g.font = (int)value;
        } else if (word == "fcharset") {
            if (!g.fontTable || tableFont < 0 || !numbered) return false;
            charsets[tableFont] = (int)value;
        } else if (word == "ansicpg") {
            ansiCodePage = (int)value;
        } else if (word == "uc") {
            g.uc = numbered ? (int)value : 1;
            if (g.uc < 0) return false;
        } else if (word == "u") {
            if (!numbered || g.fontTable || !flush()) return false;
            out += (wchar_t)(value < 0 ? value + 65536 : value);
            pendingSkip = g.uc;
        } else if (word == "par" || word == "tab") {
            if (g.fontTable || !flush()) return false;
            out += word == "par" ? L'\r' : L'\t';
        } else if (word == "plain") {
            if (!flush()) return false;
            g.font = -1;
        } else if (!IsFormatWord(word)) {
            return false;
        } else if (!flush()) {
            return false;
        }
    }
    if (!groups.empty() || pendingSkip || !flush()) return false;
    // Wine's writer ends its files with a NUL.
    for (; i < n; ++i)
        if (rtf[i] != '\0' && !std::isspace((unsigned char)rtf[i])) return false;
    // The control drops the paragraph mark that ends the document.
    if (!out.empty() && out.back() == L'\r') out.pop_back();
    return true;
}
}  // namespace

std::string RichEdit::LoadTextOf(const std::string& path) { return LoadTextOfData(ReadWholeFile(path)); }

std::string RichEdit::LoadTextOfData(const std::string& data) {
    const LRESULT mask = SendMessageA(Handle, EM_SETEVENTMASK, 0, 0);
    SendMessageA(Handle, EM_SETUNDOLIMIT, 0, 0);
    if (!PlainText && IsRtf(data)) StreamIn(data, SF_RTF);
    else SetWideText(SjisToWide(data));
    SendMessageA(Handle, EM_SETEVENTMASK, 0, mask);
    SetModified(false);
    return Caption();
}

std::string RichEdit::ReadTextOf(const std::string& path) {
    // The box's own reading raises the error of a file that cannot be read.
    std::string data;
    if (!ReadFileBytes(path, data)) return LoadTextOf(path);
    std::wstring w;
    if (!PlainText && IsRtf(data)) {
        if (RtfText(data, w)) return CrToCrLf(w);
    } else if (w = SjisToWide(data); KeptAsItIs(w)) {
        return WideToSjis(w);
    }
    // Already in memory: the box reads these bytes rather than the file a second time.
    return LoadTextOfData(data);
}

void RichEdit::SaveToStream(rtl::TStream& s) const {
    std::string data = PlainText ? Lines.Text() : FixWineParagraphIndents(StreamOut(SF_RTF));
    s.WriteBuffer(data.data(), (long)data.size());
}

void RichEdit::LoadFromFile(const std::string& path) {
    rtl::TFileStream f(path, rtl::fmOpenRead);
    LoadFromStream(f);
}

void RichEdit::SaveToFile(const std::string& path) const {
    rtl::TFileStream f(path, rtl::fmCreate);
    SaveToStream(f);
}

bool RichEdit::ReadOnly() const { return SendMessageA(Handle, EM_GETOPTIONS, 0, 0) & ECO_READONLY; }
void RichEdit::SetReadOnly(bool v) { SendMessageA(Handle, EM_SETREADONLY, v, 0); }

void RichEdit::SetWordWrap(bool v) {
    if (wordWrap_ == v) return;
    wordWrap_ = v;
    SendMessageA(Handle, EM_SETTARGETDEVICE, 0, v ? 0 : 1);
}

void RichEdit::SetScrollBars(TScrollStyle v) {
    if (scrollBars_ == v) return;
    scrollBars_ = v;
    SendMessageA(Handle, EM_SHOWSCROLLBAR, SB_VERT, v == ssVertical || v == ssBoth);
    SendMessageA(Handle, EM_SHOWSCROLLBAR, SB_HORZ, v == ssHorizontal || v == ssBoth);
}

void RichEdit::SetColor(TColor c) {
    Color = c;
    SendMessageA(Handle, EM_SETBKGNDCOLOR, 0, ColorToRGB(c));
}

bool RichEdit::Modified() const { return SendMessageA(Handle, EM_GETMODIFY, 0, 0) != 0; }
void RichEdit::SetModified(bool v) { SendMessageA(Handle, EM_SETMODIFY, v, 0); }

int RichEdit::SelStart() const {
    CHARRANGE cr{};
    SendMessageA(Handle, EM_EXGETSEL, 0, (LPARAM)&cr);
    return cr.cpMin;
}

int RichEdit::SelLength() const {
    CHARRANGE cr{};
    SendMessageA(Handle, EM_EXGETSEL, 0, (LPARAM)&cr);
    return cr.cpMax - cr.cpMin;
}

void RichEdit::Select(int start, int length) {
    if (start < 0) start = 0;
    if (length < 0) length = 0;
    CHARRANGE cr{start, start + length};
    SendMessageA(Handle, EM_EXSETSEL, 0, (LPARAM)&cr);
    SendMessageA(Handle, EM_SCROLLCARET, 0, 0);
}

void RichEdit::SetSelStart(int v) { Select(v, 0); }
void RichEdit::SetSelLength(int v) { Select(SelStart(), v); }
void RichEdit::SelectAll() {
    CHARRANGE cr{0, -1};
    SendMessageA(Handle, EM_EXSETSEL, 0, (LPARAM)&cr);
}

std::string RichEdit::SelText() const {
    CHARRANGE cr{};
    SendMessageA(Handle, EM_EXGETSEL, 0, (LPARAM)&cr);
    std::wstring w = WideText();
    int s = std::clamp<int>(cr.cpMin, 0, (int)w.size()), e = std::clamp<int>(cr.cpMax, s, (int)w.size());
    return CrToCrLf(w.substr(s, e - s));
}

void RichEdit::SetSelText(const std::string& s) {
    ChangeFromCode([&] { SendMessageA(Handle, EM_REPLACESEL, TRUE, (LPARAM)CrLfToCr(s).c_str()); });
}

void RichEdit::CutToClipboard() {
    ChangeFromCode([&] { SendMessageA(Handle, WM_CUT, 0, 0); });
}
void RichEdit::CopyToClipboard() { SendMessageA(Handle, WM_COPY, 0, 0); }
void RichEdit::PasteFromClipboard() {
    ChangeFromCode([&] { SendMessageA(Handle, WM_PASTE, 0, 0); });
}
void RichEdit::Undo() {
    ChangeFromCode([&] { SendMessageA(Handle, EM_UNDO, 0, 0); });
}

// The control's own search works on its UTF-16 text, so a match never starts or ends inside a
// double-byte character (a backslash never matches the second byte of 表).
static int Find(HWND h, const std::wstring& w, int start, int end, int options) {
    FINDTEXTEXW ft{};
    ft.chrg.cpMin = start;
    ft.chrg.cpMax = end;
    ft.lpstrText = w.c_str();
    WPARAM flags = (options & stBackward) ? 0 : FR_DOWN;
    if (options & stMatchCase) flags |= FR_MATCHCASE;
    if (options & stWholeWord) flags |= FR_WHOLEWORD;
    return (int)SendMessageA(h, EM_FINDTEXTEXW, flags, (LPARAM)&ft);
}

int RichEdit::FindText(const std::string& text, int start, int length, int options, int* matchLength) const {
    std::wstring w = SjisToWide(CrLfToCr(text));
    if (matchLength) *matchLength = (int)w.size();
    if (w.empty()) return -1;
    if (options & stBackward) return Find(Handle, w, start, 0, options);
    return Find(Handle, w, start, length < 0 ? -1 : start + length, options);
}

int RichEdit::ReplaceAll(const std::string& text, const std::string& with, int options, int start) {
    std::wstring w = SjisToWide(CrLfToCr(text));
    std::string by = CrLfToCr(with);
    int byLength = (int)SjisToWide(by).size(), count = 0;
    if (w.empty() || ReadOnly()) return 0;
    options &= ~stBackward;
    ChangeFromCode([&] {
        for (int pos = std::max(0, start), hit; (hit = Find(Handle, w, pos, -1, options)) >= 0; ++count) {
            int before = GetTextLen();
            CHARRANGE cr{hit, hit + (int)w.size()};
            SendMessageA(Handle, EM_EXSETSEL, 0, (LPARAM)&cr);
            SendMessageA(Handle, EM_REPLACESEL, TRUE, (LPARAM)by.c_str());
            // Each round removes the match or moves past it; a control that took nothing ends it.
            if (GetTextLen() == before + byLength - (int)w.size()) pos = hit + byLength;
            else break;
        }
    });
    return count;
}

void RichEdit::SetMargins(int margin) {
    margin_ = margin;
    RECT c = ClientRect();
    RECT r{margin, 0, std::max<LONG>(margin, c.right - margin), c.bottom};
    // Every EM_SETRECT lays the whole text out again. Some controls carry a set rectangle along
    // when the box is resized (a scroll bar appearing while a long text streams in): when the one
    // they hold is already the one this would give, the second layout is skipped.
    RECT now = FormatRect();
    if (rectSet_ && now.left == r.left + rectSkew_.left && now.top == r.top + rectSkew_.top &&
        now.right == r.right + rectSkew_.right && now.bottom == r.bottom + rectSkew_.bottom)
        return;
    SendMessageA(Handle, EM_SETRECT, 0, (LPARAM)&r);
    // How the control reports a rectangle it was given (it may count its border in).
    now = FormatRect();
    rectSkew_ = {now.left - r.left, now.top - r.top, now.right - r.right, now.bottom - r.bottom};
    rectSet_ = true;
}

RECT RichEdit::FormatRect() const {
    RECT r{};
    SendMessageA(Handle, EM_GETRECT, 0, (LPARAM)&r);
    return r;
}

bool RichEdit::HandleCommand(WORD code) {
    if (code != EN_CHANGE) return false;
    if (!quiet_ && OnChange) OnChange();
    return true;
}

bool RichEdit::HandleNotify(NMHDR* nm, LRESULT& result) {
    if (nm->code != EN_SELCHANGE) return false;
    if (OnSelectionChange) OnSelectionChange();
    result = 0;
    return true;
}

LRESULT RichEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETDLGCODE) {
        LRESULT r = DefaultHandler(msg, wp, lp);
        // Tab moves to the next control unless the box takes tabs.
        if (!WantTabs) r &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
        return r;
    }
    if (msg == WM_SIZE) {
        // The control takes its new size first, so OnResize sees (and may renew) the new layout.
        LRESULT r = DefaultHandler(msg, wp, lp);
        if (KeepMargins) SetMargins(margin_);
        Realign();
        if (OnResize) OnResize();
        return r;
    }
    return Control::WndProc(msg, wp, lp);
}

}  // namespace tk
