#include "core/Log.h"
#include "platform/ErrorBox.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(ErrorBox, MessagesAreFormattedCutAndForwardedAndDialogsNeedADisplayAndNoFastRun) {
    setenv("DUSKHOLD_NO_DIALOG", "1", 1);
    EXPECT_FALSE(ErrorDialogsAllowed());
    std::vector<std::string> seen;
    SetLogSink([&](const std::string& line) { seen.push_back(line); });
    int before = ErrorCount();
    ShowError("Error: Cannot find file %s", "sprites\\none.png");
    ShowError("%s", std::string(20000, 'x').c_str());
    SetLogSink(nullptr);
    EXPECT_EQ(ErrorCount(), before + 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "Error: Cannot find file sprites\\none.png");
    EXPECT_EQ(seen[1].size(), 16383u);

    // Dialogs need a display and no fast run.
    unsetenv("DUSKHOLD_NO_DIALOG");
    setenv("DISPLAY", ":99", 1);
    SetErrorDialogsAllowed(false);
    EXPECT_FALSE(ErrorDialogsAllowed());
    SetErrorDialogsAllowed(true);
    EXPECT_TRUE(ErrorDialogsAllowed());
    unsetenv("DISPLAY");
    EXPECT_FALSE(ErrorDialogsAllowed());
}
