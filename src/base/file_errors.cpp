#include "base/file_errors.h"

#include <filesystem>

#include "base/utf8_path.h"

namespace pantrel {

std::error_code FileStatusError(const std::string& path) {
    std::error_code error;
    static_cast<void>(std::filesystem::status(path, error));
    return error;
}

bool FileExists(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(path), error);
    return !error && std::filesystem::exists(status);
}

bool IsPathTooLong(const std::error_code& error) {
    return error == std::errc::filename_too_long;
}

std::string FileErrorReason(const std::error_code& error) {
    if (IsPathTooLong(error)) {
        return "ścieżka jest dłuższa, niż pozwala system";
    }
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
        return "nie ma takiego folderu";
    }
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
        return "brak prawa zapisu";
    }
    if (error == std::errc::read_only_file_system) {
        return "dysk jest tylko do odczytu";
    }
    if (error == std::errc::no_space_on_device) {
        return "brak miejsca na dysku";
    }
    if (error == std::errc::is_a_directory) {
        return "pod tą nazwą jest folder";
    }
    return "błąd systemu plików (kod " + std::to_string(error.value()) + ")";
}

}  // namespace pantrel
