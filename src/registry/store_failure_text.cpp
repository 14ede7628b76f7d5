#include "registry/store_failure_text.h"

namespace pantrel {
namespace {

std::string_view OperationText(StoreOperation operation) {
    switch (operation) {
        case StoreOperation::WriteModels:
            return "zapisać modeli w rejestrze";
        case StoreOperation::RemoveModels:
            return "usunąć modeli w rejestrze";
        case StoreOperation::RemoveModel:
            return "usunąć modelu z rejestru";
        case StoreOperation::Read:
            break;
    }
    return "odczytać rejestru";
}

}  // namespace

std::string StoreFailureReason(StoreOperation operation, Status status) {
    switch (status) {
        case ERROR_ACCESS_DENIED_STATUS:
            return operation == StoreOperation::Read ? "brak prawa odczytu" : "brak prawa zapisu";
        case ERROR_DISK_FULL_STATUS:
            return "brak miejsca na dysku";
        case ERROR_BUSY_STATUS:
            return "rejestr jest zajęty przez inny program";
        case ERROR_BADDB_STATUS:
            return "plik rejestru jest uszkodzony";
        default:
            return "błąd rejestru (kod " + std::to_string(status) + ")";
    }
}

std::string StoreFailureText(StoreOperation operation, std::string_view storeName, Status status) {
    std::string text = "nie można ";
    text += OperationText(operation);
    text += " '";
    text += storeName;
    text += "': ";
    text += StoreFailureReason(operation, status);
    return text;
}

}  // namespace pantrel
