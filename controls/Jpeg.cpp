#include "controls/Jpeg.h"

#include "mainwindow/Main.h"
#include "toolkit/MsgBox.h"

TForm37* Form37 = nullptr;

bool AskStopAfterCodecMessage(HWND owner, const std::string& errorMsg) {
    std::string text = errorMsg + "\n\r\rエラーです。\r処理を中断しますか？";
    return tk::MessageDlg(owner, text, "エラー", MB_YESNO | MB_ICONERROR) == IDYES;
}

TForm37::TForm37()
    : Form({.caption = "Jpeg", .width = 229, .height = 70, .border = tk::Border::None, .topmost = true,
            .color = tk::clInfoBk}),
      FormRgn1(*this) {
    using namespace tk;
    Panel1.Create(*this, {.at = {0, 0, 229, 70}, .color = clInfoBk, .style = pnOuterNone});
    Label2.Create(Panel1, {.at = {22, 8, 0, 0}, .caption = "Orbal98", .font = TFont{.Size = 10, .Color = clInfoText, .Style = fsBold}});
    Label3.Create(Panel1, {.at = {104, 11, 0, 0}});
    ProgressBar1.Create(Panel1, {.at = {22, 32, 185, 7}, .max = 100, .style = pbSmooth});
    Label1.Create(Panel1, {.at = {22, 46, 0, 0}});
    Image1.Create(*this, {.at = {0, 0, 0, 0}, .visible = false});
    Image1.SetAutoSize(true);

    FormRgn1.SetRgnLeft(0);
    FormRgn1.SetRgnTop(0);
    FormRgn1.SetRgnRight(229);
    FormRgn1.SetRgnBottom(70);
    FormRgn1.SetRgnWidth(30);
    FormRgn1.SetRgnHeight(30);
    FormRgn1.SetStyle(TFormRgn::rsRoundRect);

    MemoJpeg1.SetQuality(100);
    MemoJpeg1.Color256 = true;
    MemoJpeg1.SetProgressBar(&ProgressBar1);
    MemoJpeg1.OnStart = [this] { MemoJpeg1Start(); };
    MemoJpeg1.OnCallback = [this](int maximum, int position) { MemoJpeg1Callback(maximum, position); };
    MemoJpeg1.OnFinish = [this] { MemoJpeg1Finish(); };
    MemoJpeg1.OnError = [this](const std::string& m) { MemoJpeg1Error(m); };
    OnClose = [this](CloseAction& a) { FormClose(a); };
    FormCreate();
}

void TForm37::FormCreate() {
    if (Form1) Label3.SetCaption(Form1->Label12.Caption());
}

void TForm37::FormClose(tk::CloseAction& action) { action = tk::CloseAction::Free; }

// The run holds the message loop: paint what changed before going on.
void TForm37::PaintNow() {
    if (Visible()) RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TForm37::MemoJpeg1Start() {
    bool writing = MemoJpeg1.Tag == 1;
    if (!writing) MemoJpeg1.SetOutStream(new rtl::TMemoryStream);
    busy_.emplace(tk::crAppStart);
    Label1.SetCaption(writing ? "Jpegファイルの書き出し中です。" : "Jpegファイルの読み込み中です。");
    if (Image1.Tag != 1) {
        Show();
        PaintNow();
    }
}

void TForm37::MemoJpeg1Callback(int, int) { PaintNow(); }

void TForm37::MemoJpeg1Finish() {
    if (MemoJpeg1.Tag != 1) {
        tk::TBitmap bmp;
        if (LoadBitmapFromStream(bmp, *MemoJpeg1.OutStream())) Image1.Assign(bmp);
    }
    MemoJpeg1.Tag = 0;
    busy_.reset();
}

void TForm37::MemoJpeg1Error(const std::string& errorMsg) {
    busy_.reset();
    MemoJpeg1.ErrorStop = AskStopAfterCodecMessage(Handle, errorMsg);
}
