// The quick day view: the selected day's text at the mouse after a click in the calendar; it goes
// as soon as it loses the focus.
#pragma once
#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"

struct TForm24 : tk::Form {
    tk::RichEdit RichEdit1;

    TForm24();
    void FormShow();
    bool FormKeyDown(WORD key);
    void FormDeactivate();
    void FormClose(tk::CloseAction& action);

private:
    bool closing_ = false;  // hiding it deactivates it: close once
};

extern TForm24* Form24;
