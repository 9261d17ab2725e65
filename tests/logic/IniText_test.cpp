#include <gtest/gtest.h>

#include <functional>

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
    // A CR alone ends a line too, even where LFs follow.
    IniText cr("[Calendar]\rDirectory=C:\\表\rk=a\rb\n[Form]\nOpen=1");
    ASSERT_TRUE(cr.Find("Calendar", "Directory", v));
    EXPECT_EQ(v, "C:\\表");
    EXPECT_EQ(cr.Keys("Calendar"), (std::vector<std::string>{"Directory", "k"}));
    EXPECT_EQ(cr.Keys("Form"), (std::vector<std::string>{"Open"}));
}

// Each edit changes only the lines it is about, and the parse kept with the text stays the one
// the new text gives.
TEST(IniTextEdit, OnlyTheLinesOfTheEditChange) {
    using Keys = std::vector<std::pair<std::string, std::string>>;
    const std::string form = "; kept\r\n[Form]\r\nA=1\r\n  b = 2 ; x \r\nunknown line\r\n\r\n[Other]\r\nz=表示\r\n";
    struct Row {
        const char* what;
        std::string before;
        std::function<bool(IniText&)> edit;
        std::string after;
    } rows[] = {
        {"value in place", form, [](IniText& t) { return t.Write("form", "B", " 3 "); },
         "; kept\r\n[Form]\r\nA=1\r\n  b =3\r\nunknown line\r\n\r\n[Other]\r\nz=表示\r\n"},
        {"new key after the section's last", form, [](IniText& t) { return t.Write("Form", "New", "ソ\\"); },
         "; kept\r\n[Form]\r\nA=1\r\n  b = 2 ; x \r\nunknown line\r\nNew=ソ\\\r\n\r\n[Other]\r\nz=表示\r\n"},
        {"new section at the end", form, [](IniText& t) { return t.Write("表示", "ソフト", "C:\\表\\"); },
         form + "[表示]\r\nソフト=C:\\表\\\r\n"},
        {"quoted value", form, [](IniText& t) { return t.Write("other", "z", "\"ソ 表\""); },
         "; kept\r\n[Form]\r\nA=1\r\n  b = 2 ; x \r\nunknown line\r\n\r\n[Other]\r\nz=\"ソ 表\"\r\n"},
        {"unchanged value", form, [](IniText& t) { return !t.Write("FORM", "a", "1 "); }, form},
        {"last line without its end", "[A]\r\nk=1", [](IniText& t) { return t.Write("A", "j", "2"); },
         "[A]\r\nk=1\r\nj=2\r\n"},
        {"header without its end", "x\r\n[A]", [](IniText& t) { return t.Write("B", "j", "2") && t.Write("a", "k", "1"); },
         "x\r\n[A]\r\nk=1\r\n[B]\r\nj=2\r\n"},
        {"line ends of LF kept", "[A]\nk=1\n[B]\nx=2\n", [](IniText& t) { return t.Write("A", "k", "9") && t.Write("a", "n", "1"); },
         "[A]\nk=9\nn=1\r\n[B]\nx=2\n"},
        {"line ends of CR kept", "[A]\rk=1\r[B]\rx=2", [](IniText& t) { return t.Write("A", "k", "9") && t.Write("a", "n", "1") && t.Write("B", "y", "3"); },
         "[A]\rk=9\rn=1\r\n[B]\rx=2\r\ny=3\r\n"},
        {"CR meeting an LF", "[A]\rk=1\rj=2\n\n[B]\r", [](IniText& t) { return t.DeleteKey("A", "j") && t.Write("A", "n", "1"); },
         "[A]\rk=1\r\nn=1\r\n[B]\r"},
        {"first of a name", "[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\n", [](IniText& t) { return t.Write("a", "K", "4"); },
         "[A]\r\nk=4\r\nK=2\r\n[a]\r\nk=3\r\n"},
        {"trail byte ']' in a name", "[‐]\r\nk=1\r\n[B]\r\n", [](IniText& t) { return t.Write("‐", "j", "能"); },
         "[‐]\r\nk=1\r\nj=能\r\n[B]\r\n"},
        {"key without '='", "[A]\r\nflag  \r\n", [](IniText& t) { return t.Write("A", "FLAG", "1"); }, "[A]\r\nflag=1\r\n"},
        {"value to a NUL", "", [](IniText& t) { return t.Write(" S ", " k ", std::string("v\0w", 3)); }, "[S]\r\nk=v\r\n"},
        {"section erased to the next", "[A]\r\nk=1\r\n; c\r\n\r\n[B]\r\nx=2\r\n[a]\r\nk=3",
         [](IniText& t) { return t.EraseSection("a"); }, "[B]\r\nx=2\r\n[a]\r\nk=3"},
        {"last section erased", "[A]\r\nk=1\r\n[B]\r\nx=2", [](IniText& t) { return t.EraseSection("B"); }, "[A]\r\nk=1\r\n"},
        {"keys before any section erased", "top=1\r\n[A]\r\n", [](IniText& t) { return t.EraseSection(""); }, "[A]\r\n"},
        {"missing section", "[A]\r\n", [](IniText& t) { return !t.EraseSection("B") && !t.DeleteKey("A", "k"); }, "[A]\r\n"},
        {"key deleted", "[A]\r\nk=1\r\nK=2\r\nj", [](IniText& t) { return t.DeleteKey("A", "k") && t.DeleteKey("A", "J"); },
         "[A]\r\nK=2\r\n"},
        {"last key before any section deleted", "top=1\r\n[A]\r\n", [](IniText& t) { return t.DeleteKey("", "top"); }, "[A]\r\n"},
        {"section replaced in place", "[S]\r\nold=1\r\n; note\r\n0=x\r\n\r\n[T]\r\n",
         [](IniText& t) { return t.WriteSection("s", Keys{{"0", "a"}, {"1", " b "}}); },
         "[S]\r\n0=a\r\n1=b\r\n\r\n[T]\r\n"},
        {"section written new", "[T]", [](IniText& t) { return t.WriteSection("S", Keys{{"0", "a"}}); },
         "[T]\r\n[S]\r\n0=a\r\n"},
        {"section written as it is", "[S]\r\n0=a\r\n[T]\r\n", [](IniText& t) { return !t.WriteSection("S", Keys{{"0", "a"}}); },
         "[S]\r\n0=a\r\n[T]\r\n"},
    };
    for (const Row& r : rows) {
        IniText t(r.before);
        EXPECT_TRUE(r.edit(t)) << r.what;
        EXPECT_EQ(t.Bytes(), r.after) << r.what;
        EXPECT_TRUE(t == IniText(r.after)) << r.what;
    }
}
