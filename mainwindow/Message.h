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
    void FormCreate();
    void FormClose(tk::CloseAction& action);
    // Draws the window and its labels now: the caller's work holds the message loop.
    void PaintNow();
};

extern TForm35* Form35;

// Shows the please-wait window with message for as long as it lives, and closes it however the
// work ends:
//   { PleaseWait wait("メモを読み込んでいます。"); LoadMemos(); }
class PleaseWait {
public:
    explicit PleaseWait(const std::string& message);
    ~PleaseWait();
    PleaseWait(const PleaseWait&) = delete;
    PleaseWait& operator=(const PleaseWait&) = delete;
    // The window, or nullptr once something else has freed it.
    TForm35* Window() const;

private:
    TForm35* form_;
};
