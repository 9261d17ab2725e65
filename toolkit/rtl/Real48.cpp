#include "toolkit/rtl/Real48.h"

#include <cmath>

#include "toolkit/rtl/SysUtils.h"

namespace rtl {

const long double Real48::Max = std::ldexp((long double)((1LL << 40) - 1), 126 - 39);
const long double Real48::Min = std::ldexp(1.0L, -128);

double Real48::Round(long double v) {
    if (std::isnan(v)) throw Exception("6バイト実数に数値でない値は格納できません。");
    if (std::isinf(v)) throw Exception("6バイト実数の範囲を超えました。");
    if (v == 0) return 0;
    int e;
    long double m = std::frexp(v, &e);             // v = m * 2^e, 0.5 <= |m| < 1
    long double q = std::round(std::ldexp(m, 40));  // 40 significant bits, hidden bit included
    if (std::fabs(q) == 1099511627776.0L) { q /= 2; ++e; }  // rounded up to the next power of two
    // Normalised as 1.f * 2^(E - 129) with E in 1..255, i.e. e in -127..127 here.
    if (e > 127) throw Exception("6バイト実数の範囲を超えました。");
    if (e < -127) return 0;  // no denormals: too small is zero
    return (double)std::ldexp(q, e - 40);
}

}  // namespace rtl
