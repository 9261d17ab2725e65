#include "schedule/TodoTree.h"

#include <algorithm>
#include <climits>

#include "toolkit/rtl/SysUtils.h"

namespace todo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<TreeLine> ReadTreeText(const std::string& bytes) {
    std::vector<TreeLine> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        if (end > start && bytes[end - 1] == '\r') --end;
        // CR, LF, TAB and space are never the second byte of a Shift-JIS character.
        size_t text = start;
        while (text < end && IsBlank(bytes[text])) ++text;
        lines.push_back({(int)(text - start), bytes.substr(text, end - text)});
        start = next;
    }
    return lines;
}

std::string WriteTreeText(const std::vector<TreeLine>& lines) {
    std::string out;
    for (const TreeLine& l : lines) out.append(l.level, '\t').append(l.text).append("\r\n");
    return out;
}

bool IsPair(const std::string& titles, const std::string& twins) {
    return ReadTreeText(titles).size() == ReadTreeText(twins).size();
}

std::string ItemFileName(int number) { return rtl::IntToStr(number) + ".z32"; }

bool IsItemFile(const std::string& twin) {
    size_t digits = twin.size() >= 4 ? twin.size() - 4 : 0;
    if (digits == 0 || digits > 10 || !rtl::SameTextAscii(twin.substr(digits), ".z32")) return false;
    return std::all_of(twin.begin(), twin.begin() + digits, [](char c) { return c >= '0' && c <= '9'; });
}

std::string AddedTitle(rtl::TDateTime t) { return rtl::FormatDateTime("yyyy/mm/dd(aaa) hh:nn:ss\"登録\"", t); }

std::string CleanTitle(const std::string& edited, const std::string& old) {
    std::string t = edited.substr(0, edited.find_first_of("\r\n"));
    size_t first = 0;
    while (first < t.size() && IsBlank(t[first])) ++first;
    t.erase(0, first);
    return t.empty() ? old : t;
}

int NextItemNumber(int count, const std::function<bool(int)>& taken) {
    for (int n = std::max(count, 0);; ++n) {
        if (!taken(n)) return n;
        if (n == INT_MAX) return -1;
    }
}

TodoTree TodoTree::Initial() {
    TodoTree t;
    t.nodes_ = {{0, "やるべきもの", kFolderTwin},
                {0, "保留されているもの", kFolderTwin},
                {0, "終了したもの", kFolderTwin},
                {0, "ごみ箱", kTrashTwin}};
    return t;
}

TodoTree TodoTree::FromText(const std::string& titles, const std::string& twins) {
    std::vector<TreeLine> t = ReadTreeText(titles), w = ReadTreeText(twins);
    if (t.empty()) return Initial();
    TodoTree tree;
    int previous = -1;
    for (size_t i = 0; i < t.size(); ++i) {
        int level = std::min(t[i].level, previous + 1);
        tree.nodes_.push_back({level, t[i].text, i < w.size() ? w[i].text : ""});
        previous = level;
    }
    return tree;
}

std::string TodoTree::TitlesText() const {
    std::vector<TreeLine> lines;
    for (const TodoNode& n : nodes_) lines.push_back({n.level, n.title});
    return WriteTreeText(lines);
}

std::string TodoTree::TwinsText() const {
    std::vector<TreeLine> lines;
    for (const TodoNode& n : nodes_) lines.push_back({n.level, n.twin});
    return WriteTreeText(lines);
}

void TodoTree::SetExpanded(int i, bool on) {
    if (Valid(i)) nodes_[i].expanded = on;
}

Kind TodoTree::KindOf(int i) const {
    if (!Valid(i)) return Kind::Item;
    if (nodes_[i].twin == kFolderTwin) return Kind::Folder;
    if (nodes_[i].twin == kTrashTwin) return Kind::Trash;
    return Kind::Item;
}

std::string TodoTree::FileOf(int i) const {
    if (!Valid(i) || !IsItemFile(nodes_[i].twin)) return "";
    return nodes_[i].twin;
}

int TodoTree::Parent(int i) const {
    if (!Valid(i)) return -1;
    for (int p = i - 1; p >= 0; --p)
        if (nodes_[p].level < nodes_[i].level) return p;
    return -1;
}

int TodoTree::End(int i) const {
    if (!Valid(i)) return i;
    int e = i + 1;
    while (e < Count() && nodes_[e].level > nodes_[i].level) ++e;
    return e;
}

std::vector<int> TodoTree::Children(int i) const {
    std::vector<int> out;
    for (int c = i + 1, e = End(i); c < e; c = End(c)) out.push_back(c);
    return out;
}

bool TodoTree::References(const std::string& file) const {
    return std::any_of(nodes_.begin(), nodes_.end(), [&](const TodoNode& n) { return rtl::SameTextAscii(n.twin, file); });
}

int TodoTree::Add(const std::string& title, const std::string& file) {
    if (nodes_.empty()) *this = Initial();
    nodes_.insert(nodes_.begin() + 1, {nodes_[0].level + 1, title, file});
    return 1;
}

int TodoTree::Move(int from, int onto) {
    if (!CanDrag(from) || !Valid(onto)) return -1;
    int end = End(from);
    if (onto >= from && onto < end) return -1;
    bool intoFolder = KindOf(onto) != Kind::Item;
    int level = nodes_[onto].level + (intoFolder ? 1 : 0);
    std::vector<TodoNode> block(nodes_.begin() + from, nodes_.begin() + end);
    int shift = level - block.front().level;
    for (TodoNode& n : block) n.level += shift;
    nodes_.erase(nodes_.begin() + from, nodes_.begin() + end);
    if (onto > from) onto -= end - from;
    int at = intoFolder ? onto + 1 : onto;
    nodes_.insert(nodes_.begin() + at, block.begin(), block.end());
    return at;
}

bool TodoTree::Rename(int i, const std::string& edited) {
    if (!CanRename(i)) return false;
    std::string title = CleanTitle(edited, nodes_[i].title);
    if (title == nodes_[i].title) return false;
    nodes_[i].title = title;
    return true;
}

int TodoTree::FullTrash() const {
    for (int i = Count() - 1; i >= 0; --i)
        if (KindOf(i) == Kind::Trash && End(i) > i + 1) return i;
    return -1;
}

std::vector<std::string> TodoTree::EmptyTrash() {
    std::vector<std::string> files;
    int trash = FullTrash();
    if (trash < 0) return files;
    std::vector<int> children = Children(trash);
    for (auto c = children.rbegin(); c != children.rend(); ++c) {
        std::string file = FileOf(*c);
        if (!file.empty()) files.push_back(file);
        nodes_.erase(nodes_.begin() + *c, nodes_.begin() + End(*c));
    }
    return files;
}

}  // namespace todo
