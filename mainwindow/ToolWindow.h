// The tool window: a borderless bar of the main window's commands, a launcher box over the
// shortcut folder beside the program, and a drop target that puts file paths on the clipboard.
#pragma once
#include <string>
#include <vector>

#include "controls/PnlBtn.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"

struct MainCommand;

struct TForm5 : tk::Form {
    tk::Panel Panel1;  // the bar
    tk::Panel Panel2;  // the handle to drag the window by
    TPanelButton BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn7, BitBtn8, BitBtn9, BitBtn10, BitBtn11,
        BitBtn12, BitBtn13, BitBtn14, BitBtn15;
    tk::ComboBox ComboBox1;  // the launcher box
    tk::PopupMenu PopupMenu1;
    tk::MenuItem *K1 = nullptr, *K2 = nullptr, *Close1 = nullptr;

    TForm5();
    // Also run to refill the launcher box.
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void PopupMenu1Popup();
    void K1Click();
    void K2Click();
    void Panel2MouseDown(tk::MouseButton button);
    void ComboBox1KeyUp(WORD key);
    void BitBtn13Click();  // help
    void BitBtn15Click();  // launch
    // Files dropped with the shift state of the moment.
    void FormDropFiles(const std::vector<std::string>& files, int shift);

    // <exe folder>\Shortcut
    static std::string ShortcutDir();
    // The full path of the shortcut named text (any extension), or text itself when none is.
    static std::string ResolveShortcut(const std::string& text);

private:
    std::vector<std::pair<TPanelButton*, const MainCommand*>> CommandButtons();
    void FillShortcuts();
    void PopupAtMouse(tk::PopupMenu& menu);
};

extern TForm5* Form5;
