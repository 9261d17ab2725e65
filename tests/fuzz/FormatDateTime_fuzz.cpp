// FormatDateTime with any pattern and any value (the first eight bytes as a double, the rest the
// pattern), and the decoders it uses: one day for DateOf, DecodeDate and DayOfWeek, zeros
// outside the date range.
#include <cmath>

#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/DateTime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    const double t = in.Take<double>();
    const std::string pattern = in.Rest();

    std::string out = rtl::FormatDateTime(pattern, t);
    FUZZ_CHECK(out.size() <= 32 * pattern.size() + 32);  // no pattern letter writes more

    int y, m, d, h, n, s, ms;
    rtl::DecodeDate(t, y, m, d);
    rtl::DecodeTime(t, h, n, s, ms);
    const int dow = rtl::DayOfWeek(t);
    if (dow == 0) {
        FUZZ_CHECK(y == 0 && m == 0 && d == 0 && h == 0 && n == 0 && s == 0 && ms == 0);
        FUZZ_CHECK(std::isnan(t) || rtl::DateOf(t) == std::floor(t));
        return 0;
    }
    FUZZ_CHECK(dow >= 1 && dow <= 7);
    FUZZ_CHECK(rtl::IsValidDate(y, m, d));
    FUZZ_CHECK(h >= 0 && h < 24 && n >= 0 && n < 60 && s >= 0 && s < 60 && ms >= 0 && ms < 1000);
    const double day = rtl::DateOf(t);
    FUZZ_CHECK(rtl::EncodeDate(y, m, d) == day);
    FUZZ_CHECK(rtl::DayOfWeek(day) == dow);
    FUZZ_CHECK(std::fabs(t - (day + rtl::EncodeTime(h, n, s, ms))) <= 0.5 / 86400000 + 1e-9);
    FUZZ_CHECK(rtl::FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", t) ==
               rtl::ZeroPad(y, 4) + "/" + rtl::ZeroPad(m, 2) + "/" + rtl::ZeroPad(d, 2) + " " + rtl::ZeroPad(h, 2) +
                   ":" + rtl::ZeroPad(n, 2) + ":" + rtl::ZeroPad(s, 2) + "." + rtl::ZeroPad(ms, 3));
    return 0;
}
