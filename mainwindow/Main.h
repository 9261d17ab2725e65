// The main window.
#pragma once
#include "toolkit/Form.h"

struct TForm1 : tk::Form {
    TForm1();
    void FormCreate();
    void SavePositon1Click();
    void KLumet2Click();
};

extern TForm1* Form1;
