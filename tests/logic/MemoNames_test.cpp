// Memo names, the number of a new memo, and titles with the read-only mark.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "notes/MemoNames.h"

TEST(MemoNames, NewNumberSkipsEveryTakenName) {
    struct Case {
        int count;
        std::set<int> taken;
        int expected;
    } cases[] = {
        {0, {}, 1},              // the first memo ever
        {1, {}, 2},              // after Memo1, even when Memo1 was deleted
        {0, {1}, 2},             // a reset counter with Memo1 still there
        {0, {1, 2, 3, 5}, 4},    // the first free name after the counter
        {3, {1, 2}, 4},          // free names below the counter are never handed out again
        {-7, {}, 1},             // a damaged counter
        {INT_MAX - 1, {INT_MAX}, 0},  // nothing left
    };
    for (const Case& c : cases)
        EXPECT_EQ(memo::NextMemoNumber(c.count, [&](int n) { return c.taken.count(n) > 0; }), c.expected) << c.count;
}

TEST(MemoNames, NamesAndTheirNumbers) {
    EXPECT_EQ(memo::MemoName(7), "Memo7");
    struct Case {
        const char* name;
        int number;
    } cases[] = {{"Memo7", 7}, {"memo12", 12}, {"MEMO1", 1}, {"Memo", 0}, {"Memo1a", 0}, {"Note3", 0},
                 {"Memo99999999999", 0}, {"Memo-1", 0}};
    for (const Case& c : cases) EXPECT_EQ(memo::MemoNumber(c.name), c.number) << c.name;
}

TEST(MemoNames, TitleWithoutTheReadOnlyMark) {
    struct Case {
        const char* caption;
        const char* title;
    } cases[] = {{"買い物 (RO)", "買い物"}, {"買い物", "買い物"}, {"表 (RO)", "表"}, {"A (RO) B", "A (RO) B"},
                 {" (RO)", ""}, {"(RO)", "(RO)"}, {"", ""}};
    for (const Case& c : cases) EXPECT_EQ(memo::TitleOf(c.caption), c.title) << c.caption;
    EXPECT_EQ(memo::CaptionOf("ソフト", true), "ソフト (RO)");
    EXPECT_EQ(memo::CaptionOf("ソフト", false), "ソフト");
    EXPECT_EQ(memo::TitleOf(memo::CaptionOf("表 (RO)", true)), "表 (RO)");
}

TEST(MemoNames, PicturesByExtension) {
    EXPECT_TRUE(memo::IsPictureFile("C:\\a\\b.bmp"));
    EXPECT_TRUE(memo::IsPictureFile("C:\\表\\写真.JPG"));
    EXPECT_FALSE(memo::IsPictureFile("C:\\a\\b.jpeg"));
    EXPECT_FALSE(memo::IsPictureFile("C:\\a.bmp\\note.txt"));
    EXPECT_FALSE(memo::IsPictureFile("C:\\a\\BMP"));
}
