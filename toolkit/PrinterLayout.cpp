#include "toolkit/PrinterLayout.h"

#include <algorithm>

namespace tk::print {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Characters set one by one, between which a line may break: kana, kanji, full-width forms.
bool IsWide(char16_t c) {
    return (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xD800 && c <= 0xDFFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

// Closing punctuation, small kana and marks that must not begin a line.
bool NoStart(char16_t c) {
    static const std::u16string set =
        u")]}.,!?:;%、。，．・：；？！゛゜ヽヾゝゞ々ー）］｝」』】〕〉》”’〟ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ"
        u"‐～〜…‥％｡｣､･ｧｨｩｪｫｬｭｮｯｰ";
    return set.find(c) != std::u16string::npos;
}

// Opening brackets and quotes that must not end a line.
bool NoEnd(char16_t c) {
    static const std::u16string set = u"([{（［｛「『【〔〈《“‘〝｢";
    return set.find(c) != std::u16string::npos;
}

}  // namespace

bool CanBreakBefore(const std::u16string& text, size_t i) {
    if (i == 0 || i >= text.size()) return false;
    char16_t prev = text[i - 1], cur = text[i];
    if (IsBlank(cur) || IsLowSurrogate(cur) || NoStart(cur) || NoEnd(prev)) return false;
    return IsBlank(prev) || IsWide(prev) || IsWide(cur);
}

Layout LayOut(const std::vector<LayoutPara>& paras, const std::vector<RunMetrics>& runs, int width, int height,
              int tabStop) {
    Layout out;
    int page = 0, y = 0;
    tabStop = std::max(1, tabStop);
    auto metrics = [&](int run) { return run >= 0 && run < (int)runs.size() ? runs[run] : RunMetrics{}; };
    auto place = [&](Line line, int ascent, int descent) {
        int h = std::max(1, ascent + descent);
        // A line taller than the page still goes on a page of its own.
        if (y > 0 && y + h > height) {
            ++page;
            y = 0;
        }
        line.page = page;
        line.top = y;
        line.baseline = y + ascent;
        y += h;
        out.lines.push_back(std::move(line));
    };

    for (int p = 0; p < (int)paras.size(); ++p) {
        const LayoutPara& para = paras[p];
        const std::u16string& s = para.text;
        const int n = (int)s.size();
        auto advance = [&](int i, int at) {
            if (s[i] == u'\t') return (at / tabStop + 1) * tabStop - at;
            return i < (int)para.advance.size() ? para.advance[i] : 0;
        };
        if (n == 0) {
            RunMetrics m = metrics(para.breakRun);
            place({.para = p, .bullet = para.bullet}, m.ascent, m.descent);
            continue;
        }
        for (int start = 0; start < n;) {
            bool first = start == 0;
            int indent = first && !para.bullet ? para.firstIndent : para.restIndent;
            int avail = std::max(1, width - para.rightIndent - indent);

            // How far this line reaches: to the last break before the first character that
            // does not fit; blanks hang past the edge.
            int end = n, lastBreak = -1, x = 0;
            for (int i = start; i < n; ++i) {
                if (i > start && CanBreakBefore(s, i)) lastBreak = i;
                int w = advance(i, indent + x);
                if (!IsBlank(s[i]) && i > start && x + w > avail) {
                    end = lastBreak > start ? lastBreak : i;
                    // A character made of two units stays whole, on this line if it starts it.
                    if (IsLowSurrogate(s[end])) end += end - 1 > start ? -1 : 1;
                    break;
                }
                x += w;
            }

            Line line{.para = p, .bullet = first && para.bullet};
            int ascent = 0, descent = 0, contentWidth = 0;
            x = 0;
            for (int i = start; i < end; ++i) {
                RunMetrics m = metrics(para.run[i]);
                ascent = std::max(ascent, m.ascent);
                descent = std::max(descent, m.descent);
                bool split = line.pieces.empty() || s[i] == u'\t' || s[i - 1] == u'\t' ||
                             para.run[i] != para.run[i - 1];
                if (s[i] != u'\t') {
                    if (split) line.pieces.push_back({i, i + 1, x});
                    else line.pieces.back().to = i + 1;
                }
                x += advance(i, indent + x);
                if (!IsBlank(s[i])) contentWidth = x;
            }
            int offset = para.align == ParaAlign::Center  ? (avail - contentWidth) / 2
                         : para.align == ParaAlign::Right ? avail - contentWidth
                                                          : 0;
            offset = std::max(0, offset);
            for (Piece& pc : line.pieces) pc.x += indent + offset;
            place(std::move(line), ascent, descent);
            start = end;
        }
    }
    out.pages = page + 1;
    return out;
}

}  // namespace tk::print
