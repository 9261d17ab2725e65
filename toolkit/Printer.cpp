#include "toolkit/Printer.h"

#include <richedit.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <tuple>

#include "toolkit/Dialogs.h"
#include "toolkit/MsgBox.h"
#include "toolkit/PrinterLayout.h"
#include "toolkit/RichEdit.h"

namespace tk {

static const char kPrintCaption[] = "印刷";

static std::function<std::vector<std::string>()>& ListHook() {
    static std::function<std::vector<std::string>()> hook;
    return hook;
}

void SetPrinterListHookForTest(std::function<std::vector<std::string>()> hook) { ListHook() = std::move(hook); }

std::vector<std::string> PrinterNames() {
    if (ListHook()) return ListHook()();
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<std::string> names;
    if (!needed) return names;
    std::vector<BYTE> buf(needed);
    if (!EnumPrintersA(flags, nullptr, 4, buf.data(), needed, &needed, &count)) return names;
    auto* info = (PRINTER_INFO_4A*)buf.data();
    for (DWORD i = 0; i < count; ++i)
        if (info[i].pPrinterName) names.push_back(info[i].pPrinterName);
    return names;
}

TPrinter& Printer() {
    static TPrinter printer;
    return printer;
}

std::string TPrinter::PrinterName() const {
    std::vector<std::string> names = PrinterNames();
    auto installed = [&](const std::string& n) {
        return std::any_of(names.begin(), names.end(), [&](const std::string& x) { return lstrcmpiA(x.c_str(), n.c_str()) == 0; });
    };
    if (!name_.empty() && installed(name_)) return name_;
    char def[512] = {};
    DWORD size = sizeof def;
    if (GetDefaultPrinterA(def, &size) && installed(def)) return def;
    return names.empty() ? std::string() : names.front();
}

void TPrinter::SetDevice(const std::string& name, const std::string& devMode) {
    name_ = name;
    devMode_ = devMode;
}

std::string TPrinter::DevModeFor(const std::string& name) const {
    return !name.empty() && lstrcmpiA(name.c_str(), name_.c_str()) == 0 ? devMode_ : std::string();
}

bool TPrinter::BeginDoc() {
    if (dc_) return false;
    std::string name = PrinterName();
    if (name.empty()) return false;
    std::string dm = DevModeFor(name);
    dc_ = CreateDCA("WINSPOOL", name.c_str(), nullptr, dm.size() >= sizeof(DEVMODEA) ? (const DEVMODEA*)dm.data() : nullptr);
    if (!dc_) return false;
    DOCINFOA di{};
    di.cbSize = sizeof di;
    di.lpszDocName = Title.c_str();
    di.lpszOutput = OutputFile.empty() ? nullptr : OutputFile.c_str();
    if (StartDocA(dc_, &di) <= 0) {
        DeleteDC(dc_);
        dc_ = nullptr;
        return false;
    }
    StartPage(dc_);
    page_ = 1;
    Canvas = TCanvas(dc_);
    return true;
}

void TPrinter::NewPage() {
    if (!dc_) return;
    EndPage(dc_);
    StartPage(dc_);
    ++page_;
}

bool TPrinter::EndDoc() {
    if (!dc_) return false;
    bool ok = EndPage(dc_) > 0;
    ok = ::EndDoc(dc_) > 0 && ok;
    DeleteDC(dc_);
    dc_ = nullptr;
    page_ = 0;
    Canvas = TCanvas();
    return ok;
}

void TPrinter::Abort() {
    if (!dc_) return;
    AbortDoc(dc_);
    DeleteDC(dc_);
    dc_ = nullptr;
    page_ = 0;
    Canvas = TCanvas();
}

int TPrinter::PageWidth() const { return dc_ ? GetDeviceCaps(dc_, HORZRES) : 0; }
int TPrinter::PageHeight() const { return dc_ ? GetDeviceCaps(dc_, VERTRES) : 0; }
int TPrinter::DpiX() const { return dc_ ? GetDeviceCaps(dc_, LOGPIXELSX) : 0; }
int TPrinter::DpiY() const { return dc_ ? GetDeviceCaps(dc_, LOGPIXELSY) : 0; }

bool CheckPrinter(HWND owner) {
    if (!PrinterNames().empty()) return true;
    MessageDlg(owner, "プリンタが見つかりません。\r\nプリンタを設定してから印刷してください。", kPrintCaption,
               MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool ExecutePrintDialog(HWND owner) {
    if (!CheckPrinter(owner)) return false;
    PrintDialog dialog;
    return dialog.Execute();
}

// ---- printing a rich edit ----

namespace {

// The attributes a printed run keeps; a selection reports each of them only when it is the
// same all over.
constexpr DWORD kRunMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
constexpr DWORD kParaMask = PFM_ALIGNMENT | PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT | PFM_NUMBERING;

struct RunFormat {
    std::string face;
    int twips = 180;
    int effects = 0;  // CFE_ bits of the kept attributes
    COLORREF color = 0;
    int charset = DEFAULT_CHARSET;
    bool operator<(const RunFormat& o) const {
        return std::tie(face, twips, effects, color, charset) < std::tie(o.face, o.twips, o.effects, o.color, o.charset);
    }
};

struct RichText {
    std::wstring text;               // paragraphs end in CR
    std::vector<int> run;            // the run of each character
    std::vector<RunFormat> formats;  // by run
    std::vector<PARAFORMAT2> paras;  // by paragraph
};

// Reads the control's text with its character and paragraph formats. The selection, the scroll
// position and the change events are left as they were.
class RichReader {
public:
    explicit RichReader(RichEdit& re) : re_(re), h_(re.Handle) {
        SendMessageA(h_, EM_EXGETSEL, 0, (LPARAM)&sel_);
        SendMessageA(h_, EM_GETSCROLLPOS, 0, (LPARAM)&scroll_);
        mask_ = (DWORD)SendMessageA(h_, EM_SETEVENTMASK, 0, 0);
        SendMessageA(h_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(h_, EM_HIDESELECTION, TRUE, 0);
    }
    ~RichReader() {
        SendMessageA(h_, EM_EXSETSEL, 0, (LPARAM)&sel_);
        SendMessageA(h_, EM_SETSCROLLPOS, 0, (LPARAM)&scroll_);
        SendMessageA(h_, EM_HIDESELECTION, FALSE, 0);
        SendMessageA(h_, WM_SETREDRAW, TRUE, 0);
        SendMessageA(h_, EM_SETEVENTMASK, 0, mask_);
        InvalidateRect(h_, nullptr, TRUE);
    }
    RichReader(const RichReader&) = delete;
    RichReader& operator=(const RichReader&) = delete;

    RichText Read() {
        RichText rt;
        rt.text = re_.WideText();
        const int n = (int)rt.text.size();
        // Runs of characters, and of paragraphs, are found by growing a selection while its
        // format stays the same all over, then halving back: a few questions a run.
        std::map<RunFormat, int> index;
        for (int pos = 0; pos < n;) {
            int end = Extent(pos, n, [&](int a, int b) { return CharsUniform(a, b); });
            RunFormat f = Format(pos, pos + 1);
            auto it = index.find(f);
            if (it == index.end()) {
                it = index.emplace(f, (int)rt.formats.size()).first;
                rt.formats.push_back(f);
            }
            rt.run.insert(rt.run.end(), end - pos, it->second);
            pos = end;
        }
        if (rt.formats.empty()) rt.formats.push_back(Format(0, 0));

        // A break at the very end opens no paragraph of its own.
        std::vector<int> starts{0};
        for (int i = 0; i + 1 < n; ++i)
            if (rt.text[i] == L'\r') starts.push_back(i + 1);
        const int m = (int)starts.size();
        // Paragraphs [k, j) as a selection: from k's start to the break of the last one.
        auto span = [&](int k, int j) { return CHARRANGE{starts[k], j < m ? starts[j] - 1 : n}; };
        for (int k = 0; k < m;) {
            int j = Extent(k, m, [&](int a, int b) { return ParasUniform(span(a, b)); });
            PARAFORMAT2 pf = ParaFormat({starts[k], starts[k]});
            rt.paras.insert(rt.paras.end(), j - k, pf);
            k = j;
        }
        return rt;
    }

private:
    CHARFORMAT2A Get(int from, int to, bool& uniform) const {
        CHARRANGE cr{from, to};
        SendMessageA(h_, EM_EXSETSEL, 0, (LPARAM)&cr);
        CHARFORMAT2A cf{};
        cf.cbSize = sizeof cf;
        SendMessageA(h_, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
        uniform = (cf.dwMask & kRunMask) == kRunMask;
        return cf;
    }

    bool CharsUniform(int from, int to) const {
        bool u;
        Get(from, to, u);
        return u;
    }

    RunFormat Format(int from, int to) const {
        bool u;
        CHARFORMAT2A cf = Get(from, to, u);
        RunFormat f;
        f.face = cf.szFaceName;
        f.twips = cf.yHeight > 0 ? (int)cf.yHeight : 180;
        f.effects = (int)(cf.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT));
        // Automatic colour is the window text colour on screen, black on paper.
        f.color = (cf.dwEffects & CFE_AUTOCOLOR) ? RGB(0, 0, 0) : cf.crTextColor;
        f.charset = cf.bCharSet;
        return f;
    }

    PARAFORMAT2 ParaFormat(CHARRANGE cr) const {
        SendMessageA(h_, EM_EXSETSEL, 0, (LPARAM)&cr);
        PARAFORMAT2 pf{};
        pf.cbSize = sizeof pf;
        SendMessageA(h_, EM_GETPARAFORMAT, 0, (LPARAM)&pf);
        return pf;
    }

    bool ParasUniform(CHARRANGE cr) const { return (ParaFormat(cr).dwMask & kParaMask) == kParaMask; }

    // The end of the stretch from pos on over which uniform(pos, end) holds; one item always does.
    template <class Uniform>
    static int Extent(int pos, int n, Uniform uniform) {
        int good = pos + 1, bad = n + 1;
        for (int step = 2; good < n; step *= 2) {
            int to = std::min(n, pos + step);
            if (!uniform(pos, to)) {
                bad = to;
                break;
            }
            good = to;
        }
        while (bad - good > 1) {
            int mid = good + (bad - good) / 2;
            (uniform(pos, mid) ? good : bad) = mid;
        }
        return good;
    }

    RichEdit& re_;
    HWND h_;
    CHARRANGE sel_{};
    POINT scroll_{};
    DWORD mask_ = 0;
};

int TwipsToDevice(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

// The printer's fonts for the runs, made once per job.
class RunFonts {
public:
    RunFonts(HDC dc, const std::vector<RunFormat>& formats) : dc_(dc) {
        int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        for (const RunFormat& f : formats) {
            LOGFONTA lf{};
            lf.lfHeight = -std::max(1, TwipsToDevice(f.twips, dpi));
            lf.lfWeight = (f.effects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
            lf.lfItalic = (f.effects & CFE_ITALIC) != 0;
            lf.lfUnderline = (f.effects & CFE_UNDERLINE) != 0;
            lf.lfStrikeOut = (f.effects & CFE_STRIKEOUT) != 0;
            lf.lfCharSet = (BYTE)f.charset;
            lf.lfOutPrecision = OUT_TT_PRECIS;
            lstrcpynA(lf.lfFaceName, f.face.c_str(), LF_FACESIZE);
            fonts_.push_back(CreateFontIndirectA(&lf));
            colors_.push_back(f.color);
        }
        old_ = SelectObject(dc_, fonts_.front());
        // A face without a bold style is made bold on screen, but the PostScript driver prints
        // it regular: such runs are drawn twice, a little apart.
        for (size_t i = 0; i < formats.size(); ++i) {
            SelectObject(dc_, fonts_[i]);
            OUTLINETEXTMETRICA otm{};
            otm.otmSize = sizeof otm;
            bool regularFace = GetOutlineTextMetricsA(dc_, sizeof otm, &otm) && (otm.otmfsSelection & 0x40);
            bool fake = (formats[i].effects & CFE_BOLD) && regularFace;
            overstrike_.push_back(fake ? std::max(1, (int)otm.otmTextMetrics.tmHeight / 24) : 0);
        }
    }
    ~RunFonts() {
        SelectObject(dc_, old_);
        for (HFONT f : fonts_) DeleteObject(f);
    }
    RunFonts(const RunFonts&) = delete;
    RunFonts& operator=(const RunFonts&) = delete;

    void Use(int run) {
        SelectObject(dc_, fonts_[run]);
        SetTextColor(dc_, colors_[run]);
    }
    // How far right a run is drawn again to look bold; 0 when its font is bold itself.
    int Overstrike(int run) const { return overstrike_[run]; }
    print::RunMetrics Metrics(int run) {
        Use(run);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        return {tm.tmAscent, tm.tmDescent};
    }
    // Appends the widths of s's characters in run's font.
    void Measure(int run, const wchar_t* s, int len, std::vector<int>& out) {
        Use(run);
        std::vector<int> ends(len);
        SIZE size{};
        GetTextExtentExPointW(dc_, s, len, INT_MAX, nullptr, ends.data(), &size);
        for (int i = 0; i < len; ++i) out.push_back(ends[i] - (i ? ends[i - 1] : 0));
    }

private:
    HDC dc_;
    HGDIOBJ old_;
    std::vector<HFONT> fonts_;
    std::vector<COLORREF> colors_;
    std::vector<int> overstrike_;
};

print::ParaAlign AlignOf(const PARAFORMAT2& pf) {
    return pf.wAlignment == PFA_CENTER ? print::ParaAlign::Center
           : pf.wAlignment == PFA_RIGHT ? print::ParaAlign::Right
                                        : print::ParaAlign::Left;
}

// The text area inside 15 mm from the paper's edges (never outside what the printer can reach),
// in the printable area's coordinates.
RECT TextFrame(HDC dc) {
    int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    int w = GetDeviceCaps(dc, HORZRES), h = GetDeviceCaps(dc, VERTRES);
    int offX = GetDeviceCaps(dc, PHYSICALOFFSETX), offY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    int paperW = GetDeviceCaps(dc, PHYSICALWIDTH), paperH = GetDeviceCaps(dc, PHYSICALHEIGHT);
    if (paperW <= 0) paperW = w + 2 * offX;
    if (paperH <= 0) paperH = h + 2 * offY;
    int mx = MulDiv(150, dpiX, 254), my = MulDiv(150, dpiY, 254);
    RECT r{std::max(0, mx - offX), std::max(0, my - offY), std::min(w, paperW - mx - offX), std::min(h, paperH - my - offY)};
    if (r.right - r.left < w / 2 || r.bottom - r.top < h / 2) r = {0, 0, w, h};  // a tiny page keeps all of it
    return r;
}

}  // namespace

int PrintRichEdit(RichEdit& re, const std::string& title) {
    HWND owner = GetAncestor(re.Handle, GA_ROOT);
    if (!CheckPrinter(owner)) return 0;
    RichText rt;
    {
        RichReader reader(re);
        rt = reader.Read();
    }
    TPrinter& printer = Printer();
    printer.Title = title;
    if (!printer.BeginDoc()) {
        MessageDlg(owner, "印刷を開始できませんでした。\r\nプリンタの設定を確かめてください。", kPrintCaption,
                   MB_OK | MB_ICONHAND);
        return 0;
    }
    HDC dc = printer.Handle();
    int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    RECT frame = TextFrame(dc);
    int pages = 0;
    {
        RunFonts fonts(dc, rt.formats);
        std::vector<print::RunMetrics> metrics;
        for (int i = 0; i < (int)rt.formats.size(); ++i) metrics.push_back(fonts.Metrics(i));

        std::vector<print::LayoutPara> paras;
        for (int start = 0, k = 0; k < (int)rt.paras.size(); ++k) {
            size_t end = rt.text.find(L'\r', start);
            if (end == std::wstring::npos) end = rt.text.size();
            const PARAFORMAT2& pf = rt.paras[k];
            print::LayoutPara p;
            p.text.assign(rt.text.begin() + start, rt.text.begin() + end);
            p.run.assign(rt.run.begin() + start, rt.run.begin() + end);
            p.breakRun = end < rt.run.size() ? rt.run[end] : !p.run.empty() ? p.run.back() : 0;
            for (int i = 0; i < (int)p.text.size();) {
                int j = i;
                while (j < (int)p.text.size() && p.run[j] == p.run[i]) ++j;
                fonts.Measure(p.run[i], rt.text.c_str() + start + i, j - i, p.advance);
                i = j;
            }
            p.firstIndent = TwipsToDevice(pf.dxStartIndent, dpiX);
            p.restIndent = p.firstIndent + TwipsToDevice(pf.dxOffset, dpiX);
            p.rightIndent = TwipsToDevice(pf.dxRightIndent, dpiX);
            p.align = AlignOf(pf);
            p.bullet = pf.wNumbering == PFN_BULLET;
            paras.push_back(std::move(p));
            start = (int)end + 1;
        }
        print::Layout layout = print::LayOut(paras, metrics, frame.right - frame.left, frame.bottom - frame.top,
                                             TwipsToDevice(720, dpiX));
        int page = 0;
        auto setUp = [&] {
            SetBkMode(dc, TRANSPARENT);
            SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
        };
        setUp();
        for (const print::Line& line : layout.lines) {
            while (page < line.page) {
                printer.NewPage();
                setUp();
                ++page;
            }
            const print::LayoutPara& p = paras[line.para];
            int y = frame.top + line.baseline;
            if (line.bullet) {
                fonts.Use(p.run.empty() ? p.breakRun : p.run.front());
                ExtTextOutW(dc, frame.left + p.firstIndent, y, 0, nullptr, L"\x2022", 1, nullptr);
            }
            for (const print::Piece& pc : line.pieces) {
                int run = p.run[pc.from];
                fonts.Use(run);
                auto* text = (const wchar_t*)p.text.c_str() + pc.from;
                ExtTextOutW(dc, frame.left + pc.x, y, 0, nullptr, text, pc.to - pc.from, nullptr);
                if (int dx = fonts.Overstrike(run))
                    ExtTextOutW(dc, frame.left + pc.x + dx, y, 0, nullptr, text, pc.to - pc.from, nullptr);
            }
        }
        pages = layout.pages;
    }
    if (!printer.EndDoc()) {
        MessageDlg(owner, "印刷できませんでした。", kPrintCaption, MB_OK | MB_ICONHAND);
        return 0;
    }
    return pages;
}

}  // namespace tk
