// The JPEG window: a small rounded box that shows one conversion's progress. Callers create it
// for each conversion, set MemoJpeg1.Tag (1 writes a JPEG, anything else reads one) and
// Image1.Tag (1 keeps the window hidden), hand MemoJpeg1 its streams, run it and release the
// window; a decoded picture is left in Image1.
#pragma once
#include <optional>
#include <string>

#include "controls/FormRgn.h"
#include "controls/IJGJpeg.h"
#include "toolkit/Cursor.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/ProgressBar.h"

struct TForm37 : tk::Form {
    tk::Panel Panel1;
    tk::Label Label2, Label3, Label1;
    tk::ProgressBar ProgressBar1;
    tk::Image Image1;
    TFormRgn FormRgn1;
    TIJGJpeg MemoJpeg1;

    TForm37();
    void FormCreate();
    void FormClose(tk::CloseAction& action);
    void MemoJpeg1Start();
    void MemoJpeg1Callback(int maximum, int position);
    void MemoJpeg1Finish();
    void MemoJpeg1Error(const std::string& errorMsg);

private:
    void PaintNow();
    std::optional<tk::BusyCursor> busy_;  // from the codec's start to its end
};

extern TForm37* Form37;

// "処理を中断しますか？" after a codec message; true when the user wants to stop.
bool AskStopAfterCodecMessage(HWND owner, const std::string& errorMsg);
