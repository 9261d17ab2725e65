// The picture chooser: drive, folder and file lists of BMP and JPEG files with a preview.
// Callers show it modally and read the chosen path from Label1 (or FileListBox1.FileName()).
#pragma once
#include <optional>
#include <string>

#include "controls/IJGJpeg.h"
#include "toolkit/Bevel.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Cursor.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/ProgressBar.h"

struct TForm20 : tk::Form {
    tk::Label Label1;
    tk::DriveComboBox DriveComboBox1;
    tk::DirectoryListBox DirectoryListBox1;
    tk::FileListBox FileListBox1;
    tk::Bevel Bevel1;
    tk::Image Image1;
    tk::CheckBox CheckBox1;
    tk::ProgressBar ProgressBar1;
    tk::BitBtn BitBtn1;
    tk::PopupMenu PopupMenu1;
    TIJGJpeg IJGJpeg1;

    TForm20();
    void FormShow();
    void FormHide();
    void FileListBox1Change();
    void IJGJpeg1Start();
    void IJGJpeg1Callback(int maximum, int position);
    void IJGJpeg1Finish();
    void IJGJpeg1Error(const std::string& errorMsg);
    void Close1Click();

private:
    std::optional<tk::BusyCursor> busy_;  // from the codec's start to its end
};

extern TForm20* Form20;
