// The association table of dropped files: a program per file extension, kept in [Ext_Exec], and
// the program for every other file in [Ext_Form] Exec. The window TForm33 edits a copy of the
// table that reaches the file only through its Close button.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"

struct Association {
    std::string ext;      // with its leading ".", spelt as stored
    std::string command;  // program, optionally "?" and parameters
    bool operator==(const Association&) const = default;
};

// Extensions are compared without regard to case, so one extension has one entry.
struct AssociationTable {
    std::vector<Association> entries;
    std::string fallback;  // [Ext_Form] Exec

    int Find(const std::string& ext) const;  // -1 when absent
    // An existing entry takes the spelling as typed and the new command; a new one is appended
    // lower-cased. The entry's index.
    int Put(const std::string& ext, const std::string& command);
    void Remove(int index);  // out of range: nothing
    // The command that opens file: its extension's entry, else the fallback (maybe empty).
    std::string CommandFor(const std::string& file) const;
};

// "." and at least one more character; no character the settings file cannot hold in a key.
bool ValidExtension(const std::string& text);

AssociationTable LoadAssociations(const tk::TIniFile& ini);
// Replaces [Ext_Exec] by the table and writes [Ext_Form] Count and Exec.
void SaveAssociations(tk::TIniFile& ini, const AssociationTable& table);

struct TForm33 : tk::Form {
    tk::Panel Panel1;
    tk::ListBox ListBox1;  // extensions; the programs are the table's (the hidden list)
    tk::GroupBox GroupBox2;
    tk::Label Label1, Label2;
    tk::Edit Edit3, Edit1;
    tk::BitBtn BitBtn2, BitBtn6;
    tk::GroupBox GroupBox1;
    tk::Edit Edit2;
    tk::BitBtn BitBtn4;
    tk::BitBtn BitBtn3, BitBtn1;
    tk::StatusBar StatusBar1;

    AssociationTable Table;

    TForm33();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void FormDropFiles(const std::vector<std::string>& files);
    void Edit3Change();
    void Edit1Change();
    void ListBox1Click();
    void BitBtn6Click();  // add or change
    void BitBtn3Click();  // delete
    void BitBtn1Click();  // save and close
    void BitBtn2Click();
    void BitBtn4Click();

private:
    void BuildHints();
    void Browse(tk::Edit& field);
    // Read from a settings file that could be read: only then may the table change.
    bool Editable() const { return unreadable_.empty(); }
    std::string unreadable_;  // why the settings file could not be read when the window opened
};

extern TForm33* Form33;
