// The reminder part of the clock tick: uptime reminders, the minute gate, the name tests of the
// minute and the filling of the reminder window; and the daily birthday notice.
#include "mainwindow/Actions.h"
#include "mainwindow/Main.h"
#include "mainwindow/Picture.h"
#include "mainwindow/Pop_wind.h"
#include "mainwindow/pop_born.h"
#include "schedule/DayRules.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/Shell.h"

namespace ik = inikey;
using rtl::FormatDateTime;

namespace {

// One run of the reminder part: the hits of this tick share one window.
struct ReminderRun {
    TForm1& form;
    std::string dir;   // the data folder
    std::string pending;  // full path of the last hit; non-empty once the window exists

    void Hit(const DayHit& hit) {
        if (pending.empty()) tk::Application.CreateForm(Form9);
        if (tk::Application.MainForm == Form9) tk::Application.MainForm = &form;
        pending = dir + "\\" + hit.name;
        if (hit.kind == NameKind::PopupOneDay) {
            Form9->OneDayPath = pending;
            Form9->BitBtn2.SetEnabled(true);
        }
        Form9->RichEdit2.Clear();
        if (tk::FileExists(pending)) {
            Form9->Label2.SetCaption(pending);
            Form9->RichEdit2.LoadFromFile(pending);
            Form9->RichEdit1.Lines.Add(Form9->RichEdit2.Text());
        }
        RunPopupExec(pending);
    }
};

// The weekday colour of the header: Sunday red, Saturday magenta, other days blue.
tk::TColor HeaderColour(rtl::TDateTime t) {
    int w = rtl::DayOfWeek(t);
    return w == 1 ? 0x0000FF : w == 7 ? 0xFF00FF : 0xFF0000;
}

// Shows the picture that [section] names, stretched unless it says otherwise. A picture that is
// absent or cannot be shown (unreadable, neither BMP nor JPEG, codec busy) leaves the image as it
// was and gives false, so that the caller can try the next one.
bool ShowPicture(tk::TIniFile& ini, const std::string& section, const char* pathKey, const char* stretchKey,
                 tk::Image& image) {
    std::string path = ini.ReadString(section, pathKey, "");
    tk::TBitmap picture;
    if (path.empty() || !tk::FileExists(path) || !LoadPicture(path, picture)) return false;
    image.SetStretch(!ini.ReadBool(section, stretchKey, false));
    image.Assign(picture);
    return true;
}

}  // namespace

void TForm1::TickReminders(tk::TIniFile& ini, rtl::TDateTime now) {
    // A modal box opened from here pumps messages: a nested tick must not test again.
    if (reminderRunning_) return;
    reminderRunning_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{reminderRunning_};

    std::string dir = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".");
    rtl::TDateTime T = now + ini.ReadInteger(ik::Calendar::Section, ik::Calendar::before, 0) / 1440.0;
    tk::FolderIndex& names = tk::FolderIndex::For(dir);
    ReminderRun run{*this, dir, {}};
    bool uptimeHit = false;

    uint32_t uptime = rtl::UptimeMs();
    std::string key = PopupFileName::UptimeTick(uptime);
    if (key != LastUptimeKey) {
        LastUptimeKey = key;
        HolidayTable none;
        for (const DayHit& hit : DayRules(none, names).UptimeReminders(uptime)) {
            run.Hit(hit);
            uptimeHit = true;
        }
    }

    std::string minute = FormatDateTime("hhnn", T);
    if (minute != LastMinute) {
        LastMinute = minute;
        DiaryAtItsTime(ini, now);
        HolidayTable table = settings::ReadHolidayTable(ini);
        for (const DayHit& hit : DayRules(table, names).Reminders(T)) {
            run.Hit(hit);
            uptimeHit = false;
        }
    }
    if (!run.pending.empty()) ShowReminderWindow(ini, run.pending, uptimeHit ? now : T, T);
}

void TForm1::ShowReminderWindow(tk::TIniFile& ini, const std::string& section, rtl::TDateTime shown,
                                rtl::TDateTime T) {
    TForm9& w = *Form9;
    w.Panel2.SetCaption(FormatDateTime("yy/mm/dd (ddd) hh:nn", shown));
    w.Panel2.SetColor(HeaderColour(T));

    // The reminder's picture, else the [Calendar] one; with neither the built-in picture stays.
    if (ShowPicture(ini, section, ik::Popup::bitmap, ik::Popup::Stretch, w.Image1)) {
        if (ini.ReadBool(section, ik::Popup::Wallpaper, false)) {
            std::string copy = tk::ExeDir() + "\\Tav_Wallpaper.BMP";
            if (w.Image1.Picture().SaveToFile(copy)) tk::SetDesktopWallpaper(copy);
        }
    } else {
        ShowPicture(ini, ik::Calendar::Section, ik::Calendar::bitmap, ik::Calendar::Stretch, w.Image1);
    }

    std::string sound = ini.ReadString(section, ik::Popup::file, "");
    if (sound.empty() || !tk::FileExists(sound)) sound = ini.ReadString(ik::Calendar::Section, ik::Calendar::file, "");
    if (!sound.empty() && tk::FileExists(sound)) PlaySoundFile(MediaPlayer1, sound);

    w.RichEdit1.SetReadOnly(true);
    int closetime = ini.ReadInteger(section, ik::Popup::closetime, -1);
    w.Tag = closetime < -1 ? -1 : closetime;
    if (closetime != 0) w.Show();
}

void TForm1::BirthdayNotice(tk::TIniFile& ini, rtl::TDateTime today) {
    if (!ini.ReadBool(ik::Form::Section, ik::Form::BirthPop, true)) return;
    double stamp = rtl::StrToFloatDef(ini.ReadString(ik::Pop_Born::Section, ik::Pop_Born::Day, "0"), 0);
    if (stamp > today) ini.WriteString(ik::Pop_Born::Section, ik::Pop_Born::Day, rtl::FloatToStr(today - 1));
    if (ini.ReadString(ik::Pop_Born::Section, ik::Pop_Born::Day, "0") == rtl::FloatToStr(today)) return;
    std::string dir = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".");
    int y, m, d;
    rtl::DecodeDate(today, y, m, d);
    HolidayTable none;
    DayRules rules(none, tk::FolderIndex::For(dir));
    // No birthday today: a notice still open from yesterday stays as it is.
    if (rules.Birthdays(m, d).empty()) return;
    if (Form23) {
        Form23->Fill(today);  // left open since yesterday: it lists today's names now
    } else {
        tk::Application.CreateForm(Form23);
        if (tk::Application.MainForm == Form23) tk::Application.MainForm = this;
    }
    Form23->Show();
    std::string sound = ini.ReadString(ik::Pop_Born::Section, ik::Pop_Born::file, "");
    if (!sound.empty() && tk::FileExists(sound)) PlaySoundFile(MediaPlayer1, sound);
    ini.WriteString(ik::Pop_Born::Section, ik::Pop_Born::Day, rtl::FloatToStr(today));
}
