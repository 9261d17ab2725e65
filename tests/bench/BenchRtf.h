// Rich text for the benchmarks: Japanese paragraphs in the formats the diary writes.
#pragma once
#include <cstdio>
#include <string>

namespace bench {

inline std::string Escaped(const std::string& sjis) {
    std::string r;
    char hex[8];
    for (unsigned char c : sjis) {
        if (c >= 0x80 || c == '\\' || c == '{' || c == '}') {
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            r += hex;
        } else {
            r += (char)c;
        }
    }
    return r;
}

// Paragraphs of Japanese text in two faces, sizes, colours, bold, italic, underline, strike-out,
// bullets and indents, until the stream is at least size bytes.
inline std::string FormattedRtf(size_t size) {
    std::string r = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 "
                    "\\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}{\\f1\\fcharset128 \\'82\\'6c\\'82\\'72 "
                    "\\'96\\'be\\'92\\'a9;}}{\\colortbl ;\\red0\\green0\\blue128;\\red255\\green0\\blue0;"
                    "\\red0\\green128\\blue0;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    const char* lines[] = {"朝から快晴。表の通りの藤が満開で、紫の花がとてもきれいだった。",
                           "午後は友人と美術館へ。帰りに雨がぱらついたが、すぐに止んだ。",
                           "資料の下書きを仕上げる。十時に歯医者、ソファの配達は午前中。",
                           "長い文章は右の余白で折り返されて、次の行へ続きます。字下げした段落もあります。"};
    for (int i = 0; r.size() < size; ++i) {
        std::string text = Escaped(lines[i % 4]);
        switch (i % 6) {
            case 0: r += "\\pard\\qc\\cf1\\b\\fs28 " + text + "\\b0\\fs20\\cf0\\par "; break;
            case 1: r += "\\pard\\fi-240\\li480\\ri360 {\\cf2 " + text + "}\\par "; break;
            case 2: r += "\\pard{\\pntext\\f0 *\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb *}}\\fi-200\\li200 " + text + "\\par "; break;
            case 3: r += "\\pard{\\ul " + text + "}{\\strike  " + Escaped("取り消し") + "}\\par "; break;
            case 4: r += "\\pard\\qr\\f1\\i " + text + "\\i0\\f0\\par "; break;
            default: r += "\\pard{\\cf3\\fs24 " + text + "}\\par "; break;
        }
    }
    return r + "}\r\n";
}

}  // namespace bench
