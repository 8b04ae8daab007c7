// The Position line: ten integers with the %i conversions, the placement stored at closing,
// where a saved rectangle may come back, and how wide the side menu is.
#include "app/WindowSettings.h"
#include "app/window/WindowPlacement.h"

#include <gtest/gtest.h>

#include "app/window/ScreenFit.h"
#include "app/window/SideMenuWidth.h"

#include "TestSupport.h"

namespace zintor {
namespace {

TEST(WindowPlacementText, ParsesTenIntegersWithTheirBases) {
    struct Case {
        const char* text;
        bool ok;
        int flags, showCmd, left, top, right, bottom;
    };
    const Case cases[] = {
        {"1:1:-1:-1:-1:-1:10:10:810:610", true, 1, 1, 10, 10, 810, 610},
        {"0:1:-1:-1:-1:-1:120:80:1020:700", true, 0, 1, 120, 80, 1020, 700},
        {"0x10:1:0:0:0:0:0:0:100:100", true, 16, 1, 0, 0, 100, 100},  // hexadecimal
        {"010:3:0:0:0:0:0:0:0X1f:-0x2", true, 8, 3, 0, 0, 31, -2},    // octal, signs
        {" 2: +1:0:0:0:0:5:6:7:8", true, 2, 1, 5, 6, 7, 8},           // blanks before numbers
        {"1:1:-1:-1", false, 1, 1, 0, 0, 0, 0},                       // four integers
        {"1:1:-1:-1:-1:-1:10:10:810", false, 1, 1, 10, 10, 810, 0},   // nine
        {"1;1;-1;-1;-1;-1;10;10;810;610", false, 1, 1, 0, 0, 0, 0},   // wrong separator
        {"", false, 0, 1, 0, 0, 0, 0},
        {"x:1:-1:-1:-1:-1:10:10:810:610", false, 0, 1, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        WindowPlacement p;
        EXPECT_EQ(ParseWindowPlacement(c.text, p), c.ok) << c.text;
        // Fields converted before a failure keep their new values.
        EXPECT_EQ(p.flags, c.flags) << c.text;
        EXPECT_EQ(p.showCmd, c.showCmd) << c.text;
        EXPECT_EQ(p.left, c.left) << c.text;
        EXPECT_EQ(p.top, c.top) << c.text;
        EXPECT_EQ(p.right, c.right) << c.text;
        EXPECT_EQ(p.bottom, c.bottom) << c.text;
    }
}

TEST(WindowPlacementText, FormatsAsSignedDecimalAndReadsBack) {
    WindowPlacement p = PlacementAtClose(-8, 20, 800, 600, false, false);
    EXPECT_EQ(FormatWindowPlacement(p), "0:1:-1:-1:-1:-1:-8:20:792:620");
    WindowPlacement back;
    ASSERT_TRUE(ParseWindowPlacement(FormatWindowPlacement(p), back));
    EXPECT_EQ(FormatWindowPlacement(back), FormatWindowPlacement(p));
}

TEST(WindowPlacementAtClose, MarksMaximisedAndMinimisedWindows) {
    struct Case {
        bool maximized, minimized;
        const char* expected;
    };
    const Case cases[] = {
        {false, false, "0:1:-1:-1:-1:-1:10:10:810:610"},
        {true, false, "2:3:-1:-1:-1:-1:10:10:810:610"},  // restore-to-maximised flag, maximised
        {false, true, "0:2:-1:-1:-1:-1:10:10:810:610"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            FormatWindowPlacement(PlacementAtClose(10, 10, 800, 600, c.maximized, c.minimized)),
            c.expected);
    }
}

// The window's settings are read with one read and saved with one rewrite: a first start
// reads the defaults, a close writes its four keys in order, beside the lines it does not
// write, and the next start reads them back.
TEST(WindowSettingsFile, ReadsTheDefaultsAndWhatAClosingWindowSaved) {
    test::TempDir dir;
    SettingsFile settings(dir / "zintor.ini");
    WindowSettings first = ReadWindowSettings(settings);
    EXPECT_TRUE(first.topMost && !first.sideMenu && !first.zoomed && !first.placed &&
                first.logFile.empty());
    test::WriteFile(dir / "zintor.ini",
                    "[Settings]\nPosition=\nLogFile=/l/vorlix_report2024.log\n");
    EXPECT_FALSE(ReadWindowSettings(settings).placed) << "an empty Position";
    ASSERT_EQ(SaveWindowSettings(settings,
                                 {.topMost = false,
                                  .sideMenu = true,
                                  .zoomed = true,
                                  .placement = PlacementAtClose(10, 10, 800, 600, true, false)}),
              test::kNoFailure);
    EXPECT_EQ(
        test::ReadFile(dir / "zintor.ini"),
        "[Settings]\nPosition=2:3:-1:-1:-1:-1:10:10:810:610\nLogFile=/l/vorlix_report2024.log\n"
        "IsTopMost=0\nIsSideMenu=1\nIsZoomed=1\n");
    WindowSettings next = ReadWindowSettings(settings);
    EXPECT_TRUE(!next.topMost && next.sideMenu && next.zoomed && next.placed);
    EXPECT_EQ(next.logFile, "/l/vorlix_report2024.log");
    EXPECT_EQ(FormatWindowPlacement(next.placement), "2:3:-1:-1:-1:-1:10:10:810:610");
}

TEST(FrameReport, ARectangleIsTakenOnlyOnceTheManagerHasConfirmedIt) {
    using enum FrameVerdict;
    struct Case {
        FrameReport report;
        FrameVerdict verdict;
    };
    const Case cases[] = {
        {{true, true, true, 800, 600, 800, 600}, Take},
        {{false, false, true, 800, 600, 800, 600}, Take},       // no manager that frames windows
        {{true, false, true, 800, 600, 800, 600}, Wait},        // not framed yet
        {{true, true, true, 800, 600, 1280, 800}, Wait},        // a resize under way
        {{true, true, true, 192, 50, 800, 600}, Wait},          // the server has another size
        {{true, true, true, 0, 0, 0, 0}, Wait},                 // no size read
        {{true, true, false, 800, 600, 800, 600}, NotANormal},  // maximised or hidden
        {{true, false, false, 1280, 800, 800, 600}, NotANormal},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JudgeFrameReport(c.report), c.verdict)
            << c.report.framesWindows << c.report.framed << c.report.normalState << " "
            << c.report.serverWidth << "x" << c.report.serverHeight;
    }
}

TEST(SavedRectangleOnScreen, KeepsAReachableTitleBarAndClampsTheSizeToItsScreen) {
    const ScreenRect left{0, 0, 1280, 800},
        right{1280, 100, 1024, 600};  // two screens side by side
    struct Case {
        ScreenRect window, expected;
    };
    const Case cases[] = {
        {{100, 80, 800, 600}, {100, 80, 800, 600}},      // on the screen
        {{900, 300, 800, 600}, {900, 300, 800, 600}},    // across both screens
        {{-700, 200, 800, 600}, {-700, 200, 800, 600}},  // 100 pixels of title bar still to grip
        {{-760, 200, 800, 600}, {0, 200, 800, 600}},     // 40 pixels: too few
        {{100, -10, 800, 600}, {100, -10, 800, 600}},    // more than half of the title bar shows
        {{100, -20, 800, 600}, {100, 0, 800, 600}},      // the title bar above the screen
        {{100, 790, 800, 600}, {100, 200, 800, 600}},    // only the title bar's top shows
        {{3000, 50, 800, 600}, {1504, 100, 800, 600}},   // beyond the right screen
        {{-2000000000, -2000000000, 800, 600}, {0, 0, 800, 600}},
        {{1500, 2000, 2000, 900}, {1280, 100, 1024, 600}},  // larger than the nearest screen
        {{10, 10, 30, 40}, {10, 10, 30, 40}},               // a narrow window shows all of its bar
        {{10, 10, 29900, 19900}, {0, 0, 1280, 800}},    // larger than its screen: the whole screen
        {{100, 80, 800, 900}, {100, 0, 800, 800}},      // too high: as high as the screen
        {{-700, 200, 1300, 600}, {0, 200, 1280, 600}},  // too wide, partly off: moved on
        {{1300, 150, 1100, 500}, {1280, 150, 1024, 500}},  // too wide for the right screen
        {{1280, 100, 1024, 600}, {1280, 100, 1024, 600}},  // exactly the screen
    };
    for (const Case& c : cases) {
        ScreenRect got = FitOnScreen(c.window, {left, right}, 24);
        EXPECT_EQ(got, c.expected) << c.window.x << "," << c.window.y << " -> " << got.x << ","
                                   << got.y << " " << got.width << "x" << got.height;
    }
    EXPECT_EQ(FitOnScreen({-5000, 0, 800, 600}, {}, 24),
              (ScreenRect{-5000, 0, 800, 600}));  // no screens known
}

TEST(SideMenuWidth, FitsTheLongestNameBetweenTheNarrowestMenuAndAThirdOfTheWindow) {
    struct Case {
        std::vector<int> names;
        int labelLeft, rightRoom, window, expected;
    };
    const Case cases[] = {
        {{}, 36, 18, 1000, 195},                           // no logs: the narrowest menu
        {{120, 130}, 36, 18, 1000, 195},                   // short names fit the narrowest
        {{160, 171, 150}, 36, 18, 1000, 225},              // the longest name decides
        {{171}, 36, 18, 300, 195},                         // a narrow window keeps the narrowest
        {{171}, 36, 18, 660, 220},                         // a third of the window at most
        {{100000}, 36, 18, 1280, 426},                     // a name no menu could hold
        {{2147483000}, 2147483000, 2147483000, 900, 300},  // sums past the int range
        {{171}, -5, -5, 1000, 195},                        // nothing counts less than nothing
        {{171}, 36, 18, -10, 195},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SideMenuWidth(c.names, c.labelLeft, c.rightRoom, c.window), c.expected)
            << c.names.size() << " names, window " << c.window;
    }
}

}  // namespace
}  // namespace zintor
