// Command texts: "program?parameters" split at the first question mark, run in the program's folder.
#include <gtest/gtest.h>

#include "mainwindow/CommandText.h"

TEST(ActionsCommandText, SplitsAtTheFirstQuestionMark) {
    CommandText c = SplitCommandText("C:\\Tools\\view.exe?-a ?b c");
    EXPECT_EQ(c.program, "C:\\Tools\\view.exe");
    EXPECT_EQ(c.parameters, "-a ?b c");
    EXPECT_EQ(c.folder, "C:\\Tools\\");

    c = SplitCommandText("C:\\Tools\\view.exe?");
    EXPECT_EQ(c.program, "C:\\Tools\\view.exe");
    EXPECT_EQ(c.parameters, "");
}

TEST(ActionsCommandText, WithoutProgramPartOrQuestionMarkAllIsTheProgram) {
    CommandText c = SplitCommandText("?D:\\a b\\run.bat");
    EXPECT_EQ(c.program, "D:\\a b\\run.bat");
    EXPECT_EQ(c.parameters, "");
    EXPECT_EQ(c.folder, "D:\\a b\\");

    c = SplitCommandText("notepad.exe");
    EXPECT_EQ(c.program, "notepad.exe");
    EXPECT_EQ(c.parameters, "");
    EXPECT_EQ(c.folder, "");  // a bare name runs where the shell finds it

    c = SplitCommandText("?");
    EXPECT_EQ(c.program, "");
    EXPECT_EQ(SplitCommandText("").program, "");
}

TEST(ActionsCommandText, ShiftJisPathsKeepTheirTrailBytes) {
    // 表 and ソ end in the byte of a backslash: the folder must not be cut inside them.
    CommandText c = SplitCommandText("C:\\表\\ソフト.exe?表示 \"C:\\能\\x\"");
    EXPECT_EQ(c.program, "C:\\表\\ソフト.exe");
    EXPECT_EQ(c.parameters, "表示 \"C:\\能\\x\"");
    EXPECT_EQ(c.folder, "C:\\表\\");

    c = SplitCommandText("C:\\申請\\十");
    EXPECT_EQ(c.program, "C:\\申請\\十");
    EXPECT_EQ(c.folder, "C:\\申請\\");
}

TEST(ActionsCommandText, LongParametersAreCutOnACharacterBoundary) {
    std::string params(1023, 'a');
    params += "表表";
    CommandText c = SplitCommandText("p.exe?" + params);
    EXPECT_EQ(c.parameters, std::string(1023, 'a'));
    EXPECT_EQ(SplitCommandText("p.exe?" + std::string(1024, 'b')).parameters.size(), 1024u);
}
