// The progress bar: range, position kept inside it, steps.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "tests/win/WinTest.h"
#include "toolkit/Form.h"
#include "toolkit/ProgressBar.h"

TEST(TkProgress, PositionStaysInTheRangeAndStepsMoveIt) {
    tk::Form form({.caption = "progress"});
    tk::ProgressBar bar;
    bar.Create(form, {.at = {8, 8, 200, 7}, .min = 10, .max = 60, .value = 40});
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_EQ(SendMessageA(bar.Handle, PBM_GETRANGE, FALSE, 0), 60);
    bar.SetPosition(500);
    EXPECT_EQ(bar.Position(), 60);
    bar.SetPosition(-3);
    EXPECT_EQ(bar.Position(), 10);
    bar.SetStep(15);
    bar.StepIt();
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 40);
    bar.StepBy(100);
    EXPECT_EQ(bar.Position(), 60);
    // A maximum past the position keeps it; the JPEG window sets Max to each run's size.
    bar.SetMax(1000);
    EXPECT_EQ(bar.Position(), 60);
    EXPECT_EQ(bar.Max(), 1000);
}
