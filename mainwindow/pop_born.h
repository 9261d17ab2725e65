// The daily birthday notice: today's birthdays with age and weekday of birth.
#pragma once
#include "toolkit/Buttons.h"
#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"
#include "toolkit/rtl/DateTime.h"

struct TForm23 : tk::Form {
    tk::RichEdit RichEdit1, RichEdit2;
    tk::BitBtn BitBtn1, BitBtn2;
    TForm23();
    void FormCreate();
    // Lists the birthdays of day today (a notice left open at midnight is filled again).
    void Fill(rtl::TDateTime today);
    void BitBtn1Click();
};

extern TForm23* Form23;
