#include "toolkit/rtl/SysUtils.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace rtl {

std::string IntToStr(long long v) { return std::to_string(v); }

std::string ZeroPad(long long v, int width) {
    // Negated as unsigned: the most negative value has no positive twin.
    std::string s = std::to_string(v < 0 ? 0ULL - (unsigned long long)v : (unsigned long long)v);
    if ((int)s.size() < width) s.insert(0, width - s.size(), '0');
    return v < 0 ? "-" + s : s;
}


std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') ++b;
    while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
    return s.substr(b, e - b);
}

bool TryStrToInt(const std::string& text, int& out) {
    std::string s = Trim(text);
    if (s.empty()) return false;
    size_t i = 0;
    bool neg = false;
    if (s[i] == '+' || s[i] == '-') neg = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') { base = 16; ++i; }
    else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) { base = 16; i += 2; }
    if (i >= s.size()) return false;
    long long v = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * base + d;
        // Hexadecimal may name the full 32-bit pattern (system colours are written so).
        if (v > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL)) return false;
    }
    if (neg) v = -v;
    if (base == 16 && v > 0x7FFFFFFFLL) v -= 0x100000000LL;
    if (v > 0x7FFFFFFFLL || v < -0x80000000LL) return false;
    out = (int)v;
    return true;
}

int StrToInt(const std::string& s) {
    int v;
    if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' は整数ではありません。");
    return v;
}

int StrToIntDef(const std::string& s, int def) {
    int v;
    return TryStrToInt(s, v) ? v : def;
}

std::string FloatToStr(double v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    char buf[64];
    // 15 significant digits as the classic runtime writes; more only when needed to read back.
    for (int prec = 15; prec <= 17; ++prec) {
        std::snprintf(buf, sizeof buf, "%.*G", prec, v);
        if (prec == 17 || std::strtod(buf, nullptr) == v) break;
    }
    std::string s = buf;
    // snprintf follows the C locale, which we never change; still, accept only '.'.
    for (char& c : s) if (c == ',') c = '.';
    size_t e = s.find('E');
    if (e != std::string::npos) {
        // 1.5E+020 -> 1.5E20 style: drop '+' and leading exponent zeros.
        std::string mant = s.substr(0, e), exp = s.substr(e + 1);
        bool neg = !exp.empty() && exp[0] == '-';
        if (!exp.empty() && (exp[0] == '+' || exp[0] == '-')) exp.erase(0, 1);
        while (exp.size() > 1 && exp[0] == '0') exp.erase(0, 1);
        s = mant + "E" + (neg ? "-" : "") + exp;
    }
    return s;
}

bool TryStrToFloat(const std::string& text, double& out) {
    std::string s = Trim(text);
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return false;
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    // Underflow gives the nearest double (a subnormal or zero) and is fine; overflow is refused.
    if (end != s.c_str() + s.size() || (errno == ERANGE && std::isinf(v))) return false;
    out = v;
    return true;
}

double StrToFloat(const std::string& s) {
    double v;
    if (!TryStrToFloat(s, v)) throw EConvertError("'" + s + "' は浮動小数点数ではありません。");
    return v;
}

double StrToFloatDef(const std::string& s, double def) {
    double v;
    return TryStrToFloat(s, v) ? v : def;
}

std::string UpperCaseAscii(std::string s) {
    for (size_t i = 0; i < s.size(); i += SjisCharLen(s, i))
        if (s[i] >= 'a' && s[i] <= 'z') s[i] = char(s[i] - 32);
    return s;
}

std::string LowerCaseAscii(std::string s) {
    for (size_t i = 0; i < s.size(); i += SjisCharLen(s, i))
        if (s[i] >= 'A' && s[i] <= 'Z') s[i] = char(s[i] + 32);
    return s;
}

bool SameTextAscii(const std::string& a, const std::string& b) {
    // As UpperCaseAscii(a) == UpperCaseAscii(b), without the copies: every settings read compares
    // the names of many sections.
    if (a.size() != b.size()) return false;
    size_t ca = 0, cb = 0;  // where the next character starts in a and in b
    for (size_t k = 0; k < a.size(); ++k) {
        char x = a[k], y = b[k];
        if (k == ca) {
            if (x >= 'a' && x <= 'z') x = char(x - 32);
            ca += SjisCharLen(a, ca);
        }
        if (k == cb) {
            if (y >= 'a' && y <= 'z') y = char(y - 32);
            cb += SjisCharLen(b, cb);
        }
        if (x != y) return false;
    }
    return true;
}

size_t SjisCharLen(const std::string& s, size_t i) {
    return (IsSjisLead((unsigned char)s[i]) && i + 1 < s.size() && IsSjisTrail((unsigned char)s[i + 1])) ? 2 : 1;
}

bool IsShiftJisText(const std::string& s) {
    if (StartsWithUnicodeMark(s)) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = s[i];
        if (c == 0) return false;
        if (!IsSjisLead(c)) continue;
        if (i + 1 == s.size() || !IsSjisTrail(s[i + 1])) return false;
        ++i;
    }
    return true;
}

bool SjisIsCharStart(const std::string& s, size_t i) {
    size_t p = 0;
    while (p < i) p += SjisCharLen(s, p);
    return p == i;
}

std::string SjisTruncate(const std::string& s, size_t maxBytes) {
    if (s.size() <= maxBytes) return s;
    size_t p = 0;
    while (p < s.size()) {
        size_t n = SjisCharLen(s, p);
        if (p + n > maxBytes) break;
        p += n;
    }
    return s.substr(0, p);
}

std::string SjisRotateLeft(const std::string& s) {
    if (s.empty()) return s;
    size_t n = SjisCharLen(s, 0);
    return s.substr(n) + s.substr(0, n);
}

size_t SjisFind(const std::string& s, char c, size_t from) {
    for (size_t i = 0; i < s.size(); i += SjisCharLen(s, i))
        if (i >= from && s[i] == c && SjisCharLen(s, i) == 1) return i;
    return std::string::npos;
}

size_t SjisFindLast(const std::string& s, char c) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < s.size(); i += SjisCharLen(s, i))
        if (s[i] == c && SjisCharLen(s, i) == 1) last = i;
    return last;
}

size_t SjisPos(const std::string& s, const std::string& sub, size_t from) {
    if (sub.empty()) return from <= s.size() ? from : std::string::npos;
    for (size_t i = 0; i + sub.size() <= s.size(); i += SjisCharLen(s, i))
        if (i >= from && s.compare(i, sub.size(), sub) == 0) return i;
    return std::string::npos;
}

size_t SjisLength(const std::string& s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); i += SjisCharLen(s, i)) ++n;
    return n;
}

static size_t LastDelimiter(const std::string& path, bool withColon) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); i += SjisCharLen(path, i))
        if (SjisCharLen(path, i) == 1 && (path[i] == '\\' || (withColon && path[i] == ':'))) last = i;
    return last;
}

std::string ExtractFilePath(const std::string& path) {
    size_t p = LastDelimiter(path, true);
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string ExtractFileDir(const std::string& path) {
    std::string d = ExtractFilePath(path);
    if (d.size() > 1 && EndsWithBackslash(d) && !(d.size() == 3 && d[1] == ':')) d.pop_back();
    return d;
}

std::string ExtractFileName(const std::string& path) {
    size_t p = LastDelimiter(path, true);
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string ExtractFileExt(const std::string& path) {
    std::string name = ExtractFileName(path);
    size_t p = SjisFindLast(name, '.');
    return p == std::string::npos ? std::string() : name.substr(p);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    std::string name = ExtractFileName(path);
    size_t p = SjisFindLast(name, '.');
    std::string dir = path.substr(0, path.size() - name.size());
    return dir + (p == std::string::npos ? name : name.substr(0, p)) + ext;
}

bool EndsWithBackslash(const std::string& path) {
    if (path.empty()) return false;
    size_t i = 0, last = 0;
    while (i < path.size()) { last = i; i += SjisCharLen(path, i); }
    return SjisCharLen(path, last) == 1 && path[last] == '\\';
}

std::string IncludeTrailingBackslash(const std::string& path) {
    return EndsWithBackslash(path) ? path : path + "\\";
}

std::string ExcludeTrailingBackslash(const std::string& path) {
    return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}

}  // namespace rtl
