// Helpers of the loader tests: a recording sink and the test files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/message_sink.h"
#include "loader/specification_loader.h"

namespace pantrel::testing {

// Keeps every message instead of showing it.
class RecordingSink : public MessageSink {
public:
    void ShowError(const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> messages;
};

// A file of tests/data/loader.
std::string DataFile(std::string_view name);

// The bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to `name` inside the folder and gives the file's path (UTF-8).
    std::string Write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

// Loads `path` with the embedded schema and the specification namespace.
HResult LoadWithEmbeddedSchema(DocumentHolder& holder, const std::string& path,
                               RecordingSink& sink);

}  // namespace pantrel::testing
