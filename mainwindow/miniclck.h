// The mini clock: a borderless strip with the date, the time and the free memory that stands in
// for the main window while it is hidden.
#pragma once
#include <array>
#include <string>

#include "controls/FormRgn.h"
#include "toolkit/Form.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Panel.h"
#include "toolkit/rtl/DateTime.h"

struct TForm27 : tk::Form {
    tk::Panel Panel3;  // the date
    tk::Panel Panel2;  // the time
    tk::Panel Panel1;  // memory or resources, the rest of the strip
    TFormRgn FormRgn1;

    TForm27();
    void FormCreate();
    void FormShow();
    void Panel3MouseDown(tk::Panel& panel, tk::MouseButton button, int x, int y);
    void Panel1MouseMove();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void FormDestroy();

    // The texts of the tick in the three parts.
    static std::array<std::string, 3> Texts(rtl::TDateTime now, const std::string& resources);
    void ShowTexts(rtl::TDateTime now, const std::string& resources);

    // What the settings page changes while the strip is shown. Parts: 0 date, 1 time, 2 resources.
    // Each change fits the parts again.
    tk::Panel& Part(int part);
    void SetStripSize(int width, int height);  // the shape's right and bottom follow
    void SetPartWidth(int part, int width);    // a negative stored width shows as 0
    void SetShape(int storedStyle);
    // The strip and its parts take the widths the settings give (MiniClockWidths).
    void FitParts();
};

// The font of a part (0 date, 1 time, 2 resources) as the settings give it.
tk::TFont MiniPartFont(const tk::TIniFile& ini, int part);

// The mini clock's widths by the settings, which the strip and the settings page share: a stored
// width as stored; a part without one as wide as its text needs in its font, the outer parts also
// keeping their text clear of the shape's curve; a strip without one as wide as its parts.
struct MiniWidths {
    int part[3];  // 0 date, 1 time, 2 resources
    int strip;
};
MiniWidths MiniClockWidths(const tk::TIniFile& ini);

extern TForm27* Form27;
