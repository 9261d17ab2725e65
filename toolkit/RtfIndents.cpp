#include "toolkit/RtfIndents.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace tk {

namespace {
// The control keeps indents in 32-bit LONGs; a hand-made or pasted RTF may ask for more, and
// whatever the sum or the negation comes to is held at the LONG's limits, never wrapped.
long long ToLong(long long v) { return std::clamp<long long>(v, INT32_MIN, INT32_MAX); }

struct Word {
    size_t at, end;  // the control word with its number, without a delimiting blank
    std::string name;
    long long value;
    bool numbered;
};

// A paragraph's indent words, as Wine writes them after its \pard.
struct Indents {
    const Word* li = nullptr;
    const Word* fi = nullptr;
};

std::vector<Word> ControlWords(const std::string& s) {
    std::vector<Word> words;
    for (size_t i = 0; i < s.size();) {
        if (s[i] != '\\' || i + 1 >= s.size()) {
            ++i;
            continue;
        }
        if (!std::isalpha((unsigned char)s[i + 1])) {
            i += s[i + 1] == '\'' ? 4 : 2;  // \'hh, \\, \{, \} and the other symbols
            continue;
        }
        Word w{i, i + 1, "", 0, false};
        while (w.end < s.size() && std::isalpha((unsigned char)s[w.end])) w.name += s[w.end++];
        size_t digits = w.end;
        if (digits < s.size() && s[digits] == '-') ++digits;
        while (digits < s.size() && std::isdigit((unsigned char)s[digits])) ++digits;
        if (digits > w.end && std::isdigit((unsigned char)s[digits - 1])) {
            w.value = ToLong(std::strtoll(s.c_str() + w.end, nullptr, 10));
            w.numbered = true;
            w.end = digits;
        }
        words.push_back(w);
        i = w.end;
    }
    return words;
}
// Whether s ends in a control word without a number ("\b"): letters, digits or a hyphen written
// right after it would become part of it.
bool EndsInBareWord(const std::string& s) {
    size_t i = s.size();
    while (i > 0 && std::isalpha((unsigned char)s[i - 1])) --i;
    if (i == s.size()) return false;
    size_t slashes = 0;
    for (; i > 0 && s[i - 1] == '\\'; --i) ++slashes;
    return slashes % 2 == 1;  // "\\b" is an escaped backslash and a letter
}
}  // namespace

std::string FixWineParagraphIndents(const std::string& rtf) {
    if (rtf.find("{\\*\\generator Wine Riched20") == std::string::npos) return rtf;
    std::vector<Word> words = ControlWords(rtf);
    std::vector<Indents> paras;
    for (const Word& w : words) {
        if (w.name == "pard") paras.emplace_back();
        else if (paras.empty() || !w.numbered) continue;
        else if (w.name == "li") paras.back().li = &w;
        else if (w.name == "fi") paras.back().fi = &w;
    }
    std::string out;
    out.reserve(rtf.size() + paras.size() * 8);
    size_t copied = 0;
    // Puts text in place of word w. A word that goes must not leave a bare word before it running
    // into the text after it ("\b\fi5x" is not "\bx"): a blank, which ends a word and is
    // dropped with it, keeps them apart.
    auto replace = [&](const Word* w, const std::string& text) {
        out.append(rtf, copied, w->at - copied);
        out += text;
        copied = w->end;
        const char next = copied < rtf.size() ? rtf[copied] : ' ';
        if (text.empty() && (std::isalnum((unsigned char)next) || next == '-') && EndsInBareWord(out)) out += ' ';
    };
    for (const Indents& p : paras) {
        if (!p.li && !p.fi) continue;
        const long long offset = p.li ? p.li->value : 0, first = p.fi ? p.fi->value : 0;
        std::string words;
        if (first + offset) words += "\\li" + std::to_string(ToLong(first + offset));
        if (offset) words += "\\fi" + std::to_string(ToLong(-offset));
        // The new words stand where the first old one stood; the second goes.
        const Word* a = p.li ? p.li : p.fi;
        const Word* b = p.li && p.fi ? p.fi : nullptr;
        if (b && b->at < a->at) std::swap(a, b);
        replace(a, words);
        if (b) replace(b, "");
    }
    out.append(rtf, copied, std::string::npos);
    return out;
}

}  // namespace tk
