#include <gtest/gtest.h>
#include <libxml/xmlmemory.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../support/loopback_listener.h"
#include "loader/model_queries.h"
#include "loader/specification_errors.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

using testing::DataFile;
using testing::LoadWithEmbeddedSchema;
using testing::ReadBytes;
using testing::RecordingSink;
using testing::TempFolder;

constexpr const char* kSecret = "TAJNA-TRESC-7f3a";  // the content of tests/data/loader/secret.txt

struct Outcome {
    HResult status = 0;
    DocumentHolder document;
    std::vector<std::string> messages;
};

Outcome Load(const std::string& path) {
    Outcome outcome;
    RecordingSink sink;
    outcome.status = LoadWithEmbeddedSchema(outcome.document, path, sink);
    outcome.messages = sink.messages;
    return outcome;
}

TEST(LoaderSafetyTest, ExternalEntityNamingALocalFileIsRefusedUnread) {
    const std::string path = DataFile("safety_external_entity_file.xml");
    ASSERT_NE(ReadBytes(DataFile("secret.txt")).find(kSecret), std::string::npos);
    const Outcome outcome = Load(path);
    EXPECT_LT(outcome.status, 0);
    EXPECT_EQ(outcome.document, nullptr);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_NE(outcome.messages.front().find("secret.txt') zostało odrzucone"), std::string::npos)
        << outcome.messages.front();
    EXPECT_EQ(outcome.messages.front().find(kSecret), std::string::npos);
    for (const SpecificationError& error : CollectSpecificationErrors(path)) {
        EXPECT_EQ(error.description.find(kSecret), std::string::npos);
    }
}

TEST(LoaderSafetyTest, XIncludeIsNotProcessed) {
    const Outcome outcome = Load(DataFile("safety_xinclude.xml"));
    EXPECT_LT(outcome.status, 0);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages.front().find(kSecret), std::string::npos);
}

TEST(LoaderSafetyTest, OwnSchemaLocationIsIgnoredForTheEmbeddedSchema) {
    // The named schema would accept anything; the embedded one rejects the file.
    const Outcome invalid = Load(DataFile("safety_schema_location_invalid.xml"));
    EXPECT_LT(invalid.status, 0);
    ASSERT_EQ(invalid.messages.size(), 1u);
    EXPECT_NE(invalid.messages.front().find("brak wymaganego atrybutu 'wersja'"),
              std::string::npos);

    const Outcome valid = Load(DataFile("safety_schema_location_valid.xml"));
    EXPECT_EQ(valid.status, S_OK_STATUS);
    EXPECT_TRUE(valid.messages.empty());
}

// libxml2 allocations, counted while a scope lives.
std::atomic<std::size_t> gAllocatedBytes{0};

void* CountingMalloc(std::size_t size) {
    gAllocatedBytes += size;
    return std::malloc(size);
}
void* CountingRealloc(void* block, std::size_t size) {
    gAllocatedBytes += size;
    return std::realloc(block, size);
}
char* CountingStrdup(const char* text) {
    const std::size_t size = std::strlen(text) + 1;
    gAllocatedBytes += size;
    return static_cast<char*>(std::memcpy(std::malloc(size), text, size));
}
void PlainFree(void* block) {
    std::free(block);
}

class CountedAllocations {
public:
    CountedAllocations() {
        xmlMemGet(&free_, &malloc_, &realloc_, &strdup_);
        gAllocatedBytes = 0;
        xmlMemSetup(PlainFree, CountingMalloc, CountingRealloc, CountingStrdup);
    }
    ~CountedAllocations() { xmlMemSetup(free_, malloc_, realloc_, strdup_); }
    CountedAllocations(const CountedAllocations&) = delete;
    CountedAllocations& operator=(const CountedAllocations&) = delete;

    std::size_t total() const { return gAllocatedBytes; }

private:
    xmlFreeFunc free_ = nullptr;
    xmlMallocFunc malloc_ = nullptr;
    xmlReallocFunc realloc_ = nullptr;
    xmlStrdupFunc strdup_ = nullptr;
};

TEST(LoaderSafetyTest, BillionLaughsIsRejectedWithoutExpanding) {
    const CountedAllocations counted;
    const Outcome outcome = Load(DataFile("safety_billion_laughs.xml"));
    EXPECT_LT(outcome.status, 0);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_NE(outcome.messages.front().find("pętlę odwołań do encji"), std::string::npos);
    // Full expansion would take some 300 GB; the schema and the refused file take a few MB.
    EXPECT_LT(counted.total(), 16u * 1024 * 1024);
}

TEST(LoaderSafetyTest, HundredThousandDeepNestingIsRejectedCleanly) {
    const TempFolder folder;
    std::string text = ReadBytes(DataFile("valid_minimal.xml"));
    std::string nested;
    for (int i = 0; i < 100000; ++i) {
        nested.append("<Model>");
    }
    for (int i = 0; i < 100000; ++i) {
        nested.append("</Model>");
    }
    text.insert(text.find("      <Model>"), nested + "\n");
    const std::string path = folder.Write("gleboki.xml", text);
    const Outcome outcome = Load(path);
    EXPECT_LT(outcome.status, 0);
    EXPECT_EQ(outcome.document, nullptr);
    EXPECT_EQ(outcome.messages.size(), 1u);
    EXPECT_FALSE(CollectSpecificationErrors(path).empty());
}

using testing_support::LoopbackListener;

struct NetworkCase {
    const char* file;
    bool loads;  // valid once the reference to the network is left unread
};

void PrintTo(const NetworkCase& network, std::ostream* out) {
    *out << network.file;
}

class LoaderNetworkTest : public ::testing::TestWithParam<NetworkCase> {};

TEST_P(LoaderNetworkTest, NothingIsFetched) {
    const LoopbackListener listener;
    ASSERT_NE(listener.port(), 0);
    std::string text = ReadBytes(DataFile(GetParam().file));
    const std::string placeholder = "@PORT@";
    ASSERT_NE(text.find(placeholder), std::string::npos);
    text.replace(text.find(placeholder), placeholder.size(), std::to_string(listener.port()));
    const TempFolder folder;
    const Outcome outcome = Load(folder.Write("siec.xml", text));
    EXPECT_FALSE(listener.SomeoneConnected());
    if (GetParam().loads) {
        EXPECT_EQ(outcome.status, S_OK_STATUS);
        EXPECT_TRUE(outcome.messages.empty());
    } else {
        EXPECT_LT(outcome.status, 0);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_NE(outcome.messages.front().find("zostało odrzucone"), std::string::npos)
            << outcome.messages.front();
    }
}

INSTANTIATE_TEST_SUITE_P(
    References, LoaderNetworkTest,
    ::testing::Values(NetworkCase{"network_entity.xml.in", false},
                      NetworkCase{"network_parameter_entity.xml.in", false},
                      NetworkCase{"network_dtd.xml.in", true},
                      NetworkCase{"network_schema_location.xml.in", true},
                      NetworkCase{"network_no_namespace_schema_location.xml.in", true}));

}  // namespace
}  // namespace pantrel
