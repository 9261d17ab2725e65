// The password lock of the private tools (diary, diary list, cycle tracker and, when chosen, the
// phone book): the prompt in which the password is entered, set or changed, with the last access
// times and a free note; and the check other windows run before they open such a tool.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Label.h"

struct TForm34 : tk::Form {
    tk::GroupBox GroupBox1;  // パスワード
    tk::Edit Edit5;          // the entry; the caller reads it after the prompt closes
    tk::BitBtn BitBtn2;      // &Open
    tk::GroupBox GroupBox2;  // 前回のアクセス
    tk::Label Label1, Label2, Label3;
    tk::Edit Edit1, Edit2, Edit3;  // last access of diary, phone book, cycle tracker
    tk::Memo Memo1;                // the free note, saved as it is typed
    tk::GroupBox GroupBox3;        // パスワードの設定・変更
    tk::Label Label5, Label6, Label7, Label8;
    tk::Edit Edit4, Edit6, Edit7;  // current, new, new again
    tk::CheckBox CheckBox1;        // 簡易電話帳も対象
    tk::BitBtn BitBtn1;            // &Set

    TForm34();
    void FormCreate();
    void FormShow();
    void Edit4Change();
    void Edit5Change();
    void Memo1Change();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    void EnableSetGroup();
    std::string notePath_;  // empty while the note has no folder or could not be read
    bool noteSaveFailed_ = false;
};

extern TForm34* Form34;

// What the check compares an entry with while no password is stored (51 characters).
extern const char kDefaultPassword[];

// The password an entry must equal: the stored one, or the built-in default when none is stored
// or what is stored reads back empty.
std::string PasswordForCheck(const tk::TIniFile& ini);
// True when password can be stored and read back unchanged through the profile functions, which
// trim blanks around a value, strip enclosing quotes and keep one line of at most 1023 bytes.
bool PasswordStorable(const std::string& password);

// The tools behind the lock, each with its access stamp ([Password] Diary, Telephone, Period).
enum class PrivateTool { Diary, Telephone, Period };

// The check before a private tool opens. When the lock covers the tool ([Password] Use, and for
// the phone book also [Password] Tel) the prompt asks for the password; a wrong entry gets
// "パスワードが違います。" at owner's corner and false, with no stamp written. Otherwise the
// tool's access stamp is written (also while the lock is off) and the answer is true.
bool PasswordGate(HWND owner, PrivateTool tool);
// The warning for a wrong password, with its single Cancel button.
void ShowWrongPassword(HWND owner);
// Runs the prompt for one entry (modally, or through the test hook) and returns what was typed.
std::string AskPassword();

// Test seam: while set, the gate hands the prompt to the hook instead of showing it modally.
void SetPasswordPromptHookForTest(std::function<void(TForm34&)> hook);
