// Schedule management without a window: every schedule entry and reminder name read back into a
// one-line rule in words, which names the All, Past and day lists take, their order, the heading's
// weekday and how an editor is preset so that it builds the very name it was opened on.
#pragma once
#include <string>
#include <vector>

#include "schedule/EntryRules.h"
#include "schedule/ScheduleName.h"
#include "toolkit/rtl/DateTime.h"

namespace manage {

// The three lists; the values are the mode codes the window keeps.
enum class Mode : int { All = 0, Past = 1, Day = 3 };

// The All list's line of a name ("To_do : 毎月15日 (休日:前日)"); empty for a birthday or a name
// that is none of ours. The one-date and one-day lines are those of the Past and day lists too.
std::string LineOf(const NameFields& f);

// One-date entries and one-day reminders only. An entry is past once its day is over, a reminder
// once its date and time are.
bool IsPast(const NameFields& f, rtl::TDateTime now);
bool IsOnDay(const NameFields& f, rtl::TDateTime day);

// A line and the file it stands for: the window never reads a name back out of the words.
struct Line {
    std::string text, name;
};
// The lines of the names (bare file names) that the mode lists, in list order.
std::vector<Line> BuildList(Mode mode, const std::vector<std::string>& names, rtl::TDateTime now,
                            rtl::TDateTime day);
// List order: the line's bytes, then the file name. Fixed, so no locale can reorder the groups.
bool LineBefore(const Line& a, const Line& b);

// The heading over the preview: the line without its eight-character prefix.
std::string HeadingText(const std::string& line);
// The weekday whose colour the heading takes: a weekly name's, or the date's of a dated name; 0
// for the rest.
int HeadingWeekday(const NameFields& f);

// What opening an entry presets in its editor: the reminder editor for reminders, the schedule
// entry editor for entries.
struct EditorPreset {
    bool reminder = false;
    bool uptime = false;  // the reminder editor's uptime page, with seconds
    int seconds = 0;
    entry::Repeat tab = entry::Repeat::OneDate;
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0;      // reminders
    int ifDayOff = 0, saturday = 0;  // the items of "休日なら" and "土曜日は"
    entry::WeekBoxes weeks;
};
// The preset for a name opened at `now`. A yearly or monthly day that this year or month lacks
// (29 February, the 31st) is placed in the first year or month from now on that has it, so the
// editor does not step the day down and build another name.
EditorPreset PresetFor(const NameFields& f, rtl::TDateTime now);

}  // namespace manage
