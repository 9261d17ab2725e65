// The diary search: the titles, weather lines and texts of the day files of a range of months,
// each hit a line that leads to the month list and the day's diary.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Buttons.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StatusBar.h"

namespace nikisech {

// The days searched, as date serials: the 1st of the earlier month to the last of the later one.
struct Days {
    int first = 0, last = 0;
};
Days SearchDays(int year1, int month1, int year2, int month2);

enum class Marker { None, Title, Weather, Body };

struct Hit {
    int day = 0;
    Marker marker = Marker::None;
    std::string line;  // as listed
};
std::string HitLine(int day, Marker marker, const std::string& text);

// The text of a day file's body (rich text, or plain text in an export saved over the day).
using BodyText = std::function<std::string(const std::string& body)>;

// Whether a body's raw bytes can hold the text at all, so that most bodies need not be read
// through a rich edit (about a millisecond each under Wine). It rules a body out only when some
// character of the text is written in it in none of the ways a rich-text reader makes that
// character of; a body it is not sure of (Unicode escapes, other code pages, plain text) may hold.
class RawBodyTest {
public:
    explicit RawBodyTest(const std::string& text);
    bool MayHold(const std::string& body) const;

private:
    bool always_ = false;  // a character of the text can come from too many places to rule out
    std::vector<std::vector<std::string>> forms_;  // for each character, its spellings
};

// What one day file holds of the text: the header's title and weather, then the body's text when
// the header gave no hit (and raw, when given, does not rule the body out). Matching is
// case-sensitive on whole characters; an empty text matches nothing.
Marker MatchDay(const std::string& fileBytes, const std::string& text, const BodyText& bodyText,
                std::string& shown, const RawBodyTest* raw = nullptr);

// The hits of the day files in the folder for the days, in day order. progress hears each day
// before it is read; legacy files are not searched.
std::vector<Hit> Search(const std::string& folder, Days days, const std::string& text, const BodyText& bodyText,
                        const std::function<void(int day)>& progress = {});

}  // namespace nikisech

struct TForm22 : tk::Form {
    tk::Panel Panel1;
    tk::SpinEdit SpinEdit1, SpinEdit2;  // start year, month
    tk::SpinEdit SpinEdit3, SpinEdit4;  // end year, month
    tk::Label Label1, Label2, Label3, Label4, Label5;
    tk::Edit Edit1;
    tk::BitBtn BitBtn1;
    tk::ListBox ListBox1;
    tk::StatusBar StatusBar1;
    tk::RichEdit RichEdit1;  // hidden: each body is read here

    TForm22();
    void FormShow();
    void FormClose(tk::CloseAction& action);
    void BitBtn1Click();       // the search
    void ListBox1DblClick();   // opens the hit's day
    void OpenHit(int index);

    const std::vector<nikisech::Hit>& Hits() const { return hits_; }
    // The text of the last search, kept for the program's run.
    static const std::string& LastText();

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    static constexpr int kWidth = 372;

private:
    std::vector<nikisech::Hit> hits_;
};

extern TForm22* Form22;
