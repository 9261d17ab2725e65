// The splash window shown while the program starts.
#pragma once
#include <string>

#include "toolkit/Form.h"
#include "toolkit/Image.h"

struct TForm26 : tk::Form {
    tk::Image Image1;          // what the window shows: the screen under it with the picture over it
    tk::TBitmap Image2;        // the mask: white where the picture is, black where the screen shows
    tk::TBitmap Image3;        // the picture, on white
    TForm26();
    void FormCreate();
    void FormShow();

private:
    void DrawBuiltInPicture();
};

extern TForm26* Form26;
