#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "toolkit/rtl/Real48.h"
#include "toolkit/rtl/SysUtils.h"

using rtl::Real48;

TEST(Real48Test, RoundsToFortyBitsOnEveryStore) {
    const long double ulp = std::ldexp(1.0L, -39);  // of values in [1, 2)
    EXPECT_EQ((long double)Real48(1 + ulp), 1 + ulp);
    EXPECT_EQ((long double)Real48(1 + ulp / 4), 1.0L);
    EXPECT_EQ((long double)Real48(1 + ulp * 3 / 4), 1 + ulp);
    EXPECT_EQ((long double)Real48(1 + ulp / 2), 1 + ulp);  // halves away from zero
    EXPECT_EQ((long double)Real48(-1 - ulp / 2), -1 - ulp);
    EXPECT_EQ((long double)Real48(2 - ulp / 4), 2.0L);     // carries into the exponent
    // The six-byte pi the old-calendar series are tuned to.
    long double pi = Real48(3.14159265358979323846264338327950288L);
    EXPECT_NEAR((double)pi, 3.1415926535883, 1e-13);
    EXPECT_NE(pi, 3.14159265358979323846264338327950288L);

    Real48 x = 0.1L;
    long double kept = x;
    x = x * 3;  // computed in extended, rounded once more when stored
    EXPECT_EQ((long double)x, (long double)Real48(kept * 3));
    x += 1;
    x *= 2;
    EXPECT_NEAR((double)x, 2.6, 1e-11);
    EXPECT_EQ((long double)Real48(), 0.0L);
}

TEST(Real48Test, ArithmeticRunsInExtendedPrecision) {
    // The x87 precision control must be at 64 bits: Windows starts threads at 53.
    volatile long double one = 1, tiny = std::ldexp(1.0L, -60);
    EXPECT_NE(one + tiny, one);
    EXPECT_EQ(std::numeric_limits<long double>::digits, 64);
}

TEST(Real48Test, RangeLimits) {
    EXPECT_EQ((long double)Real48(Real48::Max), Real48::Max);
    EXPECT_EQ((long double)Real48(-Real48::Max), -Real48::Max);
    EXPECT_EQ((long double)Real48(Real48::Min), Real48::Min);
    EXPECT_EQ((long double)Real48(-Real48::Min), -Real48::Min);
    EXPECT_NEAR((double)Real48::Max, 1.7e38, 0.01e38);
    EXPECT_NEAR((double)Real48::Min, 2.9e-39, 0.1e-39);
    // Too small becomes zero; there are no denormals.
    EXPECT_EQ((long double)Real48(Real48::Min / 2), 0.0L);
    EXPECT_EQ((long double)Real48(-Real48::Min / 3), 0.0L);
    EXPECT_EQ((long double)Real48(std::numeric_limits<long double>::denorm_min()), 0.0L);
    // Rounding up to the smallest value still counts.
    EXPECT_EQ((long double)Real48(Real48::Min * (1 - std::ldexp(1.0L, -45))), Real48::Min);
    // Overflow, also by rounding past the largest value, and non-numbers are refused.
    EXPECT_THROW(Real48(Real48::Max * 2), rtl::Exception);
    EXPECT_THROW(Real48(-Real48::Max * 2), rtl::Exception);
    EXPECT_THROW(Real48(Real48::Max * (1 + std::ldexp(1.0L, -41))), rtl::Exception);
    // (void): without it clang reads "Real48(x);" as a declaration of x.
    EXPECT_THROW((void)Real48(std::numeric_limits<long double>::infinity()), rtl::Exception);
    EXPECT_THROW((void)Real48(std::numeric_limits<long double>::quiet_NaN()), rtl::Exception);
    Real48 big = 1e38L;
    EXPECT_THROW(big *= 10, rtl::Exception);
    EXPECT_EQ((long double)big, (long double)Real48(1e38L));  // unchanged after the refusal
}
