#include "settings/TelePhoneFile.h"

#include <algorithm>

#include "mainwindow/CommandText.h"
#include "toolkit/rtl/StringList.h"
#include "toolkit/rtl/SysUtils.h"

namespace telbook {

std::string PageFile(const std::string& telDir, int page) {
    return telDir + "\\" + std::to_string(page) + ".CSV";
}

std::string RowLine(const Row& row) {
    rtl::TStringList fields;
    for (const std::string& cell : row) fields.Add(cell.empty() ? " " : cell);
    return fields.CommaText();
}

namespace {

// A field that reads as an empty cell.
bool Blank(const std::string& field) { return field.empty() || field == " "; }

// Whether the line ends inside a quoted field: the field went on over a line break (a cell of
// two lines, as spreadsheets write it) or to the end of the file, and the line is not one row.
// A quote opens a field only at its start, as in comma text; trail bytes are never quotes,
// commas or blanks.
bool EndsInQuotes(const std::string& line) {
    size_t p = 0, n = line.size();
    auto blank = [&](size_t i) { return (unsigned char)line[i] <= ' '; };
    while (p < n) {
        if (blank(p) || line[p] == ',') {
            ++p;
        } else if (line[p] == '"') {
            for (p = line.find('"', p + 1); p != std::string::npos && p + 1 < n && line[p + 1] == '"';)
                p = line.find('"', p + 2);
            if (p == std::string::npos) return true;
            ++p;
        } else {
            while (p < n && !blank(p) && line[p] != ',') ++p;
        }
    }
    return false;
}

// The row, and whether a field past the last column holds something or the row goes on past
// the line.
Row ParseFields(const std::string& line, bool& cut) {
    rtl::TStringList fields;
    fields.SetCommaText(line);
    Row row;
    for (int c = 0; c < kColumns && c < fields.Count(); ++c) row[c] = Blank(fields[c]) ? "" : fields[c];
    cut = std::any_of(fields.Strings.begin() + std::min(kColumns, fields.Count()), fields.Strings.end(),
                      [](const std::string& f) { return !Blank(f); }) ||
          EndsInQuotes(line);
    return row;
}

}  // namespace

Row ParseRow(const std::string& line) {
    bool cut;
    return ParseFields(line, cut);
}

std::string PageText(const Page& page) {
    std::string out;
    for (const Row& row : page) out += RowLine(row) + "\r\n";
    return out;
}

Page EmptyPage() { return Page(kRows); }

Page ParsePage(const std::string& text, bool* whole) {
    rtl::TStringList lines;
    lines.SetText(text);
    Page page = EmptyPage();
    bool cut = false;
    for (int r = 0; r < lines.Count() && (r < kRows || (whole && !cut)); ++r) {
        bool lost = false;
        Row row = ParseFields(lines[r], lost);
        if (r < kRows) page[r] = row;
        else lost = lost || std::any_of(row.begin(), row.end(), [](const std::string& c) { return !c.empty(); });
        cut = cut || lost;
    }
    if (whole) *whole = !cut && ShiftJisText(text);
    return page;
}

bool ShiftJisText(const std::string& text) { return rtl::IsShiftJisText(text); }

std::vector<std::string> MatchingLines(const std::string& text, const std::string& needle) {
    std::vector<std::string> hits;
    // Most pages do not hold the text at all: one test of the whole file spares the line walk.
    if (rtl::SjisPos(text, needle) == std::string::npos) return hits;
    rtl::TStringList lines;
    lines.SetText(text);
    for (const std::string& line : lines.Strings)
        if (rtl::SjisPos(line, needle) != std::string::npos) hits.push_back(line);
    return hits;
}

std::string CalledParty(const Row& row) { return row[Name] + "(" + row[Company] + ")"; }

static Launch ThroughProgram(const std::string& program, const std::string& address, const std::string& bare) {
    if (program.empty()) return {bare, "", ""};
    CommandText c = SplitCommandText(program);
    return {c.program, c.parameters + address, c.folder};
}

Launch MailLaunch(const std::string& mailer, const std::string& address) {
    return ThroughProgram(mailer, address, "mailto:" + address);
}

Launch WebLaunch(const std::string& browser, const std::string& address) {
    return ThroughProgram(browser, address, address);
}

}  // namespace telbook
