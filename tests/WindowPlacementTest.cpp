// The Position line: ten integers with the %i conversions, and the placement stored at
// closing.
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

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
        {"010:3:0:0:0:0:0:0:0X1f:-0x2", true, 8, 3, 0, 0, 31, -2},     // octal, signs
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
        EXPECT_EQ(FormatWindowPlacement(PlacementAtClose(10, 10, 800, 600, c.maximized, c.minimized)), c.expected);
    }
}

TEST(WindowPlacementSettings, ReadsAndWritesThePositionKey) {
    test::TempDir dir;
    SettingsFile settings(dir / "zintor.ini");
    WindowPlacement p;
    EXPECT_EQ(ReadWindowPlacement(settings, p, "Position"), 0);  // no file
    test::WriteFile(dir / "zintor.ini", "[Settings]\nPosition=\n");
    EXPECT_EQ(ReadWindowPlacement(settings, p, "Position"), 0);  // empty text
    ASSERT_TRUE(WriteWindowPlacement(settings, PlacementAtClose(10, 10, 800, 600, false, false), "Position"));
    EXPECT_EQ(test::ReadFile(dir / "zintor.ini"), "[Settings]\nPosition=0:1:-1:-1:-1:-1:10:10:810:610\n");
    ASSERT_EQ(ReadWindowPlacement(settings, p, "Position"), 1);
    EXPECT_EQ(p.right - p.left, 800);
    EXPECT_EQ(p.bottom - p.top, 600);
}

}  // namespace
}  // namespace zintor
