// The quick day view: the selected day's text at the mouse after a click in the calendar; it goes
// as soon as it loses the focus.
#pragma once
#include "controls/PnlBtn.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"

struct TForm24 : tk::Form {
    tk::Panel Panel1;  // the bar of commands
    TPanelButton BitBtn4, BitBtn5, BitBtn11, BitBtn10, BitBtn7, BitBtn6, BitBtn9, BitBtn8;
    tk::RichEdit RichEdit1;

    TForm24();
    void FormShow();
    void BitBtn7Click();  // schedule management on the selected day
    bool FormKeyDown(WORD key);
    void FormDeactivate();
    void FormClose(tk::CloseAction& action);

private:
    bool closing_ = false;  // hiding it deactivates it: close once
};

extern TForm24* Form24;
