// Polish texts for a store that failed.
#pragma once

#include <string>
#include <string_view>

#include "base/win32_status.h"

namespace pantrel {

// What was being done when the store failed, as the messages name it.
enum class StoreOperation {
    WriteModels,   // an install
    RemoveModels,  // an uninstall
    RemoveModel,   // the window's removal of one model
    Read,          // a listing
};

// Why the store failed, in Polish ("brak prawa zapisu", "plik rejestru jest uszkodzony").
std::string StoreFailureReason(StoreOperation operation, Status status);

// One sentence naming the operation, the store and the reason, in the same words on the command
// line and in the window: "nie można zapisać modeli w rejestrze '<store>': brak prawa zapisu".
// It starts with a small letter, so that the command line can put its name before it.
std::string StoreFailureText(StoreOperation operation, std::string_view storeName, Status status);

// Why an install refuses a specification path the model list could never show (nor remove
// there), in the same words on the command line and in the window; a small letter first as above.
std::string UnlistablePathText(std::string_view path);

}  // namespace pantrel
