// The stores the contract suite runs on Linux.
#pragma once

#include <gtest/gtest.h>

#include "../sqlite_backend.h"

namespace pantrel::testing_support {

// Every store the tool can use here.
using StoreBackends = ::testing::Types<SqliteBackend>;

}  // namespace pantrel::testing_support
