// The base of every control and form: owns one HWND, carries Tag, Hint, Font, Color and the events,
// and receives the notifications its parent reflects back to it.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Graphics.h"

namespace tk {

class Menu;
class PopupMenu;

// A control's hint text. Assigning a different text while the control's tip is up shows the new
// text at once (the clock rewrites some hints every second); mutate it only by assignment.
class HintText : public std::string {
public:
    HintText() = default;
    HintText(const std::string& s) : std::string(s) {}
    HintText(const char* s) : std::string(s) {}
    HintText(const HintText& s) = default;
    HintText& operator=(const HintText& s) { return Assign(s); }
    HintText& operator=(const std::string& s) { return Assign(s); }
    HintText& operator=(const char* s) { return Assign(s); }
    HintText& operator+=(const std::string& s) { return Assign(*this + s); }
    // Set by the tip display; told of every change.
    static inline void (*Changed)(const HintText& hint) = nullptr;

private:
    HintText& Assign(const std::string& s) {
        if (s == *this) return *this;
        std::string::operator=(s);
        if (Changed) Changed(*this);
        return *this;
    }
};

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
};
enum class Align { None, Top, Bottom, Left, Right, Client };
enum MouseButton { mbLeft, mbRight, mbMiddle };
enum ShiftState { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };

// Creation parameters shared by the controls; each kind reads the fields it knows.
struct Ctl {
    Bounds at{};
    std::string caption{};  // Caption or Text
    std::string hint{};
    int tag = 0;
    bool visible = true;
    bool enabled = true;
    Align align = Align::None;
    TColor color = clDefault;
    std::optional<TFont> font{};
    std::vector<std::string> items{};
    int min = 0, max = 100, value = 0;
    int style = 0;  // kind-specific flags, named by each control
};

class Control {
public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle = nullptr;
    Control* Parent = nullptr;
    std::vector<Control*> Children;
    int Tag = 0;
    HintText Hint;
    // Whether the hint shows as a tip: the parent's choice while ParentShowHint is set.
    bool ParentShowHint = true;
    bool ShowHint() const;
    void SetShowHint(bool on);
    Align AlignMode = Align::None;
    TFont Font;
    bool ParentFont = true;
    TColor Color = clDefault;

    std::function<void()> OnClick, OnDblClick, OnResize, OnEnter, OnExit;
    std::function<void(MouseButton, int shift, int x, int y)> OnMouseDown, OnMouseUp;
    std::function<void(int shift, int x, int y)> OnMouseMove;
    std::function<void(WORD& key, int shift)> OnKeyDown, OnKeyUp;
    std::function<void(char& key)> OnKeyPress;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    int ClientWidth() const;
    int ClientHeight() const;
    RECT ClientRect() const;
    void SetBounds(int l, int t, int w, int h);
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    bool Visible() const;
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const;
    void SetEnabled(bool v);
    virtual std::string Caption() const;
    virtual void SetCaption(const std::string& s);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& s) { SetCaption(s); }
    void SetColor(TColor c);
    void SetFont(const TFont& f);
    // The colour actually painted: the control's own, else the parent's, else the button face.
    TColor EffectiveColor() const;
    const TFont& EffectiveFont() const;
    void Invalidate();
    void Repaint();
    // Our own controls draw themselves now; others are invalidated.
    void Refresh();
    void SetFocus();
    bool Focused() const;
    void BringToFront();
    void SendToBack();
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;
    // Lays out the children whose AlignMode is set, in creation order.
    void Realign();
    // The menu a right click or the menu key shows over this control; without one the parent's shows.
    void SetPopupMenu(PopupMenu* m);
    PopupMenu* GetPopupMenu() const;

    // Message handling; derived controls override and fall back to this.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    // Notifications reflected by the parent; return true when handled.
    virtual bool HandleCommand(WORD code) { (void)code; return false; }
    virtual bool HandleNotify(NMHDR* nm, LRESULT& result) { (void)nm; (void)result; return false; }
    virtual HBRUSH HandleCtlColor(HDC dc);
    virtual bool HandleDrawItem(DRAWITEMSTRUCT* di) { (void)di; return false; }
    virtual bool HandleMeasureItem(MEASUREITEMSTRUCT* mi) { (void)mi; return false; }
    virtual void HandleScroll(int code, int pos) { (void)code; (void)pos; }

    static Control* FromHandle(HWND h);
    static int ShiftFromKeys(WPARAM keys);
    static int KeyShift();

protected:
    // Creates a child window of the given class under parent and applies the common parameters.
    void CreateChild(Control& parent, const char* cls, DWORD style, DWORD exStyle, const Ctl& p);
    // Our own window class: the control paints itself in Paint.
    void CreateCustom(Control& parent, DWORD style, DWORD exStyle, const Ctl& p);
    virtual void Paint(TCanvas& canvas) { (void)canvas; }
    // Draws the control into dc (through the off-screen picture when double-buffered).
    void PaintInto(HDC dc, const RECT& clip);
    // OnKeyDown / OnKeyUp / OnKeyPress for a key message; true when the handler ate the key
    // (a changed key is written back into wp).
    bool KeyEvent(UINT msg, WPARAM& wp);
    // Custom controls paint into an off-screen bitmap unless they say otherwise.
    bool DoubleBuffered = true;
    void Attach(HWND h);  // binds Control* to an existing HWND (subclassing foreign classes)
    void ApplyCommon(const Ctl& p);
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    HBRUSH BackBrush();
    WNDPROC oldProc_ = nullptr;
    bool custom_ = false;
    std::string text_;  // our own windows' text, kept here so reading it costs no window call

private:
    std::shared_ptr<Menu*> popupMenu_;  // empties when the menu is destroyed
    bool showHint_ = true;
    HBRUSH brush_ = nullptr;
    COLORREF brushColor_ = 0;
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK OrbalWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend class TApplication;
};

// Window procedure shared by our own classes (forms and custom controls).
LRESULT CALLBACK OrbalWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
// Runs a handler, turning any exception into the application's error box.
void Guard(const std::function<void()>& fn);
// Registers our window classes once; returns the class name for kind ("Form", "Control").
const char* OrbalClass(bool form);
// Identifier for the next child control.
UINT NextControlId();

}  // namespace tk
