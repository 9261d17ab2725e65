#include "settings/TelePhoneFile.h"

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

Row ParseRow(const std::string& line) {
    rtl::TStringList fields;
    fields.SetCommaText(line);
    Row row;
    for (int c = 0; c < kColumns && c < fields.Count(); ++c) row[c] = fields[c] == " " ? "" : fields[c];
    return row;
}

std::string PageText(const Page& page) {
    std::string out;
    for (const Row& row : page) out += RowLine(row) + "\r\n";
    return out;
}

Page EmptyPage() { return Page(kRows); }

Page ParsePage(const std::string& text) {
    rtl::TStringList lines;
    lines.SetText(text);
    Page page = EmptyPage();
    for (int r = 0; r < kRows && r < lines.Count(); ++r) page[r] = ParseRow(lines[r]);
    return page;
}

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
