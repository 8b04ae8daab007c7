// A failed check of the toolkit is one line on standard error, and no box stops the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <wx/debug.h>
#include <wx/toplevel.h>

#include "GuiTestSupport.h"
#include "app/gui/AssertReport.h"

namespace zintor {
namespace {

TEST(AssertReport, AFailedToolkitCheckIsOneLineOnStandardErrorAndNoBox) {
    wxAssertHandler_t before = wxSetAssertHandler(nullptr);
    wxSetAssertHandler(before);
    ReportAssertsOnStandardError();
    const std::size_t windows = wxTopLevelWindows.GetCount();
    testing::internal::CaptureStderr();
    wxFAIL_MSG("Too many writes to wake-up pipe?");
    std::string err = testing::internal::GetCapturedStderr();
    test::Pump(100);
    EXPECT_EQ(wxTopLevelWindows.GetCount(), windows);  // no box was opened
    EXPECT_EQ(err.rfind("zintor: toolkit check failed: ", 0), 0u) << err;
    EXPECT_NE(err.find("Too many writes to wake-up pipe?\n"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    wxSetAssertHandler(before);
}

}  // namespace
}  // namespace zintor
