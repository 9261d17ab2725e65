// The please-wait window: one line saying what a long operation is doing, over the product line
// and the version, on a rounded info-coloured card that stays on top.
#pragma once
#include <string>

#include "controls/FormRgn.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

struct TForm35 : tk::Form {
    tk::Panel Panel1;
    tk::Label Label1;  // the message; callers set their own
    tk::Label Label2;  // the product line
    tk::Label Label3;  // the version, as the main window's About panel shows it
    TFormRgn FormRgn1;

    TForm35();
    // Takes the version text from the main window's About panel as it reads now.
    void FormCreate();
    // Hides the window: the one window serves every later use.
    void FormClose(tk::CloseAction& action);
    // Shows the window centred at the top of the stay-on-top windows, leaving the focus where the
    // user works.
    void ShowNote();
    void HideNote();
    // Draws the window and its labels now: the caller's work holds the message loop.
    void PaintNow();
};

// The one please-wait window of the program, made on first use and kept (hidden between uses)
// until the program ends; nullptr before the first use.
extern TForm35* Form35;

// Shows the please-wait window with message for as long as it lives, and hides it however the
// work ends:
//   { PleaseWait wait("メモを読み込んでいます。"); LoadMemos(); }
// Inside another one, the message shows until the inner work ends; then the outer one's again.
class PleaseWait {
public:
    explicit PleaseWait(const std::string& message);
    ~PleaseWait();
    PleaseWait(const PleaseWait&) = delete;
    PleaseWait& operator=(const PleaseWait&) = delete;
    // The window, or nullptr once something else has freed it.
    TForm35* Window() const;
};
