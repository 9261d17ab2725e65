// The diary's day file: a header of "KEY:value" lines up to ":END", then the body (rich text in
// the day file, plain text in an export). Window-free: bytes in, bytes out, Shift-JIS text.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace diary {

// What the header of a day says, beside the body.
struct DayHeader {
    std::string title, weather;
    std::string picture;  // "BMP:" / "JPG:" path; empty: none
    // Colours and bounds only when the file gives them as decimal numbers.
    std::optional<int> fontColor, backColor;
    std::optional<int> top, left, height, width;
    bool readOnly = false;
    // Header lines the reader did not know, in file order; written back before ":END".
    std::vector<std::string> kept;
};

enum class ReadResult {
    Ok,
    Cipher,  // enciphered: the reader refuses it
    Html,    // HTML body: not supported
    NoEnd,   // the header never ends: not a day file
};

struct DayFile {
    ReadResult result = ReadResult::Ok;
    DayHeader header;
    std::string cipher;  // the text after "CIPHER:" when refused for it
    std::string body;    // the bytes after the ":END" line
};

// The longest value the reader takes from a header line, in bytes (never half a character).
constexpr size_t kMaxValue = 256;

// Reads a day file. Keys match in any letter case; a colour or bounds value that is not a
// decimal number is left out as if the line were missing.
DayFile ReadDayFile(const std::string& bytes);

enum class Layout {
    DayFile,  // "CODE:RTF"; the picture's line by its extension (.BMP or .JPG, else none)
    Export,   // no "CODE:RTF"; any picture as "BMP:"
};
// The whole file: header lines, ":END", then body, every line ended by CR LF. Values are cut at
// a line break so that no value can end the header early.
std::string ComposeDayFile(const DayHeader& h, const std::string& body, Layout layout);

// A plain-text body without the line break that ends the file.
std::string WithoutLastLineBreak(const std::string& text);

// The day before the diary's own format: title, an optional "【天気】" weather line, plain body
// (without the file's last line break).
struct LegacyDay {
    std::string title, weather, body;
};
LegacyDay ReadLegacyDay(const std::string& bytes);
// The day file an imported day becomes: its title and weather lines, ":END" and the plain body.
std::string ComposeImportedDay(const DayHeader& h, const std::string& body);

// Names in the diary folder for the day with this date serial (whole days since 1899-12-30).
std::string DayFileName(int day);     // yyyymmdd.JNL
std::string LegacyFileName(int day);  // niyymmdd.day
// "yyyy/mm/dd (ddd)の日記": the window's caption, by which open diaries are found.
std::string DayCaption(int day);
// The private folder ([Privacy] Directory, or the data folder when that is empty) + "\Diary".
std::string DiaryFolder(const std::string& privacyDir, const std::string& dataDir);

// Two paths name the same file: letter case aside, compared a whole character at a time.
bool SameFileName(const std::string& a, const std::string& b);

}  // namespace diary
