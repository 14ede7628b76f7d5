#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "../support/temp_folder.h"
#include "base/windows1250.h"
#include "registry/compact_model_listing.h"
#include "registry/listing_order.h"
#include "registry/model_registry.h"
#include "registry/registered_models.h"
#include "registry/registry_key.h"
#include "registry/sqlite_store.h"

namespace pantrel {
namespace {

using testing_support::TempFolder;

constexpr const char* kCashDriver =
    "Software\\Tarvex\\Sterowniki2\\Kasy fiskalne\\{FED75241-388C-11d9-AAE0-000C2963BED9}";

std::string Sz(const std::string& text) {
    return text + '\0';
}

class RegistryLayoutTest : public testing::Test {
protected:
    // Writes a value, creating its key; the handle is closed so that the write is committed.
    void Put(const std::string& keyPath, const std::string& name, std::uint32_t type,
             const std::string& data) {
        RegistryKey key;
        ASSERT_EQ(key.Create(store_, keyPath, KEY_READ_WRITE_ACCESS), 0);
        ASSERT_EQ(key.Get().SetValue(name, type, data), 0);
        ASSERT_EQ(key.Close(), 0);
    }
    std::string Version() {
        RegistryKey key;
        std::string text;
        EXPECT_EQ(key.Open(store_, kCashDriver, KEY_READ_ACCESS), 0);
        EXPECT_EQ(key.QueryText("Wersja", text, VERSION_TEXT_CAPACITY), 0);
        return text;
    }
    std::string ModelPath(DeviceKind kind) {
        std::string path;
        EXPECT_TRUE(ModelKeyPath(kind, path));
        return path;
    }

    TempFolder folder_;
    SqliteRegistryStore store_{folder_ / "registry.db"};
};

TEST_F(RegistryLayoutTest, KeyPathsOfEveryKind) {
    const std::pair<DeviceKind, const char*> cases[] = {
        {DeviceKind::CashRegister, kCashDriver},
        {DeviceKind::FiscalPrinter,
         "Software\\Tarvex\\Sterowniki2\\Drukarki "
         "fiskalne\\{FFB4E470-388C-11d9-AAE0-000C2963BED9}"},
        {DeviceKind::LabelScale,
         "Software\\Tarvex\\Sterowniki2\\Wagi etykietujące\\{DCC51001-388C-11d9-AAE0-"
         "000C2963BED9}"},
    };
    for (const auto& [kind, expected] : cases) {
        std::string driver;
        std::string model;
        EXPECT_TRUE(DriverKeyPath(kind, driver));
        EXPECT_TRUE(ModelKeyPath(kind, model));
        EXPECT_EQ(driver, expected);
        EXPECT_EQ(model, std::string{expected} + "\\ModeleUni");
    }
}

TEST_F(RegistryLayoutTest, BarcodeReaderHasNoPathAnywhere) {
    std::string path = "untouched";
    EXPECT_FALSE(DriverKeyPath(DeviceKind::BarcodeReader, path));
    EXPECT_FALSE(ModelKeyPath(DeviceKind::BarcodeReader, path));
    EXPECT_EQ(path, "untouched");
    RegistryKey key;
    EXPECT_FALSE(OpenModelKey(store_, DeviceKind::BarcodeReader, key));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(RemoveModel(store_, DeviceKind::BarcodeReader, "A", "B").outcome,
              RegistrationOutcome::NoDriverKey);
    EXPECT_FALSE(IsModelKeyEmpty(store_, DeviceKind::BarcodeReader));
    for (const ModelKeyUse use : {ModelKeyUse::Read, ModelKeyUse::Write, ModelKeyUse::Create}) {
        EXPECT_EQ(OpenModelKeyFor(store_, DeviceKind::BarcodeReader, use, key), std::nullopt);
        EXPECT_FALSE(key.IsOpen());
    }
}

TEST_F(RegistryLayoutTest, NeverInstalledKindOpensNothing) {
    RegistryKey key;
    EXPECT_FALSE(OpenModelKey(store_, DeviceKind::FiscalPrinter, key));
    EXPECT_TRUE(IsModelKeyEmpty(store_, DeviceKind::FiscalPrinter));
    EXPECT_TRUE(RemoveModel(store_, DeviceKind::FiscalPrinter, "A", "B").Succeeded());
    for (const ModelKeyUse use : {ModelKeyUse::Read, ModelKeyUse::Write}) {
        EXPECT_EQ(OpenModelKeyFor(store_, DeviceKind::FiscalPrinter, use, key),
                  ERROR_FILE_NOT_FOUND_STATUS);
    }
    EXPECT_FALSE(std::filesystem::exists(folder_ / "registry.db"));  // nothing was created
}

TEST_F(RegistryLayoutTest, OnlyTheModelKeyOpenedForWritingTakesEntries) {
    const struct {
        ModelKeyUse use;
        Status written;
    } cases[] = {
        {ModelKeyUse::Create, ERROR_SUCCESS_STATUS},  // first: the key comes into being
        {ModelKeyUse::Write, ERROR_SUCCESS_STATUS},
        {ModelKeyUse::Read, ERROR_ACCESS_DENIED_STATUS},
    };
    for (const auto& c : cases) {
        RegistryKey key;
        ASSERT_EQ(OpenModelKeyFor(store_, DeviceKind::LabelScale, c.use, key), 0);
        EXPECT_EQ(key.Get().SetValue("M|P", REG_SZ_TYPE, Sz("/m.xml")), c.written);
        EXPECT_EQ(key.Close(), 0);
    }
    EXPECT_FALSE(IsModelKeyEmpty(store_, DeviceKind::LabelScale));
}

TEST(EntryNames, SplitAtTheFirstBar) {
    const struct {
        const char* name;
        const char* model;
        const char* producer;
    } cases[] = {
        {"ABC-1|XYZ", "ABC-1", "XYZ"},
        {"ABC|X|Y", "ABC", "X|Y"},
        {"ABC", "ABC", ""},
        {"|X", "", "X"},
        {"A|", "A", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ModelOfEntry(c.name), c.model) << c.name;
        EXPECT_EQ(ProducerOfEntry(c.name), c.producer) << c.name;
    }
    EXPECT_EQ(ModelEntryName("ABC-1", "XYZ"), "ABC-1|XYZ");
}

TEST_F(RegistryLayoutTest, EnumeratesEntriesAndTellsTooLongOnesApart) {
    const std::string key = ModelPath(DeviceKind::CashRegister);
    Put(key, "A|P", REG_SZ_TYPE, Sz("/a.xml"));
    Put(key, std::string(260, 'n'), REG_SZ_TYPE, Sz("/b.xml"));
    Put(key, "C|P", REG_SZ_TYPE, Sz(std::string(520, 'p')));  // 521 bytes with the NUL
    Put(key, "D|P", REG_SZ_TYPE, Sz(std::string(519, 'p')));  // exactly 520
    Put(key, "E|P", REG_SZ_TYPE, "/e.xml\0trailing");

    RegistryKey holder;
    ASSERT_TRUE(OpenModelKey(store_, DeviceKind::CashRegister, holder));
    std::string name;
    std::string data;
    EXPECT_EQ(EnumModelEntry(holder, 0, name, data), 0);
    EXPECT_EQ(name, "A|P");
    EXPECT_EQ(data, "/a.xml");
    EXPECT_EQ(EnumModelEntry(holder, 1, name, data), ERROR_MORE_DATA_STATUS);
    EXPECT_EQ(EnumModelEntry(holder, 2, name, data), ERROR_MORE_DATA_STATUS);
    EXPECT_EQ(EnumModelEntry(holder, 3, name, data), 0);
    EXPECT_EQ(data, std::string(519, 'p'));
    EXPECT_EQ(EnumModelEntry(holder, 4, name, data), 0);
    EXPECT_EQ(data, "/e.xml");  // text up to the first NUL
    EXPECT_EQ(EnumModelEntry(holder, 5, name, data), ERROR_NO_MORE_ITEMS_STATUS);
}

// -list reads the store compactly; it must read the same entries, split the same way, as the
// window's listing.
TEST_F(RegistryLayoutTest, CompactListingReadsWhatTheModelListReads) {
    const std::string cash = ModelPath(DeviceKind::CashRegister);
    const std::string scales = ModelPath(DeviceKind::LabelScale);
    Put(cash, "ABC|X|Y", REG_SZ_TYPE, Sz("/a.xml"));
    Put(cash, "ABC", REG_SZ_TYPE, Sz("/b.xml"));
    Put(cash, std::string(260, 'n'), REG_SZ_TYPE, Sz("/a.xml"));  // passed over by both
    Put(scales, "|X", REG_SZ_TYPE, Sz("/a.xml"));
    Put(scales, "Ł|Ż", REG_SZ_TYPE, Sz("/c.xml"));
    Put(cash, "A|", REG_SZ_TYPE, Sz("/b.xml"));

    const ModelListing expected = ReadRegisteredModels(store_);
    CompactModels read = ReadCompactModelListing(store_);
    EXPECT_EQ(read.failure, expected.failure);
    ASSERT_EQ(read.listing.rows().size(), 5U);
    ASSERT_EQ(read.listing.rows().size(), expected.models.size());
    for (std::size_t i = 0; i < expected.models.size(); ++i) {
        const RegisteredModel& model = expected.models[i];
        const ListedEntry entry = read.listing.EntryOf(read.listing.rows()[i]);
        EXPECT_EQ(entry.kind, model.kind) << i;
        EXPECT_EQ(entry.model, model.model) << i;
        EXPECT_EQ(entry.producer, model.producer) << i;
        EXPECT_EQ(entry.path, model.path) << i;
    }
}

// The order -list and -validate compare on the fly is the order of the texts' sort keys.
TEST(ListsBefore, OrdersAsTheModelListSorts) {
    const std::vector<RegisteredModel> entries = {
        {DeviceKind::CashRegister, "Ab", "P", "/a"},
        {DeviceKind::CashRegister, "ab", "P", "/a"},
        {DeviceKind::CashRegister, "Ab ", "P", "/a"},
        {DeviceKind::CashRegister, "A\tb", "P", "/a"},
        {DeviceKind::CashRegister, "Łania", "P", "/a"},
        {DeviceKind::CashRegister, "Zeta", "P", "/a"},
        {DeviceKind::CashRegister, "źle", "P", "/a"},
        {DeviceKind::CashRegister, "€uro", "P", "/a"},
        {DeviceKind::CashRegister, "\u0081", "P", "/a"},  // a byte Windows-1250 leaves unassigned
        {DeviceKind::CashRegister, "ţ", "P", "/a"},       // 0xFE
        {DeviceKind::CashRegister, "日本", "P", "/a"},
        {DeviceKind::CashRegister, "\xF0\x9F\x98\x80", "P", "/a"},
        {DeviceKind::CashRegister, "a\xFF", "P", "/a"},  // not UTF-8
        {DeviceKind::CashRegister, "a\xC5", "P", "/a"},  // a cut-off Ł
        {DeviceKind::CashRegister, "a\xC5\x81", "P", "/a"},
        {DeviceKind::CashRegister, "Ńa", "P", "/a"},         // differs from Ł in its second byte
        {DeviceKind::CashRegister, "a\x80\x62", "P", "/a"},  // 'a', a byte continuing nothing, 'b'
        {DeviceKind::CashRegister, "Żółw 1", "P", "/a"},
        {DeviceKind::CashRegister, "Żółw 10", "P", "/a"},
        {DeviceKind::CashRegister, "Żółwa", "P", "/a"},
        {DeviceKind::CashRegister, "Żółw€", "P", "/a"},
        {DeviceKind::FiscalPrinter, "Ab", "P", "/a"},
        {DeviceKind::LabelScale, "Ab", "P", "/a"},
        {DeviceKind::CashRegister, "Ab", "Ż", "/a"},
        {DeviceKind::CashRegister, "Ab", "Pa", "/a"},
        {DeviceKind::CashRegister, "Ab", "P", "/A"},
        {DeviceKind::CashRegister, "Ab", "P", "/ą"},
        {DeviceKind::CashRegister, "", "P", "/a"},
    };
    const auto listed = [](const RegisteredModel& m) {
        return ListedEntry{m.kind, m.model, m.producer, m.path};
    };
    const auto keys = [](const std::string& text) { return Windows1250SortKey(text); };
    for (const RegisteredModel& a : entries) {
        for (const RegisteredModel& b : entries) {
            const bool aFirst =
                std::tuple(keys(a.model), KindCode(a.kind), keys(a.producer), keys(a.path)) <
                std::tuple(keys(b.model), KindCode(b.kind), keys(b.producer), keys(b.path));
            EXPECT_EQ(ListsBefore(listed(a), listed(b)), aFirst) << a.model << " / " << b.model;
        }
    }
}

TEST_F(RegistryLayoutTest, EmptinessCountsValuesOnly) {
    const std::string key = ModelPath(DeviceKind::LabelScale);
    Put(key + "\\Sub", "x", REG_SZ_TYPE, Sz("y"));
    EXPECT_TRUE(IsModelKeyEmpty(store_, DeviceKind::LabelScale));  // a subkey, no values
    Put(key, "M|P", REG_SZ_TYPE, Sz("/m.xml"));
    EXPECT_FALSE(IsModelKeyEmpty(store_, DeviceKind::LabelScale));
    EXPECT_TRUE(RemoveModel(store_, DeviceKind::LabelScale, "M", "P").Succeeded());
    EXPECT_TRUE(IsModelKeyEmpty(store_, DeviceKind::LabelScale));
    RegistryKey holder;
    EXPECT_TRUE(OpenModelKey(store_, DeviceKind::LabelScale, holder));  // the key stays
}

TEST_F(RegistryLayoutTest, RemoveModelDeletesOnlyItsEntry) {
    const std::string key = ModelPath(DeviceKind::CashRegister);
    Put(key, "A|P", REG_SZ_TYPE, Sz("/a.xml"));
    Put(key, "B|P", REG_SZ_TYPE, Sz("/b.xml"));
    const RegistrationResult removed = RemoveModel(store_, DeviceKind::CashRegister, "a", "p");
    EXPECT_TRUE(removed.Succeeded());  // names ignore case
    EXPECT_EQ(removed.Total(), 1);
    const RegistrationResult none = RemoveModel(store_, DeviceKind::CashRegister, "none", "P");
    EXPECT_TRUE(none.Succeeded());
    EXPECT_EQ(none.Total(), 0);
    RegistryKey holder;
    ASSERT_TRUE(OpenModelKey(store_, DeviceKind::CashRegister, holder));
    std::string name;
    std::string data;
    EXPECT_EQ(EnumModelEntry(holder, 0, name, data), 0);
    EXPECT_EQ(name, "B|P");
    EXPECT_EQ(EnumModelEntry(holder, 1, name, data), ERROR_NO_MORE_ITEMS_STATUS);
}

struct BumpCase {
    const char* before;  // null: no "Wersja"
    std::uint32_t type;
    const char* after;
};

class BumpDriverVersionTest : public RegistryLayoutTest,
                              public testing::WithParamInterface<BumpCase> {};

TEST_P(BumpDriverVersionTest, RaisesTheMiddleNumber) {
    const BumpCase& c = GetParam();
    if (c.before != nullptr) {
        Put(kCashDriver, "Wersja", c.type, c.type == REG_SZ_TYPE ? Sz(c.before) : c.before);
    } else {
        Put(kCashDriver, "Other", REG_SZ_TYPE, Sz("x"));
    }
    EXPECT_TRUE(BumpDriverVersion(store_, kCashDriver));
    EXPECT_EQ(Version(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    VersionTexts, BumpDriverVersionTest,
    testing::Values(BumpCase{"2.7.13", REG_SZ_TYPE, "2.8.13"},
                    BumpCase{"1.9.4", REG_SZ_TYPE, "1.10.4"}, BumpCase{"4.2", REG_SZ_TYPE, "4.3.2"},
                    BumpCase{"7", REG_SZ_TYPE, "7.8.7"}, BumpCase{"1.2.3.4", REG_SZ_TYPE, "1.3.3"},
                    BumpCase{"wersja", REG_SZ_TYPE, "0.1.0"}, BumpCase{"", REG_SZ_TYPE, "0.1.0"},
                    BumpCase{nullptr, REG_SZ_TYPE, "0.1.0"},
                    BumpCase{" -3.+4.x", REG_SZ_TYPE, "-3.5.0"},
                    BumpCase{"1.2147483647.3", REG_SZ_TYPE, "1.2147483647.3"},
                    BumpCase{"99999999999.5.-99999999999", REG_SZ_TYPE, "2147483647.6.-2147483648"},
                    // Not a terminated string: unreadable, so it starts again.
                    BumpCase{"1.2.3", REG_BINARY_TYPE, "0.1.0"},
                    BumpCase{"1.2.3", REG_DWORD_TYPE, "0.1.0"}));

TEST_F(RegistryLayoutTest, BumpOnMissingDriverKeyWritesNothing) {
    EXPECT_FALSE(BumpDriverVersion(store_, kCashDriver));
    RegistryKey key;
    EXPECT_EQ(key.Open(store_, kCashDriver, KEY_READ_ACCESS), ERROR_FILE_NOT_FOUND_STATUS);
}

TEST_F(RegistryLayoutTest, OverlongVersionIsNeverReadPastTheBuffer) {
    Put(kCashDriver, "Wersja", REG_SZ_TYPE, Sz("5.6.7" + std::string(400, '9')));
    EXPECT_TRUE(BumpDriverVersion(store_, kCashDriver));
    EXPECT_EQ(Version(), "0.1.0");
}

TEST_F(RegistryLayoutTest, QueryTextAcceptsOnlyTerminatedStrings) {
    const struct {
        std::uint32_t type;
        std::string data;
        Status status;
        const char* text;
    } cases[] = {
        {REG_SZ_TYPE, Sz("abc"), 0, "abc"},
        {REG_EXPAND_SZ_TYPE, Sz("%x%"), 0, "%x%"},
        {REG_SZ_TYPE, "abc", ERROR_INVALID_DATA_STATUS, ""},
        {REG_MULTI_SZ_TYPE, std::string("a\0b\0\0", 5), 0, "a"},
        {REG_MULTI_SZ_TYPE, std::string("\0", 1), 0, ""},
        {REG_MULTI_SZ_TYPE, std::string("ab\0", 3), ERROR_INVALID_DATA_STATUS, ""},
        {REG_BINARY_TYPE, Sz("abc"), ERROR_INVALID_DATA_STATUS, ""},
        {REG_SZ_TYPE, "", 0, ""},
        {REG_SZ_TYPE, Sz(std::string(300, 'x')), ERROR_MORE_DATA_STATUS, ""},
    };
    int i = 0;
    for (const auto& c : cases) {
        const std::string name = std::to_string(i++) + "v";
        Put(kCashDriver, name, c.type, c.data);
        RegistryKey key;
        ASSERT_EQ(key.Open(store_, kCashDriver, KEY_READ_ACCESS), 0);
        std::string text = "stale";
        EXPECT_EQ(key.QueryText(name, text, VERSION_TEXT_CAPACITY), c.status) << name;
        EXPECT_EQ(text, c.text) << name;
    }
}

TEST(ParseVersion, RepeatsTheLastNumberWhenDotsAreMissing) {
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;
    ParseVersion("4.2", a, b, c);
    EXPECT_EQ((std::array{a, b, c}), (std::array{4, 2, 2}));
    ParseVersion("7", a, b, c);
    EXPECT_EQ((std::array{a, b, c}), (std::array{7, 7, 7}));
    ParseVersion("x.y.z", a, b, c);
    EXPECT_EQ((std::array{a, b, c}), (std::array{0, 0, 0}));
    ParseVersion("\t 12abc.0034.5", a, b, c);
    EXPECT_EQ((std::array{a, b, c}), (std::array{12, 34, 5}));
}

TEST_F(RegistryLayoutTest, HolderClosesThePreviousKeyAndStaysOnFailure) {
    Put(kCashDriver, "Wersja", REG_SZ_TYPE, Sz("1.0.0"));
    RegistryKey key;
    EXPECT_EQ(key.Close(), 0);  // nothing held
    ASSERT_EQ(key.Open(store_, kCashDriver, KEY_READ_ACCESS), 0);
    EXPECT_EQ(key.Open(store_, "Software\\Missing", KEY_READ_ACCESS), ERROR_FILE_NOT_FOUND_STATUS);
    ASSERT_TRUE(key.IsOpen());
    std::string text;
    EXPECT_EQ(key.QueryText("Wersja", text, VERSION_TEXT_CAPACITY), 0);  // still the old key
    EXPECT_EQ(text, "1.0.0");
}

}  // namespace
}  // namespace pantrel
