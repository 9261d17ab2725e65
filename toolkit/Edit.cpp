#include "toolkit/Edit.h"

#include <algorithm>

#include "toolkit/rtl/SysUtils.h"

namespace tk {

// Edit controls made with the ANSI calls count positions in bytes on some systems and in
// characters on others (Wine); ask a scratch control once.
static bool EditCountsCharacters() {
    static int mode = -1;
    if (mode < 0) {
        HWND e = CreateWindowExA(0, "EDIT", "日", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                                 nullptr);
        mode = e && SendMessageA(e, EM_LINELENGTH, 0, 0) == 1 ? 1 : 0;
        if (e) DestroyWindow(e);
    }
    return mode == 1;
}

// ---- Edit ----

void Edit::CreateEdit(Control& parent, const Ctl& p, DWORD style) {
    if (p.style & esReadOnly) style |= ES_READONLY;
    if (p.style & esCenter) style |= ES_CENTER;
    if (p.style & esRight) style |= ES_RIGHT;
    CreateChild(parent, "EDIT", style | WS_TABSTOP, (p.style & esNoBorder) ? 0 : WS_EX_CLIENTEDGE, p);
    lastText_ = Caption();
}

void Edit::Create(Control& parent, const Ctl& p) {
    CreateEdit(parent, p, ES_AUTOHSCROLL | ((p.style & esPassword) ? ES_PASSWORD : 0));
    if (p.style & esPassword) SetPasswordChar('*');
}

template <class F>
void Edit::ChangeFromCode(F&& change) {
    quiet_ = true;
    change();
    quiet_ = false;
    Notice();
}

void Edit::Notice() {
    std::string t = Caption();
    if (t == lastText_) return;
    lastText_ = std::move(t);
    if (OnChange) OnChange();
}

LRESULT Edit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETDLGCODE && WantTabs) return DefaultHandler(msg, wp, lp) | DLGC_WANTTAB;
    return Control::WndProc(msg, wp, lp);
}

bool Edit::HandleCommand(WORD code) {
    if (code != EN_CHANGE) return false;
    if (!quiet_) {
        KeepWithinMaxLength();
        Notice();
    }
    return true;
}

// Where the control counts its limit in characters, double-byte text gets past a limit in
// bytes; whatever the route (keys, IME, paste), the inserted text ends at the caret.
void Edit::KeepWithinMaxLength() {
    std::string t = Caption();
    if (maxLength_ <= 0 || (int)t.size() <= maxLength_) return;
    int selStart, caret;
    GetSel(selStart, caret);
    size_t end = std::min((size_t)caret, t.size()), tail = t.size() - end, start = 0;
    const std::string& old = lastText_;
    if (tail <= old.size() && t.compare(end, tail, old, old.size() - tail, tail) == 0) {
        size_t same = std::min(end, old.size() - tail);
        while (start < same && t[start] == old[start]) ++start;
        while (start > 0 && !rtl::SjisIsCharStart(t, start)) --start;
    } else {
        end = t.size();  // no telling what moved: keep the head
    }
    size_t room = (size_t)maxLength_ - std::min((size_t)maxLength_, t.size() - (end - start));
    size_t keep = rtl::SjisTruncate(t.substr(start, end - start), room).size();
    quiet_ = true;
    SendMessageA(Handle, EM_SETSEL, ToControl((int)(start + keep)), ToControl((int)end));
    SendMessageA(Handle, EM_REPLACESEL, FALSE, (LPARAM)"");
    quiet_ = false;
}

void Edit::SetCaption(const std::string& s) {
    if (Caption() == s) return;
    ChangeFromCode([&] { SetWindowTextA(Handle, s.c_str()); });
}

void Edit::SetMaxLength(int n) {
    if (n < 0) n = 0;
    maxLength_ = n;
    SendMessageA(Handle, EM_LIMITTEXT, n, 0);
}

bool Edit::ReadOnly() const { return GetWindowLongA(Handle, GWL_STYLE) & ES_READONLY; }
void Edit::SetReadOnly(bool v) { SendMessageA(Handle, EM_SETREADONLY, v, 0); }

char Edit::PasswordChar() const { return (char)SendMessageA(Handle, EM_GETPASSWORDCHAR, 0, 0); }
void Edit::SetPasswordChar(char c) {
    if (PasswordChar() == c) return;
    SendMessageA(Handle, EM_SETPASSWORDCHAR, (unsigned char)c, 0);
    Invalidate();
}

bool Edit::Modified() const { return SendMessageA(Handle, EM_GETMODIFY, 0, 0) != 0; }
void Edit::SetModified(bool v) { SendMessageA(Handle, EM_SETMODIFY, v, 0); }

int Edit::ToControl(int bytes) const {
    if (!EditCountsCharacters()) return bytes;
    std::string t = Caption();
    if (bytes > (int)t.size()) return (int)rtl::SjisLength(t) + (bytes - (int)t.size());
    return (int)rtl::SjisLength(t.substr(0, bytes));
}

int Edit::FromControl(int units) const {
    if (!EditCountsCharacters()) return units;
    std::string t = Caption();
    size_t p = 0;
    for (int i = 0; i < units && p < t.size(); ++i) p += rtl::SjisCharLen(t, p);
    return (int)p;
}

void Edit::GetSel(int& start, int& end) const {
    DWORD s = 0, e = 0;
    SendMessageA(Handle, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    start = FromControl((int)s);
    end = FromControl((int)e);
}

int Edit::SelStart() const {
    int s, e;
    GetSel(s, e);
    return s;
}

int Edit::SelLength() const {
    int s, e;
    GetSel(s, e);
    return e - s;
}

void Edit::Select(int start, int length) {
    if (start < 0) start = 0;
    if (length < 0) length = 0;
    SendMessageA(Handle, EM_SETSEL, ToControl(start), ToControl(start + length));
    SendMessageA(Handle, EM_SCROLLCARET, 0, 0);
}

void Edit::SetSelStart(int v) { Select(v, 0); }
void Edit::SetSelLength(int v) { Select(SelStart(), v); }
void Edit::SelectAll() { SendMessageA(Handle, EM_SETSEL, 0, -1); }

std::string Edit::SelText() const {
    int s, e;
    GetSel(s, e);
    std::string t = Caption();
    if (s > (int)t.size()) return {};
    return t.substr(s, e - s);
}

void Edit::SetSelText(const std::string& s) {
    ChangeFromCode([&] { SendMessageA(Handle, EM_REPLACESEL, TRUE, (LPARAM)s.c_str()); });
}

void Edit::Undo() { SendMessageA(Handle, WM_UNDO, 0, 0); }
void Edit::CutToClipboard() { SendMessageA(Handle, WM_CUT, 0, 0); }
void Edit::CopyToClipboard() { SendMessageA(Handle, WM_COPY, 0, 0); }
void Edit::PasteFromClipboard() { SendMessageA(Handle, WM_PASTE, 0, 0); }

// ---- Memo ----

DWORD Memo::MemoStyle() const {
    DWORD s = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | align_;
    if (!wordWrap_) s |= ES_AUTOHSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) s |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) s |= WS_HSCROLL | ES_AUTOHSCROLL;
    return s;
}

void Memo::Create(Control& parent, const Ctl& p) {
    wordWrap_ = !(p.style & esNoWordWrap);
    bool v = p.style & esVScroll, h = p.style & esHScroll;
    scrollBars_ = v && h ? ssBoth : v ? ssVertical : h ? ssHorizontal : ssNone;
    WantTabs = p.style & esWantTabs;
    Ctl q = p;
    q.style &= ~(esCenter | esRight);
    align_ = (p.style & esCenter) ? ES_CENTER : (p.style & esRight) ? ES_RIGHT : 0;
    CreateEdit(parent, q, MemoStyle());
    SendMessageA(Handle, EM_LIMITTEXT, 0, 0);  // the one-line default limit is far too small here
}

void Memo::Append(const std::string& line) {
    std::string t = Caption();
    bool open = !t.empty() && t.back() != '\n' && t.back() != '\r';
    std::string add = (open ? "\r\n" : "") + line + "\r\n";
    int end = ToControl((int)t.size());
    ChangeFromCode([&] {
        SendMessageA(Handle, EM_SETSEL, end, end);
        SendMessageA(Handle, EM_REPLACESEL, FALSE, (LPARAM)add.c_str());
    });
}

void Memo::SetWordWrap(bool v) {
    if (wordWrap_ == v) return;
    wordWrap_ = v;
    Recreate();
}

void Memo::SetScrollBars(TScrollStyle v) {
    if (scrollBars_ == v) return;
    scrollBars_ = v;
    Recreate();
}

void Memo::Recreate() {
    if (!Handle) return;
    std::string text = Caption();
    int l = Left(), t = Top(), w = Width(), h = Height();
    bool visible = Visible(), enabled = Enabled(), readOnly = ReadOnly(), focused = Focused(), modified = Modified();
    int id = GetDlgCtrlID(Handle);
    HWND parent = GetParent(Handle), prev = GetWindow(Handle, GW_HWNDPREV);
    DWORD ex = GetWindowLongA(Handle, GWL_EXSTYLE);
    DestroyWindow(Handle);  // the subclass procedure lets go of it
    DWORD style = MemoStyle() | WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | (visible ? WS_VISIBLE : 0) |
                  (enabled ? 0 : WS_DISABLED) | (readOnly ? ES_READONLY : 0);
    HWND hw = CreateWindowExA(ex, "EDIT", text.c_str(), style, l, t, w, h, parent, (HMENU)(UINT_PTR)id,
                              GetModuleHandleA(nullptr), nullptr);
    if (!hw) throw rtl::Exception("テキスト欄を作り直せません。");
    Attach(hw);
    SendMessageA(hw, WM_SETFONT, (WPARAM)EffectiveFont().Handle(), FALSE);
    SendMessageA(hw, EM_LIMITTEXT, maxLength_, 0);
    SetModified(modified);
    SetWindowPos(hw, prev ? prev : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (focused) ::SetFocus(hw);
}

LRESULT Memo::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETDLGCODE) {
        LRESULT r = DefaultHandler(msg, wp, lp);
        // Tab moves to the next control unless the memo takes tabs.
        r &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
        if (WantTabs) r |= DLGC_WANTTAB;
        return r;
    }
    return Edit::WndProc(msg, wp, lp);
}

// ---- MemoLines ----

rtl::TStringList MemoLines::List() const {
    rtl::TStringList l;
    l.SetText(memo_.Caption());
    return l;
}

void MemoLines::CheckIndex(int i, int limit) const {
    if (i < 0 || i > limit) throw rtl::Exception("行の番号が範囲を超えています (" + rtl::IntToStr(i) + ")");
}

std::string MemoLines::operator[](int i) const {
    rtl::TStringList l = List();
    CheckIndex(i, l.Count() - 1);
    return l[i];
}

void MemoLines::Assign(const rtl::TStringList& l) { memo_.SetCaption(l.Text()); }

void MemoLines::Assign(const std::vector<std::string>& lines) {
    rtl::TStringList l;
    for (auto& s : lines) l.Add(s);
    Assign(l);
}

void MemoLines::SetStrings(int i, const std::string& s) {
    rtl::TStringList l = List();
    CheckIndex(i, l.Count() - 1);
    l.Strings[i] = s;
    Assign(l);
}

int MemoLines::Add(const std::string& s) {
    memo_.Append(s);
    return Count() - 1;
}

void MemoLines::AddStrings(const std::vector<std::string>& lines) {
    rtl::TStringList l = List();
    for (auto& s : lines) l.Add(s);
    Assign(l);
}

void MemoLines::Insert(int i, const std::string& s) {
    rtl::TStringList l = List();
    CheckIndex(i, l.Count());
    l.Insert(i, s);
    Assign(l);
}

void MemoLines::Delete(int i) {
    rtl::TStringList l = List();
    CheckIndex(i, l.Count() - 1);
    l.Delete(i);
    Assign(l);
}

void MemoLines::Clear() { memo_.SetCaption(""); }

void MemoLines::SetText(const std::string& text) {
    rtl::TStringList l;
    l.SetText(text);
    Assign(l);
}

void MemoLines::SetCommaText(const std::string& text) {
    rtl::TStringList l;
    l.SetCommaText(text);
    Assign(l);
}

bool MemoLines::LoadFromFile(const std::string& path) {
    rtl::TStringList l;
    if (!l.LoadFromFile(path)) return false;
    Assign(l);
    return true;
}

}  // namespace tk
