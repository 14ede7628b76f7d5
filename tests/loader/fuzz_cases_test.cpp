#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/utf8_check.h"
#include "loader/specification_errors.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

using testing_support::IsWellFormedUtf8;

// The inputs the loader's fuzz target (scripts/fuzz.sh) ever stopped on, kept as
// tests/data/loader/fuzz_*.xml: each must load or be rejected as the target demands.
std::vector<std::string> FuzzCases() {
    std::vector<std::string> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(testing::DataFile("")))) {
        if (entry.path().filename().string().starts_with("fuzz_")) {
            files.push_back(entry.path().string());
        }
    }
    return files;
}

TEST(FuzzCasesTest, EveryFoundInputKeepsTheLoadersPromises) {
    const std::vector<std::string> files = FuzzCases();
    ASSERT_FALSE(files.empty());
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        testing::RecordingSink sink;
        DocumentHolder document;
        const HResult status = testing::LoadWithEmbeddedSchema(document, path, sink);
        EXPECT_LE(sink.messages.size(), 1u);
        for (const std::string& message : sink.messages) {
            EXPECT_TRUE(IsWellFormedUtf8(message));
        }
        const std::vector<SpecificationError> errors = CollectSpecificationErrors(path);
        EXPECT_EQ(errors.empty(), status == S_OK_STATUS);
        for (const SpecificationError& error : errors) {
            EXPECT_TRUE(IsWellFormedUtf8(error.description)) << error.description;
            EXPECT_EQ(error.description.find_first_of("\r\n"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace pantrel
