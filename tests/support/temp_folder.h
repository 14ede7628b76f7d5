// Temporary folders of the tests.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace pantrel::testing_support {

// A new folder of a random name under `parent`, created by this call and by no one else;
// empty when none could be created.
inline std::filesystem::path MakeUniqueFolder(const std::filesystem::path& parent,
                                              const std::string& prefix) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            parent / (prefix + std::to_string(random()) + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            return candidate;
        }
    }
    return {};
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "pantrel-")
        : path_(MakeUniqueFolder(std::filesystem::temp_directory_path(), prefix)) {}
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) {
            std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
            std::filesystem::remove_all(path_, ignored);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace pantrel::testing_support
