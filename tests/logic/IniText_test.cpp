#include <gtest/gtest.h>

#include "toolkit/rtl/IniText.h"

using rtl::IniText;

TEST(IniTextRead, ValuesAsTheProfileFunctionsGiveThem) {
    IniText t("[Form]\r\n  Interval = 1500 \r\nQ=\"a b\"\r\nS='x'\r\nHalf=\"x\r\nNone\r\n"
              "[C:\\表\\ソ\\1230____.__]\r\nExecute=C:\\ソ.exe?a=b\r\n[‐]\r\nk=1\n[form]\nlater=2");
    std::string v;
    ASSERT_TRUE(t.Find("FORM", "interval", v));
    EXPECT_EQ(v, "1500");
    ASSERT_TRUE(t.Find("Form", "Q", v));
    EXPECT_EQ(v, "a b");
    ASSERT_TRUE(t.Find("Form", "S", v));
    EXPECT_EQ(v, "x");
    ASSERT_TRUE(t.Find("Form", "Half", v));
    EXPECT_EQ(v, "\"x");
    EXPECT_FALSE(t.Find("Form", "None", v));   // no '=': absent
    EXPECT_FALSE(t.Find("Form", "later", v));  // only the first section of a name counts
    ASSERT_TRUE(t.Find("c:\\表\\ソ\\1230____.__", "Execute", v));
    EXPECT_EQ(v, "C:\\ソ.exe?a=b");
    ASSERT_TRUE(t.Find("‐", "k", v));  // a section name whose trail byte is ']'
    EXPECT_EQ(t.Keys("Form"), (std::vector<std::string>{"Interval", "Q", "S", "Half"}));
    EXPECT_EQ(t.Sections().size(), 4u);
}
