#include "calendar/moon.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "toolkit/rtl/SysUtils.h"

namespace moon {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kSynodicMonth = 29.530589L;

// Multipliers of D, M, M' and F with the coefficients of longitude and distance.
struct LrTerm {
    signed char d, m, mp, f;
    long l, r;
};
const LrTerm kLrTerms[60] = {
    {0, 0, 1, 0, 6288774, -20905355}, {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},   {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},     {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},     {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},     {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},   {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},     {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},          {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},     {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},      {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},       {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},       {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},       {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},       {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},          {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},        {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},        {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},      {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},           {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},           {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},         {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},       {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},            {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},         {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},        {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},           {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},             {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},            {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},         {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},             {2, 0, -1, -2, 0, 8752},
};

// Multipliers of D, M, M' and F with the coefficient of latitude.
struct BTerm {
    signed char d, m, mp, f;
    long b;
};
const BTerm kBTerms[60] = {
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602}, {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},  {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359}, {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828}, {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565}, {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344}, {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},   {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},   {2, -1, 1, -1, 491},   {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},    {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},    {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},    {2, 1, 1, -1, -229},  {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220}, {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},  {4, -1, -1, -1, 166},  {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119}, {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
};

const TMoonSizeRow kSizeRows[2] = {
    {"MOON_LARGE", 64, 64, 28, 31, 28},
    {"MOON_SMALL", 32, 32, 14, 15, 14},
};

// Julian centuries from 2000-01-01 12:00.
long double TimeArgument(rtl::TDateTime t) { return (DateTimeToJD(t) - 2451545.0L) * (1.0L / 36525.0L); }

// arcsin through the arctangent; atan2 keeps |x| = 1 (Sun and Moon exactly aligned) finite.
long double ArcSin(long double x) { return std::atan2(x, std::sqrt(1.0L - x * x)); }
long double ArcCos(long double x) { return kPi / 2 - ArcSin(x); }

// Whole number for pixel arithmetic; a meaningless value counts as 0.
int PixelRound(long double x) { return std::isfinite(x) ? (int)Rnd(x) : 0; }

// Longitudes of Sun and Moon and the Moon's elongation, shared by phase and age.
struct Pair {
    TPosition sun, moon;
};
Pair Positions(rtl::TDateTime t) {
    Pair p;
    SunPosition(p.sun, t);
    MoonPosition(p.moon, t);
    return p;
}

}  // namespace

long double Rnd(long double x) { return std::rint(x); }  // the default rounding mode: half to even

long double NormDeg(long double x) {
    // fmod is exact; subtracting a rounded multiple of 360 instead can leave a huge negative
    // remainder for far-off instants, and adding 360 to that never makes it positive.
    long double r = std::fmod(x, 360.0L);
    if (r < 0) r += 360.0L;
    return r;
}

long double SinDeg(long double x) { return std::sin(NormDeg(x) * kPi * (1.0L / 180.0L)); }
long double CosDeg(long double x) { return std::cos(NormDeg(x) * kPi * (1.0L / 180.0L)); }

long double DateTimeToJD(rtl::TDateTime t) {
    static const rtl::TDateTime kFirst = rtl::EncodeDate(1582, 10, 14);
    static const rtl::TDateTime kY2000 = rtl::EncodeDate(2000, 1, 1);
    if (t > kFirst) return 2451544.5L - kY2000 + t;
    return 0;
}

void SunPosition(TPosition& p, rtl::TDateTime t) {
    const long double T = TimeArgument(t), T2 = T * T, T3 = T2 * T;
    const long double L0 = 280.46645L + 36000.76983L * T + 0.0003032L * T2;
    const long double e = 0.016708617L - 0.000042037L * T - 1.236e-7L * T2;
    const long double M = 357.5291L + 35999.0503L * T - 0.0001559L * T2 - 4.8e-7L * T3;
    const long double C = (1.9146L - 0.004817L * T - 0.000014L * T2) * SinDeg(M) +
                          (0.019993L - 0.000101L * T) * SinDeg(2 * M) + 0.00029L * SinDeg(3 * M);
    const long double nu = M + C;
    p.Longitude = NormDeg(L0 + C);
    p.Latitude = 0;
    p.Distance = 1.000001018L * (1 - e * e) / (1 + e * CosDeg(nu)) * 149597869.0L;
}

void MoonPosition(TPosition& p, rtl::TDateTime t) {
    const long double T = TimeArgument(t), T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    const long double D = 297.8502042L + 445267.1115168L * T - 0.00163L * T2 + T3 / 545868.0L -
                          T4 / 113065000.0L;
    const long double M = 357.5291092L + 35999.0502909L * T - 0.0001536L * T2 + T3 / 24490000.0L;
    const long double Mp = 134.9634114L + 477198.8676313L * T + 0.008997L * T2 + T3 / 69699.0L -
                           T4 / 1471200.0L;
    const long double F = 93.2720993L + 483202.0175273L * T - 0.0034029L * T2 - T3 / 3526000.0L +
                          T4 / 863310000.0L;
    const long double Lp = 218.3164591L + 481267.88134236L * T - 0.0013268L * T2 + T3 / 538841.0L -
                           T4 / 65194000.0L;
    const long double E = 1 - 0.002516L * T - 7.4e-6L * T2;
    const long double A1 = 119.75L + 131.849L * T;
    const long double A2 = 53.09L + 479264.29L * T;
    const long double A3 = 313.45L + 481266.484L * T;

    long double sl = 0, sr = 0, sb = 0;
    for (const LrTerm& w : kLrTerms) {
        const long double a = D * w.d + M * w.m + Mp * w.mp + F * w.f;
        const long double e = (w.m != 0) ? E : 1.0L;  // once, for M multipliers of 1 and 2 alike
        sr += w.r * CosDeg(a) * e;
        sl += w.l * SinDeg(a) * e;
    }
    sl += 3958 * SinDeg(A1) + 1962 * SinDeg(Lp - F) + 318 * SinDeg(A2);
    for (const BTerm& w : kBTerms) {
        const long double a = D * w.d + M * w.m + Mp * w.mp + F * w.f;
        const long double e = (w.m != 0) ? E : 1.0L;
        sb += w.b * SinDeg(a) * e;
    }
    sb += -2235 * SinDeg(Lp) + 382 * SinDeg(A3) + 175 * SinDeg(A1 - F) + 175 * SinDeg(A1 + F) +
          127 * SinDeg(Lp - Mp) - 115 * SinDeg(Lp + Mp);

    p.Longitude = Lp + sl * 0.000001L;
    p.Latitude = sb * 0.000001L;
    p.Distance = 385000.56L + sr * 0.001L;
}

long double PhaseAngle(rtl::TDateTime t) {
    const Pair p = Positions(t);
    const long double elong = p.moon.Longitude - p.sun.Longitude;
    const long double psi = ArcCos(CosDeg(p.moon.Latitude) * CosDeg(elong));
    const long double R = p.sun.Distance;
    // sin psi >= 0, so atan2 lands in [0, pi]: the arctangent plus a half turn when negative,
    // and still 180 (not 0) when Sun and Moon stand exactly in line.
    const long double i = std::atan2(R * std::sin(psi), p.moon.Distance - R * std::cos(psi));
    const long double deg = i * (1.0L / kPi) * 180.0L;
    return NormDeg(elong) > 180 ? -deg : deg;
}

long double MoonAge(rtl::TDateTime t) {
    const Pair p = Positions(t);
    return NormDeg(p.moon.Longitude - p.sun.Longitude) * (1.0L / 360.0L) * kSynodicMonth;
}

long double MoonIllumination(rtl::TDateTime t) { return (1 + CosDeg(PhaseAngle(t))) * 0.5L; }

const TMoonSizeRow& MoonSizeRow(TMoonSize size) { return kSizeRows[size == ms32 ? 1 : 0]; }

long double MoonPicturePhase(rtl::TDateTime t) { return NormDeg(PhaseAngle(t)); }

std::vector<TShadowLine> MoonShadowLines(const TMoonSizeRow& row, long double phase) {
    if (!std::isfinite(phase)) phase = 0;  // a meaningless instant: leave the disc lit
    const long double c = CosDeg(phase);
    const int cx = row.CentreX, cy = row.CentreY, r = row.Radius;
    std::vector<TShadowLine> lines;
    lines.reserve(2 * (r + 1));
    for (int k = 0; k <= r; ++k) {
        const long double s = std::sqrt((long double)(r * r - k * k));
        int x1 = PixelRound(s), x2 = PixelRound(s * c);
        if (phase < 180) {  // waxing: dark on the left
            x1 = cx - x1 - 1;
            x2 = cx - x2;
        } else {  // waning: dark on the right
            x1 = cx + x1 + 1;
            x2 = cx + x2;
        }
        lines.push_back({cy + k, x2, x1});
        lines.push_back({cy - k, x2, x1});
    }
    return lines;
}

std::string JulianDateText(long double jd) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%12.5f", (double)jd);
    return buf;
}

std::string MoonAgeText(long double age) {
    if (!std::isfinite(age) || age < 0) age = 0;
    const long double whole = std::floor(age);
    const long long minutes = (long long)std::floor((age - whole) * 1440.0L);
    return rtl::IntToStr((long long)whole) + " days, " + rtl::IntToStr(minutes / 60) + " hours, " +
           rtl::IntToStr(minutes % 60) + " minutes.";
}

std::string MoonIlluminationText(long double lit) {
    const long long p = std::isfinite(lit) ? (long long)Rnd(lit * 100) : 0;
    return rtl::IntToStr(p) + "% (0%=New,100%=Full)";
}

}  // namespace moon
