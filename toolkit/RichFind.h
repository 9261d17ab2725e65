// Find and replace in a rich edit, over the window's own find and replace dialogs. Matches fall
// on whole characters and are selected in the control's own positions.
//
//   Finder = std::make_unique<tk::RichFinder>(RichEdit1, FindDialog1, ReplaceDialog1);
//   void TForm8::Find1Click() { Finder->ShowFind(); }
#pragma once
#include <string>

#include "toolkit/Dialogs.h"
#include "toolkit/RichEdit.h"

namespace tk {

struct RichFindStyle {
    // Find Next goes on from the selection while the text stays the same (a new text starts
    // at the top); off: every search starts at the top.
    bool goOn = true;
    // The find dialog closes after each search and the text takes the focus.
    bool closeAfterFind = false;
    // Replace All replaces every match; off: it replaces one, as Replace does.
    bool replaceAll = true;
    // What the dialogs start with: case-sensitive and forwards, the choices not shown.
    int options = frDown | frMatchCase | frHideMatchCase | frHideWholeWord | frHideUpDown;
};

class RichFinder {
public:
    RichFinder(RichEdit& edit, FindDialog& find, ReplaceDialog& replace, RichFindStyle style = {});
    RichFinder(const RichFinder&) = delete;
    RichFinder& operator=(const RichFinder&) = delete;

    void ShowFind();
    void ShowReplace();

    // What the dialogs' buttons do; options are FindOptions. A search that finds nothing, or a
    // replacement refused by a read-only text, beeps.
    // Find Next: selects the next match; true when there was one.
    bool FindNext(const std::string& text, int options);
    // Replace: the selected match, or else the first one in the text, takes the replacement;
    // the replace dialog then closes. True when one was replaced.
    bool Replace(const std::string& text, const std::string& with, int options);
    // Replace All: every match from the top, each search going on after the previous
    // replacement; the replace dialog then closes. Returns the number replaced.
    int ReplaceAll(const std::string& text, const std::string& with, int options);

private:
    static int SearchOptions(int options);
    void DialogClosed();
    RichEdit& edit_;
    FindDialog& find_;
    ReplaceDialog& replace_;
    RichFindStyle style_;
    std::string last_;  // the text of the last search
};

}  // namespace tk
