// The stores the contract suite runs on Windows.
#pragma once

#include <gtest/gtest.h>

#include "../sqlite_backend.h"
#include "win32_backend.h"

namespace pantrel::testing_support {

// Every store the tool can use here: the registry, and SQLite for -validate's scratch store.
using StoreBackends = ::testing::Types<SqliteBackend, Win32Backend>;

}  // namespace pantrel::testing_support
