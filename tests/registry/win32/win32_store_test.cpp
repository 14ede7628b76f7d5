// What only the registry store promises: where it writes (the 32-bit view), letters exact in
// UTF-16 whatever the code page, and capacities counted in UTF-16 units. Read back through the
// registry calls themselves, not through the store.
#include "registry/win32_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "win32_backend.h"

namespace pantrel {
namespace {

using testing_support::Win32Backend;

std::wstring Wide(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}

// The text value `name` of HKEY_LOCAL_MACHINE\path in the registry view `view`; empty when
// it cannot be read.
std::wstring ReadDirectly(const std::wstring& path, const std::wstring& name, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != 0) {
        return {};
    }
    wchar_t buffer[512] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status =
        RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return status == 0 && type == REG_SZ ? std::wstring{buffer} : std::wstring{};
}

class Win32StoreTest : public testing::Test {
protected:
    void Write(const std::string& path, const std::string& name, const std::string& text) {
        auto store = backend_.Open();
        std::unique_ptr<StoreKey> key;
        ASSERT_EQ(store->CreateKey(path, KEY_READ_WRITE_ACCESS, key), 0);
        ASSERT_EQ(key->SetValue(name, REG_SZ_TYPE, text + '\0'), 0);
        ASSERT_EQ(key->Close(), 0);
    }

    Win32Backend backend_;
};

TEST_F(Win32StoreTest, WritesTheThirtyTwoBitViewWithPolishLettersExact) {
    Write("Wagi etykietujące\\ModeleUni", "Żółw 1|Gęśla", "C:\\Łódź\\wagi.xml");
    const std::wstring path = Wide(backend_.Root()) + L"\\Wagi etykietuj\u0105ce\\ModeleUni";
    EXPECT_EQ(ReadDirectly(path, L"\u017b\u00f3\u0142w 1|G\u0119\u015bla", KEY_WOW64_32KEY),
              L"C:\\\u0141\u00f3d\u017a\\wagi.xml");
    // The 64-bit view, which the 32-bit universal driver never reads, stays untouched.
    EXPECT_EQ(ReadDirectly(path, L"\u017b\u00f3\u0142w 1|G\u0119\u015bla", KEY_WOW64_64KEY), L"");
}

TEST_F(Win32StoreTest, CapacitiesCountUtf16UnitsNotUtf8Bytes) {
    struct Case {
        std::string name;
        std::string data;
        Status expected;
    };
    std::string polish259;
    std::string polish519;
    for (int i = 0; i < 259; ++i) {
        polish259 += "ł";
    }
    for (int i = 0; i < 519; ++i) {
        polish519 += "ł";
    }
    const Case cases[] = {
        {polish259, "x", 0},  // 518 bytes of UTF-8, 259 characters
        {polish259 + "ł", "x", ERROR_MORE_DATA_STATUS},
        {"krótka", polish519 + std::string(1, '\0'), 0},  // 519 letters and the terminator
        {"krótka", polish519 + "ł" + std::string(1, '\0'), ERROR_MORE_DATA_STATUS},
    };
    for (const Case& c : cases) {
        auto store = backend_.Open();
        std::unique_ptr<StoreKey> key;
        ASSERT_EQ(store->CreateKey("Capacity", KEY_READ_WRITE_ACCESS, key), 0);
        ASSERT_EQ(key->SetValue(c.name, REG_SZ_TYPE, c.data), 0);
        std::string name;
        std::string data;
        EXPECT_EQ(key->EnumValue(0, name, 260, &data, 520), c.expected) << c.name.size();
        if (c.expected == 0) {
            EXPECT_EQ(name, c.name);
            EXPECT_EQ(data, c.data);
        }
        ASSERT_EQ(key->DeleteValue(c.name), 0);
    }
}

TEST_F(Win32StoreTest, TextThatIsNotUtf8IsRefused) {
    auto store = backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->CreateKey("Text", KEY_READ_WRITE_ACCESS, key), 0);
    EXPECT_EQ(key->SetValue("\xB3\xF3\x64\x9F", REG_SZ_TYPE, std::string("x\0", 2)),
              ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(key->SetValue("name", REG_SZ_TYPE, std::string("\xB3\0", 2)),
              ERROR_NO_UNICODE_TRANSLATION);
    // Bytes of other types pass unchanged.
    EXPECT_EQ(key->SetValue("bytes", REG_BINARY_TYPE, std::string("\xB3\xF3", 2)), 0);
    std::uint32_t type = 0;
    std::string data;
    std::size_t size = 0;
    EXPECT_EQ(key->QueryValue("bytes", type, data, 2, size), 0);
    EXPECT_EQ(data, std::string("\xB3\xF3", 2));
}

}  // namespace
}  // namespace pantrel
