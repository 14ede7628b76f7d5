// What the pass accepts without an error of its own can still fail the file: then it is rejected
// without a message.

#include <gtest/gtest.h>

#include <string>

#include "loader/specification_loader.h"
#include "loader_test_support.h"

namespace pantrel {
namespace {

TEST(ClosingValidationTest, WhatOnlyTheTreeShowsIsRejectedWithoutAMessage) {
    // The DTD gives Sterownik its typ: the validator accepts it, but the file itself names no kind.
    const std::string path = testing::DataFile("closing_attribute_defaulted_by_dtd.xml");
    testing::RecordingSink sink;
    DocumentHolder document;
    EXPECT_EQ(testing::LoadWithEmbeddedSchema(document, path, sink), E_FAIL_STATUS);
    EXPECT_EQ(document, nullptr);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
}

}  // namespace
}  // namespace pantrel
