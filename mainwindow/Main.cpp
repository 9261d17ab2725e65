#include "mainwindow/Main.h"

#include "settings/Settings.h"

TForm1* Form1 = nullptr;

TForm1::TForm1() : Form({.caption = "Orbal98", .width = 422, .height = 330, .border = tk::Border::Single,
                         .maximizeBox = false, .acceptFiles = true}) {
    OnPaint = [this](tk::TCanvas& c) {
        c.Brush.Style = tk::BrushStyle::Clear;
        c.Font.Size = 12;
        c.TextOut(16, 16, "時計・カレンダー・予定表（表示の準備中）");
    };
    FormCreate();
}

void TForm1::FormCreate() {
    auto ini = settings::Open();
    namespace ik = inikey;
    int sw = GetSystemMetrics(SM_CXSCREEN);
    int top = ini.ReadInteger(ik::Form::Section, ik::Form::top, 0);
    int left = ini.ReadInteger(ik::Form::Section, ik::Form::left, sw - Width());
    RestorePosition(left, top);
    Show();
    SetForegroundWindow(Handle);
}

void TForm1::SavePositon1Click() {
    auto ini = settings::Open();
    ini.WriteInteger(inikey::Form::Section, inikey::Form::top, Top());
    ini.WriteInteger(inikey::Form::Section, inikey::Form::left, Left());
}

void TForm1::KLumet2Click() { Close(); }
