#include "app/setup_ini.h"

#include "tests/common/test_paths.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// Writes an INI file in the ANSI code page (ASCII content) or, for text with
// other characters, as UTF-16 with a byte order mark, as the platform reads both.
void WriteIni(const std::wstring& path, const std::wstring& content) {
    bool ascii = true;
    for (wchar_t ch : content) ascii = ascii && ch < 0x80;
    std::string bytes;
    if (ascii) {
        for (wchar_t ch : content) bytes.push_back(static_cast<char>(ch));
    } else {
        bytes = "\xFF\xFE";
        for (wchar_t ch : content) {
            bytes.push_back(static_cast<char>(ch & 0xFF));
            bytes.push_back(static_cast<char>(ch >> 8));
        }
    }
    ASSERT_TRUE(WriteFileBytes(path, bytes));
}

class SetupIniTest : public testing::Test {
protected:
    ScratchFolder m_folder{L"ini"};
    std::wstring m_path = m_folder / L"Setup.ini";
    SetupState m_state;

    int Read(const std::wstring& content, int is64BitSystem = 1) {
        WriteIni(m_path, content);
        m_state.Is64BitSystem = is64BitSystem;
        return ReadSetupIniFile(m_path, m_state);
    }
};

TEST_F(SetupIniTest, MissingFileReadsNothing) {
    m_state.CompanyName = L"untouched";
    EXPECT_EQ(ReadSetupIniFile(m_folder / L"Setup.ini", m_state), 0);
    EXPECT_EQ(m_state.CompanyName, L"untouched");
    // A folder of that name is not the file either.
    ASSERT_TRUE(CreateDirectoryW(m_path.c_str(), nullptr));
    EXPECT_EQ(ReadSetupIniFile(m_path, m_state), 0);
}

TEST_F(SetupIniTest, EmptyFileGivesEveryDefault) {
    ASSERT_EQ(Read(L"", 1), 1);
    EXPECT_EQ(m_state.ProductName, L"Pelmora2016");  // no resource library beside the test
    EXPECT_EQ(m_state.CompanyName, L"Orvanti");
    EXPECT_EQ(m_state.Version, L"16.0");
    EXPECT_EQ(m_state.Is64BitPackage, 0);
    EXPECT_EQ(m_state.TargetDir, L"C:\\Program Files (x86)\\Orvanti\\Pelmora2016");
    EXPECT_EQ(m_state.Language, L"");
    EXPECT_EQ(m_state.LanguageId, L"1033");
    EXPECT_EQ(m_state.NetTest, 0);
    EXPECT_EQ(m_state.FeatureCount, 0);
    EXPECT_TRUE(m_state.Features.empty());
    EXPECT_EQ(m_state.Classic, 0);
    EXPECT_EQ(m_state.Num, 1);
}

TEST_F(SetupIniTest, ReadsEveryKey) {
    ASSERT_EQ(Read(L"[SETUP]\r\nCOMPANYNAME=Acme\r\nVERSION=17.2\r\nWOW64=0\r\nCLASSIC=1\r\nNUM=5\r\n"
                   L"[x86]\r\nSETUP_DEST=D:\\Apps\\Pel\r\n"
                   L"[RES]\r\nLANGUAGE=ZH_CN\r\nNetTest=3\r\n"
                   L"[packnum]\r\ncount=2\r\n"
                   L"[sub1]\r\nname=Samples\r\ndescription=Example drawings\r\npackage=a.exe;b.msi\r\ncheck=1\r\nenable=0\r\n"
                   L"[SUB2]\r\nNAME=Fonts\r\n",
                   0),
              1);
    EXPECT_EQ(m_state.CompanyName, L"Acme");
    EXPECT_EQ(m_state.Version, L"17.2");
    EXPECT_EQ(m_state.TargetDir, L"D:\\Apps\\Pel");
    EXPECT_EQ(m_state.Language, L"ZH_CN");
    EXPECT_EQ(m_state.LanguageLower, L"zh_cn");
    EXPECT_EQ(m_state.LanguageId, L"2052");
    EXPECT_EQ(m_state.NetTest, 3);
    EXPECT_EQ(m_state.Classic, 1);
    EXPECT_EQ(m_state.Num, 5);
    ASSERT_EQ(m_state.FeatureCount, 2);
    ASSERT_EQ(m_state.Features.size(), 2u);
    EXPECT_EQ(m_state.Features[0].Name, L"Samples");
    EXPECT_EQ(m_state.Features[0].Description, L"Example drawings");
    EXPECT_EQ(m_state.Features[0].Package, L"a.exe;b.msi");
    EXPECT_EQ(m_state.Features[0].Check, 1);
    EXPECT_EQ(m_state.Features[0].Enable, 0);
    // Section and key names match without regard to case.
    EXPECT_EQ(m_state.Features[1].Name, L"Fonts");
    EXPECT_EQ(m_state.Features[1].Check, 0);
    EXPECT_EQ(m_state.Features[1].Enable, 1);
}

struct TargetCase {
    const wchar_t* Content;
    int Is64BitSystem;
    const wchar_t* Expected;
};

class TargetDirTest : public SetupIniTest, public testing::WithParamInterface<TargetCase> {};

TEST_P(TargetDirTest, ComesFromTheRightSectionWithoutTrailingBackslash) {
    ASSERT_EQ(Read(GetParam().Content, GetParam().Is64BitSystem), 1);
    EXPECT_EQ(m_state.TargetDir, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TargetDirTest,
    testing::Values(
        TargetCase{L"[SETUP]\r\nWOW64=1\r\n", 1, L"C:\\Program Files\\Orvanti\\Pelmora2016"},
        TargetCase{L"[SETUP]\r\nWOW64=1\r\n", 0, L"C:\\Program Files\\Orvanti\\Pelmora2016"},
        TargetCase{L"[SETUP]\r\nWOW64=0\r\n", 1, L"C:\\Program Files (x86)\\Orvanti\\Pelmora2016"},
        TargetCase{L"[SETUP]\r\nWOW64=0\r\n", 0, L"C:\\Program Files\\Orvanti\\Pelmora2016"},
        // Blanks around the value and any number of trailing backslashes go.
        TargetCase{L"[SETUP]\r\nWOW64=1\r\nPATH=   D:\\Pel Mora\\\\\\   \r\n", 1, L"D:\\Pel Mora"},
        TargetCase{L"[SETUP]\r\nWOW64=1\r\nPATH=\"  D:\\Quoted\\\\  \"\r\n", 1, L"D:\\Quoted"},
        // WOW64 must be exactly 1 for the PATH key.
        TargetCase{L"[SETUP]\r\nWOW64=2\r\nPATH=E:\\Sixty Four\r\n[x64]\r\nSETUP_DEST=F:\\On64\r\n[x86]\r\nSETUP_DEST=G:\\On32\r\n", 1, L"F:\\On64"},
        TargetCase{L"[SETUP]\r\nWOW64=2\r\nPATH=E:\\Sixty Four\r\n[x64]\r\nSETUP_DEST=F:\\On64\r\n[x86]\r\nSETUP_DEST=G:\\On32\r\n", 0, L"G:\\On32"},
        TargetCase{L"[SETUP]\r\nWOW64=1\r\nPATH=E:\\Sixty Four\r\n[x64]\r\nSETUP_DEST=F:\\On64\r\n", 0, L"E:\\Sixty Four"}));

TEST(LanguageIdFor, FollowsTheTableInAnyCase) {
    const std::pair<const wchar_t*, const wchar_t*> table[] = {
        {L"zh_cn", L"2052"}, {L"ZH_CN", L"2052"}, {L"Tessaly_CN", L"2052"}, {L"tessaly_cn", L"2052"},
        {L"zh_TW", L"1028"}, {L"TESSALY_TW", L"1028"},
        {L"fr_fr", L"1036"}, {L"FR_FR", L"1036"},
        {L"vorel", L"1041"}, {L"Ja_Jp", L"1041"},
        {L"de_de", L"1033"}, {L"", L"1033"}, {L"zh", L"1033"}, {L" zh_cn", L"1033"}, {L"zh-cn", L"1033"},
    };
    for (const auto& [language, id] : table) EXPECT_EQ(LanguageIdFor(language), id) << testing::PrintToString(std::wstring(language));
}

TEST_F(SetupIniTest, FallbacksLookAtTheValueAsRead) {
    // Present but empty gives the fallback; blanks inside quotes are a value
    // and are then trimmed away.
    ASSERT_EQ(Read(L"[SETUP]\r\nCOMPANYNAME=\r\nVERSION=\"   \"\r\n[RES]\r\nLANGUAGE=Vorel\r\n"), 1);
    EXPECT_EQ(m_state.CompanyName, L"Orvanti");
    EXPECT_EQ(m_state.Version, L"");
    EXPECT_EQ(m_state.Language, L"Vorel");
    EXPECT_EQ(m_state.LanguageId, L"1041");
}

TEST_F(SetupIniTest, MissingFeatureSectionGivesDefaults) {
    std::wstring content = L"[packnum]\r\ncount=12\r\n";
    for (int n = 1; n <= 12; ++n) {
        if (n == 7) continue;
        content += L"[sub" + std::to_wstring(n) + L"]\r\nname=F" + std::to_wstring(n) + L"\r\ncheck=1\r\nenable=0\r\n";
    }
    ASSERT_EQ(Read(content), 1);
    ASSERT_EQ(m_state.Features.size(), 12u);
    EXPECT_EQ(m_state.Features[11].Name, L"F12");  // sub12, not sub012 or sub1 again
    EXPECT_EQ(m_state.Features[9].Name, L"F10");
    const FeatureRecord& missing = m_state.Features[6];
    EXPECT_EQ(missing.Name, L"");
    EXPECT_EQ(missing.Description, L"");
    EXPECT_EQ(missing.Package, L"");
    EXPECT_EQ(missing.Check, 0);
    EXPECT_EQ(missing.Enable, 1);
}

TEST_F(SetupIniTest, FeatureCountIsBounded) {
    ASSERT_EQ(Read(L"[packnum]\r\ncount=-5\r\n"), 1);
    EXPECT_EQ(m_state.FeatureCount, 0);
    EXPECT_TRUE(m_state.Features.empty());

    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Read(L"[packnum]\r\ncount=2147483647\r\n[sub999]\r\nname=Last\r\n[sub1000]\r\nname=Beyond\r\n"), 1);
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(m_state.FeatureCount, kMaxFeatureCount);
    ASSERT_EQ(m_state.Features.size(), static_cast<size_t>(kMaxFeatureCount));
    EXPECT_EQ(m_state.Features.back().Name, L"Last");
    EXPECT_LT(seconds, 30);

    EXPECT_EQ(BoundedFeatureCount(-1), 0);
    EXPECT_EQ(BoundedFeatureCount(0), 0);
    EXPECT_EQ(BoundedFeatureCount(999), 999);
    EXPECT_EQ(BoundedFeatureCount(1000), 999);
}

TEST_F(SetupIniTest, LongValuesAreCutTo259Characters) {
    std::wstring longName(400, L'n');
    std::wstring longPath = L"D:\\" + std::wstring(300, L'p');
    ASSERT_EQ(Read(L"[SETUP]\r\nCOMPANYNAME=" + std::wstring(300, L'c') + L"\r\n[x64]\r\nSETUP_DEST=" + longPath +
                   L"\r\n[packnum]\r\ncount=1\r\n[sub1]\r\nname=" + longName + L"\r\npackage=" + longName + L"\r\n"),
              1);
    EXPECT_EQ(m_state.CompanyName, std::wstring(259, L'c'));
    EXPECT_EQ(m_state.TargetDir, longPath.substr(0, 259));
    EXPECT_EQ(m_state.Features[0].Name, std::wstring(259, L'n'));
    EXPECT_EQ(m_state.Features[0].Package, std::wstring(259, L'n'));
}

TEST_F(SetupIniTest, NonAsciiTextIsKept) {
    ASSERT_EQ(Read(L"[SETUP]\r\nCOMPANYNAME=\x5965\x6587\x63d0\r\n[x64]\r\nSETUP_DEST=D:\\\x8f6f\x4ef6\\\r\n"
                   L"[packnum]\r\ncount=1\r\n[sub1]\r\nname=\x6837\x4f8b \x0421\x044d\x043c\x043f\x043b\r\n"),
              1);
    EXPECT_EQ(m_state.CompanyName, L"\x5965\x6587\x63d0");
    EXPECT_EQ(m_state.TargetDir, L"D:\\\x8f6f\x4ef6");
    EXPECT_EQ(m_state.Features[0].Name, L"\x6837\x4f8b \x0421\x044d\x043c\x043f\x043b");
}

TEST_F(SetupIniTest, BinaryGarbageIsReadWithoutHarm) {
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 64 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage.push_back(static_cast<char>(seed >> 16));
    }
    ASSERT_TRUE(WriteFileBytes(m_path, garbage));
    m_state.Is64BitSystem = 1;
    ASSERT_EQ(ReadSetupIniFile(m_path, m_state), 1);
    EXPECT_LE(m_state.CompanyName.size(), 259u);
    EXPECT_LE(m_state.FeatureCount, kMaxFeatureCount);
    EXPECT_GE(m_state.FeatureCount, 0);
    EXPECT_EQ(m_state.Features.size(), static_cast<size_t>(m_state.FeatureCount));
}

}  // namespace
