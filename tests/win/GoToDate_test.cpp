// The go-to-date window: the date fields, the distance caption, and the buttons that move the main
// calendar and open an editor there.
#include <gtest/gtest.h>
#include <windows.h>

#include "mainwindow/Main.h"
#include "schedule/Jump.h"
#include "schedule/Popup.h"
#include "schedule/to_do.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class GoToDate : public wintest::WindowTest {
protected:
    void SetUp() override {
        FreshDataFolder("orbal-jump-", false);
        FixClock(EncodeDate(2024, 5, 1) + EncodeTime(10, 0, 0, 0));
        tk::Application.CreateForm(Form1);
        Form1->Timer1.SetEnabled(false);
    }
    void TearDown() override {
        if (Form17) Form17->Destroy();
        if (Form7) Form7->Destroy();
        if (Form14) Form14->Destroy();
        if (Form1) Form1->Destroy();
    }
    TForm17& Open() {
        Form1->Jump1Click();
        return *Form17;
    }
    static void Type(TForm17& f, int y, int m, int d) {
        f.SpinEdit1.SetValue(y);
        f.SpinEdit2.SetValue(m);
        f.SpinEdit3.SetValue(d);
    }
    static std::string Fields(const TForm17& f) {
        return std::to_string(f.SpinEdit1.Value()) + "/" + std::to_string(f.SpinEdit2.Value()) + "/" +
               std::to_string(f.SpinEdit3.Value());
    }
};

TEST_F(GoToDate, FieldsSettleAndTheCaptionGivesTheDistance) {
    TForm17& f = Open();
    EXPECT_EQ(Fields(f), "2024/5/1");
    EXPECT_EQ(f.Caption(), "本日");
    EXPECT_EQ(f.Label4.Caption(), "(水)");
    EXPECT_FALSE(f.BitBtn7.Enabled());
    struct Row {
        int y, m, d;
        const char* fields;
        const char* caption;
        const char* weekday;
    };
    const Row rows[] = {
        {2024, 5, 11, "2024/5/11", "10日後", "(土)"},
        {2024, 4, 30, "2024/4/30", "1日前", "(火)"},
        {2023, 2, 31, "2023/2/28", "428日前", "(火)"},  // 31 February falls back to the month's end
        {2024, 2, 31, "2024/2/29", "62日前", "(木)"},
        {2024, 5, 1, "2024/5/1", "本日", "(水)"},
    };
    for (const Row& r : rows) {
        f.SpinEdit3.SetValue(1);
        Type(f, r.y, r.m, r.d);
        EXPECT_EQ(Fields(f), r.fields);
        EXPECT_EQ(f.Caption(), r.caption) << r.fields;
        EXPECT_EQ(f.Label4.Caption(), r.weekday) << r.fields;
        EXPECT_EQ(f.BitBtn7.Enabled(), std::string(r.caption) != "本日") << r.fields;
    }
    Type(f, 2030, 12, 31);
    f.BitBtn7Click();
    EXPECT_EQ(Fields(f), "2024/5/1");
}

TEST_F(GoToDate, PopupKeptOpenMovesTheCalendarAndOpensTheEditor) {
    TForm17& f = Open();
    EXPECT_TRUE(Form1->Jump1->Checked());
    f.CheckBox1.SetChecked(true);
    EXPECT_TRUE(settings::Open().ReadBool("Jump", "Not_close", false));
    f.SpinEdit3.SetValue(1);
    Type(f, 2025, 2, 28);
    f.BitBtn1Click();
    wintest::Pump();
    ASSERT_NE(Form7, nullptr);
    EXPECT_EQ(Form17, &f);
    EXPECT_EQ(Form1->CalendarEx1.Year(), 2025);
    EXPECT_EQ(Form1->CalendarEx1.Month(), 2);
    EXPECT_EQ(Form1->CalendarEx1.Day(), 28);
    // A second request brings this window forward rather than another.
    Form1->Jump1Click();
    EXPECT_EQ(Form17, &f);
}

TEST_F(GoToDate, ButtonsCloseTheWindowUnlessKeptOpen) {
    struct Row {
        void (TForm17::*button)();
        bool schedule;  // the schedule editor opened
    };
    const Row rows[] = {{&TForm17::BitBtn3Click, false}, {&TForm17::BitBtn2Click, true}};
    for (const Row& r : rows) {
        TForm17& f = Open();
        f.SpinEdit3.SetValue(1);
        Type(f, 2024, 3, 31);
        (f.*r.button)();
        wintest::Pump();
        EXPECT_EQ(Form17, nullptr);
        EXPECT_FALSE(Form1->Jump1->Checked());
        EXPECT_EQ(Form14 != nullptr, r.schedule);
        EXPECT_EQ(Form1->CalendarEx1.Month(), 3);
        EXPECT_EQ(Form1->CalendarEx1.Day(), 31);
        // From the 31st to a shorter month.
        Form1->CalendarEx1.SetDay(31);
    }
    TForm17& f = Open();
    Type(f, 2024, 6, 30);
    f.BitBtn3Click();
    EXPECT_EQ(Form1->CalendarEx1.Month(), 6);
    EXPECT_EQ(Form1->CalendarEx1.Day(), 30);
}

}  // namespace
