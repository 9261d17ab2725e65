#include "calendar/Rokuyo.h"

#include <cmath>
#include <iterator>

using rtl::Real48;

namespace {

// The x87 at 64-bit precision and round-to-nearest for one call, put back as found on the way
// out. The Windows runtime may leave the x87 at 53 bits; the series were tuned at 64.
class FpuGuard {
public:
#if defined(__i386__) || defined(__x86_64__)
    FpuGuard() {
        __asm__ volatile("fnstcw %0" : "=m"(saved_));
        unsigned short cw = (unsigned short)((saved_ & ~0x0F00) | 0x0300);
        __asm__ volatile("fldcw %0" : : "m"(cw));
    }
    ~FpuGuard() { __asm__ volatile("fldcw %0" : : "m"(saved_)); }

private:
    unsigned short saved_ = 0;
#endif
};

// The processor's cosine: the libraries' cosl differ in the last bit between builds.
long double Cos(long double x) {
#if defined(__i386__) || defined(__x86_64__)
    long double r;
    __asm__("fcos" : "=t"(r) : "0"(x));
    return r;
#else
    return std::cos(x);
#endif
}

// Truncation towards zero. Under the guard (64-bit precision, nearest) adding 2^63 rounds to a
// whole number without the two control-word loads that a truncating frndint needs.
long double Int(long double x) {
#if defined(__i386__) || defined(__x86_64__)
    const long double big = 0x1p63L;
    if (x >= 0) {
        if (x >= big) return x;
        long double r = (x + big) - big;
        return r > x ? r - 1 : r;
    }
    if (x <= -big) return x;
    long double r = (x - big) + big;
    return r < x ? r + 1 : r;
#else
    return std::trunc(x);
#endif
}

const Real48 kPi = 3.14159265358979323846264338327950288L;

long double CosDeg(const Real48& deg) { return Cos(deg * kPi * (1.0L / 180)); }

inline __attribute__((always_inline)) Real48 Norm(const Real48& x) {
    if (x >= 0) return x - 360.0L * Int(x * (1.0L / 360));
    Real48 y = -x;
    y = y - 360.0L * Int(y * (1.0L / 360));
    return 360.0L - y;
}

// Julian centuries of day i, fraction f (UT, from midnight).
Real48 TimeArg(const Real48& i, const Real48& f) {
    return (f + 0.5L) * (1.0L / 36525) + (i - 2451545.0L) * (1.0L / 36525);
}

struct Term {
    long double Amplitude, Rate, Phase;
};

const Term kSunTerms[] = {
    {0.0004L, 31557.0L, 161.0L},  {0.0004L, 29930.0L, 48.0L},    {0.0005L, 2281.0L, 221.0L},
    {0.0005L, 155.0L, 118.0L},    {0.0006L, 33718.0L, 316.0L},   {0.0007L, 9038.0L, 64.0L},
    {0.0007L, 3035.0L, 110.0L},   {0.0007L, 65929.0L, 45.0L},    {0.0013L, 22519.0L, 352.0L},
    {0.0015L, 45038.0L, 254.0L},  {0.0018L, 445267.0L, 208.0L},  {0.0018L, 19.0L, 159.0L},
    {0.002L, 32964.0L, 158.0L},   {0.02L, 71998.1L, 265.1L},
};

// Summed from the last row up.
const Term kMoonTerms[] = {
    {6.2888L, 477198.868L, 44.963L}, {1.274L, 413335.35L, 10.74L},   {0.6583L, 890534.22L, 145.7L},
    {0.2136L, 954397.74L, 179.93L},  {0.1851L, 35999.05L, 87.53L},   {0.1144L, 966404.0L, 276.5L},
    {0.0588L, 63863.5L, 124.2L},     {0.0571L, 377336.3L, 13.2L},    {0.0533L, 1367733.1L, 280.7L},
    {0.0458L, 854535.2L, 148.2L},    {0.0409L, 441199.8L, 47.4L},    {0.0347L, 445267.1L, 27.9L},
    {0.0304L, 513197.9L, 222.5L},    {0.0154L, 75870.0L, 41.0L},     {0.0125L, 1443603.0L, 52.0L},
    {0.011L, 489205.0L, 142.0L},     {0.0107L, 1303870.0L, 246.0L},  {0.01L, 1431597.0L, 315.0L},
    {0.0085L, 826671.0L, 111.0L},    {0.0079L, 449334.0L, 188.0L},   {0.0068L, 926533.0L, 323.0L},
    {0.0052L, 31932.0L, 107.0L},     {0.005L, 481266.0L, 205.0L},    {0.004L, 1331734.0L, 283.0L},
    {0.004L, 1844932.0L, 56.0L},     {0.004L, 133.0L, 29.0L},        {0.0038L, 1781068.0L, 21.0L},
    {0.0037L, 541062.0L, 259.0L},    {0.0028L, 1934.0L, 145.0L},     {0.0027L, 918399.0L, 182.0L},
    {0.0026L, 1379739.0L, 17.0L},    {0.0024L, 99863.0L, 122.0L},    {0.0023L, 922466.0L, 163.0L},
    {0.0022L, 818536.0L, 151.0L},    {0.0021L, 990397.0L, 357.0L},   {0.0021L, 71998.0L, 85.0L},
    {0.0021L, 341337.0L, 16.0L},     {0.0018L, 401329.0L, 274.0L},   {0.0016L, 1856938.0L, 152.0L},
    {0.0012L, 1267871.0L, 249.0L},   {0.0011L, 1920802.0L, 186.0L},  {0.0009L, 858602.0L, 129.0L},
    {0.0008L, 1403732.0L, 98.0L},    {0.0007L, 790672.0L, 114.0L},   {0.0007L, 405201.0L, 50.0L},
    {0.0007L, 485333.0L, 186.0L},    {0.0007L, 27864.0L, 127.0L},    {0.0006L, 111869.0L, 38.0L},
    {0.0006L, 2258267.0L, 156.0L},   {0.0005L, 1908795.0L, 90.0L},   {0.0005L, 1745069.0L, 24.0L},
    {0.0005L, 509131.0L, 242.0L},    {0.0004L, 39871.0L, 223.0L},    {0.0004L, 12006.0L, 187.0L},
    {0.0003L, 958465.0L, 340.0L},    {0.0003L, 381404.0L, 354.0L},   {0.0003L, 349472.0L, 337.0L},
    {0.0003L, 1808933.0L, 58.0L},    {0.0003L, 549197.0L, 220.0L},   {0.0003L, 4067.0L, 70.0L},
    {0.0003L, 2322131.0L, 191.0L},
};

// amplitude * cos(NormDeg360(rate * t + phase)) of every row. The rows do not depend on one
// another: working out all the angles first lets the processor overlap the cosines.
template <size_t N>
void Waves(const Term (&rows)[N], const Real48& t, long double (&w)[N]) {
    Real48 a[N];
    for (size_t r = 0; r < N; ++r) a[r] = Norm(rows[r].Rate * t + rows[r].Phase);
    for (size_t r = 0; r < N; ++r) w[r] = rows[r].Amplitude * CosDeg(a[r]);
}

Real48 Sun(const Real48& t) {
    long double w[std::size(kSunTerms)];
    Waves(kSunTerms, t, w);
    Real48 s = 0;
    for (long double x : w) s = s + x;
    const Real48 a = Norm(35999.05L * t + 267.52L);
    const long double c = CosDeg(a);
    s = s - c * (0.0048L * t);
    s = s + 1.9147L * c;
    Real48 l = Norm(Norm(36000.7695L * t) + 280.4659L);
    return Norm(l + s);
}

Real48 Moon(const Real48& t) {
    long double w[std::size(kMoonTerms)];
    Waves(kMoonTerms, t, w);
    Real48 s = 0;
    for (size_t r = std::size(w); r-- > 0;) s = s + w[r];
    Real48 l = Norm(Norm(481267.8809L * t) + 218.3162L);
    return Norm(l + s);
}

const long double kSecond = 1.0L / 86400;

// One correction step of the searches: d degrees of a cycle of daysPerTurn days, back from (i, f).
void StepBack(const Real48& d, long double daysPerTurn, Real48& i, Real48& f, Real48& d1, Real48& d2) {
    d1 = Int(d * daysPerTurn * (1.0L / 360));
    d2 = d * daysPerTurn * (1.0L / 360) - d1;
    i = i - d1;
    f = f - d2;
    if (f < 0) {
        f = f + 1.0L;
        i = i - 1.0L;
    }
}

Real48 NewMoon(const Real48& tm) {
    Real48 i = Int(tm);
    Real48 f = tm - i - 0.375L;
    int n = 1;
    Real48 d1 = 0, d2 = 1;
    while (std::fabs(d1 + d2) > kSecond) {
        Real48 t = TimeArg(i, f);
        Real48 ls = Sun(t);
        Real48 lm = Moon(t);
        Real48 d = lm - ls;
        if (n == 1 && d < 0)
            d = Norm(d);
        else if (ls >= 0 && ls <= 20.0L && lm >= 300.0L)
            d = 360.0L - Norm(d);
        else if (std::fabs(d) > 40.0L)
            d = Norm(d);
        StepBack(d, 29.530589L, i, f, d1, d2);
        if (n == 15 && std::fabs(d1 + d2) > kSecond) {
            i = Int(tm - 26.0L);
            f = 0;
        } else if (n > 30 && std::fabs(d1 + d2) > kSecond) {
            i = tm;
            f = 0;
            break;
        }
        ++n;
    }
    return i + (f + 0.375L);
}

SolarTerm TermBefore(const Real48& tm, int step) {
    Real48 i = Int(tm);
    Real48 f = tm - i - 0.375L;
    Real48 t = TimeArg(i, f);
    Real48 l0 = step * Int(Sun(t) * (1.0L / step));
    Real48 d1 = 0, d2 = 1;
    while (std::fabs(d1 + d2) > kSecond) {
        t = TimeArg(i, f);
        Real48 d = Sun(t) - l0;
        if (d > 180.0L)
            d = d - 360.0L;
        else if (d < -180.0L)
            d = d + 360.0L;
        StepBack(d, 365.2L, i, f, d1, d2);
    }
    return {i + (f + 0.375L), l0};
}

Real48 Wrap12(const Real48& m) { return m > 12.0L ? Real48(m - 12.0L) : m; }

// Each entry point runs under its own guard.
template <class F, class... Args>
auto Guarded(F f, const Args&... args) {
    FpuGuard g;
    return f(args...);
}

}  // namespace

Real48 NormDeg360(const Real48& x) { return Guarded(Norm, x); }
Real48 SolarLongitudeSeries(const Real48& t) { return Guarded(Sun, t); }
Real48 MoonLongitude(const Real48& t) { return Guarded(Moon, t); }
Real48 NewMoonBefore(const Real48& tm) { return Guarded(NewMoon, tm); }
SolarTerm SolarTermBefore(const Real48& tm, int Step) { return Guarded(TermBefore, tm, Step); }

std::string Rokuyo(double tm) {
    // The day view, the list and the birthday register ask for neighbouring days in turn.
    thread_local RokuyoWalk walk;
    return walk.Name(tm);
}

void RokuyoWalk::WorkOutMonths(const SolarTerm& term0) {
    // Principal terms: the last solstice or equinox, then the next three principal terms.
    SolarTerm term[4];
    term[0] = term0;
    for (int k = 1; k < 4; ++k) term[k] = TermBefore(term[k - 1].Moment + 32.0L, 30);

    // Five new moons from the one before the solstice or equinox; a search that lands on the
    // same new moon again is repeated from further on.
    Real48 s[5];
    s[0] = NewMoon(term[0].Moment);
    for (int k = 1; k < 5; ++k) {
        s[k] = NewMoon(s[k - 1] + 30.0L);
        if (std::fabs(Int(s[k - 1]) - Int(s[k])) <= 26.0L) s[k] = NewMoon(s[k - 1] + 35.0L);
    }

    const long double p0 = Int(term[0].Moment);
    if (Int(s[1]) <= p0) {
        for (int k = 0; k < 4; ++k) s[k] = s[k + 1];
        s[4] = NewMoon(s[3] + 35.0L);
    } else if (Int(s[0]) > p0) {
        for (int k = 4; k >= 1; --k) s[k] = s[k - 1];
        s[0] = NewMoon(s[0] - 27.0L);
    }

    // Five new moons within four principal terms: one of the months is a leap month.
    int lap = Int(s[4]) <= Int(term[3].Moment) ? 1 : 0;

    Row* m = rows_;
    m[0] = {Wrap12(Int(term[0].Longitude * (1.0L / 30)) + 2.0L), 0, Int(s[0])};
    for (int r = 1; r < 5; ++r) {
        if (lap == 1 && r != 1) {
            long double p = Int(term[r - 1].Moment);
            if (p <= Int(s[r - 1]) || p >= Int(s[r])) {
                m[r - 1] = {m[r - 2].Month, 1, Int(s[r - 1])};
                lap = 0;
            }
        }
        m[r] = {Wrap12(m[r - 1].Month + 1.0L), 0, Int(s[r])};
    }
}

std::string RokuyoWalk::Name(double tmValue) {
    // 0001-01-01 .. 9999-12-31: far outside it the term search no longer settles.
    const double first = 1721425, afterLast = 5373484;
    if (!(tmValue >= first && tmValue < afterLast)) return "";
    FpuGuard g;
    const Real48 tm = tmValue;

    // Everything but the day within the month follows from the last solstice or equinox, the
    // same for every day until the next one: the months are worked out again only then.
    const SolarTerm term0 = TermBefore(tm, 90);
    if (!known_ || term0.Moment != term0_.Moment || term0.Longitude != term0_.Longitude) {
        WorkOutMonths(term0);
        term0_ = term0;
        known_ = true;
    }

    const Row* m = rows_;
    const Real48 n = Int(tm);
    int row = 4;
    for (int r = 0; r < 5; ++r) {
        if (m[r].First > n) {
            row = r - 1;
            break;
        }
        if (m[r].First == n) {
            row = r;
            break;
        }
    }
    // s[0] is at or before the day, so row 0 is never passed; kept safe all the same.
    if (row < 0) row = 0;

    Real48 d = n - m[row].First + 1.0L;
    Real48 v = m[row].Month + d - 2.0L;
    v = v - 6.0L * Int(v * (1.0L / 6));
    static const char* const kNames[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    for (int k = 0; k < 6; ++k)
        if (v == k) return kNames[k];
    return "？？";
}

double RokuyoDayCount(int Year, int Month, int Day) {
    FpuGuard g;
    Real48 y = Year, m = Month;
    if (Month < 3) {
        y = Year - 1;
        m = Month + 12;
    }
    Real48 tm = Int(365.25L * y) + Int(y / 400.0L) - Int(y / 100.0L) + Int(30.59L * (m - 2.0L)) + 1721088.0L + Day;
    return tm;
}
