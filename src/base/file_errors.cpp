#include "base/file_errors.h"

#include <filesystem>

#include "base/utf8_path.h"

namespace pantrel {

namespace {

class FileRefusalCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "pantrel file refusal"; }
    std::string message(int value) const override {
        switch (static_cast<FileRefusal>(value)) {
            case FileRefusal::NotRegularFile:
                return "not a regular file";
            case FileRefusal::ReadOnly:
                return "read-only file";
            case FileRefusal::DanglingLink:
                return "symbolic link to nothing";
        }
        return "refused";
    }
};

}  // namespace

std::error_code make_error_code(FileRefusal refusal) {
    static const FileRefusalCategory category;
    return {static_cast<int>(refusal), category};
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
    if (error == FileRefusal::NotRegularFile) {
        return "to nie jest zwykły plik (urządzenie, potok lub gniazdo), więc zostaje nietknięty";
    }
    if (error == FileRefusal::ReadOnly) {
        return "plik jest tylko do odczytu, więc zostaje nietknięty";
    }
    if (error == FileRefusal::DanglingLink) {
        return "dowiązanie symboliczne wskazuje nieistniejący plik";
    }
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
