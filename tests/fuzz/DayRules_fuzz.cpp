// The day rules over a fuzzed holiday table: an entry of every moving kind dated on any day of a
// stretch shows exactly once (or nowhere, when no working day lies within the walk's reach), and
// the names a day and a minute ask for are unique and decode to the kinds reported.
#include <algorithm>
#include <map>

#include "schedule/DayRules.h"
#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

struct EveryName : rtl::NameSource {
    bool Exists(const std::string&) override { return true; }
};
struct NoName : rtl::NameSource {
    bool Exists(const std::string&) override { return false; }
};

constexpr double kFirstDay = -693593, kLastDay = 2958465;  // 0001-01-01, 9999-12-31
constexpr double kNowhere = -1e9;

// Day-off answers of the holiday rules, each day asked once.
struct DaysOff {
    const HolidayTable& table;
    std::map<std::pair<double, bool>, bool> known;
    bool operator()(double day, bool saturdayOff) {
        auto [it, added] = known.try_emplace({day, saturdayOff}, false);
        if (added) it->second = IsDayOff(table, day, saturdayOff);
        return it->second;
    }
};

// The day an entry of the kind dated X shows on: X when it is a working day for the kind, else
// the nearest working day in the kind's direction within the walk's reach.
double ShowsOn(DaysOff& off, double X, DayOffShift k) {
    const int step = k.move == ShiftMove::Next ? 1 : -1;
    for (int i = 0; i <= DayRules::kMaxWalk; ++i) {
        double D = X + step * i;
        if (D < kFirstDay || D > kLastDay) return kNowhere;
        if (!off(D, k.saturdayOff)) return D;
    }
    return kNowhere;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    const uint8_t flags = in.Byte();
    HolidayTable table;
    table.HappyMonday = flags & 1;
    const int year = 1 + (int)(in.Take<uint16_t>() % 9999);
    const double start = std::min(kLastDay, rtl::EncodeDate(year, 1, 1) + in.Byte() * 2);
    const double minute = in.Byte() % 1440 / 1440.0;
    // Entries: month and day bytes (some beyond the calendar), an empty value now and then.
    while (in.Left() >= 2 && table.Horiday.size() < 120) {
        int m = in.Byte() % 14, d = in.Byte() % 33;
        table.Horiday.emplace_back(rtl::ZeroPad(m, 2) + "/" + rtl::ZeroPad(d, 2), (flags & 2) && d == 7 ? "" : "x");
    }

    NoName none;
    DayRules rules(table, none);
    DaysOff off{table, {}};
    const double last = std::min(kLastDay, start + 39);  // the entries' dates
    const DayOffShift kinds[4] = {{ShiftMove::Previous, false}, {ShiftMove::Previous, true}, {ShiftMove::Next, false},
                                  {ShiftMove::Next, true}};
    for (DayOffShift k : kinds) {
        std::map<double, double> expect;
        double lo = start, hi = last;
        for (double X = start; X <= last; X += 1) {
            double D = ShowsOn(off, X, k);
            expect[X] = D;
            if (D != kNowhere) lo = std::min(lo, D), hi = std::max(hi, D);
        }
        // Every day that could show them, and a margin where none may.
        std::map<double, int> shown;
        for (double D = std::max(kFirstDay, lo - 8); D <= std::min(kLastDay, hi + 8); D += 1)
            for (double x : rules.MovedDates(D, k))
                if (x >= start && x <= last) {
                    FUZZ_CHECK(expect[x] == D);
                    FUZZ_CHECK(++shown[x] == 1);
                }
        for (double X = start; X <= last; X += 1) FUZZ_CHECK(shown[X] == (expect[X] != kNowhere ? 1 : 0));
    }

    // One day's and one minute's names: unique, and each of the kind reported.
    EveryName all;
    DayRules ask(table, all);
    for (const auto& hits : {ask.ScheduleEntries(start, DayReader::DayView),
                             ask.ScheduleEntries(start, DayReader::ScheduleList, flags >> 4),
                             ask.Reminders(start + minute)}) {
        std::map<std::string, int> seen;
        for (const DayHit& h : hits) {
            FUZZ_CHECK(++seen[h.name] == 1);
            FUZZ_CHECK(DecodeName(h.name).kind == h.kind);
        }
    }
    return 0;
}
