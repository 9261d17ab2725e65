// Integer and float conversions: the input as text, and its first eight bytes as a double and as
// an integer. What reads as a number writes back to a text that reads as the same number.
#include <cmath>
#include <cstdlib>

#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/SysUtils.h"

static bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text((const char*)data, size);
    FuzzBytes in(data, size);
    const double d = in.Take<double>();
    FuzzBytes in2(data, size);
    const long long ll = in2.Take<long long>();
    const int width = in2.Byte() % 40;

    int i = 0;
    if (rtl::TryStrToInt(text, i)) {
        int back = 0;
        FUZZ_CHECK(rtl::TryStrToInt(rtl::IntToStr(i), back) && back == i);
        FUZZ_CHECK(rtl::StrToIntDef(text, i ^ 1) == i);
    } else {
        FUZZ_CHECK(rtl::StrToIntDef(text, 12345) == 12345);
    }

    double f = 0;
    if (rtl::TryStrToFloat(text, f)) {
        FUZZ_CHECK(std::isfinite(f));
        double back = 0;
        FUZZ_CHECK(rtl::TryStrToFloat(rtl::FloatToStr(f), back) && SameBits(back, f));
    }

    // Every finite double reads back from its text; NaN and infinities are refused on reading.
    std::string s = rtl::FloatToStr(d);
    double back = 0;
    FUZZ_CHECK(rtl::TryStrToFloat(s, back) == std::isfinite(d));
    if (std::isfinite(d)) FUZZ_CHECK(SameBits(back, d));

    std::string z = rtl::ZeroPad(ll, width);
    FUZZ_CHECK(std::strtoll(z.c_str(), nullptr, 10) == ll);
    FUZZ_CHECK(z.size() >= (size_t)width);
    FUZZ_CHECK(rtl::IntToStr(ll) == std::to_string(ll));
    if (ll >= INT32_MIN && ll <= INT32_MAX) {
        FUZZ_CHECK(rtl::TryStrToInt(rtl::IntToStr(ll), i) && i == ll);
        FUZZ_CHECK(rtl::TryStrToInt(" " + z + "\t", i) && i == ll);
    }
    return 0;
}
