#include "app/startup_checks.h"

#include "tests/app/registry_fixture.h"
#include "tests/common/test_paths.h"
#include "tests/driver/driver.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ElevationVerdict, UsesTheTokenFromVersion6AndGroupMembershipBefore) {
    struct Case {
        DWORD Major, Minor;
        bool Queried;
        DWORD Elevated;
        int Member;
        int Expected;
    };
    const Case table[] = {
        {5, 1, false, 0, 1, 1},  // XP administrator: membership is enough
        {5, 2, false, 0, 0, 0},  // XP user
        {5, 1, true, 1, 0, 0},   // before 6.0 the elevation flag is not asked
        {6, 0, true, 1, 0, 1},   // Vista, elevated
        {6, 0, true, 0, 1, 0},   // Vista administrator not started elevated
        {6, 1, false, 1, 1, 0},  // query failed or wrong size
        {10, 0, true, 1, 0, 1},
        {10, 0, true, 0, 1, 0},
    };
    for (const Case& c : table) {
        EXPECT_EQ(ElevationVerdict(c.Major, c.Minor, c.Queried, c.Elevated, c.Member), c.Expected)
            << c.Major << "." << c.Minor << " queried=" << c.Queried << " elevated=" << c.Elevated
            << " member=" << c.Member;
    }
}

TEST(ElevationChecks, WineGivesAnElevatedAdministrator) {
    EXPECT_EQ(IsElevated(), 1);
    EXPECT_EQ(IsMemberOfAdministrators(), 1);
}

TEST(Is64BitArchitecture, OnlyAmd64AndItanium) {
    EXPECT_EQ(Is64BitArchitecture(PROCESSOR_ARCHITECTURE_AMD64), 1);
    EXPECT_EQ(Is64BitArchitecture(PROCESSOR_ARCHITECTURE_IA64), 1);
    EXPECT_EQ(Is64BitArchitecture(PROCESSOR_ARCHITECTURE_INTEL), 0);
    EXPECT_EQ(Is64BitArchitecture(PROCESSOR_ARCHITECTURE_ARM64), 0);
    EXPECT_EQ(Is64BitArchitecture(PROCESSOR_ARCHITECTURE_UNKNOWN), 0);
}

TEST(BitnessRefusal, RefusesExactlyTheThreeCombinations) {
    struct Case {
        int System64, Package64, Installed, Installed64;
        int ExpectedId;  // 0: runs
    };
    const Case table[] = {
        {0, 1, 0, 0, 2024}, {0, 1, 1, 1, 2024},  // 64-bit medium on a 32-bit system, whatever is installed
        {0, 2, 0, 0, 0},                         // WOW64=2 is not a 64-bit medium for this check
        {0, 0, 0, 0, 0},    {0, 0, 1, 0, 0},     {0, 0, 1, 1, 0},
        {1, 0, 1, 1, 2011},                      // 64-bit installed, 32-bit medium
        {1, 0, 1, 0, 0},                         // 32-bit installed, 32-bit medium
        {1, 1, 1, 0, 2023},                      // 32-bit installed, 64-bit medium
        {1, 2, 1, 0, 2023},                      // any non-zero package counts here
        {1, 1, 1, 1, 0},                         // 64-bit installed, 64-bit medium: maintenance
        {1, 0, 0, 1, 0},    {1, 1, 0, 0, 0},     // nothing installed: no refusal
    };
    for (const Case& c : table) {
        const TextDef* refusal = BitnessRefusal(c.System64, c.Package64, c.Installed, c.Installed64);
        EXPECT_EQ(refusal ? refusal->Id : 0, c.ExpectedId)
            << "system64=" << c.System64 << " package64=" << c.Package64 << " installed=" << c.Installed
            << " installed64=" << c.Installed64;
    }
    EXPECT_STREQ(Text::Medium64OnSystem32.DefaultText, Text::Installed64On32Medium.DefaultText);
}

TEST(StringFromRegistryData, AcceptsOnlyTerminatedStringTypes) {
    struct Case {
        DWORD Type;
        std::wstring Data;  // raw characters, terminators included as given
        size_t ExtraByte;   // 1: an odd trailing byte
        bool Ok;
        const wchar_t* Text;
    };
    using namespace std::string_literals;
    const Case table[] = {
        {REG_SZ, L"x86\0"s, 0, true, L"x86"},
        {REG_EXPAND_SZ, L"x86\0"s, 0, true, L"x86"},
        {REG_MULTI_SZ, L"x86\0\0"s, 0, true, L"x86"},
        {REG_SZ, L"x86\0junk\0"s, 0, true, L"x86"},  // the text ends at the first terminator
        {REG_SZ, L"\0"s, 0, true, L""},
        {REG_SZ, L"x86"s, 0, false, L""},             // no terminator inside the data
        {REG_SZ, L""s, 0, false, L""},                // no data at all
        {REG_SZ, L"x86"s, 1, false, L""},             // half a character is no terminator
        {REG_BINARY, L"x86\0"s, 0, false, L""},
        {REG_DWORD, L"\0\0"s, 0, false, L""},
        {REG_NONE, L"x86\0"s, 0, false, L""},
    };
    for (const Case& c : table) {
        std::vector<BYTE> bytes(c.Data.size() * sizeof(wchar_t) + c.ExtraByte, 0);
        if (!c.Data.empty()) std::memcpy(bytes.data(), c.Data.data(), c.Data.size() * sizeof(wchar_t));
        std::wstring text = L"before";
        bool ok = StringFromRegistryData(c.Type, bytes.data(), static_cast<DWORD>(bytes.size()), text);
        EXPECT_EQ(ok, c.Ok) << "type " << c.Type << " data " << testing::PrintToString(c.Data);
        if (c.Ok) {
            EXPECT_EQ(text, c.Text);
        }
    }
}

class DetectInstalledProductTest : public testing::Test {
protected:
    std::wstring m_product = L"PelmTest" + std::to_wstring(GetCurrentProcessId());
    UninstallEntryFixture m_entry{m_product, L"t_det"};
    SetupState m_state;

    void SetUp() override {
        m_state.ProductName = m_product;
        m_state.Language = L"T_DET";
        m_state.LanguageLower = L"t_det";
        m_state.TargetDir = L"C:\\From\\Ini";
        m_state.InstallMode = Remove;
    }
    void Detect() { DetectInstalledProductInto(m_state); }
};

TEST_F(DetectInstalledProductTest, NoEntryMeansInstall) {
    Detect();
    EXPECT_EQ(m_state.Installed, 0);
    EXPECT_EQ(m_state.InstallMode, Install);
    EXPECT_EQ(m_state.TargetDir, L"C:\\From\\Ini");
}

TEST_F(DetectInstalledProductTest, ThirtyTwoBitProductWithLocation) {
    ASSERT_TRUE(m_entry.SetString(L"Platfrom", L"x86"));
    ASSERT_TRUE(m_entry.SetString(L"InstallLocation", L" D:\\Pel Mora\\ "));
    Detect();
    EXPECT_EQ(m_state.Installed, 1);
    EXPECT_EQ(m_state.InstalledIs64, 0);
    EXPECT_EQ(m_state.InstallMode, Remove);
    EXPECT_EQ(m_state.TargetDir, L" D:\\Pel Mora\\ ");  // taken without any trimming
}

TEST_F(DetectInstalledProductTest, AnyPlatformButExactlyX86IsTheSixtyFourBitProduct) {
    for (const wchar_t* platform : {L"X86", L"", L"x64", L"x86 "}) {
        ASSERT_TRUE(m_entry.SetString(L"Platfrom", platform));
        ASSERT_TRUE(m_entry.SetString(L"InstallLocation", L"D:\\P"));
        m_state.InstalledIs64 = 0;
        Detect();
        EXPECT_EQ(m_state.Installed, 1) << testing::PrintToString(std::wstring(platform));
        EXPECT_EQ(m_state.InstalledIs64, 1) << testing::PrintToString(std::wstring(platform));
    }
}

TEST_F(DetectInstalledProductTest, PlatformWithoutLocationIsNotInstalledButKeepsItsBitness) {
    ASSERT_TRUE(m_entry.SetString(L"Platfrom", L"x64"));
    Detect();
    EXPECT_EQ(m_state.Installed, 0);
    EXPECT_EQ(m_state.InstallMode, Install);
    EXPECT_EQ(m_state.InstalledIs64, 1);
    EXPECT_EQ(m_state.TargetDir, L"C:\\From\\Ini");
}

TEST_F(DetectInstalledProductTest, EntryOfAnotherLanguageIsNotFound) {
    UninstallEntryFixture other(m_product, L"t_other");
    ASSERT_TRUE(other.SetString(L"Platfrom", L"x86"));
    ASSERT_TRUE(other.SetString(L"InstallLocation", L"D:\\Other"));
    Detect();
    EXPECT_EQ(m_state.Installed, 0);
}

TEST_F(DetectInstalledProductTest, WrongTypesAndMissingTerminatorsCountAsMissing) {
    struct Case {
        const char* What;
        DWORD Type;
        std::vector<BYTE> Data;
    };
    auto chars = [](const wchar_t* text, size_t count) {
        const auto* bytes = reinterpret_cast<const BYTE*>(text);
        return std::vector<BYTE>(bytes, bytes + count * sizeof(wchar_t));
    };
    const Case table[] = {
        {"dword", REG_DWORD, {1, 0, 0, 0}},
        {"binary x86 with terminator", REG_BINARY, chars(L"x86", 4)},
        {"string without terminator", REG_SZ, chars(L"x86", 3)},
        {"empty data", REG_SZ, {}},
        {"longer than 260 bytes", REG_SZ, chars(std::wstring(130, L'a').c_str(), 131)},
    };
    for (const Case& c : table) {
        ASSERT_TRUE(m_entry.SetRaw(L"Platfrom", c.Type, c.Data.data(), static_cast<DWORD>(c.Data.size())));
        ASSERT_TRUE(m_entry.SetString(L"InstallLocation", L"D:\\P"));
        m_state.Installed = 1;
        Detect();
        EXPECT_EQ(m_state.Installed, 0) << c.What;
        EXPECT_EQ(m_state.InstallMode, Install) << c.What;
    }
}

TEST_F(DetectInstalledProductTest, StringTypesAreAllAccepted) {
    ASSERT_TRUE(m_entry.SetRaw(L"Platfrom", REG_MULTI_SZ, L"x86\0\0", 5 * sizeof(wchar_t)));
    ASSERT_TRUE(m_entry.SetRaw(L"InstallLocation", REG_EXPAND_SZ, L"%ProgramFiles%\\P", 17 * sizeof(wchar_t)));
    Detect();
    EXPECT_EQ(m_state.Installed, 1);
    EXPECT_EQ(m_state.InstalledIs64, 0);
    EXPECT_EQ(m_state.TargetDir, L"%ProgramFiles%\\P");  // not expanded
}

TEST_F(DetectInstalledProductTest, LocationMustFitInto260Characters) {
    ASSERT_TRUE(m_entry.SetString(L"Platfrom", L"x86"));
    std::wstring fits = L"D:\\" + std::wstring(256, L'f');  // 259 characters and the terminator
    ASSERT_TRUE(m_entry.SetString(L"InstallLocation", fits));
    Detect();
    EXPECT_EQ(m_state.Installed, 1);
    EXPECT_EQ(m_state.TargetDir, fits);

    m_state.TargetDir = L"C:\\From\\Ini";
    ASSERT_TRUE(m_entry.SetString(L"InstallLocation", fits + L"x"));
    Detect();
    EXPECT_EQ(m_state.Installed, 0);
    EXPECT_EQ(m_state.TargetDir, L"C:\\From\\Ini");  // never a cut folder
}

TEST(UninstallEntryName, IsProductAndLowerLanguage) {
    SetupState state;
    state.ProductName = L"Pelmora2016";
    state.LanguageLower = L"zh_cn";
    EXPECT_EQ(UninstallEntryName(state), L"Pelmora2016_zh_cn");
}

// A copy of the stub program under a name of this test's own: the exact,
// case-sensitive name finds it; the same name in other case does not.
TEST(FindProcessByExactName, MatchesTheFileNameExactly) {
    ScratchFolder folder(L"proc");
    std::wstring name = L"pelmfind" + std::to_wstring(GetCurrentProcessId()) + L".exe";
    std::wstring path = folder / name;
    ASSERT_TRUE(CopyFileW((BuildDir() + L"\\tests\\stub_program.exe").c_str(), path.c_str(), FALSE));

    EXPECT_EQ(FindProcessByExactName(name), 0u);
    driver::Process sleeper = driver::Process::Start(L"\"" + path + L"\" sleep-ms=20000");
    ASSERT_TRUE(sleeper.Started());
    DWORD found = 0;
    for (int i = 0; i < 100 && found == 0; ++i) {
        found = FindProcessByExactName(name);
        if (!found) Sleep(50);
    }
    EXPECT_EQ(found, sleeper.Id());
    std::wstring upper = name;
    for (auto& ch : upper) ch = static_cast<wchar_t>(towupper(ch));
    EXPECT_EQ(FindProcessByExactName(upper), 0u);
    sleeper.Kill();
}

}  // namespace
