// A message sink that fails the test on any message.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/message_sink.h"

namespace pantrel::testing_support {

// A message sink for operations on valid files: any message the loader shows fails the test.
class FailingSink final : public MessageSink {
public:
    void ShowError(const std::string& text) override { ADD_FAILURE() << text; }
};

}  // namespace pantrel::testing_support
