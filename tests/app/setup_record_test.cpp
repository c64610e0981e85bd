#include "app/setup_record.h"

#include "framework/handles.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

struct RawValue {
    std::wstring Name;
    DWORD Type = 0;
    std::vector<BYTE> Data;
};

std::vector<RawValue> ReadAllValues(REGSAM view) {
    std::vector<RawValue> values;
    unique_hkey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSetupRecordKey, 0, KEY_READ | view, key.put()) != ERROR_SUCCESS) {
        key.release();
        return values;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        BYTE data[2048];
        DWORD bytes = sizeof(data);
        RawValue value;
        if (RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &value.Type, data, &bytes) != ERROR_SUCCESS)
            break;
        value.Name.assign(name, nameLength);
        value.Data.assign(data, data + bytes);
        values.push_back(std::move(value));
    }
    return values;
}

// The registry does not keep the order of writing, so values are compared by name.
std::map<std::wstring, RawValue> ValuesByName(REGSAM view) {
    std::map<std::wstring, RawValue> byName;
    for (RawValue& value : ReadAllValues(view)) byName[value.Name] = value;
    return byName;
}

std::vector<BYTE> StringBytes(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

std::vector<BYTE> DwordBytes(DWORD value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    return std::vector<BYTE>(bytes, bytes + sizeof(value));
}

class SetupRecordTest : public testing::Test {
protected:
    void SetUp() override { DeleteRecord(); }
    void TearDown() override { DeleteRecord(); }
    static void DeleteRecord() {
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orvanti\\Pelmora\\Pelmora_Setup", KEY_WOW64_32KEY, 0);
    }
    SetupState m_state;
};

TEST_F(SetupRecordTest, WritesTheFiveValuesIntoThe32BitView) {
    m_state.TargetDir = L"D:\\Pel Mora\\\x8f6f\x4ef6";
    m_state.LanguageId = L"1028";
    m_state.Language = L"zh_TW";
    m_state.Num = 7;
    m_state.NetTest = -1;
    WriteSetupRecordFrom(m_state);

    std::map<std::wstring, RawValue> values = ValuesByName(KEY_WOW64_32KEY);
    ASSERT_EQ(values.size(), 5u);
    // Strings are stored with their terminator: 2 x (characters + 1) bytes.
    EXPECT_EQ(values[L"path"].Type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(values[L"path"].Data, StringBytes(m_state.TargetDir));
    EXPECT_EQ(values[L"language"].Type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(values[L"language"].Data, StringBytes(L"1028"));
    EXPECT_EQ(values[L"NUM"].Type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(values[L"NUM"].Data, DwordBytes(7));
    EXPECT_EQ(values[L"NetTest"].Type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(values[L"NetTest"].Data, DwordBytes(0xFFFFFFFFu));
    EXPECT_EQ(values[L"RegLang"].Type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(values[L"RegLang"].Data, StringBytes(L"zh-TW"));

    // The 64-bit view of a 64-bit Windows does not see it.
    EXPECT_TRUE(ReadAllValues(KEY_WOW64_64KEY).empty());
}

TEST_F(SetupRecordTest, WritingAgainOverwrites) {
    m_state.TargetDir = L"D:\\First";
    WriteSetupRecordFrom(m_state);
    m_state.TargetDir = L"E:\\Second";
    m_state.Language = L"vorel";
    WriteSetupRecordFrom(m_state);
    std::map<std::wstring, RawValue> values = ValuesByName(KEY_WOW64_32KEY);
    ASSERT_EQ(values.size(), 5u);
    EXPECT_EQ(values[L"path"].Data, StringBytes(L"E:\\Second"));
    EXPECT_EQ(values[L"RegLang"].Data, StringBytes(L"vorel"));
}

TEST(RegistryLanguage, ReplacesEveryUnderscore) {
    EXPECT_EQ(RegistryLanguage(L"zh_cn"), L"zh-cn");
    EXPECT_EQ(RegistryLanguage(L"zh_TW"), L"zh-TW");
    EXPECT_EQ(RegistryLanguage(L"vorel"), L"vorel");
    EXPECT_EQ(RegistryLanguage(L"a__b_"), L"a--b-");
    EXPECT_EQ(RegistryLanguage(L""), L"");
}

}  // namespace
