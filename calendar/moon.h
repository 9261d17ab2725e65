// Moon and Sun positions, the Moon's age and lit fraction, and the shading of the moon picture.
// Window-free: the picture control loads its bitmap and draws the lines computed here.
// Instants are date-time values in Universal Time; the caller converts from local time.
#pragma once
#include <string>
#include <vector>

#include "toolkit/rtl/DateTime.h"

namespace moon {

// Ecliptic longitude and latitude in degrees, distance in kilometres.
struct TPosition {
    long double Longitude = 0;
    long double Latitude = 0;  // the Moon only
    long double Distance = 0;
};

// Angle helpers: Rnd rounds half to even; NormDeg reduces to [0, 360).
long double Rnd(long double x);
long double NormDeg(long double x);
long double SinDeg(long double x);
long double CosDeg(long double x);

// Julian Date of an instant; 0 for instants up to 1582-10-14 00:00.
long double DateTimeToJD(rtl::TDateTime t);
void SunPosition(TPosition& p, rtl::TDateTime t);   // true longitude and distance
void MoonPosition(TPosition& p, rtl::TDateTime t);  // longitude (not reduced), latitude, distance
// Phase angle in degrees: 180 at new moon, 0 at full, negative while the Moon wanes.
long double PhaseAngle(rtl::TDateTime t);
long double MoonAge(rtl::TDateTime t);           // days since new moon, 0 up to 29.530589
long double MoonIllumination(rtl::TDateTime t);  // lit fraction of the disc, 0..1

// The picture.
enum TMoonSize { ms64, ms32 };
struct TMoonSizeRow {
    const char* Resource;  // bitmap resource of the executable
    int Height, Width;
    int CentreY, CentreX, Radius;  // the disc inside the bitmap
};
const TMoonSizeRow& MoonSizeRow(TMoonSize size);

// The phase the picture is drawn for: below 180 while waxing, above while waning.
long double MoonPicturePhase(rtl::TDateTime t);

// One canvas line of the shadow: MoveTo(XFrom, Y), LineTo(XTo, Y); XTo itself is not painted.
struct TShadowLine {
    int Y, XFrom, XTo;
};
// The lines in drawing order (below then above the centre line, for each distance from it).
std::vector<TShadowLine> MoonShadowLines(const TMoonSizeRow& row, long double phase);

// Texts of the clock page's moon panel.
std::string JulianDateText(long double jd);         // 5 decimals, field of 12
std::string MoonAgeText(long double age);           // "d days, h hours, m minutes."
std::string MoonIlluminationText(long double lit);  // "p% (0%=New,100%=Full)"

}  // namespace moon
