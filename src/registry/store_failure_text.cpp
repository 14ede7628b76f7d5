#include "registry/store_failure_text.h"

#include "registry/model_registry.h"

namespace pantrel {
namespace {

std::string_view OperationText(StoreOperation operation) {
    switch (operation) {
        case StoreOperation::WriteModels:
            return "zapisać modeli w rejestrze";
        case StoreOperation::RemoveModels:
            return "usunąć modeli z rejestru";
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
        case ERROR_NOT_REGISTRY_FILE_STATUS:
            return "to nie jest zwykły plik (urządzenie, potok lub gniazdo)";
        case ERROR_PATH_NOT_FOUND_STATUS:
            return "część ścieżki do pliku rejestru jest plikiem, a nie folderem";
        case ERROR_MORE_DATA_STATUS:
            return "wpis jest dłuższy, niż pozwala rejestr";
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

std::string UnlistablePathText(std::string_view path) {
    std::string text = "nie można zarejestrować modeli z pliku '";
    text += path;
    text += "': ścieżka pliku jest dłuższa niż ";
    text += std::to_string(MODEL_ENTRY_DATA_CAPACITY - 1);
    text += " znaków i lista modeli nie mogłaby jej pokazać";
    return text;
}

}  // namespace pantrel
