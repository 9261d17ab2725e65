// The window parts the schedule entry editor and the reminder editor share: the edit menu with
// its "閉じる" submenu, the two day-off radio groups, the six week boxes, the date fields, the
// discard notice, the safe save of a body, and the main window's refresh after a save or delete.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "schedule/EntryRules.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SpinEdit.h"

namespace entry {

// Sets a flag for the length of a scope: an editor's rebuild sets controls whose change handlers
// must stand still meanwhile.
struct Busy {
    bool& flag;
    bool was;
    explicit Busy(bool& f) : flag(f), was(f) { flag = true; }
    ~Busy() { flag = was; }
};

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
    // Creates them in "週指定" in three rows of two, the even weeks and "最終週" at column2: the five
    // ticked, "最終週" clear.
    void Create(tk::GroupBox& group, int column2) const;
    WeekBoxes Read() const;
    // Settles the boxes as every rebuild does and returns the mask.
    int Settle();
};

// The date fields at the top-left corner: year, month and day spin edits with "年", "月", "日"
// after each, starting at the date given.
void CreateDateFields(tk::Form& form, tk::SpinEdit& year, tk::SpinEdit& month, tk::SpinEdit& day,
                      tk::Label* const (&units)[3], int y, int m, int d);

// The date fields' rule: the year is kept in 1..9999 and the month in 1..12, and a day the month
// lacks is lowered by one (each correction re-enters the fields' change handler). A year the user
// typed out of range is told. True with a date that exists; false when a field was corrected or
// holds no number yet.
bool SettleDateFields(tk::SpinEdit& year, tk::SpinEdit& month, tk::SpinEdit& day);

// The warning after a rebuild threw away typed text.
void WarnEditsDiscarded(tk::Form& form);

// The load step of every rebuild: the discard notice when the body was typed into since the last
// load or save, then the body cleared and filled from path when that file exists (true then).
bool LoadBody(tk::Form& form, tk::RichEdit& body, const std::string& path);
// After a load: the whole body in its font colour, the caret at the start, nothing modified (a
// load is no edit).
void SettleBody(tk::RichEdit& body);

// The delete question "削除しますか？", unless [Form] Delete says to delete without asking.
bool ConfirmEntryDelete(tk::Form& form);
// Deletes a data file (a missing one counts as deleted); a failure is reported over the form.
bool DeleteDataFile(tk::Form& form, const std::string& path);

// Writes the body as rich text through the safe file replacement; a failure is reported in a
// box over the form and gives false.
bool SaveBody(tk::Form& form, const tk::RichEdit& body, const std::string& path);
// The folder index of a data file's folder must read again after our own write or delete.
void DataFileChanged(const std::string& path);

// On close: the window's position into section's "top" and "left" keys; an unwritable settings
// file must not keep the window open.
void WritePosition(const tk::Form& form, const char* section, const char* topKey, const char* leftKey);

// After a save or a delete: the main window's day view and month marks.
void RefreshDayAndMarks();
// After an editor closes: the list schedule management shows, then the month marks.
void RefreshMarks();
// After an editor closes: the open schedule list is built again when any entry it saved, deleted
// or appended to can appear in it (ListNeedsRebuild). No names, nothing to do.
void RefreshScheduleList(const std::vector<std::string>& names);
// Schedule management, when it is open, focused and its list run again.
void RefreshManagement();

}  // namespace entry
