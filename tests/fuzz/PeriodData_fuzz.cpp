// The cycle tracker's file: any bytes read as its [Period] section give at most one date per key
// there; the dates give cycles, averages, forecasts inside the date range and day marks, and two
// lists merge sorted without duplicates.
#include <algorithm>

#include "notes/PeriodData.h"
#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/IniText.h"
#include "toolkit/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    // Averages as the boxes may hold them, the period length, then the file.
    const period::Averages typed{in.Take<int32_t>(), in.Take<int32_t>(), in.Take<int32_t>()};
    const int periodDays = in.IntIn(1, 20);
    const rtl::IniText ini(in.Rest());

    std::string count;
    ini.Find("Period", "Count", count);
    const int keys = (int)ini.Keys("Period").size();
    const std::vector<std::string> dates =
        period::SectionDates(rtl::StrToIntDef(count, 0), keys, [&](int i) {
            std::string v;
            return ini.Find("Period", std::to_string(i), v) ? v : std::string(period::kNoDate);
        });
    FUZZ_CHECK((int)dates.size() <= std::max(keys - 1, 0));

    for (const std::string& d : dates)
        if (auto day = period::DayOf(d)) {
            FUZZ_CHECK(*day >= period::FirstDay() && *day <= period::LastDay());
            FUZZ_CHECK(period::DayOf(period::DateText(*day)) == day);
        }

    const period::Cycles c = period::CycleLengths(dates);
    FUZZ_CHECK(c.all.size() == c.even.size() + c.odd.size() && c.all.size() < std::max<size_t>(dates.size(), 1));
    (void)period::AveragesOf(c, dates.size());

    const auto base = dates.empty() ? std::nullopt : period::DayOf(dates.back());
    if (base) {
        const period::Forecast f = period::ForecastFrom(*base, typed);
        for (const auto* list : {&f.common, &f.alternating}) {
            FUZZ_CHECK(list->size() <= 100);
            for (long long d : *list) FUZZ_CHECK(d >= period::FirstDay() && d <= period::LastDay());
        }
        // The marks of the first forecast cycle: one line per day from the last date to it.
        if (!f.common.empty() && std::llabs(f.common[0] - *base) <= 1000) {
            const auto marks = period::DayMarks(*base, f.common[0], periodDays);
            FUZZ_CHECK((long long)marks.size() == std::max(0LL, f.common[0] - *base + 1));
        }
    }

    const std::vector<std::string> merged = period::MergeDates(dates, {dates.rbegin(), dates.rend()});
    FUZZ_CHECK(std::is_sorted(merged.begin(), merged.end()));
    FUZZ_CHECK(std::adjacent_find(merged.begin(), merged.end()) == merged.end());
    for (const std::string& d : dates) FUZZ_CHECK(std::binary_search(merged.begin(), merged.end(), d));
    return 0;
}
