#include "toolkit/RichFind.h"

#include "toolkit/Form.h"

namespace tk {

RichFinder::RichFinder(RichEdit& edit, FindDialog& find, ReplaceDialog& replace, RichFindStyle style)
    : edit_(edit), find_(find), replace_(replace), style_(style) {
    find_.Options = replace_.Options = style_.options;
    find_.OnFind = [this] { FindNext(find_.FindText, find_.Options); };
    replace_.OnFind = [this] { FindNext(replace_.FindText, replace_.Options); };
    replace_.OnReplace = [this] {
        if (replace_.Options & frReplaceAll) ReplaceAll(replace_.FindText, replace_.ReplaceText, replace_.Options);
        else Replace(replace_.FindText, replace_.ReplaceText, replace_.Options);
    };
    find_.OnClose = replace_.OnClose = [this] { DialogClosed(); };
}

// While a dialog is up the text keeps showing its selection, so the user sees each match.
void RichFinder::ShowFind() {
    SendMessageA(edit_.Handle, EM_SETOPTIONS, ECOOP_OR, ECO_NOHIDESEL);
    find_.Execute();
}

void RichFinder::ShowReplace() {
    SendMessageA(edit_.Handle, EM_SETOPTIONS, ECOOP_OR, ECO_NOHIDESEL);
    replace_.Execute();
}

void RichFinder::DialogClosed() {
    if (!find_.DialogHandle() && !replace_.DialogHandle() && edit_.Handle)
        SendMessageA(edit_.Handle, EM_SETOPTIONS, ECOOP_AND, ~(LPARAM)ECO_NOHIDESEL);
}

int RichFinder::SearchOptions(int options) {
    return ((options & frMatchCase) ? stMatchCase : 0) | ((options & frWholeWord) ? stWholeWord : 0) |
           ((options & frDown) ? 0 : stBackward);
}

bool RichFinder::FindNext(const std::string& text, int options) {
    int opts = SearchOptions(options);
    bool up = opts & stBackward;
    int from;
    if (style_.goOn && text == last_) from = up ? edit_.SelStart() : edit_.SelStart() + edit_.SelLength();
    else from = up ? edit_.GetTextLen() : 0;
    last_ = text;
    int length = 0, hit = edit_.FindText(text, from, -1, opts, &length);
    if (hit >= 0) edit_.Select(hit, length);
    else MessageBeep(MB_ICONEXCLAMATION);
    if (style_.closeAfterFind) {
        find_.CloseDialog();
        if (hit >= 0 && edit_.Visible()) {
            if (auto* f = dynamic_cast<Form*>(Control::FromHandle(GetAncestor(edit_.Handle, GA_ROOT)))) f->BringForward();
            edit_.SetFocus();
        }
    }
    return hit >= 0;
}

bool RichFinder::Replace(const std::string& text, const std::string& with, int options) {
    int opts = SearchOptions(options) & ~stBackward;
    int length = 0, start = edit_.SelStart(), selected = edit_.SelLength();
    // The match Find Next selected, else the first in the text.
    int hit = edit_.FindText(text, start, selected, opts, &length);
    if (hit != start || length != selected) hit = edit_.FindText(text, 0, -1, opts, &length);
    bool done = hit >= 0 && !edit_.ReadOnly();
    if (done) {
        edit_.Select(hit, length);
        edit_.SetSelText(with);
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
    }
    replace_.CloseDialog();
    return done;
}

int RichFinder::ReplaceAll(const std::string& text, const std::string& with, int options) {
    if (!style_.replaceAll) return Replace(text, with, options) ? 1 : 0;
    int n = edit_.ReplaceAll(text, with, SearchOptions(options) & ~stBackward);
    if (!n) MessageBeep(MB_ICONEXCLAMATION);
    replace_.CloseDialog();
    return n;
}

}  // namespace tk
