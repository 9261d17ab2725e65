#include "schedule/BornFacts.h"

#include <iterator>

#include "toolkit/rtl/SysUtils.h"

namespace born {
namespace {

struct SignRange {
    int from, to;
    Sign sign;
};

// Tested in order; a key in no range is the last row's sign.
const SignRange kTwelve[] = {
    {120, 218, {"水瓶座", "1/20～2/18", "midugame"}},
    {219, 320, {"魚座", "2/19～3/20", "uo"}},
    {321, 419, {"牡羊座", "3/21～4/19", "ohituji"}},
    {420, 520, {"牡牛座", "4/20～5/20", "ousi"}},
    {521, 621, {"双子座", "5/21～6/21", "hutago"}},
    {622, 722, {"蟹座", "6/22～7/22", "kani"}},
    {723, 822, {"獅子座", "7/23～8/22", "sisi"}},
    {823, 922, {"乙女座", "8/23～9/22", "otome"}},
    {923, 1023, {"天秤座", "9/23～10/23", "tenbin"}},
    {1024, 1122, {"蠍座", "10/24～11/22", "sasori"}},
    {1123, 1221, {"射手座", "11/23～12/21", "ite"}},
    {0, -1, {"山羊座", "12/22～1/19", "yagi"}},
};

const SignRange kThirteen[] = {
    {119, 215, {"新山羊座", "1/19～2/15", "yagi"}},
    {216, 311, {"新水瓶座", "2/16～3/11", "midugame"}},
    {312, 418, {"新魚座", "3/12～4/18", "uo"}},
    {419, 513, {"新牡羊座", "4/19～5/13", "ohituji"}},
    {514, 620, {"新牡牛座", "5/14～6/20", "ousi"}},
    {621, 719, {"新双子座", "6/21～7/19", "hutago"}},
    {720, 819, {"新蟹座", "7/20～8/19", "kani"}},
    {820, 915, {"新獅子座", "8/20～9/15", "sisi"}},
    {916, 1030, {"新乙女座", "9/16～10/30", "otome"}},
    {1031, 1122, {"新天秤座", "10/31～11/22", "tenbin"}},
    {1123, 1129, {"新蠍座", "11/23～11/29", "sasori"}},
    {1130, 1217, {"蛇遣い座", "11/30～12/17", "hebitukai"}},
    {0, -1, {"新射手座", "12/18～1/18", "ite"}},
};

// By year mod 12: 1924 (mod 12 = 4) was a year of the rat.
const Animal kAnimals[12] = {
    {"申", "saru"}, {"酉", "tori"}, {"戌", "inu"}, {"亥", "i"},     {"子", "ne"},   {"丑", "usi"},
    {"寅", "tora"}, {"卯", "u"},    {"辰", "tatu"}, {"巳", "mi"}, {"午", "uma"}, {"未", "hituji"},
};

const Month kMonths[12] = {
    {"(睦月)", "ガーネット", "one", "１月の誕生花 シンビジューム／スイセン"},
    {"(如月)", "アメジスト", "two", "２月の誕生花 マーガレット／フリージア"},
    {"(弥生)", "アクアマリン", "three", "３月の誕生花 スイートピー／チューリップ"},
    {"(卯月)", "ダイヤモンド", "four", "４月の誕生花 カスミソウ／ミヤコワスレ"},
    {"(皐月)", "エメラルド", "five", "５月の誕生花 カーネーション／スズラン"},
    {"(水無月)", "ムーンストーン", "six", "６月の誕生花 バラ／グラジオラス"},
    {"(文月)", "ルビー", "seven", "７月の誕生花 ユリ／リシアンサス"},
    {"(葉月)", "ペリドット", "eight", "８の誕生花 アンスリウム／ヒマワリ"},
    {"(長月)", "サファイア", "nine", "９月の誕生花 クジャクソウ／リンドウ"},
    {"(神無月)", "ピンクトルマリン", "ten", "１０月の誕生花 ガーベラ／コスモス"},
    {"(霜月)", "シトリン", "eleven", "１１月の誕生花 ブバリア／キク"},
    {"(師走)", "トルコ石", "twelve", "１２月の誕生花 ストレリチア／カトレア"},
};

struct AgeText {
    int age;
    const char* text;
};
const AgeText kAgeNames[] = {{15, "(志学)"}, {20, "(弱冠)"}, {30, "(而立)"},
                             {40, "(不惑)"}, {50, "(知命)"}, {60, "(耳順)"}};
// Keyed to the completed age one below the counted age of the celebration.
const AgeText kCelebrations[] = {{60, "(還暦)"}, {69, "(古希)"}, {76, "(喜寿)"}, {79, "(傘樹)"},
                                 {87, "(米寿)"}, {89, "(卆寿)"}, {98, "(白寿)"}, {99, "(上寿)"}};

template <size_t N>
const char* Find(const AgeText (&table)[N], int age) {
    for (const AgeText& a : table)
        if (a.age == age) return a.text;
    return "";
}

// The day of this birthday in year y: 29 February becomes 1 March where the year lacks it.
rtl::TDateTime BirthdayIn(int y, int m, int d) {
    rtl::TDateTime t;
    if (rtl::TryEncodeDate(y, m, d, t)) return t;
    return rtl::EncodeDate(y, 3, 1);
}

// Today's month and day are on or past m/d.
bool ReachedThisYear(int m, int d, rtl::TDateTime today) {
    int ty, tm, td;
    rtl::DecodeDate(today, ty, tm, td);
    return tm > m || (tm == m && td >= d);
}

}  // namespace

const Sign& WesternSign(int key, bool thirteen) {
    const SignRange* table = thirteen ? kThirteen : kTwelve;
    int n = thirteen ? std::size(kThirteen) : std::size(kTwelve);
    for (int i = 0; i < n - 1; ++i)
        if (key >= table[i].from && key <= table[i].to) return table[i].sign;
    return table[n - 1].sign;
}

const Animal& ChineseZodiac(int year) { return kAnimals[(year % 12 + 12) % 12]; }

const Month& MonthFacts(int month) { return kMonths[month >= 1 && month <= 12 ? month - 1 : 11]; }

const char* AgeName(int age) { return Find(kAgeNames, age); }
const char* AgeCelebration(int age) { return Find(kCelebrations, age); }

int AgeOn(int y, int m, int d, rtl::TDateTime today) {
    int ty, tm, td;
    rtl::DecodeDate(today, ty, tm, td);
    return ty - y - (ReachedThisYear(m, d, today) ? 0 : 1);
}

int YearFromAge(int age, int m, int d, rtl::TDateTime today) {
    int ty, tm, td;
    rtl::DecodeDate(today, ty, tm, td);
    return ty - age - (ReachedThisYear(m, d, today) ? 0 : 1);
}

std::optional<int> DaysToBirthday(int m, int d, rtl::TDateTime today) {
    int ty, tm, td;
    rtl::DecodeDate(today, ty, tm, td);
    today = rtl::DateOf(today);
    rtl::TDateTime next = BirthdayIn(ty, m, d);
    if (next < today) {
        if (ty >= 9999) return std::nullopt;  // no date holds the next one
        next = BirthdayIn(ty + 1, m, d);
    }
    return int(next - today);
}

std::string ListLine(int y, int m, int d, rtl::TDateTime today) {
    std::string line = rtl::ZeroPad(m, 2) + "月" + rtl::ZeroPad(d, 2) + "日【" + rtl::IntToStr(y) + "年】";
    if (auto days = DaysToBirthday(m, d, today)) line += "あと " + rtl::IntToStr(*days) + "日";
    return line;
}

}  // namespace born
