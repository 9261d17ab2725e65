// Page layout of formatted text for the printer: paragraphs of measured characters wrapped to the
// text width and cut into pages. Window-free: the caller measures on the printer and draws.
#pragma once
#include <string>
#include <vector>

namespace tk::print {

// Height of a run's font above and below the baseline, in device units.
struct RunMetrics {
    int ascent = 0, descent = 0;
};

enum class ParaAlign { Left, Center, Right };

struct LayoutPara {
    std::u16string text;       // without the paragraph break
    std::vector<int> advance;  // width of each character (a tab's entry is ignored)
    std::vector<int> run;      // the run of each character
    int breakRun = 0;          // the run of the paragraph break: the height of an empty paragraph
    int firstIndent = 0;       // where the first line starts
    int restIndent = 0;        // where the following lines start
    int rightIndent = 0;
    ParaAlign align = ParaAlign::Left;
    bool bullet = false;  // a bullet stands at firstIndent; every line then starts at restIndent
};

// Characters [from, to) of one run, drawn from x (relative to the text area's left edge).
struct Piece {
    int from, to, x;
};

struct Line {
    int para = 0;
    int page = 0;      // 0-based
    int top = 0;       // relative to the page's text area
    int baseline = 0;  // relative to the page's text area
    bool bullet = false;  // draw the paragraph's bullet at its firstIndent
    std::vector<Piece> pieces;
};

struct Layout {
    std::vector<Line> lines;
    int pages = 1;
};

// Wraps each paragraph to width (breaking after blanks, between Japanese characters but never
// before closing or after opening punctuation, and inside a word only when nothing else fits)
// and starts a new page when a line would reach below height. A tab goes to the next multiple
// of tabStop from the text area's left edge.
Layout LayOut(const std::vector<LayoutPara>& paras, const std::vector<RunMetrics>& runs, int width, int height,
              int tabStop);

// True when a line may start at text[i] (0 < i < size) without breaking a rule.
bool CanBreakBefore(const std::u16string& text, size_t i);

}  // namespace tk::print
