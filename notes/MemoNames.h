// Memo names and titles, free of windows: "Memo" + a number that is never handed out twice,
// and the title a caption carries without its read-only mark.
#pragma once
#include <functional>
#include <string>

namespace memo {

std::string MemoName(int number);
// The number of "Memo" + digits (letter case aside), else 0.
int MemoNumber(const std::string& name);
// The number for a new memo: the first after count that taken() refuses. A settings file that
// was reset starts the count again while the old memos' files and sections are still there.
int NextMemoNumber(int count, const std::function<bool(int number)>& taken);

// The caption of a memo titled title: read-only memos carry " (RO)".
std::string CaptionOf(const std::string& title, bool readOnly);
// The title in a caption: without a trailing " (RO)".
std::string TitleOf(const std::string& caption);

// Picture files a memo shows by extension (letter case aside); other files load as text.
bool IsPictureFile(const std::string& path);

}  // namespace memo
