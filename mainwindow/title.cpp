#include "mainwindow/title.h"

#include "settings/Settings.h"
#include "toolkit/Files.h"

TForm26* Form26 = nullptr;

TForm26::TForm26()
    : Form({.width = 360, .height = 180, .border = tk::Border::None, .topmost = true, .color = tk::clBlack}) {
    Image1.Create(*this, {.align = tk::Align::Client});
    OnShow = [this] { FormShow(); };
    OnClose = [](tk::CloseAction& a) { a = tk::CloseAction::Free; };
    FormCreate();
}

void TForm26::FormCreate() {
    std::string p = settings::DataDir() + "\\orbal_data\\";
    if (tk::FileExists(p + "title.bmp") && Image3.LoadFromFile(p + "title.bmp")) {
        Image2.Assign(Image3);
        SetClientSize(Image3.Width(), Image3.Height());
        if (tk::FileExists(p + "title2.bmp")) Image2.LoadFromFile(p + "title2.bmp");
    } else {
        DrawBuiltInPicture();
        SetClientSize(Image3.Width(), Image3.Height());
    }
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetBounds(sw / 2 - Width() / 2, sh / 2 - Height() / 2, Width(), Height());
}

// Without pictures of the user's own: a rounded card with the moon and the name.
void TForm26::DrawBuiltInPicture() {
    const int w = 360, h = 180;
    Image3.SetSize(w, h);
    Image2.SetSize(w, h);
    tk::TCanvas& mask = Image2.Canvas();
    mask.Brush.Color = tk::clBlack;
    mask.FillRect({0, 0, w, h});
    mask.Brush.Color = tk::clWhite;
    mask.Pen.Color = tk::clWhite;
    mask.RoundRect(0, 0, w, h, 36, 36);

    tk::TCanvas& c = Image3.Canvas();
    for (int y = 0; y < h; ++y) {  // night sky, lighter towards the horizon
        int k = 40 + y * 60 / h;
        c.Pen.Color = RGB(k / 3, k / 2, k);
        c.MoveTo(0, y);
        c.LineTo(w, y);
    }
    tk::TBitmap moonPic;
    if (moonPic.LoadFromResourceName(GetModuleHandleA(nullptr), "MOON_LARGE")) c.Draw(26, (h - moonPic.Height()) / 2, moonPic);
    c.Brush.Style = tk::BrushStyle::Clear;
    c.Font = {.Name = "ＭＳ Ｐゴシック", .Size = 28, .Color = tk::clWhite, .Style = tk::fsBold | tk::fsItalic};
    c.TextOut(120, 44, "Orbal98");
    c.Font = {.Name = "ＭＳ Ｐゴシック", .Size = 10, .Color = RGB(210, 220, 255)};
    c.TextOut(124, 100, "時計・カレンダー・個人情報管理");
    c.TextOut(124, 122, "起動しています…");
    // Outside the card the picture is white (OR with the inverted mask), so the screen shows there.
    BitBlt(c.Handle, 0, 0, w, h, Image2.Canvas().Handle, 0, 0, MERGEPAINT);
}

void TForm26::FormShow() {
    SetForegroundWindow(Handle);
    int w = ClientWidth(), h = ClientHeight();
    tk::TBitmap screen(w, h);
    POINT origin = ClientToScreen({0, 0});
    HDC sdc = GetDC(nullptr);
    BitBlt(screen.Canvas().Handle, 0, 0, w, h, sdc, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, sdc);
    HDC dc = screen.Canvas().Handle;
    tk::TCanvas& mask = Image2.Canvas();
    StretchBlt(dc, 0, 0, w, h, mask.Handle, 0, 0, Image2.Width(), Image2.Height(), SRCPAINT);
    tk::TCanvas& pic = Image3.Canvas();
    StretchBlt(dc, 0, 0, w, h, pic.Handle, 0, 0, Image3.Width(), Image3.Height(), SRCAND);
    Image1.Assign(screen);
}
