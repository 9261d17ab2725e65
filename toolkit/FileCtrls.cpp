#include "toolkit/FileCtrls.h"

#include <algorithm>

#include "toolkit/Files.h"
#include "toolkit/rtl/SysUtils.h"

namespace tk {

// ---- masks ----

// The characters of s (one or two bytes each), ASCII letters folded to upper case.
static std::vector<std::string> Chars(const std::string& s) {
    std::vector<std::string> v;
    for (size_t i = 0; i < s.size();) {
        size_t n = rtl::SjisCharLen(s, i);
        std::string c = s.substr(i, n);
        if (n == 1 && c[0] >= 'a' && c[0] <= 'z') c[0] = (char)(c[0] - 'a' + 'A');
        v.push_back(c);
        i += n;
    }
    return v;
}

static bool Wild(const std::vector<std::string>& name, const std::vector<std::string>& mask) {
    size_t n = 0, m = 0, starM = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == "*") {
            starM = m++;
            starN = n;
        } else if (m < mask.size() && (mask[m] == "?" || mask[m] == name[n])) {
            ++m;
            ++n;
        } else if (starM != std::string::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == "*") ++m;
    return m == mask.size();
}

static bool MatchOne(const std::string& name, std::string mask) {
    mask = rtl::Trim(mask);
    if (mask.empty() || mask == "*.*" || mask == "*") return true;
    auto n = Chars(name);
    if (Wild(n, Chars(mask))) return true;
    // "name.*" also stands for a name without extension.
    if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0 && rtl::SjisFind(name, '.') == std::string::npos)
        return Wild(n, Chars(mask.substr(0, mask.size() - 2)));
    return false;
}

bool MatchesMask(const std::string& name, const std::string& masks) {
    if (rtl::Trim(masks).empty()) return true;
    size_t start = 0;
    while (true) {
        size_t semi = masks.find(';', start);  // ';' is never a trail byte
        std::string one = masks.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        if (!rtl::Trim(one).empty() && MatchOne(name, one)) return true;
        if (semi == std::string::npos) return false;
        start = semi + 1;
    }
}

// ---- paths ----

static bool IsRoot(const std::string& p) {
    if (p.size() == 3 && p[1] == ':' && p[2] == '\\') return true;
    // "\\server\share\"
    if (p.rfind("\\\\", 0) == 0) {
        size_t a = rtl::SjisFind(p, '\\', 2);
        return a != std::string::npos && rtl::SjisFind(p, '\\', a + 1) == p.size() - 1;
    }
    return false;
}

// The full path of a folder, without a trailing '\' unless it is a root; empty when it does not exist.
static std::string FolderPath(const std::string& path) {
    if (path.empty()) return {};
    char buf[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
    if (!n || n >= sizeof buf) return {};
    std::string full(buf, n);
    if (rtl::EndsWithBackslash(full) && !IsRoot(full)) full.pop_back();
    if (full.size() == 2 && full[1] == ':') full += '\\';
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);  // an empty floppy drive answers without a box
    bool ok = DirectoryExists(full);
    SetErrorMode(old);
    return ok ? full : std::string();
}

static bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

static bool LessIgnoringCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

static std::string CurrentFolder() {
    char buf[MAX_PATH * 2];
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    return n && n < sizeof buf ? std::string(buf, n) : std::string("c:\\");
}

// ---- drawing ----

enum class Glyph { None, FolderOpen, FolderClosed, File, Drive, Removable, CdRom, Network };

static void Box(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
    HBRUSH br = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ ob = SelectObject(dc, br), op = SelectObject(dc, pen);
    Rectangle(dc, l, t, r, b);
    SelectObject(dc, ob);
    SelectObject(dc, op);
    DeleteObject(br);
    DeleteObject(pen);
}

static void Poly(HDC dc, const POINT* pts, int n, COLORREF fill, COLORREF edge) {
    HBRUSH br = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ ob = SelectObject(dc, br), op = SelectObject(dc, pen);
    Polygon(dc, pts, n);
    SelectObject(dc, ob);
    SelectObject(dc, op);
    DeleteObject(br);
    DeleteObject(pen);
}

// A 16 x 16 picture at (x, y).
static void DrawGlyph(HDC dc, int x, int y, Glyph g) {
    const COLORREF edge = RGB(128, 128, 0), dark = RGB(64, 64, 64);
    switch (g) {
        case Glyph::None: break;
        case Glyph::FolderClosed:
            Box(dc, x + 1, y + 3, x + 7, y + 6, RGB(255, 255, 160), edge);
            Box(dc, x + 1, y + 5, x + 15, y + 14, RGB(255, 255, 160), edge);
            break;
        case Glyph::FolderOpen: {
            Box(dc, x + 1, y + 3, x + 7, y + 6, RGB(255, 255, 160), edge);
            Box(dc, x + 1, y + 5, x + 14, y + 14, RGB(255, 255, 160), edge);
            POINT flap[] = {{x + 3, y + 8}, {x + 15, y + 8}, {x + 13, y + 13}, {x + 1, y + 13}};
            Poly(dc, flap, 4, RGB(255, 255, 224), edge);
            break;
        }
        case Glyph::File: {
            POINT page[] = {{x + 3, y + 1}, {x + 10, y + 1}, {x + 13, y + 4}, {x + 13, y + 15}, {x + 3, y + 15}};
            Poly(dc, page, 5, RGB(255, 255, 255), dark);
            POINT fold[] = {{x + 10, y + 1}, {x + 10, y + 4}, {x + 13, y + 4}};
            Poly(dc, fold, 3, RGB(192, 192, 192), dark);
            for (int ly = y + 6; ly <= y + 12; ly += 2) Box(dc, x + 5, ly, x + 11, ly + 1, RGB(128, 128, 128), RGB(128, 128, 128));
            break;
        }
        case Glyph::Drive:
        case Glyph::Removable:
        case Glyph::Network:
            Box(dc, x + 1, y + 5, x + 15, y + 12, RGB(192, 192, 192), dark);
            if (g == Glyph::Removable) Box(dc, x + 4, y + 7, x + 12, y + 9, RGB(0, 0, 0), RGB(0, 0, 0));
            else Box(dc, x + 11, y + 8, x + 13, y + 10, RGB(0, 192, 0), RGB(0, 128, 0));
            if (g == Glyph::Network) {
                Box(dc, x + 7, y + 12, x + 9, y + 15, dark, dark);
                Box(dc, x + 3, y + 14, x + 13, y + 15, dark, dark);
            }
            break;
        case Glyph::CdRom: {
            HBRUSH br = CreateSolidBrush(RGB(224, 224, 240));
            HPEN pen = CreatePen(PS_SOLID, 1, dark);
            HGDIOBJ ob = SelectObject(dc, br), op = SelectObject(dc, pen);
            Ellipse(dc, x + 1, y + 1, x + 15, y + 15);
            Ellipse(dc, x + 6, y + 6, x + 10, y + 10);
            SelectObject(dc, ob);
            SelectObject(dc, op);
            DeleteObject(br);
            DeleteObject(pen);
            break;
        }
    }
}

// One row of an owner-drawn list or combo box: glyph at indent, then the text.
static void DrawRow(const DRAWITEMSTRUCT* di, const Control& c, const std::string& text, int indent, Glyph g) {
    HDC dc = di->hDC;
    RECT r = di->rcItem;
    bool sel = di->itemState & ODS_SELECTED;
    HBRUSH back = CreateSolidBrush(ColorToRGB(c.EffectiveColor()));
    FillRect(dc, &r, back);
    DeleteObject(back);
    int x = r.left + 2 + indent;
    if (g != Glyph::None) {
        DrawGlyph(dc, x, r.top + (r.bottom - r.top - 16) / 2, g);
        x += 18;
    }
    HGDIOBJ of = SelectObject(dc, c.EffectiveFont().Handle());
    SIZE sz{};
    GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &sz);
    RECT tr{x, r.top, std::min<LONG>(r.right, x + sz.cx + 4), r.bottom};
    if (sel) {
        HBRUSH hb = GetSysColorBrush(COLOR_HIGHLIGHT);
        FillRect(dc, &tr, hb);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, sel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(c.EffectiveFont().Color));
    RECT textRect{x + 2, r.top, r.right, r.bottom};
    DrawTextA(dc, text.c_str(), (int)text.size(), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if ((di->itemState & ODS_FOCUS) && !(di->itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &tr);
    SelectObject(dc, of);
}

static int RowHeight(const TFont& f, bool glyphs) {
    return std::max<int>(glyphs ? 17 : 0, FontLineHeight(f) + 1);
}

static const DWORD kListStyle =
    LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

// ---- DriveComboBox ----

DriveComboBox::~DriveComboBox() {
    if (dirList_) dirList_->driveBox_ = nullptr;
}

// A drop-down list's creation parameters: no text, and room below for the dropped list.
static Ctl DropListParams(const Ctl& p) {
    Ctl q = p;
    q.caption.clear();
    q.at.height = std::max(p.at.height, 20) + 8 * 18;
    return q;
}

// While the list is dropped the arrows only browse; the choice counts when it closes.
static bool ChoiceMade(HWND combo, WORD code) {
    return (code == CBN_SELCHANGE && !SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) || code == CBN_CLOSEUP;
}

void DriveComboBox::Create(Control& parent, const Ctl& p) {
    Ctl q = DropListParams(p);
    CreateChild(parent, "COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP, 0,
                q);
    int row = RowHeight(EffectiveFont(), true);
    SendMessageA(Handle, CB_SETITEMHEIGHT, 0, row);
    SendMessageA(Handle, CB_SETITEMHEIGHT, (WPARAM)-1, p.at.height > 6 ? p.at.height - 6 : row);
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        char letter = (char)('a' + i);
        std::string root = std::string(1, letter) + ":\\";
        UINT type = GetDriveTypeA(root.c_str());
        std::string text = std::string(1, letter) + ":";
        // Only fixed drives are asked for their label: others may spin up or wait on a network.
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) {
            char label[MAX_PATH + 1] = {};
            UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
            if (GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
                text += std::string(" [") + label + "]";
            SetErrorMode(old);
        }
        drives_.push_back({letter, type, text});
        SendMessageA(Handle, CB_ADDSTRING, 0, (LPARAM)text.c_str());
    }
    std::string cur = CurrentFolder();
    Show(cur.size() > 1 && cur[1] == ':' ? (char)tolower((unsigned char)cur[0]) : 0);
}

std::string DriveComboBox::Items(int i) const { return drives_.at(i).text; }

void DriveComboBox::Show(char d) {
    drive_ = d;
    int index = -1;
    for (size_t i = 0; i < drives_.size(); ++i)
        if (drives_[i].letter == d) index = (int)i;
    SendMessageA(Handle, CB_SETCURSEL, index, 0);
}

void DriveComboBox::SetDrive(char d) {
    d = (char)tolower((unsigned char)d);
    if (d == drive_) return;
    if (FolderPath(std::string(1, d) + ":\\").empty()) {
        MessageBeep(MB_ICONEXCLAMATION);
        Show(drive_);
        return;
    }
    Show(d);
    if (dirList_) dirList_->SetDrive(d);
    if (OnChange) OnChange();
}

void DriveComboBox::Follow(char d) {
    if (d == drive_) return;
    Show(d);
    if (OnChange) OnChange();
}

void DriveComboBox::SetDirList(DirectoryListBox* d) {
    if (dirList_) dirList_->driveBox_ = nullptr;
    dirList_ = d;
    if (!d) return;
    if (d->driveBox_ && d->driveBox_ != this) d->driveBox_->dirList_ = nullptr;
    d->driveBox_ = this;
    Follow(d->Drive());
}

bool DriveComboBox::HandleCommand(WORD code) {
    if (ChoiceMade(Handle, code)) {
        int i = (int)SendMessageA(Handle, CB_GETCURSEL, 0, 0);
        if (i >= 0 && i < (int)drives_.size()) SetDrive(drives_[i].letter);
        return true;
    }
    return false;
}

bool DriveComboBox::HandleDrawItem(DRAWITEMSTRUCT* di) {
    if (di->itemID == (UINT)-1 || di->itemID >= drives_.size()) {
        HBRUSH b = CreateSolidBrush(ColorToRGB(EffectiveColor()));
        FillRect(di->hDC, &di->rcItem, b);
        DeleteObject(b);
        return true;
    }
    const DriveItem& d = drives_[di->itemID];
    Glyph g = d.type == DRIVE_REMOVABLE ? Glyph::Removable
              : d.type == DRIVE_CDROM   ? Glyph::CdRom
              : d.type == DRIVE_REMOTE  ? Glyph::Network
                                        : Glyph::Drive;
    DrawRow(di, *this, d.text, 0, g);
    return true;
}

// ---- DirectoryListBox ----

DirectoryListBox::~DirectoryListBox() {
    if (driveBox_) driveBox_->dirList_ = nullptr;
    if (fileList_) fileList_->dirList_ = nullptr;
}

void DirectoryListBox::Create(Control& parent, const Ctl& p) {
    Ctl q = p;
    q.caption.clear();
    CreateChild(parent, "LISTBOX", kListStyle, WS_EX_CLIENTEDGE, q);
    SendMessageA(Handle, LB_SETITEMHEIGHT, 0, RowHeight(EffectiveFont(), true));
    SetDirectory(CurrentFolder());
}

char DirectoryListBox::Drive() const {
    return dir_.size() > 1 && dir_[1] == ':' ? (char)tolower((unsigned char)dir_[0]) : 0;
}

bool DirectoryListBox::SetDirectory(const std::string& path) {
    std::string full = FolderPath(path);
    if (full.empty()) return false;
    bool changed = !SamePath(full, dir_);
    dir_ = full;
    Rebuild();
    if (driveBox_) driveBox_->Follow(Drive());
    if (fileList_) fileList_->ApplyDirectory(dir_);
    if (changed && OnChange) OnChange();
    return true;
}

void DirectoryListBox::SetDrive(char d) {
    d = (char)tolower((unsigned char)d);
    if (d == Drive()) return;
    // "d:" is the drive's current folder.
    if (!SetDirectory(std::string(1, d) + ":")) SetDirectory(std::string(1, d) + ":\\");
}

void DirectoryListBox::Rebuild() {
    entries_.clear();
    // The root, then each folder down to the current one.
    size_t rootEnd;
    if (dir_.rfind("\\\\", 0) == 0) {
        size_t a = rtl::SjisFind(dir_, '\\', 2);
        size_t b = a == std::string::npos ? std::string::npos : rtl::SjisFind(dir_, '\\', a + 1);
        rootEnd = b == std::string::npos ? dir_.size() : b + 1;
    } else {
        rootEnd = std::min<size_t>(3, dir_.size());
    }
    std::string path = dir_.substr(0, rootEnd);
    if (!rtl::EndsWithBackslash(path)) path += '\\';
    entries_.push_back({path, path, 0, true});
    size_t pos = rootEnd;
    while (pos < dir_.size()) {
        size_t slash = rtl::SjisFind(dir_, '\\', pos);
        std::string name = dir_.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        if (!name.empty()) {
            path = rtl::IncludeTrailingBackslash(entries_.back().path) + name;
            entries_.push_back({name, path, (int)entries_.size(), true});
        }
        if (slash == std::string::npos) break;
        pos = slash + 1;
    }
    int current = (int)entries_.size() - 1;
    // The current folder's subfolders, one level further in.
    std::vector<std::string> subs;
    TSearchRec rec;
    if (FindFirst(rtl::IncludeTrailingBackslash(dir_) + "*", faDirectory, rec) == 0) {
        do
            if (rec.Attr & faDirectory) subs.push_back(rec.Name);
        while (FindNext(rec) == 0);
    }
    FindClose(rec);
    std::sort(subs.begin(), subs.end(), LessIgnoringCase);
    for (auto& s : subs) entries_.push_back({s, rtl::IncludeTrailingBackslash(dir_) + s, current + 1, false});

    SendMessageA(Handle, WM_SETREDRAW, FALSE, 0);
    SendMessageA(Handle, LB_RESETCONTENT, 0, 0);
    for (auto& e : entries_) SendMessageA(Handle, LB_ADDSTRING, 0, (LPARAM)e.name.c_str());
    SendMessageA(Handle, LB_SETCURSEL, current, 0);
    SendMessageA(Handle, WM_SETREDRAW, TRUE, 0);
    Invalidate();
}

int DirectoryListBox::ItemIndex() const { return (int)SendMessageA(Handle, LB_GETCURSEL, 0, 0); }
void DirectoryListBox::SetItemIndex(int i) { SendMessageA(Handle, LB_SETCURSEL, i, 0); }

void DirectoryListBox::OpenCurrent() {
    int i = ItemIndex();
    if (i >= 0 && i < (int)entries_.size()) SetDirectory(entries_[i].path);
}

void DirectoryListBox::SetFileList(FileListBox* f) {
    if (fileList_) fileList_->dirList_ = nullptr;
    fileList_ = f;
    if (!f) return;
    if (f->dirList_ && f->dirList_ != this) f->dirList_->fileList_ = nullptr;
    f->dirList_ = this;
    f->ApplyDirectory(dir_);
}

bool DirectoryListBox::HandleDrawItem(DRAWITEMSTRUCT* di) {
    if (di->itemID >= entries_.size()) return true;
    const Entry& e = entries_[di->itemID];
    DrawRow(di, *this, e.name, e.level * 8, e.open ? Glyph::FolderOpen : Glyph::FolderClosed);
    return true;
}

LRESULT DirectoryListBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDBLCLK) {
        HWND self = Handle;
        LRESULT r = Control::WndProc(msg, wp, lp);  // selects the item under the mouse
        if (Handle == self) OpenCurrent();
        return r;
    }
    if (msg == WM_KEYDOWN && wp == VK_RETURN) {
        OpenCurrent();
        return 0;
    }
    return Control::WndProc(msg, wp, lp);
}

// ---- FileListBox ----

FileListBox::~FileListBox() {
    if (dirList_) dirList_->fileList_ = nullptr;
    if (filterBox_) filterBox_->fileList_ = nullptr;
}

void FileListBox::Create(Control& parent, const Ctl& p) {
    glyphs_ = p.style & flShowGlyphs;
    Ctl q = p;
    q.caption.clear();
    CreateChild(parent, "LISTBOX", kListStyle, WS_EX_CLIENTEDGE, q);
    SendMessageA(Handle, LB_SETITEMHEIGHT, 0, RowHeight(EffectiveFont(), glyphs_));
    ApplyDirectory(CurrentFolder());
}

void FileListBox::SetMask(const std::string& m) {
    if (m == mask_) return;
    mask_ = m;
    Update();
}

bool FileListBox::SetDirectory(const std::string& path) {
    if (dirList_) return dirList_->SetDirectory(path);
    return ApplyDirectory(path);
}

bool FileListBox::ApplyDirectory(const std::string& path) {
    std::string full = FolderPath(path);
    if (full.empty()) return false;
    dir_ = full;
    Update();
    return true;
}

void FileListBox::Update() {
    names_.clear();
    TSearchRec rec;
    if (FindFirst(rtl::IncludeTrailingBackslash(dir_) + "*", faReadOnly | faArchive, rec) == 0) {
        do
            if (MatchesMask(rec.Name, mask_)) names_.push_back(rec.Name);
        while (FindNext(rec) == 0);
    }
    FindClose(rec);
    std::sort(names_.begin(), names_.end(), LessIgnoringCase);
    if (Handle) {
        SendMessageA(Handle, WM_SETREDRAW, FALSE, 0);
        SendMessageA(Handle, LB_RESETCONTENT, 0, 0);
        for (auto& n : names_) SendMessageA(Handle, LB_ADDSTRING, 0, (LPARAM)n.c_str());
        SendMessageA(Handle, WM_SETREDRAW, TRUE, 0);
        Invalidate();
    }
    Changed();
}

std::string FileListBox::FileName() const {
    int i = ItemIndex();
    if (i < 0 || i >= (int)names_.size()) return {};
    return rtl::IncludeTrailingBackslash(dir_) + names_[i];
}

void FileListBox::SetFileName(const std::string& path) {
    std::string folder = rtl::ExtractFileDir(path), name = rtl::ExtractFileName(path);
    quiet_ = true;  // one OnChange for the folder and the selection together
    if (!folder.empty() && !SamePath(FolderPath(folder), dir_)) SetDirectory(folder);
    int index = -1;
    for (size_t i = 0; i < names_.size(); ++i)
        if (SamePath(names_[i], name)) index = (int)i;
    SendMessageA(Handle, LB_SETCURSEL, index, 0);
    quiet_ = false;
    Changed();
}

void FileListBox::SetShowGlyphs(bool on) {
    if (glyphs_ == on) return;
    glyphs_ = on;
    SendMessageA(Handle, LB_SETITEMHEIGHT, 0, RowHeight(EffectiveFont(), glyphs_));
    Invalidate();
}

int FileListBox::ItemIndex() const { return Handle ? (int)SendMessageA(Handle, LB_GETCURSEL, 0, 0) : -1; }

void FileListBox::SetItemIndex(int i) {
    SendMessageA(Handle, LB_SETCURSEL, i, 0);
    Changed();
}

void FileListBox::Changed() {
    if (quiet_) return;
    std::string f = FileName();
    if (f == last_) return;
    last_ = f;
    if (OnChange) OnChange();
}

bool FileListBox::HandleCommand(WORD code) {
    if (code != LBN_SELCHANGE) return false;
    if (OnClick) OnClick();
    Changed();
    return true;
}

bool FileListBox::HandleDrawItem(DRAWITEMSTRUCT* di) {
    if (di->itemID >= names_.size()) return true;
    DrawRow(di, *this, names_[di->itemID], 0, glyphs_ ? Glyph::File : Glyph::None);
    return true;
}

// ---- FilterComboBox ----

FilterComboBox::~FilterComboBox() {
    if (fileList_) fileList_->filterBox_ = nullptr;
}

void FilterComboBox::Create(Control& parent, const Ctl& p) {
    CreateChild(parent, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, DropListParams(p));
    SetFilter(p.caption);
}

void FilterComboBox::SetFilter(const std::string& f) {
    filter_ = f;
    types_.clear();
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= f.size()) {
        size_t bar = rtl::SjisFind(f, '|', start);
        parts.push_back(f.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    for (size_t i = 0; i < parts.size(); i += 2) {
        if (i + 1 == parts.size() && parts[i].empty()) break;  // an empty filter or a trailing '|'
        types_.emplace_back(parts[i], i + 1 < parts.size() ? parts[i + 1] : "");
    }
    SendMessageA(Handle, CB_RESETCONTENT, 0, 0);
    for (auto& t : types_) SendMessageA(Handle, CB_ADDSTRING, 0, (LPARAM)t.first.c_str());
    index_ = -2;  // forces the first choice through
    Choose(types_.empty() ? -1 : 0, false);
}

std::string FilterComboBox::Mask() const {
    if (index_ < 0 || index_ >= (int)types_.size() || rtl::Trim(types_[index_].second).empty()) return "*.*";
    return types_[index_].second;
}

void FilterComboBox::SetItemIndex(int i) { Choose(i, true); }

void FilterComboBox::Choose(int i, bool notify) {
    if (i < -1 || i >= (int)types_.size()) i = -1;
    if (i == index_) return;
    index_ = i;
    SendMessageA(Handle, CB_SETCURSEL, i, 0);
    if (fileList_) fileList_->SetMask(Mask());
    if (notify && OnChange) OnChange();
}

void FilterComboBox::SetFileList(FileListBox* f) {
    if (fileList_) fileList_->filterBox_ = nullptr;
    fileList_ = f;
    if (!f) return;
    if (f->filterBox_ && f->filterBox_ != this) f->filterBox_->fileList_ = nullptr;
    f->filterBox_ = this;
    f->SetMask(Mask());
}

bool FilterComboBox::HandleCommand(WORD code) {
    if (ChoiceMade(Handle, code)) {
        Choose((int)SendMessageA(Handle, CB_GETCURSEL, 0, 0), true);
        return true;
    }
    return false;
}

}  // namespace tk
