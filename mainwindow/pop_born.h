// The daily birthday notice: today's birthdays with age and weekday of birth.
#pragma once
#include "toolkit/Buttons.h"
#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"

struct TForm23 : tk::Form {
    tk::RichEdit RichEdit1, RichEdit2;
    tk::BitBtn BitBtn1, BitBtn2;
    TForm23();
    void FormCreate();
    void BitBtn1Click();
};

extern TForm23* Form23;
