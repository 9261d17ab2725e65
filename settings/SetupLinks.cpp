#include "settings/SetupLinks.h"

#include "mainwindow/Main.h"
#include "mainwindow/tray_icon.h"
#include "schedule/Choosers.h"
#include "schedule/Todo_list.h"
#include "settings/Settings.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Files.h"

void SetTrayAutoPopup(bool on) {
    if (Form32) Form32->TrayIcon1.AutoPopup = on;
}

void SetScheduleListPaneColour(int pane, bool background, tk::TColor colour) {
    // Only an open schedule list (its menu item checked) takes the colour at once; the schedule
    // list comes with its own unit.
    if (!Form1 || !Form1->List1->Checked() || !Form2 || pane < 0 || pane > 2) return;
    // The key was written just now: the pane takes both of its colours as the settings hold them.
    (void)background, (void)colour;
    DayColours c = ReadDayColours(settings::Open(), pane - 1);
    tk::RichEdit* panes[3] = {&Form2->RichEdit1, &Form2->RichEdit3, &Form2->RichEdit4};
    TForm2::SetPaneColours(*panes[pane], c.text, c.back);
}

void OpenPrivateGraphs() {
    if (Form1) Form1->Panel18DblClick();
}

void ShowGoalPanel() {
    if (Form1) Form1->Panel2DblClick();
}

void LeaveGoalPanel() {
    if (Form1) Form1->Panel17DblClick();
}

std::string ChooseSoundFile(const std::string& preset) {
    // The reminder editor's sound chooser, owned by this one run; a cancelled run keeps the old file.
    std::string chosen = entry::ChooseSound(preset);
    if (!chosen.empty()) return chosen;
    return tk::FileExists(preset) ? preset : "";
}
