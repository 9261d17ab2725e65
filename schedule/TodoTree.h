// The to-do board's tree, without windows: folders, the trash and items, each node with the
// title the user sees and its twin text (the node's kind, or the item's file name), kept in one
// list in depth-first order so that the title tree and the twin tree cannot differ in shape.
//
// Stored as two files of the same form: "TreeData.z32" (titles) and "TreeFile.z32" (twins), one
// line per node, one TAB per depth level before the text, CR LF after each line.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/rtl/DateTime.h"

namespace todo {

constexpr char kFolderTwin[] = "%$#Z32#$%";
constexpr char kTrashTwin[] = "%$#G32#$%";
constexpr char kTitlesFile[] = "TreeData.z32";
constexpr char kTwinsFile[] = "TreeFile.z32";

enum class Kind { Folder, Trash, Item };

// One line of a tree file: its depth (leading TABs or spaces) and its text.
struct TreeLine {
    int level = 0;
    std::string text;
    bool operator==(const TreeLine&) const = default;
};
// Lines end with CR LF or a bare LF; the last one may have no end.
std::vector<TreeLine> ReadTreeText(const std::string& bytes);
std::string WriteTreeText(const std::vector<TreeLine>& lines);
// Whether the two files' texts hold one twin line for each title. The twins are matched to the
// titles by position, so a pair that differs in length (a save stopped between the two files)
// links titles to the wrong files.
bool IsPair(const std::string& titles, const std::string& twins);

// An item's file name for a number: "12.z32".
std::string ItemFileName(int number);
// Only "digits.z32" names an item's file; any other twin (a damaged or made-up tree file) has
// none, so nothing outside the board's folder is ever written or deleted through a twin.
bool IsItemFile(const std::string& twin);
// The title of an item added at t: "2001/05/03(木) 12:34:56登録".
std::string AddedTitle(rtl::TDateTime t);
// A title as edited in place: leading blanks would read back as depth, and a line break as a
// second node, so they go; nothing left keeps the old title.
std::string CleanTitle(const std::string& edited, const std::string& old);
// The number for a new item: count, or the first after it that taken() refuses (after a reset of
// the settings file the counter starts again below files that are still there); -1 when none.
int NextItemNumber(int count, const std::function<bool(int number)>& taken);

struct TodoNode {
    int level = 0;
    std::string title;
    std::string twin;
    bool expanded = false;  // the view's state, not stored
};

class TodoTree {
public:
    // "やるべきもの", "保留されているもの", "終了したもの" and "ごみ箱".
    static TodoTree Initial();
    // Both files' contents. Depths are repaired (a first node or a jump of more than one level
    // below its predecessor), twins are taken by position, a missing twin is empty; a tree
    // without nodes starts as the initial one.
    static TodoTree FromText(const std::string& titles, const std::string& twins);
    std::string TitlesText() const;
    std::string TwinsText() const;

    int Count() const { return (int)nodes_.size(); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    const TodoNode& Node(int i) const { return nodes_[i]; }
    void SetExpanded(int i, bool on);
    Kind KindOf(int i) const;
    // The item file of node i, or empty (a folder, the trash, a twin that is no item file, an
    // index outside the tree).
    std::string FileOf(int i) const;
    int Parent(int i) const;               // -1 for a root
    int End(int i) const;                  // the index after i's last descendant
    std::vector<int> Children(int i) const;  // direct children, in order
    // Whether a twin names this file (letter case aside).
    bool References(const std::string& file) const;

    // A new item as the first child of the first root; its index.
    int Add(const std::string& title, const std::string& file);
    // Only items can be dragged.
    bool CanDrag(int i) const { return Valid(i) && KindOf(i) == Kind::Item; }
    // Drops node from (with what hangs below it) on node onto: a folder or the trash takes it as
    // its first child, an item gets it as the sibling just before it. The moved node's new index,
    // or -1 when nothing moved (not draggable, onto itself or below itself, outside the tree).
    int Move(int from, int onto);
    // Renames node i (the trash keeps its name); false when the title stayed.
    bool Rename(int i, const std::string& edited);
    bool CanRename(int i) const { return Valid(i) && KindOf(i) != Kind::Trash; }
    // The last trash node (in depth-first order) that has children, or -1.
    int FullTrash() const;
    // Removes that trash node's direct children, with what hangs below them. The item files of
    // those children are returned, last child first, for the caller to delete.
    std::vector<std::string> EmptyTrash();

private:
    std::vector<TodoNode> nodes_;
};

}  // namespace todo
