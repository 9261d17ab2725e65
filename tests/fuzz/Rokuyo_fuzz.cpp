// The rokuyo of any day count (a double, NaN and infinities included): an answer at once, empty
// exactly outside 0001-01-01 .. 9999-12-31, and a walk over neighbouring days names each as a
// fresh working does.
#include <cmath>

#include "calendar/Rokuyo.h"
#include "tests/fuzz/Fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    const double tm = in.Take<double>();
    const int step = in.IntIn(-40, 40);

    const std::string name = Rokuyo(tm);
    const bool inside = tm >= RokuyoDayCount(1, 1, 1) && tm < RokuyoDayCount(9999, 12, 31) + 1;
    FUZZ_CHECK(name.empty() == !inside);
    if (!inside) return 0;
    static const char* const kNames[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口", "？？"};
    bool known = false;
    for (const char* n : kNames) known = known || name == n;
    FUZZ_CHECK(known);

    RokuyoWalk walk;
    (void)walk.Name(tm);
    const double next = std::floor(tm) + step;
    FUZZ_CHECK(walk.Name(next) == RokuyoWalk().Name(next));
    return 0;
}
