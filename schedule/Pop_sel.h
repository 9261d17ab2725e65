// The sound chooser: drive, folder and file lists of WAVE and MIDI files with a type box, a test
// play and one more play as it closes, both through the main window's media player. Each caller
// makes its own for one modal run (ChooseSound) and reads FileListBox1 before freeing it.
#pragma once
#include "toolkit/Buttons.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"

struct TForm10 : tk::Form {
    tk::Label Label1;  // the selected file's path, empty when none exists
    tk::DriveComboBox DriveComboBox1;
    tk::DirectoryListBox DirectoryListBox1;
    tk::FileListBox FileListBox1;
    tk::FilterComboBox FilterComboBox1;
    tk::BitBtn BitBtn2, BitBtn1;
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *Test1 = nullptr, *Close1 = nullptr;

    TForm10();
    void FileListBox1Change();
    void BitBtn2Click();
    void BitBtn1Click();
    void PopupMenu1Popup();

private:
    void PlaySelected();
};
