// The command line: "/select PID" and nothing else.
#include <gtest/gtest.h>
#include <windows.h>

#include "../app/command_line.h"

namespace {

TEST(CommandLine, OnlySelectWithADecimalThirtyTwoBitIdentifierIsTaken)
{
    const DWORD kUntouched = 0xDEADBEEF;
    const struct {
        const char *arguments;
        bool taken;
        DWORD processId;
    } cases[] = {
        { "/select 1234", true, 1234 },
        { "/select   42  ", true, 42 },
        { "/select 0", true, 0 },
        { "/select 0000000007", true, 7 },       // ten digits
        { "/select 4294967295", true, 0xFFFFFFFF },
        { "/select 4294967296", false, 0 },      // one above 32 bits
        { "/select 99999999999", false, 0 },     // eleven digits
        { "/select 00000000007", false, 0 },
        { "/select -5", false, 0 },
        { "/select +5", false, 0 },
        { "/select 12x", false, 0 },
        { "/select 12 34", false, 0 },
        { "/select 5 /select 6", false, 0 },
        { "/select12", false, 0 },
        { "/select\t12", false, 0 },
        { "/select ", false, 0 },
        { "/select", false, 0 },
        { " /select 12", false, 0 },
        { "/selected 12", false, 0 },
        { "/SELECT 12", false, 0 },
        { "/other 12", false, 0 },
        { "12", false, 0 },
        { "", false, 0 },
    };
    for (const auto &test : cases) {
        DWORD processId = kUntouched;
        EXPECT_EQ(test.taken, ParseSelectSwitch(test.arguments, &processId)) << test.arguments;
        EXPECT_EQ(test.taken ? test.processId : kUntouched, processId) << test.arguments;
    }
    DWORD processId = kUntouched;
    EXPECT_FALSE(ParseSelectSwitch(NULL, &processId));
}

TEST(CommandLine, ArgumentsFollowTheProgramsNameAndTheBlanksAfterIt)
{
    EXPECT_STREQ("/select 12", ArgumentsOf("Vantry.exe /select 12"));
    EXPECT_STREQ("/select 12", ArgumentsOf("\"C:\\Program Files\\Vantry.exe\" \t /select 12"));
    EXPECT_STREQ("", ArgumentsOf("\"C:\\Program Files\\Vantry.exe\""));
    EXPECT_STREQ("", ArgumentsOf("Vantry.exe"));
    EXPECT_STREQ("/select 12", ArgumentsOf("C:\\Vantry\\Vantry.exe\t/select 12"));
    EXPECT_STREQ("b c", ArgumentsOf("\"a\"x b c"));
}

}
