#include "spec_test_support.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <sstream>

#include "spec/specification_namespace.h"

namespace pantrel::testing {

std::string DataFile(std::string_view name) {
    return (std::filesystem::path(PANTREL_TEST_DATA_DIR) / "spec" / name).string();
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    std::ostringstream name;
    name << "pantrel-spec-" << ::getpid() << "-" << counter++;
    path_ = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / std::string(name);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
}

HResult LoadWithEmbeddedSchema(DocumentHolder& holder, const std::string& path,
                               RecordingSink& sink) {
    return LoadSpecification(holder, path, SCHEMA_RESOURCE_ID, SPECIFICATION_NAMESPACE, sink);
}

}  // namespace pantrel::testing
