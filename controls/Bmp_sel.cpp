#include "controls/Bmp_sel.h"

#include "controls/Jpeg.h"
#include "mainwindow/Actions.h"
#include "toolkit/Files.h"
#include "toolkit/rtl/Screen.h"

TForm20* Form20 = nullptr;

TForm20::TForm20()
    : Form({.caption = "Picture File", .width = 413, .height = 400, .border = tk::Border::Dialog,
            .clientSize = true}) {
    using namespace tk;
    Label1.Create(*this, {.at = {8, 6, 397, 14}, .style = lsNoAutoSize | lsNoPrefix});
    DriveComboBox1.Create(*this, {.at = {8, 24, 192, 20}});
    DirectoryListBox1.Create(*this, {.at = {8, 50, 192, 196}});
    FileListBox1.Create(*this, {.at = {208, 24, 197, 222}, .style = flShowGlyphs});
    FileListBox1.SetMask("*.bmp;*.jpg");
    DriveComboBox1.SetDirList(&DirectoryListBox1);
    DirectoryListBox1.SetFileList(&FileListBox1);
    Bevel1.Create(*this, {.at = {8, 254, 141, 141}});
    Image1.Create(*this, {.at = {12, 256, 133, 137}});
    Image1.SetStretch(true);
    Image1.SetCenter(true);
    CheckBox1.Create(*this, {.at = {160, 256, 120, 17}, .caption = "プレビュー"});
    ProgressBar1.Create(*this, {.at = {160, 280, 245, 12}, .min = 0, .max = 100});
    BitBtn1.Create(*this, {.at = {330, 367, 75, 25}, .caption = "&Set", .style = bkOK});

    PopupMenu1.Create(*this);
    PopupMenu1.Items.Add("閉じる(&C)", [this] { Close1Click(); });
    SetPopupMenu(&PopupMenu1);

    IJGJpeg1.Color256 = true;
    IJGJpeg1.Dct = dctFast;
    IJGJpeg1.SetProgressBar(&ProgressBar1);
    IJGJpeg1.OnStart = [this] { IJGJpeg1Start(); };
    IJGJpeg1.OnCallback = [this](int maximum, int position) { IJGJpeg1Callback(maximum, position); };
    IJGJpeg1.OnFinish = [this] { IJGJpeg1Finish(); };
    IJGJpeg1.OnError = [this](const std::string& m) { IJGJpeg1Error(m); };

    FileListBox1.OnChange = [this] { FileListBox1Change(); };
    CheckBox1.OnClick = [this] { FileListBox1Change(); };
    OnShow = [this] { FormShow(); };
    OnHide = [this] { FormHide(); };
}

void TForm20::FormShow() {
    PlayWaveRes("ope");
    int left = Left(), top = Top();
    rtl::KeepOnScreen(left, top, Width(), Height(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (left != Left() || top != Top()) SetBounds(left, top, Width(), Height());
}

void TForm20::FormHide() { PlayWaveRes("clo"); }

void TForm20::FileListBox1Change() {
    std::string file = FileListBox1.FileName();
    Label1.SetCaption(file);
    if (!CheckBox1.Checked()) {
        Image1.Hide();
        return;
    }
    Image1.Show();
    // A file that cannot be shown (gone, unreadable, undecodable, codec busy) previews as
    // nothing, never as the file selected before it.
    Image1.Clear();
    if (file.empty() || !tk::FileExists(file)) return;
    std::string ext = rtl::UpperCaseAscii(rtl::ExtractFileExt(file));
    if (ext == ".BMP") {
        Image1.LoadFromFile(file);
    } else if (ext == ".JPG") {
        try {
            RunJpegConversion([&] {
                IJGJpeg1.SetInStream(new rtl::TFileStream(file, rtl::fmOpenRead));
                IJGJpeg1.SetOutStream(new rtl::TMemoryStream);
                IJGJpeg1.Decompress();
            });
        } catch (const std::exception&) {
            // The codec's message, if any, was shown already; the preview stays empty.
        }
        busy_.reset();  // however the conversion ended, even without the codec's own events
    }
}

void TForm20::IJGJpeg1Start() { busy_.emplace(tk::crAppStart); }

void TForm20::IJGJpeg1Callback(int, int) {}

void TForm20::IJGJpeg1Finish() {
    tk::TBitmap bmp;
    if (LoadBitmapFromStream(bmp, *IJGJpeg1.OutStream())) Image1.Assign(bmp);
    busy_.reset();
}

void TForm20::IJGJpeg1Error(const std::string& errorMsg) {
    busy_.reset();
    IJGJpeg1.ErrorStop = AskStopAfterCodecMessage(Handle, errorMsg);
}

void TForm20::Close1Click() { Close(); }
