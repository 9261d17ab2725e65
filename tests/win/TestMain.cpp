// Entry of the Wine test program: the application object exists before any test creates a window.
#include <gtest/gtest.h>

#include "toolkit/Application.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    tk::Application.Initialize();
    return RUN_ALL_TESTS();
}
