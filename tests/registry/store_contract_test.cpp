// What every registry store backend must do, written against RegistryStore alone: each backend
// of StoreBackends (store_backends.h, one per platform) runs StoreContractTest. What only the
// SQLite store promises (the order values were first written in, transactions, a store file
// that may be missing or read-only) is FileStoreContractTest, run on that store alone: the
// registry lists in an order of its own (Wine sorts by name) and commits every write at once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "../support/repeat_text.h"
#include "base/win32_status.h"
#include "concurrent_peer.h"
#include "registry/registry_store.h"
#include "store_backends.h"

namespace pantrel {
namespace {

namespace fs = std::filesystem;
using testing_support::Repeat;

using testing_support::SqliteBackend;
using testing_support::StoreBackends;
using Child = testing_support::ConcurrentPeer;

// ---- Helpers --------------------------------------------------------------------------------

constexpr std::uint32_t RW = KEY_READ_WRITE_ACCESS;
constexpr std::uint32_t RO = KEY_READ_ACCESS;
constexpr const char* kModelKey =
    "Software\\Tarvex\\Sterowniki2\\Kasy fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}"
    "\\ModeleUni";

// A string value's data: the text and its terminating NUL.
std::string Sz(std::string_view text) {
    return std::string(text) + '\0';
}

struct Listed {
    std::vector<std::pair<std::string, std::string>> values;  // name, data
    Status end = ERROR_SUCCESS_STATUS;                        // the status that ended the list
};

Listed List(StoreKey& key) {
    Listed listed;
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        std::string data;
        listed.end = key.EnumValue(index, name, 16384, &data, 1 << 21);
        if (listed.end != 0) {
            return listed;
        }
        listed.values.emplace_back(name, data);
    }
}

std::vector<std::string> Names(StoreKey& key) {
    std::vector<std::string> names;
    for (const auto& [name, data] : List(key).values) {
        names.push_back(name);
    }
    return names;
}

template <typename Backend>
class StoreContractTest : public ::testing::Test {
protected:
    // Writes values into `path`, creating it, and commits them.
    void Put(std::string_view path,
             const std::vector<std::pair<std::string, std::string>>& values) {
        auto store = backend_.Open();
        std::unique_ptr<StoreKey> key;
        ASSERT_EQ(store->CreateKey(path, RW, key), 0);
        for (const auto& [name, data] : values) {
            ASSERT_EQ(key->SetValue(name, REG_SZ_TYPE, data), 0) << name;
        }
        ASSERT_EQ(key->Close(), 0);
    }
    // The values of `path` as a new store object sees them; none when it cannot be opened.
    std::vector<std::pair<std::string, std::string>> Committed(std::string_view path) {
        auto store = backend_.Open();
        std::unique_ptr<StoreKey> key;
        if (store->OpenKey(path, RO, key) != 0) {
            return {};
        }
        return List(*key).values;
    }
    Status OpenStatus(std::string_view path) {
        auto store = backend_.Open();
        std::unique_ptr<StoreKey> key;
        return store->OpenKey(path, RO, key);
    }

    // Creates subkeys of "Root", one of them twice in two spellings, and lists them by index;
    // asking for an index again answers the same name.
    std::vector<std::string> CreateKindKeysAndListThem() {
        Put("Root\\Wagi etykietujące\\{X}", {});
        Put("Root\\Kasy fiskalne", {});
        Put("ROOT\\kasy FISKALNE\\{Y}", {});
        Put("Root\\Żółte", {});
        auto store = backend_.Open();
        std::unique_ptr<StoreKey> root;
        EXPECT_EQ(store->OpenKey("Root", RO, root), 0);
        std::vector<std::string> names;
        if (!root) {
            return names;
        }
        std::string name;
        Status status = 0;
        for (std::uint32_t i = 0; (status = root->EnumSubKey(i, name)) == 0; ++i) {
            names.push_back(name);
        }
        EXPECT_EQ(status, ERROR_NO_MORE_ITEMS_STATUS);
        if (names.size() > 1) {
            EXPECT_EQ(root->EnumSubKey(1, name), 0);
            EXPECT_EQ(name, names[1]);
        }
        return names;
    }

    Backend backend_;
};

TYPED_TEST_SUITE(StoreContractTest, StoreBackends);

// The stores that list values in the order they were first written, commit everything written
// through write handles at once, and live in a file.
template <typename Backend>
class FileStoreContractTest : public StoreContractTest<Backend> {};

TYPED_TEST_SUITE(FileStoreContractTest, ::testing::Types<SqliteBackend>);

// ---- Keys -----------------------------------------------------------------------------------

TYPED_TEST(StoreContractTest, CreateKeyCreatesEveryMissingKeyAbove) {
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->CreateKey(kModelKey, RW, key), 0);
    ASSERT_EQ(key->Close(), 0);

    for (const char* path : {"Software", "Software\\Tarvex\\Sterowniki2", kModelKey}) {
        EXPECT_EQ(this->OpenStatus(path), 0) << path;
    }
    EXPECT_EQ(this->OpenStatus("Software\\Tarvex\\Sterowniki3"), ERROR_FILE_NOT_FOUND_STATUS);
    // Creating an existing key opens it with its values.
    this->Put(kModelKey, {{"ABC-1|XYZ", Sz("/a.xml")}});
    ASSERT_EQ(store->CreateKey(kModelKey, RO, key), 0);
    EXPECT_EQ(Names(*key), std::vector<std::string>{"ABC-1|XYZ"});
}

TYPED_TEST(StoreContractTest, PathsWithEmptyComponentsAreRefused) {
    auto store = this->backend_.Open();
    for (const char* path : {"", "\\Software", "Software\\", "Software\\\\Tarvex", "\\"}) {
        std::unique_ptr<StoreKey> key;
        EXPECT_EQ(store->CreateKey(path, RW, key), ERROR_INVALID_PARAMETER_STATUS) << path;
        EXPECT_EQ(store->OpenKey(path, RO, key), ERROR_INVALID_PARAMETER_STATUS) << path;
        EXPECT_EQ(key, nullptr);
    }
    EXPECT_EQ(this->OpenStatus("Software"), ERROR_FILE_NOT_FOUND_STATUS);
}

TYPED_TEST(StoreContractTest, SubkeysAreListedOnceEachInTheSpellingTheyWereCreatedWith) {
    const std::vector<std::string> names = this->CreateKindKeysAndListThem();
    EXPECT_THAT(names,
                ::testing::UnorderedElementsAre("Wagi etykietujące", "Kasy fiskalne", "Żółte"));
}

TYPED_TEST(FileStoreContractTest, SubkeysAreListedInTheOrderTheyWereCreated) {
    EXPECT_EQ(this->CreateKindKeysAndListThem(),
              (std::vector<std::string>{"Wagi etykietujące", "Kasy fiskalne", "Żółte"}));
}

TYPED_TEST(StoreContractTest, DeleteSubKeyRemovesAKeyWithoutSubkeysOnly) {
    this->Put("Root\\Driver\\ModeleUni", {{"A|B", Sz("/a.xml")}});
    this->Put("Root\\Driver\\ModeleUni\\Inner", {});
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> root;
    std::unique_ptr<StoreKey> driver;
    ASSERT_EQ(store->OpenKey("Root", RW, root), 0);
    ASSERT_EQ(store->OpenKey("Root\\Driver", RW, driver), 0);

    EXPECT_EQ(root->DeleteSubKey("Driver"), ERROR_ACCESS_DENIED_STATUS);  // has subkeys
    EXPECT_EQ(driver->DeleteSubKey("ModeleUni"), ERROR_ACCESS_DENIED_STATUS);
    EXPECT_EQ(driver->DeleteSubKey("ModeleUni\\Inner"), 0);
    EXPECT_EQ(driver->DeleteSubKey("modeleuni"), 0);  // values go with it
    EXPECT_EQ(driver->DeleteSubKey("ModeleUni"), ERROR_FILE_NOT_FOUND_STATUS);
    EXPECT_EQ(driver->DeleteSubKey("Elsewhere"), ERROR_FILE_NOT_FOUND_STATUS);
    ASSERT_EQ(driver->Close(), 0);
    ASSERT_EQ(root->Close(), 0);

    EXPECT_EQ(this->OpenStatus("Root\\Driver\\ModeleUni"), ERROR_FILE_NOT_FOUND_STATUS);
    EXPECT_EQ(this->OpenStatus("Root\\Driver"), 0);
    this->Put("Root\\Driver\\ModeleUni", {});
    EXPECT_TRUE(this->Committed("Root\\Driver\\ModeleUni").empty());  // nothing came back
}

TYPED_TEST(StoreContractTest, AKeyDeletedUnderAnOpenHandleTakesNoMoreValues) {
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> parent;
    std::unique_ptr<StoreKey> child;
    ASSERT_EQ(store->CreateKey("Root", RW, parent), 0);
    ASSERT_EQ(store->CreateKey("Root\\Child", RW, child), 0);
    ASSERT_EQ(parent->DeleteSubKey("Child"), 0);
    EXPECT_EQ(child->SetValue("A|B", REG_SZ_TYPE, Sz("x")), ERROR_KEY_DELETED_STATUS);
    ASSERT_EQ(child->Close(), 0);
    ASSERT_EQ(parent->Close(), 0);
    EXPECT_EQ(this->OpenStatus("Root\\Child"), ERROR_FILE_NOT_FOUND_STATUS);
}

// ---- Values ---------------------------------------------------------------------------------

TYPED_TEST(StoreContractTest, ValuesAreWrittenReplacedReadAndDeleted) {
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->CreateKey(kModelKey, RW, key), 0);
    ASSERT_EQ(key->SetValue("Wersja", REG_SZ_TYPE, Sz("1.0.0")), 0);
    ASSERT_EQ(key->SetValue("Wersja", REG_BINARY_TYPE, std::string("\x01\x00\x02", 3)), 0);
    ASSERT_EQ(key->SetValue("", REG_DWORD_TYPE, std::string(4, '\0')), 0);  // the default value

    std::uint32_t type = 0;
    std::string data;
    std::size_t size = 0;
    EXPECT_EQ(key->QueryValue("Wersja", type, data, 3, size), 0);
    EXPECT_EQ(type, REG_BINARY_TYPE);
    EXPECT_EQ(data, std::string("\x01\x00\x02", 3));
    EXPECT_EQ(size, 3U);

    EXPECT_EQ(key->QueryValue("Wersja", type = 0, data, 2, size), ERROR_MORE_DATA_STATUS);
    EXPECT_EQ(type, REG_BINARY_TYPE);
    EXPECT_EQ(size, 3U);
    EXPECT_TRUE(data.empty());

    EXPECT_EQ(key->QueryValue("", type, data, 4, size), 0);
    EXPECT_EQ(type, REG_DWORD_TYPE);
    EXPECT_EQ(key->QueryValue("Brak", type, data, 260, size), ERROR_FILE_NOT_FOUND_STATUS);

    EXPECT_EQ(key->DeleteValue("Wersja"), 0);
    EXPECT_EQ(key->DeleteValue("Wersja"), ERROR_FILE_NOT_FOUND_STATUS);
    EXPECT_EQ(key->QueryValue("Wersja", type, data, 260, size), ERROR_FILE_NOT_FOUND_STATUS);
    ASSERT_EQ(key->Close(), 0);
    EXPECT_EQ(this->Committed(kModelKey).size(), 1U);
}

// Every store lists in an order of its own, which must hold while the key is unchanged: the
// model list reads index after index.
TYPED_TEST(StoreContractTest, ValuesAreListedInAStableOrderWhileTheKeyIsUnchanged) {
    this->Put(kModelKey, {{"c|P", Sz("1")}, {"a|P", Sz("2")}, {"B|P", Sz("3")}, {"d|P", Sz("4")}});
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->OpenKey(kModelKey, RO, key), 0);
    const Listed listed = List(*key);
    EXPECT_EQ(listed.end, ERROR_NO_MORE_ITEMS_STATUS);
    EXPECT_THAT(listed.values, ::testing::UnorderedElementsAre(
                                   std::make_pair("c|P", Sz("1")), std::make_pair("a|P", Sz("2")),
                                   std::make_pair("B|P", Sz("3")), std::make_pair("d|P", Sz("4"))));
    std::string name;
    std::string data;
    for (const std::uint32_t index : {2U, 0U, 3U, 1U, 1U, 4U, 2U}) {
        const Status status = key->EnumValue(index, name, 260, &data, 520);
        if (index < listed.values.size()) {
            EXPECT_EQ(status, 0) << index;
            EXPECT_EQ(std::make_pair(name, data), listed.values[index]) << index;
        } else {
            EXPECT_EQ(status, ERROR_NO_MORE_ITEMS_STATUS) << index;
        }
    }
    EXPECT_EQ(this->Committed(kModelKey), listed.values);  // another store object agrees
}

TYPED_TEST(FileStoreContractTest, ValuesAreListedInTheOrderTheyWereFirstWritten) {
    this->Put(kModelKey, {{"c|P", Sz("1")}, {"a|P", Sz("2")}, {"b|P", Sz("3")}});
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->OpenKey(kModelKey, RW, key), 0);
    ASSERT_EQ(key->SetValue("a|P", REG_SZ_TYPE, Sz("replaced")), 0);  // keeps its place
    ASSERT_EQ(key->DeleteValue("c|P"), 0);
    ASSERT_EQ(key->SetValue("c|P", REG_SZ_TYPE, Sz("again")), 0);  // new again: goes last
    ASSERT_EQ(key->SetValue("d|P", REG_SZ_TYPE, Sz("4")), 0);
    ASSERT_EQ(key->Close(), 0);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"a|P", Sz("replaced")}, {"b|P", Sz("3")}, {"c|P", Sz("again")}, {"d|P", Sz("4")}};
    ASSERT_EQ(store->OpenKey(kModelKey, RO, key), 0);
    const Listed listed = List(*key);
    EXPECT_EQ(listed.values, expected);
    EXPECT_EQ(listed.end, ERROR_NO_MORE_ITEMS_STATUS);
    std::string name;
    EXPECT_EQ(key->EnumValue(99, name, 260, nullptr, 0), ERROR_NO_MORE_ITEMS_STATUS);
    // Asking again, in any order, gives the same answers.
    std::string data;
    for (const std::uint32_t index : {2U, 0U, 3U, 1U, 1U, 4U, 2U}) {
        const Status status = key->EnumValue(index, name, 260, &data, 520);
        if (index < expected.size()) {
            EXPECT_EQ(status, 0) << index;
            EXPECT_EQ(std::make_pair(name, data), expected[index]) << index;
        } else {
            EXPECT_EQ(status, ERROR_NO_MORE_ITEMS_STATUS) << index;
        }
    }
    EXPECT_EQ(this->Committed(kModelKey), expected);  // the order is stored, not remembered
}

TYPED_TEST(StoreContractTest, ListingFollowsChangesMadeMeanwhile) {
    this->Put(kModelKey, {{"a", Sz("1")}, {"b", Sz("2")}, {"c", Sz("3")}, {"d", Sz("4")}});
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> reader;
    std::unique_ptr<StoreKey> writer;
    ASSERT_EQ(store->OpenKey(kModelKey, RW, writer), 0);
    ASSERT_EQ(store->OpenKey(kModelKey, RO, reader), 0);
    std::string name;
    ASSERT_EQ(reader->EnumValue(0, name, 260, nullptr, 0), 0);
    ASSERT_EQ(reader->EnumValue(1, name, 260, nullptr, 0), 0);
    EXPECT_EQ(name, "b");

    ASSERT_EQ(writer->DeleteValue("a"), 0);
    // Index 2 is now the last value: the listing is of the key as it is.
    ASSERT_EQ(reader->EnumValue(2, name, 260, nullptr, 0), 0);
    EXPECT_EQ(name, "d");
    EXPECT_EQ(reader->EnumValue(3, name, 260, nullptr, 0), ERROR_NO_MORE_ITEMS_STATUS);
    ASSERT_EQ(writer->Close(), 0);
}

TYPED_TEST(StoreContractTest, EnumValueAnswers234WhenTheNameOrTheDataDoNotFit) {
    struct Case {
        std::string name;
        std::string data;
        bool withData;
        Status expected;
        std::uint32_t type = REG_SZ_TYPE;
    };
    // Capacities count as an ANSI reader of the registry does: one per Windows-1250 character
    // (ą, ł, €, „ are two or three UTF-8 bytes), UTF-16 units for any other character.
    const std::string smile = "\xF0\x9F\x98\x80";  // outside the BMP: two UTF-16 units
    const std::vector<Case> measured = {
        {Repeat("ą", 258), "x", true, 0},
        {Repeat("ą", 259), "x", true, 0},
        {Repeat("ą", 260), "x", false, ERROR_MORE_DATA_STATUS},
        {Repeat("日", 259), "x", true, 0},
        {Repeat("日", 260), "x", true, ERROR_MORE_DATA_STATUS},
        {Repeat(smile, 129) + "a", "x", true, 0},
        {Repeat(smile, 130), "x", true, ERROR_MORE_DATA_STATUS},
        {"p", Sz(Repeat("ł", 518)), true, 0},
        {"p", Sz(Repeat("ł", 519)), true, 0},
        {"p", Sz(Repeat("ł", 520)), true, ERROR_MORE_DATA_STATUS},
        {"p", Sz(Repeat("€", 519)), true, 0},
        {"p", Sz(Repeat(smile, 259) + "a"), true, 0},
        {"p", Sz(Repeat(smile, 260)), true, ERROR_MORE_DATA_STATUS},
        // Data that are no text count in bytes.
        {"b", Repeat("ł", 260), true, 0, REG_BINARY_TYPE},
        {"b", Repeat("ł", 261), true, ERROR_MORE_DATA_STATUS, REG_BINARY_TYPE},
    };
    const std::vector<Case> cases = {
        {std::string(259, 'n'), std::string(520, 'd'), true, 0},
        {std::string(260, 'n'), "x", true, ERROR_MORE_DATA_STATUS},
        {std::string(260, 'n'), "x", false, ERROR_MORE_DATA_STATUS},
        {"short", std::string(521, 'd'), true, ERROR_MORE_DATA_STATUS},
        {"short", std::string(521, 'd'), false, 0},  // data not asked for
        {"ł", std::string(520, 'd'), true, 0},
    };
    std::vector<Case> all = cases;
    all.insert(all.end(), measured.begin(), measured.end());
    for (const Case& c : all) {
        auto store = this->backend_.Open();
        std::unique_ptr<StoreKey> key;
        ASSERT_EQ(store->CreateKey("Capacity", RW, key), 0);
        ASSERT_EQ(key->SetValue(c.name, c.type, c.data), 0);
        std::string name;
        std::string data;
        EXPECT_EQ(key->EnumValue(0, name, 260, c.withData ? &data : nullptr, 520), c.expected)
            << c.name.size() << " " << c.data.size() << " " << c.type;
        if (c.expected == 0) {
            EXPECT_EQ(name, c.name);
            EXPECT_EQ(data, c.withData ? c.data : "");
        }
        // The next index is still answered as the end of the list.
        EXPECT_EQ(key->EnumValue(1, name, 260, &data, 520), ERROR_NO_MORE_ITEMS_STATUS);
        ASSERT_EQ(key->DeleteValue(c.name), 0);
        ASSERT_EQ(key->Close(), 0);
    }
}

TYPED_TEST(StoreContractTest, QueryValueCountsTextAsTheRegistryDoes) {
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->CreateKey(kModelKey, RW, key), 0);
    const std::string text = Sz(Repeat("ą", 259));  // 519 UTF-8 bytes, 260 for the registry
    ASSERT_EQ(key->SetValue("Wersja", REG_SZ_TYPE, text), 0);
    std::uint32_t type = 0;
    std::string data;
    std::size_t size = 0;
    EXPECT_EQ(key->QueryValue("Wersja", type, data, 260, size), 0);
    EXPECT_EQ(data, text);
    EXPECT_EQ(size, 260U);
    EXPECT_EQ(key->QueryValue("Wersja", type, data, 259, size), ERROR_MORE_DATA_STATUS);
    EXPECT_EQ(size, 260U);
    EXPECT_TRUE(data.empty());
    ASSERT_EQ(key->Close(), 0);
}

TYPED_TEST(StoreContractTest, WritesBeyondTheRegistryLimitsAreRefused) {
    struct Case {
        std::string name;
        std::size_t dataSize;
        Status expected;
    };
    const std::vector<Case> cases = {
        {std::string(16383, 'n'), 1, 0},
        {std::string(16384, 'n'), 1, ERROR_INVALID_PARAMETER_STATUS},
        {"big", 1024 * 1024, 0},
        {"big", 1024 * 1024 + 1, ERROR_INVALID_PARAMETER_STATUS},
    };
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->CreateKey("Limits", RW, key), 0);
    for (const Case& c : cases) {
        EXPECT_EQ(key->SetValue(c.name, REG_BINARY_TYPE, std::string(c.dataSize, 'd')), c.expected)
            << c.name.size() << " " << c.dataSize;
    }
    ASSERT_EQ(key->Close(), 0);
    EXPECT_EQ(this->Committed("Limits").size(), 2U);
}

TYPED_TEST(StoreContractTest, AKeyOpenedForReadingIsNotWritten) {
    this->Put(kModelKey, {{"A|B", Sz("/a.xml")}});
    this->Put(kModelKey + std::string("\\Inner"), {});
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->OpenKey(kModelKey, RO, key), 0);
    EXPECT_EQ(key->SetValue("C|D", REG_SZ_TYPE, Sz("/c.xml")), ERROR_ACCESS_DENIED_STATUS);
    EXPECT_EQ(key->DeleteValue("A|B"), ERROR_ACCESS_DENIED_STATUS);
    EXPECT_EQ(key->DeleteSubKey("Inner"), ERROR_ACCESS_DENIED_STATUS);
    ASSERT_EQ(key->Close(), 0);
    EXPECT_EQ(this->Committed(kModelKey).size(), 1U);
    EXPECT_EQ(this->OpenStatus(kModelKey + std::string("\\Inner")), 0);
}

TYPED_TEST(StoreContractTest, NamesCompareWithoutRegardToCaseAndKeepTheirFirstSpelling) {
    const std::vector<std::pair<std::string, std::string>> spellings = {
        {"ABC|X", "abc|x"},
        {"ŁÓDŹ|ĄĆĘŃŚŻ", "łódź|ąćęńśż"},
        {"Żółw-2|Gęś", "żÓŁW-2|gĘŚ"},
    };
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->CreateKey("Software\\ŁÓDŹ\\Kasy", RW, key), 0);
    for (const auto& [first, second] : spellings) {
        ASSERT_EQ(key->SetValue(first, REG_SZ_TYPE, Sz("first")), 0);
        ASSERT_EQ(key->SetValue(second, REG_SZ_TYPE, Sz("second")), 0);
    }
    ASSERT_EQ(key->Close(), 0);

    ASSERT_EQ(store->OpenKey("SOFTWARE\\łódź\\kASY", RW, key), 0);
    const Listed listed = List(*key);
    ASSERT_EQ(listed.values.size(), spellings.size());
    for (std::size_t i = 0; i < spellings.size(); ++i) {
        EXPECT_EQ(listed.values[i].first, spellings[i].first);  // the first spelling stays
        EXPECT_EQ(listed.values[i].second, Sz("second"));
        std::uint32_t type = 0;
        std::string data;
        std::size_t size = 0;
        EXPECT_EQ(key->QueryValue(spellings[i].second, type, data, 260, size), 0);
    }
    EXPECT_EQ(key->DeleteValue("abc|X"), 0);
    EXPECT_EQ(List(*key).values.size(), spellings.size() - 1);
    // Letters that only look alike are different names.
    EXPECT_EQ(key->DeleteValue("LODZ|ACENSZ"), ERROR_FILE_NOT_FOUND_STATUS);
    ASSERT_EQ(key->Close(), 0);
}

// ---- Transactions ---------------------------------------------------------------------------

TYPED_TEST(FileStoreContractTest, WritesAreCommittedWhenTheLastWriteHandleCloses) {
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> models;
    std::unique_ptr<StoreKey> driver;
    ASSERT_EQ(store->CreateKey("Driver\\ModeleUni", RW, models), 0);
    ASSERT_EQ(models->SetValue("A|B", REG_SZ_TYPE, Sz("/a.xml")), 0);
    ASSERT_EQ(store->OpenKey("Driver", RW, driver), 0);
    ASSERT_EQ(driver->SetValue("Wersja", REG_SZ_TYPE, Sz("0.1.0")), 0);

    // The writing store object reads what it wrote; other store objects do not, yet.
    std::unique_ptr<StoreKey> reader;
    ASSERT_EQ(store->OpenKey("Driver", RO, reader), 0);
    EXPECT_EQ(List(*reader).values.size(), 1U);
    ASSERT_EQ(reader->Close(), 0);
    EXPECT_EQ(this->OpenStatus("Driver"), ERROR_FILE_NOT_FOUND_STATUS);

    ASSERT_EQ(driver->Close(), 0);
    EXPECT_EQ(driver->Close(), 0);  // a second close changes nothing
    EXPECT_EQ(this->OpenStatus("Driver"), ERROR_FILE_NOT_FOUND_STATUS);

    models.reset();  // a key destroyed without Close() closes itself: the last one commits
    EXPECT_EQ(this->Committed("Driver\\ModeleUni").size(), 1U);
    EXPECT_EQ(this->Committed("Driver").size(), 1U);
}

TYPED_TEST(StoreContractTest, AReaderSteppingThroughAKeyDoesNotBlockALaterWrite) {
    this->Put(kModelKey, {{"a", Sz("1")}, {"b", Sz("2")}});
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> reader;
    ASSERT_EQ(store->OpenKey(kModelKey, RO, reader), 0);
    std::string name;
    ASSERT_EQ(reader->EnumValue(0, name, 260, nullptr, 0), 0);

    this->Put(kModelKey, {{"c", Sz("3")}});  // another store object commits meanwhile
    std::unique_ptr<StoreKey> writer;
    ASSERT_EQ(store->CreateKey(kModelKey, RW, writer), 0);
    EXPECT_EQ(writer->SetValue("d", REG_SZ_TYPE, Sz("4")), 0);
    EXPECT_EQ(writer->Close(), 0);
    EXPECT_EQ(Names(*reader), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TYPED_TEST(FileStoreContractTest, AnotherProcessReadsTheLastCommittedStateWhileTheToolWrites) {
    this->Put(kModelKey, {{"A|B", Sz("old")}});
    const auto& backend = this->backend_;
    Child reader([&backend](Child& self) {
        for (std::string command = self.Receive(); command == "read"; command = self.Receive()) {
            auto store = backend.Open();
            std::unique_ptr<StoreKey> key;
            const Status opened = store->OpenKey(kModelKey, RO, key);
            std::uint32_t type = 0;
            std::string data;
            std::size_t size = 0;
            if (opened != 0 || key->QueryValue("A|B", type, data, 520, size) != 0) {
                self.Send("open or query failed");
                continue;
            }
            data.pop_back();
            self.Send(std::to_string(List(*key).values.size()) + " " + data);
        }
        return 0;
    });

    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    ASSERT_EQ(store->OpenKey(kModelKey, RW, key), 0);
    ASSERT_EQ(key->SetValue("A|B", REG_SZ_TYPE, Sz("new")), 0);
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(key->SetValue("Model " + std::to_string(i) + "|P", REG_SZ_TYPE, Sz("p")), 0);
    }
    reader.Send("read");
    EXPECT_EQ(reader.Receive(), "1 old");
    ASSERT_EQ(key->Close(), 0);
    reader.Send("read");
    EXPECT_EQ(reader.Receive(), "201 new");
    reader.Send("quit");
    EXPECT_EQ(reader.Wait(), 0);
}

TYPED_TEST(StoreContractTest, TwoWritingProcessesWaitForEachOther) {
    const auto& backend = this->backend_;
    // Each writer writes its own models into the same key; the first one holds its write
    // handle until told to let go, so that the second one has to wait for it.
    const auto writer = [&backend](const std::string& prefix, bool holds) {
        return [&backend, prefix, holds](Child& self) {
            if (self.Receive() != "go") {
                return 10;
            }
            auto store = backend.Open();
            std::unique_ptr<StoreKey> key;
            if (store->CreateKey(kModelKey, RW, key) != 0) {
                return 11;
            }
            for (int i = 0; i < 300; ++i) {
                if (key->SetValue(prefix + std::to_string(i) + "|P", REG_SZ_TYPE, Sz("p")) != 0) {
                    return 12;
                }
            }
            if (holds) {
                self.Send("holding");
                if (self.Receive() != "release") {
                    return 13;
                }
            } else {
                self.Send("opened");
            }
            return key->Close() == 0 ? 0 : 14;
        };
    };
    Child first(writer("first ", true));
    Child second(writer("second ", false));
    first.Send("go");
    ASSERT_EQ(first.Receive(), "holding");
    second.Send("go");
    // The second one may not even open the key for writing while the first one holds it: an
    // uninstall's "the key is empty, delete it" must hold when it deletes.
    EXPECT_EQ(second.Receive(500), "(timeout)");
    first.Send("release");
    EXPECT_EQ(second.Receive(), "opened");
    EXPECT_EQ(first.Wait(), 0);
    EXPECT_EQ(second.Wait(), 0);
    EXPECT_EQ(this->Committed(kModelKey).size(), 600U);
}

// ---- The store itself -----------------------------------------------------------------------

TYPED_TEST(FileStoreContractTest, AStoreThatCannotBeWrittenIsStillRead) {
    this->Put(kModelKey, {{"A|B", Sz("/a.xml")}});
    this->backend_.MakeUnwritable();
    auto store = this->backend_.Open();
    std::unique_ptr<StoreKey> key;
    EXPECT_EQ(store->CreateKey(kModelKey, RW, key), ERROR_ACCESS_DENIED_STATUS);
    EXPECT_EQ(store->CreateKey("Software\\New", RW, key), ERROR_ACCESS_DENIED_STATUS);
    EXPECT_EQ(store->OpenKey(kModelKey, RW, key), ERROR_ACCESS_DENIED_STATUS);
    EXPECT_EQ(store->OpenKey("Software\\New", RW, key), ERROR_FILE_NOT_FOUND_STATUS);
    ASSERT_EQ(store->OpenKey(kModelKey, RO, key), 0);
    EXPECT_EQ(List(*key).values,
              (std::vector<std::pair<std::string, std::string>>{{"A|B", Sz("/a.xml")}}));
    EXPECT_EQ(key->Close(), 0);
}

TYPED_TEST(FileStoreContractTest, AMissingStoreIsNotFoundAndNotCreatedByReading) {
    auto store = this->backend_.OpenMissing();
    std::unique_ptr<StoreKey> key;
    EXPECT_EQ(store->OpenKey(kModelKey, RO, key), ERROR_FILE_NOT_FOUND_STATUS);
    EXPECT_EQ(store->OpenKey(kModelKey, RW, key), ERROR_FILE_NOT_FOUND_STATUS);
    EXPECT_EQ(key, nullptr);
    EXPECT_TRUE(this->backend_.MissingLeftNoTrace());
}

// A file standing where the store's folder should be is no matter of rights.
TYPED_TEST(FileStoreContractTest, AStoreWhoseFolderIsAFileAnswersPathNotFound) {
    auto store = this->backend_.OpenUncreatable();
    std::unique_ptr<StoreKey> key;
    EXPECT_EQ(store->CreateKey(kModelKey, RW, key), ERROR_PATH_NOT_FOUND_STATUS);
    EXPECT_EQ(store->OpenKey(kModelKey, RO, key), ERROR_FILE_NOT_FOUND_STATUS);
    EXPECT_EQ(key, nullptr);
}

}  // namespace
}  // namespace pantrel
