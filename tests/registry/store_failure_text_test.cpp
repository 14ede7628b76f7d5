// The store wrapper through which the command line and the window learn why an operation failed.
#include "registry/failure_recording_store.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/temp_folder.h"
#include "registry/registry_key.h"
#include "registry/sqlite_store.h"
#include "registry/store_failure_text.h"

namespace pantrel {
namespace {

using testing_support::TempFolder;

TEST(FailureRecordingStoreTest, AMissingStoreOrValueIsNoFailureARefusedDeletionIs) {
    TempFolder folder;
    SqliteRegistryStore store{folder.Path() / "r.db"};
    FailureRecordingStore recording{store};
    RegistryKey missing;
    EXPECT_EQ(missing.Open(recording, "A\\B", KEY_READ_ACCESS), ERROR_FILE_NOT_FOUND_STATUS);
    EXPECT_EQ(recording.FirstFailure(), ERROR_SUCCESS_STATUS);

    RegistryKey key;
    ASSERT_EQ(key.Create(recording, "A\\B", KEY_READ_WRITE_ACCESS), 0);
    EXPECT_EQ(key.Get().DeleteValue("none"), ERROR_FILE_NOT_FOUND_STATUS);
    EXPECT_EQ(recording.FirstFailure(), ERROR_SUCCESS_STATUS);

    // The key goes while the handle is open: the deletion through it is refused, and although a
    // caller may go on past it, the failure is there to be told.
    RegistryKey parent;
    ASSERT_EQ(parent.Open(store, "A", KEY_READ_WRITE_ACCESS), 0);
    ASSERT_EQ(parent.Get().DeleteSubKey("B"), 0);
    EXPECT_EQ(key.Get().DeleteValue("v"), ERROR_KEY_DELETED_STATUS);
    EXPECT_EQ(recording.FirstFailure(), ERROR_KEY_DELETED_STATUS);
}

TEST(StoreFailureTextTest, NamesTheOperationTheStoreAndTheReason) {
    EXPECT_EQ(StoreFailureText(StoreOperation::WriteModels, "/r.db", ERROR_ACCESS_DENIED_STATUS),
              "nie można zapisać modeli w rejestrze '/r.db': brak prawa zapisu");
    EXPECT_EQ(StoreFailureText(StoreOperation::RemoveModels, "/r.db", ERROR_BUSY_STATUS),
              "nie można usunąć modeli z rejestru '/r.db': rejestr jest zajęty przez inny "
              "program");
    EXPECT_EQ(StoreFailureText(StoreOperation::Read, "/r.db", ERROR_ACCESS_DENIED_STATUS),
              "nie można odczytać rejestru '/r.db': brak prawa odczytu");
    EXPECT_EQ(StoreFailureText(StoreOperation::Read, "/r.db", ERROR_BADDB_STATUS),
              "nie można odczytać rejestru '/r.db': plik rejestru jest uszkodzony");
}

}  // namespace
}  // namespace pantrel
