#include "app/path_checks.h"

#include "app/local_text.h"
#include "framework/strings.h"
#include "tests/common/test_paths.h"
#include "tests/driver/driver.h"

#include <gtest/gtest.h>

namespace {

TEST(DiskSpaceVerdict, NeedsFiveHundredMebibytes) {
    struct Case {
        bool Queried;
        ULONGLONG Available;
        int Expected;
    };
    const Case table[] = {
        {true, 524288000ULL, 1},       // exactly enough
        {true, 524287999ULL, 2},       // one byte short
        {true, 0, 2},
        {true, 1ULL << 40, 1},
        {false, 1ULL << 40, 0},        // a failed query never counts as enough
        {false, 0, 0},
    };
    for (const Case& c : table) EXPECT_EQ(DiskSpaceVerdict(c.Queried, c.Available), c.Expected) << c.Available;
}

TEST(CheckDiskSpace, ReportsAFailedQueryWithItsMessage) {
    driver::InProcessBoxAnswerer answerer;
    EXPECT_EQ(CheckDiskSpace(L"\\\\nohost\\noshare\\nofolder"), 0);
    std::vector<driver::MessageBoxInfo> boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, Text::DiskSpaceQueryFailed.DefaultText);
}

TEST(CheckDiskSpace, TheTestDriveHasRoom) {
    driver::InProcessBoxAnswerer answerer;
    EXPECT_EQ(CheckDiskSpace(L"C:"), 1);
    EXPECT_TRUE(answerer.Boxes().empty());
}

class PathChecksTest : public testing::Test {
protected:
    ScratchFolder m_folder{L"paths"};
};

TEST_F(PathChecksTest, PathExists) {
    ASSERT_TRUE(WriteFileBytes(m_folder / L"file.txt", "x"));
    EXPECT_EQ(PathExists(m_folder.Path()), 1);
    EXPECT_EQ(PathExists(m_folder / L"file.txt"), 1);
    EXPECT_EQ(PathExists(m_folder / L"missing"), 0);
    EXPECT_EQ(PathExists(L""), 0);
}

TEST_F(PathChecksTest, FolderEmptiness) {
    EXPECT_EQ(IsFolderEmpty(m_folder.Path()), 1);
    EXPECT_EQ(IsFolderEmpty(m_folder / L"missing"), 1);

    std::wstring withSub = m_folder / L"withsub";
    ASSERT_TRUE(CreateDirectoryW(withSub.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((withSub + L"\\empty").c_str(), nullptr));
    EXPECT_EQ(IsFolderEmpty(withSub), 0);

    std::wstring withHidden = m_folder / L"withhidden";
    ASSERT_TRUE(CreateDirectoryW(withHidden.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(withHidden + L"\\h.sys", ""));
    SetFileAttributesW((withHidden + L"\\h.sys").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(IsFolderEmpty(withHidden), 0);

    // A file is not a folder with entries.
    ASSERT_TRUE(WriteFileBytes(m_folder / L"file.txt", "x"));
    EXPECT_EQ(IsFolderEmpty(m_folder / L"file.txt"), 1);
}

TEST_F(PathChecksTest, PathsOutsideTheAnsiCodePageDoNotExist) {
    // CJK characters have no representation in the single-byte code page Wine runs with here.
    std::wstring folder = m_folder / L"\x4e2d\x6587";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(folder + L"\\content.txt", "x"));
    bool lossless = true;
    NarrowAnsi(folder, &lossless);
    if (lossless) GTEST_SKIP() << "the ANSI code page represents these characters";
    EXPECT_EQ(PathExists(folder), 0);
    EXPECT_EQ(IsFolderEmpty(folder), 1);
}

TEST_F(PathChecksTest, LongPathsAreTestedWholeNotCut) {
    // The first 259 bytes name an existing file; the whole path does not exist.
    std::wstring existing = m_folder.Path();
    while (259 - existing.size() > 201) {
        existing += L"\\" + std::wstring(100, L'd');
        ASSERT_TRUE(CreateDirectoryW(existing.c_str(), nullptr));
    }
    existing += L"\\" + std::wstring(259 - existing.size() - 1, L'e');
    ASSERT_TRUE(WriteFileBytes(existing, "x"));
    ASSERT_EQ(existing.size(), 259u);
    std::wstring longer = existing + std::wstring(300 - existing.size(), L'z');
    EXPECT_EQ(PathExists(existing), 1);
    EXPECT_EQ(PathExists(longer), 0);
}

}  // namespace
