// What the birthday register shows for a birth date: signs, animal, month facts, age names, and
// the lines of its register list. Window-free; "today" is handed in.
#pragma once
#include <optional>
#include <string>

#include "toolkit/rtl/DateTime.h"

namespace born {

// The key of a month and day: month * 100 + day (1225 = 25 December).
constexpr int Key(int month, int day) { return month * 100 + day; }

// A picture is named by its bitmap resource (matched ignoring case).
struct Sign {
    const char* name;
    const char* hint;  // its date range
    const char* bitmap;
};
// The western sign of a key: the twelve-sign table, or with thirteen the table with the serpent
// bearer.
const Sign& WesternSign(int key, bool thirteen);

struct Animal {
    const char* name;
    const char* bitmap;
};
const Animal& ChineseZodiac(int year);

struct Month {
    const char* oldName;  // "(睦月)"
    const char* stone;
    const char* bitmap;   // "one" .. "twelve"
    const char* flowers;  // the month's birth flowers, shown as a hint
};
// month 1..12 (others are taken as 12).
const Month& MonthFacts(int month);

// Traditional names of an age in completed years; empty for the ages without one.
const char* AgeName(int age);
const char* AgeCelebration(int age);

// Completed years on day today of someone born y/m/d.
int AgeOn(int y, int m, int d, rtl::TDateTime today);
// The birth year of someone of age who was born on m/d, seen on day today.
int YearFromAge(int age, int m, int d, rtl::TDateTime today);

// Days from today to the next birthday of m/d (0 on the day). 29 February counts to 29 February,
// or to 1 March in a year without it. None when the next one would fall after 9999-12-31.
std::optional<int> DaysToBirthday(int m, int d, rtl::TDateTime today);
// The register line of a birth date: "01月15日【1971年】あと 30日", without the count when there is
// none. Sorting the lines as text orders them by month, day and year.
std::string ListLine(int y, int m, int d, rtl::TDateTime today);

}  // namespace born
