#include "loader_test_support.h"

#include <fstream>
#include <iterator>

#include "../support/temp_folder.h"
#include "base/utf8_path.h"
#include "loader/specification_namespace.h"

namespace pantrel::testing {

std::string DataFile(std::string_view name) {
    return (std::filesystem::path(PANTREL_TEST_DATA_DIR) / "loader" / name).string();
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TempFolder::TempFolder()
    : path_(testing_support::MakeUniqueFolder(std::filesystem::temp_directory_path(),
                                              "pantrel-spec-")) {}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / PathFromUtf8(std::string(name));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return Utf8FromPath(file);
}

HResult LoadWithEmbeddedSchema(DocumentHolder& holder, const std::string& path,
                               RecordingSink& sink) {
    return LoadSpecification(holder, path, SCHEMA_RESOURCE_ID, SPECIFICATION_NAMESPACE, sink);
}

}  // namespace pantrel::testing
