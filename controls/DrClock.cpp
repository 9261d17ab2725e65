#include "controls/DrClock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "toolkit/rtl/DateTime.h"

namespace {

constexpr unsigned long kObjectQuota = 10000;  // per-process GDI and USER handle quota of NT

std::function<unsigned long(int)>& ObjectCountForTest() {
    static std::function<unsigned long(int)> fn;
    return fn;
}

std::string& ResourceModule() {
    static std::string name = "USER.EXE";
    return name;
}

TResourceSource& LastSource() {
    static TResourceSource source = TResourceSource::ObjectCount;
    return source;
}

// True when the module exports this ordinal by number only. Windows 9x and Wine export the
// 16-bit loader from kernel32 that way; on NT the same ordinals are named functions of another
// shape, which must never be called with these arguments.
bool NamelessExport(HMODULE module, WORD ordinal) {
    auto base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (!base || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) return false;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!dir.VirtualAddress) return false;
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    if (ordinal < exports->Base || ordinal - exports->Base >= exports->NumberOfFunctions) return false;
    const DWORD index = ordinal - exports->Base;
    auto nameIndexes = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        if (nameIndexes[i] == index) return false;
    return true;
}

// The 16-bit entry points: kernel32's loader by ordinal and wow32's call into 16-bit code.
struct Wow16 {
    WORD(WINAPI* LoadLibrary16)(LPCSTR) = nullptr;
    void(WINAPI* FreeLibrary16)(WORD) = nullptr;
    DWORD(WINAPI* GetProcAddress16)(WORD, LPCSTR) = nullptr;
    BOOL(WINAPI* WOWCallback16Ex)(DWORD, DWORD, DWORD, PVOID, PDWORD) = nullptr;
    bool Ready() const { return LoadLibrary16 && FreeLibrary16 && GetProcAddress16 && WOWCallback16Ex; }
};

template <class F>
void Resolve(F& fn, HMODULE module, LPCSTR name) {
    fn = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const Wow16& Wow16Entries() {
    static const Wow16 entries = [] {
        Wow16 e;
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        for (WORD ordinal : {35, 36, 37})
            if (!NamelessExport(kernel, ordinal)) return e;
        HMODULE wow = LoadLibraryA("wow32.dll");  // kept for the program's life
        if (!wow) return e;
        Resolve(e.LoadLibrary16, kernel, MAKEINTRESOURCEA(35));
        Resolve(e.FreeLibrary16, kernel, MAKEINTRESOURCEA(36));
        Resolve(e.GetProcAddress16, kernel, MAKEINTRESOURCEA(37));
        Resolve(e.WOWCallback16Ex, wow, "WOWCallback16Ex");
        return e;
    }();
    return entries;
}

// The 16-bit USER module's GetFreeSystemResources(flag); false when any step of it fails.
bool Query16(WORD flag, uint16_t& percent) {
    constexpr DWORD kPascal = 0;  // WCB16_PASCAL
    const Wow16& w = Wow16Entries();
    if (!w.Ready()) return false;
    WORD module = w.LoadLibrary16(ResourceModule().c_str());
    if (module < 32) return false;
    DWORD proc = w.GetProcAddress16(module, "GetFreeSystemResources");
    DWORD result = 0;
    bool ok = proc && w.WOWCallback16Ex(proc, kPascal, sizeof flag, &flag, &result);
    w.FreeLibrary16(module);
    if (ok) percent = LOWORD(result);
    return ok;
}

void SetPen(tk::TCanvas& c, tk::TColor color, int width) {
    c.Pen.Color = color;
    c.Pen.Width = width;
    c.Pen.Style = tk::PenStyle::Solid;
}

// Two-pixel 3-D frame: top and left in one colour, bottom and right in the other.
void Frame3D(tk::TCanvas& c, RECT r, tk::TColor top, tk::TColor bottom, int width) {
    --r.bottom;
    --r.right;
    for (; width > 0; --width) {
        SetPen(c, top, 1);
        c.MoveTo(r.left, r.bottom);
        c.LineTo(r.left, r.top);
        c.LineTo(r.right, r.top);
        SetPen(c, bottom, 1);
        c.MoveTo(r.right, r.top);
        c.LineTo(r.right, r.bottom);
        c.LineTo(r.left - 1, r.bottom);
        InflateRect(&r, -1, -1);
    }
}

// The window's own DC, or the paint target, for drawing outside a paint message.
template <class F>
void WithCanvas(HWND h, tk::TCanvas* target, F fn) {
    if (target) {
        fn(*target);
    } else if (h) {
        HDC dc = GetDC(h);
        tk::TCanvas c(dc);
        fn(c);
        ReleaseDC(h, dc);
    }
}

}  // namespace

void TDRClock::Create(tk::Control& parent, const tk::Ctl& p) {
    tk::Ctl q = p;
    if (q.at.width == 0 && q.at.height == 0) q.at.width = q.at.height = 200;
    CreateCustom(parent, 0, 0, q);
    if (p.color == tk::clDefault) Color = tk::clNavy;
    if (!p.font) {
        Font.Color = tk::clWhite;
        ParentFont = false;
    }
    ChooseFractions();
    timer_.OnTimer = [this] { TimerTick(); };
    timer_.Create(*this, {.interval = 1, .enabled = enabled_});
}

void TDRClock::SetBorder(TDRBorder v) {
    if (v == border_) return;
    border_ = v;
    Invalidate();
}

void TDRClock::SetPointerColor(tk::TColor v) {
    if (v == pointerColor_) return;
    pointerColor_ = v;
    Invalidate();
}

void TDRClock::SetSecondsColor(tk::TColor v) {
    if (v == secondsColor_) return;
    secondsColor_ = v;
    Invalidate();
}

void TDRClock::SetScaleColor(tk::TColor v) {
    if (v == scaleColor_) return;
    scaleColor_ = v;
    Invalidate();
}

void TDRClock::SetDisplayText(bool v) {
    if (v == displayText_) return;
    displayText_ = v;
    ChooseFractions();
    Invalidate();
}

void TDRClock::SetDisplayPoints(bool v) {
    if (v == displayPoints_) return;
    displayPoints_ = v;
    Invalidate();
}

void TDRClock::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    timer_.SetEnabled(v);
    Invalidate();
}

// Lengths as fractions of the radius; the numbers need room inside the scale.
void TDRClock::ChooseFractions() {
    if (!displayText_) {
        minuteLength_ = 0.8L, hourLength_ = 0.64L, scaleRadius_ = 0.855L, hourLineEnd_ = 0.93L;
    } else if (radius_ < 61) {
        minuteLength_ = 0.62L, hourLength_ = 0.46L, scaleRadius_ = 0.645L, hourLineEnd_ = 0.745L;
        numberRadius_ = 0.87L;
    } else {
        minuteLength_ = 0.65L, hourLength_ = 0.49L, scaleRadius_ = 0.695L, hourLineEnd_ = 0.775L;
        numberRadius_ = 0.87L;
    }
    if (displayPoints_) scaleRadius_ += 0.04L;
}

// The point at a fraction of the radius on a dial angle (degrees counter-clockwise from three).
POINT TDRClock::DialPoint(long double degrees, long double fraction) {
    angle_ = degrees * std::numbers::pi_v<long double> * (1.0L / 180.0L);
    tipX_ = (int)std::lrint(std::cos((long double)angle_) * radius_ * fraction);
    tipY_ = (int)std::lrint(std::sin((long double)angle_) * radius_ * fraction);
    return {centreX_ + tipX_, centreY_ - tipY_};
}

TDRClock::THands TDRClock::HandTips(int hour, int minute, int second) {
    THands h;
    h.Second = DialPoint(std::abs(75 - second) * 6.0L, scaleRadius_ - 0.02L);
    h.Minute = DialPoint(std::abs(75 - minute) * 6.0L, minuteLength_);
    h.Hour = DialPoint(std::fabs(27 - (hour + minute * (1.0L / 60))) * 30.0L, hourLength_);
    return h;
}

void TDRClock::PaintTo(tk::TCanvas& c) {
    c.Font = Font;
    Paint(c);
}

void TDRClock::Paint(tk::TCanvas& c) {
    const int W = ClientWidth(), H = ClientHeight();
    radius_ = std::min(W / 2, H / 2);
    centreX_ = W / 2;
    centreY_ = H / 2;
    capRadius_ = (int)std::lrint(radius_ * 0.1L);
    if (radius_ <= 45) hourWidth_ = 2, minuteWidth_ = 2;
    else if (radius_ <= 65) hourWidth_ = 3, minuteWidth_ = 2;
    else if (radius_ <= 100) hourWidth_ = 5, minuteWidth_ = 3;
    else if (radius_ <= 150) hourWidth_ = 6, minuteWidth_ = 4;
    else hourWidth_ = 10, minuteWidth_ = 6;
    ChooseFractions();

    const RECT client{0, 0, W, H};
    SetPen(c, tk::clWhite, 1);
    c.Brush.Style = tk::BrushStyle::Solid;
    c.Brush.Color = Color;
    switch (border_) {
        case boSingle: {
            // Outside the rounded outline the parent shows through.
            c.Brush.Color = Parent ? Parent->EffectiveColor() : tk::clBtnFace;
            c.FillRect(client);
            c.Brush.Color = Color;
            c.RoundRect(0, 0, W, H, radius_ / 3, radius_ / 3);
            break;
        }
        case boRaised:
            c.FillRect(client);
            Frame3D(c, client, tk::clBtnHighlight, tk::clBtnShadow, 2);
            break;
        case boLowered:
            c.FillRect(client);
            Frame3D(c, client, tk::clBtnShadow, tk::clBtnHighlight, 2);
            break;
        case boNone:
            c.FillRect(client);
            break;
    }

    SetPen(c, scaleColor_, 1);
    c.Brush.Color = Color;
    for (int i = 15; i <= 74; ++i) {
        const bool hourMark = i % 5 == 0;
        const POINT pt = DialPoint(i * 6.0L, scaleRadius_);
        if (displayPoints_) {
            if (hourMark && radius_ > 135)
                c.Ellipse(pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3);
            else if (hourMark || radius_ > 135)
                c.Ellipse(pt.x - 1, pt.y - 1, pt.x + 1, pt.y + 1);
        } else if (hourMark) {
            const POINT end = DialPoint(i * 6.0L, hourLineEnd_);
            c.Pen.Width = 2;
            c.MoveTo(pt.x, pt.y);
            c.LineTo(end.x, end.y);
            c.Pen.Width = 1;
        }
    }
    if (displayText_) {
        for (int i = 15; i <= 74; i += 5) {
            const std::string text = std::to_string((75 - i) / 5);
            const POINT q = DialPoint(i * 6.0L, numberRadius_);
            c.TextOut(q.x - (int)(c.TextWidth(text) * 0.5), q.y - (int)(c.TextHeight(text) * 0.5), text);
        }
    }
    c.Pen.Width = 1;
}

void TDRClock::TimerTick() {
    if (timer_.Interval() != 990) timer_.SetInterval(990);
    int h, n, s, ms;
    rtl::DecodeTime(rtl::Now(), h, n, s, ms);
    hour_ = (int16_t)h, minute_ = (int16_t)n, second_ = (int16_t)s, millisecond_ = (int16_t)ms;
    if (second_ == lastSecond_) return;

    WithCanvas(Handle, target_, [&](tk::TCanvas& c) {
        const POINT centre{centreX_, centreY_};
        auto line = [&](tk::TColor color, int width, POINT to) {
            SetPen(c, color, width);
            c.MoveTo(centre.x, centre.y);
            c.LineTo(to.x, to.y);
        };
        if (secondTip_.x != 0) {
            line(Color, 1, {secondTip_.x, secondTip_.y});
            if (minute_ != lastMinute_) {
                line(Color, minuteWidth_, {minuteTip_.x, minuteTip_.y});
                line(Color, hourWidth_, {hourTip_.x, hourTip_.y});
                lastMinute_ = minute_;
            }
        }
        const THands tips = HandTips(hour_, minute_, second_);
        secondTip_ = {(int16_t)tips.Second.x, (int16_t)tips.Second.y};
        minuteTip_ = {(int16_t)tips.Minute.x, (int16_t)tips.Minute.y};
        hourTip_ = {(int16_t)tips.Hour.x, (int16_t)tips.Hour.y};

        line(secondsColor_, 1, tips.Second);
        line(pointerColor_, minuteWidth_, tips.Minute);
        line(pointerColor_, hourWidth_, tips.Hour);
        SetPen(c, tk::clSilver, 1);
        c.Brush.Style = tk::BrushStyle::Solid;
        c.Brush.Color = tk::clGray;
        c.Ellipse(centre.x - capRadius_, centre.y - capRadius_, centre.x + capRadius_, centre.y + capRadius_);
    });
    lastSecond_ = second_;
}

void SetGuiObjectCountForTest(std::function<unsigned long(int kind)> count) {
    ObjectCountForTest() = std::move(count);
}

void SetResourceModuleForTest(const std::string& module) { ResourceModule() = module.empty() ? "USER.EXE" : module; }

TResourceSource LastResourceSource() { return LastSource(); }

uint16_t GetFreeSystemResources(uint8_t kind) {
    const int k = kind == 0 ? 0 : 1;
    uint16_t percent = 0;
    // 16-bit flags: 1 the GDI heap, 2 the USER heap.
    if (Query16(k == 0 ? 1 : 2, percent)) {
        LastSource() = TResourceSource::Query16;
        return percent;
    }
    LastSource() = TResourceSource::ObjectCount;
    unsigned long used = ObjectCountForTest()
                             ? ObjectCountForTest()(k)
                             : GetGuiResources(GetCurrentProcess(), k == 0 ? GR_GDIOBJECTS : GR_USEROBJECTS);
    if (used >= kObjectQuota) return 0;
    return (uint16_t)((kObjectQuota - used) * 100 / kObjectQuota);
}

std::string FreeResourcesText() {
    char buf[32];
    std::snprintf(buf, sizeof buf, "G:%d%% U:%d%%", GetFreeSystemResources(0), GetFreeSystemResources(1));
    return buf;
}

std::string FreeMemoryText() {
    MEMORYSTATUS ms{};
    ms.dwLength = sizeof ms;
    GlobalMemoryStatus(&ms);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%dK(%d%%)", (int)(ms.dwAvailPhys / 1024), 100 - (int)ms.dwMemoryLoad);
    return buf;
}
