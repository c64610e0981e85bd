// The byte streams behind picture loading: short reads at the end, seeking,
// growing memory files, and a disk file round trip.
#include <gtest/gtest.h>

#include <string>

#include "framework/file.h"
#include "tests/common/test_paths.h"

namespace {
TEST(MemoryFile, ReadsShortAtTheEndAndGrowsWhenWrittenPastIt) {
    const char data[] = "abcdef";
    CMemFile file(data, 6);
    char buffer[8] = {};
    EXPECT_EQ(4u, file.Read(buffer, 4));
    EXPECT_EQ(2u, file.Read(buffer, 4)) << "read past the end";
    EXPECT_EQ(0u, file.Read(buffer, 4));
    EXPECT_EQ(std::string("efcd"), std::string(buffer, 4));

    EXPECT_EQ(8u, file.Seek(2, CFile::end));
    EXPECT_TRUE(file.Write("xy", 2));
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(0, file.Data()[6]) << "the gap is not zero-filled";
    EXPECT_EQ(CFile::kSeekFailed, file.Seek(-11, CFile::end));
    EXPECT_EQ(10u, file.GetPosition()) << "a failed seek moved the position";
}

TEST(DiskFile, WritesReadsAndRefusesMissingFiles) {
    ScratchFolder folder(L"file");
    const std::wstring path = folder / L"data.bin";
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeWrite | CFile::modeCreate));
        EXPECT_TRUE(file.Write("0123456789", 10));
    }
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead));
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(7u, file.Seek(7, CFile::begin));
    char buffer[8] = {};
    EXPECT_EQ(3u, file.Read(buffer, 8));
    EXPECT_EQ(std::string("789"), std::string(buffer, 3));
    EXPECT_FALSE(file.Write("x", 1)) << "wrote to a file opened for reading";

    CFile missing;
    EXPECT_FALSE(missing.Open(folder / L"missing.bin", CFile::modeRead));
    EXPECT_EQ(0u, missing.Read(buffer, 8));
}
}  // namespace
