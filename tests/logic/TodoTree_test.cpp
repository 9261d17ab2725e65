// The to-do board's tree: its two files, item names and numbers, titles, moves and the trash.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "schedule/TodoTree.h"

using todo::Kind;
using todo::TodoTree;
using todo::TreeLine;

namespace {

// A tree from titles and twins written as "level:text" pairs, one per node.
TodoTree Tree(const std::vector<TreeLine>& titles, const std::vector<std::string>& twins) {
    std::vector<TreeLine> w;
    for (size_t i = 0; i < twins.size(); ++i) w.push_back({titles[i].level, twins[i]});
    return TodoTree::FromText(todo::WriteTreeText(titles), todo::WriteTreeText(w));
}

std::vector<std::string> Titles(const TodoTree& t) {
    std::vector<std::string> out;
    for (int i = 0; i < t.Count(); ++i) out.push_back(std::string(t.Node(i).level, '>') + t.Node(i).title);
    return out;
}

// やるべきもの(a, b), 終了したもの(c), ごみ箱
TodoTree Board() {
    return Tree({{0, "やる"}, {1, "a"}, {1, "b"}, {0, "終了"}, {1, "c"}, {0, "ごみ箱"}},
                {todo::kFolderTwin, "0.z32", "1.z32", todo::kFolderTwin, "2.z32", todo::kTrashTwin});
}

}  // namespace

TEST(TodoTreeText, ReadsLevelsAndTextsAndWritesThemBack) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<TreeLine> lines;
        std::string written;  // what writing the lines gives
    } cases[] = {
        {"trail bytes 0x5C", "表\r\n\tソ\r\n\t\t申\r\n", {{0, "表"}, {1, "ソ"}, {2, "申"}}, "表\r\n\tソ\r\n\t\t申\r\n"},
        {"spaces give the level", "a\r\n b\r\n \tc\r\n", {{0, "a"}, {1, "b"}, {2, "c"}}, "a\r\n\tb\r\n\t\tc\r\n"},
        {"no final CR LF", "a\r\n\tb", {{0, "a"}, {1, "b"}}, "a\r\n\tb\r\n"},
        {"bare LF", "a\n\tb\n", {{0, "a"}, {1, "b"}}, "a\r\n\tb\r\n"},
        {"empty file", "", {}, ""},
        {"empty line kept", "a\r\n\r\nb\r\n", {{0, "a"}, {0, ""}, {0, "b"}}, "a\r\n\r\nb\r\n"},
        {"inner blanks kept", "a b\t c \r\n", {{0, "a b\t c "}}, "a b\t c \r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(todo::ReadTreeText(c.bytes), c.lines) << c.name;
        EXPECT_EQ(todo::WriteTreeText(c.lines), c.written) << c.name;
    }
}

TEST(TodoTreeText, RepairsDepthsAndPairsTwinsByPosition) {
    struct Case {
        const char* name;
        std::string titles, twins;
        std::vector<std::string> shape;  // '>' per level, then the title
        std::string titlesOut, twinsOut;
        bool pair;  // one twin line for each title
    } cases[] = {
        {"level jump", "a\r\n\t\t\tb\r\n\tc\r\n", "%$#Z32#$%\r\n\t\t\t0.z32\r\n\t1.z32\r\n", {"a", ">b", ">c"},
         "a\r\n\tb\r\n\tc\r\n", "%$#Z32#$%\r\n\t0.z32\r\n\t1.z32\r\n", true},
        {"indented first line", "\t\ta\r\n\tb\r\n", "x\r\ny\r\n", {"a", ">b"}, "a\r\n\tb\r\n", "x\r\n\ty\r\n", true},
        {"no last line end", "a\r\n\tb", "x\r\n\ty\r\n", {"a", ">b"}, "a\r\n\tb\r\n", "x\r\n\ty\r\n", true},
        {"fewer twins", "a\r\n\tb\r\n", "%$#Z32#$%\r\n", {"a", ">b"}, "a\r\n\tb\r\n", "%$#Z32#$%\r\n\t\r\n", false},
        {"more twins", "a\r\n", "%$#Z32#$%\r\n\t0.z32\r\n", {"a"}, "a\r\n", "%$#Z32#$%\r\n", false},
    };
    for (const Case& c : cases) {
        TodoTree t = TodoTree::FromText(c.titles, c.twins);
        EXPECT_EQ(Titles(t), c.shape) << c.name;
        EXPECT_EQ(t.TitlesText(), c.titlesOut) << c.name;
        EXPECT_EQ(t.TwinsText(), c.twinsOut) << c.name;
        EXPECT_EQ(todo::IsPair(c.titles, c.twins), c.pair) << c.name;
    }
}

TEST(TodoTreeText, AnEmptyTitlesFileGivesTheFourFolders) {
    TodoTree t = TodoTree::FromText("", "0.z32\r\n");
    EXPECT_EQ(t.TitlesText(), "やるべきもの\r\n保留されているもの\r\n終了したもの\r\nごみ箱\r\n");
    EXPECT_EQ(t.TwinsText(), "%$#Z32#$%\r\n%$#Z32#$%\r\n%$#Z32#$%\r\n%$#G32#$%\r\n");
    EXPECT_EQ(t.KindOf(0), Kind::Folder);
    EXPECT_EQ(t.KindOf(3), Kind::Trash);
}

TEST(TodoItems, OnlyDigitsDotZ32NameAFile) {
    struct Case {
        const char* twin;
        bool file;
    } cases[] = {{"0.z32", true},        {"123.z32", true},     {"7.Z32", true},         {"..\\x.z32", false},
                 {"x.z32", false},       {".z32", false},       {"1.z32.txt", false},    {"C:\\1.z32", false},
                 {"1 .z32", false},      {"-1.z32", false},     {"%$#Z32#$%", false},    {"%$#G32#$%", false},
                 {"", false},            {"12345678901.z32", false}};
    for (const Case& c : cases) EXPECT_EQ(todo::IsItemFile(c.twin), c.file) << c.twin;
    EXPECT_EQ(todo::ItemFileName(0), "0.z32");
    EXPECT_EQ(todo::ItemFileName(42), "42.z32");
}

TEST(TodoItems, NewNumberSkipsFilesStillThere) {
    struct Case {
        int count;
        std::set<int> taken;
        int expected;
    } cases[] = {
        {0, {}, 0},          // the first item ever
        {5, {}, 5},          // numbers below the counter are never reused
        {0, {0, 1, 3}, 2},   // a reset counter with files still there
        {-3, {}, 0},         // a damaged counter
        {INT_MAX, {INT_MAX}, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(todo::NextItemNumber(c.count, [&](int n) { return c.taken.count(n) > 0; }), c.expected) << c.count;
}

TEST(TodoItems, EditedTitles) {
    struct Case {
        const char* edited;
        const char* title;
    } cases[] = {{"x", "x"},        {" x", "x"},   {"\t \tx y ", "x y "}, {"   ", "old"},
                 {"", "old"},       {"a\r\nb", "a"}, {"\r\nb", "old"},    {"　全角", "　全角"}};
    for (const Case& c : cases) EXPECT_EQ(todo::CleanTitle(c.edited, "old"), c.title) << c.edited;
}

TEST(TodoMoves, DropsOnFoldersItemsAndThemselves) {
    struct Case {
        const char* name;
        int from, onto, at;
        std::vector<std::string> shape;
    } cases[] = {
        {"onto a folder: its first child", 2, 3, 3, {"やる", ">a", "終了", ">b", ">c", "ごみ箱"}},
        {"onto the trash", 1, 5, 5, {"やる", ">b", "終了", ">c", "ごみ箱", ">a"}},
        {"onto an item: just before it", 1, 4, 3, {"やる", ">b", "終了", ">a", ">c", "ごみ箱"}},
        {"upwards onto an item", 4, 1, 1, {"やる", ">c", ">a", ">b", "終了", "ごみ箱"}},
        {"onto its own folder", 2, 0, 1, {"やる", ">b", ">a", "終了", ">c", "ごみ箱"}},
        {"onto itself", 1, 1, -1, {"やる", ">a", ">b", "終了", ">c", "ごみ箱"}},
        {"a folder", 0, 3, -1, {"やる", ">a", ">b", "終了", ">c", "ごみ箱"}},
        {"the trash", 5, 0, -1, {"やる", ">a", ">b", "終了", ">c", "ごみ箱"}},
        {"outside the tree", 1, 6, -1, {"やる", ">a", ">b", "終了", ">c", "ごみ箱"}},
        {"from outside", -1, 0, -1, {"やる", ">a", ">b", "終了", ">c", "ごみ箱"}},
    };
    for (const Case& c : cases) {
        TodoTree t = Board();
        EXPECT_EQ(t.Move(c.from, c.onto), c.at) << c.name;
        EXPECT_EQ(Titles(t), c.shape) << c.name;
        // The twins travel with their titles.
        TodoTree before = Board();
        for (int i = 0; i < t.Count(); ++i)
            for (int j = 0; j < before.Count(); ++j)
                if (before.Node(j).title == t.Node(i).title) {
                    EXPECT_EQ(t.Node(i).twin, before.Node(j).twin) << c.name;
                }
    }
}

TEST(TodoMoves, AnItemWithChildrenMovesWholeAndNotBelowItself) {
    // A made-up tree file can give an item children.
    TodoTree t = Tree({{0, "f"}, {1, "a"}, {2, "a1"}, {0, "g"}}, {todo::kFolderTwin, "0.z32", "1.z32", todo::kFolderTwin});
    EXPECT_EQ(t.Move(1, 2), -1);
    EXPECT_EQ(t.Move(1, 3), 2);
    EXPECT_EQ(Titles(t), (std::vector<std::string>{"f", "g", ">a", ">>a1"}));
}

TEST(TodoTrash, EmptyingTakesTheDirectChildrenOfTheLastFullTrash) {
    TodoTree t = Tree({{0, "やる"}, {1, "keep"}, {0, "ごみ箱"}, {1, "x"}, {1, "f"}, {2, "inner"}, {1, "bad"}, {1, "y"},
                       {0, "ごみ箱2"}},
                      {todo::kFolderTwin, "0.z32", todo::kTrashTwin, "1.z32", todo::kFolderTwin, "2.z32", "..\\x.z32",
                       "3.z32", todo::kTrashTwin});
    EXPECT_EQ(t.FullTrash(), 2);  // the empty trash after it does not count
    EXPECT_EQ(t.EmptyTrash(), (std::vector<std::string>{"3.z32", "1.z32"}));  // a folder's items stay on disk
    EXPECT_EQ(Titles(t), (std::vector<std::string>{"やる", ">keep", "ごみ箱", "ごみ箱2"}));
    EXPECT_EQ(t.FullTrash(), -1);
    EXPECT_TRUE(t.EmptyTrash().empty());
}

TEST(TodoTrash, LookupsOutsideTheTreeHaveNoFile) {
    TodoTree t = Board();
    for (int i : {-1, 6, 99}) {
        EXPECT_EQ(t.FileOf(i), "") << i;
        EXPECT_EQ(t.KindOf(i), Kind::Item) << i;
        EXPECT_FALSE(t.CanDrag(i)) << i;
        EXPECT_FALSE(t.Rename(i, "x")) << i;
    }
    EXPECT_TRUE(t.References("1.Z32"));
    EXPECT_FALSE(t.References("7.z32"));
}
