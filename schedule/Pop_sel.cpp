#include "schedule/Pop_sel.h"

#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "toolkit/Files.h"

TForm10::TForm10()
    : Form({.caption = "Popup Sound", .width = 413, .height = 291, .border = tk::Border::Dialog,
            .clientSize = true}) {
    using namespace tk;
    Label1.Create(*this, {.at = {8, 6, 397, 14}, .style = lsNoAutoSize | lsNoPrefix});
    DriveComboBox1.Create(*this, {.at = {8, 24, 192, 20}});
    DirectoryListBox1.Create(*this, {.at = {8, 50, 192, 196}});
    FileListBox1.Create(*this, {.at = {208, 24, 197, 196}, .style = flShowGlyphs});
    FilterComboBox1.Create(*this, {.at = {208, 226, 197, 20},
                                   .caption = "*.WAV;*.MID|*.WAV;*.MID|*.WAV|*.WAV|*.MID|*.MID"});
    DriveComboBox1.SetDirList(&DirectoryListBox1);
    DirectoryListBox1.SetFileList(&FileListBox1);
    FilterComboBox1.SetFileList(&FileListBox1);
    BitBtn2.Create(*this, {.at = {208, 258, 110, 25}, .caption = "Sound &Test", .hint = "テスト再生",
                           .enabled = false});
    BitBtn1.Create(*this, {.at = {330, 258, 75, 25}, .caption = "&Close"});
    TBitmap glyph;
    DrawStockGlyph(bkClose, glyph);
    BitBtn1.SetGlyph(glyph);

    PopupMenu1.Create(*this);
    Test1 = &PopupMenu1.Items.Add("音色テスト", [this] { BitBtn2Click(); });
    Close1 = &PopupMenu1.Items.Add("閉じる(&C)", [this] { BitBtn1Click(); });
    PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
    SetPopupMenu(&PopupMenu1);

    FileListBox1.OnChange = [this] { FileListBox1Change(); };
    FileListBox1.OnDblClick = [this] { BitBtn2Click(); };
    BitBtn2.OnClick = [this] { BitBtn2Click(); };
    BitBtn1.OnClick = [this] { BitBtn1Click(); };
    FileListBox1Change();
}

void TForm10::FileListBox1Change() {
    std::string file = FileListBox1.FileName();
    bool exists = !file.empty() && tk::FileExists(file);
    Label1.SetCaption(exists ? file : "");
    BitBtn2.SetEnabled(exists);
}

void TForm10::PlaySelected() {
    std::string file = FileListBox1.FileName();
    if (Form1 && !file.empty() && tk::FileExists(file)) PlaySoundFile(Form1->MediaPlayer1, file);
}

void TForm10::BitBtn2Click() {
    if (BitBtn2.Enabled()) PlaySelected();
}

void TForm10::BitBtn1Click() {
    PlaySelected();
    Close();
}

void TForm10::PopupMenu1Popup() { Test1->SetEnabled(BitBtn2.Enabled()); }
