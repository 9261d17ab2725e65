// Runtime helpers every unit uses: exceptions, number conversions and Shift-JIS aware strings.
// Window-free; strings are Shift-JIS bytes (code page 932) in std::string.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace rtl {

// Base of the program's own exceptions; Message is the Japanese text shown to the user.
class Exception : public std::exception {
public:
    explicit Exception(std::string msg) : Message(std::move(msg)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    std::string Message;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

std::string IntToStr(long long v);
// Decimal, or hexadecimal with a leading "0x"/"0X" or "$"; surrounding blanks allowed.
bool TryStrToInt(const std::string& s, int& out);
int StrToInt(const std::string& s);  // raises EConvertError
int StrToIntDef(const std::string& s, int def);

// Locale-independent: '.' is always the decimal point; shortest text that reads back exactly
// (every finite double: values too small for a normal double read back as the nearest one).
std::string FloatToStr(double v);
bool TryStrToFloat(const std::string& s, double& out);
double StrToFloat(const std::string& s);  // raises EConvertError
double StrToFloatDef(const std::string& s, double def);

std::string Trim(const std::string& s);
std::string UpperCaseAscii(std::string s);
std::string LowerCaseAscii(std::string s);
bool SameTextAscii(const std::string& a, const std::string& b);
std::string ZeroPad(long long v, int width);

// Shift-JIS: a lead byte starts a two-byte character whose trail byte may be 0x5C ('\').
inline bool IsSjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsSjisTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }
// Text that begins with a UTF-8 or UTF-16 byte order mark: another program's Unicode file.
inline bool StartsWithUnicodeMark(const std::string& s) {
    return s.starts_with("\xEF\xBB\xBF") || s.starts_with("\xFF\xFE") || s.starts_with("\xFE\xFF");
}
// Text this program may have written: no Unicode byte order mark, no NUL byte, every lead byte
// followed by a trail byte. Bytes the code page leaves undefined pass: a user's file is refused
// only when it cannot be Shift-JIS text.
bool IsShiftJisText(const std::string& s);
// Length in bytes of the character starting at i: 2 for a lead byte and a trail byte, else 1. A
// lead byte before a byte that cannot follow it (a blank, comma, quote, the end) stands alone, so
// broken text never swallows a delimiter.
size_t SjisCharLen(const std::string& s, size_t i);
// True when byte i starts a character (is not a trail byte).
bool SjisIsCharStart(const std::string& s, size_t i);
// At most maxBytes bytes, never ending in half a character.
std::string SjisTruncate(const std::string& s, size_t maxBytes);
// Moves the first character to the end (for scrolling texts).
std::string SjisRotateLeft(const std::string& s);
// Byte index of the first/last single-byte character c outside double-byte characters, or npos.
size_t SjisFind(const std::string& s, char c, size_t from = 0);
size_t SjisFindLast(const std::string& s, char c);
// Substring search that only matches at character boundaries.
size_t SjisPos(const std::string& s, const std::string& sub, size_t from = 0);
// Number of characters (a double-byte character counts one).
size_t SjisLength(const std::string& s);

// Paths (backslash separated, Shift-JIS aware).
std::string ExtractFilePath(const std::string& path);   // up to and including the last '\' or ':'
std::string ExtractFileDir(const std::string& path);    // the same without a trailing '\' (keeps "C:\")
std::string ExtractFileName(const std::string& path);
std::string ExtractFileExt(const std::string& path);    // with the dot, or empty
std::string ChangeFileExt(const std::string& path, const std::string& ext);
std::string IncludeTrailingBackslash(const std::string& path);
std::string ExcludeTrailingBackslash(const std::string& path);
bool EndsWithBackslash(const std::string& path);

}  // namespace rtl
