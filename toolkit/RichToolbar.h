// The formatting bar shared by the rich-text editors: font and size boxes, bold, italic,
// underline and strike-out, bullets, three alignment buttons, a colour button with the five
// most recent colours kept in the settings, and a three-marker indent ruler.
//
// The controls are the window's own members under the window's own names; RichBar points at
// them (leave out what a window lacks), CreateRichBar lays them out, and RichToolbar wires
// their events to the rich edit and brings them in line with the selection:
//
//   tk::RichBar bar{.fontName = &ComboBox1, .fontSize = &SpinEdit1, .bold = &SpeedButton1, ...};
//   tk::CreateRichBar(Panel2, bar);
//   Toolbar = std::make_unique<tk::RichToolbar>(RichEdit1, bar,
//       tk::ColorHistory{settings::Open, ik::Nikki::Section, {ik::Nikki::Color1, ...}});
#pragma once
#include <array>
#include <functional>
#include <string>

#include "toolkit/Buttons.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/RulerMath.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/SpinEdit.h"

namespace tk {

struct RichBar {
    ComboBox* fontName = nullptr;  // the screen's faces
    SpinEdit* fontSize = nullptr;  // 1..999 points
    SpeedButton *bold = nullptr, *italic = nullptr, *underline = nullptr, *strikeOut = nullptr;
    SpeedButton* bullet = nullptr;
    std::array<SpeedButton*, 3> align{};  // left, centre, right; each one's Tag is its TAlignment
    BitBtn* colorButton = nullptr;        // the colour dialog
    std::array<Panel*, 5> history{};      // the recent colours, newest first
    Label* colorLabel = nullptr;          // hidden: the selection's colour as decimal text
    Panel* ruler = nullptr;               // created by the window; its markers by CreateRichBar
    Label *firstMarker = nullptr, *leftMarker = nullptr, *rightMarker = nullptr;
};

// Where the recent colours are kept: five keys of one section, newest first.
struct ColorHistory {
    std::function<TIniFile()> open;
    std::string section;
    std::array<std::string, 5> keys;
    TColor fallback = clRed;  // a key not yet written
};

// Creates the bar's controls in one row on bar (26 pixels high), in the order of RichBar, with
// their captions, pictures, hints and tags; and the markers on the ruler (20 pixels high).
// What the bar leaves out takes no room. A bar narrower than its row puts the groups that pass
// its edge (the colour button with its history first) on rows below and grows 24 pixels a row;
// bar's OnResize is the bar's own.
void CreateRichBar(Control& bar, const RichBar& c);

class RichToolbar {
public:
    // Fills the font box, sets the ruler's ticks, paints the history and wires every control
    // of bar, and edit's OnSelectionChange, to this object (a window that needs its own
    // OnSelectionChange calls Sync from it). Without syncNow the bar waits for the window's
    // first Sync (one that loads its text next syncs once, after the load).
    RichToolbar(RichEdit& edit, const RichBar& bar, ColorHistory history, bool syncNow = true);
    RichToolbar(const RichToolbar&) = delete;
    RichToolbar& operator=(const RichToolbar&) = delete;

    // Brings every control in line with the selection and its paragraph. While it runs,
    // Syncing() is true and the handlers below do nothing.
    void Sync();
    bool Syncing() const { return syncing_; }
    // While one lives, Sync does nothing (a window restoring its size and streaming its text
    // in, each step of which would sync); the last one to end syncs once.
    class SyncHold {
    public:
        explicit SyncHold(RichToolbar& bar);
        ~SyncHold();
        SyncHold(const SyncHold&) = delete;
        SyncHold& operator=(const SyncHold&) = delete;

    private:
        RichToolbar& bar_;
    };
    // Enables or disables every control of the bar (a read-only text).
    void SetEnabled(bool on);

    // The formatting commands, as the controls run them. They act on the selection, or at the
    // caret on the text typed next; on a read-only text they do nothing.
    void SetStyle(FontStyle s, bool on);
    void SetBullet(bool on);
    void SetAlignment(TAlignment a);
    void SetFontName(const std::string& face);  // a face the screen lacks is ignored
    void SetFontSize(int points);               // 1..999
    void SetColor(TColor c);

    // Undo and the clipboard, for the windows' menus: a read-only text refuses what would
    // change it, and the bar follows what they did to the formats.
    void Undo();
    void Cut();
    void Copy();
    void Paste();
    void SelectAll();

    // The colour button: the colour dialog, starting from the selection's colour; the chosen
    // colour is applied and becomes the newest of the history. False when cancelled.
    bool ChooseColor();
    // Pushes a colour onto the history in the settings and repaints the panels.
    void PushColor(TColor c);
    // Paints the history panels from the settings (on the window's activation).
    void PaintHistory();

    // The ruler: the markers' geometry, the markers placed for the paragraph, and the right
    // marker after a resize.
    ruler::Geometry RulerGeometry() const;
    void PlaceMarkers();
    void RulerResized();
    // A marker released at its place: the paragraph takes the indents it stands for.
    void MarkerReleased(Label& marker);

private:
    void Wire(SpeedButton* b, std::function<void(bool)> fn);
    void WireMarker(Label* m);
    bool CanFormat() const;
    template <class F>
    void Format(F&& f);
    RichEdit& edit_;
    RichBar bar_;
    ColorHistory history_;
    ColorDialog colorDialog_;  // keeps the user's custom colours while the window lives
    bool syncing_ = false;
    int holds_ = 0;  // live SyncHolds
    Label* dragging_ = nullptr;
};

}  // namespace tk
