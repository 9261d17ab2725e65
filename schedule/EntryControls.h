// The window parts the schedule entry editor and the reminder editor share: the edit menu with
// its "閉じる" submenu, the two day-off radio groups, the six week boxes, the date fields, the
// discard notice, the safe save of a body, and the main window's refresh after a save or delete.
#pragma once
#include <functional>
#include <string>

#include "schedule/EntryRules.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SpinEdit.h"

namespace entry {

// The "閉じる" submenu: "保存して終了" and "削除して終了", enabled as their buttons when the
// menu opens.
struct CloseMenuItems {
    tk::MenuItem *Close = nullptr, *SaveClose = nullptr, *DeleteClose = nullptr;
    void Enable(bool canSave, bool canDelete) const {
        SaveClose->SetEnabled(canSave);
        DeleteClose->SetEnabled(canDelete);
    }
};
CloseMenuItems AddCloseMenu(tk::MenuItem& parent, std::function<void()> saveAndClose,
                            std::function<void()> deleteAndClose);

// The edit menu of the body and of the rule-text box: undo, cut, copy, paste and select all on
// whichever control it was opened on, then the "閉じる" submenu.
CloseMenuItems BuildEditMenu(tk::PopupMenu& menu, std::function<void()> saveAndClose,
                             std::function<void()> deleteAndClose);

// "休日なら" and "土曜日は": "そのまま" resets the Saturday group to "平日" and disables it; any
// other choice enables it.
void DayOffGroupClick(tk::RadioGroup& ifDayOff, tk::RadioGroup& saturday);
DayOffShift ShiftOf(const tk::RadioGroup& ifDayOff, const tk::RadioGroup& saturday);

// The six week boxes (weeks 1-5, then "最終週").
struct WeekBoxControls {
    tk::CheckBox* week[5]{};
    tk::CheckBox* last = nullptr;
    WeekBoxes Read() const;
    // Settles the boxes as every rebuild does and returns the mask.
    int Settle();
};

// The date fields' rule: the year is kept in 1..9999 and the month in 1..12, and a day the month
// lacks is lowered by one (each correction re-enters the fields' change handler). True with a
// date that exists; false when a field was corrected or holds no number yet.
bool SettleDateFields(tk::SpinEdit& year, tk::SpinEdit& month, tk::SpinEdit& day);

// The warning after a rebuild threw away typed text.
void WarnEditsDiscarded(tk::Form& form);

// Writes the body as rich text through the safe file replacement; a failure is reported in a
// box over the form and gives false.
bool SaveBody(tk::Form& form, const tk::RichEdit& body, const std::string& path);
// The folder index of a data file's folder must read again after our own write or delete.
void DataFileChanged(const std::string& path);

// After a save or a delete: the main window's day view and month marks.
void RefreshDayAndMarks();
// After an editor closes: the list schedule management shows, then the month marks.
void RefreshMarks();
// Schedule management, when it is open, focused and its list run again.
void RefreshManagement();

}  // namespace entry
