#include "mainwindow/AroundRules.h"

#include <cmath>

#include "toolkit/rtl/SysUtils.h"

int MiniRegionStyle(int stored) {
    switch (stored) {
        case 1: return 2;  // ellipse
        case 2: return 0;  // rectangle
        default: return 1;  // rounded rectangle
    }
}

std::string DroppedPathsText(const std::vector<std::string>& files, bool separate, bool namesOnly) {
    std::string text;
    for (size_t i = 0; i < files.size(); ++i) {
        std::string f = namesOnly ? rtl::ExtractFileName(files[i]) : files[i];
        if (files.size() == 1) return f;
        if (separate) text += (i ? " " : "") + f;
        else text += f + "\r\n";
    }
    return text;
}

std::string MIconActionText(int value) {
    static const char* const kActions[6] = {"日記リスト", "To_do一覧", "Popupの登録", "To_doの登録", "指定日に移動",
                                            "簡易電話帳"};
    if (value < 0 || value > 5) return "";
    return std::string("ダブルクリック：") + kActions[value];
}

int BiorhythmValue(long long n, int k, int period, int amplitude) {
    long long phase = (n + k) % period;  // C++ keeps the sign of the dividend, as the chart wants
    return (int)std::trunc(std::sin((double)phase / period * 360 * M_PI / 180) * amplitude);
}

BioLine BioGridLine(int k, int today) {
    if (today > 0 && k == today) return BioLine::Today;
    if (k == 1 || (k >= 2 && k % 10 == 0)) return BioLine::BlackSolid;
    if (k >= 2 && k % 5 == 0) return BioLine::BlackDotted;
    return BioLine::SilverDotted;
}
