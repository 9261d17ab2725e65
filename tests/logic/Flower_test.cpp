#include <gtest/gtest.h>

#include "schedule/Flower.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// Every byte pair a double-byte character, or printable ASCII; no half-width katakana.
bool PlainShiftJis(const std::string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = s[i];
        if (rtl::IsSjisLead(c)) {
            if (i + 1 >= s.size()) return false;
            unsigned char t = s[++i];
            if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
        } else if (c < 0x20 || c > 0x7E) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(FlowerOfDay, TheRowsEveryCopyMustKeep) {
    struct Row {
        int key;
        const char *name, *words;
    } rows[] = {
        {101, "フクジュソウ", "幸運を招く"},          {214, "フリージア(黄)", "無邪気"},
        {229, "ハナムギ", "清らかな愛情"},            {303, "モモ(ピンク)", "気だてのよさ"},
        {321, "テンモンドウ", "さわやかな心"},        {505, "カラー(黄)", "壮大な美"},
        {707, "クチナシ", "清浄"},                    {811, "ゼラニウム(ピンク)", "決心"},
        {828, "ゼラニウム(ピンク)", "堅実"},          {1103, "キク(黄)", "やぶれた恋"},
        {1225, "ポインセチア(赤)", "私の心は燃えている"}, {1231, "センリョウ", "可憐"},
    };
    for (const Row& r : rows) {
        std::string name, words;
        EXPECT_TRUE(flower::OfDay(r.key, name));
        EXPECT_TRUE(flower::Words(r.key, words));
        EXPECT_EQ(name, r.name) << r.key;
        EXPECT_EQ(words, r.words) << r.key;
    }
}

TEST(FlowerOfDay, KeysThatAreNoDateLeaveTheTextAsItWas) {
    for (int key : {-101, 0, 100, 132, 199, 230, 231, 431, 631, 931, 1131, 1200, 1232, 1301, 9999, 100000}) {
        std::string name = "前の花", words = "前の言葉";
        EXPECT_FALSE(flower::OfDay(key, name)) << key;
        EXPECT_FALSE(flower::Words(key, words)) << key;
        EXPECT_EQ(name, "前の花") << key;
        EXPECT_EQ(words, "前の言葉") << key;
    }
}

TEST(FlowerOfDay, EveryDayOfALeapYearHasShortShiftJisTexts) {
    int days = 0;
    for (rtl::TDateTime t = rtl::EncodeDate(2000, 1, 1); t < rtl::EncodeDate(2001, 1, 1); t += 1) {
        int y, m, d;
        rtl::DecodeDate(t, y, m, d);
        int key = m * 100 + d;
        std::string name, words;
        ASSERT_TRUE(flower::OfDay(key, name)) << key;
        ASSERT_TRUE(flower::Words(key, words)) << key;
        EXPECT_FALSE(name.empty()) << key;
        EXPECT_FALSE(words.empty()) << key;
        EXPECT_LE((int)name.size(), flower::kNameBytes) << key;
        EXPECT_LE((int)words.size(), flower::kWordsBytes) << key;
        EXPECT_TRUE(PlainShiftJis(name)) << key;
        EXPECT_TRUE(PlainShiftJis(words)) << key;
        ++days;
    }
    EXPECT_EQ(days, 366);
}
