#include "base/replace_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "base/native_file.h"
#include "base/replace_target.h"

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

bool WriteAndClose(FileHandle file, std::string_view bytes, const ReplaceTarget& target,
                   std::error_code& error) {
    // Owner and mode first: the data is never readable to more users than the target's is.
    error = TakeOverOwnerAndMode(file.get(), target);
    if (!error && !(std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                    std::fflush(file.get()) == 0 &&
                    // the rename must never put in the target's place a file whose data a
                    // crash could still take away
                    SyncFileToDisk(file.get()))) {
        error = LastError();
        if (!error) {
            error = std::make_error_code(std::errc::io_error);
        }
    }
    if (error) {
        std::fclose(file.release());
        return false;
    }
    // A failed close may be the first sign that the data did not reach the disk.
    if (std::fclose(file.release()) != 0) {
        error = LastError();
        return false;
    }
    return true;
}

// A temporary file of this tool's own name pattern, ".pantrel-" and 16 small hex digits.
bool IsOwnTemporaryName(const std::string& name) {
    constexpr std::string_view kStart = ".pantrel-";
    constexpr std::string_view kEnd = ".tmp";
    constexpr std::size_t kDigits = 16;
    return name.size() == kStart.size() + kDigits + kEnd.size() && name.starts_with(kStart) &&
           name.ends_with(kEnd) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(kStart.size()),
                       name.end() - static_cast<std::ptrdiff_t>(kEnd.size()),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A run killed while writing leaves its temporary file behind; the next run into the same
// folder removes those written before it began, and only those no run is writing.
void RemoveStaleTemporaries(const std::filesystem::path& folder,
                            std::filesystem::file_time_type runStart) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    for (; !error && entries != std::filesystem::directory_iterator{}; entries.increment(error)) {
        const std::filesystem::directory_entry& entry = *entries;
        std::error_code ignored;
        if (!IsOwnTemporaryName(entry.path().filename().string()) ||
            !entry.is_regular_file(ignored) || entry.is_symlink(ignored) ||
            entry.last_write_time(ignored) >= runStart || ignored) {
            continue;
        }
        RemoveIfNotHeld(entry.path());
    }
}

}  // namespace

std::error_code ReplaceFile(const std::filesystem::path& name, std::string_view bytes) {
    constexpr int kAttempts = 100;
    const auto runStart = std::filesystem::file_time_type::clock::now();
    ReplaceTarget found;
    std::error_code error = InspectTarget(name, found);
    if (error) {
        return error;
    }
    const std::filesystem::path& target = found.file;
    const std::filesystem::path folder = target.parent_path();
    RemoveStaleTemporaries(folder, runStart);
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
        HoldWhileWriting(file.get());
        std::error_code ignored;
        if (!WriteAndClose(std::move(file), bytes, found, error)) {
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
