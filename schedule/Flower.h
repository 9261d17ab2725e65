// The flower of each day of the year and its flower words (花言葉), keyed month * 100 + day
// (101 = 1 January, 229 = 29 February, 1231 = 31 December). Window-free look-ups.
#pragma once
#include <string>

namespace flower {

// Both assign nothing, and return false, for a key that is no month/day pair (132, 230, 1301...).
bool OfDay(int key, std::string& name);
bool Words(int key, std::string& words);

// Label room the texts are written for, in Shift-JIS bytes.
constexpr int kNameBytes = 22;
constexpr int kWordsBytes = 24;

}  // namespace flower
