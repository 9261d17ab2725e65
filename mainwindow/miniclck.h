// The mini clock: a borderless strip with the date, the time and the free memory that stands in
// for the main window while it is hidden.
#pragma once
#include "controls/FormRgn.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"

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

    // What the settings page changes while the strip is shown. Parts: 0 date, 1 time, 2 resources.
    tk::Panel& Part(int part);
    void SetStripSize(int width, int height);  // the shape's right and bottom follow
    void SetPartWidth(int part, int width);    // a negative stored width shows as 0
    void SetShape(int storedStyle);
};

extern TForm27* Form27;
