// The phone book's pages: twelve files "0.CSV".."11.CSV" in the Tel folder and "12.CSV" for the
// search results, one comma-text line per grid row. No window code here.
#pragma once
#include <array>
#include <string>
#include <vector>

namespace telbook {

constexpr int kRows = 256, kColumns = 5, kPages = 12, kSearchPage = 12;
enum Column { Company, Name, Number, Mail, Web };

using Row = std::array<std::string, kColumns>;
using Page = std::vector<Row>;  // always kRows rows

std::string PageFile(const std::string& telDir, int page);

// A row as stored: every empty cell becomes a single space, so a line is never empty and the
// fields keep their places.
std::string RowLine(const Row& row);
// At most kColumns fields; a cell holding a single space reads back empty.
Row ParseRow(const std::string& line);
// All kRows lines, CR LF after each.
std::string PageText(const Page& page);
// At most kRows rows of a hand-edited or cut-off file; the rest stay empty. whole, when asked,
// tells whether the page holds all the text says, so that saving it loses nothing: no line past
// kRows and no field past kColumns that is not blank, no quoted field holding a line break or
// left open at the end, and Shift-JIS text (ShiftJisText).
Page ParsePage(const std::string& text, bool* whole = nullptr);
// No NUL byte, no UTF-16 or UTF-8 byte order mark, and every lead byte followed by a trail byte.
// Bytes a code page leaves undefined pass: a user's file is refused only when it cannot be text.
bool ShiftJisText(const std::string& text);
Page EmptyPage();

// The lines of a page file's text that contain needle, as stored (case-sensitive, on character
// boundaries: a search across the comma between two fields still matches).
std::vector<std::string> MatchingLines(const std::string& text, const std::string& needle);

// The dialer's called party: the name, then the company in round brackets.
std::string CalledParty(const Row& row);

// What the shell opens for mail or a web page: the configured program with the address after
// its parameters, or without a program the address itself.
struct Launch {
    std::string file, parameters, directory;
    bool operator==(const Launch&) const = default;
};
Launch MailLaunch(const std::string& mailer, const std::string& address);
Launch WebLaunch(const std::string& browser, const std::string& address);

}  // namespace telbook
