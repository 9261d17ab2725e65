// Schedule names: any bytes decode to a kind or to NotOurs, and what decodes encodes back to the
// same name (upper case); the builders, given any ints, write names of the fixed length that
// decode to the kind they build or to nothing.
#include "schedule/ScheduleName.h"
#include "tests/fuzz/Fuzz.h"

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 32);
    return s;
}

bool SameFields(const NameFields& a, const NameFields& b) {
    return a.kind == b.kind && a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.weekday == b.weekday && a.weekMask == b.weekMask && a.shift == b.shift &&
           a.seconds == b.seconds;
}

// A built name: the fixed length, and when it decodes, the kind built and the same text back.
void Built(const std::string& name, size_t len, NameKind kind) {
    FUZZ_CHECK(name.size() == len);
    NameFields f = DecodeName(name);
    if (!f.ours()) return;
    FUZZ_CHECK(f.kind == kind);
    FUZZ_CHECK(EncodeName(f) == name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string name((const char*)data, size);
    NameFields f = DecodeName(name);
    if (f.ours()) {
        std::string back = EncodeName(f);
        FUZZ_CHECK(back == Upper(name));
        FUZZ_CHECK(SameFields(DecodeName(back), f));
    } else {
        FUZZ_CHECK(EncodeName(f).empty());
    }

    FuzzBytes in(data, size);
    const int hour = in.Take<int32_t>(), minute = in.Take<int32_t>(), year = in.Take<int32_t>();
    const int month = in.Take<int32_t>(), day = in.Take<int32_t>(), mask = in.Take<int32_t>();
    const int weekday = in.Take<int32_t>();
    const DayOffShift shift = DayOffShift::FromRadio(in.Take<int32_t>(), in.Take<int32_t>());
    const long long seconds = in.Take<int64_t>();

    Built(ScheduleFileName::OneDate(year, month, day), 11, NameKind::ScheduleOneDate);
    Built(ScheduleFileName::Yearly(shift, month, day), 11, NameKind::ScheduleYearly);
    Built(ScheduleFileName::Monthly(shift, day), 11, NameKind::ScheduleMonthly);
    Built(ScheduleFileName::Weekly(mask, weekday), 12, NameKind::ScheduleWeekly);
    Built(PopupFileName::OneDay(hour, minute, year, month, day), 11, NameKind::PopupOneDay);
    Built(PopupFileName::Yearly(hour, minute, month, day, shift), 11, NameKind::PopupYearly);
    Built(PopupFileName::Monthly(hour, minute, day, shift), 11, NameKind::PopupMonthly);
    Built(PopupFileName::Weekly(hour, minute, mask, weekday), 12, NameKind::PopupWeekly);
    Built(PopupFileName::Daily(hour, minute), 11, NameKind::PopupDaily);
    Built(BirthdayFileName(year, month, day), 11, NameKind::Birthday);
    // The editor's uptime is always a reminder of ours; the tick's may lie outside its range.
    std::string up = PopupFileName::Uptime(seconds);
    FUZZ_CHECK(DecodeName(up).kind == NameKind::PopupUptime);
    Built(PopupFileName::UptimeTick((uint32_t)seconds), 11, NameKind::PopupUptime);
    FUZZ_CHECK(BirthdayPattern(month, day).size() == 10);
    FUZZ_CHECK(WeekdayFromCode(WeekdayCode(weekday)) != 0);
    FUZZ_CHECK(PopupWeekMask(mask).size() == 4 && ScheduleWeekFlags(mask).size() == 5);
    return 0;
}
