#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const wchar_t* CommandLine;
    CommandLineMap Expected;
};

class ParseCommandLineTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, GivesTheExpectedPairs) {
    CommandLineMap map{{L"stale", L"value"}};
    ParseCommandLine(GetParam().CommandLine, map);
    EXPECT_EQ(map, GetParam().Expected) << "command line: " << testing::PrintToString(std::wstring(GetParam().CommandLine));
}

INSTANTIATE_TEST_SUITE_P(
    QuotingAndSplitting, ParseCommandLineTest,
    testing::Values(
        ParseCase{LR"("C:\m\Setup.exe")", {}},
        ParseCase{LR"(C:\m\Setup.exe)", {}},
        ParseCase{LR"("C:\m\Setup.exe" quiet=1 TARGETDIR=D:\P)", {{L"quiet", L"1"}, {L"TARGETDIR", L"D:\\P"}}},
        // A quoted folder with blanks stays one token and keeps its quotes.
        ParseCase{LR"("C:\my media\Setup.exe" Uninstall=1 TARGETDIR="D:\Program Files\Pel\")",
                  {{L"Uninstall", L"1"}, {L"TARGETDIR", L"\"D:\\Program Files\\Pel\\\""}}},
        // Runs of blanks give no empty tokens; white space around key and value goes.
        ParseCase{L"\"S.exe\"    quiet=1     NUM=3   ", {{L"quiet", L"1"}, {L"NUM", L"3"}}},
        // The last "=" splits: x=y=z stores z under x=y.
        ParseCase{L"\"S.exe\" x=y=z", {{L"x=y", L"z"}}},
        // Empty key or value, or no "=", is ignored.
        ParseCase{L"\"S.exe\" =1 quiet= flag NUM=2", {{L"NUM", L"2"}}},
        // A later token with the same key replaces the earlier one; keys are case-sensitive.
        ParseCase{L"\"S.exe\" NUM=1 NUM=2 num=3", {{L"NUM", L"2"}, {L"num", L"3"}}},
        // Unquoted program path, quoted argument: everything up to the second quote goes.
        ParseCase{LR"(C:\m\Setup.exe quiet=1 TARGETDIR="D:\a b" NUM=4)", {{L"NUM", L"4"}}},
        // A quote without partner is an ordinary character and does not swallow the rest.
        ParseCase{L"\"S.exe\" TARGETDIR=\"D:\\a quiet=1", {{L"TARGETDIR", L"\"D:\\a"}, {L"quiet", L"1"}}},
        // Only one quote in the whole line: nothing is dropped.
        ParseCase{L"S.exe quiet=\"1", {{L"quiet", L"\"1"}}},
        // Tabs are not separators, but white space around the whole text is removed.
        ParseCase{L"\"S.exe\"\tquiet=1\tNUM=2\t", {{L"quiet=1\tNUM", L"2"}}},
        ParseCase{L"\"S.exe\" TARGETDIR=D:\\\x0420\x0443\x0441 \x540d=\x503c",
                  {{L"TARGETDIR", L"D:\\\x0420\x0443\x0441"}, {L"\x540d", L"\x503c"}}},
        ParseCase{L"", {}}));

TEST(ParseCommandLine, HandlesAVeryLongCommandLine) {
    const std::wstring head = L"\"C:\\m\\Setup.exe\" quiet=1 TARGETDIR=C:\\";
    const std::wstring tail = L" NUM=7";
    const size_t folderLetters = 32000 - head.size() - tail.size();
    std::wstring line = head + std::wstring(folderLetters, L'a') + tail;
    CommandLineMap map;
    ParseCommandLine(line, map);
    ASSERT_EQ(map.size(), 3u);
    EXPECT_EQ(map[L"NUM"], L"7");
    EXPECT_EQ(map[L"TARGETDIR"], L"C:\\" + std::wstring(folderLetters, L'a'));
}

TEST(ParseCommandLine, ManyTokensAndQuotesStayLinear) {
    std::wstring line = L"\"S.exe\"";
    for (int i = 0; i < 4000; ++i) line += L" k" + std::to_wstring(i) + L"=\"v \"";
    CommandLineMap map;
    ParseCommandLine(line, map);
    EXPECT_EQ(map.size(), 4000u);
    EXPECT_EQ(map[L"k3999"], L"\"v \"");
}

}  // namespace
