// The tree view: depth-first positions, moving branches, label editing and dragging that waits for
// the mouse to travel.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/TreeView.h"

namespace {

// One line per node, a TAB per level, "*" after the selected node.
std::string Outline(const tk::TreeView& t) {
    std::string s;
    for (int i = 0; i < t.Count(); ++i) {
        tk::TreeNode n = t.NodeAt(i);
        s += std::string(t.Level(n), '\t') + t.NodeText(n) + (n == t.Selected() ? "*" : "") + "\n";
    }
    return s;
}

tk::TreeNode Find(const tk::TreeView& t, const std::string& text) {
    for (int i = 0; i < t.Count(); ++i)
        if (t.NodeText(t.NodeAt(i)) == text) return t.NodeAt(i);
    return nullptr;
}

// Folders A (a1, a2 (a21)), B (b1), C.
void Fill(tk::TreeView& t) {
    t.Clear();
    auto a = t.AddRoot("A");
    t.Add(a, "a1");
    auto a2 = t.Add(a, "a2");
    t.Add(a2, "a21");
    auto b = t.AddRoot("B");
    t.Add(b, "b1");
    t.AddRoot("C");
}

LPARAM Centre(const tk::TreeView& t, tk::TreeNode n, int dx = 0, int dy = 0) {
    RECT r = t.NodeRect(n);
    return MAKELPARAM((r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2 + dy);
}

struct TreeFixture : ::testing::Test {
    tk::Form f{{.caption = "木", .width = 320, .height = 400}};
    tk::TreeView tree;
    void SetUp() override {
        tree.Create(f, {.at = {4, 4, 300, 360}});
        f.Show();
        Fill(tree);
        tree.FullExpand();
        wintest::Pump();
    }
};

}  // namespace

TEST_F(TreeFixture, AbsoluteIndexIsTheDepthFirstPositionWhateverIsCollapsed) {
    tree.Collapse(Find(tree, "A"));
    EXPECT_EQ(Outline(tree), "A\n\ta1\n\ta2\n\t\ta21\nB\n\tb1\nC\n");
    ASSERT_EQ(tree.Count(), 7);
    for (int i = 0; i < tree.Count(); ++i) EXPECT_EQ(tree.AbsoluteIndex(tree.NodeAt(i)), i);
    EXPECT_EQ(tree.NodeAt(-1), nullptr);
    EXPECT_EQ(tree.NodeAt(7), nullptr);
    EXPECT_EQ(tree.AbsoluteIndex(nullptr), -1);

    // Positions follow additions at either end of a branch and deletions of whole branches.
    tree.AddFirst(Find(tree, "B"), "b0");
    tree.Add(nullptr, "D");
    tree.Delete(Find(tree, "a2"));
    EXPECT_EQ(Outline(tree), "A\n\ta1\nB\n\tb0\n\tb1\nC\nD\n");
    EXPECT_EQ(tree.AbsoluteIndex(Find(tree, "b1")), 4);
    EXPECT_EQ(tree.NodeAt(6), Find(tree, "D"));
}

TEST_F(TreeFixture, MoveKeepsTheWholeBranchAndRefusesItsOwnInside) {
    struct Case {
        const char* node;
        const char* target;
        tk::TreeMove where;
        const char* outline;  // nullptr: refused, nothing changes
    };
    using M = tk::TreeMove;
    const Case cases[] = {
        {"a2", "C", M::AsFirstChild, "A\n\ta1\nB\n\tb1\nC\n\ta2*\n\t\ta21\n"},
        {"a2", "B", M::AsFirstChild, "A\n\ta1\nB\n\ta2*\n\t\ta21\n\tb1\nC\n"},
        {"a2", "B", M::AsLastChild, "A\n\ta1\nB\n\tb1\n\ta2*\n\t\ta21\nC\n"},
        {"a2", "b1", M::AsSiblingBefore, "A\n\ta1\nB\n\ta2*\n\t\ta21\n\tb1\nC\n"},
        {"a2", "a1", M::AsSiblingBefore, "A\n\ta2*\n\t\ta21\n\ta1\nB\n\tb1\nC\n"},
        {"a2", "C", M::AsSiblingAfter, "A\n\ta1\nB\n\tb1\nC\na2*\n\ta21\n"},
        {"A", "C", M::AsSiblingBefore, "B\n\tb1\nA\n\ta1\n\ta2*\n\t\ta21\nC\n"},
        {"a2", "a21", M::AsFirstChild, nullptr},
        {"a2", "a2", M::AsSiblingBefore, nullptr},
        {"A", "a21", M::AsSiblingAfter, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.node) + " -> " + c.target);
        Fill(tree);
        tree.FullExpand();
        int events = 0;
        tree.OnChange = [&](tk::TreeNode) { ++events; };
        tree.Select(Find(tree, "a2"));
        events = 0;
        std::string before = Outline(tree);
        tk::TreeNode moved = tree.MoveNode(Find(tree, c.node), Find(tree, c.target), c.where);
        if (!c.outline) {
            EXPECT_EQ(moved, nullptr);
            EXPECT_EQ(Outline(tree), before);
            continue;
        }
        ASSERT_NE(moved, nullptr);
        EXPECT_EQ(tree.NodeText(moved), c.node);
        EXPECT_EQ(Outline(tree), c.outline);
        EXPECT_EQ(tree.Count(), 7);
        EXPECT_TRUE(tree.Expanded(Find(tree, "a2")));
        EXPECT_EQ(events, 0);
    }
}

TEST_F(TreeFixture, SelectionAndLabelEditsMayBeRefusedOrRewritten) {
    std::vector<std::string> log;
    bool refuse = false;
    tree.OnChanging = [&](tk::TreeNode n, bool& allow) {
        log.push_back("changing " + tree.NodeText(n));
        allow = !refuse;
    };
    tree.OnChange = [&](tk::TreeNode n) { log.push_back("change " + tree.NodeText(n)); };
    tree.Select(Find(tree, "b1"));
    tree.Select(Find(tree, "b1"));
    refuse = true;
    tree.Select(Find(tree, "C"));
    EXPECT_EQ(tree.NodeText(tree.Selected()), "b1");
    EXPECT_EQ(log, (std::vector<std::string>{"changing b1", "change b1", "changing C"}));

    struct Case {
        const char* node;
        const char* typed;
        bool refuseEdit, reject;
        const char* rewrite;  // OnEdited's replacement, or nullptr
        const char* label;    // the label afterwards
    };
    const Case cases[] = {
        {"a1", "新しい題名", false, false, nullptr, "新しい題名"},
        {"a1", "表示", false, true, nullptr, "a1"},
        {"a1", "  空白  ", false, false, "空白", "空白"},
        {"C", "x", true, false, nullptr, "C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Fill(tree);
        std::string seen;
        tree.OnEditing = [&](tk::TreeNode, bool& allow) { allow = !c.refuseEdit; };
        tree.OnEdited = [&](tk::TreeNode, std::string& text, bool& accept) {
            seen = text;
            accept = !c.reject;
            if (c.rewrite) text = c.rewrite;
        };
        tk::TreeNode n = Find(tree, c.node);
        bool started = tree.StartEdit(n);
        EXPECT_EQ(started, !c.refuseEdit);
        if (started) {
            EXPECT_TRUE(tree.IsEditing());
            SetWindowTextA((HWND)SendMessageA(tree.Handle, TVM_GETEDITCONTROL, 0, 0), c.typed);
            tree.EndEdit(false);
            EXPECT_EQ(seen, c.typed);
        }
        EXPECT_FALSE(tree.IsEditing());
        EXPECT_EQ(tree.NodeText(n), c.label);
    }
}

TEST_F(TreeFixture, ImagesAreAskedForEachNodeAsItIsDrawn) {
    std::vector<std::string> asked;
    tree.OnGetImageIndex = [&](tk::TreeNode n, int& image, int& selected) {
        asked.push_back(tree.NodeText(n));
        image = selected = tree.Level(n);
    };
    InvalidateRect(tree.Handle, nullptr, TRUE);
    UpdateWindow(tree.Handle);
    for (const char* text : {"A", "a21", "b1", "C"})
        EXPECT_NE(std::find(asked.begin(), asked.end(), text), asked.end()) << text;
}

TEST_F(TreeFixture, DragStartsOnlyPastTheSystemDistanceAndDropsOnTheNodeUnder) {
    const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
    struct Case {
        int dx, dy;
        bool drags;
    };
    const Case distances[] = {{0, 0, false}, {cx, 0, false}, {-cx, cy, false}, {cx + 1, 0, true}, {0, -cy - 1, true}};
    for (const Case& c : distances) {
        POINT from{50, 50};
        EXPECT_EQ(tk::PastDragThreshold(from, {from.x + c.dx, from.y + c.dy}), c.drags) << c.dx << "," << c.dy;
    }

    std::vector<std::string> drops;
    tree.OnStartDrag = [&](tk::TreeNode n, bool& allow) { allow = tree.Level(n) > 0; };  // folders stay put
    tree.OnDragOver = [&](tk::TreeNode, tk::TreeNode target, bool& accept) { accept = target != Find(tree, "C"); };
    tree.OnDragDrop = [&](tk::TreeNode dragged, tk::TreeNode target) {
        drops.push_back(tree.NodeText(dragged) + ">" + (target ? tree.NodeText(target) : "-"));
    };
    auto drag = [&](const char* what, int dx, const char* to) {
        tk::TreeNode n = Find(tree, what);
        SendMessageA(tree.Handle, WM_LBUTTONDOWN, MK_LBUTTON, Centre(tree, n));
        SendMessageA(tree.Handle, WM_MOUSEMOVE, MK_LBUTTON, Centre(tree, n, dx, 0));
        bool dragging = tree.Dragging();
        LPARAM at = to ? Centre(tree, Find(tree, to)) : Centre(tree, n, dx, 0);
        SendMessageA(tree.Handle, WM_MOUSEMOVE, MK_LBUTTON, at);
        tk::TreeNode lit = (tk::TreeNode)SendMessageA(tree.Handle, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0);
        SendMessageA(tree.Handle, WM_LBUTTONUP, 0, at);
        return std::make_pair(dragging, lit ? tree.NodeText(lit) : std::string("-"));
    };

    // Within the distance a press and release is a click that selects; nothing is dragged.
    EXPECT_EQ(drag("a1", cx, nullptr), std::make_pair(false, std::string("-")));
    EXPECT_EQ(tree.NodeText(tree.Selected()), "a1");
    EXPECT_TRUE(drops.empty());
    // Past it the node travels and the node under the mouse is lit as the target.
    EXPECT_EQ(drag("a1", cx + 1, "B"), std::make_pair(true, std::string("B")));
    EXPECT_EQ(drag("b1", -cx - 1, "a21"), std::make_pair(true, std::string("a21")));
    // A refused target is not lit and gets no drop; a folder does not start a drag.
    EXPECT_EQ(drag("b1", cx + 1, "C"), std::make_pair(true, std::string("-")));
    EXPECT_EQ(drag("A", cx + 1, "B").first, false);
    EXPECT_EQ(drops, (std::vector<std::string>{"a1>B", "b1>a21"}));
    EXPECT_FALSE(tree.Dragging());
    EXPECT_EQ(GetCapture(), nullptr);

    // Escape gives up the drag without a drop.
    tk::TreeNode n = Find(tree, "a21");
    SendMessageA(tree.Handle, WM_LBUTTONDOWN, MK_LBUTTON, Centre(tree, n));
    SendMessageA(tree.Handle, WM_MOUSEMOVE, MK_LBUTTON, Centre(tree, Find(tree, "B")));
    EXPECT_TRUE(tree.Dragging());
    SendMessageA(tree.Handle, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(tree.Handle, WM_LBUTTONUP, 0, Centre(tree, Find(tree, "B")));
    EXPECT_FALSE(tree.Dragging());
    EXPECT_EQ(drops.size(), 2u);
}
