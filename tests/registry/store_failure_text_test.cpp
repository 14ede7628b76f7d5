// The words in which the command line and the window tell what the store refused and what a
// failed operation had already done.
#include "registry/store_failure_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pantrel {
namespace {

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

TEST(StoreFailureTextTest, NamesTheKindsAlreadyDoneByTheirPluralNouns) {
    const std::vector<KindCount> two{{DeviceKind::CashRegister, 3}, {DeviceKind::LabelScale, 1}};
    EXPECT_EQ(CommittedKindsText(StoreOperation::WriteModels, two),
              "zarejestrowano już: kasy fiskalne, wagi etykietujące");
    EXPECT_EQ(CommittedKindsText(StoreOperation::RemoveModels, {{DeviceKind::FiscalPrinter, 1}}),
              "usunięto już: drukarki fiskalne");
    EXPECT_EQ(CommittedKindsText(StoreOperation::WriteModels, {}), "");
}

}  // namespace
}  // namespace pantrel
