#include "base/replace_file.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "base/native_file.h"

namespace pantrel {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// Creates `path` for writing only when nothing stands under that name, not even a dangling link;
// `file_exists` when something does.
FileHandle CreateNewFile(const std::filesystem::path& path, std::error_code& error) {
    FileHandle file{CreateNewFileForWriting(path)};
    if (!file) {
        error = LastError();
    }
    return file;
}

// A name of our own in `folder` that no other run picks: random, and created exclusively.
std::filesystem::path TemporaryName(const std::filesystem::path& folder) {
    // Seeded from the clock as well: mingw's std::random_device gives every process the same
    // sequence, and a name taken by another run only costs another try.
    static std::mt19937_64 random{
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string name = ".pantrel-";
    std::uint64_t bits = random();
    for (int i = 0; i < 16; ++i, bits >>= 4) {
        name.push_back(kDigits[bits & 0xF]);
    }
    name.append(".tmp");
    return folder / name;
}

bool WriteAndClose(FileHandle file, std::string_view bytes, std::error_code& error) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                         std::fflush(file.get()) == 0 &&
                         // the rename must never put in the target's place a file whose data a
                         // crash could still take away
                         SyncFileToDisk(file.get());
    if (!written) {
        error = LastError();
    }
    // A failed close may be the first sign that the data did not reach the disk.
    if (std::fclose(file.release()) != 0 && written) {
        error = LastError();
        return false;
    }
    return written;
}

}  // namespace

std::error_code ReplaceFile(const std::filesystem::path& target, std::string_view bytes) {
    constexpr int kAttempts = 100;
    const std::filesystem::path folder = target.parent_path();
    std::error_code error;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::filesystem::path temporary = TemporaryName(folder);
        error.clear();
        FileHandle file = CreateNewFile(temporary, error);
        if (!file) {
            if (error == std::errc::file_exists) {
                continue;  // someone else's file: pick another name, never touch it
            }
            return error;
        }
        std::error_code ignored;
        if (!WriteAndClose(std::move(file), bytes, error)) {
            std::filesystem::remove(temporary, ignored);
            return error ? error : std::make_error_code(std::errc::io_error);
        }
        std::filesystem::rename(temporary, target, error);
        if (error) {
            std::filesystem::remove(temporary, ignored);
        }
        return error;
    }
    return error;
}

}  // namespace pantrel
