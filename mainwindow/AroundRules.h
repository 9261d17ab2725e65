// Window-free rules of the windows around the main window: the mini clock's shape codes, the text
// the tool window puts on the clipboard for dropped files, the memo icon's double-click choices
// and the biorhythm chart's arithmetic.
#pragma once
#include <string>
#include <vector>

// [Mini] style as stored (0 rounded rectangle, 1 ellipse, 2 rectangle) in the window region's own
// order (0 rectangle, 1 rounded rectangle, 2 ellipse); other values give the rounded rectangle.
int MiniRegionStyle(int stored);

// The dropped paths as text: one file alone; several joined by blanks (separate) or each followed
// by CR LF. namesOnly keeps the file names without their folders.
std::string DroppedPathsText(const std::vector<std::string>& files, bool separate, bool namesOnly);

// "ダブルクリック：日記リスト" ... for [Setup] MIcon_DBLC 0..5; empty for any other value.
std::string MIconActionText(int value);

// One curve's value at day k of the month: n is the day count from the birth day to the last day
// of the month before, less one; the remainder keeps the sign of n + k and the value is cut toward 0.
int BiorhythmValue(long long n, int k, int period, int amplitude);

enum class BioLine { Today, BlackSolid, BlackDotted, SilverDotted };
// The day line at k (0 = the last day of the month before) when today's day of month is today,
// or today = 0 when the month shown is another one.
BioLine BioGridLine(int k, int today);
