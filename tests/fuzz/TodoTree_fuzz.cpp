// The to-do board's two tree files as the board reads them, then drags and the emptying of the
// trash on what was read. Input: the titles file, a NUL, the twins file, a NUL, then byte pairs
// (dragged node, drop node). The tree read must be a proper tree that writes back as it was
// read, with each twin beside its title when the files make a pair.
#include <algorithm>

#include "schedule/TodoTree.h"
#include "tests/fuzz/Fuzz.h"

namespace {

void CheckShape(const todo::TodoTree& t) {
    FUZZ_CHECK(t.Count() > 0 && t.Node(0).level == 0);
    for (int i = 1; i < t.Count(); ++i)
        FUZZ_CHECK(t.Node(i).level >= 0 && t.Node(i).level <= t.Node(i - 1).level + 1);
    for (int i = 0; i < t.Count(); ++i) {
        int p = t.Parent(i);
        FUZZ_CHECK(p < i && (p < 0 ? t.Node(i).level == 0 : t.Node(p).level == t.Node(i).level - 1));
        FUZZ_CHECK(t.End(i) > i && t.End(i) <= t.Count());
        std::string file = t.FileOf(i);
        FUZZ_CHECK(file.empty() || (t.KindOf(i) == todo::Kind::Item && todo::IsItemFile(file)));
    }
}

// Written and read again, the tree is the same, and its two files make a pair.
void CheckWritesBack(const todo::TodoTree& t) {
    std::string titles = t.TitlesText(), twins = t.TwinsText();
    FUZZ_CHECK(todo::IsPair(titles, twins));
    todo::TodoTree again = todo::TodoTree::FromText(titles, twins);
    FUZZ_CHECK(again.Count() == t.Count());
    for (int i = 0; i < t.Count(); ++i) {
        const todo::TodoNode &a = t.Node(i), &b = again.Node(i);
        FUZZ_CHECK(a.level == b.level && a.title == b.title && a.twin == b.twin);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string in((const char*)data, size);
    // Cut at the first two NULs; a part that is not there is empty.
    size_t cut = std::min(in.find('\0'), in.size());
    size_t cut2 = cut < in.size() ? std::min(in.find('\0', cut + 1), in.size()) : in.size();
    size_t rest = std::min(cut2 + 1, in.size());
    const std::string titles = in.substr(0, cut), twins = cut < in.size() ? in.substr(cut + 1, cut2 - cut - 1) : "";
    FuzzBytes ops(data + rest, size - rest);

    todo::TodoTree t = todo::TodoTree::FromText(titles, twins);
    CheckShape(t);
    CheckWritesBack(t);
    std::vector<todo::TreeLine> lines = todo::ReadTreeText(titles), twinLines = todo::ReadTreeText(twins);
    if (todo::IsPair(titles, twins) && !lines.empty()) {
        FUZZ_CHECK(t.Count() == (int)lines.size());
        for (int i = 0; i < t.Count(); ++i)
            FUZZ_CHECK(t.Node(i).title == lines[i].text && t.Node(i).twin == twinLines[i].text);
    }

    while (!ops.Empty()) {
        int count = t.Count(), from = ops.Byte(), onto = ops.Byte();
        const todo::TodoNode dragged = t.Valid(from) ? t.Node(from) : todo::TodoNode{};
        int at = t.Move(from, onto);
        FUZZ_CHECK(t.Count() == count);
        if (at >= 0) FUZZ_CHECK(t.Node(at).title == dragged.title && t.Node(at).twin == dragged.twin);
        CheckShape(t);
    }
    int trash = t.FullTrash();
    for (const std::string& file : t.EmptyTrash()) FUZZ_CHECK(todo::IsItemFile(file));
    if (trash >= 0) FUZZ_CHECK(t.KindOf(trash) == todo::Kind::Trash && t.End(trash) == trash + 1);
    CheckShape(t);
    CheckWritesBack(t);
    return 0;
}
