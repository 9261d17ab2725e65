#include "notes/DiaryFile.h"

#include <climits>

#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"

namespace diary {

namespace {

const char kCrLf[] = "\r\n";

// The line starting at pos, and where the next one starts (CR LF, LF or CR end a line).
std::string NextLine(const std::string& s, size_t& pos) {
    size_t end = s.find_first_of("\r\n", pos);
    if (end == std::string::npos) {
        std::string line = s.substr(pos);
        pos = s.size();
        return line;
    }
    std::string line = s.substr(pos, end - pos);
    pos = end + 1;
    if (s[end] == '\r' && pos < s.size() && s[pos] == '\n') ++pos;
    return line;
}

bool HasKey(const std::string& upperLine, const char* key) { return upperLine.rfind(key, 0) == 0; }

std::string ValueAfter(const std::string& line, size_t keyLength) {
    return rtl::SjisTruncate(line.substr(keyLength), kMaxValue);
}

// Signed 32-bit decimal, nothing else (no blanks, no hexadecimal).
std::optional<int> Decimal(const std::string& s) {
    size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i == s.size() || s.size() - i > 10) return std::nullopt;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        v = v * 10 + (s[i] - '0');
    }
    if (s[0] == '-') v = -v;
    if (v < INT_MIN || v > INT_MAX) return std::nullopt;
    return (int)v;
}

// A value as one line: whatever follows a line break would otherwise start a header line.
std::string OneLine(const std::string& s) { return s.substr(0, s.find_first_of("\r\n")); }

void EndWithLineBreak(std::string& s) {
    if (!s.empty() && s.back() != '\n' && s.back() != '\r') s += kCrLf;
}

}  // namespace

DayFile ReadDayFile(const std::string& bytes) {
    DayFile f;
    DayHeader& h = f.header;
    struct NumberKey {
        const char* key;
        std::optional<int> DayHeader::*field;
    } numbers[] = {{"TAV_BACKCOLOR:", &DayHeader::backColor}, {"TAV_FONTCOLOR:", &DayHeader::fontColor},
                   {"TAV_TOP:", &DayHeader::top},             {"TAV_LEFT:", &DayHeader::left},
                   {"TAV_WIDTH:", &DayHeader::width},         {"TAV_HEIGHT:", &DayHeader::height}};
    size_t pos = 0;
    while (pos < bytes.size()) {
        std::string line = NextLine(bytes, pos);
        std::string upper = rtl::UpperCaseAscii(line);
        if (HasKey(upper, ":END")) {
            f.body = bytes.substr(pos);
            return f;
        }
        auto take = [&](const char* key) { return ValueAfter(line, std::char_traits<char>::length(key)); };
        if (HasKey(upper, "TITLE:")) {
            h.title = take("TITLE:");
        } else if (HasKey(upper, "WEATHER:")) {
            h.weather = take("WEATHER:");
        } else if (HasKey(upper, "BMP:") || HasKey(upper, "JPG:")) {
            h.picture = take("BMP:");
        } else if (HasKey(upper, "CODE:RTF")) {
        } else if (HasKey(upper, "CIPHER:")) {
            f.result = ReadResult::Cipher;
            f.cipher = take("CIPHER:");
            return f;
        } else if (HasKey(upper, "CODE:HTML")) {
            f.result = ReadResult::Html;
            return f;
        } else if (HasKey(upper, "TAV_READONLY:")) {
            h.readOnly = rtl::UpperCaseAscii(line.substr(13, 4)) == "TRUE";
        } else {
            bool known = false;
            for (const NumberKey& n : numbers) {
                if (!HasKey(upper, n.key)) continue;
                known = true;
                if (auto v = Decimal(take(n.key))) h.*n.field = v;
                break;
            }
            if (!known && !line.empty()) h.kept.push_back(line);
        }
    }
    f.result = ReadResult::NoEnd;
    return f;
}

std::string ComposeDayFile(const DayHeader& h, const std::string& body, Layout layout) {
    std::string out;
    auto line = [&](const std::string& s) { out += s + kCrLf; };
    auto number = [&](const char* key, const std::optional<int>& v) {
        if (v) line(key + rtl::IntToStr(*v));
    };
    line("TITLE:" + OneLine(h.title));
    line("WEATHER:" + OneLine(h.weather));
    std::string picture = OneLine(h.picture);
    if (layout == Layout::DayFile) {
        line("CODE:RTF");
        std::string ext = rtl::UpperCaseAscii(rtl::ExtractFileExt(picture));
        if (!picture.empty() && ext == ".BMP") line("BMP:" + picture);
        if (!picture.empty() && ext == ".JPG") line("JPG:" + picture);
    } else if (!picture.empty()) {
        line("BMP:" + picture);
    }
    number("TAV_FONTCOLOR:", h.fontColor);
    number("TAV_BACKCOLOR:", h.backColor);
    number("TAV_TOP:", h.top);
    number("TAV_LEFT:", h.left);
    number("TAV_HEIGHT:", h.height);
    number("TAV_WIDTH:", h.width);
    line(h.readOnly ? "TAV_READONLY:TRUE" : "TAV_READONLY:FALSE");
    for (const std::string& k : h.kept)
        if (!OneLine(k).empty()) line(OneLine(k));
    line(":END");
    out += body;
    EndWithLineBreak(out);
    return out;
}

LegacyDay ReadLegacyDay(const std::string& bytes) {
    static const std::string kWeather = "【天気】";
    LegacyDay d;
    size_t pos = 0;
    d.title = NextLine(bytes, pos);
    size_t second = pos;
    std::string line = NextLine(bytes, pos);
    if (line.rfind(kWeather, 0) == 0) d.weather = line.substr(kWeather.size());
    else pos = second;
    d.body = WithoutLastLineBreak(bytes.substr(pos));
    return d;
}

std::string WithoutLastLineBreak(const std::string& text) {
    size_t n = text.size();
    if (n && text[n - 1] == '\n') --n;
    if (n && text[n - 1] == '\r') --n;
    return text.substr(0, n);
}

std::string ComposeImportedDay(const DayHeader& h, const std::string& body) {
    std::string out = "TITLE:" + OneLine(h.title) + kCrLf + "WEATHER:" + OneLine(h.weather) + kCrLf + ":END" + kCrLf + body;
    EndWithLineBreak(out);
    return out;
}

std::string DayFileName(int day) { return rtl::FormatDateTime("yyyymmdd", day) + ".JNL"; }

std::string LegacyFileName(int day) { return "ni" + rtl::FormatDateTime("yymmdd", day) + ".day"; }

std::string DayCaption(int day) { return rtl::FormatDateTime("yyyy/mm/dd (ddd)", day) + "の日記"; }

std::string DiaryFolder(const std::string& privacyDir, const std::string& dataDir) {
    return rtl::IncludeTrailingBackslash(privacyDir.empty() ? dataDir : privacyDir) + "Diary";
}

bool SameFileName(const std::string& a, const std::string& b) { return rtl::SameTextAscii(a, b); }

}  // namespace diary
