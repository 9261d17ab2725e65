// The common dialogs through the test seam, and the filter text they hand to Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "toolkit/Dialogs.h"

namespace {
struct Hooked {
    explicit Hooked(std::function<bool(tk::CommonDialog&)> h) { tk::SetDialogHookForTest(std::move(h)); }
    ~Hooked() { tk::SetDialogHookForTest(nullptr); }
};
}  // namespace

TEST(TkDialogs, FilterSplitsAtBarsButNotInsideCharacters) {
    // ポ is 0x83 0x7C: its trail byte is a '|'.
    std::string api = tk::FilterForApi("ポスター(*.bmp)|*.bmp|全て|*.*");
    EXPECT_EQ(api, std::string("ポスター(*.bmp)\0*.bmp\0全て\0*.*\0\0", 32));
}

TEST(TkDialogs, TheHookGivesTheAnswerAndCancelKeepsTheFields) {
    std::vector<tk::DialogKind> kinds;
    bool confirm = true;
    Hooked h([&](tk::CommonDialog& d) {
        kinds.push_back(d.Kind());
        if (!confirm) return false;
        if (auto* o = dynamic_cast<tk::OpenDialog*>(&d)) o->FileName = o->InitialDir + "\\表.txt";
        if (auto* c = dynamic_cast<tk::ColorDialog*>(&d)) c->Color = tk::clTeal;
        if (auto* f = dynamic_cast<tk::FontDialog*>(&d)) f->Font.Style |= tk::fsBold;
        return true;
    });
    tk::SaveDialog save;
    save.InitialDir = "c:\\ソ";
    save.Options = tk::ofOverwritePrompt | tk::ofPathMustExist;
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName, "c:\\ソ\\表.txt");
    tk::ColorDialog color;
    color.Color = tk::clRed;
    EXPECT_TRUE(color.Execute());
    EXPECT_EQ(color.Color, tk::clTeal);
    tk::FontDialog font;
    EXPECT_TRUE(font.Execute());
    EXPECT_EQ(font.Font.Style, tk::fsBold);

    confirm = false;
    tk::OpenDialog open;
    open.FileName = "keep.txt";
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName, "keep.txt");
    EXPECT_EQ(kinds, (std::vector<tk::DialogKind>{tk::DialogKind::Save, tk::DialogKind::Color, tk::DialogKind::Font,
                                                   tk::DialogKind::Open}));
}
