// The six-byte real: 1 sign bit, 8-bit exponent, 39 stored mantissa bits behind a hidden one.
// A value is rounded to that precision whenever it is stored; arithmetic between stores runs in
// long double (the x87 extended format), so `Real48 x = a * b + c;` rounds once, at the store.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace rtl {

class Real48 {
public:
    Real48() = default;
    // Rounds to nearest (halves away from zero). Magnitudes below 2^-128 become 0; a result
    // beyond the largest six-byte value, an infinity or a NaN raises rtl::Exception.
    Real48(long double v) {
#if (defined(__i386__) || defined(__x86_64__)) && __LDBL_MANT_DIG__ == 64
        // The old-calendar series store thousands of values per day, so the common case rounds
        // the value's double d on its bits: rounding half up on bit 23 of the 64-bit mantissa
        // depends on that bit alone, and the 53-bit rounding only disagrees with it when it
        // carried into that bit, which the sign of v - d tells.
        const double d = (double)v;
#if defined(__x86_64__)
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        if ((bits & 0x1FFF) == 0x1000 && (d > 0 ? v < d : v > d)) bits -= 1;
        bits = (bits + 0x1000) & ~(std::uint64_t)0x1FFF;
        if (((unsigned)(bits >> 52) & 0x7FF) - kLowExp <= kHighExp - kLowExp) {
            std::memcpy(&v_, &bits, sizeof v_);
            return;
        }
#else
        // Without 64-bit registers the new bits would go back through two stores and one load,
        // which stalls; adding the change in units of d's last place is exact and does not.
        std::uint32_t w[2];
        std::memcpy(w, &d, sizeof w);
        const unsigned e = (w[1] >> 20) & 0x7FF;
        if (e - kLowExp < kHighExp - kLowExp) {  // stays in range even when rounding carries
            std::uint32_t lo = w[0];
            if ((lo & 0x1FFF) == 0x1000 && (d > 0 ? v < d : v > d)) lo -= 1;
            const std::int32_t units = (std::int32_t)(((lo + 0x1000) & ~0x1FFFu) - w[0]);
            const long double ulp = kUlp[e - kLowExp];
            v_ = (double)(d + units * ((w[1] >> 31) ? -ulp : ulp));
            return;
        }
#endif
#endif
        v_ = Round(v);
    }
    operator long double() const { return v_; }

    Real48& operator+=(long double x) { return *this = v_ + x; }
    Real48& operator-=(long double x) { return *this = v_ - x; }
    Real48& operator*=(long double x) { return *this = v_ * x; }
    Real48& operator/=(long double x) { return *this = v_ / x; }

    static const long double Max;  // (2 - 2^-39) * 2^126, about 1.7e38
    static const long double Min;  // 2^-128, the smallest non-zero magnitude, about 2.9e-39

private:
    // Biased double exponents of the six-byte range, 2^-128 .. 2^127.
    static constexpr unsigned kLowExp = 895, kHighExp = 1149;
    // The last place of a double of each of those exponents.
    static constexpr std::array<double, kHighExp - kLowExp + 1> kUlp = [] {
        std::array<double, kHighExp - kLowExp + 1> u{};
        double p = 1;
        for (unsigned k = 0; k < 1075 - kLowExp; ++k) p /= 2;  // 2^(895 - 1075)
        for (auto& x : u) x = p, p *= 2;
        return u;
    }();
    static double Round(long double v);
    double v_ = 0;  // a double holds every six-byte value exactly
};

}  // namespace rtl
