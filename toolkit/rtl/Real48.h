// The six-byte real: 1 sign bit, 8-bit exponent, 39 stored mantissa bits behind a hidden one.
// A value is rounded to that precision whenever it is stored; arithmetic between stores runs in
// long double (the x87 extended format), so `Real48 x = a * b + c;` rounds once, at the store.
#pragma once

namespace rtl {

class Real48 {
public:
    Real48() = default;
    // Rounds to nearest (halves away from zero). Magnitudes below 2^-128 become 0; a result
    // beyond the largest six-byte value, an infinity or a NaN raises rtl::Exception.
    Real48(long double v);
    operator long double() const { return v_; }

    Real48& operator+=(long double x) { return *this = v_ + x; }
    Real48& operator-=(long double x) { return *this = v_ - x; }
    Real48& operator*=(long double x) { return *this = v_ * x; }
    Real48& operator/=(long double x) { return *this = v_ / x; }

    static const long double Max;  // (2 - 2^-39) * 2^126, about 1.7e38
    static const long double Min;  // 2^-128, the smallest non-zero magnitude, about 2.9e-39

private:
    double v_ = 0;  // a double holds every six-byte value exactly
};

}  // namespace rtl
