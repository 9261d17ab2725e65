// The holiday table as the program reads it from the settings text ([Horiday] in file order
// without its "Set" key, [CalendarEx] Happy_Monday), then every day of a season through the rules:
// a holiday is a day off for every kind, and the calendar's list item of a day reads back.
#include "calendar/HolidayRules.h"
#include "settings/IniKeys.h"
#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/IniText.h"
#include "toolkit/rtl/StringList.h"

namespace ik = inikey;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text((const char*)data, size);
    rtl::IniText ini(text);
    HolidayTable table;
    for (const std::string& k : ini.Keys(ik::Horiday::Section)) {
        if (k == ik::Horiday::Set) continue;
        std::string v;
        table.Horiday.emplace_back(k, ini.Find(ik::Horiday::Section, k, v) ? rtl::SjisTruncate(v, 1023) : "");
    }
    std::string hm;
    table.HappyMonday = !ini.Find(ik::CalendarEx::Section, ik::CalendarEx::Happy_Monday, hm) ||
                        rtl::StrToIntDef(rtl::SjisTruncate(hm, 1023), 1) != 0;

    // Three months of a year either side of the switch to second Mondays in 2000, picked by the input.
    const int year = 1995 + (int)(size % 40), month = 1 + (int)(size / 40 % 12);
    const rtl::TDateTime first = rtl::EncodeDate(year, month, 1), end = first + 92;
    for (rtl::TDateTime day = first; day < end; day += 1) {
        std::vector<std::string> texts = HolidayTexts(table, day);
        const bool holiday = IsHoliday(table, day);
        FUZZ_CHECK(holiday == !texts.empty());
        const bool off = IsDayOff(table, day, false), offSat = IsDayOff(table, day, true);
        FUZZ_CHECK(!off || offSat);
        FUZZ_CHECK(!holiday || off);
        if (!holiday) continue;
        // The month grid's item: month, day and the joined names, as comma text.
        int y, m, d;
        rtl::DecodeDate(day, y, m, d);
        std::string name;
        for (const std::string& t : texts) name += t;
        rtl::TStringList item, back;
        item.Add(rtl::IntToStr(m));
        item.Add(rtl::IntToStr(d));
        item.Add(name);
        back.SetCommaText(item.CommaText());
        FUZZ_CHECK(back.Strings == item.Strings);
    }
    // Values outside the date range ask nothing out of range.
    for (double t : {-693594.0, 2958466.0, 1e300, -1e300})
        FUZZ_CHECK(HolidayTexts(table, t).size() <= table.Horiday.size() + 4);
    return 0;
}
